#include "design/pipe_design.h"

#include <gtest/gtest.h>

#include "common/rounding.h"
#include "design/design_fixture.h"

namespace plovis {
namespace {

using test::DesignFixture;

// Columns of "PD-CW-Sample".
enum : int { B = 2, N = 14, P = 16, AG = 33, AI = 35, AJ = 36, AK = 37 };

std::string caption(int row) {
    return "Processing iteration for data at row " + std::to_string(row) + ".Please wait...";
}

std::string rowFailure(int row) {
    return "Error occurred at the row number " + std::to_string(row) +
           "\rFirst you correct the error and redo again.";
}

struct PipeTable {
    DesignFixture f;
    MemoryWorksheet* pd = nullptr;

    PipeTable() { pd = &f.add("PD-CW-Sample"); }
    void addPipe(int row, double diameterMm, double roughnessM, double reynolds) {
        pd->load(row, B, std::string("P") + std::to_string(row));
        pd->load(row, AI, diameterMm);
        pd->load(row, AJ, roughnessM);
        pd->load(row, AK, reynolds);
    }
    std::vector<int> rowsWritten() {
        std::vector<int> rows;
        for (auto [row, column] : f.changed("PD-CW-Sample")) {
            if (rows.empty() || rows.back() != row) rows.push_back(row);
        }
        return rows;
    }
};

TEST(DesignPipes, WritesTheFrictionFactorRoundedToSixPlaces) {
    PipeTable t;
    t.addPipe(16, 100, 0.00001, 100000);
    t.addPipe(17, 50, 0.00005, 250000);
    t.pd->load(17, AG, 0.02);
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.pd->cell(16, AG), CellValue(0.018514));
    const double f17 = std::get<double>(t.pd->cell(17, AG));
    EXPECT_NEAR(f17, 0.0206, 0.0005);  // smooth-to-rough transition, about 0.0206
    EXPECT_EQ(f17, roundOff(f17, 6));
    EXPECT_EQ(t.f.changed("PD-CW-Sample"), (std::vector<std::pair<int, int>>{{16, AG}, {17, AG}}));
    EXPECT_TRUE(t.f.ui.messageTexts().empty());
    EXPECT_EQ(t.f.failing.calculationChanges(),
              (std::vector<Calculation>{Calculation::Manual, Calculation::Automatic}));
}

TEST(DesignPipes, ASingleEmptyRowIsSteppedOverAndTwoEndThePass) {
    PipeTable t;
    for (int row = 16; row <= 20; ++row)
        t.addPipe(row, 100, 0.00001, 100000);
    t.addPipe(22, 100, 0.00001, 100000);
    t.addPipe(25, 100, 0.00001, 100000);  // after B23 and B24 are empty: never reached
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.rowsWritten(), (std::vector<int>{16, 17, 18, 19, 20, 22}));
    std::vector<std::string> expected;
    for (int row = 16; row <= 24; ++row)
        expected.push_back(caption(row));
    EXPECT_EQ(t.f.ui.captions(StatusLabel::MainStatus), expected);
}

TEST(DesignPipes, TwoEmptyRowsAfterTheTableEndThePassAtTheSecond) {
    PipeTable t;
    for (int row = 16; row <= 20; ++row)
        t.addPipe(row, 100, 0.00001, 100000);
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.f.ui.status(StatusLabel::MainStatus), caption(22));
    EXPECT_EQ(t.f.ui.captions(StatusLabel::MainStatus).size(), 7u);
}

TEST(DesignPipes, AnEmptyTableDesignsNothingAndSucceeds) {
    PipeTable t;
    t.addPipe(18, 100, 0.00001, 100000);
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_FALSE(t.f.workbook.modified());
    EXPECT_EQ(t.f.ui.captions(StatusLabel::MainStatus),
              (std::vector<std::string>{caption(16), caption(17)}));
    EXPECT_TRUE(t.f.ui.messageTexts().empty());
}

TEST(DesignPipes, AFactorHoldingTextStartsFromOneHundredth) {
    PipeTable t;
    t.addPipe(16, 100, 0.00001, 100000);
    t.pd->load(16, AG, std::string("f"));
    t.f.failing.failWritesAfter(1);  // the starting value goes in; the solved one cannot
    EXPECT_FALSE(designPipes(t.f.ctx));
    EXPECT_EQ(t.pd->cell(16, AG), CellValue(0.01));
}

