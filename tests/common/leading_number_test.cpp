#include "common/leading_number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace plovis {
namespace {

struct Case {
    const char* text;
    double value;
};

TEST(LeadingNumber, ReadsTheLongestLeadingNumber) {
    const Case cases[] = {{"12 m", 12},     {"abc", 0},      {"1e3x", 1000}, {"-.5", -0.5},
                          {"+", 0},         {"", 0},         {"   42", 42},  {"\t7", 7},
                          {"0.1 lps", 0.1}, {"3", 3},        {"-", 0},       {".", 0},
                          {"-.", 0},        {"5.", 5},       {"1e", 1},      {"1e+", 1},
                          {"1E-2", 0.01},   {"2.5e+1m", 25}, {"12,5", 12},   {"1 2", 1},
                          {"+.25", 0.25},   {"1..2", 1},     {"--1", 0},     {"1234+567.891", 1234},
                          {"0+000", 0},     {"1e-400", 0},   {"007", 7},     {"x12", 0},
                          {"-0", 0},        {"1.5e2.5", 150}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(leadingNumber(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(LeadingNumber, NegativeZeroAndSignsKeepTheirValue) {
    EXPECT_TRUE(std::signbit(leadingNumber("-0")));
    EXPECT_FALSE(std::signbit(leadingNumber("+0")));
}

TEST(LeadingNumber, HugeNumbersFailInsteadOfBecomingInfinite) {
    EXPECT_THROW(leadingNumber("1e400"), NumberOverflow);
    EXPECT_THROW(leadingNumber("-1e999 m"), NumberOverflow);
    EXPECT_THROW(leadingNumber(std::string(400, '9')), NumberOverflow);
    EXPECT_DOUBLE_EQ(leadingNumber("1e308"), 1e308);
    EXPECT_DOUBLE_EQ(leadingNumber("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(LeadingNumber, LengthCoversBlanksAndTheNumberOnly) {
    EXPECT_EQ(leadingNumberLength("  12 m"), 4u);
    EXPECT_EQ(leadingNumberLength("abc"), 0u);
    EXPECT_EQ(leadingNumberLength("1e3x"), 3u);
    EXPECT_EQ(leadingNumberLength("1e+"), 1u);
    EXPECT_EQ(leadingNumberLength("+"), 0u);
}

TEST(LeadingNumber, WholeNumberTexts) {
    for (const char* yes : {"12", " 12 ", "-1.5e3", "+.5", "7.", "1E-2\t"}) {
        EXPECT_TRUE(isNumberText(yes)) << '"' << yes << '"';
    }
    for (const char* no : {"", "  ", "12 m", "abc", "1e", "+", ".", "1 2", "--1", "12,5"}) {
        EXPECT_FALSE(isNumberText(no)) << '"' << no << '"';
    }
}

}  // namespace
}  // namespace plovis
