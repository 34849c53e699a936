#include "hosts/xlsx/cell_values.h"

#include <charconv>
#include <cmath>

#include "common/cell_address.h"

namespace plovis::xlsx {
namespace {

std::string_view trimmed(std::string_view t) {
    const auto isSpace = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    while (!t.empty() && isSpace(t.front()))
        t.remove_prefix(1);
    while (!t.empty() && isSpace(t.back()))
        t.remove_suffix(1);
    return t;
}

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
long daysFromCivil(long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

bool readDigits(std::string_view& t, std::size_t count, unsigned& value) {
    if (t.size() < count) return false;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + count, value);
    if (ec != std::errc() || end != t.data() + count) return false;
    t.remove_prefix(count);
    return true;
}

bool expect(std::string_view& t, char c) {
    if (t.empty() || t.front() != c) return false;
    t.remove_prefix(1);
    return true;
}

// "HH:MM[:SS[.fff]]" as a fraction of the day.
std::optional<double> timeFraction(std::string_view t) {
    unsigned h = 0, m = 0, s = 0;
    if (!readDigits(t, 2, h) || !expect(t, ':') || !readDigits(t, 2, m)) return std::nullopt;
    double seconds = 0;
    if (expect(t, ':')) {
        if (!readDigits(t, 2, s)) return std::nullopt;
        seconds = s;
        if (!t.empty() && t.front() == '.') {
            std::size_t n = 1;
            while (n < t.size() && t[n] >= '0' && t[n] <= '9')
                ++n;
            double fraction = 0;
            std::from_chars(t.data(), t.data() + n, fraction);
            seconds += fraction;
            t.remove_prefix(n);
        }
    }
    if (h > 24 || m > 59 || seconds >= 61) return std::nullopt;
    return (h * 3600.0 + m * 60.0 + seconds) / 86400.0;  // a zone (Z, +02:00) is not shifted
}

}  // namespace

ReferenceCheck parseCellReference(std::string_view text, int& row, int& column) {
    if (text.find('$') != std::string_view::npos) return ReferenceCheck::Malformed;
    ReferencePart part;
    switch (lexReferencePart(text, part)) {
        case ReferenceFault::None:
            if (part.column == 0 || part.row == 0) return ReferenceCheck::Malformed;
            row = part.row;
            column = part.column;
            return ReferenceCheck::Ok;
        case ReferenceFault::ColumnBeyond:
        case ReferenceFault::RowBeyond:
            return part.column == 0 ? ReferenceCheck::Malformed : ReferenceCheck::BeyondSheet;
        default:
            return ReferenceCheck::Malformed;
    }
}

ReferenceCheck parseRowNumber(std::string_view text, int& row) {
    if (text.empty() || text.size() > 10) return ReferenceCheck::Malformed;
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < 1) {
        return ReferenceCheck::Malformed;
    }
    if (value > kMaxRows) return ReferenceCheck::BeyondSheet;
    row = static_cast<int>(value);
    return ReferenceCheck::Ok;
}

std::optional<double> parseStoredNumber(std::string_view text) {
    text = trimmed(text);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    if (text.empty()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::string storedNumber(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, ec == std::errc() ? end : buffer);
}

std::optional<double> dateSerial(std::string_view iso, bool date1904) {
    std::string_view t = trimmed(iso);
    unsigned y = 0, m = 0, d = 0;
    if (!readDigits(t, 4, y) || !expect(t, '-') || !readDigits(t, 2, m) || !expect(t, '-') ||
        !readDigits(t, 2, d) || m < 1 || m > 12 || d < 1 || d > 31) {
        return std::nullopt;
    }
    double fraction = 0;
    if (expect(t, 'T')) {
        const auto f = timeFraction(t);
        if (!f) return std::nullopt;
        fraction = *f;
    }
    const long days = daysFromCivil(y, m, d);
    if (date1904) return static_cast<double>(days - daysFromCivil(1904, 1, 1)) + fraction;
    // Spreadsheet programs count 1900 as a leap year, so serials before March 1900 are one less.
    long serial = days - daysFromCivil(1899, 12, 30);
    if (days < daysFromCivil(1900, 3, 1)) serial -= 1;
    return static_cast<double>(serial) + fraction;
}

}  // namespace plovis::xlsx
