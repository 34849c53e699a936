#pragma once
// The leading-number rule: how a cell value or a text box is read as a number.
//
// The text is scanned from the start: blanks (space, tab, CR, LF) are skipped, then the longest
// prefix of the form  [+|-] digits [. digits] [(e|E) [+|-] digits]  is taken. "." is always the
// decimal point, whatever the locale. Text that does not begin with a number reads as 0, so
// "12 m" is 12, "abc" is 0, "1e3x" is 1000, "-.5" is -0.5 and "+" is 0.

#include <stdexcept>
#include <string_view>

namespace plovis {

// A number too large for a double ("1e400"): reading it fails instead of giving infinity.
struct NumberOverflow : std::range_error {
    using std::range_error::range_error;
};

// Value of the longest leading decimal number of text, or 0. Throws NumberOverflow.
double leadingNumber(std::string_view text);

// Length of that leading number in characters, blanks before it included; 0 when there is none.
std::size_t leadingNumberLength(std::string_view text);

// Whether the whole text, blanks around it allowed, is one number ("12", " -1.5e3 "), as a box or
// cell must be where a number is required; "12 m", "abc" and the empty text are not.
bool isNumberText(std::string_view text);

}  // namespace plovis
