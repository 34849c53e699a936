#include "schematic/branch_layout.h"

#include <gtest/gtest.h>

#include <numbers>
#include <sstream>

#include "schematic/schematic_fixture.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::diagonalRun;
using test::drawn;
using test::expectNear;

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
    // The drawing, then the walk's state: every item's ends, the counters and marks.
    std::string snapshot() const {
        std::ostringstream s;
        s << test::drawingSnapshot(drawing);
        for (std::size_t b = 0; b < state.schematicBranches.size(); ++b) {
            for (const SchematicItem& i : state.schematicBranches[b].items) {
                s << "item " << b << " " << i.fromNode << "-" << i.toNode << " " << i.startX << ","
                  << i.startY << " " << i.endX << "," << i.endY << "\n";
            }
        }
        s << "unplaced " << state.unplacedCount << " fromEnd " << state.drawFromEnd << " intakes";
        for (const std::uint8_t flag : state.intakeFlags)
            s << " " << int(flag);
        s << " textHeight " << state.textHeight << " updates " << host.updateCount() << " status \""
          << ui.status(StatusLabel::DrawingStatus) << "\"\n";
        return s.str();
    }
};

// The stroke and label offset of each direction code, in any case; an unknown code leaves the
// vector as it was (7, 8, 9, 10). Reversed, right turns up-left and left up-right; the others
// point back the way they came.
TEST(DirectionVector, TheCodesForwardAndReversed) {
    const double d = diagonalRun();
    constexpr auto fwd = directionVector;
    constexpr auto rev = reversedDirectionVector;
    const struct {
        void (*vector)(std::string_view, double, StrokeVector&);
        const char* code;
        double dx, dy, offX, offY;
    } cases[] = {
        // clang-format off
        {fwd, "D", 0, -30, -1.5, 0}, {fwd, "U", 0, 30, -1.5, 0}, {fwd, "L", -30, 0, 0, 1.5},
        {fwd, "R", 30, 0, 0, 1.5}, {fwd, "DL", -d, -d, -1.5, 0}, {fwd, "UL", -d, d, -1.5, 0},
        {fwd, "DR", d, -d, -1.5, 0}, {fwd, "UR", d, d, -1.5, 0}, {fwd, "ur", d, d, -1.5, 0},
        {fwd, "", 7, 8, 9, 10}, {fwd, "X", 7, 8, 9, 10}, {fwd, "RR", 7, 8, 9, 10},
        {fwd, "N", 7, 8, 9, 10}, {fwd, "D L", 7, 8, 9, 10},
        {rev, "R", -d, d, -1.5, 0}, {rev, "l", d, d, -1.5, 0}, {rev, "D", 0, 30, -1.5, 0},
        {rev, "U", 0, -30, -1.5, 0}, {rev, "UR", -d, -d, -1.5, 0}, {rev, "DL", d, d, -1.5, 0}, {rev, "X", 7, 8, 9, 10},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.vector == fwd ? "forward " : "reversed ") + c.code);
        StrokeVector v{7, 8, 9, 10};
        c.vector(c.code, 1.5, v);
        EXPECT_NEAR(v.dx, c.dx, 1e-5);
        EXPECT_NEAR(v.dy, c.dy, 1e-5);
        EXPECT_EQ(v.offX, static_cast<float>(c.offX));
        EXPECT_EQ(v.offY, static_cast<float>(c.offY));
    }
    // The diagonal is divided by the single-precision root of two.
    StrokeVector v;
    directionVector("UR", 1.5, v);
    EXPECT_EQ(v.dx, static_cast<double>(30.0f / static_cast<float>(std::sqrt(2.0))));
    EXPECT_NE(v.dx, 30 / std::sqrt(2.0));
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

