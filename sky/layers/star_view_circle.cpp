// The view circle of the star-file layers.
#include "sky/layers/star_view_circle.h"

#include "astro/coordinates.h"
#include "astro/vector_math.h"
#include "sky/view/screen_points.h"

#include <algorithm>

namespace {

constexpr double kWholeSphere = 180.0;

}  // namespace

double StarViewDistance(const double a[2], const double b[2])
{
    double positionAngle = 0.0, distance = 0.0;
    AngularSeparation(a, b, positionAngle, distance);
    return distance;
}

void ComputeStarViewCircle(const Scene& scene, StarViewCircle& circle)
{
    const XRectangle& rect = scene.view.skyRect;
    circle.centre[0] = circle.centre[1] = 0.0;
    circle.radius = kWholeSphere;
    double v[3];
    if (ViewFamilyOf(scene.viewMode) != kFamilySky || !ScreenToSky(scene, rect.x + rect.width / 2, rect.y + rect.height / 2, v))
        return;
    SphericalFromVector(v, circle.centre);
    // Every corner counts, not the top-left one alone: the chart need not
    // be symmetric about its middle pixel (an even width has no middle).
    const int32_t xs[2] = {rect.x, rect.x + rect.width - 1};
    const int32_t ys[2] = {rect.y, rect.y + rect.height - 1};
    double radius = 0.0;
    for (int32_t x : xs)
        for (int32_t y : ys) {
            double corner[2];
            if (!ScreenToSky(scene, x, y, v))
                return;
            SphericalFromVector(v, corner);
            radius = std::max(radius, StarViewDistance(circle.centre, corner));
        }
    circle.radius = radius;
}
