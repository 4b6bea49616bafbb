// The nebula layer: the filter, the size classes, the early end of a
// catalogue at the faint bound, the symbols drawn as stipples and as
// copies from the strip, and the labels (M above, N below when an object
// is drawn from both catalogues), read back from a real canvas.
#include "tests/sky/layers/sky_grids_shot.h"

#include "data/catalog_tables.h"
#include "sky/draw_sky.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/nebula_symbols.h"

#include <cmath>
#include <cstring>

using namespace gridtest;

namespace {

bool AddLayerColours()
{
    for (const char* line : {"UVola*ColorNebulaMark: #FF00FF", "UVola*ColorNabulaNameFont: #00FFFF",
                             "UVola*ColorNebulaMagFont: #FF8000"}) {
        ExtraResources().push_back(line);
    }
    return true;
}

const bool kColoursAdded = AddLayerColours();

Scene gNebulaScene;

constexpr int kWidth = 480;
constexpr int kHeight = 360;

// Index of a record in its catalogue's run, by its number there.
int32_t RecordOf(int catalogue, uint32_t number)
{
    for (int32_t k = 0; k < NebulaCatalogCounts[catalogue]; ++k) {
        if ((NebulaAttributeTable[catalogue][k].word[1] & kNebulaNumberMask) == number) {
            return k;
        }
    }
    return -1;
}

NebulaAttributes Record(uint32_t type, uint32_t mag10, uint32_t catalogues)
{
    return NebulaAttributes{{type | mag10 << kNebulaMagnitudeShift, catalogues | 1u, 0u}};
}

class NebulaLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kColoursAdded);
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(gNebulaScene);
        scene.time.date.hour = 0;   // a dark sky
        scene.centring = 0;         // the view stays where the test puts it
        scene.viewMode = kModeEqt;
        scene.view.fieldOfView = 20.0;
        scene.displayFlags[kFlagStars] = 0;
        scene.displayFlags[kFlagMilkyWay] = 0;
        scene.displayFlags[kFlagNebulae] = kNebulaFlag;
        for (int byte : {kFlagGridNumbers, kFlagHorizontalGrid, kFlagEquatorial, kFlagOtherGrids, kFlagLineNumbers})
            scene.displayFlags[byte] = 0;
    }

    // Centres the view on a record and draws the chart.
    ProjectedPoint DriveAt(int catalogue, int32_t k)
    {
        const FixedVector& v = NebulaPositionRuns[catalogue][k];
        const double x = v[0], y = v[1], z = v[2];
        scene.view.centreLongitude = std::atan2(y, x) * 180.0 / 3.14159265358979323846;
        if (scene.view.centreLongitude < 0)
            scene.view.centreLongitude += 360.0;
        scene.view.centreLatitude = std::atan2(z, std::hypot(x, y)) * 180.0 / 3.14159265358979323846;
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPoint(scene, v, p), 1);
        return p;
    }

    int CountIn(const Snapshot& shot, int left, int top, int right, int bottom, int colour)
    {
        int n = 0;
        for (int y = std::max(top, 0); y <= std::min(bottom, kHeight - 1); ++y)
            for (int x = std::max(left, 0); x <= std::min(right, kWidth - 1); ++x)
                n += shot.Pixel(x, y) == Cell(colour);
        return n;
    }

    // Whether the 9 x 9 cell at the object shows exactly its picture.
    void ExpectSymbol(const Snapshot& shot, const ProjectedPoint& p, int32_t index)
    {
        int marked = 0;
        for (int row = 0; row < kNebulaSymbolSize; ++row)
            for (int col = 0; col < kNebulaSymbolSize; ++col) {
                const bool set = NebulaSymbolPixel(index, col, row) != 0;
                const bool drawn = shot.Pixel(p.x - 5 + col, p.y - 5 + row) == Cell(kColorNebulaMark);
                EXPECT_EQ(drawn, set) << "symbol " << index << " col " << col << " row " << row;
                marked += set;
            }
        EXPECT_GT(marked, 4);
    }

    Scene& scene = gNebulaScene;
};

TEST(NebulaSymbolTest, SizeClassesFollowTheMagnitude)
{
    EXPECT_EQ(NebulaSizeClass(0), 0);
    EXPECT_EQ(NebulaSizeClass(59), 0);
    EXPECT_EQ(NebulaSizeClass(60), 1);
    EXPECT_EQ(NebulaSizeClass(119), 1);
    EXPECT_EQ(NebulaSizeClass(120), 2);
    EXPECT_EQ(NebulaSizeClass(254), 2);
    EXPECT_EQ(NebulaSizeClass(255), 2);   // no magnitude: the smallest
}

