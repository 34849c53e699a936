#pragma once
// Moving a formula's references, as a shared formula reads in the cells it was filled into.

#include <string>
#include <string_view>

namespace plovis::formula {

// The formula as it reads rowOffset rows down and columnOffset columns right of the cell it was
// written for: relative references (B7, B:B, 7:7) move, absolute parts ($B$7) stay; text in
// quotes, sheet names, function names, defined names and structured references are left alone.
// A reference moved off the sheet becomes #REF!, as spreadsheet programs write it.
std::string shiftFormula(std::string_view formula, int rowOffset, int columnOffset);

}  // namespace plovis::formula
