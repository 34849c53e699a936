#pragma once
// Formulas evaluated in a small workbook, their results written as "n:4", "s:text", "b:TRUE" or
// "e:#DIV/0!" so that tables of cases compare them as text.

#include <string>

#include "common/number_format.h"
#include "hosts/memory_workbook.h"

namespace plovis::test {

inline std::string describe(MemoryWorksheet& sheet, int row, int column) {
    const CellValue v = sheet.cell(row, column);
    if (const double* d = std::get_if<double>(&v)) return "n:" + generalForm(*d);
    if (isEmpty(v)) return "empty";
    const CellKind kind = sheet.kind(row, column);
    return (kind == CellKind::Boolean ? "b:" : kind == CellKind::Error ? "e:" : "s:") + cellText(v);
}

}  // namespace plovis::test
