// Undo and redo of the drawing commands: the drawing in front is kept as DXF text before a
// command and after it, and undo puts the earlier text back as the document's drawing.
#include <algorithm>

#include "hosts/dxf/dxf_file.h"
#include "hosts/dxf/dxf_writer.h"
#include "shell/drawing_host.h"
#include "shell/drawing_window.h"

namespace plovis {
namespace {

std::string dxfText(const Drawing& drawing) {
    std::string text;
    DxfTagWriter out([&text](std::string_view bytes) { text += bytes; });
    writeDxf(drawing, out);
    return text;
}

}  // namespace

void DrawingHost::beginCommand() {
    if (newDrawingEachCommand_ && active_ >= 0 &&
        documents_[active_]->drawing->modelSpace().count() > 0) {
        addDocument();
    }
    beginStep();
}

void DrawingHost::beginStep() {
    commandStart_.reset();
    if (active_ >= 0) {
        const DrawingDocument* doc = documents_[active_].get();
        commandStart_.emplace(doc, dxfText(*doc->drawing));
    }
}

void DrawingHost::endCommand(const QString& name) {
    const auto start = std::exchange(commandStart_, std::nullopt);
    if (active_ < 0) return;
    const DrawingDocument& doc = *documents_[active_];
    std::string before;
    if (start && start->first == &doc) {
        before = start->second;
    } else {
        before = dxfText(Drawing(doc.drawing->name()));  // made by the command: blank before
    }
    std::string after = dxfText(*doc.drawing);
    if (after == before) return;
    undoSteps_.push_back({&doc, std::move(before), std::move(after), name});
    redoSteps_.clear();
}

QString DrawingHost::undoText() const {
    return canUndo() ? undoSteps_.back().name : QString();
}

QString DrawingHost::redoText() const {
    return canRedo() ? redoSteps_.back().name : QString();
}

void DrawingHost::undo() {
    if (!canUndo() || guard_.busy()) return;
    DrawingStep step = std::move(undoSteps_.back());
    undoSteps_.pop_back();
    putBack(step, true);
    redoSteps_.push_back(std::move(step));
}

void DrawingHost::redo() {
    if (!canRedo() || guard_.busy()) return;
    DrawingStep step = std::move(redoSteps_.back());
    redoSteps_.pop_back();
    putBack(step, false);
    undoSteps_.push_back(std::move(step));
}

void DrawingHost::putBack(const DrawingStep& step, bool undo) {
    const auto at = std::find_if(documents_.begin(), documents_.end(),
                                 [&](const auto& d) { return d.get() == step.document; });
    if (at == documents_.end()) return;
    DrawingDocument& doc = **at;
    const std::string name = doc.drawing->name();
    std::unique_ptr<Drawing> drawing = readDxf(undo ? step.before : step.after, name);
    drawing->setName(name);
    drawing->setFileReader(dxfFileReader());
    drawing->markModified();
    doc.drawing = std::move(drawing);
    active_ = static_cast<int>(at - documents_.begin());
    if (window_) window_->showDocuments(true);
}

void DrawingHost::forgetSteps(const DrawingDocument* document) {
    for (auto* steps : {&undoSteps_, &redoSteps_}) {
        std::erase_if(*steps, [document](const DrawingStep& s) { return s.document == document; });
    }
}

}  // namespace plovis
