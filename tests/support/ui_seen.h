#pragma once
// What the user saw of a recorded run, in order, as one list of lines to compare whole: captions
// as "status: <text>" (an empty one clears the label), messages as their text, the wait window as
// "wait: <caption>" and "wait hidden", the end of the application as "end", each line of a report
// as "report: <line>".

#include <string>
#include <vector>

#include "doubles/recording_user_interface.h"

namespace plovis::test {

inline std::vector<std::string> seen(const RecordingUserInterface& ui) {
    using K = UiEvent::Kind;
    std::vector<std::string> out;
    for (const UiEvent& e : ui.events()) {
        if (e.kind == K::Report) {
            for (const std::string& line : e.lines)
                out.push_back("report: " + line);
            continue;
        }
        out.push_back(e.kind == K::Status       ? "status: " + e.caption
                      : e.kind == K::Message    ? e.message.text
                      : e.kind == K::WaitShown  ? "wait: " + e.caption
                      : e.kind == K::WaitHidden ? std::string("wait hidden")
                                                : std::string("end"));
    }
    return out;
}

}  // namespace plovis::test
