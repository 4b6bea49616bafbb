// Segment clipping against an exact reference, and the wrap-around
// decisions of the whole-sky maps.
#include <gtest/gtest.h>

#include "sky/redraw_record.h"
#include "sky/view/clipping.h"
#include "sky/view/projection.h"
#include "sky/view/wrap_segments.h"
#include "tests/sky/sky_view_fixture.h"

#include <cmath>
#include <random>
#include <tuple>

using namespace skytest;

namespace {

struct Rect {
    int32_t x, y, w, h;
};

XRectangle ClipOf(const Rect& r)
{
    return XRectangle{static_cast<short>(r.x), static_cast<short>(r.y), static_cast<unsigned short>(r.w),
                      static_cast<unsigned short>(r.h)};
}

// Liang-Barsky in long double over the closed rectangle [x, x + w] x
// [y, y + h]: the parameter interval of the segment inside it.
bool ExactClip(const Rect& r, long double x1, long double y1, long double x2, long double y2, long double& t0,
               long double& t1)
{
    const long double dx = x2 - x1, dy = y2 - y1;
    const long double p[4] = {-dx, dx, -dy, dy};
    const long double q[4] = {x1 - r.x, r.x + r.w - x1, y1 - r.y, r.y + r.h - y1};
    t0 = 0;
    t1 = 1;
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0)
                return false;
            continue;
        }
        const long double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
    }
    return t0 <= t1;
}

// Distance of a pixel from the infinite line through two ends.
long double DistanceFromLine(long double x1, long double y1, long double x2, long double y2, long double px,
                             long double py)
{
    const long double dx = x2 - x1, dy = y2 - y1, length = std::sqrt(dx * dx + dy * dy);
    return length == 0 ? std::hypot(px - x1, py - y1) : std::fabs(dx * (py - y1) - dy * (px - x1)) / length;
}

// How far inside the rectangle a point lies (negative outside).
long double Inset(const Rect& r, long double x, long double y)
{
    return std::min({x - r.x, r.x + r.w - x, y - r.y, r.y + r.h - y});
}

}  // namespace

TEST(Clip, OutcodesCountTheFarEdgesAsInside)
{
    const XRectangle clip = ClipOf({10, 20, 100, 50});
    for (auto [x, y, code] : {std::tuple{10, 20, 0}, {110, 70, 0}, {9, 20, int{kClipLeft}}, {111, 20, int{kClipRight}},
                              {50, 19, int{kClipAbove}}, {50, 71, int{kClipBelow}}, {-5, 100, kClipLeft | kClipBelow}})
        EXPECT_EQ(ClipOutcode(clip, x, y), code) << x << "," << y;
}

TEST(Clip, SegmentsOutsideAreRefusedUntouchedAndCutOnesEndOnTheEdge)
{
    const struct {
        Rect r;
        int32_t x1, y1, x2, y2;
        int accepted;
        int32_t cx1, cy1, cx2, cy2;
    } cases[] = {
        {{0, 0, 800, 600}, -50, 10, -1, 590, 0, -50, 10, -1, 590},   // wholly left
        // Leaving below: measured from the moved end, truncated toward it.
        {{0, 20, 800, 600}, 100, 300, 300, 2000, 1, 100, 300, 300 - 200 * 1380 / 1700, 620},
        // Far out, without overflow.
        {{0, 0, 800, 600}, -(1 << 30), -(1 << 30), 1 << 30, 1 << 30, 1, 0, 0, 600, 600},
    };
    for (const auto& c : cases) {
        int32_t x1 = c.x1, y1 = c.y1, x2 = c.x2, y2 = c.y2;
        ASSERT_EQ(ClipSegment(ClipOf(c.r), x1, y1, x2, y2), c.accepted) << c.x1 << "," << c.y1;
        EXPECT_EQ((std::array{x1, y1, x2, y2}), (std::array{c.cx1, c.cy1, c.cx2, c.cy2})) << c.x1 << "," << c.y1;
    }
    EXPECT_EQ(ClipIntersect(-(1 << 30), -(1 << 30), 1 << 30, 1 << 30, 0), 0);
    EXPECT_EQ(ClipIntersect(-(1 << 30), 1 << 30, 1 << 30, -(1 << 30), 1 << 29), -(1 << 29));
    // Beyond the projection range an end is refused rather than overflowed.
    int32_t a = INT32_MIN, b = 0, c = INT32_MAX, d = 10;
    EXPECT_EQ(ClipSegment(ClipOf(cases[0].r), a, b, c, d), 0);
}

