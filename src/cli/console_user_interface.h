#pragma once
// The user interface of the command line: message boxes become printed messages, status captions
// become progress lines, and questions are answered by --yes/--no or at the terminal.

#include <chrono>
#include <iosfwd>
#include <optional>
#include <stdexcept>
#include <string>

#include "hosts/user_interface.h"

namespace plovis {

// A question that nobody can answer: no terminal and no --yes/--no. Never guessed.
struct QuestionRefused : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ConsoleOptions {
    std::optional<Answer> preset;  // from --yes (Yes/OK) or --no (No/Cancel); default none
    bool quiet = false;            // --quiet: no progress lines; default off
};

struct ConsoleStreams {
    std::ostream& out;  // messages
    std::ostream& err;  // progress lines
    std::istream& in;   // typed answers
    bool terminal;      // true when in and err are a terminal: ask, and overwrite progress in place
};

class ConsoleUserInterface : public UserInterface {
  public:
    ConsoleUserInterface(ConsoleStreams streams, ConsoleOptions options);
    ~ConsoleUserInterface() override;

    Answer showMessage(const Message& message) override;
    void setStatus(StatusLabel label, std::string_view caption) override;
    // The host starts at once here; the window's texts show as a progress line.
    void showWaitWindow(std::string_view, std::string_view label) override {
        setStatus(StatusLabel::MainStatus, label);
    }
    void hideWaitWindow() override {}
    void requestApplicationEnd() override { endRequested_ = true; }
    // The report's lines as they stand, after the command's messages (also with --quiet).
    void showReport(const std::vector<std::string>& lines) override;

    // For questions a command can answer safely itself when nobody is there to ask.
    void setUnattendedAnswer(Answer answer) { unattended_ = answer; }
    bool endRequested() const { return endRequested_; }

  private:
    Answer ask(const Message& message);
    void finishProgressLine();

    ConsoleStreams io_;
    ConsoleOptions options_;
    std::optional<Answer> unattended_;
    bool endRequested_ = false;
    bool progressShown_ = false;  // a progress line is on screen and the cursor is on it
    std::chrono::steady_clock::time_point lastProgress_{};
};

// The message as the console shows it: "<title> [<icon>]: <text>", line breaks as new lines.
std::string consoleText(const Message& message);

}  // namespace plovis
