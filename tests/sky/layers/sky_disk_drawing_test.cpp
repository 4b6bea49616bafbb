// Disks, flattened disks and phases: their outlines and the clipping worked
// out without an X server, and the same drawn into a pixmap on Xvfb and read
// back: which pixels each fills, what a pixel aspect ratio does, and that
// disks off the chart or larger than it never reach Xlib as wrapped
// coordinates.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/layers/disk_drawing.h"

using namespace canvastest;

// For the outlines compared whole.
inline bool operator==(const ScreenPoint& a, const ScreenPoint& b) { return a.x == b.x && a.y == b.y; }

namespace {

constexpr int32_t kCx = 100;
constexpr int32_t kCy = 80;

std::vector<ScreenPoint> Disk(int32_t cx, int32_t cy, int32_t r, double aspect = 1.0)
{
    std::vector<ScreenPoint> points;
    DiskPoints(cx, cy, r, aspect, points);
    return points;
}

std::vector<ScreenPoint> Phase(int32_t r, double k, double chi, double aspect = 1.0)
{
    std::vector<ScreenPoint> points;
    LitPhasePoints(kCx, kCy, r, k, chi, aspect, points);
    return points;
}

// Points given by their index in an outline, and where they must lie.
void ExpectPoints(const std::vector<ScreenPoint>& points,
                  std::initializer_list<std::pair<size_t, ScreenPoint>> expected)
{
    ASSERT_EQ(points.size(), static_cast<size_t>(kDiskOutlinePoints));
    for (auto [i, p] : expected)
        EXPECT_TRUE(points[i] == p) << "point " << i << " at " << points[i].x << "," << points[i].y;
}

TEST(RoundToNearest, HalvesGoAwayFromZero)
{
    for (auto [value, rounded] : {std::pair{2.5, 3}, {-2.5, -3}, {2.49, 2}, {-2.49, -2}, {-0.4, 0}, {0.0, 0}})
        EXPECT_EQ(RoundToNearest(value), rounded) << value;
}

TEST(DiskPoints, SeventyThreePointsFromEastCounterclockwiseFlattenedByTheAspect)
{
    const std::vector<ScreenPoint> round = Disk(kCx, kCy, 20);
    // 90 degrees is straight up the screen.
    ExpectPoints(round, {{0, {kCx + 20, kCy}}, {18, {kCx, kCy - 20}}, {36, {kCx - 20, kCy}}, {54, {kCx, kCy + 20}},
                         {72, {kCx + 20, kCy}}});
    for (const ScreenPoint& p : round)
        EXPECT_NEAR(std::hypot(p.x - kCx, p.y - kCy), 20.0, 0.75);
    ExpectPoints(Disk(kCx, kCy, 20, 0.5), {{0, {kCx + 20, kCy}}, {18, {kCx, kCy - 10}}, {36, {kCx - 20, kCy}},
                                           {54, {kCx, kCy + 10}}});
    for (const ScreenPoint& p : Disk(kCx, kCy, 0))
        EXPECT_TRUE(p == (ScreenPoint{kCx, kCy}));   // radius 0: one point repeated
}

TEST(OblateDiskPoints, AxisRatioShortensThePolarAxisAndTheAngleTurnsIt)
{
    std::vector<ScreenPoint> points;
    OblateDiskPoints(kCx, kCy, 30, 0.5, 0.0, 1.0, points);
    ExpectPoints(points, {{0, {kCx + 30, kCy}}, {18, {kCx, kCy - 15}}});   // the pole at half the radius
    OblateDiskPoints(kCx, kCy, 30, 0.5, 90.0, 1.0, points);
    ExpectPoints(points, {{0, {kCx, kCy - 30}}, {18, {kCx - 15, kCy}}});   // the equator upright, the pole left
}

TEST(LitPhasePoints, HalfPhaseTerminatorRunsThroughTheCentrePerpendicularToTheLimb)
{
    for (double chi : {0.0, 15.0, 100.0, 270.0, 333.0}) {
        const std::vector<ScreenPoint> points = Phase(40, 0.5, chi);
        ExpectPoints(points, {{18, {kCx, kCy}}});   // the terminator's middle is the centre
        // The terminator is the first 37 points; it lies across the bright
        // limb's direction theta = chi + 90 (screen y upwards), and the dark
        // half of the limb lies opposite theta.
        const double theta = (chi + 90.0) * M_PI / 180.0;
        for (int i = 0; i < kDiskOutlinePoints; ++i) {
            const double along = (points[i].x - kCx) * std::cos(theta) + (kCy - points[i].y) * std::sin(theta);
            EXPECT_LE(i < 37 ? std::fabs(along) : along, i < 37 ? 1.0 : 4.0) << chi << " point " << i;
        }
    }
}

TEST(LitPhasePoints, NewMoonCoversTheWholeDiskAndTheAspectFlattensIt)
{
    // k = 0: the terminator is the bright half of the limb, so the unlit
    // outline is the disk's own; chi 270 puts the terminator's first point
    // at the bottom, its middle at the east point.
    const std::vector<ScreenPoint> points = Phase(20, 0.0, 270.0);
    ExpectPoints(points, {{0, {kCx, kCy + 20}}, {18, {kCx + 20, kCy}}});
    for (const ScreenPoint& p : points)
        EXPECT_NEAR(std::hypot(p.x - kCx, p.y - kCy), 20.0, 0.75);
    const std::vector<ScreenPoint> round = Phase(40, 0.0, 0.0), flat = Phase(40, 0.0, 0.0, 0.5);
    EXPECT_EQ(round[18].y, kCy - 40);   // the bright limb's top
    EXPECT_EQ(flat[18].y, kCy - 20);
    EXPECT_EQ(round[0].x, flat[0].x);
}

TEST(LitPhasePoints, UnlitPartUnderHalfAPixelDrawsNothingAndAThinCrescentOnePixel)
{
    // r = 7: (1 - k) x 15 < 0.4 from k > 0.97333; radius 0: from k > 0.6.
    std::vector<ScreenPoint> points;
    for (auto [r, k, drawn] : {std::tuple{7, 0.975, 0}, {7, 1.0, 0}, {0, 0.7, 0}, {7, 0.97, 1}}) {
        EXPECT_EQ(LitPhasePoints(kCx, kCy, r, k, 0.0, 1.0, points), drawn) << r << " " << k;
        EXPECT_EQ(points.size(), drawn ? static_cast<size_t>(kDiskOutlinePoints) : 0u) << r << " " << k;
    }
    // r = 7: a k in (0.01, 1/8] is drawn as 1/8; 0.01 itself, a larger k,
    // and a larger disk with its smaller minimum are drawn as they are.
    EXPECT_EQ(Phase(7, 0.05, 30.0), Phase(7, 0.125, 30.0));
    EXPECT_EQ(Phase(7, 0.02, 30.0), Phase(7, 0.125, 30.0));
    EXPECT_NE(Phase(7, 0.01, 30.0), Phase(7, 0.125, 30.0));
    EXPECT_NE(Phase(7, 0.2, 30.0), Phase(7, 0.125, 30.0));
    EXPECT_NE(Phase(40, 0.05, 30.0), Phase(40, 0.125, 30.0));
}

TEST(ClipOutline, KeepsWhatIsInsideDropsWhatIsFarAndBoundsWhatIsLarger)
{
    const PixelBounds chart{0, 0, 319, 239};
    std::vector<ScreenPoint> clipped;
    ClipOutline(Disk(kCx, kCy, 20), chart, clipped);
    EXPECT_EQ(clipped, Disk(kCx, kCy, 20));
    // 65536 + 150 would wrap to 150 in X's 16-bit coordinates.
    for (auto [cx, cy] : {std::pair{65536 + 150, kCy}, {kCx, -2000000}}) {
        ClipOutline(Disk(cx, cy, 20), chart, clipped);
        EXPECT_TRUE(clipped.empty()) << cx << "," << cy;
    }
    // Across an edge: within the bounds, as far right as the disk reaches.
    ClipOutline(Disk(0, 100, 50), chart, clipped);
    ASSERT_FALSE(clipped.empty());
    int32_t rightmost = 0;
    for (const ScreenPoint& p : clipped) {
        EXPECT_GE(p.x, 0);
        rightmost = std::max(rightmost, p.x);
    }
    EXPECT_EQ(rightmost, 50);
    // Larger than the bounds: the bounds, every corner of them.
    const PixelBounds b{-10, -20, 330, 250};
    ClipOutline(Disk(160, 120, 1000000), b, clipped);
    ASSERT_GE(clipped.size(), 4u);
    int corners = 0;
    for (const ScreenPoint& p : clipped) {
        EXPECT_TRUE(p.x == b.left || p.x == b.right || p.y == b.top || p.y == b.bottom);
        EXPECT_TRUE(p.x >= b.left && p.x <= b.right && p.y >= b.top && p.y <= b.bottom);
        corners |= (p.x == b.left && p.y == b.top) | (p.x == b.right && p.y == b.top) << 1
                   | (p.x == b.left && p.y == b.bottom) << 2 | (p.x == b.right && p.y == b.bottom) << 3;
    }
    EXPECT_EQ(corners, 15);
}

TEST(StarLimit, FainterThan39MeansAboveThirtyNineTenths)
{
    Scene scene{};
    for (auto [limit, fainter] : {std::pair{39, 0}, {40, 1}}) {
        scene.mag.starLimit = limit;
        EXPECT_EQ(IsStarLimitFainterThan39(scene), fainter) << limit;
    }
}

constexpr int kWidth = 320;
constexpr int kHeight = 240;

class DiskDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(World().area, nullptr);
        PrepareScene(scene);
        gAppEnv->pixelAspect = 1.0;
        scene.view.skyRect = XRectangle{0, 20, kWidth, kHeight - 20};
        pixmap = XCreatePixmap(gAppEnv->display, XtWindow(World().area), kWidth, kHeight,
                               DefaultDepthOfScreen(gAppEnv->screen));
        XSetForeground(gAppEnv->display, scene.gc, Ground());
        XFillRectangle(gAppEnv->display, pixmap, scene.gc, 0, 0, kWidth, kHeight);
    }
    void TearDown() override
    {
        XFreePixmap(gAppEnv->display, pixmap);
        gAppEnv->pixelAspect = 1.0;
    }

    static unsigned long Lit() { return Cell(kColorStar5); }
    static unsigned long Dark() { return Cell(kColorGlobeBack); }
    static unsigned long Ground() { return Cell(kColorBlack); }

    // A phase as the body layer draws it: the lit disk, then the unlit part.
    void Phase(int cx, int cy, int r, double k, double chi)
    {
        FillDisk(scene, pixmap, cx, cy, r, Lit());
        FillLitPhase(scene, pixmap, cx, cy, r, k, chi, kColorGlobeBack);
    }

    // The pixmap read back: each listed pixel has its colour.
    Snapshot Expect(std::initializer_list<std::tuple<int, int, unsigned long>> pixels)
    {
        Snapshot shot(pixmap, kWidth, kHeight);
        for (auto [x, y, pixel] : pixels)
            EXPECT_EQ(shot.Pixel(x, y), pixel) << x << "," << y;
        return shot;
    }

    static inline Scene diskScene;
    Scene& scene = diskScene;
    Pixmap pixmap = None;
};

