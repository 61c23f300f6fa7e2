// SPDX-License-Identifier: GPL-3.0-or-later
// The precise satellite theory and the site's sky: offsets against a modern
// theory's reference file, the Sun-view quantities by their geometric
// properties, Delta T and the altitudes.
#include "engine/fast_trig.h"
#include "engine/galilean.h"
#include "engine/checked.h"
#include "engine/site.h"

#include "support/mini_json.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

using veltrax::ComputeGalileanSky;
using veltrax::GalileanSky;

minijson::Value Load(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return minijson::Parse(text.str());
}

const minijson::Value& Reference()
{
    static const minijson::Value doc = Load(VELTRAX_TEST_DATA "/satellites.json");
    return doc;
}

const char* const kNames[4] = {"I", "II", "III", "IV"};

// tests/data/satellites.json: 40 moments from 1950 to 2050, offsets from the
// L1.2 theory with VSOP87-class planets (its "about" gives the conventions).
TEST(GalileanReference, EveryOffsetWithin0003Radii)
{
    const auto& moments = Reference()["moments"].array;
    ASSERT_EQ(moments.size(), 40u);
    double worst = 0.0;
    for (const auto& m : moments) {
        const double jdeTT = m["jd_tt"].Num();
        const GalileanSky sky = ComputeGalileanSky(jdeTT);
        for (int i = 0; i < 4; ++i) {
            const auto& want = m["satellites"][i];
            const veltrax::SkyOffset& got = sky.moon[i].fromEarth;
            const double wanted[3] = {want["X"].Num(), want["Y"].Num(), want["depth"].Num()};
            const double gotten[3] = {got.x, got.y, got.depth};
            const char* axis[3] = {"X", "Y", "depth"};
            for (int k = 0; k < 3; ++k) {
                EXPECT_NEAR(gotten[k], wanted[k], 0.003)
                    << m["ut"].Str() << " satellite " << kNames[i] << " " << axis[k]
                    << ": wanted " << wanted[k] << ", got " << gotten[k];
                worst = std::max(worst, std::fabs(gotten[k] - wanted[k]));
            }
        }
    }
    RecordProperty("worst_offset_radii", std::to_string(worst));
    std::cout << "largest difference from the reference: " << worst << " radii\n";
}

// tests/data/sunview.json: the Sun-view offsets with every light time
// iterated on full positions (its "about" says how they were made).
TEST(GalileanSunView, ShadowAndEclipseOffsetsMatchIteratedLightTimes)
{
    const minijson::Value doc = Load(VELTRAX_TEST_DATA "/sunview.json");
    ASSERT_GE(doc["moments"].array.size(), 20u);
    for (const auto& m : doc["moments"].array) {
        const GalileanSky sky = ComputeGalileanSky(m["jd_tt"].Num());
        for (int i = 0; i < 4; ++i) {
            const struct {
                const char* what;
                const minijson::Value& want;
                const veltrax::SkyOffset& got;
            } views[2] = {{"shadow", m["satellites"][i]["shadow"], sky.moon[i].fromSunForShadow},
                          {"eclipse", m["satellites"][i]["eclipse"], sky.moon[i].fromSunForEclipse}};
            for (const auto& v : views) {
                const double got[3] = {v.got.x, v.got.y, v.got.depth};
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(got[k], v.want[k].Num(), 0.003)
                        << "JD " << m["jd_tt"].Num() << " satellite " << kNames[i] << " " << v.what
                        << " component " << k << ": wanted " << v.want[k].Num() << ", got " << got[k];
            }
        }
    }
}

// Properties over five years, every 97 minutes (so the satellites' phases
// sweep through every event).
TEST(GalileanSunView, FlagsAgreeWithTheGeometry)
{
    int eclipses = 0, shadows = 0, seen = 0;
    for (double jde = 2461041.5; jde < 2461041.5 + 1826.0; jde += 97.0 / 1440.0) {
        const GalileanSky sky = ComputeGalileanSky(jde);
        ASSERT_GE(sky.earthLimbB, 0.93);
        ASSERT_LE(sky.earthLimbB, 1.0);
        ASSERT_GE(sky.sunLimbB, 0.93);
        ASSERT_LE(sky.sunLimbB, 1.0);
        for (int i = 0; i < 4; ++i) {
            const veltrax::GalileanSatellite& m = sky.moon[i];
            if (m.inEclipse) {
                ++eclipses;
                // Behind Jupiter from the Sun, and inside the disk as the Sun
                // sees it (the shadow cone widens the disk by under 0.3 %).
                EXPECT_GT(m.fromSunForEclipse.depth, 0.0) << jde << " " << kNames[i];
                EXPECT_LT(veltrax::LimbMeasure(m.fromSunForEclipse, sky.sunLimbB), 0.006) << jde << " " << kNames[i];
            }
            if (m.shadowSeen) {
                ++seen;
                EXPECT_TRUE(m.shadowOnJupiter) << jde << " " << kNames[i];
            }
            if (m.shadowOnJupiter) {
                ++shadows;
                // In front of Jupiter from the Sun, inside its disk, and the
                // shadow's point inside the disk the Earth sees.
                EXPECT_LT(m.fromSunForShadow.depth, 0.0) << jde << " " << kNames[i];
                EXPECT_LT(veltrax::LimbMeasure(m.fromSunForShadow, sky.sunLimbB), 0.006) << jde << " " << kNames[i];
                EXPECT_LT(veltrax::LimbMeasure({m.shadowX, m.shadowY, 0.0}, sky.earthLimbB), 1e-9)
                    << jde << " " << kNames[i];
            }
        }
    }
    // Each flag turns up (Io alone is eclipsed for about a twentieth of the time).
    EXPECT_GT(eclipses, 500);
    EXPECT_GT(shadows, 250);
    EXPECT_GT(seen, 250);
}

