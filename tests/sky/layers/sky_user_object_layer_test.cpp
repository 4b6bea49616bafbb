// The user-object, sky-mark and picture-mark layers drawn on a real canvas
// and read back: polylines in their colour along the projected segments and
// broken only where a vertex is off the view, dash patterns, which kinds
// draw a symbol, names only with their flag and where they stand, points
// given in horizontal coordinates over the ground, and the picture mark's
// pattern on an object that is drawn (none on a star fainter than the
// limit). Run on a TrueColor and on an 8-bit PseudoColor server.
#include "tests/sky/sky_canvas_fixture.h"

#include "astro/coordinates.h"
#include "astro/vector_math.h"
#include "data/catalog_tables.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/user_object_files.h"
#include "sky/draw_sky.h"
#include "sky/layers/milky_way_layer.h"
#include "sky/layers/nebula_layer.h"
#include "sky/layers/picture_mark_layer.h"
#include "sky/layers/star_layer.h"
#include "sky/layers/user_object_layer.h"
#include "sky/object_type.h"
#include "sky/view/screen_points.h"
#include "tests/harness/test_files.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <tuple>

using namespace canvastest;

namespace {

bool AddLayerColours()
{
    for (const char* line : {"UVola*ColorStar6: #FF8000", "UVola*ColorStar3: #FFFF40",
                             "UVola*ColorDirection2Font: #40FFC0", "UVola*ColorPictureMark: #FF00FF",
                             "UVola*ColorNebulaMark: #FF0000", "UVola*ColorLandscape: #208020"}) {
        ExtraResources().push_back(line);
    }
    return true;
}

const bool kColoursAdded = AddLayerColours();

Scene gMarkScene;

constexpr int kWidth = 480;
constexpr int kHeight = 360;
constexpr int kLineColour = 3;          // colour number of ColorStar6
constexpr int kLabelColour = 7;         // colour number of ColorDirection2Font

struct Box {
    int left = 1 << 20, top = 1 << 20, right = -1, bottom = -1, count = 0;
};

class MarkLayerTest : public ::testing::Test {
protected:
    Scene& scene = gMarkScene;
    char message[256] = "";

    void SetUp() override
    {
        ASSERT_TRUE(kColoursAdded);
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(scene);
        scene.time.date.hour = 0;   // a dark sky
        scene.viewMode = kModeEqt;
        scene.view.fieldOfView = 30.0;
        scene.view.centreLongitude = 82.5;
        scene.view.centreLatitude = 0.0;
        for (int byte : {kFlagStars, kFlagMilkyWay, kFlagNebulae, kFlagGridNumbers, kFlagHorizontalGrid,
                         kFlagEquatorial, kFlagOtherGrids, kFlagLineNumbers, kFlagSkyMarks, kFlagPictureMarks}) {
            scene.displayFlags[byte] = 0;
        }
        scene.displayFlags[kFlagUserObjects] = kMarksShownFlag;
        scene.statusLine = 0;
    }

    void TearDown() override
    {
        FreeUserObjectFiles(scene);
        FreeUserObjectList(gAppEnv->skyMarks, gAppEnv->skyMarkCount);
        FreeClickData(scene);
    }

    std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = TestHome() + "/" + name;
        WriteFile(path, text);
        return path;
    }

    void LoadUser(const std::string& text)
    {
        const std::string path = Write("layer" + std::to_string(scene.userObjectFileCount) + ".adf", text);
        ASSERT_EQ(LoadUserObjectFile(scene, path.c_str(), scene.userObjectFiles, scene.userObjectFileCount,
                                     message, sizeof message),
                  1)
            << message << gAppEnv->errorKey;
    }

    void LoadSkyMarks(const std::string& text)
    {
        const std::string path = Write("marks.adf", text);
        ASSERT_EQ(LoadUserObjectFile(scene, path.c_str(), gAppEnv->skyMarks, gAppEnv->skyMarkCount, message,
                                     sizeof message),
                  1);
    }

    void Draw()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    ProjectedPoint At(int32_t frame, double longitude, double latitude)
    {
        ProjectedPoint p{};
        EXPECT_EQ(GetObjectScreenPoint(scene, frame, 0, longitude, latitude, p), 1);
        return p;
    }

