#pragma once
// Reading the selected network range into the schematic's branch table: the scheme header of the
// active sheet, then one item per section row, a new branch at every title row.

#include <stdexcept>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "schematic/schematic_state.h"

namespace plovis {

// A cell of the network range that cannot serve: text where the galvanised iron diameter must be
// a number, or a number beyond a single-precision field. Its text names sheet, cell and field.
struct SchematicDataError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// readSchematicRange: attaches to the spreadsheet host, reads the scheme header (E6, I6, L6 of
// the active sheet) and, when the selection holds two rows or more, the branch table, showing
// "Reading Excel Worksheet ' <sheet> '" and "Reading Excel Rows  r of  n" on the drawing status
// label. Returns false when nothing could be read: with no workbook open it shows "Excel is Not
// Open! ..." (OK starts the host, shows "Click Execute Once Again !" and the command ends there;
// Cancel ends the application). Throws SchematicDataError for a cell that cannot serve.
bool readSchematicRange(SpreadsheetHost& host, SchematicState& state, UserInterface& ui);

}  // namespace plovis
