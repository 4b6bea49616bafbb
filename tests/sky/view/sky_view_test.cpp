// View set-up: scales, field limits, limiting magnitude and the view
// rotations, the rotations checked against ERFA.
#include <gtest/gtest.h>

#include "astro/trig.h"
#include "sky/view/limiting_magnitude.h"
#include "sky/view/projection.h"
#include "tests/sky/sky_view_fixture.h"

#include <erfa.h>

#include <cmath>

using namespace skytest;

namespace {

double Dot(const double a[3], const double b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

double AngleDegrees(const double a[3], const double b[3])
{
    double c[3];
    eraPxp(const_cast<double*>(a), const_cast<double*>(b), c);
    return std::atan2(std::sqrt(Dot(c, c)), Dot(a, b)) * 180.0 / M_PI;
}

// J2000 direction of a direction given on the mean equator of date, by the
// IAU 1976 precession of ERFA.
void J2000FromDate(const Scene& scene, const double date[3], double j2000[3])
{
    double r[3][3];
    eraPmat76(2400000.5, scene.time.julianDay - 2400000.5, r);
    eraTrxp(r, const_cast<double*>(date), j2000);
}

// J2000 direction of a place in a frame of the views (degrees): the
// equator of date (4), the ecliptic of date (5) or the galactic frame (6).
void J2000FromFrame(const Scene& scene, int frame, double longitude, double latitude, double j2000[3])
{
    if (frame == 6) {
        double ra = 0.0, dec = 0.0;
        eraG2icrs(longitude * M_PI / 180, latitude * M_PI / 180, &ra, &dec);
        eraS2c(ra, dec, j2000);
        return;
    }
    double date[3];
    eraS2c(longitude * M_PI / 180, latitude * M_PI / 180, date);
    if (frame == 5) {
        double r[3][3];
        eraIr(r);
        eraRx(-eraObl80(scene.time.julianDay, 0.0), r);
        eraRxp(r, date, date);
    }
    J2000FromDate(scene, date, j2000);
}

// J2000 direction of a horizontal place (azimuth from south through west),
// through ERFA's hour angle and declination and its own sidereal time.
void J2000FromHorizontal(const Scene& scene, double azimuth, double altitude, double j2000[3])
{
    double ha = 0.0, dec = 0.0, date[3];
    eraAe2hd((azimuth + 180.0) * M_PI / 180.0, altitude * M_PI / 180.0, scene.time.location.latitude * M_PI / 180.0,
             &ha, &dec);
    const double lst = eraGmst82(scene.time.julianDay, 0.0) + scene.time.location.longitude * M_PI / 180.0;
    eraS2c(lst - ha, dec, date);
    J2000FromDate(scene, date, j2000);
}

}  // namespace

TEST(ViewScale, HorizontalWindow800By600Field120)
{
    auto scene = MakeScene({.mode = kModeHrz, .width = 800, .height = 600, .field = 120.0, .fontHeight = 16});
    const ViewGeometry& v = scene->view;
    EXPECT_DOUBLE_EQ(v.verticalField, 90.0);
    EXPECT_NEAR(v.pixelsPerRadianX, 381.97, 0.005);
    EXPECT_EQ(v.xScale, 381);
    EXPECT_EQ(v.yScale, 381);
    EXPECT_EQ(v.screenCentreX, 400);
    EXPECT_EQ(v.screenCentreY, 600 - 16);
    EXPECT_NEAR(v.pixelsPerDegree, 381.97 * M_PI / 180.0, 1e-3);
    EXPECT_NEAR(v.diagonalField, std::sqrt(120.0 * 120.0 + 4 * 90.0 * 90.0), 1e-9);
    // The farthest corner from a centre 284 pixels below the middle.
    const double b = (2.0 * 284 / 600 + 1.0) * 90.0;
    const double half = std::sqrt(120.0 * 120.0 + b * b) * 0.5;
    EXPECT_NEAR(v.centreLimit, static_cast<int>(16384.0 * std::cos(half * M_PI / 180.0)) - 5, 1);
    EXPECT_DOUBLE_EQ(v.centreLimitDouble, v.centreLimit / 16384.0);
}

TEST(ViewScale, CentresOfEachFamilyBelowTheStatusLine)
{
    const struct {
        ViewSetup setup;
        int x, y;
    } cases[] = {
        {{.mode = kModeEqt, .width = 640, .height = 480, .top = 20, .field = 60.0}, 320, 20 + 240},
        {{.mode = kModeHrz, .width = 640, .height = 480, .top = 20, .field = 60.0, .fontHeight = 12}, 320, 20 + 480 - 12},
        {{.mode = kModeVola, .width = 700, .height = 500, .fontHeight = 15}, 350, 250},
    };
    for (const auto& c : cases) {
        auto scene = MakeScene(c.setup);
        EXPECT_EQ(scene->view.screenCentreX, c.x) << std::hex << c.setup.mode;
        EXPECT_EQ(scene->view.screenCentreY, c.y) << std::hex << c.setup.mode;
    }
}

TEST(ViewScale, WholeSkyMapsPlanisphereAndSolarSystem)
{
    auto all1 = MakeScene({.mode = kModeAll1Eqt, .width = 1000, .height = 600});
    EXPECT_NEAR(all1->view.pixelsPerRadianX, 1000 / (2 * M_PI), 1e-9);
    EXPECT_NEAR(all1->view.pixelsPerRadianY, 1000 / (2 * M_PI), 1e-9);
    EXPECT_NEAR(all1->view.diagonalField, std::sqrt(360.0 * 360.0 + 180.0 * 180.0), 1e-9);
    // Half the diagonal, 201.2 degrees, gives the cull its cosine as it is
    // (the map's projection does not cull by it).
    EXPECT_EQ(all1->view.centreLimit, static_cast<int32_t>(16384 * CosDeg(std::hypot(360.0, 180.0) / 2)) - 5);
    EXPECT_EQ(all1->view.centreLimit, -15275);

    auto all2 = MakeScene({.mode = kModeAll2Gal, .width = 1000, .height = 600});
    EXPECT_NEAR(all2->view.pixelsPerRadianX, 1000 / M_PI, 1e-9);
    EXPECT_NEAR(all2->view.pixelsPerRadianY, 1000 / (2 * M_PI), 1e-9);
    EXPECT_EQ(all2->view.xScale, 318);
    EXPECT_EQ(all2->view.yScale, 159);

    auto vola = MakeScene({.mode = kModeVola, .width = 700, .height = 500, .fontHeight = 15});
    EXPECT_EQ(vola->view.circleRadius, 250 - 18);
    EXPECT_NEAR(vola->view.pixelsPerRadianX, (500 - 30) / M_PI, 1e-9);

    auto sol = MakeScene({.mode = kModeSol2, .width = 900, .height = 600, .field = 90.0});
    EXPECT_DOUBLE_EQ(sol->view.solarScaleX, 900 / 12.0);
    EXPECT_DOUBLE_EQ(sol->view.solarScaleY, 900 / 12.0);
    EXPECT_DOUBLE_EQ(sol->view.solarDepth, -12.0);
    EXPECT_NEAR(sol->view.pixelsPerRadianX, 900 / (M_PI / 2), 1e-9);
}

TEST(ViewScale, FieldIsHeldBetweenTheSmallestScaleAndTheWindowsMaximum)
{
    // ZOOM's minimum field (1 degree) does not bound what the redraw draws.
    for (auto [field, drawn] : {std::pair{0.5, 0.5}, {0.05, 0.05}, {1e-9, kSmallestFieldOfView},
                                {0.0, kSmallestFieldOfView}, {-5.0, kSmallestFieldOfView},
                                {std::nan(""), kSmallestFieldOfView}}) {
        auto scene = MakeScene({.mode = kModeEqt, .field = field});
        EXPECT_EQ(scene->view.minimumField, 1.0);
        EXPECT_EQ(scene->view.fieldOfView, drawn) << field;
        EXPECT_NEAR(scene->view.pixelsPerRadianX, 800 / (drawn * M_PI / 180), 1e-6);
        EXPECT_GE(scene->view.pixelsPerDegree, kPrecisePixelsPerDegree);
    }
    // The smallest field keeps the integer scale in range in the widest window.
    auto scene = MakeScene({.mode = kModeEqt, .width = 65535, .height = 100, .field = 1e-12});
    EXPECT_EQ(scene->view.fieldOfView, kSmallestFieldOfView);
    EXPECT_GT(scene->view.xScale, 0);
    EXPECT_LT(scene->view.pixelsPerRadianX, 2.0e9);

    auto tall = MakeScene({.mode = kModeHrz, .width = 400, .height = 800, .field = 120.0});
    EXPECT_DOUBLE_EQ(tall->view.fieldOfView, 55.0);
    EXPECT_DOUBLE_EQ(tall->view.verticalField, 110.0);
    EXPECT_DOUBLE_EQ(MakeScene({.mode = kModeEqt, .width = 600, .height = 600, .field = 400.0})->view.fieldOfView,
                     180.0);
}

TEST(ViewScale, DegenerateWindowsGiveFiniteGeometry)
{
    for (int32_t mode : kAllModes) {
        for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {0, 500}, {500, 0}, {2, 3}, {65535, 1}}) {
            auto scene = MakeScene({.mode = mode, .width = w, .height = h, .field = 120.0});
            const ViewGeometry& v = scene->view;
            EXPECT_TRUE(std::isfinite(v.verticalField) && std::isfinite(v.pixelsPerRadianX)
                        && std::isfinite(v.pixelsPerDegree))
                << mode << " " << w << "x" << h;
            EXPECT_GE(v.circleRadius, 0);
            EXPECT_GE(v.centreLimit, -16344);
        }
    }
}

