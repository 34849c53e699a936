#include "cli/recalc_command.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/workbook_command.h"
#include "hosts/xlsx/xlsx_workbook.h"

namespace plovis {
namespace {

// How many cells the report names of each kind.
constexpr std::size_t kNamed = 5;

constexpr const char* kDescription =
    "Recalculates every formula of the workbook, as a spreadsheet program does on a full\n"
    "recalculation, and saves the calculated values (in place, or to --save-as). Formulas PLOVIS\n"
    "does not compute (unknown functions, array formulas, links to other workbooks) and circular\n"
    "references keep their stored values; the report names the first of them.\n";

struct RecalcArguments {
    std::string workbook;
    std::string saveAs;
    bool quiet = false;
};

bool recalc(const RecalcArguments& args, const ConsoleStreams& streams) {
    auto workbook = XlsxWorkbook::open(args.workbook);
    const RecalculationReport report = workbook->recalculateAll();
    streams.out << formatRecalculation(report);
    bool changed = false;
    for (int i = 0; i < workbook->sheetCount(); ++i)
        changed = changed || !workbook->sheetAt(i).recalculatedCells().empty();
    const std::string target = args.saveAs.empty() ? args.workbook : args.saveAs;
    if (changed || !args.saveAs.empty()) {
        workbook->save(target);
        if (!args.quiet) streams.err << "Saved " << target << "\n";
    } else if (!args.quiet) {
        streams.err << "Every stored value was up to date; " << target << " was left as it was.\n";
    }
    return report.notComputed.empty() && report.circular.empty();
}

}  // namespace

std::string formatRecalculation(const RecalculationReport& report) {
    std::string out = "Computed: " + std::to_string(report.computed) + " formulas\n";
    out += "Not computed: " + std::to_string(report.notComputed.size()) + "\n";
    for (std::size_t i = 0; i < report.notComputed.size() && i < kNamed; ++i) {
        out += "  " + report.notComputed[i].first + ": " + report.notComputed[i].second + "\n";
    }
    out += "Circular: " + std::to_string(report.circular.size()) + "\n";
    for (std::size_t i = 0; i < report.circular.size() && i < kNamed; ++i)
        out += "  " + report.circular[i] + "\n";
    return out;
}

CliCommand recalcCommand() {
    CliCommand command;
    command.name = "recalc";
    command.summary = "Recalculate every formula of a workbook";
    command.define = [](CLI::App& sub) -> CommandBody {
        auto args = std::make_shared<RecalcArguments>();
        sub.footer(kDescription);
        sub.add_option("workbook", args->workbook, "The workbook file (.xlsx)")->required();
        addSaveAsOption(sub, args->saveAs);
        sub.add_flag("--quiet", args->quiet, "Do not print progress lines");
        return [args](const ConsoleStreams& streams) {
            return runWithConsole(streams, ConsoleOptions{std::nullopt, true},
                                  [&](ConsoleUserInterface&) { return recalc(*args, streams); });
        };
    };
    return command;
}

}  // namespace plovis
