#pragma once
// Cell edits of the workbook window as states that can be put back: what the user typed into a
// cell, a block pasted, cells cleared, and the cells a whole command wrote (found by comparing
// the workbook with a snapshot taken before the command). Each edit keeps the cells' states
// before and after, so undo and redo write one or the other through the workbook, which then
// recalculates what depends on them.

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "hosts/cell_set.h"
#include "hosts/memory_workbook.h"

namespace plovis {

// What a cell holds as the user sees it: a formula (its text without "="), or a value.
struct CellState {
    CellValue value;
    std::optional<std::string> formula;
    bool operator==(const CellState&) const = default;
};

struct CellChange {
    int sheet = 0;  // the sheet's index in the workbook
    int row = 0, column = 0;
    CellState before, after;
};

// The cell's state as it stands (a formula cell's value is not part of it: it follows).
CellState cellState(const MemoryWorksheet& sheet, int row, int column);
// Writes the state into the cell: a formula the workbook calculates, a value, or nothing.
void writeState(MemoryWorksheet& sheet, int row, int column, const CellState& state);

// What the user typed, read as a spreadsheet program reads it: "=..." a formula, a number
// ("12.5", "-3", "1e3", "12%" is 0.12), a leading apostrophe keeps the rest as text, blanks
// only leave the cell empty; anything else is text.
CellState typedState(const std::string& typed);
// The state as the user edits it: "=I16-J16", a number in full (15 digits), or the text.
std::string editText(const CellState& state);

// Every cell state of a workbook, and the cells counted as written, to find what a command
// changed and wrote.
struct WorkbookSnapshot {
    std::vector<std::unordered_map<std::uint64_t, CellState>> sheets;
    std::vector<CellSet> written;
};
// None when the workbook holds more than `limit` cells: keeping them all for every command would
// cost more than undoing a command of such a workbook is worth.
std::optional<WorkbookSnapshot> snapshotOf(const MemoryWorkbook& workbook,
                                           std::size_t limit = 1'000'000);
// The cells written since the snapshot (among those the workbook counts as changed), with their
// states then and now.
std::vector<CellChange> changesSince(const WorkbookSnapshot& snapshot, MemoryWorkbook& workbook);
// The cells of each sheet written since the snapshot, whether their values changed or not.
std::vector<std::set<std::pair<int, int>>> writtenSince(const WorkbookSnapshot& snapshot,
                                                        MemoryWorkbook& workbook);

// Puts the changes' `after` states (or, undoing, their `before` states in reverse order) back.
void applyChanges(MemoryWorkbook& workbook, const std::vector<CellChange>& changes, bool undo);

}  // namespace plovis
