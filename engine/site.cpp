// SPDX-License-Identifier: GPL-3.0-or-later
// Delta T and the altitudes of Jupiter and the Sun for a site.
//
// Delta T: the observed TT - UT at January 1 of 2005 to 2026, from the IERS
// Earth orientation data (32.184 s + (TAI - UTC) - (UT1 - UTC)), with the
// value for 2026 taken as 69.2 s. Through 2025 they agree with the U.S. Naval
// Observatory's file deltat.data (the monthly values it derives from the IERS
// data) at January 1 to within 0.01 s; other years the polynomial fits of
// F. Espenak and J. Meeus, "Five Millennium Canon of Solar Eclipses:
// -1999 to +3000" (NASA TP-2006-214141), section 2.6. The 2026 value holds
// through 2026; from 2027 the 2005-2050 fit is shifted to start from it, the
// shift fading out by 2050 where the next fit takes over.
//
// Altitudes: Jupiter with its light time and the Sun from the truncated
// VSOP87, precessed from J2000 to the mean equator of date (IAU 1976, Lieske
// et al. 1977), Greenwich mean sidereal time (IAU 1982), the site's place on
// the WGS84 ellipsoid for the topocentric view, and Saemundsson's refraction
// (Sky & Telescope 72, 70, 1986) for 10 C and 1010 hPa. Nutation and
// aberration (under 25 arcseconds) are left out.
#include "engine/site.h"

#include "engine/checked.h"
#include "engine/constants.h"
#include "engine/planets.h"
#include "engine/vec3.h"

#include <cmath>