TEST_F(DiskDrawing, FilledDiskCoversItsRadiusAndNoMoreAndTheOutlineOnlyItsEdge)
{
    ASSERT_NE(Lit(), Ground());
    FillDisk(scene, pixmap, 100, 100, 20, Lit());
    DrawDiskOutline(scene, pixmap, 220, 100, 20, Dark());
    // (116, 116) is outside the circle, inside its box.
    const Snapshot shot = Expect({{100, 100, Lit()}, {118, 100, Lit()}, {82, 100, Lit()}, {100, 82, Lit()},
                                  {100, 118, Lit()}, {123, 100, Ground()}, {100, 77, Ground()}, {116, 116, Ground()},
                                  {240, 100, Dark()}, {220, 80, Dark()}, {200, 100, Dark()}, {220, 100, Ground()},
                                  {230, 100, Ground()}});
    EXPECT_NEAR(shot.Count(Lit()), M_PI * 20 * 20, 80);
    EXPECT_NEAR(shot.Count(Dark()), 2 * M_PI * 20, 25);
}

TEST_F(DiskDrawing, RadiusZeroIsOnePixel)
{
    FillDisk(scene, pixmap, 50, 60, 0, Lit());
    DrawDiskOutline(scene, pixmap, 70, 60, 0, Dark());
    const Snapshot shot = Expect({{50, 60, Lit()}, {70, 60, Dark()}});
    EXPECT_EQ(shot.Count(Lit()), 1);
    EXPECT_EQ(shot.Count(Dark()), 1);
}

