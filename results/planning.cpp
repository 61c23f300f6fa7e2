// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/planning.h"

#include "engine/events.h"
#include "engine/search.h"
#include "engine/site.h"

#include <cmath>

namespace veltrax {
namespace {

// Scan step of the transit search: the difference changes by about 12 degrees
// from one sample to the next, far from the 180-degree wrap.
constexpr int64_t kScanSeconds = 1200;

// The root finder closes the bracket to this (seconds).
constexpr double kBracketSeconds = 0.01;

// A difference turning from negative to non-negative by more than this between
// two samples is the wrap at 180 degrees, not a transit.
constexpr double kWrapJump = 90;

// At the whole second found the two longitudes differ by at most about 0.005
// degrees (half a second of rotation). Where JupArgJ passes 180 the phase
// correction changes sign and the illuminated meridian steps forward by twice
// the correction (Jupiter is then near conjunction: under 0.01 degrees); a
// transit inside the step is reported at the better of the two seconds around
// it, still within 0.01 degrees. Where JupArgJ passes 360 the meridian steps
// back by up to 0.02 degrees, and a longitude inside that step is met twice
// within two seconds; the search reports one of the two. A residual larger
// than this means the root search closed on a step of the prediction itself,
// which no meridian passes.
constexpr double kMaxResidual = 0.5;

}  // namespace

Results ResultsAt(const CivilTime& ut, double fraction, const GrsSource& grs)
{
    // The day with its fraction, formed as the recalculation forms it: hours
    // and minutes in whole seconds, then the seconds, then the day.
    const int32_t hm = ut.hour * 3600 + ut.minute * 60;
    const double s = ut.second + fraction;
    const double F = (hm + s) / 86400 + ut.day;
    return ComputeMoment(static_cast<int32_t>(ut.year), ut.month, F, grs);
}

double WrappedDifference(double a, double b)
{
    double d = std::fmod(a - b, 360.0);
    if (d <= -180)
        d += 360;
    else if (d > 180)
        d -= 360;
    return d;
}

void FindGrsTransits(int64_t fromUt, int64_t toUt, const GrsSource& grs,
                     const std::function<bool(GrsTransit&)>& emit)
{
    // Time runs in seconds after `fromUt`, as a double between the samples.
    auto at = [&](double offset, Results* keep) {
        const double whole = std::floor(offset);
        const Results r = ResultsAt(CivilFromSeconds(fromUt + static_cast<int64_t>(whole)), offset - whole, grs);
        if (keep)
            *keep = r;
        return WrappedDifference(r.CM2, r.GrsLongitude);
    };

    SearchOptions options;
    options.step = kScanSeconds;
    options.tolerance = kBracketSeconds;
    options.maxJump = kWrapJump;  // the wrap at 180 degrees
    options.grazing = false;      // the difference only grows, but for the wrap

    // A crossing up to a second outside the range may still have its nearest
    // whole second inside it.
    const int64_t span = toUt - fromUt;
    SearchCrossings(
        -1, static_cast<double>(span) + 1, 1, [&](double t, double* v) { v[0] = at(t, nullptr); }, options,
        [&](const SearchHit& hit) {
            if (hit.kind != HitKind::Rising)
                return true;
            // The crossing lies within [lo, hi], so its nearest whole second is
            // floor(lo) or the next one: take the one where the longitudes agree best.
            const int64_t s0 = static_cast<int64_t>(std::floor(hit.lo));
            Results r0, r1;
            const double d0 = std::fabs(at(static_cast<double>(s0), &r0));
            const double d1 = std::fabs(at(static_cast<double>(s0 + 1), &r1));
            const int64_t best = d1 < d0 ? s0 + 1 : s0;
            if (std::fmin(d0, d1) > kMaxResidual || best < 0 || best > span)
                return true;
            GrsTransit transit{fromUt + best, std::move(best == s0 ? r0 : r1)};
            return emit(transit);
        });
}

SatellitesSeen SatellitesAt(double jde)
{
    const double d = jde - kEpoch1900Jd;
    const JupiterAspect aspect = CalcAspect(d);
    SatellitesSeen s{CalcMoons(d, aspect), {}};
    for (int i = 0; i < 4; ++i)
        s.front[i] = DrawnInFront(DepthKey(s.moons.U[i]));
    return s;
}

void CheckEventRange(int64_t fromUt, int64_t toUt, const std::optional<SiteFilter>& site)
{
    // Both ends of the search, a second outside the range, and the site's view at the range's ends.
    const double jdTT0 = JdTTFromUT(JdFromSeconds(static_cast<double>(fromUt) - 1));
    const double jdTT1 = JdTTFromUT(JdFromSeconds(static_cast<double>(toUt) + 1));
    Finite(ComputeGalileanSky(jdTT0).moon[3].fromEarth.x, "the satellites at FROM");
    Finite(ComputeGalileanSky(jdTT1).moon[3].fromEarth.x, "the satellites at TO");
    if (site) {
        ViewFromSite(JdFromSeconds(static_cast<double>(fromUt)), *site);
        ViewFromSite(JdFromSeconds(static_cast<double>(toUt)), *site);
    }
}

std::string DescribeFault(const Fault& fault)
{
    switch (fault.kind()) {
    case FaultKind::NoConvergence:
        return std::string("a search did not converge (") + fault.what() + ")";
    case FaultKind::OutOfRange:
    case FaultKind::Arithmetic:
        break;
    }
    return fault.what();
}

}  // namespace veltrax
