#pragma once
// The "Draw Ground Profile" dialog without its widgets: the texts of its boxes, the paper rule and
// how the boxes are read into the sheet settings. A Qt dialog or the command line sits on it.

#include <optional>
#include <string>
#include <vector>

namespace plovis {

// The paper list, in order; "A1" is selected on load.
inline const std::vector<std::string> kGroundProfilePapers = {"A4", "A3", "A2", "A1", "ALL"};

// The boxes of the dialog as texts, with their initial contents.
struct GroundProfileBoxes {
    std::string hscale = "5000";
    std::string vscale = "1000";
    std::string txtSize = "1.8";
    std::string cmbPaper = "A1";
    std::string txtPaperLength;  // filled by the paper rule on load
    std::string txtGap;          // filled by the paper rule on load
    std::string focus;           // name of the box given the input focus, if any
};

// On load: "A1" selected and the paper rule run (plot length "700", gap "350").
GroundProfileBoxes loadGroundProfileBoxes();

// applyPaperSize: the plot length and sheet gap of the selected paper (exact, case-sensitive;
// an unknown paper gets 350 and 175), written into their boxes as plain decimal text.
void applyPaperSize(GroundProfileBoxes& boxes);

// readNumberBox: the leading number of the box in single precision, or -1 when the text is not a
// number (the empty text is not): the box is then emptied and given the focus.
float readNumberBox(std::string& text, const char* boxName, GroundProfileBoxes& boxes);

// The settings of one draw command.
struct GroundProfileSettings {
    float hscale = 0;
    float vscale = 0;
    float textSize = 0;
    double plotLength = 0;
    double sheetGap = 0;
    float hFactor = 0;  // drawing units per unit of chainage: 1000 / hscale
    float vFactor = 0;  // drawing units per unit of level: 1000 / vscale
};

// readInputs: the plot length (its leading number; 0 runs the paper rule first), then hscale,
// vscale, text size and gap by readNumberBox; a gap of 0 or less becomes 350. Valid when
// hscale >= 1, vscale >= 1, text size > 0 and the plot length > 0 (a plot length of 0 or less
// would never end a sheet, and one too large to read is no number). Nothing when invalid; then
// `invalidBox`, when given, receives the name of the first box at fault ("hscale", "vscale",
// "txtSize" or "txtPaperLength").
std::optional<GroundProfileSettings> readInputs(GroundProfileBoxes& boxes,
                                                std::string* invalidBox = nullptr);

}  // namespace plovis
