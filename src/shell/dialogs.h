#pragma once
// The modal questions the desktop asks: message boxes, whether to save a document before it
// closes, file names, and the desktop's browser for the help. Everything goes through one
// interface so that tests can answer in place of a user.

#include <QString>
#include <QUrl>
#include <memory>

#include "hosts/user_interface.h"

class QMessageBox;
class QWidget;

namespace plovis {

enum class SaveChoice { Save, Discard, Cancel };

class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Shows the message modally over `parent` and returns the button pressed.
    virtual Answer message(const Message& message, QWidget* parent) = 0;
    // Asks whether to save the document (a workbook or a drawing) before it closes.
    virtual SaveChoice askToSave(const QString& document, QWidget* parent) = 0;
    // A file to open, or the empty string when the user cancelled.
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    // A file to write, or the empty string when the user cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                                 const QString& filter) = 0;
    // Opens the page in the desktop's browser; false when it could not be opened.
    virtual bool openUrl(const QUrl& url) = 0;
};

// The application's title, which message boxes without a title of their own carry.
inline const QString kApplicationTitle = QStringLiteral("PLOVIS");

// The box for a message: its buttons, icon and title, line breaks ('\r') shown as such.
std::unique_ptr<QMessageBox> makeMessageBox(const Message& message, QWidget* parent);
// "Save changes to <document> before closing?" with Save, Discard and Cancel.
std::unique_ptr<QMessageBox> makeSaveQuestion(const QString& document, QWidget* parent);

// The real dialogs: QMessageBox, QFileDialog and QDesktopServices.
class QtDialogs : public Dialogs {
  public:
    Answer message(const Message& message, QWidget* parent) override;
    SaveChoice askToSave(const QString& document, QWidget* parent) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFileName(QWidget* parent, const QString& title, const QString& suggested,
                         const QString& filter) override;
    bool openUrl(const QUrl& url) override;
};

}  // namespace plovis
