// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: a table's step, "30s", "10m", "1h", "1d" (ParseStep).
#include "cli/plan.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NeverThrows([&] {
        const std::string_view text(reinterpret_cast<const char*>(data), size);
        std::string why;
        const auto step = veltrax::cli::ParseStep(text, why);
        if (!step) {
            FUZZ_CHECK(!why.empty());
            return;
        }
        FUZZ_CHECK(*step > 0);
        // A whole number of the unit named by the last character.
        const char unit = text.back();
        const int64_t seconds = unit == 's' ? 1 : unit == 'm' ? 60 : unit == 'h' ? 3600 : unit == 'd' ? 86400 : 0;
        FUZZ_CHECK(seconds > 0 && *step % seconds == 0);
    });
    return 0;
}
