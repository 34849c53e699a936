#include "hosts/memory_workbook.h"

#include <algorithm>

#include "common/text.h"

namespace plovis {
namespace {

void checkCell(int row, int column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) {
        throw HostError("the cell at row " + std::to_string(row) + ", column " +
                        std::to_string(column) + " is outside the sheet");
    }
}

// Sheet names as spreadsheet programs accept them.
void checkSheetName(const std::string& name) {
    if (name.empty() || name.size() > 31 || name.find_first_of(":\\/?*[]") != std::string::npos ||
        name.front() == '\'' || name.back() == '\'') {
        throw HostError("\"" + name + "\" is not a valid sheet name");
    }
}

}  // namespace

std::size_t MemoryWorksheet::rowIndex(int row) const {
    if (lastFound_ < rows_.size() && rows_[lastFound_].number == row) return lastFound_;
    if (lastFound_ + 1 < rows_.size() && rows_[lastFound_ + 1].number == row) return ++lastFound_;
    const auto it = std::lower_bound(rows_.begin(), rows_.end(), row,
                                     [](const Row& r, int n) { return r.number < n; });
    lastFound_ = static_cast<std::size_t>(it - rows_.begin());
    return lastFound_;
}

MemoryWorksheet::Row* MemoryWorksheet::findRow(int row) {
    const std::size_t i = rowIndex(row);
    return i < rows_.size() && rows_[i].number == row ? &rows_[i] : nullptr;
}

const MemoryWorksheet::Row* MemoryWorksheet::findRow(int row) const {
    const std::size_t i = rowIndex(row);
    return i < rows_.size() && rows_[i].number == row ? &rows_[i] : nullptr;
}

MemoryWorksheet::Row& MemoryWorksheet::rowFor(int row) {
    if (rows_.empty() || rows_.back().number < row) {
        rows_.push_back(Row{row, {}});
        lastFound_ = rows_.size() - 1;
        return rows_.back();
    }
    const std::size_t i = rowIndex(row);
    if (rows_[i].number == row) return rows_[i];
    return *rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(i), Row{row, {}});
}

namespace {

// The first cell of the row at or right of the column.
template <typename Cells>
auto cellAtOrAfter(Cells& cells, int column) {
    // Rows filled from column A without gaps hold column c at position c - 1.
    const auto at = static_cast<std::size_t>(column - 1);
    if (at < cells.size() && cells[at].first == column) return cells.begin() + (column - 1);
    return std::lower_bound(cells.begin(), cells.end(), column,
                            [](const auto& c, int n) { return c.first < n; });
}

}  // namespace

CellValue MemoryWorksheet::cell(int row, int column) const {
    checkCell(row, column);
    const Row* r = findRow(row);
    if (!r) return {};
    const auto it = cellAtOrAfter(r->cells, column);
    if (it == r->cells.end() || it->first != column) return {};
    return it->second;
}

void MemoryWorksheet::put(int row, int column, CellValue value) {
    if (const auto* s = std::get_if<std::string>(&value); s && s->empty()) value = std::monostate{};
    if (isEmpty(value)) {
        if (Row* found = findRow(row)) {
            auto& cells = found->cells;
            const auto it = cellAtOrAfter(cells, column);
            if (it != cells.end() && it->first == column) cells.erase(it);
        }
        return;
    }
    auto& cells = rowFor(row).cells;
    if (cells.empty() || cells.back().first < column) {
        cells.emplace_back(column, std::move(value));
        return;
    }
    const auto it = cellAtOrAfter(cells, column);
    if (it->first == column) {
        it->second = std::move(value);
    } else {
        cells.emplace(it, column, std::move(value));
    }
}

void MemoryWorksheet::dropFormula(int row, int column) {
    if (!formulas_.empty()) formulas_.erase({row, column});
}

void MemoryWorksheet::setCell(int row, int column, const CellValue& value) {
    checkCell(row, column);
    put(row, column, value);
    dropFormula(row, column);
    changed_.emplace(row, column);
}

void MemoryWorksheet::load(int row, int column, CellValue value) {
    checkCell(row, column);
    put(row, column, std::move(value));
    dropFormula(row, column);
}

void MemoryWorksheet::setFormula(int row, int column, std::string_view formula,
                                 const CellValue& cached) {
    checkCell(row, column);
    if (formula.starts_with('=')) formula.remove_prefix(1);
    if (trimBlanks(formula).empty()) {
        throw HostError("the formula for the cell at row " + std::to_string(row) + ", column " +
                        std::to_string(column) + " is empty");
    }
    put(row, column, cached);
    formulas_[{row, column}] = std::string(formula);
    changed_.emplace(row, column);
}

