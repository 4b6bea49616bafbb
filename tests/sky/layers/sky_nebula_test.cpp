// The nebula layer: the filter, the size classes, the early end of a
// catalogue at the faint bound, the symbols drawn as stipples and as
// copies from the strip, and the labels (M above, N below when an object
// is drawn from both catalogues), read back from a real canvas.
#include "tests/sky/sky_canvas_fixture.h"

#include "data/catalog_tables.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/nebula_symbols.h"

#include <cstring>

using namespace canvastest;

namespace {

// The labels take the star labels' colours; the nebula label colours,
// set apart, must not show.
[[maybe_unused]] const bool kColours = AddResources(
    {"UVola*ColorNebulaMark: #FF00FF", "UVola*ColorStarNameFont: #00FFFF", "UVola*ColorStarMagFont: #FF8000",
     "UVola*ColorNabulaNameFont: #FFFF00", "UVola*ColorNebulaMagFont: #80FF00"});

// Index of a record in its catalogue's run, by its number there.
int32_t RecordOf(int catalogue, uint32_t number)
{
    for (int32_t k = 0; k < NebulaCatalogCounts[catalogue]; ++k)
        if ((NebulaAttributeTable[catalogue][k].word[1] & kNebulaNumberMask) == number)
            return k;
    return -1;
}

NebulaAttributes Record(uint32_t type, uint32_t mag10, uint32_t catalogues)
{
    return NebulaAttributes{{type | mag10 << kNebulaMagnitudeShift, catalogues | 1u, 0u}};
}

int SymbolPixels(int index)
{
    int n = 0;
    for (int row = 0; row < kNebulaSymbolSize; ++row)
        for (int col = 0; col < kNebulaSymbolSize; ++col)
            n += NebulaSymbolPixel(index, col, row);
    return n;
}

TEST(NebulaSymbolTest, SizeClassesFollowTheMagnitude)
{
    // 255 is no magnitude: the smallest.
    for (auto [mag10, size] : {std::pair{0, 0}, {59, 0}, {60, 1}, {119, 1}, {120, 2}, {254, 2}, {255, 2}})
        EXPECT_EQ(NebulaSizeClass(mag10), size) << mag10;
}

TEST(NebulaSymbolTest, StripHoldsEveryPictureInvertedAndThePicturesDifferAndShrink)
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
    for (int type = 0; type < 6; ++type) {
        EXPECT_GT(SymbolPixels(type * 3), SymbolPixels(type * 3 + 1)) << type;
        EXPECT_GT(SymbolPixels(type * 3 + 1), SymbolPixels(type * 3 + 2)) << type;
        EXPECT_GT(SymbolPixels(type * 3 + 2), 2) << type;
    }
    // The pictures of the six object types are told apart at every size.
    for (int a = 0; a < 18; ++a)
        for (int b = a + 1; b < 18; ++b)
            EXPECT_NE(std::memcmp(NebulaSymbolBits[a], NebulaSymbolBits[b], kNebulaSymbolBytes), 0) << a << " " << b;
}

TEST(NebulaFilterTest, MagnitudeWindowTypesAndCatalogues)
{
    const NebulaAttributes galaxy = Record(4, 90, kNebulaNgcFlag);
    const NebulaAttributes globular = Record(3, 60, kNebulaMessierFlag | kNebulaNgcFlag);
    const NebulaAttributes faintIc = Record(1, 130, kNebulaIcFlag);
    const NebulaAttributes unmeasured = Record(2, kNebulaNoMagnitude, kNebulaNgcFlag);
    const struct {
        int32_t bright, inUse;
        uint8_t types, catalogues;
        const NebulaAttributes& record;
        int passes;
    } cases[] = {
        // The default window 0.0 .. 11.0, every type and catalogue.
        {0, 1, 0x7F, 7, galaxy, 1}, {0, 1, 0x7F, 7, faintIc, 0}, {0, 1, 0x7F, 7, unmeasured, 0},
        {70, 1, 0x7F, 7, globular, 0}, {70, 0, 0x7F, 7, globular, 1}, {70, 0, 0x7F, 7, faintIc, 1},
        {70, 0, 0x7F, 7, unmeasured, 1},
        // Types: only galaxies, then globulars and open clusters; none
        // chosen lets every type pass.
        {0, 0, kGalaxyFlag, 7, galaxy, 1}, {0, 0, kGalaxyFlag, 7, globular, 0},
        {0, 0, kGlobeFlag | kOpenFlag, 7, globular, 1}, {0, 0, kGlobeFlag | kOpenFlag, 7, unmeasured, 1},
        {0, 0, kGlobeFlag | kOpenFlag, 7, galaxy, 0}, {0, 0, 0, 7, galaxy, 1}, {0, 0, 0, 7, globular, 1},
        // Catalogues: an object passes through any catalogue it is in.
        {0, 0, 0, kIcFlag, galaxy, 0}, {0, 0, 0, kIcFlag, faintIc, 1}, {0, 0, 0, kMessierFlag, globular, 1},
        {0, 0, 0, kMessierFlag, galaxy, 0},
    };
    Scene scene{};
    ResetScene(scene);
    for (const auto& c : cases) {
        scene.mag.nebulaBright = c.bright;
        scene.mag.nebulaBoundsInUse = c.inUse;
        scene.displayFlags[kFlagNebulaTypes] = c.types;
        scene.displayFlags[kFlagNebulaCatalogues] = c.catalogues;
        EXPECT_EQ(NebulaPassesFilter(scene, c.record), c.passes)
            << "window " << c.bright << " in use " << c.inUse << " types " << int{c.types} << " catalogues "
            << int{c.catalogues} << " record " << c.record.word[0];
    }
    EXPECT_EQ(NebulaCatalogEnabled(scene, kMessier), 1);
    EXPECT_EQ(NebulaCatalogEnabled(scene, kNgc), 0);
}

