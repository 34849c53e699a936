#include "survey/abney_reduction.h"

#include <cmath>

#include "common/rounding.h"

namespace plovis {

std::int16_t angleSign(double degrees, double minutes, double seconds) {
    return degrees < 0 || minutes < 0 || seconds < 0 ? -1 : 1;
}

double angleOf(double degrees, double minutes, double seconds) {
    return angleSign(degrees, minutes, seconds) *
           (std::fabs(degrees) + std::fabs(minutes) / 60 + std::fabs(seconds) / 3600);
}

double meanSlopeAngle(double foreAngle, double backAngle) {
    if (foreAngle == 0 || backAngle == 0) return foreAngle != 0 ? foreAngle : -backAngle;
    const double sign = foreAngle < 0 ? -1 : 1;
    return sign * (std::fabs(foreAngle) + std::fabs(backAngle)) / 2;
}

double legHeight(double slopeDegrees, double distance) {
    const double pi = 4 * std::atan(1.0);
    return std::sin(slopeDegrees * pi / 180) * distance;
}

double roundToThreeDecimals(double x) {
    return roundHalfEven(x * 1000) / 1000;
}

std::optional<double> abneyStartLevelOf(double givenLevel, std::int32_t branch,
                                        const std::vector<Namesake>& namesakes,
                                        const std::vector<AbneyReadings>& readings) {
    if (givenLevel != 0) return givenLevel;
    return namesakeStartLevel(namesakes, branch, [&](std::int32_t b) -> const std::vector<double>& {
        return readings[b].reducedLevels;
    });
}

std::vector<AbneyStep> reduceAbneyBranch(const SurveyBranch& branch, AbneyReadings& readings,
                                         double startLevel) {
    readings.reducedLevels.assign(branch.lastPoint + 1, 0.0);
    std::vector<AbneyStep> steps;
    double chainage = 0;
    double level = startLevel;
    for (std::int32_t j = 0; j <= branch.lastPoint; ++j) {
        chainage += branch.distances[j];
        const double slope = meanSlopeAngle(readings.foreAngles[j], readings.backAngles[j]);
        const double height = legHeight(slope, branch.distances[j]);
        level += height;
        readings.reducedLevels[j] = level;
        steps.push_back({chainage, slope, height, level});
    }
    return steps;
}

}  // namespace plovis
