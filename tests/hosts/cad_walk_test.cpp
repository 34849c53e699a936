#include <gtest/gtest.h>

#include <numbers>

#include "common/number_format.h"
#include "hosts/cad_extents.h"
#include "hosts/cad_walk.h"

namespace plovis {
namespace {

// Each line shown, as "<layer> <colour> <line type> <start x>,<start y>".
std::vector<std::string> shownLines(const Drawing& d) {
    std::vector<std::string> shown;
    WalkVisitor v;
    v.entity = [&](const CadEntity& e, const Transform2D& t, const ShownStyle& s) {
        if (const auto* line = entityAs<CadLine>(e)) {
            const Point p = t.apply(line->startPoint());
            shown.push_back(s.layer->name() + " " + std::to_string(s.color) + " " +
                            (s.linetype ? s.linetype->name : "-") + " " + generalForm(p.x) + "," +
                            generalForm(p.y));
        }
    };
    walkModelSpace(d, v);
    return shown;
}

// A block "SYM" with a line on layer 0 (colour by block) and a line on its own layer "FIXED".
struct CadWalk : ::testing::Test {
    CadWalk() {
        d.linetypes().add({"HIDDEN", "", {6.35, -3.175}});
        CadLayer& hgl = d.layers().add("HGL");
        hgl.setColor(6);
        hgl.setLinetype("HIDDEN");
        d.layers().add("FIXED").setColor(2);
        CadBlock& sym = d.blocks().add("SYM", {0, 0, 0});
        sym.addLine({1, 0, 0}, {2, 0, 0}).setColor(kColorByBlock);
        d.setActiveLayer(d.layers().item("FIXED"));
        sym.addLine({3, 0, 0}, {4, 0, 0});
        d.setActiveLayer(hgl);
    }
    Drawing d;
};

TEST_F(CadWalk, LayerZeroAndByBlockInsideABlockTakeTheReference) {
    d.modelSpace().insertBlock({100, 0, 0}, "SYM", 1, 1, 1, 0).setColor(5);
    EXPECT_EQ(shownLines(d), (std::vector<std::string>{"HGL 5 HIDDEN 101,0", "FIXED 2 - 103,0"}));
}

TEST_F(CadWalk, AnOffLayerHidesItsOwnEntitiesAFrozenOneTheWholeBlock) {
    d.modelSpace().insertBlock({0, 0, 0}, "SYM", 1, 1, 1, 0);
    d.setActiveLayer(d.layers().item("0"));
    d.layers().item("HGL").setOn(false);
    EXPECT_EQ(shownLines(d), std::vector<std::string>{"FIXED 2 - 3,0"});
    d.layers().item("HGL").setOn(true);
    d.layers().item("HGL").setFrozen(true);
    EXPECT_TRUE(shownLines(d).empty());
}

TEST_F(CadWalk, ExtentsFollowReferencesAndLeaveOutHiddenLayers) {
    d.modelSpace().insertBlock({10, 10, 0}, "SYM", 2, 2, 1, std::numbers::pi / 2);
    const Extents e = modelSpaceExtents(d);
    // The block's lines from x 1 to 4, scaled 2 and turned a quarter, reach y 12 to 18 at x 10.
    EXPECT_NEAR(e.minX, 10, 1e-9);
    EXPECT_NEAR(e.maxX, 10, 1e-9);
    EXPECT_NEAR(e.minY, 12, 1e-9);
    EXPECT_NEAR(e.maxY, 18, 1e-9);
    d.layers().item("FIXED").setOn(false);
    EXPECT_NEAR(modelSpaceExtents(d).maxY, 14, 1e-9);
    EXPECT_TRUE(modelSpaceExtents(Drawing()).empty());
}

TEST(CadExtents, TextBoxesStandOnTheirAlignment) {
    Drawing d;
    CadText& right = d.modelSpace().addText("12345", {0, 0, 0}, 2);
    right.setAlignment(TextAlignment::MiddleRight);
    right.setTextAlignmentPoint({50, 10, 0});
    const auto box = estimatedTextBox(right);
    const double w = estimatedTextWidth("12345", 2, 1);
    EXPECT_DOUBLE_EQ(w, 8.0);
    EXPECT_DOUBLE_EQ(box[1].x, 50);  // right edge on the alignment point
    EXPECT_DOUBLE_EQ(box[0].x, 50 - w);
    EXPECT_NEAR((box[0].y + box[3].y) / 2, 10 - 0.33, 1e-9);  // capitals centred on y 10
    EXPECT_DOUBLE_EQ(estimatedTextWidth("Ø63", 1, 1), 2.4);   // characters, not bytes
}

}  // namespace
}  // namespace plovis
