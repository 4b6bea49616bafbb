#include "astro/small_body_orbit.h"

#include "astro/anomaly_solvers.h"
#include "astro/astro_constants.h"
#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "astro/clamped_math.h"
#include "astro/delta_t.h"
#include "astro/hyperbolic.h"
#include "astro/orbit_curves.h"
#include "astro/precession.h"
#include "astro/trig.h"
#include "astro/vector_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr double kNearParabolicFrom = 0.98;
constexpr double kParabolicWithin = 1e-6;
// The near-parabolic series is within 1 arcsecond while |A| stays below
// this; farther out it drifts by degrees, or diverges.
constexpr double kSeriesHoldsBelow = 0.1;
constexpr double kSeriesTolerance = 1e-6;
constexpr double kPhaseCoefficient = 0.023;   // magnitudes per degree of phase

bool IsFinite(const OrbitalElements& el)
{
    return std::isfinite(el.perihelionTime) && std::isfinite(el.eccentricity) &&
           std::isfinite(el.perihelionDistance) && std::isfinite(el.argumentOfPerihelion) &&
           std::isfinite(el.node) && std::isfinite(el.inclination) && std::isfinite(el.equinoxYear);
}

// Velocity on a hyperbola at the eccentric anomaly H = asinh(y / b):
// g = k / (sqrt(a) a (e cosh H - 1)), v = g (-a sinh H, b cosh H).
void HyperbolicVelocity(OrbitPlaneState& s, double e, double q)
{
    const double a = q / (e - 1.0);
    const double b = a * std::sqrt(e * e - 1.0);
    const double H = std::asinh(s.y / b);
    double sinhH, coshH;
    SinhCosh(H, sinhH, coshH);
    const double coshMinusOne = RefineSinhCosh(H, sinhH, coshH);
    // e cosh H - 1 as (e - 1) + e (cosh H - 1): both terms are small near
    // perihelion when e is near 1.
    const double g = kGaussK / (std::sqrt(a) * a * ((e - 1.0) + e * coshMinusOne));
    s.vx = -g * a * sinhH;
    s.vy = g * b * (1.0 + coshMinusOne);
}

// Velocity (for a hyperbola from its anomaly, for any other conic of
// perihelion distance q from the place: v = sqrt(mu / p) (-sin nu,
// e + cos nu) with p = q (1 + e)), then the distance and true anomaly.
// Fails on a non-finite result.
int32_t FinishState(OrbitPlaneState& s, double e, double q, int32_t withVelocity)
{
    s.z = 0.0;
    if (!std::isfinite(s.x) || !std::isfinite(s.y))
        return -1;
    if (withVelocity == 0)
        return 0;
    s.r = std::hypot(s.x, s.y);
    s.trueAnomaly = std::atan2(s.y, s.x);
    if (e > 1.0) {
        HyperbolicVelocity(s, e, q);
    } else {
        const double speed = kGaussK / std::sqrt(q * (1.0 + e));
        s.vx = -speed * s.y / s.r;
        s.vy = speed * (e + s.x / s.r);
    }
    s.vz = 0.0;
    return std::isfinite(s.vx) && std::isfinite(s.vy) ? 0 : -1;
}

// Mean motion times the time from perihelion, radians, for semi-axis a.
double MeanAnomaly(double jd, const OrbitalElements& el, double a)
{
    return (jd - el.perihelionTime) * kGaussK / (a * std::sqrt(a));
}

// The exact solution for an orbit that is not a parabola.
int32_t OrbitExact(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity)
{
    const double e = el.eccentricity, q = el.perihelionDistance;
    if (e < 1.0) {
        const double a = q / (1.0 - e);
        double E;
        if (!SolveEllipticKepler(MeanAnomaly(jd, el, a), e, E))
            return -1;
        s.x = a * (std::cos(E) - e);
        s.y = a * std::sqrt(1.0 - e * e) * std::sin(E);
    } else {
        const double a = q / (e - 1.0);
        double H;
        if (!SolveHyperbolicKepler(MeanAnomaly(jd, el, a), e, 1.0, H))
            return -1;
        double sinhH, coshH;
        SinhCosh(H, sinhH, coshH);
        const double coshMinusOne = RefineSinhCosh(H, sinhH, coshH);
        s.x = q - a * coshMinusOne;   // a (e - cosh H)
        s.y = a * std::sqrt(e * e - 1.0) * sinhH;
    }
    return FinishState(s, e, q, withVelocity);
}

