// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the engine and of the whole results computation. Each iteration
// moves the moment a little so that nothing is computed once and reused.
#include "engine/engine.h"
#include "results/recalc.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace veltrax;

constexpr double kStartJDE = 2459446.6258898703;  // 2021-08-20 03:00 UT

void BM_CalcJD(benchmark::State& state)
{
    int64_t i = 0;
    for (auto _ : state) {
        const double day = 20.125 + static_cast<double>(i++ & 0xFFFF) * 1e-6;
        benchmark::DoNotOptimize(CalcJD(2021, 8, day));
    }
}
BENCHMARK(BM_CalcJD);

void BM_CalcCentralMeridian(benchmark::State& state)
{
    int64_t i = 0;
    for (auto _ : state) {
        const CentralMeridian cm = CalcCentralMeridian(kStartJDE + static_cast<double>(i++ & 0xFFFF) * 1e-6);
        benchmark::DoNotOptimize(cm);
    }
}
BENCHMARK(BM_CalcCentralMeridian);

void BM_AspectAndMoons(benchmark::State& state)
{
    int64_t i = 0;
    for (auto _ : state) {
        const double d = kStartJDE - kEpoch1900Jd + static_cast<double>(i++ & 0xFFFF) * 1e-6;
        const JupiterAspect a = CalcAspect(d);
        const MoonPositions m = CalcMoons(d, a);
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_AspectAndMoons);

// What one recalculation and one redraw ask of the engine.
void BM_EngineFullCycle(benchmark::State& state)
{
    int64_t i = 0;
    for (auto _ : state) {
        const double jde = CalcJD(2021, 8, 20.125 + static_cast<double>(i++ & 0xFFFF) * 1e-6);
        const CentralMeridian cm = CalcCentralMeridian(jde);
        const JupiterAspect a = CalcAspect(jde - kEpoch1900Jd);
        const MoonPositions m = CalcMoons(jde - kEpoch1900Jd, a);
        benchmark::DoNotOptimize(cm);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_EngineFullCycle);

// The whole results computation with its texts, as the window runs it on
// every edit, tick and animation step; the seconds field walks through
// prepared texts so that each cycle reads a different moment.
void BM_Recalculate(benchmark::State& state)
{
    std::vector<std::string> seconds;
    for (int s = 0; s < 600; ++s)
        seconds.push_back(std::to_string(s / 10) + "." + std::to_string(s % 10));
    FieldTexts f{"2021", "8", "20", "12", "0", "0"};
    const MonthTable days = kCommonYearMonthDays;
    const GrsTable grs = GrsTable::Standard();
    size_t i = 0;
    for (auto _ : state) {
        f.Byo = seconds[i++ % seconds.size()];
        RecalcOutcome out = Recalculate(f, days, grs);
        benchmark::DoNotOptimize(out);
        if (!out.ok())
            state.SkipWithError(out.why.c_str());
    }
}
BENCHMARK(BM_Recalculate);

}  // namespace
