#pragma once
// Number pictures as the TEXT function reads them: "0.00", "#,##0", "0%", "0.0E+00",
// "$#,##0.00;(#,##0.00)", "General", literal text in quotes or after a backslash.

#include <optional>
#include <string>
#include <string_view>

namespace plovis::formula {

// The value written by the picture; none for a picture this does not read (dates and times).
std::optional<std::string> formatText(double value, std::string_view picture);

}  // namespace plovis::formula
