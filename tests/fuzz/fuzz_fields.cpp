// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz target: the six field texts (year, month, day, hour, minute, second)
// through the companion, as `veltrax-ephem --fields T1 ... T6`. The input's
// lines are the texts; fewer than six lines are padded with empty texts, and
// lines beyond the sixth are further arguments (the usage check's business).
#include "cli/ephem.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Never the user's settings file: a folder that holds none.
    static const bool noSettings = setenv("XDG_CONFIG_HOME", "/nonexistent/veltrax-fuzz", 1) == 0;
    FUZZ_CHECK(noSettings);

    NeverThrows([&] {
        const std::string input(reinterpret_cast<const char*>(data), size);
        std::vector<std::string> texts;
        for (size_t start = 0;;) {
            const size_t nl = input.find('\n', start);
            texts.push_back(input.substr(start, nl == std::string::npos ? std::string::npos : nl - start));
            if (nl == std::string::npos)
                break;
            start = nl + 1;
        }
        while (texts.size() < 6)
            texts.emplace_back();

        std::vector<const char*> argv = {"veltrax-ephem", "--fields"};
        for (const std::string& t : texts)
            argv.push_back(t.c_str());  // an argument ends at a NUL byte, as on a real command line
        std::ostringstream out, err;
        const int status = veltrax::RunEphem(static_cast<int>(argv.size()), argv.data(), out, err);

        const std::string o = out.str(), e = err.str();
        FUZZ_CHECK(status == veltrax::kExitOk || status == veltrax::kExitCycleEnds || status == veltrax::kExitUsage);
        if (status == veltrax::kExitOk) {
            // The results (or the help or version text), nothing on standard error.
            FUZZ_CHECK(!o.empty() && o.back() == '\n');
            FUZZ_CHECK(e.empty());
        } else {
            // Nothing on standard output, a message on standard error.
            FUZZ_CHECK(o.empty());
            FUZZ_CHECK(!e.empty() && e.back() == '\n');
        }
        if (status == veltrax::kExitCycleEnds) {
            // "one line on standard error names the field"
            FUZZ_CHECK(e.find('\n') == e.size() - 1);
            FUZZ_CHECK(e.compare(0, 15, "veltrax-ephem: ") == 0);
        }
    });
    return 0;
}
