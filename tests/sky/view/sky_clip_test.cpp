// Segment clipping against an exact reference, and the wrap-around
// decisions of the whole-sky maps.
#include <gtest/gtest.h>

#include "sky/view/clipping.h"
#include "sky/view/projection.h"
#include "sky/view/wrap_segments.h"
#include "tests/sky/sky_view_fixture.h"

#include <cmath>
#include <random>

using namespace skytest;

namespace {

struct Rect {
    int32_t x, y, w, h;
};

void UseClipRectangle(const Rect& r)
{
    Scene scene{};
    scene.view.skyRect = XRectangle{static_cast<short>(r.x), static_cast<short>(r.y),
                                    static_cast<unsigned short>(r.w), static_cast<unsigned short>(r.h)};
    SetClipRectangle(scene);
}

// Liang-Barsky in long double over the closed rectangle [x, x + w] x
// [y, y + h]: the parameter interval of the segment inside it.
bool ExactClip(const Rect& r, long double x1, long double y1, long double x2, long double y2, long double& t0,
               long double& t1)
{
    const long double dx = x2 - x1;
    const long double dy = y2 - y1;
    const long double p[4] = {-dx, dx, -dy, dy};
    const long double q[4] = {x1 - r.x, r.x + r.w - x1, y1 - r.y, r.y + r.h - y1};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        const long double t = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
    }
    return t0 <= t1;
}

// Distance of a pixel from the infinite line through two ends.
long double DistanceFromLine(long double x1, long double y1, long double x2, long double y2, long double px,
                             long double py)
{
    const long double dx = x2 - x1;
    const long double dy = y2 - y1;
    const long double length = std::sqrt(dx * dx + dy * dy);
    if (length == 0) {
        return std::hypot(px - x1, py - y1);
    }
    return std::fabs(dx * (py - y1) - dy * (px - x1)) / length;
}

// How far inside the rectangle a point lies (negative outside).
long double Inset(const Rect& r, long double x, long double y)
{
    return std::min({x - r.x, r.x + r.w - x, y - r.y, r.y + r.h - y});
}

ProjectedPoint MapPoint(const Scene& scene, double longitude, double latitude)
{
    double f[3];
    VectorFromDegrees(longitude, latitude, f);
    double v[3];
    DirectionFromViewFrame(scene, f, v);
    ProjectedPoint p;
    ProjectPoint(scene, FixedFromDouble(v), p);
    return p;
}

}  // namespace

TEST(Clip, OutcodesCountTheFarEdgesAsInside)
{
    UseClipRectangle({10, 20, 100, 50});
    EXPECT_EQ(ClipOutcode(10, 20), 0);
    EXPECT_EQ(ClipOutcode(110, 70), 0);
    EXPECT_EQ(ClipOutcode(9, 20), kClipLeft);
    EXPECT_EQ(ClipOutcode(111, 20), kClipRight);
    EXPECT_EQ(ClipOutcode(50, 19), kClipAbove);
    EXPECT_EQ(ClipOutcode(50, 71), kClipBelow);
    EXPECT_EQ(ClipOutcode(-5, 100), kClipLeft | kClipBelow);
}

TEST(Clip, SegmentWhollyLeftIsRefusedUntouched)
{
    UseClipRectangle({0, 0, 800, 600});
    int32_t x1 = -50, y1 = 10, x2 = -1, y2 = 590;
    EXPECT_EQ(ClipSegment(x1, y1, x2, y2), 0);
    EXPECT_EQ(x1, -50);
    EXPECT_EQ(y1, 10);
    EXPECT_EQ(x2, -1);
    EXPECT_EQ(y2, 590);
}

TEST(Clip, SegmentLeavingBelowEndsOnTheBottomEdge)
{
    UseClipRectangle({0, 20, 800, 600});
    int32_t x1 = 100, y1 = 300, x2 = 300, y2 = 2000;
    ASSERT_EQ(ClipSegment(x1, y1, x2, y2), 1);
    EXPECT_EQ(x1, 100);
    EXPECT_EQ(y1, 300);
    EXPECT_EQ(y2, 620);
    // Measured from the moved end, truncated toward it.
    EXPECT_EQ(x2, 300 - 200 * 1380 / 1700);
}

