#pragma once
// Files dropped on any window of the desktop: workbooks (.xlsx, and .xls or .ods, which are
// converted) open in workbook windows, drawings (.dxf) in the drawing window. One filter on the
// application sees the drops of every window that accepts them.

#include <QObject>
#include <QStringList>
#include <functional>

class QMimeData;
class QWidget;

namespace plovis {

// The local files of a drag that the desktop opens, in the order dragged.
QStringList openableFiles(const QMimeData* data);

class FileDrops : public QObject {
  public:
    using Open = std::function<void(const QString& file, QWidget* window)>;
    FileDrops(Open workbook, Open drawing);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    Open workbook_;
    Open drawing_;
};

}  // namespace plovis
