#pragma once

#include <stdexcept>

namespace plovis {

// Arithmetic without a result: a division by zero, the logarithm of a number that is not
// positive, an equation without a root, a result beyond the field it goes into. It is a
// range_error like the other number failures (NumberOverflow, WholeNumberOverflow), so the
// routines' trapped regions answer all of them alike.
struct ComputationError : std::range_error {
    using std::range_error::range_error;
};

}  // namespace plovis
