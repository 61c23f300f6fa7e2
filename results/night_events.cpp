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

NightEvents EventsAroundWindowJde(double jde, const std::optional<SiteFilter>& site, int rangeDays,
                                  const GrsSource* grs)
{
    NightEvents out;
    try {
        const double jdUT = WindowJdUT(jde);
        const double jdUT0 = rangeDays > 0 ? jdUT : jdUT - kEventsBeforeDays;
        const double jdUT1 = rangeDays > 0 ? jdUT + rangeDays : jdUT + kEventsAfterDays;
        EventQuery query;
        query.site = site;
        ForEachEventRow(jdUT0, jdUT1, query, [&](const EventRow& r) {
            NightEventRow row{r, JstFromJdUT(r.jdUT, false)};
            out.rows.push_back(row);
            return true;
        });
        MutualQuery mutual;
        mutual.site = site;
        ForEachMutualRow(jdUT0, jdUT1, mutual, [&](const MutualRow& r) {
            out.mutualRows.push_back(NightMutualRow{r, JstFromJdUT(r.jdUTMax, false)});
            return true;
        });
        if (grs) {
            // Whole seconds of UT, as the companion counts them.
            FindGrsTransits(static_cast<int64_t>(std::ceil((jdUT0 - kJdUnixEpoch) * kSecondsPerDay)),
                            static_cast<int64_t>(std::floor((jdUT1 - kJdUnixEpoch) * kSecondsPerDay)), *grs,
                            [&](const GrsTransit& t) {
                                NightGrsRow row{t, JdFromSeconds(static_cast<double>(t.ut)), {}, std::nullopt, true};
                                row.jst = JstFromJdUT(row.jdUT, false);
                                if (site) {
                                    row.view = ViewFromSite(row.jdUT, *site);
                                    row.seen = row.view->watchable;
                                }
                                out.grsRows.push_back(row);
                                return true;
                            });
        }
    } catch (const Fault& e) {
        out.rows.clear();
        out.mutualRows.clear();
        out.grsRows.clear();
        out.failure = e.kind();
    }
    return out;
}

}  // namespace veltrax
