#include "hosts/xlsx/xml_text.h"

#include <charconv>

#include "common/utf8.h"

#include "hosts/xlsx/package_error.h"
#include "hosts/xlsx/xml_characters.h"

namespace plovis::xlsx {
namespace {

bool isHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The code point of a character reference's body ("#65", "#x41"), or 0 when malformed.
char32_t numericReference(std::string_view body) {
    if (body.size() < 2 || body[0] != '#') return 0;
    const bool hex = body[1] == 'x';
    const std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return 0;
    unsigned long value = 0;
    const auto [end, ec] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, hex ? 16 : 10);
    if (ec != std::errc() || end != digits.data() + digits.size()) return 0;
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) return 0;
    return static_cast<char32_t>(value);
}

// Whether text[i..] starts an _xHHHH_ escape.
bool startsEscape(std::string_view text, std::size_t i) {
    if (i + 7 > text.size() || text[i] != '_' || text[i + 1] != 'x' || text[i + 6] != '_') {
        return false;
    }
    return isHex(text[i + 2]) && isHex(text[i + 3]) && isHex(text[i + 4]) && isHex(text[i + 5]);
}

void appendEscapeOf(unsigned code, std::string& out) {
    static const char* digits = "0123456789ABCDEF";
    out += "_x";
    for (int shift = 12; shift >= 0; shift -= 4)
        out += digits[(code >> shift) & 0xF];
    out += '_';
}

}  // namespace

bool appendDecoded(std::string_view raw, std::string& out) {
    std::size_t i = 0;
    while (i < raw.size()) {
        const std::size_t amp = raw.find('&', i);
        out.append(raw.substr(i, amp - i));
        if (amp == std::string_view::npos) break;
        const std::size_t semi = raw.find(';', amp);
        if (semi == std::string_view::npos || semi - amp > 12) return false;
        const std::string_view name = raw.substr(amp + 1, semi - amp - 1);
        if (name == "amp") {
            out += '&';
        } else if (name == "lt") {
            out += '<';
        } else if (name == "gt") {
            out += '>';
        } else if (name == "quot") {
            out += '"';
        } else if (name == "apos") {
            out += '\'';
        } else if (const char32_t c = numericReference(name)) {
            appendUtf8(out, c);
        } else {
            return false;
        }
        i = semi + 1;
    }
    return true;
}

std::string_view decodedText(std::string_view raw, std::string& scratch) {
    if (raw.find('&') == std::string_view::npos) return raw;
    scratch.clear();
    if (!appendDecoded(raw, scratch)) {
        throw PackageError("a malformed character reference in \"" +
                           std::string(raw.substr(0, 40)) + "\"");
    }
    return scratch;
}

void appendEscaped(std::string_view text, std::string& out) {
    if (const auto bad = forbiddenInXml(text)) {
        throw PackageError("a text holding " + describe(*bad) + " cannot be written (\"" +
                           std::string(text.substr(0, 40)) + "\")");
    }
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
}

std::string decodeCellTextEscapes(std::string text) {
    if (text.find("_x") == std::string::npos) return text;
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (!startsEscape(text, i)) {
            out += text[i++];
            continue;
        }
        unsigned code = 0;
        std::from_chars(text.data() + i + 2, text.data() + i + 6, code, 16);
        const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
        appendUtf8(out, surrogate ? U'\uFFFD' : static_cast<char32_t>(code));
        i += 7;
    }
    return out;
}

std::string encodeCellTextEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 && c != '\t' && c != '\n') {
            appendEscapeOf(c, out);
        } else if (c == 0xEF && text.substr(i + 1, 2) == "\xBF\xBE") {
            appendEscapeOf(0xFFFE, out);  // the two non-characters, as spreadsheet programs do
            i += 2;
        } else if (c == 0xEF && text.substr(i + 1, 2) == "\xBF\xBF") {
            appendEscapeOf(0xFFFF, out);
            i += 2;
        } else if (startsEscape(text, i)) {
            appendEscapeOf('_', out);  // the underscore stands for itself
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace plovis::xlsx
