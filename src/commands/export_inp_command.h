#pragma once
// The designed network as an EPANET input file (`plovis export-inp`), for checking the design
// with EPANET's solver.

#include <filesystem>
#include <string>
#include <vector>

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

struct InpExport {
    std::string text;                   // the input file
    std::vector<std::string> warnings;  // what the model cannot reproduce of the design
};

// The network of the selected design range of the active sheet (useSelection), or of the whole
// table of "PD-CW-Sample" (which then becomes the selection the schematic layout reads). Node
// coordinates come from the schematic's layout of the same range. Throws HostError for a missing
// sheet, PipeTableError for a cell that cannot serve.
InpExport exportNetworkInp(SpreadsheetHost& host, UserInterface& ui, bool useSelection);

}  // namespace plovis