TEST(Clip, IntersectionDoesNotOverflowFarOut)
{
    EXPECT_EQ(ClipIntersect(-(1 << 30), -(1 << 30), 1 << 30, 1 << 30, 0), 0);
    EXPECT_EQ(ClipIntersect(-(1 << 30), 1 << 30, 1 << 30, -(1 << 30), 1 << 29), -(1 << 29));
    UseClipRectangle({0, 0, 800, 600});
    int32_t x1 = -(1 << 30), y1 = -(1 << 30), x2 = 1 << 30, y2 = 1 << 30;
    ASSERT_EQ(ClipSegment(x1, y1, x2, y2), 1);
    EXPECT_EQ(x1, 0);
    EXPECT_EQ(y1, 0);
    EXPECT_EQ(x2, 600);
    EXPECT_EQ(y2, 600);
    // Beyond the projection range an end is refused rather than overflowed.
    int32_t a = INT32_MIN, b = 0, c = INT32_MAX, d = 10;
    EXPECT_EQ(ClipSegment(a, b, c, d), 0);
}

TEST(Clip, RandomSegmentsAgreeWithTheExactClip)
{
    std::mt19937 rng(1105);
    std::uniform_int_distribution<int32_t> near(-400, 1400);
    std::uniform_int_distribution<int32_t> far(-(1 << 30), 1 << 30);
    std::uniform_int_distribution<int32_t> size(0, 900);
    int accepted = 0;
    for (int i = 0; i < 200000; ++i) {
        const Rect r{near(rng) / 4, near(rng) / 4, size(rng), size(rng)};
        UseClipRectangle(r);
        const bool wild = i % 5 == 0;
        int32_t x1 = wild ? far(rng) : near(rng);
        int32_t y1 = near(rng);
        int32_t x2 = near(rng);
        int32_t y2 = wild ? far(rng) : near(rng);
        const int32_t ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
        long double t0 = 0;
        long double t1 = 0;
        const bool exact = ExactClip(r, ox1, oy1, ox2, oy2, t0, t1);
        const int got = ClipSegment(x1, y1, x2, y2);
        const long double mx = ox1 + (ox2 - static_cast<long double>(ox1)) * (t0 + t1) / 2;
        const long double my = oy1 + (oy2 - static_cast<long double>(oy1)) * (t0 + t1) / 2;
        if (got) {
            ++accepted;
            ASSERT_EQ(ClipOutcode(x1, y1), 0) << i;
            ASSERT_EQ(ClipOutcode(x2, y2), 0) << i;
            // Truncating division keeps each moved end within a pixel of the line.
            ASSERT_LE(DistanceFromLine(ox1, oy1, ox2, oy2, x1, y1), 1.5L) << i;
            ASSERT_LE(DistanceFromLine(ox1, oy1, ox2, oy2, x2, y2), 1.5L) << i;
            ASSERT_TRUE(exact || Inset(r, x1, y1) < 1.5L) << i;
            // A moved end lies on an edge; an end inside stays where it was.
            const auto onEdge = [&r](int32_t x, int32_t y) {
                return x == r.x || x == r.x + r.w || y == r.y || y == r.y + r.h;
            };
            ASSERT_TRUE((x1 == ox1 && y1 == oy1) || onEdge(x1, y1)) << i;
            ASSERT_TRUE((x2 == ox2 && y2 == oy2) || onEdge(x2, y2)) << i;
        } else if (exact) {
            // Refused although visible: only a graze of a pixel or so.
            ASSERT_LT(Inset(r, mx, my), 1.5L) << i << " rect " << r.x << "," << r.y << " " << r.w << "x" << r.h
                                              << " seg " << ox1 << "," << oy1 << " " << ox2 << "," << oy2;
        }
    }
    EXPECT_GT(accepted, 20000);
}

TEST(Wrap, CylinderSegmentsAcrossTheSideEdgeWrap)
{
    auto scene = MakeScene({.mode = kModeAll1Eqt, .width = 1000, .height = 500});
    SetWrapMode(*scene);
    EXPECT_EQ(CurrentWrapState().mode, 1);
    EXPECT_EQ(CurrentWrapState().halfWidth, 500);
    const ProjectedPoint east = MapPoint(*scene, 179.0, 10.0);
    const ProjectedPoint west = MapPoint(*scene, -179.0, 12.0);
    EXPECT_EQ(SegmentWrapsCylinder(east, west), 1);
    EXPECT_EQ(SegmentWrapsCylinder(MapPoint(*scene, 10.0, 0.0), MapPoint(*scene, -10.0, 5.0)), 0);
    EXPECT_EQ(SegmentWrapsCylinder(MapPoint(*scene, 100.0, 0.0), MapPoint(*scene, -60.0, 5.0)), 0);

    auto other = MakeScene({.mode = kModeHrz});
    SetWrapMode(*other);
    EXPECT_EQ(CurrentWrapState().mode, 0);
}

