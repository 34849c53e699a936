#include "survey/level_reduction.h"

namespace plovis {

double previousSight(const LevelReadings& readings, std::int32_t station) {
    for (std::int32_t i = station; i >= 0; --i) {
        if (readings.intermediateSights[i] != 0) return readings.intermediateSights[i];
        if (readings.backsights[i] != 0) return readings.backsights[i];
    }
    return 0;
}

std::optional<double> riseOrFall(const LevelReadings& readings, std::int32_t station) {
    const double is = readings.intermediateSights[station];
    const double fs = readings.foresights[station];
    if (is < 0 && fs < 0) return std::nullopt;
    const double p = previousSight(readings, station - 1);
    if (p < 0) return std::nullopt;
    return p - is - fs;
}

std::optional<double> startLevelOf(double givenLevel, std::int32_t branch,
                                   const std::vector<Namesake>& namesakes,
                                   const std::vector<LevelReadings>& readings) {
    if (givenLevel != 0) return givenLevel;
    return namesakeStartLevel(namesakes, branch, [&](std::int32_t b) -> const std::vector<double>& {
        return readings[b].reducedLevels;
    });
}

std::vector<LevelStep> reduceLevelBranch(const SurveyBranch& branch, LevelReadings& readings,
                                         double startLevel) {
    readings.reducedLevels.assign(branch.lastPoint + 1, 0.0);
    readings.reducedLevels[0] = startLevel;
    std::vector<LevelStep> steps;
    double level = startLevel;
    double chainage = 0;
    for (std::int32_t j = 1; j <= branch.lastPoint; ++j) {
        chainage += branch.distances[j];
        const std::optional<double> d = riseOrFall(readings, j);
        if (d) {
            level += *d;
            readings.reducedLevels[j] = level;
        }
        steps.push_back({chainage, d, level});
    }
    return steps;
}

}  // namespace plovis
