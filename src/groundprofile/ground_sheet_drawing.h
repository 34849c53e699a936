#pragma once
// Drawing one existing ground profile sheet into model space: the ground line, a frame with level
// scales on both sides and a grid every 10 drawing units, and under the frame a table of three
// rows giving each point's description, ground level and chainage.

#include <string>

#include "groundprofile/ground_sheet_extents.h"
#include "hosts/cad_host.h"

namespace plovis {

// What the sheet routines share while one sheet is drawn.
struct GroundSheetDrawing {
    CadHost& host;  // redrawn after each table row and each grid line
    Drawing& drawing;
    const GroundBranch& branch;
    int firstIndex = -1;  // the points of the branch drawn on this sheet
    int lastIndex = -1;
    ProfileFrame frame;       // the sheet's first point at its origin
    double textSize = 0;      // height of the point labels and of the level scale figures
    double labelSpacing = 0;  // the number in the text size box: a point gets its labels only
                              // when it lies more than this across from the point before
    double halfTurn = 0;      // π; the point labels stand upright, turned by halfTurn / 2
    SheetExtents extents{};
    float rowHeight = 10;  // of the table row being drawn
};

// The whole sheet, in order: computeSheetExtents, drawGroundLine, layer "Rem1" made current,
// drawTableHeadings, drawTableRows, drawFrameAndScale, drawGrid, and the drawing redrawn.
// HostError when the host refuses an entity (sheets already drawn stay).
void drawGroundSheet(GroundSheetDrawing& s);

// drawGroundLine: the points' polyline on layer "GL" (made with colour 3 when missing).
void drawGroundLine(GroundSheetDrawing& s);

// drawTableHeadings: on layer "Format", the boxes "Description", "Existing GL" / "Level (m)" and
// "Chainage" / "(Km)" left of the frame, 10, 10 and 14 high, 20 wide, with the rows' lines.
void drawTableHeadings(GroundSheetDrawing& s);

// drawTableRowHeading: the heading box of width w hanging down h from (x, y) left of x, its
// caption centred in it (with the unit under the caption when there is one), the frame's bottom
// edge when topLine, and the row's bottom line and right edge across the sheet.
void drawTableRowHeading(GroundSheetDrawing& s, float x, float y, float h, float w,
                         const std::string& caption, const std::string& unit, bool topLine);

// drawTableRows: the description and level rows (on the current layer) and the chainage row (on
// layer "Chainage"), each followed by a redraw.
void drawTableRows(GroundSheetDrawing& s);

// The three label rows, yBase being the row's bottom line: a tick per point, and where the point
// lies far enough from the one before, its label upright in the middle of the row.
void drawDescriptionRow(GroundSheetDrawing& s, double yBase);
void drawLevelRow(GroundSheetDrawing& s, double yBase);     // "#00.000"
void drawChainageRow(GroundSheetDrawing& s, double yBase);  // "#0+000.00", km before the plus

// drawFrameAndScale: the frame's sides and, every 10 units of level from one above the bottom
// to the top, a tick and its figure ("#0.0") outside each side, on the current layer.
void drawFrameAndScale(GroundSheetDrawing& s);

// drawGrid: on layer "Grid" (colour 8), upright lines every 10 drawing units from the first point
// and level lines every 10 units of level, the last being the frame's top edge.
void drawGrid(GroundSheetDrawing& s);

}  // namespace plovis
