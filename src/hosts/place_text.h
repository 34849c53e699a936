#pragma once
// placeText: how every drawing writes a text, with the host's alignment codes.

#include <string>

#include "hosts/cad_block.h"

namespace plovis {

// The text added at the point with the height, then its vertical alignment (0 baseline, 1 bottom,
// 2 middle), its horizontal alignment (0 left, 1 centre, 2 right), its alignment point (the same
// point) and its rotation in radians. Codes outside the host's ranges are a HostError.
CadText& placeText(CadBlock& space, const Point& point, int verticalAlignment,
                   int horizontalAlignment, const std::string& text, double rotation,
                   double height);

}  // namespace plovis
