#include "common/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "common/leading_number.h"

namespace plovis {
namespace {

// A non-negative decimal number as a digit string and the position of its decimal point:
// digits "12345" with point 2 is 12.345; point -1 would be 0.012345.
struct Decimal {
    std::string digits;  // most significant first, no sign
    int point = 0;       // number of digits before the decimal point (may be <= 0 or > size)
};

constexpr double kPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};  // all exact
constexpr std::int64_t kFifteenDigits = 100'000'000'000'000;                   // 10^14

// A magnitude to 15 significant digits: digits · 10^(point − 15), 10^14 ≤ digits < 10^15.
struct Fifteen {
    std::int64_t digits = 0;
    int point = 0;
};

// The 15 digits in floating point: the magnitude scaled to 15 digits before its point is off the
// exact product by at most 1/16, so when its fraction lies clear of one half the rounding is the
// exact one. Near a tie, or out of the range of exact powers of ten, nothing.
std::optional<Fifteen> quickFifteen(double a) {
    int binary = 0;
    std::frexp(a, &binary);
    int decade = static_cast<int>(std::floor((binary - 1) * 0.30102999566398120));  // or one low
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int scale = 14 - decade;
        if (scale < 0 || scale > 22) return std::nullopt;
        const double scaled = a * kPowersOfTen[scale];
        if (scaled >= 1e15) {
            ++decade;
            continue;
        }
        if (scaled < 1e14) {
            --decade;
            continue;
        }
        const double whole = std::floor(scaled);
        const double fraction = scaled - whole;
        if (std::fabs(fraction - 0.5) < 0.125) return std::nullopt;
        const auto digits = static_cast<std::int64_t>(fraction > 0.5 ? whole + 1 : whole);
        if (digits == 10 * kFifteenDigits) return Fifteen{kFifteenDigits, decade + 2};
        return Fifteen{digits, decade + 1};
    }
    return std::nullopt;
}

// |value| (finite, not zero) to 15 significant digits, correctly rounded as printf's "%.14e".
Fifteen fifteen(double value) {
    const double a = std::fabs(value);
    if (const auto quick = quickFifteen(a)) return *quick;
    char buf[64];
    const auto end =
        std::to_chars(buf, buf + sizeof buf - 1, a, std::chars_format::scientific, 14).ptr;
    *end = '\0';
    // buf is "d.dddddddddddddde[+-]XX"
    Fifteen f{buf[0] - '0', std::atoi(buf + 17) + 1};
    for (const char* p = buf + 2; p < buf + 16; ++p)
        f.digits = f.digits * 10 + (*p - '0');
    return f;
}

// Whether the general form writes a number with this many digits before its point in full,
// not in scientific form: from 1E-04 to 15 digits before the point.
bool writtenInFull(int point) {
    return point >= -3 && point <= 15;
}

// |value| to 15 significant digits, the precision spreadsheet programs work to.
Decimal decimal15(double value) {
    if (value == 0 || !std::isfinite(value)) return Decimal{std::string(15, '0'), 1};
    const Fifteen f = fifteen(value);
    char buf[24];
    return Decimal{std::string(buf, std::to_chars(buf, buf + sizeof buf, f.digits).ptr), f.point};
}

// Rounds d to `decimals` places after its point, a half away from zero. Digits after the kept
// ones are dropped; the result may gain a leading digit ("999.96" to one place is "1000.0").
Decimal roundTo(Decimal d, int decimals) {
    const int keep = d.point + decimals;
    if (keep < 0) return Decimal{"", d.point};
    if (keep >= static_cast<int>(d.digits.size())) {
        d.digits.append(keep - d.digits.size(), '0');
        return d;
    }
    const bool up = d.digits[keep] >= '5';
    d.digits.resize(keep);
    if (up) {
        int i = keep - 1;
        while (i >= 0 && d.digits[i] == '9')
            d.digits[i--] = '0';
        if (i >= 0) {
            ++d.digits[i];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.point;
        }
    }
    return d;
}

bool isPlaceholder(char c) {
    return c == '0' || c == '#';
}

