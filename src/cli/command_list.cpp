#include "cli/cli.h"
#include "cli/render_command.h"

namespace plovis {

std::vector<CliCommand> allCommands() {
    std::vector<CliCommand> commands;

    // Workbooks

    // Drawings
    commands.push_back(renderCommand());

    // Water demand and pipe design

    // Survey reductions, ground profile and sections

    // Profile, schematic and existing ground profile drawings

    return commands;
}

}  // namespace plovis
