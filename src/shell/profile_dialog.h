#pragma once
// frmProfile, the "Draw Ground Profile" dialog: the scales, paper, plot length, sheet gap and text
// size of the existing ground profile, DRAW and "&Cancel", and its own status label. Modeless and
// owned by the main window; the logic is GroundProfileDialog's.

#include <QDialog>

#include "commands/ground_profile_dialog.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plovis {

class Desktop;

class ProfileDialog : public QDialog {
    Q_OBJECT
  public:
    ProfileDialog(Desktop& desktop, QWidget* owner);
    ~ProfileDialog() override;

    // cmdDraw: the draw command; the dialog closes as the command says.
    void draw();
    const GroundProfileDialog& logic() const { return logic_; }

  private:
    QLineEdit* box(const char* name);
    void boxesToLogic();
    void logicToBoxes();

    Desktop& desktop_;
    GroundProfileDialog logic_;
    QLineEdit* hscale_;
    QLineEdit* vscale_;
    QLineEdit* txtSize_;
    QComboBox* cmbPaper_;
    QLineEdit* txtPaperLength_;
    QLineEdit* txtGap_;
    QLabel* lblStatus_;
};

}  // namespace plovis
