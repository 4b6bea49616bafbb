#include "astro/precession.h"

#include "astro/astro_constants.h"
#include "astro/vector_math.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Lieske's polynomials are used over at most this many centuries.
constexpr double kLieskeCenturies = 30.0;
constexpr double kLieskeDays = kLieskeCenturies * kDaysPerJulianCentury;
// Ends of the span where the polynomial obliquity still holds: J2000 -+ 30 centuries.
constexpr double kEarliestObliquityJd = kJ2000 - kLieskeDays;
constexpr double kLatestObliquityJd = kJ2000 + kLieskeDays;

// Precession over t centuries from an epoch T centuries after J2000.
void LieskeMatrix(double epochCenturies, double intervalCenturies, double m[9])
{
    const double T = epochCenturies;
    const double t = intervalCenturies;
    const double rate = 2306.2181 + 1.39656 * T - 0.000139 * T * T;
    // The three angles, arcseconds.
    const double zeta = rate * t + (0.30188 - 0.000344 * T) * t * t + 0.017998 * t * t * t;
    const double z = rate * t + (1.09468 + 0.000066 * T) * t * t + 0.018203 * t * t * t;
    const double theta = (2004.3109 - 0.8533 * T - 0.000217 * T * T) * t -
                         (0.42665 + 0.000217 * T) * t * t - 0.041833 * t * t * t;

    double r[9];
    RotationZ(-90 - z / 3600, m);
    RotationX(theta / 3600, r);
    MatrixMultiply(m, r, m);
    RotationZ(90 - zeta / 3600, r);
    MatrixMultiply(m, r, m);
}

// Precession in one piece: the IAU angles over at most 30 centuries from
// one end, continued at 50" a year about the ecliptic pole.
void OnePieceMatrix(double fromJd, double toJd, double m[9])
{
    // The polynomials are evaluated from an epoch within 30 centuries of
    // J2000 when either end is: precess from the other end and invert.
    double T = (fromJd - kJ2000) / kDaysPerJulianCentury;
    const bool swapped = T < -kLieskeCenturies || T > kLieskeCenturies;
    if (swapped) {
        std::swap(fromJd, toJd);
        T = (fromJd - kJ2000) / kDaysPerJulianCentury;
    }

    const double days = toJd - fromJd;
    double t = days / kDaysPerJulianCentury;
    // Beyond 30 centuries the rest of the interval is rough precession.
    bool clamped = true;
    double restDays = 0;
    double obliquityJd = 0;
    if (t < -kLieskeCenturies) {
        t = -kLieskeCenturies;
        restDays = days + kLieskeDays;
        obliquityJd = kEarliestObliquityJd;
    } else if (t > kLieskeCenturies) {
        t = kLieskeCenturies;
        restDays = days - kLieskeDays;
        obliquityJd = kLatestObliquityJd;
    } else {
        clamped = false;
    }

    LieskeMatrix(T, t, m);
    if (clamped) {
        double rest[9];
        PrecessionMatrixSimple(restDays, obliquityJd, rest);
        MatrixMultiply(rest, m, m);
    }
    if (swapped)
        MatrixInverse(m, m);
}

} // namespace

void PrecessionMatrix(double fromJd, double toJd, double m[9])
{
    if (fromJd == toJd) {
        SetIdentity(m);
        return;
    }
    // Taken in one piece, an interval of more than 30 centuries would be cut
    // at a different epoch going back than going forth, and the way back
    // would not undo the way there. Such intervals go through J2000, from
    // which the continuation is defined.
    const bool throughJ2000 = fromJd != kJ2000 && toJd != kJ2000 &&
                              std::fabs(toJd - fromJd) > kLieskeDays;
    if (!throughJ2000) {
        OnePieceMatrix(fromJd, toJd, m);
        return;
    }
    double toJ2000[9];
    OnePieceMatrix(fromJd, kJ2000, toJ2000);
    OnePieceMatrix(kJ2000, toJd, m);
    MatrixMultiply(m, toJ2000, m);
}

void PrecessionMatrixSimple(double days, double obliquityJd, double m[9])
{
    // 50 arcseconds a year about the ecliptic pole.
    const double angle = -(days / 365.24) / 72;
    const double epsilon = MeanObliquity(obliquityJd);
    double r[9];
    RotationX(-epsilon, m);
    RotationZ(angle, r);
    MatrixMultiply(m, r, m);
    RotationX(epsilon, r);
    MatrixMultiply(m, r, m);
}

double MeanObliquity(double jd)
{
    const double t = std::clamp((jd - kJ2000) / kDaysPerJulianCentury, -30.0, 30.0);
    return 23.43929111 - 0.013004166666666667 * t - 1.638888888888889e-7 * t * t +
           5.03611111111111e-7 * t * t * t;
}
