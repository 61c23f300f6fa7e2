// SPDX-License-Identifier: GPL-3.0-or-later
// Whether an observer at a site can watch Jupiter at a moment: Jupiter high
// enough and the sky dark enough. One filter for satellite events and Great
// Red Spot transits.
#pragma once

#include "engine/site.h"

namespace veltrax {

struct SiteFilter {
    Site site;
    double minJupiterAltitudeDeg = 10;  // Jupiter at least this high
    double maxSunAltitudeDeg = -6;      // and the Sun at most this (civil twilight's end)
};

struct SiteView {
    SkyAltitudes altitudes;  // apparent, with refraction, degrees
    bool watchable;          // both limits met
};

// The altitudes at jdUT (Julian Day, UT) and whether they pass the filter.
SiteView ViewFromSite(double jdUT, const SiteFilter& filter);

}  // namespace veltrax
