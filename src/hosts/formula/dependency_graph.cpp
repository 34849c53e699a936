#include "hosts/formula/dependency_graph.h"

namespace plovis::formula {
namespace {

constexpr int kWideArea = 64;

}  // namespace

void DependencyGraph::addCell(int sheet, int row, int column, int reader) {
    if (sealed_) {
        extra_[key(sheet, row, column)].push_back(reader);
    } else {
        sorted_.emplace_back(key(sheet, row, column), reader);
    }
}

void DependencyGraph::addArea(int sheet, const CellRange& range, int reader) {
    const auto id =
        std::tuple{sheet, range.firstRow, range.firstColumn, range.lastRow, range.lastColumn};
    auto [it, fresh] = areaIds_.try_emplace(id, static_cast<int>(areas_.size()));
    if (fresh) {
        areas_.push_back({sheet, range, {}});
        if (range.columnCount() > kWideArea) {
            wide_.push_back(it->second);
        } else {
            for (int c = range.firstColumn; c <= range.lastColumn; ++c)
                byColumn_[columnKey(sheet, c)].push_back(it->second);
        }
    }
    areas_[it->second].readers.push_back(reader);
}

void DependencyGraph::seal() {
    std::sort(sorted_.begin(), sorted_.end());
    sealed_ = true;
}

}  // namespace plovis::formula
