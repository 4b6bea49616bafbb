// Backgrounds and masks of the planisphere, the Aitoff map and the
// cylindrical map, drawn into a pixmap and read back: just inside the sky
// edge the layers' drawing stays, just outside it is painted over.
#include <gtest/gtest.h>

#include "sky/layers/map_masks.h"
#include "tests/sky/sky_masks_canvas.h"
#include "tests/sky/sky_view_fixture.h"

#include <cmath>

using namespace skytest;

namespace {

bool InRect(const Scene& scene, int x, int y)
{
    const XRectangle& r = scene.view.skyRect;
    return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
}

// Samples the ellipse of half-width a and half-height b around the screen
// centre, at `inside` and `outside` times its size, every 10 degrees.
void ExpectEllipseEdge(const Scene& scene, const Canvas& canvas, double a, double b, unsigned long inside,
                       unsigned long outside)
{
    const int cx = scene.view.screenCentreX;
    const int cy = scene.view.screenCentreY;
    for (int angle = 0; angle < 360; angle += 10) {
        const double t = angle * M_PI / 180;
        for (auto [factor, want] : {std::pair{0.97, inside}, {1.03, outside}}) {
            const int x = static_cast<int>(std::lround(cx + factor * a * std::cos(t)));
            const int y = static_cast<int>(std::lround(cy - factor * b * std::sin(t)));
            if (!InRect(scene, x, y)) {
                continue;
            }
            EXPECT_EQ(canvas.Pixel(x, y), want) << "angle " << angle << " factor " << factor << " at " << x << ","
                                                << y;
        }
    }
}

void ExpectCorners(const Scene& scene, const Canvas& canvas, unsigned long want)
{
    const XRectangle& r = scene.view.skyRect;
    EXPECT_EQ(canvas.Pixel(r.x, r.y), want);
    EXPECT_EQ(canvas.Pixel(r.x + r.width - 1, r.y), want);
    EXPECT_EQ(canvas.Pixel(r.x, r.y + r.height - 1), want);
    EXPECT_EQ(canvas.Pixel(r.x + r.width - 1, r.y + r.height - 1), want);
}

}  // namespace

TEST(HalfEllipse, PointsRunFromTopThroughTheSideToTheBottom)
{
    ResetAppEnv();
    XPoint points[kHalfEllipsePoints];
    for (auto [step, n] : {std::pair{9, 20}, {5, 36}, {3, 60}, {2, 90}}) {
        ASSERT_EQ(BuildHalfEllipse(points, 300, 200, 150, step, 0, 1), n);
        EXPECT_EQ(points[0].x, 300);
        EXPECT_EQ(points[0].y, 50);
        EXPECT_EQ(points[n / 2].x, 450);
        EXPECT_EQ(points[n / 2].y, 200);
        EXPECT_EQ(points[n].y, 350);
        for (int i = 0; i <= n; ++i) {
            EXPECT_NEAR(std::hypot(points[i].x - 300.0, points[i].y - 200.0), 150.0, 1.5) << i;
        }
    }
    BuildHalfEllipse(points, 300, 200, 150, 5, 1, 2);
    EXPECT_EQ(points[18].x, 150);
    EXPECT_EQ(points[0].y, 200 - 75);
    EXPECT_EQ(points[36].y, 200 + 75);
}

TEST(Masks, PlanisphereAndAitoffAreSkyInsideTheirOutlineAndPaintedOutside)
{
    // The masks leave the layers' drawing (the sentinel) inside; the
    // backgrounds paint the sky there. The planisphere is a circle below
    // the status line, which is left alone; the Aitoff map an ellipse twice
    // as wide as high, painted up to the window's edges above and below.
    const struct {
        int32_t mode;
        void (*draw)(const Scene&, Drawable);
        unsigned long inside;
        int w, h, top;
    } cases[] = {
        {kModeVola, MaskPlanisphere, kSentinel, 600, 500, 12}, {kModeVola, MaskPlanisphere, kSentinel, 400, 300, 12},
        {kModeVola, MaskPlanisphere, kSentinel, 500, 700, 12}, {kModeVola, FillPlanisphereBackground, kSkyColor, 640, 480, 0},
        {kModeAll2Eqt, MaskAitoffMap, kSentinel, 800, 600, 0}, {kModeAll2Eqt, MaskAitoffMap, kSentinel, 1200, 900, 0},
        {kModeAll2Eqt, MaskAitoffMap, kSentinel, 400, 800, 0}, {kModeAll2Eqt, MaskAitoffMap, kSentinel, 1600, 500, 0},
        {kModeAll2Gal, FillAitoffBackground, kSkyColor, 900, 600, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.mode << std::dec << " " << c.w << "x" << c.h);
        auto scene = MakeScene({.mode = c.mode, .width = c.w, .height = c.h, .top = c.top, .fontHeight = 16});
        Canvas canvas(*scene, c.w, c.h + c.top);
        ASSERT_NE(canvas.display, nullptr);
        c.draw(*scene, canvas.pixmap);
        canvas.Read();
        const bool circle = c.mode == kModeVola;
        const double a = circle ? scene->view.circleRadius : (c.w - 2) / 2;
        ExpectEllipseEdge(*scene, canvas, a, circle ? a : a / 2, c.inside, kOutsideSky);
        ExpectCorners(*scene, canvas, kOutsideSky);
        const int cx = scene->view.screenCentreX, cy = scene->view.screenCentreY;
        EXPECT_EQ(canvas.Pixel(cx, cy), c.inside);
        EXPECT_TRUE(c.top == 0 || canvas.Pixel(5, 5) == kSentinel);   // the status line
        const int above = cy - static_cast<int>(a / 2) - 3;
        if (!circle && above >= 0) {
            for (int y : {above, 0, c.h - 1})
                EXPECT_EQ(canvas.Pixel(cx, y), kOutsideSky) << y;
        }
    }
}

