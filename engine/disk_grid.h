// SPDX-License-Identifier: GPL-3.0-or-later
// Longitudes and latitudes on Jupiter's disk as the Earth sees it: the
// oblate spheroid of engine/constants.h seen from the sub-Earth latitude,
// projected on the sky.
//
// Sky coordinates are Jupiter equatorial radii from the disk's centre: X
// along the projected equator, positive toward celestial west (the sign of
// the satellites' X), Y toward the projected north pole. Longitudes are the
// west longitudes of Systems I to III: a point whose longitude exceeds the
// central meridian has not yet been carried to it by the rotation and lies
// toward celestial east (negative X). Latitudes are planetographic (the angle
// of the surface normal to the equator) unless a name says otherwise.
#pragma once

#include "engine/constants.h"

#include <array>
#include <optional>
#include <vector>

namespace veltrax {

// The polar radius in equatorial radii (66854 / 71492).
constexpr double kPolarPerEquatorial = kJupiterPolarRadiusKm / kJupiterEquatorialRadiusKm;

// The centre of the Great Red Spot, planetographic degrees: about 22 degrees
// south, the mean latitude commonly quoted for it (e.g. J. H. Rogers, The
// Giant Planet Jupiter, 1995); an approximate value, the spot's centre wanders
// by a degree or so.
constexpr double kGrsLatitudeDeg = -22.0;

// How the disk faces the Earth at one instant.
struct DiskPose {
    // The whole-disk central meridians of Systems I, II, III, degrees 0 to 360
    // (no phase correction: the meridian through the disk's centre, not the
    // illuminated disk's).
    std::array<double, 3> cmWholeDeg;
    // The Earth's jovicentric declination: the sub-Earth point's
    // planetocentric latitude, degrees.
    double earthDeclDeg;
};

// The pose at jde (JDE, days): CalcCentralMeridian and CalcAspect of the
// window's theory.
DiskPose DiskPoseAt(double jde);

// A point of the surface on the sky.
struct DiskPoint {
    double X, Y;  // equatorial radii
    bool facing;  // on the hemisphere that faces the Earth (the limb included)
};

// The point at longitude lonFromCmDeg from the central meridian (degrees,
// positive toward the following limb, i.e. celestial east) and
// planetographic latitude latDeg (-90 to 90).
DiskPoint DiskProject(double earthDeclDeg, double lonFromCmDeg, double latDeg);

// A point of the visible hemisphere.
struct DiskLocation {
    double lonFromCmDeg;  // longitude less the central meridian, degrees, -180 to 180
    double latDeg;        // planetographic latitude, degrees, -90 to 90
};

// The point of the visible hemisphere under the sky point (X, Y), or nullopt
// outside the limb (or for a value that is not finite).
std::optional<DiskLocation> DiskUnproject(double earthDeclDeg, double X, double Y);

// The limb is an ellipse of semi-axes 1 (along X) and this (along Y).
double LimbPolarRadius(double earthDeclDeg);

// What the read-out shows for a sky point inside the limb.
struct DiskReading {
    std::array<double, 3> lonDeg;  // Systems I, II, III, degrees 0 to under 360
    double latDeg;                 // planetographic, degrees
};
std::optional<DiskReading> ReadDisk(const DiskPose& pose, double X, double Y);

// One line of the grid on the visible hemisphere, in sky coordinates.
struct GridLine {
    enum Kind { Meridian, CentralMeridian, Equator };
    Kind kind;
    std::vector<std::array<double, 2>> points;  // X, Y; two or more
};

// The System II meridians every stepDeg degrees (from 0), the central
// meridian and the equator, each cut to the visible hemisphere.
std::vector<GridLine> DiskGridLines(const DiskPose& pose, double stepDeg);

}  // namespace veltrax