const std::string* MemoryWorksheet::formula(int row, int column) const {
    const auto it = formulas_.find({row, column});
    return it == formulas_.end() ? nullptr : &it->second;
}

void MemoryWorksheet::clearRange(std::string_view a1Range) {
    CellRange range;
    try {
        range = parseA1(a1Range);
    } catch (const AddressError& e) {
        throw HostError(e.what());
    }
    for (auto row = rows_.begin() + static_cast<std::ptrdiff_t>(rowIndex(range.firstRow));
         row != rows_.end() && row->number <= range.lastRow; ++row) {
        auto& cells = row->cells;
        const auto first = cellAtOrAfter(cells, range.firstColumn);
        auto last = first;
        while (last != cells.end() && last->first <= range.lastColumn) {
            changed_.emplace(row->number, last->first);
            ++last;
        }
        cells.erase(first, last);
    }
    for (auto f = formulas_.lower_bound({range.firstRow, 0});
         f != formulas_.end() && f->first.first <= range.lastRow;) {
        const int column = f->first.second;
        if (column >= range.firstColumn && column <= range.lastColumn) {
            changed_.insert(f->first);
            f = formulas_.erase(f);
        } else {
            ++f;
        }
    }
}

int MemoryWorksheet::lastRow() const {
    for (auto r = rows_.rbegin(); r != rows_.rend(); ++r) {
        if (!r->cells.empty()) return r->number;
    }
    return 0;
}

int MemoryWorksheet::lastColumn() const {
    int widest = 0;
    for (const auto& r : rows_) {
        if (!r.cells.empty()) widest = std::max(widest, r.cells.back().first);
    }
    return widest;
}

MemoryWorkbook::MemoryWorkbook(std::string name) : name_(std::move(name)) {}

MemoryWorksheet& MemoryWorkbook::sheetAt(int index) {
    if (index < 0 || index >= sheetCount()) {
        throw HostError("the workbook " + name_ + " has no sheet number " +
                        std::to_string(index + 1));
    }
    return *sheets_[index];
}

MemoryWorksheet* MemoryWorkbook::findSheet(std::string_view name) {
    for (auto& s : sheets_) {
        if (equalsIgnoringCase(s->name(), name)) return s.get();
    }
    return nullptr;
}

MemoryWorksheet& MemoryWorkbook::sheet(std::string_view name) {
    if (MemoryWorksheet* s = findSheet(name)) return *s;
    throw HostError("the workbook " + name_ + " has no sheet named \"" + std::string(name) + "\"");
}

MemoryWorksheet& MemoryWorkbook::activeSheet() {
    if (sheets_.empty()) throw HostError("the workbook " + name_ + " has no sheets");
    return *sheets_[active_];
}

void MemoryWorkbook::setActiveSheet(std::string_view name) {
    MemoryWorksheet& s = sheet(name);
    for (int i = 0; i < sheetCount(); ++i) {
        if (sheets_[i].get() == &s) active_ = i;
    }
}

void MemoryWorkbook::setActiveIndex(int index) {
    sheetAt(index);  // checks the index
    active_ = index;
}

MemoryWorksheet& MemoryWorkbook::addSheet(const std::string& name) {
    checkSheetName(name);
    if (findSheet(name)) throw HostError("the workbook already has a sheet named \"" + name + "\"");
    sheets_.push_back(std::make_unique<MemoryWorksheet>(name));
    return *sheets_.back();
}

bool MemoryWorkbook::modified() const {
    return std::any_of(sheets_.begin(), sheets_.end(),
                       [](const auto& s) { return !s->changedCells().empty(); });
}

void MemoryWorkbook::markSaved() {
    for (auto& s : sheets_)
        s->markSaved();
}

MemoryWorkbook& MemorySpreadsheetHost::activeWorkbook() {
    if (workbooks_.empty()) throw HostError("no workbook is open");
    return *workbooks_.back();
}

MemoryWorkbook& MemorySpreadsheetHost::open(const std::filesystem::path& file) {
    if (!loader_) throw HostError("cannot open " + file.string() + ": no workbook reader");
    return add(loader_(file));
}

MemoryWorkbook& MemorySpreadsheetHost::add(std::unique_ptr<MemoryWorkbook> workbook) {
    workbooks_.push_back(std::move(workbook));
    return *workbooks_.back();
}

}  // namespace plovis