// The near-parabolic series (Stumpff's form). Returns false when it does not
// converge or when |A| leaves the range where it holds.
bool NearParabolicSeries(double jd, const OrbitalElements& el, OrbitPlaneState& s)
{
    const double e = el.eccentricity, q = el.perihelionDistance;
    const double d = 1.0 + 9.0 * e;
    const double lambda = 5.0 * (1.0 - e) / d;
    const double w0 = (jd - el.perihelionTime) * std::sqrt(d / 10.0) * kGaussK / (q * std::sqrt(2.0 * q));
    double b = 1.0, sHalf = 1.0, a = 0.0, previousA = 1.0;
    bool converged = false;
    for (int pass = 0; pass < kOrbitMaxSteps && !converged; ++pass) {
        if (!SolveBarker(w0 * b, sHalf))
            return false;
        a = lambda * sHalf * sHalf;
        b = 1.0 - 0.017142857 * a * a - 0.003809524 * a * a * a;
        converged = std::fabs(a - previousA) <= kSeriesTolerance;
        previousA = a;
    }
    if (!converged || !(std::fabs(a) < kSeriesHoldsBelow))
        return false;
    const double f = 1.0 + 0.4 * a + 0.21714286 * a * a + 0.12495238 * a * a * a;
    const double g = 1.0 - a + 0.2 * a * a + 0.00571429 * a * a * a;
    const double tau = f * sHalf * std::sqrt(5.0 * (1.0 + e) / d);
    s.x = q * g * (1.0 - tau * tau);
    s.y = 2.0 * q * g * tau;
    return true;
}

} // namespace

int32_t OrbitElliptic(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity)
{
    return OrbitExact(jd, el, s, withVelocity);
}

int32_t OrbitParabolic(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity)
{
    const double q = el.perihelionDistance;
    const double w = (jd - el.perihelionTime) * kGaussK / (q * std::sqrt(2.0 * q));
    double sHalf = w;
    if (!SolveBarker(w, sHalf))
        return -1;
    s.x = q * (1.0 - sHalf * sHalf);
    s.y = 2.0 * q * sHalf;
    return FinishState(s, 1.0, q, withVelocity);
}

int32_t OrbitNearParabolic(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity)
{
    if (NearParabolicSeries(jd, el, s))
        return FinishState(s, el.eccentricity, el.perihelionDistance, withVelocity);
    return OrbitExact(jd, el, s, withVelocity);
}

int32_t OrbitPosition(double jd, const OrbitalElements& el, OrbitPlaneState& s, int32_t withVelocity)
{
    // A perihelion at the Sun, a negative eccentricity or a non-finite
    // element has no orbit to solve.
    if (!std::isfinite(jd) || !IsFinite(el) || !(el.perihelionDistance > 0.0) || el.eccentricity < 0.0)
        return -1;
    if (el.eccentricity < kNearParabolicFrom)
        return OrbitElliptic(jd, el, s, withVelocity);
    if (std::fabs(el.eccentricity - 1.0) <= kParabolicWithin)
        return OrbitParabolic(jd, el, s, withVelocity);
    return OrbitNearParabolic(jd, el, s, withVelocity);
}

double EquinoxEpoch(const OrbitalElements& el)
{
    return JulianDayFromCalendar(el.equinoxYear, 1, 0.0);
}

void SmallBodyPlaneMatrix(const OrbitalElements& el, double m[9])
{
    const double eps = MeanObliquity(EquinoxEpoch(el));
    const double w = el.argumentOfPerihelion, n = el.node, i = el.inclination;
    OrbitPlaneRotation(m, SinDeg(w), CosDeg(w), SinDeg(n), CosDeg(n), SinDeg(i), CosDeg(i), SinDeg(eps), CosDeg(eps));
}

namespace {

// Light time for one astronomical unit, days (499.004784 s).
constexpr double kLightDaysPerAu = 499.004784 / 86400.0;
// Passes of distance / c; two are enough at these distances and speeds.
constexpr int kLightTimePasses = 2;

// Rotation from the orbit plane to the mean equator of `epoch`.
void OrbitPlaneToEquator(const OrbitalElements& el, double epoch, double m[9])
{
    double plane[9], precession[9];
    SmallBodyPlaneMatrix(el, plane);
    PrecessionMatrix(EquinoxEpoch(el), epoch, precession);
    MatrixMultiply(precession, plane, m);
}

// The heliocentric vector at `tt` on the reference equator, AU.
bool HeliocentricAt(double tt, const OrbitalElements& el, const double toReference[9], double helio[3])
{
    OrbitPlaneState s;
    if (OrbitPosition(tt, el, s, 0) != 0)
        return false;
    const double point[3] = {s.x, s.y, 0.0};
    MatrixTimesVector(point, toReference, helio);
    return true;
}

} // namespace

