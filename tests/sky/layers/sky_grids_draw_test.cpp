// The grid layer on a real canvas: lines pass through the projected places
// of their coordinates (the J2000 equator at 6h, the galactic equator and
// the ecliptic against ERFA), NORMAL draws dashed meridians and a solid
// equator, the finer styles add subdivisions except on the whole-sky maps,
// numbers appear only when asked for, the GC is left solid, and number
// formats restyled in the resources are used only when they are safe.
#include "tests/sky/layers/sky_grids_shot.h"

#include "sky/draw_sky.h"
#include "sky/layers/grid_labels.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/star_layer.h"

#include <algorithm>
#include <erfa.h>
#include <string>

using namespace gridtest;

namespace {

const bool kColoursAdded = AddGridColours();

Scene gGridScene;
constexpr double kRad = 3.14159265358979323846 / 180.0;

constexpr int kWidth = 480;
constexpr int kHeight = 360;

class GridLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kColoursAdded);
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(gGridScene);
        scene.time.date.hour = 0;   // a dark sky
        scene.viewMode = kModeEqt;
        scene.view.centreLongitude = 90.0;
        scene.view.centreLatitude = 0.0;
        scene.view.fieldOfView = 40.0;
        scene.displayFlags[kFlagStars] = 0;
        for (int byte : {kFlagGridNumbers, kFlagHorizontalGrid, kFlagEquatorial, kFlagOtherGrids, kFlagLineNumbers})
            scene.displayFlags[byte] = 0;
    }

    void Drive()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    ProjectedPoint Place(double ra, double dec)
    {
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPoint(scene, Direction(ra, dec), p), 1) << ra << " " << dec;
        return p;
    }

    int CountOf(int colour)
    {
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        return CountColour(shot, kWidth, kHeight, Cell(colour));
    }

    Scene& scene = gGridScene;
};

TEST_F(GridLayerTest, EquatorPassesThroughItsProjectedPlaces)
{
    scene.displayFlags[kFlagEquatorial] = kEqt2000Flag;
    Drive();
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (double ra : {80.0, 90.0, 95.0, 101.0}) {
        const ProjectedPoint p = Place(ra, 0.0);
        EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorEquatorialLine))) << ra;
        // A degree off the line there is sky.
        const ProjectedPoint off = Place(ra, 1.5);
        ASSERT_LT(off.y, p.y - 8);
        EXPECT_FALSE(ColourNear(shot, off.x, off.y, 1, Cell(kColorEquatorialLine))) << ra;
    }
    // Only the line was asked for.
    EXPECT_EQ(CountOf(kColorEquatorialGrid), 0);
}

TEST_F(GridLayerTest, GridMeridianAtSixHoursHasTheGridColour)
{
    scene.displayFlags[kFlagGridNumbers] = kGridMode1;   // solid main lines
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "eqt_grid_mode1");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (double dec : {-8.0, 3.0, 12.0}) {
        const ProjectedPoint p = Place(90.0, dec);
        EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorEquatorialGrid))) << dec;
        const ProjectedPoint off = Place(92.0, dec);   // between the 6h meridian and its 5-degree subdivision
        EXPECT_FALSE(ColourNear(shot, off.x, off.y, 1, Cell(kColorEquatorialGrid))) << dec;
    }
    // The parallel of +10 degrees.
    const ProjectedPoint p = Place(86.0, 10.0);
    EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorEquatorialGrid)));
}

TEST_F(GridLayerTest, NormalStyleHasDashedMeridiansAndASolidEquator)
{
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "eqt_grid_normal");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const unsigned long grid = Cell(kColorEquatorialGrid);
    // Along the equator from 5h30m to 6h30m every column is the grid's.
    const ProjectedPoint a = Place(82.5, 0.0);
    const ProjectedPoint b = Place(97.5, 0.0);
    ASSERT_GT(a.x, b.x + 40);
    int missing = 0;
    for (int x = b.x + 1; x < a.x; ++x) {
        const int y = b.y + (a.y - b.y) * (x - b.x) / (a.x - b.x);
        missing += !ColourNear(shot, x, y, 1, grid);
    }
    EXPECT_EQ(missing, 0);
    // Along the 6h meridian from +2 to +18 degrees the dashes leave gaps.
    const ProjectedPoint low = Place(90.0, 2.0);
    const ProjectedPoint high = Place(90.0, 18.0);
    int hits = 0, gaps = 0;
    for (int y = high.y; y <= low.y; ++y) {
        const int x = high.x + (low.x - high.x) * (y - high.y) / std::max(1, low.y - high.y);
        const bool on = shot.Pixel(x, y) == grid || shot.Pixel(x - 1, y) == grid || shot.Pixel(x + 1, y) == grid;
        (on ? hits : gaps) += 1;
    }
    EXPECT_GT(hits, 20);
    EXPECT_GT(gaps, 20);
}

