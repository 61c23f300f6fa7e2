// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' shadows and eclipses for the window's picture, from the
// high-accuracy theory at the moment the window shows.
#pragma once

#include "engine/galilean.h"

#include <optional>

namespace veltrax {

// jde: the window's JDE (CalcJD's dynamical time). nullopt when the theory
// cannot give the moment (outside the years 1000 to 3000); never throws.
std::optional<SatelliteShadows> ShadowsAtWindowJde(double jde);

}  // namespace veltrax
