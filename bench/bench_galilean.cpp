// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the precise satellite theory and of a site's altitudes, which an
// event search calls tens of thousands of times per simulated year. Each
// iteration moves the moment by a minute so that nothing is reused.
#include "engine/galilean.h"
#include "engine/site.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

using namespace veltrax;

constexpr double kStartJdeTT = 2461383.5;  // 2026-12-08 00:00 TT

void BM_ComputeGalileanSky(benchmark::State& state)
{
    int64_t i = 0;
    for (auto _ : state) {
        const GalileanSky sky = ComputeGalileanSky(kStartJdeTT + static_cast<double>(i++ & 0xFFFFF) / 1440.0);
        benchmark::DoNotOptimize(sky);
    }
}
BENCHMARK(BM_ComputeGalileanSky);

void BM_ComputeAltitudes(benchmark::State& state)
{
    const Site tokyo{35.68, 139.77, 40.0};
    int64_t i = 0;
    for (auto _ : state) {
        const SkyAltitudes alt = ComputeAltitudes(kStartJdeTT + static_cast<double>(i++ & 0xFFFFF) / 1440.0, tokyo);
        benchmark::DoNotOptimize(alt);
    }
}
BENCHMARK(BM_ComputeAltitudes);

}  // namespace
