#include "desktop_command.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "shell/desktop.h"

namespace plovis {

CliCommand desktopCliCommand(int argc, char** argv) {
    CliCommand c;
    c.name = "desktop";
    c.summary = "Open the desktop application (what `plovis` alone does), with workbooks";
    c.define = [argc, argv](CLI::App& sub) -> CommandBody {
        auto options = std::make_shared<DesktopOptions>();
        sub.add_flag("--all-commands", options->allCommands,
                     "Switch on the Compute and Drawing menus, About and the Existing Ground "
                     "Profile button, which the main window starts with switched off");
        sub.add_option("workbooks", options->workbooks, "Workbooks (.xlsx) to open at start");
        return [argc, argv, options](const ConsoleStreams& streams) {
            if (!displayAvailable()) {
                streams.err << "plovis: there is no display for the desktop application\n";
                return static_cast<int>(kExitFailed);
            }
            return runDesktop(argc, argv, *options);
        };
    };
    return c;
}

}  // namespace plovis
