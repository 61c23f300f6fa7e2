// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' shadows and eclipses in the window, switched on by the
// settings file or the background menu.
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/options.h"

#include <QAction>
#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using test_support::SettingsDir;

using testing::StartedAt;

// A point of the sky view in twips, in the picture's pixels.
QPointF Pixel(const MainWindow& w, double x, double y)
{
    return Form(w).Picture1->ToPixels(static_cast<float>(x), static_cast<float>(y)) * Form(w).Picture1->Image().devicePixelRatio();
}

// The planet's centre and satellite n's drawn centre, in pixels.
QPointF PlanetAt(const MainWindow& w)
{
    return Pixel(w, double(w.State().view.magnify) * w.State().geometry.centerX, double(w.State().view.magnify) * w.State().geometry.centerY);
}
QPointF MoonAt(const MainWindow& w, int n)
{
    return Pixel(w, double(w.State().view.magnify) * (w.State().geometry.centerX + w.State().geometry.bodyX[n]),
                 double(w.State().view.magnify) * (w.State().geometry.centerY + w.State().geometry.bodyY[n]));
}

// The black pixels well inside the planet's outline (the sky around it is
// black too): their number and centre.
struct Black {
    int count = 0;
    QPointF centre;
};
Black BlackOnDisk(const MainWindow& w)
{
    const QImage& im = Form(w).Picture1->Image();
    const QPointF c = PlanetAt(w);
    // The planet's radius is 190 twips before the window's scale and the magnification.
    const double r = Pixel(w, double(w.State().view.magnify) * w.State().geometry.centerX + 190.0 * w.State().geometry.winScale * w.State().view.magnify, 0).x() - c.x();
    Black b;
    double sx = 0, sy = 0;
    for (int y = 0; y < im.height(); ++y)
        for (int x = 0; x < im.width(); ++x) {
            const double u = (x + 0.5 - c.x()) / r, v = (y + 0.5 - c.y()) / (0.94 * r);
            if (u * u + v * v > 0.8)
                continue;
            const QColor p = im.pixelColor(x, y);
            if (p.red() < 40 && p.green() < 40 && p.blue() < 40) {
                ++b.count;
                sx += x + 0.5;
                sy += y + 0.5;
            }
        }
    if (b.count)
        b.centre = QPointF(sx / b.count, sy / b.count);
    return b;
}

