// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the fuzz targets: a property that must always hold, and a call
// that must never throw. Either failing stops the process with a trap, which
// libFuzzer reports as a crash and the corpus replay as a failed test.
#pragma once

#include <cstdio>
#include <exception>

#define FUZZ_CHECK(cond)                                                                        \
    do {                                                                                        \
        if (!(cond)) {                                                                          \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            __builtin_trap();                                                                   \
        }                                                                                       \
    } while (0)

// Runs f; any exception is a fault of the reader under test.
template <class F>
void NeverThrows(F&& f)
{
    try {
        f();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "fuzz check failed: threw %s\n", e.what());
        __builtin_trap();
    } catch (...) {
        std::fprintf(stderr, "fuzz check failed: threw something that is not a std::exception\n");
        __builtin_trap();
    }
}
