#include "shell/file_drops.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace plovis {
namespace {

bool isDrawing(const QString& file) {
    return QFileInfo(file).suffix().compare("dxf", Qt::CaseInsensitive) == 0;
}

bool isWorkbook(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == "xlsx" || suffix == "xlsm" || suffix == "xls" || suffix == "ods";
}

}  // namespace

QStringList openableFiles(const QMimeData* data) {
    QStringList files;
    if (!data || !data->hasUrls()) return files;
    for (const QUrl& url : data->urls()) {
        const QString file = url.toLocalFile();
        if (!file.isEmpty() && (isWorkbook(file) || isDrawing(file))) files << file;
    }
    return files;
}

FileDrops::FileDrops(Open workbook, Open drawing)
    : workbook_(std::move(workbook)), drawing_(std::move(drawing)) {}

bool FileDrops::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = openableFiles(drop->mimeData());
    if (files.isEmpty()) return false;  // a text dragged into a box goes on as usual
    drop->acceptProposedAction();
    if (type != QEvent::Drop) return true;
    auto* widget = qobject_cast<QWidget*>(watched);
    QWidget* window = widget ? widget->window() : nullptr;
    for (const QString& file : files)
        (isDrawing(file) ? drawing_ : workbook_)(file, window);
    return true;
}

}  // namespace plovis
