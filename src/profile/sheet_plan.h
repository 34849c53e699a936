#pragma once
// The sheets of a whole profile drawing, decided from the design range before anything is drawn:
// which rows go on which sheet of each branch, and which short branches share a paper sheet.

#include <exception>
#include <vector>

#include "profile/profile_state.h"
#include "profile/sheet_division.h"

namespace plovis {

struct PlannedSheet {
    ProfileSheet rows;
    int number = 1;        // within its branch, for the title
    bool newPaper = true;  // false: beside the drawing before it on the same paper sheet
    double usedWidth = 0;  // paper width in use once the sheet is drawn
};

struct PlannedBranch {
    bool untitled = false;  // skipped with a message
    int sheetCount = 0;     // the sheets the branch is cut into
    // A branch of one sheet after the first is packed: its sheet comes after the captions.
    std::vector<PlannedSheet> sheets;
    // A data error met while planning the branch, raised when the drawing reaches it: before
    // its caption when its length cannot be read, after it when it cannot be cut into sheets.
    std::exception_ptr lengthFailure;
    std::exception_ptr divisionFailure;
};

// The plan of every branch in order; usedWidth is the paper width in use before the first.
std::vector<PlannedBranch> planSheets(const ProfileState& state, double usedWidth);

}  // namespace plovis
