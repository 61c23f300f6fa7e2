// SPDX-License-Identifier: GPL-3.0-or-later
// The scene as primitives: satellite offsets, depth order, the planet with its
// belts and spot, the satellites and their numerals. No Qt, no pixels.
#include "engine/engine.h"
#include "engine/galilean.h"
#include "render/scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string>
#include <vector>

namespace veltrax {
namespace {

constexpr uint32_t kFore1 = 0x123456;  // the sky view's foreground before the first body
constexpr uint32_t kFore2 = 0x654321;  // the label strip's foreground

// Table rows print as their names.
#define PRINTS_AS_NAME(Row) \
    [[maybe_unused]] void PrintTo(const Row& r, std::ostream* os) { *os << r.name; }

MoonPositions MoonsAt(double jde)
{
    const double d = jde - 2415020;
    return CalcMoons(d, CalcAspect(d));
}

struct Look {
    bool inverted = true;
    float WinScale = 1;
    int32_t Magnify = 1;
    double CM2 = 0;
    double Grs = 180;  // far from CM2: no spot unless a test asks for one
    int32_t CenterX = 6030, CenterY = 510;
};

// Body indices in the order they are drawn.
std::vector<int> OrderOf(const Scene& s)
{
    std::vector<int> order;
    for (const SceneBody& b : s.bodies)
        order.push_back(b.index);
    return order;
}

SceneInput Input(double jde, const Look& l)
{
    return SceneInput{jde, l.inverted, l.WinScale, l.Magnify, l.CenterX, l.CenterY, l.CM2, l.Grs};
}

// The shapes of one scene, sorted out by body, in the order they were drawn:
// per satellite its disk then its numeral; for the planet its disk, two belts
// and the spot when drawn.
struct Parts {
    const Shape* disk[5] = {};
    const Shape* label[5] = {};
    const Shape* belt[2] = {};
    const Shape* spot = nullptr;
};

Parts Split(const Scene& s, const std::vector<Shape>& shapes)
{
    Parts p;
    size_t n = 0;
    auto next = [&](Shape::Kind kind, int surface) -> const Shape* {
        if (n >= shapes.size() || shapes[n].kind != kind || shapes[n].surface != surface) {
            ADD_FAILURE() << "shape " << n << ": wanted kind " << kind << " on surface " << surface;
            return nullptr;
        }
        return &shapes[n++];
    };
    for (int j = 0; j < 5; ++j) {
        const int k = s.bodies[j].index;
        p.disk[k] = next(Shape::Ellipse, 1);
        if (k == 0) {
            p.belt[0] = next(Shape::Box, 1);
            p.belt[1] = next(Shape::Box, 1);
            if (s.spotDrawn)
                p.spot = next(Shape::Ellipse, 1);
        } else {
            p.label[k] = next(Shape::Text, 2);
        }
    }
    EXPECT_EQ(n, shapes.size()) << "shapes beyond the five bodies";
    return p;
}

// ---- depth keys and drawing order -------------------------------------------

struct KeyRow {
    const char* name;
    double jde;
    int body;            // 1 to 4
    double uLo, uHi;     // where this instant puts the satellite's U
    double wantKey;      // to 0.01
    bool inFront;        // drawn after the planet
    std::vector<int> wantOrder;
};
PRINTS_AS_NAME(KeyRow)

class DepthKeys : public ::testing::TestWithParam<KeyRow> {};

TEST_P(DepthKeys, KeyAndPlaceInOrder)
{
    const KeyRow& r = GetParam();
    const double U = MoonsAt(r.jde).U[r.body - 1];
    ASSERT_GE(U, r.uLo);
    ASSERT_LE(U, r.uHi);

    const Scene s = BuildScene(Input(r.jde, Look{}), StartupBodyTables());
    EXPECT_NEAR(s.Body(r.body).depthKey, r.wantKey, 0.01) << "U = " << U;
    EXPECT_DOUBLE_EQ(s.Body(0).depthKey, 90);

    const std::vector<int> o = OrderOf(s);
    const auto at = [&](int body) { return std::find(o.begin(), o.end(), body) - o.begin(); };
    EXPECT_EQ(at(r.body) > at(0), r.inFront) << "satellite at pick " << at(r.body) << ", planet at " << at(0);
    EXPECT_EQ(o, r.wantOrder);
}

INSTANTIATE_TEST_SUITE_P(
    Scene, DepthKeys,
    ::testing::Values(
        KeyRow{"U350_Key10_InFront", 2461000.6078, 1, 349.9, 350.1, 10.01, true, {2, 3, 0, 1, 4}},
        KeyRow{"UJustBelow0_KeyIsMagnitude", 2461243.0874, 1, -0.36, -0.35, 0.354, true, {4, 2, 3, 0, 1}},
        KeyRow{"UPast360_KeyIsExcess", 2461000.6570, 1, 360.07, 360.08, 0.072, true, {2, 3, 0, 4, 1}},
        KeyRow{"U180_Key180_DrawnFirst", 2461001.5440, 1, 179.99, 180.01, 180.0, false, {1, 3, 2, 0, 4}},
        KeyRow{"UJustBelow90_InFront", 2461001.0976, 1, 89.8, 89.9, 89.81, true, {3, 2, 0, 1, 4}},
        KeyRow{"UJustAbove90_Behind", 2461001.0988, 1, 90.05, 90.06, 90.06, false, {3, 2, 1, 0, 4}},
        KeyRow{"U94_Behind", 2461005.3584, 4, 94.5, 94.51, 94.50, false, {1, 4, 0, 2, 3}},
        KeyRow{"U263_Key97_Behind", 2461013.1660, 4, 263.0, 263.01, 97.00, false, {4, 0, 3, 1, 2}}),
    [](const auto& i) { return std::string(i.param.name); });

// Behind the planet or in front of it as the precise theory places each
// satellite, away from the moments it passes the planet's side (where the two
// theories may differ by a degree): behind, drawn before the planet.
TEST(SceneOrder, SatellitesBehindThePlanetFirstThoseInFrontAfterIt)
{
    int checked = 0;
    for (int n = 0; n < 300; ++n) {
        const double jde = 2460000.5 + n * 0.731;
        const std::vector<int> o = OrderOf(BuildScene(Input(jde, Look{}), StartupBodyTables()));
        const GalileanSky sky = ComputeGalileanSky(jde);
        const auto planet = std::find(o.begin(), o.end(), 0) - o.begin();
        for (int i = 1; i <= 4; ++i) {
            const double depth = sky.moon[i - 1].fromEarth.depth;  // away from the Earth
            if (std::fabs(depth) < 0.5)
                continue;
            EXPECT_EQ(std::find(o.begin(), o.end(), i) - o.begin() < planet, depth > 0) << "jde " << jde << " " << i;
            ++checked;
        }
    }
    EXPECT_GT(checked, 1000);
}

// ---- drawing offsets ----------------------------------------------------------

TEST(SceneOffsets, RoundedToNearestAndPointReflectedBetweenViews)
{
    for (float ws : {1.0f, 0.7f, 1.37f}) {
        for (int n = 0; n < 100; ++n) {
            const double jde = 2459500.25 + n * 1.913;
            const MoonPositions m = MoonsAt(jde);
            Look l;
            l.WinScale = ws;
            l.inverted = false;
            const Scene erect = BuildScene(Input(jde, l), StartupBodyTables());
            l.inverted = true;
            const Scene inv = BuildScene(Input(jde, l), StartupBodyTables());
            EXPECT_EQ(erect.Body(0).x, 0);
            EXPECT_EQ(erect.Body(0).y, 0);
            for (int i = 1; i <= 4; ++i) {
                EXPECT_LE(std::fabs(erect.Body(i).x - m.X[i - 1] * 200 * ws), 0.5) << "ws " << ws << " body " << i;
                EXPECT_LE(std::fabs(erect.Body(i).y + m.Y[i - 1] * 200 * ws), 0.5) << "ws " << ws << " body " << i;
                EXPECT_EQ(inv.Body(i).x, -erect.Body(i).x) << "jde " << jde << " body " << i;
                EXPECT_EQ(inv.Body(i).y, -erect.Body(i).y) << "jde " << jde << " body " << i;
            }
        }
    }
}

struct FarRow {
    const char* name;
    double jde;
    float WinScale;
    int32_t wantErectX;  // Callisto, about 26.36 radii out
};
PRINTS_AS_NAME(FarRow)

class CallistoAtElongation : public ::testing::TestWithParam<FarRow> {};

TEST_P(CallistoAtElongation, TwoHundredTwipsPerRadius)
{
    const FarRow& r = GetParam();
    ASSERT_NEAR(std::fabs(MoonsAt(r.jde).X[3]), 26.36, 0.001);
    Look l;
    l.WinScale = r.WinScale;
    l.inverted = false;
    EXPECT_EQ(BuildScene(Input(r.jde, l), StartupBodyTables()).Body(4).x, r.wantErectX);
    l.inverted = true;
    EXPECT_EQ(BuildScene(Input(r.jde, l), StartupBodyTables()).Body(4).x, -r.wantErectX);
}

INSTANTIATE_TEST_SUITE_P(Scene, CallistoAtElongation,
                         ::testing::Values(FarRow{"East_WinScale1", 2462060.0751, 1.0f, 5272},
                                           FarRow{"West_WinScale1", 2461013.1660, 1.0f, -5272},
                                           FarRow{"East_WinScale07", 2462060.0751, 0.7f, 3690}),
                         [](const auto& i) { return std::string(i.param.name); });

TEST(SceneOffsets, WinScaleZeroGivesZeroOffsetsAndIsRepairedForTheBelts)
{
    Look l;
    l.WinScale = 0;
    const Scene s = BuildScene(Input(2461001.5440, l), StartupBodyTables());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(s.Body(i).x, 0) << "body " << i;
        EXPECT_EQ(s.Body(i).y, 0) << "body " << i;
    }
    EXPECT_EQ(s.WinScale, 1.0f);
    const std::vector<Shape> shapes = ResolveShapes(s.ops, kFore1, kFore2);
    const Parts p = Split(s, shapes);
    ASSERT_NE(p.belt[0], nullptr);
    EXPECT_NEAR(p.belt[0]->x2 - p.belt[0]->x1, 300, 1e-3);
}

// ---- the planet, its belts, the satellites and their numerals ---------------

struct BodyRow {
    const char* name;
    bool inverted;
    float WinScale;
    int32_t Magnify;
    int32_t planetSize;
};
PRINTS_AS_NAME(BodyRow)

class SceneBodies : public ::testing::TestWithParam<BodyRow> {};

TEST_P(SceneBodies, PlanetBeltsSatellitesAndLabels)
{
    const BodyRow& r = GetParam();
    BodyTables t = StartupBodyTables();
    t.BodySize[0] = r.planetSize;
    t.BodySize[3] = 112;
    Look l;
    l.inverted = r.inverted;
    l.WinScale = r.WinScale;
    l.Magnify = r.Magnify;
    const double jde = 2461001.5440;  // I, III, II behind the planet, IV in front
    const Scene s = BuildScene(Input(jde, l), t);
    const std::vector<Shape> shapes = ResolveShapes(s.ops, kFore1, kFore2);
    const Parts p = Split(s, shapes);
    ASSERT_TRUE(p.disk[0] && p.belt[0] && p.belt[1]);

    const double Px = r.Magnify * 6030.0, Py = r.Magnify * 510.0;
    const double k = static_cast<double>(r.WinScale) * r.Magnify;
    static const char* const kNumeral[5] = {"", "\u2160", "\u2161", "\u2162", "\u2163"};
    const Shape& planet = *p.disk[0];
    EXPECT_DOUBLE_EQ(planet.cx, Px);
    EXPECT_DOUBLE_EQ(planet.cy, Py);
    EXPECT_DOUBLE_EQ(planet.rx, r.planetSize);
    EXPECT_NEAR(planet.ry, 0.94 * r.planetSize, 1e-3);
    EXPECT_TRUE(planet.filled);
    EXPECT_EQ(planet.fill, 0x4FBEFFu);
    EXPECT_EQ(planet.outline, 0x4FBEFFu);

    // Belt 1 below the centre, belt 2 above it, in both views.
    const double wantY[2][2] = {{30, 50}, {-40, -20}};
    for (int b = 0; b < 2; ++b) {
        const Shape& box = *p.belt[b];
        EXPECT_EQ(box.fill, 0x80u) << "belt " << b + 1;
        EXPECT_NEAR(std::min(box.x1, box.x2), Px - 160 * k, 1e-3) << "belt " << b + 1;
        EXPECT_NEAR(std::max(box.x1, box.x2), Px + 140 * k, 1e-3) << "belt " << b + 1;
        EXPECT_NEAR(std::min(box.y1, box.y2), Py + wantY[b][0] * k, 1e-3) << "belt " << b + 1;
        EXPECT_NEAR(std::max(box.y1, box.y2), Py + wantY[b][1] * k, 1e-3) << "belt " << b + 1;
    }

    for (int i = 1; i <= 4; ++i) {
        ASSERT_TRUE(p.disk[i] && p.label[i]) << "body " << i;
        const Shape& d = *p.disk[i];
        EXPECT_DOUBLE_EQ(d.cx, Px + r.Magnify * s.Body(i).x) << "body " << i;
        EXPECT_DOUBLE_EQ(d.cy, Py + r.Magnify * s.Body(i).y) << "body " << i;
        EXPECT_DOUBLE_EQ(d.rx, t.BodySize[i]) << "body " << i;
        EXPECT_DOUBLE_EQ(d.ry, t.BodySize[i]) << "body " << i;
        EXPECT_EQ(d.fill, t.BodyColor[i]) << "body " << i;
        // White once any body has been drawn; the first keeps the surface's own.
        EXPECT_EQ(d.outline, s.bodies[0].index == i ? kFore1 : 0xFFFFFFu) << "body " << i;

        const Shape& label = *p.label[i];
        EXPECT_EQ(label.text, kNumeral[i]);
        EXPECT_NEAR(label.x1, d.cx - 80, 1e-3) << "body " << i;
        EXPECT_EQ(label.y1, 0) << "body " << i;
        EXPECT_EQ(label.outline, kFore2) << "body " << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Scene, SceneBodies,
                         ::testing::Values(BodyRow{"Inverted_Wide", true, 1.0f, 1, 190},
                                           BodyRow{"Erect_Magnify4", false, 1.0f, 4, 760},
                                           BodyRow{"Erect_WinScale07", false, 0.7f, 1, 133},
                                           BodyRow{"Inverted_WinScale07_Magnify3", true, 0.7f, 3, 399}),
                         [](const auto& i) { return std::string(i.param.name); });

// ---- the Great Red Spot -------------------------------------------------------

struct RuleRow {
    const char* name;
    double M, G;
    bool drawn;
    double wantDelta;
};
PRINTS_AS_NAME(RuleRow)

class SpotRules : public ::testing::TestWithParam<RuleRow> {};

TEST_P(SpotRules, SignedDifferenceOrFarSide)
{
    const RuleRow& r = GetParam();
    double delta = 12345;
    EXPECT_EQ(SpotDelta(r.M, r.G, delta), r.drawn) << "M " << r.M << " G " << r.G << " delta " << delta;
    if (r.drawn) {
        EXPECT_NEAR(delta, r.wantDelta, 1e-9);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scene, SpotRules,
    ::testing::Values(RuleRow{"MeridianPast0_G350_M10", 10, 350, true, 20},
                      RuleRow{"SpotPast0_G10_M350", 350, 10, true, -20},
                      RuleRow{"Direct_MeridianOnSpot", 123.4, 123.4, true, 0},
                      RuleRow{"Direct_Exactly90Ahead", 190, 100, true, 90},
                      RuleRow{"Direct_Exactly90Behind", 10, 100, true, -90},
                      RuleRow{"Direct_90Point5_Hidden", 190.5, 100, false, 0},
                      RuleRow{"FarSide_G80_M280", 280, 80, false, 0},
                      RuleRow{"MeridianPast0_Bound_G270_M0", 0, 270, true, 90},
                      RuleRow{"MeridianPast0_OneTooFar_G300_M31", 31, 300, false, 0},
                      RuleRow{"SpotPast0_Bound_G90_M360", 360, 90, true, -90},
                      RuleRow{"SpotPast0_OneTooFar_G5_M274", 274, 5, false, 0},
                      RuleRow{"MeridianJustBelow0_G350", -0.3, 350, true, 9.7},
                      RuleRow{"MeridianJustBelow0_G0", -0.3, 0, true, -0.3},
                      RuleRow{"MeridianJustBelow0_FarSide_G180", -0.3, 180, false, 0}),
    [](const auto& i) { return std::string(i.param.name); });

struct SpotRow {
    const char* name;
    bool inverted;
    float WinScale;
    int32_t Magnify;
    int32_t S;
    double CM2, Grs;
    double wantDx, wantDy;  // spot centre from the planet's centre
};
PRINTS_AS_NAME(SpotRow)

class SpotPlace : public ::testing::TestWithParam<SpotRow> {};

TEST_P(SpotPlace, CentreSizeAndColours)
{
    const SpotRow& r = GetParam();
    BodyTables t = StartupBodyTables();
    t.BodySize[0] = r.S;
    Look l;
    l.inverted = r.inverted;
    l.WinScale = r.WinScale;
    l.Magnify = r.Magnify;
    l.CM2 = r.CM2;
    l.Grs = r.Grs;
    const Scene s = BuildScene(Input(2461001.5440, l), t);
    ASSERT_TRUE(s.spotDrawn);
    const std::vector<Shape> shapes = ResolveShapes(s.ops, kFore1, kFore2);
    const Parts p = Split(s, shapes);
    ASSERT_NE(p.spot, nullptr);
    EXPECT_NEAR(p.spot->cx - p.disk[0]->cx, r.wantDx, 0.005);
    EXPECT_NEAR(p.spot->cy - p.disk[0]->cy, r.wantDy, 0.005);
    EXPECT_NEAR(p.spot->rx, r.S / 4.0, 1e-4);
    EXPECT_NEAR(p.spot->ry, r.S / 5.0, 1e-4);
    EXPECT_TRUE(p.spot->filled);
    EXPECT_EQ(p.spot->fill, 0xFFu);
    EXPECT_EQ(p.spot->outline, 0x4FBEFFu);
}

INSTANTIATE_TEST_SUITE_P(
    Scene, SpotPlace,
    ::testing::Values(SpotRow{"Erect_OnMeridian", false, 1.0f, 1, 190, 100, 100, 4.2857, 70},
                      SpotRow{"Inverted_OnMeridian", true, 1.0f, 1, 190, 100, 100, 4.2857, -70},
                      SpotRow{"Erect_90Ahead", false, 1.0f, 1, 190, 190, 100, 175.2857, 70},
                      SpotRow{"Inverted_90Ahead", true, 1.0f, 1, 190, 190, 100, -166.7142, -70},
                      SpotRow{"Erect_90Behind", false, 1.0f, 1, 190, 10, 100, -166.7142, 70},
                      SpotRow{"Erect_Magnify4", false, 1.0f, 4, 760, 42, 42, 17.1429, 280},
                      SpotRow{"Inverted_Magnify4", true, 1.0f, 4, 760, 42, 42, 17.1429, -280},
                      SpotRow{"Inverted_WinScale07", true, 0.7f, 1, 133, 42, 42, 3.0, -49}),
    [](const auto& i) { return std::string(i.param.name); });

struct MeridianRow {
    const char* name;
    double CM2, Grs;
    bool drawn;
    double wantDelta;
    double wantCM2After;
};
PRINTS_AS_NAME(MeridianRow)

class SpotMeridian : public ::testing::TestWithParam<MeridianRow> {};

TEST_P(SpotMeridian, TurnRemovedAboveOnlyAndSpotBelow0Kept)
{
    const MeridianRow& r = GetParam();
    Look l;
    l.CM2 = r.CM2;
    l.Grs = r.Grs;
    const Scene s = BuildScene(Input(2461001.5440, l), StartupBodyTables());
    EXPECT_EQ(s.spotDrawn, r.drawn);
    if (r.drawn) {
        EXPECT_NEAR(s.spotDelta, r.wantDelta, 1e-9);
    }
    EXPECT_DOUBLE_EQ(s.CM2, r.wantCM2After);
}

INSTANTIATE_TEST_SUITE_P(Scene, SpotMeridian,
                         ::testing::Values(MeridianRow{"M365_DrawnAs5", 365, 5, true, 0, 5},
                                           MeridianRow{"M365_G95_90Behind", 365, 95, true, -90, 5},
                                           MeridianRow{"M360_Kept", 360, 10, true, -10, 360},
                                           MeridianRow{"MJustBelow0_G350_Shown", -0.3, 350, true, 9.7, -0.3},
                                           MeridianRow{"FarSide_NoSpot", 100, 280, false, 0, 100}),
                         [](const auto& i) { return std::string(i.param.name); });

// ---- run-time errors ------------------------------------------------------------

TEST(SceneFaults, OverflowAndNonFiniteScaleThrowBeforeDrawing)
{
    Look big;
    big.Magnify = 1 << 20;
    big.CenterX = 1 << 12;
    EXPECT_THROW(BuildScene(Input(2461001.5440, big), StartupBodyTables()), Fault);
    Look nan;
    nan.WinScale = std::nanf("");
    EXPECT_THROW(BuildScene(Input(2461001.5440, nan), StartupBodyTables()), Fault);
}

// ---- shadows and eclipses (when the observer asks for them) -----------------

struct ShadowRow {
    const char* name;
    bool inverted;
    float WinScale;
    int32_t Magnify;
    double wantDx;  // the shadow's centre from its satellite's, twips, for sky dX = +0.5, dY = -0.25
    double wantDy;
};
PRINTS_AS_NAME(ShadowRow)

class SceneShadowsDrawn : public ::testing::TestWithParam<ShadowRow> {};

TEST_P(SceneShadowsDrawn, BlackDiskOnThePlanetUnderTheNearSatelliteClippedToTheDisk)
{
    const ShadowRow& r = GetParam();
    // I, III, II behind the planet, IV in front. The shadows of I and IV fall on
    // the visible face; II is eclipsed.
    SceneShadows sh{};
    sh.seen[0] = sh.seen[3] = true;
    sh.dx[0] = sh.dx[3] = 0.5;
    sh.dy[0] = sh.dy[3] = -0.25;
    sh.eclipsed[1] = true;
    Look l;
    l.inverted = r.inverted;
    l.WinScale = r.WinScale;
    l.Magnify = r.Magnify;
    SceneInput in = Input(2461001.5440, l);
    in.shadows = &sh;
    const BodyTables t = StartupBodyTables();
    const Scene s = BuildScene(in, t);
    const std::vector<Shape> shapes = ResolveShapes(s.ops, kFore1, kFore2);

    // Kinds drawn on the sky, in order: the three far satellites, the planet
    // and its two belts, then per shadow a clip, its disk and the clip's end,
    // and last the near satellite.
    std::vector<const Shape*> sky;
    for (const Shape& x : shapes)
        if (x.surface == 1)
            sky.push_back(&x);
    ASSERT_EQ(sky.size(), 13u);
    const Shape::Kind want[13] = {Shape::Ellipse, Shape::Ellipse, Shape::Ellipse, Shape::Ellipse, Shape::Box,
                                  Shape::Box,     Shape::Clip,    Shape::Ellipse, Shape::Unclip,  Shape::Clip,
                                  Shape::Ellipse, Shape::Unclip,  Shape::Ellipse};
    for (int n = 0; n < 13; ++n)
        EXPECT_EQ(sky[n]->kind, want[n]) << "shape " << n;

    const double Px = r.Magnify * 6030.0, Py = r.Magnify * 510.0;
    const Shape& planet = *sky[3];
    for (int n : {6, 9}) {  // the clip is the planet's outline
        EXPECT_DOUBLE_EQ(sky[n]->cx, Px);
        EXPECT_DOUBLE_EQ(sky[n]->cy, Py);
        EXPECT_DOUBLE_EQ(sky[n]->rx, planet.rx);
        EXPECT_DOUBLE_EQ(sky[n]->ry, planet.ry);
    }
    const int moonOf[2] = {1, 4};
    const Shape* shadow[2] = {sky[7], sky[10]};
    for (int k = 0; k < 2; ++k) {
        const int i = moonOf[k];
        const double mx = Px + r.Magnify * s.Body(i).x, my = Py + r.Magnify * s.Body(i).y;
        EXPECT_NEAR(shadow[k]->cx, mx + r.wantDx, 1.0 * r.Magnify) << "shadow of " << i;
        EXPECT_NEAR(shadow[k]->cy, my + r.wantDy, 1.0 * r.Magnify) << "shadow of " << i;
        EXPECT_DOUBLE_EQ(shadow[k]->rx, t.BodySize[i]);
        EXPECT_EQ(shadow[k]->fill, 0x000000u);
        EXPECT_EQ(shadow[k]->outline, 0x000000u);
    }
    // The near satellite keeps its colour and a white outline; the eclipsed one is grey.
    EXPECT_EQ(sky[12]->fill, t.BodyColor[4]);
    EXPECT_EQ(sky[12]->outline, 0xFFFFFFu);
    int europa = 0;
    for (const Shape* x : sky) {
        if (x->kind == Shape::Ellipse && std::fabs(x->cx - (Px + r.Magnify * s.Body(2).x)) < 1e-6) {
            EXPECT_EQ(x->fill, 0x404040u);
            ++europa;
        }
    }
    EXPECT_EQ(europa, 1);
    // Four numerals, none for a shadow.
    EXPECT_EQ(shapes.size() - sky.size(), 4u);
}

// Half a radius at 200 twips a radius is 100 twips; a quarter, 50. The erect
// view draws sky X to the right and sky Y upward; the inverted view turns both.
INSTANTIATE_TEST_SUITE_P(Scene, SceneShadowsDrawn,
                         ::testing::Values(ShadowRow{"Erect_Wide", false, 1.0f, 1, 100, 50},
                                           ShadowRow{"Inverted_Wide", true, 1.0f, 1, -100, -50},
                                           ShadowRow{"Erect_Magnify4", false, 1.0f, 4, 400, 200},
                                           ShadowRow{"Inverted_WinScale07_Magnify3", true, 0.7f, 3, -210, -105}),
                         [](const auto& i) { return std::string(i.param.name); });

// ---- precise satellite places --------------------------------------------------

struct PreciseRow {
    const char* name;
    bool inverted;
    float WinScale;
    int32_t Magnify;
    int32_t planetSize;     // the layout's radius, round(WinScale x 190 x Magnify)
    int32_t wantShadowDx;   // half a radius along sky X, round(WinScale x 95), picture sign
};
PRINTS_AS_NAME(PreciseRow)

class PreciseScene : public ::testing::TestWithParam<PreciseRow> {};

TEST_P(PreciseScene, OneRadiusIsOnTheDrawnLimbAndDepthGivesTheOrder)
{
    const PreciseRow& r = GetParam();
    // I one radius west on the equator, in front; II one radius east, behind;
    // III on the north pole's drawn limb (the disk's aspect 0.94), in front;
    // IV far out, farthest behind.
    SatellitePlaces places{{1, -1, 0, 10}, {0, 0, 0.94, 0.5}, {-5, 5, -10, 20}};
    SceneShadows sh{};
    sh.seen[0] = true;
    sh.dx[0] = 0.5;
    Look l;
    l.inverted = r.inverted;
    l.WinScale = r.WinScale;
    l.Magnify = r.Magnify;
    SceneInput in = Input(2461001.5440, l);
    in.places = &places;
    in.shadows = &sh;
    BodyTables t = StartupBodyTables();
    t.BodySize[0] = r.planetSize;
    const Scene s = BuildScene(in, t);

    // Farthest first: IV (20), II (5), the planet, the shadow on it, I (-5), III (-10).
    std::vector<int> order;
    for (const SceneBody& b : s.bodies)
        if (b.kind != SceneBody::Shadow)
            order.push_back(b.index);
    EXPECT_EQ(order, (std::vector<int>{4, 2, 0, 1, 3}));

    std::vector<const Shape*> disks;
    const std::vector<Shape> shapes = ResolveShapes(s.ops, kFore1, kFore2);
    for (const Shape& x : shapes)
        if (x.kind == Shape::Ellipse && x.surface == 1)
            disks.push_back(&x);
    ASSERT_EQ(disks.size(), 6u);  // IV, II, the planet, I's shadow, I, III
    const Shape &planet = *disks[2], &io = *disks[4], &europa = *disks[1], &ganymede = *disks[5];
    EXPECT_EQ(planet.rx, r.planetSize);
    // West is on the right when erect, on the left when inverted; north up
    // when erect. Each offset is rounded to whole twips before the
    // magnification: half a twip times Magnify, and half a twip more.
    const double west = r.inverted ? -1 : 1, north = r.inverted ? 1 : -1, tol = 0.5 * r.Magnify + 0.5;
    EXPECT_NEAR(io.cx, planet.cx + west * planet.rx, tol);
    EXPECT_NEAR(io.cy, planet.cy, tol);
    EXPECT_NEAR(europa.cx, planet.cx - west * planet.rx, tol);
    EXPECT_NEAR(ganymede.cx, planet.cx, tol);
    EXPECT_NEAR(ganymede.cy, planet.cy + north * planet.ry, tol);
    // The shadow beside its satellite on the same scale.
    ASSERT_NE(s.ShadowOf(1), nullptr);
    EXPECT_EQ(s.ShadowOf(1)->x - s.Body(1).x, r.wantShadowDx);
}

INSTANTIATE_TEST_SUITE_P(Scene, PreciseScene,
                         ::testing::Values(PreciseRow{"Erect_Wide", false, 1.0f, 1, 190, 95},
                                           PreciseRow{"Inverted_Wide", true, 1.0f, 1, 190, -95},
                                           PreciseRow{"Erect_Magnify6", false, 1.0f, 6, 1140, 95},
                                           PreciseRow{"Inverted_WinScale07_Magnify3", true, 0.7f, 3, 399, -66}),
                         [](const auto& i) { return std::string(i.param.name); });

// ---- the star diagonal's mirror --------------------------------------------------

struct MirrorRow {
    const char* name;
    bool inverted;
    float WinScale;
    int32_t Magnify;
    bool precise;
};
PRINTS_AS_NAME(MirrorRow)

class MirroredScene : public ::testing::TestWithParam<MirrorRow> {};

TEST_P(MirroredScene, BodiesBeltsAndSpotAreTheMirrorImageAndTheCaptionsSwap)
{
    const MirrorRow& r = GetParam();
    SatellitePlaces places{{3.2, -1.7, 0.4, -20.5}, {0.1, -0.2, 0.05, 1.3}, {-3, 8, 1, -2}};
    SceneShadows sh{};
    sh.seen[0] = sh.seen[2] = true;
    sh.dx[0] = sh.dx[2] = 0.37;
    sh.dy[0] = sh.dy[2] = -0.11;
    Look l;
    l.inverted = r.inverted;
    l.WinScale = r.WinScale;
    l.Magnify = r.Magnify;
    l.CM2 = 40;
    l.Grs = 15;  // the spot drawn, off the meridian
    const double c = r.Magnify * 6030.0;  // the planet's centre, picture x
    for (int n = 0; n < 20; ++n) {
        const double jde = 2460500.5 + n * 0.613;
        SceneInput in = Input(jde, l);
        in.shadows = &sh;
        if (r.precise)
            in.places = &places;
        const Scene plain = BuildScene(in, StartupBodyTables());
        in.mirrored = true;
        const Scene mirror = BuildScene(in, StartupBodyTables());
        SCOPED_TRACE(jde);

        ASSERT_EQ(mirror.bodies.size(), plain.bodies.size());
        for (size_t k = 0; k < plain.bodies.size(); ++k) {
            const SceneBody &p = plain.bodies[k], &m = mirror.bodies[k];
            EXPECT_EQ(m.kind, p.kind);
            EXPECT_EQ(m.index, p.index);
            EXPECT_EQ(m.x, -p.x) << "body " << p.index;
            EXPECT_EQ(m.y, p.y) << "body " << p.index;
            EXPECT_EQ(m.size, p.size);
            EXPECT_EQ(m.color, p.color);
        }
        ASSERT_TRUE(plain.spotDrawn);
        ASSERT_TRUE(mirror.spotDrawn);
        const std::vector<Shape> ps = ResolveShapes(plain.ops, kFore1, kFore2);
        const std::vector<Shape> ms = ResolveShapes(mirror.ops, kFore1, kFore2);
        ASSERT_EQ(ms.size(), ps.size());
        for (size_t k = 0; k < ps.size(); ++k) {
            if (ps[k].surface != 1)
                continue;  // the numerals are printed from their left end
            EXPECT_EQ(ms[k].kind, ps[k].kind) << "shape " << k;
            if (ps[k].kind == Shape::Unclip)
                continue;
            if (ps[k].kind == Shape::Box) {
                EXPECT_NEAR(ms[k].x1, 2 * c - ps[k].x2, 0.01) << "belt " << k;
                EXPECT_NEAR(ms[k].x2, 2 * c - ps[k].x1, 0.01) << "belt " << k;
                EXPECT_EQ(ms[k].y1, ps[k].y1);
                EXPECT_EQ(ms[k].y2, ps[k].y2);
            } else {
                EXPECT_NEAR(ms[k].cx, 2 * c - ps[k].cx, 0.01) << "shape " << k;
                EXPECT_NEAR(ms[k].cy, ps[k].cy, 0.01) << "shape " << k;
                EXPECT_EQ(ms[k].rx, ps[k].rx);
                EXPECT_EQ(ms[k].fill, ps[k].fill);
            }
        }
    }
    // The captions: left and right exchanged, the top kept.
    const ViewOrientation a = OrientationFor(r.inverted), b = OrientationFor(r.inverted, true);
    EXPECT_STREQ(b.left, a.right);
    EXPECT_STREQ(b.right, a.left);
    EXPECT_STREQ(b.top, a.top);
}

INSTANTIATE_TEST_SUITE_P(Scene, MirroredScene,
                         ::testing::Values(MirrorRow{"Erect_Wide", false, 1.0f, 1, false},
                                           MirrorRow{"Inverted_Wide", true, 1.0f, 1, false},
                                           MirrorRow{"Erect_Magnify6_Precise", false, 1.0f, 6, true},
                                           MirrorRow{"Inverted_WinScale07_Magnify4_Precise", true, 0.7f, 4, true}),
                         [](const auto& i) { return std::string(i.param.name); });

}  // namespace
}  // namespace veltrax
