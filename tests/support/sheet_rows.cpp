#include "support/sheet_rows.h"

#include <limits>

#include "common/number_format.h"
#include "common/rounding.h"

namespace plovis::test {

void loadRow(MemoryWorksheet& sheet, int row, int column, std::initializer_list<CellValue> values) {
    for (const CellValue& v : values)
        sheet.load(row, column++, v);
}

double numberIn(const Worksheet& sheet, int row, int column) {
    const CellValue v = sheet.cell(row, column);
    return isNumber(v) ? std::get<double>(v) : std::numeric_limits<double>::quiet_NaN();
}

std::string rowText(const Worksheet& sheet, int row, std::initializer_list<int> columns) {
    std::string text;
    for (int column : columns) {
        const CellValue v = sheet.cell(row, column);
        if (!text.empty()) text += ' ';
        text += isEmpty(v)    ? "-"
                : isNumber(v) ? generalForm(roundOff(std::get<double>(v), 9))
                              : "'" + cellText(v) + "'";
    }
    return text;
}

std::unique_ptr<WorkbookHost> workbookWithSheets(std::initializer_list<const char*> names) {
    auto h = std::make_unique<WorkbookHost>();
    auto wb = std::make_unique<MemoryWorkbook>("scheme.xlsx");
    for (const char* name : names)
        wb->addSheet(name);
    h->workbook = &h->host.add(std::move(wb));
    return h;
}

}  // namespace plovis::test
