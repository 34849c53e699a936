#include "schematic/branch_layout.h"

#include <gtest/gtest.h>

#include <numbers>

#include "schematic/schematic_fixture.h"

namespace plovis {
namespace {

using test::diagonalRun;
using test::entitiesOf;
using test::expectNear;
using test::textNamed;

constexpr double kPi = std::numbers::pi;

SchematicItem stretch(std::string from, std::string to, std::string direction = "R",
                      float length = 100, float flow = 1.5f, std::string pipe = "63H(6)") {
    SchematicItem item;
    item.fromNode = std::move(from);
    item.toNode = std::move(to);
    item.direction = std::move(direction);
    item.length = length;
    item.flow = flow;
    item.pipeLabel = std::move(pipe);
    item.fromLevel = 1000;
    item.toLevel = 990;
    return item;
}

// A branch table drawn into a drawing carrying the schematic's symbols, as the command draws it.
struct LayoutFixture {
    ScriptedCadUtility utility;
    MemoryCadHost host{utility};
    RecordingUserInterface ui;
    Drawing& drawing = host.addDocument();
    SchematicState state;
    SchematicCanvas canvas{host, drawing.modelSpace(), ui};

    LayoutFixture() { test::addSchematicBlocks(drawing); }

    // A branch of the items (none: the empty item 0 of a branch without sections).
    void branch(std::vector<SchematicItem> items) {
        SchematicBranch b;
        b.title = "Branch " + std::to_string(state.schematicBranches.size() + 1);
        b.lastItem = items.empty() ? 0 : static_cast<int>(items.size()) - 1;
        if (!items.empty()) b.items = std::move(items);
        state.schematicBranches.push_back(std::move(b));
    }
    void drawAll() {
        for (int b = 0; b <= state.lastBranch(); ++b)
            drawSchematicBranch(state, b, canvas);
    }
    std::vector<const CadLine*> lines() const { return entitiesOf<CadLine>(drawing); }
    std::vector<const CadCircle*> circles() const { return entitiesOf<CadCircle>(drawing); }
    std::vector<const CadBlockReference*> symbols() const {
        return entitiesOf<CadBlockReference>(drawing);
    }
    const SchematicItem& item(int b, int k) const { return state.schematicBranches[b].items[k]; }
};

void expectStroke(const CadLine& line, double x0, double y0, double x1, double y1) {
    expectNear(line.startPoint(), x0, y0, "stroke start");
    expectNear(line.endPoint(), x1, y1, "stroke end");
}

TEST(DirectionVector, TheEightCodes) {
    const double d = diagonalRun();
    const struct {
        const char* code;
        double dx, dy, offX, offY;
    } cases[] = {
        {"D", 0, -30, -1.5, 0}, {"U", 0, 30, -1.5, 0},   {"L", -30, 0, 0, 1.5},
        {"R", 30, 0, 0, 1.5},   {"DL", -d, -d, -1.5, 0}, {"UL", -d, d, -1.5, 0},
        {"DR", d, -d, -1.5, 0}, {"UR", d, d, -1.5, 0},   {"ur", d, d, -1.5, 0},
    };
    for (const auto& c : cases) {
        StrokeVector v;
        directionVector(c.code, 1.5, v);
        EXPECT_NEAR(v.dx, c.dx, 1e-5) << c.code;
        EXPECT_NEAR(v.dy, c.dy, 1e-5) << c.code;
        EXPECT_EQ(v.offX, static_cast<float>(c.offX)) << c.code;
        EXPECT_EQ(v.offY, static_cast<float>(c.offY)) << c.code;
    }
}

TEST(DirectionVector, TheDiagonalIsDividedBySinglePrecisionRootTwo) {
    StrokeVector v;
    directionVector("UR", 1.5, v);
    EXPECT_EQ(v.dx, static_cast<double>(30.0f / static_cast<float>(std::sqrt(2.0))));
    EXPECT_NE(v.dx, 30 / std::sqrt(2.0));
}

TEST(DirectionVector, AnUnknownCodeLeavesTheVectorAsItWas) {
    for (const char* code : {"", "X", "RR", "N", "D L"}) {
        StrokeVector v{7, 8, 9, 10};
        directionVector(code, 1.5, v);
        EXPECT_EQ(v.dx, 7) << code;
        EXPECT_EQ(v.dy, 8) << code;
        EXPECT_EQ(v.offX, 9) << code;
        EXPECT_EQ(v.offY, 10) << code;
    }
}

TEST(ReversedDirectionVector, RightTurnsUpLeftAndLeftUpRight) {
    const double d = diagonalRun();
    StrokeVector v;
    reversedDirectionVector("R", 1.5, v);
    EXPECT_NEAR(v.dx, -d, 1e-5);
    EXPECT_NEAR(v.dy, d, 1e-5);
    EXPECT_EQ(v.offX, -1.5f);
    EXPECT_EQ(v.offY, 0.0f);
    reversedDirectionVector("l", 1.5, v);
    EXPECT_NEAR(v.dx, d, 1e-5);
    EXPECT_NEAR(v.dy, d, 1e-5);
    for (const char* code : {"D", "U", "UR", "DL", "X"}) {
        StrokeVector kept{1, 2, 3, 4};
        reversedDirectionVector(code, 1.5, kept);
        EXPECT_EQ(kept.dx, 1) << code;
        EXPECT_EQ(kept.dy, 2) << code;
    }
}

TEST(NodePosition, FromTheFirstItemNamingTheNodeIgnoringCase) {
    LayoutFixture f;
    f.branch({stretch("A", "J1"), stretch("J1", "B")});
    f.branch({stretch("j1", "C")});
    f.state.schematicBranches[0].items[0].endX = 30;
    f.state.schematicBranches[0].items[1].startX = 99;  // found later in order: not taken
    f.state.schematicBranches[1].items[0].startX = 77;
    expectNear(nodePosition(f.state, 1, "J1"), 30, 0);
    expectNear(nodePosition(f.state, 1, "c"), 0, 0);  // its own branch counts
    EXPECT_EQ(f.state.unplacedCount, 1);
}

TEST(NodePosition, ANodeFoundNowherePlacesANewNetworkBelow) {
    LayoutFixture f;
    f.branch({stretch("A", "B")});
    f.branch({stretch("C", "D")});
    expectNear(nodePosition(f.state, 0, "C"), 0, 500);  // branch 1 is not searched from branch 0
    expectNear(nodePosition(f.state, 0, "Q"), 0, 1000);
    EXPECT_EQ(f.state.unplacedCount, 3);
}

TEST(SchematicBranch, OneItemDrawsOneStrokeACircleAndTheEndSymbol) {
    LayoutFixture f;
    f.branch({stretch("A", "J1", "R", 100, 1.5f)});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 1u);
    expectStroke(*f.lines()[0], 0, 0, 30, 0);
    ASSERT_EQ(f.circles().size(), 1u);
    expectNear(f.circles()[0]->center(), 30, 0);
    EXPECT_EQ(f.circles()[0]->radius(), 1.0);
    const CadText& pipe = textNamed(f.drawing, "63H(6)/100 m");
    const CadText& flow = textNamed(f.drawing, "1.5 lps ");
    expectNear(pipe.textAlignmentPoint(), 15, 1.5);
    expectNear(flow.textAlignmentPoint(), 15, -1.5);
    for (const CadText* t : {&pipe, &flow}) {
        EXPECT_EQ(t->horizontalAlignment(), HorizontalAlignment::Center);
        EXPECT_EQ(t->verticalAlignment(), VerticalAlignment::Middle);
        EXPECT_DOUBLE_EQ(t->height(), 1.125);
        EXPECT_DOUBLE_EQ(t->rotation(), 0);
    }
    ASSERT_EQ(f.symbols().size(), 1u);
    EXPECT_EQ(f.symbols()[0]->name(), "JNO");
    expectNear(f.symbols()[0]->insertionPoint(), 30, 0);
    EXPECT_EQ(f.symbols()[0]->attributes()[0].textString(), "J1(RL=990m)");
    expectNear({f.item(0, 0).startX, f.item(0, 0).startY, 0}, 0, 0);
    expectNear({f.item(0, 0).endX, f.item(0, 0).endY, 0}, 30, 0);
    EXPECT_EQ(f.ui.status(StatusLabel::DrawingStatus), "Drawing in AutoCAD is completed.");
    EXPECT_EQ(f.host.updateCount(), 1);
    EXPECT_EQ(f.state.textHeight, 1.5);
}

TEST(SchematicBranch, EqualStretchesBetweenPlainNodesShareOneStroke) {
    LayoutFixture f;
    f.branch({stretch("A", "B", "R", 100), stretch("B", "C", "R", 120.5f),
              stretch("C", "D", "R", 80.25f)});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 1u);
    expectStroke(*f.lines()[0], 0, 0, 30, 0);
    EXPECT_EQ(f.circles().size(), 1u);
    EXPECT_EQ(test::textsOf(f.drawing), (std::vector<std::string>{"63H(6)/300.75 m", "1.5 lps "}));
    EXPECT_TRUE(f.symbols().empty());
}

