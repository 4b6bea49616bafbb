// The star-file layers on a real canvas. The region selection against an
// oracle that projects every region's densely sampled outline, and the SAO
// zone choice against every star of the file, over random views in all
// fourteen modes; the kept selection's reuse and rebuilding; the SAO
// layer's zone end at the limit and its refusals.
#include "tests/sky/sky_canvas_fixture.h"

#include "astro/coordinates.h"
#include "astro/vector_math.h"
#include "data/catalog_tables.h"
#include "sky/catalog/gsc_region_file.h"
#include "sky/catalog/gsc_region_index.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/sao_star_file.h"
#include "sky/layers/gsc_selection.h"
#include "sky/layers/gsc_star_layer.h"
#include "sky/layers/sao_star_layer.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/star_view_circle.h"
#include "sky/view/projection.h"
#include "sky/view/screen_points.h"
#include "tests/harness/test_files.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <vector>

using namespace canvastest;

namespace {

const std::string kDataDir = UVOLA_DATA_DIR;

const int32_t kModes[] = {kModeHrz,     kModeEqt,     kModeEcl,     kModeGal,     kModeSol1,
                          kModeSol2,    kModeSol3,    kModeAll1Eqt, kModeAll1Ecl, kModeAll1Gal,
                          kModeAll2Eqt, kModeAll2Ecl, kModeAll2Gal, kModeVola};

Scene gLayerScene;

struct ViewCase {
    int32_t mode;
    double longitude, latitude, field;
    int32_t mirror;
    int width, height;
};

class StarFileLayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s/uvola.gsc", kDataDir.c_str());
        std::snprintf(gAppEnv->saoFile, kPathSize, "%s/uvola.sao", kDataDir.c_str());
        ASSERT_EQ(LoadGscRegionIndex(), 1);
    }

    void SetUp() override { ASSERT_NE(World().area, nullptr); }

    void Show(const ViewCase& v)
    {
        ResizeArea(v.width, v.height);
        PrepareScene(scene);
        scene.viewMode = v.mode;
        scene.view.centreLongitude = scene.view.hrzCentreAzimuth = v.longitude;
        scene.view.centreLatitude = v.latitude;
        scene.view.hrzCentreAltitude = std::clamp(v.latitude, 0.0, 90.0);
        scene.view.fieldOfView = v.field;
        scene.mirror = v.mirror;
        Drive();
    }

    void Drive()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    bool OnChart(const FixedVector& v)
    {
        ProjectedPoint p;
        const XRectangle& r = scene.view.skyRect;
        return ProjectPoint(scene, v, p) && p.x >= r.x && p.x < r.x + r.width && p.y >= r.y && p.y < r.y + r.height;
    }

    // Whether any of the region's outline, 48 points an edge, falls on the chart.
    bool OutlineOnChart(int32_t region)
    {
        FixedVector corners[4];
        GetGscRegionCorners(gAppEnv->gscRegionIndex, region, corners);
        double places[4][2];
        for (int c = 0; c < 4; ++c)
            SphericalFromFixedVector(corners[c], places[c]);
        for (int edge = 0; edge < 4; ++edge) {
            const double* a = places[edge];
            const double* b = places[(edge + 1) % 4];
            double dRa = b[0] - a[0];
            dRa += dRa > 180.0 ? -360.0 : dRa < -180.0 ? 360.0 : 0.0;
            for (int i = 0; i < 48; ++i) {
                const double place[2] = {a[0] + dRa * i / 48.0, a[1] + (b[1] - a[1]) * i / 48.0};
                FixedVector v;
                FixedVectorFromSpherical(place, v);
                if (OnChart(v))
                    return true;
            }
        }
        return false;
    }

    std::set<int32_t> Chosen()
    {
        std::set<int32_t> regions;
        for (const GscChoice& c : SelectGscRegions(scene, gAppEnv->gscRegionIndex))
            regions.insert(c.region);
        return regions;
    }

    Scene& scene = gLayerScene;
};

