#pragma once
// A user interface for tests: answers come from a script, and every message, caption and window
// change is kept in order so a test can check what the user would have seen.

#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "hosts/user_interface.h"

namespace plovis {

struct UiEvent {
    enum class Kind { Message, Status, WaitShown, WaitHidden, EndRequested, Report };
    Kind kind = Kind::Message;
    Message message;                              // for Message
    Answer answer = Answer::Ok;                   // for Message: the answer given
    StatusLabel label = StatusLabel::MainStatus;  // for Status
    std::string caption;                          // for Status; for WaitShown the window's caption
    std::string waitLabel;                        // for WaitShown: the text of its label
    std::vector<std::string> lines;               // for Report
};

// A question the test did not script an answer for: the test is wrong, not the routine.
struct UnscriptedQuestion : std::logic_error {
    using std::logic_error::logic_error;
};

class RecordingUserInterface : public UserInterface {
  public:
    // Answers for the questions to come (OK/Cancel and Yes/No boxes), in order.
    void script(std::initializer_list<Answer> answers) { answers_.insert(answers_.end(), answers); }
    std::size_t unusedAnswers() const { return answers_.size(); }

    Answer showMessage(const Message& message) override;
    void setStatus(StatusLabel label, std::string_view caption) override;
    void showWaitWindow(std::string_view caption, std::string_view label) override;
    void hideWaitWindow() override { record(UiEvent::Kind::WaitHidden); }
    void requestApplicationEnd() override;
    void showReport(const std::vector<std::string>& lines) override;

    const std::vector<UiEvent>& events() const { return events_; }
    // The texts of the message boxes shown, in order.
    std::vector<std::string> messageTexts() const;
    // The lines of the reports shown, in order.
    std::vector<std::string> reportLines() const;
    // The captions one label went through, in order (empty captions included).
    std::vector<std::string> captions(StatusLabel label) const;
    // The current caption of a label.
    std::string status(StatusLabel label) const;
    bool endRequested() const { return endRequested_; }

  private:
    UiEvent& record(UiEvent::Kind kind);

    std::deque<Answer> answers_;
    std::vector<UiEvent> events_;
    bool endRequested_ = false;
};

}  // namespace plovis
