// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' events around the window's moment, as the events dialog
// lists them: from 12 hours before to 36 hours after, with their Japan
// Standard Time and, for a site, whether they can be watched from it.
#pragma once

#include "results/planning.h"

#include <optional>
#include <vector>

namespace veltrax {

// A moment in Japan Standard Time on the window's calendar (Julian before
// 1582 October 15, Gregorian from then on), to the whole second.
struct JstMoment {
    int year, month, day, hour, minute, second;
};

// The moment jdUT (Julian Day, UT) in JST: to the nearest second, or rounded
// down to the minute (second 0).
JstMoment JstFromJdUT(double jdUT, bool downToMinute);

// A row of the list: the planning row and its time in JST.
struct NightEventRow : EventRow {
    JstMoment jst;  // to the nearest second
};

// A row of two satellites' event: the planning row and its maximum in JST.
struct NightMutualRow : MutualRow {
    JstMoment jst;  // to the nearest second
};

// A Great Red Spot transit as a row of the list: its moment in JST, and
// whether the site can watch it.
struct NightGrsRow {
    GrsTransit transit;
    double jdUT;                   // Julian Day, UT
    JstMoment jst;                 // to the second
    std::optional<SiteView> view;  // Jupiter and the Sun from the site, when one is given
    bool seen;                     // watchable from the site, or true without one
};

constexpr double kEventsBeforeDays = 0.5;   // 12 hours before the moment
constexpr double kEventsAfterDays = 1.5;    // 36 hours after

// The events around the window's moment jde (CalcJD's dynamical time), in
// time order, or what kept them from being computed (a moment outside the
// years 1000 to 3000, a search that did not converge). Never throws.
struct NightEvents {
    std::vector<NightEventRow> rows;
    std::vector<NightMutualRow> mutualRows;  // the events of two satellites, by their maxima
    std::vector<NightGrsRow> grsRows;        // the spot's transits, when asked for
    std::optional<FaultKind> failure;        // none: the rows are complete
};
// rangeDays 0: from kEventsBeforeDays before to kEventsAfterDays after the
// moment; 7 or 30 (any positive number): that many days from the moment.
// grs: the spot's prediction for its transits (none: no transit rows).
NightEvents EventsAroundWindowJde(double jde, const std::optional<SiteFilter>& site, int rangeDays = 0,
                                  const GrsSource* grs = nullptr);

}  // namespace veltrax
