#include "commands/design_commands.h"

#include <gtest/gtest.h>

#include "design/design_fixture.h"
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

TEST(WaterDemandCommand, CaptionWhileItRunsThenCleared) {
    DesignFixture f;
    f.addDataInput({2, 0, 15, 3, 45, 500, 0.1});
    MemoryWorksheet& demand = f.add("Water Demand");
    demand.load(20, 2, std::string("Ward 1"));
    demand.load(20, 6, 100.0);
    EXPECT_TRUE(waterDemandCommand(f.host, f.ui));
    EXPECT_EQ(seen(f.ui), (std::vector<std::string>{"status: " + std::string(kDemandCaption), kDone,
                                                    "status: "}));
    EXPECT_EQ(demand.cell(20, 8), CellValue(135.0));
}

TEST(WaterDemandCommand, AFailureIsReportedByTheRoutineAndTheCaptionCleared) {
    DesignFixture f;
    f.addDataInput({});
    EXPECT_FALSE(waterDemandCommand(f.host, f.ui));
    EXPECT_EQ(seen(f.ui),
              (std::vector<std::string>{
                  "status: " + std::string(kDemandCaption),
                  "Please open the correct data file that contains sheet named PD-CW-Sample",
                  "status: "}));
}

TEST(PipeHeadLossCommand, CongratulatesAfterTheCaptionIsCleared) {
    DesignFixture f;
    MemoryWorksheet& pd = f.add("PD-CW-Sample");
    pipeRow(pd, 16);
    EXPECT_TRUE(pipeHeadLossCommand(f.host, f.ui));
    EXPECT_EQ(seen(f.ui), (std::vector<std::string>{
                              "status: Processing iteration for data at row 16.Please wait...",
                              "status: Processing iteration for data at row 17.Please wait...",
                              "status: Processing iteration for data at row 18.Please wait...",
                              "status: ", kDone}));
    const Message done = test::messages(f.ui).back();
    EXPECT_EQ(done.buttons, Buttons::Ok);
    EXPECT_EQ(done.icon, Icon::None);
    EXPECT_FALSE(done.title.has_value());  // the application's own title
}

TEST(PipeHeadLossCommand, NoCongratulationAfterAFailedPass) {
    DesignFixture f;
    MemoryWorksheet& pd = f.add("PD-CW-Sample");
    pd.load(16, 2, std::string("P1"));  // no diameter: a division by zero
    EXPECT_FALSE(pipeHeadLossCommand(f.host, f.ui));
    EXPECT_EQ(seen(f.ui), (std::vector<std::string>{
                              "status: Processing iteration for data at row 16.Please wait...",
                              "Error occurred at the row number 16\rFirst you correct the error "
                              "and redo again.",
                              "status: "}));
}

TEST(PipeHeadLossCommand, NoCongratulationWithoutTheSheet) {
    DesignFixture f;
    f.add("DATA INPUT");
    EXPECT_FALSE(pipeHeadLossCommand(f.host, f.ui));
    EXPECT_EQ(seen(f.ui),
              (std::vector<std::string>{
                  "First open the correct data file that contains the sheet named PD-CW-Sample",
                  "status: "}));
}

TEST(PipeHeadLossCommand, TheCaptionIsClearedWhenAQuestionCannotBeAnswered) {
    DesignFixture f;
    MemoryWorksheet& pd = f.add("PD-CW-Sample");
    pipeRow(pd, 16);
    pd.load(16, 14, 50.0);  // static pressure above ...
    pd.load(16, 16, 4.0);   // ... what class 4 bears
    EXPECT_THROW(pipeHeadLossCommand(f.host, f.ui), UnscriptedQuestion);
    EXPECT_EQ(f.ui.status(StatusLabel::MainStatus), "");
    EXPECT_TRUE(f.ui.messageTexts().empty());
    EXPECT_EQ(f.workbook.calculation(), Calculation::Automatic);
}

}  // namespace
}  // namespace plovis
