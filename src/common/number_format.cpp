#include "common/number_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace plovis {
namespace {

// A non-negative decimal number as a digit string and the position of its decimal point:
// digits "12345" with point 2 is 12.345; point -1 would be 0.012345.
struct Decimal {
    std::string digits;  // most significant first, no sign
    int point = 0;       // number of digits before the decimal point (may be <= 0 or > size)
};

// |value| to 15 significant digits, the precision spreadsheet programs work to.
Decimal decimal15(double value) {
    char buf[64];
    // Correctly rounded as printf's "%.14e" but without its locale and format parsing: a large
    // sheet writes a million numbers through here.
    const auto end = std::to_chars(buf, buf + sizeof buf - 1, std::fabs(value),
                                   std::chars_format::scientific, 14)
                         .ptr;
    *end = '\0';
    // buf is "d.dddddddddddddde[+-]XX"
    Decimal d;
    d.digits.reserve(15);
    d.digits.push_back(buf[0]);
    const char* p = buf + 2;
    while (*p != 'e')
        d.digits.push_back(*p++);
    d.point = std::atoi(p + 1) + 1;
    return d;
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
    const int exponent = d.point - 1;
    if (exponent >= 15 || exponent < -4) {
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

std::string strForm(double value) {
    const std::string general = generalForm(value);
    return general.front() == '-' ? general : " " + general;
}

}  // namespace plovis
