#include "shell/cell_edits.h"

#include <algorithm>
#include <cstdlib>

#include "common/number_format.h"
#include "common/text.h"

namespace plovis {
namespace {

// The whole text as a number (blanks around it allowed), or none.
std::optional<double> wholeNumber(const std::string& text) {
    const std::string trimmed(trimBlanks(text));
    if (trimmed.empty()) return std::nullopt;
    const bool percent = trimmed.back() == '%';
    const std::string digits = percent ? trimmed.substr(0, trimmed.size() - 1) : trimmed;
    if (digits.empty() || digits.find_first_of("0123456789") == std::string::npos) {
        return std::nullopt;
    }
    if (digits.find_first_not_of("0123456789+-.eE") != std::string::npos) return std::nullopt;
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size()) return std::nullopt;
    return percent ? value / 100 : value;
}

}  // namespace

CellState cellState(const MemoryWorksheet& sheet, int row, int column) {
    if (auto formula = sheet.formula(row, column)) return {CellValue{}, std::move(formula)};
    const CellValue* stored = sheet.stored(row, column);
    return {stored ? *stored : CellValue{}, std::nullopt};
}

void writeState(MemoryWorksheet& sheet, int row, int column, const CellState& state) {
    if (state.formula) {
        sheet.setFormula(row, column, *state.formula, CellValue{});
    } else {
        sheet.setCell(row, column, state.value);
    }
}

CellState typedState(const std::string& typed) {
    if (typed.size() > 1 && typed.front() == '=') return {CellValue{}, typed.substr(1)};
    if (!typed.empty() && typed.front() == '\'') return {CellValue{typed.substr(1)}, std::nullopt};
    if (trimBlanks(typed).empty()) return {};
    if (const auto number = wholeNumber(typed)) return {CellValue{*number}, std::nullopt};
    return {CellValue{typed}, std::nullopt};
}

std::string editText(const CellState& state) {
    if (state.formula) return "=" + *state.formula;
    if (const auto* number = std::get_if<double>(&state.value)) return generalForm(*number);
    if (const auto* text = std::get_if<std::string>(&state.value)) return *text;
    return {};
}

std::optional<WorkbookSnapshot> snapshotOf(const MemoryWorkbook& workbook, std::size_t limit) {
    WorkbookSnapshot snapshot;
    std::size_t cellsKept = 0;
    auto& book = const_cast<MemoryWorkbook&>(workbook);  // reading only: sheetAt has no const form
    for (int i = 0; i < book.sheetCount(); ++i) {
        const MemoryWorksheet& sheet = book.sheetAt(i);
        snapshot.written.push_back(sheet.changedCells());
        auto& cells = snapshot.sheets.emplace_back();
        const CellRange used{1, 1, std::max(sheet.lastRow(), 1), std::max(sheet.lastColumn(), 1)};
        sheet.forEachStored(used, [&](int row, int column, const CellValue& value) {
            if (++cellsKept <= limit) cells[cellKey(row, column)] = {value, std::nullopt};
        });
        if (cellsKept > limit) return std::nullopt;
        for (const FormulaEntry& f : sheet.formulas()) {
            const int row = static_cast<int>(f.key >> 16),
                      column = static_cast<int>(f.key & 0xFFFF);
            cells[f.key] = cellState(sheet, row, column);
        }
    }
    return snapshot;
}

std::vector<CellChange> changesSince(const WorkbookSnapshot& snapshot, MemoryWorkbook& workbook) {
    std::vector<CellChange> changes;
    const int count =
        std::min<int>(workbook.sheetCount(), static_cast<int>(snapshot.sheets.size()));
    for (int i = 0; i < count; ++i) {
        const MemoryWorksheet& sheet = workbook.sheetAt(i);
        const auto& before = snapshot.sheets[static_cast<std::size_t>(i)];
        for (const auto& [row, column] : sheet.changedCells()) {
            const auto found = before.find(cellKey(row, column));
            CellState then = found != before.end() ? found->second : CellState{};
            CellState now = cellState(sheet, row, column);
            if (then != now) changes.push_back({i, row, column, std::move(then), std::move(now)});
        }
    }
    return changes;
}

std::vector<std::set<std::pair<int, int>>> writtenSince(const WorkbookSnapshot& snapshot,
                                                        MemoryWorkbook& workbook) {
    const auto count = static_cast<std::size_t>(workbook.sheetCount());
    std::vector<std::set<std::pair<int, int>>> written(count);
    for (std::size_t i = 0; i < count; ++i) {
        const auto* before = i < snapshot.written.size() ? &snapshot.written[i] : nullptr;
        for (const auto& cell : workbook.sheetAt(static_cast<int>(i)).changedCells()) {
            if (!before || !before->count(cell)) written[i].insert(cell);
        }
    }
    for (const CellChange& c : changesSince(snapshot, workbook))
        written[static_cast<std::size_t>(c.sheet)].insert({c.row, c.column});
    return written;
}

void applyChanges(MemoryWorkbook& workbook, const std::vector<CellChange>& changes, bool undo) {
    if (undo) {
        for (auto c = changes.rbegin(); c != changes.rend(); ++c)
            writeState(workbook.sheetAt(c->sheet), c->row, c->column, c->before);
    } else {
        for (const CellChange& c : changes)
            writeState(workbook.sheetAt(c.sheet), c.row, c.column, c.after);
    }
}

}  // namespace plovis
