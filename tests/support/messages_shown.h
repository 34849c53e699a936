#pragma once
// The message boxes a recorded run showed, with their buttons, icons and titles.

#include <vector>

#include "doubles/recording_user_interface.h"

namespace plovis::test {

inline std::vector<Message> messagesShown(const RecordingUserInterface& ui) {
    std::vector<Message> shown;
    for (const UiEvent& e : ui.events()) {
        if (e.kind == UiEvent::Kind::Message) shown.push_back(e.message);
    }
    return shown;
}

}  // namespace plovis::test