    // Equatorial J2000, hours and degrees.
    ProjectedPoint Eqt(double hours, double dec) { return At(kFrameEqt, hours * 15.0, dec); }

    static Box BoxOf(const Snapshot& shot, int left, int top, int right, int bottom, unsigned long pixel)
    {
        Box box;
        for (int y = std::max(top, 0); y <= std::min(bottom, kHeight - 1); ++y) {
            for (int x = std::max(left, 0); x <= std::min(right, kWidth - 1); ++x) {
                if (shot.Pixel(x, y) == pixel) {
                    box.left = std::min(box.left, x);
                    box.right = std::max(box.right, x);
                    box.top = std::min(box.top, y);
                    box.bottom = std::max(box.bottom, y);
                    ++box.count;
                }
            }
        }
        return box;
    }

    // The label beside a point: its pixels in the label colour.
    Box LabelNear(const Snapshot& shot, const ProjectedPoint& p)
    {
        return BoxOf(shot, p.x - 80, p.y - 4, p.x + 150, p.y + 24, Cell(UserColorIndex(kLabelColour)));
    }

    static bool OnSegment(const Snapshot& shot, const ProjectedPoint& a, const ProjectedPoint& b, double t,
                          unsigned long pixel)
    {
        const int x = static_cast<int>(std::lround(a.x + (b.x - a.x) * t));
        const int y = static_cast<int>(std::lround(a.y + (b.y - a.y) * t));
        return shot.Near(x, y, 1, pixel);
    }
};

TEST_F(MarkLayerTest, APolylineRunsInItsColourAlongTheProjectedSegments)
{
    LoadUser("LINE 3\nEQT 5.0 -3\nEQT 5.4 4\nEQT 5.8 -2\nEND\n");
    Draw();
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const unsigned long line = Cell(UserColorIndex(kLineColour));
    const ProjectedPoint v[] = {Eqt(5.0, -3), Eqt(5.4, 4), Eqt(5.8, -2)};
    for (int s = 0; s < 2; ++s) {
        for (double t : {0.2, 0.5, 0.8}) {
            EXPECT_TRUE(OnSegment(shot, v[s], v[s + 1], t, line)) << "segment " << s << " at " << t;
        }
    }
    // Nothing closes the polyline back to its start.
    EXPECT_FALSE(OnSegment(shot, v[2], v[0], 0.5, line));
    // AD off: nothing at all.
    scene.displayFlags[kFlagUserObjects] = 0;
    Draw();
    Snapshot hidden(scene.backPixmap, kWidth, kHeight);
    EXPECT_EQ(hidden.Count(line), 0);
}

TEST_F(MarkLayerTest, AVertexOffTheViewBreaksOnlyTheSegmentsThatTouchIt)
{
    // The third vertex is on the far side of the sky.
    LoadUser("LINE 3\nEQT 5.0 -3\nEQT 5.2 4\nEQT 17.3 0\nEQT 5.6 4\nEQT 5.8 -3\nEND\n");
    Draw();
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const unsigned long line = Cell(UserColorIndex(kLineColour));
    const ProjectedPoint a = Eqt(5.0, -3), b = Eqt(5.2, 4), d = Eqt(5.6, 4), e = Eqt(5.8, -3);
    EXPECT_TRUE(OnSegment(shot, a, b, 0.5, line));
    EXPECT_TRUE(OnSegment(shot, d, e, 0.5, line));
    EXPECT_FALSE(OnSegment(shot, b, d, 0.5, line));
    // Only the two visible segments are drawn.
    const double drawnLength = std::hypot(b.x - a.x, b.y - a.y) + std::hypot(e.x - d.x, e.y - d.y);
    EXPECT_LT(shot.Count(line), 1.5 * drawnLength + 8);
}

struct DashRow {
    const char* pattern;
    double leastLit, mostLit;   // share of the segment's pixels in the line colour
};