TEST(SchematicBranch, AJunctionBreaksTheRun) {
    LayoutFixture f;
    f.branch({stretch("A", "J2", "R", 100), stretch("J2", "C", "R", 120.5f),
              stretch("C", "D", "R", 80.25f)});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 2u);
    expectStroke(*f.lines()[0], 0, 0, 30, 0);
    expectStroke(*f.lines()[1], 30, 0, 60, 0);
    EXPECT_EQ(test::textsOf(f.drawing), (std::vector<std::string>{"63H(6)/100 m", "1.5 lps ",
                                                                  "63H(6)/200.75 m", "1.5 lps "}));
    ASSERT_EQ(f.symbols().size(), 1u);
    EXPECT_EQ(f.symbols()[0]->name(), "JNO");
    expectNear(f.symbols()[0]->insertionPoint(), 30, 0);
}

TEST(SchematicBranch, ASymbolAtTheLastJointGivesTheLastStretchItsOwnStroke) {
    LayoutFixture f;
    f.branch({stretch("A", "B", "R", 100), stretch("B", "CC2", "R", 120.5f),
              stretch("CC2", "D", "R", 80.25f)});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 2u);
    expectStroke(*f.lines()[1], 30, 0, 60, 0);
    EXPECT_EQ(test::textsOf(f.drawing), (std::vector<std::string>{"63H(6)/220.5 m", "1.5 lps ",
                                                                  "63H(6)/80.25 m", "1.5 lps "}));
    ASSERT_EQ(f.symbols().size(), 1u);
    EXPECT_EQ(f.symbols()[0]->name(), "CC1");
    expectNear(f.symbols()[0]->insertionPoint(), 30, 0);
}