TEST(FieldLimits, ModeClampKeepsTheVerticalExtentWithin110Degrees)
{
    auto scene = MakeScene({.mode = kModeHrz, .width = 400, .height = 800, .field = 50.0});
    scene->view.fieldOfView = 120.0;
    EXPECT_EQ(ClampFieldOfView(*scene, 1), 1);
    EXPECT_DOUBLE_EQ(scene->view.fieldOfView, 55.0);
    scene->view.fieldOfView = 120.0;
    ClampFieldOfView(*scene, 0);
    EXPECT_DOUBLE_EQ(scene->view.fieldOfView, 120.0);
    auto map = MakeScene({.mode = kModeAll1Eqt, .width = 400, .height = 800});
    map->view.fieldOfView = 120.0;
    ClampFieldOfView(*map, 1);
    EXPECT_DOUBLE_EQ(map->view.fieldOfView, 120.0);

    for (auto [mode, w, h, most] : {std::tuple{kModeHrz, 1000, 500, 180.0}, {kModeHrz, 500, 1000, 55.0},
                                    {kModeHrz, 700, 1000, 77.0}, {kModeVola, 500, 1000, 90.0}})
        EXPECT_DOUBLE_EQ(MaxFieldOfView(*MakeScene({.mode = mode, .width = w, .height = h})), most) << w << "x" << h;
}

