#include "shell/workbook_window.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QUndoStack>
#include <QVBoxLayout>

#include "shell/recent_files.h"
#include "shell/sheet_grid.h"
#include "shell/sheet_model.h"
#include "shell/workbook_host.h"

namespace plovis {
namespace {

const char* const kFilter = "Excel workbooks (*.xlsx)";
constexpr int kDiskSettleMs = 300;  // a writer may replace the file in several steps

// The selected rectangle that holds the current cell, else the last one selected, else the
// current cell alone.
CellRange selectedRange(const QTableView& view) {
    const QModelIndex current = view.currentIndex();
    const QItemSelection selection = view.selectionModel()->selection();
    const QItemSelectionRange* chosen = nullptr;
    for (const QItemSelectionRange& r : selection) {
        if (r.contains(current)) chosen = &r;
    }
    if (!chosen && !selection.isEmpty()) chosen = &selection.last();
    if (chosen) {
        return {chosen->top() + 1, chosen->left() + 1, chosen->bottom() + 1, chosen->right() + 1};
    }
    const int row = current.isValid() ? current.row() + 1 : 1;
    const int column = current.isValid() ? current.column() + 1 : 1;
    return {row, column, row, column};
}

}  // namespace

WorkbookWindow::WorkbookWindow(WorkbookHost& host)
    : host_(host), tabs_(new QTabWidget), address_(new QLabel), selectionBar_(new QWidget) {
    setObjectName("workbookWindow");
    setAcceptDrops(true);  // workbook files dropped here open (see FileDrops)
    resize(900, 600);
    tabs_->setTabPosition(QTabWidget::South);
    tabs_->setDocumentMode(true);
    address_->setObjectName("selectionAddress");
    address_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    selectionBar_->setObjectName("selectionBar");
    auto* bar = new QHBoxLayout(selectionBar_);
    selectionPrompt_ = new QLabel("Select the range in the sheet, then press OK.");
    selectionPrompt_->setObjectName("selectionPrompt");
    selectionPrompt_->setStyleSheet("font-weight: bold;");
    bar->addWidget(selectionPrompt_, 1);
    auto* ok = new QPushButton("OK");
    ok->setObjectName("selectionOk");
    auto* cancel = new QPushButton("Cancel");
    cancel->setObjectName("selectionCancel");
    bar->addWidget(ok);
    bar->addWidget(cancel);
    selectionBar_->hide();
    connect(ok, &QPushButton::clicked, this, [this] {
        if (selectionLoop_) selectionLoop_->exit(1);
    });
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (selectionLoop_) selectionLoop_->exit(0);
    });

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->addWidget(selectionBar_);
    layout->addWidget(address_);
    layout->addWidget(tabs_, 1);
    setCentralWidget(central);
    statusBar();

    connect(tabs_, &QTabWidget::currentChanged, this, [this] { selectionToWorkbook(); });
    watcher_ = new QFileSystemWatcher(this);
    connect(watcher_, &QFileSystemWatcher::fileChanged, this,
            [this] { QTimer::singleShot(kDiskSettleMs, this, [this] { fileChangedOnDisk(); }); });
    connect(&host_.guard(), &CommandGuard::idle, this, [this] {
        if (reloadPending_) fileChangedOnDisk();
    });
    buildMenus();
    updateTitle();
    selectionToWorkbook();
}

WorkbookWindow::~WorkbookWindow() {
    // The views go before the workbook their models read.
    clearSheets();
}

void WorkbookWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&Open...", QKeySequence::Open, this, [this] { host_.openChosenFile(this); });
    recentMenu_ = file->addMenu("Open &Recent");
    connect(recentMenu_, &QMenu::aboutToShow, this, [this] {
        fillRecentMenu(recentMenu_, [this](const QString& f) { host_.openFile(f, this); });
    });
    file->addSeparator();
    file->addAction("&Save", QKeySequence::Save, this, [this] { save(); });
    file->addAction("Save &As...", QKeySequence::SaveAs, this, [this] {
        const QString f =
            host_.dialogs().saveFileName(this, "Save Workbook As", QString(), kFilter);
        if (!f.isEmpty()) saveAs(f);
    });
    file->addSeparator();
    file->addAction("&Close", QKeySequence::Close, this, [this] { close(); });
    buildEditMenu();
}

void WorkbookWindow::clearSheets() {
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        delete page;  // its view and model
    }
}

QTableView* WorkbookWindow::sheetView(int index) const {
    return qobject_cast<QTableView*>(tabs_->widget(index));
}

SheetModel* WorkbookWindow::sheetModel(int index) const {
    QTableView* view = sheetView(index);
    return view ? qobject_cast<SheetModel*>(view->model()) : nullptr;
}

