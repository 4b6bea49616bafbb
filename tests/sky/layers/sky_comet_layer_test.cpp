// Comets, minor planets and orbits drawn on a real canvas and read back,
// with objects read through the index of the shipped element files:
// markers in their star colours where they project, tails that shorten
// with the daylight, orbits and body symbols in the solar-system views, the
// axes, the planet paths' lifetime, and the 100 AU cut.
#include "tests/sky/sky_canvas_fixture.h"

#include "astro/coordinates.h"
#include "sky/catalog/element_files.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/draw_sky.h"
#include "sky/layers/comet_layer.h"
#include "sky/layers/orbit_layer.h"
#include "sky/solar_system_update.h"
#include "sky/view/screen_points.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <string>

using namespace canvastest;

namespace {

bool AddSmallBodyColours()
{
    for (const char* line : {"UVola*ColorStar0: #FF2000", "UVola*ColorStar4: #20FF00", "UVola*ColorStar3: #EFEFEF",
                             "UVola*ColorCometDulstTail: #FFFF80", "UVola*ColorCometIonTail: #4080FF",
                             "UVola*ColorOrbit: #A0A0FF", "UVola*ColorOrbitComet: #FF80FF",
                             "UVola*ColorOrbitMinorPlanet: #80FFFF", "UVola*ColorSolarAxis: #FF0080",
                             "UVola*ColorDarkStar: #606000", "UVola*ColorEarth: #0080FF", "UVola*ColorPlanet: #C0C000",
                             "UVola*ColorMarsDisk: #FF4000", "UVola*ColorJupiterDisk: #FF00FF",
                             "UVola*ColorSaturnDisk: #FFFF00", "UVola*ColorOuterPlanetsDisk: #00C080"})
        ExtraResources().push_back(line);
    return true;
}

const bool kColoursAdded = AddSmallBodyColours();

constexpr int kWidth = 480;
constexpr int kHeight = 360;
constexpr double kHaleBoppNight = 2450533.0;   // 1997 March 25, 12h UT

// The shipped element files indexed once for the whole program.
struct Indexes {
    std::string directory, comets, minorPlanets;
    Indexes()
    {
        char pattern[] = "/tmp/uvola-layer-XXXXXX";
        directory = mkdtemp(pattern);
        comets = directory + "/comet.dbm";
        minorPlanets = directory + "/mp.dbm";
        std::fflush(stdout);
        BuildElementIndex(UVOLA_SOURCE_DIR "/data/comet.elm", comets.c_str());
        BuildElementIndex(UVOLA_SOURCE_DIR "/data/mp.elm", minorPlanets.c_str());
    }
    ~Indexes() { std::system(("rm -rf '" + directory + "'").c_str()); }
};

const Indexes& ElementIndexes()
{
    static const Indexes indexes;
    return indexes;
}

OrbitalElements Read(const char* key, bool comet)
{
    const Indexes& ix = ElementIndexes();
    OrbitalElements el{};
    EXPECT_EQ(ReadOrbitalElementsAt(key, el, comet ? UVOLA_SOURCE_DIR "/data/comet.elm" : UVOLA_SOURCE_DIR "/data/mp.elm",
                                    comet ? ix.comets.c_str() : ix.minorPlanets.c_str()),
              1)
        << key;
    return el;
}

class SmallBodyLayerTest : public ChartTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kColoursAdded);
        OpenChart(kWidth, kHeight);
        scene.statusLine = 0;
        scene.displayFlags[kFlagSkyAndGround] = 0;
        AstroTimeFromJulianDay(kHaleBoppNight, 0.0, ObserverLocation{35.68, 139.77, 0.0}, scene.time);
    }
    void TearDown() override
    {
        FreeCometList(scene);
        FreeMinorPlanetList(scene);
    }

    // An equatorial chart centred on a body's J2000 place.
    void DrawCentredOn(const SmallBodyRecord& body, double field)
    {
        const double j2000[2] = {body.raReference, body.decReference};
        double ofDate[2];
        ConvertCoordinates(scene.time, kFrameEqt, j2000, kFrameEqtDate, ofDate);
        View(kModeEqt, ofDate[0], ofDate[1], field);
        Drive();
    }

    // The tails alone, drawn on a cleared chart at a daylight level.
    int TailPixels(int level, int32_t colorIndex)
    {
        Clear(kFirstRampCell);
        scene.daylightLevel = level;
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        DrawComets(scene, redraw, 1);
        return CountOf(colorIndex);
    }
};

