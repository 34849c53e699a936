#include "common/cell_address.h"

#include <gtest/gtest.h>

#include "support/failure_text.h"

namespace plovis {
namespace {

TEST(CellAddress, ColumnLettersAndNumbersRoundTrip) {
    const struct {
        const char* letters;
        int number;
    } cases[] = {{"A", 1},    {"Z", 26},    {"AA", 27},     {"AZ", 52}, {"BA", 53},
                 {"ZZ", 702}, {"AAA", 703}, {"XFD", 16384}, {"AG", 33}, {"AK", 37}};
    for (const auto& c : cases) {
        EXPECT_EQ(columnNumber(c.letters), c.number) << c.letters;
        EXPECT_EQ(columnLetters(c.number), c.letters) << c.number;
    }
    EXPECT_EQ(columnNumber("xfd"), 16384);
    for (const char* bad : {"", "XFE", "AAAA", "A1", "-"}) {
        EXPECT_THROW(columnNumber(bad), AddressError) << bad;
    }
    EXPECT_THROW(columnLetters(0), AddressError);
    EXPECT_THROW(columnLetters(16385), AddressError);
}

TEST(CellAddress, ParsesA1Ranges) {
    EXPECT_EQ(parseA1("B25:D65000"), (CellRange{25, 2, 65000, 4}));
    EXPECT_EQ(parseA1("B25"), (CellRange{25, 2, 25, 2}));
    EXPECT_EQ(parseA1("$B$25:$D$65000"), (CellRange{25, 2, 65000, 4}));
    EXPECT_EQ(parseA1("d65000:b25"), (CellRange{25, 2, 65000, 4}));
    EXPECT_EQ(parseA1("XFD1048576"), (CellRange{1048576, 16384, 1048576, 16384}));
    for (const char* bad : {"", ":", "B", "25", "B0", "B25:", "B25:D", "B1048577", "XFE1", "B25 ",
                            "B-1", "B2:C3:D4", "$$B2", "B99999999999999999999"}) {
        EXPECT_THROW(parseA1(bad), AddressError) << '"' << bad << '"';
    }
}

TEST(CellAddress, FormatsA1AndR1C1) {
    EXPECT_EQ(formatA1({25, 2, 65000, 4}), "B25:D65000");
    EXPECT_EQ(formatA1({8, 5, 8, 5}), "E8");
    EXPECT_EQ(formatR1C1({16, 2, 40, 2}), "R16C2:R40C2");
    EXPECT_EQ(formatR1C1({16, 1, 16, 1}), "R16C1");
}

TEST(CellAddress, SheetQualifiedRanges) {
    const auto a = parseSheetRange("PD-CW-Sample!B15:B40");
    EXPECT_EQ(a.sheet, "PD-CW-Sample");
    EXPECT_EQ(a.range, (CellRange{15, 2, 40, 2}));
    const auto b = parseSheetRange("'Water Demand'!F20");
    EXPECT_EQ(b.sheet, "Water Demand");
    EXPECT_EQ(b.range, (CellRange{20, 6, 20, 6}));
    EXPECT_EQ(parseSheetRange("'It''s'!A1").sheet, "It's");
    EXPECT_EQ(parseSheetRange("'a!b'!A1").sheet, "a!b");
    const auto c = parseSheetRange("A1:B2");
    EXPECT_EQ(c.sheet, "");
    EXPECT_EQ(c.range, (CellRange{1, 1, 2, 2}));
    for (const char* bad : {"Sheet!", "!A1", "'Sheet!A1", "'Sheet'A1", "Sheet!Z", ""}) {
        EXPECT_THROW(parseSheetRange(bad), AddressError) << '"' << bad << '"';
    }
}

TEST(CellAddress, ErrorsNameTheText) {
    const std::string failure = test::failureText<AddressError>([] { parseA1("B0"); });
    EXPECT_NE(failure.find("\"B0\""), std::string::npos) << failure;
}

}  // namespace
}  // namespace plovis
