// Outlines of disks, flattened disks and phases, and their clipping, worked
// out without an X server.
#include <gtest/gtest.h>

#include "sky/layers/disk_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int32_t kCx = 100;
constexpr int32_t kCy = 80;

std::vector<ScreenPoint> Phase(int32_t r, double k, double chi, double aspect = 1.0)
{
    std::vector<ScreenPoint> points;
    LitPhasePoints(kCx, kCy, r, k, chi, aspect, points);
    return points;
}

bool SamePoints(const std::vector<ScreenPoint>& a, const std::vector<ScreenPoint>& b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (a[i].x != b[i].x || a[i].y != b[i].y) {
            return false;
        }
    }
    return true;
}

TEST(RoundToNearest, HalvesGoAwayFromZero)
{
    EXPECT_EQ(RoundToNearest(2.5), 3);
    EXPECT_EQ(RoundToNearest(-2.5), -3);
    EXPECT_EQ(RoundToNearest(2.49), 2);
    EXPECT_EQ(RoundToNearest(-2.49), -2);
    EXPECT_EQ(RoundToNearest(-0.4), 0);
    EXPECT_EQ(RoundToNearest(0.0), 0);
}

TEST(DiskPoints, SeventyThreePointsOnTheCircleFromEastCounterclockwise)
{
    std::vector<ScreenPoint> points;
    DiskPoints(kCx, kCy, 20, 1.0, points);
    ASSERT_EQ(points.size(), static_cast<size_t>(kDiskOutlinePoints));
    EXPECT_EQ(points[0].x, kCx + 20);
    EXPECT_EQ(points[0].y, kCy);
    EXPECT_EQ(points[18].x, kCx);        // 90 degrees: straight up the screen
    EXPECT_EQ(points[18].y, kCy - 20);
    EXPECT_EQ(points[36].x, kCx - 20);
    EXPECT_EQ(points[54].y, kCy + 20);
    EXPECT_EQ(points[72].x, points[0].x);
    EXPECT_EQ(points[72].y, points[0].y);
    for (const ScreenPoint& p : points) {
        const double distance = std::hypot(p.x - kCx, p.y - kCy);
        EXPECT_NEAR(distance, 20.0, 0.75);
    }
}

TEST(DiskPoints, PixelAspectFlattensVerticallyOnly)
{
    std::vector<ScreenPoint> points;
    DiskPoints(kCx, kCy, 20, 0.5, points);
    EXPECT_EQ(points[0].x, kCx + 20);
    EXPECT_EQ(points[18].y, kCy - 10);
    EXPECT_EQ(points[54].y, kCy + 10);
    EXPECT_EQ(points[36].x, kCx - 20);
}

TEST(DiskPoints, RadiusZeroIsOnePointRepeated)
{
    std::vector<ScreenPoint> points;
    DiskPoints(kCx, kCy, 0, 1.0, points);
    ASSERT_EQ(points.size(), static_cast<size_t>(kDiskOutlinePoints));
    for (const ScreenPoint& p : points) {
        EXPECT_EQ(p.x, kCx);
        EXPECT_EQ(p.y, kCy);
    }
}

TEST(OblateDiskPoints, AxisRatioShortensThePolarAxisAndTheAngleTurnsIt)
{
    std::vector<ScreenPoint> points;
    OblateDiskPoints(kCx, kCy, 30, 0.5, 0.0, 1.0, points);
    ASSERT_EQ(points.size(), static_cast<size_t>(kDiskOutlinePoints));
    EXPECT_EQ(points[0].x, kCx + 30);    // equator along the screen's x
    EXPECT_EQ(points[18].y, kCy - 15);   // pole at half the radius
    OblateDiskPoints(kCx, kCy, 30, 0.5, 90.0, 1.0, points);
    EXPECT_EQ(points[0].x, kCx);         // equator turned upright
    EXPECT_EQ(points[0].y, kCy - 30);
    EXPECT_EQ(points[18].x, kCx - 15);   // pole turned to the left
    EXPECT_EQ(points[18].y, kCy);
}

TEST(LitPhasePoints, HalfPhaseTerminatorRunsThroughTheCentrePerpendicularToTheLimb)
{
    for (double chi : {0.0, 15.0, 100.0, 270.0, 333.0}) {
        const std::vector<ScreenPoint> points = Phase(40, 0.5, chi);
        ASSERT_EQ(points.size(), static_cast<size_t>(kDiskOutlinePoints)) << chi;
        // The terminator is the first 37 points; it lies across the bright
        // limb's direction θ = χ + 90 (screen y upwards).
        const double theta = (chi + 90.0) * M_PI / 180.0;
        for (int i = 0; i < 37; ++i) {
            const double along = (points[i].x - kCx) * std::cos(theta) + (kCy - points[i].y) * std::sin(theta);
            EXPECT_LE(std::fabs(along), 1.0) << chi << " point " << i;
        }
        EXPECT_LE(std::abs(points[18].x - kCx), 0);   // the middle point is the centre
        EXPECT_LE(std::abs(points[18].y - kCy), 0);
        // The dark half of the limb lies opposite θ.
        for (int i = 37; i < kDiskOutlinePoints; ++i) {
            const double along = (points[i].x - kCx) * std::cos(theta) + (kCy - points[i].y) * std::sin(theta);
            EXPECT_LE(along, 4.0) << chi << " point " << i;
        }
    }
}

