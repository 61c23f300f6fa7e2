// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax-ephem events: the CSV's columns and order, the observable-only
// default, --moons and --kinds, the site filter on a night when Jupiter sets,
// and the refusals.
#include "cli/ephem.h"
#include "support/run_ephem.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
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
    if (!s.empty() && s.back() == sep)
        parts.push_back("");
    return parts;
}

// The CSV rows after the header, each split at its commas.
std::vector<std::vector<std::string>> Rows(const Args& args, const std::string& header)
{
    const Ran r = InProcess(args);
    EXPECT_EQ(r.status, kExitOk) << r.err;
    std::vector<std::string> lines = Split(r.out, '\n');
    EXPECT_FALSE(lines.empty());
    if (lines.empty())
        return {};
    EXPECT_EQ(lines[0], header);
    std::vector<std::vector<std::string>> rows;
    for (size_t i = 1; i + 1 < lines.size(); ++i)
        rows.push_back(Split(lines[i], ','));
    return rows;
}

TEST(EventsCommand, CsvInTimeOrderNarrowedByMoonAndKind)
{
    const Args base = {"events", "2016-01-01 00:00", "2016-01-10 00:00", "--utc", "--csv"};
    const std::string header = "UT,moon,kind,edge,observable,jupiter_alt,sun_alt";
    Args all = base;
    all.push_back("--all");
    const auto every = Rows(all, header);
    const auto seen = Rows(base, header);
    Args narrow = all;
    narrow.insert(narrow.end(), {"--moons", "I,III", "--kinds", "shadow,transit"});
    const auto some = Rows(narrow, header);

    // Nine days hold some 70 edges of each kind of satellite I alone.
    ASSERT_GT(every.size(), 60u);
    EXPECT_LT(seen.size(), every.size());
    for (const auto* rows : {&every, &seen, &some}) {
        for (size_t i = 0; i < rows->size(); ++i) {
            const auto& row = (*rows)[i];
            ASSERT_EQ(row.size(), 7u);
            if (i > 0) {
                EXPECT_LE((*rows)[i - 1][0], row[0]);  // ISO times sort as text
            }
            EXPECT_EQ(row[5], "");                    // no site: no altitudes
            EXPECT_EQ(row[6], "");
        }
    }
    for (const auto& row : seen)
        EXPECT_EQ(row[4], "yes");
    size_t wanted = 0;
    for (const auto& row : every)
        wanted += (row[1] == "I" || row[1] == "III") && (row[2] == "shadow" || row[2] == "transit");
    EXPECT_EQ(some.size(), wanted);
    // Published (Sky & Telescope, January 2016, from IMCCE): Io's transit
    // began on January 2 at 14:10 UT, to the minute.
    bool found = false;
    for (const auto& row : some)
        found |= row[1] == "I" && row[2] == "transit" && row[3] == "start" &&
                 row[0].compare(0, 15, "2016-01-02T14:0") >= 0 && row[0].compare(0, 16, "2016-01-02T14:11") <= 0;
    EXPECT_TRUE(found);
}

TEST(EventsCommand, SiteFilterOnANightWhenJupiterSets)
{
    // Tokyo, the night of 2016 May 10 to 11 (JST): Jupiter sets at about
    // 2 a.m. Reference altitudes from the astronomy-engine package (apparent,
    // with refraction): Io's transit start at 16:26:11 UT, Jupiter 4.64 deg;
    // Io's occultation start on the 11th at 13:43:25 UT, 36.43 deg, the Sun
    // -34.35 deg; Io's eclipse end at 17:10:25 UT, Jupiter -4.57 deg.
    const std::string header = "JST,UT,moon,kind,edge,observable,jupiter_alt,sun_alt";
    const Args base = {"events", "2016-05-10 12:00", "2016-05-12 12:00", "--csv", "--site", "35.68,139.77"};
    Args anyAltitude = base;
    anyAltitude.insert(anyAltitude.end(), {"--min-alt", "-90", "--sun-alt", "90"});
    const auto every = Rows(anyAltitude, header);
    const auto night = Rows(base, header);

    const struct {
        const char* ut;
        double jupiterDeg;
        bool kept;  // at least 10 degrees high, the Sun at most -6
    } known[] = {{"2016-05-10T16:26:1", 4.64, false}, {"2016-05-11T13:43:2", 36.43, true}, {"2016-05-11T17:10:2", -4.57, false}};
    for (const auto& k : known) {
        SCOPED_TRACE(k.ut);
        bool inEvery = false, inNight = false;
        for (const auto& row : every)
            if (row[1].compare(0, 18, k.ut) == 0) {
                inEvery = true;
                EXPECT_NEAR(std::strtod(row[6].c_str(), nullptr), k.jupiterDeg, 0.2);
            }
        for (const auto& row : night)
            inNight |= row[1].compare(0, 18, k.ut) == 0;
        EXPECT_TRUE(inEvery);
        EXPECT_EQ(inNight, k.kept);
    }
    for (const auto& row : night) {
        EXPECT_GE(std::strtod(row[6].c_str(), nullptr), 10.0);
        EXPECT_LE(std::strtod(row[7].c_str(), nullptr), -6.0);
    }
    // The text output names Jupiter's altitude.
    const Ran text = InProcess({"events", "2016-05-11 22:00", "2016-05-11 23:00", "--site", "35.68,139.77"});
    EXPECT_EQ(text.out, "2016-05-11 22:43:25 JST  I (Io)          occultation starts  Jupiter altitude 36.4\u00b0\n");
}