// Io crosses Jupiter's shadow and casts its own across the disk in about
// 2 h 18 min: the chord 2 asin(1 / 5.90) = 0.340 rad of its 1.769-day orbit at
// 5.90 equatorial radii, 0.340 / 2 pi x 42.46 h = 2.30 h, for a path near the
// equator (the Sun stands within 1 degree of Jupiter's equator in 2026).
TEST(GalileanSunView, IoEclipseAndShadowTransitLastAbout2h18)
{
    // One minute steps over Io's orbit from 2026 December 8.0 TT.
    const double start = 2461382.5;
    double firstEclipse = 0, lastEclipse = 0, firstShadow = 0, lastShadow = 0;
    bool eclipseBefore = true, shadowBefore = true;  // skip a run cut at the start
    for (int minute = 0; minute < 1.77 * 1440; ++minute) {
        const double jde = start + minute / 1440.0;
        const veltrax::GalileanSatellite io = ComputeGalileanSky(jde).moon[0];
        if (io.inEclipse && !eclipseBefore && firstEclipse == 0)
            firstEclipse = jde;
        if (!io.inEclipse && eclipseBefore && firstEclipse != 0 && lastEclipse == 0)
            lastEclipse = jde;
        if (io.shadowOnJupiter && !shadowBefore && firstShadow == 0)
            firstShadow = jde;
        if (!io.shadowOnJupiter && shadowBefore && firstShadow != 0 && lastShadow == 0)
            lastShadow = jde;
        eclipseBefore = io.inEclipse;
        shadowBefore = io.shadowOnJupiter;
    }
    ASSERT_NE(lastEclipse, 0.0);
    ASSERT_NE(lastShadow, 0.0);
    EXPECT_NEAR((lastEclipse - firstEclipse) * 1440.0, 138.0, 4.0);
    EXPECT_NEAR((lastShadow - firstShadow) * 1440.0, 138.0, 4.0);
}

// The shadow's point against the limb test on the Sun's view: the ray from
// the Sun's centre meets the spheroid exactly when the satellite's apparent
// offset seen from the Sun is inside the disk.
TEST(GalileanSunView, ShadowOnJupiterMatchesTheSunsLimb)
{
    int checked = 0;
    for (double jde = 2461041.5; jde < 2461041.5 + 200.0; jde += 13.0 / 1440.0) {
        const GalileanSky sky = ComputeGalileanSky(jde);
        for (int i = 0; i < 4; ++i) {
            const veltrax::SkyOffset& p = sky.moon[i].fromSunForShadow;
            const double measure = veltrax::LimbMeasure(veltrax::ApparentOffset(p, sky.sunDistanceAu), sky.sunLimbB);
            if (p.depth > 0.0 || std::fabs(measure) < 1e-4)
                continue;  // behind, or too near the limb to call
            EXPECT_EQ(sky.moon[i].shadowOnJupiter, measure < 0.0) << jde << " " << kNames[i];
            ++checked;
        }
    }
    EXPECT_GT(checked, 5000);
}

// Julian Day of an ISO 8601 UT moment "YYYY-MM-DDTHH:MM:SSZ" (Gregorian):
// whole days from 2000-01-01 counted by the usual civil-calendar rule, then
// JD 2451544.5 for that midnight.
double JdFromIso(const std::string& iso)
{
    int y = std::stoi(iso.substr(0, 4));
    const int m = std::stoi(iso.substr(5, 2));
    const int d = std::stoi(iso.substr(8, 2));
    const double secs = std::stoi(iso.substr(11, 2)) * 3600.0 + std::stoi(iso.substr(14, 2)) * 60.0
                        + std::stoi(iso.substr(17, 2));
    y -= m <= 2;
    const int era = y / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long days = era * 146097L + doe - 730425L;  // 730425: 0000-03-01 to 2000-01-01
    return 2451544.5 + days + secs / 86400.0;
}

TEST(SiteTime, JdFromIsoHelper)
{
    EXPECT_EQ(JdFromIso("2000-01-01T12:00:00Z"), 2451545.0);
    EXPECT_EQ(JdFromIso("1950-03-01T00:00:00Z"), 2433341.5);  // JD of 1950 March 1.0
}

