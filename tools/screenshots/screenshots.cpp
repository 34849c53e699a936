// Grabs the desktop application's windows into PNG files: plovis_screenshots OUTDIR. It walks the
// newcomer's road: the sample scheme opened (a copy) from the Open menu, a pipe diameter changed,
// water demand and pipe head loss run from the Compute menu, the design range selected again
// when the first selection was wrong, the profile drawn on A3, undone and drawn again, and the
// help. tools/screenshots/take-screenshots runs it under a real X server (Xvfb).
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <iostream>

#include "shell/about_box.h"
#include "shell/desktop.h"
#include "shell/drawing_view.h"
#include "shell/drawing_window.h"
#include "shell/form1.h"
#include "shell/help_window.h"
#include "shell/profile_dialog.h"
#include "shell/workbook_window.h"

namespace {

using namespace plovis;

// Every question answered OK: nothing here should ask one.
class AnsweringDialogs : public Dialogs {
  public:
    Answer message(const Message& m, QWidget*) override {
        std::cerr << "message: " << m.text << '\n';
        return Answer::Ok;
    }
    SaveChoice askToSave(const QString&, QWidget*) override { return SaveChoice::Discard; }
    QString openFileName(QWidget*, const QString&, const QString&) override { return {}; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    // No browser here: the help shows in its own window.
    bool openUrl(const QUrl&) override { return false; }
};

bool save(QWidget& window, const QString& folder, const char* name) {
    window.show();
    QApplication::processEvents();
    const QString file = folder + "/" + name;
    if (!window.grab().save(file)) {
        std::cerr << "could not write " << file.toStdString() << '\n';
        return false;
    }
    std::cout << file.toStdString() << '\n';
    return true;
}

int designTab(WorkbookWindow& w) {
    QTabWidget* tabs = w.sheetTabs();
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) == "PD-CW-Sample") return i;
    }
    return 0;
}

// Rows and columns from 0, as the grid counts them.
void select(WorkbookWindow& w, int firstRow, int firstColumn, int lastRow, int lastColumn) {
    const int tab = designTab(w);
    w.sheetTabs()->setCurrentIndex(tab);
    QTableView* view = w.sheetView(tab);
    const QModelIndex from = view->model()->index(firstRow, firstColumn);
    const QModelIndex to = view->model()->index(lastRow, lastColumn);
    view->selectionModel()->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
    view->selectionModel()->select(QItemSelection(from, to), QItemSelectionModel::ClearAndSelect);
    view->scrollTo(from, QAbstractItemView::PositionAtTop);
}

void trigger(Form1& form, const char* entry) {
    if (auto* action = form.findChild<QAction*>(entry)) action->trigger();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: plovis_screenshots OUTDIR\n";
        return 64;
    }
    QApplication app(argc, argv);
    Desktop desktop(std::make_unique<AnsweringDialogs>());
    const QString out = argv[1];
    Form1& form = desktop.mainWindow();
    bool ok = save(form, out, "main-window.png");
    auto* compute = form.findChild<QMenu*>("mnuCompute");
    compute->popup(form.mapToGlobal(QPoint(60, 20)));
    ok = save(*compute, out, "compute-menu.png") && ok;
    compute->hide();
    form.aboutOwned();
    ok = save(*form.aboutBox(), out, "about-box.png") && ok;
    form.aboutBox()->hide();

    trigger(form, "mnuSampelData");
    if (desktop.workbooks().windows().empty()) return 1;
    WorkbookWindow& book = *desktop.workbooks().windows().front();
    book.resize(1000, 560);
    // The first pipe taken one size up: HDPE 110 (O16), 96.8 mm inside (AI16), which the
    // hydraulic columns follow at once; then the computations from the menu.
    const int tab = designTab(book);
    book.editCell(tab, 16, 15, "110");
    book.editCell(tab, 16, 35, "96.8");
    trigger(form, "mnuWaterDemand");
    trigger(form, "mnuPipeLineData");
    book.resize(1560, 560);
    select(book, 15, 34, 15, 34);
    // From the diameters to the hydraulic columns the computations wrote (highlighted).
    book.sheetView(tab)->horizontalScrollBar()->setValue(14);
    ok = save(book, out, "workbook-window.png") && ok;

    // A selection of two columns: the command asks for the range again, on its own sheet.
    select(book, 14, 1, 36, 2);
    QTimer::singleShot(300, &book, [&] {
        select(book, 14, 1, 36, 1);
        ok = save(book, out, "workbook-reselection.png") && ok;
        book.findChild<QPushButton*>("selectionOk")->click();
    });
    form.findChild<QComboBox*>("Combo1")->setCurrentText("A3");
    form.readData();
    trigger(form, "mnuTemplateDwg");
    DrawingWindow& drawing = desktop.drawings().window();
    drawing.resize(1200, 660);
    QApplication::processEvents();
    drawing.showDocuments(true);
    ok = save(drawing, out, "drawing-window-profile.png") && ok;
    // The first sheet close up, as a user zooms in with the wheel.
    drawing.view()->zoomBy(3.8, QPointF(20, 176));
    drawing.view()->panBy(QPointF(10, -165));
    ok = save(drawing, out, "drawing-window-zoomed.png") && ok;
    ok = save(form, out, "main-window-after-profile.png") && ok;

    form.existingGround();
    ok = save(*form.profileDialog(), out, "ground-profile-dialog.png") && ok;
    form.profileDialog()->close();
    form.help();
    if (form.helpWindow()) ok = save(*form.helpWindow(), out, "help-window.png") && ok;
    return ok ? 0 : 1;
}
