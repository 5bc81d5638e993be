#pragma once

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

// Bounded one-dimensional root finders for the inverse property calculations.
// Every solver stops after kMaxIterations evaluations and reports failure
// instead of looping, so a bad input can never hang the chart.
namespace qorva::psychro {

inline constexpr int kMaxIterations = 100;

// Newton's method safeguarded by a bracket, for a function the caller knows to
// be increasing on [lo, hi] with f(lo) <= 0 <= f(hi) (the ends are not
// evaluated: the callers prove the signs from the physics, which saves two
// evaluations on the hot path). A Newton step that leaves the bracket, or that
// shrinks the step by less than half, is replaced by bisection, so convergence
// is at worst linear. f(u, dfdu) returns f(u) and writes f'(u).
// start: first iterate inside [lo, hi]; tol: absolute tolerance on u.
template <class F>
std::optional<double> solveIncreasing(F&& f, double lo, double hi, double start, double tol)
{
    if (!(lo <= hi) || !std::isfinite(lo) || !std::isfinite(hi)) {
        return std::nullopt;
    }
    double u = (start >= lo && start <= hi) ? start : 0.5 * (lo + hi);
    double previousStep = hi - lo;
    for (int i = 0; i < kMaxIterations; ++i) {
        double slope = 0.0;
        const double fu = f(u, slope);
        if (!std::isfinite(fu)) {
            return std::nullopt;
        }
        if (fu == 0.0) {
            return u;
        }
        if (fu < 0.0) {
            lo = u;
        } else {
            hi = u;
        }
        double next = u - fu / slope;
        const double step = std::abs(next - u);
        if (!(slope > 0.0) || !(next > lo && next < hi) || step > 0.5 * previousStep) {
            next = 0.5 * (lo + hi);
        }
        previousStep = std::abs(next - u);
        u = next;
        if (previousStep <= tol || hi - lo <= tol) {
            return u;
        }
    }
    return std::nullopt;
}

// Brent's method (inverse quadratic interpolation, secant and bisection) for a
// continuous function with a sign change on [a, b]; fa and fb are f(a), f(b),
// already evaluated by the caller. tol: absolute tolerance on u.
template <class F>
std::optional<double> solveBracketed(F&& f, double a, double b, double fa, double fb, double tol)
{
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(fa) || !std::isfinite(fb)) {
        return std::nullopt;
    }
    if (fa == 0.0) {
        return a;
    }
    if (fb == 0.0) {
        return b;
    }
    if ((fa < 0.0) == (fb < 0.0)) {
        return std::nullopt;
    }
    // b is the best estimate, a the previous one, c the counter-point.
    double c = a;
    double fc = fa;
    double d = b - a;
    double e = d;
    for (int i = 0; i < kMaxIterations; ++i) {
        if ((fb < 0.0) == (fc < 0.0)) {
            c = a;
            fc = fa;
            d = b - a;
            e = d;
        }
        if (std::abs(fc) < std::abs(fb)) {
            a = b;
            b = c;
            c = a;
            fa = fb;
            fb = fc;
            fc = fa;
        }
        const double half = 0.5 * (c - b);
        if (std::abs(half) <= tol || fb == 0.0) {
            return b;
        }
        if (std::abs(e) >= tol && std::abs(fa) > std::abs(fb)) {
            double pNum;
            double qDen;
            const double s = fb / fa;
            if (a == c) {
                pNum = 2.0 * half * s;
                qDen = 1.0 - s;
            } else {
                const double q = fa / fc;
                const double r = fb / fc;
                pNum = s * (2.0 * half * q * (q - r) - (b - a) * (r - 1.0));
                qDen = (q - 1.0) * (r - 1.0) * (s - 1.0);
            }
            if (pNum > 0.0) {
                qDen = -qDen;
            } else {
                pNum = -pNum;
            }
            if (2.0 * pNum < std::min(3.0 * half * qDen - std::abs(tol * qDen), std::abs(e * qDen))) {
                e = d;
                d = pNum / qDen;
            } else {
                d = half;
                e = d;
            }
        } else {
            d = half;
            e = d;
        }
        a = b;
        fa = fb;
        b += (std::abs(d) > tol) ? d : (half > 0.0 ? tol : -tol);
        fb = f(b);
        if (!std::isfinite(fb)) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

} // namespace qorva::psychro
