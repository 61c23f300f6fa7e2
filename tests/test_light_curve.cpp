// SPDX-License-Identifier: GPL-3.0-or-later
// Mutual events' light curves: the deepest sample against the listed flux
// drop, the first and last dimmed samples against the listed contacts, the
// pair's light by hand, and the geometry at the maximum.
#include "results/light_curve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace veltrax {
namespace {

constexpr int64_t kStep = 5;

TEST(LightCurve, DeepestSampleAndDimmedSpanMatchTheListedEvent)
{
    // Ten days of March 2027: occultations (one a graze of 2.4 min), eclipses.
    const double from = JdFromSeconds(static_cast<double>(SecondsFromCivil({2027, 3, 8, 0, 0, 0})));
    int events[2] = {0, 0};
    ForEachPlanRow(RowKind::Mutual, from, from + 10, RowQuery{}, [&](const PlanRow& row) {
        const MutualEvent& e = *row.Mutual();
        const Contacts contacts = ContactsOf(e);
        const LightCurve c = ComputeLightCurve(row, kStep);
        const std::string code = MutualCode(e) + " " + std::to_string(row.ut);
        double least = 1;
        const LightCurveSample *first = nullptr, *last = nullptr;
        for (const LightCurveSample& s : c.samples) {
            least = std::min(least, s.fluxPassive);
            if (s.fluxPassive < 1) {
                first = first ? first : &s;
                last = &s;
            }
        }
        EXPECT_NEAR(least, 1 - e.fluxDrop, 0.01) << code;
        EXPECT_LE(c.samples.front().ut, contacts.startUt - kLightCurveMarginSeconds + kStep) << code;
        EXPECT_GE(c.samples.back().ut, contacts.endUt + kLightCurveMarginSeconds - kStep) << code;
        EXPECT_NEAR(first ? first->ut : 0, contacts.startUt, kStep) << code;
        EXPECT_NEAR(last ? last->ut : 0, contacts.endUt, kStep) << code;
        ++events[static_cast<int>(e.kind)];
        return true;
    });
    EXPECT_GE(events[0], 3);
    EXPECT_GE(events[1], 2);
}

TEST(LightCurve, PairLightFromTheOppositionMagnitudes)
{
    // Worked by hand: Ganymede (V -2.09) is 10^(0.4 x 0.41) = 1.4588 times as
    // bright as Io (-1.68); Callisto (-1.05) 10^(0.4 x -0.36) = 0.7178 times
    // Europa (-1.41).
    struct Row {
        int active, passive;
        double b, fraction, deltaMag;
    } const rows[] = {
        {2, 0, 0.0, 1.4588 / 2.4588, 0.5668},             // 3E1, Io wholly dark
        {2, 0, 0.5, (1.4588 + 0.5) / 2.4588, 0.2468},     // 3E1, half of Io
        {0, 2, 0.25, (1 + 0.25 * 1.4588) / 2.4588, 0.6392},  // 1O3
        {3, 1, 0.0, 0.7178 / 1.7178, 0.9474},             // 4E2
        {1, 3, 1.0, 1.0, 0.0},                            // before the event
    };
    for (const Row& r : rows) {
        const double f = PairFraction(r.active, r.passive, r.b);
        EXPECT_NEAR(f, r.fraction, 1e-4) << r.active << r.passive << r.b;
        EXPECT_NEAR(MagnitudeDrop(f), r.deltaMag, 1e-4) << r.active << r.passive << r.b;
    }
}

TEST(LightCurve, GeometryAtTheMaximumAtTrueScale)
{
    // 3E1 of 2027-01-15, maximum 04:03:22 UT: Ganymede eclipses Io.
    const auto row = FindMutualEventByCode("3E1", SecondsFromCivil({2027, 1, 15, 4, 3, 0}));
    ASSERT_TRUE(row);
    const MutualScene s = ComputeLightCurve(*row, 60).atMaximum;
    // The satellites' mean radii (IAU): Io 1821.6 km, Ganymede 2631.2 km, as
    // seen at Jupiter's distance (within 0.5 %).
    EXPECT_NEAR(s.passiveRadiusKm, 1821.6, 9);
    EXPECT_NEAR(s.activeRadiusKm, 2631.2, 13);
    // The penumbra is wider than Ganymede, the umbra narrower; Io's centre
    // lies from the shadow's axis by the listed impact times the penumbra's
    // and Io's radii (the sky's foreshortening under 3 %).
    EXPECT_GT(s.penumbraRadiusKm, 2631.2);
    EXPECT_LT(s.umbraRadiusKm, 2631.2);
    const double d = std::hypot(s.passiveXKm - s.shadowXKm, s.passiveYKm - s.shadowYKm);
    EXPECT_NEAR(d, row->Mutual()->impact * (s.penumbraRadiusKm + s.passiveRadiusKm), 0.03 * d + 1);
    EXPECT_NEAR(s.lostFraction, row->Mutual()->fluxDrop, 0.002);
    EXPECT_FALSE(FindMutualEventByCode("3E1", SecondsFromCivil({2027, 1, 15, 6, 0, 0})));
}

}  // namespace
}  // namespace veltrax
