#include "schematic/single_form.h"

#include <gtest/gtest.h>

#include <limits>

namespace plovis {
namespace {

TEST(SingleForm, SevenSignificantDigitsShortest) {
    const struct {
        float value;
        const char* text;
    } cases[] = {
        // clang-format off
        {63.3f, "63.3"}, {1012.5f, "1012.5"}, {0.1f, "0.1"}, {300.3f, "300.3"},
        {1.0f / 3, "0.3333333"}, {2.0f / 3, "0.6666667"}, {-2.25f, "-2.25"}, {0, "0"}, {63, "63"},
        {1234567, "1234567"}, {123456.7f, "123456.7"}, {9999999, "9999999"},
        {12345678, "1.234568E+07"}, {1e20f, "1E+20"}, {-3e10f, "-3E+10"}, {0.0001f, "0.0001"},
        {0.00001f, "1E-05"}, {1.5e-7f, "1.5E-07"},
        // Not finite: the general form.
        {std::numeric_limits<float>::infinity(), "Infinity"},
        {std::numeric_limits<float>::quiet_NaN(), "NaN"},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(singleForm(c.value), c.text) << c.text;
}

}  // namespace
}  // namespace plovis
