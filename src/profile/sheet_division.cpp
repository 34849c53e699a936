#include "profile/sheet_division.h"

#include "scheme/design_values.h"

namespace plovis {
namespace {

double sectionLength(const ProfileState& state, int i) {
    return designNumber(state.table.columns.length[i], "section length");
}

double rowsLength(const ProfileState& state, int first, int last) {
    double sum = 0;
    for (int i = first; i <= last; ++i)
        sum += sectionLength(state, i);
    return sum;
}

}  // namespace

void branchRows(const ProfileState& state, int j, int& first, int& last) {
    first = state.branchStarts[j] + 1;
    last = state.branchStarts[j + 1] - 1;
    if (last < first) last = first;
}

double branchPaperLength(const ProfileState& state, int j) {
    const int first = state.branchStarts[j] + 1;
    const int last = state.branchStarts[j + 1] - 1;
    return scaleOneTo(state.settings.hScale).toSheet(rowsLength(state, first, last));
}

std::vector<ProfileSheet> divideBranch(const ProfileState& state, int first, int last) {
    const auto& c = state.table.columns;
    const double fits = scaleOneTo(state.settings.hScale).toGround(state.settings.paperWidth);
    std::vector<int> starts{first};
    std::vector<std::string> from{cellText(c.fromNode[first])};
    std::vector<std::string> to{cellText(c.toNode[last])};
    double running = 0;
    for (int i = first; i <= last; ++i) {
        running += sectionLength(state, i);
        if (running > fits) {
            starts.push_back(i);
            running = sectionLength(state, i);
            // i - 1 is the title row when the branch's first section alone is too long.
            to.back() = cellText(c.toNode[i - 1]);
            from.push_back(to.back());
            to.push_back(cellText(c.toNode[last]));
        }
    }
    if (static_cast<int>(starts.size()) > kMaxSheetsPerBranch) {
        throw ProfileDataError("the branch needs more than 24 sheets");
    }
    starts.push_back(last + 1);
    std::vector<ProfileSheet> sheets;
    for (std::size_t s = 0; s + 1 < starts.size(); ++s) {
        const int end = starts[s + 1] - 1;
        sheets.push_back({starts[s], end < starts[s] ? starts[s] : end, from[s], to[s]});
    }
    return sheets;
}

double sheetPaperLength(const ProfileState& state, const ProfileSheet& sheet) {
    return scaleOneTo(state.settings.hScale)
        .toSheet(rowsLength(state, sheet.firstRow, sheet.lastRow));
}

}  // namespace plovis
