#include "survey/sheet_output.h"

#include "hosts/manual_calculation.h"

namespace plovis {

bool writeBranches(Workbook& workbook, UserInterface& ui, const BranchWrites& writes, bool report) {
    int row = writes.firstRow;
    try {
        ManualCalculation manual(workbook);
        for (const std::string& range : writes.clearFirst)
            writes.sheet.clearRange(range);
        for (std::size_t b = 0; b < writes.branchCount; ++b) {
            if (writes.wanted && !writes.wanted(b)) continue;
            ui.setStatus(StatusLabel::MainStatus,
                         "Processing branch " + std::to_string(b + 1) + ".Please wait...");
            if (!writes.write(b, row)) return false;
        }
    } catch (const HostError& e) {
        ui.showMessage(criticalMessage("Could not write the row number " + std::to_string(row) +
                                       " of the sheet " + writes.sheet.name() + ": " + e.what() +
                                       "\rThe rows before it keep what was written."));
        return false;
    }
    if (report) ui.showMessage(okMessage("Processing is complete"));
    return true;
}

void reportNoRoom(UserInterface& ui, std::string_view what, const Worksheet& sheet) {
    ui.showMessage(criticalMessage(std::string(what) + " does not fit in the sheet " +
                                   sheet.name() + ": it would pass the row number " +
                                   std::to_string(kLastOutputRow) + ". Nothing was written."));
}

}  // namespace plovis
