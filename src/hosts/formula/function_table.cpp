#include "hosts/formula/function_table.h"

#include <algorithm>

namespace plovis::formula {
namespace {

std::vector<FunctionEntry> allFunctions() {
    std::vector<FunctionEntry> all;
    for (auto part :
         {mathFunctions, aggregateFunctions, logicalFunctions, lookupFunctions, textFunctions}) {
        const auto entries = part();
        all.insert(all.end(), entries.begin(), entries.end());
    }
    std::sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    return all;
}

const std::vector<FunctionEntry>& table() {
    static const std::vector<FunctionEntry> functions = allFunctions();
    return functions;
}

}  // namespace

int functionNumber(std::string_view upperName) {
    const auto& t = table();
    const auto it =
        std::lower_bound(t.begin(), t.end(), upperName,
                         [](const FunctionEntry& e, std::string_view n) { return e.name < n; });
    return it != t.end() && it->name == upperName ? static_cast<int>(it - t.begin()) : -1;
}

const FunctionEntry& functionAt(int number) {
    return table()[static_cast<std::size_t>(number)];
}

Value argumentValue(Evaluator& ev, std::int32_t node) {
    Value v = ev.scalar(node);
    if (v.isError()) throw Fault{v.error};
    return v;
}

double argumentNumber(Evaluator& ev, std::int32_t node) {
    ErrorCode e = ErrorCode::Value;
    const auto n = asNumber(argumentValue(ev, node), e);
    if (!n) throw Fault{e};
    return *n;
}

std::string argumentText(Evaluator& ev, std::int32_t node) {
    ErrorCode e = ErrorCode::Value;
    auto t = asText(argumentValue(ev, node), e);
    if (!t) throw Fault{e};
    return std::move(*t);
}

bool argumentBoolean(Evaluator& ev, std::int32_t node) {
    ErrorCode e = ErrorCode::Value;
    const auto b = asBoolean(argumentValue(ev, node), e);
    if (!b) throw Fault{e};
    return *b;
}

Area argumentArea(Evaluator& ev, std::int32_t node) {
    const Operand o = ev.operand(node);
    if (const Area* a = std::get_if<Area>(&o)) return *a;
    const Value* v = std::get_if<Value>(&o);
    throw Fault{v && v->isError() ? v->error : ErrorCode::Value};
}

void eachValue(Evaluator& ev, Arguments args,
               const std::function<void(const Value&, bool fromRange)>& f) {
    for (int i = 0; i < args.count; ++i) {
        const Operand o = ev.operand(args[i]);
        if (const Area* a = std::get_if<Area>(&o)) {
            ev.source().forEach(*a, [&](int, int, const Value& v) { f(v, true); });
        } else if (const auto* arr = std::get_if<ArrayValue>(&o)) {
            for (const Value& v : arr->cells)
                f(v, true);
        } else {
            f(std::get<Value>(o), false);
        }
    }
}

}  // namespace plovis::formula
