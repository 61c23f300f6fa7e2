// SPDX-License-Identifier: GPL-3.0-or-later
// Planning: what the companion's plans and the window's lists are made of.
// The results at any second, the Great Red Spot's transits and the
// satellites as the picture places them (the rows: results/plan_rows.h). Moments are whole seconds of Universal Time on the one calendar
// (engine/calendar.h), so that a moment typed anywhere is the window's instant.
#pragma once

#include "engine/calendar.h"
#include "engine/checked.h"
#include "engine/engine.h"
#include "engine/visibility.h"
#include "results/grs.h"
#include "results/recalc.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace veltrax {

// The numbers of the moment `ut` (UT) plus `fraction` of a second (0 to 1),
// computed exactly as the recalculation does for the same fields.
Results ResultsAt(const CivilTime& ut, double fraction, const GrsSource& grs);

// Wrapped difference a - b, degrees, in (-180, 180].
double WrappedDifference(double a, double b);

// The meridian gains about 870.27 degrees a day on a fixed longitude: one
// Great Red Spot transit every 35730 seconds or so.
constexpr int64_t kGrsTransitPeriodSeconds = 35730;

struct GrsTransit {
    int64_t ut;       // UT seconds from 1970-01-01
    Results results;  // at that second
};

// Every Great Red Spot transit (the illuminated-disk System II meridian CM2cc
// equal to the spot's longitude) whose nearest whole second lies in
// fromUt..toUt (UT seconds, inclusive), in time order: the second at which the
// two longitudes are nearest. A step of the prediction itself (the built-in
// table at some new years) is not a transit and is passed over. emit may
// return false to stop, and may take the transit's results. Throws Fault.
void FindGrsTransits(int64_t fromUt, int64_t toUt, const GrsSource& grs,
                     const std::function<bool(GrsTransit&)>& emit);

// The satellites as the window's picture places them at jde (CalcJD's
// dynamical time): the compact theory's offsets, and whether each is drawn in
// front of the planet.
struct SatellitesSeen {
    MoonPositions moons;
    bool front[4];
};
SatellitesSeen SatellitesAt(double jde);

// Throws the Fault that searching fromUt..toUt would meet at its ends (a
// moment outside the precise theory's years), before anything is listed.
void CheckEventRange(int64_t fromUt, int64_t toUt, const std::optional<SiteFilter>& site);

// One line (English) on what went wrong, by its kind: a moment outside a
// theory's years, a search that did not converge, or another fault.
std::string DescribeFault(const Fault& fault);

}  // namespace veltrax
