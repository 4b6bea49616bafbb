#include "sky/view/view_setup.h"

#include "astro/coordinates.h"
#include "astro/trig.h"
#include "astro/vector_math.h"
#include "core/app_env.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// The vertical extent the horizontal view may reach; beyond it the
// azimuthal picture near the zenith becomes too distorted to read.
constexpr double kHorizonVerticalLimit = 110.0;
constexpr double kWidestField = 180.0;

// Lowest Q14 centre limit: points within a few degrees of the point
// opposite the view axis would project to arbitrarily far pixels.
constexpr int32_t kLowestCentreLimit = -16344;

// Start-up keeps the DirNameFontset height here: the bottom margin of the
// horizontal view and the planisphere's ring of direction letters.
int32_t DirectionFontHeight()
{
    return gAppEnv != nullptr ? gAppEnv->fontAscent : 0;
}

// Window sides as divisors: a window not yet sized has no zero side.
double SkyWidth(const Scene& scene) { return std::max<double>(scene.view.skyRect.width, 1.0); }
double SkyHeight(const Scene& scene) { return std::max<double>(scene.view.skyRect.height, 1.0); }

int16_t ClampToInt16(int64_t v)
{
    return static_cast<int16_t>(std::clamp<int64_t>(v, INT16_MIN, INT16_MAX));
}

int32_t TruncateScale(double pixelsPerRadian)
{
    return static_cast<int32_t>(std::clamp(pixelsPerRadian, -2.0e9, 2.0e9));
}

// The redraw keeps the field within what the window allows and what the
// projection can scale: ZOOM's own minimum field does not bound it, so
// VIEW ANGLE may go below it.
void ClampFieldForScale(Scene& scene)
{
    double field = scene.view.fieldOfView;
    if (!(field >= kSmallestFieldOfView)) {  // also catches NaN
        field = kSmallestFieldOfView;
    }
    field = std::min(field, std::max(MaxFieldOfView(scene), kSmallestFieldOfView));
    scene.view.fieldOfView = field;
}

// Pixels per radian and the field's horizontal and vertical extents.
void ComputeFamilyScale(Scene& scene, double& extentX, double& extentY)
{
    ViewGeometry& view = scene.view;
    const double w = SkyWidth(scene);
    const double a = PixelAspect();
    const int32_t family = ViewFamilyOf(scene.viewMode);
    double ppr = 0.0;
    double pprY = 0.0;
    if (family == kFamilySolarSystem) {
        const double width = view.solarViewWidth > 0.0 ? view.solarViewWidth : 1.0;
        view.solarScaleX = w / width;
        view.solarScaleY = view.solarScaleX * a;
        view.solarDepth = -view.solarViewWidth;
    }
    if (family == kFamilyCylinder) {
        ppr = w / (2.0 * kPi);
        pprY = ppr * a;
        extentX = 360.0;
        extentY = 180.0;
    } else if (family == kFamilyAitoff) {
        ppr = w / kPi;
        pprY = w / (2.0 * kPi);
        extentX = 360.0;
        extentY = 180.0;
    } else if (family == kFamilyPlanisphere) {
        const int32_t d = std::min<int32_t>(scene.view.skyRect.width, scene.view.skyRect.height);
        const int32_t fontHeight = DirectionFontHeight();
        view.circleRadius = std::max<int32_t>(
            static_cast<int32_t>(d * 0.5) - static_cast<int32_t>(fontHeight * 12.0 / 10.0), 0);
        ppr = std::max(d - 2.0 * fontHeight, 0.0) / kPi;
        pprY = ppr * a;
        extentX = 180.0;
        extentY = 180.0;
    } else {
        ppr = w / (view.fieldOfView * kPi / 180.0);
        pprY = ppr * a;
        extentX = view.fieldOfView;
        extentY = view.verticalField;
    }
    view.pixelsPerRadianX = ppr;
    view.pixelsPerRadianY = pprY;
    view.xScale = TruncateScale(ppr);
    view.yScale = TruncateScale(pprY);
}