TEST_F(GridLayerTest, FinerStylesSubdivideExceptOnTheWholeSkyMaps)
{
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    scene.displayFlags[kFlagGridNumbers] = kGridNormal;
    Drive();
    const int normal = CountOf(kColorEquatorialGrid);
    scene.displayFlags[kFlagGridNumbers] = kGridMode3;
    Drive();
    SaveShot(scene, kWidth, kHeight, "eqt_grid_mode3");
    const int fine = CountOf(kColorEquatorialGrid);
    EXPECT_GT(normal, 500);
    EXPECT_GT(fine, 3 * normal);

    scene.viewMode = kModeAll1Eqt;
    scene.view.fieldOfView = 360.0;
    scene.displayFlags[kFlagGridNumbers] = kGridNormal;
    Drive();
    const int mapNormal = CountOf(kColorEquatorialGrid);
    scene.displayFlags[kFlagGridNumbers] = kGridMode3;
    Drive();
    SaveShot(scene, kWidth, kHeight, "all1_grid_mode3");
    EXPECT_GT(mapNormal, 500);
    EXPECT_EQ(CountOf(kColorEquatorialGrid), mapNormal);
}

TEST_F(GridLayerTest, GalacticEquatorAndEclipticLieWhereErfaPutsThem)
{
    scene.view.centreLongitude = 266.4;
    scene.view.centreLatitude = -28.9;
    scene.displayFlags[kFlagOtherGrids] = kGalFlag | kEclFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "eqt_galactic_ecliptic");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (double l : {-8.0, 0.0, 5.0, 10.0}) {
        double ra = 0, dec = 0;
        eraG2icrs(l * kRad, 0.0, &ra, &dec);
        const ProjectedPoint p = Place(ra * (1.0 / kRad), dec * (1.0 / kRad));
        EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorGalacticLine))) << l;
    }
    // The ecliptic of date near the winter solstice point.
    const double jd = scene.time.julianDay;
    for (double lambda : {262.0, 270.0, 278.0}) {
        double ra = 0, dec = 0;
        eraEceq06(jd, 0.0, lambda * kRad, 0.0, &ra, &dec);
        const ProjectedPoint p = Place(ra * (1.0 / kRad), dec * (1.0 / kRad));
        EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorEclipticLine))) << lambda;
    }
}

// The J2000 place of a point of the mean equator of another epoch.
void FromEquatorOf(double jd, double ra, double& raJ2000, double& decJ2000)
{
    double rbp[3][3];
    eraPmat06(jd, 0.0, rbp);   // J2000 (GCRS) to the mean equator of jd
    double v[3] = {std::cos(ra * kRad), std::sin(ra * kRad), 0.0};
    double w[3];
    eraTrxp(rbp, v, w);
    double a = 0, d = 0;
    eraC2s(w, &a, &d);
    raJ2000 = eraAnp(a) / kRad;
    decJ2000 = d / kRad;
}

TEST_F(GridLayerTest, EquatorsOfDateAndB1950LieWhereErfaPrecessesThem)
{
    // Fifty years either side of J2000 the equator at 0h lies a quarter
    // degree north or south.
    scene.time.date.year = 2050;
    scene.view.centreLongitude = 0.0;
    scene.displayFlags[kFlagEquatorial] = kEqtDateFlag | kEqt1950Flag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "eqt_date_b1950");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (double jd : {scene.time.julianDay, 2433282.0}) {
        for (double ra : {354.0, 6.0}) {
            double a = 0, d = 0;
            FromEquatorOf(jd, ra, a, d);
            EXPECT_GT(std::fabs(d), 0.2) << jd << " " << ra;   // far enough from the J2000 equator to tell
            const ProjectedPoint p = Place(a, d);
            EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorEquatorialLine))) << jd << " " << ra;
        }
    }
    // Nothing along the J2000 equator between them.
    const ProjectedPoint p = Place(0.0, 0.0);
    EXPECT_FALSE(ColourNear(shot, p.x, p.y, 1, Cell(kColorEquatorialLine)));
}

