#include "groundprofile/ground_profile_layout.h"

#include <algorithm>

#include "common/rounding.h"
#include "scheme/profile_frame.h"

namespace plovis {

std::vector<GroundBranch> splitGroundBranches(const GroundPoints& p) {
    std::vector<GroundBranch> branches;
    const int n = p.last();
    for (int i = 1; i <= n; ++i) {
        GroundBranch b;
        b.name = p.labels[i - 1];
        for (; i <= n && p.levels[i] != 0; ++i) {
            b.chainages.push_back(p.chainages[i]);
            b.levels.push_back(p.levels[i]);
            b.labels.push_back(p.labels[i]);
            b.rows.push_back(kFirstGroundRow + i);
        }
        // i now stands on the header row that ended the branch; the loop's step passes it.
        if (b.chainages.size() >= 2) branches.push_back(std::move(b));
    }
    return branches;
}

double roundChainage(double chainage) {
    return roundHalfEven(chainage * 1000) / 1000;
}

SheetPoints findSheetPoints(const std::vector<double>& chainages, double sheetStart,
                            double sheetEnd) {
    SheetPoints r;
    r.sheetEnd = sheetEnd;
    const int m = static_cast<int>(chainages.size()) - 1;
    const double s = roundChainage(sheetStart);
    const double e = roundChainage(sheetEnd);
    for (int i = 0; i <= m; ++i) {
        const double ch = roundChainage(chainages[i]);
        if (ch == s) {
            r.firstIndex = i;
            break;
        }
        if (s < ch) {
            r.firstIndex = i == 0 ? 0 : i - 1;
            break;
        }
    }
    for (int i = 0; i <= m; ++i) {
        const double ch = roundChainage(chainages[i]);
        if (ch == e) {
            r.lastIndex = i;
            break;
        }
        if (e < ch) {
            r.lastIndex = i == m ? m : i + 1;
            if (i == m) r.sheetEnd = chainages[m];
            break;
        }
    }
    if (r.firstIndex > r.lastIndex) {  // the branch ends before the sheet does
        r.lastIndex = m;
        r.sheetEnd = chainages[m];
    }
    return r;
}

std::vector<GroundSheet> planBranchSheets(const GroundBranch& branch, double plotLength,
                                          float hFactor, double sheetGap, double& refX) {
    const FrameScale across = mmPerMetre(hFactor);
    std::vector<GroundSheet> sheets;
    const double branchEnd = roundChainage(branch.chainages.back());
    double start = branch.chainages.front();
    while (roundChainage(start) < branchEnd) {
        GroundSheet sheet;
        sheet.sheetStart = start;
        const SheetPoints points =
            findSheetPoints(branch.chainages, start, start + across.toGround(plotLength));
        sheet.sheetEnd = points.sheetEnd;
        sheet.firstIndex = points.firstIndex;
        sheet.lastIndex = points.lastIndex;
        sheet.refX = refX;
        sheets.push_back(sheet);
        if (!sheet.drawable()) break;
        // The next sheet goes past the frame, which spans the points drawn: with sparse points
        // it runs beyond the sheet's nominal end.
        const double drawn = branch.chainages[sheet.lastIndex] - branch.chainages[sheet.firstIndex];
        refX += across.toSheet(std::max(sheet.sheetEnd - sheet.sheetStart, drawn)) + sheetGap;
        // A sheet too short to move the start on (a plot length of a few thousandths) would
        // repeat for ever: the branch ends there.
        if (roundChainage(sheet.sheetEnd) <= roundChainage(start)) break;
        start = sheet.sheetEnd;
    }
    return sheets;
}

}  // namespace plovis
