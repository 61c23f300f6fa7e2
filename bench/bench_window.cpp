// SPDX-License-Identifier: GPL-3.0-or-later
// One recalculation with its redraw on the real window (offscreen), in the
// wide view and magnified 4 times, at the start-up width of 13100 twips. An
// animation step pauses 5 ms, so this should stay well under 200 us.
#include "support/window_fixture.h"
#include "window/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

namespace {

using veltrax::testing::Form;

using veltrax::MainWindow;

std::unique_ptr<MainWindow> StartedWindow()
{
    auto w = std::make_unique<MainWindow>();
    w->seams.clock.now = [] { return QDateTime(QDate(2026, 12, 7), QTime(15, 5, 0)); };
    w->seams.clock.sleep = [](int) {};
    w->StartUp();
    return w;
}

void RecalcDraw(benchmark::State& state, MainWindow& w)
{
    const long draws = w.State().draws;
    for (auto _ : state)
        w.Recalc();
    if (w.State().draws - draws != static_cast<long>(state.iterations()))
        state.SkipWithError("a recalculation did not redraw");
}

void BM_RecalcDrawWide(benchmark::State& state)
{
    auto w = StartedWindow();
    Form(*w).Command2->click();  // start-up opens zoomed: back to the wide view
    if (w->State().view.magnify != 1) {
        state.SkipWithError("not in the wide view");
        return;
    }
    RecalcDraw(state, *w);
}
BENCHMARK(BM_RecalcDrawWide)->Unit(benchmark::kMicrosecond);

void BM_RecalcDrawZoomed4(benchmark::State& state)
{
    auto w = StartedWindow();
    if (w->State().view.magnify != 4) {
        state.SkipWithError("not magnified 4 times");
        return;
    }
    RecalcDraw(state, *w);
}
BENCHMARK(BM_RecalcDrawZoomed4)->Unit(benchmark::kMicrosecond);

// The same with the satellites' shadows on: the precise theory runs once a redraw.
void BM_RecalcDrawZoomed4Shadows(benchmark::State& state)
{
    auto w = StartedWindow();
    veltrax::WindowSettings s = w->Settings();
    s.view.shadows = true;
    w->SetSettings(s);
    if (w->State().view.magnify != 4) {
        state.SkipWithError("not magnified 4 times");
        return;
    }
    RecalcDraw(state, *w);
}
BENCHMARK(BM_RecalcDrawZoomed4Shadows)->Unit(benchmark::kMicrosecond);

}  // namespace
