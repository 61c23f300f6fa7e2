// SPDX-License-Identifier: GPL-3.0-or-later
// The ephemeris engine: pure functions from a Universal Time calendar moment to
// the Julian Day in dynamical time, Jupiter's central meridians, its apparent
// geometry and the Galilean satellites' positions.
//
// Every step is done in double precision in the written order, and every
// degree/radian conversion uses the one factor kDegRad. Any floating-point fault
// or integer overflow throws veltrax::Fault (engine/checked.h).
#pragma once

#include "engine/checked.h"
#include "engine/constants.h"

namespace veltrax {

// Degrees to radians (and radians back, by division): kDegRad, in
// engine/constants.h.

// ---- Julian Day and time scale -------------------------------------------

// Julian Day in dynamical time (JDE, days) of a Universal Time calendar date.
//   year:  whole number (rounded to a 32-bit integer, halves to even);
//          zero and negative years count like any other.
//   month: 1 to 12 (the caller validates), rounded the same way.
//   day:   day of the month plus the fraction of the day elapsed (15.5 is the
//          15th at 12:00 UT).
// Dates from the reform (kGregorianReformDateNumber, engine/calendar.h) on
// are Gregorian, earlier ones Julian. The
// difference TT - UT is the linear (T + 1) x 0.0007316 day, T in Julian
// centuries from J2000.0.
double CalcJD(double year, double month, double day);

// The Julian Day in Universal Time a JDE of CalcJD was made from: its linear
// TT - UT taken off again, so the precise theories (with their own Delta T)
// see the moment the observer set.
double WindowJdUT(double jde);

// ---- Angle helpers ---------------------------------------------------------

// Angle reduced to one turn: degrees in 0 to 360. A tiny negative angle whose
// reduction rounds to a full turn gives exactly 360, never a negative value.
double NormalizeDeg(double x);

// x times x.
double Square(double x);

// Inverse sine in radians, as atan(x / sqrt(1 - x*x)). |x| >= 1 is a fault.
double ArcSin(double x);

// Long-period argument V of the 1900-epoch theory; d in days since
// kEpoch1900Jd; degrees 0 to 360.
double CalcArgV(double d);

// Jupiter's equation of centre B (degrees) for the mean anomaly N (degrees),
// 1900-epoch theory.
double CalcEqCenter(double N);

// ---- Central meridians -----------------------------------------------------

struct CentralMeridian {
    double cm1;        // System I central meridian, degrees 0 to 360 (whole disk)
    double cm2;        // System II, degrees 0 to 360
    double cm3;        // System III, degrees 0 to 360
    double JupArgJ;    // argument J, degrees 0 to 360: its half of the circle
                       // gives the sign of the phase correction
    double PhaseCorr;  // phase correction, degrees, never negative
};

// Central meridians of Jupiter for jde (JDE, days), J2000.0 theory.
CentralMeridian CalcCentralMeridian(double jde);

// ---- Jupiter's apparent geometry (1900-epoch theory) -----------------------

// Field order is part of the interface: B first, the Earth's declination last.
struct JupiterAspect {
    double EqCenter;      // B, Jupiter's equation of centre, degrees
    double EarthSunDist;  // R, Sun-Earth, AU
    double JupSunDist;    // r, Sun-Jupiter, AU
    double EarthJupDist;  // Delta, Earth-Jupiter, AU
    double PhaseAngle;    // psi, angle Sun-Jupiter-Earth, degrees, sign of sin K
    double EarthDecl;     // declination of the Earth on Jupiter's equator, degrees
};

// d: days since kEpoch1900Jd (1900 January 0.5).
JupiterAspect CalcAspect(double d);

// ---- Galilean satellites ---------------------------------------------------

// Arrays indexed 0 to 3 for satellites I (Io) to IV (Callisto).
struct MoonPositions {
    double X[4];  // offset along Jupiter's equator, Jupiter equatorial radii
    double Y[4];  // offset across it, Jupiter equatorial radii
    double U[4];  // corrected orbital angle, degrees, not reduced (may be < 0 or >= 360)
};

// d: days since kEpoch1900Jd; aspect: CalcAspect(d).
MoonPositions CalcMoons(double d, const JupiterAspect& aspect);

// Depth key of a satellite from its orbital angle U (degrees, not reduced): its
// angular distance from U = 0, the near point of the orbit, 0 to 180. The planet's
// key is 90; below 90 a satellite is in front of the planet, above 90 behind it,
// and at exactly 90 it is drawn after the planet, so in front as well.
double DepthKey(double U);

// The planet's depth key, and whether a satellite of key `key` is drawn in
// front of the planet.
constexpr double kPlanetDepthKey = 90;
inline bool DrawnInFront(double key) { return key <= kPlanetDepthKey; }

}  // namespace veltrax
