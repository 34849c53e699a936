#pragma once
// The geometry of one profile sheet: its level range and datum, its nodes in drawing units, and
// the datum breaks that bring a far higher hydraulic grade line or static pressure line down
// onto the sheet. Pure arithmetic on the design range; the drawing uses the results.
//
// Chainage and levels reach the sheet through the sheet's ProfileFrame.

#include <string>
#include <vector>

#include "profile/profile_state.h"
#include "survey/ground_profile.h"

namespace plovis {

struct SheetLevels {
    double topLevel = 0;
    double bottomLevel = 0;
    double datum = 0;  // the level drawn at originY
};

// minMaxLevels: widens low and high to take in values[0..n].
void minMaxLevels(const std::vector<double>& values, double& low, double& high, int n);

// One interval added below the range and one above, on whole multiples of the interval.
void roundLevelRange(SheetLevels& levels, double interval);

// The level range of the sheet rows first..last from the design range alone: from the smallest
// end ground level to the largest static level, rounded out to the interval; datum = bottom.
SheetLevels designLevelRange(const DesignColumns& columns, int first, int last, double interval);

// The range widened to take in the ground line's levels as well, rounded out once more.
void widenToGroundLine(SheetLevels& levels, const std::vector<GroundLinePoint>& ground,
                       double interval);

// The nodes 0..M of the sheet rows first..last (M = last - first + 1 sections).
struct SheetNodes {
    int count = 0;                       // M
    std::vector<double> chainage;        // from the sheet's first node, m
    std::vector<double> sectionLengths;  // [m] = length of the section ending at node m
    std::vector<std::string> names;
    std::vector<double> ground;         // ground level, m
    std::vector<CellValue> structures;  // code of the structure at the node
    std::vector<double> x;
    std::vector<double> groundY;
};

SheetNodes sheetNodes(const ProfileState& state, int first, int last, double datum);

struct DatumBreaks {
    double groundTopY = 0;  // top of the ground part of the level axis
    double hglBreak = 0;    // metres taken out of the hydraulic grade line (0: no break)
    double splBreak = 0;    // metres taken out of the static pressure line (0: no break)
    double hglDatum = 0;
    double splDatum = 0;
    double splBreakY = 0;  // where the static line's break sits on the axis
};

DatumBreaks datumBreaks(const ProfileState& state, const SheetNodes& nodes, int first, int last,
                        double datum);

// The hydraulic grade line per section and the static pressure line per node, in drawing Y.
struct SheetLines {
    std::vector<double> hglStartY;  // per section 0..M-1
    std::vector<double> hglEndY;
    std::vector<double> splY;  // per node 0..M; an empty or zero static level repeats
};

SheetLines sheetLines(const ProfileState& state, const DatumBreaks& breaks, int first, int last);

}  // namespace plovis
