// VLOOKUP, HLOOKUP, MATCH and INDEX: positions in ranges.
#include <algorithm>
#include <cmath>

#include "common/letter_case.h"
#include "hosts/formula/function_table.h"

namespace plovis::formula {
namespace {

// One row or column of an area, cut to the part of the sheet in use.
struct Line {
    const CellSource& source;
    int sheet, row, column;
    bool down;  // along a column
    int length;

    Value at(int i) const {
        return down ? source.value(sheet, row + i, column) : source.value(sheet, row, column + i);
    }
};

Line lineOf(const CellSource& source, const Area& a, int offset, bool down) {
    const CellRange& r = a.range;
    const int used = down ? source.lastRow(a.sheet) : source.lastColumn(a.sheet);
    const int last = std::min(down ? r.lastRow : r.lastColumn, std::max(used, 0));
    const int first = down ? r.firstRow : r.firstColumn;
    return Line{source,
                a.sheet,
                down ? r.firstRow : r.firstRow + offset,
                down ? r.firstColumn + offset : r.firstColumn,
                down,
                std::max(0, last - first + 1)};
}

bool sameKind(const Value& a, const Value& b) {
    return (a.isNumber() && b.isNumber()) || (a.isText() && b.isText()) ||
           (a.isBoolean() && b.isBoolean());
}

bool equalForLookup(const Value& cell, const Value& wanted) {
    if (!sameKind(cell, wanted)) return false;
    if (wanted.isText()) {
        return wanted.text.find_first_of("*?~") != std::string::npos
                   ? wildcardMatch(cell.text, wanted.text)
                   : sameLetters(cell.text, wanted.text);
    }
    return cell.number == wanted.number;
}

// The position (from 0) of the value in the line: exact, or the last not greater (order 1) or
// not smaller (order -1) of a sorted line. -1 when there is none.
int find(const Line& line, const Value& wanted, int order) {
    int found = -1;
    for (int i = 0; i < line.length; ++i) {
        const Value v = line.at(i);
        if (order == 0) {
            if (equalForLookup(v, wanted)) return i;
            continue;
        }
        if (!sameKind(v, wanted)) continue;
        const int c = compareValues(v, wanted) * order;
        if (c > 0) break;
        found = i;
        if (c == 0 && order < 0) break;
    }
    return found;
}

Value lookupValue(Evaluator& ev, std::int32_t node) {
    Value v = argumentValue(ev, node);
    if (v.isEmpty()) throw Fault{ErrorCode::NA};
    return v;
}

Operand tableLookup(Evaluator& ev, Arguments a, bool vertical) {
    const Value wanted = lookupValue(ev, a[0]);
    const Area table = argumentArea(ev, a[1]);
    const double index = std::trunc(argumentNumber(ev, a[2]));
    const bool sorted = a.count < 4 || ev.isMissing(a[3]) || argumentBoolean(ev, a[3]);
    if (index < 1) throw Fault{ErrorCode::Value};
    const int width = vertical ? table.range.columnCount() : table.range.rowCount();
    if (index > width) throw Fault{ErrorCode::Ref};
    const int at = find(lineOf(ev.source(), table, 0, vertical), wanted, sorted ? 1 : 0);
    if (at < 0) throw Fault{ErrorCode::NA};
    const int offset = static_cast<int>(index) - 1;
    return vertical ? ev.source().value(table.sheet, table.range.firstRow + at,
                                        table.range.firstColumn + offset)
                    : ev.source().value(table.sheet, table.range.firstRow + offset,
                                        table.range.firstColumn + at);
}

Operand match(Evaluator& ev, Arguments a) {
    const Value wanted = lookupValue(ev, a[0]);
    const Area area = argumentArea(ev, a[1]);
    const double type = a.count > 2 && !ev.isMissing(a[2]) ? argumentNumber(ev, a[2]) : 1;
    const bool down = area.range.columnCount() == 1;
    if (!down && area.range.rowCount() != 1) throw Fault{ErrorCode::NA};
    const int order = type > 0 ? 1 : type < 0 ? -1 : 0;
    const int at = find(lineOf(ev.source(), area, 0, down), wanted, order);
    if (at < 0) throw Fault{ErrorCode::NA};
    return Value::of(at + 1.0);
}

Operand index(Evaluator& ev, Arguments a) {
    const Area area = argumentArea(ev, a[0]);
    const auto number = [&](int i) {
        return i < a.count && !ev.isMissing(a[i]) ? std::trunc(argumentNumber(ev, a[i])) : 0.0;
    };
    double row = number(1), column = number(2);
    const CellRange& r = area.range;
    // INDEX(B2:F2, 3) counts along the row.
    if (a.count < 3 && r.rowCount() == 1) std::swap(row, column);
    if (row < 0 || column < 0 || row > r.rowCount() || column > r.columnCount()) {
        throw Fault{row < 0 || column < 0 ? ErrorCode::Value : ErrorCode::Ref};
    }
    CellRange out = r;
    if (row > 0) out.firstRow = out.lastRow = r.firstRow + static_cast<int>(row) - 1;
    if (column > 0) out.firstColumn = out.lastColumn = r.firstColumn + static_cast<int>(column) - 1;
    if (row == 0 && column == 0 && r.rowCount() > 1 && r.columnCount() > 1) {
        throw Fault{ErrorCode::Value};
    }
    return Area{area.sheet, out};
}

}  // namespace

std::vector<FunctionEntry> lookupFunctions() {
    return {
        {"VLOOKUP", 3, 4, [](Evaluator& ev, Arguments a) { return tableLookup(ev, a, true); }},
        {"HLOOKUP", 3, 4, [](Evaluator& ev, Arguments a) { return tableLookup(ev, a, false); }},
        {"MATCH", 2, 3, match},
        {"INDEX", 2, 3, index},
    };
}

}  // namespace plovis::formula