TEST_F(MarkLayerTest, DashPatternsLeaveGapsAndOtherPatternsDrawSolid)
{
    const DashRow rows[] = {{"5555", 0.4, 0.6}, {"f0f0", 0.6, 0.75}, {"1234", 1.0, 1.0}, {"ffff", 1.0, 1.0}};
    for (const DashRow& row : rows) {
        SCOPED_TRACE(row.pattern);
        // Along the equator, a straight line through the middle of the view.
        LoadUser(std::string("LINE 3, ") + row.pattern + "\nEQT 4.9 0\nEQT 6.1 0\nEND\n");
        Draw();
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        const ProjectedPoint a = Eqt(4.9, 0), b = Eqt(6.1, 0);
        const int left = std::min(a.x, b.x) + 4, right = std::max(a.x, b.x) - 4;
        int lit = 0;
        for (int x = left; x <= right; ++x) {
            // The line may step a pixel up or down on its way.
            bool any = false;
            for (int dy = -1; dy <= 1; ++dy) {
                any = any || shot.Pixel(x, a.y + dy) == Cell(UserColorIndex(kLineColour));
            }
            lit += any;
        }
        const double share = double(lit) / (right - left + 1);
        EXPECT_GE(share, row.leastLit);
        EXPECT_LE(share, row.mostLit);
        FreeUserObjectFiles(scene);
    }
}

TEST_F(MarkLayerTest, OnlyStarRecordsDrawASymbolAndNamesNeedTheirFlag)
{
    LoadUser("EQT 5.0 3 STAR 1.0 3 Star 7\nEQT 5.3 -3 NEBULA 2 Cloud\nEQT 5.6 3 Plain\nEQT 5.9 -3 MARK 1 Mark\n");
    Draw();
    Snapshot plain(scene.backPixmap, kWidth, kHeight);
    const ProjectedPoint star = Eqt(5.0, 3), nebula = Eqt(5.3, -3), point = Eqt(5.6, 3), mark = Eqt(5.9, -3);
    EXPECT_EQ(plain.Pixel(star.x, star.y), Cell(kColorStar3));
    const unsigned long background = plain.Pixel(5, 5);
    for (const ProjectedPoint& p : {nebula, point, mark}) {
        EXPECT_EQ(plain.Pixel(p.x, p.y), background);
    }
    EXPECT_EQ(plain.Count(Cell(UserColorIndex(kLabelColour))), 0);

    scene.displayFlags[kFlagUserObjects] = kMarksShownFlag | kMarkNamesFlag;
    Draw();
    Snapshot named(scene.backPixmap, kWidth, kHeight);
    for (const ProjectedPoint& p : {star, nebula, point, mark}) {
        EXPECT_GT(LabelNear(named, p).count, 5);
    }
    // The names stand right of the point: a plain point's at it, a star's
    // past its symbol, the others six pixels off; their tops at the point.
    EXPECT_NEAR(LabelNear(named, point).left, point.x, 2);
    EXPECT_NEAR(LabelNear(named, mark).left, mark.x + 6, 2);
    EXPECT_NEAR(LabelNear(named, nebula).left, nebula.x + 6, 2);
    EXPECT_GT(LabelNear(named, star).left, star.x);
    EXPECT_LE(LabelNear(named, star).left, star.x + 5);
    EXPECT_GE(LabelNear(named, point).top, point.y - 1);
    EXPECT_LE(LabelNear(named, point).top, point.y + 6);
}

TEST_F(MarkLayerTest, MarkZeroCentresItsName)
{
    LoadUser("EQT 5.5 0 MARK 0 \"Centred name\" 7\n");
    scene.displayFlags[kFlagUserObjects] = kMarksShownFlag | kMarkNamesFlag;
    Draw();
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    const ProjectedPoint p = Eqt(5.5, 0);
    const Box label = LabelNear(shot, p);
    ASSERT_GT(label.count, 10);
    EXPECT_LT(label.left, p.x - 20);
    EXPECT_NEAR((label.left + label.right) / 2.0, p.x, 3.0);
}

