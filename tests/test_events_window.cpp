// SPDX-License-Identifier: GPL-3.0-or-later
// The "衛星現象" dialog on the real window: the rows for a published night,
// the site and its settings, a row setting the window's moment.
#include "support/settings_dir.h"
#include "support/events_dialog_fixture.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"
#include "window/options.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using test_support::SettingsDir;

using testing::StartedAt;

EventsDialog& Open(MainWindow& w) { return testing::OpenEventsDialog(w); }


// A row of the table as shown: minutes of its JST text from 2016-01-01 0:00
// JST, the event it stands for, whether it is greyed out.
struct Shown {
    double minutes;
    GalileanEvent event;
    bool grey;
    std::string altitude;
};
std::vector<Shown> ShownRows(const EventsDialog& d)
{
    std::vector<Shown> out;
    for (int row = 0; row < testing::ShownRowCount(d); ++row) {
        const GalileanEvent* e = testing::RowShown(d, row).Satellite();
        if (!e)
            continue;  // the spot's transits have their own test
        int y, mo, day, h, mi, s;
        EXPECT_EQ(std::sscanf(testing::Cell(d, row, 0).toLatin1().constData(), "%d-%d-%d %d:%d:%d", &y, &mo, &day, &h, &mi, &s), 6);
        EXPECT_EQ(y * 100 + mo, 201601);
        out.push_back({(day - 1) * 1440.0 + h * 60 + mi + s / 60.0, *e, testing::Greyed(d, row),
                       testing::Cell(d, row, 4).toStdString()});
    }
    return out;
}

// "Phenomena of Jupiter's Moons, January 2016", Sky & Telescope (predictions
// courtesy IMCCE / Paris Observatory), UT to the minute, with 9 hours added
// by hand for JST: every edge from 2016 January 1, 15:00 UT to January 3,
// 15:00 UT (12 hours before and 36 after January 2, 12:00 JST).
struct Published {
    int day, hour, minute;  // JST
    int moon;               // 0 to 3
    EventKind kind;
    EventEdge edge;
};
const Published kNight[] = {
    {2, 0, 39, 0, EventKind::Eclipse, EventEdge::Start},       // 1 15:39 I.Ec.D
    {2, 2, 39, 2, EventKind::Eclipse, EventEdge::End},         // 1 17:39 III.Ec.R
    {2, 4, 6, 2, EventKind::Occultation, EventEdge::Start},    // 1 19:06 III.Oc.D
    {2, 4, 6, 0, EventKind::Occultation, EventEdge::End},      // 1 19:06 I.Oc.R
    {2, 7, 19, 2, EventKind::Occultation, EventEdge::End},     // 1 22:19 III.Oc.R
    {2, 14, 35, 1, EventKind::Eclipse, EventEdge::Start},      // 2 5:35 II.Ec.D
    {2, 19, 41, 1, EventKind::Occultation, EventEdge::End},    // 2 10:41 II.Oc.R
    {2, 20, 32, 3, EventKind::Eclipse, EventEdge::Start},      // 2 11:32 IV.Ec.D
    {2, 22, 1, 0, EventKind::Shadow, EventEdge::Start},        // 2 13:01 I.Sh.I
    {2, 23, 10, 0, EventKind::Transit, EventEdge::Start},      // 2 14:10 I.Tr.I
    {3, 0, 10, 3, EventKind::Eclipse, EventEdge::End},         // 2 15:10 IV.Ec.R
    {3, 0, 16, 0, EventKind::Shadow, EventEdge::End},          // 2 15:16 I.Sh.E
    {3, 1, 24, 0, EventKind::Transit, EventEdge::End},         // 2 16:24 I.Tr.E
    {3, 8, 24, 3, EventKind::Occultation, EventEdge::Start},   // 2 23:24 IV.Oc.D
    {3, 10, 42, 3, EventKind::Occultation, EventEdge::End},    // 3 1:42 IV.Oc.R
    {3, 19, 7, 0, EventKind::Eclipse, EventEdge::Start},       // 3 10:07 I.Ec.D
    {3, 22, 34, 0, EventKind::Occultation, EventEdge::End},    // 3 13:34 I.Oc.R
};

