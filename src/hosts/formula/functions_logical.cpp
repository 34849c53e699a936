// IF and the other functions of truth values and of what a value is.
#include <cmath>

#include "hosts/formula/function_table.h"

namespace plovis::formula {
namespace {

Operand ifOf(Evaluator& ev, Arguments a) {
    const bool condition = argumentBoolean(ev, a[0]);
    if (condition) return ev.operand(a[1]);
    if (a.count < 3) return Value::boolean(false);
    return ev.operand(a[2]);
}

Operand ifError(Evaluator& ev, Arguments a) {
    Operand o = ev.operand(a[0]);
    if (ev.toScalar(o).isError()) return ev.operand(a[1]);
    return o;
}

// AND and OR: booleans and numbers of ranges, values given directly as booleans.
template <bool All>
Operand connective(Evaluator& ev, Arguments a) {
    bool any = false, result = All;
    eachValue(ev, a, [&](const Value& v, bool fromRange) {
        if (v.isError()) throw Fault{v.error};
        if (v.isEmpty() || (fromRange && v.isText())) return;
        ErrorCode e = ErrorCode::Value;
        const auto b = asBoolean(v, e);
        if (!b) throw Fault{e};
        any = true;
        result = All ? result && *b : result || *b;
    });
    if (!any) throw Fault{ErrorCode::Value};
    return Value::boolean(result);
}

Operand choose(Evaluator& ev, Arguments a) {
    const double i = std::trunc(argumentNumber(ev, a[0]));
    if (i < 1 || i >= a.count) throw Fault{ErrorCode::Value};
    return ev.operand(a[static_cast<int>(i)]);
}

template <typename Test>
Operand is(Evaluator& ev, Arguments a, Test test) {
    return Value::boolean(test(ev.scalar(a[0])));
}

}  // namespace

std::vector<FunctionEntry> logicalFunctions() {
    return {
        {"IF", 2, 3, ifOf},
        {"IFERROR", 2, 2, ifError},
        {"AND", 1, 255, connective<true>},
        {"OR", 1, 255, connective<false>},
        {"NOT", 1, 1,
         [](Evaluator& ev, Arguments a) -> Operand {
             return Value::boolean(!argumentBoolean(ev, a[0]));
         }},
        {"TRUE", 0, 0, [](Evaluator&, Arguments) -> Operand { return Value::boolean(true); }},
        {"FALSE", 0, 0, [](Evaluator&, Arguments) -> Operand { return Value::boolean(false); }},
        {"NA", 0, 0, [](Evaluator&, Arguments) -> Operand { return Value::fault(ErrorCode::NA); }},
        {"CHOOSE", 2, 255, choose},
        {"ISBLANK", 1, 1,
         [](Evaluator& ev, Arguments a) {
             return is(ev, a, [](const Value& v) { return v.isEmpty(); });
         }},
        {"ISNUMBER", 1, 1,
         [](Evaluator& ev, Arguments a) {
             return is(ev, a, [](const Value& v) { return v.isNumber(); });
         }},
        {"ISTEXT", 1, 1,
         [](Evaluator& ev, Arguments a) {
             return is(ev, a, [](const Value& v) { return v.isText(); });
         }},
        {"ISERROR", 1, 1,
         [](Evaluator& ev, Arguments a) {
             return is(ev, a, [](const Value& v) { return v.isError(); });
         }},
    };
}

}  // namespace plovis::formula
