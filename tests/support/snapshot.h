#pragma once
// Golden snapshots of drawings: a compact text of the model space (a line per entity, coordinates
// rounded to 3 decimals) compared with a reviewed file tests/<folder>/golden/<name>.txt.
//
// On a mismatch the test fails with a diff and writes the actual text beside the expected file as
// <name>.actual. PLOVIS_UPDATE_GOLDEN=1 rewrites the expected files instead; review the change
// (render it with tools/snapshot_dxf.py and `plovis render`) before committing it.

#include <string>

#include "hosts/cad_drawing.h"

namespace plovis::test {

// The model space as text: LINE, CIRCLE, ARC, PLINE, TEXT and INSERT lines, each reference's
// attributes indented below it.
std::string drawingSnapshot(const Drawing& d);

// Compares `actual` with tests/<folder>/golden/<name>.txt (a non-fatal failure when they differ).
void expectGolden(const std::string& actual, const std::string& folder, const std::string& name);

inline void expectGoldenDrawing(const Drawing& d, const std::string& folder,
                                const std::string& name) {
    expectGolden(drawingSnapshot(d), folder, name);
}

}  // namespace plovis::test
