#pragma once
// The cells of one worksheet as a table for the workbook window. Values are read from the sheet
// as they are painted, so only the cells in view cost anything; the table spans the used area
// and a margin beyond it, and grows when a command writes further out. Numbers show through
// their cells' number formats; editing gives the formula or the full value, and a cell the user
// changes goes to `onEdit` (the window writes it, so that it can be undone).

#include <QAbstractTableModel>
#include <functional>
#include <set>

#include "hosts/memory_workbook.h"
#include "shell/sheet_look.h"

namespace plovis {

class SheetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // look: the number formats and column widths of the sheet's file (none: General).
    SheetModel(MemoryWorksheet& sheet, QObject* parent = nullptr,
               const WorkbookLook* book = nullptr, const SheetLook* look = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;

    // What the user typed into a cell (row and column from 1).
    std::function<void(int row, int column, const std::string& typed)> onEdit;
    // Cells a command wrote, shown highlighted until the next edit (row, column from 1).
    void setHighlighted(std::set<std::pair<int, int>> cells);
    const SheetLook* look() const { return look_; }

    MemoryWorksheet& sheet() const { return sheet_; }
    // Grows the table to take in a range (a selection read from the file, say).
    void include(int lastRow, int lastColumn);
    // After a command: the table grown to the used area and every cell shown anew.
    void refresh();

    // A number cell's value (double) and whether its format is General (bool), for showing it
    // in fewer characters when its column is narrow.
    static constexpr int kNumberRole = Qt::UserRole;
    static constexpr int kGeneralRole = Qt::UserRole + 1;

    // Rows and columns shown beyond the last one used.
    static constexpr int kSpareRows = 100;
    static constexpr int kSpareColumns = 10;
    static constexpr int kLeastRows = 200;
    static constexpr int kLeastColumns = 26;

  private:
    void growTo(int rows, int columns);

    MemoryWorksheet& sheet_;
    const WorkbookLook* book_;
    const SheetLook* look_;
    std::set<std::pair<int, int>> highlighted_;
    int rows_ = 0;
    int columns_ = 0;
};

// The cell address of a model index ("B15").
QString cellName(const QModelIndex& index);

}  // namespace plovis
