// SPDX-License-Identifier: GPL-3.0-or-later
// The view options of the background menu on the real window: the
// satellites' places from the precise theory and the star diagonal's mirror.
#include "support/settings_dir.h"
#include "platform/twips.h"
#include "support/events_dialog_fixture.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"
#include "window/background_menu.h"

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
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
QPointF PlanetAt(const MainWindow& w)
{
    return Pixel(w, double(w.State().view.magnify) * w.State().geometry.centerX, double(w.State().view.magnify) * w.State().geometry.centerY);
}
QPointF MoonAt(const MainWindow& w, int n)
{
    return Pixel(w, double(w.State().view.magnify) * (w.State().geometry.centerX + w.State().geometry.bodyX[n]),
                 double(w.State().view.magnify) * (w.State().geometry.centerY + w.State().geometry.bodyY[n]));
}

// How far satellite n's drawn centre is from the drawn limb of the disk, in
// pixels along the line from the disk's centre: the disk's drawn radius and
// its aspect as the window holds them.
double PixelsFromLimb(const MainWindow& w, int n)
{
    const QPointF c = PlanetAt(w), m = MoonAt(w, n);
    const double rx = Pixel(w, double(w.State().view.magnify) * w.State().geometry.centerX + w.State().geometry.bodies.BodySize[0], 0).x() -
                      Pixel(w, double(w.State().view.magnify) * w.State().geometry.centerX, 0).x();
    const double ry = rx * w.State().geometry.bodies.BodyAspect[0];
    const double dx = m.x() - c.x(), dy = m.y() - c.y(), d = std::hypot(dx, dy);
    const double limb = 1 / std::hypot(dx / d / rx, dy / d / ry);
    return d - limb;
}

// The window at magnification 6 (the slider's end), centred on the planet.
void ZoomSix(MainWindow& w)
{
    Form(w).Slider1->setValue(6);
    Form(w).Command2->click();  // the wide view
    Form(w).Command2->click();  // and in again, at 6
    ASSERT_EQ(w.State().view.magnify, 6);
}

struct EdgeRow {
    const char* name;
    int day, hour, minute, second;  // JST, 2026 December
    int moon;                       // 1 to 4
    bool inverted;
};
[[maybe_unused]] void PrintTo(const EdgeRow& r, std::ostream* os) { *os << r.name; }

class TransitEdgeOnTheLimb : public ::testing::TestWithParam<EdgeRow> {};

// The satellite's centre crosses the limb at a transit's start and end. The
// moments are tests/data/events_reference_2026_12.txt's (an independent
// modern theory, to the second, in TT), less Delta T (69 s in 2026) and plus
// 9 hours for JST, rounded to the second: e.g. Io's start at JDE
// 2461384.6715945 is December 10, 4:07:05.8 TT, 4:05:56.8 UT, 13:05:57 JST.
// At magnification 6 the disk is 76 pixels in radius and Io moves about a
// pixel a minute.
TEST_P(TransitEdgeOnTheLimb, SatelliteCentreOnTheDrawnLimbWithinAPixel)
{
    const EdgeRow& r = GetParam();
    SettingsDir dir;
    dir.Write("[View]\nprecise=true\n");
    const auto w = StartedAt(2026, 12, r.day, r.hour, r.minute);
    ASSERT_TRUE(Action(*w, "preciseAction")->isChecked());
    Form(*w).Byo->setText(QString::number(r.second));
    Form(*w).Option1[r.inverted ? 1 : 0]->click();
    ZoomSix(*w);
    EXPECT_LE(std::fabs(PixelsFromLimb(*w, r.moon)), 1.0)
        << "satellite at " << MoonAt(*w, r.moon).x() << "," << MoonAt(*w, r.moon).y() << ", disk at "
        << PlanetAt(*w).x() << "," << PlanetAt(*w).y();
    // A quarter of an hour later Io is well inside the disk (some 15 pixels).
    if (r.moon == 1) {
        Form(*w).Hun->setText(QString::number(r.minute + (r.minute < 30 ? 15 : -15)));
        EXPECT_GT(std::fabs(PixelsFromLimb(*w, r.moon)), 8.0);
    }
}

