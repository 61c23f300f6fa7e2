// SPDX-License-Identifier: GPL-3.0-or-later
// Moments on the command line: calendar dates and clock times counted in whole
// seconds on the proleptic Gregorian calendar (the leap rule the window's
// fields use for every year), read from and written as text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace veltrax {
namespace cli {

// Japan Standard Time is Universal Time + 9 h.
constexpr int64_t kJstOffsetSeconds = 9 * 3600;

// Planning moments stay within these years, where the engine's time argument
// still resolves a small fraction of a second.
constexpr int64_t kMaxPlanYear = 999999;

struct CivilTime {
    int64_t year = 1970;  // astronomical numbering: 0 is 1 BC, -1 is 2 BC
    int32_t month = 1;    // 1 to 12
    int32_t day = 1;      // 1 to the month's length
    int32_t hour = 0;     // 0 to 23
    int32_t minute = 0;   // 0 to 59
    int32_t second = 0;   // 0 to 59
};

// Days in the month (Gregorian leap rule for every year).
int32_t DaysInMonth(int64_t year, int32_t month);

// Days from 1970-01-01 to the date (negative before it).
int64_t DaysFromCivil(int64_t year, int32_t month, int32_t day);

// Seconds from 1970-01-01 00:00:00 to the moment, and back.
int64_t SecondsFromCivil(const CivilTime& c);
CivilTime CivilFromSeconds(int64_t seconds);

// Reads "YYYY-MM-DD HH:MM[:SS]" or "YYYY-MM-DDTHH:MM[:SS]", or a date alone
// for 00:00 of that day: the year may carry a sign and has at most six
// digits; month, day, hour, minute and second are whole numbers in range.
// nullopt with a one-line reason otherwise.
std::optional<CivilTime> ParseMoment(std::string_view text, std::string& why);

// Reads "YYYY-MM-DD" (0 h).
std::optional<CivilTime> ParseDate(std::string_view text, std::string& why);

// Reads a plain decimal number: optional sign, digits, optional point and
// digits ("68", "-1.75", ".5"). No exponent, no blanks.
std::optional<double> ParseDecimal(std::string_view text);

// Writes "YYYY-MM-DD" followed by sep and "HH:MM:SS" at p (at most 32
// characters: a year of more than four digits is written in full, a negative
// one with its sign) and returns the end.
char* WriteMoment(char* p, const CivilTime& c, char sep);

// "2021-08-20 12:00:00" and "2021-08-20T03:00:00Z".
std::string LocalText(const CivilTime& c);
std::string IsoUtcText(const CivilTime& c);

}  // namespace cli
}  // namespace veltrax
