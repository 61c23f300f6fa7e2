// SPDX-License-Identifier: GPL-3.0-or-later
// The one calendar of both programs: civil dates and clock times counted in
// whole seconds, read from and written as text.
//
// Dates from 1582 October 15 on are Gregorian, earlier ones Julian, exactly
// as CalcJD reads the window's fields: a moment typed anywhere (a command's
// FROM and TO, the spot's measurement date, the events dialog) is the same
// instant as in the window. The Julian days 1582 October 5 to 14 are read
// too (they are the Gregorian October 15 to 24) and written back as those.
// Seconds count from 1970-01-01 00:00:00 (Gregorian), Julian Day 2440587.5,
// with no leap seconds: JD = 2440587.5 + seconds / 86400.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrax {

// Japan Standard Time is Universal Time + 9 h (the meridian 135 degrees
// east): in hours for the window's hour field, in seconds for moments.
constexpr int32_t kJstOffsetHours = 9;
constexpr int64_t kJstOffsetSeconds = int64_t{kJstOffsetHours} * 3600;

constexpr int64_t kSecondsPerDay = 86400;

// The Julian Day (UT) of 1970-01-01 0 h, where the seconds count from.
constexpr double kJdUnixEpoch = 2440587.5;

// Moments typed as text stay within these years, where the engine's time
// argument still resolves a small fraction of a second.
constexpr int64_t kMaxPlanYear = 999999;

struct CivilDate {
    int64_t year = 1970;  // astronomical numbering: 0 is 1 BC, -1 is 2 BC
    int32_t month = 1;    // 1 to 12
    int32_t day = 1;      // 1 to the month's length
};

struct CivilTime {
    int64_t year = 1970;  // astronomical numbering: 0 is 1 BC, -1 is 2 BC
    int32_t month = 1;    // 1 to 12
    int32_t day = 1;      // 1 to the month's length
    int32_t hour = 0;     // 0 to 23
    int32_t minute = 0;   // 0 to 59
    int32_t second = 0;   // 0 to 59
};

// The Gregorian reform (the bull Inter gravissimas, 1582): the Julian
// Thursday 1582 October 4 was followed by the Gregorian Friday 1582
// October 15, JD 2299160.5 at 0 h (J. Meeus, Astronomical Algorithms, 2nd
// ed., ch. 7). This is the first Gregorian day.
constexpr CivilDate kGregorianReformDate{1582, 10, 15};

// The same day as the window's Julian Day tests a date, on the number
// year + month / 100 + day / 10000: from this on the date is Gregorian.
constexpr double kGregorianReformDateNumber = 1582.1015;

// Whether the date is on or after the reform (lexicographic on year, month
// and day): the calendar's own test.
bool IsGregorianDate(int64_t year, int32_t month, int32_t day);

// Length of each month in days, January first.
using MonthTable = std::array<int32_t, 12>;

// 31, 28, 31, 30, ... : the months of a common year, on both calendars.
constexpr MonthTable kCommonYearMonthDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// February of a leap year.
constexpr int32_t kLeapFebruaryDays = 29;

// The Gregorian leap rule (every fourth year, but not the hundredth unless
// the four-hundredth), for any year; the remainder has the sign of the
// dividend: -4 is leap, -100 is not. The window's day fields use it for every
// year, also before 1582, as the program always has.
bool IsGregorianLeapYear(int64_t year);

// The same rule on a whole year held as a double, of any size (a refused year
// field beyond the 32-bit range still sets February): exact, as fmod is.
bool IsGregorianLeapYearWhole(double year);

// The Julian leap rule: every fourth year.
bool IsJulianLeapYear(int64_t year);

// The window's month table for the year field's whole value: February has 29
// days in a Gregorian leap year, for every year.
MonthTable WindowMonthDays(double wholeYear);

// Days in the month on this calendar: the Julian rule before the reform's
// year, the Gregorian one from then on.
int32_t DaysInMonth(int64_t year, int32_t month);

// Days from 1970-01-01 to the date (negative before it), and back. The date
// must be valid (month 1 to 12, day 1 to its length).
int64_t DaysFromCivil(int64_t year, int32_t month, int32_t day);
CivilDate CivilFromDays(int64_t days);

// Seconds from 1970-01-01 00:00:00 to the moment, and back.
int64_t SecondsFromCivil(const CivilTime& c);
CivilTime CivilFromSeconds(int64_t seconds);

// The Julian Day of a moment given in seconds (a double may carry a fraction),
// and the seconds of a Julian Day rounded to the nearest whole second
// (halves to even). Both sides in the same time scale.
double JdFromSeconds(double seconds);
int64_t SecondsFromJd(double jd);

// Reads "YYYY-MM-DD" (a sign may stand before the year, which has at most six
// digits; month and day one or two digits): a date of this calendar.
// nullopt with a one-line reason (English) otherwise.
std::optional<CivilDate> ParseDate(std::string_view text, std::string& why);

// Reads "YYYY-MM-DD HH:MM[:SS]" or "YYYY-MM-DDTHH:MM[:SS]", or a date alone
// for 00:00 of that day; hour, minute and second are whole numbers in range.
// nullopt with a one-line reason otherwise.
std::optional<CivilTime> ParseMoment(std::string_view text, std::string& why);

// Writes "YYYY-MM-DD" followed by sep and "HH:MM:SS" at p (at most 32
// characters: a year of more than four digits is written in full, a negative
// one with its sign) and returns the end.
char* WriteMoment(char* p, const CivilTime& c, char sep);

// "2021-08-20 12:00:00" and "2021-08-20T03:00:00Z".
std::string LocalText(const CivilTime& c);
std::string IsoUtcText(const CivilTime& c);

}  // namespace veltrax
