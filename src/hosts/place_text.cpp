#include "hosts/place_text.h"

namespace plovis {

CadText& placeText(CadBlock& space, const Point& point, int verticalAlignment,
                   int horizontalAlignment, const std::string& text, double rotation,
                   double height) {
    CadText& t = space.addText(text, point, height);
    t.setVerticalAlignment(verticalAlignment);
    t.setHorizontalAlignment(horizontalAlignment);
    // A baseline-left text stands on its insertion point and has no alignment point to set.
    if (!t.baselineLeft()) t.setTextAlignmentPoint(point);
    t.setRotation(rotation);
    return t;
}

}  // namespace plovis
