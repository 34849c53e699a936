#pragma once
// `plovis desktop [--all-commands] [WORKBOOK...]`: the desktop application from the command line,
// optionally with every command switched on and workbooks open. `plovis` alone opens it as laid
// out.

#include "cli/cli.h"

namespace plovis {

CliCommand desktopCliCommand(int argc, char** argv);

}  // namespace plovis
