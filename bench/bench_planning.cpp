// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of veltrax-ephem's observing plans: the table over one year at
// one-minute steps (525,600 rows, about 196 MB of CSV) and a year of Great Red
// Spot transits, each written to a stream that discards what it is given.
#include "cli/ephem.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ostream>
#include <sstream>
#include <streambuf>

namespace {

using namespace veltrax;

// The output's bytes are counted and dropped, as /dev/null would.
class NullBuffer : public std::streambuf {
public:
    int64_t bytes = 0;

protected:
    std::streamsize xsputn(const char*, std::streamsize n) override
    {
        bytes += n;
        return n;
    }
    int_type overflow(int_type c) override
    {
        ++bytes;
        return traits_type::not_eof(c);
    }
};

void RunPlan(benchmark::State& state, const char* const* argv, int argc, int64_t lines)
{
    NullBuffer sink;
    std::ostream out(&sink);
    std::ostringstream err;
    for (auto _ : state) {
        if (RunEphem(argc, argv, out, err) != kExitOk) {
            state.SkipWithError(err.str().c_str());
            return;
        }
    }
    state.SetBytesProcessed(sink.bytes);
    // Seconds per line, shown per row.
    state.counters["per_line"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsIterationInvariantRate |
                                                           benchmark::Counter::kInvert);
}

void BM_TableOneYearByMinute(benchmark::State& state)
{
    const char* const argv[] = {"veltrax-ephem", "table", "2021-01-01 00:00", "2021-12-31 23:59", "1m"};
    RunPlan(state, argv, 5, 525600 + 1);
}
BENCHMARK(BM_TableOneYearByMinute)->Unit(benchmark::kMillisecond);

void BM_GrsTransitsOneYear(benchmark::State& state)
{
    const char* const argv[] = {"veltrax-ephem", "grs-transits", "2021-01-01 00:00", "2021-12-31 23:59"};
    RunPlan(state, argv, 4, 882);
}
BENCHMARK(BM_GrsTransitsOneYear)->Unit(benchmark::kMillisecond);

}  // namespace
