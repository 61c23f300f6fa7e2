// SPDX-License-Identifier: GPL-3.0-or-later
// The observer's Great Red Spot: the model's prediction, the settings values
// and their refusals, the settings file's place, the companion's INI reader,
// and the companion run with a settings file.
#include "cli/ini.h"
#include "engine/engine.h"
#include "results/settings.h"
#include "support/mini_json.h"
#include "support/run_ephem.h"
#include "support/settings_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InChildProcess;
using test_support::SettingsDir;

double Predict(const GrsModel& m, double jde)
{
    static const GrsTable table = GrsTable::Standard();
    return m.Source(table).Predict(2026, jde);
}

// A drift month is 365.25 / 12 = 30.4375 days, a drift year 365.25 days.
TEST(GrsModel, LongitudeFromEpochAndDrift)
{
    struct Row {
        const char* name;
        double lonDeg;
        const char* drift;
        double daysAfterEpoch;
        double wantDeg;  // worked out by hand
    } rows[] = {
        {"at_the_epoch", 100, "1.5/month", 0, 100},
        {"one_month_on", 100, "1.5/month", 30.4375, 101.5},
        {"one_month_before_the_epoch", 100, "1.5/month", -30.4375, 98.5},
        {"westward_drift_two_months", 100, "-1.5/month", 60.875, 97},
        {"a_year_at_18_a_year", 40, "18/year", 365.25, 58},
        {"per_day", 10, "0.05/day", 20, 11},
        {"past_360", 359.5, "1.5/month", 30.4375, 1},
        {"below_0", 0.5, "-1.5/month", 30.4375, 359},
        {"seven_and_a_half_days", 100, "1.5/month", 7.5, 100 + 1.5 * 7.5 / 30.4375},
    };
    const GrsEpochDate epoch{2026, 12, 1};
    const double epochJde = CalcJD(2026, 12, 1);
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        GrsModel m;
        m.observation = MakeGrsObservation(r.lonDeg, epoch, *ParseGrsDriftDegPerDay(r.drift));
        EXPECT_NEAR(Predict(m, epochJde + r.daysAfterEpoch), r.wantDeg, 1e-9);
    }
}

using Values = std::map<std::string, std::string>;

GrsSettings Read(const Values& v)
{
    return ReadGrsSettings([&](const char* key) -> std::optional<std::string> {
        const auto it = v.find(key);
        return it == v.end() ? std::nullopt : std::optional<std::string>(it->second);
    });
}

// Each row changes one key of a sound set (nullptr: the key left out).
TEST(GrsSettingsValues, RefusedValuesLeaveTheTable)
{
    const struct {
        const char *key, *value;
    } rows[] = {
        {"longitude", "abc"},        {"longitude", "400"},        {"longitude", "360"},
        {"longitude", "-1"},         {"longitude", "1e2"},        {"longitude", "\xff\xfe\x01"},
        {"epoch", "2026-13-40"},     {"epoch", "2026-02-29"},     {"epoch", "2026/12/01"},
        {"epoch", nullptr},          {"drift", "1.5"},            {"drift", "1.5/week"},
        {"drift", "400/day"},
    };
    for (const auto& r : rows) {
        Values v{{"longitude", "100"}, {"epoch", "2026-12-01"}, {"drift", "1.5/month"}};
        r.value ? void(v[r.key] = r.value) : void(v.erase(r.key));
        const GrsSettings s = Read(v);
        SCOPED_TRACE(std::string(r.key) + " = " + (r.value ? r.value : "(absent)"));
        EXPECT_TRUE(s.model.UsesTable());
        ASSERT_EQ(s.problems.size(), 1u);
        EXPECT_EQ(s.problems[0].key, r.key);
        const std::string line = DescribeSettingsProblem("/x/veltrax.conf", s.problems[0]);
        EXPECT_EQ(line.find("/x/veltrax.conf: [GreatRedSpot] " + std::string(r.key)), 0u) << line;
    }
    // Without a longitude the other keys are not looked at.
    const GrsSettings none = Read({{"epoch", "garbage"}, {"drift", "fast"}});
    EXPECT_TRUE(none.model.UsesTable() && none.problems.empty());
}

