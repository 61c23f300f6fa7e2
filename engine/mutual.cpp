// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/mutual.h"

#include "engine/checked.h"
#include "engine/planets.h"
#include "engine/search.h"
#include "engine/sky_cache.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace veltrax {
namespace {

constexpr int kPairs = 6;
constexpr int kPairFirst[kPairs] = {0, 0, 0, 1, 1, 2};
constexpr int kPairSecond[kPairs] = {1, 2, 3, 2, 3, 3};
constexpr int kComponents = 2 * kPairs;  // occultations, then eclipses

// Lengths in Jupiter equatorial radii, times in days.
constexpr double kRj = kJupiterEquatorialRadiusKm;
constexpr double kLightRjPerDay = kLightAuPerDay * (kAuKm / kRj);
constexpr double kSunRadiusRj = kSunRadiusKm / kRj;

// An event whose maximum lies in the range may have started (or end) this
// long outside it: the slowest pairs take an hour or two to pass.
constexpr double kRangePadDays = 0.25;

// The maximum and the umbral contacts are located to this, days.
constexpr double kMaximumToleranceDays = 0.5 / 86400;

double MoonRadiusRj(int moon)
{
    return kMoonRadiusKm[moon] / kRj;
}

struct Vec {
    double x, y, z;
};

Vec Along(const SkyOffset& p, const SkyOffset& v, double dt)
{
    return {p.x + v.x * dt, p.y + v.y * dt, p.depth + v.depth * dt};
}

double Length(const Vec& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}

// A satellite's disk on the Earth's sky, scaled to Jupiter's distance.
struct Disk {
    double x, y, depth, r;
};

Disk DiskOf(const GalileanSky& sky, int moon)
{
    const double earthRj = sky.earthDistanceAu * (kAuKm / kRj);
    const SkyOffset p = ApparentOffset(sky.moon[moon].fromEarth, sky.earthDistanceAu);
    return {p.x, p.y, p.depth, MoonRadiusRj(moon) * earthRj / (earthRj + p.depth)};
}

// Two satellites on the Earth's sky.
struct Occultation {
    int front, back;
    double separation;     // of the centres
    double rFront, rBack;  // apparent radii
};

Occultation OccultationOf(const GalileanSky& sky, int a, int b)
{
    const Disk da = DiskOf(sky, a), db = DiskOf(sky, b);
    const double sep = std::hypot(da.x - db.x, da.y - db.y);
    if (da.depth <= db.depth)
        return {a, b, sep, da.r, db.r};
    return {b, a, sep, db.r, da.r};
}

// One satellite's shadow on another, in the plane through the shadowed
// satellite's centre across the shadow's axis.
struct Eclipse {
    int caster, target;
    double rho;         // the target's centre from the axis
    double offX, offY;  // the same as a vector, across and up the Sun's sky
    double penumbra;    // the penumbra's radius there
    double umbra;       // the umbra's radius there (negative beyond its apex: the antumbra's)
    double delta;       // from the caster to that plane along the axis
    double sunToPlane;  // from the Sun's centre to that plane
};

Eclipse EclipseOf(const GalileanSky& sky, int a, int b)
{
    // The satellite nearer the Sun casts the shadow.
    const bool aFirst = sky.moon[a].sunFramePos.depth <= sky.moon[b].sunFramePos.depth;
    const int caster = aFirst ? a : b, target = aFirst ? b : a;
    const GalileanSatellite& c = sky.moon[caster];
    const GalileanSatellite& t = sky.moon[target];
    // The target when the light the Earth sees now left it; the caster when
    // the sunlight that then reached the target passed it.
    const double lead = t.earthLeadDays;
    const Vec pt = Along(t.sunFramePos, t.sunFrameVel, -lead);
    const double passed = (pt.z - c.sunFramePos.depth) / kLightRjPerDay;
    const Vec pc = Along(c.sunFramePos, c.sunFrameVel, -lead - passed);
    // From the Sun's centre.
    const double sunRj = sky.sunDistanceAu * (kAuKm / kRj);
    const Vec sc{pc.x, pc.y, pc.z + sunRj};
    const Vec st{pt.x, pt.y, pt.z + sunRj};
    const double dc = Length(sc);
    const Vec u{sc.x / dc, sc.y / dc, sc.z / dc};
    const double s = st.x * u.x + st.y * u.y + st.z * u.z;
    const Vec off{st.x - u.x * s, st.y - u.y * s, st.z - u.z * s};
    const double delta = s - dc;
    const double rc = MoonRadiusRj(caster);
    Eclipse e;
    e.caster = caster;
    e.target = target;
    e.rho = Length(off);
    e.offX = off.x;
    e.offY = off.y;
    e.penumbra = rc + delta * (kSunRadiusRj + rc) / dc;
    e.umbra = rc - delta * (kSunRadiusRj - rc) / dc;
    e.delta = delta;
    e.sunToPlane = s;
    return e;
}

// Negative while the disks overlap; the squared form is a parabola in time
// for straight motion, which the search's grazing test fits exactly.
double OccultationFunction(const Occultation& o)
{
    const double sum = o.rFront + o.rBack;
    return (o.separation * o.separation - sum * sum) / (sum * sum);
}

double EclipseFunction(const Eclipse& e, double targetRadius)
{
    const double sum = e.penumbra + targetRadius;
    return (e.rho * e.rho - sum * sum) / (sum * sum);
}

double UmbraFunction(const Eclipse& e, double targetRadius)
{
    const double sum = std::fabs(e.umbra) + targetRadius;
    return (e.rho * e.rho - sum * sum) / (sum * sum);
}

// The fraction of the hidden (back) satellite's light that the front one
// takes, and of the target's light that the caster's shadow takes.
double LostFraction(const Occultation& o)
{
    return std::clamp(CircleOverlapArea(o.rFront, o.rBack, o.separation) / (kPi * o.rBack * o.rBack), 0.0, 1.0);
}

double LostFraction(const Eclipse& e)
{
    return EclipseFluxDrop(MoonRadiusRj(e.caster), MoonRadiusRj(e.target), e.rho, e.delta, kSunRadiusRj, e.sunToPlane);
}

// The same by rings about the shadow's axis, for the light curve.
double LostFractionByRings(const Eclipse& e)
{
    return EclipseFluxDropByRings(MoonRadiusRj(e.caster), MoonRadiusRj(e.target), e.rho, e.delta, kSunRadiusRj,
                                  e.sunToPlane);
}

double ComponentAt(SkyCache& skies, double jdeTT, int component)
{
    const GalileanSky& sky = skies.At(jdeTT);
    const int pair = component % kPairs;
    const int a = kPairFirst[pair], b = kPairSecond[pair];
    if (component < kPairs)
        return OccultationFunction(OccultationOf(sky, a, b));
    const Eclipse e = EclipseOf(sky, a, b);
    return EclipseFunction(e, MoonRadiusRj(e.target));
}

bool BehindDisk(const GalileanSky& sky, int moon)
{
    const GalileanSatellite& m = sky.moon[moon];
    return m.fromEarth.depth > 0 && LimbMeasure(ApparentOffset(m.fromEarth, sky.earthDistanceAu), sky.earthLimbB) < 0;
}

// The event between its first and last contact: the maximum, the umbral
// contacts and the figures at the maximum.
MutualEvent Describe(SkyCache& skies, int component, double startTT, double endTT, double originTT)
{
    const bool eclipse = component >= kPairs;
    const int pair = component % kPairs;
    const int a = kPairFirst[pair], b = kPairSecond[pair];
    // Time in days after originTT, to keep the searches' steps exact.
    const auto f = [&](double t) { return ComponentAt(skies, originTT + t, component); };
    const double t0 = startTT - originTT, t1 = endTT - originTT;
    double fmin = 0;
    const double mid = 0.5 * (t0 + t1);
    const double tMax = FindMinimum(f, t0, t1, mid, f(mid), kMaximumToleranceDays, fmin,
                                    -std::numeric_limits<double>::infinity());

    MutualEvent ev{};
    ev.kind = eclipse ? MutualKind::Eclipse : MutualKind::Occultation;
    ev.maxTT = originTT + tMax;
    ev.startTT = startTT;
    ev.endTT = endTT;
    const GalileanSky& sky = skies.At(ev.maxTT);
    if (!eclipse) {
        const Occultation o = OccultationOf(sky, a, b);
        ev.active = o.front;
        ev.passive = o.back;
        ev.impact = o.separation / (o.rFront + o.rBack);
        ev.magnitude = std::clamp((o.rFront + o.rBack - o.separation) / (2 * o.rBack), 0.0, 1.0);
        ev.fluxDrop = LostFraction(o);
    } else {
        const Eclipse e = EclipseOf(sky, a, b);
        const double rt = MoonRadiusRj(e.target);
        ev.active = e.caster;
        ev.passive = e.target;
        ev.impact = e.rho / (e.penumbra + rt);
        ev.magnitude = e.umbra > 0 ? std::clamp((e.umbra + rt - e.rho) / (2 * rt), 0.0, 1.0) : 0.0;
        ev.fluxDrop = LostFraction(e);
        if (UmbraFunction(e, rt) < 0) {
            const auto g = [&](double t) {
                const Eclipse x = EclipseOf(skies.At(originTT + t), a, b);
                return UmbraFunction(x, MoonRadiusRj(x.target));
            };
            double lo = 0, hi = 0;
            const double gMax = g(tMax);
            ev.umbral = true;
            ev.umbraStartTT = originTT + FindRoot(g, t0, g(t0), tMax, gMax, kEventToleranceDays, lo, hi);
            ev.umbraEndTT = originTT + FindRoot(g, tMax, gMax, t1, g(t1), kEventToleranceDays, lo, hi);
        }
    }
    const SkyOffset seen = ApparentOffset(sky.moon[ev.passive].fromEarth, sky.earthDistanceAu);
    ev.distance = std::hypot(seen.x, seen.y);
    ev.passiveBehindJupiter = BehindDisk(sky, ev.passive);
    ev.passiveInJupiterShadow = sky.moon[ev.passive].inEclipse;
    ev.activeInJupiterShadow = sky.moon[ev.active].inEclipse;
    ev.observable = !ev.passiveBehindJupiter && !ev.passiveInJupiterShadow && !(eclipse && ev.activeInJupiterShadow);
    return ev;
}

}  // namespace

