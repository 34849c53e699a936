#include "shell/sheet_model.h"

#include <QColor>
#include <algorithm>

#include "common/cell_address.h"
#include "shell/cell_edits.h"
#include "shell/number_display.h"

namespace plovis {

SheetModel::SheetModel(MemoryWorksheet& sheet, QObject* parent, const WorkbookLook* book,
                       const SheetLook* look)
    : QAbstractTableModel(parent), sheet_(sheet), book_(book), look_(look) {
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
    const int row = index.row() + 1, column = index.column() + 1;
    if (role == Qt::BackgroundRole) {
        return highlighted_.count({row, column}) ? QVariant(QColor(255, 240, 170)) : QVariant();
    }
    if (role == Qt::EditRole) {
        const CellState state = cellState(sheet_, row, column);
        return QString::fromStdString(editText(state));
    }
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole && role != kNumberRole &&
        role != kGeneralRole) {
        return {};
    }
    const CellValue value = sheet_.cell(row, column);
    if (role == Qt::TextAlignmentRole) {
        return isNumber(value) ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                               : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (isEmpty(value)) return {};
    const auto* number = std::get_if<double>(&value);
    if (role == kNumberRole) return number ? QVariant(*number) : QVariant();
    if (!number) {
        return role == Qt::DisplayRole ? QVariant(QString::fromStdString(cellText(value)))
                                       : QVariant();
    }
    const std::string code =
        book_ && look_ ? book_->formatOf(*look_, row, column) : std::string("General");
    if (role == kGeneralRole) return code == "General";
    return QString::fromStdString(formatNumberCode(*number, code));
}

Qt::ItemFlags SheetModel::flags(const QModelIndex& index) const {
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

bool SheetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !onEdit) return false;
    onEdit(index.row() + 1, index.column() + 1, value.toString().toStdString());
    return true;
}

void SheetModel::setHighlighted(std::set<std::pair<int, int>> cells) {
    if (cells.empty() && highlighted_.empty()) return;
    highlighted_ = std::move(cells);
    if (rows_ > 0 && columns_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
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
