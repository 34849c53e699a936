// plovis: the command line (and, without arguments, the desktop application).
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const bool terminal = isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
    return plovis::runCli(args, {std::cout, std::cerr, std::cin, terminal}, plovis::allCommands());
}
