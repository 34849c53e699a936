#pragma once
// A number as a spreadsheet program shows it in a cell through the cell's number format code:
// "General" in at most 11 characters (-3.26999999999998 shows as -3.27), "0.00", "#,##0",
// "0.0%", "0.00E+00", literals in quotes, and the sections for positive, negative and zero values.
// Dates and times through their codes (date_display.h). What the workbook window paints; the
// value itself is untouched.

#include <string>
#include <string_view>

namespace plovis {

// The General form in at most `width` characters (11, as in a column of the default width):
// rounded to fit, or scientific with up to five decimals ("1.23457E+11") when the integer part
// does not fit or the value is too small. A narrower column shows fewer digits; "#" marks when
// not even the scientific form fits.
std::string generalDisplay(double value, int width = 11);

// The value shown through a format code as styles.xml gives it (numFmt formatCode).
std::string formatNumberCode(double value, std::string_view code);

// Reads the literal of a format code starting at `i` into `out` and moves past it: a quoted
// text, an escaped character (\x), the space of "_x", nothing for a fill ("*x") or a bracket
// ([Red], [$-409]). False, `i` unmoved, when none starts there.
bool readCodeLiteral(std::string_view code, std::size_t& i, std::string& out);

// The code of a built-in number format id (0 "General", 2 "0.00", 10 "0.00%", ...); "General"
// for an id without one.
std::string builtinFormatCode(int id);

}  // namespace plovis
