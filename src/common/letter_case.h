#pragma once
// Upper and lower case of text as the formula functions UPPER and LOWER give it, and as branch
// names, station labels and node labels are matched: the letters of Latin (with the accented
// letters of Western and Central European languages and the macrons of romanised place names),
// Greek and Cyrillic; any other character unchanged. The same whatever the machine's language
// settings.

#include <string>
#include <string_view>

namespace plovis {

std::string upperLetters(std::string_view text);
std::string lowerLetters(std::string_view text);
// Whether two texts are the same but for the case of their letters, as comparisons and lookups
// match them ("Ōmuta" and "ŌMUTA").
bool sameLetters(std::string_view a, std::string_view b);

}  // namespace plovis
