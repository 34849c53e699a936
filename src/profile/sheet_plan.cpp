#include "profile/sheet_plan.h"

#include "common/text.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

// The sheets of branch j; every sheet of a branch cut into several starts a new paper sheet, and
// so does the first branch's only sheet.
void planBranch(const ProfileState& state, int j, double branchLength, PlannedBranch& plan,
                double& usedWidth) {
    int first = 0, last = 0;
    branchRows(state, j, first, last);
    const std::vector<ProfileSheet> sheets = divideBranch(state, first, last);
    plan.sheetCount = static_cast<int>(sheets.size());
    for (int s = 1; s <= plan.sheetCount; ++s) {
        const ProfileSheet& sheet = sheets[s - 1];
        if (s < plan.sheetCount) {
            usedWidth = 0;
        } else if (plan.sheetCount != 1) {
            usedWidth = sheetPaperLength(state, sheet);
        } else if (j == 0) {
            usedWidth = branchLength;
        } else {
            continue;
        }
        plan.sheets.push_back({sheet, s, true, usedWidth});
    }
}

// A later branch of one sheet goes beside the previous drawing while the paper has room.
void packBranch(const ProfileState& state, int j, double branchLength, PlannedBranch& plan,
                double& usedWidth) {
    int first = 0, last = 0;
    branchRows(state, j, first, last);
    const auto& c = state.table.columns;
    const ProfileSheet sheet{first, last, cellText(c.fromNode[first]), cellText(c.toNode[last])};
    usedWidth += branchLength;
    const bool fits = usedWidth < state.settings.paperWidth;
    usedWidth = fits ? usedWidth + 30 : branchLength;
    plan.sheets.push_back({sheet, 1, !fits, usedWidth});
}

}  // namespace

std::vector<PlannedBranch> planSheets(const ProfileState& state, double usedWidth) {
    std::vector<PlannedBranch> plans(state.branchCount());
    for (int j = 0; j < state.branchCount(); ++j) {
        PlannedBranch& plan = plans[j];
        if (trimBlanks(state.branchTitles[j]).empty()) {
            plan.untitled = true;
            continue;
        }
        double branchLength = 0;
        try {
            branchLength = branchPaperLength(state, j);
        } catch (const ProfileDataError&) {
            plan.lengthFailure = std::current_exception();
            break;
        }
        try {
            planBranch(state, j, branchLength, plan, usedWidth);
        } catch (const ProfileDataError&) {
            plan.divisionFailure = std::current_exception();
            break;
        }
        if (plan.sheetCount == 1 && j != 0) packBranch(state, j, branchLength, plan, usedWidth);
    }
    return plans;
}

}  // namespace plovis
