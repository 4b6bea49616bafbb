#include "sky/layers/body_geometry.h"

#include "astro/trig.h"
#include "sky/view/projection.h"

#include <algorithm>
#include <cmath>

void UnitVector(double ra, double dec, double v[3])
{
    const double a = ra / kDegreesPerRadian, d = dec / kDegreesPerRadian;
    v[0] = std::cos(d) * std::cos(a);
    v[1] = std::cos(d) * std::sin(a);
    v[2] = std::sin(d);
}

int32_t BodyDiskRadius(const Scene& scene, double semidiameter)
{
    const double r = semidiameter / kDegreesPerRadian * scene.view.pixelsPerRadianX + 0.5;
    return static_cast<int32_t>(std::clamp(r, 0.0, kLargestDiskRadius));
}

double ScreenPositionAngle(const Scene& scene, double ra, double dec, int32_t r0, int32_t x, int32_t y)
{
    const double step = r0 < 2 ? 4.0 : r0 < 3 ? 2.0 : 0.5;
    double v[3];
    UnitVector(ra, dec + step, v);
    ProjectedPoint north{};
    if (ProjectPointDouble(scene, v, north) == 0) {
        return 0.0;
    }
    return 270.0 - std::atan2(static_cast<double>(north.y - y), static_cast<double>(north.x - x)) * kDegreesPerRadian;
}

int PositionAnglesMirrored(const Scene& scene)
{
    return scene.mirror == 2 && scene.viewMode != kModeVola ? 1 : 0;
}
