// SPDX-License-Identifier: GPL-3.0-or-later
// The longitude grid and the read-out under the pointer on the real window.
#include "platform/twips.h"
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/disk_readout.h"
#include "window/background_menu.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSlider>
#include <gtest/gtest.h>

#include <cmath>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using test_support::SettingsDir;
using testing::StartedAt;

// The pointer moved to a point of the picture (widget pixels, fractions kept).
QString PointAt(MainWindow& w, QPointF px)
{
    QMouseEvent move(QEvent::MouseMove, px, Form(w).Picture1->mapToGlobal(px), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Form(w).Picture1, &move);
    EXPECT_EQ(Form(w).Picture1->accessibleDescription(), Form(w).Picture1->toolTip());
    return Form(w).Picture1->toolTip();
}

QPointF DiskCentre(const MainWindow& w)
{
    return Form(w).Picture1->ToPixels(static_cast<float>(double(w.State().view.magnify) * w.State().geometry.centerX),
                                static_cast<float>(double(w.State().view.magnify) * w.State().geometry.centerY));
}

struct Reading {
    double lon[3], lat;
};

// The read-out's text, which must have the window's form.
Reading Parse(const QString& tip)
{
    static const QRegularExpression form(QStringLiteral(
        "^Ⅰ=(\\d{3}\\.\\d)°\u3000Ⅱ=(\\d{3}\\.\\d)°\u3000Ⅲ=(\\d{3}\\.\\d)°\u3000緯度=([+-]\\d{1,2}\\.\\d)°$"));
    const QRegularExpressionMatch m = form.match(tip);
    EXPECT_TRUE(m.hasMatch()) << tip.toStdString();
    Reading r{};
    for (int i = 0; i < 3; ++i)
        r.lon[i] = m.captured(i + 1).toDouble();
    r.lat = m.captured(4).toDouble();
    return r;
}

double AngleApart(double a, double b)
{
    return std::fabs(std::remainder(a - b, 360.0));
}

int CountColour(const QImage& img, QRgb c)
{
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (c & 0xFFFFFF);
    return n;
}

TEST(DiskReadoutWindow, OffByDefaultNoTipAndThePictureComesBackWhole)
{
    SettingsDir dir;
    const auto w = StartedAt(2026, 12, 8, 13, 5);
    QAction* grid = Action(*w, "gridAction");
    EXPECT_EQ(grid->text(), QStringLiteral("経度線"));
    EXPECT_FALSE(grid->isChecked());
    EXPECT_TRUE(Named<QMenu>(*w, "backgroundMenu")->actions().contains(grid));
    const bool tracking = Form(*w).Picture1->hasMouseTracking();
    const QImage plain = Form(*w).Picture1->Image();
    EXPECT_TRUE(PointAt(*w, DiskCentre(*w)).isEmpty());
    EXPECT_EQ(CountColour(plain, qRgb(0, 0xA0, 0)), 0);

    grid->trigger();
    EXPECT_NE(dir.Read().find("grid=true"), std::string::npos) << dir.Read();
    const QImage on = Form(*w).Picture1->Image();
    EXPECT_NE(on, plain);
    EXPECT_GT(CountColour(on, qRgb(0, 0xA0, 0)), 100);     // meridians and equator
    EXPECT_GT(CountColour(on, qRgb(0xFF, 0, 0xFF)), 10);   // the central meridian
    EXPECT_TRUE(Form(*w).Picture1->hasMouseTracking());
    EXPECT_FALSE(PointAt(*w, DiskCentre(*w)).isEmpty());

    grid->trigger();
    EXPECT_NE(dir.Read().find("grid=false"), std::string::npos) << dir.Read();
    EXPECT_EQ(Form(*w).Picture1->Image(), plain);
    EXPECT_TRUE(Form(*w).Picture1->toolTip().isEmpty());
    EXPECT_TRUE(Form(*w).Picture1->accessibleDescription().isEmpty());
    EXPECT_EQ(Form(*w).Picture1->hasMouseTracking(), tracking);
    EXPECT_TRUE(PointAt(*w, DiskCentre(*w)).isEmpty());
}

