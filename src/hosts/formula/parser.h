#pragma once
// Formulas compiled from their tokens, with the precedence of spreadsheet programs: negation,
// then %, ^ (left to right, so -2^2 is 4 and 2^3^2 is 64), * and /, + and -, &, then the
// comparisons.

#include "hosts/formula/ast.h"
#include "hosts/formula/lexer.h"

namespace plovis::formula {

// A function's number in the function table, or -1 when it is unknown.
using FunctionLookup = int (*)(std::string_view upperName);

// The tree of the tokens; unsupported says why when the formula cannot be computed (an unknown
// function, a malformed formula, one nested deeper than spreadsheet programs allow).
CompiledFormula parse(const Lexed& lexed, FunctionLookup functions);

}  // namespace plovis::formula
