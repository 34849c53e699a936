#include "survey/level_survey.h"

#include <gtest/gtest.h>

#include <cmath>

#include "host_faults.h"
#include "hosts/recording_user_interface.h"
#include "support/sheet_rows.h"
#include "survey/level_reduction.h"

namespace plovis {
namespace {

using test::loadRow;
using test::numberIn;

const CellValue kEmpty{};
const std::string kMissing =
    "Please open the correct data file that contains the sheet named GroundProfile";

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

struct StepCase {
    const char* what;
    LevelReadings readings;
    std::optional<double> expected;
    friend void PrintTo(const StepCase& c, std::ostream* os) { *os << c.what; }
};

class RiseOrFall : public ::testing::TestWithParam<StepCase> {};

TEST_P(RiseOrFall, OfStationOne) {
    const auto d = riseOrFall(GetParam().readings, 1);
    ASSERT_EQ(d.has_value(), GetParam().expected.has_value());
    if (d) {
        EXPECT_NEAR(*d, *GetParam().expected, 1e-12);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RiseOrFall,
    ::testing::Values(
        StepCase{"foresight after backsight", readingsOf({1.5, 0}, {0, 0}, {0, 1.1}), 0.4},
        StepCase{"fall", readingsOf({1.1, 0}, {0, 0}, {0, 2.6}), -1.5},
        StepCase{"intermediate", readingsOf({1.5, 0}, {0, 1.2}, {0, 0}), 0.3},
        StepCase{"level step", readingsOf({1.5, 0}, {0, 0}, {0, 1.5}), 0.0},
        StepCase{"both sights negative", readingsOf({1.5, 0}, {0, -1}, {0, -1}), std::nullopt},
        StepCase{"only the foresight negative", readingsOf({1.5, 0}, {0, 0}, {0, -0.5}), 2.0},
        StepCase{"negative previous sight", readingsOf({0, 0}, {-0.4, 0}, {0, 1.0}),
                 std::nullopt}));

TEST(StartLevel, GivenOrFromTheNamesakeStationOfAnEarlierBranch) {
    std::vector<SurveyBranch> branches(4);
    for (const char* l : {"A", "B", "C", "D", "E"})
        addPoint(branches[0], l, 0);
    for (const char* l : {"X1", "X2"})
        addPoint(branches[1], l, 0);
    addPoint(branches[2], "x1", 0);  // a single station: never reduced
    addPoint(branches[3], "e", 0);
    std::vector<LevelReadings> readings(4);
    readings[0].reducedLevels = {100, 101, 102, 103, 104};
    readings[1].reducedLevels = {50, 51};
    EXPECT_DOUBLE_EQ(startLevelOf(7.5, 3, branches, readings), 7.5);
    EXPECT_DOUBLE_EQ(startLevelOf(0, 3, branches, readings), 104);  // station 4 of the first
    EXPECT_DOUBLE_EQ(startLevelOf(0, 0, branches, readings), 0);    // nothing earlier
    branches[3].labels[0] = "X1";
    EXPECT_DOUBLE_EQ(startLevelOf(0, 3, branches, readings), 50);  // passes the unreduced one
    branches[3].labels[0] = "a";
    EXPECT_DOUBLE_EQ(startLevelOf(0, 3, branches, readings), 100);  // station 0 of an earlier one
    branches[3].labels[0] = "nowhere";
    EXPECT_DOUBLE_EQ(startLevelOf(0, 3, branches, readings), 0);
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

struct LevelSurveyFixture : ::testing::Test {
    MemoryWorkbook memory{"scheme.xlsx"};
    MemoryWorksheet& sheet = memory.addSheet("Levelsurvey");
    RecordingUserInterface ui;
    SurveyContext context;
    std::vector<Calculation> calculation;  // the host's calculation changes in the last run

    bool reduce(bool report, test::HostFaults given = {}) {
        const auto run = test::runWithFaults(memory, given, [&](SpreadsheetHost& host) {
            return reduceLevelSurvey(context, host, ui, report);
        });
        calculation = run.calculation;
        return run.done;
    }
};

TEST_F(LevelSurveyFixture, ReadsStationsAndReadings) {
    loadBook(sheet);
    ASSERT_TRUE(readLevelSurvey(context, memory, ui, true));
    ASSERT_EQ(context.branches.size(), 4u);
    ASSERT_EQ(context.levelReadings.size(), 4u);
    EXPECT_EQ(context.branches[0].headRow, 5);
    EXPECT_EQ(context.branches[1].headRow, 10);
    EXPECT_EQ(context.branches[1].name, "Spur");
    EXPECT_EQ(context.branches[0].distances, (std::vector<double>{0, 20, 30, 25}));
    EXPECT_TRUE(context.branches[0].levels.empty());
    EXPECT_DOUBLE_EQ(context.levelReadings[0].startLevel, 100);
    EXPECT_DOUBLE_EQ(context.levelReadings[1].startLevel, 0);
    EXPECT_EQ(context.levelReadings[0].intermediateSights, (std::vector<double>{0, 1.2, 0, 0}));
    EXPECT_EQ(context.levelReadings[3].foresights, (std::vector<double>{0, -1, 0.4}));
}

TEST_F(LevelSurveyFixture, AStationWithoutDistanceAfterStationZeroOpensABranch) {
    loadRow(sheet, 5, 3, {"Main"});
    loadRow(sheet, 6, 3, {"A", kEmpty, kEmpty, 1.0});  // station 0 may lack a distance
    loadRow(sheet, 7, 3, {"B", kEmpty, kEmpty, kEmpty, kEmpty, 1.0});
    loadRow(sheet, 8, 3, {"C", 10.0});
    ASSERT_TRUE(readLevelSurvey(context, memory, ui, true));
    ASSERT_EQ(context.branches.size(), 2u);
    EXPECT_EQ(context.branches[1].name, "B");
    EXPECT_EQ(context.branches[1].labels, std::vector<std::string>{"C"});
}

TEST_F(LevelSurveyFixture, ReducesEveryBranchOfTwoOrMoreStations) {
    loadBook(sheet);
    ASSERT_TRUE(reduce(true));
    // Main: station 0 keeps its chainage cell and gets the given level.
    EXPECT_EQ(sheet.cell(6, 5), CellValue("keep"));
    EXPECT_DOUBLE_EQ(numberIn(sheet, 6, 11), 100);
    const struct {
        int row;
        double chainage;
        double rise;  // NaN: the rise cell is empty
        double fall;  // NaN: the fall cell is empty
        double level;
    } expected[] = {
        {7, 20, 0.3, NAN, 100.3},   // intermediate sight after the backsight
        {8, 50, NAN, 0.8, 99.5},    // change station closed from the intermediate sight
        {9, 75, NAN, 0.3, 99.2},    // opened by the change station's backsight
        {12, 15, 1.0, NAN, 100.5},  // Spur starts from Main's C
        {13, 20, NAN, 0.0, 100.5},  // a level step is a fall of 0
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(e.row);
        EXPECT_DOUBLE_EQ(numberIn(sheet, e.row, 5), e.chainage);
        if (std::isnan(e.rise)) {
            EXPECT_TRUE(isEmpty(sheet.cell(e.row, 9)));
        } else {
            EXPECT_NEAR(numberIn(sheet, e.row, 9), e.rise, 1e-9);
        }
        if (std::isnan(e.fall)) {
            EXPECT_TRUE(isEmpty(sheet.cell(e.row, 10)));
        } else {
            EXPECT_NEAR(numberIn(sheet, e.row, 10), e.fall, 1e-9);
        }
        EXPECT_NEAR(numberIn(sheet, e.row, 11), e.level, 1e-9);
    }
    EXPECT_DOUBLE_EQ(numberIn(sheet, 11, 11), 99.5);
    EXPECT_TRUE(isEmpty(sheet.cell(11, 5)));
    // Lone is skipped; Late starts from Main's A and its two stations get only their chainage.
    for (int column : {5, 9, 10, 11})
        EXPECT_TRUE(isEmpty(sheet.cell(15, column)));
    EXPECT_DOUBLE_EQ(numberIn(sheet, 17, 11), 100);
    EXPECT_DOUBLE_EQ(numberIn(sheet, 18, 5), 10);
    EXPECT_DOUBLE_EQ(numberIn(sheet, 19, 5), 20);
    for (int row : {18, 19}) {
        for (int column : {9, 10, 11})
            EXPECT_TRUE(isEmpty(sheet.cell(row, column))) << row << "," << column;
    }
    EXPECT_EQ(ui.captions(StatusLabel::MainStatus),
              (std::vector<std::string>{"Processing branch 1.Please wait...",
                                        "Processing branch 2.Please wait...",
                                        "Processing branch 4.Please wait..."}));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Processing is complete"});
    EXPECT_EQ(ui.events().back().message.icon, Icon::None);
    EXPECT_EQ(calculation, test::kManualThenAutomatic);
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);
}

TEST_F(LevelSurveyFixture, WithoutReportThereIsNoCompletionMessage) {
    loadBook(sheet);
    ASSERT_TRUE(reduce(false));
    EXPECT_TRUE(ui.messageTexts().empty());
}

TEST_F(LevelSurveyFixture, AWriteFailureIsReportedAndTheRowsBeforeItStay) {
    loadBook(sheet);
    // Main takes 1 + 4 + 4 + 4 writes; Spur's first write (K11) is the one refused.
    EXPECT_FALSE(reduce(true, {.writesBeforeFailure = 13}));
    ASSERT_EQ(ui.messageTexts().size(), 1u);
    EXPECT_EQ(ui.events().back().message.text,
              "Could not write the row number 11 of the sheet Levelsurvey: the cell at row 11, "
              "column 11 cannot be written\rThe rows before it keep what was written.");
    EXPECT_EQ(ui.events().back().message.icon, Icon::Critical);
    EXPECT_NEAR(numberIn(sheet, 9, 11), 99.2, 1e-9);
    EXPECT_TRUE(isEmpty(sheet.cell(11, 11)));
    EXPECT_EQ(memory.calculation(), Calculation::Automatic);
}

TEST_F(LevelSurveyFixture, ABadRowIsReportedAndNothingIsWritten) {
    loadBook(sheet);
    loadRow(sheet, 9, 4, {"1e999"});
    EXPECT_FALSE(reduce(true));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Error found in the row number 9"});
    EXPECT_FALSE(memory.modified());
}

TEST(LevelSurveyCommand, AMissingBookIsReportedInTheGroundProfileWords) {
    auto h = test::workbookWithSheets({"GroundProfile"});
    RecordingUserInterface ui;
    SurveyContext context;
    EXPECT_FALSE(reduceLevelSurvey(context, h->host, ui, false));
    ASSERT_EQ(ui.events().size(), 1u);
    EXPECT_EQ(ui.events()[0].message.text, kMissing);
    EXPECT_EQ(ui.events()[0].message.icon, Icon::Critical);
    EXPECT_FALSE(h->workbook->modified());
}

TEST(LevelSurveyCommand, NoWorkbookToAttachTo) {
    MemorySpreadsheetHost host;
    RecordingUserInterface ui;
    SurveyContext context;
    EXPECT_FALSE(reduceLevelSurvey(context, host, ui, true));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Excel application is not open"});
}

}  // namespace
}  // namespace plovis
