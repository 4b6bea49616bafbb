#include "astro/phase_angle.h"

#include "astro/clamped_math.h"
#include "astro/trig.h"

#include <cmath>

void PhaseAndLimbAngle(double sunRa, double sunDec, double sunDistance, double ra, double dec,
                       double distance, double& fraction, double& limbAngle)
{
    const double sinSunDec = SinDeg(sunDec);
    const double cosSunDec = CosDeg(sunDec);
    const double sinDec = SinDeg(dec);
    const double cosDec = CosDeg(dec);
    const double dRa = sunRa - ra;

    // Direction of the Sun seen from the body's centre on the sky.
    limbAngle = std::atan2(cosSunDec * SinDeg(dRa), sinSunDec * cosDec - cosSunDec * sinDec * CosDeg(dRa)) *
                kDegreesPerRadian;

    // Elongation of the body from the Sun, then the phase angle at the body.
    const double elongation = AcosDeg(sinSunDec * sinDec + cosSunDec * cosDec * CosDeg(dRa));
    const double phase = std::atan2(sunDistance * SinDeg(elongation),
                                    distance - sunDistance * CosDeg(elongation));
    fraction = (1.0 + std::cos(phase)) / 2.0;
}
