// Instants of new moon and the Moon's age.
#include "astro/moon.h"

#include "astro/trig.h"

#include <cmath>

namespace {

// Mean synodic month, and the mean daily motion of the Moon's elongation
// from the Sun (360 / synodic month), degrees per day.
constexpr double kSynodicMonth = 29.53058868;
constexpr double kElongationPerDay = 12.190749056850848;

double AgeAtLunation(double jd, double k)
{
    return jd - NewMoonJulianDay(k);
}

} // namespace

double NewMoonJulianDay(double k)
{
    const double T = k / 1236.85;
    const double T2 = T * T;
    const double T3 = T2 * T;
    // Mean anomalies of the Sun (M) and the Moon (Mp) at the mean new moon.
    const double M = 359.2242 + 29.10535608 * k - 0.0000333 * T2 - 0.00000347 * T3;
    const double Mp = 306.0253 + 385.81691806 * k + 0.0107306 * T2 + 0.00001236 * T3;
    return 2415020.75933 + kSynodicMonth * k + 0.0001178 * T2 - 0.000000155 * T3 +
           (0.1734 - 0.000393 * T) * SinDeg(M) - 0.4068 * SinDeg(Mp);
}

double MoonAge(double jd, const SunRecord& sun, const MoonRecord& moon)
{
    if (jd > 1356173.0 && jd < 3547272.0) {
        // Lunation number from the year, then one step either way when the
        // estimate lands on the neighbouring new moon.
        double k = std::floor(((jd - 1721423.5) / 365.244 + 1.0 - 1900.0) * 12.3685);
        double age = AgeAtLunation(jd, k);
        if (age > 29.5) {
            k += 1.0;
            age = AgeAtLunation(jd, k);
        }
        if (age < 0.0) {
            k -= 1.0;
            age = AgeAtLunation(jd, k);
        }
        return age;
    }
    // Far from the present the lunation formula drifts; the elongation over
    // its mean rate is good to a day.
    return NormalizeDegrees(moon.eclipticLongitude - sun.eclipticLongitude) / kElongationPerDay;
}
