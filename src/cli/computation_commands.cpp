#include "cli/computation_commands.h"

#include "cli/workbook_command.h"
#include "commands/command_table.h"

namespace plovis {

CliCommand computationCommand(const CommandEntry& entry) {
    WorkbookCommandSpec settings;
    settings.name = entry.name;
    settings.summary = entry.summary;
    settings.description = entry.help;
    settings.asksQuestions = true;
    return workbookCommand(settings, entry.workbookBody);
}

}  // namespace plovis
