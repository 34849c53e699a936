#include "hosts/xlsx/cell_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "hosts/xlsx/xml_text.h"

namespace plovis::xlsx {
namespace {

TEST(CellValues, CellReferencesAndTheSheetLimits) {
    using enum ReferenceCheck;
    // clang-format off
    const struct Case { const char* text; ReferenceCheck check; int row, column; } cases[] = {
        {"A1", Ok, 1, 1}, {"b7", Ok, 7, 2}, {"XFD1048576", Ok, 1048576, 16384},
        {"XFE1", BeyondSheet, 0, 0}, {"A1048577", BeyondSheet, 0, 0}, {"AAAAA1", Malformed, 0, 0},
        {"A0", Malformed, 0, 0}, {"A", Malformed, 0, 0}, {"7", Malformed, 0, 0},
        {"A1:B2", Malformed, 0, 0}, {"$A$1", Malformed, 0, 0}, {"A-1", Malformed, 0, 0}};
    // clang-format on
    for (const Case& c : cases) {
        int row = 0, column = 0;
        EXPECT_EQ(parseCellReference(c.text, row, column), c.check) << c.text;
        if (c.check == Ok) {
            EXPECT_EQ(std::pair(row, column), std::pair(c.row, c.column)) << c.text;
        }
    }
}

TEST(CellValues, StoredNumbersReadAndWriteBackExactly) {
    EXPECT_EQ(parseStoredNumber("12.5"), 12.5);
    EXPECT_EQ(parseStoredNumber(" -1E-3 "), -0.001);
    EXPECT_EQ(parseStoredNumber("+7"), 7.0);
    EXPECT_EQ(parseStoredNumber(".5"), 0.5);
    for (const char* bad : {"", "abc", "1.2.3", "12 m", "nan", "inf", "1e400"})
        EXPECT_FALSE(parseStoredNumber(bad).has_value()) << bad;
    for (double v : {0.1, 1.0 / 3.0, -2.25, 1e20, 5e-324, 123456789012345.67,
                     std::numeric_limits<double>::max()}) {
        EXPECT_EQ(parseStoredNumber(storedNumber(v)), v) << storedNumber(v);
    }
    EXPECT_EQ(storedNumber(63), "63");
    EXPECT_EQ(storedNumber(0.1), "0.1");
}

TEST(CellValues, IsoDatesAsSerialNumbers) {
    EXPECT_EQ(dateSerial("1900-01-01", false), 1.0);
    EXPECT_EQ(dateSerial("1900-02-28", false), 59.0);
    EXPECT_EQ(dateSerial("1900-03-01", false), 61.0);  // after the 29 February 1900 that never was
    EXPECT_EQ(dateSerial("2024-03-15", false), 45366.0);
    EXPECT_EQ(dateSerial("2024-03-15T06:00:00Z", false), 45366.25);
    EXPECT_EQ(dateSerial("2024-03-15T18:00:00.000", false), 45366.75);
    EXPECT_EQ(dateSerial("1904-01-02", true), 1.0);
    for (const char* bad : {"2024-13-01", "15/03/2024", "2024-03-15T25:00", "2024-3-15", ""})
        EXPECT_FALSE(dateSerial(bad, false).has_value()) << bad;
}

TEST(XmlText, CellTextEscapesRoundTrip) {
    EXPECT_EQ(decodeCellTextEscapes("a_x000D_b_x0009_c"), "a\rb\tc");
    EXPECT_EQ(decodeCellTextEscapes("_x005F_x0041_"), "_x0041_");
    EXPECT_EQ(decodeCellTextEscapes("_xZZZZ_ and _x12_"), "_xZZZZ_ and _x12_");
    EXPECT_EQ(encodeCellTextEscapes("a\rb\x01"
                                    "c\td\n"),
              "a_x000D_b_x0001_c\td\n");
    EXPECT_EQ(encodeCellTextEscapes("_x0041_"), "_x005F_x0041_");
    for (const std::string text : {"line\r\nbreak", "_x0041_ stays", "tab\tand\x1f", "plain"})
        EXPECT_EQ(decodeCellTextEscapes(encodeCellTextEscapes(text)), text);
}

TEST(XmlText, ReferencesAndEscaping) {
    std::string out;
    EXPECT_TRUE(appendDecoded("&lt;&gt;&amp;&quot;&apos;&#233;&#x20AC;", out));
    EXPECT_EQ(out, "<>&\"'\xC3\xA9\xE2\x82\xAC");
    std::string bad;
    EXPECT_FALSE(appendDecoded("&nbsp;", bad));
    EXPECT_FALSE(appendDecoded("& x", bad));
    std::string escaped;
    appendEscaped("a<b & \"c\">", escaped);
    EXPECT_EQ(escaped, "a&lt;b &amp; &quot;c&quot;&gt;");
}

}  // namespace
}  // namespace plovis::xlsx
