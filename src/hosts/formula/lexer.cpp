#include "hosts/formula/lexer.h"

#include <charconv>

#include "common/cell_address.h"
#include "common/text.h"
#include "hosts/formula/value.h"

namespace plovis::formula {
namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// One part of a reference as written: B7, $B$7, B, $7.
struct Part {
    int row = 0, column = 0;
    bool hasRow = false, hasColumn = false, rowAbsolute = false, columnAbsolute = false;
};

bool readPart(std::string_view w, Part& p) {
    ReferencePart r;
    if (lexReferencePart(w, r) != ReferenceFault::None) return false;
    p.row = r.row;
    p.column = r.column;
    p.hasRow = r.row != 0;
    p.hasColumn = r.column != 0;
    p.rowAbsolute = r.rowAbsolute;
    p.columnAbsolute = r.columnAbsolute;
    return true;
}

Token token(TokenKind kind) {
    Token t;
    t.kind = kind;
    return t;
}

RefEnd endOf(int value, bool absolute, int anchor, bool isRow, RefEnd e) {
    (isRow ? e.row : e.column) = absolute ? value : value - anchor;
    (isRow ? e.rowRelative : e.columnRelative) = !absolute;
    return e;
}

class Lexer {
  public:
    Lexer(std::string_view f, int row, int column, const SheetLookup& sheets)
        : f_(f), row_(row), column_(column), sheets_(sheets) {}
    Lexed run();

  private:
    bool at(char c) const { return pos_ < f_.size() && f_[pos_] == c; }
    std::string_view word();
    void push(Token t);
    void number();
    void text();
    void error();
    void wordToken();
    bool reference(int sheet, std::string_view first);
    bool area(int sheet, const Part& a, const Part& b);
    std::string quotedSheet();
    void sheetReference(std::string_view sheet);
    // A formula that cannot be read any further.
    void refuse(std::string why) {
        mark(std::move(why));
        pos_ = f_.size();
    }
    // A formula read on (for the cells it reads) but not computed.
    void mark(std::string why) {
        if (out_.unsupported.empty()) out_.unsupported = std::move(why);
    }

