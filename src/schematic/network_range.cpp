#include "schematic/network_range.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "common/cell_address.h"
#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/rounding.h"
#include "common/text.h"
#include "schematic/single_form.h"
#include "scheme/design_range.h"
#include "scheme/design_values.h"

namespace plovis {
namespace {

// The cells of the active sheet, read as the branch table needs them. A value that cannot serve
// is reported with its sheet and cell.
class RangeCells {
  public:
    explicit RangeCells(const Worksheet& sheet) : sheet_(sheet) {}

    std::string text(int row, int column) const { return cellText(sheet_.cell(row, column)); }
    int lastUsedRow() const { return sheet_.lastUsedRow(); }

    // The leading-number reading of the cell.
    double leading(int row, int column, const char* what) const {
        try {
            return cellNumber(sheet_.cell(row, column));
        } catch (const NumberOverflow& e) {
            fail(row, column, std::string(e.what()) + " (" + what + ")");
        }
    }

    // The leading-number reading, kept in a single-precision field.
    float single(int row, int column, const char* what) const {
        return checkedSingle(leading(row, column, what), row, column, what);
    }

    // The cell's value converted to a single-precision number: empty is 0, a text must be a
    // number as a whole ("25", not "25 mm").
    float converted(int row, int column, const char* what) const {
        try {
            return checkedSingle(designNumber(sheet_.cell(row, column), what), row, column, what);
        } catch (const ProfileDataError& e) {
            fail(row, column, e.what());
        }
    }

  private:
    float checkedSingle(double value, int row, int column, const char* what) const {
        if (std::fabs(value) > std::numeric_limits<float>::max()) {
            fail(row, column,
                 "the number " + generalForm(value) + " is too large (" + std::string(what) + ")");
        }
        return toSingle(value);
    }

    [[noreturn]] void fail(int row, int column, const std::string& problem) const {
        throw SchematicDataError("Sheet '" + sheet_.name() + "', cell " +
                                 formatA1({row, column, row, column}) + ": " + problem);
    }

    const Worksheet& sheet_;
};

// Step 1 of the reading, the one trapped region: the active workbook, or nullptr after the user
// was told the spreadsheet host is not open (and it was started for the next run).
Workbook* attachActiveWorkbook(SpreadsheetHost& host, UserInterface& ui) {
    try {
        Workbook& workbook = host.activeWorkbook();
        const std::string name = workbook.activeSheet().name();
        ui.setStatus(StatusLabel::DrawingStatus, "Reading Excel Worksheet ' " + name + " '");
        return &workbook;
    } catch (const HostError&) {
    }
    offerToStartSpreadsheet(host, ui);
    return nullptr;
}

void readHeader(const RangeCells& cells, SchematicState& state) {
    state.schemeName = cells.text(6, 5);
    state.sourceName = cells.text(6, 9);
    if (state.sourceName.empty()) state.sourceName = "---";
    state.safeYield = generalForm(cells.leading(6, 12, "safe yield"));
}

// The pipe of a section: the plastic pipe's diameter and class when a diameter is given, else the
// galvanised iron pipe's (63H(6), 25GI(M)).
std::string pipeLabel(const RangeCells& cells, int row, int col) {
    const float d1 = cells.single(row, col + 13, "plastic pipe diameter");
    const std::string c1 = generalForm(cells.leading(row, col + 14, "plastic pipe class"));
    const float d2 = cells.converted(row, col + 16, "galvanised iron pipe diameter");
    const std::string c2 = cells.text(row, col + 17);
    if (d1 != 0) return singleForm(d1) + "H(" + c1 + ")";
    return singleForm(d2) + "GI(" + c2 + ")";
}

SchematicItem readItem(const RangeCells& cells, int row, int col) {
    SchematicItem item;
    item.fromNode = cells.text(row, col + 1);
    item.toNode = cells.text(row, col + 2);
    item.length = cells.single(row, col + 3, "stretch length");
    item.flow = cells.single(row, col + 5, "design flow");
    item.direction = upperCase(cells.text(row, col + 6));
    item.fromLevel = cells.single(row, col + 7, "ground level at the start node");
    item.toLevel = cells.single(row, col + 8, "ground level at the end node");
    item.pipeLabel = pipeLabel(cells, row, col);
    return item;
}

// Closing a branch stores its last index and drops the room it did not use. A branch of one item
// (lastIndex 0) is not closed: its lastItem is 0 already.
void closeBranch(SchematicBranch& branch, int lastIndex) {
    branch.lastItem = lastIndex;
    branch.items.resize(lastIndex + 1);
}

void addBranch(SchematicState& state, std::string title) {
    SchematicBranch branch;
    branch.title = std::move(title);
    state.schematicBranches.push_back(std::move(branch));
}

void readBranches(const RangeCells& cells, SchematicState& state, UserInterface& ui) {
    const int col = state.selection.firstCol;
    int lastIndex = -1;
    // Rows after the sheet's last used one are blank and open nothing: a whole-column selection
    // is read as far as the sheet holds values.
    const int rows =
        std::min(state.rowCount, std::max(0, cells.lastUsedRow() - state.selection.firstRow + 1));
    for (int r = 0; r < rows; ++r) {
        ui.setStatus(StatusLabel::DrawingStatus,
                     "Reading Excel Rows " + strForm(r + 1) + " of " + strForm(state.rowCount));
        const int row = state.selection.firstRow + r;
        // A blank row (no number, no title, no node) opens no branch: it only spaces the table.
        if (cells.text(row, col).empty() && cells.text(row, col + 1).empty() &&
            cells.text(row, col + 2).empty()) {
            continue;
        }
        if (cells.text(row, col).empty()) {
            if (lastIndex > 0 && state.lastBranch() >= 0) {
                closeBranch(state.schematicBranches.back(), lastIndex);
            }
            addBranch(state, cells.text(row, col + 1));
            lastIndex = -1;
            continue;
        }
        if (state.lastBranch() < 0) addBranch(state, cells.text(row, col + 1));
        std::vector<SchematicItem>& items = state.schematicBranches.back().items;
        ++lastIndex;
        // The item array grows with the branch, however many sections it has.
        if (static_cast<int>(items.size()) <= lastIndex) items.resize(lastIndex + 1);
        items[lastIndex] = readItem(cells, row, col);
    }
    if (lastIndex >= 0 && state.lastBranch() >= 0) {
        closeBranch(state.schematicBranches.back(), lastIndex);
    }
}

}  // namespace

bool readSchematicRange(SpreadsheetHost& host, SchematicState& state, UserInterface& ui) {
    Workbook* workbook = attachActiveWorkbook(host, ui);
    if (!workbook) return false;
    const RangeCells cells(workbook->activeSheet());
    readHeader(cells, state);
    state.selection = readSelectionAddress(*workbook);
    state.rowCount = state.selection.lastRow - state.selection.firstRow + 1;
    state.clearBranches();
    if (state.rowCount <= 1) return true;
    readBranches(cells, state, ui);
    return true;
}

}  // namespace plovis