void WorkbookWindow::setWorkbook(std::unique_ptr<XlsxWorkbook> workbook,
                                 const std::filesystem::path& lookFrom) {
    QSignalBlocker block(tabs_);
    clearSheets();
    undo_->clear();
    commandSnapshot_.reset();
    workbook_ = std::move(workbook);
    look_ = {};
    if (workbook_) {
        look_ = readWorkbookLook(lookFrom.empty() ? workbook_->file() : lookFrom);
        for (int i = 0; i < workbook_->sheetCount(); ++i) {
            MemoryWorksheet& sheet = workbook_->sheetAt(i);
            auto* view = new SheetGrid(tabs_);
            const auto look = look_.sheets.find(sheet.name());
            auto* model = new SheetModel(sheet, view, &look_,
                                         look == look_.sheets.end() ? nullptr : &look->second);
            model->onEdit = [this, i](int row, int column, const std::string& typed) {
                editCell(i, row, column, typed);
            };
            view->setModel(model);
            view->onClear = [this] { clearSelection(); };
            connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
                    [this] { selectionToWorkbook(); });
            connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
                    [this] { selectionToWorkbook(); });
            tabs_->addTab(view, QString::fromStdString(sheet.name()));
            applyColumnLook(i);
        }
        const CellRange selection = workbook_->selection();
        tabs_->setCurrentIndex(workbook_->activeIndex());
        showSelection(workbook_->activeIndex(), selection);
    }
    watchFile();
    recordDiskState();
    updateTitle();
}

void WorkbookWindow::showSelection(int tab, const CellRange& range) {
    QTableView* view = sheetView(tab);
    if (!view) return;
    auto* model = qobject_cast<SheetModel*>(view->model());
    model->include(range.lastRow, range.lastColumn);
    const QModelIndex first = model->index(range.firstRow - 1, range.firstColumn - 1);
    const QModelIndex last = model->index(range.lastRow - 1, range.lastColumn - 1);
    view->selectionModel()->setCurrentIndex(first, QItemSelectionModel::NoUpdate);
    view->selectionModel()->select(QItemSelection(first, last),
                                   QItemSelectionModel::ClearAndSelect);
    view->scrollTo(first);
    selectionToWorkbook();
}

// The sheet in front and its selected range are what the drawing commands read.
void WorkbookWindow::selectionToWorkbook() {
    const int tab = tabs_->currentIndex();
    QTableView* view = sheetView(tab);
    if (!workbook_ || !view) {
        address_->setText(selectionText());
        return;
    }
    const CellRange range = selectedRange(*view);
    workbook_->setActiveIndex(tab);
    workbook_->setSelection(range);
    address_->setText(selectionText());
}

QString WorkbookWindow::selectionText() const {
    if (!workbook_) {
        return "No workbook is open here: File > Open (Ctrl+O) here or Open > Workbook in the "
               "main window, or drop an .xlsx file on this window.";
    }
    const CellRange range = workbook_->selection();
    QString text = QString::fromStdString(workbook_->activeSheet().name() + "!" + formatA1(range));
    QTableView* view = sheetView(tabs_->currentIndex());
    if (view && view->currentIndex().isValid()) {
        const QString value = view->currentIndex().data(Qt::EditRole).toString();
        text += "    " + cellName(view->currentIndex()) + ": " + value;
    }
    return text;
}

void WorkbookWindow::updateTitle() {
    if (!workbook_) {
        setWindowTitle("PLOVIS workbook");
        setWindowModified(false);
        return;
    }
    const QString copy = workbook_->file().empty() ? " (not saved yet)" : "";
    setWindowTitle(QString::fromStdString(workbook_->name()) + copy + "[*] - PLOVIS workbook");
    setWindowModified(workbook_->modified());
}

void WorkbookWindow::refresh() {
    for (int i = 0; i < tabs_->count(); ++i) {
        const int columns = sheetModel(i)->columnCount();
        sheetModel(i)->refresh();
        if (sheetModel(i)->columnCount() != columns) applyColumnLook(i);
    }
    address_->setText(selectionText());
    updateTitle();
}

bool WorkbookWindow::saveTo(const QString& file) {
    try {
        workbook_->save(file.toStdString());
    } catch (const HostError& e) {
        host_.dialogs().message(criticalMessage(e.what()), this);
        return false;
    }
    rememberWorkbook(QFileInfo(file).absoluteFilePath());
    watchFile();
    recordDiskState();
    updateTitle();
    statusBar()->showMessage("Saved " + file, 5000);
    return true;
}

