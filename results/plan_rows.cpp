// SPDX-License-Identifier: GPL-3.0-or-later
#include "results/plan_rows.h"

#include "engine/planets.h"
#include "engine/site.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

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
// site, whether the site can watch Jupiter then (at viewJdUT, the row's
// moment unless the row is under way). A row is seen only when both hold.
// false when the row is to be left out.
bool Filter(PlanRow& r, const RowQuery& q, double viewJdUT)
{
    if (q.onlyObservable && !r.Observable())
        return false;
    r.seen = r.Observable();
    if (!q.site)
        return true;
    r.view = ViewFromSite(viewJdUT, *q.site);
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
        return !Filter(r, q, r.jdUT) || emit(r);
    });
}

// Where the search for the events under way at jdUT starts: kUnderWayReachDays
// before it, but not before the theories' first year (a minute inside it),
// so that a range the theories can list is never refused for looking back.
double LookBackFrom(double jdUT)
{
    return std::max(jdUT - kUnderWayReachDays, JdUTFromTT(kFirstJdeTT) + 1.0 / 1440);
}

// The satellites' events whose start edge lies before jdUT and whose end
// does not lie at or before it: the last start of each satellite and kind
// not yet followed by its end. In the order of their starts.
std::vector<PlanRow> SatellitesUnderWay(double jdUT, const RowQuery& q)
{
    std::optional<PlanRow> open[4][4];
    Search(RowKind::Satellite, LookBackFrom(jdUT), jdUT, q, [&](PlanRow& r) {
        const GalileanEvent& e = *r.Satellite();
        std::optional<PlanRow>& slot = open[e.moon][static_cast<int>(e.kind)];
        if (e.edge == EventEdge::End)
            slot.reset();
        else if (r.jdUT < jdUT)
            slot = std::move(r);
        return true;
    });
    std::vector<PlanRow> rows;
    for (auto& moon : open)
        for (auto& slot : moon)
            if (slot)
                rows.push_back(std::move(*slot));
    std::sort(rows.begin(), rows.end(), [](const PlanRow& a, const PlanRow& b) { return a.jdUT < b.jdUT; });
    return rows;
}

// The events of two satellites whose maximum lies before jdUT and whose last
// contact after it, in the order of their maxima.
std::vector<PlanRow> MutualUnderWay(double jdUT, const RowQuery& q)
{
    std::vector<PlanRow> rows;
    Search(RowKind::Mutual, LookBackFrom(jdUT), jdUT, q, [&](PlanRow& r) {
        if (r.jdUT < jdUT && JdUTFromTT(r.Mutual()->endTT) > jdUT)
            rows.push_back(std::move(r));
        return true;
    });
    return rows;
}

}  // namespace

void ForEachRowUnderWay(RowKind kind, double jdUT, const RowQuery& query,
                        const std::function<bool(const PlanRow&)>& emit)
{
    if (kind == RowKind::Spot || LookBackFrom(jdUT) >= jdUT)
        return;
    std::vector<PlanRow> rows = kind == RowKind::Satellite ? SatellitesUnderWay(jdUT, query) : MutualUnderWay(jdUT, query);
    for (PlanRow& r : rows) {
        r.underWay = true;
        if (Filter(r, query, jdUT) && !emit(r))
            return;
    }
}

void ForEachPlanRow(RowKind kind, double jdUT0, double jdUT1, const RowQuery& query,
                    const std::function<bool(const PlanRow&)>& emit)
{
    if (kind == RowKind::Spot) {
        // The whole seconds of UT inside the range, as the companion counts them.
        SpotRows(static_cast<int64_t>(std::ceil((jdUT0 - kJdUnixEpoch) * kSecondsPerDay)),
                 static_cast<int64_t>(std::floor((jdUT1 - kJdUnixEpoch) * kSecondsPerDay)), query, emit);
        return;
    }
    Search(kind, jdUT0, jdUT1, query, [&](PlanRow& r) { return !Filter(r, query, r.jdUT) || emit(r); });
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
           [&](PlanRow& r) { return r.ut < fromUt || r.ut > toUt || !Filter(r, query, r.jdUT) || emit(r); });
}

}  // namespace veltrax