TEST_F(SmallBodyLayerTest, MarkersInTheirStarColoursWhereTheyProject)
{
    ASSERT_EQ(AddComet(scene, Read("C/1995 O1", true)), 1);
    // Ceres made bright enough to show as more than a faint-star dot.
    OrbitalElements ceres = Read("CERES", false);
    ceres.h = -5.0;
    ASSERT_EQ(AddMinorPlanet(scene, ceres), 1);
    scene.cometFlags[0] &= static_cast<uint8_t>(~(kBodySpotOrDustTail | kBodyIonTail));
    UpdateSolarSystem(scene);
    for (int which = 0; which < 2; ++which) {
        const SmallBodyRecord& body = which == 0 ? scene.cometPositions[0] : scene.mplanetPositions[0];
        DrawCentredOn(body, 30.0);
        ProjectedPoint p{};
        ASSERT_EQ(GetSolarBodyScreenPoint(scene, which == 0 ? kCometIdBase : kMinorPlanetIdBase, p), 1);
        const Snapshot shot = Shot();
        EXPECT_TRUE(shot.Near(p.x, p.y, 1, Cell(which == 0 ? kColorStar0 : kColorStar4))) << which;
        SaveShot(which == 0 ? "hale-bopp-marker" : "ceres-marker");
    }
    // Hidden, it is not drawn.
    scene.mplanetFlags[0] &= static_cast<uint8_t>(~kBodyShown);
    Drive();
    EXPECT_EQ(CountOf(kColorStar4), 0);
}

TEST_F(SmallBodyLayerTest, TailsShortenWithDaylightAndVanish)
{
    OrbitalElements haleBopp = Read("C/1995 O1", true);
    haleBopp.dustTailLength = 0.3;
    haleBopp.ionTailLength = 0.6;
    ASSERT_EQ(AddComet(scene, haleBopp), 1);
    UpdateSolarSystem(scene);
    ASSERT_EQ(scene.cometTails[0].dustCount, 10);
    ASSERT_EQ(scene.cometTails[0].ionCount, 10);
    DrawCentredOn(scene.cometPositions[0], 40.0);
    SaveShot("hale-bopp-tails");
    for (int32_t colorIndex : {kColorCometDustTail, kColorCometIonTail}) {
        const int dark = TailPixels(0, colorIndex), dusk = TailPixels(8, colorIndex);
        EXPECT_GT(dark, 20) << colorIndex;
        EXPECT_GT(dusk, 0) << colorIndex;
        EXPECT_LT(dusk, dark) << colorIndex;
        EXPECT_EQ(TailPixels(12, colorIndex), 0) << colorIndex;
        EXPECT_EQ(TailPixels(13, colorIndex), 0) << colorIndex;
    }
    // A tail whose computation failed draws nothing with its bit still set.
    scene.cometTails[0].dustCount = 0;
    EXPECT_EQ(TailPixels(0, kColorCometDustTail), 0);
}

TEST_F(SmallBodyLayerTest, SolarSystemViewsDrawOrbitsAndSymbols)
{
    ASSERT_EQ(AddComet(scene, Read("1P", true)), 1);
    ASSERT_EQ(AddMinorPlanet(scene, Read("CERES", false)), 1);
    for (int32_t mode : {kModeSol1, kModeSol2, kModeSol3}) {
        scene.viewMode = mode;
        scene.view.solarViewWidth = 40.0;
        scene.view.fieldOfView = 60.0;
        scene.view.centreLatitude = 60.0;   // from high above the ecliptic
        Drive();
        const Snapshot shot = Shot();
        for (int32_t colorIndex : {kColorOrbit, kColorOrbitComet, kColorOrbitMinorPlanet, kColorEarth,
                                   kColorJupiterDisk})
            EXPECT_GT(shot.Count(Cell(colorIndex)), 0) << std::hex << mode << " " << std::dec << colorIndex;
        EXPECT_EQ(shot.Count(Cell(kColorCometDustTail)), 0);
        if (mode == kModeSol1)
            SaveShot("sol1-halley");
    }
    // Without the orbit bit no path is drawn.
    scene.cometFlags[0] &= static_cast<uint8_t>(~kBodyOrbit);
    Drive();
    EXPECT_EQ(CountOf(kColorOrbitComet), 0);
}

