// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/plan_rows.h"

#include "engine/site.h"

#include <cmath>
#include <utility>

namespace veltrax {

bool PlanRow::Observable() const
{
    if (const GalileanEvent* e = Satellite())
        return e->observable;
    if (const MutualEvent* e = Mutual())
        return e->observable;
    return true;
}

Contacts ContactsOf(const MutualEvent& e)
{
    return {SecondsFromJd(JdUTFromTT(e.startTT)), SecondsFromJd(JdUTFromTT(e.endTT))};
}

std::string MutualCode(const MutualEvent& e)
{
    const char kind = e.kind == MutualKind::Occultation ? 'O' : 'E';
    return std::string{static_cast<char>('1' + e.active), kind, static_cast<char>('1' + e.passive)};
}

int DropPercent(const MutualEvent& e) { return static_cast<int>(std::lround(e.fluxDrop * 100)); }

CivilTime JstOf(const PlanRow& row) { return CivilFromSeconds(row.ut + kJstOffsetSeconds); }

namespace {

PlanRow RowAt(std::variant<GalileanEvent, MutualEvent, GrsTransit> what, double jdUT)
{
    PlanRow r{std::move(what), jdUT, SecondsFromJd(jdUT), std::nullopt, true};
    r.seen = r.Observable();
    return r;
}

// The rows of the satellites' or two satellites' events between jdUT0 and
// jdUT1 that the query's satellites, kinds and smallest drop select, before
// the site looks at them. emit may return false to stop.
void Search(RowKind kind, double jdUT0, double jdUT1, const RowQuery& q, const std::function<bool(PlanRow&)>& emit)
{
    if (kind == RowKind::Satellite) {
        FindGalileanEvents(JdTTFromUT(jdUT0), JdTTFromUT(jdUT1), [&](const GalileanEvent& e) {
            if (!(q.moons >> e.moon & 1u) || !(q.kinds >> static_cast<int>(e.kind) & 1u))
                return true;
            PlanRow r = RowAt(e, JdUTFromTT(e.jdeTT));
            return emit(r);
        });
    } else {
        FindMutualEvents(JdTTFromUT(jdUT0), JdTTFromUT(jdUT1), [&](const MutualEvent& e) {
            // Either satellite named selects the event: "--moons I" keeps 2O1 as well as 1O2.
            if (!(q.kinds >> static_cast<int>(e.kind) & 1u) || !((q.moons >> e.active & 1u) || (q.moons >> e.passive & 1u)) ||
                e.fluxDrop < q.minFluxDrop)
                return true;
            PlanRow r = RowAt(e, JdUTFromTT(e.maxTT));
            return emit(r);
        });
    }
}

// The one filter every row passes: whether the Earth can see it and, with a
// site, whether the site can watch Jupiter then. A row is seen only when
// both hold. false when the row is to be left out.
bool Filter(PlanRow& r, const RowQuery& q)
{
    if (q.onlyObservable && !r.Observable())
        return false;
    r.seen = r.Observable();
    if (!q.site)
        return true;
    r.view = ViewFromSite(r.jdUT, *q.site);
    r.seen = r.seen && r.view->watchable;
    return !(q.onlyWatchable && !r.view->watchable);
}

void SpotRows(int64_t fromUt, int64_t toUt, const RowQuery& q, const std::function<bool(const PlanRow&)>& emit)
{
    if (!q.grs)
        return;
    FindGrsTransits(fromUt, toUt, *q.grs, [&](GrsTransit& t) {
        const int64_t ut = t.ut;
        PlanRow r = RowAt(std::move(t), JdFromSeconds(static_cast<double>(ut)));
        r.ut = ut;
        return !Filter(r, q) || emit(r);
    });
}

}  // namespace

void ForEachPlanRow(RowKind kind, double jdUT0, double jdUT1, const RowQuery& query,
                    const std::function<bool(const PlanRow&)>& emit)
{
    if (kind == RowKind::Spot) {
        // The whole seconds of UT inside the range, as the companion counts them.
        SpotRows(static_cast<int64_t>(std::ceil((jdUT0 - kJdUnixEpoch) * kSecondsPerDay)),
                 static_cast<int64_t>(std::floor((jdUT1 - kJdUnixEpoch) * kSecondsPerDay)), query, emit);
        return;
    }
    Search(kind, jdUT0, jdUT1, query, [&](PlanRow& r) { return !Filter(r, query) || emit(r); });
}

void ForEachPlanRowInSeconds(RowKind kind, int64_t fromUt, int64_t toUt, const RowQuery& query,
                             const std::function<bool(const PlanRow&)>& emit)
{
    if (kind == RowKind::Spot) {
        SpotRows(fromUt, toUt, query, emit);
        return;
    }
    // The search runs from a second before FROM to a second after TO, as a
    // moment just outside may still round into the range; only the rows
    // inside are looked at from the site.
    Search(kind, JdFromSeconds(static_cast<double>(fromUt) - 1), JdFromSeconds(static_cast<double>(toUt) + 1), query,
           [&](PlanRow& r) { return r.ut < fromUt || r.ut > toUt || !Filter(r, query) || emit(r); });
}

}  // namespace veltrax
