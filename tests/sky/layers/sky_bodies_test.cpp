// The Sun, Moon, planets and satellites layer drawn on a real canvas and
// read back: eclipses, the Moon's phase turned toward the Sun, Jupiter's
// satellites at their computed points, Saturn's rings, and the labels.
#include "tests/sky/layers/sky_grids_shot.h"

#include "astro/coordinates.h"
#include "sky/draw_sky.h"
#include "sky/layers/body_geometry.h"
#include "sky/layers/moon_layer.h"
#include "sky/layers/planet_layer.h"
#include "sky/layers/solar_labels.h"
#include "sky/layers/solar_system_layer.h"
#include "sky/solar_system_update.h"

#include <cmath>
#include <cstring>

using namespace gridtest;

namespace {

bool AddBodyColours()
{
    for (const char* line : {"UVola*ColorMoonEclipse: #FF0000", "UVola*ColorSaturnRingA: #00FF00",
                             "UVola*ColorSaturnRingB: #0000FF", "UVola*ColorSaturnDisk: #FFFF00",
                             "UVola*ColorJupiterDisk: #FF00FF", "UVola*ColorStar3: #EFEFEF",
                             "UVola*ColorSolarMagFont: #00FFFF", "UVola*ColorSolarNameFont: #FF8000"}) {
        ExtraResources().push_back(line);
    }
    return true;
}

const bool kColoursAdded = AddBodyColours();

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr double kDeg = 3.14159265358979323846 / 180.0;

Scene gBodyScene;

class BodyLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kColoursAdded);
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(gBodyScene);
        scene.viewMode = kModeEqt;
        scene.statusLine = 0;
        for (int byte : {kFlagStars, kFlagStarLabels, kFlagConstellations, kFlagMilkyWay, kFlagNebulae,
                         kFlagGridNumbers, kFlagHorizontalGrid, kFlagEquatorial, kFlagOtherGrids, kFlagLineNumbers})
            scene.displayFlags[byte] = 0;
    }

    void SetTime(int year, int month, int day, int hour, int minute, double latitude, double longitude)
    {
        const DateTime date{year, month, day, hour, minute, 0.0, 0.0};
        const ObserverLocation site{latitude, longitude, 100.0};
        AstroTimeFromDate(date, site, scene.time);
        UpdateSolarSystem(scene);
        // As the redraw does after its own update, so that it keeps these.
        scene.lastSolarUpdate = scene.time.julianDay;
    }

    // Points the view at a J2000 place (close enough to the equator of date
    // for the fields used here) and draws the chart.
    void DrawAt(double ra, double dec, double field)
    {
        const double j2000[2] = {ra, dec};
        double ofDate[2];
        ConvertCoordinates(scene.time, kFrameEqt, j2000, kFrameEqtDate, ofDate);
        scene.view.centreLongitude = ofDate[0];
        scene.view.centreLatitude = ofDate[1];
        scene.view.fieldOfView = field;
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    ProjectedPoint Project(const double v[3])
    {
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPointDouble(scene, v, p), 1);
        return p;
    }

    // Screen direction (unit, y down) from one sky direction toward another.
    void ScreenDirection(const double from[3], const double to[3], double& ux, double& uy)
    {
        // A step of a fifteenth of the field along the great circle toward `to`.
        const double step = scene.view.fieldOfView / 15.0 * kDeg;
        double t[3], v[3];
        const double along = from[0] * to[0] + from[1] * to[1] + from[2] * to[2];
        for (int i = 0; i < 3; ++i)
            t[i] = to[i] - along * from[i];
        const double norm = std::sqrt(t[0] * t[0] + t[1] * t[1] + t[2] * t[2]);
        for (int i = 0; i < 3; ++i)
            v[i] = from[i] + step * t[i] / norm;
        const ProjectedPoint a = Project(from), b = Project(v);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        ASSERT_GT(length, 0.0);
        ux = (b.x - a.x) / length;
        uy = (b.y - a.y) / length;
    }

    Scene& scene = gBodyScene;
};

