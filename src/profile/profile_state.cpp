#include "profile/profile_state.h"

namespace plovis {

bool applyPaper(ProfileState& state, const std::string& paper) {
    struct Paper {
        const char* name;
        double width, height;
    };
    static constexpr Paper kPapers[] = {
        {"A1", 700, 510}, {"A2", 525, 350}, {"A3", 350, 220}, {"A4", 230, 110}};
    for (const auto& p : kPapers) {
        if (paper == p.name) {
            state.paperWidth = p.width;
            state.paperHeight = p.height;
            return true;
        }
    }
    return false;
}

ProfileFrame sheetFrame(const ProfileState& state, double datum) {
    return {state.originX + kFirstNodeOffset, state.originY,           0, datum,
            scaleOneTo(state.hScale),         scaleOneTo(state.vScale)};
}

void applySettings(ProfileState& state, double hScale, double vScale) {
    state.originX = 60;
    state.originY = 95;
    state.smallTextHeight = 1.5;
    state.largeTextHeight = 3.0;
    state.tickLength = 1;
    // The seven table rows are 10, 8, 6, 8, 6, 6, 6 high; the offsets are their running sums.
    state.tableRowOffsets = {0, 0, 10, 18, 24, 32, 38, 44, 50};
    state.hScale = hScale;
    state.vScale = vScale;
    state.levelInterval = vScale > 1001 ? 20 : 10;
}

void findBranches(ProfileState& state) {
    state.branchStarts.clear();
    state.branchTitles.clear();
    for (int i = 0; i <= state.table.rowCount; ++i) {
        if (cellText(state.table.columns.mark[i]).empty()) {
            state.branchStarts.push_back(i);
            state.branchTitles.push_back(cellText(state.table.columns.fromNode[i]));
        }
    }
}

}  // namespace plovis
