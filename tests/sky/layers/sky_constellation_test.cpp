// The constellation and Milky Way layers on a real canvas: the stick
// figures pass through the projected places of their stars, Serpens is
// named at both of its parts, the boundaries are dashed and leave the GC
// solid, and the Milky Way fades out of a bright sky.
#include "tests/sky/sky_canvas_fixture.h"

#include "data/catalog_tables.h"
#include "sky/layers/constellation_layer.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/star_layer.h"

#include <cstring>

using namespace canvastest;

namespace {

[[maybe_unused]] const bool kColours =
    AddResources({"UVola*ColorConstLine: #FF0000", "UVola*ColorConstBorder: #00FF00",
                  "UVola*ColorConstNameFont: #FFFF00", "UVola*ColorMilkyWayLine: #0000FF"});

int RowOf(const char* abbreviation)
{
    for (int row = 0; row < kConstellationRows; ++row)
        if (std::strcmp(ConstellationTable[row].abbreviation, abbreviation) == 0)
            return row;
    return -1;
}

FixedVector StarVector(uint32_t entry)
{
    const BrightStarRecord& star = BrightStarTable[entry & kFigureStarMask];
    return FixedVector{star.x, star.y, star.z};
}

FixedVector LabelVector(const ConstellationRecord& r) { return FixedVector{r.x, r.y, r.z}; }

class ConstellationLayerTest : public ChartTest {
protected:
    void SetUp() override
    {
        OpenChart(480, 360, kModeEqt, 84.0, 2.0, 50.0);   // Orion
    }

    void DrawWith(uint8_t flags)
    {
        scene.displayFlags[kFlagConstellations] = flags;
        Drive();
    }

