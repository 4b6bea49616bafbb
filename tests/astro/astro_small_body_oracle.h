// An independent two-body oracle for comets and minor planets: the
// universal-variable solution of Kepler's problem (Stumpff functions, the
// universal anomaly found by bisection-guarded Newton steps) from the
// perihelion state, with ERFA's rotations between the ecliptic and the
// equator and ERFA's Earth. It shares no code with the program's solvers,
// whose case split by eccentricity it is meant to check.
//
// Also the element files of data/ read with the program's own parser, so
// that the tests can loop over every record.
#pragma once

#include "astro/body_records.h"
#include "sky/catalog/element_files.h"

#include <erfa.h>
#include <erfam.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

namespace oracle {

constexpr double kGaussK = 0.01720209895;
constexpr double kMu = kGaussK * kGaussK;
constexpr double kArcsec = 1.0 / 3600.0;
constexpr double kDeg = 3.14159265358979323846 / 180.0;

// Stumpff functions C(z) and S(z), by series near 0.
inline double StumpffC(double z)
{
    if (std::fabs(z) < 1e-4)
        return 0.5 - z / 24.0 + z * z / 720.0;
    if (z > 0)
        return (1.0 - std::cos(std::sqrt(z))) / z;
    return (std::cosh(std::sqrt(-z)) - 1.0) / -z;
}

inline double StumpffS(double z)
{
    if (std::fabs(z) < 1e-4)
        return 1.0 / 6.0 - z / 120.0 + z * z / 5040.0;
    if (z > 0) {
        const double s = std::sqrt(z);
        return (s - std::sin(s)) / (s * s * s);
    }
    const double s = std::sqrt(-z);
    return (std::sinh(s) - s) / (s * s * s);
}

// Place in the orbit plane (x to perihelion) dt days after perihelion.
// From the perihelion state r0 = q, v0 = sqrt(mu (1 + e) / q) along y, the
// universal anomaly chi solves r0 chi + (1 - alpha r0) chi^3 S(alpha chi^2)
// = sqrt(mu) dt; then x = f r0, y = g v0.
inline void TwoBody(double q, double e, double dt, double& x, double& y)
{
    const double alpha = (1.0 - e) / q;   // 1 / a
    if (alpha > 0) {
        // Whole revolutions change nothing; fewer of them keep chi small.
        const double period = 2.0 * M_PI / (std::sqrt(kMu) * std::pow(alpha, 1.5));
        dt = std::remainder(dt, period);
    }
    const double target = std::sqrt(kMu) * dt;
    auto f = [&](double chi) {
        return q * chi + (1.0 - alpha * q) * chi * chi * chi * StumpffS(alpha * chi * chi) - target;
    };
    // f is increasing; bracket the root by doubling.
    double lo = 0, hi = 1.0;
    const double sign = target < 0 ? -1.0 : 1.0;
    while (sign * f(sign * hi) < 0)
        hi *= 2.0;
    for (int i = 0; i < 200 && hi - lo > 1e-15 * hi; ++i) {
        const double mid = 0.5 * (lo + hi);
        if (sign * f(sign * mid) < 0)
            lo = mid;
        else
            hi = mid;
    }
    const double chi = sign * 0.5 * (lo + hi);
    const double z = alpha * chi * chi;
    const double fLagrange = 1.0 - chi * chi * StumpffC(z) / q;
    const double gLagrange = dt - chi * chi * chi * StumpffS(z) / std::sqrt(kMu);
    x = fLagrange * q;
    y = gLagrange * std::sqrt(kMu * (1.0 + e) / q);
}

// The orbit's perihelion (P) and in-plane normal-to-perihelion (Q) unit
// vectors on the mean equator of J2000, from elements on the mean ecliptic
// of J2000; ERFA's IAU 2006 ecliptic.
inline void PlaneVectors(const OrbitalElements& el, double p[3], double qv[3])
{
    const double w = el.argumentOfPerihelion * kDeg, n = el.node * kDeg, i = el.inclination * kDeg;
    const double pe[3] = {std::cos(w) * std::cos(n) - std::sin(w) * std::cos(i) * std::sin(n),
                          std::cos(w) * std::sin(n) + std::sin(w) * std::cos(i) * std::cos(n),
                          std::sin(w) * std::sin(i)};
    const double qe[3] = {-std::sin(w) * std::cos(n) - std::cos(w) * std::cos(i) * std::sin(n),
                          -std::sin(w) * std::sin(n) + std::cos(w) * std::cos(i) * std::cos(n),
                          std::cos(w) * std::sin(i)};
    double toEcliptic[3][3];
    eraEcm06(ERFA_DJ00, 0.0, toEcliptic);
    eraTrxp(toEcliptic, const_cast<double*>(pe), p);
    eraTrxp(toEcliptic, const_cast<double*>(qe), qv);
}

// Heliocentric J2000 equatorial vector of a body at jd, AU.
inline void Heliocentric(const OrbitalElements& el, double jd, double v[3])
{
    double x, y, p[3], q[3];
    TwoBody(el.perihelionDistance, el.eccentricity, jd - el.perihelionTime, x, y);
    PlaneVectors(el, p, q);
    for (int c = 0; c < 3; ++c)
        v[c] = x * p[c] + y * q[c];
}

// Where the body was when the light seen from `earth` at `tt` (TT) left it:
// the light time distance / c iterated until it no longer changes.
// Returned: helio and geo, AU, J2000 equatorial
inline void LightTimePlace(const OrbitalElements& el, double tt, const double earth[3], double helio[3],
                           double geo[3])
{
    constexpr double kLightDaysPerAu = 499.004784 / 86400.0;
    double emitted = tt, previous = 0.0;
    for (int i = 0; i < 10 && emitted != previous; ++i) {
        previous = emitted;
        Heliocentric(el, emitted, helio);
        for (int c = 0; c < 3; ++c)
            geo[c] = helio[c] - earth[c];
        emitted = tt - eraPm(geo) * kLightDaysPerAu;
    }
}

// ERFA's heliocentric Earth, AU, ICRS (J2000 equatorial) axes.
inline void Earth(double jd, double v[3])
{
    double pvh[2][3], pvb[2][3];
    eraEpv00(jd, 0.0, pvh, pvb);
    for (int c = 0; c < 3; ++c)
        v[c] = pvh[0][c];
}

// Angle between two directions, degrees.
inline double Separation(const double a[3], const double b[3])
{
    return eraSepp(const_cast<double*>(a), const_cast<double*>(b)) / kDeg;
}

// Every record of an element file in data/, read with the program's parser.
inline std::vector<OrbitalElements> ReadElementFile(const char* name)
{
    std::vector<OrbitalElements> records;
    std::ifstream in(std::string(UVOLA_SOURCE_DIR "/data/") + name, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        OrbitalElements el;
        if (ParseElementLine(el, line.c_str()) == 1)
            records.push_back(el);
    }
    return records;
}

} // namespace oracle