TEST(SchematicBranch, AChangeOfPipeFlowOrDirectionStartsANewStroke) {
    LayoutFixture f;
    f.branch(
        {stretch("A", "B", "R", 100, 2.0f, "63H(6)"), stretch("B", "C", "R", 50, 2.0f, "50H(6)"),
         stretch("C", "D", "R", 50, 1.0f, "50H(6)"), stretch("D", "E", "D", 40, 1.0f, "50H(6)")});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 4u);
    expectStroke(*f.lines()[3], 90, 0, 90, -30);
    EXPECT_EQ(test::textsOf(f.drawing),
              (std::vector<std::string>{"63H(6)/100 m", "2 lps ", "50H(6)/50 m", "2 lps ",
                                        "50H(6)/50 m", "1 lps ", "50H(6)/40 m", "1 lps "}));
    expectNear({f.item(0, 2).endX, f.item(0, 2).endY, 0}, 90, 0);
    expectNear({f.item(0, 3).endX, f.item(0, 3).endY, 0}, 90, -30);
}

TEST(SchematicBranch, LabelsOfStrokesTowardsNegativeXOrYAreTurnedHalfATurn) {
    const struct {
        const char* code;
        double rotation;
    } cases[] = {{"R", 0},       {"U", kPi / 2},  {"UR", kPi / 4},     {"L", 2 * kPi},
                 {"D", kPi / 2}, {"DL", kPi / 4}, {"UL", 7 * kPi / 4}, {"DR", 3 * kPi / 4}};
    for (const auto& c : cases) {
        LayoutFixture f;
        f.branch({stretch("A", "B", c.code)});
        f.drawAll();
        for (const CadText* t : entitiesOf<CadText>(f.drawing)) {
            EXPECT_NEAR(t->rotation(), c.rotation, 1e-9) << c.code;
        }
    }
}

