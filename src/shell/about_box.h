#pragma once
// About_us, the About box: the program's title, its version line, pictures and contact lines, and
// OK. One instance for the whole run, created on first use and hidden, not destroyed, by OK.

#include <QDialog>

class QMainWindow;

namespace plovis {

class AboutBox : public QDialog {
    Q_OBJECT
  public:
    // mainWindow: the window OK switches on and shows again.
    explicit AboutBox(QWidget* mainWindow);
    // Shown modeless, owned by the main window (it stays in front of it).
    void showOwned();
    // Shown modeless without owner: the main window may be switched off meanwhile.
    void showWithoutOwner();

  protected:
    // Escape or the window's close button answer as OK does, so the main window never stays
    // switched off behind a closed box.
    void reject() override { ok(); }

  private:
    void ok();
    QWidget* mainWindow_;
};

}  // namespace plovis
