#include "hosts/formula/formula_shift.h"

#include "hosts/formula/lexer.h"

#include <optional>
#include <string>

#include "common/cell_address.h"

namespace plovis::formula {
namespace {

std::optional<ReferencePart> parsePart(std::string_view w) {
    ReferencePart p;
    if (lexReferencePart(w, p) != ReferenceFault::None) return std::nullopt;
    return p;
}

// The part moved, or none when it leaves the sheet.
std::optional<std::string> shifted(const ReferencePart& p, int dr, int dc) {
    std::string out;
    if (p.column) {
        const int c = p.columnAbsolute ? p.column : p.column + dc;
        if (c < 1 || c > kMaxColumns) return std::nullopt;
        out += (p.columnAbsolute ? "$" : "") + columnLetters(c);
    }
    if (p.row) {
        const int r = p.rowAbsolute ? p.row : p.row + dr;
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
        std::optional<ReferencePart> first =
            preceded || calledOrSheet ? std::nullopt : parsePart(word);
        if (!first) {
            out.append(word);
            i = end;
            continue;
        }
        // A range's second part after ":", of the same kind (B7:C9, B:C, 7:9).
        std::optional<ReferencePart> second;
        std::size_t rangeEnd = end;
        if (end < f.size() && f[end] == ':') {
            const std::size_t e2 = wordEnd(f, end + 1);
            second = parsePart(f.substr(end + 1, e2 - end - 1));
            if (second && ((second->column != 0) != (first->column != 0) ||
                           (second->row != 0) != (first->row != 0))) {
                second.reset();
            }
            if (second) rangeEnd = e2;
        }
        const bool whole = (first->column != 0) != (first->row != 0);
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
