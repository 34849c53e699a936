#pragma once
// The check of a pipe row's static pressure against what its pipe class bears.

#include "design/design_context.h"

namespace plovis {

// Compares the static pressure in N of the row (a head, 10 to 1 kg/cm²) with the bearing pressure
// of the class in P (class × 10). When the pressure is higher, asks whether to raise the class:
// after a Yes, class 4 becomes 6 and class 6 becomes 10, and the row is designed again (which
// checks again); class 10 asks for a larger diameter instead; other classes stay. The current
// worksheet is "PD-CW-Sample". Throws on a host failure or a class beyond the 32-bit range.
void checkPipeClass(DesignContext& ctx, int row);

}  // namespace plovis
