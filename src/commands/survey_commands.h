#pragma once
// The main window's survey and branch-section commands (Compute menu: "Get data from Ground
// Profile", "Level survey", "Abney Survey", "survey Data Process"). Each sets its status caption,
// runs its routines in order, each to its end, and clears the caption. Every command owns the
// survey context its routines share. The result is true when every routine ran to its end.

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// mnuBranchPoints: the section list from the ground profile's control points.
bool branchPointsCommand(SpreadsheetHost& host, UserInterface& ui);
// mnuPipeLength: the lengths and levels of the listed sections.
bool pipeLengthCommand(SpreadsheetHost& host, UserInterface& ui);
// mnuBranchControlPointsAndRL: the section list (no completion message), then its lengths.
bool branchPointsAndLevelsCommand(SpreadsheetHost& host, UserInterface& ui);
// mnuRiseFall: the level book reduced by rise and fall.
bool riseFallCommand(SpreadsheetHost& host, UserInterface& ui);
// mnuTransferToGP: the reduced level book copied to the ground profile.
bool levelToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui);
// mnuRLandData: the level book reduced, then copied to the ground profile.
bool riseFallToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui);
// mnuAbneyRL: the Abney book reduced, then copied to the ground profile.
bool abneyCommand(SpreadsheetHost& host, UserInterface& ui);
// mnuSurveyDataProcess: the level book reduced and copied to the ground profile, then the whole
// branch points and levels command (which sets and clears its own caption).
bool surveyDataProcessCommand(SpreadsheetHost& host, UserInterface& ui);

}  // namespace plovis
