#pragma once
// Single-precision values written as text, as the schematic's labels show lengths, flows, levels
// and pipe diameters.

#include <string>

namespace plovis {

// The general form of a single-precision value: its 7 significant digits, shortest, without a
// leading blank (63.3, 1012.5, 0.5, 300.3); scientific from 1E+07 up and below 1E-04
// (1.234568E+07). A single-precision field cannot show more digits than that, so 63.3 stays 63.3
// rather than the 63.2999992370605 its double holds.
std::string singleForm(float value);

}  // namespace plovis