TEST(NebulaSymbolTest, StripHoldsEveryPictureInverted)
{
    const auto& strip = NebulaSymbolStrip();
    for (int index = 0; index < kNebulaSymbolCount; ++index) {
        const int left = index / 3 * kNebulaSymbolSize, top = index % 3 * kNebulaSymbolSize;
        for (int row = 0; row < kNebulaSymbolSize; ++row)
            for (int col = 0; col < kNebulaSymbolSize; ++col) {
                const int x = left + col, y = top + row;
                const int bit = (strip[y * kNebulaStripRowBytes + x / 8] >> (x % 8)) & 1;
                EXPECT_NE(bit, NebulaSymbolPixel(index, col, row)) << index << " " << col << " " << row;
            }
    }
}

TEST(NebulaSymbolTest, PicturesDifferAndShrinkWithTheSizeClass)
{
    auto pixels = [](int index) {
        int n = 0;
        for (int row = 0; row < kNebulaSymbolSize; ++row)
            for (int col = 0; col < kNebulaSymbolSize; ++col)
                n += NebulaSymbolPixel(index, col, row);
        return n;
    };
    for (int type = 0; type < 6; ++type) {
        EXPECT_GT(pixels(type * 3), pixels(type * 3 + 1)) << type;
        EXPECT_GT(pixels(type * 3 + 1), pixels(type * 3 + 2)) << type;
        EXPECT_GT(pixels(type * 3 + 2), 2) << type;
    }
    // The pictures of the six object types are told apart at every size.
    for (int a = 0; a < 18; ++a)
        for (int b = a + 1; b < 18; ++b)
            EXPECT_NE(std::memcmp(NebulaSymbolBits[a], NebulaSymbolBits[b], kNebulaSymbolBytes), 0) << a << " " << b;
}

TEST(NebulaFilterTest, MagnitudeWindowTypesAndCatalogues)
{
    Scene scene{};
    ResetScene(scene);
    const NebulaAttributes galaxy = Record(4, 90, kNebulaNgcFlag);
    const NebulaAttributes globular = Record(3, 60, kNebulaMessierFlag | kNebulaNgcFlag);
    const NebulaAttributes faintIc = Record(1, 130, kNebulaIcFlag);
    const NebulaAttributes noMagnitude = Record(2, kNebulaNoMagnitude, kNebulaNgcFlag);

    // Default window 0.0 .. 11.0.
    EXPECT_EQ(NebulaPassesFilter(scene, galaxy), 1);
    EXPECT_EQ(NebulaPassesFilter(scene, faintIc), 0);
    EXPECT_EQ(NebulaPassesFilter(scene, noMagnitude), 0);
    scene.mag.nebulaBright = 70;
    EXPECT_EQ(NebulaPassesFilter(scene, globular), 0);
    scene.mag.nebulaBoundsInUse = 0;
    EXPECT_EQ(NebulaPassesFilter(scene, globular), 1);
    EXPECT_EQ(NebulaPassesFilter(scene, faintIc), 1);
    EXPECT_EQ(NebulaPassesFilter(scene, noMagnitude), 1);

    // Types: only galaxies; then none chosen, which lets every type pass.
    scene.displayFlags[kFlagNebulaTypes] = kGalaxyFlag;
    EXPECT_EQ(NebulaPassesFilter(scene, galaxy), 1);
    EXPECT_EQ(NebulaPassesFilter(scene, globular), 0);
    scene.displayFlags[kFlagNebulaTypes] = kGlobeFlag | kOpenFlag;
    EXPECT_EQ(NebulaPassesFilter(scene, globular), 1);
    EXPECT_EQ(NebulaPassesFilter(scene, noMagnitude), 1);   // open cluster
    EXPECT_EQ(NebulaPassesFilter(scene, galaxy), 0);
    scene.displayFlags[kFlagNebulaTypes] = 0;
    EXPECT_EQ(NebulaPassesFilter(scene, galaxy), 1);
    EXPECT_EQ(NebulaPassesFilter(scene, globular), 1);

    // Catalogues: an object passes through any catalogue it is in.
    scene.displayFlags[kFlagNebulaCatalogues] = kIcFlag;
    EXPECT_EQ(NebulaPassesFilter(scene, galaxy), 0);
    EXPECT_EQ(NebulaPassesFilter(scene, faintIc), 1);
    scene.displayFlags[kFlagNebulaCatalogues] = kMessierFlag;
    EXPECT_EQ(NebulaPassesFilter(scene, globular), 1);
    EXPECT_EQ(NebulaPassesFilter(scene, galaxy), 0);
    EXPECT_EQ(NebulaCatalogEnabled(scene, kMessier), 1);
    EXPECT_EQ(NebulaCatalogEnabled(scene, kNgc), 0);
}

