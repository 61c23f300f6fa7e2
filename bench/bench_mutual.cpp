// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of the mutual-event search: the whole 2026-27 season, 2026 June 1 to
// 2027 October 1, all six pairs, occultations and eclipses, observable or not
// (317 events), with every figure at each maximum. Target: under 1 s on one
// core.
#include "engine/mutual.h"

#include <benchmark/benchmark.h>

namespace {

using namespace veltrax;

void BM_MutualSeason(benchmark::State& state)
{
    int64_t events = 0;
    for (auto _ : state) {
        events = 0;
        // 2026 June 1.0 to 2027 October 1.0, TT.
        FindMutualEvents(2461192.5, 2461679.5, [&](const MutualEvent& e) {
            benchmark::DoNotOptimize(e);
            ++events;
            return true;
        });
    }
    state.counters["events"] = static_cast<double>(events);
}
BENCHMARK(BM_MutualSeason)->Unit(benchmark::kMillisecond);

}  // namespace
