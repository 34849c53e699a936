#include "render/sheet_view.h"

#include <algorithm>
#include <numeric>

#include "hosts/cad_extents.h"

namespace plovis {

SheetViews::SheetViews(const Drawing& drawing) : drawing_(drawing) {
    const auto& sheets = drawing.sheets().list();
    shown_.resize(sheets.size());
    // Sheets by their left edge: an entity reaches only those starting before its right end
    // and no further left than its left end less the widest paper.
    std::vector<std::size_t> order(sheets.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return sheets[a].minX < sheets[b].minX; });
    double widest = 0;
    for (const DrawingSheet& s : sheets)
        widest = std::max(widest, s.paper.widthMm);
    EntityMeasure measure(drawing);
    for (const CadEntity* e : drawing.modelSpace().entities()) {
        const Extents box = measure.of(*e);
        if (box.empty()) continue;
        auto it = std::lower_bound(order.begin(), order.end(), box.minX - widest,
                                   [&](std::size_t i, double x) { return sheets[i].minX < x; });
        for (; it != order.end() && sheets[*it].minX <= box.maxX; ++it) {
            const DrawingSheet& s = sheets[*it];
            if (s.maxX() >= box.minX && s.minY <= box.maxY && s.maxY() >= box.minY) {
                shown_[*it].push_back(e);
            }
        }
    }
}

std::unique_ptr<Drawing> SheetViews::view(std::size_t i) const {
    auto view = std::make_unique<Drawing>(drawing_.name());
    // Layer "0" every drawing has: it shows as the source's does.
    if (const CadLayer* zero = drawing_.layers().find("0")) {
        CadLayer& to = *view->layers().find("0");
        to.setColor(zero->color());
        to.setOn(zero->on());
        to.setFrozen(zero->frozen());
    }
    view->blocks().importFrom(drawing_);
    for (const CadEntity* e : shown_[i])
        view->blocks().copyEntity(*e, drawing_, view->modelSpace());
    return view;
}

}  // namespace plovis