double Minutes(const Published& p) { return (p.day - 1) * 1440.0 + p.hour * 60 + p.minute; }

TEST(EventsDialog, RowsOfAPublishedNightInTimeOrderTheUnseenGreyed)
{
    SettingsDir dir;
    const auto w = StartedAt(2016, 1, 2, 12, 0);
    EventsDialog& d = Open(*w);
    EXPECT_EQ(d.windowTitle().toStdString(), "衛星現象");
    EXPECT_FALSE(d.isModal());
    EXPECT_EQ(d.focusWidget(), testing::Table(d));  // the arrow keys move through the events at once
    const std::vector<Shown> rows = ShownRows(d);
    // Every published edge, within two minutes (their shadow ingress is when
    // the shadow becomes visible, their transit egress may be at the terminator).
    for (const Published& p : kNight) {
        const Shown* match = nullptr;
        for (const Shown& r : rows)
            if (r.event.moon == p.moon && r.event.kind == p.kind && r.event.edge == p.edge &&
                std::fabs(r.minutes - Minutes(p)) <= 2.0)
                match = &r;
        ASSERT_NE(match, nullptr) << "no row for day " << p.day << " " << p.hour << ":" << p.minute;
        // Their shadow ingress is when the shadow shows on the disk; the
        // search's edge is the centre meeting the limb the Sun sees, which two
        // months before opposition lies just over the limb the Earth sees:
        // a row that cannot be seen.
        const bool shadowIngress = p.kind == EventKind::Shadow && p.edge == EventEdge::Start;
        EXPECT_EQ(match->grey, shadowIngress) << "day " << p.day << " " << p.hour << ":" << p.minute;
        EXPECT_TRUE(match->altitude.empty());  // no site
    }
    // The others are the edges that cannot be seen (behind the disk or in
    // the shadow), greyed out; the table is in time order.
    int seen = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        seen += !rows[i].grey;
        EXPECT_EQ(rows[i].grey, !rows[i].event.observable);
        if (i > 0) {
            EXPECT_LE(rows[i - 1].minutes, rows[i].minutes);
        }
        EXPECT_GE(rows[i].minutes, Minutes({2, 0, 0, 0, {}, {}}) - 1);  // 12 h before 12:00 JST
        EXPECT_LE(rows[i].minutes, Minutes({3, 24, 0, 0, {}, {}}) + 1);  // 36 h after
    }
    EXPECT_EQ(seen, static_cast<int>(std::size(kNight)) - 1);

    // "見える現象だけ" without a site: the same events, none greyed, and
    // nothing searched again (the rows found are not replaced).
    const auto* shown = qobject_cast<const QSortFilterProxyModel*>(testing::Table(d)->model());
    ASSERT_NE(shown, nullptr);
    QSignalSpy searches(shown->sourceModel(), &QAbstractItemModel::modelReset);
    QTest::keyClick(testing::Part<QCheckBox>(d, "onlySeen"), Qt::Key_Space);
    EXPECT_EQ(ShownRows(d).size(), static_cast<size_t>(seen));
    EXPECT_EQ(searches.count(), 0);

    // Sorted by satellite with a click on its header, then back by time.
    QHeaderView* header = testing::Table(d)->horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, QPoint(header->sectionViewportPosition(1) + 5, 5));
    const std::vector<Shown> bySatellite = ShownRows(d);
    for (size_t i = 1; i < bySatellite.size(); ++i)
        EXPECT_LE(bySatellite[i - 1].event.moon, bySatellite[i].event.moon);
}

