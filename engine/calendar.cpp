// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/calendar.h"

#include "engine/checked.h"

#include <cmath>
#include <tuple>

namespace veltrax {
namespace {

// Floor division for b > 0.
constexpr int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0 && a < 0) ? 1 : 0);
}

// Both calendars count in eras from 1 March of year 0, so that the leap day
// ends a year: 400 Gregorian years are 146097 days, 4 Julian years 1461.
constexpr int64_t DayOfYearFromMarch(int32_t m, int32_t d)
{
    return (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;  // 0 to 365
}

constexpr int64_t GregorianDays(int64_t y, int32_t m, int32_t d)
{
    y -= m <= 2;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;                                           // 0 to 399
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + DayOfYearFromMarch(m, d);  // 0 to 146096
    return era * 146097 + doe - 719468;
}

int64_t JulianDays(int64_t y, int32_t m, int32_t d)
{
    y -= m <= 2;
    const int64_t era = FloorDiv(y, 4);
    const int64_t yoe = y - era * 4;                           // 0 to 3
    const int64_t doe = yoe * 365 + DayOfYearFromMarch(m, d);  // 0 to 1460
    // 1970-01-01 Gregorian is 1969-12-19 Julian.
    return era * 1461 + doe - 719470;
}

// The date of a day of an era, yoe years and doy days (from 1 March) in.
CivilDate FromEraDay(int64_t eraStartYear, int64_t yoe, int64_t doy)
{
    const int64_t mp = (5 * doy + 2) / 153;  // 0 to 11, March first
    CivilDate c;
    c.day = static_cast<int32_t>(doy - (153 * mp + 2) / 5 + 1);
    c.month = static_cast<int32_t>(mp < 10 ? mp + 3 : mp - 9);
    c.year = eraStartYear + yoe + (c.month <= 2);
    return c;
}

// The reform's first Gregorian day, in days from 1970-01-01.
constexpr int64_t kFirstGregorianDay =
    GregorianDays(kGregorianReformDate.year, kGregorianReformDate.month, kGregorianReformDate.day);

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Reads 1 to maxDigits digits at text[i]; advances i.
bool Digits(std::string_view text, size_t& i, size_t maxDigits, int64_t& value)
{
    const size_t start = i;
    value = 0;
    while (i < text.size() && IsDigit(text[i])) {
        if (i - start == maxDigits)
            return false;
        value = value * 10 + (text[i] - '0');
        ++i;
    }
    return i > start;
}

bool Expect(std::string_view text, size_t& i, char c)
{
    if (i < text.size() && text[i] == c) {
        ++i;
        return true;
    }
    return false;
}

const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// The date part at text[i]; advances i. Fills why when a part is out of range.
bool ReadDate(std::string_view text, size_t& i, CivilDate& c, std::string& why)
{
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    int64_t y = 0, m = 0, d = 0;
    const size_t yearStart = i;
    if (!Digits(text, i, 6, y)) {
        if (i < text.size() && IsDigit(text[i]) && i - yearStart == 6)
            why = "the year of '" + std::string(text) + "' lies beyond -999999 to 999999";
        return false;
    }
    if (!Expect(text, i, '-') || !Digits(text, i, 2, m) || !Expect(text, i, '-') || !Digits(text, i, 2, d))
        return false;
    c.year = negative ? -y : y;
    if (m < 1 || m > 12) {
        why = "the month of '" + std::string(text) + "' is out of range (1 to 12)";
        return false;
    }
    c.month = static_cast<int32_t>(m);
    const int32_t length = DaysInMonth(c.year, c.month);
    if (d < 1 || d > length) {
        why = "the day of '" + std::string(text) + "' is out of range (" + kMonthNames[m - 1] + " " +
              std::to_string(c.year) + " has " + std::to_string(length) + " days)";
        return false;
    }
    c.day = static_cast<int32_t>(d);
    return true;
}

void CannotRead(std::string_view text, const char* want, std::string& why)
{
    if (why.empty())
        why = "cannot read the moment '" + std::string(text) + "' (want " + want + ")";
}

char* Two(char* p, int32_t v)
{
    *p++ = static_cast<char>('0' + v / 10);
    *p++ = static_cast<char>('0' + v % 10);
    return p;
}

}  // namespace

bool IsGregorianDate(int64_t year, int32_t month, int32_t day)
{
    const CivilDate& r = kGregorianReformDate;
    return std::tie(year, month, day) >= std::tie(r.year, r.month, r.day);
}

bool IsGregorianLeapYear(int64_t year)
{
    return year % 400 == 0 || (year % 4 == 0 && year % 100 != 0);
}

bool IsGregorianLeapYearWhole(double year)
{
    return std::fmod(year, 400) == 0 || (std::fmod(year, 4) == 0 && std::fmod(year, 100) != 0);
}

bool IsJulianLeapYear(int64_t year)
{
    return year % 4 == 0;
}

MonthTable WindowMonthDays(double wholeYear)
{
    MonthTable t = kCommonYearMonthDays;
    if (IsGregorianLeapYearWhole(wholeYear))
        t[1] = kLeapFebruaryDays;
    return t;
}

