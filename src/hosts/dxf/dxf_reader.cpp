// Reading a DXF file into a drawing: the scan checks the whole file first (dxf_scan.cpp), then
// dxflib parses its tables, blocks and entities and the builder below makes them into the
// drawing, adding what dxflib leaves out (attribute definitions and attribute visibility) from
// the scan, in file order.
#include <dl_creationadapter.h>
#include <dl_dxf.h>

#include <cmath>
#include <numbers>
#include <streambuf>

#include "common/text.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/dxf/dxf_scan.h"
#include "hosts/dxf/dxf_text.h"
#include "hosts/host_error.h"

namespace plovis {
namespace {

using dxf::AttdefData;
using dxf::Container;
using dxf::EntityMark;
using dxf::ScanResult;

constexpr double kDefaultTextHeight = 2.5;  // for a text whose height is 0 (the style's)

double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// A failure that already names its file and line.
struct LocatedError : HostError {
    using HostError::HostError;
};

// Reads the checked sections one after another, as one stream, without copying them.
class SectionsBuffer : public std::streambuf {
  public:
    explicit SectionsBuffer(const std::vector<std::string_view>& sections) : sections_(sections) {
        sections_.push_back("  0\nEOF\n");
        setCurrent();
    }

  protected:
    int_type underflow() override {
        while (gptr() == egptr()) {
            if (++index_ >= sections_.size()) return traits_type::eof();
            setCurrent();
        }
        return traits_type::to_int_type(*gptr());
    }

  private:
    void setCurrent() {
        char* begin = const_cast<char*>(sections_[index_].data());
        setg(begin, begin, begin + sections_[index_].size());
    }

    std::vector<std::string_view> sections_;
    std::size_t index_ = 0;
};

class Builder : public DL_CreationAdapter {
  public:
    Builder(const ScanResult& scan, const std::string& source)
        : scan_(scan), source_(source), drawing_(std::make_unique<Drawing>(source)) {}

    std::unique_ptr<Drawing> finish();

    void addLayer(const DL_LayerData& data) override;
    void addLinetype(const DL_LinetypeData& data) override;
    void addLinetypeDash(double length) override { dashes_.push_back(length); }
    void addTextStyle(const DL_StyleData& data) override;
    void addBlock(const DL_BlockData& data) override;
    void endBlock() override;
    void addLine(const DL_LineData& d) override;
    void addArc(const DL_ArcData& d) override;
    void addCircle(const DL_CircleData& d) override;
    void addPolyline(const DL_PolylineData& d) override;
    void addVertex(const DL_VertexData& d) override;
    void addText(const DL_TextData& d) override;
    void addInsert(const DL_InsertData& d) override;
    void addAttribute(const DL_AttributeData& d) override;
    void endEntity() override { finishPolyline(); }
    void endSequence() override { finishPolyline(); }

  private:
    struct PendingLayer {
        std::string name, linetype;
        int color, flags, line;
    };

    [[noreturn]] void fail(int line, const std::string& what) const {
        throw LocatedError(source_ + ", line " + std::to_string(line) + ": " + what);
    }
    // Runs work, naming the line in any failure the drawing host reports.
    template <class Work>
    void located(int line, Work work) const {
        try {
            work();
        } catch (const LocatedError&) {
            throw;
        } catch (const HostError& e) {
            fail(line, e.what());
        }
    }
    std::string text(const std::string& value) const { return decodeDxfText(value, scan_.utf8); }
    void applyTables();
    CadBlock* beginEntity(std::string_view type, std::string_view alternative = {});
    void enterModelSpace();
    void addAttdefsAtCursor();
    void finishContainer();
    void finishPolyline();
    EntityStyle entityStyle(int line);
    void place(std::unique_ptr<CadEntity> entity);
    void textPlacement(CadTextProperties& t, const DL_TextData& d, int line);
    void checkReferences() const;

    const ScanResult& scan_;
    std::string source_;
    std::unique_ptr<Drawing> drawing_;
    std::vector<double> dashes_;
    std::vector<PendingLayer> layers_;
    bool tablesApplied_ = false;
    int linetypesSeen_ = 0, stylesSeen_ = 0;

    // Where entities go: block definitions in file order, then model space.
    int blockIndex_ = -1;
    bool inBlock_ = false;
    const Container* container_ = nullptr;
    CadBlock* target_ = nullptr;  // nullptr: entities of model or paper space blocks are dropped
    std::size_t cursor_ = 0;
    const EntityMark* mark_ = nullptr;

