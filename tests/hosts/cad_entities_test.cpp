#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "hosts/cad_drawing.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(CadEntities, NewEntitiesTakeTheCurrentLayerAndTextStyle) {
    Drawing d;
    CadLayer& gl = d.layers().add("GL");
    d.setActiveLayer(gl);
    CadTextStyle& romans = d.textStyles().add("romans");
    d.setActiveTextStyle(romans);
    CadLine& line = d.modelSpace().addLine({0, 0, 0}, {10, 0, 0});
    CadText& text = d.modelSpace().addText("BPC1", {5, 5, 0}, 1.5);
    d.setActiveLayer(d.layers().item("0"));
    CadCircle& circle = d.modelSpace().addCircle({1, 2, 0}, 3);
    EXPECT_EQ(line.layer(), "GL");
    EXPECT_EQ(text.layer(), "GL");
    EXPECT_EQ(text.styleName(), "romans");
    EXPECT_EQ(circle.layer(), "0");
    EXPECT_EQ(circle.color(), kColorByLayer);
    EXPECT_EQ(circle.linetype(), "ByLayer");
    EXPECT_EQ(d.modelSpace().count(), 3u);
}

TEST(CadEntities, LineAngleRunsCounterclockwiseFromZeroToTwoPi) {
    Drawing d;
    const struct {
        Point end;
        double angle;
    } cases[] = {{{1, 0, 0}, 0},    {{1, 1, 0}, kPi / 4},    {{0, 1, 0}, kPi / 2},
                 {{-1, 0, 0}, kPi}, {{0, -1, 0}, 1.5 * kPi}, {{1, -1, 0}, 1.75 * kPi}};
    for (const auto& c : cases) {
        const CadLine& line = d.modelSpace().addLine({0, 0, 0}, c.end);
        EXPECT_NEAR(line.angle(), c.angle, 1e-12) << c.end.x << "," << c.end.y;
        EXPECT_GE(line.angle(), 0);
        EXPECT_LT(line.angle(), 2 * kPi);
    }
}

TEST(CadEntities, NumbersTheHostWouldRefuseFail) {
    Drawing d;
    CadBlock& ms = d.modelSpace();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_THROW(ms.addLine({nan, 0, 0}, {1, 1, 0}), HostError);
    EXPECT_THROW(ms.addLine({0, 0, 0}, {inf, 1, 0}), HostError);
    EXPECT_THROW(ms.addLine({0, 0, 0}, {1e308, 1, 0}), HostError);
    EXPECT_THROW(ms.addCircle({0, 0, 0}, 0), HostError);
    EXPECT_THROW(ms.addCircle({0, 0, 0}, -1), HostError);
    EXPECT_THROW(ms.addText("x", {0, 0, 0}, 0), HostError);
    EXPECT_THROW(ms.addText("x", {0, 0, 0}, nan), HostError);
    EXPECT_EQ(ms.count(), 0u);
    CadText& t = ms.addText("x", {0, 0, 0}, 1);
    EXPECT_THROW(t.setRotation(inf), HostError);
    EXPECT_THROW(t.setHorizontalAlignment(6), HostError);
    EXPECT_THROW(t.setVerticalAlignment(-1), HostError);
    EXPECT_THROW(t.setAlignment(15), HostError);
    EXPECT_THROW(t.setColor(257), HostError);
}

TEST(CadEntities, LightweightPolylineTakesPairsOfCoordinates) {
    Drawing d;
    const double xy[] = {0, 0, 10, 5, 20, 0};
    const CadPolyline& p = d.modelSpace().addLightWeightPolyline(xy);
    ASSERT_EQ(p.vertices().size(), 3u);
    EXPECT_EQ(p.vertices()[1], (PolylineVertex{10, 5, 0}));
    EXPECT_FALSE(p.closed());
    const double odd[] = {0, 0, 10};
    EXPECT_THROW(d.modelSpace().addLightWeightPolyline(odd), HostError);
    const double single[] = {0, 0};
    EXPECT_THROW(d.modelSpace().addLightWeightPolyline(single), HostError);
}

