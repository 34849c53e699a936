#pragma once
// The drawing held in memory: its tables, block definitions and model space. It is what the
// drawing routines draw into, what the DXF writer saves, what the renderer paints, and what tests
// inspect.

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "hosts/cad_block.h"
#include "hosts/cad_tables.h"
#include "hosts/drawing_sheets.h"

namespace plovis {

class Drawing;

// Reads a drawing file (DXF) into a new drawing; throws HostError naming the file and what is
// wrong. The DXF host provides one; a drawing without one cannot insert files.
using DrawingFileReader = std::function<std::unique_ptr<Drawing>(const std::filesystem::path&)>;

class CadBlocks {
  public:
    explicit CadBlocks(Drawing& drawing) : drawing_(drawing) {}
    // The block definition of that name, made empty with the base point when it is missing.
    CadBlock& add(std::string_view name, const Point& origin);
    // The block of that name (ignoring case), or nullptr / HostError when there is none.
    CadBlock* find(std::string_view name) const;
    CadBlock& item(std::string_view name) const;
    int count() const { return static_cast<int>(blocks_.size()); }
    CadBlock& at(int index) const { return *blocks_.at(index); }

    // Brings in every block definition of `source` this drawing lacks (with the layers, line
    // types and text styles their entities use); a block this drawing has already is kept.
    void importFrom(const Drawing& source);
    // Reads a drawing file: its blocks come in as importFrom does, and its model space becomes
    // the block named after the file (kept when the drawing has it already). Returns that block.
    CadBlock& importFile(const std::filesystem::path& file);

    // True when the definition of `block` refers, directly or through other blocks, to the block
    // named `name`.
    bool contains(const CadBlock& block, std::string_view name) const;

    // Copies an entity of `source` into `target` (a block of this drawing or its model space),
    // with the layer, line type and text styles it uses when this drawing lacks them.
    void copyEntity(const CadEntity& entity, const Drawing& source, CadBlock& target);

  private:
    Drawing& drawing_;
    std::deque<std::unique_ptr<CadBlock>> blocks_;
};

class Drawing {
  public:
    // A new drawing: layer "0" (current, colour 7, Continuous), the line types ByBlock, ByLayer
    // and Continuous, the text style Standard (current), and an empty model space.
    explicit Drawing(std::string name = "Drawing1.dwg", DrawingFileReader reader = {});
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // The document's name, as the CAD host shows it ("Pipe-des-blank.dxf").
    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    CadBlock& modelSpace() { return modelSpace_; }
    const CadBlock& modelSpace() const { return modelSpace_; }
    CadLayers& layers() { return layers_; }
    const CadLayers& layers() const { return layers_; }
    CadLinetypes& linetypes() { return linetypes_; }
    const CadLinetypes& linetypes() const { return linetypes_; }
    CadTextStyles& textStyles() { return textStyles_; }
    const CadTextStyles& textStyles() const { return textStyles_; }
    CadBlocks& blocks() { return blocks_; }
    const CadBlocks& blocks() const { return blocks_; }
    // The paper sheets the drawing routines laid model space out on, in drawing order.
    DrawingSheets& sheets() { return sheets_; }
    const DrawingSheets& sheets() const { return sheets_; }

    // The layer new entities go to. A frozen layer cannot be made current (HostError).
    CadLayer& activeLayer() const { return *activeLayer_; }
    void setActiveLayer(CadLayer& layer);
    // The style new texts take.
    CadTextStyle& activeTextStyle() const { return *activeTextStyle_; }
    void setActiveTextStyle(CadTextStyle& style);

    const DrawingFileReader& fileReader() const { return reader_; }
    void setFileReader(DrawingFileReader reader) { reader_ = std::move(reader); }

    // True once anything was added, erased or changed since the drawing was made or saved.
    bool modified() const { return modified_; }
    void markModified() { modified_ = true; }
    void markSaved() { modified_ = false; }

  private:
    std::string name_;
    DrawingFileReader reader_;
    CadLayers layers_;
    CadLinetypes linetypes_;
    CadTextStyles textStyles_;
    CadBlocks blocks_;
    CadBlock modelSpace_;
    DrawingSheets sheets_;
    CadLayer* activeLayer_;
    CadTextStyle* activeTextStyle_;
    bool modified_ = false;
};

}  // namespace plovis
