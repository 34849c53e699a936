#pragma once
// The workbook held in memory: sheets of sparse cells. It is the model behind a workbook file and
// the workbook of every domain test.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "hosts/cell_set.h"
#include "hosts/formula/value.h"
#include "hosts/spreadsheet.h"

namespace plovis {

class MemoryWorkbook;
namespace formula {
class Recalculator;
}
using formula::CellKind;

// A formula a cell holds: its text (without "="), or, for a cell filled from another one (a
// shared formula of a file), the cell whose text it reads as moved to its own place.
struct StoredFormula {
    std::string_view text;  // empty: read the text of the origin cell
    int originRow = 0, originColumn = 0;
    bool array = false;  // an array formula, which the host leaves to the spreadsheet program
};

// A formula as the sheet keeps it: its text in the sheet's store of formula texts.
struct FormulaEntry {
    std::uint64_t key = 0;  // cellKey of the cell
    std::uint32_t offset = 0, length = 0;
    int originRow = 0, originColumn = 0;  // length 0: read the text of this cell
    bool array = false;
};

// The key of a cell in the maps of a sheet: row and column in one number.
inline std::uint64_t cellKey(int row, int column) {
    return (static_cast<std::uint64_t>(row) << 16) | static_cast<std::uint64_t>(column);
}

class MemoryWorksheet : public Worksheet {
  public:
    explicit MemoryWorksheet(std::string name) : name_(std::move(name)) {}

    std::string name() const override { return name_; }
    CellValue cell(int row, int column) const override;
    void setCell(int row, int column, const CellValue& value) override;
    void clearRange(std::string_view a1Range) override;

    // Stores a value as read from a file: not counted as a change. Fastest in row order. A text
    // may stand for a boolean ("TRUE") or an error ("#DIV/0!"), as kind says.
    void load(int row, int column, CellValue value, CellKind kind = CellKind::Plain);
    // Stores a formula as read from a file, beside the value load() gave the cell (none: the
    // formula was never calculated). Not counted as a change.
    void loadFormula(int row, int column, const StoredFormula& formula);
    // Writes a formula together with the value it calculates to, as a spreadsheet program holds
    // a calculated cell: the cell reads as `cached` until something it depends on changes (an
    // empty `cached`: the workbook calculates it), and a save writes both. The formula is the
    // text typed into the cell ("=I16-J16"; the leading "=" may be left out). Writing or clearing
    // the cell afterwards drops the formula. Throws HostError outside the sheet or for an empty
    // formula.
    void setFormula(int row, int column, std::string_view formula, const CellValue& cached);
    // The cell's formula without its "=" (a shared formula moved to the cell), or none.
    std::optional<std::string> formula(int row, int column) const;
    // The formulas of the sheet, by cell (row, then column), and their texts.
    const std::vector<FormulaEntry>& formulas() const { return formulas_; }
    const FormulaEntry* formulaEntry(int row, int column) const;
    std::string_view formulaText(const FormulaEntry& e) const {
        return std::string_view(formulaTexts_).substr(e.offset, e.length);
    }
    // Whether setFormula wrote the cell's formula since the last markSaved() (the file does not
    // hold it yet).
    bool formulaWritten(int row, int column) const {
        return written_.count(cellKey(row, column)) > 0;
    }
    // The cells written or cleared since the last markSaved(), as (row, column), in row order.
    const CellSet& changedCells() const { return changed_; }
    // The formula cells whose value the workbook recalculated since the last markSaved().
    const CellSet& recalculatedCells() const { return recalculated_; }
    void markSaved() {
        changed_.clear();
        recalculated_.clear();
        written_.clear();
    }
    // How the cell's text reads: as text, or as the boolean or error it stands for.
    CellKind kind(int row, int column) const;
    // The stored value without recalculation or checks (nullptr for an empty cell): what formulas
    // read.
    const CellValue* stored(int row, int column) const;
    // Every cell of the range holding a value, row by row.
    void forEachStored(const CellRange& range,
                       const std::function<void(int row, int column, const CellValue&)>& f) const;
    // Stores the value a formula calculated to (not counted as a change of the user's).
    void storeCalculated(int row, int column, CellValue value, CellKind kind);
    // The last row holding any value (0 for an empty sheet) and the last column holding any value
    // in any row (0 for an empty sheet).
    int lastRow() const;
    int lastColumn() const;
    int lastUsedRow() const override { return lastRow(); }

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
    void put(int row, int column, CellValue value, bool keepEmptyText = false);
    void dropFormula(int row, int column);
    void setKind(int row, int column, CellKind kind);
    void keepFilledFormulas(int row, int column);
    FormulaEntry& formulaAt(int row, int column);
    void noteChange(int row, int column, bool calculate);
    // A sheet of a file is read when its cells are first asked for (its name is known before).
    void readIfUnread() const {
        if (unread_) readNow();
    }
    void readNow() const;
    void forgetCells();
    friend class MemoryWorkbook;