TEST(SolarLabelTest, MagnitudeLabelsReadAsTenths)
{
    char text[16];
    const struct {
        int32_t mag10;
        const char* text;
    } cases[] = {{45, "45"}, {-12, "-12"}, {5, "05"}, {123, "123"}, {0, "00"}, {-5, "-05"}, {-267, "-267"}};
    for (const auto& c : cases) {
        FormatSolarMagnitudeLabel(c.mag10, text, sizeof text);
        EXPECT_STREQ(text, c.text) << c.mag10;
    }
}

TEST(MoonShadowTest, OutlineRunsInsideBothCircles)
{
    std::vector<ScreenPoint> points;
    MoonShadowOutline(100, 100, 20, 130, 100, 25, 1, 1.0, points);
    ASSERT_GT(points.size(), 6u);
    for (const ScreenPoint& p : points) {
        EXPECT_LE(std::hypot(p.x - 100, p.y - 100), 20.8);
        EXPECT_LE(std::hypot(p.x - 130, p.y - 100), 25.8);
    }
    // The umbra stands right of the Moon: the shaded part is its right side.
    EXPECT_GT(points.front().x, 100);
}

TEST(MoonShadowTest, CirclesThatDoNotCrossGiveNothing)
{
    std::vector<ScreenPoint> points;
    MoonShadowOutline(0, 0, 10, 100, 0, 20, 1, 1.0, points);   // apart
    EXPECT_TRUE(points.empty());
    MoonShadowOutline(0, 0, 10, 1, 0, 40, 1, 1.0, points);     // Moon inside the umbra
    EXPECT_TRUE(points.empty());
    MoonShadowOutline(0, 0, 10, 0, 0, 20, 1, 1.0, points);     // same centre
    EXPECT_TRUE(points.empty());
    // Circles that just touch: the Moon's cosine rounds past 1 and must not
    // give a NaN that turns into a wild pixel.
    MoonShadowOutline(0, 0, 10, 30, 0, 20, 1, 1.0, points);
    for (const ScreenPoint& p : points) {
        EXPECT_LE(std::abs(p.x), 40);
        EXPECT_LE(std::abs(p.y), 40);
    }
}

TEST(PlanetDiskTest, RadiusFollowsDiskMagnificationWithOnePixelAtLeast)
{
    Scene scene{};
    ResetScene(scene);
    scene.view.pixelsPerRadianX = 100000.0;
    scene.diskMagnitude = 100;
    // 45 arc seconds at 100 times: 0.625 degrees of radius.
    EXPECT_EQ(PlanetDiskRadius(scene, 45.0), static_cast<int32_t>(0.625 * kDeg * 100000.0 + 0.5));
    scene.diskMagnitude = 1;
    EXPECT_EQ(PlanetDiskRadius(scene, 1.0), 1);
    EXPECT_EQ(PlanetDiskRadius(scene, 0.0), 1);
    EXPECT_NEAR(SaturnGlobeRatio(90.0), 0.8923, 1e-9);
    EXPECT_NEAR(SaturnGlobeRatio(0.0), 1.0, 1e-6);
}

TEST_F(BodyLayerTest, TotalLunarEclipseDrawsMoonInEclipseColour)
{
    SetTime(2022, 11, 8, 11, 0, 35.68, 139.77);   // Tokyo, the Moon high in the east
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
    EXPECT_GT(scene.moon.screenAngle, 0.999);     // umbral magnitude kept for the information box
    const ProjectedPoint p = Project(scene.moon.unitVector);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(p.x, p.y), Cell(kColorMoonEclipse));
    EXPECT_GT(CountColour(shot, kWidth, kHeight, Cell(kColorMoonEclipse)), 300);
    EXPECT_EQ(CountColour(shot, kWidth, kHeight, Cell(kColorStar3)), 0);

    // A week later there is no eclipse: the Moon is lit again.
    SetTime(2022, 11, 15, 11, 0, 35.68, 139.77);
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
    EXPECT_LT(scene.moon.screenAngle, 0.0);
    Snapshot later(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(CountColour(later, kWidth, kHeight, Cell(kColorMoonEclipse)), 0);
    EXPECT_GT(CountColour(later, kWidth, kHeight, Cell(kColorStar3)), 300);
}

