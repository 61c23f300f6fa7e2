// SPDX-License-Identifier: GPL-3.0-or-later
// The generic search on functions whose roots are known by hand: plain sign
// changes, a dip through zero and back between two samples, a tangent touch,
// a wrap that is not a root, the range's ends and early stopping.
#include "engine/checked.h"
#include "engine/search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace veltrax {
namespace {

constexpr double kPi = 3.14159265358979323846;

struct Expected {
    int component;
    HitKind kind;
    double t;
};

struct SearchCase {
    const char* name;
    std::vector<double (*)(double)> functions;
    double t0, t1, step;
    SearchOptions options;
    std::vector<Expected> hits;  // in time order
};

std::vector<SearchHit> Search(const SearchCase& c)
{
    std::vector<SearchHit> got;
    SearchOptions o = c.options;
    o.step = c.step;
    SearchCrossings(
        c.t0, c.t1, static_cast<int>(c.functions.size()),
        [&](double t, double* v) {
            for (size_t i = 0; i < c.functions.size(); ++i)
                v[i] = c.functions[i](t);
        },
        o, [&](const SearchHit& h) {
            got.push_back(h);
            return true;
        });
    return got;
}

SearchOptions Tolerance(double tol, double maxJump = INFINITY, double touchMargin = 0)
{
    SearchOptions o;
    o.tolerance = tol;
    o.maxJump = maxJump;
    o.touchMargin = touchMargin;
    return o;
}

TEST(Search, FindsEachKnownRootInTimeOrder)
{
    using K = HitKind;
    const SearchCase cases[] = {
        // sin is zero at 0 (rising: negative at the sample before), pi, 2 pi, 3 pi.
        {"sine", {[](double t) { return std::sin(t); }}, 0, 10, 0.5, Tolerance(1e-10),
         {{0, K::Rising, 0}, {0, K::Falling, kPi}, {0, K::Rising, 2 * kPi}, {0, K::Falling, 3 * kPi}}},
        // Two lines and Wallis's cubic t^3 - 2t - 5 (root 2.0945514815423265):
        // reported in time order across components.
        {"three functions",
         {[](double t) { return t - 3.3; }, [](double t) { return 2.2 - t; },
          [](double t) { return t * t * t - 2 * t - 5; }},
         0, 5, 1, Tolerance(1e-10),
         {{2, K::Rising, 2.0945514815423265}, {1, K::Falling, 2.2}, {0, K::Rising, 3.3}}},
        // (t - 2)^2 - 1e-4 dips below zero only between 1.99 and 2.01, between
        // the samples 1.8 and 2.1; its mirror image does the same from below.
        {"grazing dip", {[](double t) { return (t - 2) * (t - 2) - 1e-4; }}, 0, 5, 0.3, Tolerance(1e-10),
         {{0, K::Falling, 1.99}, {0, K::Rising, 2.01}}},
        {"grazing peak", {[](double t) { return 1e-4 - (t - 2) * (t - 2); }}, 0, 5, 0.3, Tolerance(1e-10),
         {{0, K::Rising, 1.99}, {0, K::Falling, 2.01}}},
        // A dip that stays above zero, touching nothing.
        {"clear miss", {[](double t) { return (t - 2) * (t - 2) + 0.5; }}, 0, 5, 0.3, Tolerance(1e-10, INFINITY, 0.1),
         {}},
        // (t - 2)^2 touches zero at 2 without crossing: a touch when asked for.
        {"tangent touch", {[](double t) { return (t - 2) * (t - 2); }}, 0, 5, 0.3, Tolerance(1e-8, INFINITY, 1e-6),
         {{0, K::Touch, 2}}},
        {"tangent, touches not asked", {[](double t) { return (t - 2) * (t - 2); }}, 0, 5, 0.3, Tolerance(1e-8), {}},
        // A sawtooth rises through zero at 5 and 15 and jumps from +5 to -5 at
        // 10: the jump is passed over when it exceeds maxJump.
        {"wrap passed over", {[](double t) { return std::fmod(t, 10) - 5; }}, 0, 19, 1, Tolerance(1e-10, 5.5),
         {{0, K::Rising, 5}, {0, K::Rising, 15}}},
        {"wrap taken", {[](double t) { return std::fmod(t, 10) - 5; }}, 0, 19, 1, Tolerance(1e-10),
         {{0, K::Rising, 5}, {0, K::Falling, 10}, {0, K::Rising, 15}}},
        // A root exactly at the range's end is inside, one just beyond is not.
        {"root at the end", {[](double t) { return t - 10; }}, 0, 10, 0.7, Tolerance(1e-10), {{0, K::Rising, 10}}},
        {"root past the end", {[](double t) { return t - 10.001; }}, 0, 10, 0.7, Tolerance(1e-10), {}},
    };
    for (const SearchCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<SearchHit> got = Search(c);
        ASSERT_EQ(got.size(), c.hits.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].component, c.hits[i].component) << "hit " << i;
            EXPECT_EQ(got[i].kind, c.hits[i].kind) << "hit " << i;
            // A touch is located to about the square root of the tolerance
            // times the curvature; a root to the tolerance.
            const double within = got[i].kind == HitKind::Touch ? 1e-3 : 1e-9;
            EXPECT_NEAR(got[i].t, c.hits[i].t, within) << "hit " << i;
            if (got[i].kind != HitKind::Touch) {
                EXPECT_LE(got[i].lo, got[i].t);
                EXPECT_GE(got[i].hi, got[i].t);
                EXPECT_LE(got[i].hi - got[i].lo, c.options.tolerance * 1.01);
            }
        }
    }
}

TEST(Search, StopsWhenTheReportSaysSo)
{
    int reports = 0;
    SearchOptions o = Tolerance(1e-9);
    o.step = 0.5;
    SearchCrossings(
        0, 100, 1, [](double t, double* v) { v[0] = std::sin(t); }, o,
        [&](const SearchHit&) { return ++reports < 2; });
    EXPECT_EQ(reports, 2);
}

TEST(Search, RefusesAStepOrRangeItCannotScan)
{
    const auto zero = [](double, double* v) { v[0] = 0; };
    const auto none = [](const SearchHit&) { return true; };
    EXPECT_THROW(SearchCrossings(0, 1, 1, zero, Tolerance(1e-9), none), Fault);  // no step
    SearchOptions o = Tolerance(1e-9);
    o.step = 0.1;
    EXPECT_THROW(SearchCrossings(1, 0, 1, zero, o, none), Fault);
    EXPECT_THROW(SearchCrossings(0, NAN, 1, zero, o, none), Fault);
    EXPECT_THROW(SearchCrossings(0, 1, 1, [](double, double* v) { v[0] = NAN; }, o, none), Fault);
}

TEST(FindRoot, ConvergesOnASmoothRootInAFewSteps)
{
    // Wallis's cubic t^3 - 2t - 5 between 2 and 3 (root 2.0945514815423265).
    int calls = 0;
    double lo = 0, hi = 0;
    const double root = FindRoot(
        [&](double t) {
            ++calls;
            return t * t * t - 2 * t - 5;
        },
        2, -1, 3, 16, 1e-12, lo, hi);
    EXPECT_NEAR(root, 2.0945514815423265, 1e-12);
    EXPECT_LE(hi - lo, 1e-12 * 1.01);
    EXPECT_LE(calls, 12);  // bisection alone would need 40
}

}  // namespace
}  // namespace veltrax
