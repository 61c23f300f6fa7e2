// SPDX-License-Identifier: GPL-3.0-or-later
// High-accuracy positions of the Galilean satellites, for event times and
// shadows. The window's own satellite positions (CalcMoons) are a compact
// theory kept as it is; this one is independent of it.
//
// Time scale: every jdeTT here is the Julian Day in Terrestrial Time (days) of
// the moment an observer at the Earth's centre sees the configuration: light
// time from Jupiter and from each satellite (and, for shadows and eclipses,
// from the Sun) is accounted for inside.
#pragma once

#include "engine/constants.h"

namespace veltrax {

// The fastest a satellite (or its shadow) moves on either viewer's sky,
// Jupiter equatorial radii a day: its orbital speed 2 pi a / P from the mean
// distance a (421,800, 671,100, 1,070,400 and 1,882,700 km) and the sidereal
// period P (1.769, 3.551, 7.155 and 16.689 days), with a tenth more for the
// eccentricities, the light-time terms and the perspective.
constexpr double kMaxSkySpeed[4] = {20.97 * 1.1, 16.63 * 1.1, 13.16 * 1.1, 9.92 * 1.1};

// A point near Jupiter on one viewer's plane of the sky, in Jupiter
// equatorial radii (71,492 km), from Jupiter's centre:
//   x: along Jupiter's projected equator, positive toward celestial west
//      (the sign of the window's X);
//   y: toward Jupiter's projected north pole;
//   depth: along the line of sight, positive away from the viewer (farther
//      than Jupiter's centre).
// x and y are the plane projection of the satellite's place (as the reference
// offsets are given); ApparentOffset() turns them into the direction the
// viewer sees.
struct SkyOffset {
    double x;
    double y;
    double depth;
};

struct GalileanSatellite {
    // The satellite as the Earth sees it.
    SkyOffset fromEarth;
    // The satellite as the Sun's light meets it, on the Sun's plane of the
    // sky (x, y, depth defined as above with the Sun as the viewer), for the
    // two events the Earth sees at jdeTT:
    //   forShadow:  the sunlight that made the shadow seen at jdeTT on
    //               Jupiter's cloud tops (light time Jupiter -> Earth, and
    //               the Sun's light time to Jupiter);
    //   forEclipse: the sunlight that lit (or failed to light) the satellite
    //               seen at jdeTT (light time satellite -> Earth).
    SkyOffset fromSunForShadow;
    SkyOffset fromSunForEclipse;
    // The shadow's centre where the sunlight through the satellite's centre
    // (the ray from the Sun's centre) meets the cloud tops (the oblate
    // spheroid), as the Earth sees that point, in the fromEarth frame. Valid
    // when shadowOnJupiter (both 0 otherwise). shadowOnJupiter turns on and off
    // exactly where ApparentOffset(fromSunForShadow, sunDistanceAu) crosses the
    // limb x^2 + (y / sunLimbB)^2 = 1.
    bool shadowOnJupiter;  // the sunray through the centre hits the spheroid
    bool shadowSeen;       // and that point is on the hemisphere facing the Earth
    double shadowX;
    double shadowY;
    // The satellite's centre is in Jupiter's shadow (cannot see the Sun's
    // centre): fromSunForEclipse.depth > 0 and its ApparentOffset inside the
    // limb of the Sun's view.
    bool inEclipse;
    // For the satellites' events with each other: the satellite relative to
    // Jupiter's centre when the light leaves Jupiter, and its heliocentric
    // velocity (its own plus Jupiter's), on the Sun's plane of the sky
    // (Jupiter radii, and Jupiter radii a day; depth away from the Sun); and
    // how much earlier than Jupiter's its light left for the Earth (days).
    SkyOffset sunFramePos;
    SkyOffset sunFrameVel;
    double earthLeadDays;
};

struct GalileanSky {
    double jdeTT;                // the moment, as given
    double earthDistanceAu;      // Earth to Jupiter's centre (light-time corrected)
    double sunDistanceAu;        // Sun to Jupiter's centre when the light left Jupiter
    double earthJovicentricLatDeg;  // the Earth's planetocentric latitude on Jupiter's equator
    double sunJovicentricLatDeg;    // the Sun's
    // The limb of the oblate disk on each viewer's sky is the ellipse
    // x^2 + (y / b)^2 = 1 with b these projected polar semi-axes (0.935 to 1).
    double earthLimbB;
    double sunLimbB;
    GalileanSatellite moon[4];   // I (Io), II (Europa), III (Ganymede), IV (Callisto)
};

// What a picture needs of the shadows: indexed 0 to 3 for satellites I to IV;
// offsets in Jupiter equatorial radii on the Earth's sky (X toward celestial
// west along the equator, Y toward the north).
struct SatelliteShadows {
    bool seen[4];      // the shadow lies on the face of the disk the Earth sees
    double dx[4];      // the shadow's centre minus its satellite's, X
    double dy[4];      // the same, Y
    bool eclipsed[4];  // the satellite stands in Jupiter's shadow
};

// What a picture needs of the satellites' places from this theory, indexed 0
// to 3 for satellites I to IV, in Jupiter equatorial radii on the Earth's sky:
// x toward celestial west along the equator, y toward the north (both in the
// direction the viewer sees, ApparentOffset), depth along the line of sight,
// positive behind Jupiter's centre.
struct SatellitePlaces {
    double x[4];
    double y[4];
    double depth[4];
};

// The four satellites for an observer at the Earth's centre at jdeTT. Throws
// Fault (engine/checked.h) for a moment outside the years 1000 to 3000 or not
// a number.
GalileanSky ComputeGalileanSky(double jdeTT);

// The offset in the direction the viewer sees, scaled to Jupiter's distance
// (viewerDistanceAu: earthDistanceAu or sunDistanceAu): a satellite nearer
// than Jupiter looks farther from the centre. It differs from the plane
// offset by depth / distance, up to 0.3 % for Callisto (some 25 s of an event
// time), so limb crossings test this one:
//   LimbMeasure(ApparentOffset(moon.fromEarth, sky.earthDistanceAu), sky.earthLimbB)
// The depth is kept as it is.
inline SkyOffset ApparentOffset(const SkyOffset& p, double viewerDistanceAu)
{
    const double distance = viewerDistanceAu * (kAuKm / kJupiterEquatorialRadiusKm);
    const double scale = distance / (distance + p.depth);
    return {p.x * scale, p.y * scale, p.depth};
}

// Inside the limb, as a signed measure: x^2 + (y/b)^2 - 1 (negative inside).
inline double LimbMeasure(const SkyOffset& p, double limbB)
{
    const double yy = p.y / limbB;
    return p.x * p.x + yy * yy - 1.0;
}

}  // namespace veltrax
