#include "survey/sheet_output.h"

namespace plovis {

void showBranchCaption(UserInterface& ui, std::int32_t branch) {
    ui.setStatus(StatusLabel::MainStatus,
                 "Processing branch " + std::to_string(branch + 1) + ".Please wait...");
}

void showCompletion(UserInterface& ui) {
    ui.showMessage(okMessage("Processing is complete"));
}

void reportWriteFailure(UserInterface& ui, const Worksheet& sheet, int row,
                        const HostError& error) {
    ui.showMessage(criticalMessage("Could not write the row number " + std::to_string(row) +
                                   " of the sheet " + sheet.name() + ": " + error.what() +
                                   "\rThe rows before it keep what was written."));
}

void reportNoRoom(UserInterface& ui, std::string_view what, const Worksheet& sheet) {
    ui.showMessage(criticalMessage(std::string(what) + " does not fit in the sheet " +
                                   sheet.name() + ": it would pass the row number " +
                                   std::to_string(kLastOutputRow) + ". Nothing was written."));
}

}  // namespace plovis
