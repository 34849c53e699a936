// The annotation of a profile sheet: table ticks, node markers, the figures of the data table,
// the runs of flow, pipe and soil, structure codes, titles, the A4 frame and structure symbols.
#include <functional>

#include "common/number_format.h"
#include "design/scheme_input.h"
#include "hosts/place_text.h"
#include "profile/profile_runs.h"
#include "profile/profile_sheet.h"
#include "profile/profile_texts.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

constexpr double kQuarterTurn = 1.570796327;  // upright figures read upwards

struct Annotator {
    ProfileDrawing& p;
    const SheetDrawing& s;
    const ProfileState& st = p.state;
    const double y0 = p.state.settings.originY;
    const double h = p.state.settings.smallTextHeight;

    CadBlock& space() const { return *p.cad.modelSpace; }
    double off(int r) const { return st.settings.tableRowOffsets[r]; }
    const std::vector<double>& x() const { return s.nodes.x; }
    int m() const { return s.nodes.count; }

    void line(double x1, double y1, double x2, double y2) const {
        space().addLine({x1, y1, 0}, {x2, y2, 0});
    }

    // An upright figure of a table row, reading upwards from half a text height above the row's
    // lower line.
    void upright(double atX, int row, const std::string& text) const {
        placeText(space(), {atX, y0 - off(row + 1) + h / 2, 0}, 2, 0, text, kQuarterTurn, h);
    }

    // Figures along the ground points, skipping a point not more than a text height beyond the
    // last figure written, so the figures never overlap.
    void thinned(int row, const std::function<std::string(std::size_t)>& figure) const {
        double lastX = 0;
        for (std::size_t k = 0; k < s.ground.size(); ++k) {
            if (!(s.groundX(k) - lastX > h)) continue;
            upright(s.groundX(k), row, figure(k));
            lastX = s.groundX(k);
        }
    }
};

// A tick on table line r at X. Lines 2, 3 and 5 carry the upright figures of the rows above them
// on the same X: there the tick stays below its line, or it would read as a minus sign before the
// figure.
void tick(const Annotator& a, double atX, int r) {
    const double y = a.y0 - a.off(r);
    a.line(atX, y - 0.5, atX, r == 4 ? y + 0.5 : y);
}

void drawTicks(const Annotator& a) {
    if (a.s.ground.empty()) {
        for (int k = 0; k < a.m(); ++k) {
            for (int r = 2; r <= 5; ++r)
                tick(a, a.x()[k], r);
        }
        return;
    }
    for (std::size_t k = 0; k + 1 < a.s.ground.size(); ++k) {
        for (int r = 2; r <= 3; ++r)
            tick(a, a.s.groundX(k), r);
    }
}

void drawNodeMarkers(const Annotator& a) {
    constexpr double kLarge = 3.0;
    for (int k = 0; k <= a.m(); ++k) {
        const double o = k % 2 == 0 ? 2 * kLarge : 4 * kLarge + 1;  // staggered 6, 13, 6, ...
        const double nx = a.x()[k];
        a.line(nx, a.y0 - 0.5, nx, a.y0 + o);
        a.space().addCircle({nx, a.y0 + o + kLarge, 0}, kLarge);
        placeText(a.space(), {nx, a.y0 + o + kLarge, 0}, 2, 1, a.s.nodes.names[k], 0, a.h);
        a.line(nx, a.y0 + o + 2 * kLarge, nx, a.s.nodes.groundY[k]);
    }
}

void drawGroundLevels(const Annotator& a) {
    if (a.s.ground.empty()) {
        for (int k = 0; k <= a.m(); ++k) {
            a.upright(a.x()[k], 1, formatPicture(a.s.nodes.ground[k], "####0.0"));
        }
        return;
    }
    a.thinned(1, [&](std::size_t k) { return formatPicture(a.s.ground[k].level, "####0.0"); });
}

void drawResidualHeads(const Annotator& a) {
    const DesignColumns& c = a.st.table.columns;
    for (int k = 0; k <= a.m(); ++k) {
        const double hgl = k == 0
                               ? designNumber(c.startHgl[a.s.first], "hydraulic grade level")
                               : designNumber(c.endHgl[a.s.first + k - 1], "hydraulic grade level");
        a.upright(a.x()[k], 4, formatPicture(hgl - a.s.nodes.ground[k], "####0.0"));
    }
}

void drawChainages(const Annotator& a, double& carried) {
    if (a.s.ground.empty()) {
        for (int k = 0; k <= a.m(); ++k) {
            a.upright(a.x()[k], 2, formatPicture(carried + a.s.nodes.chainage[k], "####0"));
        }
        carried += a.s.nodes.chainage[a.m()];
        return;
    }
    std::vector<double> running;
    double sum = carried;
    for (std::size_t k = 0; k < a.s.ground.size(); ++k) {
        if (k > 0) sum += a.s.ground[k].distance;
        running.push_back(sum);
    }
    a.thinned(2, [&](std::size_t k) { return formatPicture(running[k], "####0"); });
    carried = sum;
}

