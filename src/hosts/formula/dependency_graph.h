#pragma once
// Which formulas read which cells: for a changed cell, the formulas to recalculate. Single cells
// are kept in one sorted table (built once, looked up by halving), ranges by the columns they
// cover, so a change finds its readers without looking at every formula.

#include <algorithm>
#include <cstdint>
#include <map>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "common/cell_address.h"

namespace plovis::formula {

class DependencyGraph {
  public:
    // The formula `reader` (a number of the caller's) reads the cell or the range.
    void addCell(int sheet, int row, int column, int reader);
    void addArea(int sheet, const CellRange& range, int reader);
    // Sorts what was added so far; later additions are kept aside and looked up as well.
    void seal();

    template <typename F>
    void forEachReader(int sheet, int row, int column, F f) const {
        const std::uint64_t k = key(sheet, row, column);
        const auto lo = std::lower_bound(sorted_.begin(), sorted_.end(), std::pair{k, -1});
        for (auto it = lo; it != sorted_.end() && it->first == k; ++it)
            f(it->second);
        if (!extra_.empty()) {
            if (const auto e = extra_.find(k); e != extra_.end()) {
                for (int r : e->second)
                    f(r);
            }
        }
        if (areas_.empty()) return;
        if (const auto c = byColumn_.find(columnKey(sheet, column)); c != byColumn_.end()) {
            for (int a : c->second)
                areaReaders(areas_[a], sheet, row, column, f);
        }
        for (int a : wide_)
            areaReaders(areas_[a], sheet, row, column, f);
    }

  private:
    struct AreaReaders {
        int sheet;
        CellRange range;
        std::vector<int> readers;
    };
    static std::uint64_t key(int sheet, int row, int column) {
        return (static_cast<std::uint64_t>(sheet) << 40) | (static_cast<std::uint64_t>(row) << 16) |
               static_cast<std::uint64_t>(column);
    }
    static std::uint64_t columnKey(int sheet, int column) {
        return (static_cast<std::uint64_t>(sheet) << 16) | static_cast<std::uint64_t>(column);
    }
    template <typename F>
    static void areaReaders(const AreaReaders& a, int sheet, int row, int column, F& f) {
        if (a.sheet != sheet || !a.range.contains(row, column)) return;
        for (int r : a.readers)
            f(r);
    }

    std::vector<std::pair<std::uint64_t, int>> sorted_;
    std::unordered_map<std::uint64_t, std::vector<int>> extra_;
    bool sealed_ = false;
    std::vector<AreaReaders> areas_;
    std::map<std::tuple<int, int, int, int, int>, int> areaIds_;
    std::unordered_map<std::uint64_t, std::vector<int>> byColumn_;  // areas up to 64 columns wide
    std::vector<int> wide_;
};

}  // namespace plovis::formula
