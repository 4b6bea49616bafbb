// The constellation and Milky Way layers on a real canvas: the stick
// figures pass through the projected places of their stars, Serpens is
// named at both of its parts, the boundaries are dashed and leave the GC
// solid, and the Milky Way fades out of a bright sky.
#include "tests/sky/layers/sky_grids_shot.h"

#include "data/catalog_tables.h"
#include "sky/draw_sky.h"
#include "sky/layers/constellation_layer.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/star_layer.h"

#include <cstring>

using namespace gridtest;

namespace {

bool AddLayerColours()
{
    for (const char* line : {"UVola*ColorConstLine: #FF0000", "UVola*ColorConstBorder: #00FF00",
                             "UVola*ColorConstNameFont: #FFFF00", "UVola*ColorMilkyWayLine: #0000FF"}) {
        ExtraResources().push_back(line);
    }
    return true;
}

const bool kColoursAdded = AddLayerColours();

Scene gConsScene;

constexpr int kWidth = 480;
constexpr int kHeight = 360;

int RowOf(const char* abbreviation)
{
    for (int row = 0; row < kConstellationRows; ++row) {
        if (std::strcmp(ConstellationTable[row].abbreviation, abbreviation) == 0) {
            return row;
        }
    }
    return -1;
}

FixedVector StarVector(uint32_t entry)
{
    const BrightStarRecord& star = BrightStarTable[entry & kFigureStarMask];
    return FixedVector{star.x, star.y, star.z};
}

class ConstellationLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kColoursAdded);
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(gConsScene);
        scene.time.date.hour = 0;   // a dark sky
        scene.centring = 0;         // the view stays where the test puts it
        scene.viewMode = kModeEqt;
        scene.view.fieldOfView = 50.0;
        scene.displayFlags[kFlagStars] = 0;
        scene.displayFlags[kFlagMilkyWay] = 0;
        scene.displayFlags[kFlagConstellations] = 0;
        for (int byte : {kFlagGridNumbers, kFlagHorizontalGrid, kFlagEquatorial, kFlagOtherGrids, kFlagLineNumbers})
            scene.displayFlags[byte] = 0;
    }

    void LookAt(double ra, double dec)
    {
        scene.view.centreLongitude = ra;
        scene.view.centreLatitude = dec;
    }

    void Drive()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    int CountOf(int colour)
    {
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        return CountColour(shot, kWidth, kHeight, Cell(colour));
    }

    // Colour pixels within a box.
    int CountIn(const Snapshot& shot, int left, int top, int right, int bottom, int colour)
    {
        int n = 0;
        for (int y = std::max(top, 0); y <= std::min(bottom, kHeight - 1); ++y)
            for (int x = std::max(left, 0); x <= std::min(right, kWidth - 1); ++x)
                n += shot.Pixel(x, y) == Cell(colour);
        return n;
    }

    bool InsideSky(int x, int y) const
    {
        const XRectangle& sky = scene.view.skyRect;
        return x > sky.x + 1 && x < sky.x + sky.width - 2 && y > sky.y + 1 && y < sky.y + sky.height - 2;
    }

    Scene& scene = gConsScene;
};

TEST_F(ConstellationLayerTest, OrionFigurePassesThroughItsStars)
{
    const int orion = RowOf("Ori");
    ASSERT_GE(orion, 0);
    LookAt(84.0, 2.0);
    scene.displayFlags[kFlagConstellations] = kConsLineFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "orion_figure");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    int segments = 0;
    for (int i = ConstellationLineIndex[orion]; i < ConstellationLineIndex[orion + 1]; ++i) {
        if (ConstellationLineTable[i + 1] & kFigureStartFlag) {
            continue;   // the figure's polyline ends here
        }
        ProjectedPoint a{}, b{};
        ASSERT_EQ(ProjectPoint(scene, StarVector(ConstellationLineTable[i]), a), 1);
        ASSERT_EQ(ProjectPoint(scene, StarVector(ConstellationLineTable[i + 1]), b), 1);
        // Both stars and the points a quarter, half and three quarters
        // along the segment are on the line.
        for (int q = 0; q <= 4; ++q) {
            const int x = a.x + (b.x - a.x) * q / 4;
            const int y = a.y + (b.y - a.y) * q / 4;
            if (!InsideSky(x, y))
                continue;   // the point lies beyond the chart's edge, under the status line
            EXPECT_TRUE(ColourNear(shot, x, y, 1, Cell(kColorConstLine))) << "entry " << i << " at " << q << "/4";
        }
        ++segments;
    }
    EXPECT_GE(segments, 10);
    // Nothing but the lines was drawn in their colour: far from Orion's
    // stars, away from any figure, the sky is empty.
    EXPECT_EQ(CountOf(kColorConstBorder), 0);
    EXPECT_EQ(CountOf(kColorConstNameFont), 0);
}

