// The grid layer, the ground and the compass letters on a real canvas, in
// distinct colours so that a pixel tells which layer drew it. Grid lines
// pass through the projected places of their coordinates (the galactic
// equator, the ecliptic and the precessed equators against ERFA), NORMAL
// draws dashed meridians and a solid equator, the finer styles subdivide
// except on the whole-sky maps, numbers appear only when asked for, and the
// GC and matrices are left as they were. The ground fills below the horizon
// (toward the top on a chart turned 180 degrees), the letters stand under
// their horizon points, the horizontal grid and meridian follow the horizon
// frame, and the planisphere's S, E, N, W stand around its circle. Formats
// restyled in the resources are used only when they are safe.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/layers/compass_labels.h"
#include "sky/layers/grid_labels.h"
#include "sky/layers/grid_layer.h"
#include "sky/layers/ground_layer.h"

#include <erfa.h>
#include <string>

using namespace canvastest;

namespace {

[[maybe_unused]] const bool kColours = AddResources({
    "UVola*ColorHorizontalGrid: #0000FF", "UVola*ColorEquatorialGrid: #00FF00", "UVola*ColorEclipticGrid: #00FFFF",
    "UVola*ColorGalacticGrid: #FF00FF", "UVola*ColorMeridianLine: #FFFF00", "UVola*ColorEquatorialLine: #FF0000",
    "UVola*ColorEclipticLine: #FF8000", "UVola*ColorGalacticLine: #8000FF", "UVola*ColorGridNumFont: #FFFFFF",
    "UVola*ColorLandscape: #208020", "UVola*ColorDirection1Font: #FF4040", "UVola*ColorDirection2Font: #40FFC0",
});

constexpr double kDeg = M_PI / 180.0;

class GridLayerTest : public ChartTest {
protected:
    void SetUp() override
    {
        OpenChart(480, 360, kModeEqt, 90.0, 0.0, 40.0);
    }

    ProjectedPoint Place(double ra, double dec) const { return ChartTest::Place(Direction(ra, dec)); }

