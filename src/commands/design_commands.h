#pragma once
// The computation entries of the main window's Compute menu that work on the scheme workbook:
// "Water Demand" (mnuWaterDemand) and "Pipe head loss" (mnuPipeLineData). The desktop window and
// the command line both run them.

#include "hosts/spreadsheet.h"
#include "hosts/user_interface.h"

namespace plovis {

// "Processing for water demand calculation.Please wait..." while waterDemand runs, then the
// caption is cleared. True when the computation completed.
bool waterDemandCommand(SpreadsheetHost& host, UserInterface& ui);

// designPipes with no caption of its own (the pass shows one per row), the caption cleared, and
// then "Congratulation computation is successful" when the pass ran to its end. True then.
bool pipeHeadLossCommand(SpreadsheetHost& host, UserInterface& ui);

}  // namespace plovis
