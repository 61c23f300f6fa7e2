// SPDX-License-Identifier: GPL-3.0-or-later
// The search's grazing pairs, wherever the samples fall against the dip, and
// the number of samples its step rule implies.
#include "engine/search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace veltrax {
namespace {

// Two disks whose radii sum to 1 pass each other at unit speed, their centres
// closest (0.9999 apart) at kClosest: the separation less the sum of radii is
//   f(t) = sqrt(0.9999^2 + (t - kClosest)^2) - 1,
// negative only while (t - kClosest)^2 < 1 - 0.9999^2 = 0.00019999, i.e. for
// |t - kClosest| < sqrt(0.00019999) = 0.0141417820659. The whole overlap
// (0.028) lies well inside one step (0.25), and its deepest point is -1e-4.
constexpr double kClosest = 10.3;
constexpr double kHalfOverlap = 0.0141417820659;
double Graze(double t)
{
    const double x = t - kClosest;
    return std::sqrt(0.9999 * 0.9999 + x * x) - 1;
}

struct Scan {
    std::vector<SearchHit> hits;
    std::vector<double> sampledAt;  // every call of the sampled function
};

Scan Search(double t0, double t1, double (*f)(double), const SearchOptions& options)
{
    Scan run;
    SearchCrossings(
        t0, t1, 1,
        [&](double t, double* v) {
            run.sampledAt.push_back(t);
            v[0] = f(t);
        },
        options, [&](const SearchHit& h) {
            run.hits.push_back(h);
            return true;
        });
    return run;
}

constexpr double kStep = 0.25;
constexpr double kTolerance = 1e-9;

SearchOptions Options()
{
    SearchOptions o;
    o.step = kStep;
    o.tolerance = kTolerance;
    return o;
}

TEST(GrazingSearch, FoundAtEverySamplingPhase)
{
    // Fifty starts a fiftieth of a step apart put the samples at every
    // place against the dip: on its deepest point, either side, at its ends.
    for (int shift = 0; shift < 50; ++shift) {
        const double t0 = 8.0 + kStep * shift / 50;
        SCOPED_TRACE("start " + std::to_string(t0));
        const Scan run = Search(t0, t0 + 5, Graze, Options());
        ASSERT_EQ(run.hits.size(), 2u);
        EXPECT_EQ(run.hits[0].kind, HitKind::Falling);
        EXPECT_NEAR(run.hits[0].t, kClosest - kHalfOverlap, kTolerance);
        EXPECT_EQ(run.hits[1].kind, HitKind::Rising);
        EXPECT_NEAR(run.hits[1].t, kClosest + kHalfOverlap, kTolerance);
        for (const SearchHit& h : run.hits) {
            EXPECT_LE(h.lo, h.t);
            EXPECT_GE(h.hi, h.t);
            EXPECT_LE(h.hi - h.lo, kTolerance);
        }
    }
}

// Samples beyond the scan's own: a crossing's root finder (the guess closed
// in by up to three Newton steps, then Brent's method, which needs a few
// dozen steps at most) and, for a grazing pair, the minimum's search before
// its two crossings. 60 per crossing holds all of that.
constexpr int kRefinementAllowance = 60;

TEST(GrazingSearch, SamplesNoMoreThanTheStepImplies)
{
    // The scan: t0 - step, t0, t0 + step, ... up to t1, and t1 + step.
    const double t0 = 8.0, t1 = 13.0;
    const int scan = static_cast<int>(std::floor((t1 - t0) / kStep)) + 3;  // 23
    const Scan run = Search(t0, t1, Graze, Options());
    ASSERT_EQ(run.hits.size(), 2u);
    EXPECT_GE(static_cast<int>(run.sampledAt.size()), scan);
    EXPECT_LE(static_cast<int>(run.sampledAt.size()), scan + 2 * kRefinementAllowance);

    // A function that never comes near zero is sampled by the scan alone, a
    // step apart; the last step is cut short at t1.
    const auto far = [](double t) { return 2 + std::sin(t); };
    const Scan plain = Search(t0, t1 + 0.1, far, Options());
    ASSERT_EQ(plain.sampledAt.size(), 24u);  // t0 - step .. t1 + step: 8 - 0.25, 8, ..., 13, 13.1, 13.35
    EXPECT_TRUE(plain.hits.empty());
    EXPECT_EQ(plain.sampledAt.front(), t0 - kStep);
    EXPECT_EQ(plain.sampledAt[plain.sampledAt.size() - 2], t1 + 0.1);
    for (size_t i = 1; i + 1 < plain.sampledAt.size(); ++i)
        EXPECT_NEAR(plain.sampledAt[i] - plain.sampledAt[i - 1], i + 2 < plain.sampledAt.size() ? kStep : 0.1, 1e-12)
            << "sample " << i;

    // The caller's step bound is held between step and maxStep: asking for
    // less than a step still steps a step; asking for more steps maxStep.
    SearchOptions shortAsk = Options();
    shortAsk.maxStep = 4 * kStep;
    shortAsk.nextStep = [](double) { return 0.0; };
    EXPECT_EQ(Search(t0, t1 + 0.1, far, shortAsk).sampledAt, plain.sampledAt);

    SearchOptions longAsk = Options();
    longAsk.maxStep = 4 * kStep;
    longAsk.nextStep = [](double) { return 100.0; };
    const Scan stretched = Search(t0, t1, far, longAsk);
    // t0 - step, t0, t0 + 1, ..., t0 + 5 = t1, t1 + step.
    const std::vector<double> want{7.75, 8, 9, 10, 11, 12, 13, 13.25};
    EXPECT_EQ(stretched.sampledAt, want);
}

}  // namespace
}  // namespace veltrax
