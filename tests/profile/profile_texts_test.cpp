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

// The titles with the scheme named, the scale and whole static levels are in the drawings'
// snapshots.
TEST(ProfileTexts, TitlesKeepTheirBlanks) {
    EXPECT_EQ(sheetTitleLine(12, 24, ""), "( Sheet No: 12/24 ) of ");
    EXPECT_EQ(staticLevelLabel(1234.56), "SPL(1234.6)");
}

// The runs of a value over the sections and the row after the sheet (a letter each), as
// "start-end/lastSection", "+" when closed in the pass. Without the closing rule (the pipe row)
// the unclosed tail is not drawn; nor is a tail whose end stands at the X where the last run
// closed.
TEST(ProfileRuns, RunsCloseWhereTheValueChanges) {
    const struct {
        const char* values;
        std::vector<double> x;
        bool closeAtEnd;
        const char* runs;
    } cases[] = {
        {"aabbb", {0, 10, 20, 30, 40}, true, "0-2/1+ 2-4/3"},
        {"aabbb", {0, 10, 20, 30, 40}, false, "0-2/1+"},
        {"aaa", {0, 10, 20}, true, "0-2/1"},
        {"aab", {0, 10, 20}, true, "0-2/1+"},
        {"abb", {0, 10, 10}, true, "0-1/0+"},
    };
    for (const auto& c : cases) {
        const std::string v = c.values;
        const auto differs = [&](int k) { return v[k + 1] != v[k]; };
        std::string runs;
        for (const SheetRun& r : sheetRuns(int(v.size()) - 1, differs, c.x, c.closeAtEnd)) {
            runs += (runs.empty() ? "" : " ") + std::to_string(r.startNode) + "-" +
                    std::to_string(r.endNode) + "/" + std::to_string(r.lastSection) +
                    (r.closedInPass ? "+" : "");
        }
        EXPECT_EQ(runs, c.runs) << c.values << " " << c.closeAtEnd;
    }
}

}  // namespace
}  // namespace plovis
