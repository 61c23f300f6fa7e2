// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/calendar_export.h"

#include "engine/calendar.h"

#include <libical/ical.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace veltrax {
namespace {

const char* const kMoonJapanese[4] = {"イオ", "エウロパ", "ガニメデ", "カリスト"};

// In the order of EventKind.
const char* const kKindJapanese[4] = {"経過", "影の経過", "掩蔽", "食"};

// "20261208T093832Z": a moment in UT as the UIDs spell it.
std::string Stamp(int64_t ut)
{
    const CivilTime c = CivilFromSeconds(ut);
    char buf[48];
    std::snprintf(buf, sizeof buf, "%04lld%02d%02dT%02d%02d%02dZ", static_cast<long long>(c.year), c.month, c.day,
                  c.hour, c.minute, c.second);
    return buf;
}

icaltimetype Utc(int64_t ut)
{
    return icaltime_from_timet_with_zone(static_cast<time_t>(ut), 0, icaltimezone_get_utc_timezone());
}

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

}  // namespace

std::vector<CalendarEntry> EventEntries(const std::vector<EventRow>& rows)
{
    std::vector<CalendarEntry> out;
    std::vector<bool> used(rows.size(), false);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (used[i])
            continue;
        const GalileanEvent& e = rows[i].event;
        const int kind = static_cast<int>(e.kind);
        const std::string what = std::string(kMoonJapanese[e.moon]) + "の" + kKindJapanese[kind];
        const std::string uid = Stamp(rows[i].ut) + "-" + kSatelliteNumerals[e.moon] + "-" + kEventKindWords[kind];
        // A start and the next end of the same satellite and kind make one span.
        if (e.edge == EventEdge::Start) {
            for (size_t j = i + 1; j < rows.size(); ++j) {
                const GalileanEvent& f = rows[j].event;
                if (f.moon != e.moon || f.kind != e.kind)
                    continue;
                if (f.edge == EventEdge::End && !used[j]) {
                    used[j] = true;
                    out.push_back({uid + "@veltrax", what, what, rows[i].ut, rows[j].ut});
                    used[i] = true;
                }
                break;
            }
            if (used[i])
                continue;
        }
        const char* edge = e.edge == EventEdge::Start ? " 始め" : " 終わり";
        out.push_back({uid + (e.edge == EventEdge::Start ? "-start" : "-end") + "@veltrax", what + edge, what + edge,
                       rows[i].ut, rows[i].ut});
        used[i] = true;
    }
    return out;
}

CalendarEntry GrsTransitEntry(const GrsTransit& t)
{
    char description[96];
    std::snprintf(description, sizeof description, "大赤斑の経度 %.1f°（System II）", t.results.GrsLongitude);
    return {Stamp(t.ut) + "-grs@veltrax", "大赤斑の子午線通過", description, t.ut, t.ut};
}

CalendarEntry MutualEntry(const MutualRow& r)
{
    const MutualEvent& e = r.event;
    const bool eclipse = e.kind == MutualKind::Eclipse;
    const std::string code = MutualCode(e);
    char drop[48];
    std::snprintf(drop, sizeof drop, " 減光%d%%", static_cast<int>(std::lround(e.fluxDrop * 100)));
    const std::string summary = std::string(eclipse ? "相互食 " : "相互掩蔽 ") + code + " " + kMoonJapanese[e.active] +
                                "→" + kMoonJapanese[e.passive] + drop;
    const std::string description = summary + "、極大 " + LocalText(CivilFromSeconds(r.maxUt + kJstOffsetSeconds)) + " JST";
    return {Stamp(r.maxUt) + "-" + code + "@veltrax", summary, description, r.startUt, r.endUt};
}

std::string WriteICalendar(const std::vector<CalendarEntry>& entries, int64_t stampUt)
{
    std::unique_ptr<icalcomponent, ComponentFree> calendar(icalcomponent_vanew(
        ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
        icalproperty_new_prodid("-//Veltrax//Jupiter observing plan//JA"), icalproperty_new_calscale("GREGORIAN"),
        static_cast<void*>(nullptr)));
    for (const CalendarEntry& e : entries) {
        icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        icalcomponent_add_property(event, icalproperty_new_uid(e.uid.c_str()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(Utc(stampUt)));
        icalcomponent_add_property(event, icalproperty_new_dtstart(Utc(e.startUt)));
        if (e.endUt > e.startUt)
            icalcomponent_add_property(event, icalproperty_new_dtend(Utc(e.endUt)));
        icalcomponent_add_property(event, icalproperty_new_summary(e.summary.c_str()));
        icalcomponent_add_property(event, icalproperty_new_description(e.description.c_str()));
        icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
        icalcomponent_add_component(calendar.get(), event);
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    std::string out = text ? text : "";
    icalmemory_free_buffer(text);
    return out;
}

}  // namespace veltrax
