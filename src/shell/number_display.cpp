#include "shell/number_display.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/number_format.h"
#include "shell/date_display.h"

namespace plovis {
namespace {

std::string trimPoint(std::string text) {
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

// "1.23457E+11": the mantissa to `decimals` places with trailing zeros dropped (when `trim`).
std::string scientific(double value, int decimals, int exponentDigits, bool trim) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*E", decimals, value);
    std::string text = buf;
    const std::size_t e = text.find('E');
    std::string mantissa = text.substr(0, e);
    if (trim && mantissa.find('.') != std::string::npos) {
        mantissa.erase(mantissa.find_last_not_of('0') + 1);
        mantissa = trimPoint(mantissa);
    }
    const int exponent = std::atoi(text.c_str() + e + 1);
    std::string digits = std::to_string(std::abs(exponent));
    if (static_cast<int>(digits.size()) < exponentDigits)
        digits.insert(0, static_cast<std::size_t>(exponentDigits) - digits.size(), '0');
    return mantissa + (exponent < 0 ? "E-" : "E+") + digits;
}

// The sections of a code split at ';' outside quotes and brackets.
std::vector<std::string_view> sections(std::string_view code) {
    std::vector<std::string_view> out;
    std::size_t start = 0;
    bool quoted = false, bracket = false;
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '"') quoted = !quoted;
        if (quoted) continue;
        if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            bracket = true;
        } else if (c == ']') {
            bracket = false;
        } else if (c == ';' && !bracket) {
            out.push_back(code.substr(start, i - start));
            start = i + 1;
        }
    }
    out.push_back(code.substr(start));
    return out;
}

// A section read: the literals before and after the number, its digit picture and flags.
struct Section {
    std::string_view code;  // as written
    std::string prefix, picture, suffix;
    bool grouping = false, percent = false, general = false, date = false;
    int exponentDigits = -1;  // -1: no exponent
};

bool isDigitPlace(char c) {
    return c == '0' || c == '#' || c == '?';
}

// Reads one character of the section (a literal, an escape, a bracket) into `s`.
void readToken(std::string_view text, std::size_t& i, Section& s) {
    std::string& literal = s.picture.empty() ? s.prefix : s.suffix;
    if (readCodeLiteral(text, i, literal)) return;
    const char c = text[i];
    if (c == '%') s.percent = true;
    const char lower = static_cast<char>(c | 0x20);
    if (lower == 'y' || lower == 'd' || lower == 'h' || lower == 's' || lower == 'm') s.date = true;
    literal += c;
    ++i;
}

Section readSection(std::string_view text) {
    Section s;
    s.code = text;
    if (text.find("General") != std::string_view::npos ||
        text.find("GENERAL") != std::string_view::npos) {
        s.general = true;
        return s;
    }
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        const bool inNumber = !s.picture.empty() && s.suffix.empty();
        if (isDigitPlace(c) ||
            (c == '.' && (inNumber || (i + 1 < text.size() && isDigitPlace(text[i + 1]))))) {
            if (!s.suffix.empty()) {  // digits after a literal: the literal belongs inside
                s.picture += s.suffix;
                s.suffix.clear();
            }
            s.picture += c == '?' ? '#' : c;
            ++i;
        } else if (c == ',' && inNumber) {
            s.grouping = true;
            ++i;
        } else if ((c == 'E' || c == 'e') && inNumber && i + 1 < text.size() &&
                   (text[i + 1] == '+' || text[i + 1] == '-')) {
            i += 2;
            s.exponentDigits = 0;
            while (i < text.size() && isDigitPlace(text[i])) {
                ++s.exponentDigits;
                ++i;
            }
        } else {
            readToken(text, i, s);
        }
    }
    if (!s.picture.empty()) s.date = false;
    return s;
}

// "1234567.5" to "1,234,567.5".
std::string grouped(std::string digits) {
    const std::size_t first = digits.find_first_of("0123456789");
    if (first == std::string::npos) return digits;
    std::size_t end = digits.find_first_not_of("0123456789", first);
    if (end == std::string::npos) end = digits.size();
    for (std::size_t at = end; at > first + 3; at -= 3)
        digits.insert(at - 3, ",");
    return digits;
}

