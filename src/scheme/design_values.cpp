#include "scheme/design_values.h"

#include "common/leading_number.h"
#include "common/text.h"

namespace plovis {

double designNumber(const CellValue& value, const char* what) {
    if (isEmpty(value)) return 0.0;
    if (const double* d = std::get_if<double>(&value)) return *d;
    const std::string& text = std::get<std::string>(value);
    if (trimBlanks(text).empty()) return 0.0;
    if (isNumberText(text)) return leadingNumber(text);
    throw ProfileDataError("\"" + text + "\" is not a number (" + what + ")");
}

bool sameDesignValue(const CellValue& a, const CellValue& b) {
    if (isEmpty(a) && isEmpty(b)) return true;
    if (isNumber(a) || isNumber(b)) {
        if (isText(a) || isText(b)) return false;
        return designNumber(a, "") == designNumber(b, "");
    }
    return cellText(a) == cellText(b);
}

}  // namespace plovis
