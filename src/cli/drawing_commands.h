#pragma once
// The drawing commands on a scheme workbook: the pipe line profile, the network schematic and the
// existing ground profile, each written as DXF with optional PDF, SVG and PNG pictures.

#include <vector>

#include "cli/cli.h"

namespace plovis {

std::vector<CliCommand> drawingCommands();

}  // namespace plovis
