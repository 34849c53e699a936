#include "commands/survey_commands.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "hosts/recording_user_interface.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

using test::loadRow;
using test::numberIn;

const CellValue kEmpty{};
const char* const kReading = "Reading data from excel.Please wait...";
const char* const kProcessing = "processing data from excel.Please wait...";
const char* const kDone = "Processing is complete";

// A scheme with a level book of two branches (Spur leaves Main at C), an Abney book of one
// branch, a ground profile whose control points are already marked in column E (C of Main, S1 of
// Spur, on the rows the transfer gives them) and an empty pipe design table.
std::unique_ptr<test::WorkbookHost> surveyedScheme() {
    auto h =
        test::workbookWithSheets({"Levelsurvey", "AbneySurvey", "GroundProfile", "PD-CW-Sample"});
    MemoryWorksheet& level = h->sheet("Levelsurvey");
    loadRow(level, 5, 3, {"Main"});
    loadRow(level, 6, 3, {"A", kEmpty, kEmpty, 1.5});
    level.load(6, 13, 100.0);
    loadRow(level, 7, 3, {"B", 20.0, kEmpty, kEmpty, 1.2});
    loadRow(level, 8, 3, {"C", 30.0, kEmpty, 0.8, kEmpty, 2.0});
    loadRow(level, 9, 3, {"D", 25.0, kEmpty, 1.3, kEmpty, 1.1});
    loadRow(level, 10, 3, {"E", 40.0, kEmpty, kEmpty, kEmpty, 0.9});
    loadRow(level, 11, 3, {"Spur"});
    loadRow(level, 12, 3, {"c", kEmpty, kEmpty, 2.0});
    loadRow(level, 13, 3, {"S1", 15.0, kEmpty, kEmpty, kEmpty, 1.0});
    loadRow(level, 14, 3, {"S2", 5.0, kEmpty, kEmpty, kEmpty, 2.0});
    MemoryWorksheet& abney = h->sheet("AbneySurvey");
    loadRow(abney, 5, 3, {"Hill"});
    loadRow(abney, 6, 3, {"H0", kEmpty});
    abney.load(6, 16, 50.0);
    loadRow(abney, 7, 3, {"H1", 20.0, kEmpty, 30.0});
    MemoryWorksheet& ground = h->sheet("GroundProfile");
    ground.load(7, 5, 1.0);   // C of Main
    ground.load(12, 5, 1.0);  // S1 of Spur
    return h;
}

using Command = std::function<bool(SpreadsheetHost&, UserInterface&)>;

struct CommandCase {
    const char* name;
    Command command;
    const char* caption;
    std::vector<std::string> messages;
    friend void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
};

class SurveyCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(SurveyCommand, ShowsItsCaptionRunsItsRoutinesAndClearsTheCaption) {
    auto h = surveyedScheme();
    RecordingUserInterface ui;
    // The lengths need a section list to read.
    ASSERT_TRUE(branchPointsAndLevelsCommand(h->host, ui));
    RecordingUserInterface recorded;
    EXPECT_TRUE(GetParam().command(h->host, recorded));
    const auto captions = recorded.captions(StatusLabel::MainStatus);
    ASSERT_GE(captions.size(), 2u);
    EXPECT_EQ(captions.front(), GetParam().caption);
    EXPECT_EQ(captions.back(), "");
    EXPECT_EQ(recorded.messageTexts(), GetParam().messages);
    EXPECT_EQ(h->workbook->calculation(), Calculation::Automatic);
}

