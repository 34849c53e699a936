#include "design/pipe_design.h"

#include <gtest/gtest.h>

#include "common/rounding.h"
#include "design/design_fixture.h"
#include "support/message_boxes.h"
#include "support/sheet_rows.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::DesignFixture;

// Columns of "PD-CW-Sample".
enum : int { B = 2, N = 14, P = 16, AG = 33, AI = 35 };

std::string caption(int row) {
    return "Processing iteration for data at row " + std::to_string(row) + ".Please wait...";
}

std::vector<std::string> rowFailure(int row) {
    return {"ok | Error occurred at the row number " + std::to_string(row) +
            "\rFirst you correct the error and redo again."};
}

std::string question(int row, const std::string& pressure, int cls) {
    return "yes/no | At row number = " + std::to_string(row) +
           " ,the static pressure = " + pressure +
           "\r exceeds the bearing pressure of the provided pipe of class " + std::to_string(cls) +
           " Kg/cm2\r So you are requested to provide higher class pipe. Do you want to increase "
           "capacity?";
}

const CellValue kFactor(0.018514);  // of a 100 mm pipe, e = 0.01 mm, Re = 100000

struct PipeTable {
    DesignFixture f;
    MemoryWorksheet* pd = &f.add("PD-CW-Sample");

    void addPipe(int row, double diameterMm = 100, double roughnessM = 0.00001,
                 double reynolds = 100000) {
        pd->load(row, B, std::string("P") + std::to_string(row));
        test::loadRow(*pd, row, AI, {diameterMm, roughnessM, reynolds});
    }
    void addPipes(int first, int last) {
        for (int row = first; row <= last; ++row)
            addPipe(row);
    }
    // A pipe row that designs without fault, with its static pressure and class.
    void addClassedPipe(int row, double pressure, CellValue cls) {
        addPipe(row);
        pd->load(row, N, pressure);
        pd->load(row, P, std::move(cls));
    }
};

TEST(DesignPipes, WritesTheFrictionFactorRoundedToSixPlaces) {
    PipeTable t;
    t.addPipe(16);
    t.addPipe(17, 50, 0.00005, 250000);
    t.pd->load(17, AG, 0.02);
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.pd->cell(16, AG), kFactor);
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
        {{18}, {}, 17}};                                   // an empty table designs nothing
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lastCaption);
        PipeTable t;
        for (int row : c.rows)
            t.addPipe(row);
        EXPECT_TRUE(designPipes(t.f.ctx));
        EXPECT_EQ(t.f.rowsWritten("PD-CW-Sample"), c.written);
        std::vector<std::string> captions;
        for (int row = 16; row <= c.lastCaption; ++row)
            captions.push_back(caption(row));
        EXPECT_EQ(t.f.ui.captions(StatusLabel::MainStatus), captions);
        EXPECT_TRUE(t.f.ui.messageTexts().empty());
    }
}

TEST(DesignPipes, ARowWithoutARootStopsThePassAtThatRowAfterStartingFromOneHundredth) {
    PipeTable t;
    t.addPipes(16, 19);
    t.addPipe(18, 100, 0.00001, 7);  // no root below 1
    EXPECT_FALSE(designPipes(t.f.ctx));
    EXPECT_EQ(test::messageBoxes(t.f.ui), rowFailure(18));
    EXPECT_EQ(t.f.rowsWritten("PD-CW-Sample"), (std::vector<int>{16, 17, 18}));
    EXPECT_EQ(t.pd->cell(18, AG), CellValue(0.01));
    EXPECT_TRUE(isEmpty(t.pd->cell(19, AG)));
    EXPECT_EQ(t.f.ui.status(StatusLabel::MainStatus), caption(18));
    EXPECT_EQ(t.f.ui.calculationAtMessages, std::vector<Calculation>{Calculation::Manual});
    EXPECT_EQ(t.f.failing.calculationChanges(), test::kManualThenAutomatic);

    PipeTable text;  // a factor holding text starts from one hundredth too
    text.addPipe(16);
    text.pd->load(16, AG, std::string("f"));
    text.f.failing.failWritesAfter(1);  // the starting value goes in; the solved one cannot
    EXPECT_FALSE(designPipes(text.f.ctx));
    EXPECT_EQ(text.pd->cell(16, AG), CellValue(0.01));
}