// Observed TT - UT (IERS; the Astronomical Almanac's table), seconds, and the
// issue's 69.2 s for 2026; the fits stay within half a second of them.
TEST(SiteTime, DeltaTNearObservedValues)
{
    const struct {
        const char* when;
        double seconds;
        double tolerance;
    } cases[] = {
        {"1955-01-01T00:00:00Z", 31.1, 0.5}, {"1960-01-01T00:00:00Z", 33.2, 0.5},
        {"1970-01-01T00:00:00Z", 40.2, 0.5}, {"1980-01-01T00:00:00Z", 50.5, 0.5},
        {"1990-01-01T00:00:00Z", 56.9, 0.5}, {"2000-01-01T00:00:00Z", 63.8, 0.5},
        {"2010-01-01T00:00:00Z", 66.1, 0.2}, {"2020-01-01T00:00:00Z", 69.4, 0.2},
        {"2026-01-01T00:00:00Z", 69.2, 0.05}, {"2026-12-09T00:00:00Z", 69.2, 0.3},
    };
    for (const auto& c : cases)
        EXPECT_NEAR(veltrax::DeltaTSeconds(JdFromIso(c.when)), c.seconds, c.tolerance) << c.when;
}

// Continuous and slowly varying from 1600 to 2200 (no jump of a second
// between fits), and UT -> TT -> UT returns the moment.
TEST(SiteTime, DeltaTContinuousAndRoundTrips)
{
    double previous = veltrax::DeltaTSeconds(JdFromIso("1600-01-01T00:00:00Z"));
    for (double jd = JdFromIso("1600-01-01T00:00:00Z") + 5.0; jd < JdFromIso("2200-01-01T00:00:00Z"); jd += 5.0) {
        const double dt = veltrax::DeltaTSeconds(jd);
        ASSERT_LT(std::fabs(dt - previous), 0.5) << "JD " << jd;
        previous = dt;
        EXPECT_NEAR(veltrax::JdUTFromTT(veltrax::JdTTFromUT(jd)), jd, 1e-9) << "JD " << jd;
    }
    EXPECT_NEAR((veltrax::JdTTFromUT(2461383.5) - 2461383.5) * 86400.0, veltrax::DeltaTSeconds(2461383.5), 1e-4);
}

// tests/data/satellites.json "altitudes": Tokyo and Sydney, 2026 December 9
// and 10, every three hours; within 0.2 degree.
TEST(SiteAltitudes, MatchTheReferenceWithin02Degree)
{
    std::map<std::string, veltrax::Site> sites;
    for (const auto& s : Reference()["sites"].array)
        sites[s["name"].Str()] = {s["latitude"].Num(), s["longitude"].Num(), s["height"].Num()};
    const auto& rows = Reference()["altitudes"].array;
    ASSERT_EQ(rows.size(), 32u);
    double worst = 0.0;
    for (const auto& r : rows) {
        const veltrax::SkyAltitudes got = veltrax::ComputeAltitudes(JdFromIso(r["ut"].Str()), sites.at(r["site"].Str()));
        EXPECT_NEAR(got.jupiterDeg, r["jupiter_alt"].Num(), 0.2)
            << r["site"].Str() << " " << r["ut"].Str() << " Jupiter: wanted " << r["jupiter_alt"].Num() << ", got " << got.jupiterDeg;
        EXPECT_NEAR(got.sunDeg, r["sun_alt"].Num(), 0.2)
            << r["site"].Str() << " " << r["ut"].Str() << " Sun: wanted " << r["sun_alt"].Num() << ", got " << got.sunDeg;
        worst = std::max({worst, std::fabs(got.jupiterDeg - r["jupiter_alt"].Num()), std::fabs(got.sunDeg - r["sun_alt"].Num())});
    }
    std::cout << "largest altitude difference: " << worst << " deg\n";
}

// The series' sine and cosine against the C library's, over the arguments
// the theories reach (Io's mean longitude passes 1.3e5 radians by 2050).
TEST(FastTrig, AgreesWithTheLibrary)
{
    for (double x : {0.0, 0.785398, -0.785399, 1.5707963267948966, 3.14159, -2.5, 100.25, 6283.0758, -45678.9, 130000.123, 999999.5}) {
        const veltrax::SinCos sc = veltrax::FastSinCos(x);
        EXPECT_NEAR(sc.sin, std::sin(x), 2e-15) << x;
        EXPECT_NEAR(sc.cos, std::cos(x), 2e-15) << x;
    }
}

// Moments the theories do not cover are faults, never undefined arithmetic.
TEST(GalileanRange, OutsideTheYearsOrNotANumberIsAFault)
{
    for (double jd : {std::nan(""), 1e300, -1e300, 2086302.0, 2816788.0}) {
        EXPECT_THROW(ComputeGalileanSky(jd), veltrax::Fault) << jd;
        EXPECT_THROW(veltrax::ComputeAltitudes(jd, {35.68, 139.77, 40.0}), veltrax::Fault) << jd;
    }
    EXPECT_NO_THROW(ComputeGalileanSky(2086303.0));
    EXPECT_NO_THROW(ComputeGalileanSky(2816787.0));
}

}  // namespace
