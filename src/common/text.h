#pragma once
// Text helpers shared by every reader of labels, names and codes.

#include <string>
#include <string_view>

namespace plovis {

// Upper case of the ASCII letters; other bytes (UTF-8 included) unchanged.
std::string upperCase(std::string_view text);

// Text comparison ignoring case: both texts upper-cased, then compared character by character.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// The text without blanks (spaces) at either end, as a trimmed cell or box value is read.
std::string_view trimBlanks(std::string_view text);

}  // namespace plovis
