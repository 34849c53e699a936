#include "hosts/dxf/dxf_text.h"

#include <cctype>
#include <charconv>
#include <cstdint>

#include "common/utf8.h"

namespace plovis {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Windows-1252 at 0x80 to 0x9F; 0xA0 to 0xFF equal their Unicode code points.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// The Windows-1252 byte of a character, or -1 when the code page lacks it.
int cp1252Byte(char32_t c) {
    if (c >= 0xA0 && c <= 0xFF) return static_cast<int>(c);
    for (int k = 0; k < 32; ++k) {
        if (kCp1252High[k] == c && c != kReplacement) return 0x80 + k;
    }
    return -1;
}

// The code point of the UTF-8 sequence at text[i], advancing i past it; kReplacement for an
// invalid sequence (i then advances by one byte).
char32_t nextUtf8(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    const int extra = lead >= 0xC2 && lead <= 0xDF   ? 1
                      : lead >= 0xE0 && lead <= 0xEF ? 2
                      : lead >= 0xF0 && lead <= 0xF4 ? 3
                                                     : 0;
    if (extra == 0 || i + extra >= text.size()) {
        ++i;
        return kReplacement;
    }
    char32_t c = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            ++i;
            return kReplacement;
        }
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (c < kSmallest[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++i;
        return kReplacement;
    }
    i += extra + 1;
    return c;
}

bool hexEscapeAt(std::string_view text, std::size_t i, char32_t& c) {
    if (i + 7 > text.size() || text[i] != '\\' || (text[i + 1] != 'U' && text[i + 1] != 'u') ||
        text[i + 2] != '+') {
        return false;
    }
    unsigned value = 0;
    const char* first = text.data() + i + 3;
    const auto [end, ec] = std::from_chars(first, first + 4, value, 16);
    if (ec != std::errc() || end != first + 4) return false;
    c = value;
    return true;
}

}  // namespace

bool plainDxfText(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 || c >= 0x7F) return false;
    }
    return true;
}

std::string encodeDxfText(std::string_view utf8) {
    if (plainDxfText(utf8)) return std::string(utf8);
    std::string out;
    out.reserve(utf8.size() + 16);
    std::size_t i = 0;
    while (i < utf8.size()) {
        const unsigned char b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out += b < 0x20 || b == 0x7F ? ' ' : static_cast<char>(b);
            ++i;
            continue;
        }
        const char32_t c = nextUtf8(utf8, i);
        if (c == kReplacement || c > 0xFFFF) {
            out += '?';
            continue;
        }
        if (const int b1252 = cp1252Byte(c); b1252 >= 0) {
            out += static_cast<char>(b1252);
            continue;
        }
        char hex[8];
        const auto [end, ec] = std::to_chars(hex, hex + sizeof hex, static_cast<unsigned>(c), 16);
        std::string digits(hex, end);
        for (char& d : digits)
            d = static_cast<char>(std::toupper(static_cast<unsigned char>(d)));
        out += "\\U+" + std::string(4 - digits.size(), '0') + digits;
    }
    return out;
}

std::string decodeDxfText(std::string_view value, bool utf8File) {
    std::string out;
    out.reserve(value.size());
    std::size_t i = 0;
    while (i < value.size()) {
        char32_t c = 0;
        if (hexEscapeAt(value, i, c)) {
            appendUtf8(out, c >= 0xD800 && c <= 0xDFFF ? kReplacement : c);
            i += 7;
            continue;
        }
        const unsigned char b = static_cast<unsigned char>(value[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
            ++i;
        } else if (utf8File) {
            appendUtf8(out, nextUtf8(value, i));
        } else {
            appendUtf8(out, b < 0xA0 ? static_cast<char32_t>(kCp1252High[b - 0x80]) : b);
            ++i;
        }
    }
    return out;
}

}  // namespace plovis