// Each branch table drawn and compared with its reviewed snapshot in tests/schematic/golden.
TEST(SchematicBranch, DrawsLikeItsReviewedSnapshot) {
    using Branches = std::vector<std::vector<SchematicItem>>;
    const struct {
        const char* golden;
        Branches branches;
    } scenarios[] = {
        // One stroke of 30 to the right, its circle, the labels above and below its middle and
        // the junction symbol with its level.
        {"one_item", {{stretch("A", "J1", "R", 100, 1.5f)}}},
        {"equal_stretches_share_one_stroke",
         {{stretch("A", "B", "R", 100), stretch("B", "C", "R", 120.5f),
           stretch("C", "D", "R", 80.25f)}}},
        {"junction_breaks_the_run",
         {{stretch("A", "J2", "R", 100), stretch("J2", "C", "R", 120.5f),
           stretch("C", "D", "R", 80.25f)}}},
        {"symbol_at_last_joint",
         {{stretch("A", "B", "R", 100), stretch("B", "CC2", "R", 120.5f),
           stretch("CC2", "D", "R", 80.25f)}}},
        {"pipe_flow_or_direction_change",
         {{stretch("A", "B", "R", 100, 2.0f, "63H(6)"), stretch("B", "C", "R", 50, 2.0f, "50H(6)"),
           stretch("C", "D", "R", 50, 1.0f, "50H(6)"),
           stretch("D", "E", "D", 40, 1.0f, "50H(6)")}}},
        {"labels_beside_upright_stroke", {{stretch("A", "B", "D")}}},
        {"unknown_first_direction", {{stretch("A", "B", "NE")}}},
        {"unknown_later_direction", {{stretch("A", "J1", "U"), stretch("J1", "B", "?")}}},
        {"branch_without_sections", {{}}},
        {"later_branch_from_known_node",
         {{stretch("A", "J1", "R"), stretch("J1", "B", "R", 100, 0.5f)},
          {stretch("J1", "T1", "D")}}},
        {"branch_off_the_network", {{stretch("A", "B", "R")}, {stretch("P", "Q", "U")}}},
        {"branch_ending_on_the_network",
         {{stretch("A", "J1", "R"), stretch("J1", "B", "R", 100, 0.5f)},
          {stretch("X", "J1", "L")}}},
        {"later_intakes_drawn_upwards",
         {{stretch("IN1", "J1", "R"), stretch("J1", "B", "R", 100, 0.5f)},
          {stretch("IN2", "J1", "R", 40, 0.5f)},
          {stretch("in3", "J1", "L", 60, 0.5f)}}},
        {"first_intake_drawn_forward", {{stretch("IN1", "CC1", "DR")}}},
        // Walking from the end, the run from J1 back over P keeps one length.
        {"run_from_structure_chain",
         {{stretch("A", "J1", "R")},
          {stretch("CC1", "CC2", "R", 10), stretch("CC2", "P", "R", 20), stretch("P", "Q", "R", 30),
           stretch("Q", "J1", "R", 40)}}},
        {"fourth_intake",
         {{stretch("IN1", "J1", "R")},
          {stretch("IN2", "J1", "L")},
          {stretch("IN3", "J1", "L")},
          {stretch("IN4", "J1", "L")}}},
    };
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.golden);
        LayoutFixture f;
        for (const auto& items : s.branches)
            f.branch(items);
        f.drawAll();
        test::expectGolden(f.snapshot(), "schematic", s.golden);
    }
}

TEST(SchematicBranch, LabelsOfStrokesTowardsNegativeXOrStraightDownAreTurnedHalfATurn) {
    const struct {
        const char* code;
        double rotation;
    } cases[] = {{"R", 0},       {"U", kPi / 2},  {"UR", kPi / 4},     {"L", 2 * kPi},
                 {"D", kPi / 2}, {"DL", kPi / 4}, {"UL", 7 * kPi / 4}, {"DR", 7 * kPi / 4}};
    for (const auto& c : cases) {
        LayoutFixture f;
        f.branch({stretch("A", "B", c.code)});
        f.drawAll();
        for (const CadText* t : drawn<CadText>(f.drawing)) {
            EXPECT_NEAR(t->rotation(), c.rotation, 1e-9) << c.code;
        }
    }
}

}  // namespace
}  // namespace plovis
