// SPDX-License-Identifier: GPL-3.0-or-later
// A moment before the 1582 reform is one instant everywhere: the single
// moment, the table, the events and
// the Great Red Spot's transits seen from a site, whose altitudes are checked
// against an independent ephemeris.
#include "results/night_events.h"
#include "support/mini_json.h"
#include "support/csv.h"
#include "support/run_ephem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <sstream>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InProcess;

using test_support::CsvRows;

// 1500-03-01 21:00 JST is 12:00 UT of 1 March 1500 on the Julian calendar:
// JD = INT(365.25 (1500 + 4716)) + INT(30.6001 (3 + 1)) + 1 - 1524.5 + 0.5
//    = 2270394 + 122 + 1 - 1524.5 + 0.5 = 2268993.0.
TEST(EarlyYears, OneTypedMomentIsOneInstantInEveryCommand)
{
    const auto single = InProcess({"--json", "1500-03-01 21:00"});
    ASSERT_EQ(single.status, 0) << single.err;
    const double jde = minijson::Parse(single.out)["CurrentJDE"].Num();
    EXPECT_NEAR(WindowJdUT(jde), 2268993.0, 1e-6);

    const auto utc = InProcess({"--json", "--utc", "1500-03-01 12:00"});
    ASSERT_EQ(utc.status, 0) << utc.err;
    EXPECT_EQ(minijson::Parse(utc.out)["CurrentJDE"].Num(), jde);

    const auto table = InProcess({"table", "1500-03-01 21:00", "1500-03-01 21:00", "1h"});
    ASSERT_EQ(table.status, 0) << table.err;
    const auto rows = CsvRows(table.out);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1][0], "1500-03-01 21:00:00");
    EXPECT_EQ(rows[1][1], "1500-03-01T12:00:00Z");
    EXPECT_EQ(std::stod(rows[1][2]), jde);

    // The Julian 29 February exists for the single moment as for a plan.
    EXPECT_EQ(InProcess({"1500-02-29", "12:00"}).status, 0);
    EXPECT_EQ(InProcess({"table", "1500-02-29", "1500-02-29", "1h"}).status, 0);
}

// Jupiter's and the Sun's apparent altitudes from Tokyo at the transits'
// Universal Times, from astronomy-engine 2.1.19 (Equator of date with
// aberration, Horizon with normal refraction), the moments given to it as
// Julian Days of the Julian-calendar dates.
TEST(EarlyYears, TransitAltitudesAgreeWithAnIndependentEphemeris)
{
    const std::map<std::string, std::pair<double, double>> reference = {
        {"1500-03-01T00:17:23Z", {37.73, 36.39}},
        {"1500-03-01T10:13:13Z", {-30.07, -18.24}},
        {"1500-03-01T20:09:02Z", {-4.52, -10.17}},
    };
    const auto ran = InProcess({"grs-transits", "1500-03-01", "1500-03-02 12:00", "--site", "35.68,139.77",
                                "--min-alt", "-90", "--sun-alt", "90", "--csv", "--grs", "table"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    size_t found = 0;
    for (const auto& r : CsvRows(ran.out)) {
        if (r[0] == "JST")
            continue;
        ASSERT_EQ(r.size(), 7u);
        const auto ref = reference.find(r[1]);
        ASSERT_NE(ref, reference.end()) << r[1];
        EXPECT_NEAR(std::stod(r[5]), ref->second.first, 0.1) << r[1];
        EXPECT_NEAR(std::stod(r[6]), ref->second.second, 0.1) << r[1];
        ++found;
    }
    EXPECT_EQ(found, reference.size());
}

}  // namespace
}  // namespace veltrax