TEST_F(BodyLayerTest, PartialLunarEclipseShadesTheSideTowardTheUmbra)
{
    for (double field : {3.0, 60.0}) {   // the true disk, then one enlarged to the minimum radius
        SetTime(2022, 11, 8, 9, 45, 35.68, 139.77);   // partial phase before totality
        DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, field);
        ASSERT_GT(scene.moon.screenAngle, 0.05);
        ASSERT_LT(scene.moon.screenAngle, 0.999);
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        EXPECT_GT(CountColour(shot, kWidth, kHeight, Cell(kColorMoonEclipse)), field < 10 ? 50 : 10) << field;
        EXPECT_GT(CountColour(shot, kWidth, kHeight, Cell(kColorStar3)), field < 10 ? 50 : 5) << field;
        // The shaded side faces the anti-Sun point, seen from the Earth's
        // centre: the parallax moves Moon and umbra alike.
        double antiSun[3] = {-scene.sun.unitVector[0], -scene.sun.unitVector[1], -scene.sun.unitVector[2]};
        double geoMoon[3];
        const double a = scene.moon.geoRaJ2000 * kDeg, d = scene.moon.geoDecJ2000 * kDeg;
        geoMoon[0] = std::cos(d) * std::cos(a);
        geoMoon[1] = std::cos(d) * std::sin(a);
        geoMoon[2] = std::sin(d);
        double ux = 0, uy = 0;
        ScreenDirection(geoMoon, antiSun, ux, uy);
        const ProjectedPoint p = Project(scene.moon.unitVector);
        const int r = std::max(BodyDiskRadius(scene, scene.moon.semidiameter), gAppEnv->minPlanetDiscRadius);
        EXPECT_EQ(shot.Pixel(p.x + static_cast<int>(std::lround(ux * r * 0.8)),
                             p.y + static_cast<int>(std::lround(uy * r * 0.8))),
                  Cell(kColorMoonEclipse)) << field;
        EXPECT_EQ(shot.Pixel(p.x - static_cast<int>(std::lround(ux * r * 0.8)),
                             p.y - static_cast<int>(std::lround(uy * r * 0.8))),
                  Cell(kColorStar3)) << field;
    }
}

// 2017 August 21, greatest eclipse near Hopkinsville, Kentucky, at 18:25 UT.
TEST_F(BodyLayerTest, MoonCoversTheSunInTotalSolarEclipse)
{
    for (double field : {2.0, 60.0}) {   // true disks, then both at the minimum radius
        SetTime(2017, 8, 21, 18, 25, 36.87, -87.49);
        ASSERT_GT(scene.sun.eclipseMagnitude, 1.0);
        DrawAt(scene.sun.raJ2000, scene.sun.decJ2000, field);
        SaveShot(scene, kWidth, kHeight, field < 10 ? "bodies_solar_eclipse" : "bodies_solar_eclipse_wide");
        const ProjectedPoint sun = Project(scene.sun.unitVector);
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        // At most a pixel or two of the outline's rounding, of a Sun disk of
        // about 150 (minimum radius) to 3800 pixels.
        EXPECT_LE(CountColour(shot, kWidth, kHeight, Cell(kColorStar3)), 3) << field;
        EXPECT_EQ(shot.Pixel(sun.x, sun.y), Cell(scene.background)) << field;

        // Two hours earlier the Sun shows in full.
        SetTime(2017, 8, 21, 16, 25, 36.87, -87.49);
        DrawAt(scene.sun.raJ2000, scene.sun.decJ2000, field);
        Snapshot before(scene.backPixmap, kWidth, kHeight);
        EXPECT_GT(CountColour(before, kWidth, kHeight, Cell(kColorStar3)), 100) << field;
    }
}

