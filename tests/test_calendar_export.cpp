// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's --ics calendars read back with libical: one entry per
// transit, shadow transit, occultation or eclipse whose start and end are
// both listed (spanning them), one at its instant for a lone edge or a spot's
// transit, one spanning each mutual event; every time the CSV's, in UTC.
#include "support/csv.h"
#include "support/run_ephem.h"

#include <gtest/gtest.h>
#include <libical/ical.h>

#include <map>
#include <set>
#include <sstream>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InProcess;

struct Entry {
    std::string start, end, summary;  // "2026-12-08T09:38:32Z"; end empty for an instant
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
        Entry x{Iso(start), "", icalcomponent_get_summary(e) ? icalcomponent_get_summary(e) : ""};
        if (icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY))
            x.end = Iso(icalcomponent_get_dtend(e));
        EXPECT_NE(icalcomponent_get_uid(e), nullptr);
        out.push_back(x);
    }
    icalcomponent_free(calendar);
    return out;
}

std::vector<std::vector<std::string>> Csv(const std::string& text)
{
    return test_support::CsvRows(text, true);
}

TEST(CalendarExport, SatelliteEventsPairedIntoSpans)
{
    // 2016 January 2, 00:00 to 21:00 UT: Io's transit and shadow transit
    // whole, and edges whose partner lies outside the range.
    const Args range{"events", "2016-01-02 00:00", "2016-01-02 21:00", "--utc", "--site", "none"};
    Args csv = range, ics = range;
    csv.push_back("--csv");
    ics.push_back("--ics");
    const auto rows = Csv(InProcess(csv).out);  // UT,moon,kind,edge,observable,...
    const auto ran = InProcess(ics);
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::vector<Entry> entries = ReadBack(ran.out);
    ASSERT_FALSE(rows.empty());

    // Every listed edge appears exactly once, as a start, an end or an instant.
    std::multiset<std::string> listed, exported;
    for (const auto& r : rows)
        listed.insert(r[0]);
    size_t spans = 0;
    for (const Entry& e : entries) {
        exported.insert(e.start);
        if (!e.end.empty()) {
            exported.insert(e.end);
            ++spans;
            EXPECT_LT(e.start, e.end);
        }
    }
    EXPECT_EQ(exported, listed);
    EXPECT_GT(spans, 0u);
    // A span is a start and the next end of one satellite and kind.
    for (const Entry& e : entries) {
        if (e.end.empty())
            continue;
        const std::vector<std::string>* first = nullptr;
        const std::vector<std::string>* last = nullptr;
        for (const auto& r : rows) {
            if (r[0] == e.start)
                first = &r;
            if (r[0] == e.end)
                last = &r;
        }
        ASSERT_TRUE(first && last);
        EXPECT_EQ((*first)[1], (*last)[1]);
        EXPECT_EQ((*first)[2], (*last)[2]);
        EXPECT_EQ((*first)[3], "start");
        EXPECT_EQ((*last)[3], "end");
    }
}

TEST(CalendarExport, SpotTransitsAndMutualEvents)
{
    const auto transits = Csv(InProcess({"grs-transits", "2025-01-15 18:00", "2025-01-18 06:00", "--utc", "--csv",
                                         "--grs", "68@2025-01-01,1.75/month", "--site", "none"})
                                  .out);
    const auto ics = InProcess({"grs-transits", "2025-01-15 18:00", "2025-01-18 06:00", "--utc", "--ics", "--grs",
                                "68@2025-01-01,1.75/month", "--site", "none"});
    ASSERT_EQ(ics.status, 0) << ics.err;
    const auto spot = ReadBack(ics.out);
    ASSERT_EQ(spot.size(), transits.size());
    for (size_t i = 0; i < spot.size(); ++i) {
        EXPECT_EQ(spot[i].start, transits[i][0]);
        EXPECT_TRUE(spot[i].end.empty());
        EXPECT_EQ(spot[i].summary, "大赤斑の子午線通過");
    }

    const auto mutual = Csv(InProcess({"mutual", "2027-01-01", "2027-02-01", "--utc", "--csv", "--site", "none"}).out);
    const auto mics = InProcess({"mutual", "2027-01-01", "2027-02-01", "--utc", "--ics", "--site", "none"});
    ASSERT_EQ(mics.status, 0) << mics.err;
    const auto spans = ReadBack(mics.out);
    ASSERT_EQ(spans.size(), mutual.size());
    for (size_t i = 0; i < spans.size(); ++i) {
        EXPECT_EQ(spans[i].start, mutual[i][5]);  // start_UT
        EXPECT_EQ(spans[i].end, mutual[i][6]);    // end_UT
        EXPECT_NE(spans[i].summary.find(mutual[i][1]), std::string::npos) << spans[i].summary;  // the code
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
