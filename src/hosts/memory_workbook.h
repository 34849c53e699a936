#pragma once
// The workbook held in memory: sheets of sparse cells. It is the model behind a workbook file and
// the workbook of every domain test.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "hosts/spreadsheet.h"

namespace plovis {

class MemoryWorksheet : public Worksheet {
  public:
    explicit MemoryWorksheet(std::string name) : name_(std::move(name)) {}

    std::string name() const override { return name_; }
    CellValue cell(int row, int column) const override;
    void setCell(int row, int column, const CellValue& value) override;
    void clearRange(std::string_view a1Range) override;

    // Stores a value as read from a file: not counted as a change. Fastest in row order.
    void load(int row, int column, CellValue value);
    // Writes a formula together with the value it calculates to, as a spreadsheet program holds
    // a calculated cell: the cell reads as `cached`, and a save writes both. The formula is the
    // text typed into the cell ("=I16-J16"; the leading "=" may be left out). Writing or clearing
    // the cell afterwards drops the formula. Throws HostError outside the sheet or for an empty
    // formula.
    void setFormula(int row, int column, std::string_view formula, const CellValue& cached);
    // The formula written into the cell by setFormula since the last markSaved(), without its
    // "=", or nullptr. Formulas a file already held are kept in the file, not here.
    const std::string* formula(int row, int column) const;
    // The cells written or cleared since the last markSaved(), as (row, column), in row order.
    const std::set<std::pair<int, int>>& changedCells() const { return changed_; }
    void markSaved() {
        changed_.clear();
        formulas_.clear();
    }
    // The last row holding any value (0 for an empty sheet) and the last column holding any value
    // in any row (0 for an empty sheet).
    int lastRow() const;
    int lastColumn() const;

  private:
    // Only cells holding a value are kept, so memory follows the cells filled, not how far apart
    // they lie (a value in column XFD costs no more than one in column A).
    struct Row {
        int number = 0;
        std::vector<std::pair<int, CellValue>> cells;  // by column, ascending; no empty values
    };
    // The index of the row, or of the first row after it (rows_.size() when none).
    std::size_t rowIndex(int row) const;
    Row* findRow(int row);
    const Row* findRow(int row) const;
    Row& rowFor(int row);
    void put(int row, int column, CellValue value);
    void dropFormula(int row, int column);

    std::string name_;
    std::vector<Row> rows_;  // by row number, ascending; a row may be left empty after clearing
    // Where the last row lookup ended: routines walk a sheet row by row, so the next row asked for
    // is mostly this one or the one after.
    mutable std::size_t lastFound_ = 0;
    std::set<std::pair<int, int>> changed_;
    std::map<std::pair<int, int>, std::string> formulas_;  // (row, column) -> formula without "="
};

class MemoryWorkbook : public Workbook {
  public:
    explicit MemoryWorkbook(std::string name = "Book1");

    std::string name() const override { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    int sheetCount() const override { return static_cast<int>(sheets_.size()); }
    MemoryWorksheet& sheetAt(int index) override;
    MemoryWorksheet& sheet(std::string_view name) override;
    MemoryWorksheet& activeSheet() override;
    void setActiveSheet(std::string_view name) override;
    CellRange selection() const override { return selection_; }
    void setSelection(const CellRange& range) override { selection_ = range; }
    Calculation calculation() const override { return calculation_; }
    void setCalculation(Calculation mode) override { calculation_ = mode; }
    bool modified() const override;

    // Adds a sheet at the end of the tabs; the first sheet added becomes the active one.
    // Throws HostError when the name is taken (ignoring case) or not a valid sheet name.
    MemoryWorksheet& addSheet(const std::string& name);
    // The sheet of that name, or nullptr.
    MemoryWorksheet* findSheet(std::string_view name);
    int activeIndex() const { return active_; }
    void setActiveIndex(int index);
    // Clears every sheet's change list (after a save).
    void markSaved();

  private:
    std::string name_;
    std::vector<std::unique_ptr<MemoryWorksheet>> sheets_;
    int active_ = 0;
    CellRange selection_{};
    Calculation calculation_ = Calculation::Automatic;
};

// A host holding workbooks in memory: what tests attach to. open() reads .xlsx files through the
// loader given (none: opening fails).
class MemorySpreadsheetHost : public SpreadsheetHost {
  public:
    using Loader = std::function<std::unique_ptr<MemoryWorkbook>(const std::filesystem::path&)>;
    explicit MemorySpreadsheetHost(Loader loader = {}) : loader_(std::move(loader)) {}

    MemoryWorkbook& activeWorkbook() override;
    void start() override { started_ = true; }
    void setVisible(bool visible) override { visible_ = visible; }
    MemoryWorkbook& open(const std::filesystem::path& file) override;

    // Adds a workbook and brings it to the front.
    MemoryWorkbook& add(std::unique_ptr<MemoryWorkbook> workbook);
    bool started() const { return started_; }
    bool visible() const { return visible_; }

  private:
    Loader loader_;
    std::vector<std::unique_ptr<MemoryWorkbook>> workbooks_;
    bool started_ = false;
    bool visible_ = false;
};

}  // namespace plovis
