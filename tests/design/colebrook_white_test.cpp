#include "design/colebrook_white.h"

#include <gtest/gtest.h>

#include <cmath>

#include "design/computation_error.h"
#include "support/failure_text.h"

namespace plovis {
namespace {

// The Colebrook–White equation's two sides apart at f, with D in mm and e in m.
double residual(double f, double diameterMm, double roughnessM, double reynolds) {
    return 1 / std::sqrt(f) + 2 * std::log10(roughnessM / (3.7 * diameterMm / 1000) +
                                             2.51 / (reynolds * std::sqrt(f)));
}

TEST(LogTen, IsTheCommonLogarithmOfPositiveNumbersOnly) {
    EXPECT_NEAR(logTen(1000), 3, 1e-15);
    EXPECT_NEAR(logTen(0.01), -2, 1e-15);
    EXPECT_EQ(logTen(1), 0);
    for (double x : {0.0, -0.0, -1.0, -1e-300})
        EXPECT_THROW(logTen(x), ComputationError) << x;
}

TEST(ColebrookWhite, SolvesTheEquationAcrossTheTable) {
    struct Case {
        double diameterMm, roughnessM, reynolds;
    };
    // A smooth 100 mm pipe in turbulent flow takes 40 halvings; its factor, 0.018514 to six
    // places, is checked where the pipe table is designed.
    EXPECT_EQ(colebrookWhite(100, 0.00001, 100000).midpoints, 40);
    const Case cases[] = {{20, 0.0000015, 4000}, {50, 0.00005, 250000}, {110, 0.0001, 1e6},
                          {300, 0.003, 1e8},     {16, 0.0, 2300},       {100, 0.00001, 8},
                          {100, 0.00001, 100000}};
    for (const Case& c : cases) {
        const FrictionFactor f = colebrookWhite(c.diameterMm, c.roughnessM, c.reynolds);
        EXPECT_TRUE(f.factor > 0 && f.factor < 1) << f.factor;
        // |g - 1| <= 1e-11 with g = sqrt(f) * right side: the residual is within 1e-11 / sqrt(f).
        EXPECT_LE(std::fabs(residual(f.factor, c.diameterMm, c.roughnessM, c.reynolds)),
                  2e-11 / std::sqrt(f.factor))
            << c.diameterMm << " " << c.roughnessM << " " << c.reynolds;
    }
}

TEST(ColebrookWhite, NoRootBelowOneFailsInsteadOfRunningForever) {
    EXPECT_NEAR(colebrookWhite(100, 0.00001, 8).factor, 0.9928, 0.00005);  // just below one
    for (double reynolds : {7.0, 1.0, 0.001})
        EXPECT_EQ(
            test::failureText<ComputationError>([&] { colebrookWhite(100, 0.00001, reynolds); }),
            "the Colebrook-White equation has no root between 0 and 1")
            << reynolds;
    // A relative roughness of 0.316 or more leaves no root at any Reynolds number.
    EXPECT_THROW(colebrookWhite(10, 0.012, 1e9), ComputationError);
}

TEST(ColebrookWhite, DivisionByZeroAndNegativeLogarithmFail) {
    EXPECT_THROW(colebrookWhite(0, 0.00001, 100000), ComputationError);   // diameter
    EXPECT_THROW(colebrookWhite(0, 0, 100000), ComputationError);         // 0 / 0
    EXPECT_THROW(colebrookWhite(100, 0.00001, 0), ComputationError);      // Reynolds number
    EXPECT_THROW(colebrookWhite(100, -0.001, 100000), ComputationError);  // s < 0
    EXPECT_THROW(colebrookWhite(1e-300, 1, 100000), ComputationError);    // e / D overflows
}

}  // namespace
}  // namespace plovis
