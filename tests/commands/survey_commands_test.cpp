#include "commands/survey_commands.h"

#include <gtest/gtest.h>

#include "doubles/recording_user_interface.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

// Each command's captions, messages and what it writes are checked on the sample scheme in
// tests/sample.
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

// The Abney book's check takes the command's tolerance; the summary of both routines comes last.
TEST(SurveyCommands, TheChecksTakeTheCommandsToleranceAndOneSummaryEndsTheReport) {
    const std::string summary =
        "Summary: AbneySurvey: 1 branch reduced, 2 stations levelled (chainage E, slope L, height "
        "M, level N); GroundProfile: 1 branch of 2 stations copied from AbneySurvey into B:D of "
        "rows 4-6.";
    const std::pair<double, std::string> cases[] = {
        {30,
         "Warning: AbneySurvey branch Main, station B (row 7): the fore angle 2°30'00\" and "
         "the back angle -4°30'00\" differ by 2°00'00\", more than the tolerance of 30'."},
        {120,
         "AbneySurvey: the fore and back angles of every leg read both ways agree within the "
         "tolerance of 120'."}};
    for (const auto& [tolerance, check] : cases) {
        auto h = test::workbookWithSheets({"AbneySurvey", "GroundProfile"});
        MemoryWorksheet& book = h->sheet("AbneySurvey");
        test::loadRow(book, 5, 3, {"Main"});
        test::loadRow(book, 6, 3, {"A"});
        book.load(6, 16, 100.0);
        test::loadRow(book, 7, 3, {"B", 40.0, CellValue{}, 2.0, 30.0, 0.0, -4.0, 30.0, 0.0});
        RecordingUserInterface ui;
        CommandSettings settings;
        settings.survey.angleToleranceMinutes = tolerance;
        EXPECT_TRUE(abneyCommand(h->host, ui, settings));
        EXPECT_EQ(ui.reportLines(), (std::vector<std::string>{check, summary}));
    }
}

}  // namespace
}  // namespace plovis
