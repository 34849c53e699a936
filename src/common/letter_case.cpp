#include "common/letter_case.h"

#include "common/utf8.h"

namespace plovis {
namespace {

// Capitals first..last and their small letters: each at `offset` from its capital, or
// (alternating) capitals and small letters taking turns, Ā ā Ă ă ...
struct Letters {
    char32_t first, last;
    int offset;
    bool alternating;
};

constexpr Letters kLetters[] = {
    {0x41, 0x5A, 0x20, false},     // A-Z
    {0xC0, 0xD6, 0x20, false},     // À-Ö
    {0xD8, 0xDE, 0x20, false},     // Ø-Þ
    {0x100, 0x12E, 1, true},       // Ā-Į
    {0x132, 0x136, 1, true},       // Ĳ-Ķ
    {0x139, 0x147, 1, true},       // Ĺ-Ň
    {0x14A, 0x176, 1, true},       // Ŋ-Ŷ
    {0x178, 0x178, -0x79, false},  // Ÿ ÿ
    {0x179, 0x17D, 1, true},       // Ź-Ž
    {0x386, 0x386, 0x26, false},   // Ά
    {0x388, 0x38A, 0x25, false},   // Έ-Ί
    {0x38C, 0x38C, 0x40, false},   // Ό
    {0x38E, 0x38F, 0x3F, false},   // Ύ Ώ
    {0x391, 0x3A1, 0x20, false},   // Α-Ρ
    {0x3A3, 0x3AB, 0x20, false},   // Σ-Ϋ
    {0x3D8, 0x3EE, 1, true},       // Ϙ-Ϯ
    {0x400, 0x40F, 0x50, false},   // Ѐ-Џ
    {0x410, 0x42F, 0x20, false},   // А-Я
    {0x460, 0x480, 1, true},       // Ѡ-Ҁ
    {0x48A, 0x4BE, 1, true},       // Ҋ-Ҿ
    {0x4C0, 0x4C0, 0xF, false},    // Ӏ ӏ
    {0x4C1, 0x4CD, 1, true},       // Ӂ-Ӎ
    {0x4D0, 0x52E, 1, true},       // Ӑ-Ԯ
};

bool isCapital(const Letters& l, char32_t c) {
    return c >= l.first && c <= l.last && (!l.alternating || (c - l.first) % 2 == 0);
}

// ASCII first: labels are mostly ASCII, and a long book folds millions of their characters.
char32_t upper(char32_t c) {
    if (c < 0x80) return c >= 'a' && c <= 'z' ? c - 0x20 : c;
    if (c == 0x3C2) return 0x3A3;  // the final sigma ς is a small Σ too
    for (const Letters& l : kLetters) {
        if (isCapital(l, c - l.offset)) return c - l.offset;
    }
    return c;
}

char32_t lower(char32_t c) {
    if (c < 0x80) return c >= 'A' && c <= 'Z' ? c + 0x20 : c;
    for (const Letters& l : kLetters) {
        if (isCapital(l, c)) return c + l.offset;
    }
    return c;
}

// Every letter mapped is ASCII or written in two bytes; other characters are copied as they are.
template <typename Map>
std::string mapped(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        const auto next = i + 1 < text.size() ? static_cast<unsigned char>(text[i + 1]) : 0;
        if (b < 0x80) {
            out += static_cast<char>(map(b));
        } else if ((b & 0xE0) == 0xC0 && (next & 0xC0) == 0x80) {
            appendUtf8(out, map(static_cast<char32_t>(((b & 0x1F) << 6) | (next & 0x3F))));
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string upperLetters(std::string_view text) {
    return mapped(text, upper);
}

std::string lowerLetters(std::string_view text) {
    return mapped(text, lower);
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && upperLetters(a) == upperLetters(b);
}

}  // namespace plovis
