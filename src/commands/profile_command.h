#pragma once
// The pipe line profile command: the selected design range of the scheme workbook drawn as the
// longitudinal profile of every branch, sheet after sheet along model space.

#include <filesystem>
#include <functional>
#include <string>

#include "hosts/cad_host.h"
#include "hosts/drawing_sheets.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "profile/profile_state.h"
#include "scheme/drawing_preparation.h"

namespace plovis {

// The main window's inputs the command reads: the scale boxes (read by the leading-number rule)
// and the paper list's text (compared exactly).
struct ProfileInputs {
    std::string hscale = "5000";
    std::string vscale = "1000";
    std::string paper = "A4";
};

// What the main window keeps for the command from one run to the next.
struct ProfileCommand {
    ProfileState state;
    CadHandles cad;
    std::filesystem::path templateFile;  // the template drawing beside the program
    // Lets the user select the range again after the selection message (false: nobody can).
    std::function<bool()> reselect = [] { return false; };
    DrawingLimits limits;  // a larger drawing is refused before its first sheet is drawn
};

// Read_data_Click. True when every branch was drawn ("Drawing in AutoCAD is completed."); false
// when the command stopped after a message of its own. Throws ApplicationEnds where the command
// ends the application (an invalid workbook, a missing template, data that cannot be drawn, a
// cancelled selection). Throws DrawingTooLarge, before drawing, for a drawing beyond its limits.
bool runProfileCommand(ProfileCommand& command, const ProfileInputs& inputs,
                       SpreadsheetHost& spreadsheet, CadHost& cadHost, UserInterface& ui);

}  // namespace plovis
