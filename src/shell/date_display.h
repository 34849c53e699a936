#pragma once
// A date serial number shown through a date and time format code, as a spreadsheet program shows
// it: "dd/mm/yyyy" of 45000 is 15/03/2023, "d mmm yy h:mm AM/PM" of 45000.75 is 15 Mar 23 6:00 PM.

#include <string>
#include <string_view>

namespace plovis {

// The serial (days since 1899-12-31 in the 1900 date system, its fraction the time of day)
// through the code's y, m, d, h, s and AM/PM parts; "m" after an hour or before seconds is the
// minute. Quoted and escaped literals are copied, brackets ([$-409]) skipped but for elapsed
// hours ([h]). A serial outside 0 to 9999-12-31 is shown as a number.
std::string dateCodeDisplay(double serial, std::string_view code);

}  // namespace plovis
