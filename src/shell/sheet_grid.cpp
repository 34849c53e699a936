#include "shell/sheet_grid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include "shell/number_display.h"
#include "shell/sheet_model.h"

namespace plovis {

SheetGrid::SheetGrid(QWidget* parent) : QTableView(parent) {
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setItemDelegate(new OverflowDelegate(this));
    // Fixed row heights keep scrolling smooth however many rows the sheet has.
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(20);
}

void SheetGrid::moveDown(int rows) {
    const QModelIndex current = currentIndex();
    if (!current.isValid()) return;
    const int row = std::clamp(current.row() + rows, 0, model()->rowCount() - 1);
    setCurrentIndex(model()->index(row, current.column()));
}

void SheetGrid::keyPressEvent(QKeyEvent* event) {
    const bool editing = state() == QAbstractItemView::EditingState;
    if (!editing && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        moveDown(event->modifiers() & Qt::ShiftModifier ? -1 : 1);
        return;
    }
    if (!editing && (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace)) {
        onClear();
        return;
    }
    QTableView::keyPressEvent(event);
}

// Enter in a cell confirms it and goes to the cell below, as spreadsheet programs do.
void SheetGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    if (hint == QAbstractItemDelegate::SubmitModelCache) moveDown(1);
}

void SheetGrid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    viewport()->update();
}

void SheetGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    viewport()->update();
}

namespace {

constexpr int kPadding = 6;  // pixels the style leaves around a cell's text

// A number that does not fit its column as spreadsheet programs show it: General in fewer
// digits, any other format (or General when even one digit is too many) as "#" marks.
QString fittedNumber(const QModelIndex& index, const QFontMetrics& metrics, int width) {
    const double value = index.data(SheetModel::kNumberRole).toDouble();
    if (index.data(SheetModel::kGeneralRole).toBool()) {
        for (int characters = 10; characters >= 1; --characters) {
            const QString text = QString::fromStdString(generalDisplay(value, characters));
            if (!text.startsWith('#') && metrics.horizontalAdvance(text) <= width) return text;
        }
    }
    return QString(std::max(width / std::max(metrics.horizontalAdvance('#'), 1), 1), '#');
}

}  // namespace

void OverflowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const QString text = index.data(Qt::DisplayRole).toString();
    const auto* view = qobject_cast<const SheetGrid*>(parent());
    const bool number = index.data(Qt::TextAlignmentRole).toInt() & Qt::AlignRight;
    const int needed = option.fontMetrics.horizontalAdvance(text) + kPadding;
    if (!view || text.isEmpty() || needed <= option.rect.width()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    if (number) {
        QStyleOptionViewItem shown = option;
        initStyleOption(&shown, index);
        shown.text = fittedNumber(index, option.fontMetrics, option.rect.width() - kPadding);
        const QWidget* widget = option.widget;
        if (widget) widget->style()->drawControl(QStyle::CE_ItemViewItem, &shown, painter, widget);
        return;
    }
    // The cell without its text; the view writes the text across the empty cells beside it.
    QStyleOptionViewItem bare = option;
    initStyleOption(&bare, index);
    bare.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : nullptr;
    if (style) style->drawControl(QStyle::CE_ItemViewItem, &bare, painter, widget);
    QRect area = option.rect;
    const QAbstractItemModel* model = index.model();
    for (int c = index.column() + 1; c < model->columnCount() && area.width() < needed; ++c) {
        if (view->isColumnHidden(c)) continue;
        if (!model->index(index.row(), c).data(Qt::DisplayRole).toString().isEmpty()) break;
        area.setRight(area.right() + view->columnWidth(c));
    }
    view->addRunningText({area, text, option.font, index.row()});
}

void SheetGrid::paintEvent(QPaintEvent* event) {
    running_.clear();
    QTableView::paintEvent(event);
    if (running_.empty()) return;
    QPainter painter(viewport());
    for (const RunningText& text : running_)
        paintRunningText(painter, text);
    running_.clear();
}

// What a cell is painted in: the highlight when selected, else its own background (the cells a
// command wrote are marked) or the view's.
QColor SheetGrid::background(const QModelIndex& index, bool selected) const {
    if (selected) return palette().color(QPalette::Highlight);
    const QVariant own = index.data(Qt::BackgroundRole);
    if (own.canConvert<QBrush>() && own.value<QBrush>().style() != Qt::NoBrush)
        return own.value<QBrush>().color();
    return palette().color(QPalette::Base);
}

// The grid's lines between the cells a text runs across are painted over in the colour of the
// cell right of each; the text is written over each cell in that cell's colour (highlighted where
// the cell is selected).
void SheetGrid::paintRunningText(QPainter& painter, const RunningText& text) const {
    const auto selected = [&](int column) {
        return selectionModel() && selectionModel()->isSelected(model()->index(text.row, column));
    };
    // Each cell's part of the area, and whether it is selected.
    std::vector<std::pair<QRect, bool>> cells;
    for (int c = columnAt(text.area.left()); c >= 0 && c < model()->columnCount(); ++c) {
        const int left = columnViewportPosition(c);
        if (left > text.area.right()) break;
        if (isColumnHidden(c)) continue;
        const QRect part =
            QRect(left, text.area.top(), columnWidth(c), text.area.height()) & text.area;
        cells.push_back({part, selected(c)});
        const int line = left + columnWidth(c) - 1;
        const int next = columnAt(line + 1);
        if (line >= text.area.right() || next < 0) continue;
        painter.fillRect(QRect(line, text.area.top(), 1, text.area.height()),
                         background(model()->index(text.row, next), selected(next)));
    }
    painter.save();
    painter.setFont(text.font);
    for (const auto& [part, isSelected] : cells) {
        painter.setClipRect(part);
        painter.setPen(palette().color(isSelected ? QPalette::HighlightedText : QPalette::Text));
        painter.drawText(text.area.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                         text.text);
    }
    painter.restore();
}

}  // namespace plovis