std::string showSection(double magnitude, const Section& s) {
    if (s.general) return generalDisplay(magnitude);
    if (s.date) return dateCodeDisplay(magnitude, s.code);
    if (s.picture.empty()) return s.prefix == "@" ? generalDisplay(magnitude) : s.prefix;
    const double v = s.percent ? magnitude * 100 : magnitude;
    if (s.exponentDigits >= 0) {
        const std::size_t dot = s.picture.find('.');
        const int decimals =
            dot == std::string::npos ? 0 : static_cast<int>(s.picture.size() - dot - 1);
        return s.prefix + scientific(v, decimals, s.exponentDigits, false) + s.suffix;
    }
    std::string digits = formatPicture(v, s.picture);
    if (s.grouping) digits = grouped(digits);
    return s.prefix + digits + s.suffix;
}

}  // namespace

std::string generalDisplay(double value, int width) {
    if (!std::isfinite(value)) return generalForm(value);
    if (value == 0) return "0";
    const double magnitude = std::fabs(value);
    const int budget = width - (value < 0 ? 1 : 0);
    const int integerDigits =
        magnitude < 1 ? 1 : static_cast<int>(std::floor(std::log10(magnitude))) + 1;
    if (magnitude >= 1e-9 && integerDigits <= budget) {
        const int decimals = budget - integerDigits - 1;
        const std::string picture = decimals > 0 ? "0." + std::string(decimals, '#') : "0";
        std::string text = trimPoint(formatPicture(value, picture));
        // Usable unless nothing is left of a tiny value or rounding carried past the width.
        if (text != "0" && text != "-0" && static_cast<int>(text.size()) <= width) return text;
    }
    for (int decimals = 5; decimals >= 0; --decimals) {
        std::string text = scientific(value, decimals, 2, true);
        if (static_cast<int>(text.size()) <= width) return text;
    }
    return std::string(static_cast<std::size_t>(std::max(width, 1)), '#');
}

std::string formatNumberCode(double value, std::string_view code) {
    if (!std::isfinite(value)) return generalForm(value);
    const std::vector<std::string_view> parts = sections(code);
    if (value < 0 && parts.size() >= 2) return showSection(-value, readSection(parts[1]));
    if (value == 0 && parts.size() >= 3) return showSection(0, readSection(parts[2]));
    const Section s = readSection(parts[0]);
    if (value >= 0 || s.general) return s.general ? generalDisplay(value) : showSection(value, s);
    if (s.date) return generalDisplay(value);  // no date before the first day
    std::string shown = showSection(-value, s);
    const bool zero = shown.find_first_of("123456789") == std::string::npos;
    return zero ? shown : "-" + shown;
}

bool readCodeLiteral(std::string_view code, std::size_t& i, std::string& out) {
    const char c = code[i];
    if (c == '"') {
        const std::size_t end = std::min(code.find('"', i + 1), code.size());
        out += code.substr(i + 1, end - i - 1);
        i = end + 1;
    } else if (c == '[') {
        i = std::min(code.find(']', i), code.size()) + 1;
    } else if (c == '\\' || c == '_' || c == '*') {
        if (c == '\\' && i + 1 < code.size()) out += code[i + 1];
        if (c == '_') out += ' ';
        i += 2;
    } else {
        return false;
    }
    return true;
}

std::string builtinFormatCode(int id) {
    switch (id) {
        case 1:
            return "0";
        case 2:
            return "0.00";
        case 3:
            return "#,##0";
        case 4:
            return "#,##0.00";
        case 9:
            return "0%";
        case 10:
            return "0.00%";
        case 11:
            return "0.00E+00";
        case 14:
            return "mm-dd-yy";
        case 15:
            return "d-mmm-yy";
        case 16:
            return "d-mmm";
        case 17:
            return "mmm-yy";
        case 18:
        case 20:
            return "h:mm";
        case 19:
        case 21:
            return "h:mm:ss";
        case 22:
            return "m/d/yy h:mm";
        case 37:
        case 38:
            return "#,##0;-#,##0";
        case 39:
        case 40:
            return "#,##0.00;-#,##0.00";
        case 48:
            return "##0.0E+0";
        case 49:
            return "@";
        default:
            return "General";
    }
}

}  // namespace plovis