TEST(DesignPipes, ARowWithoutARootStopsThePassAtThatRow) {
    PipeTable t;
    t.addPipe(16, 100, 0.00001, 100000);
    t.addPipe(17, 100, 0.00001, 100000);
    t.addPipe(18, 100, 0.00001, 7);  // no root below 1
    t.addPipe(19, 100, 0.00001, 100000);
    EXPECT_FALSE(designPipes(t.f.ctx));
    ASSERT_EQ(t.f.ui.messageTexts(), std::vector<std::string>{rowFailure(18)});
    const Message m = test::messages(t.f.ui).at(0);
    EXPECT_EQ(m.icon, Icon::None);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_FALSE(m.title.has_value());
    EXPECT_EQ(t.rowsWritten(), (std::vector<int>{16, 17, 18}));
    EXPECT_EQ(t.pd->cell(18, AG), CellValue(0.01));
    EXPECT_TRUE(isEmpty(t.pd->cell(19, AG)));
    EXPECT_EQ(t.f.ui.status(StatusLabel::MainStatus), caption(18));
    EXPECT_EQ(t.f.ui.calculationAtMessages, std::vector<Calculation>{Calculation::Manual});
    EXPECT_EQ(t.f.workbook.calculation(), Calculation::Automatic);
}

TEST(DesignPipes, RowsThatCannotBeComputedAreReportedByRow) {
    struct Case {
        const char* what;
        CellValue diameter, roughness, reynolds;
    };
    const Case cases[] = {
        {"no diameter", CellValue{}, 0.00001, 100000.0},
        {"no Reynolds number", 100.0, 0.00001, std::string("Re")},
        {"negative roughness", 100.0, -0.001, 100000.0},
        {"header row", std::string("Dia (mm)"), std::string("e (m)"), std::string("Re")},
        {"number too large", std::string("1e999"), 0.00001, 100000.0},
    };
    for (const Case& c : cases) {
        PipeTable t;
        t.addPipe(16, 100, 0.00001, 100000);
        t.pd->load(17, B, std::string("x"));
        t.pd->load(17, AI, c.diameter);
        t.pd->load(17, AJ, c.roughness);
        t.pd->load(17, AK, c.reynolds);
        EXPECT_FALSE(designPipes(t.f.ctx)) << c.what;
        EXPECT_EQ(t.f.ui.messageTexts(), std::vector<std::string>{rowFailure(17)}) << c.what;
        EXPECT_EQ(t.f.workbook.calculation(), Calculation::Automatic) << c.what;
    }
}

TEST(DesignPipes, AHostFailureInTheMiddleOfThePassNamesItsRow) {
    PipeTable t;
    for (int row = 16; row <= 19; ++row)
        t.addPipe(row, 100, 0.00001, 100000);
    t.f.failing.failWritesAfter(4);  // 0.01 and the factor of rows 16 and 17
    EXPECT_FALSE(designPipes(t.f.ctx));
    EXPECT_EQ(t.f.ui.messageTexts(), std::vector<std::string>{rowFailure(18)});
    EXPECT_EQ(t.rowsWritten(), (std::vector<int>{16, 17}));
    EXPECT_EQ(t.pd->cell(17, AG), CellValue(0.018514));
    EXPECT_EQ(t.f.failing.calculationChanges(),
              (std::vector<Calculation>{Calculation::Manual, Calculation::Automatic}));
}

TEST(DesignPipes, AMissingSheetIsReportedAndNothingIsWritten) {
    DesignFixture f;
    f.add("Water Demand");
    EXPECT_FALSE(designPipes(f.ctx));
    ASSERT_EQ(f.ui.messageTexts(),
              std::vector<std::string>{
                  "First open the correct data file that contains the sheet named PD-CW-Sample"});
    EXPECT_EQ(f.ui.events()[0].message.icon, Icon::Critical);
    EXPECT_TRUE(f.failing.calculationChanges().empty());
    EXPECT_FALSE(f.workbook.modified());
}

TEST(DesignPipes, WithoutAWorkbookTheAttachMessageShows) {
    test::SingleWorkbookHost host(nullptr);
    RecordingUserInterface ui;
    DesignContext ctx{host, ui};
    EXPECT_FALSE(designPipes(ctx));
    EXPECT_EQ(ui.messageTexts(), std::vector<std::string>{"Excel application is not open"});
}

TEST(DesignPipes, AQuestionNobodyAnswersLeavesCalculationAutomatic) {
    PipeTable t;
    t.addPipe(16, 100, 0.00001, 100000);
    t.pd->load(16, N, 50.0);
    t.pd->load(16, P, 4.0);
    // No answer scripted: the question cannot be answered, which no trapped region may swallow.
    EXPECT_THROW(designPipes(t.f.ctx), UnscriptedQuestion);
    EXPECT_EQ(t.f.failing.calculationChanges(),
              (std::vector<Calculation>{Calculation::Manual, Calculation::Automatic}));
}

}  // namespace
}  // namespace plovis
