#include "shell/qt_user_interface.h"

#include <QApplication>
#include <QLabel>

#include "shell/wait_window.h"

namespace plovis {

QtUserInterface::QtUserInterface(Dialogs& dialogs) : dialogs_(dialogs) {}

QtUserInterface::~QtUserInterface() = default;

Answer QtUserInterface::showMessage(const Message& message) {
    QWidget* parent = QApplication::activeWindow();
    if (!parent) parent = mainWindow_;
    return dialogs_.message(message, parent);
}

void QtUserInterface::setStatus(StatusLabel label, std::string_view caption) {
    QLabel* widget = labels_[static_cast<std::size_t>(label)];
    if (!widget) return;
    widget->setText(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    // Painted now: the command goes on blocking the window until it ends.
    widget->repaint();
}

void QtUserInterface::showWaitWindow(std::string_view caption, std::string_view label) {
    if (!wait_) wait_ = std::make_unique<WaitWindow>();
    wait_->present(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                   QString::fromUtf8(label.data(), static_cast<qsizetype>(label.size())));
}

void QtUserInterface::hideWaitWindow() {
    wait_.reset();
}

void QtUserInterface::setStatusLabel(StatusLabel label, QLabel* widget) {
    labels_[static_cast<std::size_t>(label)] = widget;
}

}  // namespace plovis
