#pragma once
// What one sheet of paper shows: a drawing holding only the model-space entities whose boxes
// reach into the sheet, with the blocks, layers, line types and text styles they use. Pages are
// painted from these views, so a set of sheets costs about what the whole drawing costs, however
// many sheets there are.

#include <memory>
#include <vector>

#include "hosts/cad_drawing.h"

namespace plovis {

class SheetViews {
  public:
    // Sorts every entity of model space to the sheets its box reaches (one pass).
    explicit SheetViews(const Drawing& drawing);
    // The view of sheet i of the drawing's sheet list, made when asked.
    std::unique_ptr<Drawing> view(std::size_t i) const;

  private:
    const Drawing& drawing_;
    std::vector<std::vector<const CadEntity*>> shown_;  // per sheet, in drawing order
};

}  // namespace plovis