TEST(Masks, CylindricalMaskCutsTheMapAt70Degrees)
{
    auto scene = MakeScene({.mode = kModeAll1Ecl, .width = 800, .height = 600});
    Canvas canvas(*scene, 800, 600);
    ASSERT_NE(canvas.display, nullptr);
    MaskCylindricalMap(*scene, canvas.pixmap);
    canvas.Read();
    // Latitude 70 lies 155.5 pixels from the equator at 800 / 2pi per radian.
    const int b = static_cast<int>(0.5 * M_PI * (800 / (2 * M_PI)) * 70 / 90);
    ASSERT_EQ(b, 155);
    for (int x : {0, 400, 799}) {
        EXPECT_EQ(canvas.Pixel(x, 300 - b - 5), kOutsideSky) << x;
        EXPECT_EQ(canvas.Pixel(x, 300 - b + 5), kSentinel) << x;
        EXPECT_EQ(canvas.Pixel(x, 300), kSentinel) << x;
        EXPECT_EQ(canvas.Pixel(x, 300 + b - 5), kSentinel) << x;
        EXPECT_EQ(canvas.Pixel(x, 300 + b + 5), kOutsideSky) << x;
    }
    // Each band reaches one row into the map, over the line of latitude 70.
    EXPECT_EQ(canvas.Pixel(400, 300 - b), kOutsideSky);
    EXPECT_EQ(canvas.Pixel(400, 300 - b + 1), kSentinel);
    EXPECT_EQ(canvas.Pixel(400, 300 + b - 1), kOutsideSky);
    EXPECT_EQ(canvas.Pixel(400, 300 + b - 2), kSentinel);
}

TEST(Masks, WideLowWindowKeepsTheWholeCylindricalMap)
{
    // 1600 x 500: latitude 70 lies 311 pixels out, beyond both edges.
    auto scene = MakeScene({.mode = kModeAll1Eqt, .width = 1600, .height = 500});
    Canvas canvas(*scene, 1600, 500);
    ASSERT_NE(canvas.display, nullptr);
    MaskCylindricalMap(*scene, canvas.pixmap);
    canvas.Read();
    EXPECT_EQ(xErrors, 0);
    for (int y : {0, 2, 250, 497, 499}) {
        for (int x : {0, 800, 1599}) {
            EXPECT_EQ(canvas.Pixel(x, y), kSentinel) << x << "," << y;
        }
    }
}

TEST(Masks, TinyWindowsDrawWithoutErrors)
{
    xErrors = 0;
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 5}, {5, 3}, {1, 400}, {400, 1}, {40, 30}}) {
        for (int32_t mode : {kModeVola, kModeAll1Eqt, kModeAll2Eqt}) {
            auto scene = MakeScene({.mode = mode, .width = w, .height = h, .fontHeight = 20});
            EXPECT_GE(scene->view.circleRadius, 0);
            Canvas canvas(*scene, w, h);
            ASSERT_NE(canvas.display, nullptr);
            FillPlanisphereBackground(*scene, canvas.pixmap);
            MaskPlanisphere(*scene, canvas.pixmap);
            FillAitoffBackground(*scene, canvas.pixmap);
            MaskAitoffMap(*scene, canvas.pixmap);
            MaskCylindricalMap(*scene, canvas.pixmap);
            canvas.Read();
            EXPECT_EQ(xErrors, 0) << w << "x" << h << " mode " << std::hex << mode;
            if (w >= 40) {
                // Only ever the two colours of the maps, never a stray fill.
                EXPECT_NE(canvas.Pixel(0, 0), kLineColor);
            }
        }
    }
}
