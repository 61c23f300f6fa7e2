// SPDX-License-Identifier: GPL-3.0-or-later
// One planning row for everything an observer plans for: a satellite's edge
// with Jupiter, an event of two satellites (at its maximum) and a Great Red
// Spot transit. The companion prints these rows and the events dialog lists
// them; both take them from here, filtered by one site filter.
#pragma once

#include "engine/calendar.h"
#include "engine/events.h"
#include "engine/mutual.h"
#include "engine/visibility.h"
#include "results/grs.h"
#include "results/planning.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>

namespace veltrax {

enum class RowKind { Satellite, Mutual, Spot };

struct PlanRow {
    // What happens: an edge, an event of two satellites with its contacts,
    // or a transit with the results at its second.
    std::variant<GalileanEvent, MutualEvent, GrsTransit> what;
    double jdUT;                   // the row's moment (a mutual event's maximum), Julian Day, UT
    int64_t ut;                    // the same to the nearest whole second, UT seconds from 1970-01-01
    std::optional<SiteView> view;  // Jupiter and the Sun from the site at that moment, when one is given
    bool seen;                     // the Earth can see it, and the site can watch it when one is given
    // An event already under way where a range starts (ForEachRowUnderWay):
    // its row lies before the range, and `view` is from the range's start.
    bool underWay = false;

    RowKind Kind() const { return static_cast<RowKind>(what.index()); }
    const GalileanEvent* Satellite() const { return std::get_if<GalileanEvent>(&what); }
    const MutualEvent* Mutual() const { return std::get_if<MutualEvent>(&what); }
    const GrsTransit* Spot() const { return std::get_if<GrsTransit>(&what); }
    // The Earth can see it: a satellite's or two satellites' event not hidden
    // by the planet or its shadow; a spot's transit always.
    bool Observable() const;
};

// A mutual event's first and last contact to the nearest whole second, UT
// seconds from 1970-01-01.
struct Contacts {
    int64_t startUt, endUt;
};
Contacts ContactsOf(const MutualEvent& e);

// "2O1": Europa occults Io; "1E2": Io eclipses Europa.
std::string MutualCode(const MutualEvent& e);

// The share of the passive satellite's light an event takes, in whole
// percent, rounded to the nearest (56.5 % is 57 %).
int DropPercent(const MutualEvent& e);

// The moment of a row in Japan Standard Time, to the second.
CivilTime JstOf(const PlanRow& row);

// Which rows are listed.
struct RowQuery {
    unsigned moons = 0xF;         // bit i for satellite i: its events, and the mutual events it takes part in
    unsigned kinds = 0xF;         // bit k for EventKind k (satellites) or MutualKind k (mutual events)
    double minFluxDrop = 0;       // mutual events: leave out those that dim the passive satellite less
    bool onlyObservable = false;  // leave out the rows the Earth cannot see
    bool onlyWatchable = false;   // with a site, leave out the moments it cannot watch Jupiter
    std::optional<SiteFilter> site;
    const GrsSource* grs = nullptr;  // the spot's prediction: needed for spot rows
};

// The rows of one kind whose moment lies between jdUT0 and jdUT1 (Julian
// Days, UT), in time order. emit may return false to stop. Throws Fault.
void ForEachPlanRow(RowKind kind, double jdUT0, double jdUT1, const RowQuery& query,
                    const std::function<bool(const PlanRow&)>& emit);

// The same for the rows whose whole second lies in fromUt..toUt (UT seconds,
// inclusive).
void ForEachPlanRowInSeconds(RowKind kind, int64_t fromUt, int64_t toUt, const RowQuery& query,
                             const std::function<bool(const PlanRow&)>& emit);

// An event under way at a moment began less than this before it: a
// satellite crosses the disk or the shadow in under six hours (Callisto),
// and the longest events of two satellites last a few hours. Days.
constexpr double kUnderWayReachDays = 0.3;

// The events of one kind under way at jdUT (Julian Day, UT), which a range
// starting there lists first: a satellite's transit, shadow transit,
// occultation or eclipse whose start lies before jdUT and whose end after it,
// as the row of its start edge; an event of two satellites whose maximum lies
// before jdUT and whose last contact after it (one with its maximum at or
// after jdUT is in the range itself), as its row at the maximum. A spot's
// transit takes no time: none. Each row is marked underWay; the query's
// filters take it as it is at jdUT (the start edge's or the event's own
// observability, the site's view of Jupiter at jdUT). In time order. emit may
// return false to stop. Throws Fault.
void ForEachRowUnderWay(RowKind kind, double jdUT, const RowQuery& query,
                        const std::function<bool(const PlanRow&)>& emit);

}  // namespace veltrax
