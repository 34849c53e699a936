// Networks whose schematic once overprinted, turned labels upside down, lost stretches or drew
// empty branches: the texts they must show now, where and how turned.

#include <gtest/gtest.h>

#include <functional>
#include <numbers>

#include "schematic/schematic_drawing.h"
#include "schematic/schematic_fixture.h"

namespace plovis {
namespace {

using test::drawn;
using test::Section;

struct Placed {
    std::string text;
    double x, y, degrees;
};

// Every text and attribute of the drawing, as placed.
std::vector<Placed> placedTexts(const Drawing& d) {
    std::vector<Placed> out;
    const auto add = [&](const CadTextProperties& t) {
        const Point p = t.anchorPoint();
        out.push_back({t.textString(), p.x, p.y, t.rotation() * 180 / std::numbers::pi});
    };
    for (const CadText* t : drawn<CadText>(d))
        add(*t);
    for (const CadBlockReference* r : drawn<CadBlockReference>(d)) {
        for (const CadAttribute& a : r->attributes())
            add(a);
    }
    return out;
}

TEST(SchematicLayout, LabelsApartUprightEveryStretchKeptNoEmptyBranch) {
    const double d = test::diagonalRun();
    const struct {
        const char* name;
        std::function<void(test::SchematicFixture&)> rows;
        std::vector<Placed> expected;
        std::size_t lines;  // strokes drawn
        std::string message;
    } cases[] = {
        {"the reservoir's label 5 above the node, clear of the level stroke's label",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "RVT1", 526, 0.567, "D", 1862.4, 1761.5});
             f.title("Branch A");
             f.section({"RVT1", "J1", 412.6, 1.495, "R", 1761.5, 1741.25, 50.0});
         },
         {{"RVT1(RL=1761.5m)", 5, -25, 0}, {"50H(6)/412.6 m", 15, -28.5, 0}},
         2,
         ""},
        {"a tap's label crossed by the stroke reaching it from the upper right moves left",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "T5", 122.9, 0.555, "D", 1762, 1724.35});
             f.section({"T5", "T6", 247.8, 0.384, "DL", 1724.35, 1712.65});
             f.section({"T6", "T7", 228.2, 0.168, "D", 1712.65, 1703.9});
         },
         {{"T5(RL=1724.35m)", 2, -25, 0}, {"T6(RL=1712.65m)", -d - 2, -25 - d, 0}},
         3,
         ""},
        {"a stroke down to the right keeps its labels upright",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "T1", 263.4, 0.73, "DR", 1762, 1721, 40.0});
         },
         {{"40H(6)/263.4 m", d / 2 - 1.5, -d / 2, 315}, {"0.73 lps ", d / 2 + 1.5, -d / 2, 315}},
         1,
         ""},
        {"a second intake walked back from J1 keeps both level stretches in one stroke",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "J1", 100, 1.5, "R"});
             f.title("Second intake");
             f.section({"IN2", "P5", 200, 0.5, "R"});
             f.section({"P5", "J1", 150, 0.5, "R"});
         },
         {{"63H(6)/350 m", 30 - d / 2 - 1.5, d / 2, 315}, {"IN2", 30 - d, d + 8.5, 0}},
         2,
         ""},
        {"a second intake walked back up its downward stretches, one stroke each",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "J1", 100, 1.5, "R"});
             f.title("Second intake");
             f.section({"IN2", "P5", 200, 0.5, "D"});
             f.section({"P5", "J1", 150, 0.7, "D"});
         },
         {{"63H(6)/150 m", 28.5, 15, 90}, {"63H(6)/200 m", 28.5, 45, 90}, {"IN2", 30, 68.5, 0}},
         3,
         ""},
        {"a branch joining nothing is drawn apart above the network, and said so",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "J1", 100, 1.5, "R"});
             f.title("Branch B");
             f.section({"P", "Q", 80, 1.5, "U"});
         },
         {{"63H(6)/80 m", -1.5, 515, 90}},
         2,
         "These branches join no node drawn before them; each is drawn apart, above the "
         "network:\rBranch 2 \"Branch B\" from P at (0, 500)"},
        {"a second branch leaving the first intake leaves from it",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "J1", 100, 1.5, "R"});
             f.title("Branch B");
             f.section({"IN1", "T1", 80, 0.5, "D"});
         },
         {{"63H(6)/80 m", -1.5, -15, 90}, {"T1(RL=990m)", 2, -25, 0}},
         2,
         ""},
        {"blank rows inside the selection open no branch",
         [](auto& f) {
             f.title("Main line");
             f.section({"IN1", "J1", 100, 1.5, "R"});
             ++f.nextRow;
             f.title("Branch A");
             f.section({"J1", "T1", 60, 0.5, "D"});
             ++f.nextRow;
         },
         {{"63H(6)/60 m", 28.5, -15, 90}},
         2,
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        test::SchematicFixture f;
        c.rows(f);
        f.select();
        ASSERT_TRUE(drawSchematic(f.sheets, f.cad, f.ui, f.templateFile));
        const std::vector<Placed> texts = placedTexts(f.drawing());
        for (const Placed& e : c.expected) {
            const auto it = std::find_if(texts.begin(), texts.end(),
                                         [&](const Placed& t) { return t.text == e.text; });
            if (it == texts.end()) {
                ADD_FAILURE() << "no text " << e.text;
                continue;
            }
            EXPECT_NEAR(it->x, e.x, 1e-3) << e.text;
            EXPECT_NEAR(it->y, e.y, 1e-3) << e.text;
            EXPECT_NEAR(it->degrees, e.degrees, 1e-6) << e.text;
        }
        for (const Placed& t : texts) {
            EXPECT_NE(t.text, "/0 m");
            EXPECT_FALSE(t.degrees > 90 + 1e-9 && t.degrees < 270 - 1e-9) << t.text;  // upright
        }
        EXPECT_EQ(drawn<CadLine>(f.drawing()).size(), c.lines);
        const std::vector<std::string> messages = f.ui.messageTexts();
        EXPECT_EQ(messages.empty() ? "" : messages.front(), c.message);
    }
}

}  // namespace
}  // namespace plovis
