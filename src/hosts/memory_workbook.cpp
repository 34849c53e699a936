#include "hosts/memory_workbook.h"

#include <algorithm>
#include <variant>

#include "common/text.h"
#include "hosts/formula/formula_shift.h"
#include "hosts/formula/recalculator.h"

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
    readIfUnread();
    if (book_) book_->beforeRead(index_, row, column);
    const CellValue* v = stored(row, column);
    return v ? *v : CellValue{};
}

const CellValue* MemoryWorksheet::stored(int row, int column) const {
    readIfUnread();
    const Row* r = findRow(row);
    if (!r) return nullptr;
    const auto it = cellAtOrAfter(r->cells, column);
    return it == r->cells.end() || it->first != column ? nullptr : &it->second;
}

void MemoryWorksheet::forEachStored(
    const CellRange& range, const std::function<void(int, int, const CellValue&)>& f) const {
    readIfUnread();
    for (std::size_t i = rowIndex(range.firstRow); i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        if (row.number > range.lastRow) break;
        for (auto c = cellAtOrAfter(row.cells, range.firstColumn);
             c != row.cells.end() && c->first <= range.lastColumn; ++c) {
            f(row.number, c->first, c->second);
        }
    }
}

CellKind MemoryWorksheet::kind(int row, int column) const {
    readIfUnread();
    if (kinds_.empty()) return CellKind::Plain;
    const auto it = kinds_.find(cellKey(row, column));
    return it == kinds_.end() ? CellKind::Plain : it->second;
}

void MemoryWorksheet::setKind(int row, int column, CellKind kind) {
    if (kind != CellKind::Plain) {
        kinds_[cellKey(row, column)] = kind;
    } else if (!kinds_.empty()) {
        kinds_.erase(cellKey(row, column));
    }
}

void MemoryWorksheet::noteChange(int row, int column, bool calculate) {
    if (book_) book_->cellChanged(index_, row, column, calculate);
}

