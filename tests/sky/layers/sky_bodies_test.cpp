// The Sun, Moon, planets and satellites layer drawn on a real canvas and
// read back: eclipses, the Moon's phase turned toward the Sun, Jupiter's
// satellites at their computed points, Saturn's rings, and the labels.
#include "tests/sky/sky_canvas_fixture.h"

#include "astro/coordinates.h"
#include "sky/layers/body_geometry.h"
#include "sky/layers/moon_layer.h"
#include "sky/layers/planet_layer.h"
#include "sky/layers/solar_labels.h"
#include "sky/layers/solar_system_layer.h"
#include "sky/solar_system_update.h"

using namespace canvastest;

namespace {

[[maybe_unused]] const bool kColours = AddResources(
    {"UVola*ColorMoonEclipse: #FF0000", "UVola*ColorSaturnRingA: #00FF00", "UVola*ColorSaturnRingB: #0000FF",
     "UVola*ColorSaturnDisk: #FFFF00", "UVola*ColorJupiterDisk: #FF00FF", "UVola*ColorStar3: #EFEFEF",
     "UVola*ColorSolarMagFont: #00FFFF", "UVola*ColorSolarNameFont: #FF8000"});

constexpr double kDeg = M_PI / 180.0;
const ObserverLocation kTokyo{35.68, 139.77, 100.0};

class BodyLayerTest : public ChartTest {
protected:
    void SetUp() override
    {
        OpenChart(400, 300);
        scene.statusLine = 0;
    }

    // The instant in UT, and the solar system brought up to it as the
    // redraw does, so that the redraw keeps it.
    void SetTime(int year, int month, int day, int hour, int minute, const ObserverLocation& site = kTokyo)
    {
        AstroTimeFromDate(DateTime{year, month, day, hour, minute, 0.0, 0.0}, site, scene.time);
        UpdateSolarSystem(scene);
        scene.lastSolarUpdate = scene.time.julianDay;
    }

    // Points the view at a J2000 place (close enough to the equator of date
    // for the fields used here) and draws the chart.
    void DrawAt(double ra, double dec, double field)
    {
        const double j2000[2] = {ra, dec};
        double ofDate[2];
        ConvertCoordinates(scene.time, kFrameEqt, j2000, kFrameEqtDate, ofDate);
        View(kModeEqt, ofDate[0], ofDate[1], field);
        Drive();
    }

    ProjectedPoint Project(const double v[3]) const
    {
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPointDouble(scene, v, p), 1);
        return p;
    }

    // Unit screen direction (y down) from one sky direction toward another:
    // a step of a fifteenth of the field along the great circle.
    std::pair<double, double> ScreenDirection(const double from[3], const double to[3]) const
    {
        const double step = scene.view.fieldOfView / 15.0 * kDeg;
        const double along = from[0] * to[0] + from[1] * to[1] + from[2] * to[2];
        double t[3], v[3];
        for (int i = 0; i < 3; ++i)
            t[i] = to[i] - along * from[i];
        const double norm = std::hypot(t[0], t[1], t[2]);
        for (int i = 0; i < 3; ++i)
            v[i] = from[i] + step * t[i] / norm;
        const ProjectedPoint a = Project(from), b = Project(v);
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        EXPECT_GT(length, 0.0);
        return {(b.x - a.x) / length, (b.y - a.y) / length};
    }

    // The pixels at a distance from a body's centre along a screen
    // direction and against it.
    std::pair<unsigned long, unsigned long> AlongAndAgainst(const double body[3], std::pair<double, double> u,
                                                           double distance) const
    {
        const ProjectedPoint p = Project(body);
        const int dx = static_cast<int>(std::lround(u.first * distance));
        const int dy = static_cast<int>(std::lround(u.second * distance));
        const Snapshot shot = Shot();
        return {shot.Pixel(p.x + dx, p.y + dy), shot.Pixel(p.x - dx, p.y - dy)};
    }

    int BodyRadius(double semidiameter) { return BodyDiskRadius(scene, semidiameter); }
};

TEST(SolarLabelTest, MagnitudeLabelsReadAsTenths)
{
    char text[16];
    for (auto [mag10, expected] :
         {std::pair{45, "45"}, {-12, "-12"}, {5, "05"}, {123, "123"}, {0, "00"}, {-5, "-05"}, {-267, "-267"}}) {
        FormatSolarMagnitudeLabel(mag10, text, sizeof text);
        EXPECT_STREQ(text, expected) << mag10;
    }
}

