#pragma once
// The stations of the branches levelled so far, by label ignoring case, so that finding the
// namesake of a station in an earlier branch is one look-up however long the book is.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "survey/survey_context.h"

namespace plovis {

struct StationRef {
    std::int32_t branch = 0;
    std::int32_t station = 0;
};

class StationIndex {
  public:
    // Adds the stations of branch b for which `include` holds, or all of them. For each label the
    // latest branch added wins, and within a branch its first station of that name. The branch
    // must outlive the index.
    void add(std::int32_t b, const SurveyBranch& branch,
             const std::function<bool(std::int32_t)>& include = nullptr);
    // The station of the latest branch added whose label matches, ignoring case.
    std::optional<StationRef> find(std::string_view label) const;

  private:
    void catchUp() const;
    void index(std::int32_t b, const SurveyBranch& branch,
               const std::function<bool(std::int32_t)>& include) const;

    // Whole branches are indexed at the first look-up: most books give every branch its start
    // level, and then no branch is ever looked up.
    mutable std::vector<std::pair<std::int32_t, const SurveyBranch*>> waiting_;
    mutable std::unordered_map<std::string, StationRef> latest_;
};

// The reduced level a branch starts from when its book gives none: the level of the namesake of its
// station 0 among the branches reduced before it (the nearest earlier branch first, its stations
// in order); none when no reduced station matches. reducedLevelsOf(i) gives branch i's levels.
std::optional<double> namesakeStationLevel(
    const StationIndex& reduced, const SurveyBranch& branch,
    const std::function<const std::vector<double>&(std::int32_t)>& reducedLevelsOf);

}  // namespace plovis