TEST_F(BodyLayerTest, MoonsLitSideFacesTheSun)
{
    for (int mirror : {0, 2}) {
        for (int day : {14, 17, 21}) {   // waxing crescent, first quarter, waxing gibbous
            SetTime(2024, 3, day, 12, 0, 35.68, 139.77);
            scene.mirror = mirror;
            DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
            const ProjectedPoint p = Project(scene.moon.unitVector);
            double ux = 0, uy = 0;
            ScreenDirection(scene.moon.unitVector, scene.sun.unitVector, ux, uy);
            const int r = BodyDiskRadius(scene, scene.moon.semidiameter);
            Snapshot shot(scene.backPixmap, kWidth, kHeight);
            EXPECT_EQ(shot.Pixel(p.x + static_cast<int>(ux * r * 0.85), p.y + static_cast<int>(uy * r * 0.85)),
                      Cell(kColorStar3))
                << "day " << day << " mirror " << mirror;
            EXPECT_EQ(shot.Pixel(p.x - static_cast<int>(ux * r * 0.85), p.y - static_cast<int>(uy * r * 0.85)),
                      Cell(scene.background))
                << "day " << day << " mirror " << mirror;
        }
    }
}

TEST_F(BodyLayerTest, JupitersSatellitesStandAtTheirComputedPoints)
{
    SetTime(2024, 12, 1, 12, 0, 35.68, 139.77);
    scene.planetFlags[kJupiter] = kBodyShown;   // a point, so the disk hides no satellite
    scene.jovianMoonFlags = 1;
    const PlanetRecord& jupiter = scene.planets[kJupiter];
    DrawAt(jupiter.raJ2000, jupiter.decJ2000, 0.4);
    Display* display = gAppEnv->display;
    const unsigned long white = WhitePixel(display, DefaultScreen(display));
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    int onChart = 0;
    for (const JovianMoonRecord& satellite : scene.jovianMoons) {
        const ProjectedPoint p = Project(satellite.unitVector);
        if (p.x < 0 || p.y < 0 || p.x >= kWidth || p.y >= kHeight)
            continue;
        ++onChart;
        EXPECT_EQ(shot.Pixel(p.x, p.y), white);
    }
    EXPECT_GE(onChart, 3);

    // Without JMOON the points are gone.
    scene.jovianMoonFlags = 0;
    DrawAt(jupiter.raJ2000, jupiter.decJ2000, 0.4);
    Snapshot hidden(scene.backPixmap, kWidth, kHeight);
    for (const JovianMoonRecord& satellite : scene.jovianMoons) {
        const ProjectedPoint p = Project(satellite.unitVector);
        const ProjectedPoint j = Project(jupiter.unitVector);
        if (p.x >= 0 && p.y >= 0 && p.x < kWidth && p.y < kHeight && std::hypot(p.x - j.x, p.y - j.y) > 4) {
            EXPECT_NE(hidden.Pixel(p.x, p.y), white);
        }
    }
}

