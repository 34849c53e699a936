// Texts and cell addresses: each case an input and its outcome in tests/common/golden/text.txt.
#include "common/text.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "common/cell_address.h"
#include "common/utf8.h"
#include "support/golden_table.h"

namespace plovis {
namespace {

std::string shown(const CellRange& r) {
    return std::to_string(r.firstRow) + "," + std::to_string(r.firstColumn) + ":" +
           std::to_string(r.lastRow) + "," + std::to_string(r.lastColumn) + " " + formatA1(r) +
           " " + formatR1C1(r);
}

// "<what> <input>": two texts compared ignoring case ("same <a>|<b>"), a text in capitals and
// trimmed of blanks, a code point's UTF-8 bytes (hex), a column's letters or number both ways, an
// A1 range or a sheet-qualified range read and written back.
std::string answer(const std::string& what, const std::string& text) {
    if (what == "same") {
        const auto bar = text.find('|');
        return equalsIgnoringCase(text.substr(0, bar), text.substr(bar + 1)) ? "equal" : "unequal";
    }
    if (what == "text") return upperCase(text) + " |" + std::string(trimBlanks(text)) + "|";
    if (what == "utf8") {
        std::string bytes, hex;
        appendUtf8(bytes, static_cast<char32_t>(std::stoul(text, nullptr, 16)));
        for (const unsigned char c : bytes) {
            char h[4];
            std::snprintf(h, sizeof h, "%02X", c);
            hex += h;
        }
        return hex;
    }
    if (what == "column" && !text.empty() && std::isdigit(static_cast<unsigned char>(text[0])))
        return columnLetters(std::stoi(text));
    if (what == "column")
        return std::to_string(columnNumber(text)) + " " + columnLetters(columnNumber(text));
    if (what == "a1") return shown(parseA1(text));
    const SheetRange r = parseSheetRange(text);
    return "'" + r.sheet + "' " + shown(r.range);
}

std::string outcome(const std::string& line) {
    const std::string what = line.substr(0, line.find(' '));
    try {
        return answer(what, line.substr(what.size() + 1));
    } catch (const AddressError& e) {
        return std::string("refused: ") + e.what();
    }
}

TEST(Text, CaseBlanksCodePointsAndCellAddressesAsTheReviewedTableSays) {
    test::expectGoldenTable("common", "text", outcome);
}

}  // namespace
}  // namespace plovis
