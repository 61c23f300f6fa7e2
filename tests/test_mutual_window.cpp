// SPDX-License-Identifier: GPL-3.0-or-later
// The events dialog lists the satellites' events with each other among the
// others, and a row of one sets the window to its maximum's minute.
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"

#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using test_support::SettingsDir;
using testing::StartedAt;

// Ganymede eclipses Io on 2027 January 8 with its maximum at 01:00:42 UT in
// the independent computation of tests/data/mutual_events_2026_27.csv (whose
// Delta T is 6.5 s longer than ours): 10:00:48 JST here, 93 % of Io's light.
TEST(EventsDialog, ListsTheMutualEventsAndARowSetsTheMaximumsMinute)
{
    SettingsDir dir;
    const auto w = StartedAt(2027, 1, 8, 9, 0);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
    ASSERT_NE(w->findChild<EventsDialog*>(), nullptr);
    EventsDialog& d = *w->findChild<EventsDialog*>();

    int mutual = -1, others = 0;
    for (int row = 0; row < d.table->rowCount(); ++row) {
        if (d.table->item(row, 2)->text() == QStringLiteral("相互食") &&
            d.table->item(row, 1)->text().startsWith(QStringLiteral("3E1")))
            mutual = row;
        else
            ++others;
    }
    ASSERT_GE(mutual, 0);
    EXPECT_GT(others, 5);  // the satellites' events with Jupiter are still there
    const QString when = d.table->item(mutual, 0)->text();
    EXPECT_TRUE(when.startsWith(QStringLiteral("2027-01-08 10:00:4")) || when.startsWith(QStringLiteral("2027-01-08 10:00:5")))
        << when.toStdString();
    EXPECT_EQ(d.table->item(mutual, 3)->text(), QStringLiteral("極大 減光93%"));

    const QRect cell = d.table->visualItemRect(d.table->item(mutual, 2));
    QTest::mouseClick(d.table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(d.table->viewport(), Qt::LeftButton, {}, cell.center());
    const FieldTexts f = FieldsOf(*w);
    EXPECT_EQ(f.Nen + "-" + f.tuki + "-" + f.Hi + " " + f.Jikoku + ":" + f.Hun + ":" + f.Byo, "2027-1-8 10:0:0");
}

}  // namespace
}  // namespace veltrax
