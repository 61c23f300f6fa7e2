// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' shadows and eclipses for the window's picture, from the
// high-accuracy theory at the moment the window shows.
#pragma once

#include <optional>

namespace veltrax {

// Indexed 0 to 3 for satellites I to IV; offsets in Jupiter equatorial radii
// on the sky (X toward celestial west along the equator, Y toward the north).
struct SatelliteShadows {
    bool seen[4];      // the shadow lies on the face of the disk the Earth sees
    double dx[4];      // the shadow's centre minus its satellite's, X
    double dy[4];      // the same, Y
    bool eclipsed[4];  // the satellite stands in Jupiter's shadow
};

// jde: the window's JDE (CalcJD's dynamical time). nullopt when the theory
// cannot give the moment (outside the years 1000 to 3000); never throws.
std::optional<SatelliteShadows> ShadowsAtWindowJde(double jde);

}  // namespace veltrax
