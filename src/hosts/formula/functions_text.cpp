// Functions of text; lengths and positions count characters, not bytes.
#include <cmath>

#include "common/letter_case.h"
#include "hosts/formula/function_table.h"
#include "hosts/formula/text_format.h"

namespace plovis::formula {
namespace {

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::size_t characters(std::string_view t) {
    std::size_t n = 0;
    for (char c : t)
        n += !isContinuation(c);
    return n;
}

// The byte offset of the character at `index` (from 0), or the text's size.
std::size_t byteOffset(std::string_view t, std::size_t index) {
    std::size_t i = 0;
    for (; i < t.size() && index > 0; --index) {
        ++i;
        while (i < t.size() && isContinuation(t[i]))
            ++i;
    }
    return i;
}

std::string slice(std::string_view t, std::size_t from, std::size_t count) {
    const std::size_t begin = byteOffset(t, from);
    const std::size_t end = begin + byteOffset(t.substr(begin), count);
    return std::string(t.substr(begin, end - begin));
}

std::size_t countArg(Evaluator& ev, Arguments a, int i, double otherwise) {
    const double n = i < a.count && !ev.isMissing(a[i]) ? argumentNumber(ev, a[i]) : otherwise;
    if (n < 0) throw Fault{ErrorCode::Value};
    return static_cast<std::size_t>(std::min(std::trunc(n), 1e9));
}

Operand concatenate(Evaluator& ev, Arguments a) {
    std::string out;
    for (int i = 0; i < a.count; ++i)
        out += argumentText(ev, a[i]);
    return Value::of(std::move(out));
}

Operand left(Evaluator& ev, Arguments a) {
    const std::string t = argumentText(ev, a[0]);
    return Value::of(slice(t, 0, countArg(ev, a, 1, 1)));
}

Operand right(Evaluator& ev, Arguments a) {
    const std::string t = argumentText(ev, a[0]);
    const std::size_t n = countArg(ev, a, 1, 1), length = characters(t);
    return Value::of(slice(t, n >= length ? 0 : length - n, n));
}

Operand mid(Evaluator& ev, Arguments a) {
    const std::string t = argumentText(ev, a[0]);
    const double start = std::trunc(argumentNumber(ev, a[1]));
    if (start < 1) throw Fault{ErrorCode::Value};
    const std::size_t n = countArg(ev, a, 2, 0);
    return Value::of(slice(t, static_cast<std::size_t>(std::min(start, 1e9)) - 1, n));
}

Operand trim(Evaluator& ev, Arguments a) {
    const std::string t = argumentText(ev, a[0]);
    std::string out;
    for (char c : t) {
        if (c == ' ' && (out.empty() || out.back() == ' ')) continue;
        out += c;
    }
    if (!out.empty() && out.back() == ' ') out.pop_back();
    return Value::of(std::move(out));
}

Operand value(Evaluator& ev, Arguments a) {
    const Value v = argumentValue(ev, a[0]);
    if (v.isNumber()) return v;
    if (v.isEmpty()) return Value::of(0.0);
    if (!v.isText()) throw Fault{ErrorCode::Value};
    const auto n = textNumber(v.text);
    if (!n) throw Fault{ErrorCode::Value};
    return Value::of(*n);
}

Operand text(Evaluator& ev, Arguments a) {
    const Value v = argumentValue(ev, a[0]);
    const std::string picture = argumentText(ev, a[1]);
    ErrorCode e = ErrorCode::Value;
    const auto n = v.isText() ? textNumber(v.text) : asNumber(v, e);
    if (!n) return Value::of(v.text);  // a text that is no number stays as it is
    const auto out = formatText(*n, picture);
    if (!out) throw Fault{ErrorCode::Value};
    return Value::of(*out);
}

}  // namespace

std::vector<FunctionEntry> textFunctions() {
    return {
        {"CONCATENATE", 1, 255, concatenate},
        {"LEFT", 1, 2, left},
        {"RIGHT", 1, 2, right},
        {"MID", 3, 3, mid},
        {"LEN", 1, 1,
         [](Evaluator& ev, Arguments a) -> Operand {
             return Value::of(static_cast<double>(characters(argumentText(ev, a[0]))));
         }},
        {"TRIM", 1, 1, trim},
        {"UPPER", 1, 1,
         [](Evaluator& ev, Arguments a) -> Operand {
             return Value::of(upperLetters(argumentText(ev, a[0])));
         }},
        {"LOWER", 1, 1,
         [](Evaluator& ev, Arguments a) -> Operand {
             return Value::of(lowerLetters(argumentText(ev, a[0])));
         }},
        {"VALUE", 1, 1, value},
        {"TEXT", 2, 2, text},
    };
}

}  // namespace plovis::formula
