#include "hosts/cad_extents.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "hosts/cad_walk.h"

namespace plovis {
namespace {

constexpr double kCharacterWidth = 0.8;  // of the text height
constexpr double kDescent = 0.33;        // below the baseline, of the text height

void addArc(Extents& e, const Transform2D& t, const Point& c, double r, double from, double to) {
    if (to < from) to += 2 * std::numbers::pi;
    const int steps = 16;
    for (int i = 0; i <= steps; ++i) {
        const double a = from + (to - from) * i / steps;
        e.add(t.apply({c.x + r * std::cos(a), c.y + r * std::sin(a), 0}));
    }
}

void addEntity(Extents& e, const CadEntity& entity, const Transform2D& t) {
    switch (entity.kind()) {
        case EntityKind::Line: {
            const auto& line = *entityAs<CadLine>(entity);
            e.add(t.apply(line.startPoint()));
            e.add(t.apply(line.endPoint()));
            break;
        }
        case EntityKind::Circle: {
            const auto& c = *entityAs<CadCircle>(entity);
            addArc(e, t, c.center(), c.radius(), 0, 2 * std::numbers::pi);
            break;
        }
        case EntityKind::Arc: {
            const auto& a = *entityAs<CadArc>(entity);
            addArc(e, t, a.center(), a.radius(), a.startAngle(), a.endAngle());
            break;
        }
        case EntityKind::Polyline:
            for (const auto& v : entityAs<CadPolyline>(entity)->vertices()) {
                e.add(t.apply({v.x, v.y, 0}));
            }
            break;
        case EntityKind::Text:
            for (const Point& p : estimatedTextBox(*entityAs<CadText>(entity)))
                e.add(t.apply(p));
            break;
        case EntityKind::AttributeDefinition:
            for (const Point& p : estimatedTextBox(*entityAs<CadAttributeDefinition>(entity))) {
                e.add(t.apply(p));
            }
            break;
        case EntityKind::BlockReference:
            break;  // the walk opens it up
    }
}

}  // namespace

void Extents::add(const Point& p) {
    minX = std::min(minX, p.x);
    minY = std::min(minY, p.y);
    maxX = std::max(maxX, p.x);
    maxY = std::max(maxY, p.y);
}

double estimatedTextWidth(std::string_view text, double height, double widthFactor) {
    std::size_t characters = 0;
    for (unsigned char c : text) {
        if ((c & 0xC0) != 0x80) ++characters;  // count UTF-8 sequences, not bytes
    }
    return static_cast<double>(characters) * kCharacterWidth * height * widthFactor;
}

std::array<Point, 4> estimatedTextBox(const CadTextProperties& text) {
    const double h = text.height();
    double w = estimatedTextWidth(text.textString(), h, text.widthFactor());
    Point origin = text.anchorPoint();
    double angle = text.rotation();
    if (text.usesBothPoints()) {
        const Point a = text.insertionPoint();
        const Point b = text.textAlignmentPoint();
        origin = a;
        angle = std::atan2(b.y - a.y, b.x - a.x);
        w = std::hypot(b.x - a.x, b.y - a.y);
    }
    double left = 0;
    switch (text.usesBothPoints() ? HorizontalAlignment::Left : text.horizontalAlignment()) {
        case HorizontalAlignment::Center:
        case HorizontalAlignment::Middle:
            left = -w / 2;
            break;
        case HorizontalAlignment::Right:
            left = -w;
            break;
        default:
            break;
    }
    double bottom = -kDescent * h;
    switch (text.verticalAlignment()) {
        case VerticalAlignment::Bottom:
            bottom = 0;
            break;
        case VerticalAlignment::Middle:
            bottom = -h / 2 - kDescent * h;
            break;
        case VerticalAlignment::Top:
            bottom = -h - kDescent * h;
            break;
        default:
            break;
    }
    if (text.horizontalAlignment() == HorizontalAlignment::Middle) bottom = -(h + kDescent * h) / 2;
    const double top = bottom + h + kDescent * h;
    const Transform2D place = insertTransform(origin, 1, 1, angle, Point{});
    return {place.apply({left, bottom, 0}), place.apply({left + w, bottom, 0}),
            place.apply({left + w, top, 0}), place.apply({left, top, 0})};
}

Point estimatedBaselineStart(const CadTextProperties& text) {
    if (text.baselineLeft() || text.usesBothPoints()) return text.insertionPoint();
    const auto box = estimatedTextBox(text);
    const double descent = kDescent * text.height();
    const double c = std::cos(text.rotation());
    const double s = std::sin(text.rotation());
    return {box[0].x - s * descent, box[0].y + c * descent, text.anchorPoint().z};
}

// Measures a drawing, each block once for each layer its contents inherit: a reference adds the
// corners of its block's box, carried by the reference's placement.
class Measure {
  public:
    explicit Measure(const Drawing& drawing) : drawing_(drawing) {}