TEST(MoonShadowTest, OutlineRunsInsideBothCirclesAndNotWhereTheyDoNotCross)
{
    std::vector<ScreenPoint> points;
    MoonShadowOutline(100, 100, 20, 130, 100, 25, 1, 1.0, points);
    ASSERT_GT(points.size(), 6u);
    for (const ScreenPoint& p : points) {
        EXPECT_LE(std::hypot(p.x - 100, p.y - 100), 20.8);
        EXPECT_LE(std::hypot(p.x - 130, p.y - 100), 25.8);
    }
    EXPECT_GT(points.front().x, 100);   // the umbra right of the Moon shades its right side
    // Apart, the Moon inside the umbra, one centre.
    for (auto [x, r] : {std::pair{100, 20}, {1, 40}, {0, 20}}) {
        MoonShadowOutline(0, 0, 10, x, 0, r, 1, 1.0, points);
        EXPECT_TRUE(points.empty()) << x << " " << r;
    }
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
    SetTime(2022, 11, 8, 11, 0);   // the Moon high in the east
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
    EXPECT_GT(scene.moon.screenAngle, 0.999);   // umbral magnitude kept for the information box
    const ProjectedPoint p = Project(scene.moon.unitVector);
    EXPECT_EQ(Shot().Pixel(p.x, p.y), Cell(kColorMoonEclipse));
    EXPECT_GT(CountOf(kColorMoonEclipse), 300);
    EXPECT_EQ(CountOf(kColorStar3), 0);
    // A week later there is no eclipse: the Moon is lit again.
    SetTime(2022, 11, 15, 11, 0);
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
    EXPECT_LT(scene.moon.screenAngle, 0.0);
    EXPECT_EQ(CountOf(kColorMoonEclipse), 0);
    EXPECT_GT(CountOf(kColorStar3), 300);
}

TEST_F(BodyLayerTest, PartialLunarEclipseShadesTheSideTowardTheUmbra)
{
    for (double field : {3.0, 60.0}) {   // the true disk, then one enlarged to the minimum radius
        SetTime(2022, 11, 8, 9, 45);      // partial phase before totality
        DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, field);
        ASSERT_GT(scene.moon.screenAngle, 0.05);
        ASSERT_LT(scene.moon.screenAngle, 0.999);
        EXPECT_GT(CountOf(kColorMoonEclipse), field < 10 ? 50 : 10) << field;
        EXPECT_GT(CountOf(kColorStar3), field < 10 ? 50 : 5) << field;
        // The shaded side faces the anti-Sun point, seen from the Earth's
        // centre: the parallax moves Moon and umbra alike.
        const double antiSun[3] = {-scene.sun.unitVector[0], -scene.sun.unitVector[1], -scene.sun.unitVector[2]};
        const double a = scene.moon.geoRaJ2000 * kDeg, d = scene.moon.geoDecJ2000 * kDeg;
        const double geoMoon[3] = {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
        const int r = std::max(BodyRadius(scene.moon.semidiameter), gAppEnv->minPlanetDiscRadius);
        const auto [shaded, lit] =
            AlongAndAgainst(scene.moon.unitVector, ScreenDirection(geoMoon, antiSun), r * 0.8);
        EXPECT_EQ(shaded, Cell(kColorMoonEclipse)) << field;
        EXPECT_EQ(lit, Cell(kColorStar3)) << field;
    }
}

// 2017 August 21, greatest eclipse near Hopkinsville, Kentucky, at 18:25 UT.
TEST_F(BodyLayerTest, MoonCoversTheSunInTotalSolarEclipse)
{
    const ObserverLocation hopkinsville{36.87, -87.49, 100.0};
    for (double field : {2.0, 60.0}) {   // true disks, then both at the minimum radius
        SetTime(2017, 8, 21, 18, 25, hopkinsville);
        ASSERT_GT(scene.sun.eclipseMagnitude, 1.0);
        DrawAt(scene.sun.raJ2000, scene.sun.decJ2000, field);
        SaveShot(field < 10 ? "bodies_solar_eclipse" : "bodies_solar_eclipse_wide");
        // At most a pixel or two of the outline's rounding, of a Sun disk of
        // about 150 (minimum radius) to 3800 pixels.
        EXPECT_LE(CountOf(kColorStar3), 3) << field;
        const ProjectedPoint sun = Project(scene.sun.unitVector);
        EXPECT_EQ(Shot().Pixel(sun.x, sun.y), Cell(scene.background)) << field;
        // Two hours earlier the Sun shows in full.
        SetTime(2017, 8, 21, 16, 25, hopkinsville);
        DrawAt(scene.sun.raJ2000, scene.sun.decJ2000, field);
        EXPECT_GT(CountOf(kColorStar3), 100) << field;
    }
}

