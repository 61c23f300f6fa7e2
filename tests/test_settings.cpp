// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file: the spot's model, the values read and refused, the
// file's place, the INI reader and its stray lines, and the companion run
// with a settings file.
#include "engine/engine.h"
#include "results/ini.h"
#include "results/settings.h"
#include "support/mini_json.h"
#include "support/run_ephem.h"
#include "support/settings_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

Settings Read(const std::string& text) { return ReadSettings(IniFile::Parse(text)); }

// The bytes of a literal, NUL bytes included.
template <size_t N>
std::string Bytes(const char (&s)[N])
{
    return std::string(s, N - 1);
}

// Each file holds one value that cannot be used: that one key is reported,
// and its group is left as a file without the group leaves it.
TEST(SettingsValues, RefusedValuesAreReportedAndLeaveTheGroupsDefaults)
{
    const std::string spot = "[GreatRedSpot]\nepoch=2026-12-01\n", lon = spot + "longitude=100\n";
    const struct {
        std::string file;
        const char *group, *key;
    } rows[] = {
        {spot + "longitude=abc\n", kGrsGroup, "longitude"},    {spot + "longitude=400\n", kGrsGroup, "longitude"},
        {spot + "longitude=-360.5\n", kGrsGroup, "longitude"}, {spot + "longitude=1e2\n", kGrsGroup, "longitude"},
        {spot + "longitude=\xff\xfe\x01\n", kGrsGroup, "longitude"},
        {"[GreatRedSpot]\nlongitude=100\nepoch=2026-13-40\n", kGrsGroup, "epoch"},
        {"[GreatRedSpot]\nlongitude=100\nepoch=2026-02-29\n", kGrsGroup, "epoch"},
        {"[GreatRedSpot]\nlongitude=100\nepoch=2026/12/01\n", kGrsGroup, "epoch"},
        {"[GreatRedSpot]\nlongitude=100\n", kGrsGroup, "epoch"},
        {lon + "drift=1.5\n", kGrsGroup, "drift"},     {lon + "drift=1.5/week\n", kGrsGroup, "drift"},
        {lon + "drift=400/day\n", kGrsGroup, "drift"}, {"[View]\nshadows=yes\n", kViewGroup, "shadows"},
        {"[View]\ngrid=\n", kViewGroup, "grid"},
        {"[Site]\nlatitude=95\nlongitude=139.77\n", kSiteGroup, "latitude"},
        {"[Site]\nlatitude=35.68\n", kSiteGroup, "longitude"},
        {"[Site]\nlatitude=35.68\nlongitude=139.77\nheight=20000\n", kSiteGroup, "height"},
        {"[Plan]\nrange=14\n", kPlanGroup, "range"},   {"[Plan]\nseenOnly=1\n", kPlanGroup, "seenOnly"},
        {"[Plan]\ngeometry=10,20,0,300\n", kPlanGroup, "geometry"},
        {"[Plan]\ngeometry=10,20,300\n", kPlanGroup, "geometry"},
        {"[Plan]\ngeometry=10,20,300,99999999999\n", kPlanGroup, "geometry"},
    };
    const Settings none = Read("");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        const Settings s = Read(r.file);
        ASSERT_EQ(s.unusable.size(), 1u);
        EXPECT_EQ(s.unusable[0].group, r.group);
        EXPECT_EQ(s.unusable[0].key, r.key);
        EXPECT_EQ(SettingsTexts(s, r.group), SettingsTexts(none, r.group));
        const std::string line = DescribeSettingsProblem("/x/veltrax.conf", s.unusable[0]);
        EXPECT_EQ(line.find("/x/veltrax.conf: [" + std::string(r.group) + "] " + r.key + " = \""), 0u) << line;
    }
    // Without a longitude the spot's other keys are not looked at.
    EXPECT_TRUE(Read("[GreatRedSpot]\nepoch=garbage\ndrift=fast\n").unusable.empty());
}