INSTANTIATE_TEST_SUITE_P(
    MenuEntries, SurveyCommand,
    ::testing::Values(
        CommandCase{"BranchPoints", branchPointsCommand, kReading, {kDone}},
        CommandCase{"PipeLength", pipeLengthCommand, kReading, {kDone}},
        CommandCase{"BranchPointsAndLevels", branchPointsAndLevelsCommand, kProcessing, {kDone}},
        CommandCase{"RiseFall", riseFallCommand, kReading, {kDone}},
        CommandCase{"LevelToGroundProfile",
                    levelToGroundProfileCommand,
                    "Processing for water demand calculation.Please wait...",
                    {kDone}},
        CommandCase{"RiseFallToGroundProfile", riseFallToGroundProfileCommand, kReading, {kDone}},
        CommandCase{"Abney", abneyCommand, kReading, {kDone}},
        CommandCase{"SurveyDataProcess", surveyDataProcessCommand, kReading, {kDone, kDone}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SurveyDataProcess, RunsTheReductionTransferAndBothSectionStepsUnderTwoCaptions) {
    auto h = surveyedScheme();
    RecordingUserInterface ui;
    ASSERT_TRUE(surveyDataProcessCommand(h->host, ui));
    const std::string b1 = "Processing branch 1.Please wait...";
    const std::string b2 = "Processing branch 2.Please wait...";
    // Reduction, transfer, section list, lengths: each walks the two branches.
    EXPECT_EQ(
        ui.captions(StatusLabel::MainStatus),
        (std::vector<std::string>{kReading, b1, b2, b1, b2, kProcessing, b1, b2, b1, b2, ""}));
}

TEST(SurveyCommands, EveryRoutineRunsToItsEndAfterTheOneBeforeFailed) {
    MemorySpreadsheetHost host;  // nothing to attach to
    RecordingUserInterface ui;
    EXPECT_FALSE(surveyDataProcessCommand(host, ui));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>(4, "Excel application is not open"));
    EXPECT_EQ(ui.status(StatusLabel::MainStatus), "");

    auto h = test::workbookWithSheets({"GroundProfile"});
    RecordingUserInterface abney;
    EXPECT_FALSE(abneyCommand(h->host, abney));
    const std::string missing =
        "Please open the correct data file that contains the sheet named GroundProfile";
    EXPECT_EQ(abney.messageTexts(), (std::vector<std::string>{missing, missing}));
}

// Per station of the level book: chainage from station 0 (column E; 0 for station 0) and reduced
// level (column K, read as every reader reads a number), keyed by branch and label.
std::map<std::pair<std::string, std::string>, std::pair<double, double>> levelBookStations(
    const Worksheet& book) {
    std::map<std::pair<std::string, std::string>, std::pair<double, double>> stations;
    std::string branch;
    bool firstStation = false;
    for (int row = 5; !isEmpty(book.cell(row, 3)); ++row) {
        const std::string label = cellText(book.cell(row, 3));
        if (!firstStation && isEmpty(book.cell(row, 4))) {
            branch = label;
            firstStation = true;
            continue;
        }
        stations[{branch, label}] = {firstStation ? 0.0 : numberIn(book, row, 5),
                                     cellNumber(book.cell(row, 11))};
        firstStation = false;
    }
    return stations;
}

TEST(SurveyEndToEnd, TheDesignTableAgreesWithTheReducedBook) {
    auto h = surveyedScheme();
    RecordingUserInterface ui;
    ASSERT_TRUE(riseFallCommand(h->host, ui));
    ASSERT_TRUE(levelToGroundProfileCommand(h->host, ui));
    ASSERT_TRUE(branchPointsCommand(h->host, ui));
    ASSERT_TRUE(pipeLengthCommand(h->host, ui));

    const auto stations = levelBookStations(h->sheet("Levelsurvey"));
    const MemoryWorksheet& design = h->sheet("PD-CW-Sample");
    const struct {
        int row;
        const char* branch;  // nullptr: a section row of the branch above
        const char* from;
        const char* to;
    } table[] = {{15, "Main", nullptr, nullptr}, {16, nullptr, "A", "C"},
                 {17, nullptr, "C", "E"},        {18, "Spur", nullptr, nullptr},
                 {19, nullptr, "c", "S1"},       {20, nullptr, "S1", "S2"}};
    std::string branch;
    int number = 0;
    for (const auto& r : table) {
        SCOPED_TRACE(r.row);
        if (r.branch) {
            branch = r.branch;
            number = 0;
            EXPECT_TRUE(isEmpty(design.cell(r.row, 2)));
            EXPECT_EQ(design.cell(r.row, 3), CellValue(r.branch));
            continue;
        }
        EXPECT_EQ(design.cell(r.row, 2), CellValue(double(++number)));
        EXPECT_EQ(design.cell(r.row, 3), CellValue(r.from));
        EXPECT_EQ(design.cell(r.row, 4), CellValue(r.to));
        const auto from = stations.at({branch, r.from});
        const auto to = stations.at({branch, r.to});
        EXPECT_NEAR(numberIn(design, r.row, 5), to.first - from.first, 1e-9);
        EXPECT_NEAR(numberIn(design, r.row, 6), (to.first - from.first) * 1.1, 1e-9);
        EXPECT_EQ(numberIn(design, r.row, 9), from.second);
        EXPECT_EQ(numberIn(design, r.row, 10), to.second);
    }
    EXPECT_TRUE(isEmpty(design.cell(21, 3)));
    // Spur starts at Main's C: its first level is C's.
    EXPECT_EQ(numberIn(design, 19, 9), stations.at({"Main", "C"}).second);

    // The one-step command gives the same table.
    auto again = surveyedScheme();
    RecordingUserInterface other;
    ASSERT_TRUE(surveyDataProcessCommand(again->host, other));
    for (int row = 15; row <= 21; ++row) {
        for (int column = 2; column <= 10; ++column) {
            EXPECT_EQ(again->sheet("PD-CW-Sample").cell(row, column), design.cell(row, column))
                << row << "," << column;
        }
    }
}

TEST(SurveyEndToEnd, TheAbneyBookReachesTheGroundProfile) {
    auto h = surveyedScheme();
    RecordingUserInterface ui;
    ASSERT_TRUE(abneyCommand(h->host, ui));
    const MemoryWorksheet& ground = h->sheet("GroundProfile");
    EXPECT_EQ(ground.cell(4, 2), CellValue("Hill"));
    EXPECT_EQ(ground.cell(5, 4), CellValue(50.0));
    EXPECT_EQ(ground.cell(6, 3), CellValue(20.0));
    EXPECT_EQ(ground.cell(6, 4), CellValue(60.0));  // 20 along a 30 degree slope
    EXPECT_TRUE(isEmpty(ground.cell(7, 2)));
}

}  // namespace
}  // namespace plovis
