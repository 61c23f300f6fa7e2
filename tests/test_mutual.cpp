// SPDX-License-Identifier: GPL-3.0-or-later
// The satellites' events with each other on invented skies whose contacts are
// worked out by hand, the overlap areas in closed form, and the season
// against published predictions.
#include "engine/mutual.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace veltrax {
namespace {

constexpr double kPiHere = 3.14159265358979323846;
constexpr double kDay = 86400;

TEST(MutualGeometry, CircleOverlapInClosedForm)
{
    const struct {
        double r1, r2, d, area;
    } rows[] = {
        {1, 1, 1, 2 * kPiHere / 3 - std::sqrt(3.0) / 2},  // each centre on the other's rim
        {1, 1, std::sqrt(2.0), kPiHere / 2 - 1},          // rims crossing at right angles
        {1, 1, 0, kPiHere},                               // the same disk
        {1, 3, 1.5, kPiHere},                             // the small one inside
        {1, 2, 3, 0},                                     // touching from outside
        {2, 1, 3.5, 0},                                   // apart
    };
    for (const auto& r : rows)
        EXPECT_NEAR(CircleOverlapArea(r.r1, r.r2, r.d), r.area, 1e-12) << r.r1 << " " << r.r2 << " " << r.d;
}

TEST(MutualGeometry, EclipseFluxDropOfSimpleShadows)
{
    // The Sun 1e-3 rad wide in radius seen from B, 1000 units away.
    const double sunRadius = 1, sunDistance = 1000;
    const struct {
        const char* name;
        double rA, rB, rho0, delta, drop;
    } rows[] = {
        // A half the Sun's apparent radius, centred: a quarter of the Sun's disk.
        {"annular_centre", 0.05, 1e-6, 0, 100, 0.25},
        // The same disk moved to touch the Sun's rim from inside: still a quarter.
        // A's centre is 5e-4 rad off the Sun's: rho (1/100 - 1/1000) = 5e-4.
        {"annular_touching_rim", 0.05, 1e-6, 5e-4 / (1.0 / 100 - 1.0 / 1000), 100, 0.25},
        // A twice the Sun's apparent radius, centred: all of it.
        {"total", 0.2, 1e-6, 0, 100, 1},
        // Far outside the penumbra: nothing.
        {"clear", 0.05, 1e-6, 1, 100, 0},
    };
    for (const auto& r : rows)
        EXPECT_NEAR(EclipseFluxDrop(r.rA, r.rB, r.rho0, r.delta, sunRadius, sunDistance), r.drop, 2e-3) << r.name;
}

// An invented sky: Io (I) moves along x at `speed` Jupiter radii a day through
// x = 0 at jdeTT = 0, `offset` above Europa (II), which stands still; III
// and IV far away. From the Earth Io is just in front of Europa, 20 radii
// west of Jupiter; from the Sun Io is 10 radii nearer than Europa. Jupiter
// casts no shadow here.
struct Invented {
    double speed, offset;

    GalileanSky operator()(double jdeTT) const
    {
        GalileanSky sky{};
        sky.jdeTT = jdeTT;
        sky.earthDistanceAu = 5;
        sky.sunDistanceAu = 5;
        sky.earthLimbB = sky.sunLimbB = 1;
        const double far = 1e3;
        for (int i = 0; i < 4; ++i) {
            GalileanSatellite& m = sky.moon[i];
            m.fromEarth = {30.0 * i, 5.0 * i, 0};
            m.fromSunForShadow = m.fromSunForEclipse = {far, far, far};
            m.sunFramePos = {30.0 * i, 5.0 * i, 0};
            m.sunFrameVel = {0, 0, 0};
        }
        const double x = speed * jdeTT;
        sky.moon[0].fromEarth = {20 + x, offset, -1e-3};
        sky.moon[1].fromEarth = {20, 0, 1e-3};
        sky.moon[0].sunFramePos = {x, offset, -20};
        sky.moon[0].sunFrameVel = {speed, 0, 0};
        sky.moon[1].sunFramePos = {0, 0, -10};
        return sky;
    }
};

std::vector<MutualEvent> Find(const Invented& sky, double from, double to)
{
    std::vector<MutualEvent> out;
    FindMutualEvents(from, to, [&](const MutualEvent& e) {
        out.push_back(e);
        return true;
    }, sky);
    return out;
}

// Radii in Jupiter radii: Io 1821.6 / 71492 = 0.0254797, Europa 1560.8 / 71492
// = 0.0218318; their sum S = 3382.4 / 71492 = 0.0473116 (the depths of 1e-3
// radii change the apparent sizes by 1e-7 of themselves at 5 AU).
constexpr double kIo = 0.0254797, kEuropa = 0.0218318, kSum = 0.0473116;

TEST(MutualGeometry, OccultationContactsMaximumAndFigures)
{
    // Io passes 0.05 S from Europa's centre at 10 radii a day: contacts at
    // +-S sqrt(1 - 0.05^2) / 10 days = +-0.00472525 d = +-408.26 s.
    const Invented sky{10, 0.05 * kSum};
    const std::vector<MutualEvent> found = Find(sky, -0.1, 0.1);
    std::vector<MutualEvent> occ;
    for (const MutualEvent& e : found)
        if (e.kind == MutualKind::Occultation)
            occ.push_back(e);
    ASSERT_EQ(occ.size(), 1u);
    const MutualEvent& e = occ[0];
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.passive, 1);
    EXPECT_NEAR(e.startTT * kDay, -408.26, 0.2);
    EXPECT_NEAR(e.endTT * kDay, 408.26, 0.2);
    EXPECT_NEAR(e.maxTT * kDay, 0, 1);
    EXPECT_NEAR(e.impact, 0.05, 1e-4);
    // Europa (radius 0.0218) lies wholly inside Io's disk (0.0255) when their
    // centres are 0.0024 apart: all of its light, its whole diameter.
    EXPECT_NEAR(e.magnitude, 1, 1e-9);
    EXPECT_NEAR(e.fluxDrop, 1, 1e-9);
    EXPECT_TRUE(e.observable);
}

