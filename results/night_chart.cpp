// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/night_chart.h"

#include "engine/checked.h"

#include <cstdio>

namespace veltrax {

CivilDate NightDateOf(double jdUT)
{
    // Noon JST begins the night: the JST date twelve hours earlier.
    const CivilTime t = CivilFromSeconds(SecondsFromJd(jdUT) + kJstOffsetSeconds - kSecondsPerDay / 2);
    return CivilDate{t.year, t.month, t.day};
}

std::vector<AltitudeSample> SampleNight(const NightTimetable& night, const Site& site, int stepMinutes)
{
    if (stepMinutes <= 0)
        throw Fault("the altitudes need a positive step");
    const int steps = 24 * 60 / stepMinutes;
    std::vector<AltitudeSample> out;
    out.reserve(static_cast<size_t>(steps) + 1);
    for (int k = 0; k <= steps; ++k) {
        const double jdUT = night.startJdUT + static_cast<double>(k * stepMinutes) / 1440.0;
        out.push_back({jdUT, ComputeAltitudes(jdUT, site)});
    }
    return out;
}

std::string JstMinuteText(double jdUT)
{
    const CivilTime t = CivilFromSeconds(SecondsFromJd(jdUT) + kJstOffsetSeconds);
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", static_cast<int>(t.hour), static_cast<int>(t.minute));
    return text;
}

}  // namespace veltrax
