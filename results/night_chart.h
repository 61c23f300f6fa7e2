// SPDX-License-Identifier: GPL-3.0-or-later
// What the night plan's charts draw, taken from the engine: the night a
// moment belongs to, Jupiter's and the Sun's altitudes sampled over it, and
// the timetable's moments as the companion cuts them to the minute.
#pragma once

#include "engine/night.h"
#include "engine/site.h"

#include <string>
#include <vector>

namespace veltrax {

// The date whose night (noon JST to noon JST the next day) holds the moment
// jdUT (Julian Day, UT).
CivilDate NightDateOf(double jdUT);

struct AltitudeSample {
    double jdUT;          // Julian Day, UT
    SkyAltitudes sky;     // apparent altitudes, degrees (engine/site.h)
};

// The altitudes every stepMinutes (> 0) from the night's noon to the next
// noon, both ends included. Throws Fault where the engine does.
std::vector<AltitudeSample> SampleNight(const NightTimetable& night, const Site& site, int stepMinutes);

// "HH:MM", the JST minute of the moment's whole second: the companion's
// "YYYY-MM-DD HH:MM:SS" without its date and seconds.
std::string JstMinuteText(double jdUT);

}  // namespace veltrax
