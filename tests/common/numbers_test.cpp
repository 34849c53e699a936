// Numbers read from and written to cells: leading numbers, rounding, picture and general forms,
// each case an input and its outcome in tests/common/golden/numbers.txt.
#include <gtest/gtest.h>

#include <charconv>

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/rounding.h"
#include "support/golden_table.h"

namespace plovis {
namespace {

// The shortest text that reads back as the same double, sign of zero included.
std::string exact(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

template <typename F>
std::string orOverflow(F&& f) {
    try {
        return exact(f());
    } catch (const std::range_error&) {
        return "overflow";
    }
}

// "<what> <input>": a text's leading number, its length and whether it is a number throughout;
// a value rounded half to even, into whole-number fields and single precision; a value rounded
// off ("off <value> <places>"), formatted by a picture ("picture <value> <picture>"), or in the
// general and Str forms.
std::string outcome(const std::string& line) {
    const std::string what = line.substr(0, line.find(' ')), text = line.substr(what.size() + 1);
    if (what == "lead") {
        return orOverflow([&] { return leadingNumber(text); }) + " length " +
               std::to_string(leadingNumberLength(text)) + (isNumberText(text) ? " number" : "");
    }
    const double x = std::stod(text);
    const std::string rest = text.substr(std::min(text.size(), text.find(' ') + 1));
    if (what == "round") {
        return "even " + exact(roundHalfEven(x)) + " int16 " +
               orOverflow([&] { return toInt16(x); }) + " int32 " +
               orOverflow([&] { return toInt32(x); }) + " single " + exact(toSingle(x));
    }
    if (what == "off") return exact(roundOff(x, std::stoi(rest)));
    if (what == "picture") return formatPicture(x, rest);
    return generalForm(x) + " |" + strForm(x) + "|";
}

TEST(Numbers, ReadRoundedAndFormattedAsTheReviewedTableSays) {
    test::expectGoldenTable("common", "numbers", outcome);
}

}  // namespace
}  // namespace plovis
