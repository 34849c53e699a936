// plovis: the desktop application without arguments, the command line with a command.
#include <unistd.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "common/huge_page_heap.h"
#include "desktop_command.h"
#include "shell/desktop.h"

int main(int argc, char** argv) {
    plovis::restartWithHugePageHeap(argv);
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty() && plovis::displayAvailable()) return plovis::runDesktop(argc, argv);
    std::vector<plovis::CliCommand> commands = plovis::allCommands();
    commands.push_back(plovis::desktopCliCommand(argc, argv));
    const bool terminal = isatty(STDIN_FILENO) && isatty(STDERR_FILENO);
    return plovis::runCli(args, {std::cout, std::cerr, std::cin, terminal}, commands);
}