std::vector<ViewCase> RandomViews()
{
    std::mt19937 random(20240320);
    std::uniform_real_distribution<double> ra(0.0, 360.0), dec(-90.0, 90.0), field(2.0, 150.0);
    const int sizes[][2] = {{320, 240}, {480, 360}, {260, 340}};
    std::vector<ViewCase> views;
    for (int32_t mode : kModes)
        for (int k = 0; k < 3; ++k) {
            // The first of each mode at RA 0, the second at a pole, the third anywhere.
            double longitude = k == 0 ? 0.0 : ra(random);
            double latitude = k == 1 ? (random() % 2 ? 90.0 : -90.0) : dec(random);
            const int* size = sizes[random() % 3];
            views.push_back({mode, longitude, latitude, field(random), int32_t(random() % 3), size[0], size[1]});
        }
    // The narrowest field by each pole, on the edge of the regions there.
    for (double pole : {1.0, -1.0})
        views.push_back({kModeEqt, 15.0, pole * 82.35, 1.0, 0, 320, 240});
    return views;
}

std::vector<std::pair<FixedVector, int32_t>> SaoStarsToNine()
{
    std::vector<std::pair<FixedVector, int32_t>> stars;
    FILE* file = std::fopen((kDataDir + "/uvola.sao").c_str(), "rb");
    for (int32_t z = 0; z < kSaoZoneCount; ++z) {
        std::fseek(file, SaoZoneTable[z].offset, SEEK_SET);
        SaoStarRecord star;
        for (int32_t i = 0; i < SaoZoneRecordCount(z) && ReadSaoStarRecord(file, star) && star.mag10 <= 90; ++i)
            stars.push_back({star.v, z});
    }
    std::fclose(file);
    return stars;
}

TEST_F(StarFileLayerTest, EveryRegionAndZoneOnTheChartIsRead)
{
    const auto stars = SaoStarsToNine();
    for (const ViewCase& v : RandomViews()) {
        SCOPED_TRACE(testing::Message() << std::hex << v.mode << std::dec << " at " << v.longitude << " "
                                        << v.latitude << " field " << v.field << " mirror " << v.mirror);
        Show(v);
        ForgetGscSelection(scene);
        std::set<int32_t> chosen = Chosen();
        for (int32_t region = 1; region <= kGscSmallRegionCount; ++region) {
            if (!chosen.count(region)) {
                ASSERT_FALSE(OutlineOnChart(region)) << "region " << region;
            }
        }

        StarViewCircle circle;
        ComputeStarViewCircle(scene, circle);
        for (const auto& [star, zone] : stars) {
            if (!SaoZoneMeetsView(circle, zone)) {
                ASSERT_FALSE(OnChart(star)) << "zone " << zone;
            }
        }
    }
}

TEST_F(StarFileLayerTest, ANarrowFieldChoosesFewRegions)
{
    Show({kModeEqt, 165.0, -61.0, 2.0, 0, 480, 360});
    ForgetGscSelection(scene);
    std::set<int32_t> chosen = Chosen();
    EXPECT_TRUE(chosen.count(8958));
    EXPECT_LE(chosen.size(), 8u);
}

// Whether the next selection starts afresh: a region of the view struck out
// of the kept choice comes back only then.
class KeptSelection : public StarFileLayerTest {
protected:
    void SetUp() override
    {
        StarFileLayerTest::SetUp();
        Show({kModeEqt, 83.0, 5.0, 20.0, 0, 480, 360});
        ForgetGscSelection(scene);
        Chosen();
    }

    bool Rebuilt()
    {
        // A region on the chart now, struck from the kept masks.
        int32_t region = 0;
        for (int32_t l = 0; l < kGscLargeRegionCount; ++l) {
            const GscLargeRegion& large = GscLargeRegionTable[l];
            uint32_t& mask = scene.gscSelection.masks[l];
            for (int32_t j = 0; j < large.n * large.n && region == 0; ++j)
                if ((mask >> j & 1) && OutlineOnChart(large.firstSmallRegion + j)) {
                    region = large.firstSmallRegion + j;
                    mask &= ~(1u << j);
                }
        }
        EXPECT_NE(region, 0);
        return Chosen().count(region) == 1;
    }

