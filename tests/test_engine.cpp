// SPDX-License-Identifier: GPL-3.0-or-later
// The ephemeris engine against outside reference points and calendar counts,
// and the checked integer conversions it relies on.
#include "engine/checked.h"
#include "engine/engine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

namespace veltrax {
namespace {

constexpr double kDayTol = 1e-7;      // days (under 10 ms): Julian Days near 2.4e6
constexpr double kAngleTol = 1e-9;    // degrees
constexpr double kRadianTol = 1e-12;  // radians
constexpr double kAuTol = 1e-4;       // AU, closeness of the opposition geometry
constexpr double kPi = 3.14159265358979323846;

// ---- an independent calendar count ------------------------------------------

int64_t FloorDiv(int64_t a, int64_t b)
{
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Day of a March-based year: 1 March is 0.
int64_t DayOfYearFromMarch(int m, int d)
{
    return (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
}

// Julian Day at 0 h of a proleptic Gregorian date (1970-01-01 is 2440587.5).
double GregorianJD(int64_t y, int m, int d)
{
    y -= m <= 2;
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + DayOfYearFromMarch(m, d);
    return static_cast<double>(era * 146097 + doe - 719468) + 2440587.5;
}

// Julian Day at 0 h of a proleptic Julian-calendar date (-4712-01-01 12 h is 0).
double JulianJD(int64_t y, int m, int d)
{
    auto count = [](int64_t yy, int mm, int dd) {
        yy -= mm <= 2;
        const int64_t era = FloorDiv(yy, 4);
        return era * 1461 + (yy - era * 4) * 365 + DayOfYearFromMarch(mm, dd);
    };
    return static_cast<double>(count(y, m, d) - count(-4712, 1, 1)) - 0.5;
}

// Dynamical time from the Universal Time Julian Day: the linear TT - UT.
double WithDeltaT(double jd)
{
    return jd + ((jd - 2451545.0) / 36525 + 1) * 0.0007316;
}

struct Date {
    int y, m, d;
};

bool operator==(const Date& a, const Date& b) { return a.y == b.y && a.m == b.m && a.d == b.d; }

Date NextDay(Date t, bool gregorian)
{
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = gregorian ? (t.y % 4 == 0 && (t.y % 100 != 0 || t.y % 400 == 0)) : (t.y % 4 == 0);
    const int len = (t.m == 2 && leap) ? 29 : kDays[t.m - 1];
    if (++t.d > len) {
        t.d = 1;
        if (++t.m > 12) {
            t.m = 1;
            ++t.y;
        }
    }
    return t;
}

// ---- CalcJD ------------------------------------------------------------------

struct JdPoint {
    const char* name;
    double year, month, day;
    double wanted;  // JDE
};

void PrintTo(const JdPoint& r, std::ostream* os) { *os << r.name; }

class CalcJDPoints : public testing::TestWithParam<JdPoint> {};

TEST_P(CalcJDPoints, MatchesReference)
{
    const JdPoint& p = GetParam();
    EXPECT_NEAR(CalcJD(p.year, p.month, p.day), p.wanted, kDayTol);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, CalcJDPoints,
    testing::Values(
        JdPoint{"J2000_noon", 2000, 1, 1.5, 2451545.0 + 0.0007316},
        JdPoint{"Jan0_1900_noon_has_no_deltaT", 1900, 1, 0.5, 2415020.0},
        JdPoint{"Oct4_1582_julian", 1582, 10, 4, WithDeltaT(2299159.5)},
        JdPoint{"Oct15_1582_gregorian_is_the_next_day", 1582, 10, 15, WithDeltaT(2299160.5)},
        JdPoint{"Oct10_1582_counted_julian", 1582, 10, 10, WithDeltaT(2299165.5)},
        JdPoint{"last_moment_of_Oct14_1582_julian", 1582, 10, 14.999, WithDeltaT(2299169.5 + 0.999)},
        JdPoint{"Jan1_1583_gregorian_by_the_year_passed", 1583, 1, 1, WithDeltaT(2299238.5)},
        JdPoint{"year_minus1_March_floor_not_trunc", -1, 3, 1, WithDeltaT(JulianJD(-1, 3, 1))},
        JdPoint{"year_minus1_January_floor_not_trunc", -1, 1, 1, WithDeltaT(JulianJD(-1, 1, 1))},
        JdPoint{"year0_Feb29_julian_leap", 0, 2, 29, WithDeltaT(JulianJD(0, 2, 29))},
        JdPoint{"julian_epoch", -4712, 1, 1.5, WithDeltaT(0.0)},
        JdPoint{"day0_is_the_last_of_the_month_before", 2021, 3, 0, WithDeltaT(GregorianJD(2021, 2, 28))},
        JdPoint{"day_past_the_month_continues", 2021, 2, 30.5, WithDeltaT(GregorianJD(2021, 3, 2) + 0.5)},
        JdPoint{"year_8500_end", 8500, 12, 31.75, WithDeltaT(GregorianJD(8500, 12, 31) + 0.75)}),
    [](const testing::TestParamInfo<JdPoint>& i) { return std::string(i.param.name); });

struct DayRange {
    const char* name;
    Date first, last;
    bool gregorian;
};

void PrintTo(const DayRange& r, std::ostream* os) { *os << r.name; }

class CalcJDDayByDay : public testing::TestWithParam<DayRange> {};

// Every day of the range, at 0 h and at 18 h, against an independent count;
// the ranges hold the leap days (and missing leap days) of both calendars.
TEST_P(CalcJDDayByDay, FollowsTheCalendar)
{
    const DayRange& r = GetParam();
    int days = 0;
    for (Date t = r.first;; t = NextDay(t, r.gregorian), ++days) {
        const double jd0 = r.gregorian ? GregorianJD(t.y, t.m, t.d) : JulianJD(t.y, t.m, t.d);
        for (double frac : {0.0, 0.75}) {
            const double got = CalcJD(t.y, t.m, t.d + frac);
            EXPECT_NEAR(got, WithDeltaT(jd0 + frac), kDayTol) << t.y << "-" << t.m << "-" << t.d << " + " << frac;
        }
        if (HasFailure() || t == r.last)
            break;
    }
    EXPECT_GT(days, 300);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, CalcJDDayByDay,
    testing::Values(
        DayRange{"julian_around_year_0", {-5, 1, 1}, {5, 12, 31}, false},
        DayRange{"julian_century_minus100_is_leap", {-101, 1, 1}, {-99, 12, 31}, false},
        DayRange{"julian_1500_is_leap", {1499, 1, 1}, {1501, 12, 31}, false},
        DayRange{"julian_up_to_Oct14_1582", {1580, 1, 1}, {1582, 10, 14}, false},
        DayRange{"gregorian_from_Oct15_1582", {1582, 10, 15}, {1584, 12, 31}, true},
        DayRange{"gregorian_1700_not_leap", {1699, 1, 1}, {1701, 12, 31}, true},
        DayRange{"gregorian_1900_not_leap", {1899, 1, 1}, {1901, 12, 31}, true},
        DayRange{"gregorian_2000_leap", {1999, 1, 1}, {2001, 12, 31}, true},
        DayRange{"gregorian_2100_not_leap", {2099, 1, 1}, {2101, 12, 31}, true},
        DayRange{"gregorian_8500", {8499, 1, 1}, {8500, 12, 31}, true}),
    [](const testing::TestParamInfo<DayRange>& i) { return std::string(i.param.name); });

TEST(CalcJD, FaultsInsteadOfOverflow)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_THROW(CalcJD(-2147483648.0, 1, 1), Fault);  // the year before it is out of range
    EXPECT_THROW(CalcJD(3e9, 6, 1), Fault);
    EXPECT_THROW(CalcJD(2021, nan, 1), Fault);
    EXPECT_THROW(CalcJD(2021, 6, nan), Fault);
    EXPECT_THROW(CalcJD(2021, 6, HUGE_VAL), Fault);
}

// ---- angle helpers -------------------------------------------------------------

struct AnglePoint {
    const char* name;
    double x, wanted, tol;
};

void PrintTo(const AnglePoint& r, std::ostream* os) { *os << r.name; }

class NormalizeDegPoints : public testing::TestWithParam<AnglePoint> {};

TEST_P(NormalizeDegPoints, ReducesToOneTurn)
{
    const AnglePoint& p = GetParam();
    EXPECT_NEAR(NormalizeDeg(p.x), p.wanted, p.tol);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, NormalizeDegPoints,
    testing::Values(AnglePoint{"zero", 0, 0, 0}, AnglePoint{"full_turn_is_0", 360, 0, 0},
                    AnglePoint{"minus_30_is_330", -30, 330, kAngleTol},
                    AnglePoint{"730_is_10", 730, 10, kAngleTol},
                    AnglePoint{"minus_719_5", -719.5, 0.5, kAngleTol},
                    AnglePoint{"tiny_negative_is_exactly_360", -1e-20, 360, 0}),
    [](const testing::TestParamInfo<AnglePoint>& i) { return std::string(i.param.name); });

TEST(NormalizeDeg, NeverNegativeAndSameDirection)
{
    for (double x = -3.7e6; x < 3.7e6; x += 1234.5678) {
        const double r = NormalizeDeg(x);
        ASSERT_GE(r, 0.0) << "x = " << x;
        ASSERT_LE(r, 360.0) << "x = " << x;
        ASSERT_NEAR(std::remainder(r - x, 360.0), 0.0, 1e-8) << "x = " << x << ", got " << r;
    }
    EXPECT_THROW(NormalizeDeg(HUGE_VAL), Fault);
}

TEST(ArcSin, InverseSineInRadians)
{
    EXPECT_NEAR(ArcSin(0.5), kPi / 6, kRadianTol);
    EXPECT_NEAR(ArcSin(-0.5), -kPi / 6, kRadianTol);
    EXPECT_EQ(ArcSin(0.0), 0.0);
    EXPECT_NEAR(ArcSin(0.999999), std::asin(0.999999), 1e-9);
}

TEST(ArcSin, AtOrBeyondOneIsAFault)
{
    for (double x : {1.0, -1.0, 1.0000001, -2.0, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(ArcSin(x), Fault) << "x = " << x;
}

TEST(CalcEqCenter, PeakAndNodes)
{
    EXPECT_NEAR(CalcEqCenter(90), 5.552, kAngleTol);
    EXPECT_NEAR(CalcEqCenter(270), -5.552, kAngleTol);
    EXPECT_NEAR(CalcEqCenter(0), 0.0, kAngleTol);
    EXPECT_NEAR(CalcEqCenter(45), 5.552 * std::sqrt(0.5) + 0.167, kAngleTol);
    // With the literal degree factor, 180 degrees falls 2e-10 rad short of pi.
    EXPECT_NEAR(CalcEqCenter(180), 1.0334e-9, 1e-12);
}

// ---- central meridians and apparent geometry --------------------------------------

// 2021-08-20 03:00 UT, an opposition of Jupiter.
double OppositionJDE() { return CalcJD(2021, 8, 20.125); }

TEST(CalcCentralMeridian, OppositionHasNoPhaseCorrection)
{
    const CentralMeridian cm = CalcCentralMeridian(OppositionJDE());
    EXPECT_GE(cm.PhaseCorr, 0.0);
    EXPECT_LT(cm.PhaseCorr, 0.005);
}

TEST(CalcCentralMeridian, OutputsStayInOneTurnBothSidesOfJ2000)
{
    double largestCorr = 0;
    for (double d = -1.2e6; d <= 1.2e6; d += 987.654321) {
        const CentralMeridian cm = CalcCentralMeridian(2451545.0 + d);
        for (double v : {cm.cm1, cm.cm2, cm.cm3, cm.JupArgJ}) {
            ASSERT_GE(v, 0.0) << "d = " << d;
            ASSERT_LE(v, 360.0) << "d = " << d;
        }
        ASSERT_GE(cm.PhaseCorr, 0.0) << "d = " << d;
        largestCorr = std::max(largestCorr, cm.PhaseCorr);
    }
    // 57.2958 sin^2(i/2) with the phase angle i never above about 12 degrees.
    EXPECT_GT(largestCorr, 0.4);
    EXPECT_LT(largestCorr, 0.65);
}

struct V3 {
    double x, y, z;
};

double Dot(const V3& a, const V3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Mean Keplerian elements (J2000.0 ecliptic; value and rate per century):
// a (AU), e, I, L, longitude of perihelion, node (degrees).
struct Orbit {
    double a, e, I, L, peri, node, da, de, dI, dL, dperi, dnode;
};

// Heliocentric ecliptic position (AU) T Julian centuries from J2000.0.
V3 Heliocentric(const Orbit& o, double T)
{
    const double rad = kPi / 180;
    const double a = o.a + o.da * T, e = o.e + o.de * T, I = (o.I + o.dI * T) * rad;
    const double node = (o.node + o.dnode * T) * rad, peri = (o.peri + o.dperi * T) * rad;
    const double M = std::remainder(o.L + o.dL * T - (o.peri + o.dperi * T), 360.0) * rad;
    double E = M;
    for (int k = 0; k < 20; ++k)
        E -= (E - e * std::sin(E) - M) / (1 - e * std::cos(E));
    const double xp = a * (std::cos(E) - e), yp = a * std::sqrt(1 - e * e) * std::sin(E);
    const double w = peri - node, cw = std::cos(w), sw = std::sin(w);
    const double cn = std::cos(node), sn = std::sin(node), ci = std::cos(I), si = std::sin(I);
    return {(cw * cn - sw * sn * ci) * xp + (-sw * cn - cw * sn * ci) * yp,
            (cw * sn + sw * cn * ci) * xp + (-sw * sn + cw * cn * ci) * yp, sw * si * xp + cw * si * yp};
}

// The geometry against positions from mean orbital elements and Jupiter's
// pole; also the phase correction of the J2000.0 theory, which is
// 57.2958 sin^2(psi/2) with the phase angle of the 1900 one.
TEST(CalcAspect, AgreesWithKeplerianOrbits)
{
    const Orbit earth{1.00000261, 0.01671123, -0.00001531, 100.46457166, 102.93768193, 0,
                      0.00000562, -0.00004392, -0.01294668, 35999.37244981, 0.32327364, 0};
    const Orbit jupiter{5.20288700, 0.04838624, 1.30439695, 34.39644051, 14.72847983, 100.47390909,
                        -0.00011607, -0.00013253, -0.00183714, 3034.74612775, 0.21252668, 0.20469106};
    constexpr double kSunDistTol = 2e-4;  // AU
    constexpr double kJupDistTol = 5e-3;  // AU; the mean orbits leave out the great inequality
    constexpr double kDeclTol = 0.08;     // degrees
    constexpr double kPhaseTol = 0.5;  // degrees
    constexpr double kTheoriesAgree = 0.002;  // degrees
    const double rad = kPi / 180, eps = 23.4392911 * rad;
    for (double jde = 2415020.0; jde < 2488070.0; jde += 37.3) {
        const double T = (jde - 2451545) / 36525;
        const V3 e = Heliocentric(earth, T), j = Heliocentric(jupiter, T);
        const V3 toEarth{e.x - j.x, e.y - j.y, e.z - j.z};
        const double R = std::sqrt(Dot(e, e)), r = std::sqrt(Dot(j, j)), delta = std::sqrt(Dot(toEarth, toEarth));
        const double ra = (268.056595 - 0.006499 * T) * rad, dec = (64.495303 + 0.002413 * T) * rad;
        const V3 poleEq{std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
        const V3 pole{poleEq.x, poleEq.y * std::cos(eps) + poleEq.z * std::sin(eps),
                      -poleEq.y * std::sin(eps) + poleEq.z * std::cos(eps)};

        const JupiterAspect a = CalcAspect(jde - 2415020);
        SCOPED_TRACE("jde " + std::to_string(jde));
        EXPECT_NEAR(a.EarthSunDist, R, kSunDistTol);
        EXPECT_NEAR(a.JupSunDist, r, kJupDistTol);
        EXPECT_NEAR(a.EarthJupDist, delta, kJupDistTol);
        EXPECT_NEAR(std::fabs(a.PhaseAngle), std::acos(-Dot(j, toEarth) / (r * delta)) / rad, kPhaseTol);
        EXPECT_NEAR(a.EarthDecl, std::asin(Dot(pole, toEarth) / delta) / rad, kDeclTol);
        const double s = std::sin(a.PhaseAngle * kDegRad / 2);
        EXPECT_NEAR(CalcCentralMeridian(jde).PhaseCorr, 57.2958 * s * s, kTheoriesAgree);
        if (HasFailure())
            break;
    }
}

TEST(CalcAspect, OppositionGeometry)
{
    const JupiterAspect a = CalcAspect(OppositionJDE() - 2415020);
    EXPECT_NEAR(a.PhaseAngle, 0.0, 0.05);
    EXPECT_NEAR(a.EarthJupDist, a.JupSunDist - a.EarthSunDist, kAuTol);
}

struct PhaseSign {
    const char* name;
    int y, m, d;
    int sign;  // of the phase angle, that of sin K
};

void PrintTo(const PhaseSign& r, std::ostream* os) { *os << r.name; }

class AspectPhaseSign : public testing::TestWithParam<PhaseSign> {};

TEST_P(AspectPhaseSign, FollowsTheSideOfOpposition)
{
    const PhaseSign& p = GetParam();
    const JupiterAspect a = CalcAspect(CalcJD(p.y, p.m, p.d) - 2415020);
    EXPECT_EQ(a.PhaseAngle > 0 ? 1 : -1, p.sign) << "phase angle " << a.PhaseAngle;
    EXPECT_GT(std::fabs(a.PhaseAngle), 1.0);
}

// Conjunctions 2021-01-29 and 2022-03-05, opposition 2021-08-20.
INSTANTIATE_TEST_SUITE_P(
    Engine, AspectPhaseSign,
    testing::Values(PhaseSign{"after_conjunction_2021", 2021, 3, 1, -1},
                    PhaseSign{"before_opposition_2021", 2021, 7, 20, -1},
                    PhaseSign{"after_opposition_2021", 2021, 9, 20, 1},
                    PhaseSign{"before_conjunction_2022", 2022, 2, 1, 1},
                    PhaseSign{"after_conjunction_2022", 2022, 4, 15, -1}),
    [](const testing::TestParamInfo<PhaseSign>& i) { return std::string(i.param.name); });

// ---- satellites ------------------------------------------------------------------

TEST(CalcMoons, EarthInTheEquatorialPlaneFlattensY)
{
    const double d = OppositionJDE() - 2415020;
    JupiterAspect a = CalcAspect(d);
    a.EarthDecl = 0;
    const MoonPositions m = CalcMoons(d, a);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(m.Y[i], 0.0) << "satellite " << i + 1;
}

// X = r sin U and Y = -r cos U sin(decl): the radius found from X and Y lies in
// each orbit's band and the angle found from them is U.
TEST(CalcMoons, OffsetsAreTheOrbitSeenAtAnAngle)
{
    const double kMean[4] = {5.9061, 9.3972, 14.9894, 26.3649};
    const double kSwing[4] = {0.0244, 0.0889, 0.0227, 0.1944};
    for (double d = 36000; d < 50000; d += 3.17) {
        const JupiterAspect a = CalcAspect(d);
        const double sd = std::sin(a.EarthDecl * kDegRad);
        if (std::fabs(sd) < 0.01)
            continue;
        const MoonPositions m = CalcMoons(d, a);
        for (int i = 0; i < 4; ++i) {
            const double across = -m.Y[i] / sd;
            const double r = std::hypot(m.X[i], across);
            ASSERT_GE(r, kMean[i] - kSwing[i] - 1e-9) << "d = " << d << ", satellite " << i + 1;
            ASSERT_LE(r, kMean[i] + kSwing[i] + 1e-9) << "d = " << d << ", satellite " << i + 1;
            ASSERT_LE(std::fabs(m.X[i]), r);
            const double angle = std::atan2(m.X[i], across) / kDegRad;
            ASSERT_NEAR(std::remainder(angle - m.U[i], 360.0), 0.0, 1e-7)
                << "d = " << d << ", satellite " << i + 1;
        }
    }
}

TEST(CalcMoons, CorrectedAngleIsNotReducedAgain)
{
    // Io's correction keeps its sign at u1 = 0 for months (the resonance with
    // Europa), so the search looks at a few days every quarter of a year.
    bool below = false, above = false;
    for (double start = 44000; start < 44500 && !(below && above); start += 110) {
        for (double d = start; d < start + 4; d += 0.0007) {
            const MoonPositions m = CalcMoons(d, CalcAspect(d));
            for (int i = 0; i < 4; ++i) {
                ASSERT_GT(m.U[i], -1.1) << "d = " << d;
                ASSERT_LT(m.U[i], 361.1) << "d = " << d;
            }
            below = below || m.U[0] < 0;
            above = above || m.U[0] >= 360;
        }
    }
    EXPECT_TRUE(below) << "no angle of Io just below 0 found";
    EXPECT_TRUE(above) << "no angle of Io at or above 360 found";
}

// ---- checked conversions ----------------------------------------------------------

TEST(Checked, RoundToInt32HalvesToEven)
{
    const struct {
        double v;
        int32_t wanted;
    } rows[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {-0.5, 0}, {0.5, 0}, {1.5, 2}, {-7.6, -8},
                {2147483647.4, 2147483647}, {-2147483648.5, -2147483648}};
    for (const auto& r : rows)
        EXPECT_EQ(RoundToInt32(r.v), r.wanted) << "v = " << r.v;
    for (double v : {2147483647.5, -2147483649.0, 1e10, HUGE_VAL, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(RoundToInt32(v), Fault) << "v = " << v;
    EXPECT_EQ(RoundToInt16(-32768.5), -32768);
    EXPECT_THROW(RoundToInt16(32767.5), Fault);
}

TEST(Checked, FloorToInt32)
{
    EXPECT_EQ(FloorToInt32(5.7), 5);
    EXPECT_EQ(FloorToInt32(-0.5), -1);
    EXPECT_EQ(FloorToInt32(-2147483648.0), INT32_MIN);
    EXPECT_EQ(FloorToInt32(2147483647.9), INT32_MAX);
    for (double v : {-2147483648.5, 2147483648.0, HUGE_VAL, std::numeric_limits<double>::quiet_NaN()})
        EXPECT_THROW(FloorToInt32(v), Fault) << "v = " << v;
}

TEST(Checked, IntegerArithmeticOverflowThrows)
{
    EXPECT_EQ(Add32(INT32_MAX - 1, 1), INT32_MAX);
    EXPECT_THROW(Add32(INT32_MAX, 1), Fault);
    EXPECT_THROW(Sub32(INT32_MIN, 1), Fault);
    EXPECT_EQ(Mul32(-65536, 32768), INT32_MIN);
    EXPECT_THROW(Mul32(65536, 32768), Fault);
    EXPECT_THROW(Mul32(-35791395, 60), Fault);
    EXPECT_EQ(Div32(-7, 2), -3);
    EXPECT_THROW(Div32(INT32_MIN, -1), Fault);
    EXPECT_THROW(Div32(1, 0), Fault);
}

}  // namespace
}  // namespace veltrax
