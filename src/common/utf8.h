#pragma once
// UTF-8, the encoding of every text PLOVIS keeps in memory.

#include <string>

namespace plovis {

// Appends a code point (at most U+10FFFF) as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace plovis