    std::string name_;
    std::vector<Row> rows_;  // by row number, ascending; a row may be left empty after clearing
    // Where the last row lookup ended: routines walk a sheet row by row, so the next row asked for
    // is mostly this one or the one after.
    mutable std::size_t lastFound_ = 0;
    CellSet changed_;
    CellSet recalculated_;
    std::vector<FormulaEntry> formulas_;  // by key; a file's come in that order
    std::string formulaTexts_;
    std::unordered_map<std::uint64_t, CellKind> kinds_;  // booleans and errors only
    std::set<std::uint64_t> written_;                    // formulas setFormula wrote
    std::set<std::uint64_t> origins_;  // cells whose formula others were filled from
    MemoryWorkbook* book_ = nullptr;   // the workbook that recalculates the sheet's formulas
    int index_ = 0;                    // the sheet's place in that workbook
    bool unread_ = false;              // its cells are still in the file, read when first reached
};

// Messages for the user that the workbook gathers while a command runs (a value read that could
// not be recalculated); the command's runner shows them when the command ends.
class WorkbookNotices {
  public:
    // Adds a warning, unless one was given already since the last take(): one per command.
    void warnOnce(std::string text) {
        if (!warned_) messages_.push_back(std::move(text));
        warned_ = true;
    }
    std::vector<std::string> take() {
        warned_ = false;
        return std::exchange(messages_, {});
    }

  private:
    std::vector<std::string> messages_;
    bool warned_ = false;
};

// A name the workbook defines: "Rate" for 'DATA INPUT'!$E$22, for the workbook or one sheet.
struct DefinedName {
    std::string name;
    int sheet = -1;  // the sheet's index for a name of one sheet; -1 for the workbook's
    std::string formula;
};

// What a full recalculation found.
struct RecalculationReport {
    int computed = 0;
    // Cells left with their stored values, and why ("Sheet!A1", "the function X is unknown").
    std::vector<std::pair<std::string, std::string>> notComputed;
    std::vector<std::string> circular;  // cells in (or depending on) a circular reference
};

class MemoryWorkbook : public Workbook {
  public:
    explicit MemoryWorkbook(std::string name = "Book1");

    std::string name() const override { return name_; }
    void setName(std::string name) { name_ = std::move(name); }
    int sheetCount() const override { return static_cast<int>(sheets_.size()); }
    // The sheets. A sheet of a file is read when its cells are first asked for: a cell read or
    // written then throws UnreadableSheet when the sheet cannot be read.
    MemoryWorksheet& sheetAt(int index) override;
    MemoryWorksheet& sheet(std::string_view name) override;
    MemoryWorksheet& activeSheet() override;
    // A sheet's name, without reading its cells.
    const std::string& sheetName(int index) const;
    // The sheet when its cells were read already, or nullptr (a sheet not reached yet).
    MemoryWorksheet* sheetIfRead(int index);
    const MemoryWorksheet* sheetIfRead(int index) const;
    // Reads every sheet not read yet (a window showing them all).
    void readAllSheets();
    void setActiveSheet(std::string_view name) override;
    CellRange selection() const override { return selection_; }
    void setSelection(const CellRange& range) override { selection_ = range; }
    Calculation calculation() const override { return calculation_; }
    // Back to automatic: what changed while manual is recalculated before it is read.
    void setCalculation(Calculation mode) override { calculation_ = mode; }
    bool modified() const override;
    ~MemoryWorkbook() override;

    // Adds a sheet at the end of the tabs; the first sheet added becomes the active one.
    // Throws HostError when the name is taken (ignoring case) or not a valid sheet name.
    MemoryWorksheet& addSheet(const std::string& name);
    // The sheet of that name, or nullptr.
    MemoryWorksheet* findSheet(std::string_view name);
    int activeIndex() const { return active_; }
    void setActiveIndex(int index);
    // Clears every sheet's change list (after a save).
    void markSaved();

    // Formulas. Recalculates what depends on the cells changed since the last recalculation
    // (reads do so by themselves while calculation is automatic).
    void recalculate();
    // Recalculates every formula of the workbook.
    RecalculationReport recalculateAll();
    // How many formulas the last recalculation evaluated.
    int lastRecalculationVisits() const;
    void setDefinedNames(std::vector<DefinedName> names);
    const std::vector<DefinedName>& definedNames() const { return names_; }
    WorkbookNotices& notices() { return notices_; }
    // Called by the sheets: before a cell is read, and after one was written.
    void beforeRead(int sheet, int row, int column) {
        if (dirty_ || staleCells_) settleAndCheck(sheet, row, column);
    }
    void cellChanged(int sheet, int row, int column, bool calculate);

  protected:
    // Adds a sheet whose cells stay in the file until a routine first reaches the sheet; then
    // readSheet() fills it.
    void addUnreadSheet(const std::string& name);
    // Fills a sheet added unread. Throws UnreadableSheet; the sheet then stays unread and empty.
    virtual void readSheet(int index, MemoryWorksheet& sheet);
    // Whether an unread sheet may hold formulas: a recalculation reads those sheets first, since
    // a formula on one may depend on any cell written. True unless the file tells otherwise.
    virtual bool unreadSheetMayHoldFormulas(int index);

  private:
    friend class MemoryWorksheet;
    MemoryWorksheet& reach(int index);
    void readFormulaSheets(bool all);
    void settleAndCheck(int sheet, int row, int column);
    void settled(const std::function<void()>& recalculation);
    formula::Recalculator& recalculator();

    std::string name_;
    std::vector<std::unique_ptr<MemoryWorksheet>> sheets_;
    int active_ = 0;
    CellRange selection_{};
    Calculation calculation_ = Calculation::Automatic;
    std::vector<DefinedName> names_;
    WorkbookNotices notices_;
    std::unique_ptr<formula::Recalculator> recalculator_;
    bool dirty_ = false;       // cells changed since the last recalculation
    bool staleCells_ = false;  // some formula could not follow a change
    bool settling_ = false;
    bool formulaSheetsRead_ = false;  // no unread sheet may hold formulas
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