TEST_F(SmallBodyLayerTest, BodySymbolPatterns)
{
    ASSERT_EQ(AddComet(scene, Read("1P", true)), 1);
    scene.viewMode = kModeSol1;
    Drive();
    struct Row {
        int32_t id, size, colorIndex;
        const char* pattern;   // 5 x 5 around the pixel, '#' drawn
    };
    const Row rows[] = {
        {kCometIdBase, 1, kColorStar3, "......" "......" "..#..." "......" "......"},
        {0, 2, kColorPlanet, "......" "......" "..##.." "..##.." "......"},
        {kEarthId, 2, kColorEarth, "......" "......" "..##.." "..##.." "......"},
        {2, 2, kColorMarsDisk, "......" "......" "..##.." "..##.." "......"},
        {3, 4, kColorJupiterDisk, "......" ".###.." ".###.." ".###.." "......"},
        {6, 3, kColorOuterPlanetsDisk, "......" "..#..." ".###.." "..#..." "......"},
        {kSunId, 5, kColorPlanet, "..#..." ".###.." "#####." ".###.." "..#..."},
        {12345, 0, kColorPlanet, "......" "......" "......" "......" "......"},
    };
    for (const Row& row : rows) {
        Clear(kFirstRampCell);
        EXPECT_EQ(DrawBodySymbol(scene, scene.backPixmap, 10, 10, row.id), row.size) << row.id;
        const Snapshot shot = Shot();
        for (int dy = -2; dy <= 2; ++dy)
            for (int dx = -2; dx <= 3; ++dx) {
                const bool drawn = row.pattern[(dy + 2) * 6 + dx + 2] == '#';
                EXPECT_EQ(shot.Pixel(10 + dx, 10 + dy) == Cell(row.colorIndex), drawn)
                    << row.id << " at " << dx << "," << dy;
            }
    }
}

TEST_F(SmallBodyLayerTest, SolarGridAxesAndTheUprightPoleInSol2)
{
    scene.displayFlags[kFlagOtherGrids] = 16;   // SOL_GRID
    scene.view.solarViewWidth = 12.0;
    scene.view.fieldOfView = 60.0;
    for (int32_t mode : {kModeSol1, kModeSol2}) {
        scene.viewMode = mode;
        Drive();
        const Snapshot shot = Shot();
        EXPECT_GT(shot.Count(Cell(kColorSolarAxis)) + shot.Count(Cell(kColorDarkStar)), 40) << mode;
        if (mode != kModeSol2)
            continue;
        const double origin[3] = {0, 0, 0};
        ProjectedPoint sun{};
        ASSERT_EQ(ProjectSolarSystemPoint(scene, origin, sun), 1);
        int column = 0;
        for (int y = 0; y < kHeight; ++y) {
            const unsigned long pixel = shot.Pixel(sun.x, y);
            column += pixel == Cell(kColorSolarAxis) || pixel == Cell(kColorDarkStar);
        }
        EXPECT_GT(column, 40);   // the ecliptic pole's axis stands upright through the Sun
        SaveShot("sol2-axes");
    }
}

TEST_F(SmallBodyLayerTest, PlanetPathsAreRedoneOnlyAfterAThousandYears)
{
    scene.viewMode = kModeSol1;
    const double start = scene.time.julianDay;
    Drive();   // the first solar-system redraw computes them
    EXPECT_EQ(scene.orbitPathDay, start);
    const double marsPoint = scene.orbitPaths[3].points[10][0];
    AstroTimeFromJulianDay(start + 999 * 365.25, 0.0, scene.time.location, scene.time);
    DrawOrbits(scene, scene.backPixmap);
    EXPECT_EQ(scene.orbitPathDay, start);
    EXPECT_EQ(scene.orbitPaths[3].points[10][0], marsPoint);
    AstroTimeFromJulianDay(start + 1001 * 365.25, 0.0, scene.time.location, scene.time);
    DrawOrbits(scene, scene.backPixmap);
    EXPECT_EQ(scene.orbitPathDay, scene.time.julianDay);
    EXPECT_NE(scene.orbitPaths[3].points[10][0], marsPoint);
}

TEST_F(SmallBodyLayerTest, NothingBeyondAHundredAuInTheSolarSystemViews)
{
    ASSERT_EQ(AddComet(scene, Read("1P", true)), 1);
    scene.viewMode = kModeSol1;
    scene.view.solarViewWidth = 400.0;
    Drive();
    for (double distance : {150.0, 50.0}) {
        SmallBodyRecord& place = scene.cometPositions[0];
        place.helioVector[0] = distance;
        place.helioVector[1] = place.helioVector[2] = 0.0;
        place.helioDistance = distance;
        Clear(kFirstRampCell);
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        DrawComets(scene, redraw, 0);
        ProjectedPoint p{};
        ASSERT_EQ(GetSolarBodyScreenPoint(scene, kCometIdBase, p), 1);
        const Snapshot shot = Shot();
        EXPECT_EQ(shot.Pixel(p.x, p.y) == Cell(kColorStar3), distance < 100.0) << distance;
    }
}

} // namespace