    void Move(double pixels)
    {
        scene.view.centreLongitude += pixels / scene.view.pixelsPerDegree / std::cos(5.0 * M_PI / 180.0);
        Drive();
    }
};

TEST_F(KeptSelection, ZoomingInNarrowsTheKeptChoiceAndZoomingOutRebuildsIt)
{
    scene.view.fieldOfView = 10.0;
    Drive();
    EXPECT_FALSE(Rebuilt());
    scene.view.fieldOfView = 15.0;
    Drive();
    EXPECT_TRUE(Rebuilt());
}

TEST_F(KeptSelection, MovingAPixelRebuilds)
{
    Move(1.0);
    EXPECT_TRUE(Rebuilt());
}

// A view creeping by half a pixel a redraw must not carry the kept choice
// along for ever: the tolerance counts from the last fresh selection.
TEST_F(KeptSelection, CreepingCountsFromTheLastFreshSelection)
{
    Move(0.5);
    EXPECT_FALSE(Rebuilt());
    Move(0.5);
    EXPECT_TRUE(Rebuilt());
}

TEST_F(KeptSelection, AnotherModeMirrorOrChartSizeRebuilds)
{
    const std::function<void()> changes[] = {
        [this] { scene.mirror = 2; },
        [] { ResizeArea(470, 360); },
        [this] {   // the same sky in ecliptic co-ordinates
            const double equatorial[2] = {scene.view.centreLongitude, scene.view.centreLatitude};
            double ecliptic[2];
            ConvertCoordinates(scene.time, kFrameEqt, equatorial, kFrameEcl, ecliptic);
            scene.viewMode = kModeEcl;
            scene.view.centreLongitude = ecliptic[0];
            scene.view.centreLatitude = ecliptic[1];
        },
    };
    for (const auto& change : changes) {
        change();
        Drive();
        EXPECT_TRUE(Rebuilt());
    }
    Drive();
    EXPECT_FALSE(Rebuilt());
}

// Looking at the celestial pole in HRZ, the sky turns about the chart's
// centre as time goes on: the centre stays, the chart turns.
TEST_F(KeptSelection, TheSkyTurningInTheHorizonViewRebuilds)
{
    auto lookAtPole = [this] {
        const double pole[2] = {0.0, 90.0};
        double horizontal[2];
        ConvertCoordinates(scene.time, kFrameEqt, pole, kFrameHrz, horizontal);
        scene.viewMode = kModeHrz;
        scene.view.hrzCentreAzimuth = horizontal[0];
        scene.view.hrzCentreAltitude = horizontal[1];
        Drive();
    };
    lookAtPole();
    Chosen();
    EXPECT_FALSE(Rebuilt());
    const DateTime twoHoursLater{2024, 3, 20, 14, 0, 0.0, 9.0};
    AstroTimeFromDate(twoHoursLater, ObserverLocation{35.68, 139.77, 40.0}, scene.time);
    lookAtPole();
    EXPECT_TRUE(Rebuilt());
}

// ---------------------------------------------------------------- SAO layer

class SaoLayer : public StarFileLayerTest {
protected:
    void SetUp() override
    {
        StarFileLayerTest::SetUp();
        Show({kModeEqt, 90.0, 0.0, 30.0, 0, 320, 240});
        scene.mag.starLimit = 50;
        scene.displayFlags[kFlagStars] = kStarFlag | kSaoStarsFlag;
        scene.displayFlags[kFlagStarLabels] = 0;
        file = TestHome() + "/crafted.sao";
    }

    void TearDown() override { std::snprintf(gAppEnv->saoFile, kPathSize, "%s/uvola.sao", kDataDir.c_str()); }

