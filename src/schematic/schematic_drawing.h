#pragma once
// The schematic command (cmdSchematic_Click): a not-to-scale diagram of the whole network in the
// selected range, under a title block with the scheme's name, source and safe yield.

#include <filesystem>

#include "hosts/cad_host.h"
#include "hosts/drawing_sheets.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"
#include "schematic/schematic_state.h"

namespace plovis {

// Prepares the drawing (the template's blocks, text styles "romans" and "romand"), reads the
// network range of the active sheet and draws the title block and every branch into the drawing in
// front. Returns true when the schematic was drawn. A selection of fewer than two rows shows
// "Selection range is not correct." (title "ERROR"); a cell that cannot serve is named in a
// message; with no workbook open the command ends after the spreadsheet host was started. A
// missing template ends the application (ApplicationEnds); a host failure while drawing (a
// missing block, say) goes on as HostError. A network whose drawing would pass the limits throws
// DrawingTooLarge before anything of it is drawn.
bool drawSchematic(SpreadsheetHost& sheets, CadHost& cad, UserInterface& ui,
                   const std::filesystem::path& templateFile, const DrawingLimits& limits = {});

// The entities the network's drawing holds at most, its symbols opened up.
double schematicEntities(const SchematicState& state);

// The title block: scheme name, source and safe yield, centred on x = 0 at y = 22, 18 and 14.
void writeTitleBlock(const SchematicState& state, CadBlock& space);

}  // namespace plovis