TEST(GrsSettingsValues, AcceptedValues)
{
    const struct {
        Values values;
        double lonDeg, driftDegPerMonth;
        GrsEpochDate epoch;
    } rows[] = {
        {{{"longitude", "57.5"}, {"epoch", "2024-07-15"}}, 57.5, 0, {2024, 7, 15}},
        {{{"longitude", "0"}, {"epoch", "2024-02-29"}, {"drift", ""}}, 0, 0, {2024, 2, 29}},
        {{{"longitude", "359.9"}, {"epoch", "2026-1-5"}, {"drift", "-0.8/month"}}, 359.9, -0.8, {2026, 1, 5}},
        {{{"longitude", "100"}, {"epoch", "2026-12-01"}, {"drift", "18/year"}}, 100, 1.5, {2026, 12, 1}},
    };
    for (const auto& r : rows) {
        const GrsSettings s = Read(r.values);
        ASSERT_TRUE(s.model.observation && s.problems.empty()) << r.values.at("epoch");
        const GrsObservation& o = *s.model.observation;
        EXPECT_EQ(o.longitudeDeg, r.lonDeg);
        EXPECT_NEAR(o.driftDegPerDay * 30.4375, r.driftDegPerMonth, 1e-12);
        EXPECT_EQ(std::tie(o.epoch.year, o.epoch.month, o.epoch.day), std::tie(r.epoch.year, r.epoch.month, r.epoch.day));
    }
}

TEST(SettingsFile, PathFromTheEnvironment)
{
    struct Row {
        const char *xdg, *home, *want;
    } rows[] = {
        {"/tmp/cfg", "/home/a", "/tmp/cfg/veltrax/veltrax.conf"},
        {"/tmp/cfg/", "/home/a", "/tmp/cfg/veltrax/veltrax.conf"},
        {nullptr, "/home/a", "/home/a/.config/veltrax/veltrax.conf"},
        {"", "/home/a", "/home/a/.config/veltrax/veltrax.conf"},
        {"relative/cfg", "/home/a", "/home/a/.config/veltrax/veltrax.conf"},
        {nullptr, nullptr, ""},
    };
    for (const Row& r : rows)
        EXPECT_EQ(SettingsFilePath(r.xdg, r.home), r.want) << (r.xdg ? r.xdg : "(unset)");
}

