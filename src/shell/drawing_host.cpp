#include "shell/drawing_host.h"

#include <QFileInfo>

#include "hosts/dxf/dxf_file.h"
#include "render/render_files.h"
#include "shell/drawing_window.h"

namespace plovis {
namespace {

const char* const kDxfFilter = "DXF drawings (*.dxf)";

}  // namespace

DrawingHost::DrawingHost(Dialogs& dialogs, CommandGuard& guard)
    : dialogs_(dialogs), guard_(guard) {}

DrawingHost::~DrawingHost() = default;

DrawingWindow& DrawingHost::window() {
    if (!window_) window_ = std::make_unique<DrawingWindow>(*this);
    return *window_;
}

QWidget* DrawingHost::windowIfAny() const {
    return window_.get();
}

void DrawingHost::start() {
    if (documents_.empty()) addDocument();
    setVisible(true);
}

bool DrawingHost::visible() const {
    return window_ && window_->isVisible();
}

void DrawingHost::setVisible(bool visible) {
    if (!visible) {
        if (window_) window_->hide();
        return;
    }
    window().showDocuments(true);
    window_->show();
    window_->raise();
}

std::string DrawingHost::caption() const {
    return window_ ? window_->windowTitle().toStdString() : "PLOVIS drawing";
}

Drawing& DrawingHost::addDocument() {
    auto doc = std::make_unique<DrawingDocument>();
    doc->drawing =
        std::make_unique<Drawing>("Drawing" + std::to_string(++made_) + ".dxf", dxfFileReader());
    documents_.push_back(std::move(doc));
    active_ = documentCount() - 1;
    if (window_) window_->showDocuments(true);
    return *documents_.back()->drawing;
}

Drawing& DrawingHost::activeDocument() {
    if (active_ < 0) throw HostError("No drawing is open in the drawing window");
    return *documents_.at(active_)->drawing;
}

void DrawingHost::update() {
    if (window_) window_->showDocuments(true);
}

CadUtility& DrawingHost::utility() {
    return window();
}

void DrawingHost::setActiveIndex(int index) {
    if (index < 0 || index >= documentCount() || index == active_) return;
    active_ = index;
    if (window_) window_->showDocuments(true);
}

Drawing& DrawingHost::open(const std::filesystem::path& file) {
    auto doc = std::make_unique<DrawingDocument>();
    doc->drawing = readDxfFile(file);
    doc->drawing->setFileReader(dxfFileReader());
    doc->file = file;
    documents_.push_back(std::move(doc));
    active_ = documentCount() - 1;
    if (window_) window_->showDocuments(true);
    return *documents_.back()->drawing;
}

void DrawingHost::openFile(const QString& file, QWidget* parent) {
    try {
        open(file.toStdString());
        setVisible(true);
    } catch (const HostError& e) {
        dialogs_.message(criticalMessage(e.what()), parent);
    }
}

void DrawingHost::dropBlankDrawings(int first) {
    bool dropped = false;
    for (int i = documentCount() - 1; i >= std::max(first, 0); --i) {
        if (documents_[i]->drawing->modelSpace().count() > 0) continue;
        forgetSteps(documents_[i].get());
        documents_.erase(documents_.begin() + i);
        dropped = true;
    }
    if (!dropped) return;
    active_ = documentCount() - 1;
    if (window_) window_->showDocuments(true);
}

bool DrawingHost::saveAs(int index, const QString& file) {
    DrawingDocument& doc = document(index);
    try {
        saveDxfFile(*doc.drawing, file.toStdString());
    } catch (const HostError& e) {
        dialogs_.message(criticalMessage(e.what()), windowIfAny());
        return false;
    }
    doc.file = file.toStdString();
    doc.drawing->setName(QFileInfo(file).fileName().toStdString());
    if (window_) window_->showDocuments(false);
    return true;
}

bool DrawingHost::save(int index) {
    DrawingDocument& doc = document(index);
    if (!doc.file.empty()) return saveAs(index, QString::fromStdString(doc.file.string()));
    const QString file = dialogs_.saveFileName(
        windowIfAny(), "Save Drawing As", QString::fromStdString(doc.drawing->name()), kDxfFilter);
    return !file.isEmpty() && saveAs(index, file);
}

bool DrawingHost::exportTo(int index, const QString& file) {
    const Drawing& drawing = *document(index).drawing;
    try {
        // A drawing laid out on paper prints one page (or picture) per sheet, at true scale.
        if (drawing.sheets().list().empty()) {
            renderDrawing(drawing, file.toStdString());
        } else {
            renderSheets(drawing, file.toStdString());
        }
    } catch (const HostError& e) {
        dialogs_.message(criticalMessage(e.what()), windowIfAny());
        return false;
    }
    return true;
}

bool DrawingHost::offerToSave(int index) {
    DrawingDocument& doc = document(index);
    if (!doc.drawing->modified()) return true;
    setActiveIndex(index);
    setVisible(true);
    switch (dialogs_.askToSave(QString::fromStdString(doc.drawing->name()), windowIfAny())) {
        case SaveChoice::Save:
            return save(index);
        case SaveChoice::Discard:
            return true;
        case SaveChoice::Cancel:
            break;
    }
    return false;
}

bool DrawingHost::closeDocument(int index) {
    if (guard_.busy() || !offerToSave(index)) return false;
    forgetSteps(documents_[index].get());
    documents_.erase(documents_.begin() + index);
    if (active_ >= index) active_ = std::max(active_ - 1, documents_.empty() ? -1 : 0);
    if (window_) window_->showDocuments(true);
    return true;
}

bool DrawingHost::offerToSaveAll() {
    for (int i = 0; i < documentCount(); ++i) {
        if (!offerToSave(i)) return false;
    }
    return true;
}

void DrawingHost::closeAll() {
    if (window_) window_->hide();
    undoSteps_.clear();
    redoSteps_.clear();
    documents_.clear();
    active_ = -1;
    if (window_) window_->showDocuments(true);
}

void DrawingHost::refresh() {
    if (window_) window_->showDocuments(true);
}

}  // namespace plovis
