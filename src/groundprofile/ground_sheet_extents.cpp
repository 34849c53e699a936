#include "groundprofile/ground_sheet_extents.h"

#include <cmath>

#include "common/rounding.h"

namespace plovis {

SheetExtents computeSheetExtents(const GroundBranch& b, int firstIndex, int lastIndex,
                                 const ProfileFrame& f) {
    float minCh = toSingle(b.chainages[firstIndex]);
    float maxCh = minCh;
    float minLv = toSingle(b.levels[firstIndex]);
    float maxLv = minLv;
    for (int i = firstIndex; i <= lastIndex; ++i) {
        const float ch = toSingle(b.chainages[i]);
        const float lv = toSingle(b.levels[i]);
        if (ch < minCh) minCh = ch;
        if (ch > maxCh) maxCh = ch;
        if (lv < minLv) minLv = lv;
        if (lv > maxLv) maxLv = lv;
    }
    SheetExtents e;
    e.xLeft =
        toSingle(f.originX + f.across.toSheet(std::floor(minCh - f.startChainage)) - e.kMargin);
    e.xRight =
        toSingle(f.originX + f.across.toSheet(roundHalfEven(maxCh - f.startChainage)) + e.kMargin);
    e.levelBottom = toSingle((std::floor(minLv / 10.0) - 1) * 10);
    e.levelTop = toSingle((std::floor(maxLv / 10.0) + 1) * 10);
    e.yBottom = toSingle(f.y(e.levelBottom));
    e.yTop = toSingle(f.y(e.levelTop));
    return e;
}

}  // namespace plovis