TEST(Wrap, EllipseSegmentsBehindTheMapAreSplit)
{
    auto scene = MakeScene({.mode = kModeAll2Eqt, .width = 1000, .height = 600});
    SetWrapMode(*scene);
    EXPECT_EQ(CurrentWrapState().mode, 2);
    EXPECT_EQ(CurrentWrapState().centreColumn, 500);
    // Near the back meridian on both sides: behind the map.
    EXPECT_EQ(SegmentCrossesEllipseBack(MapPoint(*scene, 170.0, 20.0), MapPoint(*scene, -172.0, 30.0)), 1);
    // Near the front meridian: drawn whole.
    EXPECT_EQ(SegmentCrossesEllipseBack(MapPoint(*scene, 10.0, 20.0), MapPoint(*scene, -10.0, 20.0)), 0);
    // Both on one side.
    EXPECT_EQ(SegmentCrossesEllipseBack(MapPoint(*scene, 170.0, 20.0), MapPoint(*scene, 100.0, 20.0)), 0);
    // Both close to the same pole.
    EXPECT_EQ(SegmentCrossesEllipseBack(MapPoint(*scene, 170.0, 86.0), MapPoint(*scene, -170.0, 87.0)), 0);
    // Longitudes adding up to more than 180 degrees go the short way behind.
    EXPECT_EQ(SegmentCrossesEllipseBack(MapPoint(*scene, 100.0, 0.0), MapPoint(*scene, -95.0, 0.0)), 1);
    EXPECT_EQ(SegmentCrossesEllipseBack(MapPoint(*scene, 80.0, 0.0), MapPoint(*scene, -95.0, 0.0)), 0);
    // An end on the centre column counts only near the back meridian.
    ProjectedPoint onColumn = MapPoint(*scene, 0.0, 40.0);
    ASSERT_EQ(onColumn.x, 500);
    EXPECT_EQ(SegmentCrossesEllipseBack(onColumn, MapPoint(*scene, 30.0, 40.0)), 0);
    ProjectedPoint backColumn = onColumn;
    backColumn.centre = 1000 * 65536;
    EXPECT_EQ(SegmentCrossesEllipseBack(backColumn, MapPoint(*scene, 30.0, 40.0)), 1);
}

TEST(Wrap, SplitEndsLieOnTheEllipseAtTheMeanLatitude)
{
    auto scene = MakeScene({.mode = kModeAll2Gal, .width = 1000, .height = 600});
    SetWrapMode(*scene);
    const ProjectedPoint a = MapPoint(*scene, -170.0, 20.0);
    const ProjectedPoint b = MapPoint(*scene, 168.0, 40.0);
    ProjectedPoint left;
    ProjectedPoint right;
    SplitAtEllipseEdge(*scene, a, b, left, right);
    EXPECT_EQ(left.y, right.y);
    EXPECT_EQ(left.x + right.x, 2 * 500);
    EXPECT_LT(left.x, 500);
    // On the ellipse of semi-axes xScale pi/2 and yScale pi/2.
    const double ax = scene->view.xScale * M_PI / 2;
    const double ay = scene->view.yScale * M_PI / 2;
    const double ex = (left.x - 500) / ax;
    const double ey = (left.y - 300) / ay;
    EXPECT_NEAR(ex * ex + ey * ey, 1.0, 0.01);
    // At the latitude whose sine is the mean of the ends' sines: on the
    // back meridian the Aitoff y is pi/2 times that sine.
    const double z = (std::sin(20 * M_PI / 180) + std::sin(40 * M_PI / 180)) / 2;
    EXPECT_NEAR(left.y, 300 - M_PI / 2 * z * scene->view.yScale, 2.0);
    // Whichever order the ends come in.
    ProjectedPoint left2;
    ProjectedPoint right2;
    SplitAtEllipseEdge(*scene, b, a, left2, right2);
    EXPECT_EQ(left2.x, left.x);
    EXPECT_EQ(right2.y, right.y);
}
