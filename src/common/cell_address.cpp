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
    std::size_t i = 0;
    if (i < cell.size() && cell[i] == '$') ++i;
    const std::size_t lettersStart = i;
    while (i < cell.size() && isLetter(cell[i]))
        ++i;
    if (i == lettersStart) fail(whole, "a column letter is missing");
    if (i - lettersStart > 3) fail(whole, "the column is beyond XFD");
    const int column = columnNumber(cell.substr(lettersStart, i - lettersStart));
    if (i < cell.size() && cell[i] == '$') ++i;
    const std::size_t digitsStart = i;
    long row = 0;
    while (i < cell.size() && isDigit(cell[i])) {
        row = row * 10 + (cell[i] - '0');
        if (row > kMaxRows) fail(whole, "the row is beyond 1048576");
        ++i;
    }
    if (i == digitsStart) fail(whole, "a row number is missing");
    if (i != cell.size()) fail(whole, "unexpected characters");
    if (row < 1) fail(whole, "rows start at 1");
    return {static_cast<int>(row), column};
}

}  // namespace

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