TEST(NebulaFilterTest, FaintBoundEndsTheNgcAndMessierWalksButNotTheIc)
{
    Scene scene{};
    ResetScene(scene);
    for (int catalogue : {kMessier, kNgc}) {
        const int32_t n = NebulaCatalogWalkLength(scene, catalogue);
        ASSERT_GT(n, 0);
        ASSERT_LT(n, NebulaCatalogCounts[catalogue]);
        EXPECT_LE(NebulaMagnitude10(NebulaAttributeTable[catalogue][n - 1]), 110);
        EXPECT_GT(NebulaMagnitude10(NebulaAttributeTable[catalogue][n]), 110);
    }
    EXPECT_GT(NebulaCatalogWalkLength(scene, kIc), 0);
    scene.mag.nebulaBoundsInUse = 0;
    EXPECT_EQ(NebulaCatalogWalkLength(scene, kNgc), NebulaCatalogCounts[kNgc]);
}

class NebulaLayerTest : public ChartTest {
protected:
    void SetUp() override
    {
        OpenChart(480, 360, kModeEqt, 0.0, 0.0, 20.0);
        scene.displayFlags[kFlagNebulae] = kNebulaFlag;
    }

    // Centres the view on a record, draws the chart and reads it back.
    ProjectedPoint DriveAt(int catalogue, int32_t k, uint8_t catalogues)
    {
        const FixedVector& v = NebulaPositionRuns[catalogue][k];
        const double x = v[0], y = v[1], z = v[2];
        View(kModeEqt, std::fmod(std::atan2(y, x) * 180.0 / M_PI + 360.0, 360.0),
             std::atan2(z, std::hypot(x, y)) * 180.0 / M_PI, scene.view.fieldOfView);
        scene.displayFlags[kFlagNebulaCatalogues] = catalogues;
        Drive();
        return Place(v);
    }

    int MarksAt(const ProjectedPoint& p) const
    {
        return Shot().CountIn(p.x - 5, p.y - 5, p.x + 3, p.y + 3, Cell(kColorNebulaMark));
    }

    // The 9 x 9 cell at the object shows exactly the picture of its type
    // and size class.
    void ExpectSymbol(const ProjectedPoint& p, const NebulaAttributes& record)
    {
        const int32_t index = NebulaType(record) * 3 + NebulaSizeClass(NebulaMagnitude10(record));
        const Snapshot shot = Shot();
        for (int row = 0; row < kNebulaSymbolSize; ++row)
            for (int col = 0; col < kNebulaSymbolSize; ++col)
                EXPECT_EQ(shot.Pixel(p.x - 5 + col, p.y - 5 + row) == Cell(kColorNebulaMark),
                          NebulaSymbolPixel(index, col, row) != 0)
                    << "symbol " << index << " col " << col << " row " << row;
        EXPECT_GT(SymbolPixels(index), 4);
    }

    const int32_t m13 = RecordOf(kMessier, 13);
};

// Copied from the strip on a read-only visual, stippled on a writable one.
TEST_F(NebulaLayerTest, SymbolIsDrawnAtTheObjectsPlace)
{
    ASSERT_GE(m13, 0);
    ASSERT_EQ(NebulaType(NebulaAttributeTable[kMessier][m13]), 3);   // globular
    const ProjectedPoint p = DriveAt(kMessier, m13, kMessierFlag);
    SaveShot("m13");
    ExpectSymbol(p, NebulaAttributeTable[kMessier][m13]);
}

