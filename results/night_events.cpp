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

std::vector<PlanRow> PlanRowsBetween(double jdUT0, double jdUT1, const RowQuery& query, bool underWayFirst)
{
    std::vector<PlanRow> rows;
    const auto keep = [&](const PlanRow& r) {
        rows.push_back(r);
        return true;
    };
    for (const RowKind kind : {RowKind::Satellite, RowKind::Mutual, RowKind::Spot}) {
        if (underWayFirst)
            ForEachRowUnderWay(kind, jdUT0, query, keep);
        ForEachPlanRow(kind, jdUT0, jdUT1, query, keep);
    }
    return rows;
}

NightEvents EventsAroundWindowJde(double jde, const std::optional<SiteFilter>& site, int rangeDays,
                                  const GrsSource* grs)
{
    NightEvents out;
    try {
        const double jdUT = WindowJdUT(jde);
        const double jdUT0 = rangeDays > 0 ? jdUT : jdUT - kEventsBeforeDays;
        const double jdUT1 = rangeDays > 0 ? jdUT + rangeDays : jdUT + kEventsAfterDays;
        RowQuery query;
        query.site = site;
        query.grs = grs;
        // A range that starts at the moment first lists what is under way then.
        out.rows = PlanRowsBetween(jdUT0, jdUT1, query, rangeDays > 0);
    } catch (const Fault& e) {
        out.rows.clear();
        out.failure = e.kind();
    }
    return out;
}

}  // namespace veltrax