MutualScene MutualSceneAt(const MutualEvent& ev, double jdeTT, const GalileanSkyModel& model)
{
    const GalileanSky sky = model(jdeTT);
    const Disk a = DiskOf(sky, ev.active), b = DiskOf(sky, ev.passive);
    MutualScene s{};
    s.activeXKm = a.x * kRj;
    s.activeYKm = a.y * kRj;
    s.activeRadiusKm = a.r * kRj;
    s.passiveXKm = b.x * kRj;
    s.passiveYKm = b.y * kRj;
    s.passiveRadiusKm = b.r * kRj;
    // Each fraction counts only while the event's satellites keep their
    // parts: far from the event the other one may be the nearer.
    if (ev.kind == MutualKind::Occultation) {
        const Occultation o = OccultationOf(sky, ev.active, ev.passive);
        s.lostFraction = o.back == ev.passive ? LostFraction(o) : 0.0;
    } else {
        const Eclipse e = EclipseOf(sky, ev.active, ev.passive);
        s.shadowXKm = s.passiveXKm - e.offX * kRj;
        s.shadowYKm = s.passiveYKm - e.offY * kRj;
        s.penumbraRadiusKm = e.penumbra * kRj;
        s.umbraRadiusKm = e.umbra * kRj;
        s.lostFraction = e.caster == ev.active ? LostFractionByRings(e) : 0.0;
    }
    return s;
}

