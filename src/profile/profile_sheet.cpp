#include "profile/profile_sheet.h"

#include <cmath>

#include "common/number_format.h"
#include "hosts/place_text.h"
#include "profile/profile_paper.h"
#include "profile/profile_runs.h"
#include "profile/profile_texts.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

CadBlock& space(ProfileDrawing& p) {
    return *p.cad.modelSpace;
}

void line(ProfileDrawing& p, double x1, double y1, double x2, double y2) {
    space(p).addLine({x1, y1, 0}, {x2, y2, 0});
}

std::vector<GroundLinePoint> groundLine(ProfileDrawing& p, const std::string& fromLabel,
                                        const std::string& toLabel) {
    const ProfileState& st = p.state;
    return groundLineBetween(p.ground, st.branchTitles[st.cursor.branch], fromLabel, toLabel);
}

void drawGroundLine(ProfileDrawing& p, const SheetDrawing& s) {
    useLayer(*p.cad.document, "GL");
    if (s.ground.empty()) {
        for (int m = 0; m < s.nodes.count; ++m) {
            line(p, s.nodes.x[m], s.nodes.groundY[m], s.nodes.x[m + 1], s.nodes.groundY[m + 1]);
        }
        return;
    }
    for (std::size_t k = 0; k + 1 < s.ground.size(); ++k) {
        line(p, s.groundX(k), s.groundY(k), s.groundX(k + 1), s.groundY(k + 1));
    }
}

void drawGradeLine(ProfileDrawing& p, const SheetDrawing& s) {
    useLayer(*p.cad.document, "HGL");
    // Sections are not joined: a drop of the grade line at a structure shows as a gap.
    for (int m = 0; m < s.nodes.count; ++m) {
        line(p, s.nodes.x[m], s.lines.hglStartY[m], s.nodes.x[m + 1], s.lines.hglEndY[m]);
    }
}

// bpcdetect and nbpcdetect: one run of the static pressure line with its level, and for a run
// closed at a break pressure chamber, intake or collection chamber, the riser where the line
// restarts.
void drawStaticRun(ProfileDrawing& p, const SheetDrawing& s, const SheetRun& run) {
    const ProfileState& st = p.state;
    const int k = run.lastSection;
    const double startX = s.nodes.x[run.startNode];
    const double endX = s.nodes.x[run.endNode];
    const double y = s.lines.splY[k];
    line(p, startX, y, endX, y);
    const double level = designNumber(st.table.columns.staticLevel[s.first + k], "static level");
    placeText(space(p), {(startX + endX) / 2, y + st.settings.smallTextHeight, 0}, 1, 1,
              staticLevelLabel(level), 0, 0.8 * st.settings.smallTextHeight);
    if (!run.closedInPass) return;
    const std::string& next = s.nodes.names[k + 1];
    if (!next.empty() && (next[0] == 'B' || next[0] == 'I' || next[0] == 'C')) {
        line(p, endX, s.lines.splY[k], endX, s.lines.splY[k + 1]);
    }
}

void drawStaticLine(ProfileDrawing& p, const SheetDrawing& s) {
    useLayer(*p.cad.document, "SPL");
    const auto& levels = p.state.table.columns.staticLevel;
    const auto differs = [&](int k) {
        return !sameDesignValue(levels[s.first + k + 1], levels[s.first + k]);
    };
    for (const SheetRun& run : sheetRuns(s.nodes.count, differs, s.nodes.x, true)) {
        drawStaticRun(p, s, run);
    }
}

}  // namespace

SheetDrawing computeSheet(ProfileDrawing& p, const std::string& fromLabel,
                          const std::string& toLabel) {
    ProfileState& st = p.state;
    if (st.settings.hScale == 0 || st.settings.vScale == 0)
        throw ProfileDataError("a drawing scale is 0");
    SheetDrawing s;
    s.first = st.cursor.sheetFirst;
    s.last = st.cursor.sheetLast;
    s.levels = designLevelRange(st.table.columns, s.first, s.last, st.settings.levelInterval);
    s.ground = groundLine(p, fromLabel, toLabel);
    if (!s.ground.empty()) {
        // A sheet with a ground line gets one more interval below and above.
        widenToGroundLine(s.levels, s.ground, st.settings.levelInterval);
    }
    s.frame = sheetFrame(st, s.levels.datum);
    s.nodes = sheetNodes(st, s.first, s.last, s.levels.datum);
    s.breaks = datumBreaks(st, s.nodes, s.first, s.last, s.levels.datum);
    s.lines = sheetLines(st, s.breaks, s.first, s.last);
    return s;
}

