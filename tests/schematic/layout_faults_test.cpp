// Networks whose schematic once overprinted, turned labels upside down, lost stretches or drew
// empty branches: where their texts stand now, and how turned.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "schematic/schematic_drawing.h"
#include "schematic/schematic_fixture.h"

namespace plovis {
namespace {

constexpr double kPi = std::numbers::pi;

struct Placed {
    std::string text;
    double x, y, degrees;
};

TEST(SchematicLayout, LabelsApartAndUprightEveryStretchKeptNoEmptyBranch) {
    const double d = 30 / std::sqrt(2.0);  // a diagonal stroke's run along each axis
    // A row without an end node is a title row (the title in from); one with neither, blank.
    const test::Section main{"Main line", ""}, in1j1{"IN1", "J1", 100, 1.5, "R"}, blank{"", ""};
    const struct {
        std::vector<test::Section> rows;
        std::vector<Placed> expected;
        std::string message = "";
    } cases[] = {
        {{main,
          {"IN1", "RVT1", 526, 0.5, "D", 1862, 1761.5},
          {"Branch A", ""},
          {"RVT1", "J1", 412.6, 1.495, "R", 1761.5, 1741, 50.0}},
         {{"RVT1(RL=1761.5m)", 5, -25, 0}, {"50H(6)/412.6 m", 15, -28.5, 0}}},
        {{main, {"IN1", "T1", 263.4, 0.73, "DR"}}, {{"63H(6)/263.4 m", d / 2 - 1.5, -d / 2, 315}}},
        {{main, {"IN1", "T5", 100, 1.5, "D"}, {"T5", "T6", 247.8, 0.4, "DL", 990, 1712.65}},
         {{"T6(RL=1712.65m)", -d - 2, -25 - d, 0}}},
        {{main, in1j1, {"Intake 2", ""}, {"IN2", "P5", 200, 0.5, "R"}, {"P5", "J1", 150, 0.5, "R"}},
         {{"63H(6)/350 m", 30 - d / 2 - 1.5, d / 2, 315}, {"IN2", 30 - d, d + 8.5, 0}}},
        {{main, in1j1, {"Intake 2", ""}, {"IN2", "P5", 200, 0.5, "D"}, {"P5", "J1", 150, 0.7, "D"}},
         {{"63H(6)/150 m", 28.5, 15, 90}, {"63H(6)/200 m", 28.5, 45, 90}, {"IN2", 30, 68.5, 0}}},
        {{main, in1j1, {"Branch B", ""}, {"P", "Q", 80, 1.5, "U"}},
         {{"63H(6)/80 m", -1.5, 515, 90}},
         "These branches join no node drawn before them; each is drawn apart, above the "
         "network:\rBranch 2 \"Branch B\" from P at (0, 500.0)"},
        {{main, in1j1, {"Branch B", ""}, {"IN1", "T1", 80, 0.5, "D"}},
         {{"63H(6)/80 m", -1.5, -15, 90}}},
        {{main, in1j1, blank, {"Branch A", ""}, {"J1", "T1", 60, 0.5, "D"}, blank},
         {{"63H(6)/60 m", 28.5, -15, 90}}},
    };
    for (const auto& c : cases) {
        test::SchematicFixture f;
        for (const test::Section& row : c.rows)
            row.from.empty() ? void(++f.nextRow)
            : row.to.empty() ? f.title(row.from)
                             : f.section(row);
        f.select();
        ASSERT_TRUE(drawSchematic(f.sheets, f.cad, f.ui, f.templateFile));
        std::vector<const CadTextProperties*> texts;
        for (const CadText* t : test::drawn<CadText>(f.drawing()))
            texts.push_back(t);
        for (const CadBlockReference* r : test::drawn<CadBlockReference>(f.drawing()))
            texts.push_back(&r->attributes()[0]);
        const auto degrees = [](const CadTextProperties* t) { return t->rotation() * 180 / kPi; };
        for (const CadTextProperties* t : texts) {
            EXPECT_NE(t->textString(), "/0 m");  // no empty branch
            EXPECT_FALSE(degrees(t) > 90.01 && degrees(t) < 269.99) << t->textString();  // upright
        }
        for (const Placed& e : c.expected) {
            const auto it = std::find_if(texts.begin(), texts.end(),
                                         [&](auto* t) { return t->textString() == e.text; });
            ASSERT_NE(it, texts.end()) << e.text;
            EXPECT_NEAR((*it)->anchorPoint().x, e.x, 1e-3) << e.text;
            EXPECT_NEAR((*it)->anchorPoint().y, e.y, 1e-3) << e.text;
            EXPECT_NEAR(degrees(*it), e.degrees, 1e-6) << e.text;
        }
        EXPECT_EQ(f.ui.messageTexts().empty() ? "" : f.ui.messageTexts()[0], c.message);
    }
}

}  // namespace
}  // namespace plovis
