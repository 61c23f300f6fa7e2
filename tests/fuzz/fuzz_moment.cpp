// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a moment as the command line reads it (ParseMoment):
// "YYYY-MM-DD HH:MM[:SS]", the "T" form, or a date alone. JST and UT are
// read by the same call; only the zone offset differs, checked below.
#include "engine/calendar.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace veltrax;

namespace {

bool Same(const CivilTime& a, const CivilTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

bool InRange(const CivilTime& c)
{
    return c.year >= -kMaxPlanYear && c.year <= kMaxPlanYear && c.month >= 1 && c.month <= 12 && c.day >= 1 &&
           c.day <= DaysInMonth(c.year, c.month) && c.hour >= 0 && c.hour <= 23 && c.minute >= 0 &&
           c.minute <= 59 && c.second >= 0 && c.second <= 59;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NeverThrows([&] {
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        std::string why;
        const auto c = ParseMoment(text, why);
        if (!c) {
            FUZZ_CHECK(!why.empty());  // a refusal always says why
            return;
        }
        FUZZ_CHECK(why.empty());
        FUZZ_CHECK(InRange(*c));
        // Written and read again, in both forms, it is the same moment.
        for (const char sep : {' ', 'T'}) {
            char buf[40];
            const std::string_view written(buf, static_cast<size_t>(WriteMoment(buf, *c, sep) - buf));
            FUZZ_CHECK(written.size() <= 32);
            std::string again;
            const auto back = ParseMoment(written, again);
            FUZZ_CHECK(back && Same(*back, *c));
        }
        // Seconds since 1970 and back; read as JST it is 9 h before the same
        // text read as UT, and that moment too converts back exactly.
        // The Julian days 1582 October 5 to 14 come back as the Gregorian
        // days they are, ten days on.
        const int64_t s = SecondsFromCivil(*c);
        const bool reformGap = c->year == 1582 && c->month == 10 && c->day >= 5 && c->day <= 14;
        CivilTime named = *c;
        if (reformGap)
            named.day += 10;
        FUZZ_CHECK(Same(CivilFromSeconds(s), named));
        const CivilTime ut = CivilFromSeconds(s - kJstOffsetSeconds);
        FUZZ_CHECK(SecondsFromCivil(ut) == s - kJstOffsetSeconds);
        FUZZ_CHECK(ut.hour == (c->hour + 15) % 24);
    });
    return 0;
}
