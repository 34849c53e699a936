#include "hosts/xlsx/text_check.h"

#include <cstdio>
#include <string>

namespace plovis::xlsx {
namespace {

// How much of the text before a fault a message quotes, in bytes.
constexpr std::size_t kQuoted = 24;

// The length of the UTF-8 sequence at text[i] and its code point; 0 when it is not one
// (a stray continuation byte, a sequence cut short, an overlong form, a surrogate, beyond
// U+10FFFF).
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& code) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned lead = byte(i);
    std::size_t length = 0;
    char32_t least = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, code = lead & 0x1F, least = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, code = lead & 0x0F, least = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, code = lead & 0x07, least = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(i + k) & 0x3F);
    }
    if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
    return length;
}

// The characters XML 1.0 allows.
bool xmlAllows(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || c >= 0x10000;
}

// The well-formed text before offset i, at most kQuoted bytes, cut at a character's start.
std::string before(std::string_view text, std::size_t i) {
    std::size_t from = i > kQuoted ? i - kQuoted : 0;
    while (from < i && (static_cast<unsigned char>(text[from]) & 0xC0) == 0x80)
        ++from;
    return from == i ? std::string()
                     : " after \"" + std::string(text.substr(from, i - from)) + "\"";
}

}  // namespace

void checkText(std::string_view text) {
    char32_t code = 0;
    for (std::size_t i = 0; i < text.size();) {
        // Most text is plain ASCII: passed over byte by byte.
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x80) {
            ++i;
            continue;
        }
        const std::size_t length = sequenceAt(text, i, code);
        char buffer[48];
        if (length == 0) {
            std::snprintf(buffer, sizeof buffer, "(the byte 0x%02X", c);
            throw TextProblem("text that is not UTF-8 " + std::string(buffer) + before(text, i) +
                              ")");
        }
        if (!xmlAllows(code)) {
            std::snprintf(buffer, sizeof buffer, "the character U+%04X",
                          static_cast<unsigned>(code));
            throw TextProblem(std::string(buffer) + ", which XML does not allow" +
                              (i ? " (" + before(text, i).substr(1) + ")" : std::string()));
        }
        i += length;
    }
}

}  // namespace plovis::xlsx