TEST(Clip, RandomSegmentsAgreeWithTheExactClip)
{
    std::mt19937 rng(1105);
    std::uniform_int_distribution<int32_t> near(-400, 1400), far(-(1 << 30), 1 << 30), size(0, 900);
    int accepted = 0;
    for (int i = 0; i < 200000; ++i) {
        const Rect r{near(rng) / 4, near(rng) / 4, size(rng), size(rng)};
        const XRectangle clip = ClipOf(r);
        const bool wild = i % 5 == 0;
        int32_t x1 = wild ? far(rng) : near(rng);
        int32_t y1 = near(rng);
        int32_t x2 = near(rng);
        int32_t y2 = wild ? far(rng) : near(rng);
        const int32_t ox1 = x1, oy1 = y1, ox2 = x2, oy2 = y2;
        long double t0 = 0, t1 = 0;
        const bool exact = ExactClip(r, ox1, oy1, ox2, oy2, t0, t1);
        if (ClipSegment(clip, x1, y1, x2, y2)) {
            ++accepted;
            ASSERT_EQ(ClipOutcode(clip, x1, y1), 0) << i;
            ASSERT_EQ(ClipOutcode(clip, x2, y2), 0) << i;
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
            const long double mx = ox1 + (ox2 - static_cast<long double>(ox1)) * (t0 + t1) / 2;
            const long double my = oy1 + (oy2 - static_cast<long double>(oy1)) * (t0 + t1) / 2;
            ASSERT_LT(Inset(r, mx, my), 1.5L) << i << " rect " << r.x << "," << r.y << " " << r.w << "x" << r.h
                                              << " seg " << ox1 << "," << oy1 << " " << ox2 << "," << oy2;
        }
    }
    EXPECT_GT(accepted, 20000);
}

// A redraw clips to a copy of the sky rectangle below the status line, and
// the cylinder's edges are that rectangle's sides.
TEST(Clip, TheRedrawTakesTheSkyRectangleAndTheModesWrap)
{
    auto scene = MakeScene({.mode = kModeAll1Gal, .width = 640, .height = 480});
    scene->view.skyRect = XRectangle{0, 18, 640, 462};
    const XRectangle clip = SetClipRectangle(*scene);
    EXPECT_EQ(std::make_tuple(clip.x, clip.y, clip.width, clip.height), std::make_tuple(0, 18, 640, 462));
    const WrapState wrap = SetWrapMode(*scene);
    EXPECT_EQ(std::make_tuple(wrap.mode, wrap.leftEdge, wrap.rightEdge, wrap.halfWidth),
              std::make_tuple(int32_t{kWrapCylinder}, 0, 641, 320));
    const RedrawRecord redraw = StartRedraw(*scene, None);
    EXPECT_EQ(redraw.clip.y, 18);
    EXPECT_EQ(redraw.wrap.rightEdge, 641);
}

