#include "shell/sheet_model.h"

#include <algorithm>

#include "common/cell_address.h"

namespace plovis {

SheetModel::SheetModel(MemoryWorksheet& sheet, QObject* parent)
    : QAbstractTableModel(parent), sheet_(sheet) {
    rows_ = std::min(std::max(sheet.lastRow() + kSpareRows, kLeastRows), kMaxRows);
    columns_ = std::min(std::max(sheet.lastColumn() + kSpareColumns, kLeastColumns), kMaxColumns);
}

int SheetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int SheetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columns_;
}

QVariant SheetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole) return {};
    const CellValue value = sheet_.cell(index.row() + 1, index.column() + 1);
    if (role == Qt::TextAlignmentRole) {
        return isNumber(value) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (isEmpty(value)) return {};
    return QString::fromStdString(cellText(value));
}

QVariant SheetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical) return section + 1;
    return QString::fromStdString(columnLetters(section + 1));
}

void SheetModel::growTo(int rows, int columns) {
    rows = std::min(rows, kMaxRows);
    columns = std::min(columns, kMaxColumns);
    if (rows > rows_) {
        beginInsertRows({}, rows_, rows - 1);
        rows_ = rows;
        endInsertRows();
    }
    if (columns > columns_) {
        beginInsertColumns({}, columns_, columns - 1);
        columns_ = columns;
        endInsertColumns();
    }
}

void SheetModel::include(int lastRow, int lastColumn) {
    growTo(lastRow + kSpareRows, lastColumn + kSpareColumns);
}

void SheetModel::refresh() {
    include(sheet_.lastRow(), sheet_.lastColumn());
    if (rows_ > 0 && columns_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
}

QString cellName(const QModelIndex& index) {
    return QString::fromStdString(columnLetters(index.column() + 1)) +
           QString::number(index.row() + 1);
}

}  // namespace plovis
