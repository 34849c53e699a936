#include "cli/computation_commands.h"

#include "cli/workbook_command.h"
#include "commands/design_commands.h"
#include "commands/survey_commands.h"

namespace plovis {
namespace {

using Body = bool (*)(SpreadsheetHost&, UserInterface&);

struct Entry {
    const char* name;
    const char* summary;
    const char* description;
    Body body;
};

std::vector<CliCommand> commandsOf(std::initializer_list<Entry> entries) {
    std::vector<CliCommand> out;
    for (const Entry& e : entries) {
        WorkbookCommandSpec settings;
        settings.name = e.name;
        settings.summary = e.summary;
        settings.description = e.description;
        settings.asksQuestions = true;
        out.push_back(workbookCommand(settings, e.body));
    }
    return out;
}

}  // namespace

std::vector<CliCommand> designCommands() {
    return commandsOf({
        {"water-demand", "Water demand of every demand row of \"Water Demand\"",
         "Projects the census population (F) to the base and design horizons with the constants "
         "of \"DATA INPUT\" (growth E22 %, years E23 and E24, peak factor E25, per-capita E26 and "
         "per-unit E27 demand, minimum flow E31) and writes populations G and H, domestic demand "
         "I, unit demand L, total N, average flow O, peak factor P, peak flow Q, design flow R "
         "and R/O in S. Blocks start at row 20; the next block starts four rows after the first "
         "empty column B.",
         waterDemandCommand},
        {"pipe-head-loss", "Friction factors of \"PD-CW-Sample\" by Colebrook-White",
         "Solves the Darcy friction factor of every pipe row from row 16 (diameter AI in mm, "
         "roughness AJ, Reynolds number AK) into AG, until two rows in a row have column B "
         "empty. Where the static pressure N exceeds the pipe class P, asks whether to raise the "
         "class (4, 6, 10) or, at class 10, to take a larger diameter: answer with --yes/--no or "
         "at the terminal.",
         pipeHeadLossCommand},
    });
}

std::vector<CliCommand> surveyCommands() {
    return commandsOf({
        {"rise-fall", "Reduce the level book \"Levelsurvey\" by rise and fall",
         "Writes the chainages (E), rises (I), falls (J) and reduced levels (K) of every branch "
         "of the level book.",
         riseFallCommand},
        {"level-to-ground-profile", "Copy the reduced level book to \"GroundProfile\"",
         "Rewrites \"GroundProfile\" from row 4 (labels B, distances C, levels D) from the "
         "reduced level book; the control-point codes in column E stay.",
         levelToGroundProfileCommand},
        {"rise-fall-to-ground-profile", "rise-fall, then level-to-ground-profile", "",
         riseFallToGroundProfileCommand},
        {"abney", "Reduce the Abney book and copy it to \"GroundProfile\"",
         "Reduces \"AbneySurvey\" from slope angles and distances to reduced levels and writes "
         "them to \"GroundProfile\".",
         abneyCommand},
        {"survey-process", "Level reduction, transfer, branch points and pipe lengths in one go",
         "", surveyDataProcessCommand},
        {"branch-points", "List the sections of every branch in \"PD-CW-Sample\"",
         "Cuts every branch of \"GroundProfile\" at its control points (code 1 in column E) and "
         "writes the sections from row 15: number B, start label C, end label D.",
         branchPointsCommand},
        {"pipe-length", "Lengths and end levels of the listed sections",
         "Writes each listed section's ground length (E), length + 10 % (F) and the reduced "
         "levels of its ends (I, J). A branch or section not found in the ground profile asks "
         "\"Assure it\": --yes stops there, --no skips it.",
         pipeLengthCommand},
        {"branch-points-and-levels", "branch-points, then pipe-length", "",
         branchPointsAndLevelsCommand},
    });
}

}  // namespace plovis
