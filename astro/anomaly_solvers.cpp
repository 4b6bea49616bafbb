#include "astro/anomaly_solvers.h"

#include "astro/trig.h"

#include <cmath>

namespace {

constexpr int kMaxSteps = 50;
// Far below an arcsecond: the steps converge quadratically, so the last one
// costs nothing.
constexpr double kAnomalyTolerance = 1e-12;
constexpr double kBarkerTolerance = 1e-6;

// Newton's method on an increasing f within [lo, hi], f(lo) <= 0 <= f(hi);
// a step that would leave the bracket bisects instead.
template <typename F, typename Slope>
bool BracketedNewton(F f, Slope slope, double lo, double hi, double x, double& root)
{
    for (int step = 0; step < kMaxSteps; ++step) {
        const double value = f(x);
        if (value == 0.0) {
            root = x;
            return true;
        }
        (value > 0.0 ? hi : lo) = x;
        double next = x - value / slope(x);
        if (!(next > lo && next < hi))
            next = 0.5 * (lo + hi);
        const bool done = std::fabs(next - x) <= kAnomalyTolerance * std::fmax(1.0, std::fabs(x));
        x = next;
        if (done) {
            root = x;
            return true;
        }
    }
    return false;
}

} // namespace

bool SolveEllipticKepler(double m, double e, double& E)
{
    m = std::remainder(m, 2.0 * kPi);
    const double sign = m < 0.0 ? -1.0 : 1.0;
    m = std::fabs(m);
    double x;
    if (!BracketedNewton([&](double v) { return v - e * std::sin(v) - m; },
                         [&](double v) { return 1.0 - e * std::cos(v); }, 0.0, kPi, m + e * std::sin(m), x))
        return false;
    E = sign * x;
    return true;
}

bool SolveHyperbolicKepler(double m, double e, double s, double& H)
{
    const double sign = m < 0.0 ? -1.0 : 1.0;
    m = std::fabs(m);
    // For H >= 0, e sinh H - H >= (e - 1) sinh H and e sinh H + H >= e sinh H,
    // so the root lies below hi.
    const double hi = std::asinh(m / (s > 0.0 ? e - 1.0 : e));
    double x;
    if (!BracketedNewton([&](double v) { return e * std::sinh(v) - s * v - m; },
                         [&](double v) { return e * std::cosh(v) - s; }, 0.0, hi, std::asinh(m / e), x))
        return false;
    H = sign * x;
    return true;
}

bool SolveBarker(double w, double& s)
{
    for (int step = 0; step < kMaxSteps; ++step) {
        const double next = (2.0 * s * s * s / 3.0 + w) / (s * s + 1.0);
        const bool done = std::fabs(next - s) <= kBarkerTolerance;
        s = next;
        if (done)
            return true;
    }
    return false;
}