TEST(NebulaFilterTest, FaintBoundEndsTheNgcWalkButNotTheIc)
{
    Scene scene{};
    ResetScene(scene);
    ASSERT_EQ(scene.mag.nebulaFaint, 110);
    const int32_t ngc = NebulaCatalogWalkLength(scene, kNgc);
    ASSERT_GT(ngc, 0);
    ASSERT_LT(ngc, NebulaCatalogCounts[kNgc]);
    EXPECT_LE(NebulaMagnitude10(NebulaAttributeTable[kNgc][ngc - 1]), 110);
    EXPECT_GT(NebulaMagnitude10(NebulaAttributeTable[kNgc][ngc]), 110);
    EXPECT_GT(NebulaCatalogWalkLength(scene, kIc), 0);
    // The Messier catalogue too ends at its first object past the bound.
    const int32_t messier = NebulaCatalogWalkLength(scene, kMessier);
    ASSERT_LT(messier, NebulaCatalogCounts[kMessier]);
    EXPECT_GT(NebulaMagnitude10(NebulaAttributeTable[kMessier][messier]), 110);
    scene.mag.nebulaBoundsInUse = 0;
    EXPECT_EQ(NebulaCatalogWalkLength(scene, kNgc), NebulaCatalogCounts[kNgc]);
}

TEST_F(NebulaLayerTest, SymbolIsDrawnAtTheObjectsPlace)
{
    const int32_t m13 = RecordOf(kMessier, 13);
    ASSERT_GE(m13, 0);
    const NebulaAttributes& record = NebulaAttributeTable[kMessier][m13];
    ASSERT_EQ(NebulaType(record), 3);   // globular
    scene.displayFlags[kFlagNebulaCatalogues] = kMessierFlag;
    const ProjectedPoint p = DriveAt(kMessier, m13);
    SaveShot(scene, kWidth, kHeight, "m13");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    // Copied from the strip on a read-only visual, stippled on a writable one.
    ExpectSymbol(shot, p, 3 * 3 + NebulaSizeClass(NebulaMagnitude10(record)));
}

TEST_F(NebulaLayerTest, StippledSymbolMatchesTheCopiedOne)
{
    const int32_t m57 = RecordOf(kMessier, 57);   // the Ring Nebula, a planetary
    ASSERT_GE(m57, 0);
    const NebulaAttributes& record = NebulaAttributeTable[kMessier][m57];
    scene.displayFlags[kFlagNebulae] = 0;
    scene.displayFlags[kFlagNebulaCatalogues] = kMessierFlag;
    const ProjectedPoint p = DriveAt(kMessier, m57);
    scene.displayFlags[kFlagNebulae] = kNebulaFlag;
    CreateNebulaSymbolBitmaps(gAppEnv->display, scene.backPixmap);
    DrawNebulaCatalogs(scene, scene.backPixmap, 1, None);
    FreeNebulaSymbolBitmaps(gAppEnv->display);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    ExpectSymbol(shot, p, NebulaType(record) * 3 + NebulaSizeClass(NebulaMagnitude10(record)));
    XGCValues values{};
    ASSERT_NE(XGetGCValues(gAppEnv->display, scene.gc, GCFillStyle | GCFunction, &values), 0);
    EXPECT_EQ(values.fill_style, FillSolid);
    EXPECT_EQ(values.function, GXcopy);
}

TEST_F(NebulaLayerTest, FirstNgcObjectPastTheFaintBoundIsNotDrawn)
{
    const int32_t k = NebulaCatalogWalkLength(scene, kNgc);
    scene.displayFlags[kFlagNebulaCatalogues] = kNgcFlag;
    ProjectedPoint p = DriveAt(kNgc, k);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(CountIn(shot, p.x - 5, p.y - 5, p.x + 3, p.y + 3, kColorNebulaMark), 0);
    // With the bounds off it is.
    scene.mag.nebulaBoundsInUse = 0;
    p = DriveAt(kNgc, k);
    Snapshot all(scene.backPixmap, kWidth, kHeight);
    EXPECT_GT(CountIn(all, p.x - 5, p.y - 5, p.x + 3, p.y + 3, kColorNebulaMark), 2);
}

TEST_F(NebulaLayerTest, IcIsWalkedAfterTheNgcRunEnds)
{
    scene.displayFlags[kFlagNebulaCatalogues] = kNgcFlag | kIcFlag;
    const int32_t last = NebulaCatalogWalkLength(scene, kIc) - 1;
    ASSERT_GE(last, 0);
    const NebulaAttributes& record = NebulaAttributeTable[kIc][last];
    const ProjectedPoint p = DriveAt(kIc, last);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_GT(CountIn(shot, p.x - 5, p.y - 5, p.x + 3, p.y + 3, kColorNebulaMark), 2)
        << "IC" << (record.word[1] & kNebulaNumberMask);
}