bool WorkbookWindow::save() {
    if (!workbook_) return true;
    if (workbook_->file().empty()) {
        const QString f = host_.dialogs().saveFileName(
            this, "Save Workbook As", QString::fromStdString(workbook_->name()), kFilter);
        return !f.isEmpty() && saveTo(f);
    }
    return saveTo(QString::fromStdString(workbook_->file().string()));
}

bool WorkbookWindow::saveAs(const QString& file) {
    return workbook_ && saveTo(file);
}

bool WorkbookWindow::offerToSave() {
    if (!workbook_ || !workbook_->modified()) return true;
    show();
    raise();
    switch (host_.dialogs().askToSave(QString::fromStdString(workbook_->name()), this)) {
        case SaveChoice::Save:
            return save();
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

bool WorkbookWindow::askForSelection(const QString& form) {
    if (!workbook_) return false;
    show();
    raise();
    activateWindow();
    // The command reads the sheet it started on: the user selects there, the other tabs wait.
    const int sheet = tabs_->currentIndex();
    selectionPrompt_->setText("Select on " + tabs_->tabText(sheet) + ": " + form +
                              ", then press OK.");
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabEnabled(i, i == sheet);
    selectionBar_->show();
    QEventLoop loop;
    selectionLoop_ = &loop;
    const bool confirmed = loop.exec() == 1;
    selectionLoop_ = nullptr;
    selectionBar_->hide();
    for (int i = 0; i < tabs_->count(); ++i)
        tabs_->setTabEnabled(i, true);
    return confirmed;
}

void WorkbookWindow::showNote(const QString& note) {
    statusBar()->showMessage(note);
}

void WorkbookWindow::closeEvent(QCloseEvent* event) {
    if (selectionLoop_) {
        selectionLoop_->exit(0);  // closing gives up the selection; the window stays
        event->ignore();
        return;
    }
    if (host_.guard().busy() || !offerToSave()) {
        event->ignore();
        return;
    }
    event->accept();
    host_.windowClosed(this);
}

void WorkbookWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) host_.bringToFront(this);
    QMainWindow::changeEvent(event);
}

void WorkbookWindow::watchFile() {
    if (!watcher_->files().isEmpty()) watcher_->removePaths(watcher_->files());
    if (workbook_ && !workbook_->file().empty()) {
        // A file replaced by renaming another over it is watched anew under its name.
        watcher_->addPath(QString::fromStdString(workbook_->file().string()));
    }
}

void WorkbookWindow::recordDiskState() {
    diskSize_ = -1;
    diskModified_ = {};
    if (!workbook_ || workbook_->file().empty()) return;
    const QFileInfo info(QString::fromStdString(workbook_->file().string()));
    if (!info.exists()) return;
    diskModified_ = info.lastModified();
    diskSize_ = info.size();
}

void WorkbookWindow::fileChangedOnDisk() {
    reloadPending_ = false;
    if (!workbook_ || workbook_->file().empty()) return;
    const QString file = QString::fromStdString(workbook_->file().string());
    watchFile();
    const QFileInfo info(file);
    if (!info.exists()) {
        statusBar()->showMessage(file + " was removed from the disk; save to write it again.");
        return;
    }
    if (info.lastModified() == diskModified_ && info.size() == diskSize_) return;
    if (host_.guard().busy()) {
        reloadPending_ = true;  // never under a running command
        return;
    }
    if (workbook_->modified()) {
        statusBar()->showMessage(file +
                                 " changed on the disk; your unsaved changes are kept here. Save "
                                 "As another file to keep both.");
        recordDiskState();
        return;
    }
    reloadFromDisk();
}

void WorkbookWindow::reloadFromDisk() {
    const std::filesystem::path file = workbook_->file();
    std::unique_ptr<XlsxWorkbook> fresh;
    try {
        fresh = XlsxWorkbook::open(file, XlsxWorkbook::Reading::EverySheet);
    } catch (const HostError& e) {
        statusBar()->showMessage(QString("The workbook changed on the disk but could not be "
                                         "read again: ") +
                                 e.what());
        recordDiskState();
        return;
    }
    // The user keeps the sheet and the range in front.
    const std::string sheet = workbook_->activeSheet().name();
    const CellRange selection = workbook_->selection();
    setWorkbook(std::move(fresh));
    if (MemoryWorksheet* same = workbook_->findSheet(sheet)) {
        for (int i = 0; i < workbook_->sheetCount(); ++i) {
            if (&workbook_->sheetAt(i) == same) tabs_->setCurrentIndex(i);
        }
        showSelection(tabs_->currentIndex(), selection);
    }
    statusBar()->showMessage("Read again: the file changed on the disk.", 5000);
}

}  // namespace plovis
