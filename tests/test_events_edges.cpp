// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax-ephem events at its edges, through the built program: the default
// Sun altitude, events exactly at FROM and TO, the site's extreme values on
// the command line and in the settings file, and a shadow hidden behind its
// own satellite near opposition.
#include "support/run_ephem.h"
#include "support/settings_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InChildProcess;
using test_support::Ran;
using test_support::SettingsDir;

constexpr int kOk = 0;
constexpr int kUsage = 64;

std::vector<std::string> Split(const std::string& s, char sep)
{
    std::vector<std::string> parts;
    std::istringstream in(s);
    for (std::string part; std::getline(in, part, sep);)
        parts.push_back(part);
    if (!s.empty() && s.back() == sep)
        parts.push_back("");
    return parts;
}

// The CSV rows of a run that must succeed, header left off, each split at
// its commas; with --utc the columns are UT, moon, kind, edge, observable,
// jupiter_alt, sun_alt.
std::vector<std::vector<std::string>> Rows(const Args& args)
{
    const Ran r = InChildProcess(args);
    EXPECT_EQ(r.status, kOk) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::vector<std::string>> rows;
    const std::vector<std::string> lines = Split(r.out, '\n');
    for (size_t i = 1; i < lines.size(); ++i)
        if (!lines[i].empty())
            rows.push_back(Split(lines[i], ','));
    return rows;
}

// "2016-04-27T10:02:21Z" as the companion reads a UT moment.
std::string Moment(const std::string& iso)
{
    return iso.substr(0, 10) + " " + iso.substr(11, 8);
}

// The same moment `seconds` later, as the companion reads it.
std::string Shifted(const std::string& iso, int seconds)
{
    std::tm t{};
    if (std::sscanf(iso.c_str(), "%d-%d-%dT%d:%d:%d", &t.tm_year, &t.tm_mon, &t.tm_mday, &t.tm_hour, &t.tm_min,
                    &t.tm_sec) != 6)
        ADD_FAILURE() << "not a UT moment: " << iso;
    t.tm_year -= 1900;
    t.tm_mon -= 1;
    const std::time_t shifted = timegm(&t) + seconds;
    char out[32];
    std::strftime(out, sizeof out, "%Y-%m-%d %H:%M:%S", std::gmtime(&shifted));
    return out;
}

