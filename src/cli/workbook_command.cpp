#include "cli/workbook_command.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "common/file_io.h"
#include "hosts/xlsx/converted_workbook.h"
#include "hosts/xlsx/xlsx_workbook.h"

namespace plovis {
namespace {

struct WorkbookArguments {
    std::string workbook;
    std::string range;
    std::string saveAs;
    std::shared_ptr<ConsoleOptions> console = std::make_shared<ConsoleOptions>();
};

using Body = ConsoleWorkbookBody;

}  // namespace

void printNotices(MemoryWorkbook& workbook, const ConsoleStreams& streams) {
    for (const std::string& notice : workbook.notices().take())
        streams.err << "plovis: warning: " << notice << '\n';
}

namespace {

// Before the command runs: nothing it will write may be the workbook or another of its files.
void checkFiles(const WorkbookArguments& args, const WorkbookCommandDefinition& settings) {
    CommandFiles files = settings.files ? settings.files() : CommandFiles{};
    files.inputs.push_back({"the workbook", args.workbook});
    // --save-as naming the workbook itself is a save in place.
    if (args.saveAs != args.workbook && !sameFile(args.saveAs, args.workbook))
        files.outputs.push_back({"--save-as", args.saveAs});
    refuseOverwriting(files.outputs, files.inputs);
}

bool runOnWorkbook(const WorkbookArguments& args, const WorkbookCommandDefinition& settings,
                   const Body& body, const ConsoleStreams& streams, ConsoleUserInterface& ui) {
    checkFiles(args, settings);
    MemorySpreadsheetHost host(xlsxLoader());
    std::unique_ptr<XlsxWorkbook> opened;
    // An .xls or .ods scheme is converted to an .xlsx beside it, which the command works on.
    std::string file = args.workbook;
    try {
        const WorkbookToOpen toOpen = workbookToOpen(args.workbook);
        file = toOpen.file.string();
        if (!toOpen.note.empty() && !args.console->quiet) streams.err << toOpen.note << '\n';
        opened = XlsxWorkbook::open(file);
    } catch (const std::runtime_error& e) {  // any file that cannot be opened as a workbook
        if (!settings.runsWithoutWorkbook) throw;
        streams.err << "plovis: " << e.what() << '\n';
        return body(host, ui, streams);
    }
    XlsxWorkbook& workbook = *opened;
    host.add(std::move(opened));
    if (!args.range.empty()) selectRange(workbook, args.range);

    bool done = false;
    try {
        done = body(host, ui, streams);
        printNotices(workbook, streams);
    } catch (const ApplicationEnds&) {
        printNotices(workbook, streams);
        throw;  // the command ended the application: nothing is saved
    } catch (const std::exception& e) {
        printNotices(workbook, streams);
        if (!workbook.modified()) throw;
        throw std::runtime_error(std::string(e.what()) + " (" + file + " was not saved)");
    }
    if (ui.endRequested()) return done;
    const std::string target = args.saveAs.empty() ? file : args.saveAs;
    if (workbook.modified()) {
        workbook.save(target);
        if (!args.console->quiet) streams.err << "Saved " << target << "\n";
    } else if (!args.saveAs.empty() && !args.console->quiet) {
        streams.err << "No cell was written, so " << args.saveAs << " was not made.\n";
    }
    return done;
}

}  // namespace

WorkbookCommandDefinition commandDefinition(const CommandEntry& entry) {
    WorkbookCommandDefinition definition;
    definition.name = entry.name;
    definition.summary = entry.summary;
    definition.description = entry.help;
    return definition;
}

void addSaveAsOption(CLI::App& sub, std::string& saveAs) {
    requireExtension(sub.add_option("--save-as", saveAs,
                                    "Save the workbook to this file (.xlsx, or .xlsm for a "
                                    "workbook with macros) and leave WORKBOOK as it was"),
                     {".xlsx", ".xlsm"});
}

void selectRange(Workbook& workbook, std::string_view sheetRange) {
    const SheetRange r = parseSheetRange(sheetRange);
    if (!r.sheet.empty()) workbook.setActiveSheet(r.sheet);
    workbook.setSelection(r.range);
}

CliCommand workbookCommand(WorkbookCommandDefinition settings,
                           std::function<bool(SpreadsheetHost&, UserInterface&)> body) {
    return workbookCommand(std::move(settings),
                           [body](SpreadsheetHost& host, ConsoleUserInterface& ui,
                                  const ConsoleStreams&) { return body(host, ui); });
}

CliCommand workbookCommand(WorkbookCommandDefinition settings, Body body) {
    CliCommand command;
    command.name = settings.name;
    command.summary = settings.summary;
    command.define = [settings, body](CLI::App& sub) -> CommandBody {
        auto args = std::make_shared<WorkbookArguments>();
        if (!settings.description.empty()) {
            sub.footer(settings.description.back() == '\n' ? settings.description
                                                           : settings.description + "\n");
        }
        sub.add_option("workbook", args->workbook, "The workbook file (.xlsx)")->required();
        if (settings.takesRange) {
            sub.add_option("--range", args->range,
                           "The selected range, such as 'PD-CW-Sample!B15:B40'; its sheet becomes "
                           "the active sheet");
        }
        addSaveAsOption(sub, args->saveAs);
        if (settings.asksQuestions) {
            addConsoleOptions(sub, args->console);
        } else {
            sub.add_flag("--quiet", args->console->quiet, "Do not print progress lines");
        }
        if (settings.addOptions) settings.addOptions(sub);
        return [args, settings, body](const ConsoleStreams& streams) {
            return runWithConsole(streams, *args->console, [&](ConsoleUserInterface& ui) {
                return runOnWorkbook(*args, settings, body, streams, ui);
            });
        };
    };
    return command;
}

}  // namespace plovis