// The integer part of the picture filled right to left with the integer digits.
std::string fillInteger(std::string_view picture, const std::string& intDigits) {
    int remaining = static_cast<int>(intDigits.size());
    std::size_t leftmost = picture.find_first_of("0#");
    std::string out;
    for (std::size_t i = picture.size(); i-- > 0;) {
        const char c = picture[i];
        if (!isPlaceholder(c)) {
            out.insert(out.begin(), c);
            continue;
        }
        if (i == leftmost && remaining > 0) {
            out.insert(0, intDigits.substr(0, remaining));
            remaining = 0;
        } else if (remaining > 0) {
            out.insert(out.begin(), intDigits[--remaining]);
        } else if (c == '0') {
            out.insert(out.begin(), '0');
        }
    }
    if (leftmost == std::string_view::npos && remaining > 0) {
        out.insert(0, intDigits.substr(0, remaining));  // a picture without integer digits
    }
    return out;
}

// The fraction part of the picture filled left to right; trailing "#" digits that are zero drop.
std::string fillFraction(std::string_view picture, const std::string& fracDigits) {
    std::size_t lastNeeded = 0;  // placeholders up to this count must be written
    std::size_t count = 0;
    for (char c : picture) {
        if (!isPlaceholder(c)) continue;
        ++count;
        if (c == '0' || fracDigits[count - 1] != '0') lastNeeded = count;
    }
    std::string out;
    std::size_t k = 0;
    for (char c : picture) {
        if (!isPlaceholder(c)) {
            out.push_back(c);
        } else if (k < lastNeeded) {
            out.push_back(fracDigits[k++]);
        } else {
            ++k;
        }
    }
    return out;
}

}  // namespace

std::string formatPicture(double value, std::string_view picture) {
    if (!std::isfinite(value)) return generalForm(value);
    const std::size_t dot = picture.find('.');
    const std::string_view intPicture = picture.substr(0, dot);
    const std::string_view fracPicture =
        dot == std::string_view::npos ? std::string_view{} : picture.substr(dot + 1);
    int decimals = 0;
    for (char c : fracPicture)
        decimals += isPlaceholder(c) ? 1 : 0;

    const Decimal d = roundTo(decimal15(value), decimals);
    std::string intDigits = d.point > 0 ? d.digits.substr(0, d.point) : std::string{};
    std::string fracDigits = d.point >= 0
                                 ? d.digits.substr(std::min<std::size_t>(d.point, d.digits.size()))
                                 : std::string(-d.point, '0') + d.digits;
    fracDigits.resize(decimals, '0');
    intDigits.erase(0, std::min(intDigits.find_first_not_of('0'), intDigits.size()));

    std::string out = fillInteger(intPicture, intDigits);
    if (dot != std::string_view::npos) out += "." + fillFraction(fracPicture, fracDigits);
    const bool zero = (intDigits + fracDigits).find_first_not_of('0') == std::string::npos;
    if (value < 0 && !zero) out.insert(out.begin(), '-');
    return out;
}

std::string generalForm(double value) {
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    if (value == 0.0) return "0";
    Decimal d = decimal15(value);
    d.digits.erase(d.digits.find_last_not_of('0') + 1);
    const std::string sign = value < 0 ? "-" : "";
    if (!writtenInFull(d.point)) {
        const int exponent = d.point - 1;
        std::string mantissa = d.digits.substr(0, 1);
        if (d.digits.size() > 1) mantissa += "." + d.digits.substr(1);
        char exp[16];
        std::snprintf(exp, sizeof exp, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return sign + mantissa + exp;
    }
    if (d.point <= 0) return sign + "0." + std::string(-d.point, '0') + d.digits;
    if (d.point >= static_cast<int>(d.digits.size())) {
        return sign + d.digits + std::string(d.point - d.digits.size(), '0');
    }
    return sign + d.digits.substr(0, d.point) + "." + d.digits.substr(d.point);
}

double fifteenDigitValue(double value) {
    if (value == 0 || !std::isfinite(value)) return leadingNumber(generalForm(value));
    const Fifteen f = fifteen(value);
    // Written in full, the general form reads back as the digits over a power of ten, both
    // exact, divided with one rounding as reading does.
    if (!writtenInFull(f.point)) return leadingNumber(generalForm(value));
    const double magnitude = static_cast<double>(f.digits) / kPowersOfTen[15 - f.point];
    return value < 0 ? -magnitude : magnitude;
}

std::string strForm(double value) {
    const std::string general = generalForm(value);
    return general.front() == '-' ? general : " " + general;
}

}  // namespace plovis