TEST(EventsEdges, DefaultSunAltitudeKeepsCivilDuskAndDropsBrightTwilight)
{
    // Tokyo. Apparent altitudes from the astronomy-engine package (npm,
    // 2.1.19; Horizon with normal refraction): 2016-04-27 10:02:21 UT, Io's
    // occultation starts with the Sun at -7.48 and Jupiter at 57.08 degrees;
    // 2016-05-07 09:52:38 UT, Europa's transit ends with the Sun at -3.97
    // and Jupiter at 60.25. Both edges can be seen from the Earth.
    const struct {
        const char* name;
        const char *from, *to, *moon, *kind;
        bool listed;  // by default the Sun must be at -6 degrees or lower
    } rows[] = {
        {"sun_at_minus_7.5", "2016-04-27 09:57", "2016-04-27 10:07", "I", "occultation", true},
        {"sun_at_minus_4", "2016-05-07 09:47", "2016-05-07 09:57", "II", "transit", false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const Args base{"events", r.from, r.to, "--utc", "--csv", "--site", "35.68,139.77", "--moons", r.moon,
                        "--kinds", r.kind};
        EXPECT_EQ(Rows(base).size(), r.listed ? 1u : 0u);
        // With the Sun allowed up to the horizon both are listed: it is the
        // Sun's limit that keeps the second one out.
        Args anySun = base;
        anySun.insert(anySun.end(), {"--sun-alt", "0"});
        EXPECT_EQ(Rows(anySun).size(), 1u);
    }
}

TEST(EventsEdges, AnEventExactlyAtFromOrToIsIncluded)
{
    // The companion prints each edge rounded to the second and keeps those
    // whose second lies within FROM .. TO: an edge's own second as TO (or
    // FROM) keeps it, a second less (more) leaves it out.
    const Args all{"events", "2016-01-01 12:00", "2016-01-02 12:00", "--utc", "--csv", "--all"};
    const auto every = Rows(all);
    ASSERT_GE(every.size(), 3u);
    const std::string at = Moment(every[1][0]);  // an edge with others around it
    const std::string before = Moment(every[0][0]), after = Moment(every[2][0]);
    ASSERT_LT(before, at);
    ASSERT_LT(at, after);
    const std::string earlier = Shifted(every[1][0], -1), later = Shifted(every[1][0], 1);

    const struct {
        const char* name;
        std::string from, to;
        bool included;
    } rows[] = {
        {"to_at_the_edge", before, at, true},
        {"from_at_the_edge", at, after, true},
        {"from_and_to_at_the_edge", at, at, true},
        {"to_a_second_early", before, earlier, false},
        {"from_a_second_late", later, after, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto got = Rows({"events", r.from, r.to, "--utc", "--csv", "--all"});
        const bool found = std::any_of(got.begin(), got.end(), [&](const auto& row) { return row == every[1]; });
        EXPECT_EQ(found, r.included);
    }
}

TEST(EventsEdges, SiteValuesAtTheirLimitsOnTheCommandLine)
{
    const struct {
        const char* site;
        int status;
    } rows[] = {
        {"90,360,-500", kOk},      {"-90,-360,10000", kOk},   {"-95,0", kUsage},        {"0,361", kUsage},
        {"0,0,10001", kUsage},     {"0,0,-501", kUsage},      {"90.001,0", kUsage},     {"0,-360.5", kUsage},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.site);
        const Ran ran = InChildProcess({"events", "2016-01-02 00:00", "2016-01-02 12:00", "--csv", "--all", "--site",
                                        r.site, "--min-alt", "-90", "--sun-alt", "90"});
        EXPECT_EQ(ran.status, r.status) << ran.err;
        if (r.status == kOk) {
            EXPECT_EQ(ran.err, "");
            // Every edge of the twelve hours, each with its altitudes.
            const std::vector<std::string> lines = Split(ran.out, '\n');
            ASSERT_GT(lines.size(), 3u);
            EXPECT_NE(lines[1].back(), ',') << lines[1];
        } else {
            EXPECT_EQ(ran.out, "");
            EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
            EXPECT_NE(ran.err.find("--site"), std::string::npos) << ran.err;
        }
    }
}

TEST(EventsEdges, SiteValuesAtTheirLimitsInTheSettingsFile)
{
    const Args plan{"events", "2016-01-02 00:00", "2016-01-02 12:00", "--csv", "--all", "--min-alt", "-90",
                    "--sun-alt", "90"};
    const auto with = [&plan](const char* site) {
        Args a = plan;
        a.insert(a.end(), {"--site", site});
        return InChildProcess(a).out;
    };
    Args plain = plan;
    plain.resize(5);  // no altitude limits: they need a site
    plain.insert(plain.end(), {"--site", "none"});
    const std::string noSite = InChildProcess(plain).out;
    const struct {
        const char* name;
        const char* file;
        const char* sameAs;  // the --site giving the same output
        const char* key;     // the key reported, nullptr: none
    } rows[] = {
        {"north_pole_east_360_below_sea", "[Site]\nlatitude=90\nlongitude=360\nheight=-500\n", "90,360,-500", nullptr},
        {"south_pole_west_360_high", "[Site]\nlatitude=-90\nlongitude=-360\nheight=10000\n", "-90,-360,10000", nullptr},
        {"latitude_minus_95", "[Site]\nlatitude=-95\nlongitude=0\n", "none", "latitude"},
        {"longitude_361", "[Site]\nlatitude=0\nlongitude=361\n", "none", "longitude"},
        {"height_10001", "[Site]\nlatitude=0\nlongitude=0\nheight=10001\n", "none", "height"},
        {"height_minus_501", "[Site]\nlatitude=0\nlongitude=0\nheight=-501\n", "none", "height"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        SettingsDir dir;
        dir.Write(r.file);
        Args run = plan;
        if (r.key)  // no site in force: the altitude limits would be refused
            run.resize(5);
        const Ran ran = InChildProcess(run);
        EXPECT_EQ(ran.status, kOk) << ran.err;
        if (r.key) {
            EXPECT_EQ(std::count(ran.err.begin(), ran.err.end(), '\n'), 1) << ran.err;
            EXPECT_NE(ran.err.find(std::string("[Site] ") + r.key), std::string::npos) << ran.err;
            EXPECT_EQ(ran.out, noSite);
        } else {
            EXPECT_EQ(ran.err, "");
            EXPECT_EQ(ran.out, with(r.sameAs));
            EXPECT_NE(ran.out, noSite);
        }
        EXPECT_EQ(dir.Read(), r.file);
    }
}

TEST(EventsEdges, AShadowBehindItsOwnSatelliteNearOppositionCannotBeSeen)
{
    // Shadow edges near the oppositions of 2023 November and 2026 January
    // whose grazing point lies on the hemisphere facing the Earth
    // (cos psi > 0), with the shadow's distance from its satellite's centre
    // on the sky in satellite radii, worked out from another theory's
    // positions (see the file's header). Below one radius the satellite
    // hides its shadow: the edge cannot be seen; well above, it can.
    std::ifstream in(std::string(VELTRAX_TEST_DATA) + "/shadow_behind_satellite.txt");
    ASSERT_TRUE(in) << "no reference shadows";
    int hidden = 0, shown = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream s(line);
        std::string ut, moon, edge;
        double alphaDeg = 0, separationRadii = 0, cosPsi = 0;
        s >> ut >> moon >> edge >> alphaDeg >> separationRadii >> cosPsi;
        ASSERT_TRUE(s) << line;
        SCOPED_TRACE(line);
        // Only clear cases: on the facing hemisphere, and the distance well
        // away from one radius against the two theories' differences.
        ASSERT_GT(cosPsi, 0.2);
        ASSERT_TRUE(separationRadii < 0.95 || separationRadii > 1.3);
        const bool expectSeen = separationRadii > 1;
        (expectSeen ? shown : hidden)++;

        // The companion's edge within two minutes of the reference moment
        // (this reference puts shadow edges up to half a minute from it).
        const std::string from = Shifted(ut, -120), to = Shifted(ut, 120);
        const auto rows = Rows({"events", from, to, "--utc", "--csv", "--all", "--moons", moon, "--kinds", "shadow"});
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][1], moon);
        EXPECT_EQ(rows[0][3], edge);
        EXPECT_EQ(rows[0][4], expectSeen ? "yes" : "no");
    }
    EXPECT_GE(hidden, 3);
    EXPECT_GE(shown, 3);
}

}  // namespace
}  // namespace veltrax