TEST_F(ConstellationLayerTest, FiguresNeedTheirFlag)
{
    LookAt(84.0, 2.0);
    scene.displayFlags[kFlagConstellations] = kConsName1Flag | kConsLimitFlag;
    Drive();
    EXPECT_EQ(CountOf(kColorConstLine), 0);
    scene.displayFlags[kFlagConstellations] = kConsLineFlag;
    Drive();
    EXPECT_GT(CountOf(kColorConstLine), 300);
}

TEST_F(ConstellationLayerTest, WholeTableDrawsEveryFigureOnTheAitoffMap)
{
    scene.viewMode = kModeAll2Eqt;
    scene.view.fieldOfView = 360.0;
    scene.displayFlags[kFlagConstellations] = kConsLineFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "all2_figures");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    // The last constellation's figure, which the entry after the table
    // ends, is drawn too.
    int last = kConstellationCount - 1;
    while (ConstellationLineIndex[last] == ConstellationLineIndex[last + 1])
        --last;
    const int i = ConstellationLineIndex[last];
    ProjectedPoint a{}, b{};
    ASSERT_EQ(ProjectPoint(scene, StarVector(ConstellationLineTable[i]), a), 1);
    ASSERT_EQ(ProjectPoint(scene, StarVector(ConstellationLineTable[i + 1]), b), 1);
    EXPECT_TRUE(ColourNear(shot, (a.x + b.x) / 2, (a.y + b.y) / 2, 1, Cell(kColorConstLine)));
}

TEST_F(ConstellationLayerTest, SerpensIsNamedAtBothParts)
{
    ASSERT_STREQ(ConstellationTable[kSerpensRow].abbreviation, "Ser");
    ASSERT_STREQ(ConstellationTable[kSecondSerpensRow].abbreviation, "Ser");
    LookAt(255.0, 0.0);
    scene.view.fieldOfView = 60.0;
    scene.displayFlags[kFlagConstellations] = kConsName1Flag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "serpens_names");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (int row : {kSerpensRow, kSecondSerpensRow}) {
        const ConstellationRecord& r = ConstellationTable[row];
        ProjectedPoint p{};
        ASSERT_EQ(ProjectPoint(scene, FixedVector{r.x, r.y, r.z}, p), 1) << row;
        // "Ser" stands centred over the point, its baseline half a line up.
        EXPECT_GT(CountIn(shot, p.x - 15, p.y - 20, p.x + 15, p.y, kColorConstNameFont), 5) << row;
        EXPECT_EQ(CountIn(shot, p.x - 15, p.y + 4, p.x + 15, p.y + 20, kColorConstNameFont), 0) << row;
    }
}

TEST_F(ConstellationLayerTest, FullNameStandsAboveTheAbbreviation)
{
    const int orion = RowOf("Ori");
    LookAt(84.0, 2.0);
    const ConstellationRecord& r = ConstellationTable[orion];
    ProjectedPoint p{};
    scene.displayFlags[kFlagConstellations] = kConsName1Flag | kConsName2Flag;
    Drive();
    ASSERT_EQ(ProjectPoint(scene, FixedVector{r.x, r.y, r.z}, p), 1);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    // Two lines centred on the point: text above it and just below it.
    EXPECT_GT(CountIn(shot, p.x - 40, p.y - 30, p.x + 40, p.y - 12, kColorConstNameFont), 5);
    EXPECT_GT(CountIn(shot, p.x - 20, p.y - 10, p.x + 20, p.y + 2, kColorConstNameFont), 5);
    // The full name is wider than "Ori".
    int nameLeft = kWidth, abbrLeft = kWidth;
    for (int y = p.y - 30; y <= p.y + 2; ++y)
        for (int x = p.x - 60; x <= p.x; ++x)
            if (shot.Pixel(x, y) == Cell(kColorConstNameFont)) {
                int& left = y < p.y - 11 ? nameLeft : abbrLeft;
                left = std::min(left, x);
            }
    EXPECT_LT(nameLeft, abbrLeft);
}

