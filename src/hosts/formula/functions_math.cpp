// ABS ... SIGN: numbers in, a number out; a result a cell cannot hold is #NUM!.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>

#include "hosts/formula/function_table.h"

namespace plovis::formula {
namespace {

double checked(double x) {
    if (!std::isfinite(x)) throw Fault{ErrorCode::Num};
    return x;
}

double num(Evaluator& ev, Arguments a, int i, double otherwise = 0) {
    return i < a.count && !ev.isMissing(a[i]) ? argumentNumber(ev, a[i]) : otherwise;
}

// The value to 15 significant digits, as spreadsheet programs see it before rounding: 2.675
// (stored as 2.67499999...) rounds to 2.68 there.
double snapped(double x) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", x);
    return std::strtod(buffer, nullptr);
}

// Rounds x to `digits` decimals (negative: tens, hundreds) with the whole-number rule given.
template <typename Rule>
double roundTo(double x, double digits, Rule rule) {
    const int d = static_cast<int>(std::trunc(digits));
    if (d > 15 || d < -308) return d > 15 ? x : 0.0;
    const double scale = std::pow(10.0, std::abs(d));
    if (d >= 0) return checked(rule(snapped(x * scale)) / scale);
    return checked(rule(snapped(x / scale)) * scale);
}

Operand one(Evaluator& ev, Arguments a, double (*f)(double)) {
    return Value::of(checked(f(num(ev, a, 0))));
}

#define UNARY(NAME, EXPR)                                               \
    {                                                                   \
        NAME, 1, 1, [](Evaluator& ev, Arguments a) -> Operand {         \
            return one(ev, a, [](double x) -> double { return EXPR; }); \
        }                                                               \
    }

double domain(bool ok, double x) {
    if (!ok) throw Fault{ErrorCode::Num};
    return x;
}

Operand multipleOf(Evaluator& ev, Arguments a, bool up) {
    const double x = num(ev, a, 0);
    const double sig = num(ev, a, 1, 1);
    if (sig == 0) {
        if (up) return Value::of(0.0);
        throw Fault{ErrorCode::Div0};
    }
    if (x > 0 && sig < 0) throw Fault{ErrorCode::Num};
    const double q = snapped(x / sig);
    return Value::of(checked((up ? std::ceil(q) : std::floor(q)) * sig));
}

Operand mod(Evaluator& ev, Arguments a) {
    const double x = num(ev, a, 0), y = num(ev, a, 1);
    if (y == 0) throw Fault{ErrorCode::Div0};
    const double r = x - y * std::floor(x / y);
    return Value::of(checked(std::abs(r) < 1e-300 ? 0.0 : r));
}

Operand logarithm(Evaluator& ev, Arguments a) {
    const double x = num(ev, a, 0), base = num(ev, a, 1, 10);
    if (x <= 0 || base <= 0) throw Fault{ErrorCode::Num};
    if (base == 1) throw Fault{ErrorCode::Div0};
    return Value::of(checked(std::log(x) / std::log(base)));
}

Operand atan2Of(Evaluator& ev, Arguments a) {
    const double x = num(ev, a, 0), y = num(ev, a, 1);
    if (x == 0 && y == 0) throw Fault{ErrorCode::Div0};
    return Value::of(std::atan2(y, x));
}

Operand power(Evaluator& ev, Arguments a) {
    const Value v = applyBinary(BinaryOp::Pow, Value::of(num(ev, a, 0)), Value::of(num(ev, a, 1)));
    return v;
}

template <int Mode>  // 0 nearest (half away from zero), 1 away from zero, -1 towards zero
Operand rounding(Evaluator& ev, Arguments a) {
    const double x = num(ev, a, 0), d = num(ev, a, 1);
    return Value::of(roundTo(x, d, [](double y) {
        if constexpr (Mode == 0) return std::round(y);
        if constexpr (Mode == 1) return y < 0 ? std::floor(y) : std::ceil(y);
        return std::trunc(y);
    }));
}

}  // namespace

std::vector<FunctionEntry> mathFunctions() {
    using std::numbers::pi;
    return {
        UNARY("ABS", std::abs(x)),
        UNARY("SQRT", std::sqrt(domain(x >= 0, x))),
        UNARY("EXP", std::exp(x)),
        UNARY("LN", std::log(domain(x > 0, x))),
        UNARY("LOG10", std::log10(domain(x > 0, x))),
        UNARY("SIN", std::sin(x)),
        UNARY("COS", std::cos(x)),
        UNARY("TAN", std::tan(x)),
        UNARY("ASIN", std::asin(domain(x >= -1 && x <= 1, x))),
        UNARY("ACOS", std::acos(domain(x >= -1 && x <= 1, x))),
        UNARY("ATAN", std::atan(x)),
        UNARY("DEGREES", x * 180 / pi),
        UNARY("RADIANS", x * pi / 180),
        UNARY("INT", std::floor(x)),
        UNARY("SIGN", static_cast<double>((x > 0) - (x < 0))),
        {"PI", 0, 0, [](Evaluator&, Arguments) -> Operand { return Value::of(pi); }},
        {"POWER", 2, 2, power},
        {"LOG", 1, 2, logarithm},
        {"ATAN2", 2, 2, atan2Of},
        {"MOD", 2, 2, mod},
        {"TRUNC", 1, 2, rounding<-1>},
        {"ROUND", 2, 2, rounding<0>},
        {"ROUNDUP", 2, 2, rounding<1>},
        {"ROUNDDOWN", 2, 2, rounding<-1>},
        {"CEILING", 1, 2, [](Evaluator& ev, Arguments a) { return multipleOf(ev, a, true); }},
        {"FLOOR", 1, 2, [](Evaluator& ev, Arguments a) { return multipleOf(ev, a, false); }},
    };
}

}  // namespace plovis::formula