void MemoryWorksheet::put(int row, int column, CellValue value, bool keepEmptyText) {
    if (const auto* s = std::get_if<std::string>(&value); s && s->empty() && !keepEmptyText) {
        value = std::monostate{};
    }
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

namespace {

bool keyBefore(const FormulaEntry& e, std::uint64_t key) {
    return e.key < key;
}

}  // namespace

const FormulaEntry* MemoryWorksheet::formulaEntry(int row, int column) const {
    readIfUnread();
    const std::uint64_t key = cellKey(row, column);
    if (formulas_.empty() || key > formulas_.back().key) return nullptr;
    const auto it = std::lower_bound(formulas_.begin(), formulas_.end(), key, keyBefore);
    return it != formulas_.end() && it->key == key ? &*it : nullptr;
}

// The entry of the cell, made when it has none.
FormulaEntry& MemoryWorksheet::formulaAt(int row, int column) {
    const std::uint64_t key = cellKey(row, column);
    if (formulas_.empty() || key > formulas_.back().key) {
        formulas_.push_back({key});
        return formulas_.back();
    }
    const auto it = std::lower_bound(formulas_.begin(), formulas_.end(), key, keyBefore);
    if (it != formulas_.end() && it->key == key) return *it;
    return *formulas_.insert(it, FormulaEntry{key});
}

void MemoryWorksheet::dropFormula(int row, int column) {
    const FormulaEntry* e = formulaEntry(row, column);
    if (!e) return;
    if (origins_.erase(e->key)) keepFilledFormulas(row, column);
    if (!written_.empty()) written_.erase(cellKey(row, column));
    formulas_.erase(formulas_.begin() + (formulaEntry(row, column) - formulas_.data()));
}

void MemoryWorksheet::setCell(int row, int column, const CellValue& value) {
    checkCell(row, column);
    readIfUnread();
    put(row, column, value);
    dropFormula(row, column);
    setKind(row, column, CellKind::Plain);
    changed_.emplace(row, column);
    noteChange(row, column, false);
}

void MemoryWorksheet::load(int row, int column, CellValue value, CellKind kind) {
    checkCell(row, column);
    readIfUnread();
    put(row, column, std::move(value));
    dropFormula(row, column);
    setKind(row, column, kind);
}

// The cells filled from this one get their formulas written out before it loses its own.
void MemoryWorksheet::keepFilledFormulas(int row, int column) {
    const FormulaEntry* origin = formulaEntry(row, column);
    if (!origin) return;
    const std::string text(formulaText(*origin));
    for (FormulaEntry& f : formulas_) {
        if (f.length != 0 || f.originRow != row || f.originColumn != column) continue;
        const std::string moved = formula::shiftFormula(text, static_cast<int>(f.key >> 16) - row,
                                                        static_cast<int>(f.key & 0xFFFF) - column);
        f.offset = static_cast<std::uint32_t>(formulaTexts_.size());
        f.length = static_cast<std::uint32_t>(moved.size());
        formulaTexts_ += moved;
    }
}

void MemoryWorksheet::loadFormula(int row, int column, const StoredFormula& formula) {
    checkCell(row, column);
    readIfUnread();
    FormulaEntry& e = formulaAt(row, column);
    e.offset = static_cast<std::uint32_t>(formulaTexts_.size());
    e.length = static_cast<std::uint32_t>(formula.text.size());
    e.originRow = formula.originRow;
    e.originColumn = formula.originColumn;
    e.array = formula.array;
    formulaTexts_ += formula.text;
    if (formula.text.empty()) origins_.insert(cellKey(formula.originRow, formula.originColumn));
    // A formula never calculated is calculated as the workbook opens.
    if (!stored(row, column)) noteChange(row, column, true);
}

void MemoryWorksheet::storeCalculated(int row, int column, CellValue value, CellKind kind) {
    readIfUnread();
    // A formula giving "" holds the empty text, which reads otherwise than an empty cell.
    put(row, column, std::move(value), true);
    setKind(row, column, kind);
    recalculated_.emplace(row, column);
}

void MemoryWorksheet::setFormula(int row, int column, std::string_view formula,
                                 const CellValue& cached) {
    checkCell(row, column);
    readIfUnread();
    if (formula.starts_with('=')) formula.remove_prefix(1);
    if (trimBlanks(formula).empty()) {
        throw HostError("the formula for the cell at row " + std::to_string(row) + ", column " +
                        std::to_string(column) + " is empty");
    }
    put(row, column, cached);
    setKind(row, column, CellKind::Plain);
    FormulaEntry& e = formulaAt(row, column);
    e = FormulaEntry{cellKey(row, column), static_cast<std::uint32_t>(formulaTexts_.size()),
                     static_cast<std::uint32_t>(formula.size())};
    formulaTexts_ += formula;
    written_.insert(cellKey(row, column));
    changed_.emplace(row, column);
    noteChange(row, column, isEmpty(cached));
}

std::optional<std::string> MemoryWorksheet::formula(int row, int column) const {
    const FormulaEntry* f = formulaEntry(row, column);
    if (!f) return std::nullopt;
    if (f->length != 0) return std::string(formulaText(*f));
    const FormulaEntry* origin = formulaEntry(f->originRow, f->originColumn);
    if (!origin || origin->length == 0) return std::nullopt;
    return formula::shiftFormula(formulaText(*origin), row - f->originRow,
                                 column - f->originColumn);
}

void MemoryWorksheet::clearRange(std::string_view a1Range) {
    readIfUnread();
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
            setKind(row->number, last->first, CellKind::Plain);
            noteChange(row->number, last->first, false);
            ++last;
        }
        cells.erase(first, last);
    }
    std::vector<std::pair<int, int>> cleared;
    for (const FormulaEntry& f : formulas_) {
        const int row = static_cast<int>(f.key >> 16), column = static_cast<int>(f.key & 0xFFFF);
        if (range.contains(row, column)) cleared.emplace_back(row, column);
    }
    for (const auto& [row, column] : cleared) {
        dropFormula(row, column);
        changed_.emplace(row, column);
        noteChange(row, column, false);
    }
}