namespace veltrax {
namespace {

// TT - UT at January 1 of 2005, 2006, ... 2026, seconds.
constexpr int kFirstObservedYear = 2005;
const double kObserved[] = {
    64.69, 64.85, 65.15, 65.46, 65.78, 66.07, 66.32, 66.60, 66.91, 67.28, 67.64,
    68.10, 68.59, 68.97, 69.22, 69.36, 69.36, 69.29, 69.20, 69.18, 69.14, 69.20,
};
constexpr int kLastObservedYear = kFirstObservedYear + static_cast<int>(sizeof kObserved / sizeof kObserved[0]) - 1;

double Fit2005To2050(double y)
{
    const double t = y - 2000.0;
    return 62.92 + 0.32217 * t + 0.005589 * t * t;
}

double LongTerm(double y)
{
    const double u = (y - 1820.0) / 100.0;
    return -20.0 + 32.0 * u * u;
}

// Espenak & Meeus's fits up to 2005, y a decimal year.
double FitBefore2005(double y)
{
    if (y < -500.0)
        return LongTerm(y);
    if (y < 500.0) {
        const double u = y / 100.0;
        return 10583.6 + u * (-1014.41 + u * (33.78311 + u * (-5.952053 + u * (-0.1798452 + u * (0.022174192 + u * 0.0090316521)))));
    }
    if (y < 1600.0) {
        const double u = (y - 1000.0) / 100.0;
        return 1574.2 + u * (-556.01 + u * (71.23472 + u * (0.319781 + u * (-0.8503463 + u * (-0.005050998 + u * 0.0083572073)))));
    }
    if (y < 1700.0) {
        const double t = y - 1600.0;
        return 120.0 + t * (-0.9808 + t * (-0.01532 + t / 7129.0));
    }
    if (y < 1800.0) {
        const double t = y - 1700.0;
        return 8.83 + t * (0.1603 + t * (-0.0059285 + t * (0.00013336 - t / 1174000.0)));
    }
    if (y < 1860.0) {
        const double t = y - 1800.0;
        return 13.72 + t * (-0.332447 + t * (0.0068612 + t * (0.0041116 + t * (-0.00037436 + t * (0.0000121272 + t * (-0.0000001699 + t * 0.000000000875))))));
    }
    if (y < 1900.0) {
        const double t = y - 1860.0;
        return 7.62 + t * (0.5737 + t * (-0.251754 + t * (0.01680668 + t * (-0.0004473624 + t / 233174.0))));
    }
    if (y < 1920.0) {
        const double t = y - 1900.0;
        return -2.79 + t * (1.494119 + t * (-0.0598939 + t * (0.0061966 - t * 0.000197)));
    }
    if (y < 1941.0) {
        const double t = y - 1920.0;
        return 21.20 + t * (0.84493 + t * (-0.076100 + t * 0.0020936));
    }
    if (y < 1961.0) {
        const double t = y - 1950.0;
        return 29.07 + t * (0.407 + t * (-1.0 / 233.0 + t / 2547.0));
    }
    if (y < 1986.0) {
        const double t = y - 1975.0;
        return 45.45 + t * (1.067 + t * (-1.0 / 260.0 - t / 718.0));
    }
    const double t = y - 2000.0;
    return 63.86 + t * (0.3345 + t * (-0.060374 + t * (0.0017275 + t * (0.000651814 + t * 0.00002373599))));
}

// J2000 mean equator to the mean equator of date (IAU 1976 precession).
struct Precession {
    double m[3][3];
    Vec3 Apply(const Vec3& v) const
    {
        return {m[0][0] * v.x + m[0][1] * v.y + m[0][2] * v.z,
                m[1][0] * v.x + m[1][1] * v.y + m[1][2] * v.z,
                m[2][0] * v.x + m[2][1] * v.y + m[2][2] * v.z};
    }
};

Precession PrecessionFromJ2000(double jdeTT)
{
    const double T = (jdeTT - kJ2000Jd) / 36525.0;
    const double asec = kRadiansPerDegree / 3600.0;
    const double zeta = (2306.2181 + (0.30188 + 0.017998 * T) * T) * T * asec;
    const double z = (2306.2181 + (1.09468 + 0.018203 * T) * T) * T * asec;
    const double theta = (2004.3109 - (0.42665 + 0.041833 * T) * T) * T * asec;
    const double cz = std::cos(zeta), sz = std::sin(zeta);
    const double cZ = std::cos(z), sZ = std::sin(z);
    const double ct = std::cos(theta), st = std::sin(theta);
    return {{{cz * cZ * ct - sz * sZ, -sz * cZ * ct - cz * sZ, -cZ * st},
             {cz * sZ * ct + sz * cZ, -sz * sZ * ct + cz * cZ, -sZ * st},
             {cz * st, -sz * st, ct}}};
}

// True altitude (degrees) of a body at geocentric place g (AU, equator of
// date) for an observer at o (AU, same axes) with local zenith up.
double Altitude(const Vec3& g, const Vec3& o, const Vec3& up)
{
    const double sinAlt = Dot(Unit(g - o), up);
    return std::asin(sinAlt < -1.0 ? -1.0 : (sinAlt > 1.0 ? 1.0 : sinAlt)) / kRadiansPerDegree;
}

}  // namespace

double DeltaTSeconds(double jdUT)
{
    Finite(jdUT, "DeltaTSeconds");
    const double y = 2000.0 + (jdUT - kJ2000Jd) / 365.25;
    if (y < kFirstObservedYear)
        return FitBefore2005(y);
    if (y < kLastObservedYear) {
        const double f = y - kFirstObservedYear;
        const int i = FloorToInt32(f);
        const double w = f - i;
        return kObserved[i] + (kObserved[i + 1] - kObserved[i]) * w;
    }
    // The last observed value holds for its whole year.
    const double last = kObserved[kLastObservedYear - kFirstObservedYear];
    const double afterLast = kLastObservedYear + 1.0;
    if (y < afterLast)
        return last;
    if (y < 2050.0) {
        const double shift = Fit2005To2050(afterLast) - last;
        return Fit2005To2050(y) - shift * (2050.0 - y) / (2050.0 - afterLast);
    }
    if (y < 2150.0)
        return LongTerm(y) - 0.5628 * (2150.0 - y);
    return LongTerm(y);
}

double JdTTFromUT(double jdUT)
{
    return jdUT + DeltaTSeconds(jdUT) / 86400.0;
}

double JdUTFromTT(double jdeTT)
{
    // Delta T changes by well under a second a day: two steps settle it.
    double jdUT = jdeTT - DeltaTSeconds(jdeTT) / 86400.0;
    jdUT = jdeTT - DeltaTSeconds(jdUT) / 86400.0;
    return jdeTT - DeltaTSeconds(jdUT) / 86400.0;
}

// Saemundsson's formula. Below one degree under the horizon it loses its
// meaning: there the refraction at -1 degree is kept, fading linearly to none
// at the nadir, so the apparent altitude rises steadily with the true one.
double RefractionDeg(double h)
{
    const double hh = h < -1.0 ? -1.0 : h;
    double r = 1.02 / std::tan((hh + 10.3 / (hh + 5.11)) * kRadiansPerDegree) / 60.0;
    if (h < -1.0)
        r *= (h + 90.0) / 89.0;
    return r;
}

SkyAltitudes ComputeAltitudes(double jdUT, const Site& site)
{
    const SkyAltitudes t = ComputeTrueAltitudes(jdUT, site);
    return {t.jupiterDeg + RefractionDeg(t.jupiterDeg), t.sunDeg + RefractionDeg(t.sunDeg)};
}

SkyAltitudes ComputeTrueAltitudes(double jdUT, const Site& site)
{
    Finite(jdUT, "ComputeAltitudes");
    const double jdeTT = JdTTFromUT(jdUT);
    const JupiterSeen seen = SeeJupiter(jdeTT);
    const Precession p = PrecessionFromJ2000(jdeTT);
    const Vec3 jupiter = p.Apply(seen.jupiter.posAu - seen.earthAu);
    const Vec3 sun = p.Apply(seen.earthAu * -1.0);

    // Greenwich mean sidereal time (IAU 1982), then the local one.
    const double d = jdUT - kJ2000Jd;
    const double T = d / 36525.0;
    const double gmstDeg = 280.46061837 + 360.98564736629 * d + (0.000387933 - T / 38710000.0) * T * T;
    const double lst = std::fmod(gmstDeg + site.longitudeDeg, 360.0) * kRadiansPerDegree;

    // The site on the WGS84 ellipsoid (a = 6378.137 km, f = 1 / 298.257223563).
    const double a = 6378.137 / kAuKm;  // AU
    const double f = 1.0 / 298.257223563;
    const double lat = site.latitudeDeg * kRadiansPerDegree;
    const double sl = std::sin(lat), cl = std::cos(lat);
    const double n = a / std::sqrt(1.0 - f * (2.0 - f) * sl * sl);
    const double h = site.heightM / 1000.0 / kAuKm;
    const double rc = (n + h) * cl;
    const double rz = (n * (1.0 - f) * (1.0 - f) + h) * sl;
    const double cs = std::cos(lst), ss = std::sin(lst);
    const Vec3 observer{rc * cs, rc * ss, rz};
    const Vec3 up{cl * cs, cl * ss, sl};

    return {Altitude(jupiter, observer, up), Altitude(sun, observer, up)};
}

}  // namespace veltrax