int32_t SmallBodyLightTimePlace(double jd, const OrbitalElements& el, const double earth[3], double referenceEpoch,
                                double& emitted, double helio[3])
{
    double toReference[9];
    OrbitPlaneToEquator(el, referenceEpoch, toReference);
    emitted = TerrestrialTimeFromUT(jd);
    const double tt = emitted;
    for (int pass = 0; pass <= kLightTimePasses; ++pass) {
        if (!HeliocentricAt(emitted, el, toReference, helio))
            return 0;
        if (pass < kLightTimePasses) {
            double geo[3];
            VectorSubtract(helio, earth, geo);
            emitted = tt - VectorLength(geo) * kLightDaysPerAu;
        }
    }
    return std::isfinite(emitted) ? 1 : 0;
}

int32_t SmallBodyPosition(double jd, const OrbitalElements& el, const double earth[3], double sunDistance,
                          double referenceEpoch, SmallBodyRecord& rec)
{
    double emitted, helio[3], geo[3];
    if (SmallBodyLightTimePlace(jd, el, earth, referenceEpoch, emitted, helio) == 0)
        return 0;
    VectorSubtract(helio, earth, geo);
    const double r = VectorLength(helio);
    const double delta = VectorLength(geo);
    if (!std::isfinite(r) || !std::isfinite(delta) || !(delta > 0.0))
        return 0;

    double m = el.h + 5.0 * std::log10(delta) + el.k * std::log10(r);
    if (el.kind == 'M') {
        const double R = sunDistance;
        const double beta = 2.0 * AsinDeg(ClampedSqrt((R - r + delta) * (R + r - delta) / (4.0 * r * delta)));
        m += kPhaseCoefficient * beta;
    }
    if (!std::isfinite(m))
        return 0;

    for (int c = 0; c < 3; ++c) {
        rec.helioVector[c] = helio[c];
        rec.unitVector[c] = geo[c] / delta;
    }
    rec.helioDistance = r;
    rec.distance = delta;
    FixedFromVector(rec.unitVector, rec.fixedVector);
    rec.raReference = std::atan2(rec.unitVector[1], rec.unitVector[0]) * kDegreesPerRadian;
    if (rec.raReference < 0.0)
        rec.raReference += 360.0;
    rec.decReference = AsinDeg(rec.unitVector[2]);
    // Absurd H or K values stay absurd, but never overflow the tenths.
    rec.magnitude = static_cast<int32_t>(std::clamp(std::floor(10.0 * m + 0.5), -1e8, 1e8));

    // The place of date from the reference equator (the identity when the
    // caller already works on the equator of date).
    double toDate[9], ofDate[3];
    PrecessionMatrix(referenceEpoch, jd, toDate);
    MatrixTimesVector(rec.unitVector, toDate, ofDate);
    rec.raDate = std::atan2(ofDate[1], ofDate[0]) * kDegreesPerRadian;
    if (rec.raDate < 0.0)
        rec.raDate += 360.0;
    rec.decDate = AsinDeg(ofDate[2]);
    return 1;
}

int32_t UpdateSmallBody(const AstroTime& t, const SunRecord& sun, const OrbitalElements& el, SmallBodyRecord& rec)
{
    if (SmallBodyPosition(t.julianDay, el, sun.geometricEarth, sun.distance, kJ2000, rec) == 0)
        return 0;
    rec.julianDay = t.julianDay;
    return 1;
}

