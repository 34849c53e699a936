#include "design/colebrook_white.h"

#include <cmath>
#include <string>

#include "common/number_format.h"
#include "design/computation_error.h"

namespace plovis {
namespace {

double divide(double numerator, double denominator, const char* what) {
    if (denominator == 0)
        throw ComputationError(std::string("division by zero: ") + what + " is 0");
    const double q = numerator / denominator;
    if (!std::isfinite(q)) throw ComputationError(std::string("overflow in dividing by ") + what);
    return q;
}

}  // namespace

double logTen(double x) {
    if (!(x > 0) || !std::isfinite(x)) {
        throw ComputationError("the logarithm of " + generalForm(x) + " has no value");
    }
    return std::log(x) / std::log(10.0);
}

FrictionFactor colebrookWhite(double diameterMm, double roughnessM, double reynolds) {
    double lo = 0;
    double hi = 1;
    double g = 0;
    FrictionFactor out;
    while (std::fabs(g - 1) > 1e-11) {
        const double f = (lo + hi) / 2;
        if (f <= lo || f >= hi) {
            throw ComputationError("the Colebrook-White equation has no root between 0 and 1");
        }
        out.factor = f;
        ++out.midpoints;
        const double relativeRoughness =
            divide(roughnessM, 3.7 * diameterMm / 1000, "the diameter");
        const double rootF = std::pow(f, 0.5);
        const double s = divide(2.51, rootF * reynolds, "the Reynolds number") + relativeRoughness;
        g = -2 * rootF * logTen(s);
        if (g <= 1) {
            lo = f;
        } else {
            hi = f;
        }
    }
    return out;
}

}  // namespace plovis
