// SPDX-License-Identifier: GPL-3.0-or-later
// The disk's longitudes and latitudes against hand calculations and round
// trips.
#include "engine/disk_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace veltrax {
namespace {

// Hand values (polar / equatorial radius q = 66854 / 71492 = 0.935126):
//  - the disk's centre is the sub-Earth point, planetocentric latitude D;
//    planetographic tan g = tan D / q^2: D = 3 gives g = 3.42973 degrees.
//  - on the equator X = -sin L, whatever D (the equator's radius is 1):
//    X = -0.9 at L = asin 0.9 = 64.15807 degrees.
//  - the equator on the central meridian stands at Y = -sin D: -0.0523360
//    for D = 3 (south of the centre when the Earth is north of the equator).
//  - the limb's polar semi-axis sqrt(q^2 cos^2 D + sin^2 D): 0.935126 at
//    D = 0, 0.935309 at D = 3.
TEST(DiskGrid, HandCalculatedPoints)
{
    const struct {
        const char* name;
        double D, X, Y;
        double wantLon, wantLat;
    } rows[] = {
        {"centre_D0", 0, 0, 0, 0, 0},
        {"centre_D3", 3, 0, 0, 0, 3.42973},
        {"centre_Dminus3", -3, 0, 0, 0, -3.42973},
        {"equator_east", 0, -0.9, 0, 64.15807, 0},
        {"equator_west", 0, 0.9, 0, -64.15807, 0},
        {"limb_east", 0, -1, 0, 90, 0},
        {"limb_west", 0, 1, 0, -90, 0},
        {"pole", 0, 0, 0.935125, 0, 90},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto loc = DiskUnproject(r.D, r.X, r.Y);
        ASSERT_TRUE(loc.has_value());
        if (std::fabs(r.wantLat) < 89) {
            EXPECT_NEAR(loc->lonFromCmDeg, r.wantLon, 1e-4);
        }
        EXPECT_NEAR(loc->latDeg, r.wantLat, r.name[0] == 'p' ? 0.2 : 1e-4);
    }
}

TEST(DiskGrid, EquatorSouthOfTheCentreWhenTheEarthIsNorth)
{
    const struct {
        double D, wantY;
    } rows[] = {{3, -0.0523360}, {-3, 0.0523360}, {0, 0}};
    for (const auto& r : rows) {
        const DiskPoint p = DiskProject(r.D, 0, 0);
        EXPECT_TRUE(p.facing);
        EXPECT_NEAR(p.X, 0, 1e-12) << "D=" << r.D;
        EXPECT_NEAR(p.Y, r.wantY, 1e-7) << "D=" << r.D;
    }
    // Following limb: longitudes above the meridian lie toward celestial
    // east, negative X.
    EXPECT_LT(DiskProject(2, 30, 10).X, 0);
    EXPECT_GT(DiskProject(2, -30, 10).X, 0);
    // Beyond the limb.
    EXPECT_FALSE(DiskProject(0, 120, 0).facing);
    EXPECT_FALSE(DiskProject(3, 0, -89).facing);
    EXPECT_TRUE(DiskProject(3, 0, 89).facing);
}

TEST(DiskGrid, LimbPolarRadiusAndOutside)
{
    EXPECT_NEAR(LimbPolarRadius(0), 0.935126, 1e-6);
    EXPECT_NEAR(LimbPolarRadius(3), 0.935309, 1e-6);
    for (double D : {-3.5, 0.0, 3.5}) {
        const double b = LimbPolarRadius(D);
        EXPECT_TRUE(DiskUnproject(D, 0, b * (1 - 1e-9)).has_value()) << D;
        EXPECT_FALSE(DiskUnproject(D, 0, b * (1 + 1e-6)).has_value()) << D;
        EXPECT_FALSE(DiskUnproject(D, 1 + 1e-6, 0).has_value()) << D;
        EXPECT_FALSE(DiskUnproject(D, 0.8, 0.8).has_value()) << D;
    }
    EXPECT_FALSE(DiskUnproject(0, std::nan(""), 0).has_value());
}

// Sky point -> (longitude, latitude) -> sky point, over the visible disk:
// within 1e-6 radii (a hundredth of a pixel at the largest magnification).
TEST(DiskGrid, RoundTripOverTheVisibleDisk)
{
    for (double D : {-3.8, 0.0, 1.7, 3.8}) {
        const double b = LimbPolarRadius(D);
        int checked = 0;
        for (int i = -20; i <= 20; ++i)
            for (int j = -20; j <= 20; ++j) {
                const double X = i / 20.0, Y = j / 20.0 * b;
                const auto loc = DiskUnproject(D, X, Y);
                if (!loc)
                    continue;
                const DiskPoint p = DiskProject(D, loc->lonFromCmDeg, loc->latDeg);
                ASSERT_NEAR(p.X, X, 1e-6) << "D=" << D << " X=" << X << " Y=" << Y;
                ASSERT_NEAR(p.Y, Y, 1e-6) << "D=" << D << " X=" << X << " Y=" << Y;
                EXPECT_TRUE(p.facing);
                ++checked;
            }
        EXPECT_GT(checked, 1000);
        // And the other way, away from the limb and the poles.
        for (int lon = -80; lon <= 80; lon += 10)
            for (int lat = -70; lat <= 70; lat += 10) {
                const DiskPoint p = DiskProject(D, lon, lat);
                if (!p.facing)
                    continue;  // behind the limb near a pole turned away
                const auto loc = DiskUnproject(D, p.X, p.Y);
                ASSERT_TRUE(loc.has_value());
                EXPECT_NEAR(loc->lonFromCmDeg, lon, 1e-6);
                EXPECT_NEAR(loc->latDeg, lat, 1e-6);
            }
    }
}

TEST(DiskGrid, ReadingAddsTheSameDifferenceToEachSystem)
{
    const DiskPose pose{{10, 200, 350}, 0};
    const struct {
        const char* name;
        double X;
        double want[3];
    } rows[] = {
        {"centre", 0, {10, 200, 350}},
        // 30 degrees toward the following limb: X = -sin 30 = -0.5; System
        // III passes 360.
        {"east", -0.5, {40, 230, 20}},
        {"west", 0.5, {340, 170, 320}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        const auto reading = ReadDisk(pose, r.X, 0);
        ASSERT_TRUE(reading.has_value());
        for (int i = 0; i < 3; ++i)
            EXPECT_NEAR(reading->lonDeg[i], r.want[i], 1e-9) << "system " << i + 1;
        EXPECT_NEAR(reading->latDeg, 0, 1e-9);
    }
}

TEST(DiskGrid, GridLinesLieOnTheVisibleDisk)
{
    for (double D : {-3.0, 0.0, 3.0}) {
        const DiskPose pose{{0, 75, 0}, D};
        const double b = LimbPolarRadius(D);
        const auto lines = DiskGridLines(pose, 30);
        int meridians = 0, central = 0, equator = 0;
        for (const GridLine& line : lines) {
            ASSERT_GE(line.points.size(), 2u);
            meridians += line.kind == GridLine::Meridian;
            central += line.kind == GridLine::CentralMeridian;
            equator += line.kind == GridLine::Equator;
            for (const auto& p : line.points) {
                EXPECT_LE(p[0] * p[0] + p[1] * p[1] / (b * b), 1 + 1e-9) << "D=" << D;
                if (line.kind == GridLine::CentralMeridian) {
                    EXPECT_NEAR(p[0], 0, 1e-12);
                }
            }
        }
        // CM 75: meridians 0 to 150 face the Earth (-75 to +75 from the
        // CM), 6 of them; 180 and 330 (105 degrees away) only near a pole
        // tilted toward the Earth.
        EXPECT_GE(meridians, 6);
        EXPECT_EQ(central, 1);
        EXPECT_EQ(equator, 1);
    }
}

// The meridians are System II's: with CM I = 15, CM II = 60 and D = 0, the
// 60-degree meridian runs through the centre (X = 0) and the 0-degree one,
// 60 degrees west of it, crosses the equator at X = sin 60 = 0.8660254. From
// CM I none would pass the centre and the 0-degree one would cross at sin 15.
TEST(DiskGrid, MeridiansCountFromTheSystemIICentralMeridian)
{
    std::vector<GridLine> meridians;
    for (const GridLine& line : DiskGridLines(DiskPose{{15, 60, 200}, 0}, 30))
        if (line.kind == GridLine::Meridian)
            meridians.push_back(line);
    ASSERT_FALSE(meridians.empty());
    const auto onCentre = [](const std::array<double, 2>& p) { return std::fabs(p[0]) < 1e-12; };
    EXPECT_EQ(std::count_if(meridians.begin(), meridians.end(),
                            [&](const GridLine& l) { return std::all_of(l.points.begin(), l.points.end(), onCentre); }),
              1);
    const auto& zero = meridians.front().points;  // 0 degrees comes first
    const auto eq = std::find_if(zero.begin(), zero.end(), [](const auto& p) { return std::fabs(p[1]) < 1e-12; });
    ASSERT_NE(eq, zero.end());
    EXPECT_NEAR((*eq)[0], 0.8660254, 1e-7);
}

}  // namespace
}  // namespace veltrax
