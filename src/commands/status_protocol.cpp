#include "commands/status_protocol.h"

namespace plovis {

void runWithStatus(UserInterface& ui, const CommandStatus& status,
                   const std::function<void()>& steps) {
    if (status.caption) ui.setStatus(status.label, status.caption);
    try {
        steps();
    } catch (...) {
        ui.setStatus(status.label, "");
        throw;
    }
    ui.setStatus(status.label, "");
}

void showCommandReport(UserInterface& ui, std::vector<std::string> lines,
                       const std::vector<std::string>& summary) {
    std::string text;
    for (const std::string& part : summary)
        text += (text.empty() ? "" : "; ") + part;
    lines.push_back("Summary: " + (text.empty() ? "nothing was written" : text) + ".");
    ui.showReport(lines);
}

}  // namespace plovis
