#pragma once
// The computations on a scheme workbook, as command-line commands: water demand, pipe head loss,
// the survey reductions and transfer, and the branch sections.

#include <vector>

#include "cli/cli.h"

namespace plovis {

std::vector<CliCommand> designCommands();
std::vector<CliCommand> surveyCommands();

}  // namespace plovis
