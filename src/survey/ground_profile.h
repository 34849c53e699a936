#pragma once
// The ground profile of every branch ("GroundProfile" sheet) and the lookup of the ground line
// between two labelled points that the pipeline profile drawing makes for every sheet.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "survey/survey_context.h"

namespace plovis {

// Reads the whole "GroundProfile" sheet into the context's branch table: per point its label (B),
// distance from the point before (C), reduced level (D) and code (E, a 16-bit whole number).
// A missing sheet is reported only when report is true; a bad row always ("Error found in the row
// number " and the row). On failure the branch table is left empty.
bool readGroundProfile(SurveyContext& context, Workbook& workbook, UserInterface& ui, bool report);

// The branch table with its names and labels indexed, so that a lookup costs only the points it
// returns: a drawing of many sheets stays linear in the number of ground points.
struct GroundProfile {
    std::vector<SurveyBranch> branches;
    // Upper-cased branch name -> the first branch of that name in sheet order.
    std::unordered_map<std::string, std::int32_t> branchByName;
    // Per branch: upper-cased label -> the points carrying it, in ascending order.
    std::vector<std::unordered_map<std::string, std::vector<std::int32_t>>> pointsByLabel;
};

GroundProfile indexGroundProfile(std::vector<SurveyBranch> branches);

// The ground profile as a drawing uses it: the sheet read once, without a message for a missing
// sheet. Empty when it cannot be read, so that every lookup then finds nothing.
GroundProfile loadGroundProfile(Workbook& workbook, UserInterface& ui);

// The first branch whose name equals name ignoring case, or -1.
std::int32_t findBranch(const GroundProfile& profile, std::string_view name);

struct PointRange {
    std::int32_t first = -1;  // the first point labelled fromLabel, or -1
    std::int32_t last = -1;   // the first point from `first` on labelled toLabel, or -1
};

// The stretch of a branch between two labels, matched ignoring case.
PointRange findPointRange(const GroundProfile& profile, std::string_view fromLabel,
                          std::string_view toLabel, std::int32_t branch);

// One point of the ground line, in sheet order, in metres.
struct GroundLinePoint {
    double distance = 0;  // the point's distance from the point before
    double level = 0;     // its reduced level
    double chainage = 0;  // along the stretch from its first point
};

// The ground line of a branch from the point labelled fromLabel to the one labelled toLabel.
// The first point is at chainage 0 whatever its own distance; each following point adds its
// distance. Empty when there is nothing to draw: no such branch or label, or a stretch of fewer
// than two points.
std::vector<GroundLinePoint> groundLineBetween(const GroundProfile& profile,
                                               std::string_view branchName,
                                               std::string_view fromLabel,
                                               std::string_view toLabel);

}  // namespace plovis
