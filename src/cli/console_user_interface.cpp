#include "cli/console_user_interface.h"

#include <istream>
#include <ostream>

#include "common/text.h"

namespace plovis {
namespace {

const char* iconWord(Icon icon) {
    switch (icon) {
        case Icon::Critical:
            return " [critical]";
        case Icon::Information:
            return " [information]";
        case Icon::None:
            break;
    }
    return "";
}

const char* choices(Buttons buttons) {
    return buttons == Buttons::YesNo ? "Yes/No" : "OK/Cancel";
}

const char* answerWord(Answer a) {
    switch (a) {
        case Answer::Ok:
            return "OK";
        case Answer::Cancel:
            return "Cancel";
        case Answer::Yes:
            return "Yes";
        case Answer::No:
            return "No";
    }
    return "";
}

// --yes stands for the affirmative button of either kind of box, --no for the other one.
Answer fit(Answer preset, Buttons buttons) {
    const bool positive = preset == Answer::Yes || preset == Answer::Ok;
    if (buttons == Buttons::YesNo) return positive ? Answer::Yes : Answer::No;
    return positive ? Answer::Ok : Answer::Cancel;
}

std::optional<Answer> parseAnswer(std::string_view typed, Buttons buttons) {
    const std::string t = upperCase(trimBlanks(typed));
    if (t == "Y" || t == "YES" || t == "O" || t == "OK") return fit(Answer::Yes, buttons);
    if (t == "N" || t == "NO" || t == "C" || t == "CANCEL") return fit(Answer::No, buttons);
    return std::nullopt;
}

}  // namespace

std::string consoleText(const Message& m) {
    std::string text;
    for (char c : m.text)
        text += c == '\r' ? std::string("\n  ") : std::string(1, c);
    return m.title.value_or("PLOVIS") + iconWord(m.icon) + ": " + text;
}

ConsoleUserInterface::ConsoleUserInterface(ConsoleStreams streams, ConsoleOptions options)
    : io_(streams), options_(options) {}

ConsoleUserInterface::~ConsoleUserInterface() {
    finishProgressLine();
}

void ConsoleUserInterface::finishProgressLine() {
    if (!progressShown_) return;
    io_.err << "\r\033[K" << std::flush;
    progressShown_ = false;
}

Answer ConsoleUserInterface::showMessage(const Message& message) {
    finishProgressLine();
    io_.out << consoleText(message) << '\n';
    if (message.buttons == Buttons::Ok) {
        io_.out << std::flush;
        return Answer::Ok;
    }
    const Answer answer = ask(message);
    io_.out << std::flush;
    return answer;
}

Answer ConsoleUserInterface::ask(const Message& message) {
    if (options_.preset) {
        const Answer a = fit(*options_.preset, message.buttons);
        io_.out << "  answered " << answerWord(a)
                << (options_.preset == Answer::Yes ? " (--yes)" : " (--no)") << '\n';
        return a;
    }
    if (io_.terminal) {
        for (;;) {
            io_.out << "  " << choices(message.buttons) << "? " << std::flush;
            std::string line;
            if (!std::getline(io_.in, line)) break;
            if (const auto a = parseAnswer(line, message.buttons)) return *a;
        }
    }
    if (unattended_) {
        const Answer a = fit(*unattended_, message.buttons);
        io_.out << "  answered " << answerWord(a) << " (nobody at a terminal to ask)\n";
        return a;
    }
    throw QuestionRefused("a question needs an answer (" + std::string(choices(message.buttons)) +
                          "): run plovis at a terminal, or pass --yes or --no");
}

void ConsoleUserInterface::showReport(const std::vector<std::string>& lines) {
    finishProgressLine();
    for (const std::string& line : lines)
        io_.out << line << '\n';
    io_.out << std::flush;
}

void ConsoleUserInterface::setStatus(StatusLabel, std::string_view caption) {
    if (options_.quiet) return;
    if (!io_.terminal) {
        if (!caption.empty()) io_.err << caption << '\n';
        return;
    }
    // On a terminal the line is rewritten in place, at most every 40 ms so that a command walking
    // thousands of rows is not slowed down by its own progress.
    const auto now = std::chrono::steady_clock::now();
    if (caption.empty()) {
        finishProgressLine();
        return;
    }
    if (progressShown_ && now - lastProgress_ < std::chrono::milliseconds(40)) return;
    lastProgress_ = now;
    io_.err << "\r\033[K" << caption << std::flush;
    progressShown_ = true;
}

}  // namespace plovis