TEST(LimitingMagnitude, AutomaticValuesByFieldAndStarData)
{
    // 65 built-in, 95 SAO, 170 GSC; at 65 degrees 80 - 55 x 20 / 110 = 70.
    auto scene = MakeScene({.mode = kModeEqt, .width = 1000, .height = 1000});
    for (auto [cap, field, limit] :
         {std::tuple{170, 150.0, 60}, {170, 120.0, 60}, {170, 10.0, 80}, {170, 1.0, 120}, {170, 0.5, 142},
          {170, 0.1, 160}, {65, 120.0, 60}, {65, 10.0, 65}, {65, 1.0, 65}, {65, 0.5, 65}, {95, 65.0, 70}}) {
        scene->mag.starCap = cap;
        scene->view.fieldOfView = field;
        EXPECT_EQ(AutoLimitingMagnitude(*scene), limit) << cap << " " << field;
    }
    // In the redraw's order a field below one degree is kept and takes its branch.
    scene->mag.starCap = 170;
    scene->view.fieldOfView = 0.5;
    ComputeViewScale(*scene);
    UpdateLimitingMagnitude(*scene);
    EXPECT_EQ(scene->mag.starLimit, 142);
}

TEST(LimitingMagnitude, DaylightDimsOnlyTheHorizontalFramesAndTheMapsUse45)
{
    for (auto [mode, daylightOn, level, limit] :
         {std::tuple{kModeHrz, 1, 16, 60 - 32}, {kModeHrz, 1, 40, 60 - 65}, {kModeHrz, 1, 32, 60 - 65},
          {kModeHrz, 0, 32, 60}, {kModeVola, 1, 16, 45 - 32}, {kModeEqt, 1, 16, 60}, {kModeAll2Eqt, 1, 16, 45}}) {
        auto scene = MakeScene({.mode = mode});
        scene->view.fieldOfView = 120.0;
        scene->displayFlags[kFlagSkyAndGround] = static_cast<uint8_t>(daylightOn);
        scene->daylightLevel = level;
        EXPECT_EQ(AutoLimitingMagnitude(*scene), limit) << std::hex << mode << std::dec << " " << level;
    }
    for (int32_t mode : {kModeVola, kModeAll1Eqt, kModeAll1Gal, kModeAll2Ecl}) {
        auto scene = MakeScene({.mode = mode});
        scene->mag.starCap = 170;
        scene->view.fieldOfView = 1.0;
        scene->displayFlags[kFlagSkyAndGround] = 0;
        EXPECT_EQ(AutoLimitingMagnitude(*scene), 45) << mode;
    }
}

