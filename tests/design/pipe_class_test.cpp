#include "design/pipe_class.h"

#include <gtest/gtest.h>

#include "design/design_fixture.h"
#include "design/pipe_design.h"

namespace plovis {
namespace {

using test::DesignFixture;

// Columns of "PD-CW-Sample".
enum : int { B = 2, N = 14, P = 16, AG = 33, AI = 35, AJ = 36, AK = 37 };

std::string question(int row, const std::string& pressure, int cls) {
    return "At row number = " + std::to_string(row) + " ,the static pressure = " + pressure +
           "\r exceeds the bearing pressure of the provided pipe of class " + std::to_string(cls) +
           " Kg/cm2\r So you are requested to provide higher class pipe. Do you want to increase "
           "capacity?";
}

struct ClassTable {
    DesignFixture f;
    MemoryWorksheet* pd = nullptr;

    ClassTable() { pd = &f.add("PD-CW-Sample"); }
    // A pipe row that designs without fault, with its static pressure and class.
    void addPipe(int row, double pressure, CellValue cls) {
        pd->load(row, B, std::string("P") + std::to_string(row));
        pd->load(row, N, pressure);
        pd->load(row, P, std::move(cls));
        pd->load(row, AI, 100.0);
        pd->load(row, AJ, 0.00001);
        pd->load(row, AK, 100000.0);
    }
};

TEST(CheckPipeClass, PressureWithinTheClassAsksNothing) {
    for (double pressure : {40.0, 39.9, -5.0}) {
        ClassTable t;
        t.addPipe(16, pressure, 4.0);
        EXPECT_TRUE(designPipes(t.f.ctx));
        EXPECT_TRUE(t.f.ui.messageTexts().empty()) << pressure;
        EXPECT_EQ(t.pd->cell(16, P), CellValue(4.0));
    }
}

TEST(CheckPipeClass, TheQuestionHasThreeLinesAndNoKeepsTheClass) {
    ClassTable t;
    t.addPipe(16, 10, 4.0);
    t.addPipe(17, 40.5, 4.0);
    t.f.ui.script({Answer::No});
    EXPECT_TRUE(designPipes(t.f.ctx));
    ASSERT_EQ(t.f.ui.messageTexts(), std::vector<std::string>{question(17, "40.5", 4)});
    const Message m = test::messages(t.f.ui).at(0);
    EXPECT_EQ(m.buttons, Buttons::YesNo);
    EXPECT_EQ(m.icon, Icon::None);
    EXPECT_FALSE(m.title.has_value());
    EXPECT_EQ(t.pd->cell(17, P), CellValue(4.0));
    EXPECT_EQ(t.f.ui.calculationAtMessages, std::vector<Calculation>{Calculation::Manual});
}

TEST(CheckPipeClass, YesClimbsTheLadderUntilTheClassBearsThePressure) {
    ClassTable t;
    t.addPipe(16, 75, 4.0);
    t.f.ui.script({Answer::Yes, Answer::Yes});
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.f.ui.messageTexts(),
              (std::vector<std::string>{question(16, "75", 4), question(16, "75", 6)}));
    EXPECT_EQ(t.pd->cell(16, P), CellValue(10.0));
    EXPECT_EQ(t.pd->cell(16, AG), CellValue(0.018514));  // designed again after each raise
    EXPECT_EQ(t.f.ui.unusedAnswers(), 0u);
}

TEST(CheckPipeClass, ClassTenAsksForALargerDiameter) {
    ClassTable t;
    t.addPipe(30, 120, 10.0);
    for (int row = 16; row < 30; ++row)
        t.addPipe(row, 0, CellValue{});
    t.f.ui.script({Answer::Yes});
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.f.ui.messageTexts(),
              (std::vector<std::string>{
                  question(30, "120", 10),
                  "You are requested to provide higher diameter pipe at row number = 30"}));
    const Message m = test::messages(t.f.ui).at(1);
    EXPECT_EQ(m.buttons, Buttons::Ok);
    EXPECT_EQ(m.icon, Icon::None);
    EXPECT_EQ(t.pd->cell(30, P), CellValue(10.0));
}

TEST(CheckPipeClass, ClassesOffTheLadderAreAskedAboutButNotRaised) {
    ClassTable t;
    t.addPipe(16, 200, 16.0);
    t.f.ui.script({Answer::Yes});
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.f.ui.messageTexts(), std::vector<std::string>{question(16, "200", 16)});
    EXPECT_EQ(t.pd->cell(16, P), CellValue(16.0));
}

TEST(CheckPipeClass, TheClassIsReadAsAWholeNumberHalvesToEven) {
    ClassTable t;
    t.addPipe(16, 65.5, std::string("6.5 kg/cm2"));
    t.f.ui.script({Answer::Yes});
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.f.ui.messageTexts(), std::vector<std::string>{question(16, "65.5", 6)});
    EXPECT_EQ(t.pd->cell(16, P), CellValue(10.0));
}

TEST(CheckPipeClass, AnEmptyClassIsNotChecked) {
    ClassTable t;
    t.addPipe(16, 1000, CellValue{});
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_TRUE(t.f.ui.messageTexts().empty());
}

TEST(CheckPipeClass, AFailingCheckLeavesTheRowAndThePassGoesOn) {
    struct Case {
        const char* what;
        CellValue cls;
    };
    const Case cases[] = {
        {"class beyond a whole number", 3e9},
        {"class times ten beyond a whole number", 300000000.0},
    };
    for (const Case& c : cases) {
        ClassTable t;
        t.addPipe(16, 50, c.cls);
        t.addPipe(17, 10, 4.0);
        EXPECT_TRUE(designPipes(t.f.ctx)) << c.what;
        EXPECT_TRUE(t.f.ui.messageTexts().empty()) << c.what;
        EXPECT_EQ(t.pd->cell(16, AG), CellValue(0.018514)) << c.what;
        EXPECT_EQ(t.pd->cell(17, AG), CellValue(0.018514)) << c.what;
    }
}

TEST(CheckPipeClass, AClassThatCannotBeWrittenIsDroppedAndThePassGoesOn) {
    ClassTable t;
    t.addPipe(16, 50, 4.0);
    t.addPipe(17, 10, 4.0);
    t.f.failing.failCell(16, P);
    t.f.ui.script({Answer::Yes});
    EXPECT_TRUE(designPipes(t.f.ctx));
    EXPECT_EQ(t.f.ui.messageTexts(), std::vector<std::string>{question(16, "50", 4)});
    EXPECT_EQ(t.pd->cell(16, P), CellValue(4.0));
    EXPECT_EQ(t.pd->cell(16, AG), CellValue(0.018514));
    EXPECT_EQ(t.pd->cell(17, AG), CellValue(0.018514));
}

}  // namespace
}  // namespace plovis
