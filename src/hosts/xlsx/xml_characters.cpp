#include "hosts/xlsx/xml_characters.h"

#include <cstdio>

namespace plovis::xlsx {
namespace {

std::string hex(unsigned value, int digits, const char* prefix) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return prefix + std::string(text);
}

// The length of the UTF-8 sequence at text[i] and its code point, or 0 when the bytes there are
// not a well-formed sequence (RFC 3629: no overlong forms, no surrogates, nothing past U+10FFFF).
std::size_t sequenceAt(std::string_view text, std::size_t i, char32_t& code) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    const unsigned lead = byte(0);
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    std::size_t length = 0;
    unsigned low = 0x80, high = 0xBF;  // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // beyond: the surrogates D800-DFFF
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size() || byte(1) < low || byte(1) > high) return 0;
    code = lead & (0xFF >> (length + 1));
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) return 0;
        code = (code << 6) | (byte(k) & 0x3F);
    }
    return length;
}

bool surrogateAt(std::string_view text, std::size_t i) {
    return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xED &&
           static_cast<unsigned char>(text[i + 1]) >= 0xA0;
}

}  // namespace

std::optional<ForbiddenCharacter> forbiddenInXml(std::string_view text, bool controlsEscaped) {
    std::size_t character = 1;
    for (std::size_t i = 0; i < text.size(); ++character) {
        char32_t code = 0;
        const std::size_t length = sequenceAt(text, i, code);
        if (length == 0) {
            const auto b = static_cast<unsigned char>(text[i]);
            return ForbiddenCharacter{
                character, surrogateAt(text, i) ? "a UTF-16 surrogate on its own"
                                                : hex(b, 2, "a byte that is not UTF-8 (0x") + ")"};
        }
        i += length;
        if (controlsEscaped) continue;
        if (code < 0x20 && code != '\t' && code != '\n' && code != '\r')
            return ForbiddenCharacter{character, hex(code, 4, "the control character U+")};
        if (code == 0xFFFE || code == 0xFFFF)
            return ForbiddenCharacter{character, hex(code, 4, "the non-character U+")};
    }
    return std::nullopt;
}

std::string describe(const ForbiddenCharacter& found) {
    return found.what + " at character " + std::to_string(found.character);
}

}  // namespace plovis::xlsx
