// The structure symbols of the profile, inserted on the ground line at a node. Each stands on its
// insertion point (a washout hangs below it), about 4 units wide, and draws in the layer and
// colour of the reference.
#include <numbers>

#include "template_drawing.h"

namespace plovis::templates {
namespace {

constexpr double kPi = std::numbers::pi;

// The water surface mark: a small triangle pointing down onto the water line.
void waterMark(CadBlock& b, double x, double y) {
    b.addLine({x - 1.2, y, 0}, {x + 1.2, y, 0});
    polyline(b, {x - 0.5, y + 0.7, x + 0.5, y + 0.7, x, y}, true);
}

// Intake: an open weir box taking water in from the left.
void intake(Drawing& d) {
    CadBlock& b = d.blocks().add("IN", {0, 0, 0});
    polyline(b, {-2, 3, -2, 0, 2, 0, 2, 3});
    waterMark(b, 0, 2.0);
    b.addLine({-4.5, 2.5, 0}, {-2.2, 2.5, 0});
    arrowhead(b, -2.2, 2.5, 0);
}

// Collection chamber: a covered box with a manhole.
void collectionChamber(Drawing& d) {
    CadBlock& b = d.blocks().add("CC", {0, 0, 0});
    rectangle(b, -2, 0, 2, 3.5);
    b.addLine({-2, 3, 0}, {2, 3, 0});
    rectangle(b, -0.75, 3.5, 0.75, 4.2);
    waterMark(b, 0, 1.8);
}

// Sedimentation tank: a long basin with an over and an under baffle.
void sedimentationTank(Drawing& d) {
    CadBlock& b = d.blocks().add("SD", {0, 0, 0});
    rectangle(b, -3.5, 0, 3.5, 2.5);
    b.addLine({-1.5, 2.5, 0}, {-1.5, 0.8, 0});
    b.addLine({1.5, 1.7, 0}, {1.5, 0, 0});
}

// Reservoir tank: a roofed tank with its water level.
void reservoirTank(Drawing& d) {
    CadBlock& b = d.blocks().add("RT", {0, 0, 0});
    rectangle(b, -3, 0, 3, 3);
    polyline(b, {-3.4, 3, 0, 4.5, 3.4, 3});
    waterMark(b, 0, 2.0);
}

// Break pressure chamber: the water falls free inside, losing its pressure.
void breakPressureChamber(Drawing& d) {
    CadBlock& b = d.blocks().add("BPC", {0, 0, 0});
    rectangle(b, -2, 0, 2, 3);
    b.addLine({-2, 1.5, 0}, {-0.6, 1.5, 0});
    b.addLine({0.6, 1.5, 0}, {2, 1.5, 0});
    b.addLine({0, 2.6, 0}, {0, 0.9, 0});
    arrowhead(b, 0, 0.6, -kPi / 2);
}

// Tap stand: a post with a spout and a handle.
void tapStand(Drawing& d) {
    CadBlock& b = d.blocks().add("TAP", {0, 0, 0});
    b.addLine({-1, 0, 0}, {1, 0, 0});
    b.addLine({0, 0, 0}, {0, 3.5, 0});
    polyline(b, {0, 3.5, 1.6, 3.5, 1.6, 2.8});
    b.addCircle({0, 3.9, 0}, 0.4);
}

// Air valve: a valve on a riser letting air out upwards.
void airValve(Drawing& d) {
    CadBlock& b = d.blocks().add("AV", {0, 0, 0});
    b.addLine({0, 0, 0}, {0, 1.5, 0});
    b.addCircle({0, 2.5, 0}, 1);
    b.addLine({0, 3.5, 0}, {0, 5.0, 0});
    arrowhead(b, 0, 5.5, kPi / 2);
}

// Washout: a valve below the pipe draining to the side.
void washout(Drawing& d) {
    CadBlock& b = d.blocks().add("WO", {0, 0, 0});
    b.addLine({0, 0, 0}, {0, -1.8, 0});
    polyline(b, {-1.2, -1.8, 1.2, -3.2, 1.2, -1.8, -1.2, -3.2}, true);
    b.addLine({1.2, -2.5, 0}, {3.0, -2.5, 0});
    arrowhead(b, 3.5, -2.5, 0);
}

// Distribution chamber: a box with three outlets.
void distributionChamber(Drawing& d) {
    CadBlock& b = d.blocks().add("DC", {0, 0, 0});
    rectangle(b, -2, 0, 2, 3);
    for (double y : {0.6, 1.5, 2.4})
        b.addLine({2, y, 0}, {3.2, y, 0});
}

// Junction: the node with a branch leaving it.
void junction(Drawing& d) {
    CadBlock& b = d.blocks().add("JN", {0, 0, 0});
    b.addCircle({0, 0, 0}, 0.9);
    b.addLine({0.64, 0.64, 0}, {2.2, 2.2, 0});
}

}  // namespace

void addProfileSymbols(Drawing& d) {
    intake(d);
    collectionChamber(d);
    sedimentationTank(d);
    reservoirTank(d);
    breakPressureChamber(d);
    tapStand(d);
    airValve(d);
    washout(d);
    distributionChamber(d);
    junction(d);
}

}  // namespace plovis::templates
