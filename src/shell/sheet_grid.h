#pragma once
// The grid of one worksheet in the workbook window, kept as a spreadsheet program keeps it:
// typing into a cell, F2 or a double click edit it, Enter confirms and goes down, Delete clears
// the selected cells; a text longer than its cell runs on into empty neighbours.

#include <QStyledItemDelegate>
#include <QTableView>
#include <functional>

namespace plovis {

class SheetGrid : public QTableView {
    Q_OBJECT
  public:
    explicit SheetGrid(QWidget* parent = nullptr);
    // What Delete does: the window clears the selected cells as one edit.
    std::function<void()> onClear = [] {};

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    // A text running on into its neighbours is painted by its own cell: a change anywhere
    // repaints the view, not only the cells changed.
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

  private:
    void moveDown(int rows);
};

// Paints a text that does not fit its cell on across the empty cells to its right.
class OverflowDelegate : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

}  // namespace plovis
