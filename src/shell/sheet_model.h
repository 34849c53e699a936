#pragma once
// The cells of one worksheet as a table for the workbook window. Values are read from the sheet
// as they are painted, so only the cells in view cost anything; the table spans the used area
// and a margin beyond it, and grows when a command writes further out.

#include <QAbstractTableModel>

#include "hosts/memory_workbook.h"

namespace plovis {

class SheetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    SheetModel(MemoryWorksheet& sheet, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    MemoryWorksheet& sheet() const { return sheet_; }
    // Grows the table to take in a range (a selection read from the file, say).
    void include(int lastRow, int lastColumn);
    // After a command: the table grown to the used area and every cell shown anew.
    void refresh();

    // Rows and columns shown beyond the last one used.
    static constexpr int kSpareRows = 100;
    static constexpr int kSpareColumns = 10;
    static constexpr int kLeastRows = 200;
    static constexpr int kLeastColumns = 26;

  private:
    void growTo(int rows, int columns);

    MemoryWorksheet& sheet_;
    int rows_ = 0;
    int columns_ = 0;
};

// The cell address of a model index ("B15").
QString cellName(const QModelIndex& index);

}  // namespace plovis