// Rows that cannot be computed stop the pass at their row; the reasons and summaries are compared
// whole with a reviewed golden text.
TEST(DesignPipes, RowsThatCannotBeComputedAreReportedByRow) {
    const struct {
        const char* what;
        CellValue diameter, roughness, reynolds;
    } cases[] = {{"no diameter", CellValue{}, 0.00001, 100000.0},
                 {"no Reynolds number", 100.0, 0.00001, std::string("Re")},
                 {"negative roughness", 100.0, -0.001, 100000.0},
                 {"header row", std::string("Dia (mm)"), std::string("e (m)"), std::string("Re")},
                 {"number too large", std::string("1e999"), 0.00001, 100000.0},
                 {"an error value", 100.0, 0.00001, std::string("#DIV/0!")},
                 {"no root below one", 100.0, 0.00001, 7.0}};
    std::string text;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PipeTable t;
        t.addPipe(16);
        t.pd->load(17, B, std::string("x"));
        test::loadRow(*t.pd, 17, AI, {c.diameter, c.roughness, c.reynolds});
        EXPECT_FALSE(designPipes(t.f.ctx));
        EXPECT_EQ(test::messageBoxes(t.f.ui), rowFailure(17));
        ASSERT_EQ(t.f.ctx.report.size(), 1u);
        text += std::string("== ") + c.what + "\n" + t.f.ctx.report[0] + "\n" +
                t.f.ctx.summary.at(0) + "\n";
        EXPECT_EQ(t.f.workbook.calculation(), Calculation::Automatic);
    }
    test::expectGolden(text, "design", "unsolvable_rows");
}

TEST(DesignPipes, AHostFailureInTheMiddleOfThePassNamesItsRow) {
    PipeTable t;
    t.addPipes(16, 19);
    t.f.failing.failWritesAfter(4);  // 0.01 and the factor of rows 16 and 17
    EXPECT_FALSE(designPipes(t.f.ctx));
    EXPECT_EQ(test::messageBoxes(t.f.ui), rowFailure(18));
    EXPECT_EQ(t.f.rowsWritten("PD-CW-Sample"), (std::vector<int>{16, 17}));
    EXPECT_EQ(t.pd->cell(17, AG), kFactor);
    EXPECT_EQ(t.f.failing.calculationChanges(), test::kManualThenAutomatic);
}

// The questions and the summary of each case are compared whole with a reviewed golden text.
TEST(CheckPipeClass, AsksWhileTheStaticPressureExceedsTheClass) {
    const auto yes = Answer::Yes;
    // clang-format off
    const struct {
        const char* what; double pressure; CellValue cls; std::vector<Answer> answers;
        CellValue finalClass;
    } cases[] = {
        {"within the class", 40, 4.0, {}, 4.0},
        {"just within", 39.9, 4.0, {}, 4.0},
        {"below zero", -5, 4.0, {}, 4.0},
        {"no keeps the class", 40.5, 4.0, {Answer::No}, 4.0},
        {"yes climbs the ladder until the class bears it", 75, 4.0, {yes, yes}, 10.0},
        {"class ten asks for a larger diameter", 120, 10.0, {yes}, 10.0},
        {"off the ladder: asked, not raised", 200, 16.0, {yes}, 16.0},
        {"read as a whole number, halves to even", 65.5, std::string("6.5 kg/cm2"), {yes}, 10.0},
        {"an empty class is not checked", 1000, CellValue{}, {}, CellValue{}},
        {"an error value for a class", 0, std::string("#VALUE!"), {}, std::string("#VALUE!")}};
    // clang-format on
    std::string text;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PipeTable t;
        t.addClassedPipe(16, 10, 4.0);
        t.addClassedPipe(17, c.pressure, c.cls);
        for (Answer a : c.answers)
            t.f.ui.script({a});
        EXPECT_TRUE(designPipes(t.f.ctx));
        EXPECT_EQ(t.pd->cell(17, P), c.finalClass);
        EXPECT_EQ(t.pd->cell(17, AG), kFactor);  // designed again after each raise
        EXPECT_EQ(t.f.ui.unusedAnswers(), 0u);
        const std::vector<std::string> shown = test::messageBoxes(t.f.ui);
        EXPECT_EQ(t.f.ui.calculationAtMessages,
                  std::vector<Calculation>(shown.size(), Calculation::Manual));
        text += std::string("== ") + c.what + "\n";
        for (const auto& lines : {shown, t.f.ctx.summary})
            for (const std::string& line : lines)
                text += line + "\n";
    }
    test::expectGolden(text, "design", "pipe_class_checks");
}

TEST(CheckPipeClass, AFailingCheckLeavesTheRowAndThePassGoesOn) {
    // A class, or ten times it, beyond a whole number; a class that cannot be written.
    for (double cls : {3e9, 300000000.0, 4.0}) {
        SCOPED_TRACE(cls);
        PipeTable t;
        t.addClassedPipe(16, 50, cls);
        t.addClassedPipe(17, 10, 4.0);
        if (cls == 4.0) {
            t.f.failing.failCell(16, P);
            t.f.ui.script({Answer::Yes});
        }
        EXPECT_TRUE(designPipes(t.f.ctx));
        EXPECT_EQ(test::messageBoxes(t.f.ui),
                  std::vector<std::string>(cls == 4.0, question(16, "50", 4)));
        EXPECT_EQ(t.pd->cell(16, P), CellValue(cls));
        EXPECT_EQ(t.pd->cell(16, AG), kFactor);
        EXPECT_EQ(t.pd->cell(17, AG), kFactor);
    }
}

}  // namespace
}  // namespace plovis
