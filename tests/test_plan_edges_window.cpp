// SPDX-License-Identifier: GPL-3.0-or-later
// The events dialog and the picture agreeing at the edges: the rows a site
// cannot watch are greyed (and only with a site), and a satellite listed as
// entering or leaving Jupiter's shadow changes colour in the picture at that
// second.
#include "support/settings_dir.h"
#include "support/events_dialog_fixture.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <QTest>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using test_support::SettingsDir;
using testing::StartedAt;

EventsDialog& Open(MainWindow& w) { return testing::OpenEventsDialog(w); }


// The event a satellite's row stands for; none for a spot's transit or an
// event of two satellites.
const GalileanEvent* EventOf(const EventsDialog& d, int row) { return testing::RowShown(d, row).Satellite(); }

// The table's row for a satellite (0 to 3) whose JST text starts with
// `minute` ("2016-01-02 07:18"); -1 when there is none.
int RowAt(const EventsDialog& d, const char* minute, int moon)
{
    for (int row = 0; row < testing::ShownRowCount(d); ++row)
        if (EventOf(d, row) && testing::Cell(d, row, 0).startsWith(QString::fromLatin1(minute)) &&
            EventOf(d, row)->moon == moon)
            return row;
    return -1;
}

TEST(EventsDialogEdges, RowsTheSiteCannotWatchAreGreyOnlyWithASite)
{
    // Tokyo (35.68 N, 139.77 E, 40 m), the list around 2016-01-02 12:00 JST.
    // Altitudes of Jupiter and the Sun at each edge from the astronomy-engine
    // package (npm, 2.1.19; Horizon with normal refraction); "seen from the
    // Earth" is the edge's observability.
    const struct {
        const char* minute;  // JST
        int moon;
        double jupiterDeg, sunDeg;
        bool seenFromEarth;
        bool greyWithSite;  // not seen, Jupiter under 10 degrees or the Sun over -6
    } rows[] = {
        {"2016-01-02 00:38", 0, 27.2, -72.5, true, false},   // I eclipse starts: night
        {"2016-01-02 04:05", 2, 57.5, -32.2, true, false},   // III occultation starts
        {"2016-01-02 07:18", 2, 40.4, 4.3, true, true},      // III occultation ends after sunrise
        {"2016-01-02 14:34", 1, -41.4, 18.9, true, true},    // II eclipse starts by day
        {"2016-01-02 21:59", 0, -3.6, -63.7, false, true},   // I shadow starts unseen
        {"2016-01-03 01:24", 0, 36.7, -64.7, true, false},   // I transit ends
        {"2016-01-03 22:33", 0, 3.7, -69.7, true, true},     // I occultation ends, Jupiter low
    };
    for (const bool withSite : {false, true}) {
        SCOPED_TRACE(withSite ? "Tokyo" : "no site");
        SettingsDir dir;
        if (withSite)
            dir.Write("[Site]\nlatitude=35.68\nlongitude=139.77\nheight=40\n");
        const auto w = StartedAt(2016, 1, 2, 12, 0);
        EventsDialog& d = Open(*w);
        for (const auto& r : rows) {
            SCOPED_TRACE(r.minute);
            const int row = RowAt(d, r.minute, r.moon);
            ASSERT_GE(row, 0);
            EXPECT_EQ(testing::Greyed(d, row), withSite ? r.greyWithSite : !r.seenFromEarth);
            EXPECT_EQ(testing::Cell(d, row, 4).isEmpty(), !withSite);
            if (withSite) {
                EXPECT_NEAR(testing::Cell(d, row, 4).remove(QStringLiteral("°")).toDouble(), r.jupiterDeg, 0.15);
            }
        }
        // "見える現象だけ" keeps exactly the rows not greyed.
        int seen = 0;
        for (int row = 0; row < testing::ShownRowCount(d); ++row)
            seen += !testing::Greyed(d, row);
        QTest::keyClick(testing::Part<QCheckBox>(d, "onlySeen"), Qt::Key_Space);
        EXPECT_EQ(testing::ShownRowCount(d), seen);
        if (!withSite)
            continue;
        // The site cleared in the dialog: cleared in the window, no altitudes.
        EXPECT_EQ(testing::Part<QLineEdit>(d, "latitude")->text().toStdString(), "35.68");
        testing::Part<QLineEdit>(d, "latitude")->clear();
        testing::Part<QLineEdit>(d, "longitude")->clear();
        EXPECT_FALSE(w->Settings().site.has_value());
        EXPECT_TRUE(testing::Cell(d, 0, 4).isEmpty());
    }
}