TEST(EventsDialog, ActivatingARowTypesItsMinuteIntoTheFieldsAndTheDialogFollows)
{
    SettingsDir dir;
    const auto w = StartedAt(2016, 1, 2, 12, 0);
    EventsDialog& d = Open(*w);
    QTest::keyClick(testing::Part<QCheckBox>(d, "onlySeen"), Qt::Key_Space);
    // Io's transit egress, published for January 2, 16:24 UT: January 3,
    // 1:24 JST. Double-clicked.
    int row = -1;
    QTableView* table = testing::Table(d);
    for (int i = 0; i < testing::ShownRowCount(d); ++i)
        if (testing::Cell(d, i, 0).startsWith(QStringLiteral("2016-01-03 01:2")))
            row = i;
    ASSERT_GE(row, 0);
    const QString text = testing::Cell(d, row, 0);
    const QRect cell = table->visualRect(testing::CellIndex(d, row, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    const FieldTexts f = FieldsOf(*w);
    const std::string typed = f.Nen + "-" + f.tuki + "-" + f.Hi + " " + f.Jikoku + ":" + f.Hun + ":" + f.Byo;
    // The row's minute, the second dropped.
    char expected[40];
    std::snprintf(expected, sizeof expected, "2016-1-3 1:%d:0", text.mid(14, 2).toInt());
    EXPECT_EQ(typed, expected);
    EXPECT_TRUE(d.isVisible());
    const double moved = w->State().results.CurrentJDE;

    // The dialog follows the new moment: 12 hours before 01:2x JST is
    // January 2, 13:2x, so the morning's events have gone.
    QTest::qWait(400);
    for (const Shown& r : ShownRows(d))
        EXPECT_GE(r.minutes, Minutes({2, 13, 20, 0, {}, {}}));

    // Return on the first row, keyboard only.
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Home, Qt::ControlModifier);
    const QString first = testing::Cell(d, table->currentIndex().row(), 0);
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_NE(w->State().results.CurrentJDE, moved);
    EXPECT_EQ(FieldsOf(*w).Jikoku, std::to_string(first.mid(11, 2).toInt()));
    EXPECT_TRUE(d.isVisible());
}

TEST(EventsDialog, BadSiteValuesAreReportedIgnoredAndLeftUntilSaved)
{
    const struct {
        const char* file;
        const char* key;
    } bad[] = {
        {"[Site]\nlatitude=95\nlongitude=139.77\n", "latitude"},
        {"[Site]\nlatitude=35.68\nlongitude=east\n", "longitude"},
        {"[Site]\nlatitude=35.68\nlongitude=139.77\nheight=20000\n", "height"},
        {"[Site]\nlatitude=35.68\n", "longitude"},
    };
    for (const auto& b : bad) {
        SCOPED_TRACE(b.file);
        SettingsDir dir;
        dir.Write(b.file);
        const WindowSettings s = LoadWindowSettings({});
        EXPECT_FALSE(s.site.has_value());
        const std::vector<std::string> report = SettingsReport(s);
        ASSERT_EQ(report.size(), 1u);
        EXPECT_NE(report[0].find(std::string("[Site] ") + b.key), std::string::npos) << report[0];
        const auto w = StartedAt(2016, 1, 2, 12, 0);
        EventsDialog& d = Open(*w);
        const QLabel* note = testing::Part<QLabel>(d, "note");
        EXPECT_TRUE(note->isVisibleTo(&d));
        EXPECT_NE(note->text().toStdString().find(b.key), std::string::npos);
        EXPECT_EQ(dir.Read(), b.file);
    }

    // Refused in the dialog, then saved once good.
    SettingsDir dir;
    dir.Write("[Site]\nlatitude=95\nlongitude=139.77\n[View]\nshadows=false\n");
    const auto w = StartedAt(2016, 1, 2, 12, 0);
    EventsDialog& d = Open(*w);
    QLineEdit* latitude = testing::Part<QLineEdit>(d, "latitude");
    QPushButton* save = testing::Part<QPushButton>(d, "saveSite");
    QTest::keyClicks(latitude, QStringLiteral("abc"));
    EXPECT_FALSE(testing::Part<QLabel>(d, "siteMessage")->text().isEmpty());
    EXPECT_FALSE(save->isEnabled());
    latitude->clear();
    QTest::keyClicks(latitude, QStringLiteral("35.68"));
    QTest::keyClicks(testing::Part<QLineEdit>(d, "longitude"), QStringLiteral("139.77"));
    EXPECT_TRUE(save->isEnabled());
    QTest::keyClick(save, Qt::Key_Space);
    const std::string saved = dir.Read();
    for (const char* line : {"latitude=35.68", "longitude=139.77", "shadows=false"})
        EXPECT_NE(saved.find(line), std::string::npos) << saved;
    EXPECT_TRUE(LoadWindowSettings({}).site.has_value());
}

}  // namespace
}  // namespace veltrax
