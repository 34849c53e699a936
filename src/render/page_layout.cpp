#include "render/page_layout.h"

#include <algorithm>

namespace plovis {

PageLayout fitPage(const Extents& e) {
    PageLayout page;
    if (e.empty()) return page;
    const double usable = kLargestPageMm - 2 * kPageMarginMm;
    const double largest = std::max(e.width(), e.height());
    page.scale = largest > usable ? usable / largest : 1;
    page.widthMm = e.width() * page.scale + 2 * kPageMarginMm;
    page.heightMm = e.height() * page.scale + 2 * kPageMarginMm;
    page.originX = e.minX - kPageMarginMm / page.scale;
    page.originY = e.minY - kPageMarginMm / page.scale;
    return page;
}

}  // namespace plovis
