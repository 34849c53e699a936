#pragma once
// The computation entries of the main window's Compute menu that work on the scheme workbook:
// "Water Demand" (mnuWaterDemand) and "Pipe head loss" (mnuPipeLineData). The desktop window and
// the command line both run them.

#include "commands/command_settings.h"
#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// The command's status caption while waterDemand runs, then the caption is cleared, then the
// report: why it stopped, and what it wrote. True when the computation completed.
bool waterDemandCommand(SpreadsheetHost& host, UserInterface& ui,
                        const CommandSettings& settings = {});

// designPipes with no caption of its own (the pass shows one per row), the caption cleared, and
// then "Congratulation computation is successful" when the pass ran to its end, then the report:
// why a row stopped the pass, and what it wrote and changed on a question. True when it completed.
bool pipeHeadLossCommand(SpreadsheetHost& host, UserInterface& ui,
                         const CommandSettings& settings = {});

}  // namespace plovis
