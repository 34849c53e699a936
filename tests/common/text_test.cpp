#include "common/text.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

TEST(Text, ComparisonIgnoresCaseOnly) {
    EXPECT_TRUE(equalsIgnoringCase("Branch A", "BRANCH a"));
    EXPECT_TRUE(equalsIgnoringCase("", ""));
    EXPECT_FALSE(equalsIgnoringCase("A1", "A1 "));
    EXPECT_FALSE(equalsIgnoringCase("cc3", "cc4"));
    EXPECT_FALSE(equalsIgnoringCase("[", "{"));  // 0x5B and 0x7B differ by the case bit only
    EXPECT_TRUE(equalsIgnoringCase("Zürich", "ZüRICH"));
}

TEST(Text, UpperCaseTouchesAsciiLettersOnly) {
    EXPECT_EQ(upperCase("bpt2-x{}"), "BPT2-X{}");
    EXPECT_EQ(upperCase("é"), "é");
}

TEST(Text, TrimBlanksAtBothEnds) {
    EXPECT_EQ(trimBlanks("  A1  "), "A1");
    EXPECT_EQ(trimBlanks("   "), "");
    EXPECT_EQ(trimBlanks(""), "");
    EXPECT_EQ(trimBlanks("a b"), "a b");
    EXPECT_EQ(trimBlanks("\tx"), "\tx");  // only blanks are trimmed
}

}  // namespace
}  // namespace plovis
