#pragma once
// A cell's value as the workbook host hands it out: empty, a number or a text.

#include <string>
#include <string_view>
#include <variant>

namespace plovis {

// Booleans read as the texts "TRUE"/"FALSE", error values as their text ("#DIV/0!"), a formula
// cell as its cached value.
using CellValue = std::variant<std::monostate, double, std::string>;

inline bool isEmpty(const CellValue& v) {
    return std::holds_alternative<std::monostate>(v);
}
inline bool isNumber(const CellValue& v) {
    return std::holds_alternative<double>(v);
}
inline bool isText(const CellValue& v) {
    return std::holds_alternative<std::string>(v);
}

// The value turned into text: a number in its general form ("63", "0.5"), empty as "".
std::string cellText(const CellValue& v);

// The value read as a number by the leading-number rule of its text: empty and non-numeric text
// read as 0, "12 m" as 12. A number comes back as its 15-significant-digit value, as its text
// form gives it. Throws NumberOverflow for text such as "1e400".
double cellNumber(const CellValue& v);

// Whether the value's text, blanks trimmed at both ends, is empty.
bool isBlankText(const CellValue& v);

}  // namespace plovis
