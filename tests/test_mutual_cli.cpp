// SPDX-License-Identifier: GPL-3.0-or-later
// veltrax-ephem mutual: its rows and its filters against the independent
// computation, and its refusals.
#include "support/csv.h"
#include "support/run_ephem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

namespace veltrax {
namespace {

using test_support::Args;
using test_support::InProcess;

std::vector<std::vector<std::string>> Rows(const std::string& text, bool skipHeader)
{
    std::vector<std::vector<std::string>> rows;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#' || (skipHeader && (line.rfind("JST,", 0) == 0 || line.rfind("UT,", 0) == 0 ||
                                                              line.rfind("kind,", 0) == 0)))
            continue;
        rows.push_back(test_support::CsvCells(line));
    }
    return rows;
}

// Seconds of the day of "2027-01-08T01:00:42Z".
double SecondsOfDay(const std::string& iso)
{
    return std::stoi(iso.substr(11, 2)) * 3600.0 + std::stoi(iso.substr(14, 2)) * 60 + std::stoi(iso.substr(17, 2));
}

// January 2027 from both: the same events in the same order, at the same
// moments but for the two computations' Delta T (69.2 s here, 75.7 s there:
// ours come about 6.5 s later in UT for the same instant).
TEST(MutualCommand, JanuaryOf2027AsTheIndependentComputationHasIt)
{
    std::ifstream f(VELTRAX_TEST_DATA "/mutual_events_2026_27.csv");
    std::stringstream all;
    all << f.rdbuf();
    std::vector<std::vector<std::string>> reference;
    for (const auto& r : Rows(all.str(), true))
        if (r[3].rfind("2027-01", 0) == 0)
            reference.push_back(r);
    ASSERT_EQ(reference.size(), 16u);

    const auto ran = InProcess({"mutual", "2027-01-01", "2027-02-01", "--utc", "--csv", "--all", "--site", "none"});
    ASSERT_EQ(ran.status, 0) << ran.err;
    const auto ours = Rows(ran.out, true);
    ASSERT_EQ(ours.size(), reference.size()) << ran.out;
    for (size_t i = 0; i < ours.size(); ++i) {
        const auto& o = ours[i];  // UT,code,kind,active,passive,start_UT,end_UT,duration_s,impact,...
        const auto& r = reference[i];
        ASSERT_EQ(o.size(), 17u);  // the first 15 where they were, then pair_drop and delta_mag
        EXPECT_EQ(o[2], r[0]);
        EXPECT_EQ(o[3], r[1]);
        EXPECT_EQ(o[4], r[2]);
        // A long event's minimum is flat: judged by its contacts.
        if (std::stoi(o[7]) <= 20 * 60) {
            EXPECT_NEAR(SecondsOfDay(o[0]) - SecondsOfDay(r[3]), 6.5, 5) << o[0] << " " << r[3];
        }
        EXPECT_NEAR(SecondsOfDay(o[5]) - SecondsOfDay(r[4]), 6.5, 3) << o[5] << " " << r[4];
        EXPECT_NEAR(SecondsOfDay(o[6]) - SecondsOfDay(r[5]), 6.5, 3) << o[6] << " " << r[5];
        EXPECT_NEAR(std::stod(o[10]), std::stod(r[10]), 0.002) << o[0];
        EXPECT_EQ(o[12], r[13] == "1" || r[12] == "1" || r[14] == "1" ? "no" : "yes") << o[0];
    }
    // Ganymede (III) eclipses Io (I) on January 8 at 01:00:48 UT: "3E1".
    EXPECT_NE(ran.out.find(",3E1,eclipse,III,I,"), std::string::npos);
}