void drawSheetLines(ProfileDrawing& p, const SheetDrawing& s) {
    drawGroundLine(p, s);
    drawGradeLine(p, s);
    drawStaticLine(p, s);
}

void drawTableGrid(ProfileDrawing& p, const SheetDrawing& s) {
    const ProfileState& st = p.state;
    const double right = s.nodes.x[s.nodes.count] + 5;
    for (int r = 1; r <= 8; ++r) {
        const double y = st.settings.originY - st.settings.tableRowOffsets[r];
        line(p, st.cursor.originX, y, right, y);
    }
    line(p, st.cursor.originX, st.settings.originY, st.cursor.originX, st.settings.originY - 50);
    line(p, right, st.settings.originY, right, st.settings.originY - 50);
}

void drawLevelAxis(ProfileDrawing& p, const SheetDrawing& s) {
    const ProfileState& st = p.state;
    const DatumBreaks& b = s.breaks;
    const double x = st.cursor.originX;
    const double y0 = st.settings.originY;
    const double iv = st.settings.levelInterval;
    const double up = s.frame.up.mmPerMetre();
    const double range = (s.levels.topLevel - s.levels.bottomLevel) - b.hglBreak - b.splBreak;
    const double yTop = y0 + range * up;
    if (b.hglBreak == 0 && b.splBreak == 0) line(p, x, y0, x, yTop);
    if (b.hglBreak != 0) {
        line(p, x, y0, x, b.groundTopY + 4.5);
        space(p).insertBlock({x, b.groundTopY + 5, 0}, "conl", 1, 1, 1, 0);
    }
    if (b.splBreak != 0) {
        line(p, x, b.hglBreak == 0 ? y0 : b.groundTopY + 5.5, x, b.splBreakY + 4.5);
        space(p).insertBlock({x, b.splBreakY + 5, 0}, "conl", 1, 1, 1, 0);
        line(p, x, b.splBreakY + 5.5, x, yTop);
    }
    if (b.hglBreak != 0 && b.splBreak == 0) line(p, x, b.groundTopY + 5.5, x, yTop);
    for (double v = 0; v <= range; v += iv) {
        line(p, x, y0 + v * up, x - st.settings.tickLength, y0 + v * up);
    }
    const double figureX = x - 2 * st.settings.tickLength;
    placeText(space(p), {figureX, y0 + 0.5, 0}, 0, 2,
              formatPicture(s.levels.bottomLevel, "#####.0"), 0, st.settings.smallTextHeight);
    const bool breaks = b.hglBreak != 0 || b.splBreak != 0;
    for (double v = iv; v <= range; v += iv) {
        const double y = y0 + v * up;
        double level = s.levels.bottomLevel + v;
        if (breaks && y > b.groundTopY) level += b.hglBreak;
        if (breaks && b.splBreak != 0 && y > b.splBreakY) level += b.splBreak;
        placeText(space(p), {figureX, y, 0}, 2, 2, formatPicture(level, "#####.0"), 0,
                  st.settings.smallTextHeight);
    }
}

void drawProfileSheet(ProfileDrawing& p, const std::string& fromLabel, const std::string& toLabel) {
    if (!attachSpreadsheet(p.spreadsheet, p.ui)) return;
    ProfileState& st = p.state;
    st.cursor.originX += st.cursor.newSheet == 1 ? 250 : 20;
    if (st.cursor.newSheet == 1) startProfilePaper(st, *p.cad.document, p.sheetNumber);
    const SheetDrawing s = computeSheet(p, fromLabel, toLabel);
    Drawing& drawing = *p.cad.document;
    if (st.cursor.newSheet == 1) {
        useLayer(drawing, "0");
        space(p).insertBlock({st.cursor.originX, st.settings.originY, 0}, "ini-format", 1, 1, 1, 0);
    }
    drawSheetLines(p, s);
    useLayer(drawing, "0");
    drawTableGrid(p, s);
    drawLevelAxis(p, s);
    drawSheetAnnotation(p, s);
    p.cadHost.update();
    st.cursor.originX = s.nodes.x[s.nodes.count] + 5;
}

}  // namespace plovis
