// Numbers read from and written to cells: leading numbers, rounding, picture and general forms.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "common/leading_number.h"
#include "common/number_format.h"
#include "common/rounding.h"

namespace plovis {
namespace {

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    // clang-format off
    const std::pair<const char*, double> cases[] = {
        {"12 m", 12}, {"abc", 0}, {"1e3x", 1000}, {"-.5", -0.5}, {"+", 0}, {"", 0}, {"   42", 42},
        {"\t7", 7}, {"0.1 lps", 0.1}, {"3", 3}, {"-", 0}, {".", 0}, {"-.", 0}, {"5.", 5}, {"1e", 1},
        {"1e+", 1}, {"1E-2", 0.01}, {"2.5e+1m", 25}, {"12,5", 12}, {"1 2", 1}, {"+.25", 0.25},
        {"1..2", 1}, {"--1", 0}, {"1234+567.891", 1234}, {"0+000", 0}, {"1e-400", 0}, {"007", 7},
        {"x12", 0}, {"-0", 0}, {"1.5e2.5", 150}};
    // clang-format on
    for (auto [text, value] : cases)
        EXPECT_DOUBLE_EQ(leadingNumber(text), value) << '"' << text << '"';
    EXPECT_TRUE(std::signbit(leadingNumber("-0")));
    EXPECT_FALSE(std::signbit(leadingNumber("+0")));
    // Huge numbers fail instead of becoming infinite.
    for (const std::string& huge :
         {std::string("1e400"), std::string("-1e999 m"), std::string(400, '9')})
        EXPECT_THROW(leadingNumber(huge), NumberOverflow) << huge;
    EXPECT_DOUBLE_EQ(leadingNumber("1e308"), 1e308);
    EXPECT_DOUBLE_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(LeadingNumber, LengthAndWholeNumberTexts) {
    // The length covers leading blanks and the number only.
    const std::pair<const char*, std::size_t> lengths[] = {
        {"  12 m", 4}, {"abc", 0}, {"1e3x", 3}, {"1e+", 1}, {"+", 0}};
    for (auto [text, length] : lengths)
        EXPECT_EQ(leadingNumberLength(text), length) << text;
    for (const char* yes : {"12", " 12 ", "-1.5e3", "+.5", "7.", "1E-2\t"})
        EXPECT_TRUE(isNumberText(yes)) << '"' << yes << '"';
    for (const char* no : {"", "  ", "12 m", "abc", "1e", "+", ".", "1 2", "--1", "12,5"})
        EXPECT_FALSE(isNumberText(no)) << '"' << no << '"';
}

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    // clang-format off
    const std::pair<double, double> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {1.5, 2}, {2.4999, 2}, {2.5001, 3},
        {-0.4, -0}, {-0.6, -1}, {1e15 + 0.5, 1e15}, {7, 7}};
    // clang-format on
    for (auto [x, expected] : cases)
        EXPECT_EQ(roundHalfEven(x), expected) << x;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

TEST(Rounding, NarrowingFailsWhenTheValueDoesNotFit) {
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);  // half to even stays inside
    for (double x : {32767.5, -32768.6})
        EXPECT_THROW(toInt16(x), WholeNumberOverflow) << x;
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    for (double x : {2147483647.5, 1e10, std::nan(""), std::numeric_limits<double>::infinity()})
        EXPECT_THROW(toInt32(x), WholeNumberOverflow) << x;
    EXPECT_EQ(toInt32(2.5), 2);
    EXPECT_EQ(toInt32(3.5), 4);
    // Single precision holds chainages to the nearest float.
    EXPECT_EQ(static_cast<double>(toSingle(1234567.891)), 1234567.875);
    EXPECT_EQ(static_cast<double>(toSingle(0.6)), static_cast<double>(0.6f));
    EXPECT_NE(static_cast<double>(toSingle(0.6)), 0.6);
}