// Ranges read by hand from the independent computation: the codes and
// maxima (UT) they hold; ours about 6.5 s later.
TEST(MutualCommand, RangesListWhatTheIndependentComputationHas)
{
    const struct {
        Args args;
        std::vector<std::pair<std::string, std::string>> listed;
    } rows[] = {
        // Europa occults Ganymede for two hours: its first contact is 53
        // minutes before FROM, its maximum 3 minutes after.
        {{"mutual", "2026-12-27 11:50", "2026-12-27 12:30"}, {{"2O3", "2026-12-27T11:52:49Z"}}},
        // Io passive as well as active; Ganymede occulting Europa left out.
        {{"mutual", "2026-09-13", "2026-09-17", "--moons", "I"},
         {{"2E1", "2026-09-13T18:38:41Z"}, {"2O1", "2026-09-13T19:44:35Z"}, {"1E2", "2026-09-16T01:03:06Z"},
          {"1O2", "2026-09-16T02:10:35Z"}}},
        {{"mutual", "2026-09-13", "2026-09-17", "--kinds", "eclipse"},
         {{"2E1", "2026-09-13T18:38:41Z"}, {"1E2", "2026-09-16T01:03:06Z"}}},
        // Drops of 73 % and 96 %; the others under 43 %.
        {{"mutual", "2026-09-13", "2026-09-17", "--min-drop", "0.5"},
         {{"2O1", "2026-09-13T19:44:35Z"}, {"1O2", "2026-09-16T02:10:35Z"}}},
    };
    for (const auto& row : rows) {
        Args args = row.args;
        args.insert(args.end(), {"--utc", "--csv", "--all", "--site", "none"});
        const auto ran = InProcess(args);
        ASSERT_EQ(ran.status, 0) << ran.err;
        const auto ours = Rows(ran.out, true);
        ASSERT_EQ(ours.size(), row.listed.size()) << ran.out;
        for (size_t i = 0; i < ours.size(); ++i) {
            EXPECT_EQ(ours[i][1], row.listed[i].first);
            EXPECT_EQ(ours[i][0].substr(0, 10), row.listed[i].second.substr(0, 10));
            EXPECT_NEAR(SecondsOfDay(ours[i][0]) - SecondsOfDay(row.listed[i].second), 6.5, 5) << ours[i][0];
        }
    }
}

TEST(MutualCommand, SeenFromTheEarthOrWatchedFromTheSite)
{
    // By default only what can be seen; with a site only what it can watch.
    for (const auto& r : Rows(InProcess({"mutual", "2026-10-01", "2026-10-11", "--csv", "--site", "none"}).out, true))
        EXPECT_EQ(r[13], "yes");
    const auto tokyo = Rows(InProcess({"mutual", "2026-10-01", "2026-10-11", "--csv", "--site", "35.68,139.77"}).out, true);
    for (const auto& r : tokyo) {
        EXPECT_GE(std::stod(r[14]), 10);
        EXPECT_LE(std::stod(r[15]), -6);
    }
    EXPECT_FALSE(tokyo.empty());
}

TEST(MutualCommand, ReadableLinesAndRefusals)
{
    const auto text = InProcess({"mutual", "2027-01-08", "2027-01-09", "--site", "none"});
    ASSERT_EQ(text.status, 0) << text.err;
    // The maximum at 10:00:48 JST; contacts and duration; the drop rounded.
    EXPECT_NE(text.out.find("JST  3E1  Ganymede eclipses Io  09:55:"), std::string::npos) << text.out;
    EXPECT_NE(text.out.find(" min  drop 93 %"), std::string::npos) << text.out;

    for (const Args& bad : std::vector<Args>{{"mutual", "2027-01-01", "2027-01-02", "--min-drop", "1.5"},
                                             {"mutual", "2027-01-01", "2027-01-02", "--min-drop", "-0.1"},
                                             {"mutual", "2027-01-01", "2027-01-02", "--min-drop", "abc"},
                                             {"mutual", "2027-01-01", "2027-01-02", "--kinds", "transit"},
                                             {"mutual", "2027-01-02", "2027-01-01"},
                                             {"events", "2027-01-01", "2027-01-02", "--min-drop", "0.1"},
                                             {"mutual", "2000-01-01", "2027-01-02"}}) {
        const auto r = InProcess(bad);
        EXPECT_EQ(r.status, 64) << bad[3];
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    // Outside the theory's years: its own words.
    const auto early = InProcess({"mutual", "0900-01-01", "0900-01-02"});
    EXPECT_EQ(early.status, 2);
    EXPECT_NE(early.err.find("outside the years 1000 to 3000"), std::string::npos) << early.err;
}

}  // namespace
}  // namespace veltrax
