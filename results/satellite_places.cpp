// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/satellite_places.h"

#include "engine/checked.h"
#include "engine/engine.h"
#include "engine/site.h"

#include <cmath>

namespace veltrax {

std::optional<SatellitePlaces> PlacesAtWindowJde(double jde)
{
    GalileanSky sky;
    try {
        // The same moment the shadows are computed for: the window's UT with
        // the precise theory's own Delta T.
        sky = ComputeGalileanSky(JdTTFromUT(WindowJdUT(jde)));
    } catch (const Fault&) {
        return std::nullopt;
    }
    SatellitePlaces p{};
    for (int i = 0; i < 4; ++i) {
        // The direction the Earth sees, as the event times' limb crossings
        // use it: a satellite on the limb at an event's edge is drawn there.
        const SkyOffset seen = ApparentOffset(sky.moon[i].fromEarth, sky.earthDistanceAu);
        if (!std::isfinite(seen.x) || !std::isfinite(seen.y) || !std::isfinite(seen.depth))
            return std::nullopt;
        p.x[i] = seen.x;
        p.y[i] = seen.y;
        p.depth[i] = seen.depth;
    }
    return p;
}

}  // namespace veltrax
