#include "survey/level_survey.h"

#include <gtest/gtest.h>

#include "host_faults.h"
#include "support/sheet_rows.h"
#include "survey/level_reduction.h"

namespace plovis {
namespace {

using test::loadRow;
using test::rowText;

const CellValue kEmpty{};

LevelReadings readingsOf(std::vector<double> bs, std::vector<double> is, std::vector<double> fs) {
    LevelReadings r;
    r.backsights = std::move(bs);
    r.intermediateSights = std::move(is);
    r.foresights = std::move(fs);
    return r;
}

TEST(PreviousSight, TheLatestIntermediateOrBacksightLookingBack) {
    // Stations: 0 backsight 1.5; 1 intermediate 1.2; 2 change (BS 0.8, FS 2.0); 3 nothing;
    // 4 both an intermediate sight and a backsight.
    const LevelReadings r =
        readingsOf({1.5, 0, 0.8, 0, 0.7}, {0, 1.2, 0, 0, 0.9}, {0, 0, 2.0, 0, 0});
    EXPECT_DOUBLE_EQ(previousSight(r, 0), 1.5);
    EXPECT_DOUBLE_EQ(previousSight(r, 1), 1.2);  // the intermediate sight, not the older backsight
    EXPECT_DOUBLE_EQ(previousSight(r, 2), 0.8);  // the change station's backsight
    EXPECT_DOUBLE_EQ(previousSight(r, 3), 0.8);  // back past a station with neither
    EXPECT_DOUBLE_EQ(previousSight(r, 4), 0.9);  // the intermediate sight counts first
    EXPECT_DOUBLE_EQ(previousSight(readingsOf({0, 0}, {0, 0}, {0, 1}), 1), 0);
}

TEST(RiseOrFall, OfStationOne) {
    const struct {
        const char* what;
        LevelReadings readings;
        std::optional<double> expected;
    } cases[] = {
        {"foresight after backsight", readingsOf({1.5, 0}, {0, 0}, {0, 1.1}), 0.4},
        {"fall", readingsOf({1.1, 0}, {0, 0}, {0, 2.6}), -1.5},
        {"intermediate", readingsOf({1.5, 0}, {0, 1.2}, {0, 0}), 0.3},
        {"level step", readingsOf({1.5, 0}, {0, 0}, {0, 1.5}), 0.0},
        {"both sights negative", readingsOf({1.5, 0}, {0, -1}, {0, -1}), std::nullopt},
        {"only the foresight negative", readingsOf({1.5, 0}, {0, 0}, {0, -0.5}), 2.0},
        {"negative previous sight", readingsOf({0, 0}, {-0.4, 0}, {0, 1.0}), std::nullopt},
        {"no previous sight at all", readingsOf({0, 0}, {0, 0}, {0, 1.0}), -1.0},
        {"negative intermediate, no foresight", readingsOf({1.5, 0}, {0, -1}, {0, 0}), 2.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const auto d = riseOrFall(c.readings, 1);
        ASSERT_EQ(d.has_value(), c.expected.has_value());
        EXPECT_NEAR(d.value_or(0), c.expected.value_or(0), 1e-12);
    }
}

TEST(ReduceLevelBranch, AStationWithoutARiseOrFallHasNoReducedLevel) {
    SurveyBranch b;
    for (const char* l : {"A", "B", "C"})
        addPoint(b, l, 10);
    // B has both sights negative; C looks back to B's negative intermediate sight.
    LevelReadings r = readingsOf({1.5, 0, 0}, {0, -1, 0}, {0, -1, 1.0});
    const auto steps = reduceLevelBranch(b, r, 100);
    EXPECT_EQ(r.reducedLevels, (std::vector<double>{100, 0, 0}));
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_FALSE(steps[0].riseOrFall || steps[1].riseOrFall);
    EXPECT_DOUBLE_EQ(steps[1].chainage, 20);
    EXPECT_DOUBLE_EQ(steps[1].level, 100);
}

TEST(StartLevel, GivenOrFromTheNamesakeStationOfAnEarlierBranch) {
    std::vector<SurveyBranch> branches(5);
    for (const char* l : {"A", "B", "C", "E", "b"})
        addPoint(branches[0], l, 0);
    for (const char* l : {"X1", "E"})
        addPoint(branches[1], l, 0);
    addPoint(branches[2], "x1", 0);  // a single station: never reduced
    std::vector<LevelReadings> readings(5);
    readings[0].reducedLevels = {100, 101, 102, 103, 104};
    readings[1].reducedLevels = {50, 51};
    const auto startOf = [&](const char* label) {
        branches[4].labels = {label, "Z"};
        const auto reduced = [&](StationRef s) { return branches[s.branch].labels.size() > 1; };
        return startLevelOf(0, 4, earlierNamesakes(branches, reduced), readings);
    };
    EXPECT_EQ(startOf("e"), 51);            // the nearest earlier branch first
    EXPECT_EQ(startOf("x1"), 50);           // passes the unreduced one
    EXPECT_EQ(startOf("B"), 101);           // the first station of that name in its branch
    EXPECT_EQ(startOf("a"), 100);           // station 0 of an earlier one
    EXPECT_EQ(startOf("z"), std::nullopt);  // its own later station does not count
    EXPECT_EQ(startOf("nowhere"), std::nullopt);
    EXPECT_EQ(startLevelOf(7.5, 4, {}, readings), 7.5);  // a given level wins
}

// Main: A (BS 1.5, level 100 given), B (IS 1.2), C (change: BS 0.8, FS 2.0), D (FS 1.1).
// Spur starts at c, Main's C; Lone has one station; Late starts at a, Main's A, and its stations
// are not reduced (both sights negative, then a negative previous sight).
void loadBook(MemoryWorksheet& s) {
    loadRow(s, 5, 3, {"Main"});
    loadRow(s, 6, 3,
            {"A", 0.0, "keep", 1.5, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, 100.0});
    loadRow(s, 7, 3, {"B", 20.0, kEmpty, kEmpty, 1.2, kEmpty, "old", 5.0, 9.0});
    loadRow(s, 8, 3, {"C", 30.0, kEmpty, 0.8, kEmpty, 2.0});
    loadRow(s, 9, 3, {"D", 25.0, kEmpty, kEmpty, kEmpty, 1.1});
    loadRow(s, 10, 3, {"Spur"});
    loadRow(s, 11, 3, {"c", kEmpty, kEmpty, 2.0});
    loadRow(s, 12, 3, {"S1", 15.0, kEmpty, kEmpty, kEmpty, 1.0});
    loadRow(s, 13, 3, {"S2", 5.0, kEmpty, kEmpty, kEmpty, 2.0});
    loadRow(s, 14, 3, {"Lone"});
    loadRow(s, 15, 3, {"L0", 0.0, kEmpty, 1.0});
    loadRow(s, 16, 3, {"Late"});
    loadRow(s, 17, 3, {"a", 0.0, kEmpty, 1.0});
    loadRow(s, 18, 3, {"Z", 10.0, kEmpty, kEmpty, -1.0, -1.0});
    loadRow(s, 19, 3, {"Y", 10.0, kEmpty, kEmpty, kEmpty, 0.4});
}

struct LevelSurveyFixture : ::testing::Test, test::SurveyRun {
    MemoryWorksheet& sheet = memory.addSheet("Levelsurvey");
    LevelSurveyFixture() { loadBook(sheet); }
    bool reduce(bool report, test::HostFaults given = {}) {
        return run([&](SpreadsheetHost& h) { return reduceLevelSurvey(context, h, ui, report); },
                   given);
    }
};

TEST_F(LevelSurveyFixture, ReadsStationsAndReadingsAndBranchesWithoutADistance) {
    ASSERT_TRUE(readLevelSurvey(context, memory, ui, true));
    ASSERT_EQ(context.branches.size(), 4u);
    ASSERT_EQ(context.levelReadings.size(), 4u);
    EXPECT_EQ(std::to_string(context.branches[0].headRow) + " " + context.branches[1].name + " " +
                  std::to_string(context.branches[1].headRow),
              "5 Spur 10");
    EXPECT_EQ(context.branches[0].distances, (std::vector<double>{0, 20, 30, 25}));
    EXPECT_TRUE(context.branches[0].levels.empty());
    EXPECT_EQ(std::pair(context.levelReadings[0].startLevel, context.levelReadings[1].startLevel),
              std::pair(100.0, 0.0));
    EXPECT_EQ(context.levelReadings[0].intermediateSights, (std::vector<double>{0, 1.2, 0, 0}));
    EXPECT_EQ(context.levelReadings[3].foresights, (std::vector<double>{0, -1, 0.4}));
    // A station without a distance after station 0 opens a branch.
    sheet.clearRange("C5:M19");
    loadRow(sheet, 5, 3, {"Main"});
    loadRow(sheet, 6, 3, {"A", kEmpty, kEmpty, 1.0});  // station 0 may lack a distance
    loadRow(sheet, 7, 3, {"B"});
    loadRow(sheet, 8, 3, {"C", 10.0});
    ASSERT_TRUE(readLevelSurvey(context, memory, ui, true));
    ASSERT_EQ(context.branches.size(), 2u);
    EXPECT_EQ(context.branches[1].name, "B");
    EXPECT_EQ(context.branches[1].labels, std::vector<std::string>{"C"});
}

TEST_F(LevelSurveyFixture, ARowWithoutADistanceButWithReadingsIsNoNewBranch) {
    loadRow(sheet, 8, 4, {kEmpty});  // C's distance forgotten: the rule would start a branch
    EXPECT_FALSE(reduce(true));
    EXPECT_FALSE(memory.modified());
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Error found in the row number 8"});
    ASSERT_EQ(context.report.size(), 1u);
    test::expectGolden(context.report[0] + "\n", "survey", "row_without_distance");
}

// Main: A (level 100), B 500 m on (+0.5), C 500 m on (-0.5). Spur: from Main's A over X (600 m,
// +1.0) to C again (400 m): its foresight on C gives the misclosure there, 1 km from A.
void loadLoop(MemoryWorksheet& s, double spurForesightOnC) {
    loadRow(s, 5, 3, {"Main"});
    loadRow(s, 6, 3,
            {"A", kEmpty, kEmpty, 1.5, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, 100.0});
    loadRow(s, 7, 3, {"B", 500.0, kEmpty, 1.2, kEmpty, 1.0});
    loadRow(s, 8, 3, {"C", 500.0, kEmpty, kEmpty, kEmpty, 1.7});
    loadRow(s, 9, 3, {"Spur"});
    loadRow(s, 10, 3, {"a", kEmpty, kEmpty, 2.0});
    loadRow(s, 11, 3, {"X", 600.0, kEmpty, 1.0, kEmpty, 1.0});
    loadRow(s, 12, 3, {"c", 400.0, kEmpty, kEmpty, kEmpty, spurForesightOnC});
}

// The report after each reduction of the loop, with the summary, compared whole with a reviewed
// golden text: both arithmetic checks agree and the misclosure at c is beyond, within, or within a
// wider allowance; then a spur from nowhere with a skipped reading breaks its arithmetic check.
TEST(LevelBookChecks, ArithmeticCheckMisclosureAndNoStartLevel) {
    const struct {
        const char* what;
        double foresight, allowance;
        bool skipped;
    } cases[] = {{"beyond", 1.75, 12, false},
                 {"within", 2.004, 12, false},
                 {"within a wider allowance", 1.75, 250, false},
                 {"no start level, a skipped reading", 1.75, 12, true}};
    std::string text;
    for (const auto& c : cases) {
        test::SurveyRun run;
        MemoryWorksheet& sheet = run.memory.addSheet("Levelsurvey");
        loadLoop(sheet, c.foresight);
        if (c.skipped) {
            loadRow(sheet, 10, 3, {"Nowhere"});  // no namesake: Spur starts from 0
            loadRow(sheet, 11, 7, {0.5});        // X's backsight passed over for its intermediate
        }
        run.context.tolerances.allowanceMm = c.allowance;
        ASSERT_TRUE(run.run(
            [&](SpreadsheetHost& h) { return reduceLevelSurvey(run.context, h, run.ui, false); }));
        text += std::string("== ") + c.what + "\n";
        for (const auto& lines : {run.context.report, run.context.summary})
            for (const std::string& line : lines)
                text += line + "\n";
    }
    test::expectGolden(text, "survey", "level_book_checks");
}

TEST_F(LevelSurveyFixture, ReducesEveryBranchOfTwoOrMoreStations) {
    ASSERT_TRUE(reduce(true));
    // Chainage (E), rise (I), fall (J) and reduced level (K): station 0 keeps its chainage cell
    // and gets the given level; B's intermediate sight closes from A's backsight, the change
    // station C from B's intermediate sight and D from C's backsight; Spur starts from Main's C,
    // its level step a fall of 0; Lone is skipped; Late starts from Main's A, its two unreduced
    // stations getting only their chainage.
    test::expectSheetGolden(sheet, 5, 19, {3, 5, 9, 10, 11}, "level_book");
    EXPECT_EQ(ui.captions(StatusLabel::MainStatus), test::branchCaptions({1, 2, 4}));
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kComplete});

