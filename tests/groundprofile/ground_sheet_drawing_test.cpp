#include "groundprofile/ground_sheet_drawing.h"

#include <gtest/gtest.h>

#include <numbers>

#include "common/text.h"
#include "drawn_entities.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"

namespace plovis {
namespace {

using test::countLines;
using test::drawn;
using test::textNamed;
using test::textStrings;

// The factor 1:5000 gives, as single precision holds it (0.200000003).
constexpr double kH = 0.2f;

GroundBranch branchOf(std::vector<double> chainages, std::vector<double> levels) {
    GroundBranch b;
    b.name = "Main";
    b.chainages = std::move(chainages);
    b.levels = std::move(levels);
    for (std::size_t i = 0; i < b.chainages.size(); ++i)
        b.labels.push_back("P" + std::to_string(i + 1));
    return b;
}

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
        const GroundSheetFrame frame{refX,    refY,   b.chainages[first], b.levels[first],
                                     hFactor, vFactor};
        GroundSheetDrawing s{host,         drawing,         b, first, last, frame, 1.8f,
                             labelSpacing, std::numbers::pi};
        drawGroundSheet(s);
        extents = s.extents;
    }
    double y(double level, double startLevel) const {
        return refY + (level - startLevel) * vFactor;
    }
};

// The level figures drawn beside one side of the frame, by their x.
std::vector<const CadText*> figuresAt(const Drawing& d, double x) {
    std::vector<const CadText*> out;
    for (const CadText* t : drawn<CadText>(d, "Chainage")) {
        if (std::abs(t->textAlignmentPoint().x - x) < 1e-6) out.push_back(t);
    }
    return out;
}

TEST(GroundSheetDrawing, LevelScalesOnBothSidesReadEveryTenAboveTheBottom) {
    SheetFixture f;
    f.draw(branchOf({0, 100, 200}, {1234.5, 1281.2, 1250}));
    const SheetExtents& e = f.extents;
    ASSERT_EQ(e.levelBottom, 1220);
    ASSERT_EQ(e.levelTop, 1290);
    ASSERT_FLOAT_EQ(e.xLeft, 98);
    ASSERT_FLOAT_EQ(e.xRight, 142);
    const std::vector<std::string> expected = {"1230.0", "1240.0", "1250.0", "1260.0",
                                               "1270.0", "1280.0", "1290.0"};
    const struct {
        double figureX, tickX;
        HorizontalAlignment alignment;
    } sides[] = {{98 - 2.25, 98 - 1.5, HorizontalAlignment::Right},
                 {142 + 2, 142 + 1.5, HorizontalAlignment::Left}};
    for (const auto& side : sides) {
        const auto figures = figuresAt(f.drawing, side.figureX);
        ASSERT_EQ(figures.size(), expected.size());
        for (std::size_t i = 0; i < figures.size(); ++i) {
            const double level = 1230 + 10.0 * i;
            const double y = f.y(level, 1234.5);
            EXPECT_EQ(figures[i]->textString(), expected[i]);
            EXPECT_NEAR(figures[i]->textAlignmentPoint().y, y, 1e-9);
            EXPECT_EQ(figures[i]->horizontalAlignment(), side.alignment);
            EXPECT_EQ(figures[i]->verticalAlignment(), VerticalAlignment::Middle);
            EXPECT_EQ(figures[i]->rotation(), 0);
            EXPECT_FLOAT_EQ(figures[i]->height(), 1.8f);
            const double frameX = side.alignment == HorizontalAlignment::Right ? 98 : 142;
            EXPECT_EQ(countLines(f.drawing, "Chainage", {frameX, y, 0}, {side.tickX, y, 0}), 1)
                << expected[i];
        }
    }
    // The frame's sides run from the bottom level to the top one.
    EXPECT_EQ(countLines(f.drawing, "Chainage", {98, 35.5, 0}, {98, 105.5, 0}), 1);
    EXPECT_EQ(countLines(f.drawing, "Chainage", {142, 35.5, 0}, {142, 105.5, 0}), 1);
}

TEST(GroundSheetDrawing, LevelsOnWholeTensGetATenAboveAndTwentyBelowTheirRange) {
    SheetFixture f;
    f.draw(branchOf({0, 50, 100}, {1230, 1250, 1240}));
    EXPECT_EQ(f.extents.levelBottom, 1220);
    EXPECT_EQ(f.extents.levelTop, 1260);
    std::vector<std::string> figures;
    for (const CadText* t : figuresAt(f.drawing, 98 - 2.25))
        figures.push_back(t->textString());
    EXPECT_EQ(figures, (std::vector<std::string>{"1230.0", "1240.0", "1250.0", "1260.0"}));
}

