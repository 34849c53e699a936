#include "profile/sheet_division.h"

#include <gtest/gtest.h>

#include "profile_fixture.h"
#include "scheme/design_range.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

using test::section;
using test::titleRow;

// A4 at 1:5000 fits 230 x 5000 / 1000 = 1150 m of ground across the paper.
ProfileState a4State(const std::vector<test::DesignRow>& rows) {
    ProfileState s;
    applyPaper(s, "A4");
    applySettings(s, 5000, 1000);
    test::loadDesignColumns(s, rows);
    findBranches(s);
    return s;
}

// The sheets as "first-last from>to", one after the other.
std::string cuts(const std::vector<ProfileSheet>& sheets) {
    std::string out;
    for (const ProfileSheet& p : sheets) {
        out += (out.empty() ? "" : " ") + std::to_string(p.firstRow) + "-" +
               std::to_string(p.lastRow) + " " + p.fromLabel + ">" + p.toLabel;
    }
    return out;
}

// 500 + 500 + 150 = 1150 fits exactly; + 1 passes it. A first section longer than the paper
// stands alone on the first sheet and the second starts with it again (its end label is the title
// row's empty end node); a long section later stays whole on its own sheet.
TEST(SheetDivision, SectionsGoOnTheSheetUntilTheGroundLengthPassesThePaper) {
    const struct {
        std::vector<test::DesignRow> sections;
        const char* cuts;
        double groundLength;
    } cases[] = {
        {{section("A", "B", 500), section("B", "C", 500), section("C", "D", 150),
          section("D", "E", 1), section("E", "F", 600)},
         "1-3 A>D 4-5 D>F",
         1751},
        {{section("A", "B", 2000), section("B", "C", 100)}, "1-1 A> 1-1 >B 2-2 B>C", 2100},
        {{section("A", "B", 100), section("B", "C", 2000), section("C", "D", 100)},
         "1-1 A>B 2-2 B>C 3-3 C>D",
         2200},
    };
    for (const auto& c : cases) {
        std::vector<test::DesignRow> rows{titleRow("Main")};
        rows.insert(rows.end(), c.sections.begin(), c.sections.end());
        ProfileState s = a4State(rows);
        int first = 0, last = 0;
        branchRows(s, 0, first, last);
        EXPECT_EQ(std::pair(first, last), std::pair(1, static_cast<int>(c.sections.size())));
        EXPECT_EQ(cuts(divideBranch(s, first, last)), c.cuts);
        EXPECT_DOUBLE_EQ(branchPaperLength(s, 0), c.groundLength * 1000 / 5000.0) << c.cuts;
    }
}

TEST(SheetDivision, TwentyFourSheetsAtMost) {
    std::vector<test::DesignRow> rows{titleRow("Long")};
    for (int i = 0; i < 24; ++i)
        rows.push_back(section("P", "Q", 1150));
    ProfileState ok = a4State(rows);
    EXPECT_EQ(divideBranch(ok, 1, 24).size(), 24u);
    rows.push_back(section("Q", "R", 1150));
    ProfileState tooLong = a4State(rows);
    EXPECT_THROW(divideBranch(tooLong, 1, 25), ProfileDataError);
}

TEST(SheetDivision, ABranchWithoutSectionsKeepsOneRow) {
    ProfileState s = a4State({titleRow("Empty"), titleRow("Next"), section("A", "B", 10)});
    int first = 0, last = 0;
    branchRows(s, 0, first, last);
    EXPECT_EQ(std::pair(first, last), std::pair(1, 1));
    EXPECT_DOUBLE_EQ(branchPaperLength(s, 0), 0.0);
}

TEST(SheetDivision, ALengthThatIsNoNumberIsADataError) {
    ProfileState s = a4State({titleRow("Main"), section("A", "B", 10)});
    s.table.columns.length[1] = std::string("12 m");
    EXPECT_THROW(divideBranch(s, 1, 1), ProfileDataError);
    s.table.columns.length[1] = std::string(" 12.5 ");
    EXPECT_DOUBLE_EQ(sheetPaperLength(s, {1, 1, "A", "B"}), 12.5 * 1000 / 5000);
}

TEST(ProfileState, PaperTextsAreComparedExactly) {
    ProfileState s;
    const auto paper = [&] { return std::pair(s.settings.paperWidth, s.settings.paperHeight); };
    EXPECT_TRUE(applyPaper(s, "A1"));
    EXPECT_EQ(paper(), std::pair(700.0, 510.0));
    EXPECT_FALSE(applyPaper(s, "a3"));  // small letters match none: A1 stays
    EXPECT_EQ(paper(), std::pair(700.0, 510.0));
    EXPECT_TRUE(applyPaper(s, "A3"));
    EXPECT_EQ(paper().second, 220);
    applySettings(s, 5000, 1001);
    EXPECT_EQ(s.settings.levelInterval, 10);
    applySettings(s, 5000, 1002);
    EXPECT_EQ(s.settings.levelInterval, 20);
}

}  // namespace
}  // namespace plovis