void ComputeScreenCentre(Scene& scene)
{
    const XRectangle& rect = scene.view.skyRect;
    scene.view.screenCentreX = ClampToInt16(int64_t{rect.x} + rect.width / 2);
    if (scene.viewMode == kModeHrz) {
        // The horizon sits near the bottom edge, above the direction letters.
        scene.view.screenCentreY =
            ClampToInt16(int64_t{rect.y} + rect.height - DirectionFontHeight());
    } else {
        scene.view.screenCentreY = ClampToInt16(int64_t{rect.y} + rect.height / 2);
    }
}

// Cull limit: the cosine of the angle from the projection centre to the
// farthest corner of the window.
void ComputeCentreLimit(Scene& scene, double extentX, double extentY)
{
    ViewGeometry& view = scene.view;
    const XRectangle& rect = view.skyRect;
    const double dx = std::fabs(rect.x + rect.width / 2 - static_cast<double>(view.screenCentreX));
    const double dy = std::fabs(rect.y + rect.height / 2 - static_cast<double>(view.screenCentreY));
    const double a = (2.0 * dx / SkyWidth(scene) + 1.0) * extentX;
    const double b = (2.0 * dy / SkyHeight(scene) + 1.0) * extentY;
    const double half = std::sqrt(a * a + b * b) * 0.5;
    int32_t limit = static_cast<int32_t>(16384.0 * CosDeg(half)) - 5;
    if (limit < kLowestCentreLimit) {
        limit = kLowestCentreLimit + 1;
    }
    view.centreLimit = limit;
    view.centreLimitDouble = limit / 16384.0;
}

void StoreMatrix(const double m[9], double stored[9], FixedMatrix& fixed)
{
    std::copy(m, m + 9, stored);
    FixedFromMatrix(m, fixed);
}

void InversePrecession(const Scene& scene, double inverse[9])
{
    MatrixInverse(scene.time.precessionToJ2000, inverse);
}

// View centre of the mode's own frame; the whole-sky maps keep the
// equator of their frame across the middle.
void FrameCentre(const Scene& scene, double& longitude, double& latitude)
{
    longitude = scene.view.centreLongitude;
    latitude = IsWholeSkyMap(scene.viewMode) ? 0.0 : scene.view.centreLatitude;
}

void StoreViewMatrix(Scene& scene, const double centreRotation[9], const double frame[9])
{
    double view[9];
    MatrixMultiply(centreRotation, frame, view);
    StoreMatrix(view, scene.view.matricesDouble[0], scene.view.matrices[0]);
}

}  // namespace

void ComputeViewScale(Scene& scene)
{
    ViewGeometry& view = scene.view;
    ClampFieldForScale(scene);
    view.verticalField = view.fieldOfView * SkyHeight(scene) / SkyWidth(scene) * PixelAspect();

    double extentX = 0.0;
    double extentY = 0.0;
    ComputeFamilyScale(scene, extentX, extentY);

    // The horizontal view counts the height twice: its projection centre
    // sits at the bottom edge, so the sky above reaches twice as far.
    const double factor = scene.viewMode == kModeHrz ? 4.0 : 1.0;
    view.diagonalField = std::sqrt(extentX * extentX + factor * extentY * extentY);

    ComputeScreenCentre(scene);
    ComputeCentreLimit(scene, extentX, extentY);
    view.pixelsPerDegree = view.pixelsPerRadianX / 180.0 * kPi;
}

