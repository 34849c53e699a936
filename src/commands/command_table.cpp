#include "commands/command_table.h"

#include <stdexcept>

#include "commands/design_check_command.h"
#include "commands/design_commands.h"
#include "commands/survey_commands.h"

namespace plovis {
namespace {

constexpr MenuEntry kMenus[] = {
    {"Open", "mnuOpen"},
    {"Compute", "mnuCompute", true},
    {"Compute/Get data from Ground Profile", "mnuGLProfile", false, "Space2"},
    {"Compute/Level survey", "mnuLevelSurvey", false, "Space3"},
    {"Compute/Abney Survey", "mnuAbneySurvey"},
    {"Drawing", "mnuDrawing", true},
};

// The status captions, some shared by several commands. The transfer to the ground profile shows
// the water demand caption: its menu entry was copied from that one.
constexpr CommandStatus kReading{StatusLabel::MainStatus, "Reading data from excel.Please wait..."};
constexpr CommandStatus kProcessing{StatusLabel::MainStatus,
                                    "processing data from excel.Please wait..."};
constexpr CommandStatus kWaterDemand{StatusLabel::MainStatus,
                                     "Processing for water demand calculation.Please wait..."};
constexpr CommandStatus kOpeningSample{
    StatusLabel::MainStatus, "Please wait while program is opens the excel sample data file..."};
constexpr CommandStatus kOpeningCad{StatusLabel::MainStatus,
                                    "Please wait while program opens the AutoCAD application."};
constexpr CommandStatus kReadingWorksheet{StatusLabel::DrawingStatus, "Reading Excel Worksheet"};
// No caption of the command's own: the pipe pass shows one per row (the command clears it), the
// ground profile one per branch, and the schematic's steps theirs as they read and draw.
constexpr CommandStatus kPerRow{StatusLabel::MainStatus};
constexpr CommandStatus kPerBranch{StatusLabel::GroundProfileStatus};
constexpr CommandStatus kSchematicSteps{StatusLabel::DrawingStatus};
constexpr CommandStatus kNone{};  // the design check shows its findings in a message

// Menu order: the menu bar's menus from left to right, each entry in its menu from the top.
const CommandEntry kCommands[] = {
    {CommandKind::OpenSample, nullptr, nullptr, nullptr, "Open", "mnuSampelData",
     "Sample data file", kOpeningSample},
    {CommandKind::TemplateDrawing, nullptr, nullptr, nullptr, "Open", "mnuTemplateDwg",
     "Template dwg File", kOpeningCad},
    {CommandKind::Workbook, "water-demand", "Water demand of every demand row of \"Water Demand\"",
     "Projects the census population (F) to the base and design horizons with the constants "
     "of \"DATA INPUT\" (growth E22 %, years E23 and E24, peak factor E25, per-capita E26 and "
     "per-unit E27 demand, minimum flow E31) and writes populations G and H, domestic demand "
     "I, unit demand L, total N, average flow O, peak factor P, peak flow Q, design flow R "
     "and R/O in S. Blocks start at row 20; the next block starts four rows after the first "
     "empty column B.",
     "Compute", "mnuWaterDemand", "Water Demand", kWaterDemand, nullptr, false, waterDemandCommand},
    {CommandKind::Workbook, "branch-points",
     "List the sections of every branch in \"PD-CW-Sample\"",
     "Cuts every branch of \"GroundProfile\" at its control points (code 1 in column E) and "
     "writes the sections from row 15: number B, start label C, end label D.",
     "Compute/Get data from Ground Profile", "mnuBranchPoints", "Branch Control Points", kReading,
     nullptr, true, branchPointsCommand},
    {CommandKind::Workbook, "pipe-length", "Lengths and end levels of the listed sections",
     "Writes each listed section's ground length (E), length + 10 % (F) and the reduced "
     "levels of its ends (I, J). A branch or section not found in the ground profile asks "
     "\"Assure it\": --yes stops there, --no skips it.",
     "Compute/Get data from Ground Profile", "mnuPipeLength", "Pipe Length and RL", kReading,
     nullptr, false, pipeLengthCommand},
    {CommandKind::Workbook, "branch-points-and-levels", "branch-points, then pipe-length", "",
     "Compute/Get data from Ground Profile", "mnuBranchControlPointsAndRL",
     "Branch Points , Pipe Length and RL", kProcessing, nullptr, false,
     branchPointsAndLevelsCommand},
    {CommandKind::Workbook, "pipe-head-loss",
     "Friction factors of \"PD-CW-Sample\" by Colebrook-White",
     "Solves the Darcy friction factor of every pipe row from row 16 (diameter AI in mm, "
     "roughness AJ, Reynolds number AK) into AG, until two rows in a row have column B "
     "empty. Where the static pressure N exceeds the pipe class P, asks whether to raise the "
     "class (4, 6, 10) or, at class 10, to take a larger diameter: answer with --yes/--no or "
     "at the terminal.",
     "Compute", "mnuPipeLineData", "Pipe head loss", kPerRow, nullptr, false, pipeHeadLossCommand},
    {CommandKind::DesignCheck, "check", "Check the pipe design against the design limits",
     "Checks every pipe and node of the pipe design table (or of the --range) as a reviewer "
     "does: velocity (T) within its least and greatest value, residual head at tap stands and "
     "other nodes (AB), no negative residual head, the pipe class (P) bearing the static head "
     "at the section's lowest point, no laminar row (Reynolds number AK below 2,000, where the "
     "friction factor is 64/Re), and the hydraulic grade line above the ground of "
     "\"GroundProfile\" between the nodes. A limit is taken from its option, else from its "
     "label in column B of \"DATA INPUT\" (value in column E), else its default. Writes "
     "nothing; exit status 1 when a limit is broken.",
     "Compute", "mnuDesignCheck", "Design check", kNone, nullptr, false, designCheckCommand},
    {CommandKind::Workbook, "rise-fall", "Reduce the level book \"Levelsurvey\" by rise and fall",
     "Writes the chainages (E), rises (I), falls (J) and reduced levels (K) of every branch "
     "of the level book. Then checks it: per branch the arithmetic check (sum of backsights "
     "- sum of foresights = sum of rises - sum of falls = last RL - first RL), and the "
     "misclosure at every station levelled again in a later branch against the allowance "
     "for ordinary levelling of +/-12 mm x root K (K the distance levelled in km).",
     "Compute/Level survey", "mnuRiseFall", "RL by Rise/Fall", kReading, nullptr, true,
     riseFallCommand, CheckOption::Allowance},
    {CommandKind::Workbook, "level-to-ground-profile",
     "Copy the reduced level book to \"GroundProfile\"",
     "Rewrites \"GroundProfile\" from row 4 (labels B, distances C, levels D) from the "
     "reduced level book; the control-point codes in column E stay.",
     "Compute/Level survey", "mnuTransferToGP", "LevelSurvey to GroundProfile", kWaterDemand,
     nullptr, true, levelToGroundProfileCommand},
    {CommandKind::Workbook, "rise-fall-to-ground-profile",
     "rise-fall, then level-to-ground-profile", "", "Compute/Level survey", "mnuRLandData",
     "RL by Rise/Fall and data to GroundProfile", kReading, nullptr, false,
     riseFallToGroundProfileCommand, CheckOption::Allowance},
    {CommandKind::Workbook, "abney", "Reduce the Abney book and copy it to \"GroundProfile\"",
     "Reduces \"AbneySurvey\" from slope angles and distances to reduced levels and writes "
     "them to \"GroundProfile\". Warns, naming the station, where a leg's fore and back "
     "angles differ by more than the tolerance (30 minutes unless --angle-tolerance says).",
     "Compute/Abney Survey", "mnuAbneyRL", "RL computation", kReading, nullptr, false, abneyCommand,
     CheckOption::AngleTolerance},
    {CommandKind::Workbook, "survey-process",
     "Level reduction, transfer, branch points and pipe lengths in one go", "", "Compute",
     "mnuSurveyDataProcess", "survey Data Process", kReading, nullptr, true,
     surveyDataProcessCommand, CheckOption::Allowance},
    {CommandKind::GroundProfile, "ground-profile",
     "Draw the existing ground profile of every branch of \"GroundProfile\"",
     "Each branch is cut into sheets of the plot length (A4 220, A3 350, A2 500, A1 700, ALL "
     "one sheet per branch), laid left to right from the picked point with the gap between "
     "them: ground line, frame with level scales, 10-unit grid, and a table of description, "
     "ground level and chainage. A scale below 1, a text size or plot length of 0 or less is "
     "refused.",
     "Drawing", "mnuExistingGround", "Existing Ground Profile", kPerBranch},
    {CommandKind::Profile, "profile",
     "Draw the longitudinal profile of every branch of the selected design range",
     "Select one column of the pipe design table from a branch title row down with --range. "
     "Every branch is cut into paper sheets at the horizontal scale and drawn with its ground "
     "line, hydraulic grade line, static pressure line, level axis, data table, node markers, "
     "structure symbols and titles. The workbook must hold a sheet named KELDRAN. The drawing "
     "is written only when the command completed.",
     "Drawing", "mnuProfile", "Pipe Line Profile", kReadingWorksheet, "Space1"},
    {CommandKind::Schematic, "schematic",
     "Draw the schematic of the pipe network in the selected range",
     "Select the network's rows of the pipe design table with --range. The title block takes "
     "the scheme name (E6), source (I6) and safe yield (L6) of the sheet. Every branch is "
     "drawn by its direction codes as 30-unit strokes with the pipe, length and flow, and "
     "structure symbols at the nodes (not to scale).",
     "Drawing", "mnuSchematic", "Schematic", kSchematicSteps},
};

}  // namespace

std::span<const MenuEntry> menuTable() {
    return kMenus;
}

std::span<const CommandEntry> commandTable() {
    return kCommands;
}

const CommandEntry& commandOfKind(CommandKind kind) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.kind == kind) return entry;
    }
    throw std::logic_error("no command of that kind in the table");
}

const CommandEntry& commandNamed(std::string_view name) {
    for (const CommandEntry& entry : kCommands) {
        if (entry.name && entry.name == name) return entry;
    }
    throw std::logic_error("no command of that name in the table");
}

}  // namespace plovis