    // A file of the right size, zone 25 (RA 90, Dec 0) holding the given
    // stars, every other record 0 x 0 x 0 of magnitude 25.5.
    void Write(const std::vector<std::pair<FixedVector, int32_t>>& stars)
    {
        std::string bytes(kSaoMagic, kSaoMagicSize);
        bytes.resize(kSaoFileSize, '\0');
        for (uint32_t at = kSaoMagicSize; at < kSaoFileSize; at += kSaoRecordSize)
            bytes[at + 7] = static_cast<char>(255);
        uint32_t at = SaoZoneTable[24].offset;
        for (const auto& [v, mag10] : stars) {
            for (int i = 0; i < 3; ++i) {
                bytes[at + 2 * i] = static_cast<char>(v[i] & 0xff);
                bytes[at + 2 * i + 1] = static_cast<char>((v[i] >> 8) & 0xff);
            }
            bytes[at + 6] = static_cast<char>(0x50);
            bytes[at + 7] = static_cast<char>(mag10 + 20);
            at += kSaoRecordSize;
        }
        std::remove(file.c_str());   // a FIFO left by an earlier test would hold the write
        WriteFile(file, bytes);
        std::snprintf(gAppEnv->saoFile, kPathSize, "%s", file.c_str());
    }

    FixedVector Near(double dRa)
    {
        const double place[2] = {90.0 + dRa, 0.0};
        FixedVector v;
        FixedVectorFromSpherical(place, v);
        return v;
    }

    bool Lit(const FixedVector& v)
    {
        ProjectedPoint p;
        EXPECT_EQ(ProjectPoint(scene, v, p), 1);
        Snapshot shot(scene.backPixmap, scene.view.skyRect.width, scene.view.skyRect.height);
        return shot.Pixel(p.x, p.y) != gAppEnv->pixels[scene.background];
    }

    void Clear()
    {
        XSetForeground(gAppEnv->display, scene.gc, gAppEnv->pixels[scene.background]);
        XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, 0, 0, 2000, 2000);
    }

    std::string file;
};

TEST_F(SaoLayer, AStarAtTheLimitIsDrawnAndTheNextFainterEndsTheZone)
{
    Write({{Near(-4.0), 30}, {Near(0.0), 50}, {Near(4.0), 51}, {Near(8.0), 40}});
    Clear();
    RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
    ASSERT_EQ(DrawSaoStars(scene, redraw), 1);
    EXPECT_TRUE(Lit(Near(-4.0)));
    EXPECT_TRUE(Lit(Near(0.0)));
    EXPECT_FALSE(Lit(Near(4.0)));
    EXPECT_FALSE(Lit(Near(8.0)));   // after the end of the zone
}

TEST_F(SaoLayer, AFileOfAnotherSizeOrMagicDrawsNothing)
{
    Write({{Near(0.0), 30}});
    RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
    std::string good = ReadFile(file);
    const std::string bad[] = {good.substr(0, good.size() - 1), good + "x", "UVOLA 30 SAO 10 " + good.substr(16)};
    for (const std::string& bytes : bad) {
        WriteFile(file, bytes);
        Clear();
        EXPECT_EQ(DrawSaoStars(scene, redraw), 0);
        EXPECT_FALSE(Lit(Near(0.0)));
    }
    std::snprintf(gAppEnv->saoFile, kPathSize, "%s/missing.sao", TestHome().c_str());
    EXPECT_EQ(IsSaoFileAvailable(), 0);
    EXPECT_EQ(DrawSaoStars(scene, redraw), 0);
}

// A FIFO under the star file's name would hold the redraw in its open: it
// is no star file.
TEST_F(SaoLayer, AFifoIsNoStarFile)
{
    ASSERT_TRUE(MakeSpecialFile(file, SpecialFile::kFifo));
    std::snprintf(gAppEnv->saoFile, kPathSize, "%s", file.c_str());
    RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
    EXPECT_TRUE(FinishesWithin(2.0, [&] {
        return IsSaoFileAvailable() == 0 && DrawSaoStars(scene, redraw) == 0;
    }));
}

