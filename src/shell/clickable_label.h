#pragma once
// A label or picture that runs a command when clicked (Label10, Image1).

#include <QLabel>

namespace plovis {

class ClickableLabel : public QLabel {
    Q_OBJECT
  public:
    using QLabel::QLabel;

  signals:
    void clicked();

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace plovis
