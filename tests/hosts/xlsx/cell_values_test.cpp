#include "hosts/xlsx/cell_values.h"

#include <gtest/gtest.h>

#include <limits>

#include "hosts/xlsx/xml_text.h"
#include "support/golden_table.h"

namespace plovis::xlsx {
namespace {

std::string shown(std::optional<double> v) {
    return v ? storedNumber(*v) : "none";
}

// "<what> <text>": a cell reference, a stored number, a date (1900 or 1904 based), cell text
// escapes decoded or encoded, XML references decoded, text escaped for XML.
std::string outcome(const std::string& line) {
    const std::string what = line.substr(0, line.find(' ')), text = line.substr(what.size() + 1);
    if (what == "reference") {
        int row = 0, column = 0;
        const ReferenceCheck check = parseCellReference(text, row, column);
        return check == ReferenceCheck::Ok ? std::to_string(row) + "," + std::to_string(column)
               : check == ReferenceCheck::BeyondSheet ? "beyond the sheet"
                                                      : "malformed";
    }
    if (what == "number") return shown(parseStoredNumber(text));
    if (what == "date" || what == "date1904") return shown(dateSerial(text, what == "date1904"));
    if (what == "decode") return decodeCellTextEscapes(text);
    if (what == "encode") return encodeCellTextEscapes(text);
    std::string out;
    if (what == "escape") appendEscaped(text, out);
    if (what == "xml" && !appendDecoded(text, out)) return "refused";
    return out;
}

TEST(CellValues, ReferencesNumbersDatesAndTextsAsTheFileHoldsThem) {
    test::expectGoldenTable("hosts/xlsx", "cell_values", outcome);
}

TEST(CellValues, NumbersAndTextsWriteBackExactly) {
    for (double v : {0.1, 1.0 / 3.0, -2.25, 1e20, 5e-324, 123456789012345.67,
                     std::numeric_limits<double>::max()}) {
        EXPECT_EQ(parseStoredNumber(storedNumber(v)), v) << storedNumber(v);
    }
    for (const std::string text : {"line\r\nbreak", "_x0041_ stays", "tab\tand\x1f", "plain"})
        EXPECT_EQ(decodeCellTextEscapes(encodeCellTextEscapes(text)), text);
}

}  // namespace
}  // namespace plovis::xlsx
