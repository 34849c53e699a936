#pragma once
// The state of one run of the pipe line profile command: its settings, the selected design range
// read column by column, its branches, and the cursor of the drawing (the sheet being drawn and
// how short branches are packed onto a paper sheet).

#include <array>
#include <string>
#include <vector>

#include "hosts/cell_value.h"
#include "scheme/design_table.h"
#include "scheme/profile_frame.h"

namespace plovis {

// The paper sheets a profile is drawn for.
enum class Paper { A1, A2, A3, A4 };

// What stays the same through one run: paper, scales, text heights and the table rows.
struct ProfileSettings {
    // Paper (usable drawing area, drawing units); a paper text that is none of the four keeps
    // the previous paper.
    Paper paper = Paper::A4;
    double paperWidth = 230;
    double paperHeight = 110;

    double originY = 95;  // Y of the profile's base line (top line of the data table)
    double smallTextHeight = 1.5;
    double largeTextHeight = 3.0;
    int tickLength = 1;
    std::array<double, 9> tableRowOffsets{};  // [1..8]: 0, 10, 18, 24, 32, 38, 44, 50
    double hScale = 5000;
    double vScale = 1000;
    double levelInterval = 10;  // 20 when vScale > 1001
};

// Where the drawing has got to: the branch and sheet being drawn (from the sheet plan), where the
// next sheet goes and how much of the current paper sheet is in use.
struct SheetCursor {
    double originX = 60;  // X where the next sheet goes; advanced after every sheet
    int branch = 0;       // the branch being drawn
    int sheetFirst = 0;   // the sheet being drawn: its first and last row positions
    int sheetLast = 0;
    int newSheet = 1;            // 1: the next drawing starts a new paper sheet
    double usedWidth = 0;        // drawing width used on the current paper sheet
    double carriedChainage = 0;  // chainage at the first node of the sheet
    double paperRight = -1e300;  // right edge of the last paper sheet in model space
};

struct ProfileState {
    ProfileSettings settings;
    DesignTable table;  // the selected design range, read once

    // Branches: title row positions and titles, the end mark included.
    std::vector<int> branchStarts;
    std::vector<std::string> branchTitles;
    int branchCount() const { return static_cast<int>(branchStarts.size()) - 1; }

    SheetCursor cursor;
};

// The frame of a sheet drawn from originX with its levels above datum: chainage 0 at the first
// node, 5 mm right of originX, at the run's scales.
ProfileFrame sheetFrame(const ProfileState& state, double datum);

// Paper sizes by the paper text, compared exactly ("A1" to "A4"). Returns false and leaves the
// state alone for any other text.
bool applyPaper(ProfileState& state, const std::string& paper);

// The settings every run starts from: origin, text heights, table rows, scales and grid step.
// hScale and vScale are the numbers of the scale boxes.
void applySettings(ProfileState& state, double hScale, double vScale);

// The branch list: every position whose mark is empty, the end mark included, with its title.
void findBranches(ProfileState& state);

}  // namespace plovis
