#include "shell/help_window.h"

#include <QTextBrowser>
#include <QToolBar>

namespace plovis {

HelpWindow::HelpWindow(QWidget* parent) : QMainWindow(parent), browser_(new QTextBrowser) {
    setObjectName("helpWindow");
    setWindowTitle("PLOVIS help");
    setAttribute(Qt::WA_DeleteOnClose, false);
    resize(760, 680);
    browser_->setObjectName("helpBrowser");
    browser_->setOpenExternalLinks(true);
    setCentralWidget(browser_);
    QToolBar* bar = addToolBar("Navigation");
    bar->addAction("Back", browser_, &QTextBrowser::backward);
    bar->addAction("Forward", browser_, &QTextBrowser::forward);
    bar->addAction("Contents", browser_, &QTextBrowser::home);
}

void HelpWindow::showPage(const QUrl& page) {
    browser_->setSource(page);
    show();
    raise();
    activateWindow();
}

}  // namespace plovis
