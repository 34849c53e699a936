#include "sample_fixture.h"

#include <charconv>

#include "common/cell_address.h"

namespace plovis::test {
namespace {

// A number in full (the shortest text that reads back as the same double), so that a difference
// in the last digits shows.
std::string shown(const CellValue& v) {
    if (isEmpty(v)) return "(empty)";
    if (isText(v)) return "\"" + std::get<std::string>(v) + "\"";
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::get<double>(v)).ptr;
    return std::string(buffer, end);
}

}  // namespace

WorkbookCells cellsOf(MemoryWorkbook& workbook) {
    WorkbookCells cells;
    for (int i = 0; i < workbook.sheetCount(); ++i) {
        MemoryWorksheet& sheet = workbook.sheetAt(i);
        auto& out = cells[sheet.name()];
        for (int row = 1; row <= sheet.lastRow(); ++row) {
            for (int column = 1; column <= sheet.lastColumn(); ++column) {
                CellValue v = sheet.cell(row, column);
                if (!isEmpty(v)) out[{row, column}] = std::move(v);
            }
        }
    }
    return cells;
}

std::vector<std::string> differences(const WorkbookCells& before, const WorkbookCells& after) {
    std::vector<std::string> out;
    for (const auto& [sheet, cells] : before) {
        const auto other = after.find(sheet);
        if (other == after.end()) {
            out.push_back("the sheet " + sheet + " is gone");
            continue;
        }
        std::map<std::pair<int, int>, std::pair<CellValue, CellValue>> changed;
        for (const auto& [at, v] : cells) {
            const auto it = other->second.find(at);
            const CellValue now = it == other->second.end() ? CellValue{} : it->second;
            if (now != v) changed[at] = {v, now};
        }
        for (const auto& [at, v] : other->second) {
            if (!cells.count(at)) changed[at] = {CellValue{}, v};
        }
        for (const auto& [at, change] : changed) {
            out.push_back(sheet + "!" + columnLetters(at.second) + std::to_string(at.first) + ": " +
                          shown(change.first) + " became " + shown(change.second));
        }
    }
    return out;
}

int lastDesignRow(Worksheet& design) {
    int row = 16;
    while (!isEmpty(design.cell(row + 1, 3)))
        ++row;
    return row;
}

}  // namespace plovis::test