    Extents modelSpace() {
        Extents e;
        walkModelSpace(drawing_, visitor(e));
        return e;
    }

    // One entity of model space: a block reference by its block's box and its attributes.
    Extents entity(const CadEntity& entity) {
        Extents e;
        const auto* ref = entityAs<CadBlockReference>(entity);
        if (!ref) {
            addEntity(e, entity, Transform2D{});
            return e;
        }
        for (const auto& a : ref->attributes()) {
            for (const Point& p : estimatedTextBox(a))
                e.add(p);
        }
        const CadBlock* block = drawing_.blocks().find(ref->name());
        if (!block) return e;
        ShownStyle style;
        style.layer = drawing_.layers().find(ref->style().layer);
        if (!style.layer) style.layer = &drawing_.layers().all().front();
        const Extents local = blockExtents(*block, style);
        if (local.empty()) return e;
        const Transform2D t = insertTransform(ref->insertionPoint(), ref->xScale(), ref->yScale(),
                                              ref->rotation(), block->origin());
        for (double x : {local.minX, local.maxX}) {
            for (double y : {local.minY, local.maxY})
                e.add(t.apply({x, y, 0}));
        }
        return e;
    }

  private:
    WalkVisitor visitor(Extents& e) {
        WalkVisitor v;
        v.entity = [&e](const CadEntity& entity, const Transform2D& t, const ShownStyle&) {
            addEntity(e, entity, t);
        };
        v.attribute = [&e](const CadAttribute& a, const Transform2D& t, const ShownStyle&) {
            for (const Point& p : estimatedTextBox(a))
                e.add(t.apply(p));
        };
        v.block = [this, &e](const CadBlock& block, const Transform2D& t, const ShownStyle& s) {
            const Extents local = blockExtents(block, s);
            if (local.empty()) return false;
            for (double x : {local.minX, local.maxX}) {
                for (double y : {local.minY, local.maxY})
                    e.add(t.apply({x, y, 0}));
            }
            return false;
        };
        return v;
    }

    Extents blockExtents(const CadBlock& block, const ShownStyle& outer) {
        const auto key = std::make_pair(&block, outer.layer);
        if (const auto found = memo_.find(key); found != memo_.end()) return found->second;
        Extents local;
        if (depth_ < 64) {  // blocks nested deeper show nothing
            ++depth_;
            walkBlock(drawing_, block, Transform2D{}, outer, visitor(local));
            --depth_;
        }
        memo_[key] = local;
        return local;
    }

    const Drawing& drawing_;
    std::map<std::pair<const CadBlock*, const CadLayer*>, Extents> memo_;
    int depth_ = 0;
};

Extents modelSpaceExtents(const Drawing& drawing) {
    return Measure(drawing).modelSpace();
}

EntityMeasure::EntityMeasure(const Drawing& drawing)
    : measure_(std::make_unique<Measure>(drawing)) {}

EntityMeasure::~EntityMeasure() = default;

Extents EntityMeasure::of(const CadEntity& entity) {
    return measure_->entity(entity);
}

}  // namespace plovis
