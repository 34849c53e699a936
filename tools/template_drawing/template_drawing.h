#pragma once
// PLOVIS's template drawing: the blocks the profile and schematic drawings insert by name. The
// generator saves it as data/Pipe-des-blank.dxf; the drawing commands bring its blocks into their
// drawing by inserting that file.

#include <memory>

#include "hosts/cad_drawing.h"

namespace plovis::templates {

// The whole template: the "romans" text style and every block, model space empty.
std::unique_ptr<Drawing> makeTemplateDrawing();

// The parts, each adding its blocks to the drawing (in the current layer "0" and text style).
void addSheetBlocks(Drawing& d);     // "ini-format", "conl", "a4_paper"
void addProfileSymbols(Drawing& d);  // "IN", "CC", "SD", "RT", "BPC", "TAP", "AV", "WO", "DC", "JN"
void addSchematicSymbols(Drawing& d);  // "INTAKE", "INTAKE_CC", "CC1", "RVT", "JNO", "TNO"

// Drawing helpers shared by the parts.
void rectangle(CadBlock& b, double x0, double y0, double x1, double y1);
void polyline(CadBlock& b, std::initializer_list<double> xy, bool closed = false);
// A filled-looking arrowhead: a closed triangle with its tip at (x, y), pointing along angle
// (radians), 1 unit long.
void arrowhead(CadBlock& b, double x, double y, double angle);
CadText& label(CadBlock& b, const std::string& text, double x, double y, double height,
               TextAlignment alignment);

}  // namespace plovis::templates
