#include "hosts/recording_user_interface.h"

#include <gtest/gtest.h>

namespace plovis {
namespace {

TEST(RecordingUserInterface, KeepsEverythingInOrderAndAnswersFromTheScript) {
    RecordingUserInterface ui;
    ui.script({Answer::Yes, Answer::Cancel});
    ui.setStatus(StatusLabel::MainStatus, "Reading data from excel.Please wait...");
    EXPECT_EQ(ui.showMessage({"Assure it", Buttons::YesNo, Icon::None, std::nullopt}), Answer::Yes);
    EXPECT_EQ(ui.showMessage(criticalMessage("Excel application is not open")), Answer::Ok);
    EXPECT_EQ(ui.showMessage({"Select", Buttons::OkCancel, Icon::Critical, "Error!!!"}),
              Answer::Cancel);
    ui.setStatus(StatusLabel::MainStatus, "");
    EXPECT_EQ(ui.messageTexts(),
              (std::vector<std::string>{"Assure it", "Excel application is not open", "Select"}));
    EXPECT_EQ(ui.captions(StatusLabel::MainStatus),
              (std::vector<std::string>{"Reading data from excel.Please wait...", ""}));
    EXPECT_EQ(ui.status(StatusLabel::MainStatus), "");
    EXPECT_TRUE(ui.captions(StatusLabel::DrawingStatus).empty());
    EXPECT_EQ(ui.events()[3].message.title, "Error!!!");
    EXPECT_EQ(ui.unusedAnswers(), 0u);
}

TEST(RecordingUserInterface, AnUnscriptedOrUnfittingAnswerIsTheTestsFault) {
    RecordingUserInterface ui;
    EXPECT_THROW(ui.showMessage({"Q", Buttons::YesNo, Icon::None, std::nullopt}),
                 UnscriptedQuestion);
    ui.script({Answer::Ok});
    EXPECT_THROW(ui.showMessage({"Q", Buttons::YesNo, Icon::None, std::nullopt}),
                 UnscriptedQuestion);
}

TEST(RecordingUserInterface, EndingTheApplicationUnwindsTheCommand) {
    RecordingUserInterface ui;
    EXPECT_THROW(endApplication(ui), ApplicationEnds);
    EXPECT_TRUE(ui.endRequested());
    EXPECT_EQ(ui.events().back().kind, UiEvent::Kind::EndRequested);
}

}  // namespace
}  // namespace plovis
