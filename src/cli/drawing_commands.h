#pragma once
// The drawing commands of the command table on a scheme workbook: the pipe line profile, the
// network schematic and the existing ground profile, each written as DXF with optional PDF, SVG
// and PNG pictures.

#include "cli/cli.h"

namespace plovis {

struct CommandEntry;

CliCommand profileCommand(const CommandEntry& entry);
CliCommand schematicDrawingCommand(const CommandEntry& entry);
CliCommand groundProfileCommand(const CommandEntry& entry);

}  // namespace plovis
