#include "profile/sheet_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "scheme/design_values.h"

namespace plovis {
namespace {

double number(const std::vector<CellValue>& column, int i, const char* what) {
    return designNumber(column[i], what);
}

// The value raised to the next whole multiple of step above it, unless it is one already.
double ceilToMultiple(double value, double step) {
    const double q = value / step;
    return q == std::floor(q) ? value : (std::floor(q) + 1) * step;
}

struct LevelSpan {
    double low = 0;
    double high = 0;
};

// The lowest and highest level the hydraulic grade line reaches on the sheet rows first..last.
LevelSpan gradeLineSpan(const DesignColumns& c, int first, int last) {
    LevelSpan span{std::numeric_limits<double>::infinity(),
                   -std::numeric_limits<double>::infinity()};
    for (int i = first; i <= last; ++i) {
        for (const std::vector<CellValue>* column : {&c.startHgl, &c.endHgl}) {
            const double level = number(*column, i, "hydraulic grade level");
            span.low = std::min(span.low, level);
            span.high = std::max(span.high, level);
        }
    }
    return span;
}

// The lowest level at which the static pressure line is drawn on the sheet rows first..last (an
// empty or zero static level repeats the one before it).
double staticLineLow(const DesignColumns& c, int first, int last) {
    double low = number(c.staticLevel, first, "static level");
    for (int i = first + 1; i <= last; ++i) {
        const double level = number(c.staticLevel, i, "static level");
        if (level != 0) low = std::min(low, level);
    }
    return low;
}

}  // namespace

void minMaxLevels(const std::vector<double>& values, double& low, double& high, int n) {
    for (int i = 0; i <= n; ++i) {
        if (low > values[i]) low = values[i];
        if (high < values[i]) high = values[i];
    }
}

void roundLevelRange(SheetLevels& levels, double interval) {
    levels.topLevel = (std::floor(levels.topLevel / interval) + 1) * interval;
    levels.bottomLevel = (std::floor(levels.bottomLevel / interval) - 1) * interval;
    levels.datum = levels.bottomLevel;
}

SheetLevels designLevelRange(const DesignColumns& columns, int first, int last, double interval) {
    SheetLevels levels{0, 30000, 0};
    for (int i = first; i <= last; ++i) {
        levels.topLevel = std::max(levels.topLevel, number(columns.staticLevel, i, "static level"));
        levels.bottomLevel =
            std::min(levels.bottomLevel, number(columns.endGround, i, "ground level"));
    }
    roundLevelRange(levels, interval);
    return levels;
}

void widenToGroundLine(SheetLevels& levels, const std::vector<GroundLinePoint>& ground,
                       double interval) {
    std::vector<double> groundLevels;
    for (const GroundLinePoint& p : ground)
        groundLevels.push_back(p.level);
    minMaxLevels(groundLevels, levels.bottomLevel, levels.topLevel,
                 static_cast<int>(groundLevels.size()) - 1);
    roundLevelRange(levels, interval);
}

SheetNodes sheetNodes(const ProfileState& state, int first, int last, double datum) {
    const DesignColumns& c = state.table.columns;
    const ProfileFrame frame = sheetFrame(state, datum);
    SheetNodes n;
    n.count = last - first + 1;
    const int m = n.count;
    n.chainage.assign(m + 1, 0.0);
    n.sectionLengths.assign(m + 1, 0.0);
    for (int k = 1; k <= m; ++k) {
        n.chainage[k] = n.chainage[k - 1] + number(c.length, first + k - 1, "section length");
        n.sectionLengths[k] = n.chainage[k] - n.chainage[k - 1];
    }
    for (int k = 0; k <= m; ++k) {
        const bool end = k == m;
        n.names.push_back(cellText(end ? c.toNode[last] : c.fromNode[first + k]));
        n.ground.push_back(end ? number(c.endGround, last, "ground level")
                               : number(c.startGround, first + k, "ground level"));
        n.structures.push_back(c.structure[first - 1 + k]);
        n.x.push_back(frame.x(n.chainage[k]));
        n.groundY.push_back(frame.y(n.ground[k]));
    }
    return n;
}

// The axis carries up to three bands, each labelled against its own datum: the ground band up to
// groundTopY, the grade line's band above it, the static line's band above splBreakY. Each break
// is taken from the lowest level of the line its band holds, and the static line's band starts
// above the grade line's highest level, so every line reads right against the figures beside it.
DatumBreaks datumBreaks(const ProfileState& state, const SheetNodes& nodes, int first, int last,
                        double datum) {
    const DesignColumns& c = state.table.columns;
    const double iv = state.settings.levelInterval;
    DatumBreaks b;
    b.groundTopY = 0;
    for (double y : nodes.groundY)
        b.groundTopY = std::max(b.groundTopY, y);
    b.groundTopY =
        state.settings.originY + ceilToMultiple(b.groundTopY - state.settings.originY, iv);
    ProfileFrame frame = sheetFrame(state, datum);
    const double h = frame.up.toGround(b.groundTopY - state.settings.originY);
    b.hglDatum = b.splDatum = datum;
    if (h >= state.settings.paperHeight) return b;

    const LevelSpan grade = gradeLineSpan(c, first, last);
    const double a = iv * std::floor((grade.low - datum) / iv);
    b.hglBreak = a > h + iv ? a - h - iv : 0;
    b.hglDatum = datum + b.hglBreak;
    const double t = std::max(ceilToMultiple(grade.high, iv), b.hglDatum + h);
    const double staticRise = staticLineLow(c, first, last) - t;
    if (staticRise > iv) {
        b.splBreak = iv * std::floor(staticRise / iv) - iv;
        frame.datum = b.hglDatum;
        b.splBreakY = frame.y(t);
    }
    b.splDatum = b.hglDatum + b.splBreak;
    return b;
}

SheetLines sheetLines(const ProfileState& state, const DatumBreaks& breaks, int first, int last) {
    const DesignColumns& c = state.table.columns;
    const double up = scaleOneTo(state.settings.vScale).mmPerMetre();
    SheetLines lines;
    for (int i = first; i <= last; ++i) {
        lines.hglStartY.push_back(
            (number(c.startHgl, i, "hydraulic grade level") - breaks.hglDatum) * up +
            state.settings.originY);
        lines.hglEndY.push_back((number(c.endHgl, i, "hydraulic grade level") - breaks.hglDatum) *
                                    up +
                                state.settings.originY);
    }
    // Node M takes the static level of the row after the sheet.
    for (int i = first; i <= last + 1; ++i) {
        const double level = number(c.staticLevel, i, "static level");
        if (i > first && level == 0) {
            lines.splY.push_back(lines.splY.back());
        } else {
            lines.splY.push_back((level - breaks.splDatum) * up + state.settings.originY);
        }
    }
    return lines;
}

}  // namespace plovis
