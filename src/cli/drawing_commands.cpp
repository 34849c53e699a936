#include "cli/drawing_commands.h"

#include <CLI/CLI.hpp>
#include <istream>
#include <ostream>

#include "cli/drawing_options.h"
#include "cli/drawing_output.h"
#include "cli/terminal_cad_utility.h"
#include "cli/workbook_command.h"
#include "commands/command_table.h"
#include "commands/ground_profile_dialog.h"
#include "commands/profile_command.h"
#include "commands/schematic_command.h"
#include "hosts/cad_types.h"
#include "hosts/dxf/dxf_file.h"
#include "hosts/memory_cad_host.h"
#include "hosts/scripted_cad_utility.h"

namespace plovis {
namespace {

// At a terminal the user can select the design range again after the selection message.
std::function<bool()> reselectAtTerminal(SpreadsheetHost& host, const ConsoleStreams& streams) {
    if (!streams.terminal) return [] { return false; };
    return [&host, streams] {
        streams.err << "Range to draw (for example PD-CW-Sample!B15:B40): " << std::flush;
        std::string line;
        if (!std::getline(streams.in, line) || line.empty()) return false;
        try {
            selectRange(host.activeWorkbook(), line);
            return true;
        } catch (const std::exception& e) {
            streams.err << "plovis: " << e.what() << '\n';
            return false;
        }
    };
}

struct ProfileArguments {
    ProfileInputs inputs;
    std::shared_ptr<DrawingOutputs> outputs = std::make_shared<DrawingOutputs>();
    std::shared_ptr<DrawingLimits> limits = std::make_shared<DrawingLimits>();
};

// Runs a drawing command's body; a drawing refused for its size is reported and fails.
bool withinLimits(const ConsoleStreams& streams, const std::function<bool()>& body) {
    try {
        return body();
    } catch (const DrawingTooLarge& e) {
        reportTooLarge(e, streams.err);
        return false;
    }
}

}  // namespace

CliCommand profileCommand(const CommandEntry& entry) {
    auto args = std::make_shared<ProfileArguments>();
    WorkbookCommandDefinition settings = commandDefinition(entry);
    settings.takesRange = true;
    settings.runsWithoutWorkbook = true;
    settings.addOptions = [args](CLI::App& sub) {
        sub.add_option("--hscale", args->inputs.hscale, "Horizontal scale 1:N, N from 1 to 1000000")
            ->default_val("5000")
            ->check(scaleDenominator());
        sub.add_option("--vscale", args->inputs.vscale, "Vertical scale 1:N, N from 1 to 1000000")
            ->default_val("1000")
            ->check(scaleDenominator());
        sub.add_option("--paper", args->inputs.paper, "Paper size: A1, A2, A3 or A4")
            ->default_val("A4")
            ->check(paperNamed({"A1", "A2", "A3", "A4"}));
        addDrawingOutputOptions(sub, args->outputs);
        addDrawingLimitOptions(sub, args->limits);
    };
    settings.files = [args] { return drawingCommandFiles(*args->outputs); };
    return workbookCommand(settings, [args](SpreadsheetHost& host, ConsoleUserInterface& ui,
                                            const ConsoleStreams& streams) {
        ui.setUnattendedAnswer(Answer::Cancel);  // nobody to select again: as Cancel
        ScriptedCadUtility utility;
        MemoryCadHost cad(utility, true, dxfFileReader());
        ProfileCommand command;
        command.templateFile = templateDrawingPath();
        command.reselect = reselectAtTerminal(host, streams);
        command.limits = *args->limits;
        return withinLimits(streams, [&] {
            if (!runProfileCommand(command, args->inputs, host, cad, ui)) return false;
            writeDrawingOutputs(*command.cad.document, *args->outputs, streams.out);
            return true;
        });
    });
}

CliCommand schematicDrawingCommand(const CommandEntry& entry) {
    auto outputs = std::make_shared<DrawingOutputs>();
    auto limits = std::make_shared<DrawingLimits>();
    WorkbookCommandDefinition settings = commandDefinition(entry);
    settings.takesRange = true;
    settings.runsWithoutWorkbook = true;
    settings.addOptions = [outputs, limits](CLI::App& sub) {
        addDrawingOutputOptions(sub, outputs);
        addDrawingLimitOptions(sub, limits);
    };
    settings.files = [outputs] { return drawingCommandFiles(*outputs); };
    return workbookCommand(
        settings, [outputs, limits](SpreadsheetHost& host, ConsoleUserInterface& ui,
                                    const ConsoleStreams& streams) {
            ui.setUnattendedAnswer(Answer::Cancel);
            ScriptedCadUtility utility;
            MemoryCadHost cad(utility, true, dxfFileReader());
            return withinLimits(streams, [&] {
                if (!schematicCommand(host, cad, ui, templateDrawingPath(), *limits)) return false;
                writeDrawingOutputs(cad.activeDocument(), *outputs, streams.out);
                return true;
            });
        });
}

namespace {

struct GroundProfileArguments {
    std::string pick;
    std::string hscale = "5000";
    std::string vscale = "1000";
    std::string textSize = "1.8";
    std::string paper = "A1";
    std::optional<std::string> plotLength;
    std::optional<std::string> gap;
    std::shared_ptr<DrawingOutputs> outputs = std::make_shared<DrawingOutputs>();
    std::shared_ptr<DrawingLimits> limits = std::make_shared<DrawingLimits>();
};

// The option that fills a box of the dialog.
const char* optionOfBox(const std::string& box) {
    if (box == "hscale") return "--hscale";
    if (box == "vscale") return "--vscale";
    if (box == "txtSize") return "--text-size";
    if (box == "txtPaperLength") return "--plot-length";
    return "--gap";
}

void addGroundProfileOptions(CLI::App& sub, GroundProfileArguments& a) {
    sub.add_option("--pick", a.pick, "The reference point X,Y (without it: asked at the terminal)")
        ->check([](const std::string& s) {
            return parsePoint(s) ? std::string() : "--pick takes X,Y, such as 100,200";
        });
    sub.add_option("--hscale", a.hscale, "Horizontal scale 1:N, N from 1 to 1000000")
        ->default_val("5000")
        ->check(scaleDenominator());
    sub.add_option("--vscale", a.vscale, "Vertical scale 1:N, N from 1 to 1000000")
        ->default_val("1000")
        ->check(scaleDenominator());
    sub.add_option("--text-size", a.textSize, "Height of the labels, more than 0 to 100")
        ->default_val("1.8")
        ->check(numberBetween(0, 100, false));
    sub.add_option("--paper", a.paper, "A4, A3, A2, A1 or ALL (one sheet per branch)")
        ->default_val("A1")
        ->check(paperNamed(kGroundProfilePapers));
    sub.add_option("--plot-length", a.plotLength,
                   "Sheet length in drawing units, more than 0 to 1000000 (default: the paper's)")
        ->check(numberBetween(0, 1'000'000, false));
    sub.add_option("--gap", a.gap,
                   "Space between sheets, more than 0 to 1000000 (default: the paper's)")
        ->check(numberBetween(0, 1'000'000, false));
    addDrawingOutputOptions(sub, a.outputs);
    addDrawingLimitOptions(sub, a.limits);
}

}  // namespace

CliCommand groundProfileCommand(const CommandEntry& entry) {
    auto args = std::make_shared<GroundProfileArguments>();
    WorkbookCommandDefinition settings = commandDefinition(entry);
    settings.runsWithoutWorkbook = true;
    settings.addOptions = [args](CLI::App& sub) { addGroundProfileOptions(sub, *args); };
    settings.files = [args] { return drawingCommandFiles(*args->outputs); };
    return workbookCommand(settings, [args](SpreadsheetHost& host, ConsoleUserInterface& ui,
                                            const ConsoleStreams& streams) {
        // Without --pick and without a terminal the pick is cancelled and the re-pick question
        // answered No: nothing is drawn.
        ScriptedCadUtility scripted;
        TerminalCadUtility terminal(streams);
        if (const auto p = parsePoint(args->pick)) scripted.pickPoint(*p);
        CadUtility& utility = args->pick.empty() && streams.terminal
                                  ? static_cast<CadUtility&>(terminal)
                                  : static_cast<CadUtility&>(scripted);
        MemoryCadHost cad(utility, true, dxfFileReader());
        GroundProfileDialog dialog;
        dialog.selectPaper(args->paper);
        dialog.boxes.hscale = args->hscale;
        dialog.boxes.vscale = args->vscale;
        dialog.boxes.txtSize = args->textSize;
        if (args->plotLength) dialog.boxes.txtPaperLength = *args->plotLength;
        if (args->gap) dialog.boxes.txtGap = *args->gap;
        dialog.limits = *args->limits;
        GroundProfileResult r;
        try {
            r = dialog.draw(cad, host, ui);
        } catch (const DrawingTooLarge& e) {
            reportTooLarge(e, streams.err);
            return false;
        }
        switch (r.outcome) {
            case GroundProfileOutcome::Drawn:
                writeDrawingOutputs(cad.activeDocument(), *args->outputs, streams.out);
                return true;
            case GroundProfileOutcome::InvalidInput:
                streams.err << "plovis: the value of " << optionOfBox(r.invalidBox)
                            << " is not valid\n";
                return false;
            case GroundProfileOutcome::PickDeclined:
                streams.err << "plovis: no reference point was picked; nothing was drawn\n";
                return false;
            case GroundProfileOutcome::DrawingFailed:
                streams.err << "plovis: the drawing failed: " << r.failure << '\n';
                return false;
            default:
                return false;
        }
    });
}

}  // namespace plovis