TEST_F(DiskDrawing, PixelAspectAndAxisRatioFlattenTheDisk)
{
    gAppEnv->pixelAspect = 0.5;
    FillDisk(scene, pixmap, 100, 100, 20, Lit());
    gAppEnv->pixelAspect = 1.0;
    FillOblateDisk(scene, pixmap, 160, 100, 30, 0.5, 0.0, Dark());
    FillOblateDisk(scene, pixmap, 260, 100, 30, 0.5, 90.0, Lit());
    Expect({{118, 100, Lit()}, {100, 92, Lit()}, {100, 88, Ground()}, {100, 112, Ground()},
            {160 + 27, 100, Dark()}, {160, 100 - 12, Dark()}, {160, 100 - 20, Ground()},
            {260, 100 - 27, Lit()}, {260 + 12, 100, Lit()}, {260 + 20, 100, Ground()}});
}

TEST_F(DiskDrawing, HalfPhaseDarkensTheSideAwayFromTheBrightLimb)
{
    Phase(100, 100, 30, 0.5, 270.0);   // the bright limb faces the screen's right
    Phase(220, 100, 30, 0.5, 0.0);     // theta = 90: the bright limb faces up
    const Snapshot shot = Expect({{115, 100, Lit()}, {102, 90, Lit()}, {85, 100, Dark()}, {98, 110, Dark()},
                                  {220, 85, Lit()}, {220, 115, Dark()}});
    EXPECT_NEAR(static_cast<double>(shot.Count(Lit())) / (shot.Count(Lit()) + shot.Count(Dark())), 0.5, 0.05);
}

