#pragma once
// Laying out one branch of the schematic: every stroke is 30 drawing units long whatever the pipe
// length (the schematic is not to scale), pointing as the stretch's direction code says. Equal
// consecutive stretches not separated by a structure share one stroke labelled with their summed
// length. A branch starts at its first node, or at its last node when that end joins the network.

#include <string>
#include <string_view>

#include "hosts/cad_host.h"
#include "hosts/user_interface.h"
#include "schematic/schematic_state.h"

namespace plovis {

// Where the schematic draws: the CAD host (asked to redraw after every branch), its model space,
// and the drawing status label.
struct SchematicCanvas {
    CadHost& host;
    CadBlock& space;
    UserInterface& ui;
};

// A stroke's vector (drawing units) and the offset of its labels from the stroke's midpoint.
struct StrokeVector {
    double dx = 0;
    double dy = 0;
    float offX = 0;
    float offY = 0;
};

// The stroke of a direction code (D, U, L, R, DL, UL, DR, UR, compared in capitals) with h the
// text height: 30 units along the axes, 30/sqrt(2) both ways on the diagonals; labels h beside the
// stroke. Any other code leaves v as it was.
void directionVector(std::string_view code, double h, StrokeVector& v);
// The stroke of a branch drawn from its end: "R" turns up and to the left, "L" up and to the right;
// any other code leaves v as it was.
void reversedDirectionVector(std::string_view code, double h, StrokeVector& v);

// isLaterIntake: the branch starts at an intake (a first node beginning IN, any case) and an
// intake was drawn already.
bool isLaterIntake(const SchematicState& state, const SchematicItem& first);
// endsOnNetwork: the last node of branch b is a node of an earlier branch (ignoring case).
bool endsOnNetwork(SchematicState& state, int b);
// The node is a node of a branch before b (ignoring case).
bool drawnBefore(SchematicState& state, int b, std::string_view name);
// nodePosition: where the node was drawn, from the first item of branches 0..b naming it (its
// fromNode checked before its toNode). A node found nowhere is placed at (0, networkSpacing x
// unplacedCount), and unplacedCount goes up by one.
Point nodePosition(SchematicState& state, int b, std::string_view name);
// Where the walk of branch b starts from the named node: its drawn position on branches 0..b-1,
// or for the first branch its own start. A later branch joining no node drawn before it is placed
// clear of the drawn network, networkSpacing above its highest node, and noted in
// detachedBranches.
Point branchStart(SchematicState& state, int b, std::string_view name);

// drawPipeSegment: a stroke of v from the pen with a circle of radius 1 at its end, labelled from
// item k of branch b: "<pipe>/<length> m" on one side and "<flow> lps " on the other, turned along
// the stroke (half a turn more when it runs towards negative x or y). The pen moves to its end.
void drawPipeSegment(SchematicState& state, SchematicCanvas& canvas, const StrokeVector& v, int b,
                     float length, int k);

// drawSchematicBranch: branch b's strokes, node symbols and the start structure, writing the
// drawn positions of its nodes into its items; then the host redraws and the status label reads
// "Drawing in AutoCAD is completed.".
void drawSchematicBranch(SchematicState& state, int b, SchematicCanvas& canvas);

}  // namespace plovis
