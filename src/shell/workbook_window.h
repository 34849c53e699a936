#pragma once
// The workbook window: the face of the spreadsheet host. One window per open workbook, a tab per
// sheet with its cells in a grid, the selected range (the selection the drawing commands read),
// save and save as, a modified marker, and a reload when the file changes on disk while the
// window holds no unsaved changes.

#include <QDateTime>
#include <QMainWindow>
#include <memory>

#include "hosts/xlsx/xlsx_workbook.h"

class QEventLoop;
class QFileSystemWatcher;
class QLabel;
class QMenu;
class QTabWidget;
class QTableView;
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
    // Shows the workbook: a tab per sheet, its active sheet in front with its selection.
    void setWorkbook(std::unique_ptr<XlsxWorkbook> workbook);

    // Saves into the workbook's file (asking for one when it has none). False when the user
    // cancelled or the save failed (its message shown); the file is then as it was.
    bool save();
    bool saveAs(const QString& file);
    // A modified workbook: asks whether to save it first. False when the user cancelled.
    bool offerToSave();
    // Lets the user select a range and confirm it (OK) or give up (Cancel) while a command
    // waits. True when confirmed.
    bool askForSelection();
    // After a command: cells, sheet sizes and the modified marker shown anew.
    void refresh();

    QTabWidget* sheetTabs() const { return tabs_; }
    QTableView* sheetView(int index) const;
    SheetModel* sheetModel(int index) const;
    // The text of the line above the grid: the selected range and the current cell's value.
    QString selectionText() const;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void buildMenus();
    void fillRecentMenu();
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
    QMenu* recentMenu_ = nullptr;
    QFileSystemWatcher* watcher_;
    QEventLoop* selectionLoop_ = nullptr;
    // The file as the window last read or wrote it: a change notice that leaves it so is ours.
    QDateTime diskModified_;
    qint64 diskSize_ = -1;
    bool reloadPending_ = false;
};

}  // namespace plovis