    ui = {};  // without report there is no completion message
    ASSERT_TRUE(reduce(false));
    EXPECT_TRUE(ui.messageTexts().empty());
}

TEST_F(LevelSurveyFixture, AWriteFailureIsReportedAndTheRowsBeforeItStay) {
    // Main takes 1 + 4 + 4 + 4 writes; Spur's first write (K11) is the one refused.
    EXPECT_FALSE(reduce(true, {.writesBeforeFailure = 13}));
    EXPECT_EQ(test::messageBoxes(ui),
              std::vector<std::string>{test::writeFailure(11, "Levelsurvey", 11)});
    EXPECT_EQ(rowText(sheet, 9, {11}), "99.2");
    EXPECT_EQ(rowText(sheet, 11, {11}), "-");
}

TEST_F(LevelSurveyFixture, ABadRowIsReportedAndNothingIsWritten) {
    loadRow(sheet, 9, 4, {"1e999"});
    EXPECT_FALSE(reduce(true));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Error found in the row number 9"});
    EXPECT_FALSE(memory.modified());
}

// No workbook at all is reported through the command (tests/commands).
TEST(LevelSurveyCommand, AMissingBookIsReported) {
    auto h = test::workbookWithSheets({"GroundProfile"});
    RecordingUserInterface ui;
    SurveyContext context;
    EXPECT_FALSE(reduceLevelSurvey(context, h->host, ui, false));
    EXPECT_FALSE(h->workbook->modified());
    EXPECT_EQ(test::messageBoxes(ui), std::vector<std::string>{test::kNoGroundProfile});
}

}  // namespace
}  // namespace plovis
