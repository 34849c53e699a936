#include "hosts/cell_value.h"

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/text.h"

namespace plovis {

std::string cellText(const CellValue& v) {
    if (const double* d = std::get_if<double>(&v)) return generalForm(*d);
    if (const std::string* s = std::get_if<std::string>(&v)) return *s;
    return {};
}

double cellNumber(const CellValue& v) {
    if (const double* d = std::get_if<double>(&v)) return fifteenDigitValue(*d);
    return leadingNumber(cellText(v));
}

bool isBlankText(const CellValue& v) {
    return trimBlanks(cellText(v)).empty();
}

}  // namespace plovis
