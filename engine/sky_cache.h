// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' configurations computed last, for the searches that look at
// one moment several times (a root's last sample, then its observability).
#pragma once

#include "engine/events.h"

#include <array>
#include <cstddef>

namespace veltrax {

// The skies computed last, so that an event's own moment (the root finder's
// last sample, as a rule) need not be computed again.
class SkyCache {
public:
    explicit SkyCache(const GalileanSkyModel& model) : model_(model) {}

    const GalileanSky& At(double jdeTT)
    {
        for (const Entry& e : entries_)
            if (e.used && e.jdeTT == jdeTT)
                return e.sky;
        Entry& e = entries_[next_];
        next_ = (next_ + 1) % entries_.size();
        e.sky = model_(jdeTT);
        e.jdeTT = jdeTT;
        e.used = true;
        return e.sky;
    }

private:
    struct Entry {
        double jdeTT = 0;
        bool used = false;
        GalileanSky sky{};
    };
    const GalileanSkyModel& model_;
    std::array<Entry, 32> entries_{};
    size_t next_ = 0;
};

}  // namespace veltrax