TEST_F(MarkLayerTest, SkyMarksFollowTheirOwnFlags)
{
    LoadSkyMarks("LINE 3\nEQT 5.0 -3\nEQT 5.8 3\nEND\nEQT 5.4 -5 MARK 1 Named 7\n");
    const unsigned long line = Cell(UserColorIndex(kLineColour));
    const unsigned long label = Cell(UserColorIndex(kLabelColour));
    struct Row {
        uint8_t flags;
        bool lines, names;
    };
    for (const Row& row : {Row{0, false, false}, Row{kMarksShownFlag, true, false},
                           Row{kMarkNamesFlag, false, false}, Row{kMarksShownFlag | kMarkNamesFlag, true, true}}) {
        SCOPED_TRACE(int(row.flags));
        scene.displayFlags[kFlagSkyMarks] = row.flags;
        scene.displayFlags[kFlagUserObjects] = kMarksShownFlag | kMarkNamesFlag;   // has no say over sky marks
        Draw();
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        EXPECT_EQ(shot.Count(line) > 20, row.lines);
        EXPECT_EQ(shot.Count(label) > 5, row.names);
    }
}

// In the horizontal view a point given in horizontal coordinates is drawn
// after the ground, one given otherwise before it.
TEST_F(MarkLayerTest, PointsGivenInHorizontalCoordinatesStandOnTheGround)
{
    scene.viewMode = kModeHrz;
    scene.view.fieldOfView = 60.0;
    scene.view.hrzCentreAzimuth = 0.0;
    scene.view.hrzCentreAltitude = 5.0;
    const double horizontal[2] = {10.0, -5.0};
    double equatorial[2];
    const double beside[2] = {-10.0, -5.0};
    ConvertCoordinates(scene.time, kFrameHrz, beside, kFrameEqt, equatorial);
    char text[256];
    std::snprintf(text, sizeof text, "HRZ %.1f %.1f STAR 0 3\nEQT %.6f %.6f STAR 0 3\n", horizontal[0],
                  horizontal[1], equatorial[0] / 15.0, equatorial[1]);
    LoadUser(text);
    Draw();
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    // Below the horizon: projected with the layer's widened limits.
    ViewLimitsSave save{};
    WidenViewLimits(4096, -16384, scene, save);
    const ProjectedPoint low = At(kFrameHrz, horizontal[0], horizontal[1]);
    const ProjectedPoint covered = At(kFrameHrz, beside[0], beside[1]);
    RestoreViewLimits(scene, save);
    EXPECT_EQ(shot.Pixel(low.x, low.y), Cell(kColorStar3));
    EXPECT_EQ(shot.Pixel(covered.x, covered.y), Cell(kColorLandscape));
}

// A designated star of magnitude 4.6 to 5.5, as its click-data target.
std::string FaintStarTarget(int32_t& star)
{
    for (star = StarMagnitudeCountTable[45]; star < StarMagnitudeCountTable[55]; ++star) {
        char text[kObjectCommandTextSize];
        if (FormatObjectCommandText(gMarkScene, kObjectStar, star, text) != 0 && std::strncmp(text, "STAR", 4) == 0) {
            return text;
        }
    }
    return "";
}

class PictureMarkTest : public MarkLayerTest {
protected:
    static bool SetBit(int col, int row) { return (PictureMarkBitmap[row * 2 + col / 8] >> (col % 8)) & 1; }

    // The 9 x 9 cell at a point. With writable colour cells the symbol is
    // stippled: its set bits take the mark colour, the clear ones stay as
    // they were. Otherwise a copy of the symbol (set bits ColorBlack, clear
    // bits the mark colour) is ORed onto the chart, so the clear bits show
    // the mark colour. Every pixel outside the cell stays as it was.
    void ExpectMark(const Snapshot& with, const Snapshot& without, const ProjectedPoint& p)
    {
        const bool stippled = gAppEnv->writableColorCells != 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const int col = x - (p.x - 4), row = y - (p.y - 4);
                const unsigned long before = without.Pixel(x, y);
                unsigned long expected = before;
                if (col >= 0 && col < kPictureMarkSize && row >= 0 && row < kPictureMarkSize) {
                    const bool set = SetBit(col, row);
                    if (stippled) {
                        expected = set ? Cell(kColorPictureMark) : before;
                    } else {
                        expected = before | (set ? Cell(kColorBlack) : Cell(kColorPictureMark));
                    }
                }
                ASSERT_EQ(with.Pixel(x, y), expected) << x << "," << y << (stippled ? " stippled" : " copied");
            }
        }
    }

    void UseClickData(const std::string& text)
    {
        const std::string path = Write("marks.cdf", text);
        std::snprintf(gAppEnv->clickDataFile, kPathSize, "%s", path.c_str());
        ASSERT_EQ(LoadClickData(scene, path.c_str(), message, sizeof message), 1);
    }

    // The chart without and with the picture marks.
    void DrawBoth(std::unique_ptr<Snapshot>& without, std::unique_ptr<Snapshot>& with)
    {
        scene.displayFlags[kFlagPictureMarks] = 0;
        Draw();
        without = std::make_unique<Snapshot>(scene.backPixmap, kWidth, kHeight);
        scene.displayFlags[kFlagPictureMarks] = kPictureMarkFlag;
        Draw();
        with = std::make_unique<Snapshot>(scene.backPixmap, kWidth, kHeight);
    }
};

