#include "commands/survey_commands.h"

#include <gtest/gtest.h>

#include "doubles/recording_user_interface.h"
#include "support/sheet_rows.h"
#include "support/snapshot.h"

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

// The Abney book's check takes the command's tolerance (beyond 30', within 120'); the summary of
// both routines comes last: the report lines compared whole with a reviewed golden text.
TEST(SurveyCommands, TheChecksTakeTheCommandsToleranceAndOneSummaryEndsTheReport) {
    std::string text;
    for (double tolerance : {30.0, 120.0}) {
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
        text += "== tolerance " + std::to_string(static_cast<int>(tolerance)) + "'\n";
        for (const std::string& line : ui.reportLines())
            text += line + "\n";
    }
    test::expectGolden(text, "commands", "abney_tolerance");
}

}  // namespace
}  // namespace plovis
