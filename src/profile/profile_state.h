#pragma once
// The state of one run of the pipe line profile command: paper, scales and table settings, the
// selected design range read column by column, its branches, the sheets of the branch being
// drawn and how short branches are packed onto a paper sheet.

#include <array>
#include <string>
#include <vector>

#include "hosts/cell_value.h"

namespace plovis {

// The columns of the design range, counted from the selection's first column. Element i holds
// the value of sheet row firstRow + i; elements rowCount and rowCount + 1 stay empty (the empty
// element rowCount marks the end of the range).
struct DesignColumns {
    std::vector<CellValue> mark;          // +0  empty on a branch title row
    std::vector<CellValue> fromNode;      // +1  start node label; the title on a title row
    std::vector<CellValue> toNode;        // +2  end node label
    std::vector<CellValue> length;        // +3  horizontal section length, m
    std::vector<CellValue> flow;          // +5  design flow
    std::vector<CellValue> startGround;   // +7  ground level at the start node, m
    std::vector<CellValue> endGround;     // +8  ground level at the end node, m
    std::vector<CellValue> staticLevel;   // +10 level of the static pressure line, m
    std::vector<CellValue> hdpeDiameter;  // +13 plastic pipe diameter
    std::vector<CellValue> hdpeClass;     // +14 plastic pipe pressure class
    std::vector<CellValue> giDiameter;    // +16 galvanised iron pipe diameter; empty for plastic
    std::vector<CellValue> giClass;       // +17 galvanised iron pipe class (a text)
    std::vector<CellValue> startHgl;      // +22 hydraulic grade level at the start node, m
    std::vector<CellValue> endHgl;        // +23 hydraulic grade level at the end node, m
    std::vector<CellValue> soil;          // +24 soil or strata
    std::vector<CellValue> structure;     // +25 structure code at the end node

    // Sizes every column to rowCount + 2 empty elements.
    void allocate(int rowCount);
};

// The column offsets read from every selected row, in reading order.
inline constexpr std::array<int, 16> kDesignColumnOffsets = {0,  1,  2,  3,  5,  7,  8,  10,
                                                             13, 14, 16, 17, 22, 23, 24, 25};

// The selection's bounds as parsed from its R1C1 address (0 where the address gave none).
struct Selection {
    int firstRow = 0;
    int lastRow = 0;
    int firstCol = 0;
    int lastCol = 0;
};

struct ProfileState {
    // Paper (usable drawing area, drawing units); a paper text that is none of the four keeps
    // the previous size.
    double paperWidth = 230;
    double paperHeight = 110;

    // Settings of every run.
    double originX = 60;  // X where the next sheet goes; advanced after every sheet
    double originY = 95;  // Y of the profile's base line (top line of the data table)
    double smallTextHeight = 1.5;
    double largeTextHeight = 3.0;
    int tickLength = 1;
    std::array<double, 9> tableRowOffsets{};  // [1..8]: 0, 10, 18, 24, 32, 38, 44, 50
    double hScale = 5000;
    double vScale = 1000;
    double levelInterval = 10;  // 20 when vScale > 1001

    Selection selection;
    int rowCount = 0;
    DesignColumns columns;

    // Branches: title row positions and titles, the end mark included.
    std::vector<int> branchStarts;
    std::vector<std::string> branchTitles;
    int branchCount() const { return static_cast<int>(branchStarts.size()) - 1; }
    int branch = 0;  // the branch being drawn

    // The sheet being drawn: its first and last row positions.
    int sheetFirst = 0;
    int sheetLast = 0;

    // Packing of short branches.
    int newSheet = 1;         // 1: the next drawing starts a new paper sheet
    double usedWidth = 0;     // drawing width used on the current paper sheet
    double branchLength = 0;  // drawing length of the current branch

    double carriedChainage = 0;  // chainage at the first node of the sheet
};

// Paper sizes by the paper text, compared exactly ("A1" to "A4"). Returns false and leaves the
// state alone for any other text.
bool applyPaper(ProfileState& state, const std::string& paper);

// The settings every run starts from: origin, text heights, table rows, scales and grid step.
// hScale and vScale are the numbers of the scale boxes.
void applySettings(ProfileState& state, double hScale, double vScale);

}  // namespace plovis
