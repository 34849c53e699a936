// SUM and its kind: the values of ranges (numbers only; texts, booleans and empty cells left
// out) and of arguments given directly (coerced to numbers).
#include <algorithm>
#include <cmath>

#include "common/letter_case.h"
#include "common/text.h"
#include "hosts/formula/function_table.h"

namespace plovis::formula {
namespace {

// The numbers SUM, PRODUCT, MIN, MAX and AVERAGE take; an error in any of them is the result.
template <typename F>
void eachNumber(Evaluator& ev, Arguments a, F f) {
    eachValue(ev, a, [&](const Value& v, bool fromRange) {
        if (v.isError()) throw Fault{v.error};
        if (v.isNumber() || (!fromRange && v.isBoolean())) {
            f(v.number);
        } else if (!fromRange && v.isText()) {
            ErrorCode e = ErrorCode::Value;
            const auto n = asNumber(v, e);
            if (!n) throw Fault{e};
            f(*n);
        }
    });
}

double finite(double x) {
    if (!std::isfinite(x)) throw Fault{ErrorCode::Num};
    return x;
}

// A sum carrying the rounding error of each addition along (Neumaier), as LibreOffice sums:
// 0.21 + 0.195 + 0.237 + 0.036 + 0.198 is 0.876, not 0.8760000000000001.
struct CompensatedSum {
    double sum = 0, error = 0;
    void add(double x) {
        const double t = sum + x;
        error += std::abs(sum) >= std::abs(x) ? (sum - t) + x : (x - t) + sum;
        sum = t;
    }
    double total() const { return sum + error; }
};

Operand sum(Evaluator& ev, Arguments a) {
    CompensatedSum total;
    eachNumber(ev, a, [&](double x) { total.add(x); });
    return Value::of(finite(total.total()));
}

Operand product(Evaluator& ev, Arguments a) {
    double p = 1;
    bool any = false;
    eachNumber(ev, a, [&](double x) {
        p *= x;
        any = true;
    });
    return Value::of(any ? finite(p) : 0.0);
}

template <bool Max>
Operand extreme(Evaluator& ev, Arguments a) {
    double best = 0;
    bool any = false;
    eachNumber(ev, a, [&](double x) {
        best = !any ? x : Max ? std::max(best, x) : std::min(best, x);
        any = true;
    });
    return Value::of(best);
}

Operand average(Evaluator& ev, Arguments a) {
    CompensatedSum total;
    int n = 0;
    eachNumber(ev, a, [&](double x) {
        total.add(x);
        ++n;
    });
    if (n == 0) throw Fault{ErrorCode::Div0};
    return Value::of(finite(total.total() / n));
}

Operand count(Evaluator& ev, Arguments a) {
    double n = 0;
    eachValue(ev, a, [&](const Value& v, bool fromRange) {
        n += v.isNumber() || (!fromRange && (v.isBoolean() || (v.isText() && textNumber(v.text))));
    });
    return Value::of(n);
}

Operand countA(Evaluator& ev, Arguments a) {
    double n = 0;
    eachValue(ev, a, [&](const Value& v, bool) { n += !v.isEmpty(); });
    return Value::of(n);
}

Operand sumProduct(Evaluator& ev, Arguments a) {
    std::vector<ArrayValue> arrays;
    for (int i = 0; i < a.count; ++i) {
        const Operand o = ev.operand(a[i], true);
        if (const auto* v = std::get_if<Value>(&o)) {
            if (v->isError()) throw Fault{v->error};
            arrays.push_back(ArrayValue{1, 1, {*v}});
        } else if (const auto* area = std::get_if<Area>(&o)) {
            arrays.push_back(arrayOf(ev.source(), *area));
        } else {
            arrays.push_back(std::get<ArrayValue>(o));
        }
        if (arrays.back().rows != arrays.front().rows ||
            arrays.back().columns != arrays.front().columns) {
            throw Fault{ErrorCode::Value};
        }
    }
    double total = 0;
    for (std::size_t k = 0; k < arrays.front().cells.size(); ++k) {
        double p = 1;
        for (const ArrayValue& arr : arrays) {
            const Value& v = arr.cells[k];
            if (v.isError()) throw Fault{v.error};
            p *= v.isNumber() ? v.number : 0.0;
        }
        total += p;
    }
    return Value::of(finite(total));
}

// The cells of an area, also the empty ones up to the sheet's last row and column in use.
template <typename F>
void eachCell(const CellSource& source, const Area& area, bool withEmpty, F f) {
    if (!withEmpty) {
        source.forEach(area, [&](int r, int c, const Value& v) { f(r, c, v); });
        return;
    }
    const ArrayValue cells = arrayOf(source, area);
    for (int r = 0; r < cells.rows; ++r) {
        for (int c = 0; c < cells.columns; ++c)
            f(area.range.firstRow + r, area.range.firstColumn + c, cells.at(r, c));
    }
}

Operand countIf(Evaluator& ev, Arguments a) {
    const Area range = argumentArea(ev, a[0]);
    const Criterion criterion(ev.scalar(a[1]));
    double n = 0;
    eachCell(ev.source(), range, criterion.matches(Value()),
             [&](int, int, const Value& v) { n += criterion.matches(v); });
    return Value::of(n);
}

Operand sumIf(Evaluator& ev, Arguments a) {
    const Area range = argumentArea(ev, a[0]);
    const Criterion criterion(ev.scalar(a[1]));
    const Area sums = a.count > 2 && !ev.isMissing(a[2]) ? argumentArea(ev, a[2]) : range;
    double total = 0;
    eachCell(ev.source(), range, criterion.matches(Value()), [&](int r, int c, const Value& v) {
        if (!criterion.matches(v)) return;
        const int row = sums.range.firstRow + (r - range.range.firstRow);
        const int column = sums.range.firstColumn + (c - range.range.firstColumn);
        if (row > kMaxRows || column > kMaxColumns) return;
        const Value s = ev.source().value(sums.sheet, row, column);
        if (s.isError()) throw Fault{s.error};
        if (s.isNumber()) total += s.number;
    });
    return Value::of(finite(total));
}

}  // namespace

Criterion::Criterion(const Value& criterion) : operand_(criterion) {
    if (!criterion.isText()) {
        if (criterion.isEmpty()) operand_ = Value::of(0.0);
        return;
    }
    std::string_view t = criterion.text;
    for (const auto& [text, op] : {std::pair{"<=", BinaryOp::Le},
                                   {">=", BinaryOp::Ge},
                                   {"<>", BinaryOp::Ne},
                                   {"<", BinaryOp::Lt},
                                   {">", BinaryOp::Gt},
                                   {"=", BinaryOp::Eq}}) {
        if (t.starts_with(text)) {
            op_ = op;
            t.remove_prefix(std::string_view(text).size());
            break;
        }
    }
    if (const auto n = textNumber(t)) {
        operand_ = Value::of(*n);
    } else if (equalsIgnoringCase(t, "TRUE") || equalsIgnoringCase(t, "FALSE")) {
        operand_ = Value::boolean(equalsIgnoringCase(t, "TRUE"));
    } else {
        operand_ = Value::of(std::string(t));
        wildcard_ = (op_ == BinaryOp::Eq || op_ == BinaryOp::Ne) &&
                    t.find_first_of("*?~") != std::string_view::npos;
    }
}

bool Criterion::matches(const Value& v) const {
    if (op_ == BinaryOp::Eq || op_ == BinaryOp::Ne) {
        bool same = false;
        if (operand_.isText() && operand_.text.empty()) {
            same = v.isEmpty() || (v.isText() && v.text.empty());
        } else if (wildcard_) {
            same = v.isText() && wildcardMatch(v.text, operand_.text);
        } else if (operand_.isText()) {
            same = v.isText() && sameLetters(v.text, operand_.text);
        } else {
            same = !v.isEmpty() && !v.isError() && v.kind == operand_.kind &&
                   v.number == operand_.number;
        }
        return op_ == BinaryOp::Eq ? same : !same;
    }
    if (v.isEmpty() || v.isError() || (operand_.isNumber() != v.isNumber()) ||
        (operand_.isText() != v.isText())) {
        return false;
    }
    return applyBinary(op_, v, operand_).number != 0;
}

// Left to right, going back only to the last * seen: time bounded by the product of the lengths,
// whatever the pattern. Both in capitals, so that bytes compare; ? and * step whole characters.
bool wildcardMatch(std::string_view anyText, std::string_view anyPattern) {
    const std::string text = upperLetters(anyText), pattern = upperLetters(anyPattern);
    const auto nextCharacter = [&](std::size_t i) {
        for (++i; i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;)
            ++i;
        return i;
    };
    std::size_t t = 0, p = 0, starP = std::string_view::npos, starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starT = t;
            continue;
        }
        const bool escaped = p + 1 < pattern.size() && pattern[p] == '~';
        const char c = escaped ? pattern[p + 1] : p < pattern.size() ? pattern[p] : '\0';
        if (p < pattern.size() && c == '?' && !escaped) {
            ++p;
            t = nextCharacter(t);
        } else if (p < pattern.size() && c == text[t]) {
            p += escaped ? 2 : 1;
            ++t;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            t = starT = nextCharacter(starT);
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

std::vector<FunctionEntry> aggregateFunctions() {
    return {
        {"SUM", 1, 255, sum},
        {"PRODUCT", 1, 255, product},
        {"MIN", 1, 255, extreme<false>},
        {"MAX", 1, 255, extreme<true>},
        {"AVERAGE", 1, 255, average},
        {"COUNT", 1, 255, count},
        {"COUNTA", 1, 255, countA},
        {"SUMPRODUCT", 1, 255, sumProduct},
        {"COUNTIF", 2, 2, countIf},
        {"SUMIF", 2, 3, sumIf},
    };
}

}  // namespace plovis::formula
