#include "commands/design_commands.h"

#include <gtest/gtest.h>

#include "design/design_fixture.h"
#include "support/message_boxes.h"
#include "support/ui_seen.h"

namespace plovis {
namespace {

using test::DesignFixture;
using test::seen;

constexpr const char* kDone = "Congratulation computation is successful";
constexpr const char* kDemandCaption = "Processing for water demand calculation.Please wait...";

// A pipe row that solves: diameter 100 mm, roughness 0.00001, Reynolds number 100000.
void pipeRow(MemoryWorksheet& pd, int row) {
    pd.load(row, 2, std::string("P1"));
    pd.load(row, 35, 100.0);
    pd.load(row, 36, 0.00001);
    pd.load(row, 37, 100000.0);
}

std::string iteration(int row) {
    return "status: Processing iteration for data at row " + std::to_string(row) +
           ".Please wait...";
}

// What the user sees: the caption while the command runs, the routine's own message, the caption
// cleared; the congratulation (a plain OK box) only after a pass that succeeded; then the report:
// why it stopped, and one summary line.
TEST(DesignCommands, CaptionsAndMessagesInOrder) {
    using Seen = std::vector<std::string>;
    const std::string demandCaption = "status: " + std::string(kDemandCaption);
    DesignFixture demand;
    demand.addDataInput({2, 0, 15, 3, 45, 500, 0.1});
    demand.add("Water Demand").load(20, 2, std::string("Ward 1"));
    demand.sheet("Water Demand").load(20, 6, 100.0);
    EXPECT_TRUE(waterDemandCommand(demand.host, demand.ui));
    EXPECT_EQ(seen(demand.ui),
              (Seen{demandCaption, kDone, "status: ",
                    "report: Summary: Water Demand: 1 row of 1 block computed (G to S, row 20)."}));
    DesignFixture noDesign;
    noDesign.addDataInput({});
    EXPECT_FALSE(waterDemandCommand(noDesign.host, noDesign.ui));
    EXPECT_EQ(seen(noDesign.ui),
              (Seen{demandCaption,
                    "Please open the correct data file that contains sheet named PD-CW-Sample",
                    "status: ",
                    "report: Why: the workbook scheme.xlsx has no sheet named \"Water Demand\".",
                    "report: Summary: Water Demand: no row computed; stopped at the block of row "
                    "20."}));
    DesignFixture pipe;
    pipeRow(pipe.add("PD-CW-Sample"), 16);
    EXPECT_TRUE(pipeHeadLossCommand(pipe.host, pipe.ui));
    EXPECT_EQ(seen(pipe.ui),
              (Seen{iteration(16), iteration(17), iteration(18), "status: ", kDone,
                    "report: Summary: PD-CW-Sample: friction factors of 1 pipe row written into "
                    "AG (row 16)."}));
    EXPECT_EQ(test::messageBoxes(pipe.ui).back(), "ok | " + std::string(kDone));
    DesignFixture broken;
    broken.add("PD-CW-Sample").load(16, 2, std::string("P1"));  // no diameter: a division by zero
    EXPECT_FALSE(pipeHeadLossCommand(broken.host, broken.ui));
    EXPECT_EQ(
        seen(broken.ui),
        (Seen{iteration(16),
              "Error occurred at the row number 16\rFirst you correct the error and redo again.",
              "status: ",
              "report: Why: row 16: division by zero: the diameter is 0 (diameter AI16 = 0 mm, "
              "roughness AJ16 = 0 m, Reynolds number AK16 = 0).",
              "report: Summary: PD-CW-Sample: no friction factor written; stopped at row 16."}));
    DesignFixture noSheet;
    noSheet.add("DATA INPUT");
    EXPECT_FALSE(pipeHeadLossCommand(noSheet.host, noSheet.ui));
    EXPECT_EQ(seen(noSheet.ui),
              (Seen{"First open the correct data file that contains the sheet named PD-CW-Sample",
                    "status: ", "report: Summary: nothing was written."}));
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
