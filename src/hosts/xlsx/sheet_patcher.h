#pragma once
// Writes changed cells into a worksheet part, leaving every other byte of it as it was.

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "hosts/cell_value.h"
#include "hosts/formula/value.h"

namespace plovis::xlsx {

struct CellEdit {
    int row = 0;
    int column = 0;
    CellValue value;  // empty: the cell is emptied
    // A formula written into the cell (without "="), value being what it calculates to; empty:
    // the cell holds only its value.
    std::string formula = {};
    // A text value standing for a boolean or an error (written as such, t="b" or t="e").
    formula::CellKind kind = formula::CellKind::Plain;
    // The cell keeps the formula the file holds, only its calculated value is new.
    bool keepFormula = false;
};

// The sheet part with the edits (in row, then column order) applied:
// - an edited cell keeps its style (s) and loses its formula, type and value metadata; a number
//   is stored as a number, a text as an inline string; an emptied cell keeps only its style, and
//   goes when it had none;
// - a cell given a formula holds it with its calculated value (a text value as a formula string);
//   a formula without a value is stored uncalculated;
// - a new cell takes the style of its row (when the row is formatted) or of its column;
// - a cell keeping its formula (keepFormula) holds its <f> element as it was, with the new value
//   and type;
// - a shared formula whose first cell was overwritten is written out in full in each cell that
//   still used it, so those cells keep their formulas;
// - the recorded used range (dimension) grows to take in the new cells.
// Throws PackageError for a text or formula longer than a cell can hold or a part that is not a
// worksheet.
std::string patchSheet(std::string_view xml, const std::vector<CellEdit>& edits);

// The edits of a sheet handed out one at a time, in row, then column order: a sheet of a million
// written cells is patched without a list of them all beside it.
class CellEdits {
  public:
    virtual ~CellEdits() = default;
    virtual std::size_t size() const = 0;
    // The cell of edit i, as (row, column).
    virtual std::pair<int, int> cell(std::size_t i) const = 0;
    // Whether edit i leaves anything in its cell (a value or a formula).
    virtual bool fills(std::size_t i) const = 0;
    // Edit i, valid until the next call.
    virtual const CellEdit& edit(std::size_t i) const = 0;
};
// About how long the patched part comes out: the part and some 48 bytes for each edited cell.
std::size_t patchedSizeEstimate(std::string_view xml, const CellEdits& edits);

// The patched part handed to `write` in pieces, one after the other; a piece is valid only during
// the call.
using PieceWriter = std::function<void(std::string_view)>;
void patchSheetInPieces(std::string_view xml, const CellEdits& edits, const PieceWriter& write);

// An empty worksheet part, for a sheet added to a workbook.
std::string emptySheetXml();

}  // namespace plovis::xlsx