int32_t DaysInMonth(int64_t year, int32_t month)
{
    const bool leap = year < kGregorianReformDate.year ? IsJulianLeapYear(year) : IsGregorianLeapYear(year);
    if (month == 2 && leap)
        return kLeapFebruaryDays;
    return kCommonYearMonthDays[static_cast<size_t>(month - 1)];
}

int64_t DaysFromCivil(int64_t y, int32_t m, int32_t d)
{
    return IsGregorianDate(y, m, d) ? GregorianDays(y, m, d) : JulianDays(y, m, d);
}

CivilDate CivilFromDays(int64_t days)
{
    if (days >= kFirstGregorianDay) {
        const int64_t z = days + 719468;
        const int64_t era = FloorDiv(z, 146097);
        const int64_t doe = z - era * 146097;                                       // 0 to 146096
        const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // 0 to 399
        return FromEraDay(era * 400, yoe, doe - (365 * yoe + yoe / 4 - yoe / 100));
    }
    const int64_t z = days + 719470;
    const int64_t era = FloorDiv(z, 1461);
    const int64_t doe = z - era * 1461;            // 0 to 1460
    const int64_t yoe = (doe - doe / 1460) / 365;  // 0 to 3
    return FromEraDay(era * 4, yoe, doe - 365 * yoe);
}

int64_t SecondsFromCivil(const CivilTime& c)
{
    return DaysFromCivil(c.year, c.month, c.day) * kSecondsPerDay + c.hour * 3600 + c.minute * 60 + c.second;
}

CivilTime CivilFromSeconds(int64_t seconds)
{
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t sod = seconds - days * kSecondsPerDay;
    const CivilDate d = CivilFromDays(days);
    CivilTime c;
    c.year = d.year;
    c.month = d.month;
    c.day = d.day;
    c.hour = static_cast<int32_t>(sod / 3600);
    c.minute = static_cast<int32_t>(sod / 60 % 60);
    c.second = static_cast<int32_t>(sod % 60);
    return c;
}

double JdFromSeconds(double seconds)
{
    return kJdUnixEpoch + seconds / kSecondsPerDay;
}

int64_t SecondsFromJd(double jd)
{
    return RoundToInt64((jd - kJdUnixEpoch) * kSecondsPerDay);
}

std::optional<CivilTime> ParseMoment(std::string_view text, std::string& why)
{
    const char* const want = "YYYY-MM-DD [HH:MM[:SS]]";
    why.clear();
    CivilDate d;
    size_t i = 0;
    if (!ReadDate(text, i, d, why)) {
        CannotRead(text, want, why);
        return std::nullopt;
    }
    CivilTime c;
    c.year = d.year;
    c.month = d.month;
    c.day = d.day;
    if (i == text.size())
        return c;  // a date alone: 00:00 of that day
    if (!Expect(text, i, 'T')) {
        if (!Expect(text, i, ' ')) {
            CannotRead(text, want, why);
            return std::nullopt;
        }
        while (Expect(text, i, ' ')) {
        }
    }
    int64_t h = 0, m = 0, s = 0;
    if (!Digits(text, i, 2, h) || !Expect(text, i, ':') || !Digits(text, i, 2, m)) {
        CannotRead(text, want, why);
        return std::nullopt;
    }
    if (Expect(text, i, ':') && !Digits(text, i, 2, s)) {
        CannotRead(text, want, why);
        return std::nullopt;
    }
    if (i < text.size()) {
        if (text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1]))
            why = "the seconds of '" + std::string(text) + "' must be whole";
        CannotRead(text, want, why);
        return std::nullopt;
    }
    if (h > 23 || m > 59 || s > 59) {
        why = "the time of '" + std::string(text) + "' is out of range (00:00:00 to 23:59:59)";
        return std::nullopt;
    }
    c.hour = static_cast<int32_t>(h);
    c.minute = static_cast<int32_t>(m);
    c.second = static_cast<int32_t>(s);
    return c;
}

std::optional<CivilDate> ParseDate(std::string_view text, std::string& why)
{
    why.clear();
    CivilDate c;
    size_t i = 0;
    if (!ReadDate(text, i, c, why) || i != text.size()) {
        if (why.empty())
            why = "cannot read the date '" + std::string(text) + "' (want YYYY-MM-DD)";
        return std::nullopt;
    }
    return c;
}

char* WriteMoment(char* p, const CivilTime& c, char sep)
{
    int64_t y = c.year;
    if (y < 0) {
        *p++ = '-';
        y = -y;
    }
    char digits[20];
    int n = 0;
    do {
        digits[n++] = static_cast<char>('0' + y % 10);
        y /= 10;
    } while (y > 0);
    for (int k = n; k < 4; ++k)
        *p++ = '0';
    while (n > 0)
        *p++ = digits[--n];
    *p++ = '-';
    p = Two(p, c.month);
    *p++ = '-';
    p = Two(p, c.day);
    *p++ = sep;
    p = Two(p, c.hour);
    *p++ = ':';
    p = Two(p, c.minute);
    *p++ = ':';
    return Two(p, c.second);
}

std::string LocalText(const CivilTime& c)
{
    char buf[40];
    return std::string(buf, WriteMoment(buf, c, ' '));
}

std::string IsoUtcText(const CivilTime& c)
{
    char buf[40];
    char* end = WriteMoment(buf, c, 'T');
    *end++ = 'Z';
    return std::string(buf, end);
}

}  // namespace veltrax
