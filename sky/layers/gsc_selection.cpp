// Choosing the Guide Star Catalog regions of a chart.
#include "sky/layers/gsc_selection.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "astro/vector_math.h"
#include "sky/catalog/gsc_region_index.h"
#include "data/catalog_tables.h"
#include "sky/layers/star_view_circle.h"
#include "sky/view/projection.h"
#include "sky/view/screen_points.h"

#include <algorithm>
#include <cmath>

namespace {

// Outline points per edge: an edge along a parallel bows away from the line
// between its corners, near the poles by more than the test rectangle's
// margin, so the corners alone could place a region off a chart it meets.
constexpr int kEdgeSteps = 16;
constexpr double kReusePixels = 0.8;
constexpr double kZoneHeight = 7.5;      // degrees

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

double DegreesBetween(const double a[3], const double b[3])
{
    return std::acos(std::clamp(Dot(a, b), -1.0, 1.0)) / kRadiansPerDegree;
}

void Normalise(double v[3])
{
    double length = VectorLength(v);
    if (length > 0.0)
        VectorScale(v, 1.0 / length, v);
}

// Position angle of the direction from the chart's middle toward its top.
double ChartOrientation(const Scene& scene)
{
    const XRectangle& rect = scene.view.skyRect;
    int32_t cx = rect.x + rect.width / 2, cy = rect.y + rect.height / 2;
    double centre[3], up[3], c[2], u[2];
    if (!ScreenToSky(scene, cx, cy, centre) || !ScreenToSky(scene, cx, cy - std::max(1, rect.height / 4), up))
        return 0.0;
    SphericalFromVector(centre, c);
    SphericalFromVector(up, u);
    double positionAngle = 0.0, distance = 0.0;
    AngularSeparation(c, u, positionAngle, distance);
    return positionAngle;
}

// What a choice for the chart is made for; its masks are left alone.
void KeyOf(const Scene& scene, const StarViewCircle& view, GscSelection& key)
{
    key.valid = 1;
    key.centre[0] = view.centre[0];
    key.centre[1] = view.centre[1];
    key.fieldOfView = scene.view.fieldOfView;
    key.verticalField = scene.view.verticalField;
    key.orientation = ChartOrientation(scene);
    key.viewMode = scene.viewMode;
    key.mirror = scene.mirror;
    key.width = scene.view.skyRect.width;
    key.height = scene.view.skyRect.height;
}

double AngleApart(double a, double b)
{
    double d = std::fmod(std::fabs(a - b), 360.0);
    return std::min(d, 360.0 - d);
}

// Whether the kept choice still holds: the same kind of chart, the centre
// within kReusePixels of the kept one, not turned by more than that at the
// chart's corners, and no wider than before (zooming in only narrows).
bool CanReuse(const GscSelection& now, const Scene& scene)
{
    const GscSelection& kept = scene.gscSelection;
    if (!kept.valid || now.viewMode != kept.viewMode || now.mirror != kept.mirror || now.width != kept.width ||
        now.height != kept.height)
        return false;
    double ppd = scene.view.pixelsPerDegree;
    if (!(ppd > 0.0))
        return false;
    double tolerance = kReusePixels / ppd;
    double halfDiagonal = std::hypot(now.width, now.height) / 2.0;
    // The distance itself, not RA and Dec apart: at the pole RA has no
    // meaning, and a turn about a fixed centre is the orientation's to see.
    return StarViewDistance(now.centre, kept.centre) < tolerance &&
           AngleApart(now.orientation, kept.orientation) * kRadiansPerDegree * halfDiagonal < kReusePixels &&
           now.fieldOfView <= kept.fieldOfView && now.verticalField <= kept.verticalField;
}

void ResetMasks(GscSelection& selection)
{
    for (int32_t i = 0; i < kGscLargeRegionCount; ++i) {
        const int32_t n = GscLargeRegionTable[i].n;
        selection.masks[i] = n * n >= 32 ? ~0u : (1u << (n * n)) - 1u;
    }
}

void CornersOfBox(double raLow, double raHigh, double decLow, double decHigh, double (&corners)[4][3])
{
    const double places[4][2] = {{raLow, decLow}, {raHigh, decLow}, {raHigh, decHigh}, {raLow, decHigh}};
    for (int c = 0; c < 4; ++c)
        VectorFromSpherical(places[c], corners[c]);
}

void LargeRegionCircle(const GscZone& zone, int32_t k, double (&centre)[3], double& radius)
{
    double width = 360.0 / zone.largeRegions;
    double nearEquator = std::fabs(zone.declination) - kZoneHeight / 2.0;
    double low = zone.declination > 0.0 ? nearEquator : -nearEquator - kZoneHeight;
    double corners[4][3];
    CornersOfBox(width * k, width * (k + 1), low, low + kZoneHeight, corners);
    GscRegionCircle(corners, centre, radius);
}

void SmallRegionCircle(const void* index, int32_t region, double (&centre)[3], double& radius)
{
    FixedVector fixed[4];
    GetGscRegionCorners(index, region, fixed);
    double corners[4][3];
    for (int c = 0; c < 4; ++c) {
        for (int i = 0; i < 3; ++i)
            corners[c][i] = fixed[c][i];
        Normalise(corners[c]);
    }
    GscRegionCircle(corners, centre, radius);
}

bool OutsideView(const double centre[3], double radius, const double view[3], double viewRadius)
{
    return radius + viewRadius < DegreesBetween(centre, view);
}

// Narrows the kept choice of one large region to the view.
void NarrowLargeRegion(const Scene& scene, const void* index, const GscLargeRegion& large, uint32_t& mask,
                       const double view[3], double viewRadius, const XRectangle& rect)
{
    for (int32_t j = 0; j < large.n * large.n; ++j) {
        uint32_t bit = 1u << j;
        if (!(mask & bit))
            continue;
        int32_t region = large.firstSmallRegion + j;
        double centre[3], radius = 0.0;
        SmallRegionCircle(index, region, centre, radius);
        FixedVector corners[4];
        GetGscRegionCorners(index, region, corners);
        if (OutsideView(centre, radius, view, viewRadius) || !IsGscRegionInView(scene, corners, rect))
            mask &= ~bit;
    }
}

// One point of the outline: `t` of the way from corner a to corner b, in
// RA the short way round and in Dec, so that parallels stay parallels.
FixedVector OutlinePoint(const double a[2], const double b[2], double t)
{
    double dRa = b[0] - a[0];
    if (dRa > 180.0)
        dRa -= 360.0;
    else if (dRa < -180.0)
        dRa += 360.0;
    const double place[2] = {a[0] + t * dRa, a[1] + t * (b[1] - a[1])};
    FixedVector v;
    FixedVectorFromSpherical(place, v);
    return v;
}

}  // namespace

