#pragma once
// Upper and lower case of text as UPPER and LOWER give it: the letters of Latin (with the
// accented letters of Western and Central European languages), Greek and Cyrillic; any other
// character unchanged. The same whatever the machine's language settings.

#include <string>
#include <string_view>

namespace plovis::formula {

std::string upperLetters(std::string_view text);
std::string lowerLetters(std::string_view text);
// Whether two texts are the same but for the case of their letters, as comparisons and lookups
// match them ("Ōmuta" and "ŌMUTA").
bool sameLetters(std::string_view a, std::string_view b);

}  // namespace plovis::formula
