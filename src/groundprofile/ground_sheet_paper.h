#pragma once
// The paper of an existing ground profile sheet: the smallest ISO paper that holds the sheet's
// frame with its heading boxes, level figures and table, never smaller than the paper a full
// sheet of the plot length needs, so a branch's short last sheet prints on the same paper as the
// others. The paper is centred on what the sheet draws.

#include <string>

#include "groundprofile/ground_sheet_extents.h"
#include "hosts/drawing_sheets.h"

namespace plovis {

// The sheet's paper named "<branch> <number>", from its frame and the text size of its figures.
DrawingSheet groundSheetPaper(const SheetExtents& extents, double textSize, double plotLength,
                              const std::string& name);

}  // namespace plovis