    std::unique_ptr<CadPolyline> pendingPolyline_;
    std::vector<PolylineVertex> vertices_;
    bool polylineClosed_ = false;
    CadBlockReference* insert_ = nullptr;
    std::size_t attributeIndex_ = 0;
    bool modelSpaceEntered_ = false;

    struct PlacedInsert {
        const CadBlockReference* ref;
        const CadBlock* owner;
        int line;
    };
    std::vector<PlacedInsert> inserts_;
};

// Layers wait until every line type is read: a layer may name one that comes later.
void Builder::addLayer(const DL_LayerData& data) {
    const int line =
        layers_.size() < scan_.layerLines.size() ? scan_.layerLines[layers_.size()] : 0;
    layers_.push_back({text(data.name), text(attributes.getLinetype()), attributes.getColor(),
                       data.flags | (data.off ? 0x100 : 0), line});
}

void Builder::addLinetype(const DL_LinetypeData& data) {
    const int line = scan_.linetypeLines.at(static_cast<std::size_t>(linetypesSeen_++));
    CadLinetype lt{text(data.name), text(data.description), std::move(dashes_)};
    dashes_.clear();
    located(line, [&] { drawing_->linetypes().add(std::move(lt)); });
}

void Builder::addTextStyle(const DL_StyleData& data) {
    const int line = scan_.styleLines.at(static_cast<std::size_t>(stylesSeen_++));
    const std::string name = text(data.name);
    if (name.empty()) return;  // shape file entries carry no name
    located(line, [&] {
        CadTextStyle& style = drawing_->textStyles().add(name);
        style.setFontFile(text(data.primaryFontFile));
        style.setBigFontFile(text(data.bigFontFile));
        style.setHeight(data.fixedTextHeight);
        if (data.widthFactor > 0) style.setWidthFactor(data.widthFactor);
    });
}

void Builder::applyTables() {
    if (tablesApplied_) return;
    tablesApplied_ = true;
    for (const PendingLayer& p : layers_) {
        located(p.line, [&] {
            CadLayer& layer = drawing_->layers().add(p.name);
            if (p.color != 0) layer.setColor(std::abs(p.color));
            layer.setLinetype(p.linetype);
            layer.setOn(p.color >= 0 && !(p.flags & 0x100));
            layer.setFrozen((p.flags & 1) != 0 && &layer != &drawing_->activeLayer());
            layer.setLocked((p.flags & 4) != 0);
        });
    }
}

void Builder::addBlock(const DL_BlockData& data) {
    finishContainer();
    applyTables();
    ++blockIndex_;
    inBlock_ = true;
    container_ = &scan_.blocks.at(static_cast<std::size_t>(blockIndex_));
    cursor_ = 0;
    target_ = nullptr;
    const std::string name = text(data.name);
    if (name.starts_with("*") && (upperCase(name).starts_with("*MODEL_SPACE") ||
                                  upperCase(name).starts_with("*PAPER_SPACE"))) {
        return;
    }
    if (drawing_->blocks().find(name)) fail(container_->line, "a second block named " + name);
    located(container_->line, [&] {
        target_ = &drawing_->blocks().add(name, {data.bpx, data.bpy, data.bpz});
    });
}

void Builder::endBlock() {
    finishContainer();
    inBlock_ = false;
}

// Attribute definitions due before the next entity dxflib reports.
void Builder::addAttdefsAtCursor() {
    while (cursor_ < container_->marks.size() && container_->marks[cursor_].type == "ATTDEF") {
        const EntityMark& mark = container_->marks[cursor_++];
        if (!target_ || mark.paperSpace) continue;
        const AttdefData& a = scan_.attdefs.at(static_cast<std::size_t>(mark.attdef));
        located(mark.line, [&] {
            EntityStyle style = a.style;
            if (!drawing_->layers().find(style.layer)) drawing_->layers().add(style.layer);
            drawing_->textStyles().add(a.textStyle);
            auto def = std::make_unique<CadAttributeDefinition>(
                style, a.tag, a.prompt, a.value, a.first,
                a.height > 0 ? a.height : kDefaultTextHeight,
                drawing_->textStyles().item(a.textStyle).name(), a.flags & 15);
            def->setRotation(radians(a.rotationDegrees));
            if (a.widthFactor > 0) def->setWidthFactor(a.widthFactor);
            def->setHorizontalAlignment(a.horizontal);
            if (a.horizontal <= 2) def->setVerticalAlignment(a.vertical);
            if (!def->baselineLeft()) def->setTextAlignmentPoint(a.hasSecond ? a.second : a.first);
            if (def->usesBothPoints()) def->setInsertionPoint(a.first);
            target_->add(std::move(def));
        });
    }
}

void Builder::enterModelSpace() {
    finishContainer();
    modelSpaceEntered_ = true;
    container_ = &scan_.modelSpace;
    cursor_ = 0;
    target_ = &drawing_->modelSpace();
}

// Takes the next entity of the current container (of either type given): its line, and the
// block it goes to (nullptr when it is dropped: a paper space entity).
CadBlock* Builder::beginEntity(std::string_view type, std::string_view alternative) {
    finishPolyline();
    applyTables();
    if (!inBlock_ && !modelSpaceEntered_) enterModelSpace();
    addAttdefsAtCursor();
    const bool matches = container_ && cursor_ < container_->marks.size() &&
                         (container_->marks[cursor_].type == type ||
                          (!alternative.empty() && container_->marks[cursor_].type == alternative));
    if (!matches) {
        throw HostError(source_ + ": the " + std::string(type) +
                        " entities could not be read in order");
    }
    mark_ = &container_->marks[cursor_++];
    return mark_->paperSpace ? nullptr : target_;
}

void Builder::finishContainer() {
    finishPolyline();
    if (container_) addAttdefsAtCursor();
    container_ = nullptr;
}

EntityStyle Builder::entityStyle(int line) {
    EntityStyle style{text(attributes.getLayer()), attributes.getColor(),
                      text(attributes.getLinetype())};
    if (style.layer.empty()) style.layer = "0";
    if (equalsIgnoringCase(style.linetype, "BYLAYER")) style.linetype = "ByLayer";
    if (equalsIgnoringCase(style.linetype, "BYBLOCK")) style.linetype = "ByBlock";
    if (style.color < 0 || style.color > kColorByLayer) {
        fail(line, "colour number " + std::to_string(style.color) + " does not exist");
    }
    if (!drawing_->linetypes().find(style.linetype)) {
        fail(line, "the line type \"" + style.linetype + "\" is not defined in the file");
    }
    // A layer the file uses without listing it is made, as CAD programs do.
    if (!drawing_->layers().find(style.layer)) {
        located(line, [&] { drawing_->layers().add(style.layer); });
    }
    return style;
}

void Builder::place(std::unique_ptr<CadEntity> entity) {
    target_->add(std::move(entity));
}

void Builder::addLine(const DL_LineData& d) {
    if (!beginEntity("LINE")) return;
    const int line = mark_->line;
    located(line, [&] {
        place(std::make_unique<CadLine>(entityStyle(line), Point{d.x1, d.y1, d.z1},
                                        Point{d.x2, d.y2, d.z2}));
    });
}

void Builder::addArc(const DL_ArcData& d) {
    if (!beginEntity("ARC")) return;
    const int line = mark_->line;
    located(line, [&] {
        place(std::make_unique<CadArc>(entityStyle(line), Point{d.cx, d.cy, d.cz}, d.radius,
                                       radians(d.angle1), radians(d.angle2)));
    });
}

void Builder::addCircle(const DL_CircleData& d) {
    if (!beginEntity("CIRCLE")) return;
    const int line = mark_->line;
    located(line, [&] {
        place(std::make_unique<CadCircle>(entityStyle(line), Point{d.cx, d.cy, d.cz}, d.radius));
    });
}

// dxflib reports a polyline, then its vertices; it is complete at the next entity.
void Builder::addPolyline(const DL_PolylineData& d) {
    if (!beginEntity("LWPOLYLINE", "POLYLINE")) return;
    const int line = mark_->line;
    located(line, [&] {
        pendingPolyline_ =
            std::make_unique<CadPolyline>(entityStyle(line), std::vector<PolylineVertex>{});
    });
    polylineClosed_ = (d.flags & 1) != 0;
    vertices_.clear();
}

void Builder::addVertex(const DL_VertexData& d) {
    if (pendingPolyline_) vertices_.push_back({d.x, d.y, d.bulge});
}

void Builder::finishPolyline() {
    if (!pendingPolyline_) return;
    auto done = std::make_unique<CadPolyline>(pendingPolyline_->style(), std::move(vertices_),
                                              polylineClosed_);
    pendingPolyline_.reset();
    vertices_.clear();
    place(std::move(done));
}

void Builder::textPlacement(CadTextProperties& t, const DL_TextData& d, int line) {
    t.setRotation(d.angle);
    if (d.xScaleFactor > 0) t.setWidthFactor(d.xScaleFactor);
    if (d.hJustification < 0 || d.hJustification > 5 || d.vJustification < 0 ||
        d.vJustification > 3) {
        fail(line, "text alignment " + std::to_string(d.hJustification) + "," +
                       std::to_string(d.vJustification) + " does not exist");
    }
    t.setHorizontalAlignment(d.hJustification);
    if (d.hJustification <= 2) t.setVerticalAlignment(d.vJustification);
    if (t.baselineLeft()) return;
    // A text other than baseline-left stands on its second point; some files leave it out.
    const Point second{d.apx, d.apy, d.apz};
    const bool hasSecond = std::isfinite(d.apx) && std::isfinite(d.apy);
    t.setTextAlignmentPoint(hasSecond ? second : Point{d.ipx, d.ipy, d.ipz});
    t.setInsertionPoint({d.ipx, d.ipy, d.ipz});
}

void Builder::addText(const DL_TextData& d) {
    if (!beginEntity("TEXT")) return;
    const int line = mark_->line;
    located(line, [&] {
        EntityStyle style = entityStyle(line);
        const std::string styleName = text(d.style.empty() ? "Standard" : d.style);
        auto t = std::make_unique<CadText>(style, text(d.text), Point{d.ipx, d.ipy, d.ipz},
                                           d.height > 0 ? d.height : kDefaultTextHeight,
                                           drawing_->textStyles().add(styleName).name());
        textPlacement(*t, d, line);
        place(std::move(t));
    });
}

void Builder::addInsert(const DL_InsertData& d) {
    insert_ = nullptr;
    if (!beginEntity("INSERT")) return;
    const int line = mark_->line;
    located(line, [&] {
        auto ref = std::make_unique<CadBlockReference>(entityStyle(line), text(d.name),
                                                       Point{d.ipx, d.ipy, d.ipz}, d.sx, d.sy, d.sz,
                                                       radians(d.angle));
        insert_ = ref.get();
        attributeIndex_ = 0;
        inserts_.push_back({insert_, target_, line});
        place(std::move(ref));
    });
}

void Builder::addAttribute(const DL_AttributeData& d) {
    if (!insert_) return;  // of a reference that was dropped
    const int line = mark_->line;
    const auto& hidden = mark_->hiddenAttributes;
    const bool invisible = attributeIndex_ < hidden.size() && hidden[attributeIndex_];
    ++attributeIndex_;
    located(line, [&] {
        const std::string styleName = text(d.style.empty() ? "Standard" : d.style);
        CadAttribute a(entityStyle(line), text(d.tag), text(d.text), {d.ipx, d.ipy, d.ipz},
                       d.height > 0 ? d.height : kDefaultTextHeight,
                       drawing_->textStyles().add(styleName).name(), invisible);
        textPlacement(a, d, line);
        insert_->addAttribute(std::move(a));
    });
}

// Every reference must name a block of the file, and no block may hold itself.
void Builder::checkReferences() const {
    const CadBlocks& blocks = drawing_->blocks();
    for (const PlacedInsert& p : inserts_) {
        const CadBlock* inner = blocks.find(p.ref->name());
        if (!inner) fail(p.line, "the block \"" + p.ref->name() + "\" is not defined in the file");
        if (p.owner->isModelSpace()) continue;
        if (inner == p.owner || blocks.contains(*inner, p.owner->name())) {
            fail(p.line, "the block \"" + p.owner->name() + "\" holds itself");
        }
    }
}

std::unique_ptr<Drawing> Builder::finish() {
    applyTables();
    inBlock_ = false;
    if (!modelSpaceEntered_) enterModelSpace();  // model space may hold attribute definitions only
    finishContainer();
    checkReferences();
    if (CadLayer* layer = drawing_->layers().find(text(scan_.currentLayer));
        layer && !layer->frozen()) {
        drawing_->setActiveLayer(*layer);
    }
    if (CadTextStyle* style = drawing_->textStyles().find(text(scan_.currentTextStyle))) {
        drawing_->setActiveTextStyle(*style);
    }
    drawing_->markSaved();
    return std::move(drawing_);
}

}  // namespace

std::unique_ptr<Drawing> readDxf(std::string_view contents, const std::string& source) {
    const ScanResult scan = dxf::scanDxf(contents, source);
    Builder builder(scan, source);
    SectionsBuffer buffer(scan.sections);
    std::istream stream(&buffer);
    DL_Dxf dxf;
    dxf.in(stream, &builder);
    return builder.finish();
}

}  // namespace plovis
