#pragma once
// The desktop application under test: the real windows on the offscreen platform, with the
// user's answers (message boxes, save questions, file names, the browser) given by the test.

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <deque>
#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

#include "shell/desktop.h"
#include "shell/form1.h"

// QStrings in test failures as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace plovis::test {

// A message as the user saw it, with the two status captions showing at that moment.
struct ShownMessage {
    Message message;
    QString mainStatus;     // lblStatus
    QString drawingStatus;  // Label6
};

class ScriptedDialogs : public Dialogs {
  public:
    Answer message(const Message& message, QWidget* parent) override;
    SaveChoice askToSave(const QString& document, QWidget* parent) override;
    QString openFileName(QWidget*, const QString&, const QString&) override { return nextFile(); }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return nextFile();
    }
    bool openUrl(const QUrl& url) override {
        urls.push_back(url);
        return urlOpens;
    }

    std::vector<std::string> texts() const;

    std::vector<ShownMessage> shown;
    std::deque<Answer> answers;  // for OK/Cancel and Yes/No boxes, in order
    std::vector<QString> saveQuestions;
    std::deque<SaveChoice> saveChoices;
    std::deque<QString> fileNames;
    std::vector<QUrl> urls;
    bool urlOpens = true;
    QLabel* mainStatus = nullptr;
    QLabel* drawingStatus = nullptr;

  private:
    QString nextFile();
};

class DesktopTest : public ::testing::Test {
  protected:
    void SetUp() override { start(); }
    void TearDown() override;
    // A desktop afresh (the window as laid out, or with every command switched on).
    void start(DesktopOptions options = asLaidOut());
    static DesktopOptions asLaidOut() {
        DesktopOptions options;
        options.asLaidOut = true;
        return options;
    }
    static DesktopOptions withAllCommands() { return {}; }

    Form1& form() { return desktop->mainWindow(); }
    template <class T>
    T* child(const char* name) {
        T* found = form().findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QString mainStatus() { return child<QLabel>("lblStatus")->text(); }
    QString drawingStatus() { return child<QLabel>("Label6")->text(); }
    // Runs the events due (timers, deferred deletes) without waiting.
    static void settle() { QCoreApplication::processEvents(); }

    std::unique_ptr<Desktop> desktop;
    ScriptedDialogs* dialogs = nullptr;
    bool ended = false;
};

// A small scheme workbook (a main line and a branch, their ground profile and the scheme title)
// written by openpyxl into `file`.
void writeScheme(const std::filesystem::path& file);

}  // namespace plovis::test
