#include "schematic/branch_layout.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>

#include "schematic/schematic_fixture.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

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

    // A branch of each list of items (an empty one: the empty item 0 of a branch without
    // sections).
    explicit LayoutFixture(std::vector<std::vector<SchematicItem>> branches) {
        test::addSchematicBlocks(drawing);
        for (auto& items : branches) {
            SchematicBranch b;
            b.title = "Branch " + std::to_string(state.schematicBranches.size() + 1);
            b.lastItem = items.empty() ? 0 : static_cast<int>(items.size()) - 1;
            if (!items.empty()) b.items = std::move(items);
            state.schematicBranches.push_back(std::move(b));
        }
    }
    // The drawing, then the walk's state: every item's ends, the counters and marks.
    std::string drawAll() {
        for (int b = 0; b <= state.lastBranch(); ++b)
            drawSchematicBranch(state, b, canvas);
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

// The stroke and label offset of each direction code forward and reversed, from a vector
// (7, 8, 9, 10) an unknown code leaves as it was, in full precision: the diagonal is divided by
// the single-precision root of two. Compared with tests/schematic/golden/direction_vectors.txt.
TEST(DirectionVector, TheCodesForwardAndReversed) {
    std::string report;
    for (const char* code :
         {"D", "U", "L", "R", "DL", "UL", "DR", "UR", "ur", "l", "d", "", "X", "RR", "N", "D L"}) {
        for (const auto vector : {directionVector, reversedDirectionVector}) {
            StrokeVector v{7, 8, 9, 10};
            vector(code, 1.5, v);
            char line[200];
            std::snprintf(line, sizeof line, "%-8s %-3s %.17g %.17g %.9g %.9g\n",
                          vector == directionVector ? "forward" : "reversed", code, v.dx, v.dy,
                          v.offX, v.offY);
            report += line;
        }
    }
    test::expectGolden(report, "schematic", "direction_vectors");
}

// The first item naming the node gives its place (its fromNode checked before its toNode); a
// node found nowhere in branches 0..b places a new network 500 further down.
TEST(NodePosition, FromTheFirstItemNamingTheNodeIgnoringCase) {
    LayoutFixture f({{stretch("A", "J1"), stretch("J1", "B")}, {stretch("j1", "C")}});
    f.state.schematicBranches[0].items[0].endX = 30;
    f.state.schematicBranches[0].items[1].startX = 99;  // found later in order: not taken
    f.state.schematicBranches[1].items[0].startX = 77;
    const struct {
        int branch;
        const char* node;
        double x, y;
        int unplaced;
    } cases[] = {{1, "J1", 30, 0, 1}, {1, "c", 0, 0, 1}, {0, "C", 0, 500, 2}, {0, "Q", 0, 1000, 3}};
    for (const auto& c : cases) {
        EXPECT_EQ(nodePosition(f.state, c.branch, c.node), (Point{c.x, c.y, 0})) << c.node;
        EXPECT_EQ(f.state.unplacedCount, c.unplaced) << c.node;
    }
}

// A branch table from one text per branch: stretches "from-to direction [length [flow [pipe]]]"
// separated by ";" (length 100, flow 1.5 and pipe 63H(6) when not given).
std::vector<std::vector<SchematicItem>> branchTable(const std::vector<std::string>& branches) {
    std::vector<std::vector<SchematicItem>> table;
    for (const std::string& branch : branches) {
        table.emplace_back();
        std::istringstream stretches(branch);
        for (std::string text; std::getline(stretches, text, ';');) {
            std::istringstream in(text);
            std::string nodes, direction, length = "100", flow = "1.5", pipe = "63H(6)";
            in >> nodes >> direction >> length >> flow >> pipe;
            const auto dash = nodes.find('-');
            table.back().push_back(stretch(nodes.substr(0, dash), nodes.substr(dash + 1), direction,
                                           std::stof(length), std::stof(flow), pipe));
        }
    }
    return table;
}

// Each branch table drawn and compared with its reviewed snapshot in tests/schematic/golden.
TEST(SchematicBranch, DrawsLikeItsReviewedSnapshot) {
    const struct {
        const char* golden;
        std::vector<std::string> branches;
    } scenarios[] = {
        // One stroke of 30 to the right, its circle, the labels above and below its middle and
        // the junction symbol with its level.
        {"one_item", {"A-J1 R"}},
        {"equal_stretches_share_one_stroke", {"A-B R; B-C R 120.5; C-D R 80.25"}},
        {"junction_breaks_the_run", {"A-J2 R; J2-C R 120.5; C-D R 80.25"}},
        {"symbol_at_last_joint", {"A-B R; B-CC2 R 120.5; CC2-D R 80.25"}},
        {"pipe_flow_or_direction_change",
         {"A-B R 100 2; B-C R 50 2 50H(6); C-D R 50 1 50H(6); D-E D 40 1 50H(6)"}},
        {"labels_beside_upright_stroke", {"A-B D"}},
        // Labels of strokes towards negative x or y are turned half a turn.
        {"labels_turned_along_every_direction",
         {"A-B R; B-C U; C-D UR; D-E L; E-F D; F-G DL; G-H UL; H-I DR"}},
        {"unknown_first_direction", {"A-B NE"}},
        {"unknown_later_direction", {"A-J1 U; J1-B ?"}},
        {"branch_without_sections", {""}},
        {"later_branch_from_known_node", {"A-J1 R; J1-B R 100 0.5", "J1-T1 D"}},
        {"branch_off_the_network", {"A-B R", "P-Q U"}},
        {"branch_ending_on_the_network", {"A-J1 R; J1-B R 100 0.5", "X-J1 L"}},
        {"later_intakes_drawn_upwards",
         {"IN1-J1 R; J1-B R 100 0.5", "IN2-J1 R 40 0.5", "in3-J1 L 60 0.5"}},
        {"first_intake_drawn_forward", {"IN1-CC1 DR"}},
        // Walking from the end, the run from J1 back over P keeps one length.
        {"run_from_structure_chain", {"A-J1 R", "CC1-CC2 R 10; CC2-P R 20; P-Q R 30; Q-J1 R 40"}},
        {"fourth_intake", {"IN1-J1 R", "IN2-J1 L", "IN3-J1 L", "IN4-J1 L"}},
    };
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.golden);
        test::expectGolden(LayoutFixture(branchTable(s.branches)).drawAll(), "schematic", s.golden);
    }
}

}  // namespace
}  // namespace plovis
