#include "hosts/cad_drawing.h"

#include <algorithm>
#include <set>

#include "common/text.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

// A .dwg path names the DXF file of the same name beside it: this platform reads DXF only.
std::filesystem::path readableDrawingPath(const std::filesystem::path& file) {
    std::string text = file.string();
    std::replace(text.begin(), text.end(), '\\', '/');
    std::filesystem::path path(text);
    if (!equalsIgnoringCase(path.extension().string(), ".dwg")) return path;
    std::filesystem::path dxf = path;
    dxf.replace_extension(".dxf");
    if (std::filesystem::exists(dxf)) return dxf;
    if (std::filesystem::exists(path)) {
        throw HostError("The drawing file " + path.string() +
                        " is a DWG file, which cannot be read here; save it as DXF beside it");
    }
    throw HostError("The drawing file " + path.string() + " was not found (nor " +
                    dxf.filename().string() + " beside it)");
}

void copyLinetype(Drawing& target, const Drawing& source, const std::string& name) {
    if (target.linetypes().find(name)) return;
    if (const CadLinetype* lt = source.linetypes().find(name)) target.linetypes().add(*lt);
}

void copyLayer(Drawing& target, const Drawing& source, const std::string& name) {
    if (target.layers().find(name)) return;
    const CadLayer* from = source.layers().find(name);
    CadLayer& to = target.layers().add(name);
    if (!from) return;
    copyLinetype(target, source, from->linetype());
    to.setColor(from->color());
    to.setLinetype(from->linetype());
    to.setOn(from->on());
    to.setFrozen(from->frozen());
    to.setLocked(from->locked());
}

void copyTextStyle(Drawing& target, const Drawing& source, const std::string& name) {
    if (target.textStyles().find(name)) return;
    const CadTextStyle* from = source.textStyles().find(name);
    CadTextStyle& to = target.textStyles().add(name);
    if (!from) return;
    to.setFontFile(from->fontFile());
    to.setBigFontFile(from->bigFontFile());
    to.setHeight(from->height());
    to.setWidthFactor(from->widthFactor());
}

}  // namespace

CadBlock& CadBlocks::add(std::string_view name, const Point& origin) {
    if (CadBlock* existing = find(name)) return *existing;
    // Anonymous blocks (of CAD programs' own making) start with '*'.
    checkTableName(name.starts_with('*') ? name.substr(1) : name, "block name");
    drawing_.markModified();
    blocks_.push_back(std::make_unique<CadBlock>(drawing_, std::string(name), origin));
    return *blocks_.back();
}

CadBlock* CadBlocks::find(std::string_view name) const {
    for (const auto& block : blocks_) {
        if (equalsIgnoringCase(block->name(), name)) return block.get();
    }
    return nullptr;
}

CadBlock& CadBlocks::item(std::string_view name) const {
    if (CadBlock* block = find(name)) return *block;
    throw HostError("The block \"" + std::string(name) + "\" is not defined in " + drawing_.name());
}

void CadBlocks::copyEntity(const CadEntity& entity, const Drawing& source, CadBlock& target) {
    copyLayer(drawing_, source, entity.layer());
    copyLinetype(drawing_, source, entity.linetype());
    if (const auto* text = entityAs<CadText>(entity))
        copyTextStyle(drawing_, source, text->styleName());
    if (const auto* def = entityAs<CadAttributeDefinition>(entity)) {
        copyTextStyle(drawing_, source, def->styleName());
    }
    if (const auto* ref = entityAs<CadBlockReference>(entity)) {
        for (const auto& a : ref->attributes()) {
            copyLayer(drawing_, source, a.style().layer);
            copyTextStyle(drawing_, source, a.styleName());
        }
    }
    target.add(entity.clone());
}

void CadBlocks::importFrom(const Drawing& source) {
    for (int i = 0; i < source.blocks().count(); ++i) {
        const CadBlock& from = source.blocks().at(i);
        if (find(from.name())) continue;
        CadBlock& to = add(from.name(), from.origin());
        for (const CadEntity* e : from.entities())
            copyEntity(*e, source, to);
    }
}

CadBlock& CadBlocks::importFile(const std::filesystem::path& file) {
    const std::filesystem::path path = readableDrawingPath(file);
    if (!drawing_.fileReader()) {
        throw HostError("This drawing cannot read drawing files such as " + path.string());
    }
    if (!std::filesystem::is_regular_file(path)) {
        throw HostError("The drawing file " + path.string() + " was not found");
    }
    const std::unique_ptr<Drawing> source = drawing_.fileReader()(path);
    importFrom(*source);
    const std::string name = path.stem().string();
    if (CadBlock* existing = find(name)) return *existing;
    CadBlock& block = add(name, Point{});
    for (const CadEntity* e : source->modelSpace().entities())
        copyEntity(*e, *source, block);
    return block;
}

bool CadBlocks::contains(const CadBlock& block, std::string_view name) const {
    std::set<const CadBlock*> seen;
    std::vector<const CadBlock*> pending{&block};
    while (!pending.empty()) {
        const CadBlock* current = pending.back();
        pending.pop_back();
        if (!seen.insert(current).second) continue;
        for (const CadEntity* e : current->entities()) {
            const auto* ref = entityAs<CadBlockReference>(*e);
            if (!ref) continue;
            if (equalsIgnoringCase(ref->name(), name)) return true;
            if (const CadBlock* inner = find(ref->name())) pending.push_back(inner);
        }
    }
    return false;
}

Drawing::Drawing(std::string name, DrawingFileReader reader)
    : name_(std::move(name)),
      reader_(std::move(reader)),
      layers_(*this),
      linetypes_(*this),
      textStyles_(*this),
      blocks_(*this),
      modelSpace_(*this, std::string(kModelSpaceName), Point{}),
      activeLayer_(&layers_.item("0")),
      activeTextStyle_(&textStyles_.item("Standard")) {}

void Drawing::setActiveLayer(CadLayer& layer) {
    if (layer.frozen()) {
        throw HostError("The frozen layer \"" + layer.name() + "\" cannot be made current");
    }
    activeLayer_ = &layer;
    markModified();
}

void Drawing::setActiveTextStyle(CadTextStyle& style) {
    activeTextStyle_ = &style;
    markModified();
}

}  // namespace plovis
