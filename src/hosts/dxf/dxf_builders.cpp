#include "hosts/dxf/dxf_builders.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <set>
#include <unordered_map>
#include <vector>

#include "common/text.h"
#include "hosts/dxf/dxf_text.h"
#include "hosts/host_error.h"

namespace plovis::dxf {
namespace {

constexpr double kDefaultTextHeight = 2.5;  // for a text whose height is 0 (the style's)

double radians(double degrees) {
    return degrees * std::numbers::pi / 180;
}

// Text rotations as CAD programs convert them (the last bit can differ from radians()).
double textRadians(double degrees) {
    return degrees * 2 * std::numbers::pi / 360.0;
}

Point point(const DxfObject& o, int code, double fallback = 0) {
    return {o.real(code, fallback), o.real(code + 10, fallback), o.real(code + 20, fallback)};
}

// Layers wait until every line type is read: a layer may name one that comes later.
void applyTables(DrawingBuild& b) {
    if (b.tablesApplied) return;
    b.tablesApplied = true;
    Drawing& d = *b.drawing;
    for (const auto& p : b.layers) {
        try {
            CadLayer& layer = d.layers().add(p.name);
            if (p.color != 0) layer.setColor(p.color == INT_MIN ? p.color : std::abs(p.color));
            layer.setLinetype(p.linetype);
            layer.setOn(p.color >= 0);
            layer.setFrozen((p.flags & 1) != 0 && &layer != &d.activeLayer());
            layer.setLocked((p.flags & 4) != 0);
        } catch (const HostError& e) {
            throw LocatedError(b.source + ", line " + std::to_string(p.line) + ": " + e.what());
        }
    }
}

void buildLayer(DrawingBuild& b, const DxfObject& o) {
    const std::string name = b.text(o.text(2));
    if (o.text(2).empty()) return;
    b.layers.push_back(
        {name, b.text(o.text(6, "BYLAYER")), o.integer(62, kColorByLayer), o.integer(70), o.line});
}

// ByLayer and ByBlock are the drawing's own; these spellings of them are not line types.
void buildLinetype(DrawingBuild& b, const DxfObject& o) {
    const std::string_view name = o.text(2);
    for (std::string_view own : {"", "By Layer", "By Block", "BYLAYER", "BYBLOCK"}) {
        if (name == own) return;
    }
    CadLinetype linetype{b.text(name), b.text(o.text(3)), {}};
    for (const Tag& t : o.groups) {
        if (t.code == 49) linetype.pattern.push_back(realValue(t.value));
    }
    b.drawing->linetypes().add(std::move(linetype));
}

void buildTextStyle(DrawingBuild& b, const DxfObject& o) {
    const std::string name = b.text(o.text(2));
    if (name.empty()) return;  // shape file entries carry no name
    CadTextStyle& style = b.drawing->textStyles().add(name);
    style.setFontFile(b.text(o.text(3)));
    style.setBigFontFile(b.text(o.text(4)));
    style.setHeight(o.real(40));
    if (o.real(41) > 0) style.setWidthFactor(o.real(41));
}

// The block an entity goes to: nullptr when it is left out (of paper space, or of a model or
// paper space block).
CadBlock* targetOf(DrawingBuild& b, const DxfObject& o) {
    applyTables(b);
    for (const Tag& t : o.groups) {
        if (t.code == 67 && integerValue(t.value) != 0) return nullptr;
    }
    return b.target;
}

EntityStyle entityStyle(DrawingBuild& b, const DxfObject& o) {
    EntityStyle style{b.text(o.text(8, "0")), o.integer(62, kColorByLayer),
                      b.text(o.text(6, "BYLAYER"))};
    if (style.layer.empty()) style.layer = "0";
    if (equalsIgnoringCase(style.linetype, "BYLAYER")) style.linetype = "ByLayer";
    if (equalsIgnoringCase(style.linetype, "BYBLOCK")) style.linetype = "ByBlock";
    if (style.color < 0 || style.color > kColorByLayer) {
        throw HostError("colour number " + std::to_string(style.color) + " does not exist");
    }
    if (!b.drawing->linetypes().find(style.linetype)) {
        throw HostError("the line type \"" + style.linetype + "\" is not defined in the file");
    }
    // A layer the file uses without listing it is made, as CAD programs do.
    b.drawing->layers().add(style.layer);
    return style;
}

void buildLine(DrawingBuild& b, const DxfObject& o) {
    if (CadBlock* target = targetOf(b, o)) {
        target->add(std::make_unique<CadLine>(entityStyle(b, o), point(o, 10), point(o, 11)));
    }
}

void buildCircle(DrawingBuild& b, const DxfObject& o) {
    if (CadBlock* target = targetOf(b, o)) {
        target->add(std::make_unique<CadCircle>(entityStyle(b, o), point(o, 10), o.real(40)));
    }
}

void buildArc(DrawingBuild& b, const DxfObject& o) {
    if (CadBlock* target = targetOf(b, o)) {
        target->add(std::make_unique<CadArc>(entityStyle(b, o), point(o, 10), o.real(40),
                                             radians(o.real(50)), radians(o.real(51))));
    }
}

void buildLwPolyline(DrawingBuild& b, const DxfObject& o) {
    CadBlock* target = targetOf(b, o);
    if (!target) return;
    std::vector<PolylineVertex> vertices;
    for (const Tag& t : o.groups) {
        if (t.code == 10) vertices.push_back({realValue(t.value), 0, 0});
        if (t.code == 20 && !vertices.empty()) vertices.back().y = realValue(t.value);
        if (t.code == 42 && !vertices.empty()) vertices.back().bulge = realValue(t.value);
    }
    const bool closed = (o.integer(70) & 1) != 0;
    target->add(std::make_unique<CadPolyline>(entityStyle(b, o), std::move(vertices), closed));
}

// A POLYLINE is complete at its SEQEND.
void buildPolyline(DrawingBuild& b, const DxfObject& o) {
    if (!targetOf(b, o)) return;
    b.polyline = DrawingBuild::PendingPolyline{entityStyle(b, o), (o.integer(70) & 1) != 0, {}};
}

// A vertex with flag 128 but not 64 names the corners of a mesh face, not a point.
void buildVertex(DrawingBuild& b, const DxfObject& o) {
    const int flags = o.integer(70);
    if (!b.polyline || ((flags & 128) && !(flags & 64))) return;
    b.polyline->vertices.push_back({o.real(10), o.real(20), o.real(42)});
}

void buildSequenceEnd(DrawingBuild& b, const DxfObject&) {
    b.insert = nullptr;
    if (!b.polyline) return;
    auto& p = *b.polyline;
    b.target->add(
        std::make_unique<CadPolyline>(std::move(p.style), std::move(p.vertices), p.closed));
    b.polyline.reset();
}

// Placing common to TEXT and ATTRIB; a text other than baseline-left stands on its second point.
void place(CadTextProperties& t, const DxfObject& o, Point second, int vertical) {
    t.setRotation(textRadians(o.real(50)));
    if (o.real(41, 1) > 0) t.setWidthFactor(o.real(41, 1));
    const int horizontal = o.integer(72);
    if (horizontal < 0 || horizontal > 5 || vertical < 0 || vertical > 3) {
        throw HostError("text alignment " + std::to_string(horizontal) + "," +
                        std::to_string(vertical) + " does not exist");
    }
    t.setHorizontalAlignment(horizontal);
    if (horizontal <= 2) t.setVerticalAlignment(vertical);
    if (t.baselineLeft()) return;
    t.setTextAlignmentPoint(second);
    t.setInsertionPoint(point(o, 10));
}

double textHeight(const DxfObject& o) {
    const double height = o.real(40, kDefaultTextHeight);
    return height > 0 ? height : kDefaultTextHeight;
}

std::string styleName(DrawingBuild& b, const DxfObject& o) {
    const std::string name = b.text(o.text(7));
    return b.drawing->textStyles().add(name.empty() ? "Standard" : name).name();
}

void buildText(DrawingBuild& b, const DxfObject& o) {
    CadBlock* target = targetOf(b, o);
    if (!target) return;
    EntityStyle style = entityStyle(b, o);
    auto t = std::make_unique<CadText>(std::move(style), b.text(o.text(1)), point(o, 10),
                                       textHeight(o), styleName(b, o));
    // Some files leave the second point out.
    const bool hasSecond = o.has(11) && o.has(21);
    place(*t, o, hasSecond ? point(o, 11, NAN) : point(o, 10), o.integer(73));
    target->add(std::move(t));
}

void buildInsert(DrawingBuild& b, const DxfObject& o) {
    b.insert = nullptr;
    CadBlock* target = targetOf(b, o);
    if (!target) return;
    auto ref = std::make_unique<CadBlockReference>(entityStyle(b, o), b.text(o.text(2)),
                                                   point(o, 10), o.real(41, 1), o.real(42, 1),
                                                   o.real(43, 1), radians(o.real(50)));
    b.insert = ref.get();
    b.inserts.push_back({b.insert, target, o.line});
    target->add(std::move(ref));
}

void buildAttribute(DrawingBuild& b, const DxfObject& o) {
    if (!b.insert) return;  // of a reference left out
    CadAttribute a(entityStyle(b, o), b.text(o.text(2)), b.text(o.text(1)), point(o, 10),
                   textHeight(o), styleName(b, o), (o.integer(70) & 1) != 0);
    place(a, o, point(o, 11), o.integer(74));
    b.insert->addAttribute(std::move(a));
}

// An attribute definition keeps its layer and line type as written.
void buildAttributeDefinition(DrawingBuild& b, const DxfObject& o) {
    CadBlock* target = targetOf(b, o);
    if (!target) return;
    Drawing& d = *b.drawing;
    EntityStyle style{b.text(o.text(8, "0")), o.integer(62, kColorByLayer),
                      b.text(o.text(6, "ByLayer"))};
    d.layers().add(style.layer);
    const std::string textStyle = b.text(o.text(7, "Standard"));
    d.textStyles().add(textStyle);
    const Point first{o.real(10), o.real(20), 0};
    const double height = o.real(40);
    auto def = std::make_unique<CadAttributeDefinition>(
        style, b.text(o.text(2)), b.text(o.text(3)), b.text(o.text(1)), first,
        height > 0 ? height : kDefaultTextHeight, d.textStyles().item(textStyle).name(),
        o.integer(70) & 15);
    def->setRotation(radians(o.real(50)));
    if (o.real(41, 1) > 0) def->setWidthFactor(o.real(41, 1));
    const int horizontal = o.integer(72);
    def->setHorizontalAlignment(horizontal);
    if (horizontal <= 2) def->setVerticalAlignment(o.integer(74));
    const Point second = o.has(11) ? Point{o.real(11), o.real(21), 0} : first;
    if (!def->baselineLeft()) def->setTextAlignmentPoint(second);
    if (def->usesBothPoints()) def->setInsertionPoint(first);
    target->add(std::move(def));
}

constexpr struct {
    std::string_view type;
    BuildFunction build;
} kRecordBuilders[] =
    {
        {"LAYER", buildLayer},
        {"LTYPE", buildLinetype},
        {"STYLE", buildTextStyle},
},
  kEntityBuilders[] = {
      {"LINE", buildLine},
      {"CIRCLE", buildCircle},
      {"ARC", buildArc},
      {"TEXT", buildText},
      {"LWPOLYLINE", buildLwPolyline},
      {"POLYLINE", buildPolyline},
      {"VERTEX", buildVertex},
      {"SEQEND", buildSequenceEnd},
      {"INSERT", buildInsert},
      {"ATTRIB", buildAttribute},
      {"ATTDEF", buildAttributeDefinition},
      {"VIEWPORT", buildViewport},
};

template <class Table>
BuildFunction find(const Table& table, std::string_view type) {
    for (const auto& entry : table) {
        if (entry.type == type) return entry.build;
    }
    return nullptr;
}

// The blocks of the drawing by name (ignoring case, the first of a name as find gives it).
std::unordered_map<std::string, const CadBlock*> blocksByName(const CadBlocks& blocks) {
    std::unordered_map<std::string, const CadBlock*> byName;
    for (int i = 0; i < blocks.count(); ++i)
        byName.emplace(upperCase(blocks.at(i).name()), &blocks.at(i));
    return byName;
}

// The strongly connected parts of the graph of blocks referring to blocks (Tarjan's method,
// without recursion, so a chain of thousands of nested blocks neither overflows the stack nor
// takes quadratic time): blocks that refer to each other, directly or through others, share a
// number; `cyclic` holds the numbers of parts that form a loop.
struct BlockLoops {
    std::unordered_map<const CadBlock*, int> part;
    std::set<int> cyclic;
};

class BlockLoopFinder {
  public:
    explicit BlockLoopFinder(const std::unordered_map<std::string, const CadBlock*>& byName)
        : byName_(byName) {}

