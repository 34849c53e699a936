#include "doubles/recording_user_interface.h"

namespace plovis {

UiEvent& RecordingUserInterface::record(UiEvent::Kind kind) {
    events_.emplace_back();
    events_.back().kind = kind;
    return events_.back();
}

Answer RecordingUserInterface::showMessage(const Message& message) {
    Answer answer = Answer::Ok;
    if (message.buttons != Buttons::Ok) {
        if (answers_.empty()) throw UnscriptedQuestion("no answer scripted for: " + message.text);
        answer = answers_.front();
        answers_.pop_front();
        const bool fits = message.buttons == Buttons::OkCancel
                              ? (answer == Answer::Ok || answer == Answer::Cancel)
                              : (answer == Answer::Yes || answer == Answer::No);
        if (!fits) throw UnscriptedQuestion("the scripted answer does not fit: " + message.text);
    }
    UiEvent& e = record(UiEvent::Kind::Message);
    e.message = message;
    e.answer = answer;
    return answer;
}

void RecordingUserInterface::setStatus(StatusLabel label, std::string_view caption) {
    UiEvent& e = record(UiEvent::Kind::Status);
    e.label = label;
    e.caption = std::string(caption);
}

void RecordingUserInterface::showWaitWindow(std::string_view caption, std::string_view label) {
    UiEvent& e = record(UiEvent::Kind::WaitShown);
    e.caption = std::string(caption);
    e.waitLabel = std::string(label);
}

void RecordingUserInterface::requestApplicationEnd() {
    endRequested_ = true;
    record(UiEvent::Kind::EndRequested);
}

void RecordingUserInterface::showReport(const std::vector<std::string>& lines) {
    record(UiEvent::Kind::Report).lines = lines;
}

std::vector<std::string> RecordingUserInterface::reportLines() const {
    std::vector<std::string> out;
    for (const auto& e : events_) {
        if (e.kind == UiEvent::Kind::Report) out.insert(out.end(), e.lines.begin(), e.lines.end());
    }
    return out;
}

std::vector<std::string> RecordingUserInterface::messageTexts() const {
    std::vector<std::string> out;
    for (const auto& e : events_) {
        if (e.kind == UiEvent::Kind::Message) out.push_back(e.message.text);
    }
    return out;
}

std::vector<std::string> RecordingUserInterface::captions(StatusLabel label) const {
    std::vector<std::string> out;
    for (const auto& e : events_) {
        if (e.kind == UiEvent::Kind::Status && e.label == label) out.push_back(e.caption);
    }
    return out;
}

std::string RecordingUserInterface::status(StatusLabel label) const {
    const auto all = captions(label);
    return all.empty() ? std::string{} : all.back();
}

}  // namespace plovis
