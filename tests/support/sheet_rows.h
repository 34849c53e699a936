#pragma once
// Writing test fixtures into in-memory sheets row by row.

#include <initializer_list>
#include <memory>
#include <string>

#include "hosts/memory_workbook.h"

namespace plovis::test {

// Loads values into consecutive cells of one row, from `column` rightwards; an empty CellValue{}
// leaves its cell empty.
void loadRow(MemoryWorksheet& sheet, int row, int column, std::initializer_list<CellValue> values);

// The number in a cell, or NaN when the cell does not hold a number.
double numberIn(const Worksheet& sheet, int row, int column);

// Cells of one row in one text, e.g. "'B' 20 0.3 - 100.3": a number rounded to nine decimals in
// its general form, a text in single quotes, an empty cell as "-".
std::string rowText(const Worksheet& sheet, int row, std::initializer_list<int> columns);

// A host holding one new workbook with the named sheets, empty; the first is active.
struct WorkbookHost {
    MemorySpreadsheetHost host;
    MemoryWorkbook* workbook = nullptr;
    MemoryWorksheet& sheet(std::string_view name) { return workbook->sheet(name); }
};
std::unique_ptr<WorkbookHost> workbookWithSheets(std::initializer_list<const char*> names);

}  // namespace plovis::test
