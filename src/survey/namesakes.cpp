#include "survey/namesakes.h"

#include <algorithm>
#include <string>
#include <tuple>

#include "common/letter_case.h"

namespace plovis {
namespace {

struct Entry {
    std::size_t hash;
    StationRef station;
    bool operator<(const Entry& o) const {
        return std::tie(hash, station) < std::tie(o.hash, o.station);
    }
};

// Stations sharing a hash of their label, in book order: labels that only share the hash are
// parted first, then each station after the first branch of its label meets its namesake in
// the branch before.
void namesakesWithin(const std::vector<SurveyBranch>& branches, std::vector<Entry>::iterator first,
                     std::vector<Entry>::iterator last, std::vector<Namesake>& found) {
    std::vector<std::pair<std::string, StationRef>> group;
    for (auto e = first; e != last; ++e)
        group.emplace_back(upperLetters(branches[e->station.branch].labels[e->station.station]),
                           e->station);
    std::stable_sort(group.begin(), group.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::optional<StationRef> previous, current;  // first stations of the last two branches
    for (std::size_t i = 0; i < group.size(); ++i) {
        const StationRef s = group[i].second;
        if (i > 0 && group[i].first != group[i - 1].first) previous = current = std::nullopt;
        if (!current || current->branch != s.branch) {
            previous = current;
            current = s;
        }
        if (previous) found.push_back({s, *previous});
    }
}

}  // namespace

std::vector<Namesake> earlierNamesakes(const std::vector<SurveyBranch>& branches,
                                       const std::function<bool(StationRef)>& admitted) {
    std::vector<Entry> entries;
    for (std::int32_t b = 0; b < static_cast<std::int32_t>(branches.size()); ++b) {
        for (std::int32_t j = 0; j < static_cast<std::int32_t>(branches[b].labels.size()); ++j) {
            if (admitted({b, j}))
                entries.push_back(
                    {std::hash<std::string>{}(upperLetters(branches[b].labels[j])), {b, j}});
        }
    }
    std::sort(entries.begin(), entries.end());
    std::vector<Namesake> found;
    for (auto first = entries.begin(); first != entries.end();) {
        const auto last = std::find_if(first, entries.end(),
                                       [&](const Entry& e) { return e.hash != first->hash; });
        if (last - first > 1) namesakesWithin(branches, first, last, found);
        first = last;
    }
    std::sort(found.begin(), found.end(),
              [](const Namesake& a, const Namesake& b) { return a.station < b.station; });
    return found;
}

std::optional<StationRef> namesakeOf(const std::vector<Namesake>& found, StationRef station) {
    const auto at =
        std::lower_bound(found.begin(), found.end(), station,
                         [](const Namesake& n, const StationRef& s) { return n.station < s; });
    if (at == found.end() || at->station != station) return std::nullopt;
    return at->earlier;
}

std::optional<double> namesakeStartLevel(
    const std::vector<Namesake>& found, std::int32_t branch,
    const std::function<const std::vector<double>&(std::int32_t)>& reducedLevelsOf) {
    const auto earlier = namesakeOf(found, {branch, 0});
    if (!earlier) return std::nullopt;
    return reducedLevelsOf(earlier->branch)[earlier->station];
}

}  // namespace plovis
