#pragma once
// The tokens of a formula's text, references already read and made relative to the formula's
// own cell.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "hosts/formula/ast.h"

namespace plovis::formula {

enum class TokenKind : std::uint8_t {
    Number,
    Text,
    Boolean,
    Error,
    Reference,
    Name,      // a defined name
    Function,  // a name followed by "("
    Operator,  // op: + - * / ^ & = % : and '<' '>' 'l' (<=) 'g' (>=) 'n' (<>)
    Open,
    Close,
    Comma,
    End,
};

struct Token {
    TokenKind kind = TokenKind::End;
    char op = 0;
    double number = 0;
    std::string text;  // text, name (upper case) or function name (upper case)
    Reference ref;
};

// The index of a sheet named in a reference, or -1 when the workbook has none of that name.
using SheetLookup = std::function<int(std::string_view)>;

struct Lexed {
    std::vector<Token> tokens;  // ends with an End token
    // The same for every formula that reads the same relative to its cell: I16-J16 in row 16 and
    // I17-J17 in row 17 have one key.
    std::string key;
    std::string unsupported;  // why the formula cannot be computed; empty when it can
};

Lexed lex(std::string_view formula, int row, int column, const SheetLookup& sheets);

// A character of a word of a formula: a name, a function, a reference or a number.
bool isWordChar(char c);

}  // namespace plovis::formula
