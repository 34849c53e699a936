#include "shell/wait_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

namespace plovis {

WaitWindow::WaitWindow(QWidget* parent) : QDialog(parent) {
    setObjectName("Form2");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* label2 = new QLabel("Please Wait !", this);
    label2->setObjectName("Label2");
    QFont font("MS Sans Serif", 12, QFont::Bold);
    font.setStyleHint(QFont::SansSerif);
    label2->setFont(font);
    label2->setAlignment(Qt::AlignCenter);
    label1_ = new QLabel(this);
    label1_->setObjectName("Label1");
    label1_->setAlignment(Qt::AlignCenter);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label2);
    layout->addWidget(label1_);
    setFixedSize(260, 100);
}

void WaitWindow::present(const QString& caption, const QString& label) {
    setWindowTitle(caption);
    label1_->setText(label);
    show();
    raise();
    repaint();
    // The window must reach the screen before the host blocks the program while it starts.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace plovis
