// SPDX-License-Identifier: GPL-3.0-or-later
// Observing plans from veltrax-ephem: the table against the single-moment
// output, the Great Red Spot transits against a fine scan, the observer's own
// GRS longitude, and the refusals.
#include "cli/ephem.h"
#include "cli/plan.h"
#include "engine/engine.h"
#include "render/scene.h"
#include "support/mini_json.h"
#include "support/run_ephem.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InChildProcess;
using test_support::InProcess;
using test_support::Ran;

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::istringstream in(s);
    for (std::string part; std::getline(in, part, sep);)
        parts.push_back(part);
    return parts;
}

// A CSV output: its header's column positions and its rows.
struct Csv {
    std::map<std::string, size_t> column;
    std::vector<std::vector<std::string>> rows;

    const std::string& Cell(size_t row, const std::string& name) const { return rows.at(row).at(column.at(name)); }
    double Number(size_t row, const std::string& name) const { return std::strtod(Cell(row, name).c_str(), nullptr); }
};

Csv ReadCsv(const std::string& text)
{
    Csv csv;
    const std::vector<std::string> lines = Split(text, '\n');
    if (lines.empty())
        return csv;
    const std::vector<std::string> header = Split(lines[0], ',');
    for (size_t i = 0; i < header.size(); ++i)
        csv.column[header[i]] = i;
    for (size_t i = 1; i < lines.size(); ++i) {
        csv.rows.push_back(Split(lines[i], ','));
        EXPECT_EQ(csv.rows.back().size(), header.size()) << lines[i];
    }
    return csv;
}

