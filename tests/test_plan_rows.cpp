// SPDX-License-Identifier: GPL-3.0-or-later
// The planning rows of two satellites' events against the independent
// computation of tests/data/mutual_events_2026_27.csv: what a site sees of
// them, and how every writer gives their drop and maximum.
#include "results/calendar_export.h"
#include "results/night_events.h"
#include "results/plan_text.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <ctime>

namespace veltrax {
namespace {

// The Julian Day (UT) of "2026-12-27T23:49:01Z", from the C library's clock.
double JdOf(const char* iso)
{
    std::tm t{};
    strptime(iso, "%Y-%m-%dT%H:%M:%SZ", &t);
    return 2440587.5 + static_cast<double>(timegm(&t)) / 86400;
}

// The mutual row of that code whose maximum lies within ten minutes of a
// reference maximum.
PlanRow MutualRowNear(const char* iso, const std::string& code, const std::optional<SiteFilter>& site)
{
    RowQuery query;
    query.site = site;
    std::optional<PlanRow> found;
    ForEachPlanRow(RowKind::Mutual, JdOf(iso) - 600.0 / 86400, JdOf(iso) + 600.0 / 86400, query,
                   [&](const PlanRow& r) {
                       if (MutualCode(*r.Mutual()) == code)
                           found = r;
                       return !found;
                   });
    if (!found)
        throw std::runtime_error("no " + code + " near " + iso);
    return *found;
}

TEST(PlanRows, WithASiteAnEventTheEarthCannotSeeIsNotSeen)
{
    // 40 N, 15 E watches Jupiter at each of these maxima; the reference says
    // whether the passive satellite is behind Jupiter or in its shadow.
    const SiteFilter site{Site{40, 15, 0}};
    const struct {
        const char* maxUT;
        const char* code;
        bool seen;
    } rows[] = {
        {"2026-12-27T23:49:01Z", "4E3", false},  // Ganymede behind the planet
        {"2026-12-27T20:49:55Z", "1E3", false},  // Ganymede in the planet's shadow
        {"2026-12-24T04:19:26Z", "3O1", true},
    };
    for (const auto& r : rows) {
        const PlanRow row = MutualRowNear(r.maxUT, r.code, site);
        ASSERT_TRUE(row.view && row.view->watchable) << r.code;
        EXPECT_EQ(row.seen, r.seen) << r.code;
    }
}

TEST(PlanRows, EveryWriterRoundsTheDropAndGivesTheMaximumInJst)
{
    // Europa occults Io: 56.53 % of Io's light at 08:56:19 UT (17:56 JST).
    const PlanRow row = MutualRowNear("2026-09-17T08:56:19Z", "2O1", std::nullopt);
    std::string line;
    WriteRowLine(line, row, {});
    EXPECT_EQ(line.rfind("2026-09-17 17:56:", 0), 0u) << line;
    EXPECT_NE(line.find("drop 57 %"), std::string::npos) << line;
    // The pair unresolved, by hand from V(1,0) Europa -1.41, Io -1.68: it
    // keeps (F_E + 0.4347 F_I) / (F_E + F_I) = 0.682 of its light.
    std::string csv;
    LineStyle style;
    style.csv = true;
    WriteRowLine(csv, row, style);
    EXPECT_EQ(csv.substr(csv.size() - 13), ",0.318,0.415\n") << csv;

    const auto cells = ListCells(row);
    EXPECT_EQ(cells[kWhenColumn].rfind("2026-09-17 17:56:", 0), 0u) << cells[kWhenColumn];
    EXPECT_NE(cells[kEdgeColumn].find("57%"), std::string::npos) << cells[kEdgeColumn];

    icalcomponent* calendar = icalparser_parse_string(WriteICalendar(CalendarEntries({row}), 0).c_str());
    ASSERT_NE(calendar, nullptr);
    icalcomponent* entry = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT);
    ASSERT_NE(entry, nullptr);
    const std::string summary = icalcomponent_get_summary(entry), description = icalcomponent_get_description(entry);
    // Its contacts, 08:54:02 and 08:58:35 UT there, ours about 6.5 s later.
    const double start = icaltime_as_timet(icalcomponent_get_dtstart(entry)) / 86400.0 + 2440587.5;
    const double end = icaltime_as_timet(icalcomponent_get_dtend(entry)) / 86400.0 + 2440587.5;
    icalcomponent_free(calendar);
    EXPECT_NEAR((start - JdOf("2026-09-17T08:54:02Z")) * 86400, 6.5, 3);
    EXPECT_NEAR((end - JdOf("2026-09-17T08:58:35Z")) * 86400, 6.5, 3);
    EXPECT_NE(summary.find("57%"), std::string::npos) << summary;
    EXPECT_NE(description.find("57%"), std::string::npos) << description;
    EXPECT_NE(description.find(" 2026-09-17 17:56:"), std::string::npos) << description;
}

TEST(PlanRows, ARangeStartsWithTheEventsUnderWayAtItsStart)
{
    // Edges from tests/data/events_reference_2026_12.txt (JD TT, taken as UT:
    // 69 s apart), mutual maxima and last contacts from tests/data/mutual_events_2026_27.csv.
    const struct {
        const char* name;
        double startJd, endJd;  // the start (a mutual event's maximum) and the end
        int moon;               // the satellite (-1: a mutual event of that code)
        EventKind kind;
        const char* code;
    } events[] = {
        {"Io's eclipse", 2461383.7367430, 2461383.8331305, 0, EventKind::Eclipse, ""},
        {"Ganymede's shadow", 2461384.3861531, 2461384.5378896, 2, EventKind::Shadow, ""},
        {"Europa's occultation", 2461384.6402316, 2461384.7586145, 1, EventKind::Occultation, ""},
        {"2O3, 2 hours long", JdOf("2026-12-27T11:52:49Z"), JdOf("2026-12-27T12:56:20Z"), -1, EventKind::Transit, "2O3"},
        {"1E3, 2.5 hours long", JdOf("2027-03-02T16:46:39Z"), JdOf("2027-03-02T18:39:54Z"), -1, EventKind::Transit, "1E3"},
    };
    constexpr double kMinute = 1.0 / 1440;
    for (const auto& e : events) {
        // Halfway between its start (or maximum) and its end; ten minutes after its end.
        for (const double from : {(e.startJd + e.endJd) / 2, e.endJd + 10 * kMinute}) {
            const bool underWay = from < e.endJd;
            int listed = 0;
            for (const PlanRow& r : PlanRowsBetween(from, from + 30 * kMinute, RowQuery{}, true)) {
                const GalileanEvent* s = r.Satellite();
                if (r.underWay && (s ? s->moon == e.moon && s->kind == e.kind && s->edge == EventEdge::Start
                                     : MutualCode(*r.Mutual()) == e.code)) {
                    ++listed;
                    EXPECT_NEAR(r.jdUT, e.startJd, 2 * kMinute) << e.name;
                }
            }
            EXPECT_EQ(listed, underWay ? 1 : 0) << e.name << (underWay ? " under way" : " ended");
        }
    }
}

}  // namespace
}  // namespace veltrax