void drawSectionLengths(const Annotator& a) {
    for (int k = 1; k <= a.m(); ++k) {
        placeText(a.space(), {(a.x()[k - 1] + a.x()[k]) / 2, a.y0 - 24 + a.h, 0}, 1, 1,
                  formatPicture(a.s.nodes.sectionLengths[k], "####0"), 0, a.h);
        a.line(a.x()[k], a.y0 - 24, a.x()[k], a.y0 - 18);
    }
    a.line(a.x()[0], a.y0 - 44, a.x()[0], a.y0 - 32);
    a.line(a.x()[0], a.y0 - 24, a.x()[0], a.y0 - 18);
}

// writedis, writeptype and writesoil: the run's text centred in its table row and a separator
// where the run ends.
void writeRun(const Annotator& a, int row, double startX, double endX, const std::string& text) {
    placeText(a.space(), {(startX + endX) / 2, a.y0 - a.off(row + 1) + a.h, 0}, 1, 1, text, 0, a.h);
    a.line(endX, a.y0 - a.off(row + 1), endX, a.y0 - a.off(row));
}

void drawRuns(const Annotator& a, int row, const std::vector<CellValue>& values,
              const std::function<std::string(const CellValue&)>& text, bool closeAtEnd) {
    const int first = a.s.first;
    const auto differs = [&](int k) {
        return !sameDesignValue(values[first + k + 1], values[first + k]);
    };
    for (const SheetRun& run : sheetRuns(a.m(), differs, a.x(), closeAtEnd)) {
        // The final run takes its text from the row after the sheet, which holds the same value.
        const int textRow = run.closedInPass ? first + run.lastSection : a.s.last + 1;
        writeRun(a, row, a.x()[run.startNode], a.x()[run.endNode], text(values[textRow]));
    }
}

void drawTableRuns(const Annotator& a) {
    const DesignColumns& c = a.st.table.columns;
    drawRuns(
        a, 5, c.flow,
        [](const CellValue& v) { return formatPicture(designNumber(v, "flow"), "##0.00"); }, true);
    // The pipe texts of the sheet's rows; the row after the sheet has none, so the last run
    // always closes inside the pass.
    std::vector<CellValue> pipes(c.flow.size());
    for (int i = a.s.first; i <= a.s.last; ++i)
        pipes[i] = pipeText(c, i);
    drawRuns(
        a, 6, pipes, [](const CellValue& v) { return cellText(v); }, false);
    drawRuns(
        a, 7, c.soil, [](const CellValue& v) { return cellText(v); }, true);
}

// The structure code above every node that has one, the sheet's last node included.
void drawStructureCodes(const Annotator& a) {
    for (int k = 0; k <= a.m(); ++k) {
        const std::string code = cellText(a.s.nodes.structures[k]);
        if (code.empty()) continue;
        placeText(a.space(), {a.x()[k], a.y0 + 20, 0}, 1, 0, code, kQuarterTurn, a.h);
    }
}

void drawTitles(const Annotator& a) {
    const bool newSheet = a.st.cursor.newSheet == 1;
    const double left = a.x()[0] - (newSheet ? 38 : 5);
    placeText(a.space(), {left, a.y0 - 55, 0}, 1, 0, a.st.branchTitles[a.st.cursor.branch], 0,
              2 * a.h);
    DesignContext design{a.p.spreadsheet, a.p.ui};
    placeText(a.space(), {left, a.y0 - 58, 0}, 1, 0,
              sheetTitleLine(a.p.sheetNumber, a.p.sheetCount, schemeTitle(design)), 0, a.h);
    if (newSheet) {
        placeText(a.space(), {a.x()[0] + a.st.settings.paperWidth, a.y0 - 58, 0}, 1, 2,
                  scaleText(a.st.settings.hScale, a.st.settings.vScale), 0, a.h);
    }
    if (a.st.settings.paper == Paper::A4 && newSheet) {
        a.space().insertBlock({a.x()[0] - 45, a.y0 - 75, 0}, "a4_paper", 1, 1, 1, 0);
    }
}

// insertblk at every node whose label names a structure.
void drawStructureSymbols(const Annotator& a) {
    for (int k = 0; k <= a.m(); ++k) {
        const std::string block = structureBlock(a.s.nodes.names[k]);
        if (block.empty()) continue;
        a.space().insertBlock({a.x()[k], a.s.nodes.groundY[k], 0}, block, 1, 1, 1, 0);
    }
}

}  // namespace

void drawSheetAnnotation(ProfileDrawing& p, const SheetDrawing& s) {
    const Annotator a{p, s};
    drawTicks(a);
    drawNodeMarkers(a);
    drawGroundLevels(a);
    drawResidualHeads(a);
    drawChainages(a, p.state.cursor.carriedChainage);
    drawSectionLengths(a);
    drawTableRuns(a);
    drawStructureCodes(a);
    drawTitles(a);
    drawStructureSymbols(a);
}

}  // namespace plovis
