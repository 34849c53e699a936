#pragma once
// The friction factor of a full pipe by the Colebrook–White equation. Pure numbers: no workbook,
// no messages.

namespace plovis {

// Input:   x, a positive number.
// Output:  log10(x), as ln(x) ÷ ln(10).
// Purpose: the common logarithm of the Colebrook–White equation.
// Throws ComputationError when x is not positive (or not finite).
double logTen(double x);

struct FrictionFactor {
    double factor = 0;  // the last midpoint of the bisection (-)
    int midpoints = 0;  // how many midpoints were tried
};

// Input:   diameterMm, the inner diameter D (mm); roughnessM, the roughness height e (m);
//          reynolds, the Reynolds number Re (-).
// Output:  the Darcy friction factor f (-) in (0, 1).
// Purpose: solves 1/√f = −2 log10(e/(3.7 D) + 2.51/(Re √f)) (Colebrook and White, 1937) by
//          bisection of [0, 1], starting at the midpoint 0.5. With g = −2 √f log10(s), the right
//          side times √f, g = 1 at the root: g ≤ 1 keeps the upper half, g > 1 the lower half,
//          until |g − 1| ≤ 1e-11.
// Throws ComputationError when D or Re is 0 (a division by zero), when s is not positive, or when
//          there is no root in (0, 1): the bracket stops shrinking (about 53 halvings towards 1)
//          before g comes within 1e-11 of 1.
FrictionFactor colebrookWhite(double diameterMm, double roughnessM, double reynolds);

}  // namespace plovis