// The routines' text sequence: add at a point, then vertical and horizontal alignment, alignment
// point and rotation.
TEST(CadEntities, AlignedTextStandsOnItsAlignmentPoint) {
    Drawing d;
    CadText& t = d.modelSpace().addText("1203.4", {7, 8, 0}, 1.5);
    EXPECT_TRUE(t.baselineLeft());
    EXPECT_EQ(t.anchorPoint(), (Point{7, 8, 0}));
    EXPECT_EQ(t.textAlignmentPoint(), (Point{}));
    EXPECT_THROW(t.setTextAlignmentPoint({1, 1, 0}), HostError);
    t.setVerticalAlignment(2);
    EXPECT_EQ(t.textAlignmentPoint(), (Point{7, 8, 0}));  // stands where it was added
    t.setHorizontalAlignment(0);
    t.setTextAlignmentPoint({20, 30, 0});
    t.setRotation(kPi / 2);
    EXPECT_EQ(t.alignment(), TextAlignment::MiddleLeft);
    EXPECT_EQ(t.anchorPoint(), (Point{20, 30, 0}));
    EXPECT_EQ(t.insertionPoint(), (Point{7, 8, 0}));
    EXPECT_DOUBLE_EQ(t.rotation(), kPi / 2);
}

TEST(CadEntities, CombinedAlignmentCodesSplitIntoTheTwoAlignments) {
    const struct {
        int code;
        HorizontalAlignment h;
        VerticalAlignment v;
    } cases[] = {{0, HorizontalAlignment::Left, VerticalAlignment::Baseline},
                 {1, HorizontalAlignment::Center, VerticalAlignment::Baseline},
                 {4, HorizontalAlignment::Middle, VerticalAlignment::Baseline},
                 {5, HorizontalAlignment::Fit, VerticalAlignment::Baseline},
                 {7, HorizontalAlignment::Center, VerticalAlignment::Top},
                 {9, HorizontalAlignment::Left, VerticalAlignment::Middle},
                 {11, HorizontalAlignment::Right, VerticalAlignment::Middle},
                 {13, HorizontalAlignment::Center, VerticalAlignment::Bottom},
                 {14, HorizontalAlignment::Right, VerticalAlignment::Bottom}};
    Drawing d;
    for (const auto& c : cases) {
        CadText& t = d.modelSpace().addText("x", {0, 0, 0}, 2);
        t.setAlignment(c.code);
        EXPECT_EQ(t.horizontalAlignment(), c.h) << c.code;
        EXPECT_EQ(t.verticalAlignment(), c.v) << c.code;
        EXPECT_EQ(static_cast<int>(t.alignment()), c.code);
    }
}

TEST(CadEntities, AlignedMiddleAndFitLiveOnlyOnTheBaseline) {
    Drawing d;
    CadText& t = d.modelSpace().addText("x", {0, 0, 0}, 2);
    t.setVerticalAlignment(VerticalAlignment::Top);
    t.setHorizontalAlignment(HorizontalAlignment::Fit);
    EXPECT_EQ(t.verticalAlignment(), VerticalAlignment::Baseline);
    t.setVerticalAlignment(VerticalAlignment::Middle);
    EXPECT_EQ(t.horizontalAlignment(), HorizontalAlignment::Left);
    EXPECT_EQ(t.alignment(), TextAlignment::MiddleLeft);
}

TEST(CadEntities, ErasedEntitiesLeaveTheListButTheirHandlesStayReadable) {
    Drawing d;
    CadLine& a = d.modelSpace().addLine({0, 0, 0}, {1, 0, 0});
    CadLine& b = d.modelSpace().addLine({0, 0, 0}, {2, 0, 0});
    d.markSaved();
    a.erase();
    a.erase();  // a second erase changes nothing
    EXPECT_TRUE(a.erased());
    EXPECT_TRUE(d.modified());
    EXPECT_EQ(d.modelSpace().count(), 1u);
    ASSERT_EQ(d.modelSpace().entities().size(), 1u);
    EXPECT_EQ(d.modelSpace().entities()[0], &b);
    EXPECT_EQ(d.modelSpace().items().size(), 2u);
    EXPECT_DOUBLE_EQ(a.length(), 1);
}

}  // namespace
}  // namespace plovis