TEST(DiskReadoutWindow, CentreReadsTheWholeDiskMeridiansAndTheCornerNothing)
{
    SettingsDir dir;
    dir.Write("[View]\ngrid=true\n");
    const auto w = StartedAt(2026, 12, 8, 13, 5);
    ASSERT_TRUE(Action(*w, "gridAction")->isChecked());
    // The results layer's whole-disk meridians for the fields shown.
    const RecalcOutcome o = Recalculate(FieldsOf(*w), w->State().monthDays, w->Settings().grs.Source(GrsTable::Standard()));
    ASSERT_TRUE(o.ok());
    const double want[3] = {o.results->CM1Whole, o.results->CM2Whole, o.results->CM3Whole};
    const Reading r = Parse(PointAt(*w, DiskCentre(*w)));
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(AngleApart(r.lon[i], want[i]), 0.051) << "system " << i + 1 << ": " << r.lon[i] << " want " << want[i];
    // The Earth stays within about 4 degrees of Jupiter's equator.
    EXPECT_LE(std::fabs(r.lat), 4.5);
    // Off the disk: the picture's corner, and just outside the limb on the equator.
    EXPECT_TRUE(PointAt(*w, QPointF(1, 1)).isEmpty());
    const double rPx = w->State().geometry.bodies.BodySize[0] / platform::TwipsPerPixel();
    EXPECT_TRUE(PointAt(*w, DiskCentre(*w) + QPointF(rPx * 1.05, 0)).isEmpty());
    EXPECT_FALSE(PointAt(*w, DiskCentre(*w) + QPointF(rPx * 0.9, 0)).isEmpty());
}

TEST(DiskReadoutWindow, SpotCentreReadsTheSpotsLongitudeInEveryView)
{
    const struct {
        const char* name;
        bool inverted, mirror;
        int magnify;
        bool pan;
    } rows[] = {
        {"erect_wide", false, false, 1, false},
        {"inverted_wide", true, false, 1, false},
        {"inverted_mirror_6", true, true, 6, false},
        {"erect_mirror_6", false, true, 6, false},
        {"inverted_6_panned", true, false, 6, true},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SettingsDir dir;
        dir.Write(r.mirror ? "[View]\ngrid=true\nmirror=true\n" : "[View]\ngrid=true\n");
        const auto w = StartedAt(2026, 12, 8, 13, 5);
        Form(*w).Option1[r.inverted ? 1 : 0]->click();
        if (r.magnify == 6) {
            Form(*w).Slider1->setValue(6);
            Form(*w).Command2->click();
            Form(*w).Command2->click();
        } else {
            Form(*w).Command2->click();
        }
        ASSERT_EQ(w->State().view.magnify, r.magnify);
        // An hour at which the spot faces the Earth (the disk turns in ten).
        for (int h = 0; h < 10 && !w->findChild<DiskReadout*>()->SpotTwips(); ++h)
            Form(*w).Jikoku->setText(QString::number(h * 2));
        ASSERT_TRUE(w->findChild<DiskReadout*>()->SpotTwips().has_value());
        if (r.pan) {
            Form(*w).Check1->setChecked(true);
            Form(*w).Picture1->MouseDown(2, 0, 0, 0);  // the pan starts from (0, 0)
            Form(*w).Picture1->MouseMove(1, 0, 240, 120);  // the view moves 200 twips left, 100 up
        }
        const QPointF spot = *w->findChild<DiskReadout*>()->SpotTwips();
        const QPointF px = Form(*w).Picture1->ToPixels(float(spot.x()), float(spot.y()));
        // The spot's red is drawn there (the grid may cross it).
        const QImage img = Form(*w).Picture1->Image();
        const qreal dpr = img.devicePixelRatio();
        int red = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                red += (img.pixel(int(px.x() * dpr) + dx, int(px.y() * dpr) + dy) & 0xFFFFFF) == 0xFF0000;
        EXPECT_GE(red, 12);
        const Reading got = Parse(PointAt(*w, px));
        EXPECT_LE(AngleApart(got.lon[1], w->State().results.GrsLongitude), 0.1) << got.lon[1] << " want " << w->State().results.GrsLongitude;
        EXPECT_NEAR(got.lat, -22.0, 0.1);
    }
}

// Longitudes in tenths of a degree within one turn: 360.0 is written 000.0.
TEST(DiskReadoutWindow, LongitudeRoundedToAFullTurnReadsZero)
{
    const double rows[][2] = {{359.94, 359.9}, {359.96, 0}, {-0.01, 0}, {0.04, 0}, {-0.06, 359.9}};
    for (const auto& [lon, shown] : rows)
        for (double got : Parse(DiskReadout::Text(DiskReading{{lon, lon, lon}, 0})).lon)
            EXPECT_EQ(got, shown) << lon;
}

TEST(DiskReadoutWindow, BadGridValueIsReportedOnceAndLeftOff)
{
    for (const char* file : {"[View]\ngrid=1\n", "[View]\ngrid=on\nmirror=true\n"}) {
        SCOPED_TRACE(file);
        SettingsDir dir;
        dir.Write(file);
        const WindowSettings s = LoadWindowSettings({});
        EXPECT_FALSE(s.view.grid);
        const std::vector<std::string> report = SettingsReport(s);
        ASSERT_EQ(report.size(), 1u);
        EXPECT_NE(report[0].find("[View] grid"), std::string::npos) << report[0];
        const auto w = StartedAt(2026, 12, 8, 13, 5);
        EXPECT_FALSE(Action(*w, "gridAction")->isChecked());
        EXPECT_EQ(dir.Read(), file);
    }
}

}  // namespace
}  // namespace veltrax
