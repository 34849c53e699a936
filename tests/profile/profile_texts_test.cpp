#include "profile/profile_texts.h"

#include <gtest/gtest.h>

#include "profile/profile_runs.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

TEST(ProfileTexts, PipeTexts) {
    DesignColumns c;
    c.allocate(3);
    c.hdpeDiameter[0] = 63.0;
    c.hdpeClass[0] = 6.0;
    c.hdpeDiameter[1] = 90.0;
    c.hdpeClass[1] = 10.0;
    c.giDiameter[1] = 50.0;
    c.giClass[1] = std::string("M");
    c.hdpeDiameter[2] = 32.5;
    c.hdpeClass[2] = std::string("4");
    EXPECT_EQ(pipeText(c, 0), "H63(6)");
    EXPECT_EQ(pipeText(c, 1), "GI50(M)");
    EXPECT_EQ(pipeText(c, 2), "H32.5(4)");
    c.giDiameter[2] = 25.0;
    c.giClass[2] = 6.0;  // a number where the class text is expected
    EXPECT_THROW(pipeText(c, 2), ProfileDataError);
}

TEST(ProfileTexts, StructureSymbolsByTheFirstCharacterCaseSensitive) {
    const struct {
        const char* label;
        const char* block;
    } cases[] = {{"IN1", "IN"}, {"CC3", "CC"}, {"SD", "SD"},  {"RT1", "RT"}, {"BPC2", "BPC"},
                 {"T7", "TAP"}, {"AV1", "AV"}, {"WO2", "WO"}, {"DC1", "DC"}, {"J4", "JN"},
                 {"bpc2", ""},  {"X7", ""},    {"", ""},      {"1", ""},     {"j4", ""}};
    for (const auto& c : cases)
        EXPECT_EQ(structureBlock(c.label), c.block) << c.label;
}

TEST(ProfileTexts, TitlesKeepTheirBlanks) {
    EXPECT_EQ(sheetTitleLine(1, 3, "Kalika WSS"), "( Sheet No: 1/3 ) of Kalika WSS");
    EXPECT_EQ(sheetTitleLine(12, 24, ""), "( Sheet No: 12/24 ) of ");
    EXPECT_EQ(scaleText(5000, 1000), "Scale: [H 1: 5000, V 1: 1000]");
    EXPECT_EQ(staticLevelLabel(1290), "SPL(1290.0)");
    EXPECT_EQ(staticLevelLabel(1234.56), "SPL(1234.6)");
}

TEST(ProfileRuns, RunsCloseWhereTheValueChanges) {
    const std::vector<double> x{0, 10, 20, 30, 40};
    // Values per section 0..3 and the row after the sheet: a a b b | b
    const std::vector<char> v{'a', 'a', 'b', 'b', 'b'};
    auto differs = [&](int k) { return v[k + 1] != v[k]; };
    auto runs = sheetRuns(4, differs, x, true);
    ASSERT_EQ(runs.size(), 2u);
    EXPECT_EQ(runs[0].startNode, 0);
    EXPECT_EQ(runs[0].endNode, 2);
    EXPECT_EQ(runs[0].lastSection, 1);
    EXPECT_TRUE(runs[0].closedInPass);
    EXPECT_EQ(runs[1].startNode, 2);
    EXPECT_EQ(runs[1].endNode, 4);
    EXPECT_FALSE(runs[1].closedInPass);  // the final run, its text from the row after the sheet
    // Without the closing rule (the pipe row) the unclosed tail is not drawn.
    EXPECT_EQ(sheetRuns(4, differs, x, false).size(), 1u);
}

TEST(ProfileRuns, OneValueAllAlongGivesOneRun) {
    const std::vector<double> x{0, 10, 20};
    auto same = [](int) { return false; };
    auto runs = sheetRuns(2, same, x, true);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].startNode, 0);
    EXPECT_EQ(runs[0].endNode, 2);
    EXPECT_EQ(runs[0].lastSection, 1);
    // A change after the last section closes the run inside the pass: no final run.
    auto changesAfter = [](int k) { return k == 1; };
    auto closed = sheetRuns(2, changesAfter, x, true);
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_TRUE(closed[0].closedInPass);
    // The last run closed at node 1 and node 2 lies at the same X: nothing more to draw.
    EXPECT_EQ(sheetRuns(
                  2, [](int k) { return k == 0; }, {0, 10, 10}, true)
                  .size(),
              1u);
}

}  // namespace
}  // namespace plovis
