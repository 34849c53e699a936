#pragma once
// Form2, the wait window shown while a host starts: "Please Wait !" and a line naming what
// starts ("Lunching Excel").

#include <QDialog>

class QLabel;

namespace plovis {

class WaitWindow : public QDialog {
    Q_OBJECT
  public:
    explicit WaitWindow(QWidget* parent = nullptr);
    // Shows the window with its caption and second line, painted at once.
    void present(const QString& caption, const QString& label);

  private:
    QLabel* label1_;
};

}  // namespace plovis
