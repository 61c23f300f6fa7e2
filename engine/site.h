// SPDX-License-Identifier: GPL-3.0-or-later
// Time scales and the sky seen from a site on the Earth: a modern Delta T, and
// the altitudes of Jupiter and the Sun for event and transit filters.
#pragma once

namespace veltrax {

// TT - UT in seconds for a moment given as a Julian Day in UT: the observed
// value for recent years (69.2 s in 2026) and a standard polynomial fit for
// other years.
double DeltaTSeconds(double jdUT);
double JdTTFromUT(double jdUT);
double JdUTFromTT(double jdeTT);

struct Site {
    double latitudeDeg;   // north positive, -90 to 90
    double longitudeDeg;  // east positive
    double heightM;       // above sea level, metres
};

// The values a site may take, wherever one is typed: the latitude within
// +-90 degrees, the longitude within +-360 (west as negative or as over 180),
// the height from a shore below sea level to a high mountain.
constexpr double kMaxSiteLatitudeDeg = 90;
constexpr double kMaxSiteLongitudeDeg = 360;
constexpr double kMinSiteHeightM = -500;
constexpr double kMaxSiteHeightM = 10000;

// Apparent topocentric altitudes of the centres of Jupiter and the Sun,
// degrees, with standard atmospheric refraction (10 C, 1010 hPa).
struct SkyAltitudes {
    double jupiterDeg;
    double sunDeg;
};

// Throws Fault (engine/checked.h) for a moment outside the years 1000 to
// 3000 or a value that is not a number.
SkyAltitudes ComputeAltitudes(double jdUT, const Site& site);

// The same without refraction: the true (geometric) topocentric altitudes of
// the centres, degrees, for rising, setting and twilight thresholds.
SkyAltitudes ComputeTrueAltitudes(double jdUT, const Site& site);

// The refraction that ComputeAltitudes adds to a true altitude, degrees.
double RefractionDeg(double trueAltitudeDeg);

}  // namespace veltrax
