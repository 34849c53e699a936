#include "common/rounding.h"

#include <cmath>
#include <limits>
#include <string>

namespace plovis {

double roundHalfEven(double x) {
    if (!std::isfinite(x)) return x;
    const double lower = std::floor(x);
    const double remainder = x - lower;
    if (remainder > 0.5) return lower + 1.0;
    if (remainder < 0.5) return lower;
    return std::fmod(lower, 2.0) == 0.0 ? lower : lower + 1.0;
}

namespace {

template <typename Int>
Int toWhole(double x, const char* field) {
    const double r = roundHalfEven(x);
    if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<Int>::min()) ||
        r > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw WholeNumberOverflow("the value " + std::to_string(x) + " does not fit a " + field +
                                  " whole number");
    }
    return static_cast<Int>(r);
}

}  // namespace

std::int16_t toInt16(double x) {
    return toWhole<std::int16_t>(x, "16-bit");
}
std::int32_t toInt32(double x) {
    return toWhole<std::int32_t>(x, "32-bit");
}

double roundOff(double x, int d) {
    const double scale = std::pow(10.0, d);
    const double t = x * scale;
    const double lower = std::floor(t);
    if (t - lower > 0.5) return std::floor(t + 1.0) / scale;
    return lower / scale;
}

}  // namespace plovis