double CircleOverlapArea(double r1, double r2, double d)
{
    if (d >= r1 + r2)
        return 0.0;
    const double small = std::min(r1, r2), large = std::max(r1, r2);
    if (d <= large - small)
        return kPi * small * small;
    // Two circular segments, each cut by the common chord.
    const double c1 = std::clamp((d * d + r1 * r1 - r2 * r2) / (2 * d * r1), -1.0, 1.0);
    const double c2 = std::clamp((d * d + r2 * r2 - r1 * r1) / (2 * d * r2), -1.0, 1.0);
    const double k = (-d + r1 + r2) * (d + r1 - r2) * (d - r1 + r2) * (d + r1 + r2);
    return r1 * r1 * std::acos(c1) + r2 * r2 * std::acos(c2) - 0.5 * std::sqrt(std::max(k, 0.0));
}

double EclipseFluxDrop(double rA, double rB, double rho0, double delta, double sunRadius, double sunDistance)
{
    // The mean over B's disk, sampled at the centres of equal areas: rings of
    // equal area, each cut into equal sectors.
    constexpr int kRings = 32, kSectors = 64;
    const double sunAngle = sunRadius / sunDistance;
    const double casterAngle = rA / delta;
    const double sunArea = kPi * sunAngle * sunAngle;
    double hidden = 0;
    for (int i = 0; i < kRings; ++i) {
        const double r = rB * std::sqrt((i + 0.5) / kRings);
        for (int j = 0; j < kSectors; ++j) {
            const double phi = (j + 0.5) * (2 * kPi / kSectors);
            const double rho = std::hypot(rho0 + r * std::cos(phi), r * std::sin(phi));
            const double apart = rho * (1 / delta - 1 / sunDistance);
            hidden += CircleOverlapArea(sunAngle, casterAngle, apart) / sunArea;
        }
    }
    return std::clamp(hidden / (kRings * kSectors), 0.0, 1.0);
}

