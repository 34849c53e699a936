#include "common/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plovis {
namespace {

struct PictureCase {
    double value;
    const char* picture;
    const char* expected;
};

TEST(PictureFormat, WritesDigitsLiteralsAndRounding) {
    const PictureCase cases[] = {// the chainage picture: thousands before the plus sign
                                 {12345.678, "#0+000.00", "12+345.68"},
                                 {5, "#0+000.00", "0+005.00"},
                                 {345.5, "#0+000.00", "0+345.50"},
                                 {1234567.8, "#0+000.00", "1234+567.80"},
                                 {0, "#0+000.00", "0+000.00"},
                                 {999.999, "#0+000.00", "1+000.00"},
                                 // levels and table figures
                                 {7.5, "#00.000", "07.500"},
                                 {1234.5, "#00.000", "1234.500"},
                                 {1230, "#0.0", "1230.0"},
                                 {1234.56, "####0.0", "1234.6"},
                                 {0.04, "####0.0", "0.0"},
                                 {12.345, "##0.00", "12.35"},
                                 {0.5, "#####.0", ".5"},
                                 {12, "#####.0", "12.0"},
                                 {0, "#####.0", ".0"},
                                 {123.4567, "#0.000", "123.457"},
                                 {1499.5, "####0", "1500"},
                                 {0.4, "####0", "0"},
                                 {2.5, "####0", "3"},
                                 {-2.5, "####0", "-3"},
                                 {-12.345, "##0.00", "-12.35"},
                                 {-0.004, "##0.00", "0.00"},
                                 {-5, "#0+000.00", "-0+005.00"},
                                 // rounding works on the 15-significant-digit form: 1.005 is stored
                                 // as 1.00499999999999989...
                                 {1.005, "0.00", "1.01"},
                                 {2.675, "0.00", "2.68"},
                                 {0.125, "0.00", "0.13"},
                                 {9.995, "0.00", "10.00"},
                                 {0.0006, "0.00", "0.00"},
                                 {0.006, "0.00", "0.01"},
                                 // "#" in the fraction drops trailing zeros only
                                 {1.5, "0.0#", "1.5"},
                                 {1.25, "0.0#", "1.25"},
                                 {1, "0.##", "1."},
                                 {1.2, "0.#0", "1.20"},
                                 // literal characters are copied
                                 {12.5, "0.0 m", "12.5 m"},
                                 {3, "(0)", "(3)"},
                                 {42, "", "42"},
                                 {1e20, "0", "100000000000000000000"},
                                 {0.000123456, "0.000000", "0.000123"}};
    for (const auto& c : cases) {
        EXPECT_EQ(formatPicture(c.value, c.picture), c.expected)
            << c.value << " as \"" << c.picture << '"';
    }
}

TEST(PictureFormat, NonFiniteValuesUseTheGeneralForm) {
    EXPECT_EQ(formatPicture(std::nan(""), "#0.0"), "NaN");
    EXPECT_EQ(formatPicture(-std::numeric_limits<double>::infinity(), "#0.0"), "-Infinity");
}

TEST(GeneralForm, ShortestTextToFifteenDigits) {
    const struct {
        double value;
        const char* expected;
    } cases[] = {{63, "63"},
                 {0.5, "0.5"},
                 {1234567.875, "1234567.875"},
                 {-2.25, "-2.25"},
                 {0, "0"},
                 {-0.0, "0"},
                 {0.1 + 0.2, "0.3"},
                 {1e20, "1E+20"},
                 {1.5e-5, "1.5E-05"},
                 {0.0001, "0.0001"},
                 {123456789012345, "123456789012345"},
                 {1e15, "1E+15"},
                 {1234567890123456, "1.23456789012346E+15"},
                 {1012.5, "1012.5"},
                 {100, "100"},
                 {1.0 / 3, "0.333333333333333"},
                 {-1e-300, "-1E-300"},
                 {12.5, "12.5"}};
    for (const auto& c : cases)
        EXPECT_EQ(generalForm(c.value), c.expected) << c.value;
    EXPECT_EQ(generalForm(std::nan("")), "NaN");
    EXPECT_EQ(generalForm(std::numeric_limits<double>::infinity()), "Infinity");
}

TEST(StrForm, NonNegativeNumbersGetOneLeadingBlank) {
    const std::pair<double, const char*> cases[] = {{3, " 3"},  {40, " 40"},     {0, " 0"},
                                                    {-3, "-3"}, {5000, " 5000"}, {2.5, " 2.5"}};
    for (auto [value, text] : cases)
        EXPECT_EQ(strForm(value), text) << value;
}

}  // namespace
}  // namespace plovis
