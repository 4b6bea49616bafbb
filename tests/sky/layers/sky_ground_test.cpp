// The ground of the horizontal view and the compass letters on a real
// canvas: the ground fills below the horizon (towards the top when the
// chart is turned 180 degrees), a horizon that is not on the chart draws
// no ground, the letters stand under their horizon points in their two
// colours, the horizontal grid and meridian line follow the horizon frame,
// and the planisphere's S, E, N, W stand around its circle.
#include "tests/sky/layers/sky_grids_shot.h"

#include "sky/layers/compass_labels.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/ground_layer.h"

#include <cstring>

using namespace gridtest;

namespace {

const bool kColoursAdded = AddGridColours();

Scene gGroundScene;

constexpr int kWidth = 480;
constexpr int kHeight = 360;
constexpr double kDeg = 3.14159265358979323846 / 180.0;

class GroundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kColoursAdded);
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(gGroundScene);
        scene.time.date.hour = 0;
        scene.viewMode = kModeHrz;
        scene.view.hrzCentreAzimuth = 0.0;   // facing south
        scene.view.hrzCentreAltitude = 30.0;
        scene.view.fieldOfView = 90.0;
        scene.displayFlags[kFlagStars] = 0;
        scene.displayFlags[kFlagSkyAndGround] = kHorizonFlag;
        for (int byte : {kFlagGridNumbers, kFlagHorizontalGrid, kFlagEquatorial, kFlagOtherGrids, kFlagLineNumbers})
            scene.displayFlags[byte] = 0;
    }

    void Drive()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    // Pixel of a horizontal direction: azimuth from the south through the
    // west, altitude, degrees.
    ProjectedPoint Horizontal(double azimuth, double altitude)
    {
        const double lon = -azimuth * kDeg;   // the frame counts through the east
        const FixedVector v{static_cast<int32_t>(16384 * std::cos(altitude * kDeg) * std::cos(lon)),
                            static_cast<int32_t>(16384 * std::cos(altitude * kDeg) * std::sin(lon)),
                            static_cast<int32_t>(16384 * std::sin(altitude * kDeg))};
        ProjectedPoint p{};
        EXPECT_EQ(ProjectAzimuthalInFrame(scene.view.matrices[2], scene, v, p), 1) << azimuth << " " << altitude;
        return p;
    }

    Scene& scene = gGroundScene;
};

TEST_F(GroundTest, GroundFillsBelowTheHorizonOnly)
{
    Drive();
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const unsigned long ground = Cell(kColorLandscape);
    for (double azimuth : {0.0, -30.0, 30.0, 40.0}) {
        const ProjectedPoint below = Horizontal(azimuth, -2.0);
        const ProjectedPoint above = Horizontal(azimuth, 2.0);
        ASSERT_LT(below.y, kHeight);
        EXPECT_EQ(shot.Pixel(below.x, below.y), ground) << azimuth;
        EXPECT_NE(shot.Pixel(above.x, above.y), ground) << azimuth;
    }
    // The bottom corners are ground too.
    EXPECT_EQ(shot.Pixel(1, kHeight - 1), ground);
    EXPECT_EQ(shot.Pixel(kWidth - 2, kHeight - 1), ground);
    scene.displayFlags[kFlagSkyAndGround] = 0;
    Drive();
    EXPECT_EQ(CountColour(Snapshot(scene.backPixmap, kWidth, kHeight), kWidth, kHeight, ground), 0);
}

TEST_F(GroundTest, TurnedChartHasItsGroundAtTheTop)
{
    scene.mirror = 1;
    Drive();
    SaveShot(scene, kWidth, kHeight, "hrz_mirror1_ground");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const ProjectedPoint below = Horizontal(0.0, -2.0);
    const ProjectedPoint above = Horizontal(0.0, 2.0);
    EXPECT_LT(below.y, above.y);
    EXPECT_EQ(shot.Pixel(below.x, below.y), Cell(kColorLandscape));
    EXPECT_NE(shot.Pixel(above.x, above.y), Cell(kColorLandscape));
    EXPECT_EQ(shot.Pixel(1, scene.view.skyRect.y), Cell(kColorLandscape));
    EXPECT_NE(shot.Pixel(1, kHeight - 1), Cell(kColorLandscape));
}

