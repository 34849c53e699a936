#include "profile/profile_bounds.h"

#include <cmath>

namespace plovis {
namespace {

// Opened up, the template's frame, title and paper blocks hold a few hundred entities.
constexpr double kPerSheet = 400;
// Lines, table figures and the structure marker of one node, its block opened up.
constexpr double kPerNode = 80;
// A ground point: its line and its figures in the table.
constexpr double kPerGroundPoint = 12;

}  // namespace

double profileLevelSteps(const SheetDrawing& s, double levelInterval) {
    const double range =
        (s.levels.topLevel - s.levels.bottomLevel) - s.breaks.hglBreak - s.breaks.splBreak;
    return range < 0 ? 0 : std::floor(range / levelInterval) + 1;
}

double profileSheetEntities(const SheetDrawing& s, double levelInterval) {
    return kPerSheet + kPerNode * (s.nodes.count + 1) +
           kPerGroundPoint * static_cast<double>(s.ground.size()) +
           2 * profileLevelSteps(s, levelInterval);
}

}  // namespace plovis
