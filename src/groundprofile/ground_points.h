#pragma once
// The surveyed ground points of the whole scheme for the existing ground profile drawing: every
// row of the "GroundProfile" sheet with its running chainage, level and label.

#include <string>
#include <vector>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// The first row of ground points on the "GroundProfile" sheet.
inline constexpr int kFirstGroundRow = 4;

// One element per sheet row read, from row 4 down.
struct GroundPoints {
    std::vector<double> chainages;    // column A parsed, then running from each header row
    std::vector<std::string> labels;  // column B
    std::vector<double> distances;    // column C
    std::vector<double> levels;       // column D
    int last() const { return static_cast<int>(labels.size()) - 1; }
};

// A chainage text: "k+m" is k x 1000 + m, "p%" is p / 100, anything else its leading number;
// held in single precision ("1234+567.891" gives 1234567.875). A split part that cannot be read
// shows "Error encountered non numeric chainage in remarks sheet." and gives 0.
float parseChainage(const CellValue& value, UserInterface& ui);

// readGroundSheet: the rows of "GroundProfile" from row 4 down to the first empty column B.
// Shows the sheet message or the row message and returns false when it cannot read them; the
// rows already read stay in `points`.
bool readGroundSheet(Workbook& workbook, GroundPoints& points, UserInterface& ui);

// accumulateChainages: a row whose distance and level are both 0 is a header row and sets the
// base from its own chainage; every other row runs on from it by its distance.
void accumulateChainages(GroundPoints& points);

// getGroundProfile: attach, read and accumulate. False after a reported failure.
bool getGroundProfile(SpreadsheetHost& host, GroundPoints& points, UserInterface& ui);

}  // namespace plovis