TEST_F(NebulaLayerTest, MessierLabelAboveAndNgcLabelBelow)
{
    const int32_t m13 = RecordOf(kMessier, 13);
    const NebulaAttributes& record = NebulaAttributeTable[kMessier][m13];
    ASSERT_NE(record.word[1] & kNebulaNgcFlag, 0u);
    scene.displayFlags[kFlagNebulae] = kNebulaFlag | kNebulaNameFlag;
    scene.displayFlags[kFlagNebulaCatalogues] = kMessierFlag | kNgcFlag;
    const ProjectedPoint p = DriveAt(kMessier, m13);
    SaveShot(scene, kWidth, kHeight, "m13_labels");
    Snapshot both(scene.backPixmap, kWidth, kHeight);
    const int above = CountIn(both, p.x, p.y - 16, p.x + 60, p.y - 1, kColorNebulaNameFont);
    const int below = CountIn(both, p.x, p.y + 1, p.x + 60, p.y + 16, kColorNebulaNameFont);
    EXPECT_GT(above, 8);
    EXPECT_GT(below, 8);

    // From the Messier catalogue alone the label is centred on the point:
    // it crosses the point's row.
    scene.displayFlags[kFlagNebulaCatalogues] = kMessierFlag;
    DriveAt(kMessier, m13);
    Snapshot alone(scene.backPixmap, kWidth, kHeight);
    EXPECT_GT(CountIn(alone, p.x, p.y - 1, p.x + 60, p.y + 1, kColorNebulaNameFont), 0);
    EXPECT_EQ(CountIn(alone, p.x, p.y + 6, p.x + 60, p.y + 16, kColorNebulaNameFont), 0);
}

TEST_F(NebulaLayerTest, MagnitudeLabelHangsUnderTheSymbol)
{
    const int32_t m13 = RecordOf(kMessier, 13);
    scene.displayFlags[kFlagNebulae] = kNebulaFlag | kNebulaMagFlag;
    scene.displayFlags[kFlagNebulaCatalogues] = kMessierFlag;
    const ProjectedPoint p = DriveAt(kMessier, m13);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_GT(CountIn(shot, p.x - 12, p.y + 5, p.x + 12, p.y + 16, kColorNebulaMagFont), 3);
    EXPECT_EQ(CountIn(shot, p.x - 12, p.y - 16, p.x + 12, p.y, kColorNebulaMagFont), 0);
}

TEST_F(NebulaLayerTest, HiddenTypeAndCatalogueAreNotDrawn)
{
    const int32_t m13 = RecordOf(kMessier, 13);
    scene.displayFlags[kFlagNebulaCatalogues] = kMessierFlag;
    scene.displayFlags[kFlagNebulaTypes] = kGalaxyFlag | kOpenFlag;
    ProjectedPoint p = DriveAt(kMessier, m13);
    Snapshot noGlobulars(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(CountIn(noGlobulars, p.x - 5, p.y - 5, p.x + 3, p.y + 3, kColorNebulaMark), 0);

    scene.displayFlags[kFlagNebulaTypes] = kGlobeFlag;
    scene.displayFlags[kFlagNebulaCatalogues] = kIcFlag;   // M13 is not in the IC
    p = DriveAt(kMessier, m13);
    Snapshot noMessier(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(CountIn(noMessier, p.x - 5, p.y - 5, p.x + 3, p.y + 3, kColorNebulaMark), 0);

    scene.displayFlags[kFlagNebulaCatalogues] = kNgcFlag;   // but it is NGC 6205
    p = DriveAt(kMessier, m13);
    Snapshot ngc(scene.backPixmap, kWidth, kHeight);
    EXPECT_GT(CountIn(ngc, p.x - 5, p.y - 5, p.x + 3, p.y + 3, kColorNebulaMark), 2);
}

TEST_F(NebulaLayerTest, NebulaFlagOffDrawsNothing)
{
    scene.displayFlags[kFlagNebulae] = kNebulaNameFlag | kNebulaMagFlag;
    scene.view.fieldOfView = 120.0;
    DriveAt(kMessier, RecordOf(kMessier, 13));
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(CountColour(shot, kWidth, kHeight, Cell(kColorNebulaMark)), 0);
    EXPECT_EQ(CountColour(shot, kWidth, kHeight, Cell(kColorNebulaNameFont)), 0);
}

}  // namespace