// Name files are Latin-1; a letter the locale cannot convert must not end
// the label there.
TEST_F(ConstellationLayerTest, NameWithALatin1LetterIsDrawnWhole)
{
    const int orion = RowOf("Ori");
    LookAt(84.0, 2.0);
    ConstellationRecord& r = ConstellationTable[orion];
    const char* saved = r.displayName;
    scene.displayFlags[kFlagConstellations] = kConsName2Flag;
    auto drawnWidth = [&](const char* name) {
        r.displayName = name;
        Drive();
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPoint(scene, FixedVector{r.x, r.y, r.z}, p), 1);
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        int left = kWidth, right = -1;
        for (int y = p.y - 20; y <= p.y; ++y)
            for (int x = std::max(p.x - 100, 0); x <= std::min(p.x + 100, kWidth - 1); ++x)
                if (shot.Pixel(x, y) == Cell(kColorConstNameFont)) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        return right - left;
    };
    const int cut = drawnWidth("Bo");
    const int whole = drawnWidth("Bo\366tes Orionis");
    r.displayName = saved;
    EXPECT_GT(cut, 0);
    EXPECT_GT(whole, cut * 3);
}

TEST_F(ConstellationLayerTest, BoundariesAreDashedAndLeaveTheLineSolid)
{
    LookAt(84.0, 2.0);
    scene.displayFlags[kFlagConstellations] = kConsLimitFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "orion_boundaries");
    const int dashed = CountOf(kColorConstBorder);
    EXPECT_GT(dashed, 100);
    XGCValues values{};
    ASSERT_NE(XGetGCValues(gAppEnv->display, scene.gc, GCLineStyle, &values), 0);
    EXPECT_EQ(values.line_style, LineSolid);
    // The same polylines drawn solid cover more pixels than the dashes.
    XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, 0, 0, kWidth, kHeight);
    XSetForeground(gAppEnv->display, scene.gc, Cell(kColorConstBorder));
    ViewLimitsSave save{};
    WidenViewLimits(2048, -8192, scene, save);
    for (int i = 1; ConstellationBoundaryTable[i].flag != -1; ++i) {
        const ConstellationBoundaryPoint& a = ConstellationBoundaryTable[i - 1];
        const ConstellationBoundaryPoint& b = ConstellationBoundaryTable[i];
        if (b.flag == 1)
            continue;
        ProjectedPoint pa{}, pb{};
        if (ProjectPoint(scene, FixedVector{a.x, a.y, a.z}, pa) && ProjectPoint(scene, FixedVector{b.x, b.y, b.z}, pb))
            XDrawLine(gAppEnv->display, scene.backPixmap, scene.gc, pa.x, pa.y, pb.x, pb.y);
    }
    RestoreViewLimits(scene, save);
    EXPECT_GT(CountOf(kColorConstBorder), dashed + dashed / 4);
}

TEST_F(ConstellationLayerTest, MilkyWayShowsAtDaylightFourButNotFive)
{
    LookAt(280.0, -5.0);   // Scutum and Aquila, across the Milky Way
    scene.view.fieldOfView = 60.0;
    Drive();
    for (int level : {0, 4, 5, 40}) {
        XSetForeground(gAppEnv->display, scene.gc, Cell(kColorBlack));
        XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, 0, 0, kWidth, kHeight);
        scene.daylightLevel = level;
        scene.displayFlags[kFlagMilkyWay] = kMilkyWayFlag;
        DrawMilkyWay(scene, scene.backPixmap);
        const int shown = CountOf(kColorMilkyWayLine);
        if (level < kMilkyWayDaylightLimit)
            EXPECT_GT(shown, 100) << level;
        else
            EXPECT_EQ(shown, 0) << level;
    }
    // The flag off hides it in a dark sky too.
    scene.daylightLevel = 0;
    scene.displayFlags[kFlagMilkyWay] = 1;
    XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, 0, 0, kWidth, kHeight);
    DrawMilkyWay(scene, scene.backPixmap);
    EXPECT_EQ(CountOf(kColorMilkyWayLine), 0);
}

TEST_F(ConstellationLayerTest, MilkyWayOutlineRunsThroughItsTablePoints)
{
    LookAt(280.0, -5.0);
    scene.view.fieldOfView = 60.0;
    scene.displayFlags[kFlagMilkyWay] = kMilkyWayFlag;
    Drive();
    SaveShot(scene, kWidth, kHeight, "milky_way");
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    int checked = 0;
    for (const FixedVector* run : MilkyWayTable) {
        for (const FixedVector* v = run; (*v)[0] != 0 || (*v)[1] != 0 || (*v)[2] != 0; ++v) {
            ProjectedPoint p{};
            if (ProjectPoint(scene, *v, p) && InsideSky(p.x, p.y)) {
                EXPECT_TRUE(ColourNear(shot, p.x, p.y, 1, Cell(kColorMilkyWayLine)));
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 20);
}

}  // namespace
