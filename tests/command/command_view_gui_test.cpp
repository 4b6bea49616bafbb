// The view commands on a real canvas under Xvfb: BLINK flashes its marker
// and gives the window its pixels back; LOOK and TRACK put their target in
// the middle of the redrawn chart.
#include "tests/sky/sky_canvas_fixture.h"

#include "astro/astro_time.h"
#include "command/interpreter.h"
#include "command/view_commands.h"
#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/view/projection.h"
#include "tests/sky/catalog/catalog_ids.h"

#include <chrono>
#include <cstdlib>

namespace {

using canvastest::PrepareScene;
using canvastest::ResizeArea;
using canvastest::Snapshot;
using canvastest::World;

class ViewCommandsOnCanvas : public ::testing::Test {
protected:
    void SetUp() override
    {
        World();
        ResizeArea(320, 240);
        PrepareScene(scene);
        gAppEnv->quiet = 1;
        gAppEnv->blinkTime = 1;
        scene.viewMode = kModeEqt;
        scene.view.fieldOfView = 60.0;
        Run("DRIVE");
    }

    std::string Run(const char* text)
    {
        StkExecuteText(scene, text);
        XSync(gAppEnv->display, False);
        return gAppEnv->errorKey;
    }

    Window window() const { return XtWindow(World().area); }

    // Seconds a command takes.
    double Timed(const char* text)
    {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Run(text), "");
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }

    bool SameImages(const Snapshot& a, const Snapshot& b) const
    {
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                if (XGetPixel(a.image, x, y) != XGetPixel(b.image, x, y)) {
                    return false;
                }
            }
        }
        return true;
    }

    Scene scene{};
};

TEST_F(ViewCommandsOnCanvas, BlinkMarkerIsDrawnOntoTheWindow)
{
    const unsigned long white = WhitePixelOfScreen(gAppEnv->screen);
    StkDrawBlinkMarker(scene, gAppEnv->display, window(), 100, 120, white);
    Snapshot shot(window(), 320, 240);
    for (const auto& ray : {std::pair{100, 113}, std::pair{109, 120}, std::pair{94, 126}, std::pair{100, 127}}) {
        EXPECT_EQ(XGetPixel(shot.image, ray.first, ray.second), white) << ray.first << "," << ray.second;
    }
    // The middle of the marker is left alone.
    EXPECT_NE(XGetPixel(shot.image, 100, 120), white);
}

TEST_F(ViewCommandsOnCanvas, BlinkRestoresTheWindowsPixels)
{
    Snapshot before(window(), 320, 240);
    EXPECT_EQ(Run("BLINK SCREEN 100 120"), "");
    Snapshot after(window(), 320, 240);
    EXPECT_TRUE(SameImages(before, after));
    // At the corner the square reaches past the window; nothing breaks.
    EXPECT_EQ(Run("BLINK SCREEN 2 3"), "");
    Snapshot corner(window(), 320, 240);
    EXPECT_TRUE(SameImages(before, corner));
    // An object outside the field flashes nothing and reports nothing.
    EXPECT_EQ(Run("BLINK EQT 12 -80"), "");
    EXPECT_EQ(Run("BLINK NOSUCH"), "stkErrorIllegalParam");
}

TEST_F(ViewCommandsOnCanvas, BlinkFlashesHalfTheBlinkTimeRoundedUp)
{
    // Each flash is 100 ms white and 100 ms black: BlinkTime 5 is three.
    gAppEnv->blinkTime = 5;
    EXPECT_GE(Timed("BLINK SCREEN 160 120"), 0.59);
    gAppEnv->blinkTime = 2;
    const double one = Timed("BLINK SCREEN 160 120");
    EXPECT_GE(one, 0.19);
    EXPECT_LT(one, 0.39);
}

TEST_F(ViewCommandsOnCanvas, LookPutsTheStarInTheMiddle)
{
    int32_t sirius = -1;
    ASSERT_NE(sirius = catalogtest::StarId("alphaCMa"), -1);
    EXPECT_EQ(Run("LOOK STAR alphaCMa"), "");
    EXPECT_EQ(scene.centring, 0);   // centred once
    const BrightStarRecord& star = BrightStarTable[sirius];
    ProjectedPoint p{};
    ASSERT_EQ(ProjectPoint(scene, FixedVector{star.x, star.y, star.z}, p), 1);
    EXPECT_NEAR(p.x, scene.view.screenCentreX, 1);
    EXPECT_NEAR(p.y, scene.view.screenCentreY, 1);
}

// A LOOK whose target cannot be read still redraws: a change made before
// it shows, as DRIVE would show it.
TEST_F(ViewCommandsOnCanvas, LookAtAnUnreadableTargetStillRedraws)
{
    Snapshot before(window(), 320, 240);
    EXPECT_EQ(Run("SHOW CONS_LINE"), "");
    EXPECT_EQ(Run("LOOK NOSUCH"), "stkErrorIllegalParam");
    Snapshot looked(window(), 320, 240);
    EXPECT_FALSE(SameImages(before, looked)) << "the lines were not drawn";
    EXPECT_EQ(Run("DRIVE"), "");
    Snapshot driven(window(), 320, 240);
    EXPECT_TRUE(SameImages(looked, driven));
}

TEST_F(ViewCommandsOnCanvas, TrackKeepsTheBodyCentredAsTimeMoves)
{
    EXPECT_EQ(Run("TRACK MARS; DRIVE"), "");
    for (int step = 0; step < 3; ++step) {
        scene.time.date.day += 9;
        EXPECT_EQ(Run("ZOOM UP; DRIVE"), "");
        ASSERT_EQ(scene.centring, 2);
        ProjectedPoint p{};
        ASSERT_EQ(ProjectPointDouble(scene, scene.planets[2].unitVector, p), 1);
        EXPECT_NEAR(p.x, scene.view.screenCentreX, 1) << step;
        EXPECT_NEAR(p.y, scene.view.screenCentreY, 1) << step;
    }
    EXPECT_EQ(Run("TRACK OFF"), "");
    EXPECT_EQ(scene.centring, 0);
}

}  // namespace
