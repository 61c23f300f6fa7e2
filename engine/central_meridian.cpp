// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include <cmath>

namespace veltrax {

CentralMeridian CalcCentralMeridian(double jde)
{
    const double k = kDegRad;
    const double d = jde - kJ2000Jd;
    const double V = NormalizeDeg(d * 0.00111588 + 172.74);
    const double M = NormalizeDeg(d * 0.9856003 + 357.529);
    const double N = NormalizeDeg(d * 0.0830853 + 20.02 + 0.329 * std::sin(V * k));
    const double J = NormalizeDeg(d * 0.9025179 + 66.115 - 0.329 * std::sin(V * k));
    const double A = 1.915 * std::sin(M * k) + 0.02 * std::sin((M + M) * k);
    const double B = 5.555 * std::sin(N * k) + 0.168 * std::sin((N + N) * k);
    const double K = NormalizeDeg(A + J - B);
    const double R = 1.00014 - 0.01671 * std::cos(M * k) - 0.00014 * std::cos((M + M) * k);
    const double r = 5.20872 - 0.25208 * std::cos(N * k) - 0.00611 * std::cos((N + N) * k);
    // The squares here are powers, as written; for exponent 2 they equal the products.
    const double Delta = std::sqrt(std::pow(R, 2) + std::pow(r, 2) - 2 * R * r * std::cos(K * k));
    const double psi = ArcSin(std::sin(K * k) * R / Delta);
    const double psiDeg = psi / k;
    const double t = d - Delta / 173;  // light time, 1/173 day per AU
    const double P = psiDeg - B;

    CentralMeridian out;
    out.cm1 = NormalizeDeg(t * 877.8169088 + 210.98 + P);
    out.cm2 = NormalizeDeg(t * 870.1869088 + 187.23 + P);
    out.cm3 = NormalizeDeg(t * 870.4529088 + 69.77 + P);
    out.JupArgJ = J;
    out.PhaseCorr = Finite((2 * r * Delta + R * R - r * r - Delta * Delta) * 57.2958 / 4 / r / Delta,
                           "CalcCentralMeridian");
    return out;
}

}  // namespace veltrax
