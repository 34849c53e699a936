#include "profile/profile_runs.h"

namespace plovis {

std::vector<SheetRun> sheetRuns(int sectionCount, const std::function<bool(int k)>& differs,
                                const std::vector<double>& nodeX, bool closeAtEnd) {
    std::vector<SheetRun> runs;
    int start = 0;
    double lastEndX = 0;
    for (int k = 0; k < sectionCount; ++k) {
        if (!differs(k)) continue;
        runs.push_back({start, k + 1, k, true});
        lastEndX = nodeX[k + 1];
        start = k + 1;
    }
    if (closeAtEnd && nodeX[sectionCount] != lastEndX) {
        runs.push_back({start, sectionCount, sectionCount - 1, false});
    }
    return runs;
}

}  // namespace plovis
