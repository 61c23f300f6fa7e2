// SPDX-License-Identifier: GPL-3.0-or-later
// The night plan's charts on the real dialog: the night of Tokyo from
// 2027-01-04 to 05, when Europa eclipses Ganymede (II eclipses III, maximum
// 2027-01-04 19:24:25 UT in tests/data/mutual_events_2026_27.csv). The
// night's minutes are checked against tests/data/night_reference_2027.csv,
// made with an independent ephemeris.
#include "engine/engine.h"
#include "support/csv.h"
#include "support/events_dialog_fixture.h"
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/night_charts.h"

#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <sstream>

namespace veltrax {
namespace {

// Seconds after noon JST of 2027-01-04 at Tokyo, by column name.
std::map<std::string, double> TokyoReference()
{
    std::ifstream f(VELTRAX_TEST_DATA "/night_reference_2027.csv");
    std::stringstream text;
    text << f.rdbuf();
    std::vector<std::string> header;
    for (const auto& row : test_support::CsvRows(text.str())) {
        if (row.empty() || row[0].rfind("#", 0) == 0)
            continue;
        if (row[0] == "site")
            header = row;
        else if (row[0] == "tokyo" && row[3] == "2027-01-04") {
            std::map<std::string, double> out;
            for (size_t i = 4; i < row.size(); ++i)
                out[header.at(i)] = row[i].empty() ? -1 : std::stod(row[i]);
            return out;
        }
    }
    return {};
}

template <typename Chart>
Chart* ByAccessibleName(const EventsDialog& d, const char* name)
{
    for (Chart* c : d.findChildren<Chart*>())
        if (c->accessibleName() == QString::fromUtf8(name))
            return c;
    return nullptr;
}

TEST(NightCharts, TheNightTheEventItsCurveAndTheirFiles)
{
    test_support::SettingsDir dir;
    dir.Write("[Site]\nlatitude=35.68\nlongitude=139.77\n");
    const auto w = testing::StartedAt(2027, 1, 5, 4, 20);
    EventsDialog& d = testing::OpenEventsDialog(*w);
    auto* night = ByAccessibleName<AltitudeChart>(d, "夜の高度");
    auto* curve = ByAccessibleName<LightCurveChart>(d, "光度曲線");
    ASSERT_TRUE(night && curve);

    // The timetable in one line: sunset, Jupiter's rise, culmination, set and
    // sunrise, each the independent ephemeris's minute (the program agrees
    // with it within a minute and cuts its seconds off).
    const std::map<std::string, double> ref = TokyoReference();
    ASSERT_FALSE(ref.empty());
    const QString text = night->accessibleDescription();
    std::vector<double> minutes;
    for (const auto& m : QRegularExpression(QStringLiteral("(\\d\\d):(\\d\\d)")).globalMatch(text)) {
        const int h = m.captured(1).toInt();
        minutes.push_back(((h + 12) % 24) * 60 + m.captured(2).toInt());  // after noon
    }
    const char* keys[] = {"sunset", "jupiter_rise", "jupiter_culmination", "jupiter_set", "sunrise"};
    ASSERT_EQ(minutes.size(), std::size(keys)) << text.toStdString();
    for (size_t i = 0; i < std::size(keys); ++i)
        EXPECT_NEAR(minutes[i] * 60 + 30, ref.at(keys[i]), 90) << keys[i] << " in " << text.toStdString();

    // The eclipse's marker: a click selects its row and sets the window to its minute.
    const auto& markers = night->Markers();
    const auto mutual = std::find_if(markers.begin(), markers.end(), [](const auto& m) { return m.kind == RowKind::Mutual; });
    ASSERT_NE(mutual, markers.end());
    QTest::mouseClick(night, Qt::LeftButton, {}, night->MarkerPoint(*mutual).toPoint());
    const PlanRow& row = testing::RowShown(d, testing::Table(d)->currentIndex().row());
    ASSERT_TRUE(row.Mutual());
    EXPECT_EQ(row.Mutual()->active, 1);
    EXPECT_EQ(row.Mutual()->passive, 2);
    const double windowJdUT = WindowJdUT(w->State().results.CurrentJDE);
    EXPECT_NEAR((windowJdUT - 2461409.5) * 86400, 19 * 3600 + 24 * 60, 1);  // 2027-01-04 19:24:00 UT

    // Its light curve: the passive satellite at its least keeps what the
    // row's listed drop leaves ("減光34%": 0.66).
    ASSERT_TRUE(curve->Curve());
    EXPECT_TRUE(curve->Message().isEmpty());
    double least = 1;
    for (const LightCurveSample& s : curve->Curve()->samples)
        least = std::min(least, s.fluxPassive);
    const QString listed = testing::Cell(d, testing::Table(d)->currentIndex().row(), 3);
    const QRegularExpressionMatch percent = QRegularExpression(QStringLiteral("(\\d+)%")).match(listed);
    ASSERT_TRUE(percent.hasMatch()) << listed.toStdString();
    EXPECT_NEAR(least, 1 - percent.captured(1).toDouble() / 100, 0.01);
    EXPECT_NEAR(least, 1 - 0.3354, 0.02);  // the reference's flux drop
    EXPECT_TRUE(curve->accessibleDescription().contains(QStringLiteral("2E3")));

    // Both saved, as PNG and as SVG.
    QTemporaryDir files;
    QString why;
    for (ChartView* chart : {static_cast<ChartView*>(night), static_cast<ChartView*>(curve)}) {
        const QString png = files.filePath(chart->objectName() + QStringLiteral(".png"));
        const QString svg = files.filePath(chart->objectName() + QStringLiteral(".svg"));
        ASSERT_TRUE(chart->Save(png, why)) << why.toStdString();
        ASSERT_TRUE(chart->Save(svg, why)) << why.toStdString();
        EXPECT_EQ(QImage(png).size(), chart->size());
        EXPECT_TRUE(QSvgRenderer(svg).isValid());
    }
    EXPECT_FALSE(night->Save(files.filePath(QStringLiteral("chart.txt")), why));

    // Without a site the altitude chart asks for one; the light curve stays.
    testing::Part<QLineEdit>(d, "latitude")->clear();
    testing::Part<QLineEdit>(d, "longitude")->clear();
    EXPECT_FALSE(night->Message().isEmpty());
    EXPECT_TRUE(night->accessibleDescription().isEmpty());
    EXPECT_TRUE(curve->Message().isEmpty());
    EXPECT_TRUE(curve->Curve());
}

}  // namespace
}  // namespace veltrax
