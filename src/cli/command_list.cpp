#include "cli/cells_command.h"
#include "cli/check_commands.h"
#include "cli/cli.h"
#include "cli/computation_commands.h"
#include "cli/drawing_commands.h"
#include "cli/recalc_command.h"
#include "cli/render_command.h"
#include "commands/command_table.h"

namespace plovis {

std::vector<CliCommand> allCommands() {
    std::vector<CliCommand> commands = {cellsCommand(), recalcCommand(), renderCommand()};
    // The main window's commands, in menu order.
    for (const CommandEntry& entry : commandTable()) {
        switch (entry.kind) {
            case CommandKind::Workbook:
                commands.push_back(computationCommand(entry));
                break;
            case CommandKind::DesignCheck:
                commands.push_back(designCheckCliCommand(entry));
                break;
            case CommandKind::Profile:
                commands.push_back(profileCommand(entry));
                break;
            case CommandKind::Schematic:
                commands.push_back(schematicDrawingCommand(entry));
                break;
            case CommandKind::GroundProfile:
                commands.push_back(groundProfileCommand(entry));
                break;
            case CommandKind::OpenSample:
            case CommandKind::TemplateDrawing:
                break;  // the desktop's own
        }
    }
    commands.push_back(exportInpCliCommand());
    return commands;
}

}  // namespace plovis
