// Grabs the desktop application's windows into PNG files: plovis_screenshots OUTDIR. The sample
// scheme is opened from the Open menu, its design range selected and drawn as a profile on A3,
// as a user would do it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTabWidget>
#include <QTableView>
#include <iostream>

#include "shell/about_box.h"
#include "shell/desktop.h"
#include "shell/drawing_view.h"
#include "shell/drawing_window.h"
#include "shell/form1.h"
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
    bool openUrl(const QUrl&) override { return true; }
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

void selectDesignRange(WorkbookWindow& w) {
    QTabWidget* tabs = w.sheetTabs();
    for (int i = 0; i < tabs->count(); ++i) {
        if (tabs->tabText(i) != "PD-CW-Sample") continue;
        tabs->setCurrentIndex(i);
        QTableView* view = w.sheetView(i);
        const QModelIndex from = view->model()->index(14, 1), to = view->model()->index(36, 1);
        view->selectionModel()->setCurrentIndex(from, QItemSelectionModel::NoUpdate);
        view->selectionModel()->select(QItemSelection(from, to),
                                       QItemSelectionModel::ClearAndSelect);
    }
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
    form.aboutOwned();
    ok = save(*form.aboutBox(), out, "about-box.png") && ok;
    form.aboutBox()->hide();

    form.findChild<QAction*>("mnuSampelData")->trigger();
    if (desktop.workbooks().windows().empty()) return 1;
    WorkbookWindow& book = *desktop.workbooks().windows().front();
    book.resize(900, 520);
    selectDesignRange(book);
    ok = save(book, out, "workbook-window.png") && ok;

    form.findChild<QComboBox*>("Combo1")->setCurrentText("A3");
    form.readData();
    DrawingWindow& drawing = desktop.drawings().window();
    drawing.resize(1100, 640);
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
    return ok ? 0 : 1;
}
