#include "shell/recent_files.h"

#include <QMenu>
#include <QSettings>
#include <memory>

namespace plovis {
namespace {

const char* const kKey = "recentWorkbooks";

std::unique_ptr<QSettings> settings() {
    return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, "PLOVIS",
                                       "plovis");
}

}  // namespace

QStringList recentWorkbooks() {
    return settings()->value(kKey).toStringList();
}

void rememberWorkbook(const QString& file) {
    QStringList files = recentWorkbooks();
    files.removeAll(file);
    files.prepend(file);
    while (files.size() > kRecentFileCount)
        files.removeLast();
    settings()->setValue(kKey, files);
}

void fillRecentMenu(QMenu* menu, const std::function<void(const QString&)>& open) {
    menu->clear();
    for (const QString& f : recentWorkbooks())
        menu->addAction(f, menu, [open, f] { open(f); });
    if (menu->isEmpty()) menu->addAction("(none)")->setEnabled(false);
}

}  // namespace plovis
