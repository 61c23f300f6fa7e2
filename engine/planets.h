// SPDX-License-Identifier: GPL-3.0-or-later
// Heliocentric positions of the Earth and Jupiter from a truncated VSOP87
// (Bretagnon & Francou 1988), in AU on the Earth's mean equator and equinox of
// J2000 (the frame of the satellites' theory and of Jupiter's pole), for a
// moment given as a Julian Day in Terrestrial Time. Truncated to a few
// arcseconds: enough for the directions of the Sun and the Earth as Jupiter
// sees them, and for altitudes.
#pragma once

#include "engine/constants.h"
#include "engine/vec3.h"

namespace veltrax {

struct HelioState {
    Vec3 posAu;
    Vec3 velAuPerDay;
};

Vec3 EarthHelioAu(double jdeTT);
HelioState JupiterHelio(double jdeTT);

// Jupiter's centre as the Earth's centre sees it at jdeTT: its heliocentric
// position and velocity when the light left it, with that light time.
struct JupiterSeen {
    Vec3 earthAu;         // the Earth at jdeTT
    HelioState jupiter;   // Jupiter at jdeTT - lightTimeDays
    double lightTimeDays;
};
// Throws Fault for a moment outside the years 1000 to 3000 (kFirstJdeTT to
// kLastJdeTT), where the series' arguments stay small enough, or not a number.
constexpr double kFirstJdeTT = 2086302.5;  // 1000 January 1
constexpr double kLastJdeTT = 2816787.5;   // 3000 January 1
JupiterSeen SeeJupiter(double jdeTT);

}  // namespace veltrax
