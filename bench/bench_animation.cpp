// SPDX-License-Identifier: GPL-3.0-or-later
// One step of the slow animation as its loop runs it: the minute spin control
// one higher (its handler writes the field, carries at 60 minutes through the
// hour, day, month and year, recalculates and redraws), then the window's
// pending events. The 5 ms pause is left out: a full slow run of 4801 steps
// stays within 5% of its 24 s of pauses when a step takes under 300 us.
#include "window/main_window.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDateTime>
#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void SlowAnimationStep(benchmark::State& state, bool shadows)
{
    veltrax::MainWindow w;
    w.settings.shadows = shadows;
    const QDateTime fixed(QDate(2026, 12, 31), QTime(10, 58, 0));
    w.Clock = [fixed] { return fixed; };
    w.Sleep = [](int) {};
    w.Form_Load();
    w.show();
    QCoreApplication::processEvents();

    const long recalcs = w.RecalcCount();
    const long draws = w.DrawCount();
    for (auto _ : state) {
        w.VSmin->SetValue(w.VSmin->Value() + 1);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    const auto steps = static_cast<double>(state.iterations());
    state.counters["recalcs_per_step"] = static_cast<double>(w.RecalcCount() - recalcs) / steps;
    state.counters["draws_per_step"] = static_cast<double>(w.DrawCount() - draws) / steps;
    if (w.DrawCount() == draws)
        state.SkipWithError("the steps drew nothing");
}
void BM_SlowAnimationStep(benchmark::State& state) { SlowAnimationStep(state, false); }
BENCHMARK(BM_SlowAnimationStep)->Unit(benchmark::kMicrosecond);

// With the satellites' shadows on.
void BM_SlowAnimationStepShadows(benchmark::State& state) { SlowAnimationStep(state, true); }
BENCHMARK(BM_SlowAnimationStepShadows)->Unit(benchmark::kMicrosecond);

}  // namespace
