#pragma once
// The CAD host of the desktop: the drawings open in the drawing window. The host belongs to the
// program, so it is always running; starting it shows the window with a new drawing.

#include <QString>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hosts/cad_host.h"
#include "shell/command_guard.h"
#include "shell/dialogs.h"
#include "shell/drawing_view.h"

namespace plovis {

class DrawingWindow;

// An open drawing, the file it belongs to (none before its first save) and how it is viewed.
struct DrawingDocument {
    std::unique_ptr<Drawing> drawing;
    std::filesystem::path file;
    ViewState view;
};

class DrawingHost : public CadHost {
  public:
    DrawingHost(Dialogs& dialogs, CommandGuard& guard);
    ~DrawingHost() override;
    DrawingHost(const DrawingHost&) = delete;
    DrawingHost& operator=(const DrawingHost&) = delete;

    void attach() override {}
    void start() override;
    bool visible() const override;
    void setVisible(bool visible) override;
    std::string caption() const override;
    int documentCount() const override { return static_cast<int>(documents_.size()); }
    Drawing& addDocument() override;
    Drawing& activeDocument() override;
    // Paints the drawing in front at once, so each sheet shows as a command draws it.
    void update() override;
    CadUtility& utility() override;

    // The window, made when first needed (hidden until shown).
    DrawingWindow& window();
    int activeIndex() const { return active_; }
    void setActiveIndex(int index);
    DrawingDocument& document(int index) { return *documents_.at(index); }

    // Reads a DXF file into a new drawing in front; HostError naming the file.
    Drawing& open(const std::filesystem::path& file);
    // The same, a failure shown over `parent`.
    void openFile(const QString& file, QWidget* parent);
    // Closes, without asking, the drawings from `first` on whose model space is empty: made by
    // a command that failed before it drew anything.
    void dropBlankDrawings(int first);
    // Saves the drawing as DXF into its file (asking for one when it has none). False when the
    // user cancelled or the save failed (its message shown).
    bool save(int index);
    bool saveAs(int index, const QString& file);
    // Writes a PDF, SVG or PNG picture of the drawing (by the file's extension). False on
    // failure (its message shown).
    bool exportTo(int index, const QString& file);
    // Closes the drawing, asking first whether to save it when modified. False when cancelled.
    bool closeDocument(int index);
    // Asks for every modified drawing whether to save it. False when the user cancelled.
    bool offerToSaveAll();
    // Closes every drawing and the window without asking (after offerToSaveAll).
    void closeAll();
    // After a command: the tabs, markers and the drawing in front shown anew.
    void refresh();

    // Around a drawing command: a new drawing first when the user asked for one per command
    // (and the drawing in front holds something); what the command draws becomes one step that
    // undo takes back whole.
    void beginCommand();
    // Around a command that changes the drawing in front without drawing (the template's
    // symbols loaded into it): one step that undo takes back, no new drawing.
    void beginStep();
    void endCommand(const QString& name);
    bool canUndo() const { return !undoSteps_.empty(); }
    bool canRedo() const { return !redoSteps_.empty(); }
    QString undoText() const;
    QString redoText() const;
    void undo();
    void redo();
    // Whether each drawing command draws into a new drawing (off: into the drawing in front).
    bool newDrawingEachCommand() const { return newDrawingEachCommand_; }
    void setNewDrawingEachCommand(bool on) { newDrawingEachCommand_ = on; }

    Dialogs& dialogs() const { return dialogs_; }
    CommandGuard& guard() const { return guard_; }

  private:
    // A drawing before and after one command, as DXF text.
    struct DrawingStep {
        const DrawingDocument* document;
        std::string before, after;
        QString name;
    };
    void putBack(const DrawingStep& step, bool undo);
    void forgetSteps(const DrawingDocument* document);
    bool offerToSave(int index);
    QWidget* windowIfAny() const;

    Dialogs& dialogs_;
    CommandGuard& guard_;
    std::vector<std::unique_ptr<DrawingDocument>> documents_;
    int active_ = -1;
    int made_ = 0;  // drawings made so far, for the names of new ones
    std::unique_ptr<DrawingWindow> window_;
    std::vector<DrawingStep> undoSteps_, redoSteps_;
    std::optional<std::pair<const DrawingDocument*, std::string>> commandStart_;
    bool newDrawingEachCommand_ = false;
};

}  // namespace plovis
