// SPDX-License-Identifier: GPL-3.0-or-later
// The Galilean satellites' events with each other, around Jupiter's equinoxes:
// one satellite occulting another, and one eclipsing another with its shadow.
// Found from the precise theory (engine/galilean.h) by the generic search.
//
// Definitions (times are the moments seen from the Earth's centre, TT):
//   occultation  A in front of B as the Earth sees them, each at its own
//                light-time-retarded place; it lasts while the two disks
//                overlap. The maximum is the closest approach of the centres.
//   eclipse      A's shadow on B: the sunlight passes A, then reaches B, and
//                the Earth sees B later still. The Sun is a disk, so A casts
//                an umbra and a penumbra; the event lasts while any part of
//                B's disk is in the penumbra, and its umbral phase while any
//                part is in the umbra (or the antumbra beyond the umbra's
//                apex). The maximum is B's centre's closest approach to the
//                shadow's axis (the line from the Sun's centre through A's).
// The satellites are uniform spheres (radii in engine/constants.h), the Sun a
// uniform disk of radius kSunRadiusKm.
#pragma once

#include "engine/events.h"

#include <functional>

namespace veltrax {

// The Sun's radius, km (IAU 2015 Resolution B3, nominal solar radius).
constexpr double kSunRadiusKm = 695700.0;

enum class MutualKind { Occultation, Eclipse };

struct MutualEvent {
    MutualKind kind;
    int active;    // 0 to 3: the satellite in front (occultation) or casting the shadow (eclipse)
    int passive;   // 0 to 3: the satellite hidden or shadowed
    double maxTT;  // Julian Day, TT, of the maximum
    double startTT, endTT;  // first and last contact (penumbral for an eclipse)
    bool umbral;   // an eclipse with an umbral (or antumbral) phase: umbraStartTT..umbraEndTT
    double umbraStartTT, umbraEndTT;
    // At the maximum:
    double impact;     // closest separation over the sum of the radii (of A and
                       // B; of the penumbra and B for an eclipse)
    double magnitude;  // the fraction of B's diameter covered by A (by the umbra), 0 to 1
    double fluxDrop;   // the fraction of B's light lost, 0 to 1
    double distance;   // B's apparent distance from Jupiter's centre, Jupiter equatorial radii
    bool passiveBehindJupiter;    // B occulted by the planet
    bool passiveInJupiterShadow;  // B eclipsed by the planet
    bool activeInJupiterShadow;   // A eclipsed by the planet (an eclipse: it casts no shadow)
    bool observable;              // none of the three
};

// Scan step of the mutual-event search, days: a pair's squared separation is
// a parabola in time for straight motion, so three samples this far apart
// find a graze of a few seconds; where every pair is far apart the scan goes
// in longer steps, bounded by the satellites
// sky speeds.
constexpr double kMutualStepDays = 20.0 / 1440;
constexpr double kMutualMaxStepDays = 6.0 / 24;

// Every event whose maximum lies from jdeTT0 to jdeTT1 (TT, inclusive), in
// the order of their maxima. report may return false to stop. Throws Fault
// for a range the theory cannot compute.
void FindMutualEvents(double jdeTT0, double jdeTT1, const std::function<bool(const MutualEvent&)>& report,
                      const GalileanSkyModel& sky = ComputeGalileanSky);

// An event's two satellites at one moment, for drawing the event at true
// scale and for its light curve. Lengths in km on the Earth's sky at
// Jupiter's distance, from Jupiter's centre: x toward celestial west along
// Jupiter's projected equator, y toward its north pole (engine/galilean.h).
struct MutualScene {
    double activeXKm, activeYKm, activeRadiusKm;
    double passiveXKm, passiveYKm, passiveRadiusKm;
    // An eclipse: where the shadow's axis crosses the plane through the
    // passive satellite across it, and the penumbra's and the umbra's radii
    // there (the umbra's negative beyond its apex: the antumbra's). The
    // shadow is measured on the Sun's sky and drawn on the Earth's with the
    // same axes: the two views differ by Jupiter's phase angle (at most 12
    // degrees), which shortens the shadow's offset by at most 2 %. Zero for
    // an occultation.
    double shadowXKm, shadowYKm, penumbraRadiusKm, umbraRadiusKm;
    // The fraction of the passive satellite's light lost at that moment, 0
    // to 1, as MutualEvent::fluxDrop counts it at the maximum; an eclipse's
    // by EclipseFluxDropByRings, which dims the satellite from the very
    // contact on.
    double lostFraction;
};

// The event's satellites at jdeTT (TT). Throws Fault for a moment the theory
// cannot compute.
MutualScene MutualSceneAt(const MutualEvent& event, double jdeTT, const GalileanSkyModel& sky = ComputeGalileanSky);

// ---- The geometry, for its tests ----

// The area of the overlap of two circles of radii r1 and r2 whose centres are
// d apart.
double CircleOverlapArea(double r1, double r2, double d);

// The fraction of the light of a uniform disk of radius rB lost in the shadow
// of a sphere of radius rA: B's centre is rho0 from the shadow's axis, delta
// behind A along it, and the Sun (radius sunRadius) lies sunDistance before
// B. All in one unit of length.
double EclipseFluxDrop(double rA, double rB, double rho0, double delta, double sunRadius, double sunDistance);

// The same mean, integrated over rings about the shadow's axis rather than
// sampled over B's disk: it agrees with EclipseFluxDrop to about 0.001 and,
// unlike the disk's samples, is above zero as soon as B's limb enters the
// penumbra, so a light curve dims at the listed contacts.
double EclipseFluxDropByRings(double rA, double rB, double rho0, double delta, double sunRadius, double sunDistance);

}  // namespace veltrax
