// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include <cmath>

namespace veltrax {

JupiterAspect CalcAspect(double d)
{
    const double k = kDegRad;
    const double V = CalcArgV(d);
    const double M = NormalizeDeg(d * 0.9856003 + 358.476);
    const double N = NormalizeDeg(d * 0.0830853 + 225.328 + std::sin(V * k) * 0.33);
    const double J = NormalizeDeg(d * 0.9025179 + 221.647 - std::sin(V * k) * 0.33);
    const double A = std::sin(M * k) * 1.916 + std::sin((M + M) * k) * 0.02;
    const double B = CalcEqCenter(N);
    const double K = A + J - B;  // not reduced: only its sine and cosine are used
    const double R = 1.00014 - 0.01672 * std::cos(M * k) - 0.00014 * std::cos((M + M) * k);
    const double r = 5.20867 - 0.25192 * std::cos(N * k) - 0.0061 * std::cos((N + N) * k);
    const double Delta = std::sqrt(Square(r) + Square(R) - 2 * R * r * std::cos(K * k));
    const double psi = ArcSin(R / Delta * std::sin(K * k)) / k;
    const double lambda = NormalizeDeg(d * 0.083091 + 238.05 + std::sin(V * k) * 0.33 + B);
    const double decl = 3.07 * std::sin((lambda + 44.5) * k)
                        - 2.15 * std::sin(psi * k) * std::cos((lambda + 24) * k)
                        - 1.31 * ((r - Delta) / Delta) * std::sin((lambda - 99.4) * k);

    JupiterAspect a;
    a.EqCenter = B;
    a.EarthSunDist = R;
    a.JupSunDist = r;
    a.EarthJupDist = Finite(Delta, "CalcAspect");
    a.PhaseAngle = Finite(psi, "CalcAspect");
    a.EarthDecl = Finite(decl, "CalcAspect");
    return a;
}

}  // namespace veltrax
