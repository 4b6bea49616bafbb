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

using Painter = void (*)(const Scene&, Drawable);

// A map of a set-up, over the layers' drawing (the sentinel), painted by
// the given functions in turn and read back.
struct Map {
    std::unique_ptr<Scene> scene;
    std::unique_ptr<Canvas> canvas;
    Map(const ViewSetup& setup, std::initializer_list<Painter> painters)
        : scene(MakeScene(setup)), canvas(std::make_unique<Canvas>(*scene, setup.width, setup.height + setup.top))
    {
        if (canvas->display == nullptr)
            return;
        for (Painter paint : painters)
            paint(*scene, canvas->pixmap);
        canvas->Read();
    }
    unsigned long Pixel(int x, int y) const { return canvas->Pixel(x, y); }

    // The ellipse of half-width a and half-height b around the screen
    // centre, sampled every 10 degrees at 0.97 and 1.03 times its size
    // where that is in the sky rectangle; and its corners.
    void ExpectEllipseEdge(double a, double b, unsigned long inside, unsigned long outside) const
    {
        const XRectangle& r = scene->view.skyRect;
        for (int angle = 0; angle < 360; angle += 10) {
            const double t = angle * M_PI / 180;
            for (auto [factor, want] : {std::pair{0.97, inside}, {1.03, outside}}) {
                const int x = static_cast<int>(std::lround(scene->view.screenCentreX + factor * a * std::cos(t)));
                const int y = static_cast<int>(std::lround(scene->view.screenCentreY - factor * b * std::sin(t)));
                const bool inSky = x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
                EXPECT_TRUE(!inSky || Pixel(x, y) == want)
                    << "angle " << angle << " factor " << factor << " at " << x << "," << y;
            }
        }
        for (auto [x, y] : {std::pair{0, 0}, {r.width - 1, 0}, {0, r.height - 1}, {r.width - 1, r.height - 1}})
            EXPECT_EQ(Pixel(r.x + x, r.y + y), outside) << "corner " << x << "," << y;
    }
};

}  // namespace

TEST(HalfEllipse, PointsRunFromTopThroughTheSideToTheBottom)
{
    ResetAppEnv();
    XPoint points[kHalfEllipsePoints];
    for (auto [step, n] : {std::pair{9, 20}, {5, 36}, {3, 60}, {2, 90}}) {
        ASSERT_EQ(BuildHalfEllipse(points, 300, 200, 150, step, 0, 1), n);
        EXPECT_EQ((std::array{points[0].x, points[0].y, points[n / 2].x, points[n / 2].y, points[n].y}),
                  (std::array<short, 5>{300, 50, 450, 200, 350}))
            << step;
        for (int i = 0; i <= n; ++i)
            EXPECT_NEAR(std::hypot(points[i].x - 300.0, points[i].y - 200.0), 150.0, 1.5) << i;
    }
    // Flipped and flattened to half the height.
    BuildHalfEllipse(points, 300, 200, 150, 5, 1, 2);
    EXPECT_EQ((std::array{points[18].x, points[0].y, points[36].y}), (std::array<short, 3>{150, 200 - 75, 200 + 75}));
}

TEST(Masks, PlanisphereAndAitoffAreSkyInsideTheirOutlineAndPaintedOutside)
{
    // The masks leave the layers' drawing inside; the backgrounds paint the
    // sky there. The planisphere is a circle below the status line, which
    // is left alone; the Aitoff map an ellipse twice as wide as high,
    // painted up to the window's edges above and below.
    const struct {
        int32_t mode;
        Painter paint;
        unsigned long inside;
        int w, h, top;
    } cases[] = {
        {kModeVola, MaskPlanisphere, kSentinel, 600, 500, 12}, {kModeVola, MaskPlanisphere, kSentinel, 400, 300, 12},
        {kModeVola, MaskPlanisphere, kSentinel, 500, 700, 12}, {kModeVola, FillPlanisphereBackground, kSkyColor, 640, 480, 0},
        {kModeAll2Gal, FillAitoffBackground, kSkyColor, 900, 600, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << std::hex << c.mode << std::dec << " " << c.w << "x" << c.h);
        const Map map({.mode = c.mode, .width = c.w, .height = c.h, .top = c.top}, {c.paint});
        ASSERT_NE(map.canvas->display, nullptr);
        const bool circle = c.mode == kModeVola;
        const double a = circle ? map.scene->view.circleRadius : (c.w - 2) / 2;
        map.ExpectEllipseEdge(a, circle ? a : a / 2, c.inside, kOutsideSky);
        const int cx = map.scene->view.screenCentreX, cy = map.scene->view.screenCentreY;
        EXPECT_EQ(map.Pixel(cx, cy), c.inside);
        EXPECT_TRUE(c.top == 0 || map.Pixel(5, 5) == kSentinel);   // the status line
        const int above = cy - static_cast<int>(a / 2) - 3;
        for (int y : {above, 0, c.h - 1})
            EXPECT_TRUE(circle || above < 0 || map.Pixel(cx, y) == kOutsideSky) << y;
    }
}