TEST(SchematicBranch, LabelsStandBesideUprightStrokes) {
    LayoutFixture f;
    f.branch({stretch("A", "B", "D")});
    f.drawAll();
    expectNear(textNamed(f.drawing, "63H(6)/100 m").textAlignmentPoint(), -1.5, -15);
    expectNear(textNamed(f.drawing, "1.5 lps ").textAlignmentPoint(), 1.5, -15);
}

TEST(SchematicBranch, AnUnknownFirstDirectionDrawsAStrokeOfNoLength) {
    LayoutFixture f;
    f.branch({stretch("A", "B", "NE")});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 1u);
    expectStroke(*f.lines()[0], 0, 0, 0, 0);
    expectNear(f.circles().at(0)->center(), 0, 0);
}

TEST(SchematicBranch, AnUnknownLaterDirectionRepeatsTheStrokeBefore) {
    LayoutFixture f;
    f.branch({stretch("A", "J1", "U"), stretch("J1", "B", "?")});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 2u);
    expectStroke(*f.lines()[1], 0, 30, 0, 60);
}

TEST(SchematicBranch, ABranchWithoutSectionsDrawsItsEmptyItem) {
    LayoutFixture f;
    f.branch({});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 1u);
    expectStroke(*f.lines()[0], 0, 0, 0, 0);
    EXPECT_EQ(test::textsOf(f.drawing), (std::vector<std::string>{"/0 m", "0 lps "}));
    EXPECT_TRUE(f.symbols().empty());
}

TEST(SchematicBranch, ALaterBranchStartsAtItsKnownFirstNode) {
    LayoutFixture f;
    f.branch({stretch("A", "J1", "R"), stretch("J1", "B", "R", 100, 0.5f)});
    f.branch({stretch("J1", "T1", "D")});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 3u);
    expectStroke(*f.lines()[2], 30, 0, 30, -30);
    expectNear({f.item(1, 0).endX, f.item(1, 0).endY, 0}, 30, -30);
    EXPECT_EQ(f.state.unplacedCount, 1);
}

TEST(SchematicBranch, ABranchStartingOffTheNetworkStartsAtItsOwnFirstPosition) {
    LayoutFixture f;
    f.branch({stretch("A", "B", "R")});
    f.branch({stretch("P", "Q", "U")});
    f.drawAll();
    ASSERT_EQ(f.lines().size(), 2u);
    expectStroke(*f.lines()[1], 0, 0, 0, 30);
}

TEST(SchematicBranch, ABranchEndingOnTheNetworkIsDrawnFromItsEnd) {
    LayoutFixture f;
    f.branch({stretch("A", "J1", "R"), stretch("J1", "B", "R", 100, 0.5f)});
    f.branch({stretch("X", "J1", "L")});
    f.drawAll();
    EXPECT_TRUE(f.state.drawFromEnd);
    ASSERT_EQ(f.lines().size(), 3u);
    const double d = diagonalRun();
    expectStroke(*f.lines()[2], 30, 0, 30 + d, d);
    expectNear({f.item(1, 0).startX, f.item(1, 0).startY, 0}, 30 + d, d);
}

