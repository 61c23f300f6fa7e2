// SPDX-License-Identifier: GPL-3.0-or-later
// The night's timetable: one search over the 24 hours for every threshold
// (engine/search.h), the altitudes from engine/site.h, the watch rule from
// engine/visibility.h.
#include "engine/night.h"

#include "engine/checked.h"
#include "engine/search.h"
#include "engine/visibility.h"

#include <cmath>

namespace veltrax {
namespace {

// Sampled an hour apart: every altitude here takes about a day to go round,
// so a threshold met twice within two hours (a graze) is found from the
// samples' extremum.
constexpr double kStepDays = 1.0 / 24;
constexpr double kToleranceDays = 0.1 / 86400;

// The searched functions, each zero at its threshold and positive above it.
enum Component {
    kSunHorizon,
    kSunCivil,
    kSunNautical,
    kSunAstronomical,
    kJupiterHorizon,
    kJupiterHighEnough,  // the watch rule's Jupiter
    kSunLowEnough,       // the watch rule's Sun (positive when the sky is dark enough)
    kComponents
};

// The events each component's falling and rising crossings are.
struct Crossing {
    Component component;
    NightEvent falling, rising;
};
constexpr Crossing kCrossings[] = {
    {kSunHorizon, NightEvent::Sunset, NightEvent::Sunrise},
    {kSunCivil, NightEvent::CivilDusk, NightEvent::CivilDawn},
    {kSunNautical, NightEvent::NauticalDusk, NightEvent::NauticalDawn},
    {kSunAstronomical, NightEvent::AstronomicalDusk, NightEvent::AstronomicalDawn},
    {kJupiterHorizon, NightEvent::JupiterSet, NightEvent::JupiterRise},
};

void Sample(double jdUT, const Site& site, const SiteFilter& rule, double* v)
{
    const SkyAltitudes a = ComputeTrueAltitudes(jdUT, site);
    v[kSunHorizon] = a.sunDeg - kSunriseAltitudeDeg;
    v[kSunCivil] = a.sunDeg - kCivilTwilightAltitudeDeg;
    v[kSunNautical] = a.sunDeg - kNauticalTwilightAltitudeDeg;
    v[kSunAstronomical] = a.sunDeg - kAstronomicalTwilightAltitudeDeg;
    v[kJupiterHorizon] = a.jupiterDeg - kJupiterRiseAltitudeDeg;
    v[kJupiterHighEnough] = a.jupiterDeg + RefractionDeg(a.jupiterDeg) - rule.minJupiterAltitudeDeg;
    v[kSunLowEnough] = rule.maxSunAltitudeDeg - (a.sunDeg + RefractionDeg(a.sunDeg));
}

// Jupiter's first highest true altitude within 0 .. 1 day after start, from
// hourly samples refined by the minimum search; nullopt when none.
std::optional<double> Culmination(double startJdUT, const Site& site)
{
    const auto negAltitude = [&](double t) { return -ComputeTrueAltitudes(startJdUT + t, site).jupiterDeg; };
    constexpr int kSamples = 27;  // an hour before the start to an hour after the end
    double f[kSamples];
    for (int k = 0; k < kSamples; ++k)
        f[k] = negAltitude((k - 1) * kStepDays);
    for (int k = 1; k + 1 < kSamples; ++k) {
        if (!(f[k] <= f[k - 1] && f[k] < f[k + 1]))
            continue;
        double fmin = 0;
        const double t = FindMinimum(negAltitude, (k - 2) * kStepDays, k * kStepDays, (k - 1) * kStepDays, f[k],
                                     kToleranceDays, fmin);
        if (t >= 0 && t <= 1)
            return startJdUT + t;
    }
    return std::nullopt;
}

}  // namespace

std::optional<JdSpan> NightTimetable::LongestWatch() const
{
    std::optional<JdSpan> longest;
    for (const JdSpan& s : watch)
        if (!longest || s.toJdUT - s.fromJdUT > longest->toJdUT - longest->fromJdUT)
            longest = s;
    return longest;
}

double NightStartJdUT(const CivilDate& date)
{
    const int64_t noonJst = DaysFromCivil(date.year, date.month, date.day) * kSecondsPerDay + 12 * 3600;
    return JdFromSeconds(static_cast<double>(noonJst - kJstOffsetSeconds));
}

NightTimetable ComputeNight(const CivilDate& date, const Site& site)
{
    NightTimetable night;
    night.startJdUT = NightStartJdUT(date);
    const double start = night.startJdUT;
    const SiteFilter rule{site};

    double atStart[kComponents];
    Sample(start, site, rule, atStart);
    for (const Crossing& c : kCrossings) {
        night.aboveAtStart[static_cast<size_t>(c.falling)] = atStart[c.component] >= 0;
        night.aboveAtStart[static_cast<size_t>(c.rising)] = atStart[c.component] >= 0;
    }
    night.aboveAtStart[static_cast<size_t>(NightEvent::JupiterCulmination)] = atStart[kJupiterHorizon] >= 0;

    bool jupiterHigh = atStart[kJupiterHighEnough] >= 0, sunLow = atStart[kSunLowEnough] >= 0;
    std::optional<double> spanFrom;
    if (jupiterHigh && sunLow)
        spanFrom = start;

    // Time in days after the start, to keep the search's steps exact.
    SearchOptions options;
    options.step = kStepDays;
    options.tolerance = kToleranceDays;
    SearchCrossings(
        0, 1, kComponents, [&](double t, double* v) { Sample(start + t, site, rule, v); }, options,
        [&](const SearchHit& hit) {
            if (hit.kind == HitKind::Touch)
                return true;
            const bool rising = hit.kind == HitKind::Rising;
            const double jd = start + hit.t;
            for (const Crossing& c : kCrossings) {
                if (c.component != hit.component)
                    continue;
                std::optional<double>& slot = night.jdUT[static_cast<size_t>(rising ? c.rising : c.falling)];
                if (!slot)
                    slot = jd;
            }
            if (hit.component == kJupiterHighEnough || hit.component == kSunLowEnough) {
                (hit.component == kJupiterHighEnough ? jupiterHigh : sunLow) = rising;
                if (jupiterHigh && sunLow && !spanFrom) {
                    spanFrom = jd;
                } else if (!(jupiterHigh && sunLow) && spanFrom) {
                    night.watch.push_back({*spanFrom, jd});
                    spanFrom.reset();
                }
            }
            return true;
        });
    if (spanFrom)
        night.watch.push_back({*spanFrom, start + 1});

    night.jdUT[static_cast<size_t>(NightEvent::JupiterCulmination)] = Culmination(start, site);
    if (const auto& c = night.At(NightEvent::JupiterCulmination)) {
        const double h = ComputeTrueAltitudes(*c, site).jupiterDeg;
        night.culminationAltitudeDeg = h + RefractionDeg(h);
    }
    return night;
}

}  // namespace veltrax
