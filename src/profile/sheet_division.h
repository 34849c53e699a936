#pragma once
// Cutting a branch into paper sheets: the ground length that fits across the paper decides where
// a new sheet starts.

#include <string>
#include <vector>

#include "profile/profile_state.h"

namespace plovis {

// The most sheets one branch may take: the sheet table has room for 24 and the end mark.
inline constexpr int kMaxSheetsPerBranch = 24;

struct ProfileSheet {
    int firstRow = 0;  // positions in the design range
    int lastRow = 0;
    std::string fromLabel;  // the labels of the sheet's first and last node
    std::string toLabel;
};

// The section rows of branch j: from the row after its title row to the row before the next
// title row (at least one row).
void branchRows(const ProfileState& state, int j, int& first, int& last);

// branchPaperLength: the drawing length of the branch's sections at the horizontal scale.
double branchPaperLength(const ProfileState& state, int j);

// The sheets of the section rows first..last. A sheet ends before the section whose running
// length passes paperWidth x hScale / 1000 metres; that section starts the next sheet. A section
// longer than that stays whole on a sheet of its own. Throws ProfileDataError when the branch
// needs more than 24 sheets.
std::vector<ProfileSheet> divideBranch(const ProfileState& state, int first, int last);

// The drawing length of a sheet's sections.
double sheetPaperLength(const ProfileState& state, const ProfileSheet& sheet);

}  // namespace plovis
