#include "hosts/formula/formula_shift.h"

#include <optional>

#include "common/cell_address.h"

namespace plovis::formula {
namespace {

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isWordChar(char c) {
    return isLetter(c) || isDigit(c) || c == '_' || c == '.' || c == '$' || c == '\\' ||
           static_cast<unsigned char>(c) >= 0x80;
}

// One part of a reference: a cell (B7), a column (B) or a row (7), each part maybe absolute.
struct RefPart {
    std::optional<int> column, row;
    bool columnAbsolute = false, rowAbsolute = false;
};

std::optional<RefPart> parsePart(std::string_view w) {
    RefPart p;
    std::size_t i = 0;
    if (i < w.size() && w[i] == '$' && i + 1 < w.size() && isLetter(w[i + 1])) {
        p.columnAbsolute = true;
        ++i;
    }
    const std::size_t letters = i;
    while (i < w.size() && isLetter(w[i]))
        ++i;
    if (i - letters > 3) return std::nullopt;
    if (i > letters) {
        int c = 0;
        for (std::size_t k = letters; k < i; ++k)
            c = c * 26 + ((w[k] | 0x20) - 'a' + 1);
        if (c > kMaxColumns) return std::nullopt;
        p.column = c;
    }
    if (i < w.size() && w[i] == '$') {
        p.rowAbsolute = true;
        ++i;
    }
    const std::size_t digits = i;
    long r = 0;
    while (i < w.size() && isDigit(w[i]) && r <= kMaxRows)
        r = r * 10 + (w[i++] - '0');
    if (i != w.size()) return std::nullopt;
    if (i > digits) {
        if (r < 1 || r > kMaxRows) return std::nullopt;
        p.row = static_cast<int>(r);
    }
    if (!p.column && !p.row) return std::nullopt;
    if (p.rowAbsolute && !p.row) return std::nullopt;
    return p;
}

// The part moved, or none when it leaves the sheet.
std::optional<std::string> shifted(const RefPart& p, int dr, int dc) {
    std::string out;
    if (p.column) {
        const int c = p.columnAbsolute ? *p.column : *p.column + dc;
        if (c < 1 || c > kMaxColumns) return std::nullopt;
        out += (p.columnAbsolute ? "$" : "") + columnLetters(c);
    }
    if (p.row) {
        const int r = p.rowAbsolute ? *p.row : *p.row + dr;
        if (r < 1 || r > kMaxRows) return std::nullopt;
        out += (p.rowAbsolute ? "$" : "") + std::to_string(r);
    }
    return out;
}

// Copies a quoted run (text in "", a sheet name in '') with its doubled quotes.
std::size_t quotedEnd(std::string_view f, std::size_t i) {
    const char q = f[i];
    for (++i; i < f.size(); ++i) {
        if (f[i] != q) continue;
        if (i + 1 < f.size() && f[i + 1] == q) {
            ++i;
        } else {
            return i + 1;
        }
    }
    return f.size();
}

std::size_t bracketEnd(std::string_view f, std::size_t i) {
    int depth = 0;
    for (; i < f.size(); ++i) {
        if (f[i] == '[') ++depth;
        if (f[i] == ']' && --depth == 0) return i + 1;
    }
    return f.size();
}

std::size_t wordEnd(std::string_view f, std::size_t i) {
    while (i < f.size() && isWordChar(f[i]))
        ++i;
    return i;
}

}  // namespace

std::string shiftFormula(std::string_view f, int dr, int dc) {
    std::string out;
    std::size_t i = 0;
    while (i < f.size()) {
        const char c = f[i];
        if (c == '"' || c == '\'') {
            const std::size_t end = quotedEnd(f, i);
            out.append(f.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == '[') {
            const std::size_t end = bracketEnd(f, i);
            out.append(f.substr(i, end - i));
            i = end;
            continue;
        }
        if (c == '#' || !isWordChar(c)) {  // operators, error literals (#REF!), blanks
            const std::size_t end = c == '#' ? wordEnd(f, i + 1) : i + 1;
            out.append(f.substr(i, end - i));
            i = end;
            continue;
        }
        const std::size_t end = wordEnd(f, i);
        const std::string_view word = f.substr(i, end - i);
        const bool preceded = i > 0 && (isWordChar(f[i - 1]) || f[i - 1] == ']');
        // A function (LOG10(), a sheet (Tab1!), a table (Tab1[Col]) is named, not referenced.
        const bool calledOrSheet =
            end < f.size() && (f[end] == '(' || f[end] == '!' || f[end] == '[');
        std::optional<RefPart> first = preceded || calledOrSheet ? std::nullopt : parsePart(word);
        if (!first) {
            out.append(word);
            i = end;
            continue;
        }
        // A range's second part after ":", of the same kind (B7:C9, B:C, 7:9).
        std::optional<RefPart> second;
        std::size_t rangeEnd = end;
        if (end < f.size() && f[end] == ':') {
            const std::size_t e2 = wordEnd(f, end + 1);
            second = parsePart(f.substr(end + 1, e2 - end - 1));
            if (second && (second->column.has_value() != first->column.has_value() ||
                           second->row.has_value() != first->row.has_value())) {
                second.reset();
            }
            if (second) rangeEnd = e2;
        }
        const bool whole = first->column.has_value() != first->row.has_value();
        if (whole && !second) {  // a lone column or row word is a name, not a reference
            out.append(word);
            i = end;
            continue;
        }
        const auto a = shifted(*first, dr, dc);
        const auto b = second ? shifted(*second, dr, dc) : std::optional<std::string>("");
        if (a && b) {
            out += *a + (second ? ":" + *b : "");
        } else {
            out += "#REF!";
        }
        i = rangeEnd;
    }
    return out;
}

}  // namespace plovis::formula
