#include "common/text.h"

#include <gtest/gtest.h>

#include <tuple>

namespace plovis {
namespace {

TEST(Text, ComparisonIgnoresCaseOnly) {
    // "[" and "{" (0x5B, 0x7B) differ by the case bit only.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Branch A", "BRANCH a", true}, {"", "", true},    {"A1", "A1 ", false},
        {"cc3", "cc4", false},          {"[", "{", false}, {"Zürich", "ZüRICH", true}};
    for (auto [a, b, equal] : cases)
        EXPECT_EQ(equalsIgnoringCase(a, b), equal) << a << " " << b;
}

TEST(Text, UpperCaseTouchesAsciiLettersOnly) {
    EXPECT_EQ(upperCase("bpt2-x{}"), "BPT2-X{}");
    EXPECT_EQ(upperCase("é"), "é");
}

TEST(Text, TrimBlanksAtBothEnds) {
    const std::pair<const char*, const char*> cases[] = {
        {"  A1  ", "A1"}, {"   ", ""}, {"", ""}, {"a b", "a b"}, {"\tx", "\tx"}};  // blanks only
    for (auto [text, trimmed] : cases)
        EXPECT_EQ(trimBlanks(text), trimmed) << text;
}

}  // namespace
}  // namespace plovis