TEST(IniReader, ReadsWhatTheSettingsStoreWrites)
{
    const cli::IniFile f = cli::IniFile::Parse(
        "\xEF\xBB\xBFtop=1\r\n; a comment\r\n# another\n[General]\ngeneral=2\n[GreatRedSpot]\n"
        "longitude = 100.5  \nepoch=\"2026-12-01\"\nnote=\"say \\\"hi\\\", then go\"\n"
        "drift=@ByteArray(1.5/month)\nno equals sign\ntwice=x\ntwice=y\n[Site]\nlongitude=139.7\n"
        "[My%20Group]\nkey%3D=v\n");
    const struct {
        const char *group, *key, *want;
    } rows[] = {
        {"", "top", "1"},          {"", "general", "2"},
        {"GreatRedSpot", "longitude", "100.5"}, {"GreatRedSpot", "epoch", "2026-12-01"},
        {"GreatRedSpot", "note", "say \"hi\", then go"}, {"GreatRedSpot", "drift", "1.5/month"},
        {"GreatRedSpot", "twice", "y"}, {"Site", "longitude", "139.7"},
        {"My Group", "key=", "v"},  {"GreatRedSpot", "no equals sign", "(absent)"},
        {"Site", "epoch", "(absent)"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(f.Value(r.group, r.key).value_or("(absent)"), r.want) << r.group << "/" << r.key;
}

// The companion's single moment 2026-12-08 21:00 JST (12:00 UT), 7.5 days
// after a measurement of 100 degrees on 2026-12-01 drifting 1.5 a month:
// 100 + 1.5 * 7.5 / 30.4375 = 100.3696 degrees, shown as 100.4.
TEST(CompanionSettings, TheFileGivesTheSpotUnlessGrsSaysOtherwise)
{
    const Args moment{"--json", "2026-12-08 21:00"};
    const minijson::Value noFile = minijson::Parse(InChildProcess(moment).out);
    EXPECT_EQ(noFile["GrsSource"].Str(), "table");

    SettingsDir dir;
    dir.Write("[GreatRedSpot]\nlongitude=100\nepoch=2026-12-01\ndrift=1.5/month\n");
    const test_support::Ran ran = InChildProcess(moment);
    EXPECT_EQ(ran.status, 0);
    EXPECT_EQ(ran.err, "");
    const minijson::Value doc = minijson::Parse(ran.out);
    EXPECT_EQ(doc["GrsSource"].Str(), "observer");
    EXPECT_NEAR(doc["GrsLongitude"].Num(), 100.36961, 1e-5);
    EXPECT_NE(doc["Taikei"].Str().find("(GRS予想経度 100.4)"), std::string::npos);

    const minijson::Value table = minijson::Parse(InChildProcess({"--grs", "table", "--json", "2026-12-08 21:00"}).out);
    EXPECT_EQ(table["GrsSource"].Str(), "table");
    EXPECT_EQ(table["GrsLongitude"].Num(), noFile["GrsLongitude"].Num());

    EXPECT_EQ(minijson::Parse(InChildProcess({"--grs", "68@2025-01-01", "--json", "2026-12-08 21:00"}).out)["GrsLongitude"].Num(), 68);

    // The plans take the file too: the same transits as with the same --grs.
    const Args transits{"grs-transits", "2026-12-08 00:00", "2026-12-10 00:00"};
    Args explicitGrs = transits;
    explicitGrs.insert(explicitGrs.end(), {"--grs", "100@2026-12-01,1.5/month"});
    EXPECT_EQ(InChildProcess(transits).out, InChildProcess(explicitGrs).out);
}

TEST(CompanionSettings, AnUnusableFileIsReportedOnceAndLeftAlone)
{
    const std::string plain = InChildProcess({"2026-12-08 21:00"}).out;
    const char kGarbage[] = "[GreatRedSpot]\nepoch=2026-12-01\nlongitude=\x80\x81\0\xff\n";
    const struct {
        const char* name;
        std::string bytes;
        const char* reported;  // in the one line on standard error
    } rows[] = {
        {"longitude_abc", "[GreatRedSpot]\nlongitude=abc\nepoch=2026-12-01\n", "\"abc\""},
        {"month_13", "[GreatRedSpot]\nlongitude=100\nepoch=2026-13-40\n", "\"2026-13-40\""},
        {"garbage", std::string(kGarbage, sizeof kGarbage - 1), "longitude"},
        // Not one line is a group, a key or a comment: the file and its first line.
        {"no_setting_at_all", "\n%PDF-1.4\nxref 0 6\n", "line 2: \"%PDF-1.4\""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SettingsDir dir;
        dir.Write(r.bytes);
        const test_support::Ran ran = InChildProcess({"2026-12-08 21:00"});
        EXPECT_EQ(ran.status, 0);
        EXPECT_EQ(ran.out, plain);
        EXPECT_NE(ran.err.find(dir.File()), std::string::npos) << ran.err;
        EXPECT_NE(ran.err.find(r.reported), std::string::npos) << ran.err;
        EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
        EXPECT_EQ(dir.Read(), r.bytes);
    }
}

TEST(CompanionSettings, TheFileGivesTheSiteToEventsAndTransitsUnlessSiteSaysOtherwise)
{
    // Tokyo, written as the window's events dialog saves it.
    SettingsDir dir;
    const std::string tokyo = "[Site]\nlatitude=35.68\nlongitude=139.77\nheight=40\n";
    dir.Write(tokyo);
    for (const char* command : {"events", "grs-transits"}) {
        SCOPED_TRACE(command);
        const Args plan{command, "2016-01-02 00:00", "2016-01-04 00:00", "--csv"};
        Args given = plan, none = plan;
        given.insert(given.end(), {"--site", "35.68,139.77,40"});
        none.insert(none.end(), {"--site", "none"});
        const test_support::Ran fromFile = InChildProcess(plan), fromOption = InChildProcess(given),
                                noSite = InChildProcess(none);
        EXPECT_EQ(fromFile.status, 0);
        EXPECT_EQ(fromFile.err, "");
        EXPECT_EQ(fromFile.out, fromOption.out);
        EXPECT_NE(fromFile.out, noSite.out);
        // The altitude limit needs a site: the file's will do.
        Args lower = plan;
        lower.insert(lower.end(), {"--min-alt", "5"});
        EXPECT_EQ(InChildProcess(lower).status, 0);
    }

    // A bad value: one line on standard error, no site, the file as it was.
    const std::string bad = "[Site]\nlatitude=95\nlongitude=139.77\n";
    dir.Write(bad);
    const test_support::Ran ran = InChildProcess({"events", "2016-01-02 00:00", "2016-01-04 00:00", "--csv"});
    EXPECT_EQ(ran.status, 0);
    EXPECT_NE(ran.err.find("[Site] latitude = \"95\""), std::string::npos) << ran.err;
    EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
    EXPECT_EQ(ran.out, InChildProcess({"events", "2016-01-02 00:00", "2016-01-04 00:00", "--csv", "--site", "none"}).out);
    EXPECT_EQ(dir.Read(), bad);
}

}  // namespace
}  // namespace veltrax