TEST_F(BodyLayerTest, MoonsAndVenussLitSidesFaceTheSun)
{
    for (int mirror : {0, 2})
        for (int day : {14, 17, 21}) {   // waxing crescent, first quarter, waxing gibbous
            SetTime(2024, 3, day, 12, 0);
            scene.mirror = mirror;
            DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
            const auto [lit, dark] =
                AlongAndAgainst(scene.moon.unitVector, ScreenDirection(scene.moon.unitVector, scene.sun.unitVector),
                                BodyRadius(scene.moon.semidiameter) * 0.85);
            EXPECT_EQ(lit, Cell(kColorStar3)) << "day " << day << " mirror " << mirror;
            EXPECT_EQ(dark, Cell(scene.background)) << "day " << day << " mirror " << mirror;
        }

    SetTime(2025, 1, 10, 9, 0);   // Venus at greatest eastern elongation: half lit
    scene.mirror = 0;
    scene.planetFlags[1] = kBodyShown | kBodyOutline;
    scene.diskMagnitude = 100;
    UpdateSolarSystem(scene);   // the phase is computed for disks only
    const PlanetRecord& venus = scene.planets[1];
    DrawAt(venus.raJ2000, venus.decJ2000, 3.0);
    ASSERT_GT(venus.illuminatedFraction, 0.35);
    ASSERT_LT(venus.illuminatedFraction, 0.65);
    const int r = PlanetDiskRadius(scene, venus.diameter);
    ASSERT_GT(r, 20);
    const auto [lit, dark] =
        AlongAndAgainst(venus.unitVector, ScreenDirection(venus.unitVector, scene.sun.unitVector), r * 0.7);
    EXPECT_EQ(lit, Cell(kColorPlanet));
    EXPECT_EQ(dark, Cell(scene.background));
}

TEST_F(BodyLayerTest, JupitersSatellitesStandAtTheirComputedPoints)
{
    SetTime(2024, 12, 1, 12, 0);
    scene.planetFlags[kJupiter] = kBodyShown;   // a point, so the disk hides no satellite
    const PlanetRecord& jupiter = scene.planets[kJupiter];
    const unsigned long white = WhitePixel(gAppEnv->display, DefaultScreen(gAppEnv->display));
    for (uint8_t flags : {1, 0}) {   // without JMOON the points are gone
        scene.jovianMoonFlags = flags;
        DrawAt(jupiter.raJ2000, jupiter.decJ2000, 0.4);
        const Snapshot shot = Shot();
        const ProjectedPoint j = Project(jupiter.unitVector);
        int onChart = 0;
        for (const JovianMoonRecord& satellite : scene.jovianMoons) {
            const ProjectedPoint p = Project(satellite.unitVector);
            if (!InsideSky(p.x, p.y, 0) || (!flags && std::hypot(p.x - j.x, p.y - j.y) <= 4))
                continue;
            ++onChart;
            EXPECT_EQ(shot.Pixel(p.x, p.y) == white, flags == 1) << "JMOON " << int{flags};
        }
        EXPECT_GE(onChart, flags ? 3 : 0);
    }
}

TEST_F(BodyLayerTest, SaturnIsDrawnWithItsRings)
{
    SetTime(2024, 12, 1, 12, 0);
    scene.planetFlags[kSaturn] = kBodyShown | kBodyOutline;
    scene.diskMagnitude = 100;
    const PlanetRecord& saturn = scene.planets[kSaturn];
    DrawAt(saturn.raJ2000, saturn.decJ2000, 4.0);
    const ProjectedPoint p = Project(saturn.unitVector);
    const int r = PlanetDiskRadius(scene, saturn.diameter);
    ASSERT_GT(r, 20) << saturn.diameter << " " << scene.view.pixelsPerRadianX << " " << scene.diskMagnitude;
    const Snapshot shot = Shot();
    EXPECT_EQ(shot.Pixel(p.x, p.y), Cell(kColorSaturnDisk));
    // Along the rings' long axis: the B ring, then the A ring, on both sides.
    const double angle =
        (ScreenPositionAngle(scene, saturn.raJ2000, saturn.decJ2000, r, p.x, p.y) + saturn.axisPositionAngle) * kDeg;
    for (int side : {1, -1})
        for (auto [k, colour] : {std::pair{1.72, int{kColorSaturnRingB}}, {2.12, int{kColorSaturnRingA}}, {2.6, -1}}) {
            const int x = p.x + static_cast<int>(std::lround(side * k * r * std::cos(angle)));
            const int y = p.y - static_cast<int>(std::lround(side * k * r * std::sin(angle)));
            EXPECT_EQ(shot.Pixel(x, y), Cell(colour < 0 ? scene.background : colour)) << side << " " << k;
        }
    EXPECT_GT(shot.Count(Cell(kColorSaturnRingA)), 100);
}

