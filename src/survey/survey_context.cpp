#include "survey/survey_context.h"

namespace plovis {

void addPoint(SurveyBranch& branch, std::string label, double distance) {
    branch.labels.push_back(std::move(label));
    branch.distances.push_back(distance);
    branch.lastPoint = static_cast<std::int32_t>(branch.labels.size()) - 1;
}

}  // namespace plovis
