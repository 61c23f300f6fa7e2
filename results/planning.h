// SPDX-License-Identifier: GPL-3.0-or-later
// Planning: what the companion's plans and the window's lists are made of.
// The results at any second, the Great Red Spot's transits, the satellites'
// events as rows filtered by a site, and the satellites as the picture places
// them. Moments are whole seconds of Universal Time on the one calendar
// (engine/calendar.h), so that a moment typed anywhere is the window's instant.
#pragma once

#include "engine/calendar.h"
#include "engine/checked.h"
#include "engine/engine.h"
#include "engine/events.h"
#include "engine/mutual.h"
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
// return false to stop. Throws Fault.
void FindGrsTransits(int64_t fromUt, int64_t toUt, const GrsSource& grs,
                     const std::function<bool(const GrsTransit&)>& emit);

// The satellites as the window's picture places them at jde (CalcJD's
// dynamical time): the compact theory's offsets, and whether each is drawn in
// front of the planet.
struct SatellitesSeen {
    MoonPositions moons;
    bool front[4];
};
SatellitesSeen SatellitesAt(double jde);

// The satellites' numerals I to IV, and the words for the kinds of event in
// the order of EventKind, as the companion reads and writes them.
constexpr const char* kSatelliteNumerals[4] = {"I", "II", "III", "IV"};
constexpr const char* kEventKindWords[4] = {"transit", "shadow", "occultation", "eclipse"};

// One satellite event as a planning row.
struct EventRow {
    GalileanEvent event;
    double jdUT;                   // the event's moment, Julian Day, UT
    int64_t ut;                    // the same to the nearest whole second, UT seconds from 1970-01-01
    std::optional<SiteView> view;  // Jupiter and the Sun from the site, when one is given
    bool seen;                     // observable, and watchable from the site when one is given
};

// Which events become rows.
struct EventQuery {
    unsigned moons = 0xF;         // bit i for satellite i (0 for Io)
    unsigned kinds = 0xF;         // bit k for EventKind k
    bool onlyObservable = false;  // leave out the edges the Earth cannot see
    bool onlyWatchable = false;   // with a site, leave out the moments it cannot watch Jupiter
    std::optional<SiteFilter> site;
};

// The rows of the events between jdUT0 and jdUT1 (Julian Days, UT), in time
// order. emit may return false to stop. Throws Fault.
void ForEachEventRow(double jdUT0, double jdUT1, const EventQuery& query,
                     const std::function<bool(const EventRow&)>& emit);

// The same for the events whose nearest whole second lies in fromUt..toUt
// (UT seconds, inclusive).
void ForEachEventRowInSeconds(int64_t fromUt, int64_t toUt, const EventQuery& query,
                              const std::function<bool(const EventRow&)>& emit);

// One event of two satellites as a planning row.
struct MutualRow {
    MutualEvent event;
    double jdUTMax;                 // the maximum, Julian Day, UT
    int64_t maxUt, startUt, endUt;  // UT seconds, to the nearest whole second
    std::optional<SiteView> view;   // Jupiter and the Sun from the site at the maximum
    bool seen;                      // observable, and watchable from the site when one is given
};

// The words for the kinds, in the order of MutualKind.
constexpr const char* kMutualKindWords[2] = {"occultation", "eclipse"};

// "2O1": Europa occults Io; "1E2": Io eclipses Europa.
std::string MutualCode(const MutualEvent& e);

// Which events of two satellites become rows.
struct MutualQuery {
    unsigned moons = 0xF;         // bit i for satellite i: rows whose active or passive satellite is among them
    unsigned kinds = 0x3;         // bit k for MutualKind k
    double minFluxDrop = 0;       // leave out the events that dim the passive satellite less
    bool onlyObservable = false;  // leave out the events the Earth cannot see
    bool onlyWatchable = false;   // with a site, leave out the maxima it cannot watch
    std::optional<SiteFilter> site;
};

// The rows of the events whose maximum lies between jdUT0 and jdUT1 (Julian
// Days, UT), in the order of their maxima. emit may return false to stop.
// Throws Fault.
void ForEachMutualRow(double jdUT0, double jdUT1, const MutualQuery& query,
                      const std::function<bool(const MutualRow&)>& emit);

// The same for the events whose maximum, to the nearest whole second, lies in
// fromUt..toUt (UT seconds, inclusive).
void ForEachMutualRowInSeconds(int64_t fromUt, int64_t toUt, const MutualQuery& query,
                               const std::function<bool(const MutualRow&)>& emit);

// Throws the Fault that searching fromUt..toUt would meet at its ends (a
// moment outside the precise theory's years), before anything is listed.
void CheckEventRange(int64_t fromUt, int64_t toUt, const std::optional<SiteFilter>& site);

// One line (English) on what went wrong, by its kind: a moment outside a
// theory's years, a search that did not converge, or another fault.
std::string DescribeFault(const Fault& fault);

}  // namespace veltrax
