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

TEST(GrsModel, WithoutObservationIsTheBuiltInTable)
{
    // The table's extrapolation for 2021-01-01 (its last entry, 351.4).
    EXPECT_NEAR(Predict(GrsModel{}, std::round(CalcJD(2021, 1, 1))), 351.4, 1e-9);
}

using Values = std::map<std::string, std::string>;

GrsSettings Read(const Values& v)
{
    return ReadGrsSettings([&](const char* key) -> std::optional<std::string> {
        const auto it = v.find(key);
        return it == v.end() ? std::nullopt : std::optional<std::string>(it->second);
    });
}

TEST(GrsSettingsValues, RefusedValuesLeaveTheTable)
{
    struct Row {
        const char* name;
        Values values;
        const char* badKey;
    } rows[] = {
        {"longitude_not_a_number", {{"longitude", "abc"}, {"epoch", "2026-12-01"}}, "longitude"},
        {"longitude_400", {{"longitude", "400"}, {"epoch", "2026-12-01"}}, "longitude"},
        {"longitude_360", {{"longitude", "360"}, {"epoch", "2026-12-01"}}, "longitude"},
        {"longitude_negative", {{"longitude", "-1"}, {"epoch", "2026-12-01"}}, "longitude"},
        {"longitude_with_exponent", {{"longitude", "1e2"}, {"epoch", "2026-12-01"}}, "longitude"},
        {"longitude_garbage_bytes", {{"longitude", "\xff\xfe\x01"}, {"epoch", "2026-12-01"}}, "longitude"},
        {"month_13_day_40", {{"longitude", "100"}, {"epoch", "2026-13-40"}}, "epoch"},
        {"february_29_of_a_common_year", {{"longitude", "100"}, {"epoch", "2026-02-29"}}, "epoch"},
        {"date_with_slashes", {{"longitude", "100"}, {"epoch", "2026/12/01"}}, "epoch"},
        {"epoch_missing", {{"longitude", "100"}}, "epoch"},
        {"drift_without_unit", {{"longitude", "100"}, {"epoch", "2026-12-01"}, {"drift", "1.5"}}, "drift"},
        {"drift_per_week", {{"longitude", "100"}, {"epoch", "2026-12-01"}, {"drift", "1.5/week"}}, "drift"},
        {"drift_over_10_a_day", {{"longitude", "100"}, {"epoch", "2026-12-01"}, {"drift", "400/day"}}, "drift"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const GrsSettings s = Read(r.values);
        EXPECT_TRUE(s.model.UsesTable());
        ASSERT_EQ(s.problems.size(), 1u);
        EXPECT_EQ(s.problems[0].key, r.badKey);
        const std::string line = DescribeSettingsProblem("/x/veltrax.conf", s.problems[0]);
        for (const std::string& part : {std::string("/x/veltrax.conf"), std::string(r.badKey)})
            EXPECT_NE(line.find(part), std::string::npos) << line;
    }
}

TEST(GrsSettingsValues, AcceptedValues)
{
    struct Row {
        const char* name;
        Values values;
        double lonDeg, driftDegPerMonth;
        GrsEpochDate epoch;
    } rows[] = {
        {"no_drift_key", {{"longitude", "57.5"}, {"epoch", "2024-07-15"}}, 57.5, 0, {2024, 7, 15}},
        {"empty_drift", {{"longitude", "0"}, {"epoch", "2024-02-29"}, {"drift", ""}}, 0, 0, {2024, 2, 29}},
        {"westward_drift", {{"longitude", "359.9"}, {"epoch", "2026-1-5"}, {"drift", "-0.8/month"}}, 359.9, -0.8, {2026, 1, 5}},
        {"drift_per_year", {{"longitude", "100"}, {"epoch", "2026-12-01"}, {"drift", "18/year"}}, 100, 1.5, {2026, 12, 1}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const GrsSettings s = Read(r.values);
        EXPECT_TRUE(s.problems.empty());
        ASSERT_TRUE(s.model.observation);
        EXPECT_EQ(s.model.observation->longitudeDeg, r.lonDeg);
        EXPECT_NEAR(s.model.observation->driftDegPerDay * 30.4375, r.driftDegPerMonth, 1e-12);
        EXPECT_EQ(s.model.observation->epoch.year, r.epoch.year);
        EXPECT_EQ(s.model.observation->epoch.month, r.epoch.month);
        EXPECT_EQ(s.model.observation->epoch.day, r.epoch.day);
    }
    // Without a longitude the other keys are not looked at.
    const GrsSettings none = Read({{"epoch", "garbage"}, {"drift", "fast"}});
    EXPECT_TRUE(none.model.UsesTable());
    EXPECT_TRUE(none.problems.empty());
}

TEST(GrsSettingsValues, WrittenValuesReadBack)
{
    for (const GrsObservation& o : {MakeGrsObservation(100, {2026, 12, 1}, 1.5 / 30.4375),
                                    MakeGrsObservation(57.25, {2024, 2, 29}, -0.05),
                                    MakeGrsObservation(0, {1999, 1, 1}, 0)}) {
        const GrsSettingsTexts t = GrsSettingsValues(o);
        const GrsSettings back = Read({{"longitude", t.longitude}, {"epoch", t.epoch}, {"drift", t.drift}});
        ASSERT_TRUE(back.model.observation) << t.longitude << " " << t.epoch << " " << t.drift;
        EXPECT_EQ(back.model.observation->longitudeDeg, o.longitudeDeg);
        EXPECT_NEAR(back.model.observation->driftDegPerDay, o.driftDegPerDay, 1e-9);
        EXPECT_EQ(back.model.observation->observed.epochJde, o.observed.epochJde);
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
    const std::string text =
        "\xEF\xBB\xBF"
        "top=1\r\n"
        "; a comment\r\n"
        "# another\n"
        "[General]\n"
        "general=2\n"
        "[GreatRedSpot]\n"
        "longitude = 100.5  \n"
        "epoch=\"2026-12-01\"\n"
        "note=\"say \\\"hi\\\", then go\"\n"
        "drift=@ByteArray(1.5/month)\n"
        "a line without an equals sign\n"
        "epoch2=x\n"
        "epoch2=y\n"
        "[Site]\n"
        "longitude=139.7\n"
        "[My%20Group]\n"
        "key%3D=v\n";
    const cli::IniFile f = cli::IniFile::Parse(text);
    const struct {
        const char *group, *key, *want;
    } rows[] = {
        {"", "top", "1"},
        {"", "general", "2"},
        {"GreatRedSpot", "longitude", "100.5"},
        {"GreatRedSpot", "epoch", "2026-12-01"},
        {"GreatRedSpot", "note", "say \"hi\", then go"},
        {"GreatRedSpot", "drift", "1.5/month"},
        {"GreatRedSpot", "epoch2", "y"},
        {"Site", "longitude", "139.7"},
        {"My Group", "key=", "v"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(f.Value(r.group, r.key).value_or("(absent)"), r.want) << r.group << "/" << r.key;
    EXPECT_FALSE(f.Value("GreatRedSpot", "a line without an equals sign"));
    EXPECT_FALSE(f.Value("Site", "epoch"));
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

    const minijson::Value given =
        minijson::Parse(InChildProcess({"--grs", "68@2025-01-01", "--json", "2026-12-08 21:00"}).out);
    EXPECT_EQ(given["GrsLongitude"].Num(), 68);

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
        {"longitude_400", "[GreatRedSpot]\nlongitude=400\nepoch=2026-12-01\n", "\"400\""},
        {"month_13", "[GreatRedSpot]\nlongitude=100\nepoch=2026-13-40\n", "\"2026-13-40\""},
        {"garbage", std::string(kGarbage, sizeof kGarbage - 1), "longitude"},
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

}  // namespace
}  // namespace veltrax