void MemoryWorksheet::readNow() const {
    book_->reach(index_);
}

void MemoryWorksheet::forgetCells() {
    rows_.clear();
    lastFound_ = 0;
    changed_.clear();
    recalculated_.clear();
    formulas_.clear();
    formulaTexts_.clear();
    kinds_.clear();
    written_.clear();
    origins_.clear();
    unread_ = true;
}

int MemoryWorksheet::lastRow() const {
    readIfUnread();
    for (auto r = rows_.rbegin(); r != rows_.rend(); ++r) {
        if (!r->cells.empty()) return r->number;
    }
    return 0;
}

int MemoryWorksheet::lastColumn() const {
    readIfUnread();
    int widest = 0;
    for (const auto& r : rows_) {
        if (!r.cells.empty()) widest = std::max(widest, r.cells.back().first);
    }
    return widest;
}

MemoryWorkbook::MemoryWorkbook(std::string name) : name_(std::move(name)) {}
MemoryWorkbook::~MemoryWorkbook() = default;

formula::Recalculator& MemoryWorkbook::recalculator() {
    if (!recalculator_) recalculator_ = std::make_unique<formula::Recalculator>(*this);
    return *recalculator_;
}

void MemoryWorkbook::cellChanged(int sheet, int row, int column, bool calculate) {
    if (settling_) return;
    recalculator().changed(sheet, row, column, calculate);
    dirty_ = true;
}

void MemoryWorkbook::recalculate() {
    if (!dirty_ || settling_) return;
    readFormulaSheets(false);
    settled([this] { recalculator().settle(); });
}

RecalculationReport MemoryWorkbook::recalculateAll() {
    readFormulaSheets(true);
    RecalculationReport report;
    settled([&] { report = recalculator().recalculateAll(); });
    return report;
}

// A formula on a sheet not read yet may read a cell that changed, so the sheets that may hold
// formulas are read before a recalculation; sheets of values only are read when a formula
// reaches them.
void MemoryWorkbook::readFormulaSheets(bool all) {
    if (formulaSheetsRead_ && !all) return;
    for (int i = 0; i < sheetCount(); ++i) {
        if (sheets_[i]->unread_ && (all || unreadSheetMayHoldFormulas(i))) reach(i);
    }
    formulaSheetsRead_ = true;
}

// Runs one recalculation with settling_ set, so that the reads and writes it makes do not start
// another; on success the workbook is clean and knows whether stale cells remain, on a failure
// it stays dirty.
void MemoryWorkbook::settled(const std::function<void()>& recalculation) {
    struct Settling {
        bool& flag;
        explicit Settling(bool& f) : flag(f) { flag = true; }
        ~Settling() { flag = false; }
    } settling(settling_);
    recalculation();
    dirty_ = false;
    staleCells_ = recalculator_->hasStale();
}

void MemoryWorkbook::settleAndCheck(int sheet, int row, int column) {
    if (settling_) return;
    if (dirty_ && calculation_ == Calculation::Automatic) recalculate();
    if (!staleCells_) return;
    if (const std::string* why = recalculator_->staleReason(sheet, row, column)) {
        notices_.warnOnce("'" + sheets_[sheet]->name() + "'!" + columnLetters(column) +
                          std::to_string(row) + " was read with its stored value, which may be " +
                          "out of date: " + *why + ".");
    }
}

int MemoryWorkbook::lastRecalculationVisits() const {
    return recalculator_ ? recalculator_->lastVisited() : 0;
}

void MemoryWorkbook::setDefinedNames(std::vector<DefinedName> names) {
    names_ = std::move(names);
    if (recalculator_) recalculator_->structureChanged();
}

