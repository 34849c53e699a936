#pragma once
// The write phase every survey command shares: recalculation off during the bulk write and back
// on at every exit, the per-branch progress caption, the report of a write the host refused, and
// the completion message.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// The last row the commands write into; the clears of their output areas end there too.
inline constexpr int kLastOutputRow = 65000;

struct BranchWrites {
    Worksheet& sheet;
    std::size_t branchCount = 0;
    std::vector<std::string> clearFirst{};  // A1 ranges emptied before the first branch
    int firstRow = 0;                       // the row reported when the host refuses the clearing
    // Whether a branch is written (and its caption shown); null: every branch.
    std::function<bool(std::size_t branch)> wanted{};
    // Writes one branch, keeping `row` on the row being written; false when the user chose to
    // stop the command there.
    std::function<bool(std::size_t branch, int& row)> write{};
};

// Switches recalculation to manual, empties the ranges, and writes the branches in order, each
// after its caption "Processing branch N.Please wait..."; recalculation goes back to automatic
// however this ends. A write the host refuses is reported with its sheet and row, the rows before
// it staying as written. Shows "Processing is complete" at the end when report is true. True when
// every branch was written.
bool writeBranches(Workbook& workbook, UserInterface& ui, const BranchWrites& writes, bool report);

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
