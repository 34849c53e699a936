#include "shell/date_display.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <optional>

#include "shell/number_display.h"

namespace plovis {
namespace {

constexpr long kSecondsPerDay = 86400;
constexpr double kLastSerial = 2958466;  // 10000-01-01

const char* const kMonths[] = {"January",   "February", "March",    "April",
                               "May",       "June",     "July",     "August",
                               "September", "October",  "November", "December"};
const char* const kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};

// A serial taken apart, to the nearest second.
struct CivilTime {
    long year = 1900, month = 1, day = 0, weekday = 6;  // serial 0 reads as 1900-01-00, a Saturday
    long hour = 0, minute = 0, second = 0;
    long elapsedHours = 0;
};

CivilTime civilTime(double serial) {
    const long total = std::lround(serial * kSecondsPerDay);
    const long serialDay = total / kSecondsPerDay;
    const long seconds = total % kSecondsPerDay;
    CivilTime t;
    t.hour = seconds / 3600;
    t.minute = seconds / 60 % 60;
    t.second = seconds % 60;
    t.elapsedHours = total / 3600;
    if (serialDay == 0) return t;
    // Spreadsheet programs count a 29 February 1900 that never was; serial 1 is a Sunday to them.
    t.weekday = (serialDay - 1) % 7;
    const long days = serialDay > 59 ? serialDay - 1 : serialDay;
    // Days since 1970-01-01 to the civil date (proleptic Gregorian calendar).
    const long z = days - 25568 + 719468;
    const long era = z / 146097;
    const long doe = z - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    t.day = doy - (153 * mp + 2) / 5 + 1;
    t.month = mp < 10 ? mp + 3 : mp - 9;
    t.year = yoe + era * 400 + (t.month <= 2 ? 1 : 0);
    return t;
}

std::string padded(long v, int width) {
    char buf[24];
    std::snprintf(buf, sizeof buf, "%0*ld", width, v);
    return buf;
}

char folded(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

bool startsWithFolded(std::string_view text, std::size_t at, std::string_view word) {
    if (text.size() - at < word.size()) return false;
    for (std::size_t k = 0; k < word.size(); ++k)
        if (folded(text[at + k]) != word[k]) return false;
    return true;
}

// The next date or time letter at or after `from`, quoted literals passed over; 0 for none.
char nextCodeLetter(std::string_view code, std::size_t from) {
    for (std::size_t i = from; i < code.size(); ++i) {
        const char c = folded(code[i]);
        if (c == '"') {
            const std::size_t end = code.find('"', i + 1);
            if (end == std::string_view::npos) return 0;
            i = end;
        } else if (c == '\\') {
            ++i;
        } else if (c == 'y' || c == 'm' || c == 'd' || c == 'h' || c == 's') {
            return c;
        }
    }
    return 0;
}

// A run of one code letter (`count` of them) with the time taken apart.
std::string part(char letter, std::size_t count, const CivilTime& t, bool twelveHour, bool minute) {
    switch (letter) {
        case 'y':
            return count <= 2 ? padded(t.year % 100, 2) : padded(t.year, 4);
        case 'd':
            if (count <= 2) return padded(t.day, static_cast<int>(count));
            return count == 3 ? std::string(kWeekdays[t.weekday], 3) : kWeekdays[t.weekday];
        case 'm':
            if (count <= 2) return padded(minute ? t.minute : t.month, static_cast<int>(count));
            if (count == 3) return std::string(kMonths[t.month - 1], 3);
            return count == 4 ? kMonths[t.month - 1] : std::string(kMonths[t.month - 1], 1);
        case 'h': {
            const long hour = twelveHour ? (t.hour + 11) % 12 + 1 : t.hour;
            return padded(hour, count >= 2 ? 2 : 1);
        }
        default:  // 's'
            return padded(t.second, count >= 2 ? 2 : 1);
    }
}

}  // namespace

std::string dateCodeDisplay(double serial, std::string_view code) {
    if (!(serial >= 0 && serial < kLastSerial)) return generalDisplay(serial);
    const CivilTime t = civilTime(serial);
    bool twelveHour = false;  // an AM/PM outside the code's literals
    std::string literals;
    for (std::size_t i = 0; i < code.size();) {
        if (readCodeLiteral(code, i, literals)) continue;
        twelveHour =
            twelveHour || startsWithFolded(code, i, "am/pm") || startsWithFolded(code, i, "a/p");
        ++i;
    }
    std::string out;
    char lastLetter = 0;
    for (std::size_t i = 0; i < code.size();) {
        const char c = code[i];
        const char letter = folded(c);
        if (startsWithFolded(code, i, "[h")) {  // elapsed hours
            out += std::to_string(t.elapsedHours);
            lastLetter = 'h';
            i = std::min(code.find(']', i), code.size()) + 1;
        } else if (readCodeLiteral(code, i, out)) {
            continue;
        } else if (startsWithFolded(code, i, "am/pm") || startsWithFolded(code, i, "a/p")) {
            const bool long_ = startsWithFolded(code, i, "am/pm");
            out += t.hour < 12 ? (long_ ? "AM" : "A") : (long_ ? "PM" : "P");
            i += long_ ? 5 : 3;
        } else if (letter == 'y' || letter == 'm' || letter == 'd' || letter == 'h' ||
                   letter == 's') {
            std::size_t count = 1;
            while (i + count < code.size() && folded(code[i + count]) == letter)
                ++count;
            const bool minute = letter == 'm' && count <= 2 &&
                                (lastLetter == 'h' || nextCodeLetter(code, i + count) == 's');
            out += part(letter, count, t, twelveHour, minute);
            lastLetter = letter;
            i += count;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace plovis