MemoryWorksheet& MemoryWorkbook::sheetAt(int index) {
    if (index < 0 || index >= sheetCount()) {
        throw HostError("the workbook " + name_ + " has no sheet number " +
                        std::to_string(index + 1));
    }
    return *sheets_[index];
}

const std::string& MemoryWorkbook::sheetName(int index) const {
    return sheets_.at(static_cast<std::size_t>(index))->name_;
}

MemoryWorksheet* MemoryWorkbook::sheetIfRead(int index) {
    MemoryWorksheet& s = *sheets_.at(static_cast<std::size_t>(index));
    return s.unread_ ? nullptr : &s;
}

const MemoryWorksheet* MemoryWorkbook::sheetIfRead(int index) const {
    const MemoryWorksheet& s = *sheets_.at(static_cast<std::size_t>(index));
    return s.unread_ ? nullptr : &s;
}

void MemoryWorkbook::readAllSheets() {
    for (int i = 0; i < sheetCount(); ++i)
        reach(i);
}

MemoryWorksheet& MemoryWorkbook::reach(int index) {
    MemoryWorksheet& s = *sheets_[index];
    if (!s.unread_) return s;
    s.unread_ = false;
    const bool wasDirty = dirty_;
    try {
        readSheet(index, s);
    } catch (...) {
        s.forgetCells();  // what was read up to the fault: the sheet is read afresh when next
                          // reached
        throw;
    }
    // Cells are read one at a time, so a row's list grows by doubling: a sheet of a million rows
    // would keep a third of its cell memory unused.
    for (MemoryWorksheet::Row& row : s.rows_)
        row.cells.shrink_to_fit();
    s.rows_.shrink_to_fit();
    // Its formulas join the others at the next recalculation.
    if (!s.formulas().empty() && recalculator_) recalculator_->structureChanged();
    // Formulas the file holds without their values (written by a script) are calculated as the
    // sheet is read, as spreadsheet programs do on opening the file.
    if (!wasDirty && dirty_) recalculate();
    return s;
}

void MemoryWorkbook::addUnreadSheet(const std::string& name) {
    addSheet(name).unread_ = true;
    formulaSheetsRead_ = false;
}

void MemoryWorkbook::readSheet(int, MemoryWorksheet&) {}

bool MemoryWorkbook::unreadSheetMayHoldFormulas(int) {
    return true;
}

MemoryWorksheet* MemoryWorkbook::findSheet(std::string_view name) {
    for (int i = 0; i < sheetCount(); ++i) {
        if (equalsIgnoringCase(sheets_[i]->name_, name)) return sheets_[i].get();
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
    for (int i = 0; i < sheetCount(); ++i) {
        if (equalsIgnoringCase(sheets_[i]->name_, name)) {
            active_ = i;
            return;
        }
    }
    throw HostError("the workbook " + name_ + " has no sheet named \"" + std::string(name) + "\"");
}

void MemoryWorkbook::setActiveIndex(int index) {
    if (index < 0 || index >= sheetCount()) {
        throw HostError("the workbook " + name_ + " has no sheet number " +
                        std::to_string(index + 1));
    }
    active_ = index;
}

MemoryWorksheet& MemoryWorkbook::addSheet(const std::string& name) {
    checkSheetName(name);
    const bool taken = std::any_of(sheets_.begin(), sheets_.end(), [&](const auto& s) {
        return equalsIgnoringCase(s->name_, name);
    });
    if (taken) throw HostError("the workbook already has a sheet named \"" + name + "\"");
    sheets_.push_back(std::make_unique<MemoryWorksheet>(name));
    sheets_.back()->book_ = this;
    sheets_.back()->index_ = sheetCount() - 1;
    // A formula naming the sheet read as #REF! until now.
    if (recalculator_) recalculator_->structureChanged();
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
