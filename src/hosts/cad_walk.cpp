#include "hosts/cad_walk.h"

#include <unordered_map>
#include <vector>

#include "common/text.h"

namespace plovis {
namespace {

constexpr int kDeepestNesting = 64;

class Walker {
  public:
    Walker(const Drawing& drawing, const WalkVisitor& visitor)
        : drawing_(drawing), visitor_(visitor) {}

    void walk(const CadBlock& block, const Transform2D& t, const ShownStyle& outer, int depth) {
        if (depth > kDeepestNesting) return;
        for (const auto& item : block.items()) {
            if (item->erased()) continue;
            const CadEntity& e = *item;
            // Inside a block, attribute definitions show through the references' attributes.
            if (depth > 0 && e.kind() == EntityKind::AttributeDefinition) continue;
            const ShownStyle style = resolve(e.style(), outer, depth > 0);
            if (style.layer->frozen()) continue;
            if (const auto* ref = entityAs<CadBlockReference>(e)) {
                walkReference(*ref, t, style, depth);
            } else if (style.layer->on() && visitor_.entity) {
                visitor_.entity(e, t, style);
            }
        }
    }

  private:
    void walkReference(const CadBlockReference& ref, const Transform2D& t, const ShownStyle& style,
                       int depth) {
        if (style.layer->on() && visitor_.attribute) {
            for (const auto& a : ref.attributes()) {
                if (a.invisible()) continue;
                const ShownStyle as = resolve(a.style(), style, true);
                if (as.layer->on() && !as.layer->frozen()) visitor_.attribute(a, t, as);
            }
        }
        const CadBlock* block = blockNamed(ref.name());
        if (!block) return;
        const Transform2D inner = t.after(insertTransform(
            ref.insertionPoint(), ref.xScale(), ref.yScale(), ref.rotation(), block->origin()));
        if (visitor_.block && !visitor_.block(*block, inner, style)) return;
        walk(*block, inner, style, depth + 1);
    }

    // Block lookups by the reference's own spelling, remembered: drawings hold many references
    // of few blocks.
    const CadBlock* blockNamed(const std::string& name) {
        if (const auto found = blocks_.find(name); found != blocks_.end()) return found->second;
        return blocks_[name] = drawing_.blocks().find(name);
    }

    ShownStyle resolve(const EntityStyle& s, const ShownStyle& outer, bool insideBlock) const {
        ShownStyle shown;
        shown.layer = insideBlock && s.layer == "0" ? outer.layer : drawing_.layers().find(s.layer);
        if (!shown.layer) shown.layer = &drawing_.layers().all().front();
        shown.color = s.color == kColorByLayer   ? shown.layer->color()
                      : s.color == kColorByBlock ? outer.color
                                                 : s.color;
        const bool byLayer = s.linetype == "ByLayer" || equalsIgnoringCase(s.linetype, "ByLayer");
        if (!byLayer && equalsIgnoringCase(s.linetype, "ByBlock")) {
            shown.linetype = outer.linetype;
        } else {
            const std::string& name = byLayer ? shown.layer->linetype() : s.linetype;
            const CadLinetype* lt = drawing_.linetypes().find(name);
            shown.linetype = lt && !lt->pattern.empty() ? lt : nullptr;
        }
        return shown;
    }

    const Drawing& drawing_;
    const WalkVisitor& visitor_;
    std::unordered_map<std::string, const CadBlock*> blocks_;
};

}  // namespace

void walkModelSpace(const Drawing& drawing, const WalkVisitor& visitor) {
    ShownStyle top;
    top.layer = &drawing.layers().all().front();
    Walker(drawing, visitor).walk(drawing.modelSpace(), Transform2D{}, top, 0);
}

void walkBlock(const Drawing& drawing, const CadBlock& block, const Transform2D& t,
               const ShownStyle& outer, const WalkVisitor& visitor) {
    Walker(drawing, visitor).walk(block, t, outer, 1);
}

}  // namespace plovis
