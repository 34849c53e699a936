#include "common/leading_number.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace plovis {
namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Scan {
    std::size_t numberStart = 0;  // first character of the number (its sign, if any)
    std::size_t end = 0;          // one past the number; equals numberStart when there is none
};

std::size_t skipDigits(std::string_view t, std::size_t i) {
    while (i < t.size() && isDigit(t[i]))
        ++i;
    return i;
}

Scan scan(std::string_view t) {
    Scan s;
    std::size_t i = 0;
    while (i < t.size() && isBlank(t[i]))
        ++i;
    s.numberStart = i;
    s.end = i;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) ++i;
    const std::size_t intStart = i;
    i = skipDigits(t, i);
    bool anyDigit = i > intStart;
    if (i < t.size() && t[i] == '.') {
        const std::size_t fracStart = i + 1;
        const std::size_t fracEnd = skipDigits(t, fracStart);
        if (anyDigit || fracEnd > fracStart) {
            anyDigit = true;
            i = fracEnd;
        }
    }
    if (!anyDigit) return s;
    s.end = i;
    // An exponent counts only when at least one digit follows it: "1e" and "1e+" read as 1.
    if (i < t.size() && (t[i] == 'e' || t[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
        const std::size_t expEnd = skipDigits(t, j);
        if (expEnd > j) s.end = expEnd;
    }
    return s;
}

// Rough decimal magnitude of a number text that a double cannot hold: positive when it is huge,
// negative when it is tiny (so it reads as 0 rather than failing).
long magnitudeOf(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool minus = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
            digits.remove_prefix(1);
        for (char c : digits)
            exponent = std::min(exponent * 10 + (c - '0'), 1'000'000L);
        if (minus) exponent = -exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) return -1;  // all zeros
    const long position =
        first < point ? static_cast<long>(point - first) : -static_cast<long>(first - point - 1);
    return position + exponent;
}

}  // namespace

double leadingNumber(std::string_view text) {
    const Scan s = scan(text);
    if (s.end == s.numberStart) return 0.0;
    std::string_view number = text.substr(s.numberStart, s.end - s.numberStart);
    const bool negative = number.front() == '-';
    if (number.front() == '+' || number.front() == '-') number.remove_prefix(1);
    double value = 0.0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitudeOf(number) > 0) {
            throw NumberOverflow("the number \"" + std::string(number) + "\" is too large");
        }
        value = 0.0;
    }
    return negative ? -value : value;
}

std::size_t leadingNumberLength(std::string_view text) {
    const Scan s = scan(text);
    return s.end == s.numberStart ? 0 : s.end;
}

bool isNumberText(std::string_view text) {
    const std::size_t end = text.find_last_not_of(" \t\r\n");
    if (end == std::string_view::npos) return false;
    const std::size_t length = leadingNumberLength(text);
    return length > 0 && length == end + 1;
}

}  // namespace plovis
