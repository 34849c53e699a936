#include "common/text.h"

#include <gtest/gtest.h>

#include <tuple>

#include "common/cell_address.h"
#include "common/utf8.h"
#include "support/failure_text.h"

namespace plovis {
namespace {

TEST(Text, ComparisonIgnoresCaseOnly) {
    // "[" and "{" (0x5B, 0x7B) differ by the case bit only.
    const std::tuple<const char*, const char*, bool> cases[] = {
        {"Branch A", "BRANCH a", true}, {"", "", true},    {"A1", "A1 ", false},
        {"cc3", "cc4", false},          {"[", "{", false}, {"Zürich", "ZüRICH", true}};
    for (auto [a, b, equal] : cases)
        EXPECT_EQ(equalsIgnoringCase(a, b), equal) << a << " " << b;
    EXPECT_EQ(upperCase("bpt2-x{}é"), "BPT2-X{}é");  // ASCII letters only
    const std::pair<const char*, const char*> trims[] = {
        {"  A1  ", "A1"}, {"   ", ""}, {"", ""}, {"a b", "a b"}, {"\tx", "\tx"}};  // blanks only
    for (auto [text, trimmed] : trims)
        EXPECT_EQ(trimBlanks(text), trimmed) << text;
}

TEST(Utf8, EncodesEachLengthAtItsBoundaries) {
    // clang-format off
    const std::pair<char32_t, const char*> cases[] = {
        {U'A', "A"}, {0x7F, "\x7F"}, {0x80, "\xC2\x80"}, {0xE9, "\xC3\xA9"}, {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"}, {0xFFFD, "\xEF\xBF\xBD"}, {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"}, {0x10FFFF, "\xF4\x8F\xBF\xBF"}};
    // clang-format on
    for (auto [code, bytes] : cases) {
        std::string out = "x";
        appendUtf8(out, code);
        EXPECT_EQ(out, std::string("x") + bytes) << std::hex << static_cast<unsigned>(code);
    }
}

TEST(CellAddress, ColumnLettersAndNumbersRoundTrip) {
    const std::pair<const char*, int> cases[] = {
        {"A", 1},    {"Z", 26},    {"AA", 27},     {"AZ", 52}, {"BA", 53},
        {"ZZ", 702}, {"AAA", 703}, {"XFD", 16384}, {"AG", 33}, {"AK", 37}};
    for (auto [letters, number] : cases) {
        EXPECT_EQ(columnNumber(letters), number) << letters;
        EXPECT_EQ(columnLetters(number), letters) << number;
    }
    EXPECT_EQ(columnNumber("xfd"), 16384);
    for (const char* bad : {"", "XFE", "AAAA", "A1", "-"})
        EXPECT_THROW(columnNumber(bad), AddressError) << bad;
    EXPECT_THROW(columnLetters(0), AddressError);
    EXPECT_THROW(columnLetters(16385), AddressError);
}

TEST(CellAddress, ParsesAndFormatsA1Ranges) {
    // clang-format off
    const struct { const char* text; CellRange range; const char* a1, *r1c1; } cases[] = {
        {"B25:D65000", {25, 2, 65000, 4}, "B25:D65000", "R25C2:R65000C4"},
        {"B25", {25, 2, 25, 2}, "B25", "R25C2"},
        {"$B$25:$D$65000", {25, 2, 65000, 4}, "B25:D65000", "R25C2:R65000C4"},
        {"d65000:b25", {25, 2, 65000, 4}, "B25:D65000", "R25C2:R65000C4"},
        {"XFD1048576", {1048576, 16384, 1048576, 16384}, "XFD1048576", "R1048576C16384"}};
    // clang-format on
    for (const auto& c : cases) {
        EXPECT_EQ(parseA1(c.text), c.range) << c.text;
        EXPECT_EQ(formatA1(c.range), c.a1);
        EXPECT_EQ(formatR1C1(c.range), c.r1c1);
    }
    for (const char* bad : {"", ":", "B", "25", "B0", "B25:", "B25:D", "B1048577", "XFE1", "B25 ",
                            "B-1", "B2:C3:D4", "$$B2", "B99999999999999999999"}) {
        EXPECT_THROW(parseA1(bad), AddressError) << '"' << bad << '"';
    }
    const std::string failure = test::failureText<AddressError>([] { parseA1("B0"); });
    EXPECT_NE(failure.find("\"B0\""), std::string::npos) << failure;
}

TEST(CellAddress, SheetQualifiedRanges) {
    // clang-format off
    const struct { const char* text; const char* sheet; CellRange range; } cases[] = {
        {"PD-CW-Sample!B15:B40", "PD-CW-Sample", {15, 2, 40, 2}},
        {"'Water Demand'!F20", "Water Demand", {20, 6, 20, 6}},
        {"'It''s'!A1", "It's", {1, 1, 1, 1}}, {"'a!b'!A1", "a!b", {1, 1, 1, 1}},
        {"A1:B2", "", {1, 1, 2, 2}}};
    // clang-format on
    for (const auto& c : cases) {
        const auto parsed = parseSheetRange(c.text);
        EXPECT_EQ(parsed.sheet, c.sheet);
        EXPECT_EQ(parsed.range, c.range) << c.text;
    }
    for (const char* bad : {"Sheet!", "!A1", "'Sheet!A1", "'Sheet'A1", "Sheet!Z", ""})
        EXPECT_THROW(parseSheetRange(bad), AddressError) << '"' << bad << '"';
}

}  // namespace
}  // namespace plovis