TEST_F(DiskDrawing, NewMoonLeavesNoLitPixelAndFullMoonNoDarkOne)
{
    Phase(100, 100, 20, 0.0, 270.0);
    Phase(220, 100, 20, 1.0, 270.0);
    const Snapshot shot = Expect({{100, 100, Dark()}, {220, 100, Lit()}});
    EXPECT_EQ(shot.CountIn(70, 70, 130, 130, Lit()), 0);
    EXPECT_EQ(shot.CountIn(190, 70, 250, 130, Dark()), 0);
}

TEST_F(DiskDrawing, ThinCrescentKeepsLightAtTheBrightLimb)
{
    // r = 7 at k = 0.03 is drawn as k = 1/8: the bright limb keeps light.
    Phase(100, 100, 7, 0.03, 270.0);
    const Snapshot shot = Expect({{106, 100, Lit()}, {97, 100, Dark()}});
    EXPECT_GE(shot.Count(Lit()), 1);
    EXPECT_LT(shot.Count(Lit()), 30);
}

TEST_F(DiskDrawing, DisksWhoseCoordinatesWouldWrapAreNotDrawnAndHugeOnesAreClipped)
{
    // In X's 16-bit coordinates 65536 + 150 is 150, and 65536 + 100 is 100.
    FillDisk(scene, pixmap, 65536 + 150, 100, 20, Lit());
    FillDisk(scene, pixmap, 150, 65536 + 100, 20, Lit());
    DrawDiskOutline(scene, pixmap, 65536 + 150, 100, 20, Lit());
    FillOblateDisk(scene, pixmap, -65536 + 150, 100, 20, 0.9, 10.0, Lit());
    FillLitPhase(scene, pixmap, 65536 + 150, 100, 20, 0.3, 0.0, kColorStar5);
    FillDisk(scene, pixmap, 65536 + 150, 100, 0, Lit());
    EXPECT_EQ(Expect({}).Count(Lit()), 0);
    // A circle of radius 40100 centred 40000 pixels left of x = 0: only the
    // two sides of its outline that meet at (100, 120) cross the chart.
    DrawDiskOutline(scene, pixmap, -40000, 120, 40100, Lit());
    const int lit = Expect({{0, 0, Ground()}, {300, 120, Ground()}}).Count(Lit());
    EXPECT_GE(lit, kHeight - 2);
    EXPECT_LE(lit, 3 * kHeight);
    FillDisk(scene, pixmap, 160, 120, 100000, Lit());
    EXPECT_EQ(Expect({}).Count(Lit()), kWidth * kHeight);
}

}  // namespace
