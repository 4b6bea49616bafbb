// Disks, flattened disks and phases drawn into a pixmap on Xvfb and read
// back: which pixels each fills, what a pixel aspect ratio does, and that
// disks off the chart or larger than it never reach Xlib as wrapped
// coordinates.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/layers/disk_drawing.h"

using namespace canvastest;

namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr int kStrip = 20;

Scene gDiskScene;

class DiskDrawing : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(World().area, nullptr);
        PrepareScene(scene);
        gAppEnv->pixelAspect = 1.0;
        scene.view.skyRect = XRectangle{0, kStrip, kWidth, kHeight - kStrip};
        pixmap = XCreatePixmap(display(), XtWindow(World().area), kWidth, kHeight,
                               DefaultDepthOfScreen(gAppEnv->screen));
        Clear();
    }
    void TearDown() override
    {
        XFreePixmap(display(), pixmap);
        gAppEnv->pixelAspect = 1.0;
    }

    Display* display() { return gAppEnv->display; }
    unsigned long Cell(int index) { return gAppEnv->pixels[index]; }
    unsigned long Lit() { return Cell(kColorStar5); }
    unsigned long Dark() { return Cell(kColorGlobeBack); }
    unsigned long Ground() { return Cell(kColorBlack); }

    void Clear()
    {
        XSetForeground(display(), scene.gc, Ground());
        XFillRectangle(display(), pixmap, scene.gc, 0, 0, kWidth, kHeight);
    }

    int Count(const Snapshot& shot, unsigned long pixel)
    {
        int n = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                n += shot.Pixel(x, y) == pixel;
            }
        }
        return n;
    }

    // A phase as the body layer draws it: the lit disk, then the unlit part.
    void Phase(int cx, int cy, int r, double k, double chi)
    {
        FillDisk(scene, pixmap, cx, cy, r, Lit());
        FillLitPhase(scene, pixmap, cx, cy, r, k, chi, kColorGlobeBack);
    }

    Scene& scene = gDiskScene;
    Pixmap pixmap = None;
};

TEST_F(DiskDrawing, FilledDiskCoversItsRadiusAndNoMore)
{
    ASSERT_NE(Lit(), Ground());
    FillDisk(scene, pixmap, 100, 100, 20, Lit());
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(100, 100), Lit());
    EXPECT_EQ(shot.Pixel(118, 100), Lit());
    EXPECT_EQ(shot.Pixel(82, 100), Lit());
    EXPECT_EQ(shot.Pixel(100, 82), Lit());
    EXPECT_EQ(shot.Pixel(100, 118), Lit());
    EXPECT_EQ(shot.Pixel(123, 100), Ground());
    EXPECT_EQ(shot.Pixel(100, 77), Ground());
    EXPECT_EQ(shot.Pixel(116, 116), Ground());   // outside the circle, inside its box
    // About π r² pixels.
    EXPECT_NEAR(Count(shot, Lit()), 3.14159 * 20 * 20, 80);
}

TEST_F(DiskDrawing, RadiusZeroIsOnePixel)
{
    FillDisk(scene, pixmap, 50, 60, 0, Lit());
    DrawDiskOutline(scene, pixmap, 70, 60, 0, Dark());
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(Count(shot, Lit()), 1);
    EXPECT_EQ(shot.Pixel(50, 60), Lit());
    EXPECT_EQ(Count(shot, Dark()), 1);
    EXPECT_EQ(shot.Pixel(70, 60), Dark());
}

TEST_F(DiskDrawing, OutlineLeavesTheInsideAlone)
{
    DrawDiskOutline(scene, pixmap, 100, 100, 20, Lit());
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(120, 100), Lit());
    EXPECT_EQ(shot.Pixel(100, 80), Lit());
    EXPECT_EQ(shot.Pixel(80, 100), Lit());
    EXPECT_EQ(shot.Pixel(100, 100), Ground());
    EXPECT_EQ(shot.Pixel(110, 100), Ground());
    EXPECT_NEAR(Count(shot, Lit()), 2 * 3.14159 * 20, 25);
}

TEST_F(DiskDrawing, PixelAspectFlattensTheDiskVertically)
{
    gAppEnv->pixelAspect = 0.5;
    FillDisk(scene, pixmap, 100, 100, 20, Lit());
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(118, 100), Lit());
    EXPECT_EQ(shot.Pixel(100, 92), Lit());
    EXPECT_EQ(shot.Pixel(100, 88), Ground());
    EXPECT_EQ(shot.Pixel(100, 112), Ground());
}

TEST_F(DiskDrawing, OblateDiskIsFlattenedAlongItsTurnedAxis)
{
    FillOblateDisk(scene, pixmap, 80, 100, 30, 0.5, 0.0, Lit());
    FillOblateDisk(scene, pixmap, 220, 100, 30, 0.5, 90.0, Dark());
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(80 + 27, 100), Lit());
    EXPECT_EQ(shot.Pixel(80, 100 - 12), Lit());
    EXPECT_EQ(shot.Pixel(80, 100 - 20), Ground());
    EXPECT_EQ(shot.Pixel(220, 100 - 27), Dark());
    EXPECT_EQ(shot.Pixel(220 + 12, 100), Dark());
    EXPECT_EQ(shot.Pixel(220 + 20, 100), Ground());
}

