// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/search.h"

#include "engine/checked.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace veltrax {
namespace {

constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// Zero counts as positive throughout, as a sample that lands exactly on a root
// belongs to the side after a rising crossing.
bool Negative(double v)
{
    return v < 0;
}

// Brent's method gives up after this many steps; it needs a few dozen at most
// for any bracket and tolerance of doubles, so reaching it means a function
// that is not defined consistently (NaN samples).
constexpr int kMaxIterations = 200;

}  // namespace

double FindRoot(const std::function<double(double)>& f, double a, double fa, double b, double fb,
                double tolerance, double& lo, double& hi, double* fRoot, double guess, double slope)
{
    Finite(fa, "the root search");
    Finite(fb, "the root search");
    if (Negative(fa) == Negative(fb) && fa != 0 && fb != 0)
        throw Fault("the root search was given no sign change", FaultKind::NoConvergence);

    // Close the bracket around the guess: each step aims at the root (from
    // the given slope, then from the secant through the last two points) and
    // is pushed a quarter of the tolerance past it, so that on a smooth
    // function two points soon lie on either side of the root, closer than
    // the tolerance.
    double px = NAN, pf = NAN;  // the point before
    for (int n = 0; n < 3 && fa != 0 && fb != 0 && std::isfinite(guess) && std::isfinite(slope) && slope != 0;
         ++n) {
        const double left = std::min(a, b), right = std::max(a, b);
        if (!(guess > left && guess < right))
            break;
        const double fg = Finite(f(guess), "the root search");
        if (Negative(fg) == Negative(fa)) {
            a = guess;
            fa = fg;
        } else {
            b = guess;
            fb = fg;
        }
        if (std::fabs(b - a) <= tolerance || fg == 0)
            break;
        if (std::isfinite(px) && guess != px && fg != pf)
            slope = (fg - pf) / (guess - px);
        px = guess;
        pf = fg;
        const double aim = -fg / slope;
        guess += aim + (aim > 0 ? 0.25 : -0.25) * tolerance;
    }
    if (fa == 0 || fb == 0 || std::fabs(b - a) <= tolerance) {
        const bool atA = fa == 0 || (fb != 0 && std::fabs(fa) < std::fabs(fb));
        lo = std::min(a, b);
        hi = std::max(a, b);
        if (fa == 0 || fb == 0)
            lo = hi = atA ? a : b;
        if (fRoot)
            *fRoot = atA ? fa : fb;
        return atA ? a : b;
    }

    // b is the best estimate, c the other end of the bracket, a the previous b.
    double c = a, fc = fa;
    double d = b - a, e = d;
    for (int n = 0;; ++n) {
        if (n == kMaxIterations)
            throw Fault("the root search did not converge", FaultKind::NoConvergence);
        if (Negative(fb) == Negative(fc)) {
            c = a;
            fc = fa;
            d = e = b - a;
        }
        if (std::fabs(fc) < std::fabs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double tol1 = 2 * kEpsilon * std::fabs(b) + 0.5 * tolerance;
        const double half = 0.5 * (c - b);
        if (std::fabs(half) <= tol1 || fb == 0)
            break;

        if (std::fabs(e) >= tol1 && std::fabs(fa) > std::fabs(fb)) {
            // Interpolate: a secant through a and b, or the inverse quadratic
            // through a, b and c when all three differ.
            const double s = fb / fa;
            double p, q;
            if (a == c) {
                p = 2 * half * s;
                q = 1 - s;
            } else {
                const double qa = fa / fc, r = fb / fc;
                p = s * (2 * half * qa * (qa - r) - (b - a) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0)
                q = -q;
            else
                p = -p;
            // Take the interpolated step only when it stays well inside the
            // bracket and shrinks faster than bisection would.
            if (2 * p < std::min(3 * half * q - std::fabs(tol1 * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = half;
            }
        } else {
            d = e = half;
        }
        a = b;
        fa = fb;
        b += std::fabs(d) > tol1 ? d : (half > 0 ? tol1 : -tol1);
        fb = Finite(f(b), "the root search");
    }
    if (fb == 0) {
        lo = hi = b;
    } else {
        lo = std::min(b, c);
        hi = std::max(b, c);
    }
    if (fRoot)
        *fRoot = fb;
    return b;
}

double FindMinimum(const std::function<double(double)>& f, double a, double b, double x, double fx,
                   double tolerance, double& fmin, double stopBelow)
{
    constexpr double kGolden = 0.3819660112501051;  // (3 - sqrt 5) / 2
    const double sqrtEps = std::sqrt(kEpsilon);
    Finite(fx, "the minimum search");
    double w = x, v = x, fw = fx, fv = fx;
    double d = 0, e = 0;
    for (int n = 0; n < kMaxIterations && fx >= stopBelow; ++n) {
        const double mid = 0.5 * (a + b);
        const double tol1 = sqrtEps * std::fabs(x) + tolerance / 3;
        const double tol2 = 2 * tol1;
        if (std::fabs(x - mid) <= tol2 - 0.5 * (b - a))
            break;
        bool golden = true;
        if (std::fabs(e) > tol1) {
            // The parabola through x, w and v.
            double r = (x - w) * (fx - fv);
            double q = (x - v) * (fx - fw);
            double p = (x - v) * q - (x - w) * r;
            q = 2 * (q - r);
            if (q > 0)
                p = -p;
            else
                q = -q;
            if (std::fabs(p) < std::fabs(0.5 * q * e) && p > q * (a - x) && p < q * (b - x)) {
                e = d;
                d = p / q;
                const double u = x + d;
                if (u - a < tol2 || b - u < tol2)
                    d = x < mid ? tol1 : -tol1;
                golden = false;
            }
        }
        if (golden) {
            e = (x < mid ? b : a) - x;
            d = kGolden * e;
        }
        const double u = x + (std::fabs(d) >= tol1 ? d : (d > 0 ? tol1 : -tol1));
        const double fu = Finite(f(u), "the minimum search");
        if (fu <= fx) {
            if (u < x)
                b = x;
            else
                a = x;
            v = w;
            fv = fw;
            w = x;
            fw = fx;
            x = u;
            fx = fu;
        } else {
            if (u < x)
                a = u;
            else
                b = u;
            if (fu <= fw || w == x) {
                v = w;
                fv = fw;
                w = u;
                fw = fu;
            } else if (fu <= fv || v == x || v == w) {
                v = u;
                fv = fu;
            }
        }
    }
    fmin = fx;
    return x;
}

void SearchCrossings(double t0, double t1, int components, const SearchSampler& sample,
                     const SearchOptions& options, const SearchReport& report)
{
    const double h = options.step;
    const double tol = options.tolerance;
    if (!(h > 0) || !(tol > 0) || !std::isfinite(h) || !std::isfinite(tol))
        throw Fault("a search needs a positive step and tolerance");
    if (!std::isfinite(t0) || !std::isfinite(t1) || t1 < t0)
        throw Fault("a search needs a range from an earlier to a later moment");
    if (components <= 0)
        return;
    if ((t1 - t0) / h > 1e12)
        throw Fault("a search range of too many steps");
    const double maxStep = std::max(h, options.maxStep);

    const size_t n = static_cast<size_t>(components);
    std::vector<double> fa(n), fb(n), fc(n), scratch(n);
    double ta = 0, tb = 0, tc = 0;
    std::vector<SearchHit> pending;
    bool stopped = false;

    // The hits found so far that no later sample can precede: in time order.
    auto release = [&](double before) {
        std::stable_sort(pending.begin(), pending.end(),
                         [](const SearchHit& x, const SearchHit& y) { return x.t < y.t; });
        size_t i = 0;
        for (; i < pending.size() && pending[i].t < before; ++i)
            if (!report(pending[i])) {
                stopped = true;
                return;
            }
        pending.erase(pending.begin(), pending.begin() + static_cast<std::ptrdiff_t>(i));
    };
    auto keep = [&](const SearchHit& hit) {
        if (hit.t >= t0 && hit.t <= t1)
            pending.push_back(hit);
    };
    auto component = [&](int i) {
        return [&, i](double t) {
            sample(t, scratch.data());
            return scratch[static_cast<size_t>(i)];
        };
    };
    // The guess: the root of the parabola through (t2, v2) and the bracket's
    // ends (t2 outside it), when there is one inside; else the secant's.
    auto crossing = [&](int i, double a, double va, double b, double vb, double t2, double v2) {
        SearchHit hit;
        hit.component = i;
        hit.kind = Negative(vb) ? HitKind::Falling : HitKind::Rising;
        double guess = a - va * (b - a) / (vb - va);
        double slope = (vb - va) / (b - a);
        if (std::isfinite(t2)) {
            // Newton form: p(t) = va + s (t - a) + c (t - a)(t - b).
            const double c = ((v2 - va) / (t2 - a) - slope) / (t2 - b);
            for (int n = 0; n < 3; ++n) {
                const double p = va + slope * (guess - a) + c * (guess - a) * (guess - b);
                const double dp = slope + c * (2 * guess - a - b);
                if (dp == 0)
                    break;
                guess -= p / dp;
            }
            const double dp = slope + c * (2 * guess - a - b);
            if (guess > std::min(a, b) && guess < std::max(a, b) && dp != 0)
                slope = dp;
            else
                guess = a - va * (b - a) / (vb - va);
        }
        const auto f = component(i);
        hit.t = FindRoot(f, a, va, b, vb, tol, hit.lo, hit.hi, &hit.value, guess, slope);
        keep(hit);
    };

    // Samples: t0 - h, t0, then a step on (h, or longer where the caller
    // allows) up to t1, then t1 + h.
    int64_t k = 0;  // samples taken
    for (double next = t0 - h; !stopped && std::isfinite(next); ++k) {
        tc = next;
        sample(tc, fc.data());
        if (tc < t0) {
            next = t0;
        } else if (tc < t1) {
            const double allowed = options.nextStep ? options.nextStep(tc) : h;
            next = std::min(tc + std::min(std::max(allowed, h), maxStep), t1);
        } else {
            next = tc == t1 ? t1 + h : std::numeric_limits<double>::infinity();
        }
        if (!(next > tc))
            throw Fault("a search step too small for the moments it is added to");
        for (size_t i = 0; i < n; ++i)
            Finite(fc[i], "a searched function");
        for (int i = 0; k >= 1 && i < components; ++i) {
            const size_t s = static_cast<size_t>(i);
            if (Negative(fb[s]) != Negative(fc[s])) {
                if (std::fabs(fc[s] - fb[s]) <= options.maxJump)
                    crossing(i, tb, fb[s], tc, fc[s], k >= 2 ? ta : NAN, fa[s]);
                continue;
            }
            if (k < 2 || !options.grazing || Negative(fa[s]) != Negative(fb[s]))
                continue;
            // Three samples on one side with the middle one nearest zero: the
            // function may reach zero between them.
            const double sign = Negative(fb[s]) ? -1 : 1;
            const double ga = sign * fa[s], gb = sign * fb[s], gc = sign * fc[s];
            if (!(gb < ga && gb <= gc))
                continue;
            // The parabola's lowest value through the three samples.
            const double d1 = (gb - ga) / (tb - ta), d2 = (gc - gb) / (tc - tb);
            const double curvature = (d2 - d1) / (tc - ta);
            double vertex = gb;
            if (curvature > 0) {
                const double slopeB = d1 + curvature * (tb - ta);  // the parabola's slope at tb
                vertex = gb - slopeB * slopeB / (4 * curvature);
            }
            if (!(vertex < 0.5 * gb + options.touchMargin))
                continue;
            const auto f = component(i);
            const auto g = [&](double t) { return sign * f(t); };
            double gm = 0;
            const double tm = FindMinimum(g, ta, tc, tb, gb, tol, gm, 0);
            if (gm < 0) {
                crossing(i, ta, fa[s], tm, sign * gm, tc, fc[s]);
                crossing(i, tm, sign * gm, tc, fc[s], ta, fa[s]);
            } else if (options.touchMargin > 0 && gm <= options.touchMargin) {
                keep(SearchHit{i, HitKind::Touch, tm, tm, tm, sign * gm});
            }
        }
        if (k >= 1)
            release(tb);
        std::swap(fa, fb);
        std::swap(fb, fc);
        ta = tb;
        tb = tc;
    }
    if (!stopped)
        release(std::numeric_limits<double>::infinity());
}

}  // namespace veltrax