TEST(SettingsValues, TheSpotsAcceptedValues)
{
    const struct {
        const char* file;
        double lonDeg, driftDegPerMonth;
        GrsEpochDate epoch;
        double predictedAtEpochDeg;  // the longitude within one turn
    } rows[] = {
        {"longitude=0\nepoch=2024-02-29\ndrift=\n", 0, 0, {2024, 2, 29}, 0},
        {"longitude=359.9\nepoch=2026-1-5\ndrift=-0.8/month\n", 359.9, -0.8, {2026, 1, 5}, 359.9},
        {"longitude=100\nepoch=2026-12-01\ndrift=18/year\n", 100, 1.5, {2026, 12, 1}, 100},
        // As --grs takes them: -10 is 350, a full turn is 0.
        {"longitude=-10\nepoch=2026-12-01\n", -10, 0, {2026, 12, 1}, 350},
        {"longitude=360\nepoch=2026-12-01\n", 360, 0, {2026, 12, 1}, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.file);
        const Settings s = Read(std::string("[GreatRedSpot]\n") + r.file);
        ASSERT_TRUE(s.grs.observation && s.unusable.empty());
        const GrsObservation& o = *s.grs.observation;
        EXPECT_EQ(std::tie(o.longitudeDeg, o.epoch.year, o.epoch.month, o.epoch.day),
                  std::tie(r.lonDeg, r.epoch.year, r.epoch.month, r.epoch.day));
        EXPECT_NEAR(o.driftDegPerDay * 30.4375, r.driftDegPerMonth, 1e-12);
        EXPECT_NEAR(Predict(s.grs, o.observed.epochJde), r.predictedAtEpochDeg, 1e-9);
    }
}

// A line that is neither a group, a key nor a comment is passed over and
// said once: the first one's number and text, and how many more.
TEST(SettingsFile, StrayLinesAreToldWithTheirLineNumber)
{
    const struct {
        const char* name;
        std::string bytes;
        const char* said;  // part of the one line; nullptr: nothing to say
        bool ignored;      // not a settings file at all
    } rows[] = {
        {"binary", Bytes("\x80\x81\0\xff"), "line 1: \"\x80\x81?\xff\"", true},
        {"prose", "\nThese are my notes.\nJupiter was low.\n", "line 2: \"These are my notes.\"", true},
        {"prose_crlf", "no settings here\r\n", "line 1: \"no settings here\"", true},
        {"empty_key_only", "=1\n", "line 1: \"=1\"", true},
        {"binary_then_a_key", Bytes("\x01\x02\0junk\nlongitude=100\n"), "line 1: \"???junk\"", false},
        {"a_typo_among_settings", "[Site]\nlatitude=35.68\nlongitude 139.77\n", "line 3: \"longitude 139.77\"", false},
        {"three_among_settings", "junk\n[Site]\nmore junk\nlatitude=1\n\\\nx\n", "(and 2 more such lines)", false},
        {"joined_lines_count_from_the_first", "[Site]\nlatitude=1\\\n2\njunk\n", "line 4: \"junk\"", false},
        {"an_empty_file", "", nullptr, false},
        {"blanks_and_comments_only", "\n  \n\t\n; nothing set yet\n# none\n", nullptr, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const IniFile ini = IniFile::Parse(r.bytes);
        const std::optional<std::string> said = DescribeStrayLines("/x/veltrax.conf", ini);
        ASSERT_EQ(said.has_value(), r.said != nullptr);
        EXPECT_EQ(ini.OnlyStrayLines(), r.ignored);
        if (!said)
            continue;
        EXPECT_EQ(said->find("/x/veltrax.conf: "), 0u) << *said;
        EXPECT_NE(said->find(r.said), std::string::npos) << *said;
        EXPECT_EQ(said->find('\n'), std::string::npos) << *said;
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
    const IniFile f = IniFile::Parse(
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
        // A key among garbage: the first stray line, once.
        {"binary_then_a_key", Bytes("\x80\x81\0\xff\nlongitude=100\n"), "line 1: \"\x80\x81?\xff\""},
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