    // Whether the colour lies within a pixel of each place, or of none.
    void ExpectAt(const Snapshot& shot, std::initializer_list<std::pair<double, double>> places, int colour,
                  bool there = true)
    {
        for (auto [ra, dec] : places) {
            const ProjectedPoint p = Place(ra, dec);
            EXPECT_EQ(shot.Near(p.x, p.y, 1, Cell(colour)), there) << ra << " " << dec << " colour " << colour;
        }
    }
};

// The J2000 place of a point of the mean equator of another epoch.
std::pair<double, double> FromEquatorOf(double jd, double ra)
{
    double rbp[3][3], w[3], a = 0, d = 0;
    eraPmat06(jd, 0.0, rbp);   // J2000 (GCRS) to the mean equator of jd
    double v[3] = {std::cos(ra * kDeg), std::sin(ra * kDeg), 0.0};
    eraTrxp(rbp, v, w);
    eraC2s(w, &a, &d);
    return {eraAnp(a) / kDeg, d / kDeg};
}

TEST_F(GridLayerTest, EquatorAndGridMeridianLieOnTheirPlaces)
{
    scene.displayFlags[kFlagEquatorial] = kEqt2000Flag;
    Drive();
    // A degree and a half off the line there is sky; only the line was
    // asked for.
    ExpectAt(Shot(), {{80.0, 0.0}, {90.0, 0.0}, {95.0, 0.0}, {101.0, 0.0}}, kColorEquatorialLine);
    ExpectAt(Shot(), {{80.0, 1.5}, {90.0, 1.5}, {95.0, 1.5}, {101.0, 1.5}}, kColorEquatorialLine, false);
    EXPECT_EQ(CountOf(kColorEquatorialGrid), 0);

    scene.displayFlags[kFlagGridNumbers] = kGridMode1;   // solid main lines
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    Drive();
    SaveShot("eqt_grid_mode1");
    // The 6h meridian and the parallel of +10; 92 degrees lies between the
    // meridian and its 5-degree subdivision.
    ExpectAt(Shot(), {{90.0, -8.0}, {90.0, 3.0}, {90.0, 12.0}, {86.0, 10.0}}, kColorEquatorialGrid);
    ExpectAt(Shot(), {{92.0, -8.0}, {92.0, 3.0}, {92.0, 12.0}}, kColorEquatorialGrid, false);
}

TEST_F(GridLayerTest, NormalStyleHasDashedMeridiansAndASolidEquator)
{
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    Drive();
    SaveShot("eqt_grid_normal");
    const Snapshot shot = Shot();
    const unsigned long grid = Cell(kColorEquatorialGrid);
    // Along the equator from 5h30m to 6h30m every column is the grid's.
    const ProjectedPoint a = Place(82.5, 0.0), b = Place(97.5, 0.0);
    ASSERT_GT(a.x, b.x + 40);
    int missing = 0;
    for (int x = b.x + 1; x < a.x; ++x)
        missing += !shot.Near(x, b.y + (a.y - b.y) * (x - b.x) / (a.x - b.x), 1, grid);
    EXPECT_EQ(missing, 0);
    // Along the 6h meridian from +2 to +18 degrees the dashes leave gaps.
    const ProjectedPoint low = Place(90.0, 2.0), high = Place(90.0, 18.0);
    int hits = 0, gaps = 0;
    for (int y = high.y; y <= low.y; ++y) {
        const int x = high.x + (low.x - high.x) * (y - high.y) / std::max(1, low.y - high.y);
        (shot.CountIn(x - 1, y, x + 1, y, grid) > 0 ? hits : gaps) += 1;
    }
    EXPECT_GT(hits, 20);
    EXPECT_GT(gaps, 20);
}

TEST_F(GridLayerTest, FinerStylesSubdivideExceptOnTheWholeSkyMaps)
{
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    auto drawnIn = [&](uint8_t style) {
        scene.displayFlags[kFlagGridNumbers] = style;
        Drive();
        return CountOf(kColorEquatorialGrid);
    };
    const int normal = drawnIn(kGridNormal);
    EXPECT_GT(normal, 500);
    EXPECT_GT(drawnIn(kGridMode3), 3 * normal);
    SaveShot("eqt_grid_mode3");
    View(kModeAll1Eqt, 90.0, 0.0, 360.0);
    const int map = drawnIn(kGridNormal);
    EXPECT_GT(map, 500);
    EXPECT_EQ(drawnIn(kGridMode3), map);
}

TEST_F(GridLayerTest, GalacticEquatorAndEclipticLieWhereErfaPutsThem)
{
    View(kModeEqt, 266.4, -28.9, 40.0);
    scene.displayFlags[kFlagOtherGrids] = kGalFlag | kEclFlag;
    Drive();
    SaveShot("eqt_galactic_ecliptic");
    for (double l : {-8.0, 0.0, 5.0, 10.0}) {
        double ra = 0, dec = 0;
        eraG2icrs(l * kDeg, 0.0, &ra, &dec);
        ExpectAt(Shot(), {{ra / kDeg, dec / kDeg}}, kColorGalacticLine);
    }
    // The ecliptic of date near the winter solstice point.
    for (double lambda : {262.0, 270.0, 278.0}) {
        double ra = 0, dec = 0;
        eraEceq06(scene.time.julianDay, 0.0, lambda * kDeg, 0.0, &ra, &dec);
        ExpectAt(Shot(), {{ra / kDeg, dec / kDeg}}, kColorEclipticLine);
    }
}

TEST_F(GridLayerTest, EquatorsOfDateAndB1950LieWhereErfaPrecessesThem)
{
    // Fifty years either side of J2000 the equator at 0h lies a quarter
    // degree north or south; nothing along the J2000 equator between them.
    scene.time.date.year = 2050;
    scene.view.centreLongitude = 0.0;
    scene.displayFlags[kFlagEquatorial] = kEqtDateFlag | kEqt1950Flag;
    Drive();
    SaveShot("eqt_date_b1950");
    for (double jd : {scene.time.julianDay, 2433282.0})
        for (double ra : {354.0, 6.0}) {
            const auto place = FromEquatorOf(jd, ra);
            EXPECT_GT(std::fabs(place.second), 0.2) << jd << " " << ra;   // far enough to tell
            ExpectAt(Shot(), {place}, kColorEquatorialLine);
        }
    ExpectAt(Shot(), {{0.0, 0.0}}, kColorEquatorialLine, false);
}

TEST_F(GridLayerTest, HorizonOfTheHorizontalGridFollowsTheSiteInOtherViews)
{
    scene.displayFlags[kFlagGridNumbers] = kGridMode1;
    scene.displayFlags[kFlagHorizontalGrid] = kHrzGridFlag;
    // Midnight in Tokyo in March: the horizon crosses the western sky.
    View(kModeEqt, 30.0, 10.0, 100.0);
    Drive();
    SaveShot("eqt_horizontal_grid");
    const Snapshot shot = Shot();
    // Horizon points taken back to J2000 with the scene's own horizon
    // matrix (J2000 to horizontal), transposed.
    const double* m = scene.view.matricesDouble[1];
    int seen = 0;
    for (double azimuth = 0.0; azimuth < 360.0; azimuth += 7.0) {
        const double h[2] = {std::cos(azimuth * kDeg), std::sin(azimuth * kDeg)};
        const FixedVector f{static_cast<int32_t>(16384 * (m[0] * h[0] + m[3] * h[1])),
                            static_cast<int32_t>(16384 * (m[1] * h[0] + m[4] * h[1])),
                            static_cast<int32_t>(16384 * (m[2] * h[0] + m[5] * h[1]))};
        ProjectedPoint p{};
        if (ProjectPoint(scene, f, p) && InsideSky(p.x, p.y)) {
            ++seen;
            EXPECT_TRUE(shot.Near(p.x, p.y, 1, Cell(kColorHorizontalGrid))) << azimuth;
        }
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
    SaveShot("eqt_grid_numbers");
    // "6h00" centred over the 6h point of the equator, baseline 2 pixels up.
    const ProjectedPoint p = Place(90.0, 0.0);
    EXPECT_GT(Shot().CountIn(p.x - 14, p.y - 10, p.x + 14, p.y - 2, Cell(kColorGridNumFont)), 5);
    EXPECT_EQ(Shot().CountIn(p.x - 14, p.y + 2, p.x + 14, p.y + 8, Cell(kColorGridNumFont)), 0);
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
    RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
    DrawGrids(scene, redraw);
    RestoreViewLimits(scene, save);
    EXPECT_EQ(std::memcmp(scene.view.matrices, before.matrices, sizeof before.matrices), 0);
    EXPECT_EQ(std::memcmp(scene.view.matricesDouble, before.matricesDouble, sizeof before.matricesDouble), 0);
    XGCValues values{};
    ASSERT_NE(XGetGCValues(gAppEnv->display, scene.gc, GCLineStyle, &values), 0);
    EXPECT_EQ(values.line_style, LineSolid);
}

// The grids take the wrap of the view mode themselves, whatever the record
// they are handed holds.
TEST_F(GridLayerTest, GridsWrapAsTheirViewModeDoes)
{
    scene.displayFlags[kFlagEquatorial] = kEqtGrid2000Flag;
    for (auto [mode, wrap] : {std::pair{kModeAll1Eqt, kWrapCylinder}, {kModeAll2Eqt, kWrapEllipse},
                              {kModeEqt, kWrapNone}}) {
        scene.viewMode = mode;
        Drive();
        RedrawRecord redraw;
        redraw.drawable = scene.backPixmap;
        redraw.clip = SetClipRectangle(scene);
        redraw.wrap.mode = mode == kModeEqt ? kWrapCylinder : kWrapNone;
        DrawGrids(scene, redraw);
        EXPECT_EQ(redraw.wrap.mode, wrap) << mode;
    }
}

TEST(GridLabelResources, RestyledFormatsAreUsedAndUnsafeOnesFallBackToTheDefault)
{
    ASSERT_NE(World().top, nullptr);
    XrmDatabase database = XtScreenDatabase(XtScreen(World().top));
    auto label = [](int i) {
        char text[kGridLabelSize];
        KeptGridFormats kept;
        GridLabelText(kept, kModeEqt, kGridHours, kGridLabelLine, 0, i, kGridEquatorIndex, text, sizeof text);
        return std::string(text);
    };
    // A string conversion would read an argument that is not there, and
    // so would a third number.
    for (auto [format, i, text] : {std::tuple{"", 4, "2h"}, {"RA %02d", 4, "RA 02"}, {"%s hours", 4, "2h"},
                                   {"%d %d %d", 6, "3h"}, {"%dh", 4, "2h"}}) {
        if (*format)
            XrmPutLineResource(&database, (std::string("UVola*messageGridEqtRaFormat3: ") + format).c_str());
        EXPECT_EQ(label(i), text) << format;
    }

    char name[kDirectionNameSize];
    DirectionName(9, name);
    EXPECT_STREQ(name, "NNW");
    XrmPutLineResource(&database, "UVola*messageDirection09: NorthNorthWest");
    DirectionName(9, name);
    EXPECT_STREQ(name, "NorthN");   // cut to six characters
    XrmPutLineResource(&database, "UVola*messageDirection09: NNW");
}

class GroundTest : public ChartTest {
protected:
    void SetUp() override
    {
        OpenChart(480, 360, kModeHrz, 0.0, 0.0, 90.0);
        scene.view.hrzCentreAzimuth = 0.0;   // facing south
        scene.view.hrzCentreAltitude = 30.0;
        scene.displayFlags[kFlagSkyAndGround] = kHorizonFlag;
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

    // Ground just below the horizon and none just above it.
    void ExpectGroundBelow(const Snapshot& shot, double azimuth, double step = 2.0)
    {
        const ProjectedPoint below = Horizontal(azimuth, -step), above = Horizontal(azimuth, step);
        EXPECT_EQ(shot.Pixel(below.x, below.y), Cell(kColorLandscape)) << azimuth;
        EXPECT_NE(shot.Pixel(above.x, above.y), Cell(kColorLandscape)) << azimuth;
    }

    void ExpectOnLine(const Snapshot& shot, double azimuth, std::initializer_list<double> altitudes, int colour,
                      bool there = true)
    {
        for (double altitude : altitudes) {
            const ProjectedPoint p = Horizontal(azimuth, altitude);
            EXPECT_EQ(shot.Near(p.x, p.y, 1, Cell(colour)), there) << azimuth << " " << altitude;
        }
    }

    int LetterPixels(const Snapshot& shot, double azimuth, int length, int colour)
    {
        const XRectangle extent = gAppEnv->fontSetExtents[kFontDirName - 1]->max_logical_extent;
        const ProjectedPoint p = Horizontal(azimuth, 0.0);
        const int left = p.x - length * extent.width / 2;
        return shot.CountIn(left, p.y, left + length * extent.width - 1, p.y + extent.height + 1, Cell(colour));
    }
};

TEST_F(GroundTest, GroundFillsBelowTheHorizonOnly)
{
    Drive();
    const Snapshot shot = Shot();
    for (double azimuth : {0.0, -30.0, 30.0, 40.0})
        ExpectGroundBelow(shot, azimuth);
    // The bottom corners are ground too.
    EXPECT_EQ(shot.Pixel(1, height - 1), Cell(kColorLandscape));
    EXPECT_EQ(shot.Pixel(width - 2, height - 1), Cell(kColorLandscape));
    scene.displayFlags[kFlagSkyAndGround] = 0;
    Drive();
    EXPECT_EQ(CountOf(kColorLandscape), 0);
}

TEST_F(GroundTest, TurnedChartHasItsGroundAtTheTop)
{
    scene.mirror = 1;
    Drive();
    SaveShot("hrz_mirror1_ground");
    const Snapshot shot = Shot();
    ExpectGroundBelow(shot, 0.0);
    EXPECT_LT(Horizontal(0.0, -2.0).y, Horizontal(0.0, 2.0).y);
    EXPECT_EQ(shot.Pixel(1, scene.view.skyRect.y), Cell(kColorLandscape));
    EXPECT_NE(shot.Pixel(1, height - 1), Cell(kColorLandscape));
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

    // Looking straight up with a narrow field: no horizon point projects,
    // and there is no ground.
    scene.view.hrzCentreAltitude = 90.0;
    scene.view.fieldOfView = 20.0;
    Drive();
    EXPECT_LT(ComputeGroundPolygon(scene, points), 2);
    EXPECT_EQ(CountOf(kColorLandscape), 0);
}

TEST_F(GroundTest, CompassLettersStandUnderTheirHorizonPoints)
{
    scene.displayFlags[kFlagHorizontalGrid] = kDirFlag;
    Drive();
    SaveShot("hrz_compass");
    const Snapshot shot = Shot();
    EXPECT_GT(LetterPixels(shot, 0.0, 1, kColorDirection1Font), 4);     // S
    EXPECT_GT(LetterPixels(shot, -22.5, 3, kColorDirection2Font), 4);   // SSE, left of south
    EXPECT_GT(LetterPixels(shot, 22.5, 3, kColorDirection2Font), 4);    // SSW
    EXPECT_EQ(LetterPixels(shot, 22.5, 3, kColorDirection1Font), 0);
    scene.displayFlags[kFlagHorizontalGrid] = 0;
    Drive();
    EXPECT_EQ(CountOf(kColorDirection1Font), 0);
}

TEST_F(GroundTest, HorizontalGridAndMeridianFollowTheHorizonFrame)
{
    scene.displayFlags[kFlagGridNumbers] = kGridMode1 | kHrzGridNumFlag;
    scene.displayFlags[kFlagHorizontalGrid] = kHrzGridFlag | kDirFlag;
    Drive();
    SaveShot("hrz_grid");
    ExpectOnLine(Shot(), 0.0, {15.0, 25.0, 50.0}, kColorHorizontalGrid);
    ExpectOnLine(Shot(), -12.0, {20.0}, kColorHorizontalGrid);
    ExpectOnLine(Shot(), -2.5, {22.5}, kColorHorizontalGrid, false);
    EXPECT_GT(CountOf(kColorGridNumFont), 20);

    scene.displayFlags[kFlagHorizontalGrid] = kMeridianFlag;
    scene.displayFlags[kFlagLineNumbers] = kMrdNumFlag;
    Drive();
    ExpectOnLine(Shot(), 0.0, {5.0, 33.0, 58.0}, kColorMeridianLine);
    EXPECT_EQ(CountOf(kColorHorizontalGrid), 0);
    // "30" right-aligned on the 30-degree point: to its left.
    const ProjectedPoint p = Horizontal(0.0, 30.0);
    EXPECT_GT(Shot().CountIn(p.x - 20, p.y - 10, p.x - 1, p.y - 2, Cell(kColorGridNumFont)), 4);
}

TEST_F(GroundTest, GridAndGroundHoldAtHighMagnification)
{
    // 120 pixels per degree: the precise projections.
    scene.view.fieldOfView = 4.0;
    scene.view.hrzCentreAltitude = 1.0;
    scene.displayFlags[kFlagGridNumbers] = kGridMode1;
    scene.displayFlags[kFlagHorizontalGrid] = kHrzGridFlag;
    Drive();
    ASSERT_GE(scene.view.pixelsPerDegree, 80.0);
    SaveShot("hrz_high_zoom");
    ExpectOnLine(Shot(), 0.0, {0.6, 1.5, 2.2}, kColorHorizontalGrid);   // the south meridian
    ExpectOnLine(Shot(), 0.5, {0.6, 1.5, 2.2}, kColorHorizontalGrid, false);
    ExpectGroundBelow(Shot(), 0.3, 0.2);
}

TEST_F(GroundTest, PlanisphereLettersStandAroundItsCircle)
{
    scene.viewMode = kModeVola;
    scene.view.fieldOfView = 180.0;
    Drive();
    SaveShot("vola_directions");
    const Snapshot shot = Shot();
    const XRectangle extent = gAppEnv->fontSetExtents[kFontDirName - 1]->max_logical_extent;
    const int h = extent.height;
    const int half = (std::min<int>(scene.view.skyRect.width, scene.view.skyRect.height) - h * 11 / 10) / 2;
    // Azimuth 0 at the top: S at angle -90 lies below the centre, E (k 1)
    // at -180 on the left.
    for (auto [dx, dy] : {std::pair{0, half}, {-half, 0}, {0, -half}, {half, 0}}) {
        const int x = scene.view.screenCentreX + dx - extent.width / 2;
        const int baseline = scene.view.screenCentreY + dy + h / 2;
        EXPECT_GT(shot.CountIn(x, baseline - h, x + extent.width - 1, baseline, Cell(kColorDirection1Font)), 4)
            << dx << " " << dy;
    }
}

}  // namespace