std::string Rgb(const MainWindow& w, QPointF at)
{
    const QColor c = Form(w).Picture1->Image().pixelColor(static_cast<int>(at.x()), static_cast<int>(at.y()));
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

struct ViewRow {
    const char* name;
    bool inverted;
    bool wide;
};
[[maybe_unused]] void PrintTo(const ViewRow& r, std::ostream* os) { *os << r.name; }

class IoShadowTransit : public ::testing::TestWithParam<ViewRow> {};

// 2021 December 9, 23:45 JST (14:45 UT): Io is in transit and its shadow is
// on the disk, about an hour behind it along the same track. The shadow falls
// where the sunlight through Io meets the clouds; Io stands some 5.9 radii in
// front of them and the Sun was about 10 degrees from the line of sight, so
// the shadow lies about 5.9 tan 10° = 1.0 radius from Io, where Io itself
// passed an hour or so before (Io crosses the middle of the disk at
// 2 pi 5.9 radii / 42.5 h = 0.87 radius an hour).
TEST_P(IoShadowTransit, ShadowOnTheDiskWhereIoWasAnHourBefore)
{
    const ViewRow& r = GetParam();
    SettingsDir dir;
    dir.Write("[View]\nshadows=true\n");
    const auto w = StartedAt(2021, 12, 9, 23, 45);
    ASSERT_TRUE(Action(*w, "shadowsAction")->isChecked());
    if (r.wide)
        Form(*w).Command2->click();
    Form(*w).Option1[r.inverted ? 1 : 0]->click();

    const QPointF io = MoonAt(*w, 1);
    const Black shadow = BlackOnDisk(*w);
    ASSERT_GT(shadow.count, 0) << "no shadow on the disk";
    // Io in front of the disk: its own colour at its centre.
    EXPECT_EQ(Rgb(*w, io), "255,255,0");

    Form(*w).Jikoku->setText(QStringLiteral("22"));  // an hour before
    const QPointF before = MoonAt(*w, 1);
    Form(*w).Jikoku->setText(QStringLiteral("23"));
    EXPECT_EQ(MoonAt(*w, 1), io);

    const QPointF toShadow = shadow.centre - io, toBefore = before - io;
    const double lenS = std::hypot(toShadow.x(), toShadow.y()), lenB = std::hypot(toBefore.x(), toBefore.y());
    ASSERT_GT(lenB, 0);
    const double cosine = (toShadow.x() * toBefore.x() + toShadow.y() * toBefore.y()) / (lenS * lenB);
    EXPECT_GT(cosine, 0.95) << "shadow at " << shadow.centre.x() << "," << shadow.centre.y() << ", Io at " << io.x()
                            << "," << io.y() << ", an hour before at " << before.x() << "," << before.y();
    EXPECT_GT(lenS / lenB, 0.7);
    EXPECT_LT(lenS / lenB, 1.8);
    // Both on the disk, on the same side of its centre as seen along the track.
    EXPECT_LT(std::fabs(shadow.centre.y() - io.y()), 0.25 * lenB + 2);
}

INSTANTIATE_TEST_SUITE_P(Window, IoShadowTransit,
                         ::testing::Values(ViewRow{"Erect_Zoomed", false, false}, ViewRow{"Inverted_Zoomed", true, false},
                                           ViewRow{"Erect_Wide", false, true}, ViewRow{"Inverted_Wide", true, true}));

TEST(WindowShadows, EclipsedSatelliteDarkGreyOnlyWhileInJupitersShadow)
{
    // "Phenomena of Jupiter's Moons, January 2016", Sky & Telescope
    // (predictions courtesy IMCCE / Paris Observatory): Io's eclipse begins
    // on January 1 at 15:39 UT and Io comes out from behind the disk at
    // 19:06 UT. Ten minutes either side of 15:39 UT (January 2, 00:39 JST)
    // it stands clear of the disk, in sunlight, then in Jupiter's shadow.
    SettingsDir dir;
    dir.Write("[View]\nshadows=true\n");
    const auto lit = StartedAt(2016, 1, 2, 0, 29);
    EXPECT_EQ(Rgb(*lit, MoonAt(*lit, 1)), "255,255,0");
    const auto dark = StartedAt(2016, 1, 2, 0, 49);
    EXPECT_EQ(Rgb(*dark, MoonAt(*dark, 1)), "64,64,64");
    // Off, the satellite keeps its colour.
    Action(*dark, "shadowsAction")->trigger();
    EXPECT_FALSE(dark->Settings().view.shadows);
    EXPECT_EQ(Rgb(*dark, MoonAt(*dark, 1)), "255,255,0");
}

TEST(WindowShadows, OffByDefaultAndTheMenuSavesTheSwitch)
{
    SettingsDir dir;
    const auto plain = StartedAt(2021, 12, 9, 23, 45);
    EXPECT_FALSE(Action(*plain, "shadowsAction")->isChecked());
    EXPECT_EQ(BlackOnDisk(*plain).count, 0);
    const QImage before = Form(*plain).Picture1->Image();

    Action(*plain, "shadowsAction")->trigger();  // on: saved, drawn
    EXPECT_NE(dir.Read().find("shadows=true"), std::string::npos) << dir.Read();
    EXPECT_GT(BlackOnDisk(*plain).count, 0);
    EXPECT_TRUE(Action(*StartedAt(2021, 12, 9, 23, 45), "shadowsAction")->isChecked());

    Action(*plain, "shadowsAction")->trigger();  // off again: the picture as before
    EXPECT_NE(dir.Read().find("shadows=false"), std::string::npos) << dir.Read();
    EXPECT_EQ(Form(*plain).Picture1->Image(), before);

    // Outside the precise theory's years the picture is drawn without shadows.
    dir.Write("[View]\nshadows=true\n");
    const auto far = StartedAt(3100, 12, 9, 23, 45);
    EXPECT_GT(far->State().draws, 0);
    EXPECT_EQ(BlackOnDisk(*far).count, 0);
}

TEST(WindowShadows, BadSwitchIsReportedIgnoredAndLeftAsItIs)
{
    SettingsDir dir;
    const std::string bytes = "[View]\nshadows=yes please\n";
    dir.Write(bytes);
    const WindowSettings s = LoadWindowSettings({});
    EXPECT_FALSE(s.view.shadows);
    const std::vector<std::string> report = SettingsReport(s);
    ASSERT_EQ(report.size(), 1u);
    EXPECT_NE(report[0].find("[View] shadows"), std::string::npos) << report[0];
    EXPECT_NE(report[0].find("yes please"), std::string::npos) << report[0];
    const auto w = StartedAt(2021, 12, 9, 23, 45);
    EXPECT_FALSE(Action(*w, "shadowsAction")->isChecked());
    EXPECT_EQ(dir.Read(), bytes);
}

}  // namespace
}  // namespace veltrax
