#pragma once
// The workbooks opened lately, newest first, for the workbook window's "Open Recent" menu. Kept
// in the user's settings of the desktop (the only thing the program keeps between runs).

#include <QStringList>
#include <functional>

class QMenu;

namespace plovis {

inline constexpr int kRecentFileCount = 8;

QStringList recentWorkbooks();
// Puts the file at the top of the list (once), dropping the oldest beyond kRecentFileCount.
void rememberWorkbook(const QString& file);
// Fills the menu with the recent workbooks, each opening through `open`.
void fillRecentMenu(QMenu* menu, const std::function<void(const QString&)>& open);

}  // namespace plovis
