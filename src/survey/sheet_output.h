#pragma once
// What every survey command does around its writes: the per-branch progress caption, the
// completion message, and the report of a write the host refused. Recalculation is off during the
// bulk write and back on at every exit through ManualCalculation, shared with the design routines.

#include <cstdint>
#include <string>
#include <string_view>

#include "design/design_context.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// The last row the commands write into; the clears of their output areas end there too.
inline constexpr int kLastOutputRow = 65000;

// "Processing branch 3.Please wait..." for the branch of 0-based index `branch`.
void showBranchCaption(UserInterface& ui, std::int32_t branch);

// "Processing is complete", OK button only.
void showCompletion(UserInterface& ui);

// A write the host refused in the middle of the output: names the sheet and row, and tells the
// user the rows before it keep what was written.
void reportWriteFailure(UserInterface& ui, const Worksheet& sheet, int row, const HostError& error);

// A list that would pass the last output row: nothing of it is written.
void reportNoRoom(UserInterface& ui, std::string_view what, const Worksheet& sheet);

// Writes a number or a text into a cell.
inline void put(Worksheet& sheet, int row, int column, double value) {
    sheet.setCell(row, column, CellValue(value));
}
inline void put(Worksheet& sheet, int row, int column, std::string text) {
    sheet.setCell(row, column, CellValue(std::move(text)));
}

}  // namespace plovis
