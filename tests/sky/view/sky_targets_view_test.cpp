// The inverse projection against the forward one in every mode and mirror
// setting, screen points and coordinates of objects, and the view turned
// toward its target.
#include <gtest/gtest.h>

#include "astro/coordinates.h"
#include "astro/vector_math.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/draw_sky.h"
#include "sky/solar_system_update.h"
#include "sky/view/object_positions.h"
#include "sky/view/screen_points.h"
#include "sky/view/targets.h"
#include "tests/sky/sky_view_fixture.h"
#include "tests/sky/catalog/catalog_ids.h"

#include <cmath>

namespace {

using skytest::MakeScene;
using skytest::ViewSetup;

// Near the meridian opposite a whole-sky map's centre a pixel of the rim
// stands for both of its sides; near the map's poles, where the rim
// closes, a pixel stands for tens of degrees of longitude.
bool OnMapSeam(const Scene& scene, const double v[3])
{
    if ((scene.viewMode >> 8) != 3 && (scene.viewMode >> 8) != 4)
        return false;
    const double* m = scene.view.matricesDouble[0];
    const double x = m[0] * v[0] + m[1] * v[1] + m[2] * v[2];
    const double y = m[3] * v[0] + m[4] * v[1] + m[5] * v[2];
    const double z = m[6] * v[0] + m[7] * v[1] + m[8] * v[2];
    return std::fabs(std::atan2(y, x)) > 175.0 * M_PI / 180.0 || std::fabs(z) > std::sin(85.0 * M_PI / 180.0);
}

// Projects a grid of directions, takes each pixel back to the sky and
// projects the result again: the second pixel must be the first within
// the projection's own pixel error. Returns the number of points tried.
int ExpectScreenRoundTrip(const Scene& scene, int tolerance)
{
    int tried = 0;
    const XRectangle& r = scene.view.skyRect;
    for (int lat = -88; lat <= 88; lat += 2) {
        for (int lon = 0; lon < 360; lon += 3) {
            double v[3], back[3];
            skytest::VectorFromDegrees(lon + 0.3, lat + 0.2, v);
            ProjectedPoint first{}, second{};
            if (ProjectPoint(scene, skytest::FixedFromDouble(v), first) == 0 || OnMapSeam(scene, v)
                || first.x < r.x + 3 || first.x > r.x + r.width - 4 || first.y < r.y || first.y > r.y + r.height)
                continue;
            if (ScreenToSky(scene, first.x, first.y, back) == 0) {
                ADD_FAILURE() << "no sky at a projected pixel, mode " << std::hex << scene.viewMode;
                continue;
            }
            if (ProjectPoint(scene, skytest::FixedFromDouble(back), second) == 0)
                continue;   // just across a cull limit
            ++tried;
            EXPECT_LE(std::max(std::abs(second.x - first.x), std::abs(second.y - first.y)), tolerance)
                << "mode " << std::hex << scene.viewMode << std::dec << " mirror " << scene.mirror << " at " << lon
                << "/" << lat;
        }
    }
    return tried;
}

TEST(ScreenToSky, InvertsEveryModeAndMirror)
{
    for (int32_t mode : skytest::kAllModes)
        for (int32_t mirror = 0; mirror <= 2; ++mirror)
            for (double field : {100.0, 20.0}) {
                auto scene = MakeScene(ViewSetup{mode, 1000, 700, 20, field, mirror, 80.0, 25.0, 40.0, 30.0});
                EXPECT_GT(ExpectScreenRoundTrip(*scene, 2), 10)
                    << std::hex << mode << " mirror " << mirror << " field " << field;
            }
}

// A thousand years from J2000 the equator of date is fourteen degrees of
// precession away: a map inverted as if it were drawn on J2000 misses by
// about thirty pixels here.
TEST(ScreenToSky, WholeSkyMapsOfDateInvertThroughThePrecession)
{
    for (int32_t mode : {kModeAll1Eqt, kModeAll2Eqt, kModeAll1Ecl, kModeAll2Ecl}) {
        auto scene = MakeScene(ViewSetup{mode, 1000, 600, 0, 180.0, 0, 60.0, 0.0});
        AstroTimeFromDate(DateTime{1000, 6, 1, 0, 0, 0.0, 0.0}, scene->time.location, scene->time);
        ComputeViewScale(*scene);
        ComputeViewMatrices(*scene);
        EXPECT_GT(ExpectScreenRoundTrip(*scene, 2), 100) << std::hex << mode;
    }
}

TEST(ScreenToSky, OutsideTheAitoffEllipseIsNoSky)
{
    auto scene = MakeScene(ViewSetup{kModeAll2Gal, 1000, 600, 0, 180.0});
    double v[3];
    const int cx = scene->view.screenCentreX, cy = scene->view.screenCentreY;
    // R = 250: the rim is 500 pixels to either side and 250 up and down;
    // no pixel beyond it has a place, though the integer scales would
    // reach a pixel further.
    for (auto [dx, dy, sky] : {std::tuple{-495, 100, 0}, {10, -255, 0}, {400, -100, 1}, {500, 0, 1}, {-500, 0, 1},
                               {501, 0, 0}, {-501, 0, 0}, {0, 250, 1}, {0, -251, 0}, {0, 251, 0}, {300, 200, 1},
                               {300, 201, 0}})
        EXPECT_EQ(ScreenToSky(*scene, cx - dx, cy - dy, v), sky) << dx << "," << dy;
    // The central column: the latitude follows dy alone.
    ASSERT_EQ(ScreenToSky(*scene, cx, cy - 125, v), 1);
    double m[3];
    const double* r = scene->view.matricesDouble[0];
    for (int i = 0; i < 3; ++i)
        m[i] = r[3 * i] * v[0] + r[3 * i + 1] * v[1] + r[3 * i + 2] * v[2];
    EXPECT_NEAR(std::asin(m[2]) * 180.0 / M_PI, 125.0 / scene->view.yScale * 180.0 / M_PI, 1e-3);
    EXPECT_NEAR(m[1], 0.0, 1e-6);
}

TEST(ScreenPoints, FixedPointsAndShownBodies)
{
    auto scene = MakeScene(ViewSetup{kModeEqt, 800, 600, 20, 60.0});
    ProjectedPoint p{};
    EXPECT_EQ(GetObjectScreenPoint(*scene, kObjectScreen, 0, 123.9, 45.2, p), 1);
    EXPECT_EQ((std::array{p.x, p.y, p.centre}), (std::array{123, 45, 0xC000}));
    EXPECT_EQ(GetObjectScreenPoint(*scene, kObjectViewCenter, 0, 0, 0, p), 1);
    EXPECT_EQ((std::array{p.x, p.y}), (std::array{400, 320}));
    for (auto [type, id] : {std::pair{int32_t{kObjectStar}, kBrightStarCount}, {kObjectSolarBody, 10000},
                            {kObjectNebula, -1}})
        EXPECT_EQ(GetObjectScreenPoint(*scene, type, id, 0, 0, p), 0) << type << " " << id;
    EXPECT_EQ(GetTargetScreenPoint(*scene, kObjectUserObject, 0, 0, 0, p), 0);

    // The Sun, centred, is at the screen centre while shown.
    UpdateSolarSystem(*scene);
    scene->view.centreLongitude = scene->sun.raDate;
    scene->view.centreLatitude = scene->sun.decDate;
    ComputeViewMatrices(*scene);
    scene->sunFlags |= kBodyShown;
    ASSERT_EQ(GetObjectScreenPoint(*scene, kObjectSolarBody, -2, 0, 0, p), 1);
    EXPECT_NEAR(p.x, scene->view.screenCentreX, 1);
    EXPECT_NEAR(p.y, scene->view.screenCentreY, 1);
    scene->sunFlags &= ~kBodyShown;
    EXPECT_EQ(GetObjectScreenPoint(*scene, kObjectSolarBody, -2, 0, 0, p), 0);
}

TEST(ScreenPoints, SolarSystemViewsProjectHeliocentricPlaces)
{
    auto scene = MakeScene(ViewSetup{kModeSol1, 800, 600, 0, 60.0});
    scene->view.solarViewWidth = 10.0;
    ComputeViewScale(*scene);
    ComputeViewMatrices(*scene);
    const double origin[3] = {0.0, 0.0, 0.0};
    ProjectedPoint p{};
    ASSERT_EQ(ProjectSolarSystemPoint(*scene, origin, p), 1);
    EXPECT_EQ(p.x, scene->view.screenCentreX);
    EXPECT_EQ(p.y, scene->view.screenCentreY);
    const double* axis = scene->view.matricesDouble[0];
    const double farBehind[3] = {-1000.0 * axis[0], -1000.0 * axis[1], -1000.0 * axis[2]};
    EXPECT_EQ(ProjectSolarSystemPoint(*scene, farBehind, p), 0);
    // The Moon is not drawn in the solar-system views; the Earth only there.
    UpdateSolarSystem(*scene);
    scene->moonFlags |= kBodyShown;
    scene->earthFlags |= kBodyShown;
    EXPECT_EQ(GetSolarBodyScreenPoint(*scene, -1, p), 0);
    EXPECT_EQ(GetSolarBodyScreenPoint(*scene, -3, p), 1);
    EXPECT_EQ(GetSolarBodyScreenPoint(*scene, 99, p), 0);
}

TEST(ObjectCoordinates, FramesObjectsAndBodies)
{
    auto scene = MakeScene(ViewSetup{});
    UpdateSolarSystem(*scene);
    double out[2];
    EXPECT_EQ(GetObjectCoordinates(*scene, kFrameEcl, 0, 12.0, -3.0, out), kFrameEcl);
    EXPECT_EQ(out[0], 12.0);
    EXPECT_EQ(GetObjectCoordinates(*scene, kObjectSolarBody, 4, 0, 0, out), kFrameEqt);
    EXPECT_EQ(out[0], scene->planets[4].raJ2000);
    EXPECT_EQ(GetObjectCoordinates(*scene, kObjectSolarBody, -3, 0, 0, out), 0);
    EXPECT_EQ(GetObjectCoordinates(*scene, kObjectScreen, 0, 0, 0, out), kObjectScreen);
    EXPECT_EQ(GetObjectCoordinates(*scene, kObjectViewCenter, 0, 0, 0, out), 0);
    EXPECT_EQ(GetTargetCoordinates(*scene, kObjectUserObject, 0, 0, 0, out), 0);
    // Sirius: RA 6 h 45 min, Dec -16.7 degrees; M31: RA 0 h 42.7 min, Dec +41.27.
    int32_t sirius = -1, m31 = -1;
    ASSERT_NE(sirius = catalogtest::StarId("Sirius"), -1);
    ASSERT_EQ(FindNebulaByDesignation("M31", m31), 1);
    for (auto [type, id, ra, dec, tolerance] : {std::tuple{int32_t{kObjectStar}, sirius, 101.287, -16.716, 0.01},
                                                {kObjectNebula, m31, 10.68, 41.27, 0.05}}) {
        ASSERT_EQ(GetObjectCoordinates(*scene, type, id, 0, 0, out), kFrameEqt) << type;
        EXPECT_NEAR(out[0], ra, tolerance) << type;
        EXPECT_NEAR(out[1], dec, tolerance) << type;
    }
}

// The scene as the redraw has it right before the view matrices are built.
void Centre(Scene& scene, int32_t type, int32_t id, int32_t centring)
{
    scene.targetType = type;
    scene.targetId = id;
    scene.centring = centring;
    UpdateSolarSystem(scene);
    UpdateViewCenterFromTarget(scene);
    ComputeViewMatrices(scene);
}

TEST(ViewCentre, SkyViewsCentreTheTarget)
{
    int32_t sirius = -1;
    ASSERT_NE(sirius = catalogtest::StarId("Sirius"), -1);
    const BrightStarRecord& star = BrightStarTable[sirius];
    for (int32_t mode : {kModeEqt, kModeEcl, kModeGal, kModeAll1Eqt, kModeAll2Gal, kModeHrz}) {
        auto scene = MakeScene(ViewSetup{mode, 800, 600, 0, 60.0});
        scene->keepCentred = 0;
        // Tokyo at 22:00 in March: Sirius is up in the south-west.
        Centre(*scene, kObjectStar, sirius, 1);
        ProjectedPoint p{};
        ASSERT_EQ(ProjectPoint(*scene, FixedVector{star.x, star.y, star.z}, p), 1) << std::hex << mode;
        EXPECT_NEAR(p.x, scene->view.screenCentreX, 2) << std::hex << mode;
        // The maps centre the longitude only; the horizontal view puts its
        // centre in the middle of the sky, above its projection centre.
        const XRectangle& r = scene->view.skyRect;
        if (mode == kModeHrz) {
            EXPECT_NEAR(p.y, r.y + r.height / 2, 2);
        } else if ((mode >> 8) < 3) {
            EXPECT_NEAR(p.y, scene->view.screenCentreY, 2) << std::hex << mode;
        }
    }
}

TEST(ViewCentre, KeepCentredHorizonViewFollowsAzimuthOnly)
{
    int32_t sirius = -1;
    ASSERT_NE(sirius = catalogtest::StarId("Sirius"), -1);
    auto scene = MakeScene(ViewSetup{kModeHrz, 800, 600, 0, 90.0});
    scene->keepCentred = 0;
    Centre(*scene, kObjectStar | kRecentreTarget, sirius, 1);
    EXPECT_EQ(scene->keepCentred, 1);
    EXPECT_EQ(scene->targetType, kObjectStar);
    const ViewGeometry& view = scene->view;
    EXPECT_NEAR(view.hrzCentreAltitude,
                (view.screenCentreY - (view.skyRect.y + view.skyRect.height / 2.0)) * view.verticalField
                    / view.skyRect.height,
                1e-9);
    const BrightStarRecord& star = BrightStarTable[sirius];
    ProjectedPoint p{};
    ASSERT_EQ(ProjectPoint(*scene, FixedVector{star.x, star.y, star.z}, p), 1);
    EXPECT_NEAR(p.x, view.screenCentreX, 2);
    // Half a degree above the horizon is half a degree above the projection
    // centre, which sits on the strip of compass letters at the bottom.
    const double horizon[2] = {view.hrzCentreAzimuth, 0.5};
    double j2000[2];
    ConvertCoordinates(scene->time, kFrameHrz, horizon, kFrameEqt, j2000);
    FixedVector f;
    FixedVectorFromSpherical(j2000, f);
    ASSERT_EQ(ProjectPoint(*scene, f, p), 1);
    EXPECT_NEAR(p.y, view.screenCentreY - 0.5 * view.pixelsPerDegree, 2);
    EXPECT_GT(view.screenCentreY, view.skyRect.y + view.skyRect.height - 3 * gAppEnv->fontAscent);

    // A screen target puts the horizon back.
    scene = MakeScene(ViewSetup{kModeHrz, 800, 600, 0, 90.0, 0, 0, 0, 123.0, -20.0});
    scene->keepCentred = 0;
    Centre(*scene, kObjectScreen | kRecentreTarget, 0, 1);
    EXPECT_EQ(scene->keepCentred, 1);
    EXPECT_DOUBLE_EQ(scene->view.hrzCentreAzimuth, 123.0);
    EXPECT_GT(scene->view.hrzCentreAltitude, 0.0);
}

TEST(ViewCentre, KeepCentredRecentresTheHorizontalViewAndLookCentresOnce)
{
    Scene scene{};
    ResetScene(scene);
    scene.centring = 0;
    UpdateViewCenter(scene);
    EXPECT_EQ(scene.centring, 0);   // once, then done
    EXPECT_EQ(scene.targetType, 1);   // the target's bit 15 became the keep-centred flag
    EXPECT_EQ(scene.keepCentred, 1);
    scene.viewMode = kModeEqt;
    scene.centring = 2;               // TRACK follows at every redraw
    UpdateViewCenter(scene);
    EXPECT_EQ(scene.centring, 2);
    EXPECT_EQ(scene.targetType, 1);
    scene.keepCentred = 0;
    scene.viewMode = kModeHrz;
    scene.centring = 0;
    scene.targetType = 2 | kRecentreTarget;
    UpdateViewCenter(scene);
    EXPECT_EQ(scene.targetType, 2 | kRecentreTarget);
}

TEST(ViewCentre, SolarViewsMoveTheOriginToTheBody)
{
    auto scene = MakeScene(ViewSetup{kModeSol1, 800, 600, 0, 60.0});
    Centre(*scene, kObjectSolarBody, 2, 1);   // Mars
    for (int i = 0; i < 3; ++i)
        EXPECT_DOUBLE_EQ(scene->solarOrigin[i], scene->planets[2].helioVector[i]);
    EXPECT_GT(std::fabs(scene->solarOrigin[0]) + std::fabs(scene->solarOrigin[1]), 1.0);
    Centre(*scene, kObjectSolarBody, -2, 1);
    EXPECT_EQ(scene->solarOrigin[0], 0.0);
    Centre(*scene, kObjectSolarBody, -3, 1);
    EXPECT_DOUBLE_EQ(scene->solarOrigin[2], scene->sun.earthVector[2]);
}

TEST(ViewCentre, StaleTargetIsDroppedAndTheViewKept)
{
    // A comet of a list since unloaded, a star past the table: centring
    // stops. The Earth has no place on the sky: the view stays, tracking
    // goes on.
    auto scene = MakeScene(ViewSetup{kModeEqt, 800, 600, 0, 60.0, 0, 33.0, 44.0});
    scene->cometCount = 0;
    for (auto [id, centring] : {std::pair{10003, 0}, {99999, 0}, {-3, 2}}) {
        Centre(*scene, id == 99999 ? kObjectStar : kObjectSolarBody, id, 2);
        EXPECT_EQ(scene->centring, centring) << id;
        EXPECT_DOUBLE_EQ(scene->view.centreLongitude, 33.0) << id;
        EXPECT_DOUBLE_EQ(scene->view.centreLatitude, 44.0) << id;
    }
}

}  // namespace
