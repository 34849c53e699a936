#pragma once
// The user interface of the desktop: message boxes over the window in front, status captions
// painted into their labels at once, the wait window, and the request to end the program.

#include <QPointer>
#include <array>
#include <memory>

#include "hosts/user_interface.h"
#include "shell/dialogs.h"

class QLabel;
class QWidget;

namespace plovis {

class WaitWindow;

class QtUserInterface : public UserInterface {
  public:
    explicit QtUserInterface(Dialogs& dialogs);
    ~QtUserInterface() override;

    Answer showMessage(const Message& message) override;
    void setStatus(StatusLabel label, std::string_view caption) override;
    void showWaitWindow(std::string_view caption, std::string_view label) override;
    void hideWaitWindow() override;
    void requestApplicationEnd() override { endRequested_ = true; }

    // The label that shows a status caption (none: the caption goes nowhere, as when the ground
    // profile dialog is closed).
    void setStatusLabel(StatusLabel label, QLabel* widget);
    // The window message boxes belong to when no window of the program is active.
    void setMainWindow(QWidget* window) { mainWindow_ = window; }
    bool endRequested() const { return endRequested_; }
    void clearEndRequest() { endRequested_ = false; }
    // The wait window while it shows, else nullptr.
    WaitWindow* waitWindow() const { return wait_.get(); }

  private:
    Dialogs& dialogs_;
    std::array<QPointer<QLabel>, 3> labels_;
    QPointer<QWidget> mainWindow_;
    std::unique_ptr<WaitWindow> wait_;
    bool endRequested_ = false;
};

}  // namespace plovis
