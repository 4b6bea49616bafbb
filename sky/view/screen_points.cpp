// Screen points of objects and the inverse projection.
#include "sky/view/screen_points.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "astro/vector_math.h"
#include "data/catalog_tables.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_objects.h"
#include "sky/scene.h"
#include "sky/view/object_positions.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int32_t kFixedPointCentre = 0xC000;
constexpr double kSolarPixelLimit = 20000.0;
constexpr double kSolarDepthWidths = 10.0;

// J2000 vector of a view-frame vector: the view matrix is a rotation, so
// its transpose takes the view frame back.
void FromViewFrame(const Scene& scene, const double u[3], double v[3])
{
    const double* m = scene.view.matricesDouble[0];
    for (int i = 0; i < 3; ++i) {
        v[i] = m[i] * u[0] + m[3 + i] * u[1] + m[6 + i] * u[2];
    }
}

// Pixel offsets from the screen centre toward growing view-frame y and z,
// undoing the mirror the projection applied.
void CentreOffsets(const Scene& scene, int32_t px, int32_t py, double& dx, double& dy)
{
    const ViewGeometry& view = scene.view;
    const double cx = view.screenCentreX;
    double cy = view.screenCentreY;
    const int32_t mirror = ViewFamilyOf(scene.viewMode) == kFamilySky ? scene.mirror : 0;
    if (scene.viewMode == kModeHrz && mirror == 1) {
        cy = 2.0 * view.skyRect.y + view.skyRect.height - cy;
    }
    if (mirror == 1) {
        dx = px - cx;
        dy = py - cy;
    } else if (mirror == 2) {
        dx = px - cx;
        dy = cy - py;
    } else {
        dx = cx - px;
        dy = cy - py;
    }
}

int AzimuthalToSky(const Scene& scene, double dx, double dy, double v[3])
{
    const double a = dx / scene.view.pixelsPerRadianX;
    const double b = dy / scene.view.pixelsPerRadianY;
    const double theta = std::hypot(a, b);
    if (!std::isfinite(theta)) {
        return 0;
    }
    // (a, b) is the angle from the axis times the direction on the chart.
    const double k = theta > 0.0 ? std::sin(theta) / theta : 1.0;
    const double u[3] = {std::cos(theta), a * k, b * k};
    FromViewFrame(scene, u, v);
    return 1;
}

// Equidistant cylindrical: both offsets are angles at w / 2 pi pixels per
// radian, the longitude counted from the map's centre.
int CylindricalToSky(const Scene& scene, double dx, double dy, double v[3])
{
    const double scale = scene.view.skyRect.width / (2.0 * kPi);
    if (!(scale > 0.0)) {
        return 0;
    }
    const double longitude = dx / scale;
    const double latitude = dy / scale;
    const double u[3] = {std::cos(latitude) * std::cos(longitude),
                         std::cos(latitude) * std::sin(longitude), std::sin(latitude)};
    FromViewFrame(scene, u, v);
    return 1;
}

// Whether a pixel offset lies outside the Aitoff ellipse of a map w pixels
// wide: semi-axes 2R across and R down, R = w / 4.
bool OutsideAitoffEllipse(const Scene& scene, int64_t dx, int64_t dy)
{
    const int64_t r = scene.view.skyRect.width / 4;
    return 4 * (r * r - dy * dy) < dx * dx;
}

// Aitoff: the map is the azimuthal equidistant projection of (longitude / 2,
// latitude) stretched twice across, so the offsets give the angle alpha
// from the map's centre and its direction in closed form. The integer
// scales make the ellipse of alpha = 90 degrees a pixel narrower than the
// map's: a pixel between the two lies on the rim.
int AitoffToSky(const Scene& scene, int64_t dx, int64_t dy, double v[3])
{
    const double xScale = scene.view.xScale;
    const double yScale = scene.view.yScale;
    if (!(xScale > 0.0 && yScale > 0.0) || OutsideAitoffEllipse(scene, dx, dy)) {
        return 0;
    }
    const double a = dx / xScale;
    const double b = dy / yScale;
    const double alpha = std::min(std::hypot(a, b), kPi / 2);
    const double k = alpha > 0.0 ? std::sin(alpha) / alpha : 1.0;
    const double sinLatitude = b * k;
    const double halfLongitude = std::atan2(a * k, std::cos(alpha));
    const double cosLatitude = std::sqrt(std::fmax(0.0, 1.0 - sinLatitude * sinLatitude));
    const double u[3] = {cosLatitude * std::cos(2.0 * halfLongitude),
                         cosLatitude * std::sin(2.0 * halfLongitude), sinLatitude};
    FromViewFrame(scene, u, v);
    return 1;
}

