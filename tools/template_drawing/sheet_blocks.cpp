// The blocks of a profile sheet's frame: the table's row headings, the level axis break mark and
// the A4 paper frame.
#include <numbers>

#include "template_drawing.h"

namespace plovis::templates {
namespace {

constexpr double kHeadingWidth = 30;  // the headings stand left of the table's first line
constexpr double kSmallText = 1.5;

// Row headings of the data table: rows between these offsets below the table's top line.
void addIniFormat(Drawing& d) {
    CadBlock& b = d.blocks().add("ini-format", {0, 0, 0});
    const double offsets[] = {0, 10, 18, 24, 32, 38, 44, 50};
    const char* captions[] = {"Ground level (m)", "Chainage (m)", "Length (m)", "Residual head (m)",
                              "Flow (l/s)",       "Pipe",         "Soil"};
    for (double off : offsets)
        b.addLine({-kHeadingWidth, -off, 0}, {0, -off, 0});
    b.addLine({-kHeadingWidth, 0, 0}, {-kHeadingWidth, -50, 0});
    for (int row = 0; row < 7; ++row) {
        const double middle = -(offsets[row] + offsets[row + 1]) / 2;
        label(b, captions[row], -kHeadingWidth + 1.5, middle, kSmallText,
              TextAlignment::MiddleLeft);
    }
    // The level axis caption, reading upwards clear of the axis figures.
    CadText& level = label(b, "Level (m)", -kHeadingWidth + 5, 5, kSmallText, TextAlignment::Left);
    level.setRotation(std::numbers::pi / 2);
}

// A break of the level axis: the axis stops 0.5 below the insertion point and resumes 0.5 above
// it; two parallel strokes mark the gap.
void addConl(Drawing& d) {
    CadBlock& b = d.blocks().add("conl", {0, 0, 0});
    b.addLine({-1.5, -0.9, 0}, {1.5, -0.3, 0});
    b.addLine({-1.5, 0.3, 0}, {1.5, 0.9, 0});
}

// An A4 landscape sheet (297 x 210) with a 5 mm border and a title box in the lower right corner.
// Inserted 45 left of a sheet's first node and 75 below its table's top line, it frames the
// headings, the profile (130 above the table line), the table and the titles.
void addA4Paper(Drawing& d) {
    CadBlock& b = d.blocks().add("a4_paper", {0, 0, 0});
    rectangle(b, 0, 0, 297, 210);
    rectangle(b, 5, 5, 292, 205);
    rectangle(b, 202, 5, 292, 15);
    b.addLine({202, 10, 0}, {292, 10, 0});
    b.addLine({232, 5, 0}, {232, 10, 0});
    b.addLine({262, 5, 0}, {262, 10, 0});
    label(b, "PIPE LINE PROFILE", 247, 12.5, 2.0, TextAlignment::MiddleCenter);
    label(b, "Drawn:", 203, 7.5, 1.2, TextAlignment::MiddleLeft);
    label(b, "Checked:", 233, 7.5, 1.2, TextAlignment::MiddleLeft);
    label(b, "Date:", 263, 7.5, 1.2, TextAlignment::MiddleLeft);
}

}  // namespace

void addSheetBlocks(Drawing& d) {
    addIniFormat(d);
    addConl(d);
    addA4Paper(d);
}

}  // namespace plovis::templates
