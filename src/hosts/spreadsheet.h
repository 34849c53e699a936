#pragma once
// The spreadsheet host as the system's routines see it: named sheets of cells in a workbook, the
// workbook's calculation mode and the user's selection. The in-memory workbook, the .xlsx files
// and the desktop's workbook window all stand behind these interfaces.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "common/cell_address.h"
#include "hosts/cell_value.h"
#include "hosts/host_error.h"

namespace plovis {

// The workbook's recalculation mode, with the host's own numbers.
enum class Calculation : int { Manual = -4135, Automatic = -4105 };

class Worksheet {
  public:
    virtual ~Worksheet() = default;

    virtual std::string name() const = 0;
    // Rows and columns are 1-based. Throws HostError outside the sheet (row 1..1048576,
    // column 1..16384).
    virtual CellValue cell(int row, int column) const = 0;
    // Replaces the value (and any formula) of the cell; the empty text leaves the cell empty.
    // The cell's formatting is kept. Throws HostError outside the sheet.
    virtual void setCell(int row, int column, const CellValue& value) = 0;
    // Empties every cell of an A1 range such as "B25:D65000". Throws HostError for a malformed
    // address.
    virtual void clearRange(std::string_view a1Range) = 0;
    // The last row holding any value, or kMaxRows when the host cannot tell: every row after it
    // is empty, so a routine walking a whole-column selection may stop there.
    virtual int lastUsedRow() const { return kMaxRows; }
};

class Workbook {
  public:
    virtual ~Workbook() = default;

    // The file name ("Pipe_Design_Sample.xlsx"), or the name given to a new workbook.
    virtual std::string name() const = 0;
    // The sheets in tab order.
    virtual int sheetCount() const = 0;
    virtual Worksheet& sheetAt(int index) = 0;
    // The sheet of that name (compared ignoring case, as spreadsheet programs do). Throws
    // HostError when the workbook has none.
    virtual Worksheet& sheet(std::string_view name) = 0;
    // The sheet in front.
    virtual Worksheet& activeSheet() = 0;
    virtual void setActiveSheet(std::string_view name) = 0;
    // The selected cells of the active sheet.
    virtual CellRange selection() const = 0;
    virtual void setSelection(const CellRange& range) = 0;
    virtual Calculation calculation() const = 0;
    virtual void setCalculation(Calculation mode) = 0;
    // True once a cell was written or cleared since the workbook was opened or saved.
    virtual bool modified() const = 0;
};

// The selection's address in R1C1 style ("R16C2:R40C2"), as the drawing commands read it.
inline std::string selectionAddressR1C1(const Workbook& wb) {
    return formatR1C1(wb.selection());
}

// The application that holds the open workbooks.
class SpreadsheetHost {
  public:
    virtual ~SpreadsheetHost() = default;

    // The workbook in front. Throws HostError when the host holds no open workbook (there is
    // nothing to attach to).
    virtual Workbook& activeWorkbook() = 0;
    // Starts the host when it is not running (the desktop opens its workbook window, empty).
    virtual void start() = 0;
    virtual void setVisible(bool visible) = 0;
    // Opens a workbook file and brings it to the front. Throws HostError naming the file and the
    // problem.
    virtual Workbook& open(const std::filesystem::path& file) = 0;
};

// The sheet and cell as messages name them: "Levelsurvey D8".
std::string cellName(const Worksheet& sheet, int row, int column);

// A cell read as a number where a routine needs one: by the leading-number rule ("12 m" is 12,
// "abc" and an empty cell 0), except that an error value ("#DIV/0!", "#N/A", ...) is no number
// and a number too large for a double no value. Throws HostError naming the sheet, the cell and
// what it holds: "Water Demand F25 holds the error value #N/A, not a number".
double readNumber(const Worksheet& sheet, int row, int column);

class UserInterface;

// The attach routine every computation and survey command runs first: the active workbook's
// active sheet, or nullptr after the message "Excel application is not open" (the command then
// ends without reading or writing anything). Starts the host when it holds no workbook.
Worksheet* attachSpreadsheet(SpreadsheetHost& host, UserInterface& ui);

}  // namespace plovis