TEST_F(GroundTest, PolygonIsSymmetricAndReachesBeyondTheSides)
{
    Drive();
    std::array<ProjectedPoint, kGroundPointCount> points{};
    const int count = ComputeGroundPolygon(scene, points);
    ASSERT_GE(count, 2);
    EXPECT_LE(count, kGroundPointCount - 1);
    EXPECT_NEAR(points[0].x, scene.view.screenCentreX, 1);
    // The last point lies beyond the left edge (the horizon leaves the chart).
    EXPECT_LT(points[count - 1].x, scene.view.skyRect.x - 10);
    std::array<XPoint, 2 * kGroundPointCount + 1> polygon{};
    GroundPolygonPoints(scene, points, count, polygon);
    const int n = 2 * count + 1;
    for (int k = 0; k < count; ++k) {
        EXPECT_EQ(polygon[k].x + polygon[n - 1 - k].x, 2 * scene.view.screenCentreX) << k;
        EXPECT_EQ(polygon[k].y, polygon[n - 1 - k].y) << k;
    }
    EXPECT_EQ(polygon[0].y, scene.view.skyRect.y + scene.view.skyRect.height);
}

TEST_F(GroundTest, HorizonOffTheChartDrawsNoGround)
{
    // Looking straight up with a narrow field: no horizon point projects.
    scene.view.hrzCentreAltitude = 90.0;
    scene.view.fieldOfView = 20.0;
    Drive();
    std::array<ProjectedPoint, kGroundPointCount> points{};
    EXPECT_LT(ComputeGroundPolygon(scene, points), 2);
    EXPECT_EQ(CountColour(Snapshot(scene.backPixmap, kWidth, kHeight), kWidth, kHeight, Cell(kColorLandscape)), 0);
}

TEST_F(GroundTest, CompassLettersStandUnderTheirHorizonPoints)
{
    scene.displayFlags[kFlagHorizontalGrid] = kDirFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "hrz_compass");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const XRectangle extent = gAppEnv->fontSetExtents[kFontDirName - 1]->max_logical_extent;
    auto lettersIn = [&](double azimuth, int length, unsigned long colour) {
        const ProjectedPoint p = Horizontal(azimuth, 0.0);
        const int left = p.x - length * extent.width / 2;
        int n = 0;
        for (int y = p.y; y < p.y + extent.height + 2; ++y)
            for (int x = left; x < left + length * extent.width; ++x)
                n += shot.Pixel(x, y) == colour;
        return n;
    };
    EXPECT_GT(lettersIn(0.0, 1, Cell(kColorDirection1Font)), 4);     // S
    EXPECT_GT(lettersIn(-22.5, 3, Cell(kColorDirection2Font)), 4);   // SSE, left of south
    EXPECT_GT(lettersIn(22.5, 3, Cell(kColorDirection2Font)), 4);    // SSW
    EXPECT_EQ(lettersIn(22.5, 3, Cell(kColorDirection1Font)), 0);
    // Without DIR there are none.
    scene.displayFlags[kFlagHorizontalGrid] = 0;
    Drive();
    Snapshot plain(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(CountColour(plain, kWidth, kHeight, Cell(kColorDirection1Font)), 0);
}

TEST_F(GroundTest, LongDirectionNamesAreCutToSixCharacters)
{
    char name[kDirectionNameSize];
    DirectionName(9, name);
    EXPECT_STREQ(name, "NNW");
    // The resource database holds what a user's file would.
    XrmDatabase database = XtScreenDatabase(XtScreen(World().top));
    XrmPutLineResource(&database, "UVola*messageDirection09: NorthNorthWest");
    DirectionName(9, name);
    EXPECT_STREQ(name, "NorthN");
    XrmPutLineResource(&database, "UVola*messageDirection09: NNW");
}

