#pragma once
// The grid of one worksheet in the workbook window, kept as a spreadsheet program keeps it:
// typing into a cell, F2 or a double click edit it, Enter confirms and goes down, Delete clears
// the selected cells; a text longer than its cell runs on into empty neighbours.

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>
#include <vector>

namespace plovis {

class SheetGrid : public QTableView {
    Q_OBJECT
  public:
    explicit SheetGrid(QWidget* parent = nullptr);
    // What Delete does: the window clears the selected cells as one edit.
    std::function<void()> onClear = [] {};

    // A text running on into the empty cells to its right, as the delegate found it while
    // painting: the view writes it after the grid, which then has no line across it.
    struct RunningText {
        QRect area;
        QString text;
        QFont font;
        int row = 0;
    };
    void addRunningText(RunningText text) const { running_.push_back(std::move(text)); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    // A text running on into its neighbours is painted by its own cell: a change anywhere
    // repaints the view, not only the cells changed.
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void moveDown(int rows);
    void paintRunningText(QPainter& painter, const RunningText& text) const;
    QColor background(const QModelIndex& index, bool selected) const;

    mutable std::vector<RunningText> running_;  // found during the paint under way
};

// Paints a text that does not fit its cell on across the empty cells to its right (with the
// grid's help); a number that does not fit shorter, or as "#" marks.
class OverflowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace plovis
