#pragma once
// The manual in a window of our own, for a desktop without a browser to show it in: the HTML
// pages of the data folder, with their links followed.

#include <QMainWindow>
#include <QUrl>

class QTextBrowser;

namespace plovis {

class HelpWindow : public QMainWindow {
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showPage(const QUrl& page);
    QTextBrowser* browser() const { return browser_; }

  private:
    QTextBrowser* browser_;
};

}  // namespace plovis
