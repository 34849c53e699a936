#pragma once
// A container of entities: model space, or the definition of a block. Routines add entities with
// the host's operations; each new entity takes the drawing's current layer (and texts its current
// text style), and the returned handle stays valid for the drawing's lifetime.

#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/cad_entities.h"

namespace plovis {

class Drawing;

// The name model space has among the drawing's blocks.
inline constexpr std::string_view kModelSpaceName = "*Model_Space";

class CadBlock {
  public:
    CadBlock(Drawing& drawing, std::string name, const Point& origin);
    CadBlock(const CadBlock&) = delete;
    CadBlock& operator=(const CadBlock&) = delete;

    const std::string& name() const { return name_; }
    // The base point: block coordinates that land on a reference's insertion point.
    Point origin() const { return origin_; }
    bool isModelSpace() const;
    Drawing& drawing() const { return drawing_; }

    CadLine& addLine(const Point& start, const Point& end);
    CadCircle& addCircle(const Point& center, double radius);
    CadArc& addArc(const Point& center, double radius, double startAngle, double endAngle);
    // The text at its insertion point; the caller then sets its alignment, alignment point and
    // rotation.
    CadText& addText(std::string text, const Point& insertion, double height);
    // xy: the x and y of each vertex in turn (an even count, at least two vertices).
    CadPolyline& addLightWeightPolyline(std::span<const double> xy);
    // An attribute definition (normally in a block definition): its mode flags (AttributeMode),
    // the prompt shown when a reference is made, its tag and its default value.
    CadAttributeDefinition& addAttribute(double height, int mode, std::string prompt,
                                         const Point& insertion, std::string tag,
                                         std::string value);
    // A reference of the block named nameOrFile, or of a drawing file when nameOrFile is a path
    // (it ends in .dwg or .dxf, or holds a folder): the file's block definitions come into the
    // drawing, its model space becomes a block named after the file, and the reference is to
    // that block. A .dwg path is read from the .dxf file of the same name beside it. Rotation is
    // in radians. The reference gets an attribute for every attribute definition of the block
    // that is not constant, in their order, placed as the definition is placed within the block.
    // HostError for an unknown block, a missing or unreadable file, or a zero scale.
    CadBlockReference& insertBlock(const Point& at, std::string_view nameOrFile, double xScale,
                                   double yScale, double zScale, double rotation);

    // Adds an entity made elsewhere (a drawing file reader, a copy) and returns it.
    CadEntity& add(std::unique_ptr<CadEntity> entity);

    // The entities not erased, in the order they were added.
    std::vector<CadEntity*> entities() const;
    std::size_t count() const { return items_.size() - erased_; }
    // Every entity ever added, erased ones included (check erased()).
    const std::vector<std::unique_ptr<CadEntity>>& items() const { return items_; }

    // Called by an entity of this block as it is erased.
    void noteErased();

  private:
    EntityStyle currentStyle() const;
    template <class T>
    T& keep(std::unique_ptr<T> entity);

    Drawing& drawing_;
    std::string name_;
    Point origin_;
    std::vector<std::unique_ptr<CadEntity>> items_;
    std::size_t erased_ = 0;
};

// True when nameOrFile names a drawing file rather than a block: it ends in .dwg or .dxf
// (ignoring case) or holds a folder separator.
bool namesDrawingFile(std::string_view nameOrFile);

}  // namespace plovis