TEST(GroundSheetDrawing, GridEveryTenFromTheFirstPointAndEveryTenOfLevel) {
    SheetFixture f;
    f.draw(branchOf({0, 100, 200}, {1234.5, 1281.2, 1250}));
    const auto grid = drawn<CadLine>(f.drawing, "Grid");
    // Upright lines at x = 100, 110, ..., 140 from level 1230 up to 1290; level lines at 1230,
    // ..., 1290 across the frame, the last being its top edge; none at the bottom level 1220.
    ASSERT_EQ(grid.size(), 5u + 7u);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(
            countLines(f.drawing, "Grid", {100.0 + 10 * i, 45.5, 0}, {100.0 + 10 * i, 105.5, 0}), 1)
            << i;
    }
    for (int level = 1230; level <= 1290; level += 10) {
        const double y = f.y(level, 1234.5);
        EXPECT_EQ(countLines(f.drawing, "Grid", {98, y, 0}, {142, y, 0}), 1) << level;
    }
    EXPECT_EQ(countLines(f.drawing, "Grid", {98, 35.5, 0}, {142, 35.5, 0}), 0);
    // Redrawn after every grid line, after each table row and once the sheet is done.
    EXPECT_EQ(f.host.updateCount(), 12 + 3 + 1);
}

TEST(GroundSheetDrawing, TableHeadingsHangLeftOfTheFrame) {
    SheetFixture f;
    f.draw(branchOf({0, 100, 200}, {1234.5, 1281.2, 1250}));
    const double yB = 35.5;  // frame bottom: level 1220
    const struct {
        const char* text;
        double y;
        TextAlignment alignment;
    } headings[] = {{"Description", yB - 5, TextAlignment::Center},
                    {"Existing GL", yB - 15, TextAlignment::BottomCenter},
                    {"Level (m)", yB - 16, TextAlignment::TopCenter},
                    {"Chainage", yB - 27, TextAlignment::BottomCenter},
                    {"(Km)", yB - 28, TextAlignment::TopCenter}};
    for (const auto& h : headings) {
        const CadText* t = textNamed(f.drawing, h.text);
        ASSERT_NE(t, nullptr) << h.text;
        EXPECT_EQ(t->layer(), "Format") << h.text;
        EXPECT_EQ(t->alignment(), h.alignment) << h.text;
        EXPECT_NEAR(t->textAlignmentPoint().x, 88, 1e-6) << h.text;
        EXPECT_NEAR(t->textAlignmentPoint().y, h.y, 1e-6) << h.text;
        EXPECT_EQ(t->height(), 2) << h.text;
    }
    // The boxes: 20 wide, rows 10, 10 and 14 high (a box's bottom is the next one's top).
    for (const double y : {yB, yB - 10, yB - 20, yB - 34}) {
        EXPECT_GE(countLines(f.drawing, "Format", {78, y, 0}, {98, y, 0}), 1) << y;
    }
    for (const auto& [top, bottom] :
         {std::pair{yB, yB - 10}, std::pair{yB - 10, yB - 20}, std::pair{yB - 20, yB - 34}}) {
        EXPECT_EQ(countLines(f.drawing, "Format", {78, bottom, 0}, {78, top, 0}), 1) << top;
        EXPECT_GE(countLines(f.drawing, "Format", {98, bottom, 0}, {98, top, 0}), 1) << top;
    }
    // The rows' lines across the sheet, and their right edges.
    EXPECT_GE(countLines(f.drawing, "Format", {98, yB, 0}, {142, yB, 0}), 1);
    for (const double bottom : {yB - 10, yB - 20, yB - 34}) {
        EXPECT_EQ(countLines(f.drawing, "Format", {98, bottom, 0}, {142, bottom, 0}), 1) << bottom;
    }
    EXPECT_EQ(countLines(f.drawing, "Format", {142, yB - 20, 0}, {142, yB - 34, 0}), 1);
}

TEST(GroundSheetDrawing, ClosePointsAreTickedButOnlyTheFirstAndFarOnesLabelled) {
    // x steps of 0.2, 0.4 and 1.0 are not more than the text size 1.8; a step of 2.0 is.
    SheetFixture f;
    f.draw(branchOf({0, 1, 3, 8, 18}, {100, 101, 102, 103, 104}));
    const double yB = f.extents.yBottom;
    EXPECT_EQ(textStrings(f.drawing, "Format"),
              (std::vector<std::string>{"Description", "Existing GL", "Level (m)", "Chainage",
                                        "(Km)", "P1", "P5", "100.000", "104.000"}));
    const auto chainageTexts = textStrings(f.drawing, "Chainage");
    ASSERT_GE(chainageTexts.size(), 2u);
    EXPECT_EQ(chainageTexts[0], "0+000.00");
    EXPECT_EQ(chainageTexts[1], "0+018.00");

    const CadText* label = textNamed(f.drawing, "P5");
    ASSERT_NE(label, nullptr);
    EXPECT_NEAR(label->textAlignmentPoint().x, 100 + 18 * kH, 1e-9);
    EXPECT_NEAR(label->textAlignmentPoint().y, yB - 5, 1e-6);
    EXPECT_DOUBLE_EQ(label->rotation(), std::numbers::pi / 2);
    EXPECT_EQ(label->alignment(), TextAlignment::MiddleCenter);
    EXPECT_FLOAT_EQ(label->height(), 1.8f);
    EXPECT_NEAR(textNamed(f.drawing, "0+018.00")->textAlignmentPoint().y, yB - 27, 1e-6);

    for (const double ch : {0, 1, 3, 8, 18}) {
        const double x = 100 + ch * kH;
        for (const double row : {yB - 10, yB - 20}) {
            EXPECT_EQ(countLines(f.drawing, "Format", {x, row + 0.6f, 0}, {x, row - 0.6f, 0}), 1)
                << ch;
        }
        EXPECT_EQ(countLines(f.drawing, "Chainage", {x, yB - 34 + 0.6f, 0}, {x, yB - 34, 0}), 1)
            << ch;
    }
}

