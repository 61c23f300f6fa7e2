// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a date alone, "YYYY-MM-DD", as the command line reads it
// (ParseDate) and as the Great Red Spot's epoch is read (ParseGrsEpochDate).
// The two readers take the same texts to the same dates.
#include "engine/calendar.h"
#include "fuzz_check.h"
#include "results/grs.h"
#include "results/settings.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using namespace veltrax;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NeverThrows([&] {
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        std::string why;
        const auto d = ParseDate(text, why);
        const auto e = ParseGrsEpochDate(text);
        FUZZ_CHECK(d.has_value() == e.has_value());
        if (!d) {
            FUZZ_CHECK(!why.empty());
            return;
        }
        FUZZ_CHECK(why.empty());
        FUZZ_CHECK(d->year == e->year && d->month == e->month && d->day == e->day);
        FUZZ_CHECK(d->year >= -kMaxPlanYear && d->year <= kMaxPlanYear);
        FUZZ_CHECK(d->month >= 1 && d->month <= 12 && d->day >= 1 && d->day <= DaysInMonth(d->year, d->month));
        // A date alone is a moment too: 00:00 of that day.
        std::string whyMoment;
        const auto m = ParseMoment(text, whyMoment);
        FUZZ_CHECK(m && m->year == d->year && m->month == d->month && m->day == d->day && m->hour == 0 &&
                   m->minute == 0 && m->second == 0);
        // The epoch as the settings file stores it reads back to the same date.
        const auto back = ParseGrsEpochDate(GrsEpochText(*e));
        FUZZ_CHECK(back && back->year == e->year && back->month == e->month && back->day == e->day);
    });
    return 0;
}
