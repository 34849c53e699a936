#pragma once
// The status protocol of the main window's command table: the command's caption is set and
// painted before the long work starts, the routines run in order, and the caption is cleared
// whatever they did (they report their own failures and return normally).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/user_interface.h"

namespace plovis {

// Sets `caption` on the label, runs `steps`, then clears the label. When the steps end the
// application (ApplicationEnds), the label is cleared too before the end goes on.
void runWithStatus(UserInterface& ui, StatusLabel label, std::string_view caption,
                   const std::function<void()>& steps);

// Shows a computing command's report after its own messages: the lines its routines found
// (checks, reasons), then one summary line joining what each routine wrote and skipped
// ("Summary: nothing was written." when none of them wrote anything).
void showCommandReport(UserInterface& ui, std::vector<std::string> lines,
                       const std::vector<std::string>& summary);

}  // namespace plovis
