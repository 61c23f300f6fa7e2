// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' places for the window's picture from the high-accuracy
// theory, at the moment the window shows: the other source of the same bodies
// that the window's compact theory draws.
#pragma once

#include "engine/galilean.h"

#include <optional>

namespace veltrax {

// jde: the window's JDE (CalcJD's dynamical time). nullopt when the theory
// cannot give the moment (outside the years 1000 to 3000) or gives a value
// that is not finite; never throws.
std::optional<SatellitePlaces> PlacesAtWindowJde(double jde);

}  // namespace veltrax