INSTANTIATE_TEST_SUITE_P(Window, TransitEdgeOnTheLimb,
                         ::testing::Values(EdgeRow{"IoStart_Erect", 10, 13, 5, 57, 1, false},
                                           EdgeRow{"IoStart_Inverted", 10, 13, 5, 57, 1, true},
                                           EdgeRow{"IoEnd_Inverted", 10, 15, 23, 17, 1, true},
                                           EdgeRow{"EuropaStart_Erect", 12, 6, 54, 6, 2, false},
                                           EdgeRow{"GanymedeStart_Inverted", 10, 10, 58, 18, 3, true},
                                           EdgeRow{"CallistoEnd_Erect", 12, 7, 52, 19, 4, false}),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(ViewOptionsWindow, OffByDefaultAndEachItemSavesDrawsAndComesBackToThePlainPicture)
{
    SettingsDir dir;
    const auto w = StartedAt(2026, 12, 8, 13, 5);
    EXPECT_FALSE(Action(*w, "preciseAction")->isChecked());
    EXPECT_FALSE(Action(*w, "mirrorAction")->isChecked());
    EXPECT_TRUE(Named<QMenu>(*w, "backgroundMenu")->actions().contains(Action(*w, "preciseAction")));
    EXPECT_TRUE(Named<QMenu>(*w, "backgroundMenu")->actions().contains(Action(*w, "mirrorAction")));
    const QImage plain = Form(*w).Picture1->Image();
    int plainX[5];
    for (int i = 0; i < 5; ++i)
        plainX[i] = w->State().geometry.bodyX[i];
    const long draws = w->State().draws;

    Action(*w, "preciseAction")->trigger();
    EXPECT_EQ(w->State().draws, draws + 1);
    EXPECT_NE(dir.Read().find("precise=true"), std::string::npos) << dir.Read();
    EXPECT_NE(dir.Read().find("shadows=false"), std::string::npos) << dir.Read();
    EXPECT_NE(Form(*w).Picture1->Image(), plain);
    EXPECT_TRUE(Action(*StartedAt(2026, 12, 8, 13, 5), "preciseAction")->isChecked());
    Action(*w, "preciseAction")->trigger();
    EXPECT_NE(dir.Read().find("precise=false"), std::string::npos) << dir.Read();
    EXPECT_EQ(Form(*w).Picture1->Image(), plain);

    // The mirror: inverted (the start-up view), west on the left; mirrored,
    // on the right, and every body's offset from the planet turned over.
    EXPECT_EQ(Form(*w).Label5->text(), QStringLiteral("西"));
    EXPECT_EQ(Form(*w).Label6->text(), QStringLiteral("東"));
    Action(*w, "mirrorAction")->trigger();
    EXPECT_NE(dir.Read().find("mirror=true"), std::string::npos) << dir.Read();
    EXPECT_EQ(Form(*w).Label5->text(), QStringLiteral("東"));
    EXPECT_EQ(Form(*w).Label6->text(), QStringLiteral("西"));
    EXPECT_EQ(Form(*w).Label4->text(), QStringLiteral("北"));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(w->State().geometry.bodyX[i], -plainX[i]) << "satellite " << i;
    Action(*w, "mirrorAction")->trigger();
    EXPECT_NE(dir.Read().find("mirror=false"), std::string::npos) << dir.Read();
    EXPECT_EQ(Form(*w).Picture1->Image(), plain);
    EXPECT_EQ(Form(*w).Label5->text(), QStringLiteral("西"));
}

TEST(ViewOptionsWindow, MirrorFromTheFileAtStartUpAndPreciseOutsideItsYearsDrawsTheCompactPlaces)
{
    SettingsDir dir;
    const auto plain = StartedAt(2026, 12, 8, 13, 5);
    dir.Write("[View]\nmirror=true\n");
    const auto mirrored = StartedAt(2026, 12, 8, 13, 5);
    EXPECT_TRUE(Action(*mirrored, "mirrorAction")->isChecked());
    EXPECT_EQ(Form(*mirrored).Label5->text(), QStringLiteral("東"));
    EXPECT_EQ(Form(*mirrored).Label6->text(), QStringLiteral("西"));
    for (int i = 1; i <= 4; ++i)
        EXPECT_EQ(mirrored->State().geometry.bodyX[i], -plain->State().geometry.bodyX[i]) << "satellite " << i;

    dir.Write("");
    const QImage far = Form(*StartedAt(3100, 12, 9, 23, 45)).Picture1->Image();
    dir.Write("[View]\nprecise=true\n");
    const auto farPrecise = StartedAt(3100, 12, 9, 23, 45);
    EXPECT_GT(farPrecise->State().draws, 0);
    EXPECT_EQ(Form(*farPrecise).Picture1->Image(), far);
}

TEST(ViewOptionsWindow, MirroredSelectionZoomsOnTheSatelliteSeenThere)
{
    // A selection drawn around Ganymede where the mirrored wide view shows
    // it brings Ganymede to the middle of the magnified view.
    SettingsDir dir;
    dir.Write("[View]\nmirror=true\n");
    const auto w = StartedAt(2026, 12, 10, 13, 5);
    Form(*w).Command2->click();
    ASSERT_EQ(w->State().view.magnify, 1);
    const double tpp = platform::TwipsPerPixel();
    const auto shown = [&](int n) {  // pixels of the visible area
        return QPointF((w->State().view.magnify * double(w->State().geometry.centerX + w->State().geometry.bodyX[n]) - Form(*w).Picture1->ScaleLeft()) / tpp,
                       (w->State().view.magnify * double(w->State().geometry.centerY + w->State().geometry.bodyY[n]) - Form(*w).Picture1->ScaleTop()) / tpp);
    };
    const auto twips = [&](QPointF px) {
        return QPointF(std::round(Form(*w).Picture1->ScaleLeft() + px.x() * tpp), std::round(Form(*w).Picture1->ScaleTop() + px.y() * tpp));
    };
    const QPointF g = shown(3);
    ASSERT_GT(g.x(), 40);
    ASSERT_LT(g.x(), platform::Width(Form(*w).Picture1) / tpp - 40);
    const QPointF a = twips(g - QPointF(30, 12)), b = twips(g + QPointF(30, 12));
    Form(*w).Picture1->MouseDown(1, 0, float(a.x()), float(a.y()));
    Form(*w).Picture1->MouseMove(1, 0, float(b.x()), float(b.y()));
    Form(*w).Picture1->MouseUp(1, 0, float(b.x()), float(b.y()));
    Form(*w).Command2->click();
    ASSERT_EQ(w->State().view.magnify, 4);
    EXPECT_NEAR(shown(3).x(), platform::Width(Form(*w).Picture1) / tpp / 2, 3);
    EXPECT_NEAR(shown(3).y(), platform::Height(Form(*w).Picture1) / tpp / 2, 3);
}

TEST(ViewOptionsWindow, BadSwitchesAreReportedOnceLeftOffAndShownInTheEventsDialog)
{
    const struct {
        const char* file;
        const char* key;
    } rows[] = {
        {"[View]\nprecise=yes\n", "precise"},
        {"[View]\nmirror=1\n", "mirror"},
        {"[View]\nmirror=TRUE\nprecise=false\n", "mirror"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        SettingsDir dir;
        dir.Write(r.file);
        const WindowSettings s = LoadWindowSettings({});
        EXPECT_FALSE(s.view.precise);
        EXPECT_FALSE(s.view.mirror);
        const std::vector<std::string> report = SettingsReport(s);
        ASSERT_EQ(report.size(), 1u);
        EXPECT_NE(report[0].find(std::string("[View] ") + r.key), std::string::npos) << report[0];
        const auto w = StartedAt(2026, 12, 8, 13, 5);
        EXPECT_FALSE(Action(*w, "preciseAction")->isChecked());
        EXPECT_FALSE(Action(*w, "mirrorAction")->isChecked());
        Action(*w, "planAction")->trigger();
        ASSERT_NE(w->findChild<EventsDialog*>(), nullptr);
        const QLabel* note = testing::Part<QLabel>(*w->findChild<EventsDialog*>(), "note");
        EXPECT_TRUE(note->isVisibleTo(w->findChild<EventsDialog*>()));
        EXPECT_NE(note->text().toStdString().find(r.key), std::string::npos);
        EXPECT_EQ(dir.Read(), r.file);
    }
}

}  // namespace
}  // namespace veltrax
