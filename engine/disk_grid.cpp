// SPDX-License-Identifier: GPL-3.0-or-later
// The disk's geometry. The body frame has u along the central meridian's
// equatorial radius, the sky's X axis in the equator and w toward the north
// pole; the Earth lies along (cos D, 0, sin D), D its jovicentric declination.
// A surface point at planetographic latitude g has the reduced latitude b with
// tan b = (polar / equatorial) tan g, and stands at (cos b cos L, -cos b sin L,
// q sin b) for L its longitude from the central meridian, q the polar radius.
#include "engine/disk_grid.h"

#include "engine/engine.h"

#include <algorithm>
#include <cmath>

namespace veltrax {

namespace {

constexpr double kQ = kPolarPerEquatorial;

// An angle in degrees to -180 (excluded) to 180.
double Signed(double deg)
{
    double r = std::fmod(deg, 360.0);
    if (r > 180)
        r = r - 360;
    else if (r <= -180)
        r = r + 360;
    return r;
}

// An angle in degrees to 0 to under 360.
double Turn(double deg)
{
    double r = std::fmod(deg, 360.0);
    if (r < 0)
        r = r + 360;
    if (r >= 360)
        r = 0;
    return r;
}

// The latitudes (planetographic, degrees) of the meridian lonFromCmDeg that
// face the Earth: the normal's component toward the Earth,
// cos g cos L cos D + sin g sin D, is positive. false when none do.
bool VisibleArc(double earthDeclDeg, double lonFromCmDeg, double& lo, double& hi)
{
    const double d = earthDeclDeg * kRadiansPerDegree;
    const double k = std::cos(lonFromCmDeg * kRadiansPerDegree) * std::cos(d);
    const double s = std::sin(d);
    // k cos g + s sin g = R sin(g + t), t = atan2(k, s): positive for g + t
    // in (0, 180), or in (-360, -180) when t is below -90.
    const double t = std::atan2(k, s) / kRadiansPerDegree;
    lo = -t;
    hi = 180 - t;
    if (t < -90) {
        lo = lo - 360;
        hi = hi - 360;
    }
    lo = std::max(lo, -90.0);
    hi = std::min(hi, 90.0);
    return hi - lo > 1e-9;
}

constexpr int kSegments = 48;

}  // namespace

DiskPose DiskPoseAt(double jde)
{
    const CentralMeridian cm = CalcCentralMeridian(jde);
    const JupiterAspect aspect = CalcAspect(jde - kEpoch1900Jd);
    return DiskPose{{cm.cm1, cm.cm2, cm.cm3}, aspect.EarthDecl};
}

DiskPoint DiskProject(double earthDeclDeg, double lonFromCmDeg, double latDeg)
{
    const double d = earthDeclDeg * kRadiansPerDegree;
    const double l = lonFromCmDeg * kRadiansPerDegree;
    const double g = latDeg * kRadiansPerDegree;
    const double b = std::atan2(kQ * std::sin(g), std::cos(g));
    const double rho = std::cos(b);
    const double pu = rho * std::cos(l);
    const double px = -rho * std::sin(l);
    const double pw = kQ * std::sin(b);
    DiskPoint p;
    p.X = px;
    p.Y = -pu * std::sin(d) + pw * std::cos(d);
    const double toEarth = std::cos(g) * std::cos(l) * std::cos(d) + std::sin(g) * std::sin(d);
    p.facing = toEarth >= -1e-12;
    return p;
}

std::optional<DiskLocation> DiskUnproject(double earthDeclDeg, double X, double Y)
{
    if (!std::isfinite(earthDeclDeg) || !std::isfinite(X) || !std::isfinite(Y))
        return std::nullopt;
    const double d = earthDeclDeg * kRadiansPerDegree;
    const double c = std::cos(d), s = std::sin(d);
    const double q2 = kQ * kQ;
    // The sight line (X, Y) + t (toward the Earth) meets the spheroid
    // (u^2 + x^2) + w^2 / q^2 = 1 where A t^2 + B t + C = 0.
    const double A = c * c + s * s / q2;
    const double B = 2 * Y * s * c * (1 / q2 - 1);
    const double C = X * X + Y * Y * (s * s + c * c / q2) - 1;
    const double disc = B * B - 4 * A * C;
    if (disc < 0)
        return std::nullopt;
    const double t = (-B + std::sqrt(disc)) / (2 * A);  // the nearer of the two
    const double pu = -Y * s + t * c;
    const double px = X;
    const double pw = Y * c + t * s;
    const double rho = std::hypot(pu, px);
    DiskLocation loc;
    loc.lonFromCmDeg = std::atan2(-px, pu) / kRadiansPerDegree;
    // tan g = tan(planetocentric) / q^2
    loc.latDeg = std::atan2(pw, q2 * rho) / kRadiansPerDegree;
    return loc;
}

double LimbPolarRadius(double earthDeclDeg)
{
    const double d = earthDeclDeg * kRadiansPerDegree;
    return std::sqrt(kQ * kQ * std::cos(d) * std::cos(d) + std::sin(d) * std::sin(d));
}

std::optional<DiskReading> ReadDisk(const DiskPose& pose, double X, double Y)
{
    const std::optional<DiskLocation> loc = DiskUnproject(pose.earthDeclDeg, X, Y);
    if (!loc)
        return std::nullopt;
    DiskReading r;
    for (int i = 0; i < 3; ++i)
        r.lonDeg[i] = Turn(pose.cmWholeDeg[i] + loc->lonFromCmDeg);
    r.latDeg = loc->latDeg;
    return r;
}

std::vector<GridLine> DiskGridLines(const DiskPose& pose, double stepDeg)
{
    std::vector<GridLine> lines;
    const double D = pose.earthDeclDeg;
    const auto meridian = [&](GridLine::Kind kind, double lonFromCm) {
        double lo, hi;
        if (!VisibleArc(D, lonFromCm, lo, hi))
            return;
        GridLine line{kind, {}};
        line.points.reserve(kSegments + 1);
        for (int i = 0; i <= kSegments; ++i) {
            const DiskPoint p = DiskProject(D, lonFromCm, lo + (hi - lo) * i / kSegments);
            line.points.push_back({p.X, p.Y});
        }
        lines.push_back(std::move(line));
    };
    if (stepDeg > 0 && std::isfinite(stepDeg))
        for (double lon = 0; lon < 360 - 1e-9; lon = lon + stepDeg)
            meridian(GridLine::Meridian, Signed(lon - pose.cmWholeDeg[1]));
    GridLine equator{GridLine::Equator, {}};
    for (int i = 0; i <= kSegments; ++i) {
        const DiskPoint p = DiskProject(D, -90.0 + 180.0 * i / kSegments, 0);
        equator.points.push_back({p.X, p.Y});
    }
    lines.push_back(std::move(equator));
    meridian(GridLine::CentralMeridian, 0);
    return lines;
}

}  // namespace veltrax
