#pragma once
// Rounding rules the scheme computations depend on.

#include <cstdint>
#include <stdexcept>

namespace plovis {

// A value that does not fit the whole-number field it is stored into (or is not a number at all).
struct WholeNumberOverflow : std::range_error {
    using std::range_error::range_error;
};

// Nearest whole number, a half going to the even neighbour: 2.5 -> 2, 3.5 -> 4, -2.5 -> -2.
// Non-finite values come back unchanged.
double roundHalfEven(double x);

// Whole-number conversion into a 16-bit or 32-bit field (halves to even).
// Throws WholeNumberOverflow when the rounded value does not fit or x is NaN or infinite.
std::int16_t toInt16(double x);
std::int32_t toInt32(double x);

// The value as a single-precision field holds it (nearest float), for quantities such as the
// ground profile's chainages that are kept in single precision: 1234567.891 -> 1234567.875.
inline float toSingle(double x) {
    return static_cast<float>(x);
}

// Decimal rounding to d places in which a remainder of exactly one half rounds down:
// roundOff(2.5, 0) = 2, roundOff(2.51, 0) = 3, roundOff(-1.3, 0) = -1, roundOff(0.0126, 3) = 0.013.
double roundOff(double x, int d);

}  // namespace plovis
