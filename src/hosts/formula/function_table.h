#pragma once
// The functions formulas may call: a table of name, number of arguments and body. Bodies
// evaluate their arguments themselves, so IF and IFERROR evaluate only what they choose and
// SUM sees a range as cells rather than as one value.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/formula/evaluator.h"

namespace plovis::formula {

struct Arguments {
    const std::int32_t* nodes;
    int count;
    std::int32_t operator[](int i) const { return nodes[i]; }
};

using FunctionBody = Operand (*)(Evaluator&, Arguments);

struct FunctionEntry {
    std::string_view name;
    int minArgs, maxArgs;
    FunctionBody body;
};

// The function's number, or -1 when it is unknown (names in upper case).
int functionNumber(std::string_view upperName);
const FunctionEntry& functionAt(int number);

// The parts of the table, one per family.
std::vector<FunctionEntry> mathFunctions();
std::vector<FunctionEntry> aggregateFunctions();
std::vector<FunctionEntry> logicalFunctions();
std::vector<FunctionEntry> lookupFunctions();
std::vector<FunctionEntry> textFunctions();

// Thrown inside a function body: the call's value is this error.
struct Fault {
    ErrorCode code;
};

// An argument as one value, a number, a text or a boolean, coerced as spreadsheet programs do;
// an error value is thrown as a Fault.
Value argumentValue(Evaluator& ev, std::int32_t node);
double argumentNumber(Evaluator& ev, std::int32_t node);
std::string argumentText(Evaluator& ev, std::int32_t node);
bool argumentBoolean(Evaluator& ev, std::int32_t node);
// An argument that must be a reference (an area); #VALUE! otherwise.
Area argumentArea(Evaluator& ev, std::int32_t node);

// Every value the arguments give, as SUM and its kind read them: the cells of a range that hold
// a value (fromRange true), or the argument's own value.
void eachValue(Evaluator& ev, Arguments args,
               const std::function<void(const Value&, bool fromRange)>& f);

// Whether a value meets a criterion as COUNTIF and SUMIF read it: "<5", ">=2", "<>x", "=a",
// "a*" (wildcards * and ?), or a plain value compared for equality.
class Criterion {
  public:
    explicit Criterion(const Value& criterion);
    bool matches(const Value& v) const;

  private:
    BinaryOp op_ = BinaryOp::Eq;
    Value operand_;
    bool wildcard_ = false;
};

// Text matched against a pattern with * and ? (~ escapes them), ignoring case.
bool wildcardMatch(std::string_view text, std::string_view pattern);

}  // namespace plovis::formula
