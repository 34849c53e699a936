#pragma once
// Commands that work on a workbook file: `plovis <name> WORKBOOK [--range 'Sheet!B15:B40']
// [--save-as PATH] [--yes|--no] [--quiet]`. The workbook is opened as the host's active workbook,
// the command runs with the console as its user interface, and the workbook is saved when the
// command wrote cells.

#include <functional>
#include <string>

#include "cli/cli.h"
#include "cli/output_files.h"
#include "commands/command_table.h"
#include "hosts/spreadsheet.h"

namespace CLI {
class App;
}

namespace plovis {

// The files a command writes besides the workbook (its drawing, its pictures) and reads besides
// it (a template), each named as the command line names it.
struct CommandFiles {
    std::vector<NamedFile> outputs, inputs;
};

struct WorkbookCommandDefinition {
    std::string name;            // "water-demand"
    std::string summary;         // one line for `plovis --help`
    std::string description;     // longer text for `plovis help <name>`
    bool takesRange = false;     // accepts --range 'Sheet!B15:B40' (sets active sheet + selection)
    bool asksQuestions = false;  // accepts --yes / --no
    // Optional: more options for the command (drawing commands will add --out, --hscale, ...).
    std::function<void(CLI::App&)> addOptions;
    // When the file cannot be opened, print why and run the command with no workbook open, so
    // that it answers as it does when the spreadsheet is not reachable (the drawing commands ask
    // whether to start it). Otherwise the command does not run.
    bool runsWithoutWorkbook = false;
    // Optional: the command's other files, checked before it runs: none it writes may be the
    // workbook, a file it reads or --save-as (a usage error).
    std::function<CommandFiles()> files;
};

// The definition of a command of the command table: its name, summary and help as the table has
// them.
WorkbookCommandDefinition commandDefinition(const CommandEntry& entry);

// A command body that also needs the console itself: its streams (to read from the terminal) and
// its user interface (to name a safe answer for when nobody is there to ask).
using ConsoleWorkbookBody =
    std::function<bool(SpreadsheetHost&, ConsoleUserInterface&, const ConsoleStreams&)>;

// `plovis <name> WORKBOOK [--range R] [--save-as PATH] [--yes|--no] [--quiet]`: opens the
// workbook into a MemorySpreadsheetHost (active workbook = the file), runs body with the console
// user interface, saves in place or to --save-as when the body wrote cells (also when it returned
// false after writing some), leaves the file untouched when nothing was written; exit status 0
// done / 1 reported failure or bad file / 2 the application ended (ApplicationEnds: nothing saved).
// A body that throws (a failure no routine answered) saves nothing either.
CliCommand workbookCommand(WorkbookCommandDefinition settings,
                           std::function<bool(SpreadsheetHost&, UserInterface&)> body);
CliCommand workbookCommand(WorkbookCommandDefinition settings, ConsoleWorkbookBody body);

// Adds --save-as PATH: a name ending in .xlsx or .xlsm (any case); the empty name is refused.
void addSaveAsOption(CLI::App& sub, std::string& saveAs);

class MemoryWorkbook;
// Prints the warnings the workbook gathered while the command ran (a value read that could not be
// recalculated) to the terminal.
void printNotices(MemoryWorkbook& workbook, const ConsoleStreams& streams);

// Makes the range's sheet the active one (when the text names one) and selects the range.
// Throws AddressError for a malformed range, HostError for a sheet the workbook lacks.
void selectRange(Workbook& workbook, std::string_view sheetRange);

}  // namespace plovis
