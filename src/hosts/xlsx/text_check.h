#pragma once
// Text read from a workbook part is kept only when it is well-formed: UTF-8, and no character
// XML 1.0 forbids (a control character such as "&#1;", U+FFFE). Such text would otherwise be
// copied into the parts PLOVIS writes, which other programs then refuse.

#include <string_view>

#include "hosts/xlsx/package_error.h"

namespace plovis::xlsx {

// What is wrong with a text: "text that is not UTF-8 (the byte 0xFF after "Sta")". The reader
// puts the cell or part in front.
struct TextProblem : PackageError {
    using PackageError::PackageError;
};

// Throws TextProblem when the text is not UTF-8 or holds a character XML forbids.
void checkText(std::string_view text);

}  // namespace plovis::xlsx