TEST(MutualGeometry, EclipseByAShadowConeOfKnownSize)
{
    // From the Sun, 5 AU = 10462.5 Jupiter radii away, Io stands 20 radii
    // nearer than Jupiter's centre (10442.5 from the Sun) and Europa 10 behind
    // Io. The Sun's radius is 695700 / 71492 = 9.73110 radii. At Europa:
    //   penumbra  0.0254797 + 10 (9.73110 + 0.0254797) / 10442.5 = 0.0348230
    //   umbra     0.0254797 - 10 (9.73110 - 0.0254797) / 10442.5 = 0.0161854
    // Io passes 0.0169964 x 10442.5 / 10452.5 from Europa's line, so that the
    // ray from the Sun through Io's centre passes Europa's 0.0169964 away:
    // an impact of 0.0169964 / (0.0348230 + 0.0218318) = 0.3. The shadow
    // sweeps Europa's plane at 10 x 10452.5 / 10442.5 = 10.00958 radii a day:
    // contacts at +-sqrt(0.0566548^2 - 0.0169964^2) / 10.00958
    // = +-0.0540453 / 10.00958 d = +-466.50 s, umbral ones (umbra + Europa =
    // 0.0380172) at +-0.0340063 / 10.00958 d = +-293.53 s. The sunlight that
    // reaches Europa passed Io 10 radii / (173.14463 AU/d x 2092.4947) =
    // 2.385 s earlier, so every moment comes 2.385 s later.
    const Invented sky{10, 0.0169964 * (10442.5 / 10452.5)};
    std::vector<MutualEvent> ecl;
    for (const MutualEvent& e : Find(sky, -0.1, 0.1))
        if (e.kind == MutualKind::Eclipse)
            ecl.push_back(e);
    ASSERT_EQ(ecl.size(), 1u);
    const MutualEvent& e = ecl[0];
    EXPECT_EQ(e.active, 0);
    EXPECT_EQ(e.passive, 1);
    EXPECT_NEAR(e.startTT * kDay, 2.385 - 466.50, 0.3);
    EXPECT_NEAR(e.endTT * kDay, 2.385 + 466.50, 0.3);
    ASSERT_TRUE(e.umbral);
    EXPECT_NEAR(e.umbraStartTT * kDay, 2.385 - 293.53, 0.3);
    EXPECT_NEAR(e.umbraEndTT * kDay, 2.385 + 293.53, 0.3);
    EXPECT_NEAR(e.maxTT * kDay, 2.385, 1);
    EXPECT_NEAR(e.impact, 0.3, 1e-5);
    // (umbra + Europa - 0.0169964) / (2 x Europa) = 0.0210208 / 0.0436636.
    EXPECT_NEAR(e.magnitude, 0.48143, 1e-4);
    EXPECT_GT(e.fluxDrop, 0.3);
    EXPECT_LT(e.fluxDrop, 1.0);
}

// Io grazes Europa at an impact of 0.9999: the disks overlap for
// 2 S sqrt(1 - 0.9999^2) / 10 days = 11.6 s. Found whatever the phase of the
// scan's samples.
TEST(MutualGeometry, AGrazeOfSecondsIsFoundAtEverySamplingPhase)
{
    const Invented sky{10, 0.9999 * kSum};
    for (int k = 0; k < 20; ++k) {
        const double shift = kMutualStepDays * k / 20;
        int grazes = 0;
        for (const MutualEvent& e : Find(sky, -0.3 + shift, 0.3 + shift))
            if (e.kind == MutualKind::Occultation) {
                ++grazes;
                EXPECT_NEAR((e.endTT - e.startTT) * kDay, 11.6, 0.2) << k;
                EXPECT_NEAR(e.impact, 0.9999, 1e-5) << k;
            }
        EXPECT_EQ(grazes, 1) << "phase " << k;
    }
}

}  // namespace
}  // namespace veltrax