TEST(Masks, AitoffMaskPaintsItsSidesAndTheBandsARadiusOut)
{
    // The sides cover the ellipse's rows, cy +- R / 2; the bands reach from
    // the edges to h / 2 - R rows where the window holds them (R = 199 in
    // 400 x 800: rows 0..200 and 600..799); rows between are left as drawn.
    const struct {
        int w, h, x, y;
        unsigned long pixel;
    } rows[] = {
        {400, 800, 200, 100, kOutsideSky}, {400, 800, 200, 200, kOutsideSky}, {400, 800, 200, 201, kSentinel},
        {400, 800, 5, 300, kSentinel},     {400, 800, 5, 302, kOutsideSky},   {400, 800, 200, 400, kSentinel},
        {400, 800, 5, 450, kOutsideSky},   {400, 800, 5, 550, kSentinel},     {400, 800, 200, 600, kOutsideSky},
        {800, 600, 400, 50, kSentinel},    {800, 600, 5, 450, kOutsideSky},   {800, 600, 5, 150, kOutsideSky},
        {800, 600, 400, 300, kSentinel},   {1600, 500, 3, 5, kOutsideSky},    {1600, 500, 800, 5, kSentinel},
    };
    for (const auto& row : rows) {
        const Map map({.mode = kModeAll2Eqt, .width = row.w, .height = row.h}, {MaskAitoffMap});
        ASSERT_NE(map.canvas->display, nullptr);
        EXPECT_EQ(map.Pixel(row.x, row.y), row.pixel) << row.w << "x" << row.h << " at " << row.x << "," << row.y;
    }
}

TEST(Masks, CylindricalMaskCutsTheMapAt70Degrees)
{
    // Latitude 70 lies 155.5 pixels from the equator at 800 / 2pi per
    // radian; each band reaches one row into the map, over that line.
    const Map map({.mode = kModeAll1Ecl, .width = 800, .height = 600}, {MaskCylindricalMap});
    ASSERT_NE(map.canvas->display, nullptr);
    const int b = static_cast<int>(0.5 * M_PI * (800 / (2 * M_PI)) * 70 / 90);
    ASSERT_EQ(b, 155);
    for (int x : {0, 400, 799})
        for (auto [y, pixel] : {std::pair{300 - b - 5, kOutsideSky}, {300 - b + 5, kSentinel}, {300, kSentinel},
                                {300 + b - 5, kSentinel}, {300 + b + 5, kOutsideSky}})
            EXPECT_EQ(map.Pixel(x, y), pixel) << x << "," << y;
    for (auto [y, pixel] : {std::pair{300 - b, kOutsideSky}, {300 - b + 1, kSentinel}, {300 + b - 1, kOutsideSky},
                            {300 + b - 2, kSentinel}})
        EXPECT_EQ(map.Pixel(400, y), pixel) << y;

    // 1600 x 500: latitude 70 lies 311 pixels out, beyond both edges.
    xErrors = 0;
    const Map wide({.mode = kModeAll1Eqt, .width = 1600, .height = 500}, {MaskCylindricalMap});
    EXPECT_EQ(xErrors, 0);
    for (int y : {0, 2, 250, 497, 499})
        for (int x : {0, 800, 1599})
            EXPECT_EQ(wide.Pixel(x, y), kSentinel) << x << "," << y;
}

TEST(Masks, TinyWindowsDrawWithoutErrors)
{
    xErrors = 0;
    for (auto [w, h] : {std::pair{0, 0}, {1, 1}, {2, 2}, {3, 5}, {5, 3}, {1, 400}, {400, 1}, {40, 30}}) {
        for (int32_t mode : {kModeVola, kModeAll1Eqt, kModeAll2Eqt}) {
            const Map map({.mode = mode, .width = w, .height = h, .fontHeight = 20},
                          {FillPlanisphereBackground, MaskPlanisphere, FillAitoffBackground, MaskAitoffMap,
                           MaskCylindricalMap});
            ASSERT_NE(map.canvas->display, nullptr);
            EXPECT_GE(map.scene->view.circleRadius, 0);
            EXPECT_EQ(xErrors, 0) << w << "x" << h << " mode " << std::hex << mode;
            // Only ever the two colours of the maps, never a stray fill.
            EXPECT_TRUE(w < 40 || map.Pixel(0, 0) != kLineColor);
        }
    }
}
