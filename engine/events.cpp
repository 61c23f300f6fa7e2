// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/events.h"

#include "engine/sky_cache.h"

#include "engine/checked.h"
#include "engine/search.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace veltrax {
namespace {

constexpr int kKinds = 4;
constexpr int kComponents = 4 * kKinds;  // moon * kKinds + kind

// How far inside the disk the shadow is looked at to tell on which hemisphere
// it crosses the limb, when the root finder's own sample inside does not show
// it there, days (5 s: a few kilometres of its track).
constexpr double kShadowLookDays = 5.0 / 86400;


// The scan steps at least an hour, and up to six where every satellite is
// far enough from the disk.
constexpr double kMaxEventStepDays = 6.0 / 24;

// A limb measure stands for "not this event" on the wrong side of the planet.
// Where the depth changes sign the satellite is far from the disk and its
// measure well above this, so the function stays continuous.
constexpr double kOtherSide = 1.0;

struct Measures {
    double earth;    // the satellite against the disk, from the Earth
    double shadow;   // the shadow's sunlight against the disk, from the Sun
    double eclipse;  // the satellite's sunlight against the disk, from the Sun
};

Measures MeasuresOf(const GalileanSky& sky, int moon)
{
    const GalileanSatellite& m = sky.moon[moon];
    return {LimbMeasure(ApparentOffset(m.fromEarth, sky.earthDistanceAu), sky.earthLimbB),
            LimbMeasure(ApparentOffset(m.fromSunForShadow, sky.sunDistanceAu), sky.sunLimbB),
            LimbMeasure(ApparentOffset(m.fromSunForEclipse, sky.sunDistanceAu), sky.sunLimbB)};
}

// The four functions of one satellite, negative during the event.
void EventFunctions(const GalileanSky& sky, int moon, double* out)
{
    const GalileanSatellite& m = sky.moon[moon];
    const Measures v = MeasuresOf(sky, moon);
    const auto side = [](bool wanted, double measure) { return wanted ? measure : std::max(measure, kOtherSide); };
    out[static_cast<int>(EventKind::Transit)] = side(m.fromEarth.depth < 0, v.earth);
    out[static_cast<int>(EventKind::Shadow)] = side(m.fromSunForShadow.depth < 0, v.shadow);
    out[static_cast<int>(EventKind::Occultation)] = side(m.fromEarth.depth > 0, v.earth);
    out[static_cast<int>(EventKind::Eclipse)] = side(m.fromSunForEclipse.depth > 0, v.eclipse);
}

bool BehindDisk(const GalileanSky& sky, int moon)
{
    return sky.moon[moon].fromEarth.depth > 0 && MeasuresOf(sky, moon).earth < 0;
}

bool Eclipsed(const GalileanSky& sky, int moon)
{
    return sky.moon[moon].fromSunForEclipse.depth > 0 && MeasuresOf(sky, moon).eclipse < 0;
}

// How long no satellite nor shadow can reach the limb of the disk (nor leave
// it), days: the limb lies between the circles of radius limbB and 1.
double TimeClearOfLimb(const GalileanSky& sky)
{
    double days = kMaxEventStepDays;
    for (int moon = 0; moon < 4; ++moon) {
        const GalileanSatellite& m = sky.moon[moon];
        const SkyOffset seen[3] = {ApparentOffset(m.fromEarth, sky.earthDistanceAu),
                                   ApparentOffset(m.fromSunForShadow, sky.sunDistanceAu),
                                   ApparentOffset(m.fromSunForEclipse, sky.sunDistanceAu)};
        const double inner[3] = {sky.earthLimbB, sky.sunLimbB, sky.sunLimbB};
        for (int v = 0; v < 3; ++v) {
            const double r = std::sqrt(seen[v].x * seen[v].x + seen[v].y * seen[v].y);
            const double clear = r > 1 ? r - 1 : r < inner[v] ? inner[v] - r : 0;
            days = std::min(days, clear / kMaxSkySpeed[moon]);
        }
    }
    return days;
}

// inside: a moment within the root finder's tolerance of jdeTT, on the side
// where the event is under way.
bool Observable(SkyCache& skies, double jdeTT, double inside, int moon, EventKind kind, EventEdge edge)
{
    switch (kind) {
    case EventKind::Transit:
        return true;
    case EventKind::Occultation:
        return !Eclipsed(skies.At(jdeTT), moon);
    case EventKind::Eclipse:
        return !BehindDisk(skies.At(jdeTT), moon);
    case EventKind::Shadow:
        break;
    }
    // The shadow a moment after it reached the limb, or before it left it.
    const GalileanSky* sky = &skies.At(inside);
    if (!sky->moon[moon].shadowOnJupiter)
        sky = &skies.At(edge == EventEdge::Start ? jdeTT + kShadowLookDays : jdeTT - kShadowLookDays);
    const GalileanSatellite& m = sky->moon[moon];
    if (!m.shadowOnJupiter || !m.shadowSeen)
        return false;
    const SkyOffset seen = ApparentOffset(m.fromEarth, sky->earthDistanceAu);
    const double radius = kMoonRadiusKm[moon] / kJupiterEquatorialRadiusKm;
    const double dx = m.shadowX - seen.x, dy = m.shadowY - seen.y;
    return !(m.fromEarth.depth < 0 && dx * dx + dy * dy < radius * radius);
}

}  // namespace

void FindGalileanEvents(double jdeTT0, double jdeTT1, const std::function<bool(const GalileanEvent&)>& report,
                        const GalileanSkyModel& sky)
{
    Finite(jdeTT0, "the event search");
    Finite(jdeTT1, "the event search");
    SkyCache skies(sky);
    SearchOptions options;
    options.step = kEventStepDays;
    options.tolerance = kEventToleranceDays;
    options.maxStep = kMaxEventStepDays;
    const GalileanSky* scanned = nullptr;  // the last sample's sky
    options.nextStep = [&](double) { return TimeClearOfLimb(*scanned); };
    // Time runs in days after jdeTT0, to keep the root finder's steps exact.
    SearchCrossings(
        0, jdeTT1 - jdeTT0, kComponents,
        [&](double t, double* values) {
            const GalileanSky& s = skies.At(jdeTT0 + t);
            scanned = &s;
            for (int moon = 0; moon < 4; ++moon)
                EventFunctions(s, moon, values + moon * kKinds);
        },
        options,
        [&](const SearchHit& hit) {
            if (hit.kind == HitKind::Touch)
                return true;
            GalileanEvent e;
            e.jdeTT = jdeTT0 + hit.t;
            e.moon = hit.component / kKinds;
            e.kind = static_cast<EventKind>(hit.component % kKinds);
            e.edge = hit.kind == HitKind::Falling ? EventEdge::Start : EventEdge::End;
            const double inside = jdeTT0 + (e.edge == EventEdge::Start ? hit.hi : hit.lo);
            e.observable = Observable(skies, e.jdeTT, inside, e.moon, e.kind, e.edge);
            return report(e);
        });
}

}  // namespace veltrax
