#pragma once
// Cell values as a sheet part stores them: cell references, numbers, booleans and dates.

#include <optional>
#include <string>
#include <string_view>

namespace plovis::xlsx {

enum class ReferenceCheck { Ok, Malformed, BeyondSheet };

// A cell reference as the r attribute holds it ("B7"; no "$", no range).
ReferenceCheck parseCellReference(std::string_view text, int& row, int& column);
// A row number as the row element's r attribute holds it.
ReferenceCheck parseRowNumber(std::string_view text, int& row);

// A stored number ("12.5", "-1E-3", " 7 "). None when the text is not a number.
std::optional<double> parseStoredNumber(std::string_view text);
// The shortest text that reads back as the same double ("0.1", "1e+20").
std::string storedNumber(double value);

// An ISO 8601 date or date-time ("2024-03-15", "2024-03-15T06:00:00Z") as the serial number a
// date cell holds: days since 1899-12-30 (or since 1904-01-01 in a 1904 workbook), the time as
// the fraction of the day. None when the text is not such a date.
std::optional<double> dateSerial(std::string_view iso, bool date1904);

}  // namespace plovis::xlsx