double EclipseFluxDropByRings(double rA, double rB, double rho0, double delta, double sunRadius, double sunDistance)
{
    // Every point rho from the axis sees the same part of the Sun hidden;
    // the circle of radius rho about the axis lies inside B's disk along an
    // arc of 2 rho acos(c). Midpoints of equal steps in rho, from B's nearest
    // point to the axis out to its farthest or the penumbra's edge.
    constexpr int kSteps = 400;
    const double sunAngle = sunRadius / sunDistance;
    const double casterAngle = rA / delta;
    const double sunArea = kPi * sunAngle * sunAngle;
    const double perRho = 1 / delta - 1 / sunDistance;  // the two centres' angle apart per unit of rho
    const double lo = std::max(0.0, rho0 - rB);
    const double hi = std::min(rho0 + rB, (sunAngle + casterAngle) / perRho);
    if (!(hi > lo))
        return 0.0;
    const double step = (hi - lo) / kSteps;
    double hidden = 0;
    for (int i = 0; i < kSteps; ++i) {
        const double rho = lo + (i + 0.5) * step;
        const double c = rho0 > 0 ? (rho * rho + rho0 * rho0 - rB * rB) / (2 * rho * rho0) : -1.0;
        const double arc = 2 * rho * std::acos(std::clamp(c, -1.0, 1.0));
        hidden += arc * step * CircleOverlapArea(sunAngle, casterAngle, rho * perRho) / sunArea;
    }
    return std::clamp(hidden / (kPi * rB * rB), 0.0, 1.0);
}

void FindMutualEvents(double jdeTT0, double jdeTT1, const std::function<bool(const MutualEvent&)>& report,
                      const GalileanSkyModel& sky)
{
    Finite(jdeTT0, "the mutual event search");
    Finite(jdeTT1, "the mutual event search");
    SkyCache skies(sky);
    const double origin = jdeTT0 - kRangePadDays;

    // How long no pair can come into contact, from the last scan sample.
    double clearDays = kMutualMaxStepDays;
    SearchOptions options;
    options.step = kMutualStepDays;
    options.tolerance = kEventToleranceDays;
    options.maxStep = kMutualMaxStepDays;
    options.nextStep = [&](double) { return clearDays; };

    std::vector<MutualEvent> events;
    std::array<double, kComponents> started;
    started.fill(std::numeric_limits<double>::quiet_NaN());
    SearchCrossings(
        0, jdeTT1 + kRangePadDays - origin, kComponents,
        [&](double t, double* values) {
            const GalileanSky& s = skies.At(origin + t);
            clearDays = kMutualMaxStepDays;
            for (int p = 0; p < kPairs; ++p) {
                const int a = kPairFirst[p], b = kPairSecond[p];
                const Occultation o = OccultationOf(s, a, b);
                const Eclipse e = EclipseOf(s, a, b);
                const double rt = MoonRadiusRj(e.target);
                values[p] = OccultationFunction(o);
                values[kPairs + p] = EclipseFunction(e, rt);
                const double speed = kMaxSkySpeed[a] + kMaxSkySpeed[b];
                const double gap = std::min(o.separation - o.rFront - o.rBack, e.rho - e.penumbra - rt);
                clearDays = std::min(clearDays, std::max(gap, 0.0) / speed);
            }
        },
        options,
        [&](const SearchHit& hit) {
            if (hit.kind == HitKind::Falling) {
                started[static_cast<size_t>(hit.component)] = origin + hit.t;
            } else if (hit.kind == HitKind::Rising) {
                const double start = started[static_cast<size_t>(hit.component)];
                started[static_cast<size_t>(hit.component)] = std::numeric_limits<double>::quiet_NaN();
                if (std::isfinite(start)) {
                    const MutualEvent ev = Describe(skies, hit.component, start, origin + hit.t, origin);
                    if (ev.maxTT >= jdeTT0 && ev.maxTT <= jdeTT1)
                        events.push_back(ev);
                }
            }
            return true;
        });
    std::stable_sort(events.begin(), events.end(),
                     [](const MutualEvent& x, const MutualEvent& y) { return x.maxTT < y.maxTT; });
    for (const MutualEvent& ev : events)
        if (!report(ev))
            return;
}

}  // namespace veltrax
