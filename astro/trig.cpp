// Degree trigonometry on the sine table, and angle normalisation.
#include "astro/trig.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "astro/math_tables.h"

namespace {

// Angles in units of 0.0001 degree.
constexpr int32_t kTicksPerDegree = 10000;
constexpr int32_t kTicksQuarter = 90 * kTicksPerDegree;
constexpr int32_t kTicksHalf = 180 * kTicksPerDegree;
constexpr int32_t kTicksThreeQuarters = 270 * kTicksPerDegree;
constexpr int32_t kTicksFull = 360 * kTicksPerDegree;
// Table entries are 0.1 degree apart.
constexpr int32_t kTicksPerEntry = 1000;
constexpr double kTableScale = 1e9;
// Beyond this the angle is reduced first so that angle x 10000 fits in int32.
constexpr double kReduceBeyond = 200000.0;

// Sine of a first-quadrant angle in ticks, 0..900000, scaled by 1e9.
int32_t QuadrantSine(int32_t ticks)
{
    const int32_t i = ticks / kTicksPerEntry;
    const uint32_t r = static_cast<uint32_t>(ticks % kTicksPerEntry);
    int32_t v = SineTable[i];
    // At 90 degrees r is 0 and there is no entry after the table to read.
    if (r > 0) {
        const uint32_t step = static_cast<uint32_t>(SineTable[i + 1] - SineTable[i]);
        v += static_cast<int32_t>(r * step / kTicksPerEntry);
    }
    return v;
}

} // namespace

double SinDeg(double angle)
{
    // A NaN or infinity must never reach the integer conversion below.
    if (!std::isfinite(angle)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (angle <= -kReduceBeyond || angle >= kReduceBeyond) {
        angle = std::fmod(angle, 360.0);
    }
    // Truncate to 0.0001 degree and bring into one turn: 0..3599999 for
    // positive angles, 1..3600000 for negative ones.
    int32_t n = static_cast<int32_t>(angle * kTicksPerDegree);
    n = angle >= 0 ? n % kTicksFull : n % kTicksFull + kTicksFull;

    // Fold into the first quadrant, keeping the sign.
    int32_t m;
    int32_t sign;
    if (n <= kTicksQuarter) {
        m = n;
        sign = 1;
    } else if (n <= kTicksHalf) {
        m = kTicksHalf - n;
        sign = 1;
    } else if (n <= kTicksThreeQuarters) {
        m = n - kTicksHalf;
        sign = -1;
    } else {
        m = kTicksFull - n;
        sign = -1;
    }
    return sign * QuadrantSine(m) / kTableScale;
}

double CosDeg(double angle)
{
    return SinDeg(angle + 90.0);
}

double SinIntDeg(int32_t angle)
{
    const int32_t a = NormalizeIntDegrees(angle);
    int32_t folded;
    if (a <= 90) {
        folded = a;
    } else if (a <= 270) {
        folded = 180 - a;   // negative from 181 on: the sine's sign
    } else {
        folded = a - 360;
    }
    const int32_t entry = SineTable[10 * std::abs(folded)];
    return (folded < 0 ? -entry : entry) / kTableScale;
}

double CosIntDeg(int32_t angle)
{
    // Normalised first: angle + 90 would overflow near INT32_MAX.
    return SinIntDeg(NormalizeIntDegrees(angle) + 90);
}

double NormalizeDegrees(double angle)
{
    const double q = angle / 360.0;
    double r = (q - std::floor(q)) * 360.0;
    if (r < 0.0) {
        r += 360.0;
    }
    if (r >= 360.0) {
        r -= 360.0;
    }
    return r;
}

double NormalizeLatitude(double angle)
{
    double a = NormalizeDegrees(angle);
    if (a > 180.0) {
        a -= 360.0;
    }
    return std::clamp(a, -90.0, 90.0);
}

int32_t NormalizeIntDegrees(int32_t angle)
{
    const int32_t r = angle % 360;
    return r < 0 ? r + 360 : r;
}

double NormalizeHours(double hours)
{
    return NormalizeDegrees(hours / 24.0 * 360.0) / 360.0 * 24.0;
}

double Atan2Safe(double y, double x)
{
    if (y == 0.0 && x == 0.0) {
        return 0.0;
    }
    return std::atan2(y, x);
}
