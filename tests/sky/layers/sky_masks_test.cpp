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

TEST(Masks, PlanisphereMaskPaintsOnlyOutsideTheCircle)
{
    for (auto [w, h] : {std::pair{600, 500}, {400, 300}, {500, 700}}) {
        auto scene = MakeScene({.mode = kModeVola, .width = w, .height = h, .top = 12, .fontHeight = 16});
        Canvas canvas(*scene, w, h + 12);
        ASSERT_NE(canvas.display, nullptr);
        MaskPlanisphere(*scene, canvas.pixmap);
        canvas.Read();
        const double r = scene->view.circleRadius;
        ExpectEllipseEdge(*scene, canvas, r, r, kSentinel, kOutsideSky);
        ExpectCorners(*scene, canvas, kOutsideSky);
        EXPECT_EQ(canvas.Pixel(scene->view.screenCentreX, scene->view.screenCentreY), kSentinel);
        // The status line above the sky rectangle is left alone.
        EXPECT_EQ(canvas.Pixel(5, 5), kSentinel);
    }
}

TEST(Masks, PlanisphereBackgroundIsSkyInsideTheCircle)
{
    auto scene = MakeScene({.mode = kModeVola, .width = 640, .height = 480});
    Canvas canvas(*scene, 640, 480);
    ASSERT_NE(canvas.display, nullptr);
    FillPlanisphereBackground(*scene, canvas.pixmap);
    canvas.Read();
    const double r = scene->view.circleRadius;
    ExpectEllipseEdge(*scene, canvas, r, r, kSkyColor, kOutsideSky);
    ExpectCorners(*scene, canvas, kOutsideSky);
    EXPECT_EQ(canvas.Pixel(320, 240), kSkyColor);
}

TEST(Masks, AitoffMaskPaintsOnlyOutsideTheEllipse)
{
    for (auto [w, h] : {std::pair{800, 600}, {1200, 900}, {400, 800}, {1600, 500}}) {
        auto scene = MakeScene({.mode = kModeAll2Eqt, .width = w, .height = h});
        Canvas canvas(*scene, w, h);
        ASSERT_NE(canvas.display, nullptr);
        MaskAitoffMap(*scene, canvas.pixmap);
        canvas.Read();
        const double r = (w - 2) / 2;
        ExpectEllipseEdge(*scene, canvas, r, r / 2, kSentinel, kOutsideSky);
        ExpectCorners(*scene, canvas, kOutsideSky);
        EXPECT_EQ(canvas.Pixel(scene->view.screenCentreX, scene->view.screenCentreY), kSentinel);
        // Straight above and below the ellipse, up to the window's edges.
        const int top = scene->view.screenCentreY - static_cast<int>(r / 2) - 3;
        if (top >= 0) {
            EXPECT_EQ(canvas.Pixel(scene->view.screenCentreX, top), kOutsideSky) << w << "x" << h;
            EXPECT_EQ(canvas.Pixel(scene->view.screenCentreX, 0), kOutsideSky) << w << "x" << h;
            EXPECT_EQ(canvas.Pixel(scene->view.screenCentreX, h - 1), kOutsideSky) << w << "x" << h;
        }
    }
}

TEST(Masks, AitoffBackgroundIsSkyInsideTheEllipse)
{
    auto scene = MakeScene({.mode = kModeAll2Gal, .width = 900, .height = 600});
    Canvas canvas(*scene, 900, 600);
    ASSERT_NE(canvas.display, nullptr);
    FillAitoffBackground(*scene, canvas.pixmap);
    canvas.Read();
    const double r = (900 - 2) / 2;
    ExpectEllipseEdge(*scene, canvas, r, r / 2, kSkyColor, kOutsideSky);
    ExpectCorners(*scene, canvas, kOutsideSky);
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
