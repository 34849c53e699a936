#pragma once
// The workbook's formulas kept up to date: compiled once (cells filled with "the same" formula
// share one compiled form), linked by what they read, and recalculated in dependency order when
// something they read changes. What cannot be computed (an unknown function, an array formula, a
// link to another workbook, a circular reference) keeps its stored value and is remembered as
// stale, so that reading it can be reported.

#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "hosts/formula/dependency_graph.h"
#include "hosts/formula/evaluator.h"
#include "hosts/memory_workbook.h"

namespace plovis::formula {

class Recalculator : public CellSource {
  public:
    explicit Recalculator(MemoryWorkbook& workbook) : wb_(workbook) {}

    // A cell's value or formula changed; calculate: the cell's own formula is to be computed too
    // (it came without a value).
    void changed(int sheet, int row, int column, bool calculate);
    // Sheets were added or names defined: formulas are compiled again at the next recalculation.
    void structureChanged() { built_ = false; }
    // Recalculates what depends on the changes since the last call.
    void settle();
    RecalculationReport recalculateAll();
    // How many formulas the last recalculation evaluated.
    int lastVisited() const { return visited_; }

    bool hasStale() const { return !stale_.empty(); }
    // Why the cell's stored value could not be recalculated after a change, or nullptr.
    const std::string* staleReason(int sheet, int row, int column) const;

    Value value(int sheet, int row, int column) const override;
    void forEach(const Area& area,
                 const std::function<void(int, int, const Value&)>& f) const override;
    int lastRow(int sheet) const override;
    int lastColumn(int sheet) const override;
    const CompiledFormula* name(std::string_view upperName, int sheet) const override;

  private:
    struct FormulaCell {
        int sheet, row, column;
        int compiled;
        bool array = false;
        bool removed = false;
    };
    struct Pending {
        int sheet, row, column;
        bool calculate;
    };

    int sheetNumber(std::string_view name) const;
    void build();
    int enroll(int sheet, int row, int column, const FormulaEntry& f);
    int compile(int sheet, const FormulaEntry& f);
    CompiledFormula compileText(std::string_view text, int row, int column) const;
    void link(int id);
    void linkReference(const Reference& r, const FormulaCell& c, int id);
    void linkSpan(const CompiledFormula& f, const Node& range, const FormulaCell& c, int id);
    std::vector<int> spread(const std::vector<int>& formulas, const std::vector<Pending>& cells);
    void run(const std::vector<int>& dirty, RecalculationReport* report);
    // Evaluates the formula; the reason it cannot be, or empty.
    std::string evaluate(const FormulaCell& c);
    std::string cellName(const FormulaCell& c) const;
    static std::uint64_t key(int sheet, int row, int column) {
        return (static_cast<std::uint64_t>(sheet) << 40) | cellKey(row, column);
    }

    MemoryWorkbook& wb_;
    bool built_ = false;
    std::vector<FormulaCell> cells_;
    std::unordered_map<std::uint64_t, int> at_;  // by key(): the formula a cell holds now
    DependencyGraph graph_;
    std::vector<CompiledFormula> compiled_;
    std::unordered_map<std::string, int> byKey_;         // by the lexer's key
    std::map<std::tuple<int, int, int>, int> byOrigin_;  // shared formulas by their origin
    mutable std::map<std::pair<std::string, int>, std::unique_ptr<CompiledFormula>> names_;
    std::vector<Pending> pending_;
    std::unordered_map<std::uint64_t, std::string> stale_;
    mutable std::vector<std::pair<int, int>> used_;  // per sheet: last row and column, -1 unknown
    std::vector<char> dirty_;
    std::vector<int> indegree_;
    int visited_ = 0;
};

}  // namespace plovis::formula
