#pragma once
// What the user saw of a recorded run, in order, as one list of lines to compare whole: captions
// as "status: <text>" (an empty one clears the label), messages as their text, the wait window as
// "wait: <caption>" and "wait hidden", the end of the application as "end".

#include <string>
#include <vector>

#include "hosts/recording_user_interface.h"

namespace plovis::test {

inline std::vector<std::string> seen(const RecordingUserInterface& ui) {
    std::vector<std::string> out;
    for (const UiEvent& e : ui.events()) {
        switch (e.kind) {
            case UiEvent::Kind::Status:
                out.push_back("status: " + e.caption);
                break;
            case UiEvent::Kind::Message:
                out.push_back(e.message.text);
                break;
            case UiEvent::Kind::WaitShown:
                out.push_back("wait: " + e.caption);
                break;
            case UiEvent::Kind::WaitHidden:
                out.push_back("wait hidden");
                break;
            case UiEvent::Kind::EndRequested:
                out.push_back("end");
                break;
        }
    }
    return out;
}

}  // namespace plovis::test
