#include "sky/layers/ground_layer.h"

#include "astro/vector_math.h"
#include "core/app_env.h"
#include "sky/colors.h"
#include "sky/layers/grid_layer.h"
#include "sky/view/grid_geometry.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr int kEdgeSlack = 10;   // pixels a horizon point may lie beyond a side edge

// Cosine and sine of 5 k degrees, k = 0..26, from the quarter-circle table.
FixedVector HorizonStep(int k)
{
    const auto& sine = HorizonStepSineTable();
    const int last = kHorizonStepCount - 1;   // 90 degrees
    if (k <= last) {
        return FixedVector{sine[last - k], sine[k], 0};
    }
    return FixedVector{-sine[k - last], sine[2 * last - k], 0};
}

// The horizon seen from the projection centre: the frame tilted by the
// altitude of the projection centre, which sits below the window's middle.
FixedMatrix GroundFrame(const Scene& scene)
{
    const ViewGeometry& view = scene.view;
    const double chartHeight = view.skyRect.height;
    const double below = chartHeight / 2 - (view.skyRect.y + chartHeight - view.screenCentreY);
    const double tilt = -(view.hrzCentreAltitude - below * view.verticalField / chartHeight);
    double frame[9];
    RotationZY(0.0, tilt, frame);
    FixedMatrix fixed{};
    FixedFromMatrix(frame, fixed);
    return fixed;
}

int16_t ToXCoordinate(int32_t value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

}  // namespace

int ComputeGroundPolygon(const Scene& scene, std::array<ProjectedPoint, kGroundPointCount>& points)
{
    const FixedMatrix frame = GroundFrame(scene);
    const int32_t left = scene.view.skyRect.x - kEdgeSlack;
    const int32_t right = scene.view.skyRect.x + scene.view.skyRect.width + kEdgeSlack;
    int previousProjected = 0;
    for (int k = 0; k < kGroundPointCount; ++k) {
        ProjectedPoint at{};
        const int projected = ProjectAzimuthalInFrame(frame, scene, HorizonStep(k), at);
        if (!projected) {
            if (k > 0 && !previousProjected) {
                return k - 1;
            }
            // A single point that does not project keeps its neighbour's
            // place, so the polygon never holds an unset point.
            points[k] = k > 0 ? points[k - 1] : at;
            previousProjected = 0;
            continue;
        }
        points[k] = at;
        previousProjected = 1;
        if (at.x < left || at.x > right) {
            return k + 1;
        }
    }
    return kGroundPointCount - 1;
}

void GroundPolygonPoints(const Scene& scene, const std::array<ProjectedPoint, kGroundPointCount>& points,
                         int count, std::array<XPoint, 2 * kGroundPointCount + 1>& polygon)
{
    const ViewGeometry& view = scene.view;
    const int32_t centreX = view.screenCentreX;
    const int32_t edgeY = scene.mirror == 1 ? view.skyRect.y : view.skyRect.y + view.skyRect.height;
    auto point = [](int32_t x, int32_t y) { return XPoint{ToXCoordinate(x), ToXCoordinate(y)}; };
    auto mirrored = [&](const ProjectedPoint& p) { return point(2 * centreX - p.x, p.y); };
    int n = 0;
    polygon[n++] = point(2 * centreX - points[count - 1].x, edgeY);
    for (int k = count - 1; k >= 1; --k) {
        polygon[n++] = mirrored(points[k]);
    }
    for (int k = 0; k < count; ++k) {
        polygon[n++] = point(points[k].x, points[k].y);
    }
    polygon[n++] = point(points[count - 1].x, edgeY);
}

void DrawGround(Scene& scene, RedrawRecord& redraw)
{
    if ((scene.displayFlags[kFlagSkyAndGround] & kHorizonFlag) == 0) {
        return;
    }
    std::array<ProjectedPoint, kGroundPointCount> points{};
    const int count = ComputeGroundPolygon(scene, points);
    if (count >= 2) {
        std::array<XPoint, 2 * kGroundPointCount + 1> polygon{};
        GroundPolygonPoints(scene, points, count, polygon);
        XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[kColorLandscape]);
        XFillPolygon(gAppEnv->display, redraw.drawable, scene.gc, polygon.data(), 2 * count + 1, Nonconvex,
                     CoordModeOrigin);
    }
    if ((scene.displayFlags[kFlagHorizontalGrid] & kDirFlag) != 0) {
        DrawHorizontalGrid(scene, redraw, kHorizonDirectionLabels, 0, kColorHorizontalGrid);
    }
}
