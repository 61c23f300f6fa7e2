// SPDX-License-Identifier: GPL-3.0-or-later
// The companion's night and light-curve commands through the built program:
// exit statuses, the JSON's keys and nulls, the CSV headers.
#include "cli/ephem.h"
#include "support/csv.h"
#include "support/mini_json.h"
#include "support/run_ephem.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InChildProcess;
using test_support::Ran;

const std::vector<std::string> kNightKeys = {
    "sunset", "civil_dusk", "nautical_dusk", "astronomical_dusk", "jupiter_rise", "jupiter_culmination",
    "jupiter_culmination_alt", "jupiter_set", "astronomical_dawn", "nautical_dawn", "civil_dawn", "sunrise",
    "watch_from", "watch_to"};

TEST(NightCommand, JsonCsvAndWords)
{
    // Tokyo in January has every moment; 78 N at midsummer only Jupiter's culmination.
    for (const bool polar : {false, true}) {
        const Ran r = InChildProcess({"night", polar ? "2027-06-21" : "2027-01-15", "--site",
                                      polar ? "78,15" : "35.68,139.77", "--json"});
        ASSERT_EQ(r.status, 0) << r.err;
        const minijson::Value v = minijson::Parse(r.out);
        EXPECT_EQ(v.object.size(), kNightKeys.size() + 1) << r.out;
        EXPECT_EQ(v["rows"].kind, minijson::Value::Kind::Array);
        for (const std::string& k : kNightKeys)
            EXPECT_EQ(v[k].kind == minijson::Value::Kind::Null, polar && k.find("culmination") == std::string::npos)
                << polar << " " << k;
    }
    // Tokyo's sunset on 2027-01-15 by astronomy-engine: 16:50:15 JST.
    const Ran csv = InChildProcess({"night", "2027-01-15", "--site=35.68,139.77", "--csv"});
    ASSERT_EQ(csv.status, 0) << csv.err;
    const auto rows = test_support::CsvRows(csv.out);
    ASSERT_GE(rows.size(), 4u);  // the timetable, a blank line, the rows' header
    EXPECT_EQ(rows[0], kNightKeys);
    EXPECT_TRUE(rows[2].empty());
    EXPECT_EQ(rows[1][0].substr(0, 16), "2027-01-15 16:50");
    EXPECT_NE(InChildProcess({"night", "2027-06-21", "--site", "78,15"}).out.find("the Sun does not set"),
              std::string::npos);
    EXPECT_NE(InChildProcess({"night", "2027-12-21", "--site", "78,15"}).out.find("the Sun does not rise"),
              std::string::npos);
}

TEST(NightCommand, RowsLieInTheWatchSpanInEveryFormat)
{
    // Ganymede eclipses Callisto at 2027-01-06 15:41:07 UT (00:41 JST, maximum
    // in tests/data/mutual_events_2026_27.csv) over Tokyo; 78 N at midsummer has no night.
    const Args tokyo = {"night", "2027-01-06", "--site", "35.68,139.77"}, arctic = {"night", "2027-06-21", "--site", "78,15"};
    const auto ran = [](Args args, const char* format) {
        args.insert(args.end(), *format ? 1 : 0, format);
        const Ran r = InChildProcess(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return r.out;
    };
    const std::string text = ran(tokyo, "");
    EXPECT_EQ(text.substr(std::min(text.find(" JST  3E4  "), text.size()) - 19, 16), "2027-01-07 00:41") << text;
    EXPECT_NE(ran(arctic, "").find("No events"), std::string::npos);
    // Every row's JST lies from watch_from to watch_to, or before watch_from when under way then.
    for (const Args& night : {tokyo, arctic}) {
        const minijson::Value v = minijson::Parse(ran(night, "--json"));
        const auto rows = test_support::CsvRows(ran(night, "--csv"));
        ASSERT_EQ(rows.size() - 4, v["rows"].array.size());
        EXPECT_EQ(rows[3].back(), "under_way");
        int mutual = 0;
        for (size_t i = 0; i < v["rows"].array.size(); ++i) {
            const std::string& jst = v["rows"][i]["JST"].string;
            EXPECT_EQ(rows[i + 4][0], jst);
            EXPECT_TRUE(v["rows"][i]["under_way"].boolean ? jst <= v["watch_from"].string
                                                          : v["watch_from"].string <= jst && jst <= v["watch_to"].string)
                << jst;
            mutual += v["rows"][i]["moon"].string == "3E4" && jst.compare(0, 16, "2027-01-07 00:41") == 0;
        }
        EXPECT_EQ(mutual, night == tokyo ? 1 : 0);
        EXPECT_EQ(v["rows"].array.empty(), night == arctic);
    }
}

TEST(LightCurveCommand, CsvOfTheEvent)
{
    const Ran r = InChildProcess({"light-curve", "3E1", "2027-01-15 13:00", "--step", "10"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto rows = test_support::CsvRows(r.out);
    ASSERT_GT(rows.size(), 60u);  // nine minutes and the margins, every 10 s
    EXPECT_EQ(rows[0], (std::vector<std::string>{"UT", "JST", "seconds_from_maximum", "flux_passive", "flux_pair",
                                                 "delta_mag_pair"}));
    EXPECT_EQ(std::stoi(rows[2][2]) - std::stoi(rows[1][2]), 10);
}

TEST(NightAndLightCurveCommands, RefuseWithAStatusAndOneLine)
{
    const struct {
        Args args;
        int status;
    } refusals[] = {
        {{"night", "2027-01-15"}, kExitUsage},  // no site: the tests' settings folder holds none
        {{"night", "2027-02-30", "--site", "35,139"}, kExitUsage},
        {{"night", "--site", "95,139", "2027-01-15"}, kExitUsage},
        {{"night", "2027-01-15", "--site", "35,139", "--csv", "--json"}, kExitUsage},
        {{"night", "2027-01-15", "--site", "35,139", "--step", "5"}, kExitUsage},
        {{"light-curve", "3E1", "2027-01-15 16:00"}, 1},  // three hours after its maximum
        {{"light-curve", "3X1", "2027-01-15 13:00"}, kExitUsage},
        {{"light-curve", "3E3", "2027-01-15 13:00"}, kExitUsage},
        {{"light-curve", "3E1", "2027-01-15 13:00", "--step", "2.5"}, kExitUsage},
        {{"light-curve", "3E1"}, kExitUsage},
    };
    for (const auto& x : refusals) {
        const Ran r = InChildProcess(x.args);
        EXPECT_EQ(r.status, x.status) << x.args[1] << " " << x.args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
}

}  // namespace
}  // namespace veltrax