void FixedPoint(double x, double y, ProjectedPoint& out)
{
    out = {};
    out.x = static_cast<int32_t>(x);
    out.y = static_cast<int32_t>(y);
    out.centre = kFixedPointCentre;
}

}  // namespace

int ScreenToSky(const Scene& scene, int32_t px, int32_t py, double v[3])
{
    switch (ViewFamilyOf(scene.viewMode)) {
    case kFamilySky:
    case kFamilySolarSystem:
    case kFamilyPlanisphere: {
        double dx = 0.0;
        double dy = 0.0;
        CentreOffsets(scene, px, py, dx, dy);
        return AzimuthalToSky(scene, dx, dy, v);
    }
    case kFamilyCylinder:
        return CylindricalToSky(scene, double(scene.view.screenCentreX) - px,
                                double(scene.view.screenCentreY) - py, v);
    case kFamilyAitoff:
        return AitoffToSky(scene, int64_t{scene.view.screenCentreX} - px,
                           int64_t{scene.view.screenCentreY} - py, v);
    default:
        return 0;
    }
}

int ProjectSolarSystemPoint(const Scene& scene, const double position[3], ProjectedPoint& out)
{
    out = {};
    const ViewGeometry& view = scene.view;
    double d[3];
    VectorSubtract(position, scene.solarOrigin, d);
    const double* m = view.matricesDouble[0];
    const double depth = m[0] * d[0] + m[1] * d[1] + m[2] * d[2];
    if (depth < -kSolarDepthWidths * view.solarViewWidth) {
        return 0;
    }
    const double x = (m[3] * d[0] + m[4] * d[1] + m[5] * d[2]) * view.solarScaleX;
    const double y = (m[6] * d[0] + m[7] * d[1] + m[8] * d[2]) * view.solarScaleY;
    if (!(std::fabs(x) <= kSolarPixelLimit && std::fabs(y) <= kSolarPixelLimit)) {
        return 0;
    }
    out.x = static_cast<int32_t>(view.screenCentreX - x);
    out.y = static_cast<int32_t>(view.screenCentreY - y);
    // The depth along the view axis, in the same pixels, lets the axes of
    // the solar-system views dim the end that points away.
    out.centre = static_cast<int32_t>(std::clamp(depth * view.solarScaleX, -2e9, 2e9));
    return 1;
}

int ProjectForViewMode(const Scene& scene, const double direction[3], const FixedVector& fixed,
                       const double helio[3], ProjectedPoint& out)
{
    const int32_t family = ViewFamilyOf(scene.viewMode);
    if (family == kFamilySky) {
        return ProjectPointDouble(scene, direction, out);
    }
    if (family == kFamilySolarSystem) {
        return ProjectSolarSystemPoint(scene, helio, out);
    }
    if (family >= kFamilyCylinder && family <= kFamilyPlanisphere) {
        return ProjectPoint(scene, fixed, out);
    }
    out = {};
    return 0;
}

