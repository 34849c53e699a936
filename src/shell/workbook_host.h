#pragma once
// The spreadsheet host of the desktop: the workbook windows. A command attaches to the workbook
// in front; starting the host opens an empty workbook window; opening a file shows it in a
// window of its own (or in the empty one).

#include <QString>
#include <filesystem>
#include <vector>

#include "hosts/spreadsheet.h"
#include "shell/command_guard.h"
#include "shell/dialogs.h"

class QWidget;

namespace plovis {

class WorkbookWindow;

class WorkbookHost : public SpreadsheetHost {
  public:
    WorkbookHost(Dialogs& dialogs, CommandGuard& guard);
    ~WorkbookHost() override;
    WorkbookHost(const WorkbookHost&) = delete;
    WorkbookHost& operator=(const WorkbookHost&) = delete;

    // The workbook of the window in front; HostError when no window holds one.
    Workbook& activeWorkbook() override;
    // An empty workbook window when there is none.
    void start() override;
    void setVisible(bool visible) override;
    // The file in a window of its own in front (the window that holds it already, when one
    // does). An .xls or .ods file is converted to an .xlsx beside it first (the user is told);
    // a file shipped with the program opens as an unsaved copy. HostError naming the file and
    // the problem when it cannot be read.
    Workbook& open(const std::filesystem::path& file) override;
    // The program converting .xls and .ods workbooks (empty: LibreOffice found on the PATH).
    void setConverter(std::filesystem::path converter) { converter_ = std::move(converter); }

    // The windows, the one in front first.
    const std::vector<WorkbookWindow*>& windows() const { return windows_; }
    void bringToFront(WorkbookWindow* window);
    // The file dialog, then the file opened; a failure is shown over `parent`.
    void openChosenFile(QWidget* parent);
    // The file filter of the open dialogs: the workbooks PLOVIS opens (converting some).
    static QString openFilter();
    void openFile(const QString& file, QWidget* parent);
    // Asks for every modified workbook whether to save it. False when the user cancelled.
    bool offerToSaveAll();
    // Closes every window without asking (after offerToSaveAll).
    void closeAll();
    // Lets the user select again in the window in front (the profile's selection message),
    // `form` saying what to select.
    bool askForSelection(const QString& form = "the range");
    // After a command: every window shows its cells and modified marker anew.
    void refresh();
    // Around a command: each window keeps what the command writes as one edit (see
    // WorkbookWindow::beginCommand).
    void beginCommand();
    void endCommand(const QString& name);
    // The warnings the workbooks gathered (values read that could not be recalculated), taken.
    std::vector<std::string> takeNotices();
    // A window closed by the user.
    void windowClosed(WorkbookWindow* window);

    Dialogs& dialogs() const { return dialogs_; }
    CommandGuard& guard() const { return guard_; }

  private:
    WorkbookWindow& newWindow();
    WorkbookWindow* windowWithWorkbook() const;
    // A closed window is hidden and deleted later: it may still be on the call stack.
    void retire(WorkbookWindow* window);
    void deleteRetired();

    Dialogs& dialogs_;
    CommandGuard& guard_;
    std::vector<WorkbookWindow*> windows_;  // owned; the one in front first
    std::vector<WorkbookWindow*> retired_;  // owned; closed
    std::filesystem::path converter_;
};

}  // namespace plovis
