// Lines drawn between projected points: wrapped at the cylindrical map's
// sides, split behind the Aitoff ellipse, clipped before they reach Xlib,
// and broken by the pen at hidden points.
#include <gtest/gtest.h>

#include "sky/pens.h"
#include "sky/view/clipping.h"
#include "sky/view/wrap_segments.h"
#include "tests/sky/sky_masks_canvas.h"
#include "tests/sky/sky_view_fixture.h"

#include <cmath>

using namespace skytest;

namespace {

FixedVector MapVector(const Scene& scene, double longitude, double latitude)
{
    double f[3];
    VectorFromDegrees(longitude, latitude, f);
    double v[3];
    DirectionFromViewFrame(scene, f, v);
    return FixedFromDouble(v);
}

ProjectedPoint MapPoint(const Scene& scene, double longitude, double latitude)
{
    ProjectedPoint p;
    ProjectPoint(scene, MapVector(scene, longitude, latitude), p);
    return p;
}

int CountLinePixels(const Canvas& canvas, int x0, int x1, int y0, int y1)
{
    int n = 0;
    for (int y = std::max(y0, 0); y <= std::min(y1, canvas.height - 1); ++y) {
        for (int x = std::max(x0, 0); x <= std::min(x1, canvas.width - 1); ++x) {
            n += canvas.Pixel(x, y) == kLineColor;
        }
    }
    return n;
}

void Prepare(Scene& scene, Canvas& canvas)
{
    SetWrapMode(scene);
    SetClipRectangle(scene);
    XSetForeground(canvas.display, scene.gc, kLineColor);
}

}  // namespace

TEST(WrapDrawing, CylinderLineAcrossTheSeamIsTwoShortPieces)
{
    auto scene = MakeScene({.mode = kModeAll1Eqt, .width = 1000, .height = 500});
    Canvas canvas(*scene, 1000, 500);
    ASSERT_NE(canvas.display, nullptr);
    Prepare(*scene, canvas);
    const ProjectedPoint a = MapPoint(*scene, 179.0, 10.0);
    const ProjectedPoint b = MapPoint(*scene, -179.0, 10.0);
    DrawProjectedSegment(*scene, canvas.pixmap, a, b);
    canvas.Read();
    const int row = a.y;
    EXPECT_GT(CountLinePixels(canvas, 0, 4, row - 1, row + 1), 0);
    EXPECT_GT(CountLinePixels(canvas, 995, 999, row - 1, row + 1), 0);
    EXPECT_EQ(CountLinePixels(canvas, 10, 990, 0, 499), 0);
}

TEST(WrapDrawing, AitoffLineBehindTheMapEndsAtTheEllipse)
{
    auto scene = MakeScene({.mode = kModeAll2Eqt, .width = 1000, .height = 600});
    Canvas canvas(*scene, 1000, 600);
    ASSERT_NE(canvas.display, nullptr);
    Prepare(*scene, canvas);
    const ProjectedPoint a = MapPoint(*scene, 170.0, 20.0);
    const ProjectedPoint b = MapPoint(*scene, -172.0, 24.0);
    DrawProjectedSegment(*scene, canvas.pixmap, a, b);
    canvas.Read();
    // Nothing across the middle of the map, something near each end.
    EXPECT_EQ(CountLinePixels(canvas, 100, 900, 0, 599), 0);
    EXPECT_GT(CountLinePixels(canvas, 0, 99, 0, 599), 0);
    EXPECT_GT(CountLinePixels(canvas, 901, 999, 0, 599), 0);

    // Near the front meridian the line is drawn whole.
    canvas.Fill(*scene, kSentinel);
    XSetForeground(canvas.display, scene->gc, kLineColor);
    DrawProjectedSegment(*scene, canvas.pixmap, MapPoint(*scene, -10.0, 20.0), MapPoint(*scene, 10.0, 20.0));
    canvas.Read();
    EXPECT_GT(CountLinePixels(canvas, 495, 505, 0, 599), 0);
}

TEST(WrapDrawing, FarOffEndsAreClippedBeforeXlib)
{
    auto scene = MakeScene({.mode = kModeEqt, .width = 400, .height = 300});
    Canvas canvas(*scene, 400, 300);
    ASSERT_NE(canvas.display, nullptr);
    Prepare(*scene, canvas);
    // A line whose far end would wrap round in 16 bits: 70000 is 4464 there.
    ProjectedPoint a{200, 150, 0, 0};
    ProjectedPoint b{70000, 150, 0, 0};
    DrawProjectedSegment(*scene, canvas.pixmap, a, b);
    ProjectedPoint c{-70000, 100, 0, 0};
    ProjectedPoint d{-60000, 100, 0, 0};
    DrawProjectedSegment(*scene, canvas.pixmap, c, d);
    canvas.Read();
    EXPECT_EQ(xErrors, 0);
    EXPECT_EQ(CountLinePixels(canvas, 200, 399, 150, 150), 200);
    EXPECT_EQ(CountLinePixels(canvas, 0, 199, 150, 150), 0);
    EXPECT_EQ(CountLinePixels(canvas, 0, 399, 100, 100), 0);
}

TEST(Pen, HiddenPointBreaksThePolyline)
{
    auto scene = MakeScene({.mode = kModeEqt, .width = 600, .height = 600, .field = 60.0});
    Canvas canvas(*scene, 600, 600);
    ASSERT_NE(canvas.display, nullptr);
    Prepare(*scene, canvas);
    // Along the screen's x axis: behind the observer, then two visible points.
    Pen pen = PenMoveTo(MapVector(*scene, 180.0, 0.0), *scene, canvas.pixmap);
    EXPECT_EQ(pen.visible, 0);
    PenLineTo(MapVector(*scene, 10.0, 0.0), pen);
    EXPECT_EQ(pen.visible, 1);
    canvas.Read();
    EXPECT_EQ(CountLinePixels(canvas, 0, 599, 0, 599), 0);
    PenLineTo(MapVector(*scene, -10.0, 0.0), pen);
    canvas.Read();
    const ProjectedPoint left = MapPoint(*scene, 10.0, 0.0);
    const ProjectedPoint right = MapPoint(*scene, -10.0, 0.0);
    EXPECT_GT(CountLinePixels(canvas, left.x, right.x, left.y - 1, left.y + 1), right.x - left.x - 2);
    EXPECT_EQ(CountLinePixels(canvas, 0, left.x - 2, 0, 599), 0);
}
