// SPDX-License-Identifier: GPL-3.0-or-later
// The physical and astronomical constants of both theories, each kept once
// with its source. The compact theory of the window's numbers has its own
// degree factor (kDegRad, below); the precise theory uses the exact one.
#pragma once

namespace veltrax {

// J2000.0, 2000 January 1 12 h TT, as a Julian Day.
constexpr double kJ2000Jd = 2451545.0;

// 1900 January 0.5 (1899 December 31, 12 h) as a Julian Day: the epoch of
// the compact theory's apparent geometry and satellites, whose time argument
// is the days since it (J. Meeus, Astronomical Algorithms, 2nd ed., ch. 7:
// 1900 January 1.0 is JD 2415020.5).
constexpr double kEpoch1900Jd = 2415020.0;

// The astronomical unit, km (IAU 2012 Resolution B2).
constexpr double kAuKm = 149597870.7;

// The speed of light, km/s (exact, SI), and in AU per day.
constexpr double kSpeedOfLightKmPerS = 299792.458;
constexpr double kLightAuPerDay = 173.1446326846693;  // 299792.458 * 86400 / 149597870.7

// Degrees to radians for the compact theory. This exact literal, not pi/180:
// the two differ in the eleventh significant digit and the published
// longitudes were computed with this one.
constexpr double kDegRad = 0.017453292518843;

// pi, and degrees to radians (and back) for the precise theory, the disk's
// geometry and the site: the exact factors, pi / 180 and 180 / pi.
constexpr double kPi = 3.141592653589793;
constexpr double kRadiansPerDegree = kPi / 180.0;
constexpr double kDegreesPerRadian = 180.0 / kPi;

// Jupiter's equatorial and polar radii, km (the 1-bar level, IAU Working
// Group on Cartographic Coordinates and Rotational Elements).
constexpr double kJupiterEquatorialRadiusKm = 71492.0;
constexpr double kJupiterPolarRadiusKm = 66854.0;

// Mean radii of Io, Europa, Ganymede and Callisto, km (IAU Working Group on
// Cartographic Coordinates and Rotational Elements, 2009 report: Archinal et
// al., Celest. Mech. Dyn. Astr. 109, 101, 2011; the 2015 report gives Io
// 1821.49 km, which changes no event time or picture here).
constexpr double kMoonRadiusKm[4] = {1821.6, 1560.8, 2631.2, 2410.3};

}  // namespace veltrax
