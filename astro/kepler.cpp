#include "astro/kepler.h"

#include "astro/clamped_math.h"
#include "astro/trig.h"

#include <cmath>

namespace {

constexpr double kKeplerTolerance = 0.0005729577951308233;   // 1e-5 radian, in degrees

// Eccentric anomaly of mean anomaly M (degrees). Returns 1 when converged.
int32_t SolveKepler(double M, double e, double& E)
{
    E = M;
    for (int step = 0; step < kKeplerMaxSteps; ++step) {
        const double next = M + e * kDegreesPerRadian * SinDeg(E);
        const double change = std::fabs(next - E);
        E = next;
        if (change <= kKeplerTolerance)
            return 1;
    }
    return 0;
}

} // namespace

int32_t KeplerToEcliptic(const PlanetElements& el, double ecliptic[2], double& r)
{
    const double e = HeldEccentricity(el.eccentricity);
    const double a = el.semiMajorAxis;
    double E;
    const int32_t converged = SolveKepler(el.meanLongitude - (el.argPerihelion + el.node), e, E);

    // Position in the orbit plane, x towards the perihelion.
    const double x = a * (CosDeg(E) - e);
    const double y = a * ClampedSqrt(1 - e * e) * SinDeg(E);
    r = std::hypot(x, y);

    // Turned by the argument of perihelion, the inclination and the node.
    const double sinW = SinDeg(el.argPerihelion), cosW = CosDeg(el.argPerihelion);
    const double sinN = SinDeg(el.node), cosN = CosDeg(el.node);
    const double sinI = SinDeg(el.inclination), cosI = CosDeg(el.inclination);
    ecliptic[0] = std::atan2((sinN * cosW + cosN * cosI * sinW) * x - (sinN * sinW - cosN * cosI * cosW) * y,
                             (cosN * cosW - sinN * cosI * sinW) * x - (cosN * sinW + sinN * cosI * cosW) * y) *
                  kDegreesPerRadian;
    ecliptic[1] = r > 0.0 ? AsinDeg((sinI * sinW * x + sinI * cosW * y) / r) : 0.0;
    return converged;
}
