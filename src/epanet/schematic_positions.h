#pragma once
// Where the schematic places every node of the selected network range, so that a network map
// drawn from the exported model looks like the schematic drawing.

#include <string>
#include <unordered_map>

#include "hosts/cad_types.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// Lays the schematic of the active sheet's selected range out in a scratch drawing (the drawing
// in front is not touched) and returns the position of every node by upper-cased label, as the
// schematic first draws it. Empty when the range cannot be read.
std::unordered_map<std::string, Point> schematicPositions(SpreadsheetHost& host, UserInterface& ui);

}  // namespace plovis
