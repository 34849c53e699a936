#pragma once
// How large a pipe line profile drawing will be, from its sheets computed before the first is
// drawn. A level far from the others (a typing slip of 1e9 m) would fill a sheet with millions of
// level figures; the drawing is refused instead, naming the sheet and its levels.

#include "profile/profile_sheet.h"

namespace plovis {

// The entities a sheet draws at most, blocks opened up: the frame and title blocks, a few dozen
// per node (lines, table figures, node marker), the ground line's points and the level axis.
double profileSheetEntities(const SheetDrawing& sheet, double levelInterval);

// Level steps of the sheet's axis: one tick and one figure each.
double profileLevelSteps(const SheetDrawing& sheet, double levelInterval);

}  // namespace plovis
