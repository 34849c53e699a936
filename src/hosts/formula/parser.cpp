#include "hosts/formula/parser.h"

namespace plovis::formula {
namespace {

// Spreadsheet programs nest functions at most 64 deep; this bounds the evaluator's recursion.
constexpr int kMaxDepth = 100;

Node node(NodeKind kind, std::uint8_t op = 0) {
    Node n;
    n.kind = kind;
    n.op = op;
    return n;
}

struct Refused {
    std::string why;
};

class Parser {
  public:
    Parser(const Lexed& lexed, FunctionLookup functions)
        : tokens_(lexed.tokens), functions_(functions) {}

    CompiledFormula run() {
        try {
            out_.root = comparison();
            if (peek().kind != TokenKind::End) throw Refused{"a malformed formula"};
        } catch (const Refused& r) {
            out_.unsupported = r.why;
        }
        return std::move(out_);
    }

  private:
    const Token& peek() const { return tokens_[pos_]; }
    bool atOperator(std::string_view ops) const {
        return peek().kind == TokenKind::Operator && ops.find(peek().op) != std::string_view::npos;
    }
    std::int32_t add(Node n) {
        out_.nodes.push_back(n);
        return static_cast<std::int32_t>(out_.nodes.size() - 1);
    }
    std::int32_t withChildren(Node n, std::initializer_list<std::int32_t> children) {
        n.index = static_cast<std::int32_t>(out_.args.size());
        n.count = static_cast<std::uint16_t>(children.size());
        out_.args.insert(out_.args.end(), children);
        return add(n);
    }
    std::int32_t binary(BinaryOp op, std::int32_t a, std::int32_t b) {
        return withChildren(node(NodeKind::Binary, static_cast<std::uint8_t>(op)), {a, b});
    }

    std::int32_t comparison();
    std::int32_t concatenation();
    std::int32_t additive();
    std::int32_t multiplicative();
    std::int32_t power();
    std::int32_t percent();
    std::int32_t unary();
    std::int32_t range();
    std::int32_t primary();
    std::int32_t call();