TEST(GroundSheetDrawing, ChainageAndLevelFigures) {
    SheetFixture f;
    f.hFactor = 0.0002f;  // 1:5000000, so a long branch stays a short sheet
    f.labelSpacing = 0.01;
    f.draw(branchOf({5, 345.5, 1234567.8}, {7.5, 8, 9}));
    const auto chainages = textStrings(f.drawing, "Chainage");
    ASSERT_GE(chainages.size(), 3u);
    EXPECT_EQ(std::vector<std::string>(chainages.begin(), chainages.begin() + 3),
              (std::vector<std::string>{"0+005.00", "0+345.50", "1234+567.80"}));
    const auto format = textStrings(f.drawing, "Format");
    EXPECT_EQ(std::vector<std::string>(format.end() - 3, format.end()),
              (std::vector<std::string>{"07.500", "08.000", "09.000"}));
}

TEST(GroundSheetDrawing, GroundLineRunsThroughTheSheetsPointsFromItsFirst) {
    SheetFixture f;
    const GroundBranch b = branchOf({0, 1000, 2000, 3000, 4000}, {100, 90, 95, 80, 85});
    f.draw(b, 1, 3);
    const auto lines = drawn<CadPolyline>(f.drawing, "GL");
    ASSERT_EQ(lines.size(), 1u);
    const std::vector<PolylineVertex> expected = {
        {100, 50, 0}, {100 + 1000 * kH, 55, 0}, {100 + 2000 * kH, 40, 0}};
    EXPECT_EQ(lines[0]->vertices(), expected);
    EXPECT_FLOAT_EQ(f.extents.xLeft, 98);
    EXPECT_FLOAT_EQ(f.extents.xRight, 100 + 2000 * kH + 2);
    EXPECT_EQ(f.extents.levelBottom, 70);
    EXPECT_EQ(f.extents.levelTop, 100);
}

TEST(GroundSheetDrawing, LayersMadeWhenMissingAndAnExistingOneKeepsItsColour) {
    SheetFixture f;
    CadLayer& gl = f.drawing.layers().add("GL");
    gl.setColor(5);
    CadLayer& grid = f.drawing.layers().add("Grid");
    grid.setColor(2);
    grid.setOn(false);
    grid.setLocked(true);
    grid.setFrozen(true);  // a frozen layer cannot be made current: it is made over
    f.draw(branchOf({0, 10}, {100, 101}));
    const struct {
        const char* name;
        int color;
    } layers[] = {{"GL", 5}, {"Rem1", 7}, {"Format", 7}, {"Chainage", 7}, {"Grid", 8}};
    for (const auto& l : layers) {
        const CadLayer* layer = f.drawing.layers().find(l.name);
        ASSERT_NE(layer, nullptr) << l.name;
        EXPECT_EQ(layer->color(), l.color) << l.name;
        EXPECT_TRUE(equalsIgnoringCase(layer->linetype(), "CONTINUOUS")) << l.name;
        EXPECT_TRUE(layer->on()) << l.name;
        EXPECT_FALSE(layer->frozen()) << l.name;
        EXPECT_FALSE(layer->locked()) << l.name;
    }
    EXPECT_EQ(drawn<CadPolyline>(f.drawing, "GL").size(), 1u);
    EXPECT_EQ(f.drawing.activeLayer().name(), "Grid");

    SheetFixture fresh;
    fresh.draw(branchOf({0, 10}, {100, 101}));
    EXPECT_EQ(fresh.drawing.layers().item("GL").color(), 3);
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

TEST(GroundSheetDrawing, AbsurdLevelsFailInsteadOfDrawingWithoutEnd) {
    // Two million metres of level at 1:1000 need 200000 level lines: a level read wrongly.
    SheetFixture tall;
    EXPECT_THROW(tall.draw(branchOf({0, 10}, {0, 2e6})), HostError);
    // Levels where a single-precision counter cannot move on by 10 still end.
    SheetFixture high;
    high.draw(branchOf({0, 10}, {1e9, 1e9 + 5}));
    EXPECT_LE(drawn<CadText>(high.drawing, "Chainage").size(), 4u);
}

}  // namespace
}  // namespace plovis