TEST(SchematicBranch, ALaterIntakeIsDrawnUpwardsFromItsFarEnd) {
    LayoutFixture f;
    f.branch({stretch("IN1", "J1", "R"), stretch("J1", "B", "R", 100, 0.5f)});
    f.branch({stretch("IN2", "J1", "R", 40, 0.5f)});
    f.branch({stretch("in3", "J1", "L", 60, 0.5f)});
    f.drawAll();
    const double d = diagonalRun();
    ASSERT_EQ(f.lines().size(), 4u);
    expectStroke(*f.lines()[2], 30, 0, 30 - d, d);
    expectStroke(*f.lines()[3], 30, 0, 30 + d, d);
    EXPECT_NEAR(textNamed(f.drawing, "63H(6)/40 m").rotation(), 7 * kPi / 4, 1e-9);
    EXPECT_NEAR(textNamed(f.drawing, "63H(6)/60 m").rotation(), kPi / 4, 1e-9);
    std::vector<std::string> intakes;
    for (const CadBlockReference* r : f.symbols()) {
        if (r->name() != "INTAKE") continue;
        intakes.push_back(r->attributes()[0].textString());
    }
    EXPECT_EQ(intakes, (std::vector<std::string>{"IN1", "IN2", "in3"}));
    expectNear(f.symbols().back()->insertionPoint(), 30 + d, d);  // the intake at the top end
    EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{1, 1, 1}));
}

TEST(SchematicBranch, TheFirstIntakeIsDrawnForwardFromItsIntake) {
    LayoutFixture f;
    f.branch({stretch("IN1", "CC1", "DR")});
    f.drawAll();
    EXPECT_FALSE(f.state.drawFromEnd);
    ASSERT_EQ(f.symbols().size(), 2u);
    EXPECT_EQ(f.symbols()[0]->name(), "INTAKE");
    expectNear(f.symbols()[0]->insertionPoint(), 0, 0);
    EXPECT_EQ(f.symbols()[0]->attributes()[1].textString(), "RL = 1000.00m");
    EXPECT_EQ(f.symbols()[1]->name(), "CC1");
    const double d = diagonalRun();
    expectNear(f.symbols()[1]->insertionPoint(), d, -d);
}

TEST(SchematicBranch, WalkingFromTheEndARunFromAStructureChainKeepsOneLength) {
    LayoutFixture f;
    f.branch({stretch("A", "J1", "R")});
    f.branch({stretch("CC1", "CC2", "R", 10), stretch("CC2", "P", "R", 20),
              stretch("P", "Q", "R", 30), stretch("Q", "J1", "R", 40)});
    f.drawAll();
    // The run from J1 back over P is labelled with one length, not two: the stretches before it
    // start at structures on both sides.
    EXPECT_EQ(test::textsOf(f.drawing),
              (std::vector<std::string>{"63H(6)/100 m", "1.5 lps ", "63H(6)/40 m", "1.5 lps ",
                                        "63H(6)/30 m", "1.5 lps "}));
    const double d = diagonalRun();
    ASSERT_EQ(f.lines().size(), 3u);
    expectStroke(*f.lines()[1], 30, 0, 30 - d, d);
    expectStroke(*f.lines()[2], 30 - d, d, 30 - 2 * d, 2 * d);
}

TEST(SchematicBranch, AFourthIntakeIsDrawnLikeTheOthers) {
    LayoutFixture f;
    f.branch({stretch("IN1", "J1", "R")});
    for (const char* name : {"IN2", "IN3", "IN4"})
        f.branch({stretch(name, "J1", "L")});
    f.drawAll();
    EXPECT_EQ(f.state.intakeFlags, (std::vector<std::uint8_t>{1, 1, 1, 1}));
    EXPECT_EQ(f.lines().size(), 4u);
}

}  // namespace
}  // namespace plovis
