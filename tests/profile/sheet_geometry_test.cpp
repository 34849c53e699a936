#include "profile/sheet_geometry.h"

#include <gtest/gtest.h>

#include <tuple>

#include "profile_fixture.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

using test::section;
using test::titleRow;

ProfileState stateWith(const std::vector<test::DesignRow>& rows, double vScale = 1000) {
    ProfileState s;
    applyPaper(s, "A4");
    applySettings(s, 5000, vScale);
    test::loadDesignColumns(s, rows);
    return s;
}

// The range from the smallest end ground level (1203.4; the start ground level 1100 does not
// count) to the largest static level (1290); a ground line below widens it by one interval more.
TEST(SheetGeometry, LevelRangeFromTheDesignRangeAndTheGroundLine) {
    ProfileState s = stateWith({titleRow("T"), section("A", "B", 100, 1100, 1250, 1290),
                                section("B", "C", 100, 1250, 1203.4, 1280)});
    SheetLevels l = designLevelRange(s.table.columns, 1, 2, s.settings.levelInterval);
    EXPECT_EQ(std::tuple(l.bottomLevel, l.topLevel, l.datum), std::tuple(1190, 1300, 1190));
    std::vector<GroundLinePoint> g(3);
    g[0].level = 1230;  // inside the design levels
    g[1].level = 1210;
    g[2].level = 1205;
    widenToGroundLine(l, g, 10);
    EXPECT_EQ(std::tuple(l.bottomLevel, l.topLevel, l.datum), std::tuple(1180, 1310, 1180));
    double low = 100, high = 100;
    minMaxLevels({90, 120, 50}, low, high, 1);  // stops at the last index
    EXPECT_EQ(std::pair(low, high), std::pair(90.0, 120.0));
}

// Where the nodes stand is checked by the drawings' snapshots.
TEST(SheetGeometry, NodesTakeTheirValuesFromTheRows) {
    test::DesignRow b = section("B", "C", 300, 1240, 1230, 1300);
    b.structure = "BPC";
    test::DesignRow title = titleRow("T");
    title.structure = "IN";
    ProfileState s = stateWith({title, section("A", "B", 250, 1250, 1240, 1300), b});
    const SheetNodes n = sheetNodes(s, 1, 2, 1200);
    ASSERT_EQ(n.count, 2);
    EXPECT_EQ(n.names, (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(n.chainage, (std::vector<double>{0, 250, 550}));
    // Node 0 takes the structure of the row before the sheet (the title row here).
    EXPECT_EQ(cellText(n.structures[0]), "IN");
    EXPECT_EQ(cellText(n.structures[2]), "BPC");
}

// The axis's ground part rises to the next multiple of 10 above the ground (at 1:1000 on A4,
// 95 up the paper from the datum 1200); the grade line is broken when its top A passes that part
// by more than 10, the static line when it stands more than 10 above the grade line's top T.
// The lines drawn at the break are checked by the snapshot datum_breaks.
TEST(SheetGeometry, DatumBreaks) {
    const struct {
        const char* name;
        test::DesignRow row;
        double groundTopY, hglBreak, hglDatum, splBreak, splDatum;
    } cases[] = {
        // clang-format off
        // Ground 150 m up is taller than A4's 110: no breaks.
        {"ground fills the paper", section("A", "B", 100, 1350, 1340, 1600, 1590, 1580), 95 + 150, 0, 1200, 0, 1200},
        // A = 180 > 50 + 10: 120 m out; T = 1400 above the grade line's start 1395, the static
        // level 1500 is 100 above: 90 m out.
        {"both broken", section("A", "B", 100, 1245.3, 1240, 1500, 1395, 1380), 95 + 50, 120, 1320, 90, 1410},
        // A = 40 is not above 40 + 10; 1255 - 1250 is not above 10.
        {"ground top on a multiple", section("A", "B", 100, 1240, 1230, 1255, 1250, 1245), 95 + 40, 0, 1200, 0, 1200},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ProfileState s = stateWith({titleRow("T"), c.row});
        const SheetNodes n = sheetNodes(s, 1, 1, 1200);
        const DatumBreaks b = datumBreaks(s, n, 1, 1, 1200);
        EXPECT_EQ(std::tie(b.groundTopY, b.hglBreak, b.hglDatum, b.splBreak, b.splDatum),
                  std::tie(c.groundTopY, c.hglBreak, c.hglDatum, c.splBreak, c.splDatum));
    }
}

TEST(SheetGeometry, AnEmptyStaticLevelRepeatsThePreviousHeight) {
    ProfileState s =
        stateWith({titleRow("T"), section("A", "B", 100, 0, 0, 1300),
                   section("B", "C", 100, 0, 0, 0), section("C", "D", 100, 0, 0, 1280)});
    s.table.columns.staticLevel[2] = CellValue{};
    DatumBreaks b;
    b.splDatum = 1200;
    const SheetLines lines = sheetLines(s, b, 1, 3);
    // Row 2 empty repeats; so does the end mark after the sheet.
    EXPECT_EQ(lines.splY, (std::vector<double>{195, 195, 175, 175}));
}

TEST(SheetGeometry, ATextLevelIsADataError) {
    ProfileState s = stateWith({titleRow("T"), section("A", "B", 100, 1240, 1230, 1255)});
    s.table.columns.endGround[1] = std::string("n/a");
    EXPECT_THROW(designLevelRange(s.table.columns, 1, 1, 10), ProfileDataError);
}

TEST(DesignValues, NumbersAndRunComparison) {
    EXPECT_EQ(designNumber(CellValue{}, "x"), 0);
    EXPECT_EQ(designNumber(CellValue(std::string(" 1e2 ")), "x"), 100);
    EXPECT_THROW(designNumber(CellValue(std::string("1,5")), "x"), ProfileDataError);
    EXPECT_TRUE(sameDesignValue(CellValue{}, CellValue(0.0)));
    EXPECT_TRUE(sameDesignValue(CellValue{}, CellValue(std::string())));
    EXPECT_TRUE(sameDesignValue(CellValue(1.5), CellValue(1.5)));
    EXPECT_FALSE(sameDesignValue(CellValue(1.5), CellValue(std::string("1.5"))));
    EXPECT_FALSE(sameDesignValue(CellValue(std::string("Soil")), CellValue(std::string("soil"))));
}

}  // namespace
}  // namespace plovis
