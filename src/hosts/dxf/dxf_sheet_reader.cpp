// Reading paper-space layouts back into the drawing's sheets: each layout (in tab order) whose
// viewport onto model space shows it at 1:1 is a sheet of the paper the viewport fills.
#include <algorithm>
#include <cmath>

#include "common/text.h"
#include "hosts/dxf/dxf_builders.h"

namespace plovis::dxf {
namespace {

// The paper of a viewport's size: the ISO paper of that size, or a paper of its own.
PaperSize paperOfSize(double width, double height) {
    for (const char* name : {"A4", "A3", "A2", "A1", "A0"}) {
        const PaperSize p = *isoPaper(name);
        if (std::abs(p.widthMm - width) < 0.01 && std::abs(p.heightMm - height) < 0.01) return p;
    }
    return {"Custom", width, height};
}

}  // namespace

void buildViewport(DrawingBuild& b, const DxfObject& o) {
    DrawingBuild::SheetViewport v;
    v.owner = upperCase(b.text(o.text(330)));
    v.id = o.integer(69);
    v.width = o.real(40);
    v.height = o.real(41);
    v.viewX = o.real(12);
    v.viewY = o.real(22);
    v.viewHeight = o.real(45);
    b.viewports.push_back(std::move(v));
}

void readLayout(DrawingBuild& b, const DxfObject& o) {
    DrawingBuild::SheetLayout layout;
    bool ownPart = false;  // the groups after the AcDbLayout marker
    for (const Tag& t : o.groups) {
        if (t.code == 100) ownPart = trimmed(t.value) == "AcDbLayout";
        if (!ownPart) continue;
        if (t.code == 1) layout.name = b.text(t.value);
        if (t.code == 71) layout.tabOrder = static_cast<int>(integerValue(t.value));
        if (t.code == 330) layout.record = upperCase(b.text(t.value));
    }
    if (layout.tabOrder > 0 && !layout.record.empty()) b.layouts.push_back(std::move(layout));
}

void finishSheets(DrawingBuild& b) {
    std::stable_sort(b.layouts.begin(), b.layouts.end(),
                     [](const auto& x, const auto& y) { return x.tabOrder < y.tabOrder; });
    for (const auto& layout : b.layouts) {
        for (const auto& v : b.viewports) {
            if (v.owner != layout.record || v.id == 1 || v.width <= 0 || v.height <= 0) continue;
            if (std::abs(v.viewHeight - v.height) > 1e-6 * v.height) continue;  // not 1:1
            b.drawing->sheets().add(layout.name, paperOfSize(v.width, v.height),
                                    v.viewX - v.width / 2, v.viewY - v.height / 2);
            break;
        }
    }
}

}  // namespace plovis::dxf
