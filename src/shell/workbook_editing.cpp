// The workbook window as a spreadsheet: cells typed, pasted and cleared as edits that undo and
// redo, a whole command's writes as one edit, the cells it wrote highlighted, and the columns
// as wide as the file has them.
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMenuBar>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QUndoGroup>
#include <QUndoStack>
#include <algorithm>

#include "shell/cell_edits.h"
#include "shell/sheet_model.h"
#include "shell/workbook_host.h"
#include "shell/workbook_window.h"

namespace plovis {
namespace {

// One edit of the cells on the undo stack. It is pushed after its cells were written, so its
// first redo, which the stack runs on push, writes nothing.
class CellsUndo : public QUndoCommand {
  public:
    CellsUndo(WorkbookWindow& window, std::vector<CellChange> changes, const QString& text)
        : QUndoCommand(text), window_(window), changes_(std::move(changes)) {}
    void undo() override { put(true); }
    void redo() override {
        if (std::exchange(firstRedo_, false)) return;
        put(false);
    }

  private:
    void put(bool undo) {
        if (!window_.workbook()) return;
        applyChanges(*window_.workbook(), changes_, undo);
        window_.cellsEdited();
    }
    WorkbookWindow& window_;
    std::vector<CellChange> changes_;
    bool firstRedo_ = true;
};

// The block of cells in tab-separated text, as spreadsheet programs put it on the clipboard.
std::vector<std::vector<std::string>> tabSeparated(const QString& text) {
    QStringList lines = text.split('\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    std::vector<std::vector<std::string>> rows;
    for (QString line : lines) {
        if (line.endsWith('\r')) line.chop(1);
        auto& row = rows.emplace_back();
        for (const QString& field : line.split('\t'))
            row.push_back(field.toStdString());
    }
    return rows;
}

}  // namespace

void WorkbookWindow::buildEditMenu() {
    // The stack is taken out of its group while a command runs: undo then has nothing to undo,
    // so it cannot pull cells from under the command.
    auto* group = new QUndoGroup(this);
    undo_ = new QUndoStack(group);
    group->setActiveStack(undo_);
    QMenu* edit = menuBar()->addMenu("&Edit");
    QAction* undo = group->createUndoAction(this, "&Undo");
    undo->setObjectName("undoCells");
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = group->createRedoAction(this, "&Redo");
    redo->setObjectName("redoCells");
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    if (!redoKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Y))) redoKeys << (Qt::CTRL | Qt::Key_Y);
    redo->setShortcuts(redoKeys);
    edit->addAction(undo);
    edit->addAction(redo);
    edit->addSeparator();
    edit->addAction("&Copy", QKeySequence::Copy, this, [this] { copySelection(); });
    edit->addAction("&Paste", QKeySequence::Paste, this, [this] { paste(); });
    edit->addAction("Clear C&ontents", this, [this] { clearSelection(); });
}

QUndoStack* WorkbookWindow::undoStack() const {
    return undo_;
}

void WorkbookWindow::edit(std::vector<CellChange> changes, const QString& text) {
    if (!workbook_ || changes.empty() || host_.guard().busy()) return;
    for (int i = 0; i < tabs_->count(); ++i)
        sheetModel(i)->setHighlighted({});
    try {
        applyChanges(*workbook_, changes, false);
    } catch (const std::exception& e) {
        applyChanges(*workbook_, changes, true);  // what was written of it goes back
        host_.dialogs().message(criticalMessage(e.what()), this);
        cellsEdited();
        return;
    }
    undo_->push(new CellsUndo(*this, std::move(changes), text));
    cellsEdited();
}

void WorkbookWindow::editCell(int tab, int row, int column, const std::string& typed) {
    if (!workbook_) return;
    MemoryWorksheet& sheet = workbook_->sheetAt(tab);
    CellChange c{tab, row, column, cellState(sheet, row, column), typedState(typed)};
    if (c.before == c.after) return;
    edit({std::move(c)}, "Edit " + QString::fromStdString(sheet.name()) + "!" +
                             cellName(sheetModel(tab)->index(row - 1, column - 1)));
}