    BlockLoops find(const CadBlocks& blocks) {
        for (int i = 0; i < blocks.count(); ++i) {
            if (!index_.count(&blocks.at(i))) walkFrom(&blocks.at(i));
        }
        return std::move(loops_);
    }

  private:
    struct Frame {
        const CadBlock* block;
        std::vector<const CadBlock*> next;
        std::size_t at = 0;
    };

    std::vector<const CadBlock*> referred(const CadBlock& block) const {
        std::vector<const CadBlock*> out;
        for (const CadEntity* e : block.entities()) {
            const auto* ref = entityAs<CadBlockReference>(*e);
            if (!ref) continue;
            if (const auto it = byName_.find(upperCase(ref->name())); it != byName_.end())
                out.push_back(it->second);
        }
        return out;
    }

    void enter(const CadBlock* b) {
        index_[b] = low_[b] = counter_++;
        stack_.push_back(b);
        onStack_.insert(b);
        frames_.push_back({b, referred(*b)});
    }

    void walkFrom(const CadBlock* root) {
        enter(root);
        while (!frames_.empty()) {
            Frame& f = frames_.back();
            const CadBlock* v = f.block;
            if (f.at < f.next.size()) {
                const CadBlock* w = f.next[f.at++];
                if (w == v) selfReferring_.insert(w);
                if (!index_.count(w)) {
                    enter(w);
                } else if (onStack_.count(w)) {
                    low_[v] = std::min(low_[v], index_[w]);
                }
                continue;
            }
            frames_.pop_back();
            if (!frames_.empty()) {
                const CadBlock* u = frames_.back().block;
                low_[u] = std::min(low_[u], low_[v]);
            }
            if (low_[v] == index_[v]) closePart(v);
        }
    }

