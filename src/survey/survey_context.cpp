#include "survey/survey_context.h"

#include "common/letter_case.h"

namespace plovis {

void addPoint(SurveyBranch& branch, std::string label, double distance) {
    branch.labels.push_back(std::move(label));
    branch.distances.push_back(distance);
    branch.lastPoint = static_cast<std::int32_t>(branch.labels.size()) - 1;
}

std::optional<double> namesakeStationLevel(
    const std::vector<SurveyBranch>& branches, std::int32_t branch,
    const std::function<const std::vector<double>&(std::int32_t)>& reducedLevelsOf) {
    const std::string& firstLabel = branches[branch].labels.front();
    for (std::int32_t earlier = branch - 1; earlier >= 0; --earlier) {
        const std::vector<double>& levels = reducedLevelsOf(earlier);
        const SurveyBranch& candidate = branches[earlier];
        // A single-station branch is never reduced: its station has no level to start from.
        if (levels.size() != candidate.labels.size()) continue;
        for (std::size_t j = 0; j < candidate.labels.size(); ++j) {
            if (sameLetters(candidate.labels[j], firstLabel)) return levels[j];
        }
    }
    return std::nullopt;
}

}  // namespace plovis
