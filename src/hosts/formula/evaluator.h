#pragma once
// Evaluates a compiled formula in the cell it stands in, reading the workbook's cells through a
// CellSource.

#include <functional>
#include <string_view>
#include <variant>
#include <vector>

#include "common/cell_address.h"
#include "hosts/formula/ast.h"
#include "hosts/formula/value.h"

namespace plovis::formula {

// A rectangle of cells on one sheet, as a reference gives it.
struct Area {
    int sheet = 0;
    CellRange range;
};

// Values laid out in rows, as an operator gives them inside SUMPRODUCT.
struct ArrayValue {
    int rows = 0, columns = 0;
    std::vector<Value> cells;  // row by row
    const Value& at(int r, int c) const {
        return cells[static_cast<std::size_t>(r) * static_cast<std::size_t>(columns) +
                     static_cast<std::size_t>(c)];
    }
};

using Operand = std::variant<Value, Area, ArrayValue>;

// The workbook as formulas read it.
class CellSource {
  public:
    virtual ~CellSource() = default;
    virtual Value value(int sheet, int row, int column) const = 0;
    // Every cell of the area that holds a value, row by row.
    virtual void forEach(const Area& area,
                         const std::function<void(int row, int column, const Value&)>& f) const = 0;
    // The last row and column holding a value (0 for an empty sheet).
    virtual int lastRow(int sheet) const = 0;
    virtual int lastColumn(int sheet) const = 0;
    // The defined name's formula as seen from the sheet (its own name first, then the
    // workbook's), or nullptr.
    virtual const CompiledFormula* name(std::string_view upperName, int sheet) const = 0;
};

class Evaluator {
  public:
    Evaluator(const CellSource& source, const CompiledFormula& f, int sheet, int row, int column)
        : source_(source), f_(&f), sheet_(sheet), row_(row), column_(column) {}

    // The formula's value, as its cell shows it (a reference as the value it points at, empty as
    // 0).
    Value result();

    // For functions: their arguments evaluated as they need them.
    Operand operand(std::int32_t node, bool arrayMode = false);
    Value scalar(std::int32_t node) { return toScalar(operand(node)); }
    Value toScalar(const Operand& o) const;
    bool isMissing(std::int32_t node) const { return f_->nodes[node].kind == NodeKind::Missing; }
    const CellSource& source() const { return source_; }
    int row() const { return row_; }
    int column() const { return column_; }

  private:
    Operand reference(const Reference& r) const;
    Operand name(const Node& n);
    Operand binary(const Node& n, bool arrayMode);
    Operand unary(const Node& n, bool arrayMode);
    Operand call(const Node& n);
    Operand range(const Node& n);

    const CellSource& source_;
    const CompiledFormula* f_;
    int sheet_, row_, column_;
    int nameDepth_ = 0;
};

// An operator applied to two values, as a cell formula applies it.
Value applyBinary(BinaryOp op, const Value& a, const Value& b);
// The order of two values as comparisons see them: numbers before texts before booleans, texts
// ignoring case. Errors are not compared.
int compareValues(const Value& a, const Value& b);
// The rectangle covering both.
CellRange spanning(const CellRange& a, const CellRange& b);
// The area's values as an array (a whole column up to the sheet's last row).
ArrayValue arrayOf(const CellSource& source, const Area& area);

}  // namespace plovis::formula
