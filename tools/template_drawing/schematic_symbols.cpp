// The node symbols of the schematic, inserted at the node with their attributes: the node name,
// and for intakes also the reduced level. The routines place the attributes themselves; the
// definitions stand where the routines put them, so a plain insertion reads the same.
#include "template_drawing.h"

namespace plovis::templates {
namespace {

constexpr double kNameHeight = 1.5;
constexpr double kLevelHeight = 1.25;

void nameAttribute(CadBlock& b, double x, double y, TextAlignment alignment) {
    CadAttributeDefinition& a =
        b.addAttribute(kNameHeight, kAttributeNormal, "Node name", {x, y, 0}, "NAME", "NODE");
    a.setAlignment(alignment);
    a.setTextAlignmentPoint({x, y, 0});
}

void intakeAttributes(CadBlock& b) {
    nameAttribute(b, 0, 8.5, TextAlignment::MiddleCenter);
    CadAttributeDefinition& level = b.addAttribute(kLevelHeight, kAttributeNormal, "Reduced level",
                                                   {0, 4.5, 0}, "LEVEL", "RL = 0.00m");
    level.setAlignment(TextAlignment::MiddleCenter);
    level.setTextAlignmentPoint({0, 4.5, 0});
}

// An intake box taking water in from the left, with its water line.
void intakeBox(CadBlock& b, double x0, double x1) {
    rectangle(b, x0, -2, x1, 2);
    b.addLine({x0, 0.8, 0}, {x1, 0.8, 0});
    b.addLine({x0 - 3, 0, 0}, {x0 - 1.2, 0, 0});
    arrowhead(b, x0 - 0.2, 0, 0);
}

void intake(Drawing& d) {
    CadBlock& b = d.blocks().add("INTAKE", {0, 0, 0});
    intakeBox(b, -3, 3);
    intakeAttributes(b);
}

// An intake with its collection chamber beside it.
void intakeWithChamber(Drawing& d) {
    CadBlock& b = d.blocks().add("INTAKE_CC", {0, 0, 0});
    intakeBox(b, -5, -0.5);
    b.addLine({-0.5, 0, 0}, {0.5, 0, 0});
    rectangle(b, 0.5, -1.5, 3.5, 1.5);
    rectangle(b, 1.5, -0.5, 2.5, 0.5);
    intakeAttributes(b);
}

// Collection chamber (and the other chambers and tanks of the network): a box with a manhole.
void chamber(Drawing& d) {
    CadBlock& b = d.blocks().add("CC1", {0, 0, 0});
    rectangle(b, -2, -2, 2, 2);
    rectangle(b, -0.75, -0.75, 0.75, 0.75);
    nameAttribute(b, 2.5, 0, TextAlignment::MiddleLeft);
}

// Reservoir tank: a roofed tank with its water line.
void reservoir(Drawing& d) {
    CadBlock& b = d.blocks().add("RVT", {0, 0, 0});
    rectangle(b, -4, -2.5, 4, 1.5);
    polyline(b, {-4.4, 1.5, 0, 3, 4.4, 1.5});
    b.addLine({-4, 0.5, 0}, {4, 0.5, 0});
    nameAttribute(b, 5, 2.5, TextAlignment::MiddleLeft);
}

// Junction: a ring with a cross.
void junction(Drawing& d) {
    CadBlock& b = d.blocks().add("JNO", {0, 0, 0});
    b.addCircle({0, 0, 0}, 1.5);
    b.addLine({-1.5, 0, 0}, {1.5, 0, 0});
    b.addLine({0, -1.5, 0}, {0, 1.5, 0});
    nameAttribute(b, 2, 5, TextAlignment::MiddleLeft);
}

// Tap stand (also air and sluice valves): a triangle pointing down onto the node.
void tap(Drawing& d) {
    CadBlock& b = d.blocks().add("TNO", {0, 0, 0});
    polyline(b, {-1.5, 2.5, 1.5, 2.5, 0, 0}, true);
    b.addLine({0, 2.5, 0}, {0, 3.5, 0});
    nameAttribute(b, 2, 5, TextAlignment::MiddleLeft);
}

}  // namespace

void addSchematicSymbols(Drawing& d) {
    intake(d);
    intakeWithChamber(d);
    chamber(d);
    reservoir(d);
    junction(d);
    tap(d);
}

}  // namespace plovis::templates