void GscRegionCircle(const double (&corners)[4][3], double (&centre)[3], double& radius)
{
    for (int i = 0; i < 3; ++i)
        centre[i] = corners[0][i] + corners[1][i] + corners[2][i] + corners[3][i];
    Normalise(centre);
    radius = 0.0;
    for (const auto& corner : corners)
        radius = std::max(radius, DegreesBetween(centre, corner));
}

int IsGscRegionInView(const Scene& scene, const FixedVector (&corners)[4], const XRectangle& rect)
{
    double places[4][2];
    for (int c = 0; c < 4; ++c)
        SphericalFromFixedVector(corners[c], places[c]);
    bool above = true, below = true, left = true, right = true;
    for (int edge = 0; edge < 4; ++edge)
        for (int step = 0; step < kEdgeSteps; ++step) {
            ProjectedPoint p;
            if (!ProjectPoint(scene, OutlinePoint(places[edge], places[(edge + 1) % 4], double(step) / kEdgeSteps), p))
                return 1;
            if (p.x >= rect.x && p.x < rect.x + rect.width && p.y >= rect.y && p.y < rect.y + rect.height)
                return 1;
            above = above && p.y < rect.y;
            below = below && p.y > rect.y + rect.height;
            left = left && p.x < rect.x;
            right = right && p.x > rect.x + rect.width;
        }
    return !(above || below || left || right);
}

void ForgetGscSelection(Scene& scene) { scene.gscSelection.valid = 0; }

std::vector<GscChoice> SelectGscRegions(Scene& scene, const void* index)
{
    StarViewCircle circle;
    ComputeStarViewCircle(scene, circle);
    double view[3];
    VectorFromSpherical(circle.centre, view);
    const XRectangle& chart = scene.view.skyRect;
    const XRectangle rect = {static_cast<short>(chart.x - chart.width / 20), static_cast<short>(chart.y - chart.height / 20),
                             static_cast<unsigned short>(chart.width + chart.width / 20 * 2),
                             static_cast<unsigned short>(chart.height + chart.height / 20 * 2)};

    GscSelection& kept = scene.gscSelection;
    GscSelection now{};
    KeyOf(scene, circle, now);
    if (CanReuse(now, scene)) {
        kept.fieldOfView = now.fieldOfView;
        kept.verticalField = now.verticalField;
    } else {
        KeyOf(scene, circle, kept);
        ResetMasks(kept);
    }

    std::vector<GscChoice> chosen;
    for (int32_t z = 0; z < kGscZoneCount; ++z) {
        const GscZone& zone = GscZoneTable[z];
        for (int32_t k = 0; k < zone.largeRegions; ++k) {
            const int32_t l = zone.firstLargeRegion - 1 + k;
            const GscLargeRegion& large = GscLargeRegionTable[l];
            uint32_t& mask = kept.masks[l];
            if (mask == 0)
                continue;
            double centre[3], radius = 0.0;
            LargeRegionCircle(zone, k, centre, radius);
            if (OutsideView(centre, radius, view, circle.radius))
                mask = 0;
            else
                NarrowLargeRegion(scene, index, large, mask, view, circle.radius, rect);
            for (int32_t j = 0; j < large.n * large.n; ++j)
                if (mask & (1u << j))
                    chosen.push_back({large.firstSmallRegion + j, z});
        }
    }
    return chosen;
}