TEST_F(PictureMarkTest, ThePatternMarksTheAndromedaGalaxy)
{
    int32_t m31 = 0;
    ASSERT_EQ(FindNebulaByDesignation("M31", m31), 1);
    UseClickData(":M31\n@TEXT Andromeda\n@IMAGE m31.jpg\n:M42\n@TEXT No picture\n");
    scene.view.centreLongitude = 10.68;
    scene.view.centreLatitude = 41.27;
    scene.displayFlags[kFlagNebulae] = kNebulaFlag;
    std::unique_ptr<Snapshot> without, with;
    DrawBoth(without, with);
    ProjectedPoint p{};
    ASSERT_EQ(GetObjectScreenPoint(scene, kObjectNebula, m31, 0.0, 0.0, p), 1);
    ExpectMark(*with, *without, p);
}

// Without the nebula layer the Andromeda Galaxy is marked only with the
// Milky Way shown and a star limit fainter than 3.9.
TEST_F(PictureMarkTest, TheAndromedaGalaxyAloneNeedsTheMilkyWayAndAStarLimitFainterThan39)
{
    int32_t m31 = 0;
    ASSERT_EQ(FindNebulaByDesignation("M31", m31), 1);
    UseClickData(":M31\n@IMAGE m31.jpg\n");
    scene.view.centreLongitude = 10.68;
    scene.view.centreLatitude = 41.27;
    for (auto [milkyWay, limit, marked] : {std::tuple{kMilkyWayFlag, 40, true}, {kMilkyWayFlag, 39, false},
                                           {uint8_t{0}, 40, false}}) {
        scene.displayFlags[kFlagMilkyWay] = milkyWay;
        scene.mag.requestPending = 1;
        scene.mag.requestedValue = limit;
        std::unique_ptr<Snapshot> without, with;
        DrawBoth(without, with);
        ASSERT_EQ(scene.mag.starLimit, limit);
        if (marked) {
            ProjectedPoint p{};
            ASSERT_EQ(GetObjectScreenPoint(scene, kObjectNebula, m31, 0.0, 0.0, p), 1);
            ExpectMark(*with, *without, p);
        } else {
            ExpectMark(*with, *without, ProjectedPoint{-100, -100, 0, 0});
        }
    }
}

TEST_F(PictureMarkTest, AStarGetsItsMarkOnlyWhileItIsDrawn)
{
    int32_t star = 0;
    const std::string target = FaintStarTarget(star);
    ASSERT_FALSE(target.empty());
    UseClickData(":" + target + "\n@IMAGE star.jpg\n");
    double pair[2];
    SphericalFromFixedVector(FixedVector{BrightStarTable[star].x, BrightStarTable[star].y, BrightStarTable[star].z},
                             pair);
    scene.view.centreLongitude = pair[0];
    scene.view.centreLatitude = pair[1];
    scene.displayFlags[kFlagStars] = kStarFlag;
    scene.mag.requestPending = 1;
    scene.mag.requestedValue = 45;
    std::unique_ptr<Snapshot> without, with;
    DrawBoth(without, with);
    EXPECT_EQ(with->Count(Cell(kColorPictureMark)), 0) << target;

    scene.mag.requestPending = 1;
    scene.mag.requestedValue = 60;
    DrawBoth(without, with);
    ProjectedPoint p{};
    ASSERT_EQ(GetObjectScreenPoint(scene, kObjectStar, star, 0.0, 0.0, p), 1);
    ExpectMark(*with, *without, p);
}

}  // namespace