    // The blocks on the stack down to v form one part.
    void closePart(const CadBlock* v) {
        const int number = parts_++;
        bool loop = false;
        int size = 0;
        const CadBlock* w = nullptr;
        do {
            w = stack_.back();
            stack_.pop_back();
            onStack_.erase(w);
            loops_.part[w] = number;
            loop = loop || selfReferring_.count(w) > 0;
            ++size;
        } while (w != v);
        if (size > 1 || loop) loops_.cyclic.insert(number);
    }

    const std::unordered_map<std::string, const CadBlock*>& byName_;
    std::unordered_map<const CadBlock*, int> index_, low_;
    std::vector<const CadBlock*> stack_;
    std::vector<Frame> frames_;
    std::set<const CadBlock*> onStack_, selfReferring_;
    int counter_ = 0;
    int parts_ = 0;
    BlockLoops loops_;
};

// Every reference must name a block of the file, and no block may hold itself.
void checkReferences(const DrawingBuild& b) {
    const CadBlocks& blocks = b.drawing->blocks();
    const auto fail = [&](int line, const std::string& what) {
        throw LocatedError(b.source + ", line " + std::to_string(line) + ": " + what);
    };
    const auto byName = blocksByName(blocks);
    for (const auto& p : b.inserts) {
        if (!byName.count(upperCase(p.ref->name())))
            fail(p.line, "the block \"" + p.ref->name() + "\" is not defined in the file");
    }
    const BlockLoops loops = BlockLoopFinder(byName).find(blocks);
    for (const auto& p : b.inserts) {
        if (p.owner->isModelSpace()) continue;
        const CadBlock* inner = byName.at(upperCase(p.ref->name()));
        const auto owner = loops.part.find(p.owner);
        // The reference closes a loop when the block it names reaches back to its owner.
        if (owner != loops.part.end() && loops.part.at(inner) == owner->second &&
            loops.cyclic.count(owner->second)) {
            fail(p.line, "the block \"" + p.owner->name() + "\" holds itself");
        }
    }
}

}  // namespace

// Values of files before R2007 are in the drawing's code page; later ones are UTF-8.
std::string DrawingBuild::text(std::string_view value) const {
    while (!value.empty() && value.back() == '\r')
        value.remove_suffix(1);
    return decodeDxfText(value, utf8);
}

BuildFunction recordBuilder(std::string_view type) {
    return find(kRecordBuilders, type);
}

BuildFunction entityBuilder(std::string_view type) {
    return find(kEntityBuilders, type);
}

void beginBlock(DrawingBuild& b, const DxfObject& block) {
    applyTables(b);
    b.target = nullptr;
    const std::string name = b.text(block.text(2));
    const std::string upper = upperCase(name);
    if (upper.starts_with("*MODEL_SPACE") || upper.starts_with("*PAPER_SPACE")) return;
    if (b.drawing->blocks().find(name)) throw HostError("a second block named " + name);
    b.target = &b.drawing->blocks().add(name, point(block, 10));
}

void enterModelSpace(DrawingBuild& b) {
    b.target = &b.drawing->modelSpace();
}

void headerValue(DrawingBuild& b, std::string_view variable, const Tag& t) {
    if (t.code == 1 && variable == "$ACADVER") b.utf8 = trimmed(t.value) >= "AC1021";
    if (t.code == 8 && variable == "$CLAYER") b.currentLayer = t.value;
    if (t.code == 7 && variable == "$TEXTSTYLE") b.currentTextStyle = t.value;
}

std::unique_ptr<Drawing> finishDrawing(DrawingBuild& b) {
    applyTables(b);
    checkReferences(b);
    finishSheets(b);
    Drawing& d = *b.drawing;
    if (CadLayer* layer = d.layers().find(b.text(b.currentLayer)); layer && !layer->frozen()) {
        d.setActiveLayer(*layer);
    }
    if (CadTextStyle* style = d.textStyles().find(b.text(b.currentTextStyle))) {
        d.setActiveTextStyle(*style);
    }
    d.markSaved();
    return std::move(b.drawing);
}

}  // namespace plovis::dxf
