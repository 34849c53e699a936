#include "commands/design_commands.h"

#include <gtest/gtest.h>

#include "design/design_fixture.h"
#include "support/message_boxes.h"
#include "support/snapshot.h"
#include "support/ui_seen.h"

namespace plovis {
namespace {

using test::DesignFixture;
using test::seen;

// A pipe row that solves: diameter 100 mm, roughness 0.00001, Reynolds number 100000.
void pipeRow(MemoryWorksheet& pd, int row) {
    pd.load(row, 2, std::string("P1"));
    pd.load(row, 35, 100.0);
    pd.load(row, 36, 0.00001);
    pd.load(row, 37, 100000.0);
}

// What the user sees, compared whole with a reviewed golden text: the caption while the command
// runs, the routine's own message, the caption cleared; the congratulation (a plain OK box) only
// after a pass that succeeded; then the report: why it stopped, and one summary line.
TEST(DesignCommands, CaptionsAndMessagesInOrder) {
    std::string text;
    const auto note = [&](const char* what, RecordingUserInterface& ui) {
        text += std::string("== ") + what + "\n";
        for (const std::string& line : seen(ui))
            text += line + "\n";
    };
    DesignFixture demand;
    demand.addDataInput({2, 0, 15, 3, 45, 500, 0.1});
    demand.add("Water Demand").load(20, 2, std::string("Ward 1"));
    demand.sheet("Water Demand").load(20, 6, 100.0);
    EXPECT_TRUE(waterDemandCommand(demand.host, demand.ui));
    note("demand", demand.ui);
    DesignFixture noDesign;
    noDesign.addDataInput({});
    EXPECT_FALSE(waterDemandCommand(noDesign.host, noDesign.ui));
    note("demand without its sheet", noDesign.ui);
    DesignFixture pipe;
    pipeRow(pipe.add("PD-CW-Sample"), 16);
    EXPECT_TRUE(pipeHeadLossCommand(pipe.host, pipe.ui));
    note("pipes", pipe.ui);
    EXPECT_EQ(test::messageBoxes(pipe.ui).back(), "ok | Congratulation computation is successful");
    DesignFixture broken;
    broken.add("PD-CW-Sample").load(16, 2, std::string("P1"));  // no diameter: a division by zero
    EXPECT_FALSE(pipeHeadLossCommand(broken.host, broken.ui));
    note("pipes, a row that cannot be computed", broken.ui);
    DesignFixture noSheet;
    noSheet.add("DATA INPUT");
    EXPECT_FALSE(pipeHeadLossCommand(noSheet.host, noSheet.ui));
    note("pipes without the design table", noSheet.ui);
    test::expectGolden(text, "commands", "design_commands");
    DesignFixture asked;  // the caption cleared when a question cannot be answered
    MemoryWorksheet& pd = asked.add("PD-CW-Sample");
    pipeRow(pd, 16);
    pd.load(16, 14, 50.0);  // static pressure above ...
    pd.load(16, 16, 4.0);   // ... what class 4 bears
    EXPECT_THROW(pipeHeadLossCommand(asked.host, asked.ui), UnscriptedQuestion);
    EXPECT_EQ(asked.ui.status(StatusLabel::MainStatus), "");
    EXPECT_TRUE(asked.ui.messageTexts().empty());
    EXPECT_EQ(asked.workbook.calculation(), Calculation::Automatic);
}

}  // namespace
}  // namespace plovis
