#pragma once
// The seam between the system's routines and whoever shows their messages and progress: the
// desktop windows, the console of the command line, or a recording for tests.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace plovis {

enum class Buttons { Ok, OkCancel, YesNo };
enum class Icon { None, Critical, Information };
enum class Answer { Ok, Cancel, Yes, No };

// A modal message box. Line breaks inside text are single carriage returns ('\r').
struct Message {
    std::string text;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::None;
    std::optional<std::string> title;  // none: the application's own title
};

// The status captions commands write their progress into.
enum class StatusLabel {
    MainStatus,           // the main window's lblStatus: computations and menu commands
    DrawingStatus,        // the main window's Label6: profile and schematic drawings
    GroundProfileStatus,  // the ground profile dialog's own lblStatus
};

class UserInterface {
  public:
    virtual ~UserInterface() = default;

    // Shows the message and waits for the answer (Ok for a box with only an OK button).
    virtual Answer showMessage(const Message& message) = 0;
    // Sets the caption and repaints it at once, so it shows before long work blocks the window.
    virtual void setStatus(StatusLabel label, std::string_view caption) = 0;
    // The wait window ("Please Wait !") while a host starts, with its caption and the text of its
    // second label ("Lunching AutoCad..." and "Lunching AutoCad", say).
    virtual void showWaitWindow(std::string_view caption, std::string_view label) = 0;
    virtual void hideWaitWindow() = 0;
    // Records that the application is to end; see endApplication below.
    virtual void requestApplicationEnd() = 0;
    // A command's report, shown after its own messages: the checks of what it computed (survey
    // closures, angle agreement), why it stopped, and its one-line summary last. By default one
    // information box titled "Report" with the lines; the command line prints them.
    virtual void showReport(const std::vector<std::string>& lines);
};

// Thrown to unwind a command that ends the application. The command layer catches it: the desktop
// then closes through its normal path (offering to save), the command line exits with status 2.
// It is deliberately not a std::exception, so that a routine trapping failures of its own never
// swallows the end of the application.
struct ApplicationEnds {};

// Asks the user interface to end the application and stops the running command.
[[noreturn]] void endApplication(UserInterface& ui);

// Shorthands for the common boxes.
inline Message okMessage(std::string text, Icon icon = Icon::None,
                         std::optional<std::string> title = std::nullopt) {
    return Message{std::move(text), Buttons::Ok, icon, std::move(title)};
}
inline Message criticalMessage(std::string text) {
    return okMessage(std::move(text), Icon::Critical);
}

}  // namespace plovis
