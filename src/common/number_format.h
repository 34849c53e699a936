#pragma once
// Numbers written as text: picture formats, the Str form and the general form.

#include <string>
#include <string_view>

namespace plovis {

// The value formatted by a picture such as "####0.0", "#0.000" or "#0+000.00":
//   "0"  a digit that is always written (a leading or trailing zero when needed),
//   "#"  a digit written only when significant,
//   "."  the decimal point (the first one; the fraction's digits follow it),
//   any other character is copied where it stands.
// The value is rounded to the digits the picture writes, half away from zero, working on its
// 15-significant-digit decimal form as spreadsheet formatting does. Integer digits beyond the
// picture's placeholders all go to the leftmost one. A negative value gets a leading minus,
// unless it rounds to zero. Examples: "#0+000.00" of 12345.678 is "12+345.68" and of 5 is
// "0+005.00"; "#00.000" of 7.5 is "07.500"; "#####.0" of 0.5 is ".5".
// NaN and infinities are written in the general form.
std::string formatPicture(double value, std::string_view picture);

// The general form: the shortest text that gives the value to 15 significant digits, without a
// leading blank: 63, 0.5, -2.25, 1234567.875; scientific as spreadsheet programs show it when the
// exponent is 15 or more or below -4: 1E+20, 1.5E-05. NaN is "NaN", infinities "Infinity".
std::string generalForm(double value);

// The value a cell's number is worth to a routine reading it as text: its general form read
// back by the leading-number rule (0.1 + 0.2 reads as 0.3). Faster than writing and reading the
// text, with the same result.
double fifteenDigitValue(double value);

// The Str form: the general form with one leading blank when the value is not negative
// (Str(3) is " 3", Str(-3) is "-3").
std::string strForm(double value);

}  // namespace plovis
