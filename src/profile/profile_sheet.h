#pragma once
// drawProfileSheet: one sheet of a branch's longitudinal profile, from the level range and the
// ground line through the three lines, the table grid and the level axis to the annotation.

#include <string>
#include <vector>

#include "hosts/cad_host.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "profile/profile_state.h"
#include "profile/sheet_geometry.h"
#include "scheme/drawing_preparation.h"
#include "survey/ground_profile.h"

namespace plovis {

// What a sheet drawing works with: the command's state, the hosts and the ground profile read
// once for the whole drawing.
struct ProfileDrawing {
    ProfileState& state;
    CadHandles& cad;
    CadHost& cadHost;
    SpreadsheetHost& spreadsheet;
    UserInterface& ui;
    const GroundProfile& ground;
    int sheetNumber = 1;  // the sheet within its branch, for the title
    int sheetCount = 1;
};

// The values of the sheet being drawn, computed before anything is drawn.
struct SheetDrawing {
    int first = 0;
    int last = 0;
    SheetLevels levels;
    ProfileFrame frame;                   // chainage from the first node, levels above datum
    std::vector<GroundLinePoint> ground;  // empty: the ground line follows the nodes
    SheetNodes nodes;
    DatumBreaks breaks;
    SheetLines lines;

    double groundX(std::size_t k) const { return frame.x(ground[k].chainage); }
    double groundY(std::size_t k) const { return frame.y(ground[k].level); }
};

// Draws the sheet rows state.sheetFirst..state.sheetLast between the two node labels and moves
// originX past it. Nothing is drawn when the spreadsheet cannot be attached. A value that cannot
// serve (text where a number is needed, a zero scale) throws ProfileDataError; a host failure
// HostError: the command answers both with its data-error message.
void drawProfileSheet(ProfileDrawing& p, const std::string& fromLabel, const std::string& toLabel);

// The parts of the sheet, in drawing order (exposed for tests).
SheetDrawing computeSheet(ProfileDrawing& p, const std::string& fromLabel,
                          const std::string& toLabel);
void drawSheetLines(ProfileDrawing& p, const SheetDrawing& s);
void drawTableGrid(ProfileDrawing& p, const SheetDrawing& s);
void drawLevelAxis(ProfileDrawing& p, const SheetDrawing& s);
void drawSheetAnnotation(ProfileDrawing& p, const SheetDrawing& s);

}  // namespace plovis
