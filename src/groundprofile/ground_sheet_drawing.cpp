#include "groundprofile/ground_sheet_drawing.h"

#include <functional>
#include <vector>

#include "common/number_format.h"
#include "common/rounding.h"
#include "groundprofile/ground_layers.h"
#include "hosts/place_text.h"

namespace plovis {
namespace {

constexpr int kAlignCenter = 1;
constexpr int kAlignTopCenter = 7;
constexpr int kAlignBottomCenter = 13;
constexpr int kVerticalMiddle = 2;
constexpr int kHorizontalLeft = 0;
constexpr int kHorizontalCenter = 1;
constexpr int kHorizontalRight = 2;
constexpr double kHeadingTextHeight = 2;
// Half the length of a point's tick on a table row's line, held in single precision.
constexpr float kTickHalf = 0.6f;
// More grid lines or scale steps than this in one direction of a sheet come from levels or
// chainages read wrongly, or scales far from any plot: 100000 steps of 10 are a kilometre of
// paper.
constexpr double kMostSteps = 100000;

Point at(double x, double y) {
    return {x, y, 0};
}

void line(GroundSheetDrawing& s, const Point& a, const Point& b) {
    s.drawing.modelSpace().addLine(a, b);
}

// Runs `step` for from, from + 10, ... up to `to` on a single-precision counter, as the sheet's
// loops count; stops where the counter grows too large to move on by 10.
void forEveryTen(const GroundSheetDrawing& s, float from, float to,
                 const std::function<void(float)>& step) {
    if ((static_cast<double>(to) - from) / 10 > kMostSteps) {
        throw HostError("A sheet of branch " + s.branch.name + " would need more than " +
                        generalForm(kMostSteps) + " grid lines from " + generalForm(from) + " to " +
                        generalForm(to) + ": check its levels and the scales");
    }
    for (float v = from; v <= to;) {
        step(v);
        const float next = v + 10;
        if (next == v) break;
        v = next;
    }
}

void headingText(GroundSheetDrawing& s, const std::string& text, const Point& p, int alignment) {
    CadText& t = s.drawing.modelSpace().addText(text, p, kHeadingTextHeight);
    t.setAlignment(alignment);
    t.setTextAlignmentPoint(p);
}

// The pattern of the three label rows: a tick per point (down to the row line, or across it when
// tickAcross), and the point's label upright in the middle of the row when the point lies more
// than the text size box's number across from the point before. The first point of the sheet
// is always labelled.
void drawLabelRow(GroundSheetDrawing& s, double yBase, bool tickAcross, double previousX,
                  const std::function<std::string(int)>& labelOf) {
    CadBlock& space = s.drawing.modelSpace();
    for (int i = s.firstIndex; i <= s.lastIndex; ++i) {
        const double xi = s.frame.x(s.branch.chainages[i]);
        line(s, at(xi, yBase + kTickHalf), at(xi, tickAcross ? yBase - kTickHalf : yBase));
        if (xi - previousX > s.labelSpacing) {
            placeText(space, at(xi, yBase + s.rowHeight / 2), kVerticalMiddle, kHorizontalCenter,
                      labelOf(i), s.halfTurn / 2, s.textSize);
        }
        previousX = xi;
    }
}

}  // namespace

void drawGroundSheet(GroundSheetDrawing& s) {
    s.extents = computeSheetExtents(s.branch, s.firstIndex, s.lastIndex, s.frame);
    drawGroundLine(s);
    layerset(s.drawing, "Rem1", kColorWhite);
    drawTableHeadings(s);
    drawTableRows(s);
    drawFrameAndScale(s);
    drawGrid(s);
    s.host.update();
}

void drawGroundLine(GroundSheetDrawing& s) {
    layerset(s.drawing, "GL", 3);
    std::vector<double> xy;
    for (int i = s.firstIndex; i <= s.lastIndex; ++i) {
        xy.push_back(s.frame.x(s.branch.chainages[i]));
        xy.push_back(s.frame.y(s.branch.levels[i]));
    }
    if (xy.size() >= 4) s.drawing.modelSpace().addLightWeightPolyline(xy);
}

void drawTableHeadings(GroundSheetDrawing& s) {
    layerset(s.drawing, "Format", kColorWhite);
    s.rowHeight = 10;
    const float w = SheetExtents::kHeadingWidth;
    const float x = s.extents.xLeft;
    const float y = s.extents.yBottom;
    drawTableRowHeading(s, x, y, 10, w, "Description", "", true);
    drawTableRowHeading(s, x, y - 10, 10, w, "Existing GL", "Level (m)", true);
    drawTableRowHeading(s, x, y - 20, 14, w, "Chainage", "(Km)", false);
    s.rowHeight = 14;
}

void drawTableRowHeading(GroundSheetDrawing& s, float x, float y, float h, float w,
                         const std::string& caption, const std::string& unit, bool topLine) {
    const float left = x - w;
    const float bottom = y - h;
    line(s, at(x, y), at(left, y));
    line(s, at(left, bottom), at(left, y));
    line(s, at(left, bottom), at(x, bottom));
    line(s, at(x, y), at(x, bottom));

    const Point p = at(x - w / 2, y - h / 2);
    if (unit.empty()) {
        headingText(s, caption, p, kAlignCenter);
    } else {
        headingText(s, caption, p, kAlignBottomCenter);
        headingText(s, unit, at(p.x, p.y - 1), kAlignTopCenter);
    }

    const SheetExtents& e = s.extents;
    if (topLine) line(s, at(e.xLeft, e.yBottom), at(e.xRight, e.yBottom));
    line(s, at(e.xLeft, bottom), at(e.xRight, bottom));
    line(s, at(e.xRight, y), at(e.xRight, bottom));
}

void drawTableRows(GroundSheetDrawing& s) {
    const float yBottom = s.extents.yBottom;
    s.rowHeight = 10;
    drawDescriptionRow(s, yBottom - 10);
    s.host.update();
    drawLevelRow(s, yBottom - 20);
    s.host.update();
    s.rowHeight = 14;
    drawChainageRow(s, yBottom - 3 * 10 - (14 - 10));
    s.host.update();
}

void drawDescriptionRow(GroundSheetDrawing& s, double yBase) {
    drawLabelRow(s, yBase, true, -12345678, [&](int i) { return s.branch.labels[i]; });
}

void drawLevelRow(GroundSheetDrawing& s, double yBase) {
    drawLabelRow(s, yBase, true, -12345678,
                 [&](int i) { return formatPicture(s.branch.levels[i], "#00.000"); });
}

void drawChainageRow(GroundSheetDrawing& s, double yBase) {
    layerset(s.drawing, "Chainage");
    drawLabelRow(s, yBase, false, -123456789,
                 [&](int i) { return formatPicture(s.branch.chainages[i], "#0+000.00"); });
}

void drawFrameAndScale(GroundSheetDrawing& s) {
    const SheetExtents& e = s.extents;
    CadBlock& space = s.drawing.modelSpace();
    line(s, at(e.xLeft, e.yBottom), at(e.xLeft, e.yTop));
    line(s, at(e.xRight, e.yBottom), at(e.xRight, e.yTop));
    const auto figure = [](float level) {
        return formatPicture(roundHalfEven(level * 100.0) / 100, "#0.0");
    };
    forEveryTen(s, e.levelBottom + 10, e.levelTop, [&](float level) {
        const double y = s.frame.y(level);
        line(s, at(e.xLeft, y), at(e.xLeft - 1.5, y));
        placeText(space, at(e.xLeft - 2.25, y), kVerticalMiddle, kHorizontalRight, figure(level), 0,
                  s.textSize);
    });
    forEveryTen(s, e.levelBottom + 10, e.levelTop, [&](float level) {
        const double y = s.frame.y(level);
        line(s, at(e.xRight, y), at(e.xRight + 1.5, y));
        placeText(space, at(e.xRight + 2, y), kVerticalMiddle, kHorizontalLeft, figure(level), 0,
                  s.textSize);
    });
}

void drawGrid(GroundSheetDrawing& s) {
    layerset(s.drawing, "Grid", 8);
    const SheetExtents& e = s.extents;
    const double gridBottom = s.frame.y(e.levelBottom + 10);
    const double gridTop = s.frame.y(e.levelTop);
    forEveryTen(s, e.xLeft + SheetExtents::kMargin, e.xRight, [&](float x) {
        line(s, at(x, gridBottom), at(x, gridTop));
        s.host.update();
    });
    forEveryTen(s, e.levelBottom + 10, e.levelTop, [&](float level) {
        const double y = s.frame.y(level);
        line(s, at(e.xLeft, y), at(e.xRight, y));
        s.host.update();
    });
}

}  // namespace plovis
