#pragma once
// A formula compiled to a compact tree: nodes in one vector, children listed by index. The
// references in it are kept relative to the cell the formula stands in, so one compiled formula
// serves every cell of a column filled with "the same" formula (I16-J16, I17-J17, ...).

#include <cstdint>
#include <string>
#include <vector>

namespace plovis::formula {

enum class NodeKind : std::uint8_t {
    Number,     // number
    Text,       // index: texts
    Boolean,    // number 1/0
    Error,      // op: ErrorCode
    Reference,  // index: refs
    Name,       // index: texts (upper case)
    Unary,      // op: '-' or '+'; one child
    Percent,    // one child
    Binary,     // op: BinaryOp; two children
    Call,       // extra: function number; count children from args[index]
    Range,      // two children giving references: the rectangle spanning both, A1:INDEX(...)
    Missing,    // an argument left out: IF(A1,,2)
};

enum class BinaryOp : std::uint8_t { Add, Sub, Mul, Div, Pow, Concat, Eq, Ne, Lt, Gt, Le, Ge };

struct Node {
    NodeKind kind = NodeKind::Number;
    std::uint8_t op = 0;
    std::uint16_t count = 0;
    std::int32_t index = 0;
    std::int32_t extra = 0;
    double number = 0;
};

// One end of a reference: relative parts are offsets from the formula's own cell, absolute ones
// the row or column itself.
struct RefEnd {
    int row = 0, column = 0;
    bool rowRelative = false, columnRelative = false;
};

// A cell or a rectangle: B7, $B$7:C9, B:B (rows 1 to the last, absolute), 7:7.
struct Reference {
    int sheet = -1;  // the sheet's index in the workbook; -1: the formula's own sheet
    RefEnd first, last;
};

struct CompiledFormula {
    std::vector<Node> nodes;
    std::vector<std::int32_t> args;  // the children of Unary, Percent, Binary and Call nodes
    std::vector<Reference> refs;
    std::vector<std::string> texts;
    std::int32_t root = -1;
    // Why the formula is not computed ("the function XYZ is not known"); empty when it is.
    std::string unsupported;
};

}  // namespace plovis::formula
