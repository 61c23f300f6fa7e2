// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/visibility.h"

namespace veltrax {

SiteView ViewFromSite(double jdUT, const SiteFilter& filter)
{
    SiteView v;
    v.altitudes = ComputeAltitudes(jdUT, filter.site);
    v.watchable = v.altitudes.jupiterDeg >= filter.minJupiterAltitudeDeg &&
                  v.altitudes.sunDeg <= filter.maxSunAltitudeDeg;
    return v;
}

}  // namespace veltrax
