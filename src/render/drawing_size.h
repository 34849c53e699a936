#pragma once
// How many entities a drawing shows with its block references opened up, counted before anything
// is painted. Blocks nested eight deep, ten references each, hold a billion lines in a file of a
// few kilobytes; a picture of that is refused instead of filling memory for minutes.

#include <string>

#include "hosts/cad_drawing.h"
#include "hosts/drawing_sheets.h"

namespace plovis {

struct DrawingSize {
    double entities = 0;       // every entity model space shows, blocks opened up, attributes too
    int deepestNesting = 0;    // of block references inside block references (0: none)
    std::string largestBlock;  // the block whose references in model space open up the most
};

// Counts as the walk of model space opens blocks: at most 64 deep (deeper ones show nothing), so
// a block that refers to itself counts 64 times over. Each block is counted once for each depth
// it is met at, so the count takes time in the blocks, not in what they open up to.
DrawingSize drawingSize(const Drawing& drawing);

// Throws DrawingTooLarge naming the file and the largest block when the drawing shows more
// entities than the limit, or, rendered by sheets, has more sheets.
void checkDrawingToRender(const Drawing& drawing, const std::string& file, bool bySheets,
                          const DrawingLimits& limits);

}  // namespace plovis
