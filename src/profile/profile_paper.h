#pragma once
// Where a profile's paper sheet lies in model space. A new paper starts at the sheet's first
// node: the titles stand 38 units left of it and the A4 frame 45 left and 75 below the table's
// top line, so every paper takes that corner (centred across when the paper is wider than its
// drawing area and margins need). Papers are laid left to right without overlapping, so each
// prints alone.

#include "hosts/drawing_sheets.h"
#include "profile/profile_state.h"

namespace plovis {

class Drawing;

// The ISO paper of the run's paper setting.
PaperSize profilePaper(const ProfileSettings& settings);

// The paper of a sheet whose first node is at firstNodeX: its rectangle in model space.
DrawingSheet profilePaperSheet(const ProfileSettings& settings, double firstNodeX);

// Starts a new paper for the next sheet: moves cursor.originX on so that its paper begins where
// the last one ended, when the usual advance would let them overlap (a short last sheet of a
// branch), and records the paper in the drawing as "<branch title> <sheet number>".
void startProfilePaper(ProfileState& state, Drawing& drawing, int sheetNumber);

}  // namespace plovis