// The two star-file layers label alike: the same magnitude label under a
// star, the same names of the built-in stars over their own.
TEST_F(SaoLayer, TheCatalogueAndTheSaoStarsAreLabelledAlike)
{
    scene.displayFlags[kFlagStarLabels] = kStarNameFlag | kBayerFlag | kFlamsteedFlag;
    int32_t last = 0;
    ASSERT_EQ(GetLastStarWithinLimit(scene, last), 1);
    using Label = void (*)(const Scene&, RedrawRecord&, const ProjectedPoint&, int, int32_t);
    using Names = void (*)(const Scene&, RedrawRecord&, int32_t);
    auto chart = [&](Label label, Names names) {
        Clear();
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        for (int32_t mag10 : {-5, 14, 95, 170})
            label(scene, redraw, ProjectedPoint{40 + 2 * mag10, 60 + mag10 / 2, 0, 0}, 3, mag10);
        names(scene, redraw, last);
        return std::make_unique<Snapshot>(scene.backPixmap, scene.view.skyRect.width, scene.view.skyRect.height);
    };
    const auto sao = chart(DrawSaoMagnitudeLabel, DrawBrightStarLabelsOverSao);
    const auto gsc = chart(DrawGscMagnitudeLabel, DrawBrightStarLabelsOverGsc);
    EXPECT_GT(sao->Count(Cell(kColorStarMagFont)), 20);
    EXPECT_GT(sao->Count(Cell(kColorStarNameFont)), 20);
    for (int y = 0; y < sao->height; ++y)
        for (int x = 0; x < sao->width; ++x)
            ASSERT_EQ(sao->Pixel(x, y), gsc->Pixel(x, y)) << x << "," << y;
}

// A region file's row is read as the catalogue's columns stand: a blank
// magnitude reads as 0.0, the brightest there is, and is drawn.
TEST_F(SaoLayer, AGscRowWithABlankMagnitudeIsDrawnAsMagnitudeZero)
{
    auto row = [](const char* ra, const char* mag) {
        char text[kGscRowSize + 1];
        std::snprintf(text, sizeof text, "00001%-9.9s  0.00000  0.2%-5.5s0.30180TYC2F", ra, mag);
        return std::string(text, kGscRowSize);
    };
    const std::string region = TestHome() + "/0001.GSC";
    WriteFile(region, std::string(kGscTableStart, ' ') + row(" 86.00000", "     ") + row(" 94.00000", "99.99"));
    Clear();
    RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
    DrawGscRegionFile(scene, redraw, region.c_str());
    EXPECT_TRUE(Lit(Near(-4.0)));
    EXPECT_FALSE(Lit(Near(4.0)));   // 99.9, beyond the limit
}

// With STAR_MAG the SAO layer labels the stars within the label limit.
TEST_F(SaoLayer, StarMagLabelsTheStarsWithinTheLabelLimit)
{
    Write({{Near(0.0), 30}, {Near(4.0), 45}});
    scene.mag.starLabelLimit = 40;
    auto labelsNear = [&](double dRa) {
        Clear();
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        EXPECT_EQ(DrawSaoStars(scene, redraw), 1);
        ProjectedPoint p;
        EXPECT_EQ(ProjectPoint(scene, Near(dRa), p), 1);
        Snapshot shot(scene.backPixmap, scene.view.skyRect.width, scene.view.skyRect.height);
        return shot.CountIn(p.x - 12, p.y, p.x + 12, p.y + 20, Cell(kColorStarMagFont));
    };
    EXPECT_EQ(labelsNear(0.0), 0);
    scene.displayFlags[kFlagStarLabels] = kStarMagFlag;
    EXPECT_GT(labelsNear(0.0), 5);
    EXPECT_EQ(labelsNear(4.0), 0);   // fainter than the label limit
}

}  // namespace
