#include "survey/level_checks.h"

#include <cmath>
#include <optional>

#include "common/number_format.h"
#include "survey/level_reduction.h"
#include "survey/namesakes.h"

namespace plovis {
namespace {

// Staff readings are booked to the millimetre: sums that differ by less than half of one agree.
constexpr double kHalfMillimetre = 0.0005;

bool isReduced(const SurveyBranch& branch, const LevelReadings& readings) {
    return branch.lastPoint > 0 && readings.reducedLevels.size() == branch.labels.size();
}

// The reduced level of each station of a reduced branch; none where the station was passed over.
std::vector<std::optional<double>> knownLevels(const LevelReadings& readings) {
    std::vector<std::optional<double>> known(readings.reducedLevels.size());
    for (std::size_t j = 0; j < known.size(); ++j) {
        if (j == 0 || riseOrFall(readings, static_cast<std::int32_t>(j)))
            known[j] = readings.reducedLevels[j];
    }
    return known;
}

// The chainage of every station of a branch from its station 0.
std::vector<double> chainagesOf(const SurveyBranch& branch) {
    std::vector<double> chainages(branch.distances.size(), 0.0);
    for (std::size_t j = 1; j < chainages.size(); ++j)
        chainages[j] = chainages[j - 1] + branch.distances[j];
    return chainages;
}

std::string metres(double x) {
    return formatPicture(x, "0.000");
}

std::string signedMetres(double x) {
    return (x >= 0 ? "+" : "") + metres(x);
}

std::string stationName(const SurveyBranch& branch, std::int32_t station) {
    return "station " + branch.labels[station] + " (row " +
           std::to_string(branch.headRow + 1 + station) + ") of branch " + branch.name;
}

std::string arithmeticLine(const SurveyBranch& branch, const ArithmeticCheck& c) {
    const std::string sums =
        "Levelsurvey branch " + branch.name + ": ΣBS - ΣFS = " + metres(c.sights) +
        ", ΣRise - ΣFall = " + metres(c.steps) + ", last RL - first RL = " + metres(c.levels);
    if (c.agrees()) return sums + ": the arithmetic check agrees.";
    return "Warning: " + sums +
           ": the arithmetic check does not agree; look for a reading the reduction passed over "
           "or one booked in the wrong column.";
}

std::string misclosureLine(const std::vector<SurveyBranch>& branches, const Misclosure& m,
                           const std::string& allowance) {
    const SurveyBranch& here = branches[m.branch];
    const SurveyBranch& earlier = branches[m.earlierBranch];
    const std::string text =
        stationName(here, m.station) + " against " + stationName(earlier, m.earlierStation) +
        ": misclosure " + signedMetres(m.misclosure) + " m over " + metres(m.distanceKm) +
        " km, allowance ±" + formatPicture(m.allowanceMm, "0.0") + " mm (" + allowance + ")";
    if (m.beyond()) return "Warning: " + text + ": beyond the allowance.";
    return "Misclosure at " + text + ": within the allowance.";
}

std::string closureLine(const std::vector<Misclosure>& found, const std::string& allowance) {
    if (found.empty())
        return "No station of the level book is levelled twice: there is no misclosure to check.";
    std::size_t beyond = 0;
    for (const Misclosure& m : found)
        beyond += m.beyond() ? 1 : 0;
    const std::string count = std::to_string(found.size());
    if (beyond == 0) {
        return "The level book closes: every station levelled twice (" + count +
               ") is within the allowance of " + allowance + ".";
    }
    return "The level book does not close: the misclosure at " + std::to_string(beyond) + " of " +
           count + " stations levelled twice is beyond the allowance of " + allowance + ".";
}

}  // namespace

bool ArithmeticCheck::agrees() const {
    return std::fabs(sights - steps) < kHalfMillimetre &&
           std::fabs(steps - levels) < kHalfMillimetre;
}

bool Misclosure::beyond() const {
    // The allowance is judged on the misclosure to a tenth of a millimetre.
    return std::round(std::fabs(misclosure) * 10000) / 10 > allowanceMm;
}

ArithmeticCheck arithmeticCheck(const LevelReadings& readings) {
    ArithmeticCheck c;
    for (std::size_t j = 0; j < readings.backsights.size(); ++j)
        c.sights += readings.backsights[j] - readings.foresights[j];
    const auto known = knownLevels(readings);
    std::size_t last = 0;
    for (std::size_t j = 1; j < known.size(); ++j) {
        if (!known[j]) continue;
        c.steps += *riseOrFall(readings, static_cast<std::int32_t>(j));
        last = j;
    }
    c.levels = readings.reducedLevels[last] - readings.reducedLevels[0];
    return c;
}

std::vector<Misclosure> misclosures(const std::vector<SurveyBranch>& branches,
                                    const std::vector<LevelReadings>& readings,
                                    double allowanceMm) {
    std::vector<std::vector<std::optional<double>>> known(branches.size());
    for (std::size_t b = 0; b < branches.size(); ++b) {
        if (isReduced(branches[b], readings[b])) known[b] = knownLevels(readings[b]);
    }
    const auto levelled = [&](StationRef s) {
        return s.station < static_cast<std::int32_t>(known[s.branch].size()) &&
               known[s.branch][s.station].has_value();
    };
    std::vector<Misclosure> found;
    std::vector<double> chainages;  // of the branch of the last station found
    for (const Namesake& n : earlierNamesakes(branches, levelled)) {
        const auto [b, j] = n.station;
        // A station 0 that took its level from its namesake agrees with it by definition.
        if (j == 0 && readings[b].startLevel == 0) continue;
        if (found.empty() || found.back().branch != b) chainages = chainagesOf(branches[b]);
        const double km = chainages[j] / 1000;
        found.push_back({b, j, n.earlier.branch, n.earlier.station,
                         *known[b][j] - *known[n.earlier.branch][n.earlier.station], km,
                         allowanceMm * std::sqrt(km)});
    }
    return found;
}

std::vector<std::string> levelBookChecks(const std::vector<SurveyBranch>& branches,
                                         const std::vector<LevelReadings>& readings,
                                         double allowanceMm) {
    std::vector<std::string> lines;
    for (std::size_t b = 0; b < branches.size(); ++b) {
        if (isReduced(branches[b], readings[b]))
            lines.push_back(arithmeticLine(branches[b], arithmeticCheck(readings[b])));
    }
    const std::string allowance = "±" + generalForm(allowanceMm) + "√K mm";
    const std::vector<Misclosure> found = misclosures(branches, readings, allowanceMm);
    for (const Misclosure& m : found)
        lines.push_back(misclosureLine(branches, m, allowance));
    lines.push_back(closureLine(found, allowance));
    return lines;
}

}  // namespace plovis
