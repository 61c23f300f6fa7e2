// SPDX-License-Identifier: GPL-3.0-or-later
// Timing of the satellite event search: a year of events, all four
// satellites and all four kinds, observable or not (about 3,000 edges), from
// the precise theory. Target: under 200 ms on one core.
#include "engine/events.h"

#include <benchmark/benchmark.h>

namespace {

using namespace veltrax;

void BM_EventsOneYear(benchmark::State& state)
{
    int64_t edges = 0;
    for (auto _ : state) {
        edges = 0;
        // 2026 January 1.0 to 2027 January 1.0, TT.
        FindGalileanEvents(2461041.5, 2461406.5, [&](const GalileanEvent& e) {
            benchmark::DoNotOptimize(e);
            ++edges;
            return true;
        });
    }
    state.counters["edges"] = static_cast<double>(edges);
}
BENCHMARK(BM_EventsOneYear)->Unit(benchmark::kMillisecond);

}  // namespace