TEST(Wrap, SegmentsAcrossTheCylindersSideEdgeWrapAndThoseBehindTheEllipseAreSplit)
{
    auto cylinder = MakeScene({.mode = kModeAll1Eqt, .width = 1000, .height = 500});
    auto ellipse = MakeScene({.mode = kModeAll2Eqt, .width = 1000, .height = 600});
    EXPECT_EQ(SetWrapMode(*MakeScene({.mode = kModeHrz})).mode, kWrapNone);
    EXPECT_EQ(SetWrapMode(*cylinder).mode, kWrapCylinder);
    EXPECT_EQ(SetWrapMode(*cylinder).halfWidth, 500);
    EXPECT_EQ(SetWrapMode(*ellipse).mode, kWrapEllipse);
    EXPECT_EQ(SetWrapMode(*ellipse).centreColumn, 500);
    // On the ellipse: near the back meridian on both sides, behind the map;
    // near the front meridian, both on one side or both close to one pole,
    // drawn whole; longitudes adding up to more than 180 degrees go the
    // short way behind.
    const struct {
        const Scene& map;
        double lon1, lat1, lon2, lat2;
        int wraps;
    } cases[] = {
        {*cylinder, 179.0, 10.0, -179.0, 12.0, 1}, {*cylinder, 10.0, 0.0, -10.0, 5.0, 0},
        {*cylinder, 100.0, 0.0, -60.0, 5.0, 0},    {*ellipse, 170.0, 20.0, -172.0, 30.0, 1},
        {*ellipse, 10.0, 20.0, -10.0, 20.0, 0},    {*ellipse, 170.0, 20.0, 100.0, 20.0, 0},
        {*ellipse, 170.0, 86.0, -170.0, 87.0, 0},  {*ellipse, 100.0, 0.0, -95.0, 0.0, 1},
        {*ellipse, 80.0, 0.0, -95.0, 0.0, 0},
    };
    for (const auto& c : cases) {
        const WrapState wrap = SetWrapMode(c.map);
        const ProjectedPoint a = ViewPoint(c.map, c.lon1, c.lat1), b = ViewPoint(c.map, c.lon2, c.lat2);
        EXPECT_EQ(&c.map == cylinder.get() ? SegmentWrapsCylinder(wrap, a, b) : SegmentCrossesEllipseBack(wrap, a, b),
                  c.wraps)
            << c.lon1 << "/" << c.lat1 << " " << c.lon2 << "/" << c.lat2;
    }
    // An end on the centre column counts only near the back meridian.
    ProjectedPoint onColumn = ViewPoint(*ellipse, 0.0, 40.0);
    ASSERT_EQ(onColumn.x, 500);
    const WrapState wrap = SetWrapMode(*ellipse);
    EXPECT_EQ(SegmentCrossesEllipseBack(wrap, onColumn, ViewPoint(*ellipse, 30.0, 40.0)), 0);
    onColumn.centre = 1000 * 65536;
    EXPECT_EQ(SegmentCrossesEllipseBack(wrap, onColumn, ViewPoint(*ellipse, 30.0, 40.0)), 1);
}

TEST(Wrap, SplitEndsLieOnTheEllipseAtTheMeanLatitude)
{
    auto scene = MakeScene({.mode = kModeAll2Gal, .width = 1000, .height = 600});
    const WrapState wrap = SetWrapMode(*scene);
    const ProjectedPoint a = ViewPoint(*scene, -170.0, 20.0), b = ViewPoint(*scene, 168.0, 40.0);
    ProjectedPoint left, right, left2, right2;
    SplitAtEllipseEdge(*scene, wrap, a, b, left, right);
    EXPECT_EQ(left.y, right.y);
    EXPECT_EQ(left.x + right.x, 2 * 500);
    EXPECT_LT(left.x, 500);
    // On the ellipse of semi-axes xScale pi/2 and yScale pi/2.
    const double ex = (left.x - 500) / (scene->view.xScale * M_PI / 2);
    const double ey = (left.y - 300) / (scene->view.yScale * M_PI / 2);
    EXPECT_NEAR(ex * ex + ey * ey, 1.0, 0.01);
    // At the latitude whose sine is the mean of the ends' sines: on the
    // back meridian the Aitoff y is pi/2 times that sine.
    const double z = (std::sin(20 * M_PI / 180) + std::sin(40 * M_PI / 180)) / 2;
    EXPECT_NEAR(left.y, 300 - M_PI / 2 * z * scene->view.yScale, 2.0);
    // Whichever order the ends come in.
    SplitAtEllipseEdge(*scene, wrap, b, a, left2, right2);
    EXPECT_EQ(left2.x, left.x);
    EXPECT_EQ(right2.y, right.y);
}
