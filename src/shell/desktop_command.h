#pragma once
// `plovis desktop [--all-commands]`: the desktop application from the command line, optionally
// with every command switched on. `plovis` alone opens it as laid out.

#include "cli/cli.h"

namespace plovis {

CliCommand desktopCliCommand(int argc, char** argv);

}  // namespace plovis