TEST(EventsCommand, GrsTransitsTakeTheSameSiteFilter)
{
    const Args base = {"grs-transits", "2016-05-10 12:00", "2016-05-12 12:00", "--csv", "--site", "35.68,139.77"};
    Args anyAltitude = base;
    anyAltitude.insert(anyAltitude.end(), {"--min-alt", "-90", "--sun-alt", "90"});
    const std::string header = "JST,UT,JDE,CM2cc,GrsLongitude,jupiter_alt,sun_alt";
    const auto every = Rows(anyAltitude, header);
    const auto night = Rows(base, header);
    ASSERT_EQ(every.size(), 5u);  // about one every 9 h 55 min
    size_t kept = 0;
    for (const auto& row : every)
        kept += std::strtod(row[5].c_str(), nullptr) >= 10 && std::strtod(row[6].c_str(), nullptr) <= -6;
    EXPECT_EQ(night.size(), kept);
    EXPECT_LT(kept, every.size());
}

TEST(EventsCommand, RefusalsSayWhyOnOneLineAndPrintNothing)
{
    const struct {
        const char* name;
        Args args;
        const char* errHas;
    } rows[] = {
        {"latitude_beyond_90", {"events", "2026-12-09 00:00", "2026-12-11 00:00", "--site", "91,139.77"}, "latitude"},
        {"unreadable_site", {"events", "2026-12-09 00:00", "2026-12-11 00:00", "--site", "Tokyo"}, "--site"},
        {"site_without_longitude", {"grs-transits", "2026-12-09 00:00", "2026-12-11 00:00", "--site=35.68"}, "--site"},
        {"unknown_moon", {"events", "2026-12-09 00:00", "2026-12-11 00:00", "--moons", "I,V"}, "'V'"},
        {"unknown_kind", {"events", "2026-12-09 00:00", "2026-12-11 00:00", "--kinds", "transit,shadows"}, "'shadows'"},
        {"eleven_years", {"events", "2020-01-01 00:00", "2031-01-02 00:00"}, "--force"},
        {"altitude_without_site", {"events", "2026-12-09 00:00", "2026-12-11 00:00", "--min-alt", "20"}, "site"},
        {"altitude_unreadable", {"events", "2026-12-09 00:00", "2026-12-11 00:00", "--site", "35,139", "--sun-alt", "dusk"}, "--sun-alt"},
        {"moons_for_grs", {"grs-transits", "2026-12-09 00:00", "2026-12-11 00:00", "--moons", "I"}, "events and mutual only"},
        {"site_for_table", {"table", "2026-12-09 00:00", "2026-12-11 00:00", "1h", "--site", "35,139"}, "--site"},
        {"from_after_to", {"events", "2026-12-11 00:00", "2026-12-09 00:00"}, "after"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        for (const Ran& r : {InProcess(row.args), InChildProcess(row.args)}) {
            EXPECT_EQ(r.status, kExitUsage) << r.err;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(Split(r.err, '\n').size(), 2u) << r.err;  // one line and its end
            EXPECT_NE(r.err.find(row.errHas), std::string::npos) << r.err;
        }
    }
    // --site none is no site.
    EXPECT_EQ(InProcess({"events", "2020-01-01 00:00", "2020-01-02 00:00", "--site", "none"}).status, kExitOk);
}

}  // namespace
}  // namespace veltrax
