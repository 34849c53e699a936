#include "hosts/user_interface.h"

namespace plovis {

void UserInterface::showReport(const std::vector<std::string>& lines) {
    if (lines.empty()) return;
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : "\r") + line;
    showMessage(okMessage(std::move(text), Icon::Information, "Report"));
}

void endApplication(UserInterface& ui) {
    ui.requestApplicationEnd();
    throw ApplicationEnds{};
}

}  // namespace plovis
