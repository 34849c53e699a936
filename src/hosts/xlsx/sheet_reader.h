#pragma once
// Reads a worksheet part into the in-memory sheet: every cell's value, and the selection of the
// sheet's first view.

#include <string>
#include <string_view>
#include <vector>

#include "hosts/memory_workbook.h"

namespace plovis::xlsx {

struct SheetSource {
    std::string_view xml;
    std::string part;  // for messages: "xl/worksheets/sheet1.xml"
    const std::vector<std::string>* sharedStrings = nullptr;
    bool date1904 = false;
};

// Loads the cells (numbers, shared and inline strings, booleans as "TRUE"/"FALSE", errors as
// their text, formulas as their cached value, dates as serial numbers) and returns the selected
// range (A1 when the sheet records none). Throws PackageError naming the sheet, and the cell
// where one is to blame.
CellRange readSheet(const SheetSource& source, MemoryWorksheet& sheet);

}  // namespace plovis::xlsx