TEST(LimitingMagnitude, RequestBecomesAnOffsetThatFollowsTheZoom)
{
    auto scene = MakeScene({.mode = kModeEqt, .width = 1000, .height = 1000});
    scene->mag.starCap = 170;
    scene->view.fieldOfView = 120.0;   // automatic 60
    scene->mag.requestPending = 1;
    scene->mag.requestedValue = 50;
    UpdateLimitingMagnitude(*scene);
    EXPECT_EQ(scene->mag.starLimit, 50);
    EXPECT_EQ(scene->mag.starOffset, -10);
    EXPECT_EQ(scene->mag.requestPending, 0);
    scene->view.fieldOfView = 10.0;    // automatic 80, the offset kept
    UpdateLimitingMagnitude(*scene);
    EXPECT_EQ(scene->mag.starLimit, 70);
    scene->mag.starCap = 65;
    UpdateLimitingMagnitude(*scene);   // automatic 65
    EXPECT_EQ(scene->mag.starLimit, 55);
    scene->mag.starOffset = 30;
    UpdateLimitingMagnitude(*scene);
    EXPECT_EQ(scene->mag.starLimit, 65);
}

TEST(ViewMatrices, AreOrthonormalInEveryMode)
{
    for (int32_t mode : kAllModes) {
        auto scene = MakeScene(
            {.mode = mode, .centreLongitude = 123.4, .centreLatitude = -33.3, .azimuth = 47.0, .altitude = 25.0});
        for (int k = 0; k < 3; ++k) {
            const double* m = scene->view.matricesDouble[k];
            for (int i = 0; i < 3; ++i)
                for (int j = 0; j < 3; ++j)
                    EXPECT_NEAR(Dot(m + 3 * i, m + 3 * j), i == j ? 1.0 : 0.0, 1e-5) << mode << " matrix " << k;
            const double det = m[0] * (m[4] * m[8] - m[5] * m[7]) - m[1] * (m[3] * m[8] - m[5] * m[6])
                               + m[2] * (m[3] * m[7] - m[4] * m[6]);
            EXPECT_NEAR(det, 1.0, 1e-5) << mode << " matrix " << k;
            for (int e = 0; e < 9; ++e)
                EXPECT_NEAR(scene->view.matrices[k][e], m[e] * 16384.0, 1.0) << mode;
        }
    }
}

TEST(ViewMatrices, ViewAxisPointsAtTheCentreAgainstErfa)
{
    // The maps centre the longitude only. Tolerances in degrees.
    const double lon = 83.6, lat = 22.0;
    for (auto [mode, tolerance] : {std::pair{kModeEqt, 1e-3}, {kModeSol1, 1e-3}, {kModeEcl, 1e-3}, {kModeSol2, 1e-3},
                                   {kModeGal, 0.02}, {kModeSol3, 0.02}, {kModeAll1Eqt, 1e-3}, {kModeAll2Ecl, 1e-3},
                                   {kModeAll1Gal, 0.02}}) {
        auto scene = MakeScene({.mode = mode, .width = 800, .height = 800, .field = 60.0, .centreLongitude = lon,
                                .centreLatitude = lat});
        double expected[3];
        J2000FromFrame(*scene, mode & 0xFF, lon, (mode & 0xFF00) >= 0x300 ? 0.0 : lat, expected);
        EXPECT_LT(AngleDegrees(scene->view.matricesDouble[0], expected), tolerance) << std::hex << mode;
    }
}

