// SPDX-License-Identifier: GPL-3.0-or-later
// Selecting a row in the night plan redraws its two charts: the worst case,
// a mutual event on another night each time (the night's timetable, its
// altitudes and the light curve all computed again), then both charts
// painted. The observer waits for this: it should stay under 50 ms.
#include "support/settings_dir.h"
#include "support/window_fixture.h"
#include "window/events_dialog.h"
#include "window/night_charts.h"

#include <QComboBox>
#include <QTableView>
#include <QTest>
#include <benchmark/benchmark.h>

namespace {

using namespace veltrax;

void BM_SelectRowRedrawsCharts(benchmark::State& state)
{
    test_support::SettingsDir dir;
    dir.Write("[Site]\nlatitude=35.68\nlongitude=139.77\n[Plan]\nrange=7\n");
    auto w = testing::StartedAt(2027, 1, 5, 4, 20);
    w->show();
    w->activateWindow();
    if (!QTest::qWaitForWindowActive(w.get())) {
        state.SkipWithError("the window never became active");
        return;
    }
    QTest::keyClick(w.get(), Qt::Key_E, Qt::ControlModifier);
    auto* d = w->findChild<EventsDialog*>();
    if (!d) {
        state.SkipWithError("Ctrl+E opened no dialog");
        return;
    }
    auto* table = d->findChild<QTableView*>(QStringLiteral("events"));
    auto* night = d->findChild<AltitudeChart*>();
    auto* curve = d->findChild<LightCurveChart*>();
    // Two mutual events on different nights, shown rows.
    std::vector<int> rows;
    double lastNight = -1;
    for (int r = 0; r < table->model()->rowCount() && rows.size() < 2; ++r) {
        const PlanRow& row = d->Rows()[static_cast<size_t>(table->model()->index(r, 0).data(PlanModel::kRowRole).toInt())];
        if (row.Mutual() && std::floor(row.jdUT - 0.125) != lastNight) {
            rows.push_back(r);
            lastNight = std::floor(row.jdUT - 0.125);
        }
    }
    if (rows.size() < 2) {
        state.SkipWithError("no two mutual events on different nights");
        return;
    }
    size_t k = 0;
    for (auto _ : state) {
        table->setCurrentIndex(table->model()->index(rows[k++ % 2], 0));
        night->repaint();
        curve->repaint();
    }
    if (!curve->Curve() || !night->Message().isEmpty())
        state.SkipWithError("the charts show nothing");
}
BENCHMARK(BM_SelectRowRedrawsCharts)->Unit(benchmark::kMillisecond);

}  // namespace
