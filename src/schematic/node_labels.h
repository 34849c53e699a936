#pragma once
// Keeping node labels clear of the strokes: a label written to the right of its node that a stroke
// runs through (a stretch leaving up to the right, or one reaching the node from there) is moved
// to the same place on the node's left, when no stroke runs through it there.

#include "hosts/cad_block.h"

namespace plovis {

// Looks at every block reference of the space whose first attribute is written to the right of
// its insertion point (the node symbols) against every line of the space (the strokes).
void clearNodeLabels(CadBlock& space);

}  // namespace plovis
