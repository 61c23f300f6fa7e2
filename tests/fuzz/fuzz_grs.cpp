// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the observer's Great Red Spot, "LON@DATE[,DRIFT]" (ParseGrsSpec),
// as --grs and the window's dialog read it.
#include "fuzz_check.h"
#include "results/grs.h"
#include "results/settings.h"

#include <cmath>
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
        const auto o = ParseGrsSpec(text, why);
        if (!o) {
            FUZZ_CHECK(!why.empty());
            return;
        }
        FUZZ_CHECK(std::isfinite(o->longitudeDeg) && std::fabs(o->longitudeDeg) <= 360);
        FUZZ_CHECK(std::isfinite(o->driftDegPerDay) && std::fabs(o->driftDegPerDay) <= kMaxGrsDriftDegPerDay);
        const auto epoch = ParseGrsEpochDate(GrsEpochText(o->epoch));  // a real date
        FUZZ_CHECK(epoch && epoch->year == o->epoch.year && epoch->month == o->epoch.month &&
                   epoch->day == o->epoch.day);
        FUZZ_CHECK(o->observed.longitude == o->longitudeDeg && o->observed.driftPerDay == o->driftDegPerDay);
        FUZZ_CHECK(std::isfinite(o->observed.epochJde));
        // On its epoch the prediction is the longitude itself, within a turn.
        const double p = PredictGrsLongitude(o->observed, o->observed.epochJde);
        FUZZ_CHECK(p >= 0 && p <= 360);
        FUZZ_CHECK(std::fabs(std::remainder(p - o->longitudeDeg, 360.0)) < 1e-9);
        // The texts the window stores for it are read back as the same
        // observation (a full turn, 360, is stored as 0: the same meridian).
        const GrsSettingsTexts t = GrsSettingsValues(*o);
        std::string again;
        const auto back = ParseGrsSpec(t.longitude + "@" + t.epoch + "," + t.drift, again);
        FUZZ_CHECK(back);
        FUZZ_CHECK(std::fabs(std::remainder(back->longitudeDeg - o->longitudeDeg, 360.0)) <= 1e-6);
        FUZZ_CHECK(back->epoch.year == o->epoch.year && back->epoch.month == o->epoch.month &&
                   back->epoch.day == o->epoch.day);
        FUZZ_CHECK(std::fabs(back->driftDegPerDay - o->driftDegPerDay) <= 1e-6 / kDaysPerDriftMonth);
    });
    return 0;
}
