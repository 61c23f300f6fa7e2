// SPDX-License-Identifier: GPL-3.0-or-later
// One search for the moments at which functions of time pass through zero:
// satellite events, Great Red Spot transits, anything else that is a sign
// change of a smooth function.
//
// The functions are sampled together (one call gives every component at one
// moment, so that an expensive computation shared by all of them runs once per
// sample), a step apart. Every sign change between two samples is refined by a
// bracketing root finder (Brent's method) to a tolerance. A pair of crossings
// that falls between two samples (a function dipping through zero and back,
// such as a satellite that only grazes the limb) is found from the samples'
// local extrema: where the parabola through three samples around an extremum
// comes near zero, the extremum itself is located and, when it lies beyond
// zero, both crossings are refined around it.
//
// The unit of t is the caller's (days, seconds); step and tolerance are in it.
#pragma once

#include <functional>
#include <limits>

namespace veltrax {

enum class HitKind {
    Rising,   // negative before, zero or positive after
    Falling,  // zero or positive before, negative after
    Touch,    // an extremum within SearchOptions::touchMargin of zero that
              // does not cross it
};

struct SearchHit {
    int component;  // which function, 0 to components - 1
    HitKind kind;
    double t;       // the crossing (or the extremum of a touch), within tolerance
    double lo, hi;  // a crossing's final bracket (lo <= t <= hi, f changes sign
                    // between them); a touch's t twice
    double value;   // the function at t (a touch: its extremum; a crossing:
                    // at the root as found, near zero)
};

struct SearchOptions {
    double step = 0;       // between samples; > 0
    double tolerance = 0;  // a crossing's bracket ends narrower than this; > 0
    // A sign change whose two samples differ by more than this is a jump of a
    // discontinuous function (a longitude wrapping at 180 degrees), not a root.
    double maxJump = std::numeric_limits<double>::infinity();
    // Look for pairs of crossings between samples.
    bool grazing = true;
    // Report extrema that come within this of zero without crossing (0: none).
    double touchMargin = 0;
    // Called right after each scan sample at t, before any other: how far the
    // next sample may be (a bound the caller knows, such as the time the
    // nearest satellite needs to reach the disk). It is held to step ..
    // maxStep; without it every step is `step`.
    std::function<double(double t)> nextStep;
    double maxStep = 0;
};

// Fills values[0 .. components-1] with the functions at t.
using SearchSampler = std::function<void(double t, double* values)>;

// Returns false to stop the search.
using SearchReport = std::function<bool(const SearchHit&)>;

// Every crossing of zero (and every touch) of the `components` functions
// within t0 .. t1 (inclusive), reported in time order. The functions are
// sampled from t0 - step to t1 + step, t0 and t1 among the samples, so that a
// crossing near either end is found from samples on both sides: they must be
// defined there. Sampling assumes that no function has two extrema near zero
// within two steps (the step is short against the functions' own time
// scales); a crossing whose samples differ by more than maxJump is passed
// over. Throws Fault for a step or tolerance that is not positive, or t1
// before t0.
void SearchCrossings(double t0, double t1, int components, const SearchSampler& sample,
                     const SearchOptions& options, const SearchReport& report);

// The root of f between a and b, given fa = f(a) and fb = f(b) of opposite
// signs (zero counting as positive), by Brent's method: on return lo and hi
// bracket it (f(lo) and f(hi) of opposite signs) and are less than tolerance
// apart, or one of them is an exact zero. Returns the root's best estimate;
// fRoot, when given, receives f there. A guess of the root inside (a, b) and
// of the slope there (from an interpolation of samples) saves most of the
// steps on a smooth function: the bracket is first closed around it by two
// Newton steps, then Brent's method finishes.
double FindRoot(const std::function<double(double)>& f, double a, double fa, double b, double fb,
                double tolerance, double& lo, double& hi, double* fRoot = nullptr,
                double guess = std::numeric_limits<double>::quiet_NaN(),
                double slope = std::numeric_limits<double>::quiet_NaN());

// The minimum of f on [a, b] by Brent's method (golden section and parabolic
// steps), starting from x inside (a, b) where f(x) = fx, located to within
// about tolerance; it stops early at the first value below stopBelow. Returns
// the best place found; fmin is f there.
double FindMinimum(const std::function<double(double)>& f, double a, double b, double x, double fx,
                   double tolerance, double& fmin,
                   double stopBelow = -std::numeric_limits<double>::infinity());

}  // namespace veltrax