    std::string_view f_;
    std::size_t pos_ = 0;
    int row_, column_;
    const SheetLookup& sheets_;
    Lexed out_;
};

std::string_view Lexer::word() {
    const std::size_t start = pos_;
    while (pos_ < f_.size() && isWordChar(f_[pos_]))
        ++pos_;
    return f_.substr(start, pos_ - start);
}

// Appends the bytes of a value: the key is compared, never read.
template <typename T>
void appendRaw(std::string& key, const T& value) {
    key.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void Lexer::push(Token t) {
    std::string& k = out_.key;
    k += static_cast<char>('a' + static_cast<int>(t.kind));
    if (t.kind == TokenKind::Reference) {
        appendRaw(k, t.ref.sheet);
        for (const RefEnd& e : {t.ref.first, t.ref.last}) {
            appendRaw(k, e.row);
            appendRaw(k, e.column);
            k += static_cast<char>(e.rowRelative * 2 + e.columnRelative);
        }
    } else if (t.kind == TokenKind::Number || t.kind == TokenKind::Boolean) {
        appendRaw(k, t.number);
    } else if (t.kind == TokenKind::Operator || t.kind == TokenKind::Error) {
        k += t.op;
    } else {
        appendRaw(k, t.text.size());
        k += t.text;
    }
    out_.tokens.push_back(std::move(t));
}

void Lexer::number() {
    const std::size_t start = pos_;
    while (pos_ < f_.size() && (isDigit(f_[pos_]) || f_[pos_] == '.'))
        ++pos_;
    if (pos_ < f_.size() && (f_[pos_] == 'e' || f_[pos_] == 'E')) {
        std::size_t p = pos_ + 1;
        if (p < f_.size() && (f_[p] == '+' || f_[p] == '-')) ++p;
        if (p < f_.size() && isDigit(f_[p])) {
            pos_ = p;
            while (pos_ < f_.size() && isDigit(f_[pos_]))
                ++pos_;
        }
    }
    Token t = token(TokenKind::Number);
    const auto [end, ec] = std::from_chars(f_.data() + start, f_.data() + pos_, t.number);
    if (ec != std::errc() || end != f_.data() + pos_) return refuse("a malformed number");
    push(std::move(t));
}

void Lexer::text() {
    Token t = token(TokenKind::Text);
    for (++pos_;; ++pos_) {
        if (pos_ >= f_.size()) return refuse("a text without its closing quote");
        if (f_[pos_] == '"') {
            if (pos_ + 1 < f_.size() && f_[pos_ + 1] == '"') {
                t.text += '"';
                ++pos_;
                continue;
            }
            ++pos_;
            break;
        }
        t.text += f_[pos_];
    }
    push(std::move(t));
}

void Lexer::error() {
    for (ErrorCode e : {ErrorCode::Null, ErrorCode::Div0, ErrorCode::Value, ErrorCode::Ref,
                        ErrorCode::Name, ErrorCode::Num, ErrorCode::NA}) {
        const std::string_view name = errorText(e);
        if (f_.size() - pos_ >= name.size() &&
            equalsIgnoringCase(f_.substr(pos_, name.size()), name)) {
            pos_ += name.size();
            Token t = token(TokenKind::Error);
            t.op = static_cast<char>(e);
            return push(std::move(t));
        }
    }
    refuse("an unknown error value");
}

bool Lexer::area(int sheet, const Part& a, const Part& b) {
    if (a.hasRow != b.hasRow || a.hasColumn != b.hasColumn) return false;
    Token t = token(TokenKind::Reference);
    t.ref.sheet = sheet;
    RefEnd first, last;
    if (a.hasRow) {
        first = endOf(a.row, a.rowAbsolute, row_, true, first);
        last = endOf(b.row, b.rowAbsolute, row_, true, last);
    } else {
        first.row = 1;
        last.row = kMaxRows;
    }
    if (a.hasColumn) {
        first = endOf(a.column, a.columnAbsolute, column_, false, first);
        last = endOf(b.column, b.columnAbsolute, column_, false, last);
    } else {
        first.column = 1;
        last.column = kMaxColumns;
    }
    t.ref.first = first;
    t.ref.last = last;
    push(std::move(t));
    return true;
}

// A reference starting with the word just read; false when the word is none.
bool Lexer::reference(int sheet, std::string_view first) {
    Part a;
    if (!readPart(first, a)) return false;
    if (at(':')) {
        const std::size_t save = pos_++;
        Part b;
        std::string_view second = word();
        // Data!A1:Data!A3 names its sheet at both ends; another sheet there reads through
        // several.
        if (sheet >= 0 && (at('!') || (second.empty() && at('\'')))) {
            const std::string named = second.empty() ? quotedSheet() : std::string(second);
            if (!at('!') || sheets_(named) != sheet) {
                refuse("a reference through several sheets");
                return true;
            }
            ++pos_;
            second = word();
        }
        if (readPart(second, b) && !at('!') && area(sheet, a, b)) return true;
        pos_ = save;
    }
    return a.hasRow && a.hasColumn && area(sheet, a, a);
}

std::string Lexer::quotedSheet() {
    std::string name;
    for (++pos_; pos_ < f_.size(); ++pos_) {
        if (f_[pos_] == '\'') {
            if (pos_ + 1 < f_.size() && f_[pos_ + 1] == '\'') {
                name += '\'';
                ++pos_;
                continue;
            }
            ++pos_;
            return name;
        }
        name += f_[pos_];
    }
    refuse("a sheet name without its closing quote");
    return name;
}

// After "Sheet!": the reference on that sheet.
void Lexer::sheetReference(std::string_view sheet) {
    ++pos_;  // the "!"
    if (sheet.find('[') != std::string_view::npos) mark("a link to another workbook");
    if (sheet.find(':') != std::string_view::npos) {
        return refuse("a reference through several sheets");
    }
    if (at('#')) return error();
    const int index = sheets_(sheet);
    const std::string_view w = word();
    if (index < 0) {
        Part p;
        if (!readPart(w, p)) return refuse("a malformed reference");
        if (at(':')) {
            ++pos_;
            word();
        }
        Token t = token(TokenKind::Error);
        t.op = static_cast<char>(ErrorCode::Ref);
        return push(std::move(t));
    }
    if (!reference(index, w)) refuse("a malformed reference");
}

void Lexer::wordToken() {
    const std::size_t start = pos_;
    const std::string_view w = word();
    if (at('(')) {
        Token t = token(TokenKind::Function);
        t.text = upperCase(w);
        if (t.text.starts_with("_XLFN.")) t.text.erase(0, 6);
        return push(std::move(t));
    }
    if (at('!')) return sheetReference(w);
    if (at(':') && !w.empty()) {
        // Sheet1:Sheet3!A1 reads through several sheets.
        const std::size_t save = pos_++;
        word();
        if (at('!')) return refuse("a reference through several sheets");
        pos_ = save;
    }
    if (w.empty() || w.front() == '[') return refuse("a link to another workbook");
    if (reference(-1, w)) return;
    const std::string upper = upperCase(w);
    if (upper == "TRUE" || upper == "FALSE") {
        Token t = token(TokenKind::Boolean);
        t.number = upper == "TRUE";
        return push(std::move(t));
    }
    if (isDigit(w.front()) || w.front() == '$' || w.front() == '.') {
        pos_ = start;
        return refuse("a malformed reference");
    }
    Token t = token(TokenKind::Name);
    t.text = upper;
    push(std::move(t));
}

Lexed Lexer::run() {
    while (pos_ < f_.size()) {
        const char c = f_[pos_];
        if (c == ' ' || c == '\n' || c == '\r' || c == '\t') {
            ++pos_;
        } else if (isDigit(c) || (c == '.' && pos_ + 1 < f_.size() && isDigit(f_[pos_ + 1]))) {
            // 3:5 is a reference to whole rows, 3.5 a number.
            const std::size_t save = pos_;
            word();
            if (at(':')) {
                pos_ = save;
                wordToken();
            } else {
                pos_ = save;
                number();
            }
        } else if (c == '"') {
            text();
        } else if (c == '#') {
            error();
        } else if (c == '\'') {
            const std::string sheet = quotedSheet();
            if (!at('!')) return refuse("a quoted name that is no sheet"), std::move(out_);
            sheetReference(sheet);
        } else if (c == '[') {
            mark("a link to another workbook");
            const std::size_t end = f_.find(']', pos_);
            pos_ = end == std::string_view::npos ? f_.size() : end + 1;
        } else if (c == '{') {
            refuse("an array of constants");
        } else if (isWordChar(c)) {
            wordToken();
        } else {
            char op = c;
            ++pos_;
            if (c == '<' && at('=')) op = 'l';
            if (c == '>' && at('=')) op = 'g';
            if (c == '<' && at('>')) op = 'n';
            if (op != c) ++pos_;
            TokenKind kind = TokenKind::Operator;
            if (c == '(') kind = TokenKind::Open;
            if (c == ')') kind = TokenKind::Close;
            if (c == ',') kind = TokenKind::Comma;
            if (kind == TokenKind::Operator &&
                std::string_view("+-*/^&=<>%lgn:").find(op) == std::string_view::npos) {
                refuse(std::string("the operator ") + c);
            }
            Token t = token(kind);
            t.op = op;
            push(std::move(t));
        }
    }
    out_.tokens.push_back(token(TokenKind::End));
    return std::move(out_);
}

}  // namespace

bool isWordChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '\\' || c == '$' ||
           static_cast<unsigned char>(c) >= 0x80;
}

Lexed lex(std::string_view formula, int row, int column, const SheetLookup& sheets) {
    return Lexer(formula, row, column, sheets).run();
}

}  // namespace plovis::formula
