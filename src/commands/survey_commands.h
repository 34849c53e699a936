#pragma once
// The main window's survey and branch-section commands (Compute menu: "Get data from Ground
// Profile", "Level survey", "Abney Survey", "survey Data Process"). Each sets its status caption,
// runs its routines in order, each to its end, and clears the caption. Every command owns the
// survey context its routines share and, at its end, shows the report of what they found (the
// checks of the survey books, why a read stopped) and wrote. The result is true when every routine
// ran to its end.

#include "commands/command_settings.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// mnuBranchPoints: the section list from the ground profile's control points.
bool branchPointsCommand(SpreadsheetHost& host, UserInterface& ui,
                         const CommandSettings& settings = {});
// mnuPipeLength: the lengths and levels of the listed sections.
bool pipeLengthCommand(SpreadsheetHost& host, UserInterface& ui,
                       const CommandSettings& settings = {});
// mnuBranchControlPointsAndRL: the section list (no completion message), then its lengths.
bool branchPointsAndLevelsCommand(SpreadsheetHost& host, UserInterface& ui,
                                  const CommandSettings& settings = {});
// mnuRiseFall: the level book reduced by rise and fall.
bool riseFallCommand(SpreadsheetHost& host, UserInterface& ui,
                     const CommandSettings& settings = {});
// mnuTransferToGP: the reduced level book copied to the ground profile.
bool levelToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui,
                                 const CommandSettings& settings = {});
// mnuRLandData: the level book reduced, then copied to the ground profile.
bool riseFallToGroundProfileCommand(SpreadsheetHost& host, UserInterface& ui,
                                    const CommandSettings& settings = {});
// mnuAbneyRL: the Abney book reduced, then copied to the ground profile.
bool abneyCommand(SpreadsheetHost& host, UserInterface& ui, const CommandSettings& settings = {});
// mnuSurveyDataProcess: the level book reduced and copied to the ground profile, then the whole
// branch points and levels command (which sets and clears its own caption).
bool surveyDataProcessCommand(SpreadsheetHost& host, UserInterface& ui,
                              const CommandSettings& settings = {});

}  // namespace plovis
