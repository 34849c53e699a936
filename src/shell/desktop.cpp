#include "shell/desktop.h"

#include <QApplication>
#include <cstdlib>

#include "shell/file_drops.h"
#include "shell/form1.h"

namespace plovis {

Desktop::Desktop(std::unique_ptr<Dialogs> dialogs, DesktopOptions options)
    : dialogs_(std::move(dialogs)),
      options_(options),
      ui_(*dialogs_),
      workbooks_(*dialogs_, guard_),
      drawings_(*dialogs_, guard_),
      onEnded_([] { QCoreApplication::quit(); }) {
    form_ = std::make_unique<Form1>(*this);
    ui_.setMainWindow(form_.get());
    drops_ = std::make_unique<FileDrops>(
        [this](const QString& file, QWidget* window) { workbooks_.openFile(file, window); },
        [this](const QString& file, QWidget* window) { drawings_.openFile(file, window); });
    QCoreApplication::instance()->installEventFilter(drops_.get());
}

Desktop::~Desktop() {
    drops_.reset();
    form_.reset();
}

void Desktop::runCommand(const std::function<void()>& body, const CommandRun& run) {
    {
        RunningCommand running(guard_);
        if (!running.started()) return;
        const int drawingsBefore = drawings_.documentCount();
        if (run.draws) drawings_.beginCommand();
        if (run.loadsIntoDrawing) drawings_.beginStep();
        workbooks_.takeNotices();  // what the windows read while showing the cells is no command's
        workbooks_.beginCommand();
        try {
            body();
        } catch (const ApplicationEnds&) {
            // The end is carried out below, once the command is over.
        } catch (const std::exception& e) {
            ui_.showMessage(criticalMessage(std::string("The command stopped: ") + e.what()));
        }
        if (run.draws) drawings_.dropBlankDrawings(drawingsBefore);
        if (run.draws || run.loadsIntoDrawing) drawings_.endCommand(run.name);
        workbooks_.endCommand(run.name);
        for (std::string& notice : workbooks_.takeNotices())
            ui_.showMessage(okMessage(std::move(notice), Icon::Information, "Workbook"));
        workbooks_.refresh();
        drawings_.refresh();
    }
    if (ui_.endRequested()) {
        ui_.clearEndRequest();
        form_->close();
    }
}

bool Desktop::offerToSaveAll() {
    return workbooks_.offerToSaveAll() && drawings_.offerToSaveAll();
}

void Desktop::finish() {
    workbooks_.closeAll();
    drawings_.closeAll();
    onEnded_();
}

bool displayAvailable() {
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value) return true;
    }
    return false;
}

int runDesktop(int argc, char** argv, DesktopOptions options) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("PLOVIS");
    QApplication::setOrganizationName("PLOVIS");
    QApplication::setQuitOnLastWindowClosed(false);
    Desktop desktop(std::make_unique<QtDialogs>(), options);
    desktop.mainWindow().show();
    for (const std::string& file : options.workbooks)
        desktop.workbooks().openFile(QString::fromStdString(file), &desktop.mainWindow());
    return QApplication::exec();
}

}  // namespace plovis
