// SPDX-License-Identifier: GPL-3.0-or-later
// The one calendar: published Julian Days on both sides of the 1582 reform,
// agreement with the window's own Julian Day for every day over 5000 years,
// day-by-day continuity, and the dates each side of the reform accepts.
#include "engine/calendar.h"
#include "engine/engine.h"
#include "engine/search.h"
#include "engine/site.h"

#include <gtest/gtest.h>

namespace veltrax {
namespace {

// Julian Days at 0 h of dates from J. Meeus, Astronomical Algorithms (2nd ed.),
// chapter 7: the examples and the table of its section "Julian Day".
TEST(Calendar, PublishedJulianDays)
{
    const struct {
        int64_t y;
        int32_t m, d;
        double jd;
    } rows[] = {
        {2000, 1, 1, 2451544.5},  {1999, 1, 1, 2451179.5},  {1987, 1, 27, 2446822.5}, {1988, 6, 19, 2447331.5},
        {1900, 1, 1, 2415020.5},  {1600, 1, 1, 2305447.5},  {1600, 12, 31, 2305812.5},
        {1582, 10, 15, 2299160.5}, {1582, 10, 4, 2299159.5}, {837, 4, 10, 2026871.5}, {333, 1, 27, 1842712.5},
        {-123, 12, 31, 1676496.5}, {-122, 1, 1, 1676497.5}, {-1000, 7, 12, 1356000.5}, {-1000, 2, 29, 1355866.5},
        {-1001, 8, 17, 1355670.5}, {-4712, 1, 1, -0.5},
    };
    for (const auto& r : rows) {
        const int64_t days = DaysFromCivil(r.y, r.m, r.d);
        EXPECT_EQ(JdFromSeconds(static_cast<double>(days * kSecondsPerDay)), r.jd) << r.y << "-" << r.m << "-" << r.d;
        const CivilDate back = CivilFromDays(days);
        EXPECT_EQ((std::vector<int64_t>{back.year, back.month, back.day}), (std::vector<int64_t>{r.y, r.m, r.d}));
    }
}

// Every day from -1000 to 3000: consecutive day numbers are consecutive
// dates, and each date is the day the window's CalcJD computes for it.
TEST(Calendar, EveryDayFollowsTheLastAndIsTheWindowsJulianDay)
{
    const int64_t first = DaysFromCivil(-1000, 1, 1), last = DaysFromCivil(3000, 12, 31);
    CivilDate prev = CivilFromDays(first - 1);
    int mismatches = 0;
    for (int64_t n = first; n <= last; ++n) {
        const CivilDate c = CivilFromDays(n);
        const bool nextDay = c.year == prev.year && c.month == prev.month && c.day == prev.day + 1;
        const bool nextMonth = c.day == 1 && ((c.year == prev.year && c.month == prev.month + 1) ||
                                              (c.year == prev.year + 1 && c.month == 1 && prev.month == 12));
        const bool reform = c.year == 1582 && c.month == 10 && c.day == 15 && prev.day == 4;
        if (!(nextDay || nextMonth || reform) || DaysFromCivil(c.year, c.month, c.day) != n)
            ++mismatches;
        // The window's JDE with its linear TT - UT taken off is the same day, to a microday.
        if (std::fabs(WindowJdUT(CalcJD(static_cast<double>(c.year), c.month, c.day)) -
                      JdFromSeconds(static_cast<double>(n * kSecondsPerDay))) > 1e-6)
            ++mismatches;
        prev = c;
    }
    EXPECT_EQ(mismatches, 0);
}

TEST(Calendar, EachSideOfTheReformHasItsOwnLeapRule)
{
    const struct {
        const char* text;
        bool real;
    } rows[] = {
        {"1500-02-29", true},   // Julian: every fourth year
        {"1300-02-29", true},  {"1582-10-10", true},  // a Julian day of the reform's gap
        {"1582-10-15", true},  {"1700-02-29", false},  // Gregorian: not the hundredth
        {"1600-02-29", true},  {"2026-02-29", false}, {"2028-02-29", true}, {"-0004-02-29", true},
        {"2026-13-01", false}, {"2026-04-31", false},
    };
    for (const auto& r : rows) {
        std::string why;
        EXPECT_EQ(ParseDate(r.text, why).has_value(), r.real) << r.text << ": " << why;
        EXPECT_EQ(why.empty(), r.real) << r.text;
    }
    // The gap's Julian days are the Gregorian days ten later: the same instant.
    EXPECT_EQ(DaysFromCivil(1582, 10, 10), DaysFromCivil(1582, 10, 20));
}

// Leap years (Meeus, ch. 7): the Gregorian 1900 and 2100 are common, the
// Julian ones leap; 0 and -4 are leap on both, -100 only on the Julian. The
// window's February follows the Gregorian rule for any whole year, also one
// beyond 32 bits.
TEST(Calendar, LeapRulesOfBothCalendars)
{
    const struct {
        double year;
        bool gregorian, julian;
    } rows[] = {{2024, 1, 1}, {2000, 1, 1}, {1600, 1, 1}, {0, 1, 1},   {-4, 1, 1},          {2023, 0, 0},
                {1900, 0, 1}, {2100, 0, 1}, {-1, 0, 0},   {-100, 0, 1}, {-2147483647, 0, 0}, {1e10, 1, 1},
                {1e10 + 100, 0, 1}};
    for (const auto& r : rows) {
        EXPECT_EQ(IsGregorianLeapYear(static_cast<int64_t>(r.year)), r.gregorian) << r.year;
        EXPECT_EQ(IsJulianLeapYear(static_cast<int64_t>(r.year)), r.julian) << r.year;
        EXPECT_EQ(IsGregorianLeapYearWhole(r.year), r.gregorian) << r.year;
        EXPECT_EQ(WindowMonthDays(r.year)[1], r.gregorian ? 29 : 28) << r.year;
    }
}

// A moment's text, seconds and back, across the reform and far years.
TEST(Calendar, MomentsRoundTripThroughSeconds)
{
    for (const char* text : {"1500-03-01 21:00:00", "1582-10-04 23:59:59", "1582-10-15 00:00:00",
                             "-0044-03-15 12:00:00", "2026-12-09 02:15:00", "999999-12-31 23:59:59"}) {
        std::string why;
        const auto c = ParseMoment(text, why);
        ASSERT_TRUE(c) << why;
        EXPECT_EQ(LocalText(CivilFromSeconds(SecondsFromCivil(*c))), text);
    }
}

// TT - UT at 0 h UT of January 1, 2005 to 2025, from the U.S. Naval
// Observatory's deltat.data (monthly values derived from the IERS data).
TEST(TimeScale, ObservedDeltaTAtNewYear)
{
    const double usno[] = {64.6876, 64.8452, 65.1464, 65.4573, 65.7768, 66.0699, 66.3246,
                           66.6030, 66.9069, 67.2810, 67.6439, 68.1024, 68.5927, 68.9676,
                           69.2202, 69.3612, 69.3594, 69.2945, 69.2039, 69.1752, 69.1377};
    for (int i = 0; i < 21; ++i) {
        const double jdUT = JdFromSeconds(static_cast<double>(DaysFromCivil(2005 + i, 1, 1) * kSecondsPerDay));
        EXPECT_NEAR(DeltaTSeconds(jdUT), usno[i], 0.01) << 2005 + i;
    }
}

// A root search handed no sign change cannot converge, and says so.
TEST(Faults, SearchWithoutABracketIsNoConvergence)
{
    double lo = 0, hi = 0;
    try {
        FindRoot([](double t) { return t * t + 1; }, -1, 2, 1, 2, 1e-9, lo, hi);
        ADD_FAILURE() << "no fault";
    } catch (const Fault& f) {
        EXPECT_EQ(f.kind(), FaultKind::NoConvergence) << f.what();
    }
}

}  // namespace
}  // namespace veltrax
