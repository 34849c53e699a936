#pragma once
// What a recorded command run showed, in a compact form a test compares whole in one line.

#include <string>
#include <vector>

#include "doubles/recording_user_interface.h"

namespace plovis::test {

// Each message box shown, as "<buttons>[ <icon>][ '<title>'] | <text>", e.g.
// "ok critical | Excel application is not open" or "yes/no 'Assure it' | It could not ...".
inline std::vector<std::string> messageBoxes(const RecordingUserInterface& ui) {
    std::vector<std::string> shown;
    for (const UiEvent& e : ui.events()) {
        if (e.kind != UiEvent::Kind::Message) continue;
        const Message& m = e.message;
        std::string box = m.buttons == Buttons::Ok      ? "ok"
                          : m.buttons == Buttons::YesNo ? "yes/no"
                                                        : "ok/cancel";
        if (m.icon != Icon::None) box += m.icon == Icon::Critical ? " critical" : " information";
        if (m.title) box += " '" + *m.title + "'";
        shown.push_back(box + " | " + m.text);
    }
    return shown;
}

// The main status captions of a walk over branches: "Processing branch N.Please wait...".
inline std::vector<std::string> branchCaptions(const std::vector<int>& branches) {
    std::vector<std::string> captions;
    for (int b : branches)
        captions.push_back("Processing branch " + std::to_string(b) + ".Please wait...");
    return captions;
}

}  // namespace plovis::test