    // Columns from the leftmost to the rightmost pixel of a colour in a box.
    int SpanIn(const Snapshot& shot, int left, int top, int right, int bottom, int colour)
    {
        int first = width, last = -1;
        for (int y = std::max(top, 0); y <= std::min(bottom, height - 1); ++y)
            for (int x = std::max(left, 0); x <= std::min(right, width - 1); ++x)
                if (shot.Pixel(x, y) == Cell(colour)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        return last - first;
    }
};

TEST_F(ConstellationLayerTest, OrionFigurePassesThroughItsStars)
{
    const int orion = RowOf("Ori");
    ASSERT_GE(orion, 0);
    DrawWith(kConsName1Flag | kConsLimitFlag);
    EXPECT_EQ(CountOf(kColorConstLine), 0);   // figures need their own flag
    DrawWith(kConsLineFlag);
    SaveShot("orion_figure");
    const Snapshot shot = Shot();
    int segments = 0;
    for (int i = ConstellationLineIndex[orion]; i < ConstellationLineIndex[orion + 1]; ++i) {
        if (ConstellationLineTable[i + 1] & kFigureStartFlag)
            continue;   // the figure's polyline ends here
        const ProjectedPoint a = Place(StarVector(ConstellationLineTable[i]));
        const ProjectedPoint b = Place(StarVector(ConstellationLineTable[i + 1]));
        // Both stars and the points a quarter, half and three quarters
        // along the segment are on the line, where they lie on the chart.
        for (int q = 0; q <= 4; ++q) {
            const int x = a.x + (b.x - a.x) * q / 4, y = a.y + (b.y - a.y) * q / 4;
            EXPECT_TRUE(!InsideSky(x, y) || shot.Near(x, y, 1, Cell(kColorConstLine))) << "entry " << i << " at " << q << "/4";
        }
        ++segments;
    }
    EXPECT_GE(segments, 10);
    // Nothing but the lines was drawn.
    EXPECT_EQ(shot.Count(Cell(kColorConstBorder)) + shot.Count(Cell(kColorConstNameFont)), 0);
}

TEST_F(ConstellationLayerTest, WholeTableDrawsEveryFigureOnTheAitoffMap)
{
    View(kModeAll2Eqt, 84.0, 2.0, 360.0);
    DrawWith(kConsLineFlag);
    SaveShot("all2_figures");
    // The last constellation's figure, which the entry after the table
    // ends, is drawn too.
    int last = kConstellationCount - 1;
    while (ConstellationLineIndex[last] == ConstellationLineIndex[last + 1])
        --last;
    const int i = ConstellationLineIndex[last];
    const ProjectedPoint a = Place(StarVector(ConstellationLineTable[i]));
    const ProjectedPoint b = Place(StarVector(ConstellationLineTable[i + 1]));
    EXPECT_TRUE(Shot().Near((a.x + b.x) / 2, (a.y + b.y) / 2, 1, Cell(kColorConstLine)));
}

TEST_F(ConstellationLayerTest, SerpensIsNamedAtBothParts)
{
    ASSERT_STREQ(ConstellationTable[kSerpensRow].abbreviation, "Ser");
    ASSERT_STREQ(ConstellationTable[kSecondSerpensRow].abbreviation, "Ser");
    View(kModeEqt, 255.0, 0.0, 60.0);
    DrawWith(kConsName1Flag);
    SaveShot("serpens_names");
    const Snapshot shot = Shot();
    for (int row : {kSerpensRow, kSecondSerpensRow}) {
        const ProjectedPoint p = Place(LabelVector(ConstellationTable[row]));
        // "Ser" stands centred over the point, its baseline half a line up.
        EXPECT_GT(shot.CountIn(p.x - 15, p.y - 20, p.x + 15, p.y, Cell(kColorConstNameFont)), 5) << row;
        EXPECT_EQ(shot.CountIn(p.x - 15, p.y + 4, p.x + 15, p.y + 20, Cell(kColorConstNameFont)), 0) << row;
    }
}

TEST_F(ConstellationLayerTest, FullNameStandsAboveTheAbbreviation)
{
    DrawWith(kConsName1Flag | kConsName2Flag);
    const ProjectedPoint p = Place(LabelVector(ConstellationTable[RowOf("Ori")]));
    const Snapshot shot = Shot();
    // Two lines centred on the point: text above it and just below it, the
    // full name wider than "Ori".
    EXPECT_GT(shot.CountIn(p.x - 40, p.y - 30, p.x + 40, p.y - 12, Cell(kColorConstNameFont)), 5);
    EXPECT_GT(shot.CountIn(p.x - 20, p.y - 10, p.x + 20, p.y + 2, Cell(kColorConstNameFont)), 5);
    EXPECT_GT(SpanIn(shot, p.x - 60, p.y - 30, p.x + 60, p.y - 12, kColorConstNameFont),
              SpanIn(shot, p.x - 60, p.y - 11, p.x + 60, p.y + 2, kColorConstNameFont));
}

// Name files are Latin-1; a letter the locale cannot convert must not end
// the label there.
TEST_F(ConstellationLayerTest, NameWithALatin1LetterIsDrawnWhole)
{
    ConstellationRecord& r = ConstellationTable[RowOf("Ori")];
    const char* saved = r.displayName;
    auto drawnWidth = [&](const char* name) {
        r.displayName = name;
        DrawWith(kConsName2Flag);
        const ProjectedPoint p = Place(LabelVector(r));
        return SpanIn(Shot(), p.x - 100, p.y - 20, p.x + 100, p.y, kColorConstNameFont);
    };
    const int cut = drawnWidth("Bo");
    const int whole = drawnWidth("Bo\366tes Orionis");
    r.displayName = saved;
    EXPECT_GT(cut, 0);
    EXPECT_GT(whole, cut * 3);
}

TEST_F(ConstellationLayerTest, BoundariesAreDashedAndLeaveTheLineSolid)
{
    DrawWith(kConsLimitFlag);
    SaveShot("orion_boundaries");
    const int dashed = CountOf(kColorConstBorder);
    EXPECT_GT(dashed, 100);
    XGCValues values{};
    ASSERT_NE(XGetGCValues(gAppEnv->display, scene.gc, GCLineStyle, &values), 0);
    EXPECT_EQ(values.line_style, LineSolid);
    // The same polylines drawn solid cover more pixels than the dashes.
    Clear(kColorBlack);
    XSetForeground(gAppEnv->display, scene.gc, Cell(kColorConstBorder));
    ViewLimitsSave save{};
    WidenViewLimits(2048, -8192, scene, save);
    for (int i = 1; ConstellationBoundaryTable[i].flag != -1; ++i) {
        const ConstellationBoundaryPoint& a = ConstellationBoundaryTable[i - 1];
        const ConstellationBoundaryPoint& b = ConstellationBoundaryTable[i];
        ProjectedPoint pa{}, pb{};
        if (b.flag != 1 && ProjectPoint(scene, FixedVector{a.x, a.y, a.z}, pa)
            && ProjectPoint(scene, FixedVector{b.x, b.y, b.z}, pb))
            XDrawLine(gAppEnv->display, scene.backPixmap, scene.gc, pa.x, pa.y, pb.x, pb.y);
    }
    RestoreViewLimits(scene, save);
    EXPECT_GT(CountOf(kColorConstBorder), dashed + dashed / 4);
}

TEST_F(ConstellationLayerTest, MilkyWayRunsThroughItsPointsInADarkSkyOnly)
{
    View(kModeEqt, 280.0, -5.0, 60.0);   // Scutum and Aquila, across the Milky Way
    scene.displayFlags[kFlagMilkyWay] = kMilkyWayFlag;
    Drive();
    SaveShot("milky_way");
    const Snapshot shot = Shot();
    int checked = 0;
    for (const FixedVector* run : MilkyWayTable)
        for (const FixedVector* v = run; *v != FixedVector{0, 0, 0}; ++v) {
            ProjectedPoint p{};
            if (ProjectPoint(scene, *v, p) && InsideSky(p.x, p.y)) {
                EXPECT_TRUE(shot.Near(p.x, p.y, 1, Cell(kColorMilkyWayLine)));
                ++checked;
            }
        }
    EXPECT_GT(checked, 20);
    // It shows at daylight level 4 but not 5; the flag's low bit alone
    // hides it in a dark sky too.
    const struct {
        int32_t level;
        uint8_t flags;
        bool shown;
    } cases[] = {{0, kMilkyWayFlag, true}, {4, kMilkyWayFlag, true}, {5, kMilkyWayFlag, false},
                 {40, kMilkyWayFlag, false}, {0, 1, false}};
    for (const auto& c : cases) {
        Clear(kColorBlack);
        scene.daylightLevel = c.level;
        scene.displayFlags[kFlagMilkyWay] = c.flags;
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        DrawMilkyWay(scene, redraw);
        const int drawn = CountOf(kColorMilkyWayLine);
        EXPECT_TRUE(c.shown ? drawn > 100 : drawn == 0) << "level " << c.level << " flags " << int{c.flags};
    }
}

}  // namespace
