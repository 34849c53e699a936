#include "desktop_fixture.h"

#include "support/run_command.h"
#include "support/test_paths.h"

namespace plovis::test {

Answer ScriptedDialogs::message(const Message& message, QWidget*) {
    shown.push_back({message, mainStatus ? mainStatus->text() : QString(),
                     drawingStatus ? drawingStatus->text() : QString()});
    if (message.buttons == Buttons::Ok) return Answer::Ok;
    if (answers.empty()) {
        ADD_FAILURE() << "No answer scripted for: " << message.text;
        return message.buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    const Answer a = answers.front();
    answers.pop_front();
    return a;
}

SaveChoice ScriptedDialogs::askToSave(const QString& document, QWidget*) {
    saveQuestions.push_back(document);
    if (saveChoices.empty()) {
        ADD_FAILURE() << "No answer scripted for saving " << document.toStdString();
        return SaveChoice::Cancel;
    }
    const SaveChoice c = saveChoices.front();
    saveChoices.pop_front();
    return c;
}

QString ScriptedDialogs::nextFile() {
    if (fileNames.empty()) return {};
    const QString f = fileNames.front();
    fileNames.pop_front();
    return f;
}

std::vector<std::string> ScriptedDialogs::texts() const {
    std::vector<std::string> out;
    for (const ShownMessage& m : shown)
        out.push_back(m.message.text);
    return out;
}

void DesktopTest::start(DesktopOptions options) {
    desktop.reset();
    auto scripted = std::make_unique<ScriptedDialogs>();
    dialogs = scripted.get();
    desktop = std::make_unique<Desktop>(std::move(scripted), options);
    desktop->setOnEnded([this] { ended = true; });
    dialogs->mainStatus = form().findChild<QLabel*>("lblStatus");
    dialogs->drawingStatus = form().findChild<QLabel*>("Label6");
    form().show();
}

void DesktopTest::TearDown() {
    desktop.reset();
    settle();
}

void writeScheme(const std::filesystem::path& file) {
    const auto made =
        runProgram("/usr/bin/python3",
                   {(sourceDir() / "tests/cli/drawing_scheme.py").string(), file.string()});
    ASSERT_EQ(made.status, 0) << made.errors;
}

}  // namespace plovis::test
