#include "cli/cells_command.h"
#include "cli/cli.h"

namespace plovis {

std::vector<CliCommand> allCommands() {
    std::vector<CliCommand> commands;

    // Workbooks
    commands.push_back(cellsCommand());

    // Drawings

    // Water demand and pipe design

    // Survey reductions, ground profile and sections

    // Profile, schematic and existing ground profile drawings

    return commands;
}

}  // namespace plovis
