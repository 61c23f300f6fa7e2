// SPDX-License-Identifier: GPL-3.0-or-later
// The events dialog lists the satellites' events with each other among the
// others, and a row of one sets the window to its maximum's minute.
#include "support/settings_dir.h"
#include "support/events_dialog_fixture.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"

#include <QTableView>
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
    EventsDialog& d = testing::OpenEventsDialog(*w);

    int mutual = -1, others = 0;
    for (int row = 0; row < testing::ShownRowCount(d); ++row) {
        if (testing::Cell(d, row, 2) == QStringLiteral("相互食") &&
            testing::Cell(d, row, 1).startsWith(QStringLiteral("3E1")))
            mutual = row;
        else
            ++others;
    }
    ASSERT_GE(mutual, 0);
    EXPECT_GT(others, 5);  // the satellites' events with Jupiter are still there
    const QString when = testing::Cell(d, mutual, 0);
    EXPECT_TRUE(when.startsWith(QStringLiteral("2027-01-08 10:00:4")) || when.startsWith(QStringLiteral("2027-01-08 10:00:5")))
        << when.toStdString();
    EXPECT_EQ(testing::Cell(d, mutual, 3), QStringLiteral("極大 減光93%"));

    QTableView* table = testing::Table(d);
    const QRect cell = table->visualRect(testing::CellIndex(d, mutual, 2));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    const FieldTexts f = FieldsOf(*w);
    EXPECT_EQ(f.Nen + "-" + f.tuki + "-" + f.Hi + " " + f.Jikoku + ":" + f.Hun + ":" + f.Byo, "2027-1-8 10:0:0");
}

}  // namespace
}  // namespace veltrax