TEST_F(BodyLayerTest, SaturnIsDrawnWithItsRings)
{
    SetTime(2024, 12, 1, 12, 0, 35.68, 139.77);
    scene.planetFlags[kSaturn] = kBodyShown | kBodyOutline;
    scene.diskMagnitude = 100;
    const PlanetRecord& saturn = scene.planets[kSaturn];
    DrawAt(saturn.raJ2000, saturn.decJ2000, 4.0);
    const ProjectedPoint p = Project(saturn.unitVector);
    const int r = PlanetDiskRadius(scene, saturn.diameter);
    ASSERT_GT(r, 20) << saturn.diameter << " " << scene.view.pixelsPerRadianX << " " << scene.diskMagnitude;
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(p.x, p.y), Cell(kColorSaturnDisk));
    // Along the rings' long axis: the B ring, then the A ring, on both sides.
    const double angle = (ScreenPositionAngle(scene, saturn.raJ2000, saturn.decJ2000, r, p.x, p.y) +
                          saturn.axisPositionAngle) * kDeg;
    for (int side : {1, -1}) {
        auto at = [&](double k) {
            return shot.Pixel(p.x + static_cast<int>(std::lround(side * k * r * std::cos(angle))),
                              p.y - static_cast<int>(std::lround(side * k * r * std::sin(angle))));
        };
        EXPECT_EQ(at(1.72), Cell(kColorSaturnRingB)) << side;
        EXPECT_EQ(at(2.12), Cell(kColorSaturnRingA)) << side;
        EXPECT_EQ(at(2.6), Cell(scene.background)) << side;
    }
    EXPECT_GT(CountColour(shot, kWidth, kHeight, Cell(kColorSaturnRingA)), 100);
}

TEST_F(BodyLayerTest, PlanetLabelsShowNameAndMagnitude)
{
    SetTime(2024, 12, 1, 12, 0, 35.68, 139.77);
    scene.planetFlags[kJupiter] = kBodyShown | kBodyName | kBodyMagnitude;
    scene.jovianMoonFlags = 0;
    const PlanetRecord& jupiter = scene.planets[kJupiter];
    DrawAt(jupiter.raJ2000, jupiter.decJ2000, 4.0);
    const ProjectedPoint p = Project(jupiter.unitVector);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    int below = 0, right = 0;
    for (int y = p.y + 2; y < p.y + 25; ++y)
        for (int x = p.x - 15; x <= p.x + 15; ++x)
            below += shot.Pixel(x, y) == Cell(kColorSolarMagFont);
    for (int y = p.y - 20; y < p.y + 5; ++y)
        for (int x = p.x + 3; x <= p.x + 80; ++x)
            right += shot.Pixel(x, y) == Cell(kColorSolarNameFont);
    EXPECT_GT(below, 5);
    EXPECT_GT(right, 10);
    SaveShot(scene, kWidth, kHeight, "bodies_jupiter_labels");
}

TEST_F(BodyLayerTest, VenusDiskShowsItsPhaseTowardTheSun)
{
    SetTime(2025, 1, 10, 9, 0, 35.68, 139.77);   // greatest eastern elongation: half lit
    scene.planetFlags[1] = kBodyShown | kBodyOutline;
    scene.diskMagnitude = 100;
    UpdateSolarSystem(scene);   // the phase is computed for disks only
    const PlanetRecord& venus = scene.planets[1];
    DrawAt(venus.raJ2000, venus.decJ2000, 3.0);
    ASSERT_GT(venus.illuminatedFraction, 0.35);
    ASSERT_LT(venus.illuminatedFraction, 0.65);
    const ProjectedPoint p = Project(venus.unitVector);
    const int r = PlanetDiskRadius(scene, venus.diameter);
    ASSERT_GT(r, 20);
    double ux = 0, uy = 0;
    ScreenDirection(venus.unitVector, scene.sun.unitVector, ux, uy);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(p.x + static_cast<int>(ux * r * 0.7), p.y + static_cast<int>(uy * r * 0.7)),
              Cell(kColorPlanet));
    EXPECT_EQ(shot.Pixel(p.x - static_cast<int>(ux * r * 0.7), p.y - static_cast<int>(uy * r * 0.7)),
              Cell(scene.background));
}

