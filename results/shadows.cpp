// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/shadows.h"

#include "engine/checked.h"
#include "engine/engine.h"
#include "engine/galilean.h"
#include "engine/site.h"

namespace veltrax {

std::optional<SatelliteShadows> ShadowsAtWindowJde(double jde)
{
    GalileanSky sky;
    try {
        sky = ComputeGalileanSky(JdTTFromUT(WindowJdUT(jde)));
    } catch (const Fault&) {
        return std::nullopt;
    }
    SatelliteShadows s{};
    for (int i = 0; i < 4; ++i) {
        const GalileanSatellite& m = sky.moon[i];
        s.seen[i] = m.shadowSeen;
        // The offset from the satellite, not the place: the picture puts the
        // shadow beside the satellite where the window's own theory draws it.
        s.dx[i] = m.shadowSeen ? m.shadowX - m.fromEarth.x : 0;
        s.dy[i] = m.shadowSeen ? m.shadowY - m.fromEarth.y : 0;
        s.eclipsed[i] = m.inEclipse;
    }
    return s;
}

}  // namespace veltrax
