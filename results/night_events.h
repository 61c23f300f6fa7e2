// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' events around the window's moment, as the events dialog
// lists them: from 12 hours before to 36 hours after, with their Japan
// Standard Time and, for a site, whether they can be watched from it.
#pragma once

#include "engine/events.h"
#include "engine/visibility.h"

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

struct EventRow {
    GalileanEvent event;
    double jdUT;          // the event's moment, Julian Day, UT
    JstMoment jst;        // to the nearest second
    std::optional<SiteView> view;  // Jupiter and the Sun from the site, when one is given
    bool seen;            // observable, and watchable from the site when one is given
};

constexpr double kEventsBeforeDays = 0.5;   // 12 hours before the moment
constexpr double kEventsAfterDays = 1.5;    // 36 hours after

// The events around the window's moment jde (CalcJD's dynamical time), in
// time order. nullopt when the precise theory cannot give that range (outside
// the years 1000 to 3000); never throws.
std::optional<std::vector<EventRow>> EventsAroundWindowJde(double jde, const std::optional<SiteFilter>& site);

}  // namespace veltrax
