#include "common/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace plovis {
namespace {

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    const struct {
        double x, expected;
    } cases[] = {{2.5, 2},    {3.5, 4},    {-2.5, -2}, {-3.5, -4}, {0.5, 0},           {1.5, 2},
                 {2.4999, 2}, {2.5001, 3}, {-0.4, -0}, {-0.6, -1}, {1e15 + 0.5, 1e15}, {7, 7}};
    for (const auto& c : cases)
        EXPECT_EQ(roundHalfEven(c.x), c.expected) << c.x;
    EXPECT_TRUE(std::isnan(roundHalfEven(std::nan(""))));
}

TEST(Rounding, WholeNumberFieldsFailWhenTheValueDoesNotFit) {
    EXPECT_EQ(toInt16(32767.4), 32767);
    EXPECT_EQ(toInt16(-32768.5), -32768);  // half to even stays inside
    EXPECT_THROW(toInt16(32767.5), WholeNumberOverflow);
    EXPECT_THROW(toInt16(-32768.6), WholeNumberOverflow);
    EXPECT_EQ(toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(toInt32(-2147483648.0), std::numeric_limits<std::int32_t>::min());
    EXPECT_THROW(toInt32(2147483647.5), WholeNumberOverflow);
    EXPECT_THROW(toInt32(1e10), WholeNumberOverflow);
    EXPECT_THROW(toInt32(std::nan("")), WholeNumberOverflow);
    EXPECT_THROW(toInt32(std::numeric_limits<double>::infinity()), WholeNumberOverflow);
    EXPECT_EQ(toInt32(2.5), 2);
    EXPECT_EQ(toInt32(3.5), 4);
}

TEST(Rounding, SinglePrecisionHoldsChainagesToTheNearestFloat) {
    EXPECT_EQ(static_cast<double>(toSingle(1234567.891)), 1234567.875);
    EXPECT_EQ(static_cast<double>(toSingle(0.6)), static_cast<double>(0.6f));
    EXPECT_NE(static_cast<double>(toSingle(0.6)), 0.6);
}

TEST(Rounding, RoundOffRoundsAnExactHalfDown) {
    const struct {
        double x;
        int d;
        double expected;
    } cases[] = {{2.5, 0, 2},
                 {2.51, 0, 3},
                 {-1.3, 0, -1},
                 {0.0126, 3, 0.013},
                 {-2.5, 0, -3},
                 {-2.6, 0, -3},
                 {0.1, 3, 0.1},
                 {134.59, 0, 135},
                 {0.125, 2, 0.12},
                 {8640.0 / 86400, 3, 0.1},
                 {0.3, 3, 0.3},
                 {0, 3, 0},
                 {1234.5678, 2, 1234.57},
                 {5, -1, 0},
                 {15.1, -1, 20}};
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(roundOff(c.x, c.d), c.expected) << c.x << " to " << c.d;
    }
}

}  // namespace
}  // namespace plovis
