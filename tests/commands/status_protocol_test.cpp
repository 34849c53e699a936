#include "commands/status_protocol.h"

#include <gtest/gtest.h>

#include "hosts/recording_user_interface.h"

namespace plovis {
namespace {

TEST(StatusProtocol, CaptionShowsBeforeTheWorkAndIsClearedAfter) {
    RecordingUserInterface ui;
    runWithStatus(ui, StatusLabel::MainStatus, "Reading data from excel.Please wait...", [&] {
        EXPECT_EQ(ui.status(StatusLabel::MainStatus), "Reading data from excel.Please wait...");
        ui.showMessage(okMessage("Processing is complete"));
    });
    ASSERT_EQ(ui.events().size(), 3u);
    EXPECT_EQ(ui.events()[0].caption, "Reading data from excel.Please wait...");
    EXPECT_EQ(ui.events()[1].message.text, "Processing is complete");
    EXPECT_EQ(ui.events()[2].caption, "");
}

TEST(StatusProtocol, TheCaptionIsClearedWhenTheApplicationEnds) {
    RecordingUserInterface ui;
    EXPECT_THROW(runWithStatus(ui, StatusLabel::DrawingStatus, "x", [&] { endApplication(ui); }),
                 ApplicationEnds);
    EXPECT_EQ(ui.status(StatusLabel::DrawingStatus), "");
}

}  // namespace
}  // namespace plovis