void ComputeViewBaseMatrices(Scene& scene)
{
    ViewGeometry& view = scene.view;
    const XRectangle& rect = view.skyRect;
    const double h = SkyHeight(scene);
    const double a = view.hrzCentreAzimuth;
    double b = 0.0;
    if (scene.viewMode == kModeHrz) {
        // The altitude of the projection centre, below the window's middle.
        const double belowMiddle = h * 0.5 - (rect.y + rect.height - static_cast<double>(view.screenCentreY));
        b = view.hrzCentreAltitude - belowMiddle * view.verticalField / h;
    } else if (scene.viewMode == kModeVola) {
        b = 90.0;
    }

    double siteRotation[9];
    double inverse[9];
    double horizon[9];
    RotationZY(scene.time.localSiderealTime, 90.0 - scene.time.location.latitude, siteRotation);
    InversePrecession(scene, inverse);
    MatrixMultiply(siteRotation, inverse, horizon);

    double horizonToView[9];
    double viewMatrix[9];
    RotationZY(-a, -b, horizonToView);
    MatrixMultiply(horizonToView, horizon, viewMatrix);

    StoreMatrix(viewMatrix, view.matricesDouble[0], view.matrices[0]);
    StoreMatrix(horizon, view.matricesDouble[1], view.matrices[1]);
    StoreMatrix(horizonToView, view.matricesDouble[2], view.matrices[2]);
}

void ComputeViewMatricesEqtDate(Scene& scene)
{
    double longitude = 0.0;
    double latitude = 0.0;
    FrameCentre(scene, longitude, latitude);
    double centre[9];
    double inverse[9];
    RotationZY(longitude, -latitude, centre);
    InversePrecession(scene, inverse);
    StoreViewMatrix(scene, centre, inverse);
}

void ComputeViewMatricesEcliptic(Scene& scene)
{
    double longitude = 0.0;
    double latitude = 0.0;
    FrameCentre(scene, longitude, latitude);
    double centre[9];
    double inverse[9];
    double tilt[9];
    double ecliptic[9];
    RotationZY(longitude, -latitude, centre);
    InversePrecession(scene, inverse);
    RotationX(scene.time.obliquity, tilt);
    MatrixMultiply(tilt, inverse, ecliptic);
    StoreViewMatrix(scene, centre, ecliptic);
}

void ComputeViewMatricesGalactic(Scene& scene)
{
    double longitude = 0.0;
    double latitude = 0.0;
    FrameCentre(scene, longitude, latitude);
    double centre[9];
    double node[9];
    double tilt[9];
    double galactic[9];
    RotationZY(longitude - kGalacticNodeLongitude, -latitude, centre);
    RotationZ(kGalacticPoleRaPlus90, node);
    RotationX(kGalacticPoleColatitude, tilt);
    MatrixMultiply(tilt, node, galactic);
    StoreViewMatrix(scene, centre, galactic);
}

void ComputeViewMatrices(Scene& scene)
{
    // The horizon matrix is kept current in every mode: the horizon layers
    // and the altitude cull read it.
    ComputeViewBaseMatrices(scene);
    switch (ViewFrameOf(scene.viewMode)) {
    case kFrameEqtDate:
        ComputeViewMatricesEqtDate(scene);
        break;
    case kFrameEcl:
        ComputeViewMatricesEcliptic(scene);
        break;
    case kFrameGal:
        ComputeViewMatricesGalactic(scene);
        break;
    default:
        break;
    }
}

int ClampFieldOfView(Scene& scene, int apply)
{
    if (scene.viewMode != kModeHrz) {
        return 1;
    }
    const double vertical = scene.view.fieldOfView * SkyHeight(scene) / SkyWidth(scene) / PixelAspect();
    if (vertical > kHorizonVerticalLimit && apply) {
        scene.view.fieldOfView = scene.view.fieldOfView * kHorizonVerticalLimit / vertical;
    }
    return 1;
}

double MaxFieldOfView(const Scene& scene)
{
    const double limit = scene.viewMode == kModeHrz ? kHorizonVerticalLimit : kWidestField;
    const double widest = std::min(limit * SkyWidth(scene) / SkyHeight(scene) * PixelAspect(), kWidestField);
    return std::floor(widest * 10.0 + 0.5) / 10.0;
}

double PixelAspect()
{
    return gAppEnv != nullptr && gAppEnv->pixelAspect > 0.0 ? gAppEnv->pixelAspect : 1.0;
}
