// SPDX-License-Identifier: GPL-3.0-or-later
// The tables of the periodic series theories (the planets' and the
// satellites'): terms of amplitude, phase and frequency, and a table's extent.
#pragma once

#include <cstddef>

namespace veltrax::series {

// One term; each theory says how it is summed (amp times the cosine or sine
// of phase + freq * t).
struct Term {
    double amp;
    double phase;  // radians
    double freq;   // radians per the theory's time unit
};

struct Series {
    const Term* terms;
    size_t count;
};

template <size_t N>
constexpr Series S(const Term (&t)[N])
{
    return {t, N};
}

}  // namespace veltrax::series
