#include "design/pipe_design.h"

#include <gtest/gtest.h>

#include "common/rounding.h"
#include "design/design_fixture.h"
#include "support/message_boxes.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

using test::DesignFixture;

// Columns of "PD-CW-Sample".
enum : int { B = 2, N = 14, P = 16, AG = 33, AI = 35, AJ = 36, AK = 37 };

std::string caption(int row) {
    return "Processing iteration for data at row " + std::to_string(row) + ".Please wait...";
}

std::vector<std::string> captions(int first, int last) {
    std::vector<std::string> out;
    for (int row = first; row <= last; ++row)
        out.push_back(caption(row));
    return out;
}

std::vector<std::string> rowFailure(int row) {
    return {"ok | Error occurred at the row number " + std::to_string(row) +
            "\rFirst you correct the error and redo again."};
}

struct PipeTable {
    DesignFixture f;
    MemoryWorksheet* pd = nullptr;

    PipeTable() { pd = &f.add("PD-CW-Sample"); }
    void addPipe(int row, double diameterMm, double roughnessM, double reynolds) {
        pd->load(row, B, std::string("P") + std::to_string(row));
        test::loadRow(*pd, row, AI, {diameterMm, roughnessM, reynolds});
    }
    void addPipes(int first, int last) {
        for (int row = first; row <= last; ++row)
            addPipe(row, 100, 0.00001, 100000);
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
    EXPECT_EQ(t.f.failing.calculationChanges(), test::kManualThenAutomatic);
}

TEST(DesignPipes, ASingleEmptyRowIsSteppedOverAndTwoEndThePass) {
    const struct {
        std::vector<int> rows;  // rows with a pipe
        std::vector<int> written;
        int lastCaption;
    } cases[] = {
        {{16, 17, 18, 19, 20, 22, 25}, {16, 17, 18, 19, 20, 22}, 24},  // B23, B24 empty: 25 unseen
        {{16, 17, 18, 19, 20}, {16, 17, 18, 19, 20}, 22},  // the table's end: two empty rows
        {{18}, {}, 17},                                    // an empty table designs nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lastCaption);
        PipeTable t;
        for (int row : c.rows)
            t.addPipes(row, row);
        EXPECT_TRUE(designPipes(t.f.ctx));
        EXPECT_EQ(t.rowsWritten(), c.written);
        EXPECT_EQ(t.f.ui.captions(StatusLabel::MainStatus), captions(16, c.lastCaption));
        EXPECT_TRUE(t.f.ui.messageTexts().empty());
    }
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
    t.addPipes(16, 19);
    t.addPipe(18, 100, 0.00001, 7);  // no root below 1
    EXPECT_FALSE(designPipes(t.f.ctx));
    EXPECT_EQ(test::messageBoxes(t.f.ui), rowFailure(18));
    EXPECT_EQ(t.rowsWritten(), (std::vector<int>{16, 17, 18}));
    EXPECT_EQ(t.pd->cell(18, AG), CellValue(0.01));
    EXPECT_TRUE(isEmpty(t.pd->cell(19, AG)));
    EXPECT_EQ(t.f.ui.status(StatusLabel::MainStatus), caption(18));
    EXPECT_EQ(t.f.ui.calculationAtMessages, std::vector<Calculation>{Calculation::Manual});
    EXPECT_EQ(t.f.failing.calculationChanges(), test::kManualThenAutomatic);
}

TEST(DesignPipes, RowsThatCannotBeComputedAreReportedByRow) {
    const struct {
        const char* what;
        CellValue diameter, roughness, reynolds;
    } cases[] = {{"no diameter", CellValue{}, 0.00001, 100000.0},
                 {"no Reynolds number", 100.0, 0.00001, std::string("Re")},
                 {"negative roughness", 100.0, -0.001, 100000.0},
                 {"header row", std::string("Dia (mm)"), std::string("e (m)"), std::string("Re")},
                 {"number too large", std::string("1e999"), 0.00001, 100000.0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PipeTable t;
        t.addPipe(16, 100, 0.00001, 100000);
        t.pd->load(17, B, std::string("x"));
        test::loadRow(*t.pd, 17, AI, {c.diameter, c.roughness, c.reynolds});
        EXPECT_FALSE(designPipes(t.f.ctx));
        EXPECT_EQ(test::messageBoxes(t.f.ui), rowFailure(17));
        EXPECT_EQ(t.f.workbook.calculation(), Calculation::Automatic);
    }
}

TEST(DesignPipes, AHostFailureInTheMiddleOfThePassNamesItsRow) {
    PipeTable t;
    t.addPipes(16, 19);
    t.f.failing.failWritesAfter(4);  // 0.01 and the factor of rows 16 and 17
    EXPECT_FALSE(designPipes(t.f.ctx));
    EXPECT_EQ(test::messageBoxes(t.f.ui), rowFailure(18));
    EXPECT_EQ(t.rowsWritten(), (std::vector<int>{16, 17}));
    EXPECT_EQ(t.pd->cell(17, AG), CellValue(0.018514));
    EXPECT_EQ(t.f.failing.calculationChanges(), test::kManualThenAutomatic);
}

TEST(DesignPipes, AMissingSheetIsReportedAndNothingIsWritten) {
    DesignFixture f;
    f.add("Water Demand");
    EXPECT_FALSE(designPipes(f.ctx));
    EXPECT_EQ(test::messageBoxes(f.ui),
              std::vector<std::string>{"ok critical | First open the correct data file that "
                                       "contains the sheet named PD-CW-Sample"});
    EXPECT_TRUE(f.failing.calculationChanges().empty());
    EXPECT_FALSE(f.workbook.modified());
}

TEST(DesignPipes, AQuestionNobodyAnswersLeavesCalculationAutomatic) {
    PipeTable t;
    t.addPipe(16, 100, 0.00001, 100000);
    t.pd->load(16, N, 50.0);
    t.pd->load(16, P, 4.0);
    // No answer scripted: the question cannot be answered, which no trapped region may swallow.
    EXPECT_THROW(designPipes(t.f.ctx), UnscriptedQuestion);
    EXPECT_EQ(t.f.failing.calculationChanges(), test::kManualThenAutomatic);
}

}  // namespace
}  // namespace plovis
