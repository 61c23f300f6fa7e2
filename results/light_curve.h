// SPDX-License-Identifier: GPL-3.0-or-later
// A mutual event's light curve: the passive satellite's remaining light and
// the two satellites' together (what aperture photometry of the unresolved
// pair measures) against time, and the event's geometry at its maximum.
#pragma once

#include "engine/mutual.h"
#include "results/plan_rows.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace veltrax {

// Mean opposition magnitudes V(1,0) of Io, Europa, Ganymede and Callisto:
// JPL Solar System Dynamics, "Planetary Satellite Physical Parameters", the
// table of Jupiter's satellites, column V(1,0).
constexpr double kMoonMeanOppositionMagnitude[4] = {-1.68, -1.41, -2.09, -1.05};

// The pair's light as a fraction of its light before the event, when the
// passive satellite keeps passiveFraction (0 to 1) of its own:
// (F_A + F_B b) / (F_A + F_B), each F from its V(1,0).
double PairFraction(int active, int passive, double passiveFraction);

// -2.5 log10 of a fraction of the light: the magnitudes it is fainter by.
double MagnitudeDrop(double fraction);

struct LightCurveSample {
    int64_t ut;                 // UT seconds from 1970-01-01
    int64_t secondsFromMaximum; // ut less the maximum's whole second
    double fluxPassive;         // the passive satellite's remaining fraction, 0 to 1
    double fluxPair;            // the pair's, 0 to 1
    double deltaMagPair;        // MagnitudeDrop(fluxPair), 0 or more
};

// The samples reach this far beyond the first and the last contact, seconds.
constexpr int64_t kLightCurveMarginSeconds = 120;

struct LightCurve {
    PlanRow row;              // the event (a mutual row), its maximum's whole UT second
    Contacts contacts;        // its first and last contact, whole UT seconds
    MutualScene atMaximum;    // the geometry to draw it at true scale
    std::vector<LightCurveSample> samples;  // in time order
};

// The curve sampled every stepSeconds (> 0) on the seconds the maximum's
// second falls on, from the first contact less the margin to the last
// contact plus it. Throws Fault for a step that is not positive.
LightCurve ComputeLightCurve(const PlanRow& row, int64_t stepSeconds);

// The event of this code ("3E1": Ganymede eclipses Io) under way at `ut` (UT
// seconds), or else the one whose maximum lies nearest to it within an hour;
// nullopt when there is none. Throws Fault for a moment the theory cannot
// compute.
std::optional<PlanRow> FindMutualEventByCode(const std::string& code, int64_t ut);

}  // namespace veltrax
