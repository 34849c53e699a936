#pragma once
// The command line: `plovis <command> ...`. Every command registers here with its options and the
// function that runs it; the exit status tells the outcome.

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "cli/console_user_interface.h"

namespace CLI {
class App;
}

namespace plovis {

enum ExitStatus : int {
    kExitDone = 0,    // the command completed
    kExitFailed = 1,  // the command reported a failure (or could not run: bad file, no answer)
    kExitEnded = 2,   // the command ended the application
    kExitUsage = 64,  // unknown command or bad option
};

// A command's run function: given the console streams, it runs and returns the exit status.
using CommandBody = std::function<int(const ConsoleStreams&)>;

struct CliCommand {
    std::string name;
    std::string summary;  // one line, shown by `plovis --help`
    // Adds the command's own options and positionals to its sub-application and returns the body,
    // which reads them (through the pointers it captured) when it runs.
    std::function<CommandBody(CLI::App& sub)> define;
};

// The commands of this build, in the order `plovis --help` lists them.
std::vector<CliCommand> allCommands();

// Runs the command line; returns the exit status. args excludes the program name.
int runCli(const std::vector<std::string>& args, ConsoleStreams streams,
           const std::vector<CliCommand>& commands);

// Runs body with a console user interface and maps its outcome to an exit status: true -> 0,
// false -> 1, the application ending -> 2, a refused question or any error -> 1 with its message.
int runWithConsole(const ConsoleStreams& streams, const ConsoleOptions& options,
                   const std::function<bool(ConsoleUserInterface&)>& body);

// Adds --yes, --no and --quiet to a command that may ask questions and show progress.
void addConsoleOptions(CLI::App& sub, const std::shared_ptr<ConsoleOptions>& options);

}  // namespace plovis
