#include "schematic/node_labels.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace plovis {
namespace {

// A character of the drawing's single-stroke font is about as wide as the text is high.
constexpr double kCharWidth = 1.0;
constexpr double kCell = 32;  // grid cell of the stroke lookup, about one stroke long

struct Box {
    double x0, y0, x1, y1;
};

// Whether the segment a-b passes through the box (clipped against its four sides in turn).
bool crosses(const Point& a, const Point& b, const Box& box) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - box.x0, box.x1 - a.x, a.y - box.y0, box.y1 - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
    }
    return true;
}

// The strokes by grid cell, so that a label looks only at the strokes near it.
class StrokeGrid {
  public:
    void add(const CadLine& line) {
        const Point a = line.startPoint(), b = line.endPoint();
        forCells({std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)},
                 [&](std::int64_t key) {
                     cells_[key].push_back(&line);
                     return false;
                 });
    }

    bool anyCrosses(const Box& box) const {
        return forCells(box, [&](std::int64_t key) {
            const auto it = cells_.find(key);
            if (it == cells_.end()) return false;
            return std::any_of(it->second.begin(), it->second.end(), [&](const CadLine* l) {
                return crosses(l->startPoint(), l->endPoint(), box);
            });
        });
    }

  private:
    // Calls f with the key of every cell the box touches, until f answers true.
    template <class F>
    static bool forCells(const Box& box, F f) {
        const auto cell = [](double v) { return static_cast<std::int64_t>(std::floor(v / kCell)); };
        for (std::int64_t i = cell(box.x0); i <= cell(box.x1); ++i) {
            for (std::int64_t j = cell(box.y0); j <= cell(box.y1); ++j) {
                if (f(i * 4'000'003 + j)) return true;
            }
        }
        return false;
    }

    std::unordered_map<std::int64_t, std::vector<const CadLine*>> cells_;
};

// The box of a label written from x to its right (or, to its left, ending at x), middle-aligned.
Box labelBox(const CadAttribute& a, double x, bool toTheLeft) {
    const double width = kCharWidth * a.height() * static_cast<double>(a.textString().size());
    const double y = a.textAlignmentPoint().y;
    const double half = a.height() / 2;
    return toTheLeft ? Box{x - width, y - half, x, y + half}
                     : Box{x, y - half, x + width, y + half};
}

}  // namespace

void clearNodeLabels(CadBlock& space) {
    StrokeGrid strokes;
    std::vector<CadBlockReference*> nodes;
    for (CadEntity* e : space.entities()) {
        if (const CadLine* line = entityAs<CadLine>(*e)) strokes.add(*line);
        if (e->kind() != EntityKind::BlockReference) continue;
        auto* ref = static_cast<CadBlockReference*>(e);
        if (ref->attributeCount() > 0 &&
            ref->attributes()[0].horizontalAlignment() == HorizontalAlignment::Left) {
            nodes.push_back(ref);
        }
    }
    for (CadBlockReference* ref : nodes) {
        CadAttribute& label = ref->attributes()[0];
        const Point at = label.textAlignmentPoint();
        if (!strokes.anyCrosses(labelBox(label, at.x, false))) continue;
        const double mirroredX = 2 * ref->insertionPoint().x - at.x;
        if (strokes.anyCrosses(labelBox(label, mirroredX, true))) continue;
        label.setHorizontalAlignment(HorizontalAlignment::Right);
        label.setTextAlignmentPoint({mirroredX, at.y, at.z});
    }
}

}  // namespace plovis
