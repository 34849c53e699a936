#include "hosts/formula/evaluator.h"

#include <algorithm>
#include <cmath>

#include "common/letter_case.h"
#include "hosts/formula/function_table.h"

namespace plovis::formula {
namespace {

// Names referring to names: deeper than this is taken for a name that refers to itself.
constexpr int kMaxNameDepth = 16;

double finite(double x, bool& ok) {
    ok = std::isfinite(x);
    return x;
}

Value arithmetic(BinaryOp op, double x, double y) {
    bool ok = true;
    double r = 0;
    switch (op) {
        case BinaryOp::Add:
            r = finite(x + y, ok);
            break;
        case BinaryOp::Sub:
            r = finite(x - y, ok);
            break;
        case BinaryOp::Mul:
            r = finite(x * y, ok);
            break;
        case BinaryOp::Div:
            if (y == 0) return Value::fault(ErrorCode::Div0);
            r = finite(x / y, ok);
            break;
        default:
            // 0^0 is 1, as LibreOffice has it (Excel says #NUM!).
            if (x == 0 && y < 0) return Value::fault(ErrorCode::Div0);
            r = finite(std::pow(x, y), ok);
            break;
    }
    return ok ? Value::of(r) : Value::fault(ErrorCode::Num);
}

bool isComparison(BinaryOp op) {
    return op >= BinaryOp::Eq;
}

Value compared(BinaryOp op, int order) {
    switch (op) {
        case BinaryOp::Eq:
            return Value::boolean(order == 0);
        case BinaryOp::Ne:
            return Value::boolean(order != 0);
        case BinaryOp::Lt:
            return Value::boolean(order < 0);
        case BinaryOp::Gt:
            return Value::boolean(order > 0);
        case BinaryOp::Le:
            return Value::boolean(order <= 0);
        default:
            return Value::boolean(order >= 0);
    }
}

int rank(const Value& v) {
    return v.isNumber() ? 0 : v.isText() ? 1 : 2;
}

// An operand as an array: a value is one cell.
ArrayValue asArray(const CellSource& source, const Operand& o) {
    if (const auto* a = std::get_if<ArrayValue>(&o)) return *a;
    if (const auto* area = std::get_if<Area>(&o)) return arrayOf(source, *area);
    return ArrayValue{1, 1, {std::get<Value>(o)}};
}

// Element by element; a side of one row or column is stretched, a missing element is #N/A.
template <typename F>
ArrayValue elementWise(const ArrayValue& a, const ArrayValue& b, F f) {
    ArrayValue out{std::max(a.rows, b.rows), std::max(a.columns, b.columns), {}};
    out.cells.reserve(static_cast<std::size_t>(out.rows) * static_cast<std::size_t>(out.columns));
    const auto pick = [](const ArrayValue& x, int r, int c) -> const Value* {
        const int rr = x.rows == 1 ? 0 : r, cc = x.columns == 1 ? 0 : c;
        return rr < x.rows && cc < x.columns ? &x.at(rr, cc) : nullptr;
    };
    for (int r = 0; r < out.rows; ++r) {
        for (int c = 0; c < out.columns; ++c) {
            const Value* x = pick(a, r, c);
            const Value* y = pick(b, r, c);
            out.cells.push_back(x && y ? f(*x, *y) : Value::fault(ErrorCode::NA));
        }
    }
    return out;
}

}  // namespace

int compareValues(const Value& a, const Value& b) {
    Value x = a, y = b;
    if (x.isEmpty())
        x = y.isText()      ? Value::of(std::string())
            : y.isBoolean() ? Value::boolean(false)
                            : Value::of(0.0);
    if (y.isEmpty())
        y = x.isText()      ? Value::of(std::string())
            : x.isBoolean() ? Value::boolean(false)
                            : Value::of(0.0);
    if (rank(x) != rank(y)) return rank(x) < rank(y) ? -1 : 1;
    if (x.isText()) {
        const std::string p = upperLetters(x.text), q = upperLetters(y.text);
        return p < q ? -1 : p > q ? 1 : 0;
    }
    return x.number < y.number ? -1 : x.number > y.number ? 1 : 0;
}

Value applyBinary(BinaryOp op, const Value& a, const Value& b) {
    // An error on either side is the answer before a text fails to be a number: ""+#N/A.
    if (a.isError()) return a;
    if (b.isError()) return b;
    ErrorCode e = ErrorCode::Value;
    if (op == BinaryOp::Concat) {
        const auto s = asText(a, e);
        const auto t = asText(b, e);
        return s && t ? Value::of(*s + *t) : Value::fault(e);
    }
    if (isComparison(op)) return compared(op, compareValues(a, b));
    const auto x = asNumber(a, e);
    if (!x) return Value::fault(e);
    const auto y = asNumber(b, e);
    if (!y) return Value::fault(e);
    return arithmetic(op, *x, *y);
}

CellRange spanning(const CellRange& a, const CellRange& b) {
    return {std::min(a.firstRow, b.firstRow), std::min(a.firstColumn, b.firstColumn),
            std::max(a.lastRow, b.lastRow), std::max(a.lastColumn, b.lastColumn)};
}

ArrayValue arrayOf(const CellSource& source, const Area& area) {
    CellRange r = area.range;
    r.lastRow = std::min(r.lastRow, std::max(source.lastRow(area.sheet), r.firstRow));
    r.lastColumn = std::min(r.lastColumn, std::max(source.lastColumn(area.sheet), r.firstColumn));
    ArrayValue out{r.rowCount(), r.columnCount(), {}};
    out.cells.resize(static_cast<std::size_t>(out.rows) * static_cast<std::size_t>(out.columns));
    source.forEach({area.sheet, r}, [&](int row, int column, const Value& v) {
        out.cells[static_cast<std::size_t>(row - r.firstRow) *
                      static_cast<std::size_t>(out.columns) +
                  static_cast<std::size_t>(column - r.firstColumn)] = v;
    });
    return out;
}

Value Evaluator::toScalar(const Operand& o) const {
    if (const Value* v = std::get_if<Value>(&o)) return *v;
    if (const auto* a = std::get_if<ArrayValue>(&o)) {
        return a->cells.empty() ? Value() : a->cells.front();
    }
    const Area& area = std::get<Area>(o);
    const CellRange& r = area.range;
    // Implicit intersection: a column of cells is read in the formula's own row, a row of cells
    // in its own column.
    int row = r.firstRow, column = r.firstColumn;
    if (r.rowCount() > 1) {
        if (r.columnCount() > 1 || row_ < r.firstRow || row_ > r.lastRow) {
            return Value::fault(ErrorCode::Value);
        }
        row = row_;
    } else if (r.columnCount() > 1) {
        if (column_ < r.firstColumn || column_ > r.lastColumn)
            return Value::fault(ErrorCode::Value);
        column = column_;
    }
    return source_.value(area.sheet, row, column);
}

Value Evaluator::result() {
    if (f_->root < 0) return Value::fault(ErrorCode::Name);
    Value v = scalar(f_->root);
    return v.isEmpty() ? Value::of(0.0) : v;
}

Operand Evaluator::reference(const Reference& ref) const {
    const auto place = [&](const RefEnd& e, int& row, int& column) {
        row = e.rowRelative ? row_ + e.row : e.row;
        column = e.columnRelative ? column_ + e.column : e.column;
        return row >= 1 && row <= kMaxRows && column >= 1 && column <= kMaxColumns;
    };
    int r1 = 0, c1 = 0, r2 = 0, c2 = 0;
    if (!place(ref.first, r1, c1) || !place(ref.last, r2, c2)) return Value::fault(ErrorCode::Ref);
    return Area{ref.sheet < 0 ? sheet_ : ref.sheet,
                {std::min(r1, r2), std::min(c1, c2), std::max(r1, r2), std::max(c1, c2)}};
}

Operand Evaluator::name(const Node& n) {
    const CompiledFormula* named = source_.name(f_->texts[n.index], sheet_);
    if (!named || !named->unsupported.empty() || named->root < 0 || nameDepth_ >= kMaxNameDepth) {
        return Value::fault(ErrorCode::Name);
    }
    const CompiledFormula* own = f_;
    f_ = named;
    ++nameDepth_;
    const auto restore = [&] {
        --nameDepth_;
        f_ = own;
    };
    try {
        Operand o = operand(named->root);
        restore();
        return o;
    } catch (const Fault&) {
        restore();
        throw;
    }
}

Operand Evaluator::unary(const Node& n, bool arrayMode) {
    Operand o = operand(f_->args[n.index], arrayMode);
    const auto apply = [&](const Value& v) {
        if (n.kind == NodeKind::Percent) return applyBinary(BinaryOp::Div, v, Value::of(100.0));
        if (n.op == '+') return v;
        return applyBinary(BinaryOp::Sub, Value::of(0.0), v);
    };
    if (arrayMode && !std::holds_alternative<Value>(o)) {
        ArrayValue a = asArray(source_, o);
        for (Value& v : a.cells)
            v = apply(v);
        return a;
    }
    return apply(toScalar(o));
}

Operand Evaluator::binary(const Node& n, bool arrayMode) {
    const auto op = static_cast<BinaryOp>(n.op);
    Operand a = operand(f_->args[n.index], arrayMode);
    Operand b = operand(f_->args[n.index + 1], arrayMode);
    if (arrayMode && (!std::holds_alternative<Value>(a) || !std::holds_alternative<Value>(b))) {
        return elementWise(asArray(source_, a), asArray(source_, b),
                           [op](const Value& x, const Value& y) { return applyBinary(op, x, y); });
    }
    const Value x = toScalar(a);
    // A text read from a cell that is no number fails before an error on the right counts
    // (Data!B3+#N/A is #VALUE!); one written in the formula gives way to it (""+#N/A is #N/A).
    const bool numeric = !isComparison(op) && op != BinaryOp::Concat;
    if (numeric && std::holds_alternative<Area>(a) && x.isText() && !textNumber(x.text)) {
        return Value::fault(ErrorCode::Value);
    }
    return applyBinary(op, x, toScalar(b));
}

Operand Evaluator::call(const Node& n) {
    const FunctionEntry& entry = functionAt(n.extra);
    if (n.count < entry.minArgs || n.count > entry.maxArgs) return Value::fault(ErrorCode::Value);
    try {
        // data() + index, not &args[index]: a call without arguments may stand at the end of
        // the argument list, or the list may be empty (NA(), PI()).
        return entry.body(*this, Arguments{f_->args.data() + n.index, n.count});
    } catch (const Fault& fault) {
        return Value::fault(fault.code);
    }
}

Operand Evaluator::range(const Node& n) {
    const Operand a = operand(f_->args[n.index]);
    const Operand b = operand(f_->args[n.index + 1]);
    for (const Operand* o : {&a, &b}) {
        const Value* v = std::get_if<Value>(o);
        if (v && v->isError()) return *v;
    }
    const Area* x = std::get_if<Area>(&a);
    const Area* y = std::get_if<Area>(&b);
    if (!x || !y) return Value::fault(ErrorCode::Value);
    if (x->sheet != y->sheet) return Value::fault(ErrorCode::Ref);
    return Area{x->sheet, spanning(x->range, y->range)};
}

Operand Evaluator::operand(std::int32_t index, bool arrayMode) {
    const Node& n = f_->nodes[index];
    switch (n.kind) {
        case NodeKind::Number:
            return Value::of(n.number);
        case NodeKind::Boolean:
            return Value::boolean(n.number != 0);
        case NodeKind::Text:
            return Value::of(f_->texts[n.index]);
        case NodeKind::Error:
            return Value::fault(static_cast<ErrorCode>(n.op));
        case NodeKind::Missing:
            return Value();
        case NodeKind::Reference:
        case NodeKind::Range: {
            Operand o = n.kind == NodeKind::Range ? range(n) : reference(f_->refs[n.index]);
            if (arrayMode && std::holds_alternative<Area>(o))
                return arrayOf(source_, std::get<Area>(o));
            return o;
        }
        case NodeKind::Name:
            return name(n);
        case NodeKind::Unary:
        case NodeKind::Percent:
            return unary(n, arrayMode);
        case NodeKind::Binary:
            return binary(n, arrayMode);
        case NodeKind::Call:
            return call(n);
    }
    return Value::fault(ErrorCode::Value);
}

}  // namespace plovis::formula
