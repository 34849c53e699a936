#pragma once
// The status protocol of the main window's command table: the command's caption is set and
// painted before the long work starts, the routines run in order, and the caption is cleared
// whatever they did (they report their own failures and return normally).

#include <functional>
#include <string>
#include <vector>

#include "hosts/user_interface.h"

namespace plovis {

// The caption a command shows while it runs and the label it shows it on. No caption: the command
// sets none of its own there (its steps may), though it may clear the label.
struct CommandStatus {
    StatusLabel label = StatusLabel::MainStatus;
    const char* caption = nullptr;
};

// Sets the caption (if any) on its label, runs `steps`, then clears the label. When the steps end
// the application (ApplicationEnds), the label is cleared too before the end goes on.
void runWithStatus(UserInterface& ui, const CommandStatus& status,
                   const std::function<void()>& steps);

// Shows a computing command's report after its own messages: the lines its routines found
// (checks, reasons), then one summary line joining what each routine wrote and skipped
// ("Summary: nothing was written." when none of them wrote anything).
void showCommandReport(UserInterface& ui, std::vector<std::string> lines,
                       const std::vector<std::string>& summary);

}  // namespace plovis
