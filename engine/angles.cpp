// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/engine.h"

#include <cmath>

namespace veltrax {

double NormalizeDeg(double x)
{
    double q = x / 360;
    q = q - std::floor(q);
    const double r = q * 360;
    return Finite(r, "NormalizeDeg");
}

double Square(double x)
{
    return Finite(x * x, "Square");
}

double ArcSin(double x)
{
    const double inner = 1 + x * (-x);
    if (!(inner > 0))
        throw Fault("ArcSin argument at or beyond +-1");
    const double root = std::sqrt(inner);
    return Finite(std::atan(x / root), "ArcSin");
}

double CalcArgV(double d)
{
    return NormalizeDeg(d * 0.00111587 + 134.63);
}

double CalcEqCenter(double N)
{
    return Finite(5.552 * std::sin(N * kDegRad) + 0.167 * std::sin((N + N) * kDegRad), "CalcEqCenter");
}

}  // namespace veltrax