TEST_F(NebulaLayerTest, StippledSymbolMatchesTheCopiedOneAndLeavesTheGcPlain)
{
    const int32_t m57 = RecordOf(kMessier, 57);   // the Ring Nebula, a planetary
    ASSERT_GE(m57, 0);
    scene.displayFlags[kFlagNebulae] = 0;
    const ProjectedPoint p = DriveAt(kMessier, m57, kMessierFlag);
    scene.displayFlags[kFlagNebulae] = kNebulaFlag;
    CreateNebulaSymbolBitmaps(gAppEnv->display, scene.backPixmap);
    DrawNebulaCatalogs(scene, scene.backPixmap, 1, None);
    FreeNebulaSymbolBitmaps(gAppEnv->display);
    ExpectSymbol(p, NebulaAttributeTable[kMessier][m57]);
    XGCValues values{};
    ASSERT_NE(XGetGCValues(gAppEnv->display, scene.gc, GCFillStyle | GCFunction, &values), 0);
    EXPECT_EQ(values.fill_style, FillSolid);
    EXPECT_EQ(values.function, GXcopy);
}

TEST_F(NebulaLayerTest, FaintBoundEndsTheNgcRunAndTheIcIsWalkedAfterIt)
{
    const int32_t k = NebulaCatalogWalkLength(scene, kNgc);
    EXPECT_EQ(MarksAt(DriveAt(kNgc, k, kNgcFlag)), 0);
    scene.mag.nebulaBoundsInUse = 0;   // with the bounds off it is drawn
    EXPECT_GT(MarksAt(DriveAt(kNgc, k, kNgcFlag)), 2);
    scene.mag.nebulaBoundsInUse = 1;
    const int32_t last = NebulaCatalogWalkLength(scene, kIc) - 1;
    ASSERT_GE(last, 0);
    EXPECT_GT(MarksAt(DriveAt(kIc, last, kNgcFlag | kIcFlag)), 2)
        << "IC" << (NebulaAttributeTable[kIc][last].word[1] & kNebulaNumberMask);
}

TEST_F(NebulaLayerTest, MessierLabelAboveNgcLabelBelowAndTheMagnitudeUnderTheSymbol)
{
    ASSERT_NE(NebulaAttributeTable[kMessier][m13].word[1] & kNebulaNgcFlag, 0u);
    const unsigned long name = Cell(kColorStarNameFont), magnitude = Cell(kColorStarMagFont);
    scene.displayFlags[kFlagNebulae] = kNebulaFlag | kNebulaNameFlag;
    ProjectedPoint p = DriveAt(kMessier, m13, kMessierFlag | kNgcFlag);
    SaveShot("m13_labels");
    EXPECT_GT(Shot().CountIn(p.x, p.y - 16, p.x + 60, p.y - 1, name), 8);
    EXPECT_GT(Shot().CountIn(p.x, p.y + 1, p.x + 60, p.y + 16, name), 8);
    // From the Messier catalogue alone the label is centred on the point:
    // it crosses the point's row.
    p = DriveAt(kMessier, m13, kMessierFlag);
    EXPECT_GT(Shot().CountIn(p.x, p.y - 1, p.x + 60, p.y + 1, name), 0);
    EXPECT_EQ(Shot().CountIn(p.x, p.y + 6, p.x + 60, p.y + 16, name), 0);

    scene.displayFlags[kFlagNebulae] = kNebulaFlag | kNebulaMagFlag;
    p = DriveAt(kMessier, m13, kMessierFlag);
    EXPECT_GT(Shot().CountIn(p.x - 12, p.y + 5, p.x + 12, p.y + 16, magnitude), 3);
    EXPECT_EQ(Shot().CountIn(p.x - 12, p.y - 16, p.x + 12, p.y, magnitude), 0);
    EXPECT_EQ(CountOf(kColorNebulaNameFont) + CountOf(kColorNebulaMagFont), 0);
}

TEST_F(NebulaLayerTest, HiddenTypeCatalogueOrLayerDrawsNothing)
{
    // M13 is a globular, NGC 6205 and in no IC.
    const struct {
        uint8_t types, catalogues;
        bool drawn;
    } cases[] = {{kGalaxyFlag | kOpenFlag, kMessierFlag, false},
                 {kGlobeFlag, kIcFlag, false},
                 {kGlobeFlag, kNgcFlag, true}};
    for (const auto& c : cases) {
        scene.displayFlags[kFlagNebulaTypes] = c.types;
        const int marks = MarksAt(DriveAt(kMessier, m13, c.catalogues));
        EXPECT_TRUE(c.drawn ? marks > 2 : marks == 0) << "types " << int{c.types} << " catalogues " << int{c.catalogues};
    }
    scene.displayFlags[kFlagNebulaTypes] = 0x7F;
    scene.displayFlags[kFlagNebulae] = kNebulaNameFlag | kNebulaMagFlag;
    scene.view.fieldOfView = 120.0;
    DriveAt(kMessier, m13, 7);
    EXPECT_EQ(CountOf(kColorNebulaMark) + CountOf(kColorStarNameFont), 0);
}

}  // namespace
