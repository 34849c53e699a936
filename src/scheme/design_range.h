#pragma once
// Reading the selected design range: the selection's address, the sixteen design cells of every
// selected row, the node label check and the branches found at the title rows.

#include <functional>
#include <string_view>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "scheme/design_table.h"

namespace plovis {

// The drawing commands' answer when the spreadsheet holds no workbook to read: "Excel is Not
// Open! ..." with OK and Cancel. OK starts the host for the user to open the workbook and run
// the command again ("Click Execute Once Again !" on the drawing status); Cancel ends the
// application.
void offerToStartSpreadsheet(SpreadsheetHost& host, UserInterface& ui);

// The bounds in an R1C1 address such as "R16C1:R40C1". The text after the last ":" gives the
// last row and column, the text before it the first ones, each split at its last "C"; an address
// without ":" (a single cell) gives zeros.
Selection parseSelectionAddress(std::string_view r1c1);

// readSelectionAddress: the workbook's current selection, parsed.
Selection readSelectionAddress(const Workbook& workbook);

// A usable design range is one column wide and at least two rows high.
inline bool isDesignSelection(const Selection& s) {
    return s.firstRow != s.lastRow && s.firstCol == s.lastCol;
}

// requestSelection, repeated until the selection is usable: "First Select the Correct Range and
// Then Click OK!" with OK and Cancel. OK lets the user select again through `reselect` (false
// when nobody can select: then it ends like Cancel); Cancel ends the application.
Selection requestDesignSelection(Workbook& workbook, UserInterface& ui,
                                 const std::function<bool()>& reselect);

// Reads the sixteen design cells of every selected row into table.columns, showing
// "Reading Excel Rows  i of  n" on the drawing status label for each row.
void readDesignRows(const Worksheet& sheet, DesignTable& table, UserInterface& ui);

// checkDesignRows: two empty node labels in a row (the end mark counted) mean a broken table;
// shows "Error occured at the row number " with the position + 16 and returns false.
bool checkDesignRows(const DesignColumns& columns, int rowCount, UserInterface& ui);

}  // namespace plovis
