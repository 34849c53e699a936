#pragma once
// `plovis desktop [--as-laid-out] [WORKBOOK...]`: the desktop application from the command line,
// with workbooks open, optionally with the menus switched off as the main window was laid out.
// `plovis` alone opens it with every command switched on.

#include "cli/cli.h"

namespace plovis {

CliCommand desktopCliCommand(int argc, char** argv);

}  // namespace plovis
