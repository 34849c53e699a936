#include "commands/status_protocol.h"

namespace plovis {

void runWithStatus(UserInterface& ui, StatusLabel label, std::string_view caption,
                   const std::function<void()>& steps) {
    ui.setStatus(label, caption);
    try {
        steps();
    } catch (...) {
        ui.setStatus(label, "");
        throw;
    }
    ui.setStatus(label, "");
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
