#pragma once
// How large an existing ground profile drawing will be, worked out before its first sheet is
// drawn: the sheets from the chainage each branch covers, then the entities of every planned sheet
// from its frame and points. A drawing beyond the limits is refused, naming the input that makes
// it so large: the cell of a distance or a level, or the scale and plot length.

#include <vector>

#include "groundprofile/ground_profile_inputs.h"
#include "groundprofile/ground_profile_layout.h"
#include "groundprofile/ground_sheet_extents.h"
#include "hosts/drawing_sheets.h"

namespace plovis {

// The entities a sheet with this frame and pointCount points draws at most: the ground line, the
// three heading boxes, a tick and a label per point on each table row, the frame sides with a
// tick and a figure per level step on both of them, and the grid lines both ways.
double groundSheetEntities(const SheetExtents& extents, int pointCount);

// Throws DrawingTooLarge when drawing the branches with these settings passes the limits.
void checkGroundProfileSize(const std::vector<GroundBranch>& branches,
                            const GroundProfileSettings& settings, const DrawingLimits& limits);

}  // namespace plovis
