#include "shell/workbook_host.h"

#include <QFileInfo>
#include <algorithm>

#include "shell/recent_files.h"
#include "shell/workbook_window.h"

namespace plovis {
namespace {

bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code ec;
    return !a.empty() && std::filesystem::equivalent(a, b, ec);
}

}  // namespace

WorkbookHost::WorkbookHost(Dialogs& dialogs, CommandGuard& guard)
    : dialogs_(dialogs), guard_(guard) {}

WorkbookHost::~WorkbookHost() {
    for (WorkbookWindow* w : windows_)
        delete w;
    deleteRetired();
}

void WorkbookHost::deleteRetired() {
    for (WorkbookWindow* w : retired_)
        delete w;
    retired_.clear();
}

void WorkbookHost::retire(WorkbookWindow* window) {
    window->hide();
    retired_.push_back(window);
}

WorkbookWindow* WorkbookHost::windowWithWorkbook() const {
    for (WorkbookWindow* w : windows_) {
        if (w->workbook()) return w;
    }
    return nullptr;
}

Workbook& WorkbookHost::activeWorkbook() {
    WorkbookWindow* w = windowWithWorkbook();
    if (!w) throw HostError("No workbook is open in the workbook window");
    return *w->workbook();
}

WorkbookWindow& WorkbookHost::newWindow() {
    deleteRetired();
    auto* w = new WorkbookWindow(*this);
    windows_.insert(windows_.begin(), w);
    return *w;
}

void WorkbookHost::start() {
    if (windows_.empty()) newWindow().show();
}

void WorkbookHost::setVisible(bool visible) {
    for (WorkbookWindow* w : windows_)
        w->setVisible(visible);
}

Workbook& WorkbookHost::open(const std::filesystem::path& file) {
    for (WorkbookWindow* w : windows_) {
        if (w->workbook() && sameFile(w->workbook()->file(), file)) {
            bringToFront(w);
            w->show();
            w->raise();
            return *w->workbook();
        }
    }
    std::unique_ptr<XlsxWorkbook> workbook =
        XlsxWorkbook::open(file, XlsxWorkbook::Reading::EverySheet);
    const auto empty =
        std::find_if(windows_.begin(), windows_.end(), [](auto* w) { return !w->workbook(); });
    WorkbookWindow& w = empty != windows_.end() ? **empty : newWindow();
    w.setWorkbook(std::move(workbook));
    bringToFront(&w);
    w.show();
    w.raise();
    rememberWorkbook(QFileInfo(QString::fromStdString(file.string())).absoluteFilePath());
    return *w.workbook();
}

void WorkbookHost::bringToFront(WorkbookWindow* window) {
    const auto at = std::find(windows_.begin(), windows_.end(), window);
    if (at != windows_.end()) std::rotate(windows_.begin(), at, at + 1);
}

void WorkbookHost::openFile(const QString& file, QWidget* parent) {
    try {
        open(file.toStdString());
    } catch (const HostError& e) {
        dialogs_.message(criticalMessage(e.what()), parent);
    }
}

void WorkbookHost::openChosenFile(QWidget* parent) {
    const QString file =
        dialogs_.openFileName(parent, "Open Workbook", "Excel workbooks (*.xlsx);;All files (*)");
    if (!file.isEmpty()) openFile(file, parent);
}

bool WorkbookHost::offerToSaveAll() {
    return std::all_of(windows_.begin(), windows_.end(),
                       [](WorkbookWindow* w) { return w->offerToSave(); });
}

void WorkbookHost::closeAll() {
    const std::vector<WorkbookWindow*> closing = std::move(windows_);
    windows_.clear();
    for (WorkbookWindow* w : closing)
        retire(w);
}

bool WorkbookHost::askForSelection() {
    WorkbookWindow* w = windowWithWorkbook();
    return w && w->askForSelection();
}

void WorkbookHost::refresh() {
    for (WorkbookWindow* w : windows_)
        w->refresh();
}

std::vector<std::string> WorkbookHost::takeNotices() {
    std::vector<std::string> all;
    for (WorkbookWindow* w : windows_) {
        if (!w->workbook()) continue;
        for (std::string& m : w->workbook()->notices().take())
            all.push_back(std::move(m));
    }
    return all;
}

void WorkbookHost::windowClosed(WorkbookWindow* window) {
    const auto at = std::find(windows_.begin(), windows_.end(), window);
    if (at == windows_.end()) return;
    windows_.erase(at);
    retire(window);
}

}  // namespace plovis
