#include "profile/profile_paper.h"

#include <algorithm>

#include "hosts/cad_drawing.h"

namespace plovis {
namespace {

constexpr double kPaperLeftOfFirstNode = 45;  // the A4 frame's corner
constexpr double kPaperBelowTable = 75;
// The drawing area plus the margins the A4 frame leaves around it: 45 left, 22 right.
constexpr double kMarginsAcross = 67;

}  // namespace

PaperSize profilePaper(const ProfileSettings& settings) {
    switch (settings.paper) {
        case Paper::A1:
            return *isoPaper("A1");
        case Paper::A2:
            return *isoPaper("A2");
        case Paper::A3:
            return *isoPaper("A3");
        case Paper::A4:
            break;
    }
    return *isoPaper("A4");
}

DrawingSheet profilePaperSheet(const ProfileSettings& settings, double firstNodeX) {
    DrawingSheet sheet;
    sheet.paper = profilePaper(settings);
    const double slack = std::max(0.0, sheet.paper.widthMm - settings.paperWidth - kMarginsAcross);
    sheet.minX = firstNodeX - kPaperLeftOfFirstNode - slack / 2;
    sheet.minY = settings.originY - kPaperBelowTable;
    return sheet;
}

void startProfilePaper(ProfileState& state, Drawing& drawing, int sheetNumber) {
    SheetCursor& cursor = state.cursor;
    const double firstNodeX = cursor.originX + kFirstNodeOffset;
    const DrawingSheet at = profilePaperSheet(state.settings, firstNodeX);
    if (at.minX < cursor.paperRight) cursor.originX += cursor.paperRight - at.minX;
    const DrawingSheet paper = profilePaperSheet(state.settings, cursor.originX + kFirstNodeOffset);
    const std::string& title = state.branchTitles[cursor.branch];
    drawing.sheets().add(std::string(title) + " " + std::to_string(sheetNumber), paper.paper,
                         paper.minX, paper.minY);
    cursor.paperRight = paper.maxX();
}

}  // namespace plovis
