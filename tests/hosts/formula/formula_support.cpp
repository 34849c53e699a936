#include "hosts/formula/formula_support.h"

#include "common/number_format.h"

namespace plovis::test {

std::string describe(MemoryWorksheet& sheet, int row, int column) {
    const CellValue v = sheet.cell(row, column);
    if (const double* d = std::get_if<double>(&v)) return "n:" + generalForm(*d);
    if (isEmpty(v)) return "empty";
    const CellKind kind = sheet.kind(row, column);
    return (kind == CellKind::Boolean ? "b:" : kind == CellKind::Error ? "e:" : "s:") + cellText(v);
}

}  // namespace plovis::test
