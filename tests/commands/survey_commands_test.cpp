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

}  // namespace
}  // namespace plovis
