#include "shell/workbook_host.h"

#include <QFileInfo>
#include <algorithm>

#include "common/data_directory.h"
#include "common/file_io.h"
#include "hosts/xlsx/converted_workbook.h"
#include "shell/recent_files.h"
#include "shell/workbook_window.h"

namespace plovis {
namespace {

// Files shipped in the program's data folder (the sample scheme) are opened as copies: a save
// asks where to keep the copy, so the shipped file is never overwritten.
bool shippedFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto data = std::filesystem::weakly_canonical(dataDirectory(), ec);
    const auto path = std::filesystem::weakly_canonical(file, ec);
    if (ec || data.empty()) return false;
    const auto [end, _] = std::mismatch(data.begin(), data.end(), path.begin(), path.end());
    return end == data.end();
}

std::unique_ptr<XlsxWorkbook> copyOf(const std::filesystem::path& file) {
    constexpr std::uintmax_t kMaxBytes = 1ull << 30;
    std::string bytes;
    try {
        bytes = readFileBounded(file, kMaxBytes);
    } catch (const std::exception& e) {
        throw HostError(std::string("cannot open \"") + file.string() + "\": " + e.what());
    }
    // Its name stays (Save suggests it); the window's title says it is not saved anywhere yet.
    return XlsxWorkbook::read(std::move(bytes), file.filename().string(),
                              XlsxWorkbook::Reading::EverySheet);
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

Workbook& WorkbookHost::open(const std::filesystem::path& requested) {
    const WorkbookToOpen toOpen = workbookToOpen(requested, converter_);
    const std::filesystem::path& file = toOpen.file;
    const bool shipped = shippedFile(file);
    for (WorkbookWindow* w : windows_) {
        if (!shipped && w->workbook() && sameFile(w->workbook()->file(), file)) {
            bringToFront(w);
            w->show();
            w->raise();
            return *w->workbook();
        }
    }
    std::unique_ptr<XlsxWorkbook> workbook =
        shipped ? copyOf(file) : XlsxWorkbook::open(file, XlsxWorkbook::Reading::EverySheet);
    const auto empty =
        std::find_if(windows_.begin(), windows_.end(), [](auto* w) { return !w->workbook(); });
    WorkbookWindow& w = empty != windows_.end() ? **empty : newWindow();
    w.setWorkbook(std::move(workbook), file);
    bringToFront(&w);
    w.show();
    w.raise();
    if (shipped) {
        w.showNote("A copy of " + QString::fromStdString(file.filename().string()) +
                   ": Save asks where to keep it; the shipped file stays as it is.");
    } else {
        rememberWorkbook(QFileInfo(QString::fromStdString(file.string())).absoluteFilePath());
    }
    if (!toOpen.note.empty()) {
        w.showNote(QString::fromStdString(toOpen.note));
        dialogs_.message(okMessage(toOpen.note, Icon::Information, "Workbook"), &w);
    }
    return *w.workbook();
}

void WorkbookHost::bringToFront(WorkbookWindow* window) {
    const auto at = std::find(windows_.begin(), windows_.end(), window);
    if (at != windows_.end()) std::rotate(windows_.begin(), at, at + 1);
}

void WorkbookHost::openFile(const QString& file, QWidget* parent) {
    try {
        open(file.toStdString());
    } catch (const std::runtime_error& e) {
        dialogs_.message(criticalMessage(e.what()), parent);
    }
}

QString WorkbookHost::openFilter() {
    return "Workbooks (*.xlsx *.xls *.ods);;All files (*)";
}

void WorkbookHost::openChosenFile(QWidget* parent) {
    const QString file = dialogs_.openFileName(parent, "Open Workbook", openFilter());
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

bool WorkbookHost::askForSelection(const QString& form) {
    WorkbookWindow* w = windowWithWorkbook();
    return w && w->askForSelection(form);
}

void WorkbookHost::refresh() {
    for (WorkbookWindow* w : windows_)
        w->refresh();
}

void WorkbookHost::beginCommand() {
    for (WorkbookWindow* w : windows_)
        w->beginCommand();
}

void WorkbookHost::endCommand(const QString& name) {
    for (WorkbookWindow* w : windows_)
        w->endCommand(name);
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
