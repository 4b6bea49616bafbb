// Lines drawn between projected points: wrapped at the cylindrical map's
// sides, split behind the Aitoff ellipse, clipped before they reach Xlib,
// and broken by the pen at hidden points.
#include <gtest/gtest.h>

#include "sky/pens.h"
#include "sky/redraw_record.h"
#include "sky/view/wrap_segments.h"
#include "tests/sky/sky_masks_canvas.h"
#include "tests/sky/sky_view_fixture.h"

#include <cmath>

using namespace skytest;

namespace {

// A canvas of the scene's size ready for lines in kLineColor, with the
// record of one drawing into it.
struct LineCanvas : Canvas {
    RedrawRecord redraw;
    LineCanvas(Scene& scene, int w, int h) : Canvas(scene, w, h), redraw(StartRedraw(scene, pixmap))
    {
        if (display != nullptr)
            XSetForeground(display, scene.gc, kLineColor);
    }
    // Line pixels in the box from (x0, y0) to (x1, y1), both included.
    int Lines(int x0, int x1, int y0, int y1)
    {
        Read();
        int n = 0;
        for (int y = std::max(y0, 0); y <= std::min(y1, height - 1); ++y)
            for (int x = std::max(x0, 0); x <= std::min(x1, width - 1); ++x)
                n += Pixel(x, y) == kLineColor;
        return n;
    }
};

TEST(WrapDrawing, CylinderLineAcrossTheSeamIsTwoShortPieces)
{
    auto scene = MakeScene({.mode = kModeAll1Eqt, .width = 1000, .height = 500});
    LineCanvas canvas(*scene, 1000, 500);
    ASSERT_NE(canvas.display, nullptr);
    const ProjectedPoint a = ViewPoint(*scene, 179.0, 10.0);
    DrawProjectedSegment(*scene, canvas.redraw, a, ViewPoint(*scene, -179.0, 10.0));
    EXPECT_GT(canvas.Lines(0, 4, a.y - 1, a.y + 1), 0);
    EXPECT_GT(canvas.Lines(995, 999, a.y - 1, a.y + 1), 0);
    EXPECT_EQ(canvas.Lines(10, 990, 0, 499), 0);
}

TEST(WrapDrawing, TwoChartsDrawnSideBySideKeepTheirOwnWrapAndClip)
{
    // The Aitoff chart is set up after the cylinder's and drawn between
    // its lines: each line still wraps and clips by its own chart.
    auto cylinder = MakeScene({.mode = kModeAll1Eqt, .width = 1000, .height = 500});
    LineCanvas first(*cylinder, 1000, 500);
    auto ellipse = MakeScene({.mode = kModeAll2Eqt, .width = 600, .height = 360});
    LineCanvas second(*ellipse, 600, 360);
    ASSERT_NE(first.display, nullptr);
    const ProjectedPoint a = ViewPoint(*cylinder, 179.0, 10.0);
    DrawProjectedSegment(*cylinder, first.redraw, a, ViewPoint(*cylinder, -179.0, 10.0));
    DrawProjectedSegment(*ellipse, second.redraw, ViewPoint(*ellipse, 170.0, 20.0), ViewPoint(*ellipse, -172.0, 24.0));
    DrawProjectedSegment(*cylinder, first.redraw, ProjectedPoint{900, 400, 0, 0}, ProjectedPoint{990, 400, 0, 0});
    EXPECT_GT(first.Lines(0, 4, a.y - 1, a.y + 1), 0);
    EXPECT_EQ(first.Lines(10, 890, 0, 499), 0);
    EXPECT_EQ(first.Lines(900, 990, 400, 400), 91);
    EXPECT_EQ(second.Lines(60, 540, 0, 359), 0);
}

TEST(WrapDrawing, AitoffLineBehindTheMapEndsAtTheEllipse)
{
    auto scene = MakeScene({.mode = kModeAll2Eqt, .width = 1000, .height = 600});
    LineCanvas canvas(*scene, 1000, 600);
    ASSERT_NE(canvas.display, nullptr);
    DrawProjectedSegment(*scene, canvas.redraw, ViewPoint(*scene, 170.0, 20.0), ViewPoint(*scene, -172.0, 24.0));
    // Nothing across the middle of the map, something near each end.
    EXPECT_EQ(canvas.Lines(100, 900, 0, 599), 0);
    EXPECT_GT(canvas.Lines(0, 99, 0, 599), 0);
    EXPECT_GT(canvas.Lines(901, 999, 0, 599), 0);
    // Near the front meridian the line is drawn whole.
    DrawProjectedSegment(*scene, canvas.redraw, ViewPoint(*scene, -10.0, 20.0), ViewPoint(*scene, 10.0, 20.0));
    EXPECT_GT(canvas.Lines(495, 505, 0, 599), 0);
}

TEST(WrapDrawing, FarOffEndsAreClippedBeforeXlib)
{
    auto scene = MakeScene({.mode = kModeEqt, .width = 400, .height = 300});
    LineCanvas canvas(*scene, 400, 300);
    ASSERT_NE(canvas.display, nullptr);
    // A line whose far end would wrap round in 16 bits: 70000 is 4464 there.
    DrawProjectedSegment(*scene, canvas.redraw, ProjectedPoint{200, 150, 0, 0}, ProjectedPoint{70000, 150, 0, 0});
    DrawProjectedSegment(*scene, canvas.redraw, ProjectedPoint{-70000, 100, 0, 0}, ProjectedPoint{-60000, 100, 0, 0});
    EXPECT_EQ(canvas.Lines(200, 399, 150, 150), 200);
    EXPECT_EQ(canvas.Lines(0, 199, 150, 150), 0);
    EXPECT_EQ(canvas.Lines(0, 399, 100, 100), 0);
    EXPECT_EQ(xErrors, 0);
}

TEST(Pen, HiddenPointBreaksThePolyline)
{
    auto scene = MakeScene({.mode = kModeEqt, .width = 600, .height = 600, .field = 60.0});
    LineCanvas canvas(*scene, 600, 600);
    ASSERT_NE(canvas.display, nullptr);
    // Along the screen's x axis: behind the observer, then two visible points.
    Pen pen = PenMoveTo(ViewVector(*scene, 180.0, 0.0), *scene, canvas.redraw);
    EXPECT_EQ(pen.visible, 0);
    PenLineTo(ViewVector(*scene, 10.0, 0.0), pen);
    EXPECT_EQ(pen.visible, 1);
    EXPECT_EQ(canvas.Lines(0, 599, 0, 599), 0);
    PenLineTo(ViewVector(*scene, -10.0, 0.0), pen);
    const ProjectedPoint left = ViewPoint(*scene, 10.0, 0.0), right = ViewPoint(*scene, -10.0, 0.0);
    EXPECT_GT(canvas.Lines(left.x, right.x, left.y - 1, left.y + 1), right.x - left.x - 2);
    EXPECT_EQ(canvas.Lines(0, left.x - 2, 0, 599), 0);
}

}  // namespace
