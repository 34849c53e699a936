#include "sheet_writer.h"

#include <stdexcept>

#include "common/cell_address.h"

namespace plovis::sample {
namespace {

CellRange place(std::string_view cell) {
    return parseA1(cell);
}

}  // namespace

void SheetWriter::text(std::string_view cell, const std::string& value) {
    const CellRange at = place(cell);
    sheet_.setCell(at.firstRow, at.firstColumn, value);
}

void SheetWriter::number(std::string_view cell, double value) {
    const CellRange at = place(cell);
    sheet_.setCell(at.firstRow, at.firstColumn, value);
}

void SheetWriter::texts(std::string_view firstCell, const std::vector<std::string>& values) {
    const CellRange at = place(firstCell);
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (!values[i].empty())
            sheet_.setCell(at.firstRow, at.firstColumn + static_cast<int>(i), values[i]);
    }
}

double SheetWriter::value(std::string_view cell) const {
    const CellRange at = place(cell);
    const CellValue v = sheet_.cell(at.firstRow, at.firstColumn);
    // The full number, as a spreadsheet program calculates with it (not its 15-digit text).
    if (const double* d = std::get_if<double>(&v)) return *d;
    if (isEmpty(v)) return 0;
    throw std::runtime_error(sheet_.name() + "!" + std::string(cell) + " holds no number");
}

void SheetWriter::formula(std::string_view cell, const std::string& formula, double value) {
    const CellRange at = place(cell);
    sheet_.setFormula(at.firstRow, at.firstColumn, formula, value);
}

std::string cellAt(std::string_view column, int row) {
    return std::string(column) + std::to_string(row);
}

}  // namespace plovis::sample
