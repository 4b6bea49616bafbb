// Hyperbolic sine and cosine: single-precision polynomials for small
// arguments, the half-argument formulas up to 2, the exponential beyond.
#include "astro/hyperbolic.h"

#include <cmath>

namespace {

constexpr double kLog2E = 1.4426950408889634;

// e^|x| - 1, the common part of the outer range.
double ExpMinusOne(double x)
{
    return std::exp2(std::fabs(x) * kLog2E) - 1.0;
}

// sinh of |x| > 2 with the sign of x; x = 0 cannot arrive here.
double SinhOuter(double x)
{
    const double e = ExpMinusOne(x);
    const double s = 0.5 * (e / (e + 1.0) + e);
    return x > 0.0 ? s : -s;
}

} // namespace

float SinhSmall(float x)
{
    const float x2 = x * x;
    return x * (0.99999988f + x2 * (0.16666798f + x2 * (0.0083285971f + x2 * 0.00020469922f)));
}

float CoshSmall(float x)
{
    const float x2 = x * x;
    return 0.99999982f + x2 * (0.50000632f + x2 * (0.041635018f + x2 * 0.0014392671f));
}

double Sinh(double x)
{
    if (x >= -1.0 && x <= 1.0) {
        return SinhSmall(static_cast<float>(x));
    }
    if (x >= -2.0 && x <= 2.0) {
        const float half = static_cast<float>(x / 2.0);
        return 2.0 * SinhSmall(half) * CoshSmall(half);
    }
    return SinhOuter(x);
}

void SinhCosh(double x, double& s, double& c)
{
    if (x >= -1.0 && x <= 1.0) {
        const float f = static_cast<float>(x);
        s = SinhSmall(f);
        c = CoshSmall(f);
        return;
    }
    if (x >= -2.0 && x <= 2.0) {
        const float half = static_cast<float>(x / 2.0);
        const double ch = CoshSmall(half);
        s = 2.0 * SinhSmall(half) * ch;
        c = 2.0 * ch * ch - 1.0;
        return;
    }
    s = SinhOuter(x);
    const double e = std::exp(x);
    c = 0.5 * (e + 1.0 / e);
}

double RefineSinhCosh(double x, double& s, double c)
{
    // Newton on asinh(s) = x, whose slope is cosh x: a first step on the
    // polynomials' cosh leaves some 1e-13, or 2e-7 where x is too small
    // for a float, and a second on the exact slope sqrt(1 + s^2) squares
    // that away.
    if (std::isfinite(s)) {
        s -= (std::asinh(s) - x) * c;
        s -= (std::asinh(s) - x) * std::hypot(1.0, s);
    }
    // cosh x - 1 = sinh^2 x / (cosh x + 1), ordered so that no square
    // overflows.
    return s / (std::hypot(1.0, s) + 1.0) * s;
}