// The satellite's drawn centre in the picture's pixels and its colour there.
std::string MoonColour(const MainWindow& w, int moon)
{
    const int n = moon + 1;  // the scene's bodies: the planet, then I to IV
    const QPointF at = Form(w).Picture1->ToPixels(static_cast<float>(double(w.State().view.magnify) * (w.State().geometry.centerX + w.State().geometry.bodyX[n])),
                                            static_cast<float>(double(w.State().view.magnify) * (w.State().geometry.centerY + w.State().geometry.bodyY[n]))) *
                       Form(w).Picture1->Image().devicePixelRatio();
    const QColor c = Form(w).Picture1->Image().pixelColor(static_cast<int>(at.x()), static_cast<int>(at.y()));
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

// Types a JST moment into the six fields, as the observer would.
void SetFields(MainWindow& w, const QDateTime& jst)
{
    Form(w).Nen->setText(QString::number(jst.date().year()));
    Form(w).tuki->setText(QString::number(jst.date().month()));
    Form(w).Hi->setText(QString::number(jst.date().day()));
    Form(w).Jikoku->setText(QString::number(jst.time().hour()));
    Form(w).Hun->setText(QString::number(jst.time().minute()));
    Form(w).Byo->setText(QString::number(jst.time().second()));
}

TEST(EventsDialogEdges, PictureDarkensASatelliteAtItsListedEclipse)
{
    // Every eclipse edge the list says can be seen, around 2016-01-02 12:00
    // JST: 30 seconds inside the eclipse the satellite is drawn dark grey
    // (0x404040), 30 seconds outside it keeps its own colour; 3 seconds too.
    SettingsDir dir;
    dir.Write("[View]\nshadows=true\n");
    const auto w = StartedAt(2016, 1, 2, 12, 0);
    EventsDialog& d = Open(*w);
    QTest::keyClick(testing::Part<QCheckBox>(d, "onlySeen"), Qt::Key_Space);
    struct Edge {
        QDateTime jst;
        int moon;
        bool start;
    };
    std::vector<Edge> edges;
    for (int row = 0; row < testing::ShownRowCount(d); ++row) {
        if (!EventOf(d, row))
            continue;
        const GalileanEvent& e = *EventOf(d, row);
        if (e.kind != EventKind::Eclipse)
            continue;
        // The JST text read as a plain clock, so that adding seconds is
        // plain arithmetic.
        QDateTime t = QDateTime::fromString(testing::Cell(d, row, 0), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        t.setTimeZone(QTimeZone::utc());
        ASSERT_TRUE(t.isValid());
        edges.push_back({t, e.moon, e.edge == EventEdge::Start});
    }
    // 2016-01-02 00:39 I, 02:39 III (end), 14:35 II, 20:32 IV, 2016-01-03
    // 00:10 IV (end), 19:07 I: published (Sky & Telescope, January 2016).
    ASSERT_GE(edges.size(), 6u);
    const std::string dark = "64,64,64";
    for (const Edge& e : edges) {
        SCOPED_TRACE(e.jst.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")).toStdString() + " moon " +
                     std::to_string(e.moon + 1) + (e.start ? " start" : " end"));
        // The listed second is the edge to within half a second; the
        // picture follows the same theory and the same time scales, so it
        // changes within a few seconds of it, not just within the minute.
        for (const int seconds : {30, 3}) {
            SCOPED_TRACE(seconds);
            SetFields(*w, e.jst.addSecs(e.start ? seconds : -seconds));
            EXPECT_EQ(MoonColour(*w, e.moon), dark);
            SetFields(*w, e.jst.addSecs(e.start ? -seconds : seconds));
            EXPECT_NE(MoonColour(*w, e.moon), dark);
            EXPECT_NE(MoonColour(*w, e.moon), "0,0,0");  // drawn, not behind the planet or off the picture
        }
    }
}

}  // namespace
}  // namespace veltrax
