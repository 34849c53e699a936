#pragma once
// Walks what model space shows, block references opened up: each entity with the placement that
// carries it to drawing coordinates and the layer, colour and line type it shows with. The
// renderer paints what the walk gives; the extent of a drawing is measured over the same walk.

#include <functional>

#include "hosts/cad_drawing.h"
#include "hosts/cad_transform.h"

namespace plovis {

// How an entity shows: inside a block, an entity on layer "0" takes the reference's layer,
// colour "by block" takes the reference's colour and line type "ByBlock" its line type; "by layer"
// then takes the layer's.
struct ShownStyle {
    const CadLayer* layer = nullptr;
    int color = kColorWhite;                // 1 to 255
    const CadLinetype* linetype = nullptr;  // nullptr: continuous
};

struct WalkVisitor {
    // Every shown entity except block references (whose contents are walked instead) and the
    // attribute definitions of blocks (their references' attributes show instead).
    std::function<void(const CadEntity&, const Transform2D&, const ShownStyle&)> entity;
    // Every visible attribute of a shown block reference.
    std::function<void(const CadAttribute&, const Transform2D&, const ShownStyle&)> attribute;
    // Called before a reference's block is walked, with the placement of the block's contents;
    // false skips them (the visitor dealt with them itself). None: every block is walked.
    std::function<bool(const CadBlock&, const Transform2D&, const ShownStyle&)> block;
};

// Entities on layers that are off or frozen are left out; a reference on a frozen layer hides its
// whole block. A block missing from the drawing, or nested deeper than 64 levels, shows nothing.
void walkModelSpace(const Drawing& drawing, const WalkVisitor& visitor);

// The contents of one block as a reference with style `outer` placed by t shows them.
void walkBlock(const Drawing& drawing, const CadBlock& block, const Transform2D& t,
               const ShownStyle& outer, const WalkVisitor& visitor);

}  // namespace plovis
