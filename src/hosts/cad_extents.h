#pragma once
// The extent of a drawing: the box around what model space shows. DXF headers carry it (so CAD
// programs open the drawing zoomed to it) and the renderer fits it onto the page. Texts are
// measured by an estimate of their width, as exact widths depend on the font that shows them.

#include <array>
#include <limits>
#include <memory>
#include <string_view>

#include "hosts/cad_drawing.h"
#include "hosts/cad_transform.h"

namespace plovis {

struct Extents {
    double minX = std::numeric_limits<double>::infinity();
    double minY = std::numeric_limits<double>::infinity();
    double maxX = -std::numeric_limits<double>::infinity();
    double maxY = -std::numeric_limits<double>::infinity();

    bool empty() const { return minX > maxX; }
    double width() const { return empty() ? 0 : maxX - minX; }
    double height() const { return empty() ? 0 : maxY - minY; }
    void add(const Point& p);
};

// The estimated width of a text in drawing units: an average character of a simplex CAD font is
// about 0.8 of the text height wide.
double estimatedTextWidth(std::string_view text, double height, double widthFactor);

// The four corners of the estimated box of a text, in the coordinates the text is given in.
std::array<Point, 4> estimatedTextBox(const CadTextProperties& text);

// Where the estimated text starts on its baseline: the first alignment point of a DXF text, which
// CAD programs recompute from the alignment point of aligned text.
Point estimatedBaselineStart(const CadTextProperties& text);

// The extent of model space (empty for a drawing that shows nothing).
Extents modelSpaceExtents(const Drawing& drawing);

class Measure;

// The boxes of model-space entities one by one (each block measured once), to find the entities
// a sheet of paper shows. Layers are not looked at: an entity on a layer that is off has a box.
class EntityMeasure {
  public:
    explicit EntityMeasure(const Drawing& drawing);
    ~EntityMeasure();
    EntityMeasure(const EntityMeasure&) = delete;
    EntityMeasure& operator=(const EntityMeasure&) = delete;
    Extents of(const CadEntity& entity);

  private:
    std::unique_ptr<Measure> measure_;
};

}  // namespace plovis
