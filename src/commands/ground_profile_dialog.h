#pragma once
// The "Draw Ground Profile" dialog without its widgets: connecting to the CAD host, picking the
// reference point, and the draw command, which reads every ground point, splits the points into
// branches, cuts each branch into sheets and draws them in one row to the right of the picked
// point. The Qt dialog holds a GroundProfileDialog: its boxes' texts go in, the status caption
// comes out through the UserInterface (GroundProfileStatus), and it closes when asked to.

#include <optional>
#include <string>

#include "groundprofile/ground_profile_inputs.h"
#include "hosts/cad_host.h"
#include "hosts/drawing_sheets.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

enum class GroundProfileOutcome {
    Drawn,           // every branch drawn
    NoCadHost,       // the CAD host is not running (its message shown)
    InvalidInput,    // a scale, the text size or the plot length is invalid (no message)
    PickDeclined,    // the user gave up picking the reference point
    NoGroundPoints,  // the ground profile sheet could not be read (its message shown)
    TooFewRows,      // fewer than two ground rows: nothing to draw
    DrawingFailed,   // the host refused something while drawing; sheets drawn so far stay
};

struct GroundProfileResult {
    GroundProfileOutcome outcome = GroundProfileOutcome::Drawn;
    std::string invalidBox;  // InvalidInput: the box at fault ("hscale", "txtPaperLength", ...)
    std::string failure;     // DrawingFailed: what the host reported (the dialog shows nothing)
    int sheetsDrawn = 0;
    // Whether the dialog closes after the command: it stays open only when the CAD host cannot
    // be reached or there are no ground points to draw, so the user can put that right.
    bool closesDialog() const;
};

// connectCad: the drawing in front of the running CAD host, which is shown (it is not started).
// When it is not running: "Please first open the AutoCAD application and redo it." and nullptr.
Drawing* connectCad(CadHost& host, UserInterface& ui);

// pickPoint: the point the user picks after `prompt`. After a cancelled or invalid pick the
// host's prompt line shows "Not valid point. " and asks "Do you want to re-pick.[Y/N]<N>:"; "Y"
// or "y" picks again, any other answer (or a cancelled question) gives up: `prompt` is emptied
// and nothing is returned.
std::optional<Point> pickPoint(CadHost& host, std::string& prompt);

struct GroundProfileDialog {
    GroundProfileBoxes boxes = loadGroundProfileBoxes();
    bool closeRequested = false;
    DrawingLimits limits;

    // cmbPaper click: the paper's plot length and sheet gap fill their boxes.
    void selectPaper(const std::string& paper);
    // cmdCancel click.
    void cancel() { closeRequested = true; }
    // cmdDraw click: the draw command. Sets closeRequested when the dialog is to close. Throws
    // DrawingTooLarge, before anything is drawn, for a drawing beyond `limits`.
    GroundProfileResult draw(CadHost& cad, SpreadsheetHost& spreadsheet, UserInterface& ui);
};

}  // namespace plovis