TEST_F(BodyLayerTest, OutlineModeDrawsLimbAndTerminatorOnly)
{
    SetTime(2024, 3, 21, 12, 0, 35.68, 139.77);   // waxing gibbous
    scene.moonFlags = kBodyShown | kBodyOutline;
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
    const ProjectedPoint p = Project(scene.moon.unitVector);
    const int r = BodyDiskRadius(scene, scene.moon.semidiameter);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const int lines = CountColour(shot, kWidth, kHeight, Cell(kColorStar3));
    // About a circumference and a terminator of thin line, not a filled disk.
    EXPECT_GT(lines, 4 * r);
    EXPECT_LT(lines, 12 * r);
    EXPECT_EQ(shot.Pixel(p.x + r / 2, p.y), Cell(scene.background));
    EXPECT_TRUE(ColourNear(shot, p.x + r, p.y, 1, Cell(kColorStar3)));
    EXPECT_TRUE(ColourNear(shot, p.x - r, p.y, 1, Cell(kColorStar3)));
}

TEST_F(BodyLayerTest, SmallMoonAndSunAreDrawnAtTheMinimumRadius)
{
    SetTime(2024, 3, 25, 12, 0, 35.68, 139.77);   // near full: the whole disk lit
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 120.0);
    ASSERT_LT(BodyDiskRadius(scene, scene.moon.semidiameter), 7);
    const ProjectedPoint p = Project(scene.moon.unitVector);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    int across = 0;
    for (int x = p.x - 12; x <= p.x + 12; ++x)
        across += shot.Pixel(x, p.y) == Cell(kColorStar3);
    EXPECT_GE(across, 13);   // 2 x 7 + 1 pixels, less a lit-phase sliver
    EXPECT_LE(across, 15);
}

TEST_F(BodyLayerTest, OutlinesBeyondXCoordinatesDrawNothingWrappedOntoTheChart)
{
    SetTime(2024, 12, 1, 12, 0, 35.68, 139.77);
    DrawAt(0.0, 0.0, 10.0);
    XSetForeground(gAppEnv->display, scene.gc, Cell(scene.background));
    XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, 0, 0, kWidth, kHeight);
    // A magnified Saturn whose globe spans x = 28000..52000 and whose rings
    // reach 67000: unclipped, X's 16-bit coordinates would wrap them round
    // onto the chart (67000 - 65536 = 1464).
    for (double angle : {0.0, 30.0, 90.0}) {
        DrawSaturn(scene, scene.backPixmap, 40000, 150, 12000, angle, 70.0);
        DrawSaturn(scene, scene.backPixmap, -40000, 150, 12000, angle, 70.0);
    }
    // The umbra's edge over a Moon far off to the right, in both modes.
    for (int fill : {1, 0}) {
        DrawMoonDisk(scene, scene.backPixmap, 40000, 150, 12000, 60000, 150, 30000, fill);
    }
    DrawTerminator(scene, scene.backPixmap, 50000, 150, 20000, 0.3, 0.0, Cell(kColorMoonEclipse));
    // Labels of a body whose point lies off the 16-bit range.
    DrawObjectLabels(scene, scene.backPixmap, kSaturn, kBodyName | kBodyMagnitude | kBodyDate, 7, 66000, 150, 3);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (int colour : {kColorSaturnRingA, kColorSaturnRingB, kColorSaturnDisk, kColorMoonEclipse,
                       kColorSolarNameFont, kColorSolarMagFont}) {
        EXPECT_EQ(CountColour(shot, kWidth, kHeight, Cell(colour)), 0) << "colour " << colour;
    }
    // The same outlines where they are on the chart do show.
    DrawSaturn(scene, scene.backPixmap, 200, 150, 30, 20.0, 70.0);
    DrawObjectLabels(scene, scene.backPixmap, kSaturn, kBodyName, 7, 200, 150, 30);
    Snapshot near(scene.backPixmap, kWidth, kHeight);
    EXPECT_GT(CountColour(near, kWidth, kHeight, Cell(kColorSaturnRingA)), 50);
    EXPECT_GT(CountColour(near, kWidth, kHeight, Cell(kColorSaturnDisk)), 1000);
    EXPECT_GT(CountColour(near, kWidth, kHeight, Cell(kColorSolarNameFont)), 10);
}

}  // namespace