TEST_F(GridLayerTest, HorizonOfTheHorizontalGridFollowsTheSiteInOtherViews)
{
    scene.displayFlags[kFlagGridNumbers] = kGridMode1;
    scene.displayFlags[kFlagHorizontalGrid] = kHrzGridFlag;
    // Midnight in Tokyo in March: the horizon crosses the western sky.
    scene.view.fieldOfView = 100.0;
    scene.view.centreLongitude = 30.0;
    scene.view.centreLatitude = 10.0;
    Drive();
    SaveShot(scene, kWidth, kHeight, "eqt_horizontal_grid");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    // Horizon points (altitude 0) taken back to J2000 with the scene's own
    // horizon matrix (J2000 to horizontal), transposed.
    const double* m = scene.view.matricesDouble[1];
    int seen = 0;
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 7.0) {
        const double h[3] = {std::cos(azimuth * kRad), std::sin(azimuth * kRad), 0.0};
        const double v[3] = {m[0] * h[0] + m[3] * h[1] + m[6] * h[2], m[1] * h[0] + m[4] * h[1] + m[7] * h[2],
                             m[2] * h[0] + m[5] * h[1] + m[8] * h[2]};
        ProjectedPoint p{};
        const FixedVector f{static_cast<int32_t>(16384 * v[0]), static_cast<int32_t>(16384 * v[1]),
                            static_cast<int32_t>(16384 * v[2])};
        if (!ProjectPoint(scene, f, p) || p.x < 2 || p.x >= kWidth - 2 || p.y < scene.view.skyRect.y + 2
            || p.y >= kHeight - 2)
            continue;
        ++seen;
        EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorHorizontalGrid))) << azimuth;
    }
    EXPECT_GE(seen, 3);
}

TEST_F(GridLayerTest, NumbersAppearOnlyWhenAskedFor)
{
    scene.displayFlags[kFlagGridNumbers] = kGridMode1;
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    Drive();
    EXPECT_EQ(CountOf(kColorGridNumFont), 0);
    scene.displayFlags[kFlagGridNumbers] = kGridMode1 | kEqtGrid2000NumFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "eqt_grid_numbers");
    // "6h00" centred over the 6h point of the equator, baseline 2 pixels up.
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const ProjectedPoint p = Place(90.0, 0.0);
    int text = 0;
    for (int y = p.y - 10; y <= p.y - 2; ++y)
        for (int x = p.x - 14; x <= p.x + 14; ++x)
            text += shot.Pixel(x, y) == Cell(kColorGridNumFont);
    EXPECT_GT(text, 5);
    for (int y = p.y + 2; y <= p.y + 8; ++y)
        for (int x = p.x - 14; x <= p.x + 14; ++x)
            EXPECT_NE(shot.Pixel(x, y), Cell(kColorGridNumFont));
}

TEST_F(GridLayerTest, GridsLeaveTheLineStyleSolidAndTheMatricesAsTheyWere)
{
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag | kEqtGridDateFlag | kEqtGrid1950Flag;
    scene.displayFlags[kFlagOtherGrids] = kEclGridFlag | kGalGridFlag;
    scene.displayFlags[kFlagHorizontalGrid] = kHrzGridFlag | kMeridianFlag;
    Drive();
    const ViewGeometry before = scene.view;
    ViewLimitsSave save{};
    WidenViewLimits(2048, -8192, scene, save);
    DrawGrids(scene, scene.backPixmap);
    RestoreViewLimits(scene, save);
    for (int m = 0; m < 3; ++m) {
        EXPECT_EQ(scene.view.matrices[m], before.matrices[m]);
        for (int k = 0; k < 9; ++k)
            EXPECT_EQ(scene.view.matricesDouble[m][k], before.matricesDouble[m][k]);
    }
    XGCValues values{};
    ASSERT_NE(XGetGCValues(gAppEnv->display, scene.gc, GCLineStyle, &values), 0);
    EXPECT_EQ(values.line_style, LineSolid);
}

}  // namespace

namespace {

std::string LineLabel(int i)
{
    char text[kGridLabelSize];
    GridLabelText(kModeEqt, kGridHours, kGridLabelLine, 0, i, kGridEquatorIndex, text, sizeof text);
    return text;
}

TEST(GridLabelResources, RestyledFormatsAreUsedAndUnsafeOnesFallBackToTheDefault)
{
    ASSERT_NE(World().top, nullptr);
    XrmDatabase database = XtScreenDatabase(XtScreen(World().top));
    EXPECT_EQ(LineLabel(4), "2h");
    XrmPutLineResource(&database, "UVola*messageGridEqtRaFormat3: RA %02d");
    EXPECT_EQ(LineLabel(4), "RA 02");
    // A string conversion would read an argument that is not there.
    XrmPutLineResource(&database, "UVola*messageGridEqtRaFormat3: %s hours");
    EXPECT_EQ(LineLabel(4), "2h");
    XrmPutLineResource(&database, "UVola*messageGridEqtRaFormat3: %d %d %d");
    EXPECT_EQ(LineLabel(6), "3h");
    XrmPutLineResource(&database, "UVola*messageGridEqtRaFormat3: %dh");
}

}  // namespace
