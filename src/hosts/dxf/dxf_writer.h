#pragma once
// Writes a drawing as DXF R2000 (AC1015), the oldest version every current CAD program opens with
// its layers, line types, text styles, blocks and attributes intact.

#include "hosts/cad_drawing.h"
#include "hosts/dxf/dxf_tag_writer.h"

namespace plovis {

// The whole file: HEADER (units: millimetres, metric), CLASSES, TABLES, BLOCKS, ENTITIES
// (model space; erased entities left out), OBJECTS, EOF.
void writeDxf(const Drawing& drawing, DxfTagWriter& out);

}  // namespace plovis
