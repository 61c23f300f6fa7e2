// SPDX-License-Identifier: GPL-3.0-or-later
// The longitude grid and the read-out under the pointer on the real window.
#include "platform/twips.h"
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/disk_readout.h"
#include "window/view_options.h"

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

using test_support::SettingsDir;
using testing::StartedAt;

// The pointer moved to a point of the picture (widget pixels, fractions kept).
QString PointAt(MainWindow& w, QPointF px)
{
    QMouseEvent move(QEvent::MouseMove, px, w.Picture1->mapToGlobal(px), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w.Picture1, &move);
    EXPECT_EQ(w.Picture1->accessibleDescription(), w.Picture1->toolTip());
    return w.Picture1->toolTip();
}

QPointF DiskCentre(const MainWindow& w)
{
    return w.Picture1->ToPixels(static_cast<float>(double(w.Magnify) * w.global.CenterX),
                                static_cast<float>(double(w.Magnify) * w.global.CenterY));
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
    QAction* grid = w->viewOptions->GridAction();
    EXPECT_EQ(grid->text(), QStringLiteral("経度線"));
    EXPECT_FALSE(grid->isChecked());
    EXPECT_TRUE(w->backgroundMenu->actions().contains(grid));
    const bool tracking = w->Picture1->hasMouseTracking();
    const QImage plain = w->Picture1->Image();
    EXPECT_TRUE(PointAt(*w, DiskCentre(*w)).isEmpty());
    EXPECT_EQ(CountColour(plain, qRgb(0, 0xA0, 0)), 0);

    grid->trigger();
    EXPECT_NE(dir.Read().find("grid=true"), std::string::npos) << dir.Read();
    const QImage on = w->Picture1->Image();
    EXPECT_NE(on, plain);
    EXPECT_GT(CountColour(on, qRgb(0, 0xA0, 0)), 100);     // meridians and equator
    EXPECT_GT(CountColour(on, qRgb(0xFF, 0, 0xFF)), 10);   // the central meridian
    EXPECT_TRUE(w->Picture1->hasMouseTracking());
    EXPECT_FALSE(PointAt(*w, DiskCentre(*w)).isEmpty());

    grid->trigger();
    EXPECT_NE(dir.Read().find("grid=false"), std::string::npos) << dir.Read();
    EXPECT_EQ(w->Picture1->Image(), plain);
    EXPECT_TRUE(w->Picture1->toolTip().isEmpty());
    EXPECT_TRUE(w->Picture1->accessibleDescription().isEmpty());
    EXPECT_EQ(w->Picture1->hasMouseTracking(), tracking);
    EXPECT_TRUE(PointAt(*w, DiskCentre(*w)).isEmpty());
}

TEST(DiskReadoutWindow, CentreReadsTheWholeDiskMeridiansAndTheCornerNothing)
{
    SettingsDir dir;
    dir.Write("[View]\ngrid=true\n");
    const auto w = StartedAt(2026, 12, 8, 13, 5);
    ASSERT_TRUE(w->viewOptions->GridAction()->isChecked());
    // The results layer's whole-disk meridians for the fields shown.
    const RecalcOutcome o = Recalculate(w->Fields(), w->global.MonthDays, w->settings.grs.Source(w->GrsTable_));
    ASSERT_TRUE(o.ok());
    const double want[3] = {o.results->CM1Whole, o.results->CM2Whole, o.results->CM3Whole};
    const Reading r = Parse(PointAt(*w, DiskCentre(*w)));
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(AngleApart(r.lon[i], want[i]), 0.051) << "system " << i + 1 << ": " << r.lon[i] << " want " << want[i];
    // The Earth stays within about 4 degrees of Jupiter's equator.
    EXPECT_LE(std::fabs(r.lat), 4.5);
    // Off the disk: the picture's corner, and just outside the limb on the equator.
    EXPECT_TRUE(PointAt(*w, QPointF(1, 1)).isEmpty());
    const double rPx = w->global.Bodies.BodySize[0] / platform::TwipsPerPixel();
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
        w->Option1[r.inverted ? 1 : 0]->click();
        if (r.magnify == 6) {
            w->Slider1->setValue(6);
            w->Command2->click();
            w->Command2->click();
        } else {
            w->Command2->click();
        }
        ASSERT_EQ(w->Magnify, r.magnify);
        // An hour at which the spot faces the Earth (the disk turns in ten).
        for (int h = 0; h < 10 && !w->diskReadout->SpotTwips(); ++h)
            w->Jikoku->setText(QString::number(h * 2));
        ASSERT_TRUE(w->diskReadout->SpotTwips().has_value());
        if (r.pan) {
            w->Check1->setChecked(true);
            w->global.LastMouseX = 0;
            w->global.LastMouseY = 0;
            w->Picture1_MouseMove(1, 0, 240, 120);  // the view moves 200 twips left, 100 up
        }
        const QPointF spot = *w->diskReadout->SpotTwips();
        const QPointF px = w->Picture1->ToPixels(float(spot.x()), float(spot.y()));
        // The spot's red is drawn there (the grid may cross it).
        const QImage img = w->Picture1->Image();
        const qreal dpr = img.devicePixelRatio();
        int red = 0;
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 2; ++dx)
                red += (img.pixel(int(px.x() * dpr) + dx, int(px.y() * dpr) + dy) & 0xFFFFFF) == 0xFF0000;
        EXPECT_GE(red, 12);
        const Reading got = Parse(PointAt(*w, px));
        EXPECT_LE(AngleApart(got.lon[1], w->GrsLongitude), 0.1) << got.lon[1] << " want " << w->GrsLongitude;
        EXPECT_NEAR(got.lat, -22.0, 0.1);
    }
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
        EXPECT_FALSE(w->viewOptions->GridAction()->isChecked());
        EXPECT_EQ(dir.Read(), file);
    }
}

}  // namespace
}  // namespace veltrax
