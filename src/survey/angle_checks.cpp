#include "survey/angle_checks.h"

#include <cmath>
#include <cstdio>

#include "common/number_format.h"

namespace plovis {
namespace {

// Angles are booked to the second: a difference within a thousandth of a second is none.
constexpr double kReadingNoise = 1.0 / 3600 / 1000;

std::string disagreementLine(const std::vector<SurveyBranch>& branches, const AngleDisagreement& d,
                             const std::string& tolerance) {
    const SurveyBranch& branch = branches[d.branch];
    return "Warning: AbneySurvey branch " + branch.name + ", station " + branch.labels[d.station] +
           " (row " + std::to_string(branch.headRow + 1 + d.station) + "): the fore angle " +
           degreesMinutesSeconds(d.foreAngle) + " and the back angle " +
           degreesMinutesSeconds(d.backAngle) + " differ by " +
           degreesMinutesSeconds(d.difference) + ", more than " + tolerance + ".";
}

}  // namespace

std::vector<AngleDisagreement> angleDisagreements(const std::vector<AbneyReadings>& readings,
                                                  double toleranceMinutes) {
    std::vector<AngleDisagreement> found;
    for (std::size_t b = 0; b < readings.size(); ++b) {
        const AbneyReadings& r = readings[b];
        for (std::size_t j = 0; j < r.foreAngles.size(); ++j) {
            const double fore = r.foreAngles[j];
            const double back = r.backAngles[j];
            if (fore == 0 || back == 0) continue;
            const double difference = std::fabs(std::fabs(fore) - std::fabs(back));
            if (difference > toleranceMinutes / 60 + kReadingNoise) {
                found.push_back({static_cast<std::int32_t>(b), static_cast<std::int32_t>(j), fore,
                                 back, difference});
            }
        }
    }
    return found;
}

std::string degreesMinutesSeconds(double degrees) {
    if (!(std::fabs(degrees) < 1e9)) return generalForm(degrees) + "°";  // no book reads that
    const long long seconds = std::llround(std::fabs(degrees) * 3600);
    char text[64];
    std::snprintf(text, sizeof text, "%s%lld°%02lld'%02lld\"",
                  degrees < 0 && seconds != 0 ? "-" : "", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return text;
}

std::vector<std::string> abneyBookChecks(const std::vector<SurveyBranch>& branches,
                                         const std::vector<AbneyReadings>& readings,
                                         double toleranceMinutes) {
    const std::string tolerance = "the tolerance of " + generalForm(toleranceMinutes) + "'";
    std::vector<std::string> lines;
    for (const AngleDisagreement& d : angleDisagreements(readings, toleranceMinutes))
        lines.push_back(disagreementLine(branches, d, tolerance));
    if (lines.empty()) {
        lines.push_back(
            "AbneySurvey: the fore and back angles of every leg read both ways agree "
            "within " +
            tolerance + ".");
    }
    return lines;
}

}  // namespace plovis
