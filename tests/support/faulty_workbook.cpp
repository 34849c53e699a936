#include "support/faulty_workbook.h"

namespace plovis::test {

CellValue FaultyWorksheet::cell(int row, int column) const {
    if (row == faults_.unreadableRow) {
        throw HostError("the host could not read row " + std::to_string(row));
    }
    return inner_.cell(row, column);
}

void FaultyWorksheet::setCell(int row, int column, const CellValue& value) {
    if (faults_.writesBeforeFailure == 0) throw HostError("the host refused the write");
    if (faults_.writesBeforeFailure > 0) --faults_.writesBeforeFailure;
    if (workbook_.calculation() == Calculation::Automatic) ++faults_.automaticWrites;
    inner_.setCell(row, column, value);
}

void FaultyWorksheet::clearRange(std::string_view a1Range) {
    if (workbook_.calculation() == Calculation::Automatic) ++faults_.automaticWrites;
    inner_.clearRange(a1Range);
}

Worksheet& FaultyWorkbook::wrap(MemoryWorksheet& sheet) {
    auto& w = wrapped_[&sheet];
    if (!w) w = std::make_unique<FaultyWorksheet>(sheet, *this, faults_);
    return *w;
}

}  // namespace plovis::test
