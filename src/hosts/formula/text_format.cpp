#include "hosts/formula/text_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/text.h"
#include "hosts/formula/value.h"

namespace plovis::formula {
namespace {

// A picture's section taken apart: the literal text around the number and how the number is
// written.
struct Picture {
    std::string prefix, suffix;
    int integerZeros = 0;    // 0 placeholders before the point: digits always written
    int decimalZeros = 0;    // 0 after the point
    int decimalDigits = 0;   // 0, # and ? after the point
    int exponentZeros = -1;  // digits of the exponent; -1: no exponent
    bool exponentPlus = false;
    bool thousands = false;
    bool point = false;
    int percent = 0;  // each % multiplies by 100
    int scale = 0;    // each comma after the last digit divides by 1000
    bool dates = false;
};

std::vector<std::string> sections(std::string_view picture) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < picture.size(); ++i) {
        const char c = picture[i];
        if (c == '"') quoted = !quoted;
        if (c == '\\' && i + 1 < picture.size()) {
            out.back() += picture.substr(i++, 2);
        } else if (c == ';' && !quoted) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

bool isPlaceholder(char c) {
    return c == '0' || c == '#' || c == '?';
}

Picture read(std::string_view s) {
    Picture p;
    bool seenDigit = false, pendingComma = false;
    int commas = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        std::string& literal = seenDigit ? p.suffix : p.prefix;
        if (c == '"') {
            const std::size_t end = s.find('"', i + 1);
            literal += s.substr(i + 1, end == std::string_view::npos ? s.npos : end - i - 1);
            i = end == std::string_view::npos ? s.size() : end;
        } else if (c == '\\' && i + 1 < s.size()) {
            literal += s[++i];
        } else if (isPlaceholder(c) && p.exponentZeros < 0) {
            if (pendingComma && !p.point) p.thousands = true;
            pendingComma = false;
            commas = 0;
            seenDigit = true;
            p.suffix.clear();
            if (p.point) {
                ++p.decimalDigits;
                p.decimalZeros += c == '0';
            } else {
                p.integerZeros += c == '0';
            }
        } else if (c == '0' && p.exponentZeros >= 0) {
            ++p.exponentZeros;
        } else if (c == '.' && !p.point) {
            p.point = true;
            seenDigit = true;
        } else if (c == ',' && seenDigit) {
            pendingComma = true;
            ++commas;
        } else if ((c == 'E' || c == 'e') && seenDigit && i + 1 < s.size() &&
                   (s[i + 1] == '+' || s[i + 1] == '-')) {
            p.exponentPlus = s[++i] == '+';
            p.exponentZeros = 0;
        } else if (std::string_view("yYdDhHsSmM").find(c) != std::string_view::npos) {
            p.dates = true;
        } else {
            if (c == '%') ++p.percent;
            literal += c;
        }
    }
    if (pendingComma) p.scale = commas;
    return p;
}

// Pictures write at most this many decimals; more would only write the double's noise.
constexpr int kMaxDecimals = 30;

std::string fixed(double x, int decimals) {
    decimals = std::min(decimals, kMaxDecimals);
    const double scale = std::pow(10.0, decimals);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", x * scale);
    const double rounded = std::round(std::strtod(buffer, nullptr)) / scale;
    std::vector<char> out(400);
    std::snprintf(out.data(), out.size(), "%.*f", decimals, rounded);
    return out.data();
}

std::string grouped(const std::string& digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

// The number (not negative) written by the picture's placeholders.
std::string number(double x, const Picture& p) {
    int exponent = 0;
    if (p.exponentZeros >= 0 && x != 0) {
        exponent = static_cast<int>(std::floor(std::log10(x))) - std::max(p.integerZeros, 1) + 1;
        x /= std::pow(10.0, exponent);
        if (std::stod(fixed(x, p.decimalDigits)) >= std::pow(10.0, std::max(p.integerZeros, 1))) {
            x /= 10;
            ++exponent;
        }
    }
    std::string text = fixed(x, p.decimalDigits);
    const std::size_t dot = text.find('.');
    std::string whole = text.substr(0, dot),
                fraction = dot == text.npos ? "" : text.substr(dot + 1);
    while (static_cast<int>(fraction.size()) > p.decimalZeros && !fraction.empty() &&
           fraction.back() == '0') {
        fraction.pop_back();
    }
    if (whole == "0" && p.integerZeros == 0) whole.clear();
    while (static_cast<int>(whole.size()) < p.integerZeros)
        whole.insert(whole.begin(), '0');
    if (p.thousands) whole = grouped(whole);
    std::string out = whole + (p.point ? "." + fraction : "");
    if (p.exponentZeros >= 0) {
        std::string e = std::to_string(std::abs(exponent));
        while (static_cast<int>(e.size()) < p.exponentZeros)
            e.insert(e.begin(), '0');
        out += std::string("E") + (exponent < 0 ? "-" : p.exponentPlus ? "+" : "") + e;
    }
    return out;
}

}  // namespace

std::optional<std::string> formatText(double value, std::string_view picture) {
    if (picture.empty()) return std::string();  // no picture writes nothing, not General
    const std::vector<std::string> parts = sections(picture);
    std::string_view section = parts[0];
    bool sign = value < 0;
    if (value < 0 && parts.size() >= 2) {
        section = parts[1];
        sign = false;
    } else if (value == 0 && parts.size() >= 3) {
        section = parts[2];
    }
    if (equalsIgnoringCase(trimBlanks(section), "General") || trimBlanks(section).empty()) {
        return (sign ? "-" : "") + numberText(std::abs(value));
    }
    const Picture p = read(section);
    if (p.dates) return std::nullopt;
    double x = std::abs(value) * std::pow(100.0, p.percent) / std::pow(1000.0, p.scale);
    std::string digits = number(x, p);
    const bool zero = digits.find_first_of("123456789") == std::string::npos;
    return (sign && !zero ? "-" : "") + p.prefix + digits + p.suffix;
}

}  // namespace plovis::formula
