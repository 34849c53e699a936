#include "commands/survey_commands.h"

#include <gtest/gtest.h>

#include <functional>

#include "doubles/recording_user_interface.h"
#include "hosts/xlsx/xlsx_workbook.h"
#include "support/message_boxes.h"
#include "support/sheet_rows.h"
#include "support/test_paths.h"

namespace plovis {
namespace {

const char* const kReading = "Reading data from excel.Please wait...";
const char* const kProcessing = "processing data from excel.Please wait...";
const char* const kDone = "Processing is complete";

// Each menu entry on the sample scheme shows its caption, runs its routines and clears the
// caption, with the calculation mode restored; the one-step survey processing walks the four
// branches four times under two captions. What they write is checked in tests/sample.
TEST(SurveyCommands, ShowTheirCaptionsRunTheirRoutinesAndClearTheCaption) {
    const std::vector<std::string> done{kDone};
    const char* const demand = "Processing for water demand calculation.Please wait...";
    const auto branches = test::branchCaptions({1, 2, 3, 4});
    std::vector<std::string> processing{kReading};
    for (int walk = 0; walk < 4; ++walk) {  // reduction, transfer | section list, lengths
        if (walk == 2) processing.push_back(kProcessing);
        processing.insert(processing.end(), branches.begin(), branches.end());
    }
    processing.push_back("");
    // clang-format off
    const struct { const char* name; std::function<bool(SpreadsheetHost&, UserInterface&)> command;
        std::vector<std::string> captions, messages; } cases[] = {
        {"branch points", branchPointsCommand, {kReading}, done},
        {"pipe length", pipeLengthCommand, {kReading}, done},
        {"branch points and levels", branchPointsAndLevelsCommand, {kProcessing}, done},
        {"rise-fall", riseFallCommand, {kReading}, done},
        {"level to ground profile", levelToGroundProfileCommand, {demand}, done},
        {"rise-fall to ground profile", riseFallToGroundProfileCommand, {kReading}, done},
        {"abney", abneyCommand, {kReading}, done},
        {"survey data process", surveyDataProcessCommand, processing, {kDone, kDone}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemorySpreadsheetHost host;
        host.add(XlsxWorkbook::open(test::sourceDir() / "data/Pipe_Design_Sample.xlsx"));
        RecordingUserInterface ui;
        EXPECT_TRUE(c.command(host, ui));
        auto captions = ui.captions(StatusLabel::MainStatus);
        ASSERT_GE(captions.size(), 2u);
        EXPECT_EQ(captions.back(), "");
        if (c.captions.size() == 1) captions.resize(1);  // then the routine's own
        EXPECT_EQ(captions, c.captions);
        EXPECT_EQ(ui.messageTexts(), c.messages);
        EXPECT_EQ(host.activeWorkbook().calculation(), Calculation::Automatic);
    }
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

}  // namespace
}  // namespace plovis
