#pragma once
// How the profile reads the values of its design range: numbers where a level, length or flow is
// expected, and the comparison that splits the table's rows into runs.

#include <stdexcept>
#include <string>

#include "hosts/cell_value.h"

namespace plovis {

// A design cell that cannot serve where the drawing needs it (text where a level or length is
// expected, a sheet count beyond the sheet table). The drawing answers it with the data-error
// message and ends.
struct ProfileDataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The cell as a number where arithmetic needs one: empty is 0, a number is itself, a text is its
// number when the whole text (blanks around it allowed) is one. Anything else ("12 m", "abc")
// throws ProfileDataError naming the value and `what` it was to be.
double designNumber(const CellValue& value, const char* what);

// Whether two design cells hold the same value, as the runs of flow, soil and static level are
// compared: numbers numerically, texts exactly, an empty cell equal to 0 and to the empty text,
// and a number never equal to a text.
bool sameDesignValue(const CellValue& a, const CellValue& b);

}  // namespace plovis
