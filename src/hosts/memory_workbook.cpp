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

CellValue MemoryWorksheet::cell(int row, int column) const {
    checkCell(row, column);
    if (row > static_cast<int>(rows_.size())) return {};
    const auto& r = rows_[row - 1];
    if (column > static_cast<int>(r.size())) return {};
    return r[column - 1];
}

void MemoryWorksheet::put(int row, int column, CellValue value) {
    if (const auto* s = std::get_if<std::string>(&value); s && s->empty()) value = std::monostate{};
    if (isEmpty(value) && (row > static_cast<int>(rows_.size()) ||
                           column > static_cast<int>(rows_[row - 1].size()))) {
        return;  // already empty: nothing to grow
    }
    if (row > static_cast<int>(rows_.size())) rows_.resize(row);
    auto& r = rows_[row - 1];
    if (column > static_cast<int>(r.size())) r.resize(column);
    r[column - 1] = std::move(value);
}

void MemoryWorksheet::setCell(int row, int column, const CellValue& value) {
    checkCell(row, column);
    put(row, column, value);
    changed_.emplace(row, column);
}

void MemoryWorksheet::load(int row, int column, CellValue value) {
    checkCell(row, column);
    put(row, column, std::move(value));
}

void MemoryWorksheet::clearRange(std::string_view a1Range) {
    CellRange range;
    try {
        range = parseA1(a1Range);
    } catch (const AddressError& e) {
        throw HostError(e.what());
    }
    const int lastRow = std::min(range.lastRow, static_cast<int>(rows_.size()));
    for (int row = range.firstRow; row <= lastRow; ++row) {
        auto& r = rows_[row - 1];
        const int lastColumn = std::min(range.lastColumn, static_cast<int>(r.size()));
        for (int column = range.firstColumn; column <= lastColumn; ++column) {
            if (isEmpty(r[column - 1])) continue;
            r[column - 1] = std::monostate{};
            changed_.emplace(row, column);
        }
    }
}

int MemoryWorksheet::lastColumn() const {
    std::size_t widest = 0;
    for (const auto& r : rows_)
        widest = std::max(widest, r.size());
    return static_cast<int>(widest);
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
