// SPDX-License-Identifier: GPL-3.0-or-later
// Truncated VSOP87 for the Earth and Jupiter.
//
// Series: VSOP87B, heliocentric ecliptic spherical coordinates (L, B, R) on the
// dynamical ecliptic and equinox of J2000 (P. Bretagnon and G. Francou,
// "Planetary theories in rectangular and spherical variables: VSOP87
// solutions", Astron. Astrophys. 202, 309-315, 1988). The coefficients are the
// truncation published with the astronomy-engine package (MIT licence, data
// only): A, B, C of the terms A cos(B + C t), t in Julian millennia of TT from
// J2000.0, radians and AU.
//
// Every term's argument is evaluated once (engine/fast_trig.h); Jupiter's
// series are differentiated term by term for its velocity.
#include "engine/planets.h"

#include "engine/checked.h"
#include "engine/fast_trig.h"
#include "engine/series.h"

#include <cmath>
#include <cstddef>

namespace veltrax {
namespace {

using series::Term;
using series::Series;
using series::S;

const Term kEarthL0[] = {
    {1.75347045673, 0.0, 0.0},
    {0.03341656453, 4.66925680415, 6283.0758499914},
    {0.00034894275, 4.62610242189, 12566.1516999828},
    {0.00003417572, 2.82886579754, 3.523118349},
    {0.00003497056, 2.74411783405, 5753.3848848968},
    {0.00003135899, 3.62767041756, 77713.7714681205},
    {0.00002676218, 4.41808345438, 7860.4193924392},
    {0.00002342691, 6.13516214446, 3930.2096962196},
    {0.00001273165, 2.03709657878, 529.6909650946},
    {0.00001324294, 0.74246341673, 11506.7697697936},
    {0.00000901854, 2.04505446477, 26.2983197998},
    {0.00001199167, 1.10962946234, 1577.3435424478},
    {0.00000857223, 3.50849152283, 398.1490034082},
    {0.00000779786, 1.17882681962, 5223.6939198022},
    {0.0000099025, 5.23268072088, 5884.9268465832},
    {0.00000753141, 2.53339052847, 5507.5532386674},
    {0.00000505267, 4.58292599973, 18849.2275499742},
    {0.00000492392, 4.20505711826, 775.522611324},
    {0.00000356672, 2.91954114478, 0.0673103028},
    {0.00000284125, 1.89869240932, 796.2980068164},
    {0.00000242879, 0.34481445893, 5486.777843175},
    {0.00000317087, 5.84901948512, 11790.6290886588},
    {0.00000271112, 0.31486255375, 10977.078804699},
    {0.00000206217, 4.80646631478, 2544.3144198834},
    {0.00000205478, 1.86953770281, 5573.1428014331},
    {0.00000202318, 2.45767790232, 6069.7767545534},
    {0.00000126225, 1.08295459501, 20.7753954924},
    {0.00000155516, 0.83306084617, 213.299095438},
};
const Term kEarthL1[] = {
    {6283.0758499914, 0.0, 0.0},
    {0.00206058863, 2.67823455808, 6283.0758499914},
    {0.00004303419, 2.63512233481, 12566.1516999828},
};
const Term kEarthL2[] = {
    {0.00008721859, 1.07253635559, 6283.0758499914},
};
const Term kEarthB1[] = {
    {0.00227777722, 3.4137662053, 6283.0758499914},
    {0.00003805678, 3.37063423795, 12566.1516999828},
};
const Term kEarthR0[] = {
    {1.00013988784, 0.0, 0.0},
    {0.01670699632, 3.09846350258, 6283.0758499914},
    {0.00013956024, 3.05524609456, 12566.1516999828},
    {0.0000308372, 5.19846674381, 77713.7714681205},
    {0.00001628463, 1.17387558054, 5753.3848848968},
    {0.00001575572, 2.84685214877, 7860.4193924392},
    {0.00000924799, 5.45292236722, 11506.7697697936},
    {0.00000542439, 4.56409151453, 3930.2096962196},
    {0.0000047211, 3.66100022149, 5884.9268465832},
    {8.5831e-7, 1.27079125277, 161000.6857376741},
    {5.7056e-7, 2.01374292245, 83996.84731811189},
    {5.5736e-7, 5.2415979917, 71430.69561812909},
    {0.00000174844, 3.01193636733, 18849.2275499742},
    {0.00000243181, 4.2734953079, 11790.6290886588},
};
const Term kEarthR1[] = {
    {0.00103018607, 1.10748968172, 6283.0758499914},
    {0.00001721238, 1.06442300386, 12566.1516999828},
};
const Term kEarthR2[] = {
    {0.00004359385, 5.78455133808, 6283.0758499914},
};
const Term kJupiterL0[] = {
    {0.59954691494, 0.0, 0.0},
    {0.09695898719, 5.06191793158, 529.6909650946},
    {0.00573610142, 1.44406205629, 7.1135470008},
    {0.00306389205, 5.41734730184, 1059.3819301892},
    {0.00097178296, 4.14264726552, 632.7837393132},
    {0.00072903078, 3.64042916389, 522.5774180938},
    {0.00064263975, 3.41145165351, 103.0927742186},
    {0.00039806064, 2.29376740788, 419.4846438752},
    {0.00038857767, 1.27231755835, 316.3918696566},
    {0.00027964629, 1.7845459182, 536.8045120954},
    {0.0001358973, 5.7748104079, 1589.0728952838},
    {0.00008246349, 3.5822792584, 206.1855484372},
    {0.00008768704, 3.63000308199, 949.1756089698},
    {0.00007368042, 5.0810119427, 735.8765135318},
    {0.0000626315, 0.02497628807, 213.299095438},
    {0.00006114062, 4.51319998626, 1162.4747044078},
    {0.00004905396, 1.32084470588, 110.2063212194},
    {0.00005305285, 1.30671216791, 14.2270940016},
    {0.00005305441, 4.18625634012, 1052.2683831884},
    {0.00004647248, 4.69958103684, 3.9321532631},
    {0.00003045023, 4.31676431084, 426.598190876},
    {0.00002609999, 1.56667394063, 846.0828347512},
    {0.00002028191, 1.06376530715, 3.1813937377},
    {0.00001764763, 2.14148655117, 1066.49547719},
    {0.00001722972, 3.88036268267, 1265.5674786264},
    {0.00001920945, 0.97168196472, 639.897286314},
    {0.00001633223, 3.58201833555, 515.463871093},
    {0.00001431999, 4.29685556046, 625.6701923124},
    {0.00000973272, 4.09764549134, 95.9792272178},
};
const Term kJupiterL1[] = {
    {529.69096508814, 0.0, 0.0},
    {0.00489503243, 4.2208293947, 529.6909650946},
    {0.00228917222, 6.02646855621, 7.1135470008},
    {0.00030099479, 4.54540782858, 1059.3819301892},
    {0.0002072092, 5.45943156902, 522.5774180938},
    {0.00012103653, 0.16994816098, 536.8045120954},
    {0.00006067987, 4.42422292017, 103.0927742186},
    {0.00005433968, 3.98480737746, 419.4846438752},
    {0.00004237744, 5.89008707199, 14.2270940016},
};
const Term kJupiterL2[] = {
    {0.00047233601, 4.32148536482, 7.1135470008},
    {0.00030649436, 2.929777887, 529.6909650946},
    {0.00014837605, 3.14159265359, 0.0},
};
const Term kJupiterB0[] = {
    {0.02268615702, 3.55852606721, 529.6909650946},
    {0.00109971634, 3.90809347197, 1059.3819301892},
    {0.00110090358, 0.0, 0.0},
    {0.00008101428, 3.60509572885, 522.5774180938},
    {0.00006043996, 4.25883108339, 1589.0728952838},
    {0.00006437782, 0.30627119215, 536.8045120954},
};
const Term kJupiterB1[] = {
    {0.00078203446, 1.52377859742, 529.6909650946},
};
const Term kJupiterR0[] = {
    {5.20887429326, 0.0, 0.0},
    {0.25209327119, 3.49108639871, 529.6909650946},
    {0.00610599976, 3.84115365948, 1059.3819301892},
    {0.00282029458, 2.57419881293, 632.7837393132},
    {0.00187647346, 2.07590383214, 522.5774180938},
    {0.00086792905, 0.71001145545, 419.4846438752},
    {0.00072062974, 0.21465724607, 536.8045120954},
    {0.00065517248, 5.9799588479, 316.3918696566},
    {0.00029134542, 1.67759379655, 103.0927742186},
    {0.00030135335, 2.16132003734, 949.1756089698},
    {0.00023453271, 3.54023522184, 735.8765135318},
    {0.00022283743, 4.19362594399, 1589.0728952838},
    {0.00023947298, 0.2745803748, 7.1135470008},
    {0.00013032614, 2.96042965363, 1162.4747044078},
    {0.0000970336, 1.90669633585, 206.1855484372},
    {0.00012749023, 2.71550286592, 1052.2683831884},
    {0.00007057931, 2.18184839926, 1265.5674786264},
    {0.00006137703, 6.26418240033, 846.0828347512},
    {0.00002616976, 2.00994012876, 1581.959348283},
};
const Term kJupiterR1[] = {
    {0.0127180152, 2.64937512894, 529.6909650946},
    {0.00061661816, 3.00076460387, 1059.3819301892},
    {0.00053443713, 3.89717383175, 522.5774180938},
    {0.00031185171, 4.88276958012, 536.8045120954},
    {0.00041390269, 0.0, 0.0},
};

constexpr Series kNone{nullptr, 0};

// One coordinate: the series of t^0, t^1, t^2 (unused ones empty).
struct Coordinate {
    Series power[3];
};

const Coordinate kEarth[3] = {
    {{S(kEarthL0), S(kEarthL1), S(kEarthL2)}},
    {{kNone, S(kEarthB1), kNone}},
    {{S(kEarthR0), S(kEarthR1), S(kEarthR2)}},
};

const Coordinate kJupiter[3] = {
    {{S(kJupiterL0), S(kJupiterL1), S(kJupiterL2)}},
    {{S(kJupiterB0), S(kJupiterB1), kNone}},
    {{S(kJupiterR0), S(kJupiterR1), kNone}},
};

constexpr double kDaysPerMillennium = 365250.0;

double Value(const Coordinate& c, double t)
{
    double sum = 0.0;
    double tk = 1.0;
    for (const Series& s : c.power) {
        double part = 0.0;
        for (size_t i = 0; i < s.count; ++i)
            part += s.terms[i].amp * FastSinCos(s.terms[i].phase + s.terms[i].freq * t).cos;
        sum += part * tk;
        tk *= t;
    }
    return sum;
}

// Value and its rate per millennium.
void ValueRate(const Coordinate& c, double t, double* value, double* rate)
{
    double sum = 0.0;
    double dsum = 0.0;
    double tk = 1.0;    // t^k
    double tk1 = 0.0;   // k t^(k-1)
    for (int k = 0; k < 3; ++k) {
        const Series& s = c.power[k];
        double part = 0.0;
        double dpart = 0.0;
        for (size_t i = 0; i < s.count; ++i) {
            const SinCos sc = FastSinCos(s.terms[i].phase + s.terms[i].freq * t);
            part += s.terms[i].amp * sc.cos;
            dpart -= s.terms[i].amp * s.terms[i].freq * sc.sin;
        }
        sum += part * tk;
        dsum += dpart * tk + part * tk1;
        tk1 = (k + 1) * tk;
        tk *= t;
    }
    *value = sum;
    *rate = dsum;
}

// Ecliptic of J2000 (VSOP87) to the mean equator of J2000 (FK5), as given with
// the VSOP87 solutions.
Vec3 ToEquator(const Vec3& e)
{
    return {e.x + 0.000000440360 * e.y - 0.000000190919 * e.z,
            -0.000000479966 * e.x + 0.917482137087 * e.y - 0.397776982902 * e.z,
            0.397776982902 * e.y + 0.917482137087 * e.z};
}

}  // namespace

Vec3 EarthHelioAu(double jdeTT)
{
    const double t = (jdeTT - kJ2000Jd) / kDaysPerMillennium;
    const double L = Value(kEarth[0], t);
    const double B = Value(kEarth[1], t);
    const double R = Value(kEarth[2], t);
    const double rc = R * std::cos(B);
    return ToEquator({rc * std::cos(L), rc * std::sin(L), R * std::sin(B)});
}

HelioState JupiterHelio(double jdeTT)
{
    const double t = (jdeTT - kJ2000Jd) / kDaysPerMillennium;
    double L, dL, B, dB, R, dR;
    ValueRate(kJupiter[0], t, &L, &dL);
    ValueRate(kJupiter[1], t, &B, &dB);
    ValueRate(kJupiter[2], t, &R, &dR);
    const double cL = std::cos(L), sL = std::sin(L);
    const double cB = std::cos(B), sB = std::sin(B);
    const Vec3 pos{R * cB * cL, R * cB * sL, R * sB};
    // d/dt of (R cos B cos L, R cos B sin L, R sin B), per millennium.
    const Vec3 vel{dR * cB * cL - R * sB * dB * cL - R * cB * sL * dL,
                   dR * cB * sL - R * sB * dB * sL + R * cB * cL * dL,
                   dR * sB + R * cB * dB};
    return {ToEquator(pos), ToEquator(vel * (1.0 / kDaysPerMillennium))};
}

JupiterSeen SeeJupiter(double jdeTT)
{
    if (!(jdeTT >= kFirstJdeTT && jdeTT <= kLastJdeTT))
        throw Fault("moment outside the years 1000 to 3000 of the planetary theory", FaultKind::OutOfRange);
    JupiterSeen seen;
    seen.earthAu = EarthHelioAu(jdeTT);
    const HelioState now = JupiterHelio(jdeTT);
    // Over the 35 to 52 minutes of light time Jupiter's path is straight to
    // within a kilometre: step back along its velocity.
    double tau = 0.0;
    for (int i = 0; i < 3; ++i)
        tau = Length(now.posAu - now.velAuPerDay * tau - seen.earthAu) / kLightAuPerDay;
    seen.lightTimeDays = tau;
    seen.jupiter.posAu = now.posAu - now.velAuPerDay * tau;
    seen.jupiter.velAuPerDay = now.velAuPerDay;
    return seen;
}

}  // namespace veltrax
