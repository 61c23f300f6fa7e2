// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' events around the window's moment, as the events dialog
// lists them: from 12 hours before to 36 hours after, or over the plan's
// range, and, for a site, whether they can be watched from it.
#pragma once

#include "results/plan_rows.h"

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

// The rows of every kind from jdUT0 to jdUT1 (Julian Days, UT) that the
// query selects: the satellites' events in time order, then the events of
// two satellites by their maxima, then the spot's transits (query.grs). With
// underWayFirst each kind starts with the events under way at jdUT0
// (ForEachRowUnderWay). Throws Fault.
std::vector<PlanRow> PlanRowsBetween(double jdUT0, double jdUT1, const RowQuery& query, bool underWayFirst);

constexpr double kEventsBeforeDays = 0.5;   // 12 hours before the moment
constexpr double kEventsAfterDays = 1.5;    // 36 hours after

// The events around the window's moment jde (CalcJD's dynamical time), in
// time order, or what kept them from being computed (a moment outside the
// years 1000 to 3000, a search that did not converge). Never throws.
struct NightEvents {
    // The satellites' events in time order, then the events of two
    // satellites by their maxima, then the spot's transits when asked for.
    // A range from the moment (rangeDays > 0) starts each kind with the
    // events under way at the moment (PlanRow::underWay, ForEachRowUnderWay).
    std::vector<PlanRow> rows;
    std::optional<FaultKind> failure;  // none: the rows are complete
};
// rangeDays 0: from kEventsBeforeDays before to kEventsAfterDays after the
// moment; 7 or 30 (any positive number): that many days from the moment.
// grs: the spot's prediction for its transits (none: no transit rows).
NightEvents EventsAroundWindowJde(double jde, const std::optional<SiteFilter>& site, int rangeDays = 0,
                                  const GrsSource* grs = nullptr);

}  // namespace veltrax