    const std::vector<Token>& tokens_;
    FunctionLookup functions_;
    std::size_t pos_ = 0;
    int depth_ = 0;
    CompiledFormula out_;
};

BinaryOp comparisonOp(char op) {
    switch (op) {
        case '=':
            return BinaryOp::Eq;
        case 'n':
            return BinaryOp::Ne;
        case '<':
            return BinaryOp::Lt;
        case '>':
            return BinaryOp::Gt;
        case 'l':
            return BinaryOp::Le;
        default:
            return BinaryOp::Ge;
    }
}

std::int32_t Parser::comparison() {
    std::int32_t left = concatenation();
    while (atOperator("=n<>lg")) {
        const char op = tokens_[pos_++].op;
        left = binary(comparisonOp(op), left, concatenation());
    }
    return left;
}

std::int32_t Parser::concatenation() {
    std::int32_t left = additive();
    while (atOperator("&")) {
        ++pos_;
        left = binary(BinaryOp::Concat, left, additive());
    }
    return left;
}

std::int32_t Parser::additive() {
    std::int32_t left = multiplicative();
    while (atOperator("+-")) {
        const char op = tokens_[pos_++].op;
        left = binary(op == '+' ? BinaryOp::Add : BinaryOp::Sub, left, multiplicative());
    }
    return left;
}

std::int32_t Parser::multiplicative() {
    std::int32_t left = power();
    while (atOperator("*/")) {
        const char op = tokens_[pos_++].op;
        left = binary(op == '*' ? BinaryOp::Mul : BinaryOp::Div, left, power());
    }
    return left;
}

std::int32_t Parser::power() {
    std::int32_t left = percent();
    while (atOperator("^")) {
        ++pos_;
        left = binary(BinaryOp::Pow, left, percent());
    }
    return left;
}

std::int32_t Parser::percent() {
    std::int32_t operand = unary();
    while (atOperator("%")) {
        ++pos_;
        operand = withChildren(node(NodeKind::Percent), {operand});
    }
    return operand;
}

std::int32_t Parser::unary() {
    if (atOperator("+-")) {
        const char op = tokens_[pos_++].op;
        if (++depth_ > kMaxDepth) throw Refused{"a formula nested too deep"};
        const std::int32_t operand = unary();
        --depth_;
        return withChildren(node(NodeKind::Unary, static_cast<std::uint8_t>(op)), {operand});
    }
    return range();
}

// A range whose ends are not both plain cells: A1:INDEX(A1:A10,4) binds tighter than any other
// operator.
std::int32_t Parser::range() {
    std::int32_t left = primary();
    while (atOperator(":")) {
        ++pos_;
        left = withChildren(node(NodeKind::Range), {left, primary()});
    }
    return left;
}

std::int32_t Parser::primary() {
    const Token& t = tokens_[pos_];
    switch (t.kind) {
        case TokenKind::Number:
        case TokenKind::Boolean: {
            ++pos_;
            Node n = node(t.kind == TokenKind::Number ? NodeKind::Number : NodeKind::Boolean);
            n.number = t.number;
            return add(n);
        }
        case TokenKind::Text:
        case TokenKind::Name: {
            ++pos_;
            Node n = node(t.kind == TokenKind::Text ? NodeKind::Text : NodeKind::Name);
            n.index = static_cast<std::int32_t>(out_.texts.size());
            out_.texts.push_back(t.text);
            return add(n);
        }
        case TokenKind::Error:
            ++pos_;
            return add(node(NodeKind::Error, static_cast<std::uint8_t>(t.op)));
        case TokenKind::Reference: {
            ++pos_;
            Node n = node(NodeKind::Reference);
            n.index = static_cast<std::int32_t>(out_.refs.size());
            out_.refs.push_back(t.ref);
            return add(n);
        }
        case TokenKind::Function:
            return call();
        case TokenKind::Open: {
            ++pos_;
            if (++depth_ > kMaxDepth) throw Refused{"a formula nested too deep"};
            const std::int32_t inner = comparison();
            --depth_;
            if (peek().kind != TokenKind::Close) throw Refused{"a bracket left open"};
            ++pos_;
            return inner;
        }
        default:
            throw Refused{"a malformed formula"};
    }
}

std::int32_t Parser::call() {
    const std::string& name = tokens_[pos_].text;
    const int number = functions_(name);
    // Read on, for the cells its arguments read.
    if (number < 0 && out_.unsupported.empty()) {
        out_.unsupported = "the function " + name + ", which PLOVIS does not compute";
    }
    pos_ += 2;  // the name and "("
    if (++depth_ > kMaxDepth) throw Refused{"a formula nested too deep"};
    std::vector<std::int32_t> children;
    if (peek().kind == TokenKind::Close) {
        ++pos_;
    } else {
        for (;;) {
            const TokenKind k = peek().kind;
            children.push_back(k == TokenKind::Comma || k == TokenKind::Close
                                   ? add(node(NodeKind::Missing))
                                   : comparison());
            if (peek().kind == TokenKind::Close) {
                ++pos_;
                break;
            }
            if (peek().kind != TokenKind::Comma) throw Refused{"a malformed formula"};
            ++pos_;
        }
    }
    --depth_;
    Node n = node(NodeKind::Call);
    n.extra = number;
    n.index = static_cast<std::int32_t>(out_.args.size());
    n.count = static_cast<std::uint16_t>(children.size());
    out_.args.insert(out_.args.end(), children.begin(), children.end());
    return add(n);
}

}  // namespace

CompiledFormula parse(const Lexed& lexed, FunctionLookup functions) {
    CompiledFormula f = Parser(lexed, functions).run();
    if (!lexed.unsupported.empty()) f.unsupported = lexed.unsupported;
    return f;
}

}  // namespace plovis::formula