Ran Ok(const Args& args)
{
    const Ran r = InProcess(args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    EXPECT_EQ(r.err, "");
    return r;
}

minijson::Value SingleMomentJson(Args args)
{
    args.insert(args.begin(), "--json");
    return minijson::Parse(Ok(args).out);
}

// "2021-08-20T03:00:00Z" as the window's UT label writes it.
std::string UtLabel(const std::string& iso)
{
    const int y = std::stoi(iso.substr(0, 4)), mo = std::stoi(iso.substr(5, 2)), d = std::stoi(iso.substr(8, 2));
    return "世界時（ＵＴ） " + std::to_string(y) + "年 " + std::to_string(mo) + "月 " + std::to_string(d) + "日　" +
           iso.substr(11, 2) + "時" + iso.substr(14, 2) + "分" + iso.substr(17, 2) + "秒";
}

// Degrees the meridian gains on a fixed longitude in one second.
constexpr double kRotationPerSecond = 870.27 / 86400;

const char* const kNumberColumns[] = {"JDE", "CM1", "CM2", "CM3", "CM1cc", "CM2cc", "CM3cc", "GrsLongitude"};
const char* const kJsonKeys[] = {"CurrentJDE", "CM1", "CM2", "CM3", "CM1cc", "CM2cc", "CM3cc", "GrsLongitude"};
const char* const kMoons[] = {"I", "II", "III", "IV"};

// ---- the table is the single-moment output, row by row --------------------

struct TableRow {
    const char* name;
    Args args;     // after "table"
    size_t rows;   // wanted
    bool utc;
};

TEST(Table, RowsAreTheSingleMomentNumbersExactly)
{
    const TableRow cases[] = {
        {"evening_jst", {"2021-08-20 20:00", "2021-08-20 23:00", "1h"}, 4, false},
        {"jst_morning_is_ut_leap_day", {"2024-03-01 08:00", "2024-03-01 10:00", "30m"}, 5, false},
        {"new_year_jst_still_old_year_in_ut", {"2022-01-01 08:30", "2022-01-01 09:30", "20m"}, 4, false},
        {"utc_across_2012_to_2013", {"--utc", "2012-12-31 23:00", "2013-01-01 01:00", "1h"}, 3, true},
        {"utc_2100_is_not_leap", {"--utc", "2100-02-28 23:00", "2100-03-01 01:00", "1h"}, 3, true},
        {"seconds_and_last_row_before_to", {"2021-08-20 12:00:00", "2021-08-20 12:05:00", "7s"}, 43, false},
        {"t_separator_and_date_time_pairs", {"2021-08-20T21:00", "2021-08-20", "21:40", "20m"}, 3, false},
        {"utc_from_the_2000_leap_day", {"--utc", "2000-02-29 12:00", "2000-02-29 14:00", "1h"}, 3, true},
        {"bare_dates_are_midnight", {"2026-01-01", "2026-01-02", "6h"}, 5, false},
    };
    for (const TableRow& c : cases) {
        SCOPED_TRACE(c.name);
        Args args{"table"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        const Csv csv = ReadCsv(Ok(args).out);
        ASSERT_EQ(csv.rows.size(), c.rows);
        EXPECT_EQ(csv.column.count("JST"), c.utc ? 0u : 1u);
        for (size_t i = 0; i < csv.rows.size(); ++i) {
            const std::string ut = csv.Cell(i, "UT");
            SCOPED_TRACE(ut);
            ASSERT_EQ(ut.size(), 20u);
            const minijson::Value doc = c.utc ? SingleMomentJson({"--utc", ut.substr(0, 19)})
                                              : SingleMomentJson({csv.Cell(i, "JST")});
            EXPECT_EQ(Split(doc["result"].Str(), '\r').at(0), UtLabel(ut));
            for (size_t k = 0; k < std::size(kNumberColumns); ++k)
                EXPECT_EQ(csv.Number(i, kNumberColumns[k]), doc[kJsonKeys[k]].Num()) << kNumberColumns[k];
            for (size_t m = 0; m < 4; ++m) {
                const std::string moon = kMoons[m];
                EXPECT_EQ(csv.Number(i, moon + "_X"), doc["moons"]["X"][m].Num()) << moon;
                EXPECT_EQ(csv.Number(i, moon + "_Y"), doc["moons"]["Y"][m].Num()) << moon;
                const double key = DepthKey(doc["moons"]["U"][m].Num());
                EXPECT_EQ(csv.Cell(i, moon + "_side"), key <= 90 ? "front" : "behind") << moon << " key " << key;
            }
        }
    }
}

TEST(Table, DigitsRoundEveryNumber)
{
    const Csv full = ReadCsv(Ok({"table", "2021-08-20 21:00", "2021-08-20 21:10", "10m"}).out);
    const Csv fixed = ReadCsv(Ok({"table", "2021-08-20 21:00", "2021-08-20 21:10", "10m", "--digits", "3"}).out);
    ASSERT_EQ(fixed.rows.size(), 2u);
    ASSERT_EQ(full.rows.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        for (const auto& [name, col] : full.column) {
            const std::string& cell = fixed.rows[i][col];
            if (name == "JST" || name == "UT" || name.find("_side") != std::string::npos) {
                EXPECT_EQ(cell, full.rows[i][col]) << name;
                continue;
            }
            EXPECT_EQ(cell.size() - cell.find('.'), 4u) << name << " = " << cell;
            EXPECT_NEAR(fixed.Number(i, name), full.Number(i, name), 0.0005) << name;
        }
    }
}

// ---- Great Red Spot transits --------------------------------------------------

double Residual(double cm2cc, double grs)
{
    return std::fabs(WrappedDifference(cm2cc, grs));
}

struct TransitCase {
    const char* name;
    Args grs;  // --grs option, or none for the built-in prediction
    const char* from;
    const char* to;
};

TEST(GrsTransits, EachCrossingOfAFineScanOnceAndWithinOneHundredthOfADegree)
{
    const TransitCase cases[] = {
        {"built_in_prediction_november_2024", {}, "2024-11-01 00:00", "2024-12-01 00:00"},
        {"observed_with_drift_february_2025", {"--grs", "68@2025-01-01,1.75/month"}, "2025-02-01 00:00",
         "2025-03-01 00:00"},
        {"built_in_prediction_across_2013", {}, "2012-12-20 00:00", "2013-01-10 00:00"},
        {"built_in_prediction_across_2014", {}, "2013-12-20 00:00", "2014-01-10 00:00"},
    };
    for (const TransitCase& c : cases) {
        SCOPED_TRACE(c.name);
        Args scan{"table", c.from, c.to, "2m", "--utc"};
        Args solve{"grs-transits", c.from, c.to, "--utc", "--csv"};
        scan.insert(scan.end(), c.grs.begin(), c.grs.end());
        solve.insert(solve.end(), c.grs.begin(), c.grs.end());

        // Crossings from below of the fine scan, as [before, after] UT brackets.
        const Csv fine = ReadCsv(Ok(scan).out);
        std::vector<std::pair<std::string, std::string>> brackets;
        for (size_t i = 1; i < fine.rows.size(); ++i) {
            const double before = WrappedDifference(fine.Number(i - 1, "CM2cc"), fine.Number(i - 1, "GrsLongitude"));
            const double after = WrappedDifference(fine.Number(i, "CM2cc"), fine.Number(i, "GrsLongitude"));
            if (before < 0 && after >= 0 && after - before < 90)
                brackets.emplace_back(fine.Cell(i - 1, "UT"), fine.Cell(i, "UT"));
        }
        ASSERT_GT(brackets.size(), 40u);

        const Csv found = ReadCsv(Ok(solve).out);
        ASSERT_EQ(found.rows.size(), brackets.size());
        for (size_t i = 0; i < brackets.size(); ++i) {
            const std::string ut = found.Cell(i, "UT");
            EXPECT_GE(ut, brackets[i].first);
            EXPECT_LE(ut, brackets[i].second);
            Args moment{"--utc", ut.substr(0, 19)};
            moment.insert(moment.end(), c.grs.begin(), c.grs.end());
            const minijson::Value doc = SingleMomentJson(moment);
            // The nearest whole second: within half a second of rotation.
            const double residual = Residual(doc["CM2cc"].Num(), doc["GrsLongitude"].Num());
            EXPECT_LE(residual, 0.01) << ut;
            EXPECT_LE(residual, kRotationPerSecond / 2 + 1e-6) << ut;
            EXPECT_EQ(found.Number(i, "CM2cc"), doc["CM2cc"].Num()) << ut;
        }
    }
}

TEST(GrsTransits, ReadableLinesGiveJstAndUt)
{
    const Ran csv = Ok({"grs-transits", "2024-11-01 00:00", "2024-11-03 00:00", "--csv"});
    const Ran text = Ok({"grs-transits", "2024-11-01 00:00", "2024-11-03 00:00"});
    const Csv rows = ReadCsv(csv.out);
    const std::vector<std::string> lines = Split(text.out, '\n');
    ASSERT_EQ(lines.size(), rows.rows.size());
    ASSERT_GE(lines.size(), 4u);
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::string head = rows.Cell(i, "JST") + " JST  " + rows.Cell(i, "UT") + "  CM2cc=";
        EXPECT_EQ(lines[i].substr(0, head.size()), head);
    }
}

// Where JupArgJ passes 180 (on 2026-07-22) the phase correction changes sign
// and the illuminated meridian steps forward by twice the correction. A spot
// placed inside that step is still found once, at one of the two seconds
// around it, and within 0.01 degree.
TEST(GrsTransits, TransitInsideThePhaseCorrectionStep)
{
    GrsTable table = GrsTable::Standard();
    GrsSource builtIn;
    builtIn.table = &table;
    std::string why;
    auto at = [&](int64_t t) { return ResultsAt(CivilFromSeconds(t), 0, builtIn); };
    int64_t a = SecondsFromCivil(*ParseMoment("2026-07-20 00:00", why));
    int64_t b = SecondsFromCivil(*ParseMoment("2026-07-25 00:00", why));
    ASSERT_LT(at(a).JupArgJ, 180);
    ASSERT_GE(at(b).JupArgJ, 180);
    while (b - a > 1) {
        const int64_t m = a + (b - a) / 2;
        (at(m).JupArgJ < 180 ? a : b) = m;
    }
    const double before = at(a).CM2, after = at(b).CM2;
    const double step = after - before;
    ASSERT_GT(step, kRotationPerSecond + 0.004) << "no phase step between " << a << " and " << b;

    char lon[40];
    std::snprintf(lon, sizeof lon, "%.9f", 0.5 * (before + after));
    const Args grs{"--grs", std::string(lon) + "@2026-07-01"};
    Args solve{"grs-transits", "--utc", "--csv", LocalText(CivilFromSeconds(a - 3600)),
               LocalText(CivilFromSeconds(a + 3600))};
    solve.insert(solve.end(), grs.begin(), grs.end());
    const Csv found = ReadCsv(Ok(solve).out);
    ASSERT_EQ(found.rows.size(), 1u);
    const std::string ut = found.Cell(0, "UT");
    EXPECT_TRUE(ut == IsoUtcText(CivilFromSeconds(a)) || ut == IsoUtcText(CivilFromSeconds(b))) << ut;
    const double residual = Residual(found.Number(0, "CM2cc"), found.Number(0, "GrsLongitude"));
    EXPECT_LE(residual, step / 2 + 1e-9);
    EXPECT_LE(residual, 0.01);
}

// ---- the observer's own GRS longitude ------------------------------------------

struct GrsCase {
    const char* name;
    const char* option;  // the value of --grs
    double lon;
    int y, m, d;          // the date of the measurement, 0 h UT
    double perDay;        // drift, degrees a day
};

TEST(GrsOption, LongitudeIsTheMeasurementPlusTheDriftReduced)
{
    const GrsCase cases[] = {
        {"no_drift", "68@2025-01-01", 68, 2025, 1, 1, 0},
        {"per_month", "68@2025-01-01,1.75/month", 68, 2025, 1, 1, 1.75 / (365.25 / 12)},
        {"per_year_before_the_date", "351.4@2026-01-01,21/year", 351.4, 2026, 1, 1, 21 / 365.25},
        {"per_day_passing_360", "359.5@2025-03-15,0.06/day", 359.5, 2025, 3, 15, 0.06},
        {"negative_drift_below_0", "1@2025-03-15,-3/month", 1, 2025, 3, 15, -3 / (365.25 / 12)},
    };
    for (const GrsCase& c : cases) {
        SCOPED_TRACE(c.name);
        const Csv csv = ReadCsv(Ok({"table", "2025-01-10 21:00", "2025-07-10 21:00", "30d", "--grs", c.option}).out);
        ASSERT_EQ(csv.rows.size(), 7u);
        const double epoch = CalcJD(c.y, c.m, c.d);
        for (size_t i = 0; i < csv.rows.size(); ++i) {
            const double g = c.lon + c.perDay * (csv.Number(i, "JDE") - epoch);
            const double wanted = g - 360 * std::floor(g / 360);
            const double got = csv.Number(i, "GrsLongitude");
            EXPECT_NEAR(got, wanted, 1e-9) << csv.Cell(i, "JST");
            EXPECT_GE(got, 0);
            EXPECT_LT(got, 360);
        }
        // The single-moment output takes it too, in the JSON and in the panel's text.
        const minijson::Value doc = SingleMomentJson({csv.Cell(0, "JST"), "--grs", c.option});
        EXPECT_EQ(doc["GrsLongitude"].Num(), csv.Number(0, "GrsLongitude"));
        char shown[32];
        std::snprintf(shown, sizeof shown, "(GRS予想経度 %05.1f)", doc["GrsLongitude"].Num());
        EXPECT_NE(Ok({"--grs", c.option, csv.Cell(0, "JST")}).out.find(shown), std::string::npos) << shown;
    }
}

// ---- refusals -------------------------------------------------------------------

enum class Via { Library, Program };

class Refusal : public testing::TestWithParam<Via> {};

TEST_P(Refusal, OneLineOnStandardErrorNothingOnStandardOutput)
{
    const struct {
        const char* name;
        Args args;
        const char* errHas;
    } rows[] = {
        {"from_after_to", {"table", "2021-08-20 22:00", "2021-08-20 21:00", "10m"}, "after"},
        {"zero_step", {"table", "2021-08-20 21:00", "2021-08-20 22:00", "0m"}, "positive"},
        {"negative_step", {"table", "2021-08-20 21:00", "2021-08-20 22:00", "-10m"}, "positive"},
        {"step_without_unit", {"table", "2021-08-20 21:00", "2021-08-20 22:00", "10"}, "step"},
        {"unparsable_from", {"table", "2021/08/20 21:00", "2021-08-20 22:00", "10m"}, "FROM"},
        {"day_beyond_the_month", {"grs-transits", "2023-02-29 00:00", "2023-03-02 00:00"}, "28 days"},
        {"hour_24", {"grs-transits", "2023-02-20 00:00", "2023-02-21 24:00"}, "TO"},
        {"fraction_of_second", {"table", "2021-08-20 21:00:00.5", "2021-08-20 22:00", "10m"}, "whole"},
        {"grs_without_date", {"table", "2021-08-20 21:00", "2021-08-20 22:00", "10m", "--grs", "68"}, "--grs"},
        {"grs_drift_without_unit", {"grs-transits", "2021-08-20 21:00", "2021-08-21 21:00", "--grs", "68@2025-01-01,2"}, "drift"},
        {"grs_bad_longitude", {"grs-transits", "2021-08-20 21:00", "2021-08-21 21:00", "--grs=east@2025-01-01"}, "longitude"},
        {"unknown_option", {"table", "2021-08-20 21:00", "2021-08-20 22:00", "10m", "--frobnicate"}, "--frobnicate"},
        {"digits_beyond_17", {"table", "2021-08-20 21:00", "2021-08-20 22:00", "10m", "--digits", "18"}, "--digits"},
        {"json_with_table", {"--json", "table", "2021-08-20 21:00", "2021-08-20 22:00", "10m"}, "--json"},
        {"missing_to", {"grs-transits", "2021-08-20 21:00"}, "FROM and TO"},
        {"over_ten_million_rows", {"table", "2000-01-01 00:00", "2020-01-01 00:00", "1m"}, "--force"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Ran r = GetParam() == Via::Library ? InProcess(row.args) : InChildProcess(row.args);
        EXPECT_EQ(r.status, kExitUsage) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(Split(r.err, '\n').size(), 1u) << r.err;
        EXPECT_NE(r.err.find(row.errHas), std::string::npos) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(Planning, Refusal, testing::Values(Via::Library, Via::Program),
                         [](const testing::TestParamInfo<Via>& i) {
                             return i.param == Via::Library ? "in_process" : "program";
                         });

// Ten million lines pass, one more needs --force; checked on the plan, so that
// nothing is printed.
TEST(LineGuard, TenMillionLinesAndNoMore)
{
    const struct {
        const char* name;
        Args args;
        int64_t lines;  // 0: refused
    } rows[] = {
        {"ten_million_rows", {"table", "2021-01-01 00:00", "2021-04-26 17:46:39", "1s"}, 10000000},
        {"one_row_more", {"table", "2021-01-01 00:00", "2021-04-26 17:46:40", "1s"}, 0},
        {"one_row_more_forced", {"table", "2021-01-01 00:00", "2021-04-26 17:46:40", "1s", "--force"}, 10000001},
        {"last_row_before_to", {"table", "2021-01-01 00:00", "2021-01-01 00:09", "2m"}, 5},
        {"transits_of_a_million_years", {"grs-transits", "-500000-01-01 00:00", "500000-01-01 00:00"}, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::string why;
        const auto plan = cli::ParsePlan(row.args, why);
        if (row.lines == 0) {
            EXPECT_FALSE(plan.has_value());
            EXPECT_NE(why.find("--force"), std::string::npos) << why;
        } else {
            ASSERT_TRUE(plan.has_value()) << why;
            EXPECT_EQ(plan->lines, row.lines);
        }
    }
}

}  // namespace
}  // namespace veltrax
