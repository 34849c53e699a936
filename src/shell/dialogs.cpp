#include "shell/dialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>

namespace plovis {
namespace {

QMessageBox::Icon iconOf(Icon icon) {
    switch (icon) {
        case Icon::Critical:
            return QMessageBox::Critical;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons buttonsOf(Buttons buttons) {
    switch (buttons) {
        case Buttons::OkCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case Buttons::YesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case Buttons::Ok:
            break;
    }
    return QMessageBox::Ok;
}

Answer answerOf(int button) {
    switch (button) {
        case QMessageBox::Cancel:
            return Answer::Cancel;
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::No:
            return Answer::No;
        default:
            return Answer::Ok;
    }
}

// Messages break their lines with a carriage return; a box breaks them with a new line.
QString shownText(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(QChar('\r'), QChar('\n'));
    return shown;
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(const Message& message, QWidget* parent) {
    const QString title =
        message.title ? QString::fromStdString(*message.title) : kApplicationTitle;
    auto box = std::make_unique<QMessageBox>(iconOf(message.icon), title, shownText(message.text),
                                             buttonsOf(message.buttons), parent);
    box->setTextFormat(Qt::PlainText);
    // Closing the box by its window button or Escape answers as its safe button does.
    if (message.buttons == Buttons::OkCancel) box->setEscapeButton(QMessageBox::Cancel);
    if (message.buttons == Buttons::YesNo) box->setEscapeButton(QMessageBox::No);
    return box;
}

std::unique_ptr<QMessageBox> makeSaveQuestion(const QString& document, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(
        QMessageBox::Warning, kApplicationTitle,
        QStringLiteral("Save changes to \"%1\" before closing?").arg(document),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box->setInformativeText(QStringLiteral("Changes not saved are lost."));
    box->setDefaultButton(QMessageBox::Save);
    box->setEscapeButton(QMessageBox::Cancel);
    return box;
}

Answer QtDialogs::message(const Message& message, QWidget* parent) {
    return answerOf(makeMessageBox(message, parent)->exec());
}

SaveChoice QtDialogs::askToSave(const QString& document, QWidget* parent) {
    switch (makeSaveQuestion(document, parent)->exec()) {
        case QMessageBox::Save:
            return SaveChoice::Save;
        case QMessageBox::Discard:
            return SaveChoice::Discard;
        default:
            return SaveChoice::Cancel;
    }
}

QString QtDialogs::openFileName(QWidget* parent, const QString& title, const QString& filter) {
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString QtDialogs::saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                const QString& filter) {
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

bool QtDialogs::openUrl(const QUrl& url) {
    return QDesktopServices::openUrl(url);
}

}  // namespace plovis
