// SPDX-License-Identifier: GPL-3.0-or-later
// Sine and cosine of one argument together, inline, for the series theories
// whose hundreds of terms each need both (a library call per term costs more
// than the rest of the theory). Arguments up to about 1e6 radians: the
// argument is reduced by the nearest multiple k of pi/2, written in three
// parts whose first two have few enough bits that k times them is exact, then
// Taylor polynomials on [-pi/4, pi/4]. Absolute error below 2e-16 per
// radian of argument beyond that, about 1e-15 at the theories' largest.
#pragma once

#include <cstdint>

namespace veltrax {

struct SinCos {
    double sin;
    double cos;
};

inline SinCos FastSinCos(double x)
{
    constexpr double kTwoOverPi = 0.63661977236758134308;
    // pi/2 = kPio2A + kPio2B + kPio2C (the first two of 33 significant bits).
    constexpr double kPio2A = 1.57079632673412561417e+00;
    constexpr double kPio2B = 6.07710050630396597660e-11;
    constexpr double kPio2C = 2.02226624879595063154e-21;
    const double scaled = x * kTwoOverPi;
    const int64_t k = static_cast<int64_t>(scaled >= 0.0 ? scaled + 0.5 : scaled - 0.5);
    const double kd = static_cast<double>(k);
    const double r = ((x - kd * kPio2A) - kd * kPio2B) - kd * kPio2C;
    const double r2 = r * r;
    // sin r = r (1 - r^2/3! + r^4/5! - ... - r^14/15!), cos r = 1 - r^2/2! + ... + r^16/16!
    const double s = r + r * r2 * (-1.0 / 6.0 + r2 * (1.0 / 120.0 + r2 * (-1.0 / 5040.0 + r2 * (1.0 / 362880.0
                   + r2 * (-1.0 / 39916800.0 + r2 * (1.0 / 6227020800.0 + r2 * (-1.0 / 1307674368000.0)))))));
    const double c = 1.0 + r2 * (-0.5 + r2 * (1.0 / 24.0 + r2 * (-1.0 / 720.0 + r2 * (1.0 / 40320.0
                   + r2 * (-1.0 / 3628800.0 + r2 * (1.0 / 479001600.0 + r2 * (-1.0 / 87178291200.0
                   + r2 * (1.0 / 20922789888000.0))))))));
    switch (k & 3) {
    case 0: return {s, c};
    case 1: return {c, -s};
    case 2: return {-s, -c};
    default: return {-c, s};
    }
}

}  // namespace veltrax
