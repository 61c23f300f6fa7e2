// SPDX-License-Identifier: GPL-3.0-or-later
// The night plan in the events dialog: the settings' spot's transits beside
// the satellites' events over the range chosen; the
// range and the filter kept in the settings file; the next event after the
// moment selected; the rows shown exported as CSV and as a calendar that
// libical reads back.
#include "support/settings_dir.h"
#include "support/events_dialog_fixture.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"
#include "window/settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>
#include <libical/ical.h>

#include <set>
#include <sstream>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names
using test_support::SettingsDir;
using testing::StartedAt;

EventsDialog& Open(MainWindow& w) { return testing::OpenEventsDialog(w); }


std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

const char kSpot[] = "[GreatRedSpot]\nlongitude=68\nepoch=2025-01-01\ndrift=1.75/month\n";

TEST(NightPlan, TheSettingsSpotTransitsOverSevenDays)
{
    SettingsDir dir;
    dir.Write(kSpot);
    const auto w = StartedAt(2025, 1, 15, 18, 0);
    EventsDialog& d = Open(*w);
    testing::Part<QComboBox>(d, "range")->setCurrentIndex(1);  // 7 days from the moment shown
    int shown = 0;
    for (int row = 0; row < testing::ShownRowCount(d); ++row)
        if (testing::RowShown(d, row).Spot()) {
            ++shown;
            // 68 degrees on January 1 drifting 1.75 a month: 68.8 to 69.2 from January 15 to 22.
            const double longitude = testing::Cell(d, row, 3).mid(3).remove(QStringLiteral("°")).toDouble();
            EXPECT_NEAR(longitude, 69.0, 0.25);
        }
    EXPECT_GE(shown, 16);  // a transit every 9 h 56 min
    EXPECT_LE(shown, 17);

    // The range is kept in the settings file, with the spot's keys.
    const std::string file = dir.Read();
    EXPECT_NE(file.find("range=7"), std::string::npos) << file;
    EXPECT_NE(file.find("longitude=68"), std::string::npos) << file;
}

TEST(NightPlan, RemembersItsChoicesAndSelectsTheNextEvent)
{
    SettingsDir dir;
    dir.Write("[Plan]\nrange=30\nseenOnly=true\n");
    const auto w = StartedAt(2026, 12, 8, 21, 0);
    EventsDialog& d = Open(*w);
    QCheckBox* onlySeen = testing::Part<QCheckBox>(d, "onlySeen");
    EXPECT_EQ(testing::Part<QComboBox>(d, "range")->currentIndex(), 2);
    EXPECT_TRUE(onlySeen->isChecked());
    // The row selected is the first one after 21:00 JST.
    const int current = testing::Table(d)->currentIndex().row();
    ASSERT_GE(current, 0);
    const QString when = testing::Cell(d, current, 0);
    EXPECT_GT(when, QStringLiteral("2026-12-08 21:00:00"));
    for (int row = 0; row < testing::ShownRowCount(d); ++row) {
        const QString t = testing::Cell(d, row, 0);
        EXPECT_FALSE(t > QStringLiteral("2026-12-08 21:00:00") && t < when) << t.toStdString();
    }
    QTest::keyClick(onlySeen, Qt::Key_Space);
    EXPECT_NE(dir.Read().find("seenOnly=false"), std::string::npos) << dir.Read();

    // Closed by the observer, it keeps its place and size for the next time.
    d.resize(900, 600);
    d.close();
    const std::string file = dir.Read();
    EXPECT_NE(file.find(",900,600"), std::string::npos) << file;
    const auto kept = LoadWindowSettings({}).plan.geometry;
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->width, 900);
}

TEST(NightPlan, ExportsTheRowsShown)
{
    SettingsDir dir;
    const auto w = StartedAt(2016, 1, 2, 12, 0);
    EventsDialog& d = Open(*w);
    // The CSV: a header and a line a row.
    EXPECT_EQ(Lines(d.ShownCsv()).size(), static_cast<size_t>(testing::ShownRowCount(d)) + 1);

    // The calendar: every shown moment is an entry's start or end, in UTC.
    const std::string ics = d.ShownCalendar();
    icalcomponent* calendar = icalparser_parse_string(ics.c_str());
    ASSERT_NE(calendar, nullptr);
    std::multiset<std::string> moments;
    int entries = 0;
    for (icalcomponent* e = icalcomponent_get_first_component(calendar, ICAL_VEVENT_COMPONENT); e;
         e = icalcomponent_get_next_component(calendar, ICAL_VEVENT_COMPONENT)) {
        ++entries;
        const icaltimetype start = icalcomponent_get_dtstart(e);
        EXPECT_TRUE(icaltime_is_utc(start));
        moments.insert(icaltime_as_ical_string(start));
        if (icalcomponent_get_first_property(e, ICAL_DTEND_PROPERTY))
            moments.insert(icaltime_as_ical_string(icalcomponent_get_dtend(e)));
    }
    icalcomponent_free(calendar);
    EXPECT_EQ(moments.size(), static_cast<size_t>(testing::ShownRowCount(d)));
    EXPECT_LT(entries, testing::ShownRowCount(d));  // transits and their shadows as spans
}

}  // namespace
}  // namespace veltrax
