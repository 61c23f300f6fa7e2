// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include <cmath>

namespace veltrax {

MoonPositions CalcMoons(double d, const JupiterAspect& aspect)
{
    const double k = kDegRad;
    const double t = d - aspect.EarthJupDist * 0.005776;  // light time, 0.005776 day per AU
    const double W = aspect.PhaseAngle - aspect.EqCenter;
    const double G = NormalizeDeg(t * 50.310674 + 187.3);
    const double H = NormalizeDeg(t * 21.569229 + 311.1);

    // Mean angles: all four are formed before any is reduced.
    double u1 = t * 203.405863 + 84.5506 + W;
    double u2 = t * 101.2916323 + 41.5015 + W;
    double u3 = t * 50.2345169 + 109.977 + W;
    double u4 = t * 21.4879802 + 176.3586 + W;
    u1 = NormalizeDeg(u1);
    u2 = NormalizeDeg(u2);
    u3 = NormalizeDeg(u3);
    u4 = NormalizeDeg(u4);

    const double u[4] = {
        std::sin(2 * (u1 - u2) * k) * 0.472 + u1,
        std::sin(2 * (u2 - u3) * k) * 1.073 + u2,
        std::sin(G * k) * 0.174 + u3,
        std::sin(H * k) * 0.845 + u4,
    };
    const double r[4] = {
        5.9061 - 0.0244 * std::cos(2 * (u1 - u2) * k),
        9.3972 - 0.0889 * std::cos(2 * (u2 - u3) * k),
        14.9894 - 0.0227 * std::cos(G * k),
        26.3649 - 0.1944 * std::cos(H * k),
    };

    MoonPositions m;
    for (int i = 0; i < 4; ++i) {
        m.X[i] = Finite(std::sin(u[i] * k) * r[i], "CalcMoons");
        m.Y[i] = Finite(-r[i] * std::cos(u[i] * k) * std::sin(aspect.EarthDecl * k), "CalcMoons");
        m.U[i] = Finite(u[i], "CalcMoons");
    }
    return m;
}

double DepthKey(double U)
{
    if (U >= 180)
        return std::fabs(360 - U);
    if (U < 0)
        return std::fabs(U);
    return U;
}

}  // namespace veltrax
