// SPDX-License-Identifier: GPL-3.0-or-later
// The night's timetable against an independent ephemeris: astronomy-engine's
// altitude and hour-angle searches for Tokyo, Sapporo and Sydney over every
// night of 2027, and 78 N at midsummer and midwinter (the missing events).
// tests/data/make_night_reference.js made the file.
#include "engine/night.h"
#include "support/csv.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>

namespace veltrax {
namespace {

// A time within this of the independent one, seconds.
constexpr double kToleranceSeconds = 60;

// The reference's column of each event (the culmination's altitude sits
// after the culmination).
int Column(int event)
{
    return event <= static_cast<int>(NightEvent::JupiterCulmination) ? 4 + event : 5 + event;
}

TEST(NightTimetable, AgreesWithAnIndependentEphemerisOverAYear)
{
    std::ifstream f(VELTRAX_TEST_DATA "/night_reference_2027.csv");
    ASSERT_TRUE(f) << "no reference file";
    double worst = 0;
    std::string worstAt, line;
    int nights = 0, missing = 0;
    const auto check = [&](const std::string& at, const std::string& want, const std::optional<double>& got,
                           double start) {
        if (want.empty() != !got) {
            // Found on one side only: fair only at the very edge of the 24 hours.
            const double t = got ? (*got - start) * 86400 : std::stod(want);
            EXPECT_TRUE(t < kToleranceSeconds || t > 86400 - kToleranceSeconds) << at << " want '" << want << "'";
            return;
        }
        missing += want.empty();
        if (want.empty())
            return;
        const double d = std::fabs((*got - start) * 86400 - std::stod(want));
        EXPECT_LE(d, kToleranceSeconds) << at;
        if (d > worst) {
            worst = d;
            worstAt = at;
        }
    };
    while (std::getline(f, line)) {
        if (line.empty() || line[0] == '#' || line.compare(0, 4, "site") == 0)
            continue;
        const auto r = test_support::CsvCells(line);
        ASSERT_EQ(r.size(), 18u) << line;
        std::string why;
        const auto date = ParseDate(r[3], why);
        ASSERT_TRUE(date) << why;
        const NightTimetable n = ComputeNight(*date, Site{std::stod(r[1]), std::stod(r[2]), 0});
        const std::string at = r[0] + " " + r[3];
        for (int e = 0; e < kNightEvents; ++e)
            check(at + " event " + std::to_string(e), r[static_cast<size_t>(Column(e))], n.jdUT[static_cast<size_t>(e)],
                  n.startJdUT);
        if (n.culminationAltitudeDeg && !r[10].empty()) {
            EXPECT_NEAR(*n.culminationAltitudeDeg, std::stod(r[10]), 0.02) << at;
        }
        // A span shorter than the reference's sampling step (five minutes)
        // may fall between its samples: absent there.
        auto watch = n.LongestWatch();
        if (watch && r[16].empty() && (watch->toJdUT - watch->fromJdUT) * 86400 < 300)
            watch.reset();
        check(at + " watch_from", r[16], watch ? std::optional(watch->fromJdUT) : std::nullopt, n.startJdUT);
        check(at + " watch_to", r[17], watch ? std::optional(watch->toJdUT) : std::nullopt, n.startJdUT);
        ++nights;
    }
    EXPECT_EQ(nights, 3 * 365 + 2);
    EXPECT_GE(missing, 20);  // the polar nights' nulls were compared too
    std::cout << "worst difference " << worst << " s (" << worstAt << ")\n";
}

}  // namespace
}  // namespace veltrax
