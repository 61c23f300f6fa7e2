// SPDX-License-Identifier: GPL-3.0-or-later
// The window with the observer's Great Red Spot: a settings file, --grs, a
// damaged file, the dialog, and the same spot as the companion's.
#include "support/mini_json.h"
#include "support/run_ephem.h"
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/grs_dialog.h"
#include "window/options.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cmath>
#include <functional>

namespace veltrax {
namespace {

using namespace testing;  // the window's controls by their names

using test_support::SettingsDir;

// The moment of every test: 2026-12-08 21:00 JST, 12:00 UT, 7.5 days after
// 2026-12-01 0 h UT. 100 degrees then, drifting 1.5 a month (30.4375 days):
// 100 + 1.5 * 7.5 / 30.4375 = 100.3696, shown as 100.4.
const char kObserverFile[] = "[GreatRedSpot]\nlongitude=100\nepoch=2026-12-01\ndrift=1.5/month\n";
const char kObserverLabel[] = "(GRS予想経度 100.4)";

std::unique_ptr<MainWindow> Started(const std::vector<std::string>& args = {})
{
    auto w = std::make_unique<MainWindow>();
    auto clock = testing::ClockAt(2026, 12, 8, 21, 0, 0);
    w->seams.clock.now = [clock] { return clock->now; };
    w->seams.clock.sleep = [](int) {};
    w->SetSettings(LoadWindowSettings(ParseWindowOptions(args)));
    w->StartUp();
    return w;
}

std::string Taikei(const MainWindow& w) { return Form(w).Taikei->Caption().toStdString(); }
std::string TaikeiTip(const MainWindow& w) { return platform::ToolTipCaption(Form(w).Taikei).toStdString(); }

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

ino_t Inode(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

std::string Rgb(const platform::PictureBox* p, double x, double y)
{
    const QPointF at = p->ToPixels(static_cast<float>(x), static_cast<float>(y));
    const QImage& im = p->Image();
    const QPoint px(static_cast<int>(std::floor(at.x() * im.devicePixelRatio())),
                    static_cast<int>(std::floor(at.y() * im.devicePixelRatio())));
    const QColor c = im.pixelColor(px);
    return std::to_string(c.red()) + "," + std::to_string(c.green()) + "," + std::to_string(c.blue());
}

TEST(WindowGrs, SettingsFileSetsTheLabelTheToolTipAndTheSpot)
{
    SettingsDir dir;
    const auto table = Started();
    EXPECT_TRUE(Has(TaikeiTip(*table), "2021"));

    dir.Write(kObserverFile);
    const auto w = Started();
    EXPECT_TRUE(Has(Taikei(*w), kObserverLabel)) << Taikei(*w);
    EXPECT_NEAR(w->State().results.GrsLongitude, 100.36961, 1e-5);
    for (const char* part : {"100", "2026-12-01", "1.5"})
        EXPECT_TRUE(Has(TaikeiTip(*w), part)) << TaikeiTip(*w);
    // Only the GRS text differs from the table's panel.
    const std::string a = Taikei(*table), b = Taikei(*w);
    EXPECT_EQ(a.substr(0, a.find("(GRS")), b.substr(0, b.find("(GRS")));

    // The spot follows the observer's longitude: on the central meridian it
    // stands just above the centre in the inverted view (P + (4.29, -70)
    // twips at magnification 1, times 4 here); half a turn away it is hidden.
    const double cm2 = w->State().picture.cm2;
    const double Px = 4.0 * w->State().geometry.centerX, Py = 4.0 * w->State().geometry.centerY;
    for (double away : {0.0, 180.0}) {
        SCOPED_TRACE(away);
        char file[160];
        std::snprintf(file, sizeof file, "[GreatRedSpot]\nlongitude=%.4f\nepoch=2026-12-08\n", std::fmod(cm2 + away, 360));
        dir.Write(file);
        const auto v = Started();
        EXPECT_EQ(Rgb(Form(*v).Picture1, Px + 17, Py - 280), away == 0 ? "255,0,0" : "255,190,79");
    }
}

TEST(WindowGrs, CommandLineSetsTheSpotForTheRunOnly)
{
    SettingsDir dir;
    const std::string other = "[GreatRedSpot]\nlongitude=200\nepoch=2026-12-01\n";
    dir.Write(other);
    const auto w = Started({"--grs", "100@2026-12-01,1.5/month"});
    EXPECT_TRUE(Has(Taikei(*w), kObserverLabel)) << Taikei(*w);
    EXPECT_TRUE(Has(TaikeiTip(*w), "--grs")) << TaikeiTip(*w);

    const auto t = Started({"--grs=table"});
    SettingsDir none;  // no file at all
    const auto plain = Started();
    EXPECT_EQ(Taikei(*t), Taikei(*plain));
    EXPECT_EQ(dir.Read(), other);

    for (const char* bad : {"100", "100@2026-13-40", "abc@2026-12-01", "100@2026-12-01,1.5"})
        EXPECT_FALSE(ParseWindowOptions({"--grs", bad}).error.empty()) << bad;
}

TEST(WindowGrs, DamagedFileIsReportedUsesTheTableAndStaysAsItIs)
{
    SettingsDir none;
    const std::string plain = Taikei(*Started());
    const char garbage[] = "\x01\xff[GreatRedSpot\n=\n[GreatRedSpot]\nlongitude=\"400\nepoch=x\x00y\n";
    for (const std::string& bytes : {std::string("[GreatRedSpot]\nlongitude=abc\nepoch=2026-12-01\n"),
                                    std::string(garbage, sizeof garbage - 1)}) {
        SettingsDir dir;
        dir.Write(bytes);
        {
            const WindowSettings s = LoadWindowSettings({});
            EXPECT_TRUE(s.grs.UsesTable());
            const std::vector<std::string> report = SettingsReport(s);
            ASSERT_FALSE(report.empty());
            EXPECT_TRUE(Has(report[0], dir.File())) << report[0];
            // The garbage's two stray lines are said once, from the first one.
            EXPECT_EQ(Has(report[0], "line 1: ") && Has(report[0], "(and 1 more"), bytes[0] == '\x01') << report[0];
            const auto w = Started();
            EXPECT_EQ(Taikei(*w), plain);
        }
        EXPECT_EQ(dir.Read(), bytes);
        // Saving from the dialog repairs it.
        QString why;
        Settings observer;
        observer.grs = *ParseWindowOptions({"--grs", "100@2026-12-01,1.5/month"}).grs;
        EXPECT_TRUE(SaveSettingsGroup(QString::fromStdString(dir.File()), kGrsGroup, observer, why))
            << why.toStdString();
        EXPECT_TRUE(Has(Taikei(*Started()), kObserverLabel)) << dir.Read();
    }
}

// Runs `act` on the dialog once it is open, then opens it with Ctrl+G.
void WithDialog(MainWindow& w, const std::function<void(GrsDialog&)>& act)
{
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* d = qobject_cast<GrsDialog*>(QApplication::activeModalWidget());
        if (!d)
            return;
        ran = true;
        act(*d);
        if (d->isVisible())
            d->reject();
    });
    QTest::keyClick(&w, Qt::Key_G, Qt::ControlModifier);
    EXPECT_TRUE(ran) << "Ctrl+G opened no dialog";
}

TEST(WindowGrs, DialogRefusesSavesWholeAndCancelChangesNothing)
{
    SettingsDir dir;
    const std::string site = "[Site]\nname=Tokyo\n";
    dir.Write(site);
    const auto w = Started();
    const std::string before = Taikei(*w);
    const ino_t oldInode = Inode(dir.File());

    WithDialog(*w, [&](GrsDialog& d) {
        EXPECT_EQ(d.windowTitle().toStdString(), "大赤斑の経度");
        QPushButton* ok = d.buttons->button(QDialogButtonBox::Ok);
        EXPECT_TRUE(d.useTable->isChecked());
        EXPECT_TRUE(ok->isEnabled());
        QTest::keyClick(d.useTable, Qt::Key_Space);  // keyboard only
        EXPECT_FALSE(ok->isEnabled());
        const struct {
            const char *lon, *date, *drift;
            QLabel* complains;
        } refused[] = {
            {"400", "2026-12-01", "1.5", d.longitudeMessage},
            {"abc", "2026-12-01", "", d.longitudeMessage},
            {"100", "2026-13-40", "", d.epochMessage},
            {"100", "2026-12-01", "fast", d.driftMessage},
        };
        for (const auto& r : refused) {
            d.longitude->setText(QString::fromUtf8(r.lon));
            d.epoch->setText(QString::fromUtf8(r.date));
            d.drift->setText(QString::fromUtf8(r.drift));
            EXPECT_FALSE(ok->isEnabled()) << r.lon << " " << r.date << " " << r.drift;
            EXPECT_FALSE(r.complains->text().isEmpty()) << r.lon << " " << r.date << " " << r.drift;
        }
        d.drift->clear();
        d.longitude->setText(QStringLiteral("-10"));  // 350, as --grs and the file take it
        EXPECT_TRUE(ok->isEnabled() && d.longitudeMessage->text().isEmpty());
        for (QLineEdit* e : {d.longitude, d.epoch, d.drift})
            e->clear();
        d.longitude->insert(QStringLiteral("１００"));  // full-width, as an input method commits it
        QTest::keyClicks(d.epoch, QStringLiteral("2026-12-01"));
        QTest::keyClicks(d.drift, QStringLiteral("1.5"));
        EXPECT_TRUE(ok->isEnabled());
        EXPECT_TRUE(d.longitudeMessage->text().isEmpty());
        d.reject();  // Cancel
    });
    EXPECT_EQ(Taikei(*w), before);
    EXPECT_EQ(dir.Read(), site);

    WithDialog(*w, [&](GrsDialog& d) {
        QTest::keyClick(d.useTable, Qt::Key_Space);
        QTest::keyClicks(d.longitude, QStringLiteral("100"));
        QTest::keyClicks(d.epoch, QStringLiteral("2026-12-01"));
        QTest::keyClicks(d.drift, QStringLiteral("1.5"));
        QTest::keyClick(&d, Qt::Key_Return);  // OK
    });
    EXPECT_TRUE(Has(Taikei(*w), kObserverLabel)) << Taikei(*w);
    const std::string saved = dir.Read();
    for (const char* line : {"longitude=100", "epoch=2026-12-01", "drift=1.5/month", "[Site]", "name=Tokyo"})
        EXPECT_TRUE(Has(saved, line)) << saved;
    EXPECT_NE(Inode(dir.File()), oldInode) << "the file was rewritten in place, not replaced";

    // Kept for the next run, and the companion reads the same spot.
    const auto next = Started();
    EXPECT_TRUE(Has(Taikei(*next), kObserverLabel));
    const test_support::Ran ran = test_support::InChildProcess({"--json", "2026-12-08 21:00"});
    EXPECT_EQ(minijson::Parse(ran.out)["GrsLongitude"].Num(), next->State().results.GrsLongitude);

    WithDialog(*w, [&](GrsDialog& d) {
        EXPECT_EQ(d.longitude->text().toStdString(), "100");
        QTest::keyClick(d.useTable, Qt::Key_Space);
        QTest::keyClick(&d, Qt::Key_Return);
    });
    EXPECT_EQ(Taikei(*w), before);
    EXPECT_FALSE(Has(dir.Read(), "longitude"));
}

}  // namespace
}  // namespace veltrax
