// SPDX-License-Identifier: GPL-3.0-or-later
// The night at a site: sunset, the twilights, Jupiter's rise, culmination and
// set, sunrise, and the span in which Jupiter can be watched, for the 24
// hours from noon Japan Standard Time on a date to noon the next day.
//
// Conventions (altitudes of the centres, topocentric, engine/site.h):
//   sunset, sunrise      the Sun's upper limb on the horizon with standard
//                        refraction: the centre's true altitude -0.833 deg;
//   twilights            the centre's true altitude -6 (civil), -12
//                        (nautical) and -18 deg (astronomical);
//   Jupiter rise, set    the centre's true altitude -0.5667 deg;
//   culmination          Jupiter's highest altitude, given apparent (with
//                        refraction, like the plans' altitudes);
//   watch span           the plans' rule (engine/visibility.h): Jupiter's
//                        apparent altitude at least 10 deg while the Sun's is
//                        at most -6 deg.
#pragma once

#include "engine/calendar.h"
#include "engine/site.h"

#include <array>
#include <optional>
#include <vector>

namespace veltrax {

// The night's moments, in the order the timetable lists them (a usual
// night's order; Jupiter's may fall anywhere among the Sun's).
enum class NightEvent {
    Sunset,
    CivilDusk,
    NauticalDusk,
    AstronomicalDusk,
    JupiterRise,
    JupiterCulmination,
    JupiterSet,
    AstronomicalDawn,
    NauticalDawn,
    CivilDawn,
    Sunrise,
};
constexpr int kNightEvents = 11;

// True altitudes of the centres, degrees, at which the thresholds lie.
constexpr double kSunriseAltitudeDeg = -0.833;
constexpr double kCivilTwilightAltitudeDeg = -6;
constexpr double kNauticalTwilightAltitudeDeg = -12;
constexpr double kAstronomicalTwilightAltitudeDeg = -18;
constexpr double kJupiterRiseAltitudeDeg = -0.5667;

// A span of time, Julian Days, UT.
struct JdSpan {
    double fromJdUT, toJdUT;
};

struct NightTimetable {
    double startJdUT = 0;  // noon JST of the date, Julian Day, UT; the night ends a day later
    // Each event's moment, Julian Day UT: the first in the 24 hours, or
    // nullopt when it does not happen in them.
    std::array<std::optional<double>, kNightEvents> jdUT;
    // Whether the body stood above the event's altitude at the start: with a
    // missing event, tells "stays up" from "stays down" (the culmination:
    // Jupiter above the horizon).
    std::array<bool, kNightEvents> aboveAtStart{};
    std::optional<double> culminationAltitudeDeg;  // apparent, degrees
    // Every span in which Jupiter can be watched, in time order, cut at the
    // 24 hours' ends (a span that begins at the start was under way before).
    std::vector<JdSpan> watch;

    const std::optional<double>& At(NightEvent e) const { return jdUT[static_cast<size_t>(e)]; }
    // The longest span of `watch` (the first of equal ones), or nullopt.
    std::optional<JdSpan> LongestWatch() const;
};

// Noon JST of a date, as a Julian Day (UT).
double NightStartJdUT(const CivilDate& date);

// The timetable of the night that begins on the evening of `date` (JST) at
// the site. Throws Fault (engine/checked.h) for a date outside the years
// 1000 to 3000.
NightTimetable ComputeNight(const CivilDate& date, const Site& site);

}  // namespace veltrax
