#include "cli/cells_command.h"
#include "cli/cli.h"
#include "cli/computation_commands.h"
#include "cli/drawing_commands.h"
#include "cli/recalc_command.h"
#include "cli/render_command.h"

namespace plovis {

std::vector<CliCommand> allCommands() {
    std::vector<CliCommand> commands;

    // Workbooks
    commands.push_back(cellsCommand());
    commands.push_back(recalcCommand());

    // Drawings
    commands.push_back(renderCommand());

    // Water demand and pipe design
    for (auto& c : designCommands())
        commands.push_back(std::move(c));

    // Survey reductions, ground profile and sections
    for (auto& c : surveyCommands())
        commands.push_back(std::move(c));

    // Profile, schematic and existing ground profile drawings
    for (auto& c : drawingCommands())
        commands.push_back(std::move(c));

    return commands;
}

}  // namespace plovis