TEST(ViewMatrices, HorizontalAxisAndHorizonAgainstErfa)
{
    auto scene = MakeScene({.mode = kModeHrz, .width = 800, .height = 600, .field = 90.0, .azimuth = 210.0,
                            .altitude = 30.0});
    // The projection centre lies below the window's middle by the share of
    // the vertical field between them.
    const ViewGeometry& v = scene->view;
    const double below = v.skyRect.height / 2.0 - (v.skyRect.y + v.skyRect.height - v.screenCentreY);
    double expected[3], zenith[3], south[3];
    J2000FromHorizontal(*scene, 210.0, 30.0 - below * v.verticalField / v.skyRect.height, expected);
    EXPECT_LT(AngleDegrees(v.matricesDouble[0], expected), 0.01);
    // Row 2 of the horizon matrix is the zenith; row 0 the south point.
    J2000FromHorizontal(*scene, 0.0, 90.0, zenith);
    J2000FromHorizontal(*scene, 0.0, 0.0, south);
    EXPECT_LT(AngleDegrees(v.matricesDouble[1] + 6, zenith), 0.01);
    EXPECT_LT(AngleDegrees(v.matricesDouble[1], south), 0.01);
    EXPECT_LT(AngleDegrees(MakeScene({.mode = kModeVola})->view.matricesDouble[0], zenith), 0.01);
}

TEST(ViewMatrices, EastIsLeftAndNorthIsUp)
{
    // A point a little east (greater longitude) of the centre lies left of
    // it, a point a little north lies above, in every frame; and those
    // screen directions are the frame's own: up toward its pole, left
    // toward increasing longitude.
    for (int32_t mode : {kModeEqt, kModeEcl, kModeGal}) {
        auto scene = MakeScene({.mode = mode, .width = 800, .height = 800, .field = 30.0, .centreLongitude = 200.0,
                                .centreLatitude = 10.0});
        const double* m = scene->view.matricesDouble[0];
        const double *axis = m, *left = m + 3, *up = m + 6;
        double east[3], north[3], pole[3], across[3];
        for (int i = 0; i < 3; ++i) {
            east[i] = axis[i] + 0.05 * left[i];
            north[i] = axis[i] + 0.05 * up[i];
        }
        ProjectedPoint pe, pn;
        ASSERT_TRUE(ProjectPointDouble(*scene, east, pe));
        ASSERT_TRUE(ProjectPointDouble(*scene, north, pn));
        EXPECT_LT(pe.x, scene->view.screenCentreX - 10) << mode;
        EXPECT_LT(pn.y, scene->view.screenCentreY - 10) << mode;
        J2000FromFrame(*scene, mode & 0xFF, 0.0, 90.0, pole);
        EXPECT_GT(Dot(up, pole), 0.0) << mode;
        eraPxp(pole, const_cast<double*>(axis), across);   // pole x axis points toward increasing longitude
        EXPECT_GT(Dot(left, across), 0.0) << mode;
    }
    // Looking south, east (azimuth 270 through west) is on the left.
    auto hrz = MakeScene({.mode = kModeHrz, .field = 60.0, .azimuth = 0.0, .altitude = 20.0});
    double east[3], west[3];
    J2000FromHorizontal(*hrz, -5.0, 10.0, east);
    J2000FromHorizontal(*hrz, 5.0, 10.0, west);
    ProjectedPoint pe, pw;
    ASSERT_TRUE(ProjectPointDouble(*hrz, east, pe));
    ASSERT_TRUE(ProjectPointDouble(*hrz, west, pw));
    EXPECT_LT(pe.x, hrz->view.screenCentreX);
    EXPECT_GT(pw.x, hrz->view.screenCentreX);
}
