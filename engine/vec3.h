// SPDX-License-Identifier: GPL-3.0-or-later
// Three-vectors for the engine's geometry (positions in AU or planet radii,
// velocities per day), with the few operations the theories need.
#pragma once

#include <cmath>

namespace veltrax {

struct Vec3 {
    double x;
    double y;
    double z;
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(const Vec3& a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline double Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double Length(const Vec3& a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Unit(const Vec3& a) { return a * (1.0 / Length(a)); }

}  // namespace veltrax
