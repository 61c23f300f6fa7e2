// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/night_events.h"

#include "engine/calendar.h"

#include <cmath>

namespace veltrax {

JstMoment JstFromJdUT(double jdUT, bool downToMinute)
{
    const double seconds = (jdUT - kJdUnixEpoch) * kSecondsPerDay;
    const int64_t whole = downToMinute ? RoundToInt64(std::floor(seconds / 60)) * 60 : SecondsFromJd(jdUT);
    const CivilTime c = CivilFromSeconds(whole + kJstOffsetSeconds);
    return JstMoment{static_cast<int>(c.year), c.month, c.day, c.hour, c.minute, c.second};
}

NightEvents EventsAroundWindowJde(double jde, const std::optional<SiteFilter>& site)
{
    NightEvents out;
    try {
        const double jdUT = WindowJdUT(jde);
        EventQuery query;
        query.site = site;
        ForEachEventRow(jdUT - kEventsBeforeDays, jdUT + kEventsAfterDays, query, [&](const EventRow& r) {
            NightEventRow row{r, JstFromJdUT(r.jdUT, false)};
            out.rows.push_back(row);
            return true;
        });
        MutualQuery mutual;
        mutual.site = site;
        ForEachMutualRow(jdUT - kEventsBeforeDays, jdUT + kEventsAfterDays, mutual, [&](const MutualRow& r) {
            out.mutualRows.push_back(NightMutualRow{r, JstFromJdUT(r.jdUTMax, false)});
            return true;
        });
    } catch (const Fault& e) {
        out.rows.clear();
        out.mutualRows.clear();
        out.failure = e.kind();
    }
    return out;
}

}  // namespace veltrax