int GetSolarBodyScreenPoint(const Scene& scene, ObjectId id, ProjectedPoint& out)
{
    out = {};
    const bool solarView = IsSolarSystemView(scene.viewMode);
    const double origin[3] = {0.0, 0.0, 0.0};
    const bool comet = id >= kCometIdBase && id < kCometIdBase + scene.cometCount;
    const bool minorPlanet = id >= kMinorPlanetIdBase && id < kMinorPlanetIdBase + scene.mplanetCount;
    if (comet || minorPlanet) {
        const int32_t i = id - (comet ? kCometIdBase : kMinorPlanetIdBase);
        const uint8_t* flags = comet ? scene.cometFlags : scene.mplanetFlags;
        const SmallBodyRecord* records = comet ? scene.cometPositions : scene.mplanetPositions;
        if (flags == nullptr || records == nullptr || (flags[i] & kBodyShown) == 0) {
            return 0;
        }
        const SmallBodyRecord& body = records[i];
        return ProjectForViewMode(scene, body.unitVector, body.fixedVector, body.helioVector, out);
    }
    if (id == kEarthId) {
        if (!solarView || (scene.earthFlags & kBodyShown) == 0) {
            return 0;
        }
        return ProjectSolarSystemPoint(scene, scene.sun.earthVector, out);
    }
    if (id == kSunId) {
        if ((scene.sunFlags & kBodyShown) == 0) {
            return 0;
        }
        return ProjectForViewMode(scene, scene.sun.unitVector, scene.sun.fixedVector, origin, out);
    }
    if (id == kMoonId) {
        if (solarView || (scene.moonFlags & kBodyShown) == 0) {
            return 0;
        }
        return ProjectForViewMode(scene, scene.moon.unitVector, scene.moon.fixedVector, origin, out);
    }
    if (id >= 0 && id < kPlanetCount) {
        if ((scene.planetFlags[id] & kBodyShown) == 0) {
            return 0;
        }
        const PlanetRecord& planet = scene.planets[id];
        return ProjectForViewMode(scene, planet.unitVector, planet.fixedVector, planet.helioVector, out);
    }
    return 0;
}

int GetObjectScreenPoint(const Scene& scene, int32_t type, int32_t id, double longitude,
                         double latitude, ProjectedPoint& out)
{
    out = {};
    if (ObjectExists(scene, type, id) == 0) {
        return 0;
    }
    FixedVector v{};
    switch (type) {
    case kObjectSolarBody:
        return GetSolarBodyScreenPoint(scene, id, out);
    case kObjectScreen:
        FixedPoint(longitude, latitude, out);
        return 1;
    case kObjectViewCenter: {
        const XRectangle& rect = scene.view.skyRect;
        FixedPoint(rect.x + rect.width / 2, rect.y + rect.height / 2, out);
        return 1;
    }
    case kObjectStar:
        v = FixedVector{BrightStarTable[id].x, BrightStarTable[id].y, BrightStarTable[id].z};
        break;
    case kObjectConstellation:
        v = FixedVector{ConstellationTable[id].x, ConstellationTable[id].y, ConstellationTable[id].z};
        break;
    case kObjectNebula:
        v = NebulaPositionTable[id];
        break;
    case kObjectJovianMoon:
        v = scene.jovianMoons[id].fixedVector;
        break;
    case kObjectMagellanicCloud: {
        const MagellanicCloudRecord& cloud = MagellanicCloudTable[id];
        v = FixedVector{cloud.x / 65536, cloud.y / 65536, cloud.z / 65536};
        break;
    }
    case kFrameHrz:
    case kFrameEqt:
    case kFrameEqtB1950:
    case kFrameEqtDate:
    case kFrameEcl:
    case kFrameGal: {
        // The pair to J2000 first.
        const double pair[2] = {longitude, latitude};
        double j2000[2];
        ConvertCoordinates(scene.time, static_cast<CoordFrame>(type), pair, kFrameEqt, j2000);
        FixedVectorFromSpherical(j2000, v);
        break;
    }
    default:
        return 0;   // user objects: GetTargetScreenPoint; sky marks have no point
    }
    return ProjectPoint(scene, v, out);
}

int GetTargetScreenPoint(const Scene& scene, int32_t type, int32_t id, double longitude,
                         double latitude, ProjectedPoint& out)
{
    if (type == kObjectUserObject) {
        const UserObject* object = UserObjectAt(scene.userObjectFiles, scene.userObjectFileCount, id);
        if (object == nullptr) {
            out = {};
            return 0;
        }
        return GetObjectScreenPoint(scene, object->type, object->id, object->longitude, object->latitude, out);
    }
    return GetObjectScreenPoint(scene, type, id, longitude, latitude, out);
}
