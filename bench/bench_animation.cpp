// SPDX-License-Identifier: GPL-3.0-or-later
// One step of the slow animation as its loop runs it: the minute spin control
// one higher (its handler writes the field, carries at 60 minutes through the
// hour, day, month and year, recalculates and redraws), then the window's
// pending events. The 5 ms pause is left out here; BM_FullSlowRun times a
// whole run with its pauses.
#include "support/window_fixture.h"
#include "window/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <QPushButton>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

using veltrax::testing::Form;

void SlowAnimationStep(benchmark::State& state, bool shadows, bool preciseAndMirror = false)
{
    veltrax::MainWindow w;
    veltrax::WindowSettings options = w.Settings();
    options.view.shadows = shadows;
    options.view.precise = preciseAndMirror;
    options.view.mirror = preciseAndMirror;
    w.SetSettings(options);
    const QDateTime fixed(QDate(2026, 12, 31), QTime(10, 58, 0));
    w.seams.clock.now = [fixed] { return fixed; };
    w.seams.clock.sleep = [](int) {};
    w.StartUp();
    w.show();
    QCoreApplication::processEvents();

    const long recalcs = w.State().recalculations;
    const long draws = w.State().draws;
    for (auto _ : state) {
        Form(w).VSmin->SetValue(Form(w).VSmin->Value() + 1);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    const auto steps = static_cast<double>(state.iterations());
    state.counters["recalcs_per_step"] = static_cast<double>(w.State().recalculations - recalcs) / steps;
    state.counters["draws_per_step"] = static_cast<double>(w.State().draws - draws) / steps;
    if (w.State().draws == draws)
        state.SkipWithError("the steps drew nothing");
}
void BM_SlowAnimationStep(benchmark::State& state) { SlowAnimationStep(state, false); }
BENCHMARK(BM_SlowAnimationStep)->Unit(benchmark::kMicrosecond);

// With the satellites' shadows on.
void BM_SlowAnimationStepShadows(benchmark::State& state) { SlowAnimationStep(state, true); }
BENCHMARK(BM_SlowAnimationStepShadows)->Unit(benchmark::kMicrosecond);

// With every option of the picture on: shadows, precise places, the mirror.
void BM_SlowAnimationStepAllOptions(benchmark::State& state) { SlowAnimationStep(state, true, true); }
BENCHMARK(BM_SlowAnimationStepAllOptions)->Unit(benchmark::kMicrosecond);

// A whole slow run, 4801 steps with their real 5 ms pauses, as the
// animation button runs it: written to take 24 s; its steps are scheduled
// from the run's start, so it should stay within 2 % of that.
void BM_FullSlowRun(benchmark::State& state)
{
    veltrax::MainWindow w;
    const QDateTime fixed(QDate(2026, 12, 31), QTime(10, 58, 0));
    w.seams.clock.now = [fixed] { return fixed; };
    w.StartUp();
    w.show();
    QCoreApplication::processEvents();
    for (auto _ : state)
        Form(w).Command1->click();  // returns when the run ends
    state.counters["written_s"] = 4801 * 0.005;
}
BENCHMARK(BM_FullSlowRun)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

}  // namespace
