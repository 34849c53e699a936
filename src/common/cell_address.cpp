#include "common/cell_address.h"

#include <algorithm>

namespace plovis {
namespace {

[[noreturn]] void fail(std::string_view text, std::string_view why) {
    throw AddressError("\"" + std::string(text) + "\" is not a cell address: " + std::string(why));
}

bool isLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

struct Cell {
    int row;
    int column;
};

Cell parseCell(std::string_view cell, std::string_view whole) {
    ReferencePart part;
    switch (lexReferencePart(cell, part)) {
        case ReferenceFault::None:
        case ReferenceFault::Empty:
            break;
        case ReferenceFault::TooLong:
        case ReferenceFault::ColumnBeyond:
            fail(whole, "the column is beyond XFD");
        case ReferenceFault::RowZero:
            fail(whole, "rows start at 1");
        case ReferenceFault::RowBeyond:
            fail(whole, "the row is beyond 1048576");
        case ReferenceFault::Trailing:
            if (part.column != 0 && part.row != 0) fail(whole, "unexpected characters");
            break;
    }
    if (part.column == 0) fail(whole, "a column letter is missing");
    if (part.row == 0) fail(whole, "a row number is missing");
    return {part.row, part.column};
}

}  // namespace

ReferenceFault lexReferencePart(std::string_view text, ReferencePart& part) {
    part = {};
    std::size_t i = 0;
    // A "$" fixes what follows it: the column when letters follow, else the row.
    auto dollar = [&](bool& absolute) {
        if (i < text.size() && text[i] == '$') {
            absolute = true;
            ++i;
        }
    };
    if (text.size() > 1 && text[0] == '$' && isLetter(text[1])) dollar(part.columnAbsolute);
    const std::size_t letters = i;
    for (; i < text.size() && isLetter(text[i]); ++i) {
        if (i - letters == 4) return ReferenceFault::TooLong;
        part.column = part.column * 26 + ((text[i] | 0x20) - 'a' + 1);
    }
    dollar(part.rowAbsolute);
    const std::size_t digits = i;
    long row = 0;
    for (; i < text.size() && isDigit(text[i]); ++i) {
        if (i - digits == 10) return ReferenceFault::RowBeyond;  // and so cannot overflow
        row = row * 10 + (text[i] - '0');
    }
    if (i != text.size() || (part.rowAbsolute && i == digits)) {
        part.row = static_cast<int>(std::min<long>(row, kMaxRows));  // what came before the fault
        return ReferenceFault::Trailing;
    }
    if (i == 0) return ReferenceFault::Empty;
    if (part.column > kMaxColumns) return ReferenceFault::ColumnBeyond;
    if (i > digits && row == 0) return ReferenceFault::RowZero;
    if (row > kMaxRows) return ReferenceFault::RowBeyond;
    part.row = static_cast<int>(row);
    return ReferenceFault::None;
}

int columnNumber(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) {
        throw AddressError("\"" + std::string(letters) + "\" is not a column");
    }
    int n = 0;
    for (char c : letters) {
        if (!isLetter(c)) throw AddressError("\"" + std::string(letters) + "\" is not a column");
        n = n * 26 + ((c | 0x20) - 'a' + 1);
    }
    if (n > kMaxColumns) throw AddressError("column " + std::string(letters) + " is beyond XFD");
    return n;
}

std::string columnLetters(int column) {
    if (column < 1 || column > kMaxColumns) {
        throw AddressError("column " + std::to_string(column) + " is outside 1 to 16384");
    }
    std::string out;
    while (column > 0) {
        const int rem = (column - 1) % 26;
        out.insert(out.begin(), static_cast<char>('A' + rem));
        column = (column - 1) / 26;
    }
    return out;
}

CellRange parseA1(std::string_view address) {
    const std::size_t colon = address.find(':');
    const Cell a = parseCell(address.substr(0, colon), address);
    const Cell b =
        colon == std::string_view::npos ? a : parseCell(address.substr(colon + 1), address);
    return CellRange{std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
                     std::max(a.column, b.column)};
}

std::string formatA1(const CellRange& r) {
    std::string first = columnLetters(r.firstColumn) + std::to_string(r.firstRow);
    if (r.firstRow == r.lastRow && r.firstColumn == r.lastColumn) return first;
    return first + ":" + columnLetters(r.lastColumn) + std::to_string(r.lastRow);
}

std::string formatR1C1(const CellRange& r) {
    std::string first = "R" + std::to_string(r.firstRow) + "C" + std::to_string(r.firstColumn);
    if (r.firstRow == r.lastRow && r.firstColumn == r.lastColumn) return first;
    return first + ":R" + std::to_string(r.lastRow) + "C" + std::to_string(r.lastColumn);
}

SheetRange parseSheetRange(std::string_view text) {
    SheetRange out;
    std::string_view rest = text;
    if (!text.empty() && text.front() == '\'') {
        std::size_t i = 1;
        for (;; ++i) {
            if (i >= text.size()) fail(text, "the quoted sheet name is not closed");
            if (text[i] != '\'') {
                out.sheet.push_back(text[i]);
            } else if (i + 1 < text.size() && text[i + 1] == '\'') {
                out.sheet.push_back('\'');
                ++i;
            } else {
                break;
            }
        }
        if (i + 1 >= text.size() || text[i + 1] != '!')
            fail(text, "\"!\" must follow the sheet name");
        rest = text.substr(i + 2);
    } else if (const std::size_t bang = text.rfind('!'); bang != std::string_view::npos) {
        out.sheet = std::string(text.substr(0, bang));
        if (out.sheet.empty()) fail(text, "the sheet name before \"!\" is empty");
        rest = text.substr(bang + 1);
    }
    if (rest.empty()) fail(text, "the range is missing");
    out.range = parseA1(rest);
    return out;
}

}  // namespace plovis