namespace {

// Orbit-plane points of the path, written into the x and y of each point.
// h = n / 2; point h is the perihelion, the arcs mirror about it.
// Cosine and sine of the eccentric anomalies 360 j / n degrees, j =
// 0..n/4: the same for every whole ellipse, so a load of thousands of minor
// planets computes them once.
const std::vector<std::array<double, 2>>& QuarterTurn(int32_t n)
{
    static int32_t tableN = 0;
    static std::vector<std::array<double, 2>> table;
    if (tableN != n) {
        table.clear();
        for (int32_t j = 0; j <= n / 4; ++j) {
            const double E = 360.0 * j / n;
            table.push_back({CosDeg(E), SinDeg(E)});
        }
        tableN = n;
    }
    return table;
}

void EllipseWhole(double a, double e, int32_t n, double (*p)[3])
{
    const double b = a * std::sqrt(1.0 - e * e);
    const int32_t h = n / 2;
    const std::vector<std::array<double, 2>>& turn = QuarterTurn(n);
    for (int32_t j = 0; j <= n / 4; ++j) {
        const double x = a * (turn[j][0] - e), y = b * turn[j][1];
        p[j][0] = x, p[j][1] = y;
        p[h - j][0] = -2.0 * a * e - x, p[h - j][1] = y;
        p[h + j][0] = -2.0 * a * e - x, p[h + j][1] = -y;
        p[n - j][0] = x, p[n - j][1] = -y;
    }
}

void MirrorArc(int32_t h, int32_t j, double x, double y, double (*p)[3])
{
    p[h + j][0] = x, p[h + j][1] = y;
    p[h - j][0] = x, p[h - j][1] = -y;
}

// The arc of a long ellipse takes the library cosine: its semi-axis runs to
// 10^5 AU, and the table's 4e-7 in cos E near perihelion times a would put
// the perihelion of such a comet a few per cent of q off.
void EllipseArc(double a, double e, int32_t n, double (*p)[3])
{
    const double b = a * std::sqrt(1.0 - e * e);
    const double eMax = std::acos(std::fmin(1.0, (1.0 - kOrbitPathReach / a) / e));
    const int32_t h = n / 2;
    for (int32_t j = 0; j <= h; ++j) {
        const double E = eMax * j * j / (static_cast<double>(h) * h);
        MirrorArc(h, j, a * (std::cos(E) - e), b * std::sin(E), p);
    }
}

void ParabolaArc(double q, int32_t n, double (*p)[3])
{
    const double u = std::atan(std::sqrt(kOrbitPathReach / q - 1.0));
    const int32_t h = n / 2;
    for (int32_t j = 0; j <= h; ++j) {
        const double t = std::tan(u * j / h);
        MirrorArc(h, j, q * (1.0 - t * t), 2.0 * q * t, p);
    }
}

void HyperbolaArc(double q, double e, int32_t n, double (*p)[3])
{
    const double a = q / (e - 1.0);
    const double c = (a + kOrbitPathReach) / (e * a);
    const double hMax = std::log(c + std::sqrt(c * c - 1.0));
    const int32_t h = n / 2;
    for (int32_t j = 0; j <= h; ++j) {
        const double H = hMax * j / h;
        double sinhH, coshH;
        SinhCosh(H, sinhH, coshH);
        const double coshMinusOne = RefineSinhCosh(H, sinhH, coshH);
        // x = a (e - cosh H), y = a sqrt(e^2 - 1) sinh H
        MirrorArc(h, j, q - a * coshMinusOne, a * std::sqrt(e * e - 1.0) * sinhH, p);
    }
}

} // namespace

double (*SmallBodyOrbitPath(const OrbitalElements& el, int32_t n))[3]
{
    const double e = el.eccentricity, q = el.perihelionDistance;
    // No arc of an orbit whose perihelion lies beyond the reach comes within
    // it; such a path would be built from square roots of negative numbers.
    if (!IsFinite(el) || !(q > 0.0) || q > kOrbitPathReach || e < 0.0 || n < 4 || n % 4 != 0)
        return nullptr;
    auto* p = static_cast<double(*)[3]>(std::malloc(sizeof(double[3]) * (static_cast<size_t>(n) + 1)));
    if (p == nullptr)
        return nullptr;
    if (e < 1.0 - kParabolicWithin) {
        const double a = q / (1.0 - e);
        if (a * (1.0 + e) <= kOrbitPathReach)
            EllipseWhole(a, e, n, p);
        else
            EllipseArc(a, e, n, p);
    } else if (e <= 1.0 + kParabolicWithin) {
        ParabolaArc(q, n, p);
    } else {
        HyperbolaArc(q, e, n, p);
    }

    double toJ2000[9];
    OrbitPlaneToEquator(el, kJ2000, toJ2000);
    // The points lie in the orbit's plane (z = 0): two columns of the
    // matrix turn them, written out since this runs for every point of
    // every object loaded.
    for (int32_t j = 0; j <= n; ++j) {
        const double x = p[j][0], y = p[j][1];
        for (int i = 0; i < 3; ++i)
            p[j][i] = toJ2000[3 * i] * x + toJ2000[3 * i + 1] * y;
    }
    return p;
}
