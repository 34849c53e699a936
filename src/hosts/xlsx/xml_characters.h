#pragma once
// The characters an XML part can hold. XML 1.0 has no way at all, not even a character reference,
// to write most control characters or the non-characters U+FFFE and U+FFFF, and its text must be
// well-formed UTF-8; a part holding anything else is refused by every spreadsheet program as not
// well-formed. Text reaches the writers from cells, formulas and sheet names: each is checked
// here before it is written, so no source of text can make a part malformed.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace plovis::xlsx {

struct ForbiddenCharacter {
    std::size_t character = 0;  // from 1, counting characters (UTF-8 sequences)
    std::string what;           // "the control character U+0001", "a byte that is not UTF-8 (0xFF)"
};

// The first character of the text no part may hold: a byte that does not belong to valid UTF-8
// (a UTF-16 surrogate encoded on its own included), a control character other than tab, line feed
// and carriage return, or U+FFFE / U+FFFF. With controlsEscaped, control characters and those two
// are allowed (the caller writes them as _xHHHH_ escapes).
std::optional<ForbiddenCharacter> forbiddenInXml(std::string_view text,
                                                 bool controlsEscaped = false);

// The text of the finding for a message: "the control character U+0001 at character 3".
std::string describe(const ForbiddenCharacter& found);

}  // namespace plovis::xlsx
