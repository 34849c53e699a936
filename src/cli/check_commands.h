#pragma once
// The commands on the designed network: `plovis check` (the design check, with an HTML report
// on request) and `plovis export-inp` (the network as an EPANET input file).

#include "cli/cli.h"

namespace plovis {

struct CommandEntry;

CliCommand designCheckCliCommand(const CommandEntry& entry);
CliCommand exportInpCliCommand();

}  // namespace plovis
