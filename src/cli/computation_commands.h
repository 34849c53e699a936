#pragma once
// A computation of the command table (water demand, pipe head loss, the survey reductions and
// transfer, the branch sections) as a command-line command on a scheme workbook.

#include "cli/cli.h"

namespace plovis {

struct CommandEntry;

CliCommand computationCommand(const CommandEntry& entry);

}  // namespace plovis
