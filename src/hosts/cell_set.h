#pragma once
// A set of cells of one sheet, as (row, column), kept as one vector of keys sorted when looked
// at: a command writing a million cells (mostly in row order) costs 8 bytes a cell, not a tree
// node each.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace plovis {

class CellSet {
  public:
    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::pair<int, int>;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = value_type;

        explicit const_iterator(const std::uint64_t* at) : at_(at) {}
        value_type operator*() const {
            return {static_cast<int>(*at_ >> 16), static_cast<int>(*at_ & 0xFFFF)};
        }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        bool operator==(const const_iterator& o) const { return at_ == o.at_; }

      private:
        const std::uint64_t* at_;
    };

    void emplace(int row, int column) {
        const std::uint64_t k = key(row, column);
        if (!keys_.empty() && k <= keys_.back()) {
            if (k == keys_.back()) return;
            sorted_ = false;
        }
        keys_.push_back(k);
    }
    std::size_t count(const std::pair<int, int>& cell) const {
        settle();
        return std::binary_search(keys_.begin(), keys_.end(), key(cell.first, cell.second)) ? 1 : 0;
    }
    std::size_t size() const {
        settle();
        return keys_.size();
    }
    bool empty() const { return keys_.empty(); }
    void clear() {
        keys_.clear();
        keys_.shrink_to_fit();
        sorted_ = true;
    }
    // The i-th cell in row, then column order.
    std::pair<int, int> operator[](std::size_t i) const {
        settle();
        return *const_iterator(keys_.data() + i);
    }
    const_iterator begin() const {
        settle();
        return const_iterator(keys_.data());
    }
    const_iterator end() const {
        settle();
        return const_iterator(keys_.data() + keys_.size());
    }

  private:
    static std::uint64_t key(int row, int column) {
        return (static_cast<std::uint64_t>(row) << 16) | static_cast<std::uint64_t>(column);
    }
    // Sorts what came out of order and drops repeats.
    void settle() const {
        if (sorted_) return;
        std::sort(keys_.begin(), keys_.end());
        keys_.erase(std::unique(keys_.begin(), keys_.end()), keys_.end());
        sorted_ = true;
    }

    mutable std::vector<std::uint64_t> keys_;
    mutable bool sorted_ = true;
};

}  // namespace plovis
