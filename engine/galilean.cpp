// SPDX-License-Identifier: GPL-3.0-or-later
// The Galilean satellites from the L1.2 theory, seen from the Earth and from
// the Sun.
//
// Theory: V. Lainey, L. Duriez and A. Vienne, "Synthetic representation of the
// Galilean satellites' orbital motions from L1 ephemerides", Astron.
// Astrophys. 456, 783-788 (2006). Each satellite's elements are series in t,
// days of TT from 1950 January 1.0 (JD 2433282.5):
//   a = sum A cos(P + F t)                     semi-major axis, AU
//   lambda = l0 + l1 t + sum A sin(P + F t)    mean longitude, rad
//   k + i h = sum A exp(i (P + F t))           e exp(i varpi)
//   q + i p = sum A exp(i (P + F t))           sin(i/2) exp(i Omega)
// on the theory's own reference plane, turned to the Earth's mean equator of
// J2000 by a fixed rotation. The coefficients (A, P, F), the constants mu
// (AU^3/day^2), l0, l1 and the rotation are the truncated tables published
// with the astronomy-engine package (MIT licence, data only).
//
// Jupiter's pole: IAU Working Group on Cartographic Coordinates and Rotational
// Elements, 2015 report (B. A. Archinal et al., Celest. Mech. Dyn. Astr. 130,
// 22, 2018).
#include "engine/galilean.h"

#include "engine/checked.h"
#include "engine/fast_trig.h"
#include "engine/series.h"
#include "engine/planets.h"
#include "engine/vec3.h"

#include <cmath>
#include <cstddef>