void WorkbookWindow::cellsEdited() {
    for (std::string& notice : host_.takeNotices())
        statusBar()->showMessage(QString::fromStdString(notice));
    refresh();
}

void WorkbookWindow::clearSelection() {
    if (!workbook_) return;
    const int tab = tabs_->currentIndex();
    QTableView* view = sheetView(tab);
    MemoryWorksheet& sheet = workbook_->sheetAt(tab);
    std::vector<CellChange> changes;
    for (const QModelIndex& i : view->selectionModel()->selectedIndexes()) {
        CellState before = cellState(sheet, i.row() + 1, i.column() + 1);
        if (before != CellState{})
            changes.push_back({tab, i.row() + 1, i.column() + 1, std::move(before), {}});
    }
    edit(std::move(changes), "Clear");
}

void WorkbookWindow::copySelection() {
    if (!workbook_) return;
    const CellRange r = workbook_->selection();
    MemoryWorksheet& sheet = workbook_->activeSheet();
    QString text;
    for (int row = r.firstRow; row <= r.lastRow; ++row) {
        for (int column = r.firstColumn; column <= r.lastColumn; ++column) {
            if (column > r.firstColumn) text += '\t';
            text += QString::fromStdString(cellText(sheet.cell(row, column)));
        }
        text += '\n';
    }
    QApplication::clipboard()->setText(text);
}

void WorkbookWindow::paste() {
    if (!workbook_) return;
    const auto block = tabSeparated(QApplication::clipboard()->text());
    const int tab = tabs_->currentIndex();
    const CellRange at = workbook_->selection();
    MemoryWorksheet& sheet = workbook_->sheetAt(tab);
    std::vector<CellChange> changes;
    for (std::size_t i = 0; i < block.size(); ++i) {
        for (std::size_t j = 0; j < block[i].size(); ++j) {
            const int row = at.firstRow + static_cast<int>(i);
            const int column = at.firstColumn + static_cast<int>(j);
            CellChange c{tab, row, column, cellState(sheet, row, column), typedState(block[i][j])};
            if (c.before != c.after) changes.push_back(std::move(c));
        }
    }
    edit(std::move(changes), "Paste");
}

void WorkbookWindow::beginCommand() {
    commandSnapshot_.reset();
    if (workbook_) commandSnapshot_ = snapshotOf(*workbook_);
    if (workbook_ && !commandSnapshot_) {
        statusBar()->showMessage("This workbook is too large to undo a whole command.");
    }
    undo_->setActive(false);
}

void WorkbookWindow::endCommand(const QString& name) {
    undo_->setActive(true);
    if (!workbook_ || !commandSnapshot_) return;
    // Every cell the command wrote is highlighted, also one that kept its value.
    auto written = writtenSince(*commandSnapshot_, *workbook_);
    std::vector<CellChange> changes = changesSince(*commandSnapshot_, *workbook_);
    commandSnapshot_.reset();
    const bool wrote = std::any_of(written.begin(), written.end(),
                                   [](const auto& cells) { return !cells.empty(); });
    if (!wrote) return;
    for (int i = 0; i < tabs_->count() && i < static_cast<int>(written.size()); ++i)
        sheetModel(i)->setHighlighted(std::move(written[static_cast<std::size_t>(i)]));
    if (!changes.empty()) undo_->push(new CellsUndo(*this, std::move(changes), name));
}

// Column widths are kept in characters of the default font's digits.
void WorkbookWindow::applyColumnLook(int tab) {
    QTableView* view = sheetView(tab);
    const SheetLook* look = sheetModel(tab)->look();
    if (!view || !look) return;
    const int digit = view->fontMetrics().horizontalAdvance('0');
    const auto pixels = [digit](double characters) {
        return std::max(static_cast<int>(characters * digit + 0.5), 4);
    };
    view->horizontalHeader()->setDefaultSectionSize(pixels(look->defaultWidth));
    const int columns = view->model()->columnCount();
    for (const auto& [number, c] : look->columns) {
        if (number > columns) break;
        if (c.width >= 0) view->setColumnWidth(number - 1, pixels(c.width));
        view->setColumnHidden(number - 1, c.hidden || c.width == 0);
    }
}

}  // namespace plovis