TEST_F(DiskDrawing, HalfPhaseDarkensTheSideAwayFromTheBrightLimb)
{
    // χ = 270: the bright limb faces the screen's right.
    Phase(100, 100, 30, 0.5, 270.0);
    // χ = 0: θ = 90, the bright limb faces up the screen.
    Phase(220, 100, 30, 0.5, 0.0);
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(shot.Pixel(115, 100), Lit());
    EXPECT_EQ(shot.Pixel(102, 90), Lit());
    EXPECT_EQ(shot.Pixel(85, 100), Dark());
    EXPECT_EQ(shot.Pixel(98, 110), Dark());
    EXPECT_EQ(shot.Pixel(220, 85), Lit());
    EXPECT_EQ(shot.Pixel(220, 115), Dark());
    const int lit = Count(shot, Lit());
    const int dark = Count(shot, Dark());
    EXPECT_NEAR(static_cast<double>(lit) / (lit + dark), 0.5, 0.05);
}

TEST_F(DiskDrawing, NewMoonLeavesNoLitPixelAndFullMoonNoDarkOne)
{
    Phase(100, 100, 20, 0.0, 270.0);
    Phase(220, 100, 20, 1.0, 270.0);
    Snapshot shot(pixmap, kWidth, kHeight);
    for (int y = 70; y <= 130; ++y) {
        for (int x = 70; x <= 130; ++x) {
            ASSERT_NE(shot.Pixel(x, y), Lit()) << x << "," << y;
        }
        for (int x = 190; x <= 250; ++x) {
            ASSERT_NE(shot.Pixel(x, y), Dark()) << x << "," << y;
        }
    }
    EXPECT_EQ(shot.Pixel(100, 100), Dark());
    EXPECT_EQ(shot.Pixel(220, 100), Lit());
}

TEST_F(DiskDrawing, ThinCrescentKeepsLightAtTheBrightLimb)
{
    // r = 7 at k = 0.03 is drawn as k = 1/8: the bright limb keeps light.
    Phase(100, 100, 7, 0.03, 270.0);
    Snapshot shot(pixmap, kWidth, kHeight);
    const int lit = Count(shot, Lit());
    EXPECT_GE(lit, 1);
    EXPECT_LT(lit, 30);
    EXPECT_EQ(shot.Pixel(106, 100), Lit());
    EXPECT_EQ(shot.Pixel(97, 100), Dark());
}

TEST_F(DiskDrawing, DisksWhoseCoordinatesWouldWrapAreNotDrawn)
{
    // In X's 16-bit coordinates 65536 + 150 is 150, and 65536 + 100 is 100.
    FillDisk(scene, pixmap, 65536 + 150, 100, 20, Lit());
    FillDisk(scene, pixmap, 150, 65536 + 100, 20, Lit());
    DrawDiskOutline(scene, pixmap, 65536 + 150, 100, 20, Lit());
    FillOblateDisk(scene, pixmap, -65536 + 150, 100, 20, 0.9, 10.0, Lit());
    FillLitPhase(scene, pixmap, 65536 + 150, 100, 20, 0.3, 0.0, kColorStar5);
    FillDisk(scene, pixmap, 65536 + 150, 100, 0, Lit());
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(Count(shot, Lit()), 0);
}

TEST_F(DiskDrawing, DiskLargerThanTheChartFillsAllOfIt)
{
    FillDisk(scene, pixmap, 160, 120, 100000, Lit());
    Snapshot shot(pixmap, kWidth, kHeight);
    EXPECT_EQ(Count(shot, Lit()), kWidth * kHeight);
}

TEST_F(DiskDrawing, HugeOutlineCrossingTheChartDrawsOnlyItsArc)
{
    // A circle of radius 40100 centred 40000 pixels left of x = 0: only the
    // two sides of its outline that meet at (100, 120) cross the chart.
    DrawDiskOutline(scene, pixmap, -40000, 120, 40100, Lit());
    Snapshot shot(pixmap, kWidth, kHeight);
    const int lit = Count(shot, Lit());
    EXPECT_GE(lit, kHeight - 2);
    EXPECT_LE(lit, 3 * kHeight);
    EXPECT_EQ(shot.Pixel(0, 0), Ground());
    EXPECT_EQ(shot.Pixel(300, 120), Ground());
}

TEST(StarLimit, FainterThan39MeansAboveThirtyNineTenths)
{
    Scene scene{};
    scene.mag.starLimit = 39;
    EXPECT_EQ(IsStarLimitFainterThan39(scene), 0);
    scene.mag.starLimit = 40;
    EXPECT_EQ(IsStarLimitFainterThan39(scene), 1);
}

}  // namespace
