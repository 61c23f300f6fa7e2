// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/light_curve.h"

#include "engine/site.h"

#include <cmath>

namespace veltrax {
namespace {

// An event under way at a moment has its maximum within kUnderWayReachDays
// (results/plan_rows.h) of it.
constexpr int64_t kNearestMaximumSeconds = 3600;

double Flux(int moon)
{
    return std::pow(10.0, -0.4 * kMoonMeanOppositionMagnitude[moon]);
}

}  // namespace

double PairFraction(int active, int passive, double passiveFraction)
{
    const double fa = Flux(active), fb = Flux(passive);
    return (fa + fb * passiveFraction) / (fa + fb);
}

double MagnitudeDrop(double fraction)
{
    return -2.5 * std::log10(fraction) + 0.0;  // + 0.0: no "-0" when nothing is lost
}

LightCurve ComputeLightCurve(const PlanRow& row, int64_t stepSeconds)
{
    if (stepSeconds <= 0)
        throw Fault("a light curve needs a positive step");
    const MutualEvent* mutual = row.Mutual();
    if (!mutual)
        throw Fault("a light curve is drawn for an event of two satellites");
    const MutualEvent& e = *mutual;
    const Contacts contacts = ContactsOf(e);
    LightCurve curve{row, contacts, MutualSceneAt(e, e.maxTT), {}};
    const int64_t maxUt = row.ut;
    // Whole steps from the maximum: k from the first to the last that lies
    // within the contacts and their margins.
    const int64_t before = maxUt - (contacts.startUt - kLightCurveMarginSeconds);
    const int64_t after = contacts.endUt + kLightCurveMarginSeconds - maxUt;
    for (int64_t k = -(before / stepSeconds); k <= after / stepSeconds; ++k) {
        LightCurveSample s;
        s.secondsFromMaximum = k * stepSeconds;
        s.ut = maxUt + s.secondsFromMaximum;
        const double jdeTT = JdTTFromUT(JdFromSeconds(static_cast<double>(s.ut)));
        s.fluxPassive = 1.0 - MutualSceneAt(e, jdeTT).lostFraction;
        s.fluxPair = PairFraction(e.active, e.passive, s.fluxPassive);
        s.deltaMagPair = MagnitudeDrop(s.fluxPair);
        curve.samples.push_back(s);
    }
    return curve;
}

std::optional<PlanRow> FindMutualEventByCode(const std::string& code, int64_t ut)
{
    const double jdUT = JdFromSeconds(static_cast<double>(ut));
    std::optional<PlanRow> underWay, nearest;
    ForEachPlanRow(RowKind::Mutual, jdUT - kUnderWayReachDays, jdUT + kUnderWayReachDays, RowQuery{},
                   [&](const PlanRow& r) {
        const MutualEvent& e = *r.Mutual();
        if (MutualCode(e) != code)
            return true;
        const Contacts c = ContactsOf(e);
        if (!underWay && c.startUt <= ut && ut <= c.endUt)
            underWay = r;
        const int64_t gap = std::llabs(r.ut - ut);
        if (gap <= kNearestMaximumSeconds && (!nearest || gap < std::llabs(nearest->ut - ut)))
            nearest = r;
        return true;
    });
    return underWay ? underWay : nearest;
}

}  // namespace veltrax