namespace veltrax {
namespace {

using series::Term;
using series::Series;
using series::S;

// Io: mu 2.82489428433814e-7, mean longitude 1.446213296021224 + 3.5515522861824 t
const Term kIo_a[] = {
    {0.0028210960212903, 0.0, 0.0},
};
const Term kIo_l[] = {
    {-0.0001925258348666, 4.9369589722645, 0.01358483658305},
    {-0.0000970803596076, 4.3188796477322, 0.01303413843243},
    {-0.00008988174165, 1.9080016428617, 0.00305064867158},
    {-0.0000553101050262, 1.4936156681569, 0.01293892891155},
};
const Term kIo_z[] = {
    {0.0041510849668155, 4.089939635545, -0.01290686414666},
    {0.0006260521444113, 1.446188898627, 3.5515522949802},
    {0.0000352747346169, 2.1256287034578, 0.00012727416567},
};
const Term kIo_zeta[] = {
    {0.0003142172466014, 2.7964219722923, -0.002315096098},
    {0.0000904169207946, 1.0477061879627, -0.00056920638196},
};
// Europa: mu 2.82483274392893e-7, mean longitude -0.3735263437471362 + 1.76932271112347 t
const Term kEuropa_a[] = {
    {0.0044871037804314, 0.0, 0.0},
    {4.324367498e-7, 1.819645606291, 1.7822295777568},
};
const Term kEuropa_l[] = {
    {0.0008576433172936, 4.3188693178264, 0.01303413830805},
    {0.0004549582875086, 1.4936531751079, 0.01293892881962},
    {0.0003248939825174, 1.8196494533458, 1.7822295777568},
    {-0.0003074250079334, 4.9377037005911, 0.01358483286724},
    {0.0001982386144784, 1.907986905476, 0.00305101212869},
    {0.0001834063551804, 2.1402853388529, 0.00145009789338},
    {-0.0001434383188452, 5.622214036663, 0.89111478887838},
    {-0.0000771939140944, 4.300272437235, 2.6733443704266},
};
const Term kEuropa_z[] = {
    {-0.0093589104136341, 4.0899396509039, -0.01290686414666},
    {0.0002988994545555, 5.9097265185595, 1.7693227079462},
    {0.000213903639035, 2.1256289300016, 0.00012727418407},
    {0.0001980963564781, 2.743516829265, 0.00067797343009},
    {0.0001210388158965, 5.5839943711203, 0.0000320566149},
    {0.0000837042048393, 1.6094538368039, -0.90402165808846},
    {0.0000823525166369, 1.4461887708689, 3.5515522949802},
};
const Term kEuropa_zeta[] = {
    {0.0040404917832303, 1.0477063169425, -0.0005692064054},
    {0.0002200421034564, 3.3368857864364, -0.00012491307307},
    {0.0001662544744719, 2.4134862374711, 0.0},
    {0.0000590282470983, 5.9719930968366, -0.00003056160225},
};
// Ganymede: mu 2.82498184184723e-7, mean longitude 0.2874089391143348 + 0.878207923589328 t
const Term kGanymede_a[] = {
    {0.0071566594572575, 0.0, 0.0},
    {0.000001393029911, 1.1586745884981, 2.6733443704266},
};
const Term kGanymede_l[] = {
    {0.0002310797886226, 2.1402987195942, 0.00145009784384},
    {-0.0001828635964118, 4.3188672736968, 0.01303413828263},
    {0.0001512378778204, 4.9373102372298, 0.01358483481252},
    {-0.0001163720969778, 4.300265986149, 2.6733443704266},
    {-0.0000955478069846, 1.4936612842567, 0.01293892879857},
    {0.0000815246854464, 5.6222137132535, 0.89111478887838},
    {-0.0000801219679602, 1.2995922951532, 1.0034433456729},
    {-0.0000607017260182, 0.64978769669238, 0.50172167043264},
};
const Term kGanymede_z[] = {
    {0.0014289811307319, 2.1256295942739, 0.00012727413029},
    {0.000771093122676, 5.5836330003496, 0.0000320643411},
    {0.0005925911780766, 4.0899396636448, -0.01290686414666},
    {0.0002045597496146, 5.2713683670372, -0.12523544076106},
    {0.0001785118648258, 0.28743156721063, 0.8782079244252},
    {0.0001131999784893, 1.4462127277818, 3.5515522949802},
    {-0.000065877816921, 2.2702423990985, -1.7951364394537},
    {0.0000497058888328, 5.9096792204858, 1.7693227129285},
};
const Term kGanymede_zeta[] = {
    {0.0015932721570848, 3.3368862796665, -0.00012491307058},
    {0.0008533093128905, 2.4133881688166, 0.0},
    {0.0003513347911037, 5.9720789850127, -0.00003056101771},
    {-0.0001441929255483, 1.0477061764435, -0.00056920632124},
};
// Callisto: mu 2.82492144889909e-7, mean longitude -0.3620341291375704 + 0.376486233433828 t
const Term kCallisto_a[] = {
    {0.0125879701715314, 0.0, 0.0},
    {0.000003595204947, 0.64965776007116, 0.50172168165034},
    {0.0000027580210652, 1.808423578151, 3.1750660413359},
};
const Term kCallisto_l[] = {
    {0.0005586040123824, 2.1404207189815, 0.00145009793231},
    {-0.0003805813868176, 2.7358844897853, 0.00002972965062},
    {0.0002205152863262, 0.649796525964, 0.5017216724358},
    {0.0001877895151158, 1.8084787604005, 3.1750660413359},
    {0.0000766916975242, 6.2720114319755, 1.3928364636651},
    {0.0000747056855106, 1.2995916202344, 1.0034433456729},
};
const Term kCallisto_z[] = {
    {0.0073755808467977, 5.5836071576084, 0.00003206509914},
    {0.0002065924169942, 5.9209831565786, 0.37648624194703},
    {0.0001589869764021, 0.28744006242623, 0.8782079244252},
    {-0.0001561131605348, 2.1257397865089, 0.00012727441285},
    {0.0001486043380971, 1.4462134301023, 3.5515522949802},
    {0.0000635073108731, 5.9096803285954, 1.7693227129285},
    {0.0000599351698525, 4.1125517584798, -2.7985797954589},
    {0.0000540660842731, 5.5390350845569, 0.00286834082283},
    {-0.0000489596900866, 4.6218149483338, -0.62695712529519},
};
const Term kCallisto_zeta[] = {
    {0.0038422977898495, 2.4133922085557, 0.0},
    {0.0022453891791894, 5.9721736773277, -0.00003056125525},
    {-0.0002604479450559, 3.3368746306409, -0.00012491309972},
    {0.000033211214323, 5.5604137742337, 0.00290037688507},
};


struct SatelliteTheory {
    double mu;          // AU^3/day^2
    double lambda0;     // rad
    double lambdaRate;  // rad/day
    Series a, lambda, z, zeta;
};

const SatelliteTheory kTheory[4] = {
    {2.8248942843381399e-07, 1.4462132960212239e+00, 3.5515522861824000e+00,
     S(kIo_a), S(kIo_l), S(kIo_z), S(kIo_zeta)},
    {2.8248327439289299e-07, -3.7352634374713622e-01, 1.7693227111234699e+00,
     S(kEuropa_a), S(kEuropa_l), S(kEuropa_z), S(kEuropa_zeta)},
    {2.8249818418472298e-07, 2.8740893911433479e-01, 8.7820792358932798e-01,
     S(kGanymede_a), S(kGanymede_l), S(kGanymede_z), S(kGanymede_zeta)},
    {2.8249214488990899e-07, -3.6203412913757038e-01, 3.7648623343382798e-01,
     S(kCallisto_a), S(kCallisto_l), S(kCallisto_z), S(kCallisto_zeta)},
};

// The theory's frame to the mean equator of J2000, by rows (each column is
// one of the theory's axes on the equator of J2000).
const double kToEquator[3][3] = {
    {9.99432765338654e-01, 3.03959428906285e-02, -1.44994559663353e-02},
    {-3.36771074697641e-02, 9.02057912352809e-01, -4.30299169409101e-01},
    {0.00000000000000e+00, 4.30543388542295e-01, 9.02569881273754e-01},
};

constexpr double kL1Epoch = 2433282.5;  // 1950 January 1.0 TT
constexpr double kTwoPi = 6.283185307179586;
constexpr double kRadiusAu = kJupiterEquatorialRadiusKm / kAuKm;
// The spheroid's (equatorial / polar)^2 - 1, for points in equatorial radii.
constexpr double kFlattening = (kJupiterEquatorialRadiusKm / kJupiterPolarRadiusKm)
                                   * (kJupiterEquatorialRadiusKm / kJupiterPolarRadiusKm)
                               - 1.0;

Vec3 TheoryToEquator(const Vec3& v)
{
    return {kToEquator[0][0] * v.x + kToEquator[0][1] * v.y + kToEquator[0][2] * v.z,
            kToEquator[1][0] * v.x + kToEquator[1][1] * v.y + kToEquator[1][2] * v.z,
            kToEquator[2][0] * v.x + kToEquator[2][1] * v.y + kToEquator[2][2] * v.z};
}

// Jovicentric position (AU) and velocity (AU/day) of one satellite, mean
// equator of J2000.
struct JoviState {
    Vec3 pos;
    Vec3 vel;
};

JoviState Satellite(const SatelliteTheory& th, double t)
{
    double a = 0.0;
    for (size_t i = 0; i < th.a.count; ++i)
        a += th.a.terms[i].amp * FastSinCos(th.a.terms[i].phase + th.a.terms[i].freq * t).cos;
    double lambda = th.lambda0 + th.lambdaRate * t;
    for (size_t i = 0; i < th.lambda.count; ++i)
        lambda += th.lambda.terms[i].amp * FastSinCos(th.lambda.terms[i].phase + th.lambda.terms[i].freq * t).sin;
    double k = 0.0, h = 0.0;
    for (size_t i = 0; i < th.z.count; ++i) {
        const SinCos sc = FastSinCos(th.z.terms[i].phase + th.z.terms[i].freq * t);
        k += th.z.terms[i].amp * sc.cos;
        h += th.z.terms[i].amp * sc.sin;
    }
    double q = 0.0, p = 0.0;
    for (size_t i = 0; i < th.zeta.count; ++i) {
        const SinCos sc = FastSinCos(th.zeta.terms[i].phase + th.zeta.terms[i].freq * t);
        q += th.zeta.terms[i].amp * sc.cos;
        p += th.zeta.terms[i].amp * sc.sin;
    }

    // Kepler's equation in the eccentric longitude F:
    //   lambda = F - k sin F + h cos F   (e below 0.01: Newton from F = lambda).
    lambda = std::fmod(lambda, kTwoPi);
    double F = lambda;
    SinCos scF = FastSinCos(F);
    for (int i = 0; i < 8; ++i) {
        const double f = F - k * scF.sin + h * scF.cos - lambda;
        const double df = 1.0 - k * scF.cos - h * scF.sin;
        const double step = f / df;
        F -= step;
        if (std::fabs(step) < 1e-7) {
            // The last step is the square of the one before: turn the sine
            // and cosine by it to second order (error step^3 / 6).
            const double c = 1.0 - 0.5 * step * step;
            scF = {scF.sin * c - scF.cos * step, scF.cos * c + scF.sin * step};
            break;
        }
        scF = FastSinCos(F);
    }
    const double cF = scF.cos, sF = scF.sin;

    // Position and velocity in the orbit's own axes (first axis toward the
    // ascending node's reference direction, equinoctial form).
    const double beta = 1.0 / (1.0 + std::sqrt(1.0 - k * k - h * h));
    const double x1 = a * ((1.0 - beta * h * h) * cF + beta * h * k * sF - k);
    const double y1 = a * ((1.0 - beta * k * k) * sF + beta * h * k * cF - h);
    const double n = std::sqrt(th.mu / (a * a * a));
    const double r = a * (1.0 - k * cF - h * sF);
    const double va = n * a * a / r;
    const double vx1 = va * (beta * h * k * cF - (1.0 - beta * h * h) * sF);
    const double vy1 = va * ((1.0 - beta * k * k) * cF - beta * h * k * sF);

    // The orbit's plane, from q + i p = sin(i/2) exp(i Omega).
    const double c = std::sqrt(1.0 - q * q - p * p);
    const Vec3 f{1.0 - 2.0 * p * p, 2.0 * p * q, -2.0 * p * c};
    const Vec3 g{2.0 * p * q, 1.0 - 2.0 * q * q, 2.0 * q * c};
    return {TheoryToEquator(f * x1 + g * y1), TheoryToEquator(f * vx1 + g * vy1)};
}

// Jupiter's north pole (unit vector, mean equator of J2000).
Vec3 JupiterPole(double jdeTT)
{
    const double T = (jdeTT - kJ2000Jd) / 36525.0;
    const double d2r = kTwoPi / 360.0;
    const SinCos Ja = FastSinCos((99.360714 + 4850.4046 * T) * d2r);
    const SinCos Jb = FastSinCos((175.895369 + 1191.9605 * T) * d2r);
    const SinCos Jc = FastSinCos((300.323162 + 262.5475 * T) * d2r);
    const SinCos Jd = FastSinCos((114.012305 + 6070.2476 * T) * d2r);
    const SinCos Je = FastSinCos((49.511251 + 64.3000 * T) * d2r);
    const double ra = (268.056595 - 0.006499 * T + 0.000117 * Ja.sin + 0.000938 * Jb.sin + 0.001432 * Jc.sin
                       + 0.000030 * Jd.sin + 0.002150 * Je.sin)
                      * d2r;
    const double dec = (64.495303 + 0.002413 * T + 0.000050 * Ja.cos + 0.000404 * Jb.cos + 0.000617 * Jc.cos
                        - 0.000013 * Jd.cos + 0.000926 * Je.cos)
                       * d2r;
    return {std::cos(dec) * std::cos(ra), std::cos(dec) * std::sin(ra), std::sin(dec)};
}

// A viewer's plane of the sky around Jupiter.
struct SkyFrame {
    Vec3 west;   // x
    Vec3 north;  // y: Jupiter's projected pole
    Vec3 away;   // depth: from the viewer toward Jupiter
};

SkyFrame Frame(const Vec3& away, const Vec3& pole)
{
    const Vec3 north = Unit(pole - away * Dot(pole, away));
    return {Cross(away, north), north, away};
}

SkyOffset Project(const SkyFrame& f, const Vec3& rAu)
{
    return {Dot(rAu, f.west) / kRadiusAu, Dot(rAu, f.north) / kRadiusAu, Dot(rAu, f.away) / kRadiusAu};
}

// Projected polar semi-axis of the disk for a viewer at planetocentric
// latitude lat (radians): sqrt(cos^2 lat (polar/equatorial)^2 + sin^2 lat).
double LimbB(double sinLat)
{
    const double ratio = kJupiterPolarRadiusKm / kJupiterEquatorialRadiusKm;
    return std::sqrt((1.0 - sinLat * sinLat) * ratio * ratio + sinLat * sinLat);
}

}  // namespace

GalileanSky ComputeGalileanSky(double jdeTT)
{
    Finite(jdeTT, "ComputeGalileanSky");
    const JupiterSeen seen = SeeJupiter(jdeTT);
    const double T = jdeTT - seen.lightTimeDays;  // light leaves Jupiter
    const Vec3 jupiter = seen.jupiter.posAu;
    const Vec3 jupiterVel = seen.jupiter.velAuPerDay;
    const Vec3 pole = JupiterPole(T);

    const Vec3 fromEarth = jupiter - seen.earthAu;
    const double earthDistance = Length(fromEarth);
    const double sunDistance = Length(jupiter);
    const SkyFrame earth = Frame(fromEarth * (1.0 / earthDistance), pole);
    const SkyFrame sun = Frame(jupiter * (1.0 / sunDistance), pole);

    GalileanSky sky;
    sky.jdeTT = jdeTT;
    sky.earthDistanceAu = earthDistance;
    sky.sunDistanceAu = sunDistance;
    const double sinLatEarth = -Dot(earth.away, pole);
    const double sinLatSun = -Dot(sun.away, pole);
    sky.earthJovicentricLatDeg = std::asin(sinLatEarth) * (360.0 / kTwoPi);
    sky.sunJovicentricLatDeg = std::asin(sinLatSun) * (360.0 / kTwoPi);
    sky.earthLimbB = LimbB(sinLatEarth);
    sky.sunLimbB = LimbB(sinLatSun);

    const double t = T - kL1Epoch;
    for (int i = 0; i < 4; ++i) {
        const JoviState s = Satellite(kTheory[i], t);
        // The satellite relative to Jupiter's centre in the Sun's frame: over a
        // few seconds of extra light time both move in straight lines.
        const Vec3 helioVel = s.vel + jupiterVel;
        GalileanSatellite& m = sky.moon[i];

        // Earth: the satellite when its light left, Jupiter at T.
        const double earthLead = Dot(s.pos, earth.away) / kLightAuPerDay;
        const Vec3 rEarth = s.pos - helioVel * earthLead;
        m.fromEarth = Project(earth, rEarth);
        m.sunFramePos = Project(sun, s.pos);
        m.sunFrameVel = Project(sun, helioVel);
        m.earthLeadDays = earthLead;

        // Shadow: the sunlight that reached the cloud tops at T passed the
        // satellite earlier (or later, for a satellite behind) by its depth.
        const double sunLead = Dot(s.pos, sun.away) / kLightAuPerDay;
        const Vec3 rShadow = s.pos + helioVel * sunLead;
        m.fromSunForShadow = Project(sun, rShadow);

        // Eclipse: the satellite at T - earthLead; the part of Jupiter that
        // stops the sunlight on its way to it stood where it was sunLead
        // earlier, the light passing it before it reaches the satellite.
        const Vec3 rEclipse = s.pos - s.vel * earthLead + jupiterVel * sunLead;
        m.fromSunForEclipse = Project(sun, rEclipse);
        const SkyOffset eclipseSeen = ApparentOffset(m.fromSunForEclipse, sunDistance);
        m.inEclipse = m.fromSunForEclipse.depth > 0.0 && LimbMeasure(eclipseSeen, sky.sunLimbB) < 0.0;

        // The shadow's centre: the ray from the Sun's centre through the
        // satellite's, met with the spheroid |r|^2 + kFlattening (r.pole)^2 = 1
        // (in equatorial radii).
        m.shadowOnJupiter = false;
        m.shadowSeen = false;
        m.shadowX = 0.0;
        m.shadowY = 0.0;
        const Vec3 P = rShadow * (1.0 / kRadiusAu);
        const Vec3 d = Unit(jupiter + rShadow);
        const double Pp = Dot(P, pole);
        const double dp = Dot(d, pole);
        const double qa = 1.0 + kFlattening * dp * dp;
        const double qb = Dot(P, d) + kFlattening * Pp * dp;  // half the linear coefficient
        const double qc = Dot(P, P) + kFlattening * Pp * Pp - 1.0;
        const double disc = qb * qb - qa * qc;
        if (disc >= 0.0) {
            const double lambda = (-qb - std::sqrt(disc)) / qa;  // the nearer crossing
            if (lambda > 0.0) {
                const Vec3 Q = P + d * lambda;
                m.shadowOnJupiter = true;
                m.shadowX = Dot(Q, earth.west);
                m.shadowY = Dot(Q, earth.north);
                const Vec3 normal = Q + pole * (kFlattening * Dot(Q, pole));
                m.shadowSeen = Dot(normal, earth.away) < 0.0;
            }
        }
    }
    return sky;
}

}  // namespace veltrax
