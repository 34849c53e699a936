#pragma once
// Reads a worksheet part into the in-memory sheet: every cell's value, and the selection of the
// sheet's first view.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/memory_workbook.h"

namespace plovis::xlsx {

class SharedStrings;

struct SheetSource {
    std::string_view xml;
    std::string part;  // for messages: "xl/worksheets/sheet1.xml"
    // The workbook's shared strings, read when a cell first refers to one.
    std::function<const SharedStrings&()> sharedStrings;
    bool date1904 = false;
};

// Loads the cells (numbers, shared and inline strings, booleans as "TRUE"/"FALSE", errors as
// their text, formulas as their cached value, dates as serial numbers) and returns the selected
// range (A1 when the sheet records none). Throws PackageError naming the sheet, and the cell
// where one is to blame (text that is not UTF-8, say).
CellRange readSheet(const SheetSource& source, MemoryWorksheet& sheet);

// The selected range from the start of a sheet part, which need not hold more than what comes
// before its cells (the views come first); A1 when it records none or cannot be read.
CellRange readSelectionFrom(std::string_view partStart);

// Whether the sheet part may hold formulas: it has an element named f, wherever it stands. Looks
// at names only, so it costs far less than reading the sheet.
bool mayHoldFormulas(std::string_view xml);

}  // namespace plovis::xlsx
