#pragma once
// The workbook window: the face of the spreadsheet host. One window per open workbook, a tab per
// sheet with its cells in a grid, the selected range (the selection the drawing commands read),
// save and save as, a modified marker, and a reload when the file changes on disk while the
// window holds no unsaved changes.

#include <QDateTime>
#include <QMainWindow>
#include <filesystem>
#include <memory>
#include <optional>

#include "hosts/xlsx/xlsx_workbook.h"
#include "shell/cell_edits.h"
#include "shell/sheet_look.h"

class QEventLoop;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QTabWidget;
class QTableView;
class QUndoStack;
class QWidget;

namespace plovis {

class WorkbookHost;
class SheetModel;

class WorkbookWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit WorkbookWindow(WorkbookHost& host);
    ~WorkbookWindow() override;

    // The workbook shown, or nullptr for an empty window.
    XlsxWorkbook* workbook() const { return workbook_.get(); }
    // Shows the workbook: a tab per sheet, its active sheet in front with its selection, the
    // cells' number formats and the column widths read from `lookFrom` (empty: its file).
    void setWorkbook(std::unique_ptr<XlsxWorkbook> workbook,
                     const std::filesystem::path& lookFrom = {});

    // Saves into the workbook's file (asking for one when it has none). False when the user
    // cancelled or the save failed (its message shown); the file is then as it was.
    bool save();
    bool saveAs(const QString& file);
    // A modified workbook: asks whether to save it first. False when the user cancelled.
    bool offerToSave();
    // Lets the user select a range on the sheet in front, `form` telling what to select ("one
    // column from a branch title row down"), and confirm it (OK) or give up (Cancel) while a
    // command waits; the other sheets cannot be chosen meanwhile. True when confirmed.
    bool askForSelection(const QString& form);
    // A line for the user in the status bar, kept until the next one.
    void showNote(const QString& note);
    // After a command: cells, sheet sizes and the modified marker shown anew.
    void refresh();

    // Editing. A cell typed into (row and column from 1), a block pasted from the clipboard's
    // tab-separated text at the selection, the selection copied or cleared: each one edit that
    // undoes and redoes, recalculated at once.
    void editCell(int tab, int row, int column, const std::string& typed);
    void paste();
    void copySelection();
    void clearSelection();
    QUndoStack* undoStack() const;
    // Around a command: what it writes becomes one edit, its cells highlighted until the next.
    void beginCommand();
    void endCommand(const QString& name);
    // After cells changed under the window: the recalculated cells and markers shown anew.
    void cellsEdited();

    QTabWidget* sheetTabs() const { return tabs_; }
    QTableView* sheetView(int index) const;
    SheetModel* sheetModel(int index) const;
    // The text of the line above the grid: the selected range and the current cell's value, or
    // in an empty window how to open a workbook.
    QString selectionText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildMenus();
    void buildEditMenu();
    void edit(std::vector<CellChange> changes, const QString& text);
    void applyColumnLook(int tab);
    void clearSheets();
    void showSelection(int tab, const CellRange& range);
    void selectionToWorkbook();
    void updateTitle();
    void watchFile();
    void recordDiskState();
    void fileChangedOnDisk();
    void reloadFromDisk();
    bool saveTo(const QString& file);

    WorkbookHost& host_;
    std::unique_ptr<XlsxWorkbook> workbook_;
    QTabWidget* tabs_;
    QLabel* address_;
    QWidget* selectionBar_;
    QLabel* selectionPrompt_ = nullptr;
    QMenu* recentMenu_ = nullptr;
    QFileSystemWatcher* watcher_;
    QEventLoop* selectionLoop_ = nullptr;
    QUndoStack* undo_ = nullptr;
    WorkbookLook look_;
    std::optional<WorkbookSnapshot> commandSnapshot_;
    // The file as the window last read or wrote it: a change notice that leaves it so is ours.
    QDateTime diskModified_;
    qint64 diskSize_ = -1;
    bool reloadPending_ = false;
};

}  // namespace plovis
