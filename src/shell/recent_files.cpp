#include "shell/recent_files.h"

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

}  // namespace plovis
