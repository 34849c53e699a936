#pragma once
// The main window's "Schematic" button and Drawing menu entry (cmdSchematic, mnuSchematic). The
// schematic sets its own captions on the drawing status label, so the command table adds none.
// The desktop window and the command line both run it.

#include <filesystem>

#include "hosts/cad_host.h"
#include "hosts/drawing_sheets.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "scheme/drawing_preparation.h"

namespace plovis {

// Draws the schematic of the network range selected on the active sheet into the drawing in
// front of the CAD host, with the template drawing's symbols. True when it was drawn. Throws
// DrawingTooLarge, before drawing, for a network beyond the limits.
bool schematicCommand(SpreadsheetHost& sheets, CadHost& cad, UserInterface& ui,
                      const std::filesystem::path& templateFile = templateDrawingPath(),
                      const DrawingLimits& limits = {});

}  // namespace plovis