TEST_F(BodyLayerTest, PlanetLabelsShowNameAndMagnitude)
{
    SetTime(2024, 12, 1, 12, 0);
    scene.planetFlags[kJupiter] = kBodyShown | kBodyName | kBodyMagnitude;
    scene.jovianMoonFlags = 0;
    const PlanetRecord& jupiter = scene.planets[kJupiter];
    DrawAt(jupiter.raJ2000, jupiter.decJ2000, 4.0);
    SaveShot("bodies_jupiter_labels");
    const ProjectedPoint p = Project(jupiter.unitVector);
    EXPECT_GT(Shot().CountIn(p.x - 15, p.y + 2, p.x + 15, p.y + 24, Cell(kColorSolarMagFont)), 5);
    EXPECT_GT(Shot().CountIn(p.x + 3, p.y - 20, p.x + 80, p.y + 4, Cell(kColorSolarNameFont)), 10);
}

TEST_F(BodyLayerTest, OutlineModeDrawsLimbAndTerminatorOnly)
{
    SetTime(2024, 3, 21, 12, 0);   // waxing gibbous
    scene.moonFlags = kBodyShown | kBodyOutline;
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 3.0);
    const ProjectedPoint p = Project(scene.moon.unitVector);
    const int r = BodyRadius(scene.moon.semidiameter);
    const Snapshot shot = Shot();
    // About a circumference and a terminator of thin line, not a filled disk.
    const int lines = shot.Count(Cell(kColorStar3));
    EXPECT_GT(lines, 4 * r);
    EXPECT_LT(lines, 12 * r);
    EXPECT_EQ(shot.Pixel(p.x + r / 2, p.y), Cell(scene.background));
    EXPECT_TRUE(shot.Near(p.x + r, p.y, 1, Cell(kColorStar3)));
    EXPECT_TRUE(shot.Near(p.x - r, p.y, 1, Cell(kColorStar3)));
}

TEST_F(BodyLayerTest, SmallMoonAndSunAreDrawnAtTheMinimumRadius)
{
    SetTime(2024, 3, 25, 12, 0);   // near full: the whole disk lit
    DrawAt(scene.moon.raJ2000, scene.moon.decJ2000, 120.0);
    ASSERT_LT(BodyRadius(scene.moon.semidiameter), 7);
    const ProjectedPoint p = Project(scene.moon.unitVector);
    const int across = Shot().CountIn(p.x - 12, p.y, p.x + 12, p.y, Cell(kColorStar3));
    EXPECT_GE(across, 13);   // 2 x 7 + 1 pixels, less a lit-phase sliver
    EXPECT_LE(across, 15);
}

TEST_F(BodyLayerTest, OutlinesBeyondXCoordinatesDrawNothingWrappedOntoTheChart)
{
    SetTime(2024, 12, 1, 12, 0);
    DrawAt(0.0, 0.0, 10.0);
    Clear(scene.background);
    // A magnified Saturn whose globe spans x = 28000..52000 and whose rings
    // reach 67000: unclipped, X's 16-bit coordinates would wrap them round
    // onto the chart (67000 - 65536 = 1464).
    for (double angle : {0.0, 30.0, 90.0}) {
        DrawSaturn(scene, scene.backPixmap, 40000, 150, 12000, angle, 70.0);
        DrawSaturn(scene, scene.backPixmap, -40000, 150, 12000, angle, 70.0);
    }
    // The umbra's edge over a Moon far off to the right, in both modes.
    RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
    for (int fill : {1, 0})
        DrawMoonDisk(scene, redraw, 40000, 150, 12000, 60000, 150, 30000, fill);
    DrawTerminator(scene, redraw, 50000, 150, 20000, 0.3, 0.0, Cell(kColorMoonEclipse));
    // Labels of a body whose point lies off the 16-bit range.
    DrawObjectLabels(scene, scene.backPixmap, kSaturn, kBodyName | kBodyMagnitude | kBodyDate, 7, 66000, 150, 3);
    for (int colour : {kColorSaturnRingA, kColorSaturnRingB, kColorSaturnDisk, kColorMoonEclipse, kColorSolarNameFont,
                       kColorSolarMagFont})
        EXPECT_EQ(CountOf(colour), 0) << "colour " << colour;
    // The same outlines where they are on the chart do show.
    DrawSaturn(scene, scene.backPixmap, 200, 150, 30, 20.0, 70.0);
    DrawObjectLabels(scene, scene.backPixmap, kSaturn, kBodyName, 7, 200, 150, 30);
    EXPECT_GT(CountOf(kColorSaturnRingA), 50);
    EXPECT_GT(CountOf(kColorSaturnDisk), 1000);
    EXPECT_GT(CountOf(kColorSolarNameFont), 10);
}

}  // namespace