TEST(Rounding, RoundOffRoundsAnExactHalfDown) {
    // clang-format off
    const struct { double x; int d; double expected; } cases[] = {
        {2.5, 0, 2}, {2.51, 0, 3}, {-1.3, 0, -1}, {0.0126, 3, 0.013}, {-2.5, 0, -3}, {-2.6, 0, -3},
        {0.1, 3, 0.1}, {134.59, 0, 135}, {0.125, 2, 0.12}, {8640.0 / 86400, 3, 0.1}, {0.3, 3, 0.3},
        {0, 3, 0}, {1234.5678, 2, 1234.57}, {5, -1, 0}, {15.1, -1, 20}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(roundOff(c.x, c.d), c.expected) << c.x << " to " << c.d;
}

TEST(PictureFormat, WritesDigitsLiteralsAndRounding) {
    // clang-format off
    const struct { double value; const char* picture; const char* expected; } cases[] = {
        // the chainage picture: thousands before the plus sign
        {12345.678, "#0+000.00", "12+345.68"}, {5, "#0+000.00", "0+005.00"},
        {345.5, "#0+000.00", "0+345.50"}, {1234567.8, "#0+000.00", "1234+567.80"},
        {0, "#0+000.00", "0+000.00"}, {999.999, "#0+000.00", "1+000.00"},
        // levels and table figures
        {7.5, "#00.000", "07.500"}, {1234.5, "#00.000", "1234.500"}, {1230, "#0.0", "1230.0"},
        {1234.56, "####0.0", "1234.6"}, {0.04, "####0.0", "0.0"}, {12.345, "##0.00", "12.35"},
        {0.5, "#####.0", ".5"}, {12, "#####.0", "12.0"}, {0, "#####.0", ".0"},
        {123.4567, "#0.000", "123.457"}, {1499.5, "####0", "1500"}, {0.4, "####0", "0"},
        {2.5, "####0", "3"}, {-2.5, "####0", "-3"}, {-12.345, "##0.00", "-12.35"},
        {-0.004, "##0.00", "0.00"}, {-5, "#0+000.00", "-0+005.00"},
        // rounding works on the 15-significant-digit form: 1.005 is stored as 1.0049999...
        {1.005, "0.00", "1.01"}, {2.675, "0.00", "2.68"}, {0.125, "0.00", "0.13"},
        {9.995, "0.00", "10.00"}, {0.0006, "0.00", "0.00"}, {0.006, "0.00", "0.01"},
        // "#" in the fraction drops trailing zeros only; literal characters are copied
        {1.5, "0.0#", "1.5"}, {1.25, "0.0#", "1.25"}, {1, "0.##", "1."}, {1.2, "0.#0", "1.20"},
        {12.5, "0.0 m", "12.5 m"}, {3, "(0)", "(3)"}, {42, "", "42"},
        {1e20, "0", "100000000000000000000"}, {0.000123456, "0.000000", "0.000123"}};
    // clang-format on
    for (const auto& c : cases)
        EXPECT_EQ(formatPicture(c.value, c.picture), c.expected)
            << c.value << " as \"" << c.picture << '"';
    EXPECT_EQ(formatPicture(std::nan(""), "#0.0"), "NaN");  // non-finite: the general form
    EXPECT_EQ(formatPicture(-std::numeric_limits<double>::infinity(), "#0.0"), "-Infinity");
}

TEST(GeneralForm, ShortestTextToFifteenDigitsAndStrFormsLeadingBlank) {
    // clang-format off
    const std::pair<double, const char*> cases[] = {
        {63, "63"}, {0.5, "0.5"}, {1234567.875, "1234567.875"}, {-2.25, "-2.25"}, {0, "0"},
        {-0.0, "0"}, {0.1 + 0.2, "0.3"}, {1e20, "1E+20"}, {1.5e-5, "1.5E-05"}, {0.0001, "0.0001"},
        {1e15, "1E+15"}, {123456789012345, "123456789012345"},
        {1234567890123456, "1.23456789012346E+15"}, {1012.5, "1012.5"}, {100, "100"},
        {1.0 / 3, "0.333333333333333"}, {-1e-300, "-1E-300"}, {12.5, "12.5"}};
    // clang-format on
    for (auto [value, text] : cases)
        EXPECT_EQ(generalForm(value), text) << value;
    EXPECT_EQ(generalForm(std::nan("")), "NaN");
    EXPECT_EQ(generalForm(std::numeric_limits<double>::infinity()), "Infinity");
    const std::pair<double, const char*> str[] = {{3, " 3"},  {40, " 40"},     {0, " 0"},
                                                  {-3, "-3"}, {5000, " 5000"}, {2.5, " 2.5"}};
    for (auto [value, text] : str)
        EXPECT_EQ(strForm(value), text) << value;
}

}  // namespace
}  // namespace plovis