TEST_F(GroundTest, HorizontalGridAndMeridianFollowTheHorizonFrame)
{
    scene.displayFlags[kFlagGridNumbers] = kGridMode1 | kHrzGridNumFlag;
    scene.displayFlags[kFlagHorizontalGrid] = kHrzGridFlag | kDirFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "hrz_grid");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (double altitude : {15.0, 25.0, 50.0})
        EXPECT_TRUE(ColourNear(shot, Horizontal(0.0, altitude).x, Horizontal(0.0, altitude).y, 1,
                               Cell(kColorHorizontalGrid)))
            << altitude;
    const ProjectedPoint parallel = Horizontal(-12.0, 20.0);
    EXPECT_TRUE(ColourNear(shot, parallel.x, parallel.y, 1, Cell(kColorHorizontalGrid)));
    const ProjectedPoint between = Horizontal(-2.5, 22.5);
    EXPECT_FALSE(ColourNear(shot, between.x, between.y, 1, Cell(kColorHorizontalGrid)));
    EXPECT_GT(CountColour(shot, kWidth, kHeight, Cell(kColorGridNumFont)), 20);

    scene.displayFlags[kFlagHorizontalGrid] = kMeridianFlag;
    scene.displayFlags[kFlagLineNumbers] = kMrdNumFlag;
    Drive();
    Snapshot meridian(scene.backPixmap, kWidth, kHeight);
    for (double altitude : {5.0, 33.0, 58.0}) {
        const ProjectedPoint p = Horizontal(0.0, altitude);
        EXPECT_TRUE(ColourNear(meridian, p.x, p.y, 1, Cell(kColorMeridianLine))) << altitude;
    }
    EXPECT_EQ(CountColour(meridian, kWidth, kHeight, Cell(kColorHorizontalGrid)), 0);
    // "30" right-aligned on the 30-degree point: to its left.
    const ProjectedPoint p = Horizontal(0.0, 30.0);
    int text = 0;
    for (int y = p.y - 10; y <= p.y - 2; ++y)
        for (int x = p.x - 20; x < p.x; ++x)
            text += meridian.Pixel(x, y) == Cell(kColorGridNumFont);
    EXPECT_GT(text, 4);
}

TEST_F(GroundTest, GridAndGroundHoldAtHighMagnification)
{
    // 120 pixels per degree: the precise projections.
    scene.view.fieldOfView = 4.0;
    scene.view.hrzCentreAltitude = 1.0;
    scene.view.hrzCentreAzimuth = 0.0;
    scene.displayFlags[kFlagGridNumbers] = kGridMode1;
    scene.displayFlags[kFlagHorizontalGrid] = kHrzGridFlag;
    Drive();
    ASSERT_GE(scene.view.pixelsPerDegree, 80.0);
    SaveShot(scene, kWidth, kHeight, "hrz_high_zoom");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (double altitude : {0.6, 1.5, 2.2}) {
        const ProjectedPoint p = Horizontal(0.0, altitude);   // the south meridian
        EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorHorizontalGrid))) << altitude;
        const ProjectedPoint off = Horizontal(0.5, altitude);
        EXPECT_FALSE(ColourNear(shot, off.x, off.y, 1, Cell(kColorHorizontalGrid))) << altitude;
    }
    const ProjectedPoint below = Horizontal(0.3, -0.2);
    const ProjectedPoint above = Horizontal(0.3, 0.2);
    EXPECT_EQ(shot.Pixel(below.x, below.y), Cell(kColorLandscape));
    EXPECT_NE(shot.Pixel(above.x, above.y), Cell(kColorLandscape));
}

TEST_F(GroundTest, PlanisphereLettersStandAroundItsCircle)
{
    scene.viewMode = kModeVola;
    scene.view.fieldOfView = 180.0;
    Drive();
    SaveShot(scene, kWidth, kHeight, "vola_directions");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const XRectangle extent = gAppEnv->fontSetExtents[kFontDirName - 1]->max_logical_extent;
    const int h = extent.height;
    const int half = (std::min<int>(scene.view.skyRect.width, scene.view.skyRect.height) - h * 11 / 10) / 2;
    // Azimuth 0 at the top: S at angle -90 lies below the centre, E (k 1) at -180 on the left.
    struct Letter {
        int dx, dy;
    };
    for (Letter l : {Letter{0, half}, Letter{-half, 0}, Letter{0, -half}, Letter{half, 0}}) {
        const int x = scene.view.screenCentreX + l.dx - extent.width / 2;
        const int baseline = scene.view.screenCentreY + l.dy + h / 2;
        int n = 0;
        for (int y = baseline - h; y <= baseline; ++y)
            for (int xx = x; xx < x + extent.width; ++xx)
                n += shot.Pixel(xx, y) == Cell(kColorDirection1Font);
        EXPECT_GT(n, 4) << l.dx << " " << l.dy;
    }
}

}  // namespace
