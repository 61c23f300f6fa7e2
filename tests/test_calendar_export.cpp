// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's --ics calendars read back with libical: one entry per
// transit, shadow transit, occultation or eclipse whose start and end are
// both listed (spanning them), one at its instant for a lone edge, in UTC.
// (The mutual events' entries: test_plan_rows.)
#include "support/run_ephem.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <iterator>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InProcess;

struct Entry {
    std::string start, end;  // "2026-12-08T09:38:32Z"; end empty for an instant
};

std::string Iso(icaltimetype t)
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day, t.hour, t.minute, t.second);
    return buf;
}

std::vector<Entry> ReadBack(const std::string& text)
{
    std::vector<Entry> out;
    icalcomponent* calendar = icalparser_parse_string(text.c_str());
    EXPECT_NE(calendar, nullptr);
    if (!calendar)
        return out;
    EXPECT_EQ(icalcomponent_isa(calendar), ICAL_VCALENDAR_COMPONENT);
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        const icaltimetype start = icalcomponent_get_dtstart(e);
        EXPECT_TRUE(icaltime_is_utc(start));
        Entry x{Iso(start), ""};
        if (icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY))
            x.end = Iso(icalcomponent_get_dtend(e));
        EXPECT_NE(icalcomponent_get_uid(e), nullptr);
        out.push_back(x);
    }
    icalcomponent_free(calendar);
    return out;
}

// Minutes of the day of "2016-01-02T14:09:50Z"; -1 for none.
double Minutes(const std::string& iso)
{
    return iso.empty() ? -1 : std::stoi(iso.substr(11, 2)) * 60 + std::stoi(iso.substr(14, 2)) + std::stoi(iso.substr(17, 2)) / 60.0;
}

TEST(CalendarExport, SatelliteEventsPairedIntoSpans)
{
    // 2016 January 2, 00:00 to 21:00 UT, as published (Sky & Telescope,
    // January 2016, from IMCCE) to the minute: Callisto's eclipse and Io's
    // transit whole, Europa's two edges and the end of Io's shadow transit
    // (its start cannot be seen) alone.
    const std::pair<double, double> published[] = {  // minutes of the day, UT; the end -1 for an instant
        {5 * 60 + 35, -1}, {10 * 60 + 41, -1}, {11 * 60 + 32, 15 * 60 + 10}, {14 * 60 + 10, 16 * 60 + 24}, {15 * 60 + 16, -1}};
    const auto ran = InProcess({"events", "2016-01-02 00:00", "2016-01-02 21:00", "--utc", "--site", "none", "--ics"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::vector<Entry> entries = ReadBack(ran.out);
    ASSERT_EQ(entries.size(), std::size(published));
    for (size_t i = 0; i < entries.size(); ++i) {
        EXPECT_NEAR(Minutes(entries[i].start), published[i].first, 2) << entries[i].start;
        EXPECT_EQ(entries[i].end.empty(), published[i].second < 0) << entries[i].start;
        EXPECT_NEAR(Minutes(entries[i].end), published[i].second, 2) << entries[i].end;
    }
}

TEST(CalendarExport, RefusedWhereItDoesNotApply)
{
    for (const Args& bad : std::vector<Args>{{"table", "2027-01-01", "2027-01-02", "1h", "--ics"},
                                             {"events", "2027-01-01", "2027-01-02", "--ics", "--csv"}}) {
        const auto r = InProcess(bad);
        EXPECT_EQ(r.status, 64);
        EXPECT_TRUE(r.out.empty());
    }
}

}  // namespace
}  // namespace veltrax
