#include "groundprofile/ground_sheet_drawing.h"

#include <gtest/gtest.h>

#include <numbers>

#include "ground_fixture.h"
#include "groundprofile/ground_profile_bounds.h"
#include "support/drawn_entities.h"
#include "support/snapshot.h"

namespace plovis {
namespace {

using test::branchOf;
using test::drawn;

// One sheet drawn into a fresh drawing, its first point at (100, 50).
struct SheetFixture {
    ScriptedCadUtility utility;
    MemoryCadHost host{utility};
    Drawing& drawing = host.addDocument();
    SheetExtents extents{};
    double refX = 100;
    double refY = 50;
    float hFactor = 0.2f;
    float vFactor = 1.0f;
    double labelSpacing = 1.8;

    void draw(const GroundBranch& b, int first = 0, int last = -1) {
        if (last < 0) last = b.last();
        const double start = b.chainages[first], level = b.levels[first];
        const ProfileFrame frame{
            refX, refY, start, level, mmPerMetre(hFactor), mmPerMetre(vFactor)};
        GroundSheetDrawing s{host,         drawing,         b, first, last, frame, 1.8f,
                             labelSpacing, std::numbers::pi};
        drawGroundSheet(s);
        extents = s.extents;
    }
};

// Each sheet drawn and compared with its reviewed snapshot in tests/groundprofile/golden: the
// entities, then the layers (name, colour, line type, on, frozen, locked), the current layer
// and how often the drawing was redrawn (after every grid line and table row and at the end).
TEST(GroundSheetDrawing, DrawsLikeItsReviewedSnapshot) {
    const struct {
        const char* golden;
        GroundBranch branch;
        int first = 0, last = -1;
        float hFactor = 0.2f;
        double labelSpacing = 1.8;
        bool layersThere = false;
    } scenarios[] = {
        // Level figures and ticks every ten on both sides from 1230 to 1290 (the frame from
        // 1220), the grid every ten of chainage and level, the table headings left of the frame.
        {"three_points", branchOf({0, 100, 200}, {1234.5, 1281.2, 1250})},
        // Levels on whole tens get a ten above and twenty below their range.
        {"levels_on_whole_tens", branchOf({0, 50, 100}, {1230, 1250, 1240})},
        // Steps of 0.2, 0.4 and 1.0 are not more than the text size 1.8: all points are ticked,
        // only the first and the far ones labelled.
        {"close_points", branchOf({0, 1, 3, 8, 18}, {100, 101, 102, 103, 104})},
        // Chainage figures in kilometres and metres; levels with three decimals.
        {"long_chainages", branchOf({5, 345.5, 1234567.8}, {7.5, 8, 9}), 0, -1, 0.0002f, 0.01},
        // A sheet from the second to the fourth point: its ground line starts at its first.
        {"sheet_inside_branch", branchOf({0, 1000, 2000, 3000, 4000}, {100, 90, 95, 80, 85}), 1, 3},
        // Layers there already: GL keeps its colour 5; Grid, off, locked and frozen (a frozen
        // layer cannot be made current), is made over.
        {"layers_there", branchOf({0, 10}, {100, 101}), 0, -1, 0.2f, 1.8, true},
    };
    for (const auto& s : scenarios) {
        SCOPED_TRACE(s.golden);
        SheetFixture f;
        f.hFactor = s.hFactor;
        f.labelSpacing = s.labelSpacing;
        if (s.layersThere) {
            f.drawing.layers().add("GL").setColor(5);
            CadLayer& grid = f.drawing.layers().add("Grid");
            grid.setColor(2);
            grid.setOn(false);
            grid.setLocked(true);
            grid.setFrozen(true);
        }
        f.draw(s.branch, s.first, s.last);
        std::string layers;
        for (const CadLayer& l : f.drawing.layers().all()) {
            layers += "layer " + l.name() + " c" + std::to_string(l.color()) + " " + l.linetype() +
                      (l.on() ? "" : " off") + (l.frozen() ? " frozen" : "") +
                      (l.locked() ? " locked" : "") + "\n";
        }
        test::expectGolden(test::drawingSnapshot(f.drawing) + layers + "current " +
                               f.drawing.activeLayer().name() + ", redrawn " +
                               std::to_string(f.host.updateCount()) + " times\n",
                           "groundprofile", s.golden);
    }
}

// Points far enough apart that every label is drawn: the size check's estimate is the count drawn.
TEST(GroundSheetDrawing, TheSizeEstimateIsWhatASheetDraws) {
    SheetFixture f;
    f.draw(branchOf({0, 100, 250, 900}, {1234.5, 1250, 1281.2, 1302}));
    EXPECT_EQ(groundSheetEntities(f.extents, 4), double(f.drawing.modelSpace().items().size()));
}

TEST(GroundSheetDrawing, MorePointsThanASixteenBitCounterHoldsAreAllTicked) {
    SheetFixture f;
    std::vector<double> chainages, levels;
    for (int i = 0; i < 40000; ++i) {
        chainages.push_back(i * 0.05);
        levels.push_back(100 + i % 3);
    }
    f.draw(branchOf(chainages, levels));
    const double yB = f.extents.yBottom;
    int chainageTicks = 0;
    for (const CadLine* l : drawn<CadLine>(f.drawing, "Chainage")) {
        chainageTicks += std::abs(l->endPoint().y - (yB - 34)) < 1e-6 &&
                                 std::abs(l->startPoint().y - (yB - 34 + 0.6f)) < 1e-6
                             ? 1
                             : 0;
    }
    EXPECT_EQ(chainageTicks, 40000);
}

// Levels where a single-precision counter cannot move on by 10 still end (a level of two million
// metres, too many level lines, fails: the dialog's snapshot).
TEST(GroundSheetDrawing, AbsurdLevelsFailInsteadOfDrawingWithoutEnd) {
    SheetFixture high;
    high.draw(branchOf({0, 10}, {1e9, 1e9 + 5}));
    EXPECT_LE(drawn<CadText>(high.drawing, "Chainage").size(), 4u);
}

}  // namespace
}  // namespace plovis
