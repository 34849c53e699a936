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
        sub.add_flag("--as-laid-out", options->asLaidOut,
                     "Keep the Compute and Drawing menus, About and the Existing Ground Profile "
                     "button switched off, as the main window was laid out");
        // Every command is reachable by default now; the flag stays for scripts that give it.
        sub.add_flag("--all-commands")->description("Every command switched on (the default)");
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
