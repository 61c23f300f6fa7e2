// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/calendar_export.h"

#include "engine/calendar.h"
#include "results/plan_names.h"

#include <libical/ical.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace veltrax {
namespace {

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

CalendarEntry SpotEntry(const GrsTransit& t, Language language)
{
    char description[96];
    std::snprintf(description, sizeof description, PhrasesOf(language).spotDescription, t.results.GrsLongitude);
    return {Stamp(t.ut) + "-grs@veltrax", WindowWord(kKindNames[kSpotKind], language), description, t.ut, t.ut};
}

// "相互食 3E1 ガニメデ→イオ 減光93%", and its maximum in JST in the description.
CalendarEntry MutualEntry(const PlanRow& r, const MutualEvent& e, Language language)
{
    const PlanPhrases& say = PhrasesOf(language);
    const std::string code = MutualCode(e);
    char drop[48];
    std::snprintf(drop, sizeof drop, say.mutualDrop, DropPercent(e));
    const std::string summary = std::string(WindowWord(NamesOf(e.kind), language)) + " " + code + " " +
                                SatelliteWord(e.active, language) + "→" + SatelliteWord(e.passive, language) + drop;
    char description[256];
    std::snprintf(description, sizeof description, say.maximumAt, summary.c_str(),
                  WindowWord(kEdgeNames[kMaximumEdge], language), LocalText(JstOf(r)).c_str());
    const Contacts c = ContactsOf(e);
    return {Stamp(r.ut) + "-" + code + "@veltrax", summary, description, c.startUt, c.endUt};
}

}  // namespace

std::vector<CalendarEntry> CalendarEntries(const std::vector<PlanRow>& rows, Language language)
{
    std::vector<CalendarEntry> out;
    std::vector<bool> used(rows.size(), false);
    for (size_t i = 0; i < rows.size(); ++i) {
        if (used[i])
            continue;
        used[i] = true;
        if (const MutualEvent* m = rows[i].Mutual()) {
            out.push_back(MutualEntry(rows[i], *m, language));
            continue;
        }
        if (const GrsTransit* t = rows[i].Spot()) {
            out.push_back(SpotEntry(*t, language));
            continue;
        }
        const GalileanEvent& e = *rows[i].Satellite();
        const KindNames& kind = NamesOf(e.kind);
        char whatText[96];
        std::snprintf(whatText, sizeof whatText, PhrasesOf(language).satelliteKind, SatelliteWord(e.moon, language),
                      WindowWord(kind, language));
        const std::string what = whatText;
        const std::string uid = Stamp(rows[i].ut) + "-" + kSatelliteNames[e.moon].numeral + "-" + kind.word;
        // A start and the next end of the same satellite and kind make one span.
        bool paired = false;
        if (e.edge == EventEdge::Start) {
            for (size_t j = i + 1; j < rows.size(); ++j) {
                const GalileanEvent* f = rows[j].Satellite();
                if (!f || f->moon != e.moon || f->kind != e.kind)
                    continue;
                if (f->edge == EventEdge::End && !used[j]) {
                    used[j] = paired = true;
                    out.push_back({uid + "@veltrax", what, what, rows[i].ut, rows[j].ut});
                }
                break;
            }
        }
        if (paired)
            continue;
        const std::string edge = std::string(" ") + NamesOf(e.edge).japanese;
        out.push_back({uid + (e.edge == EventEdge::Start ? "-start" : "-end") + "@veltrax", what + edge, what + edge,
                       rows[i].ut, rows[i].ut});
    }
    return out;
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
