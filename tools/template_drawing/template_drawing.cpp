#include "template_drawing.h"

#include <cmath>
#include <vector>

namespace plovis::templates {

std::unique_ptr<Drawing> makeTemplateDrawing() {
    auto d = std::make_unique<Drawing>("Pipe-des-blank.dxf");
    CadTextStyle& romans = d->textStyles().add("romans");
    romans.setFontFile("romans.shx");
    d->setActiveTextStyle(romans);
    addSheetBlocks(*d);
    addProfileSymbols(*d);
    addSchematicSymbols(*d);
    return d;
}

void rectangle(CadBlock& b, double x0, double y0, double x1, double y1) {
    polyline(b, {x0, y0, x1, y0, x1, y1, x0, y1}, true);
}

void polyline(CadBlock& b, std::initializer_list<double> xy, bool closed) {
    const std::vector<double> coordinates(xy);
    b.addLightWeightPolyline(coordinates).setClosed(closed);
}

void arrowhead(CadBlock& b, double x, double y, double angle) {
    const double back = 1.0, half = 0.35;
    const double c = std::cos(angle), s = std::sin(angle);
    const double bx = x - back * c, by = y - back * s;
    polyline(b, {x, y, bx - half * s, by + half * c, bx + half * s, by - half * c}, true);
}

CadText& label(CadBlock& b, const std::string& text, double x, double y, double height,
               TextAlignment alignment) {
    CadText& t = b.addText(text, {x, y, 0}, height);
    if (alignment != TextAlignment::Left) {
        t.setAlignment(alignment);
        t.setTextAlignmentPoint({x, y, 0});
    }
    return t;
}

}  // namespace plovis::templates
