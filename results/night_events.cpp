// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/night_events.h"

#include "engine/checked.h"
#include "engine/engine.h"
#include "engine/site.h"

#include <cmath>

namespace veltrax {

JstMoment JstFromJdUT(double jdUT, bool downToMinute)
{
    // Days from the Julian Day's noon start to midnight starts, JST 9 hours on.
    const double jd = jdUT + 0.5 + 9.0 / 24;
    double z = std::floor(jd);
    const double daySeconds = (jd - z) * 86400;
    double s = downToMinute ? std::floor(daySeconds / 60) * 60 : std::round(daySeconds);
    if (s >= 86400) {
        s -= 86400;
        z += 1;
    }
    // The calendar date of day number z: Gregorian from 1582 October 15
    // (JD 2299161), Julian before.
    double a = z;
    if (z >= 2299161) {
        const double alpha = std::floor((z - 1867216.25) / 36524.25);
        a = z + 1 + alpha - std::floor(alpha / 4);
    }
    const double b = a + 1524;
    const double c = std::floor((b - 122.1) / 365.25);
    const double d = std::floor(365.25 * c);
    const double e = std::floor((b - d) / 30.6001);
    JstMoment m{};
    m.day = static_cast<int>(b - d - std::floor(30.6001 * e));
    m.month = static_cast<int>(e < 14 ? e - 1 : e - 13);
    m.year = static_cast<int>(m.month > 2 ? c - 4716 : c - 4715);
    const int secs = static_cast<int>(s);
    m.hour = secs / 3600;
    m.minute = secs / 60 % 60;
    m.second = secs % 60;
    return m;
}

std::optional<std::vector<EventRow>> EventsAroundWindowJde(double jde, const std::optional<SiteFilter>& site)
{
    std::vector<EventRow> rows;
    try {
        const double jdUT = WindowJdUT(jde);
        FindGalileanEvents(JdTTFromUT(jdUT - kEventsBeforeDays), JdTTFromUT(jdUT + kEventsAfterDays),
                           [&](const GalileanEvent& e) {
                               EventRow r{e, JdUTFromTT(e.jdeTT), {}, std::nullopt, e.observable};
                               r.jst = JstFromJdUT(r.jdUT, false);
                               if (site) {
                                   r.view = ViewFromSite(r.jdUT, *site);
                                   r.seen = r.seen && r.view->watchable;
                               }
                               rows.push_back(r);
                               return true;
                           });
    } catch (const Fault&) {
        return std::nullopt;
    }
    return rows;
}

}  // namespace veltrax
