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

}  // namespace plovis
