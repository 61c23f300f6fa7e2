// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include "engine/calendar.h"

#include <cmath>

namespace veltrax {

namespace {

// TT - UT of the window's linear model, days per (T + 1), T in Julian
// centuries from J2000.0: zero at kEpoch1900Jd, 63.2 s at J2000.0.
constexpr double kWindowDeltaTDays = 0.0007316;

}  // namespace

double CalcJD(double year, double month, double day)
{
    const int32_t yr = RoundToInt32(year);
    const int32_t mo = RoundToInt32(month);
    Finite(day, "CalcJD");

    // January and February count as months 13 and 14 of the year before.
    int32_t Y, M;
    if (mo > 2) {
        Y = yr;
        M = mo;
    } else {
        Y = Sub32(yr, 1);
        M = Add32(mo, 12);
    }

    double jd = (std::floor(365.25 * Y) + std::floor(30.6001 * Add32(M, 1))) + day + 1720994.5;

    // The calendar test looks at the date as passed, not at the shifted Y and M.
    const double s = yr + static_cast<double>(mo) / 100 + day / 10000;
    if (s >= kGregorianReformDateNumber) {
        const int32_t A = Y / 100;
        const int32_t B = 2 - A + A / 4;
        jd = jd + B;
    }

    const double T = (jd - kJ2000Jd) / 36525;
    const double deltaT = (T + 1) * kWindowDeltaTDays;
    return Finite(jd + deltaT, "CalcJD");
}

double WindowJdUT(double jde)
{
    // jde = jd + (T + 1) k with T = (jd - 2451545) / 36525 is linear in jd:
    // jde = jd (1 + k / 36525) + k (1 - 2451545 / 36525), solved for jd.
    constexpr double k = kWindowDeltaTDays;
    return Finite((jde - k + kJ2000Jd * (k / 36525)) / (1 + k / 36525), "WindowJdUT");
}

}  // namespace veltrax
