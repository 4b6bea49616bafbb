#include "astro/eclipse.h"

#include "astro/coordinates.h"
#include "astro/trig.h"

#include <cmath>

int32_t DisksOverlap(const double centre1[2], const double centre2[2], double radiusSum,
                     double& positionAngle, double& distance)
{
    // Cheap rejection first: the Moon layer asks this at every redraw, and the
    // disks are nearly always far apart. The raw longitude difference
    // overstates the separation by 1 / cos(latitude), which the 10 per cent
    // margin covers up to 24.6 degrees from the equator: enough for the Sun,
    // the Moon touching it and the Earth's shadow, which never go further.
    const double limit = 1.1 * radiusSum;
    if (std::fabs(NormalizeLatitude(centre1[0] - centre2[0])) > limit)
        return 0;
    if (std::fabs(NormalizeLatitude(centre1[1] - centre2[1])) > limit)
        return 0;

    AngularSeparation(centre1, centre2, positionAngle, distance);
    return distance <= radiusSum ? 1 : 0;
}

int32_t SolarEclipseMagnitude(const MoonRecord& moon, SunRecord& sun)
{
    const double sunPlace[2] = {sun.raJ2000, sun.decJ2000};
    const double moonPlace[2] = {moon.raJ2000, moon.decJ2000};
    const double radiusSum = moon.semidiameter + sun.semidiameter;
    double distance = 0.0;
    if (DisksOverlap(sunPlace, moonPlace, radiusSum, sun.eclipsePositionAngle, distance) == 0) {
        sun.eclipseMagnitude = -1.0;
        return 0;
    }
    sun.eclipseMagnitude = (radiusSum - distance) / (2.0 * sun.semidiameter);
    return 1;
}
