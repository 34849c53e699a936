#pragma once
// Form1, the main window: the drawing inputs (scales, paper), the status labels, the buttons and
// the menu tree that reach every command. It computes nothing: each entry sets its caption, runs
// the command's routines in order and clears the caption (the command table, form1_menus.cpp).

#include <QMainWindow>
#include <QPointer>
#include <memory>

#include "commands/command_table.h"
#include "commands/profile_command.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace plovis {

class AboutBox;
class ClickableLabel;
class HelpWindow;
class Desktop;
class ProfileDialog;

// Positions and sizes of the window are laid out in twips; the screen has 15 twips to a pixel.
constexpr int twips(int value) {
    return (value + 7) / 15;
}

class Form1 : public QMainWindow {
    Q_OBJECT
  public:
    explicit Form1(Desktop& desktop);
    ~Form1() override;

    // The commands behind the buttons, pictures and menu entries.
    void readData();          // Read_data, mnuProfile: the pipe line profile
    void schematic();         // cmdSchematic, mnuSchematic
    void existingGround();    // cmdExistingGL, mnuExistingGround: frmProfile, modeless
    void aboutOwned();        // mnuAbout, Label10
    void aboutFromPicture();  // Image1: Form1 switched off, the box without owner
    void help();              // F1, cmdHelp: the browser, or the help window without one

    ProfileDialog* profileDialog() const;
    AboutBox* aboutBox() const { return about_.get(); }
    HelpWindow* helpWindow() const { return helpWindow_.get(); }

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildPictures();
    void buildMenus();
    void setTabOrder();
    // The menu given its object name and switched on or off.
    static QMenu* named(QMenu* menu, const char* name, bool enabled = true);
    void addEntry(QMenu* menu, const char* name, const char* caption,
                  const std::function<void()>& handler, bool enabled = true);
    void addSeparator(QMenu* menu, const char* name);
    void addWorkbookEntries(QMenu* open);
    std::function<void()> handlerOf(const CommandEntry& entry);
    // Whether an entry laid out switched off starts on: unless the window as laid out is asked for.
    bool offEntryEnabled() const;

    Desktop& desktop_;
    ProfileCommand profile_;  // kept from one run to the next, as the original window kept it
    QLineEdit* hscale_ = nullptr;
    QLineEdit* vscale_ = nullptr;
    QComboBox* combo1_ = nullptr;
    std::unique_ptr<AboutBox> about_;
    std::unique_ptr<HelpWindow> helpWindow_;
    QPointer<ProfileDialog> profileDialog_;
};

}  // namespace plovis
