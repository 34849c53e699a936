#include "groundprofile/ground_profile_bounds.h"

#include <cmath>
#include <string>

#include "common/number_format.h"

namespace plovis {
namespace {

using Limit = DrawingTooLarge::Limit;

// Heading boxes: four sides, the caption (and unit), the row's lines across the frame.
constexpr double kHeadingEntities = 8 + 9 + 8;
constexpr double kFrameSides = 2;

// The values of a loop from `from` to `to` in steps of 10, as the sheet's loops count them.
double stepsOfTen(double from, double to) {
    return to < from ? 0 : std::floor((to - from) / 10) + 1;
}

double levelSteps(const SheetExtents& e) {
    return stepsOfTen(static_cast<double>(e.levelBottom) + 10, e.levelTop);
}

double gridAcross(const SheetExtents& e) {
    return stepsOfTen(static_cast<double>(e.xLeft) + SheetExtents::kMargin, e.xRight);
}

// A point of the sheet that makes it large, by its cell.
struct Culprit {
    double value = 0;
    int index = -1;
};

// The widest step between neighbouring points first..last: the distance of the later point.
Culprit widestDistance(const GroundBranch& b, int first, int last) {
    Culprit c;
    for (int i = first + 1; i <= last; ++i) {
        const double d = b.chainages[i] - b.chainages[i - 1];
        if (c.index < 0 || !(d <= c.value)) c = {d, i};
    }
    return c;
}

// The level farthest from the sheet's first one.
Culprit farthestLevel(const GroundBranch& b, int first, int last) {
    Culprit c{b.levels[first], first};
    for (int i = first; i <= last; ++i) {
        if (!(std::fabs(b.levels[i] - b.levels[first]) <= std::fabs(c.value - b.levels[first])))
            c = {b.levels[i], i};
    }
    return c;
}

std::string cellCause(const GroundBranch& b, const Culprit& c, char column, const char* what) {
    return std::string("GroundProfile ") + column + std::to_string(b.rows[c.index]) + ": " + what +
           " of " + generalForm(c.value) + " m";
}

std::string scaleCause(const GroundProfileSettings& s) {
    return "A horizontal scale of 1:" + generalForm(s.hscale) + " with a plot length of " +
           generalForm(s.plotLength);
}

double sheetChainage(const GroundProfileSettings& s) {
    return mmPerMetre(s.hFactor).toGround(s.plotLength);
}

// The chainage of every step between neighbouring points but the one at `skipped`.
double otherDistances(const std::vector<GroundBranch>& branches, const GroundBranch* skipIn,
                      int skipped) {
    double sum = 0;
    for (const GroundBranch& b : branches) {
        for (int i = 1; i <= b.last(); ++i) {
            if (&b != skipIn || i != skipped) sum += b.chainages[i] - b.chainages[i - 1];
        }
    }
    return sum;
}

// Sheets from the chainage each branch covers. The widest distance is named when it alone needs
// more sheets than the limit and all the others together do not (a slip of the pen); else the
// scale and plot length, which make every sheet short.
void checkSheets(const std::vector<GroundBranch>& branches, const GroundProfileSettings& s,
                 const DrawingLimits& limits) {
    const double length = sheetChainage(s);
    double sheets = 0;
    const GroundBranch* widestIn = nullptr;
    Culprit widest;
    for (const GroundBranch& b : branches) {
        const double span = roundChainage(b.chainages.back()) - roundChainage(b.chainages.front());
        if (!(span <= 0)) sheets += std::ceil(span / length);
        const Culprit c = widestDistance(b, 0, b.last());
        if (!widestIn || !(c.value <= widest.value)) {
            widestIn = &b;
            widest = c;
        }
    }
    if (sheets <= limits.maxSheets) return;
    const bool oneDistance =
        widestIn && !(widest.value / length <= limits.maxSheets) &&
        otherDistances(branches, widestIn, widest.index) / length <= limits.maxSheets;
    checkDrawingSize(Limit::Sheets, sheets, limits,
                     oneDistance ? cellCause(*widestIn, widest, 'C', "a distance") : scaleCause(s));
}

struct SheetSize {
    const GroundBranch* branch = nullptr;
    GroundSheet sheet;
    SheetExtents extents;
    double entities = -1;
};

// What makes the largest sheet large: a wide step between points, a level far from the others,
// or else the scale.
std::string entityCause(const SheetSize& w, const GroundProfileSettings& s) {
    const GroundBranch& b = *w.branch;
    const int first = w.sheet.firstIndex, last = w.sheet.lastIndex;
    const double across = gridAcross(w.extents);
    const double up = 5 * levelSteps(w.extents);
    if (up > across && up > 6.0 * (last - first + 1)) {
        return cellCause(b, farthestLevel(b, first, last), 'D', "a level");
    }
    const Culprit gap = widestDistance(b, first, last);
    // Grid lines every 10 drawing units: the step alone fills most of the sheet's width.
    if (gap.index >= 0 && !(mmPerMetre(s.hFactor).toSheet(gap.value) / 10 <= across / 2)) {
        return cellCause(b, gap, 'C', "a distance");
    }
    return scaleCause(s);
}

void checkEntities(const std::vector<GroundBranch>& branches, const GroundProfileSettings& s,
                   const DrawingLimits& limits) {
    double total = 0;
    double refX = 0;
    SheetSize largest;
    for (const GroundBranch& b : branches) {
        for (const GroundSheet& sheet :
             planBranchSheets(b, s.plotLength, s.hFactor, s.sheetGap, refX)) {
            if (!sheet.drawable()) break;
            const ProfileFrame frame{0,
                                     0,
                                     b.chainages[sheet.firstIndex],
                                     b.levels[sheet.firstIndex],
                                     mmPerMetre(s.hFactor),
                                     mmPerMetre(s.vFactor)};
            SheetSize size{&b, sheet,
                           computeSheetExtents(b, sheet.firstIndex, sheet.lastIndex, frame)};
            size.entities =
                groundSheetEntities(size.extents, sheet.lastIndex - sheet.firstIndex + 1);
            total += size.entities;
            if (!(size.entities <= largest.entities)) largest = size;
        }
    }
    if (total <= limits.maxEntities) return;
    checkDrawingSize(Limit::Entities, total, limits, entityCause(largest, s));
}

}  // namespace

double groundSheetEntities(const SheetExtents& e, int pointCount) {
    const double steps = levelSteps(e);
    return 1 + kHeadingEntities + 6.0 * pointCount + kFrameSides + 4 * steps + gridAcross(e) +
           steps;
}

void checkGroundProfileSize(const std::vector<GroundBranch>& branches,
                            const GroundProfileSettings& settings, const DrawingLimits& limits) {
    checkSheets(branches, settings, limits);
    checkEntities(branches, settings, limits);
}

}  // namespace plovis
