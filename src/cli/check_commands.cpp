#include "cli/check_commands.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "check/check_report.h"
#include "check/html_report.h"
#include "cli/workbook_command.h"
#include "commands/command_table.h"
#include "commands/design_check_command.h"
#include "commands/export_inp_command.h"
#include "common/file_io.h"
#include "common/number_format.h"
#include "common/text.h"

namespace plovis {
namespace {

struct CheckArguments {
    std::string range;
    std::string out;  // --html of the check, --out of the export
    DesignCheckRequest request;
    CLI::Option* quiet = nullptr;

    void wrote(const ConsoleStreams& streams) const {
        if (!quiet || quiet->count() == 0) streams.err << "Wrote " << out << "\n";
    }
};

// The limit options, named after what they limit.
void addLimitOptions(CLI::App& sub, CheckArguments& args) {
    const char* names[kLimitCount] = {"--min-velocity", "--max-velocity", "--min-tap-head",
                                      "--min-node-head", "--min-ground-cover"};
    for (int k = 0; k < kLimitCount; ++k) {
        const auto kind = static_cast<LimitKind>(k);
        sub.add_option(names[k], args.request.limits[k],
                       std::string(limitLabel(kind)) + ", " + limitUnit(kind) +
                           " (default: the \"DATA INPUT\" cell so labelled, else " +
                           generalForm(defaultLimits()[kind]) + ")");
    }
}

void addRangeOption(CLI::App& sub, std::string& range) {
    sub.add_option("--range", range,
                   "The design range, such as 'PD-CW-Sample!B15:B40' (one column from a branch "
                   "title row down); default the whole table of \"PD-CW-Sample\"");
}

bool endsWithInp(const std::string& path) {
    return path.size() > 4 && upperCase(path.substr(path.size() - 4)) == ".INP";
}

}  // namespace

CliCommand designCheckCliCommand(const CommandEntry& entry) {
    auto args = std::make_shared<CheckArguments>();
    WorkbookCommandDefinition definition = commandDefinition(entry);
    definition.addOptions = [args](CLI::App& sub) {
        addRangeOption(sub, args->range);
        args->quiet = sub.get_option_no_throw("--quiet");
        sub.add_option("--html", args->out,
                       "Also write the report as a page (HTML with a profile of every branch)");
        addLimitOptions(sub, *args);
    };
    return workbookCommand(definition, [args](SpreadsheetHost& host, ConsoleUserInterface& ui,
                                              const ConsoleStreams& streams) {
        Workbook& workbook = host.activeWorkbook();
        if (!args->range.empty()) selectRange(workbook, args->range);
        DesignCheckRequest request = args->request;
        request.useSelection = !args->range.empty();
        const DesignCheck check = runDesignCheck(host, ui, request);
        streams.out << checkReportText(check);
        if (!args->out.empty()) {
            writeFileAtomically(args->out, checkReportHtml(check, workbook.name()));
            args->wrote(streams);
        }
        return check.passed();
    });
}

CliCommand exportInpCliCommand() {
    auto args = std::make_shared<CheckArguments>();
    WorkbookCommandDefinition definition;
    definition.name = "export-inp";
    definition.summary = "Write the designed network as an EPANET input file (.inp)";
    definition.description =
        "Junctions at their ground level taking off their design flows (inflow - outflow of "
        "column G), the intake a reservoir at its level, every tank where the design starts its "
        "grade line afresh a pressure reducing valve set to the tank's level, pipes with their "
        "pipe length (F), inner diameter (AI) and roughness (AJ), Darcy-Weisbach head loss, "
        "flows in l/s, and the schematic's layout as coordinates. The file is written whole or "
        "not at all.";
    definition.addOptions = [args](CLI::App& sub) {
        addRangeOption(sub, args->range);
        args->quiet = sub.get_option_no_throw("--quiet");
        sub.add_option("--out", args->out, "The input file to write (ending in .inp)")
            ->required()
            ->check([](const std::string& path) {
                return endsWithInp(path) ? std::string() : "the file name must end in .inp";
            });
    };
    return workbookCommand(definition, [args](SpreadsheetHost& host, ConsoleUserInterface& ui,
                                              const ConsoleStreams& streams) {
        Workbook& workbook = host.activeWorkbook();
        if (!args->range.empty()) selectRange(workbook, args->range);
        const InpExport result = exportNetworkInp(host, ui, !args->range.empty());
        for (const std::string& w : result.warnings)
            streams.err << "plovis: warning: " << w << '\n';
        writeFileAtomically(args->out, result.text);
        args->wrote(streams);
        return true;
    });
}

}  // namespace plovis
