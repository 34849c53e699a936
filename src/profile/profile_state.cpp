#include "profile/profile_state.h"

namespace plovis {

bool applyPaper(ProfileState& state, const std::string& paper) {
    struct PaperSize {
        const char* name;
        Paper paper;
        double width, height;
    };
    static constexpr PaperSize kPapers[] = {{"A1", Paper::A1, 700, 510},
                                            {"A2", Paper::A2, 525, 350},
                                            {"A3", Paper::A3, 350, 220},
                                            {"A4", Paper::A4, 230, 110}};
    for (const auto& p : kPapers) {
        if (paper == p.name) {
            state.settings.paper = p.paper;
            state.settings.paperWidth = p.width;
            state.settings.paperHeight = p.height;
            return true;
        }
    }
    return false;
}

ProfileFrame sheetFrame(const ProfileState& state, double datum) {
    const ProfileSettings& s = state.settings;
    ProfileFrame frame;
    frame.originX = state.cursor.originX + kFirstNodeOffset;
    frame.originY = s.originY;
    frame.datum = datum;
    frame.across = scaleOneTo(s.hScale);
    frame.up = scaleOneTo(s.vScale);
    return frame;
}

void applySettings(ProfileState& state, double hScale, double vScale) {
    state.cursor.originX = 60;
    state.cursor.paperRight = -1e300;
    state.settings.originY = 95;
    state.settings.smallTextHeight = 1.5;
    state.settings.largeTextHeight = 3.0;
    state.settings.tickLength = 1;
    // The seven table rows are 10, 8, 6, 8, 6, 6, 6 high; the offsets are their running sums.
    state.settings.tableRowOffsets = {0, 0, 10, 18, 24, 32, 38, 44, 50};
    state.settings.hScale = hScale;
    state.settings.vScale = vScale;
    state.settings.levelInterval = vScale > 1001 ? 20 : 10;
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