TEST(LitPhasePoints, NewMoonCoversTheWholeDisk)
{
    // k = 0: the terminator is the bright half of the limb, so the unlit
    // outline is the disk's own.
    const std::vector<ScreenPoint> points = Phase(20, 0.0, 270.0);
    ASSERT_EQ(points.size(), static_cast<size_t>(kDiskOutlinePoints));
    for (const ScreenPoint& p : points) {
        EXPECT_NEAR(std::hypot(p.x - kCx, p.y - kCy), 20.0, 0.75);
    }
    // θ = 0: the terminator's first point is the bottom, its middle the east point.
    EXPECT_EQ(points[0].y, kCy + 20);
    EXPECT_EQ(points[18].x, kCx + 20);
}

TEST(LitPhasePoints, UnlitPartUnderHalfAPixelDrawsNothing)
{
    std::vector<ScreenPoint> points;
    // r = 7: (1 - k) x 15 < 0.4 from k > 0.97333.
    EXPECT_EQ(LitPhasePoints(kCx, kCy, 7, 0.975, 0.0, 1.0, points), 0);
    EXPECT_TRUE(points.empty());
    EXPECT_EQ(LitPhasePoints(kCx, kCy, 7, 1.0, 0.0, 1.0, points), 0);
    EXPECT_EQ(LitPhasePoints(kCx, kCy, 7, 0.97, 0.0, 1.0, points), 1);
    EXPECT_EQ(points.size(), static_cast<size_t>(kDiskOutlinePoints));
    // A radius of 0: under half a pixel from k > 0.6.
    EXPECT_EQ(LitPhasePoints(kCx, kCy, 0, 0.7, 0.0, 1.0, points), 0);
}

TEST(LitPhasePoints, ThinCrescentIsWidenedToOnePixel)
{
    // r = 7: a k in (0.01, 1/8] is drawn as 1/8.
    EXPECT_TRUE(SamePoints(Phase(7, 0.05, 30.0), Phase(7, 0.125, 30.0)));
    EXPECT_TRUE(SamePoints(Phase(7, 0.02, 30.0), Phase(7, 0.125, 30.0)));
    // 0.01 itself and a k above the minimum are drawn as they are.
    EXPECT_FALSE(SamePoints(Phase(7, 0.01, 30.0), Phase(7, 0.125, 30.0)));
    EXPECT_FALSE(SamePoints(Phase(7, 0.2, 30.0), Phase(7, 0.125, 30.0)));
    // A larger disk keeps its own smaller minimum.
    EXPECT_FALSE(SamePoints(Phase(40, 0.05, 30.0), Phase(40, 0.125, 30.0)));
}

TEST(LitPhasePoints, PixelAspectFlattensThePhase)
{
    const std::vector<ScreenPoint> round = Phase(40, 0.0, 0.0, 1.0);    // θ = 90
    const std::vector<ScreenPoint> flat = Phase(40, 0.0, 0.0, 0.5);
    EXPECT_EQ(round[18].y, kCy - 40);   // the bright limb's top
    EXPECT_EQ(flat[18].y, kCy - 20);
    EXPECT_EQ(round[0].x, flat[0].x);
}

TEST(ClipOutline, OutlineInsideIsKept)
{
    std::vector<ScreenPoint> points;
    DiskPoints(kCx, kCy, 20, 1.0, points);
    std::vector<ScreenPoint> clipped;
    ClipOutline(points, PixelBounds{0, 0, 319, 239}, clipped);
    EXPECT_TRUE(SamePoints(points, clipped));
}

TEST(ClipOutline, DiskFarOutsideLeavesNothing)
{
    std::vector<ScreenPoint> points;
    std::vector<ScreenPoint> clipped;
    // 65536 + 150 would wrap to 150 in X's 16-bit coordinates.
    DiskPoints(65536 + 150, kCy, 20, 1.0, points);
    ClipOutline(points, PixelBounds{0, 0, 319, 239}, clipped);
    EXPECT_TRUE(clipped.empty());
    DiskPoints(kCx, -2000000, 20, 1.0, points);
    ClipOutline(points, PixelBounds{0, 0, 319, 239}, clipped);
    EXPECT_TRUE(clipped.empty());
}

TEST(ClipOutline, DiskLargerThanTheBoundsBecomesTheBounds)
{
    std::vector<ScreenPoint> points;
    DiskPoints(160, 120, 1000000, 1.0, points);
    std::vector<ScreenPoint> clipped;
    const PixelBounds bounds{-10, -20, 330, 250};
    ClipOutline(points, bounds, clipped);
    ASSERT_GE(clipped.size(), 4u);
    bool corners[4] = {};
    for (const ScreenPoint& p : clipped) {
        EXPECT_TRUE(p.x == bounds.left || p.x == bounds.right || p.y == bounds.top || p.y == bounds.bottom);
        EXPECT_TRUE(p.x >= bounds.left && p.x <= bounds.right && p.y >= bounds.top && p.y <= bounds.bottom);
        corners[0] |= p.x == bounds.left && p.y == bounds.top;
        corners[1] |= p.x == bounds.right && p.y == bounds.top;
        corners[2] |= p.x == bounds.left && p.y == bounds.bottom;
        corners[3] |= p.x == bounds.right && p.y == bounds.bottom;
    }
    EXPECT_TRUE(corners[0] && corners[1] && corners[2] && corners[3]);
}

TEST(ClipOutline, DiskAcrossAnEdgeStaysWithinTheBounds)
{
    std::vector<ScreenPoint> points;
    DiskPoints(0, 100, 50, 1.0, points);
    std::vector<ScreenPoint> clipped;
    ClipOutline(points, PixelBounds{0, 0, 319, 239}, clipped);
    ASSERT_FALSE(clipped.empty());
    int32_t rightmost = 0;
    for (const ScreenPoint& p : clipped) {
        EXPECT_GE(p.x, 0);
        rightmost = std::max(rightmost, p.x);
    }
    EXPECT_EQ(rightmost, 50);
}

}  // namespace
