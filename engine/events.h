// SPDX-License-Identifier: GPL-3.0-or-later
// The Galilean satellites' events: transits, occultations, shadow transits and
// eclipses, found from the precise theory (engine/galilean.h) by the generic
// search (engine/search.h).
//
// Definitions (the satellite's or the shadow's centre against the limb of the
// oblate disk, times as seen from the Earth's centre):
//   transit      the satellite in front of the disk, as the Earth sees it;
//   occultation  the satellite behind the disk, as the Earth sees it;
//   shadow       the satellite's shadow on the disk: the satellite in front of
//                the disk as the Sun sees it, for the sunlight that reaches
//                the cloud tops when the Earth sees them;
//   eclipse      the satellite in Jupiter's shadow: behind the disk as the Sun
//                sees it, for the sunlight that reaches the satellite when
//                the Earth sees it.
// Each has a start (the centre crosses the limb inward) and an end.
//
// Published tables often start a shadow transit when the shadow becomes
// visible on the disk rather than when it reaches the disk, and end a transit
// at the terminator; theirs differ from these by up to a minute and a half.
#pragma once

#include "engine/galilean.h"

#include <functional>
#include <vector>

namespace veltrax {

enum class EventKind { Transit, Shadow, Occultation, Eclipse };
enum class EventEdge { Start, End };

struct GalileanEvent {
    double jdeTT;   // Julian Day, TT, of the moment seen from the Earth's centre
    int moon;       // 0 to 3: I (Io), II (Europa), III (Ganymede), IV (Callisto)
    EventKind kind;
    EventEdge edge;
    // false when the edge cannot be seen from the Earth: an occultation edge
    // while the satellite is eclipsed, an eclipse edge while it is behind the
    // disk, a shadow reaching or leaving the limb on the hemisphere turned
    // away from the Earth, or a shadow hidden behind its own satellite.
    bool observable;
};

// The satellites' configuration at a jdeTT; ComputeGalileanSky unless a test
// gives its own.
using GalileanSkyModel = std::function<GalileanSky(double jdeTT)>;

// Scan step and root tolerance of the event search, days. Io, the fastest,
// crosses the disk in two hours or more: an hour's step sees each crossing
// between two samples, and a grazing pair within one step from the samples'
// minimum. The tolerance is well under the second the events are printed to.
constexpr double kEventStepDays = 1.0 / 24;
constexpr double kEventToleranceDays = 0.1 / 86400;

// Every edge from jdeTT0 to jdeTT1 (inclusive), in time order, observable or
// not. report may return false to stop. Throws Fault for a range the theory
// cannot compute.
void FindGalileanEvents(double jdeTT0, double jdeTT1, const std::function<bool(const GalileanEvent&)>& report,
                        const GalileanSkyModel& sky = ComputeGalileanSky);

}  // namespace veltrax
