#include "survey/station_index.h"

#include "common/letter_case.h"

namespace plovis {

void StationIndex::add(std::int32_t b, const SurveyBranch& branch,
                       const std::function<bool(std::int32_t)>& include) {
    if (include) {
        catchUp();
        index(b, branch, include);
    } else {
        waiting_.emplace_back(b, &branch);
    }
}

void StationIndex::index(std::int32_t b, const SurveyBranch& branch,
                         const std::function<bool(std::int32_t)>& include) const {
    for (std::int32_t j = 0; j < static_cast<std::int32_t>(branch.labels.size()); ++j) {
        if (include && !include(j)) continue;
        const auto [at, fresh] =
            latest_.try_emplace(upperLetters(branch.labels[j]), StationRef{b, j});
        if (!fresh && at->second.branch != b) at->second = {b, j};
    }
}

void StationIndex::catchUp() const {
    for (const auto& [b, branch] : waiting_)
        index(b, *branch, nullptr);
    waiting_.clear();
}

std::optional<StationRef> StationIndex::find(std::string_view label) const {
    catchUp();
    const auto at = latest_.find(upperLetters(label));
    if (at == latest_.end()) return std::nullopt;
    return at->second;
}

std::optional<double> namesakeStationLevel(
    const StationIndex& reduced, const SurveyBranch& branch,
    const std::function<const std::vector<double>&(std::int32_t)>& reducedLevelsOf) {
    const auto namesake = reduced.find(branch.labels.front());
    if (!namesake) return std::nullopt;
    return reducedLevelsOf(namesake->branch)[namesake->station];
}

}  // namespace plovis
