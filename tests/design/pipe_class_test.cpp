#include "design/pipe_class.h"

#include <gtest/gtest.h>

#include "design/design_fixture.h"
#include "design/pipe_design.h"
#include "support/message_boxes.h"
#include "support/sheet_rows.h"

namespace plovis {
namespace {

using test::DesignFixture;

// Columns of "PD-CW-Sample".
enum : int { B = 2, N = 14, P = 16, AG = 33, AI = 35, AJ = 36, AK = 37 };

std::string question(int row, const std::string& pressure, int cls) {
    return "yes/no | At row number = " + std::to_string(row) +
           " ,the static pressure = " + pressure +
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
        test::loadRow(*pd, row, AI, {100.0, 0.00001, 100000.0});
        pd->load(row, B, std::string("P") + std::to_string(row));
        pd->load(row, N, pressure);
        pd->load(row, P, std::move(cls));
    }
};

TEST(CheckPipeClass, AsksWhileTheStaticPressureExceedsTheClass) {
    const std::string larger =
        "ok | You are requested to provide higher diameter pipe at row number = 17";
    const struct {
        const char* what;
        double pressure;
        CellValue cls;
        std::vector<Answer> answers;
        std::vector<std::string> shown;
        CellValue finalClass;
    } cases[] = {{"within the class", 40, 4.0, {}, {}, 4.0},
                 {"just within", 39.9, 4.0, {}, {}, 4.0},
                 {"below zero", -5, 4.0, {}, {}, 4.0},
                 {"no keeps the class", 40.5, 4.0, {Answer::No}, {question(17, "40.5", 4)}, 4.0},
                 {"yes climbs the ladder until the class bears it",
                  75,
                  4.0,
                  {Answer::Yes, Answer::Yes},
                  {question(17, "75", 4), question(17, "75", 6)},
                  10.0},
                 {"class ten asks for a larger diameter",
                  120,
                  10.0,
                  {Answer::Yes},
                  {question(17, "120", 10), larger},
                  10.0},
                 {"off the ladder: asked, not raised",
                  200,
                  16.0,
                  {Answer::Yes},
                  {question(17, "200", 16)},
                  16.0},
                 {"read as a whole number, halves to even",
                  65.5,
                  std::string("6.5 kg/cm2"),
                  {Answer::Yes},
                  {question(17, "65.5", 6)},
                  10.0},
                 {"an empty class is not checked", 1000, CellValue{}, {}, {}, CellValue{}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ClassTable t;
        t.addPipe(16, 10, 4.0);
        t.addPipe(17, c.pressure, c.cls);
        for (Answer a : c.answers)
            t.f.ui.script({a});
        EXPECT_TRUE(designPipes(t.f.ctx));
        EXPECT_EQ(test::messageBoxes(t.f.ui), c.shown);
        EXPECT_EQ(t.pd->cell(17, P), c.finalClass);
        EXPECT_EQ(t.pd->cell(17, AG), CellValue(0.018514));  // designed again after each raise
        EXPECT_EQ(t.f.ui.unusedAnswers(), 0u);
        EXPECT_EQ(t.f.ui.calculationAtMessages,
                  std::vector<Calculation>(c.shown.size(), Calculation::Manual));
    }
}

TEST(CheckPipeClass, AFailingCheckLeavesTheRowAndThePassGoesOn) {
    // A class, or ten times it, beyond a whole number; a class that cannot be written.
    for (double cls : {3e9, 300000000.0, 4.0}) {
        SCOPED_TRACE(cls);
        ClassTable t;
        t.addPipe(16, 50, cls);
        t.addPipe(17, 10, 4.0);
        if (cls == 4.0) {
            t.f.failing.failCell(16, P);
            t.f.ui.script({Answer::Yes});
        }
        EXPECT_TRUE(designPipes(t.f.ctx));
        EXPECT_EQ(test::messageBoxes(t.f.ui), cls == 4.0
                                                  ? std::vector<std::string>{question(16, "50", 4)}
                                                  : std::vector<std::string>{});
        EXPECT_EQ(t.pd->cell(16, P), CellValue(cls));
        EXPECT_EQ(t.pd->cell(16, AG), CellValue(0.018514));
        EXPECT_EQ(t.pd->cell(17, AG), CellValue(0.018514));
    }
}

}  // namespace
}  // namespace plovis
