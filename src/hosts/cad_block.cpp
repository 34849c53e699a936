#include "hosts/cad_block.h"

#include <cmath>

#include "common/text.h"
#include "hosts/cad_drawing.h"
#include "hosts/cad_transform.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

// The attributes a new reference gets: one per attribute definition of the block that is not
// constant, placed where the definition stands, carried by the reference's placement.
void addAttributesFromDefinitions(CadBlockReference& ref, const CadBlock& block) {
    const Transform2D t = insertTransform(ref.insertionPoint(), ref.xScale(), ref.yScale(),
                                          ref.rotation(), block.origin());
    for (const CadEntity* e : block.entities()) {
        const auto* def = entityAs<CadAttributeDefinition>(*e);
        if (!def || (def->mode() & kAttributeConstant)) continue;
        CadAttribute a(ref.style(), def->tagString(), def->textString(),
                       t.apply(def->insertionPoint()), def->height() * t.yScale(), def->styleName(),
                       (def->mode() & kAttributeInvisible) != 0);
        a.setRotation(def->rotation() + t.rotation());
        a.setWidthFactor(def->widthFactor());
        a.setAlignment(def->alignment());
        if (!def->baselineLeft()) a.setTextAlignmentPoint(t.apply(def->textAlignmentPoint()));
        ref.addAttribute(std::move(a));
    }
}

}  // namespace

bool namesDrawingFile(std::string_view nameOrFile) {
    if (nameOrFile.find('/') != std::string_view::npos ||
        nameOrFile.find('\\') != std::string_view::npos) {
        return true;
    }
    if (nameOrFile.size() < 4) return false;
    const auto ext = nameOrFile.substr(nameOrFile.size() - 4);
    return equalsIgnoringCase(ext, ".dwg") || equalsIgnoringCase(ext, ".dxf");
}

CadBlock::CadBlock(Drawing& drawing, std::string name, const Point& origin)
    : drawing_(drawing),
      name_(std::move(name)),
      origin_(checkedPoint(origin, "block base point")) {}

bool CadBlock::isModelSpace() const {
    return name_ == kModelSpaceName;
}

EntityStyle CadBlock::currentStyle() const {
    return EntityStyle{drawing_.activeLayer().name(), kColorByLayer, "ByLayer"};
}

template <class T>
T& CadBlock::keep(std::unique_ptr<T> entity) {
    T& kept = *entity;
    entity->owner_ = this;
    items_.push_back(std::move(entity));
    drawing_.markModified();
    return kept;
}

CadLine& CadBlock::addLine(const Point& start, const Point& end) {
    return keep(std::make_unique<CadLine>(currentStyle(), start, end));
}

CadCircle& CadBlock::addCircle(const Point& center, double radius) {
    return keep(std::make_unique<CadCircle>(currentStyle(), center, radius));
}

CadArc& CadBlock::addArc(const Point& center, double radius, double startAngle, double endAngle) {
    return keep(std::make_unique<CadArc>(currentStyle(), center, radius, startAngle, endAngle));
}

CadText& CadBlock::addText(std::string text, const Point& insertion, double height) {
    return keep(std::make_unique<CadText>(currentStyle(), std::move(text), insertion, height,
                                          drawing_.activeTextStyle().name()));
}

CadPolyline& CadBlock::addLightWeightPolyline(std::span<const double> xy) {
    if (xy.size() < 4 || xy.size() % 2 != 0) {
        throw HostError("A lightweight polyline needs the x and y of at least two vertices; " +
                        std::to_string(xy.size()) + " numbers were given");
    }
    std::vector<PolylineVertex> vertices;
    vertices.reserve(xy.size() / 2);
    for (std::size_t i = 0; i < xy.size(); i += 2)
        vertices.push_back({xy[i], xy[i + 1], 0});
    return keep(std::make_unique<CadPolyline>(currentStyle(), std::move(vertices)));
}

CadAttributeDefinition& CadBlock::addAttribute(double height, int mode, std::string prompt,
                                               const Point& insertion, std::string tag,
                                               std::string value) {
    return keep(std::make_unique<CadAttributeDefinition>(
        currentStyle(), std::move(tag), std::move(prompt), std::move(value), insertion, height,
        drawing_.activeTextStyle().name(), mode));
}

CadBlockReference& CadBlock::insertBlock(const Point& at, std::string_view nameOrFile,
                                         double xScale, double yScale, double zScale,
                                         double rotation) {
    CadBlocks& blocks = drawing_.blocks();
    CadBlock* block = namesDrawingFile(nameOrFile) ? &blocks.importFile(std::string(nameOrFile))
                                                   : blocks.find(nameOrFile);
    if (!block) {
        throw HostError("The block \"" + std::string(nameOrFile) + "\" is not defined in " +
                        drawing_.name());
    }
    if (block == this || blocks.contains(*block, name_)) {
        throw HostError("The block \"" + block->name() + "\" cannot be inserted into itself");
    }
    auto ref = std::make_unique<CadBlockReference>(currentStyle(), block->name(), at, xScale,
                                                   yScale, zScale, rotation);
    addAttributesFromDefinitions(*ref, *block);
    return keep(std::move(ref));
}

CadEntity& CadBlock::add(std::unique_ptr<CadEntity> entity) {
    const EntityStyle& style = entity->style();
    if (!drawing_.layers().find(style.layer)) {
        throw HostError("The layer \"" + style.layer + "\" does not exist in " + drawing_.name());
    }
    if (!drawing_.linetypes().find(style.linetype)) {
        throw HostError("The line type \"" + style.linetype + "\" is not loaded in " +
                        drawing_.name());
    }
    const CadTextProperties* text = entityAs<CadText>(*entity);
    if (!text) text = entityAs<CadAttributeDefinition>(*entity);
    if (text && !drawing_.textStyles().find(text->styleName())) {
        throw HostError("The text style \"" + text->styleName() + "\" does not exist in " +
                        drawing_.name());
    }
    return keep(std::move(entity));
}

std::vector<CadEntity*> CadBlock::entities() const {
    std::vector<CadEntity*> live;
    live.reserve(count());
    for (const auto& e : items_) {
        if (!e->erased()) live.push_back(e.get());
    }
    return live;
}

void CadBlock::noteErased() {
    ++erased_;
    drawing_.markModified();
}

}  // namespace plovis
