#pragma once
// The desktop application as one object: the dialogs, the user interface, the two hosts (the
// workbook and drawing windows) and the main window, and the way the program ends. It owns what
// the original kept at window and module scope; nothing is global.

#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "shell/command_guard.h"
#include "shell/dialogs.h"
#include "shell/drawing_host.h"
#include "shell/qt_user_interface.h"
#include "shell/workbook_host.h"

namespace plovis {

class FileDrops;
class Form1;

// How the desktop runs one command: its name for the edits it makes (undo "Water Demand"), and
// whether it draws.
struct CommandRun {
    QString name = "Command";
    bool draws = false;
    bool loadsIntoDrawing = false;  // changes the drawing in front without drawing
};

struct DesktopOptions {
    // Keeps the menu entries and the button that the window as laid out has switched off (the
    // computations, the drawings' menu, About and the ground profile dialog) switched off. By
    // default every command is reachable.
    bool asLaidOut = false;
    // Workbook files opened in workbook windows at start.
    std::vector<std::string> workbooks;
};

class Desktop {
  public:
    explicit Desktop(std::unique_ptr<Dialogs> dialogs, DesktopOptions options = {});
    ~Desktop();
    Desktop(const Desktop&) = delete;
    Desktop& operator=(const Desktop&) = delete;

    Form1& mainWindow() { return *form_; }
    WorkbookHost& workbooks() { return workbooks_; }
    DrawingHost& drawings() { return drawings_; }
    QtUserInterface& ui() { return ui_; }
    Dialogs& dialogs() { return *dialogs_; }
    CommandGuard& guard() { return guard_; }
    const DesktopOptions& options() const { return options_; }

    // Runs one command of the command table to its end, unless another one runs. A failure no
    // routine answered is shown, never lost; the windows show what the command changed; a
    // command that ended the application closes the main window (which offers to save first).
    // The cells it writes become one edit of their workbook window, undone as one. A drawing
    // command that made a drawing and drew nothing in it (it failed before its first sheet)
    // leaves no blank drawing behind.
    void runCommand(const std::function<void()>& body, const CommandRun& run = {});

    // Asks, for every modified workbook and drawing, whether to save it. False when the user
    // cancelled: the program then goes on.
    bool offerToSaveAll();
    // Closes the workbook and drawing windows and ends the program (see setOnEnded).
    void finish();
    // What ending does once the windows are closed: QCoreApplication::quit unless replaced.
    void setOnEnded(std::function<void()> onEnded) { onEnded_ = std::move(onEnded); }

  private:
    std::unique_ptr<Dialogs> dialogs_;
    DesktopOptions options_;
    CommandGuard guard_;
    QtUserInterface ui_;
    WorkbookHost workbooks_;
    DrawingHost drawings_;
    std::unique_ptr<Form1> form_;
    std::unique_ptr<FileDrops> drops_;
    std::function<void()> onEnded_;
};

// True when there is a screen for the desktop application (or QT_QPA_PLATFORM names one).
bool displayAvailable();

// Runs the desktop application until it ends; returns the exit status.
int runDesktop(int argc, char** argv, DesktopOptions options = {});

}  // namespace plovis
