#pragma once
// Laying the ground profile out on sheets: the branches of the ground points, and for each branch
// the sheets of a fixed chainage length with the points each of them draws.

#include <string>
#include <vector>

#include "groundprofile/ground_points.h"

namespace plovis {

// The points of one branch: the rows after a header row (level 0) up to the next one.
struct GroundBranch {
    std::string name;  // the label of the header row before the branch
    std::vector<double> chainages;
    std::vector<double> levels;
    std::vector<std::string> labels;
    std::vector<int> rows;  // the "GroundProfile" row of each point
    int last() const { return static_cast<int>(chainages.size()) - 1; }
};

// The branches in sheet order, each named by the row before its first point. A branch of fewer
// than two points cannot be drawn and is left out.
std::vector<GroundBranch> splitGroundBranches(const GroundPoints& points);

// A chainage rounded to 3 decimals, halves to the even neighbour, as sheet bounds are compared.
double roundChainage(double chainage);

struct SheetPoints {
    int firstIndex = -1;  // the last point at or before the sheet's start
    int lastIndex = -1;   // one point beyond the first point past its end
    double sheetEnd = 0;  // stretched to the branch's last point where the sheet reaches it
};

// findSheetPoints over the branch's chainages for the sheet [sheetStart, sheetEnd].
SheetPoints findSheetPoints(const std::vector<double>& chainages, double sheetStart,
                            double sheetEnd);

// One sheet of a branch, in the order the drawing goes.
struct GroundSheet {
    double sheetStart = 0;
    double sheetEnd = 0;
    int firstIndex = -1;
    int lastIndex = -1;
    double refX = 0;  // drawing X of the sheet's first point
    bool drawable() const { return firstIndex >= 0 && lastIndex >= 0; }
};

// The sheets of a branch, each plotLength / hFactor of chainage long, starting at refX and moving
// right by the longer of its nominal length and the span of its points, plus the gap. A sheet whose
// points cannot be found ends the branch (it is the last element, not drawable). refX is advanced
// past the branch.
std::vector<GroundSheet> planBranchSheets(const GroundBranch& branch, double plotLength,
                                          float hFactor, double sheetGap, double& refX);

}  // namespace plovis
