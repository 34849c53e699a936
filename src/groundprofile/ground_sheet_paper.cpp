#include "groundprofile/ground_sheet_paper.h"

#include <algorithm>

#include "hosts/cad_extents.h"

namespace plovis {
namespace {

constexpr double kPaperMargin = 5;  // around what the sheet draws: what printers leave blank
constexpr double kTableDepth = 34;  // the three table rows under the frame
constexpr double kFigureGap = 2;    // between the frame and its right-hand level figures

}  // namespace

DrawingSheet groundSheetPaper(const SheetExtents& e, double textSize, double plotLength,
                              const std::string& name) {
    // The widest level figure ("1290.0") stands right of the frame.
    const double figures = estimatedTextWidth("00000.0", textSize, 1);
    const double left = e.xLeft - SheetExtents::kHeadingWidth;
    const double right = e.xRight + kFigureGap + figures;
    const double bottom = e.yBottom - kTableDepth;
    const double top = e.yTop + textSize / 2;
    const double fullWidth =
        plotLength + 2 * SheetExtents::kMargin + SheetExtents::kHeadingWidth + kFigureGap + figures;
    const PaperSize least = paperFitting(fullWidth + 2 * kPaperMargin, 0);
    DrawingSheet sheet;
    sheet.name = name;
    sheet.paper = paperFitting(right - left + 2 * kPaperMargin, top - bottom + 2 * kPaperMargin,
                               least.name == "Custom" ? "A0" : least.name);
    sheet.minX = (left + right - sheet.paper.widthMm) / 2;
    sheet.minY = (bottom + top - sheet.paper.heightMm) / 2;
    return sheet;
}

}  // namespace plovis
