#pragma once
// Stations of a survey book that bear the label of a station of an earlier branch, ignoring
// case: where a branch starts from a station levelled before, and where a station is levelled
// twice. Found by sorting the labels once, so a book of a million stations takes a moment.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "survey/survey_context.h"

namespace plovis {

struct StationRef {
    std::int32_t branch = 0;
    std::int32_t station = 0;
    auto operator<=>(const StationRef&) const = default;
};

struct Namesake {
    StationRef station;
    StationRef earlier;  // the first station of that name in the nearest earlier branch
};

// Every station `admitted` whose label an admitted station of an earlier branch bears, with that
// namesake; in the order of the book.
std::vector<Namesake> earlierNamesakes(const std::vector<SurveyBranch>& branches,
                                       const std::function<bool(StationRef)>& admitted);

// The earlier namesake of a station, looked up in what earlierNamesakes found.
std::optional<StationRef> namesakeOf(const std::vector<Namesake>& found, StationRef station);

// The reduced level a branch starts from when its book gives none: the level of the earlier
// namesake of its station 0 in what earlierNamesakes found among the branches reduced; none
// without one. reducedLevelsOf(i) gives branch i's levels.
std::optional<double> namesakeStartLevel(
    const std::vector<Namesake>& found, std::int32_t branch,
    const std::function<const std::vector<double>&(std::int32_t)>& reducedLevelsOf);

// Whether a branch of a book gives no start level, and so may start from a namesake.
template <typename Readings>
bool anyWithoutStartLevel(const std::vector<Readings>& readings) {
    return std::any_of(readings.begin(), readings.end(),
                       [](const Readings& r) { return r.startLevel == 0; });
}

}  // namespace plovis
