// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the observer's site, "LAT,LON[,HEIGHT]" (ParseSiteOption), as
// --site reads it.
#include "cli/plan.h"
#include "engine/site.h"
#include "fuzz_check.h"

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
        const auto s = cli::ParseSiteOption(text, why);
        if (!s) {
            FUZZ_CHECK(!why.empty());
            return;
        }
        FUZZ_CHECK(std::isfinite(s->latitudeDeg) && std::fabs(s->latitudeDeg) <= kMaxSiteLatitudeDeg);
        FUZZ_CHECK(std::isfinite(s->longitudeDeg) && std::fabs(s->longitudeDeg) <= kMaxSiteLongitudeDeg);
        FUZZ_CHECK(std::isfinite(s->heightM) && s->heightM >= kMinSiteHeightM && s->heightM <= kMaxSiteHeightM);
    });
    return 0;
}
