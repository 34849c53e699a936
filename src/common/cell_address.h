#pragma once
// Cell addresses: column letters, A1 ranges ("B25:D65000"), R1C1 ranges ("R16C2:R40C2") and
// sheet-qualified ranges ("PD-CW-Sample!B15:B40"). Rows and columns are 1-based.

#include <stdexcept>
#include <string>
#include <string_view>

namespace plovis {

// The largest sheet spreadsheet programs handle; addresses beyond it are malformed.
inline constexpr int kMaxRows = 1'048'576;
inline constexpr int kMaxColumns = 16'384;  // column XFD

struct AddressError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

// A rectangle of cells, first <= last in both directions.
struct CellRange {
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;

    int rowCount() const { return lastRow - firstRow + 1; }
    int columnCount() const { return lastColumn - firstColumn + 1; }
    bool contains(int row, int column) const {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    bool operator==(const CellRange&) const = default;
};

// One end of a reference as written: a cell (B7, $B$7), a whole column (B) or a whole row (7).
// A part that is absent is 0.
struct ReferencePart {
    int column = 0;
    int row = 0;
    bool columnAbsolute = false;
    bool rowAbsolute = false;
};

// Why a text is not a reference part; the readers of addresses, of cell references in a
// workbook's parts and of formulas each decide which of these they accept.
enum class ReferenceFault {
    None,
    Empty,         // neither column letters nor row digits
    TooLong,       // more column letters than any sheet has
    ColumnBeyond,  // beyond column XFD
    RowZero,       // rows start at 1
    RowBeyond,     // beyond row 1048576
    Trailing,      // characters after the row digits, or a "$" without what it fixes
};

// The one lexer of references: optional "$", column letters (either case), optional "$", row
// digits. Reads the whole text.
ReferenceFault lexReferencePart(std::string_view text, ReferencePart& part);

// "A" -> 1, "Z" -> 26, "AA" -> 27, "XFD" -> 16384; lower case accepted. Throws AddressError.
int columnNumber(std::string_view letters);
// 1 -> "A", 28 -> "AB". Throws AddressError outside 1..16384.
std::string columnLetters(int column);

// "B25", "B25:D65000", "$B$25:$D$65000", "d65000:b25" (corners in any order). Throws AddressError.
CellRange parseA1(std::string_view address);
// "B25:D65000", or "B25" for a single cell.
std::string formatA1(const CellRange& range);
// "R16C2:R40C2", or "R16C2" for a single cell, as a selection's address in R1C1 style reads.
std::string formatR1C1(const CellRange& range);

struct SheetRange {
    std::string sheet;  // empty when the text named no sheet
    CellRange range;
};

// "Sheet!B15:B40", "'Water Demand'!F20" (a doubled quote inside quotes stands for one), or a plain
// range without a sheet. Throws AddressError naming the text.
SheetRange parseSheetRange(std::string_view text);

}  // namespace plovis
