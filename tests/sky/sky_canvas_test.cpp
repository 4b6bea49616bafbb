// The canvas and the redraw road on a real drawing area: where the status
// strip and the sky land in the back pixmap, when the pixmap is made anew,
// what an expose and a resize do, trace mode, start-up, tiny windows, and
// the cull limits the layers are drawn with.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/draw_sky.h"
#include "sky/layers/grid_layer.h"
#include "sky/view/daylight.h"

using namespace canvastest;

namespace {

Scene gTestScene;
int gRedraws = 0;

void CountRedraw(Scene&) { ++gRedraws; }

class CanvasTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(World().area, nullptr);
        ResizeArea(320, 240);
        PrepareScene(gTestScene);
        // No ground: these tests read the sky colour down to the bottom edge.
        gTestScene.displayFlags[kFlagSkyAndGround] &= ~kHorizonFlag;
        gRedraws = 0;
        gCanvasHooks.afterRedraw = CountRedraw;
    }

    Scene& scene = gTestScene;
    Display* display() { return gAppEnv->display; }
    Window window() { return XtWindow(World().area); }
    unsigned long Black() { return BlackPixel(display(), DefaultScreen(display())); }

    void Drive()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    void PaintWindow(unsigned long pixel)
    {
        XSetForeground(display(), scene.gc, pixel);
        XFillRectangle(display(), window(), scene.gc, 0, 0, 320, 240);
    }
};

TEST_F(CanvasTest, StatusStripLiesAboveTheSkyInTheStatusColours)
{
    Drive();
    const int strip = StatusLineHeight();
    ASSERT_GT(strip, 4);
    EXPECT_EQ(scene.view.skyRect.y, strip);
    EXPECT_EQ(scene.view.skyRect.width, 320);
    EXPECT_EQ(scene.view.skyRect.height, 240 - strip);

    Snapshot shot(scene.backPixmap, 320, 240);
    for (auto [x, y, pixel] : {std::tuple{5, 1, Cell(kColorStatusBackground)},
                               {300, strip / 2, Cell(kColorStatusBackground)}, {100, strip - 1, Black()},
                               {5, strip, Cell(kFirstRampCell)}, {160, 200, Cell(kFirstRampCell)},
                               {319, 239, Cell(kFirstRampCell)}})
        EXPECT_EQ(shot.Pixel(x, y), pixel) << x << "," << y;
    EXPECT_EQ(scene.redrawRequested, 0);
    EXPECT_EQ(gRedraws, 1);
}

TEST_F(CanvasTest, SkyIsPaintedInTheRampColourOfTheDaylight)
{
    // In the horizontal view at noon the Sun is high: a full-day sky.
    Drive();
    EXPECT_GT(scene.sun.altitude, 45.0);
    EXPECT_DOUBLE_EQ(scene.lastSolarUpdate, scene.time.julianDay);
    EXPECT_EQ(scene.daylightLevel, kMaxDaylightLevel);
    const Rgb8 zenith = ZenithRamp()[kZenithRampLevels - 1];
    Snapshot shot(scene.backPixmap, 320, 240);
    EXPECT_EQ(ColorOfPixel(shot.Pixel(160, 120)), zenith);
    // Faint stars take the sky's own colour in daylight.
    EXPECT_EQ(scene.mag.faintStarColor, scene.background);

    // At midnight it is far below the horizon.
    scene.time.date.hour = 0;
    Drive();
    EXPECT_LT(scene.sun.altitude, -40.0);
    EXPECT_EQ(scene.daylightLevel, 0);
    EXPECT_EQ(scene.mag.faintStarColor, kColorDarkStar);
}

TEST_F(CanvasTest, HiddenStatusLineGivesTheSkyTheWholeAreaAndTheSpareRowsAreCleared)
{
    Drive();
    const Pixmap before = scene.backPixmap;
    scene.statusLine = 0;
    UpdateSkyCanvas(scene);
    EXPECT_EQ(scene.view.skyRect.y, 0);
    EXPECT_EQ(scene.view.skyRect.height, 240);
    EXPECT_EQ(gRedraws, 2);
    EXPECT_NE(scene.backPixmap, before);

    const int strip = StatusLineHeight();
    unsigned int width = 0, height = 0;
    PixmapSize(scene.backPixmap, width, height);
    EXPECT_EQ(width, 320u);
    EXPECT_EQ(height, 240u + strip);
    Snapshot shot(scene.backPixmap, 320, 240 + strip);
    EXPECT_EQ(shot.Pixel(5, 1), Cell(kFirstRampCell));   // no strip drawn
    // Rows below the window are never drawn; a new pixmap starts black.
    EXPECT_EQ(shot.Pixel(160, 240 + strip - 1), Black());
}

TEST_F(CanvasTest, PixmapFollowsTheSizeAndIsKeptWhileTheSizeStays)
{
    Drive();
    const Pixmap first = scene.backPixmap;
    UpdateSkyCanvas(scene);
    EXPECT_EQ(scene.backPixmap, first);
    EXPECT_EQ(gRedraws, 1);

    ResizeArea(400, 300);
    DrawingAreaConfigureHandler(World().area, &scene, nullptr, nullptr);   // no event: ignored
    EXPECT_EQ(scene.view.skyRect.width, 320);
    XEvent event{};
    event.type = ConfigureNotify;
    DrawingAreaConfigureHandler(World().area, &scene, &event, nullptr);
    EXPECT_EQ(gRedraws, 2);
    EXPECT_EQ(scene.view.skyRect.width, 400);
    EXPECT_EQ(scene.view.skyRect.height, 300 - StatusLineHeight());
    unsigned int width = 0, height = 0;
    PixmapSize(scene.backPixmap, width, height);
    EXPECT_EQ(width, 400u);
    EXPECT_EQ(height, 300u);
    Snapshot shot(scene.backPixmap, 400, 300);
    EXPECT_EQ(shot.Pixel(399, 299), Cell(kFirstRampCell));
}

TEST_F(CanvasTest, ExposeOnlyCopiesAndOnlyOnTheLastOfASeries)
{
    Drive();
    PaintWindow(Cell(kColorMarsDisk));
    XmDrawingAreaCallbackStruct call{};
    XEvent event{};
    event.type = Expose;
    call.reason = XmCR_EXPOSE;
    call.event = &event;
    event.xexpose.count = 2;
    DrawingAreaExposeCallback(World().area, &scene, &call);
    {
        Snapshot shot(window(), 320, 240);
        EXPECT_EQ(shot.Pixel(160, 120), Cell(kColorMarsDisk));
    }
    event.xexpose.count = 0;
    DrawingAreaExposeCallback(World().area, &scene, &call);
    Snapshot shot(window(), 320, 240);
    EXPECT_EQ(shot.Pixel(160, 120), Cell(kFirstRampCell));
    EXPECT_EQ(shot.Pixel(5, 1), Cell(kColorStatusBackground));
    EXPECT_EQ(gRedraws, 1);
}

TEST_F(CanvasTest, DuringStartUpTheChartIsDrawnButNotCopied)
{
    gAppEnv->startingUp = 1;
    PaintWindow(Cell(kColorMarsDisk));
    Drive();
    EXPECT_EQ(gRedraws, 1);
    {
        Snapshot shot(window(), 320, 240);
        EXPECT_EQ(shot.Pixel(160, 120), Cell(kColorMarsDisk));
    }
    gAppEnv->startingUp = 0;
    UpdateSkyCanvas(scene);
    Snapshot shot(window(), 320, 240);
    EXPECT_EQ(shot.Pixel(160, 120), Cell(kFirstRampCell));
    EXPECT_EQ(gRedraws, 1);
}

TEST_F(CanvasTest, TraceDrawsOverThePreviousChartUntilThePixmapIsNew)
{
    Drive();
    scene.trace = 1;
    XSetForeground(display(), scene.gc, Cell(kColorMarsDisk));
    XFillRectangle(display(), scene.backPixmap, scene.gc, 100, 100, 4, 4);
    Drive();
    {
        Snapshot shot(scene.backPixmap, 320, 240);
        EXPECT_EQ(shot.Pixel(101, 101), Cell(kColorMarsDisk));
    }
    ResizeArea(330, 240);
    UpdateSkyCanvas(scene);
    Snapshot shot(scene.backPixmap, 330, 240);
    EXPECT_EQ(shot.Pixel(101, 101), Cell(kFirstRampCell));
}

TEST_F(CanvasTest, WindowLowerThanTheStatusStripKeepsNoPixmapUntilItGrows)
{
    const int strip = StatusLineHeight();
    ResizeArea(320, strip);
    Drive();
    EXPECT_EQ(scene.backPixmap, static_cast<Pixmap>(None));
    EXPECT_EQ(scene.view.skyRect.height, 0);
    EXPECT_EQ(gRedraws, 0);
    ResizeArea(320, strip - 3);
    UpdateSkyCanvas(scene);
    EXPECT_EQ(scene.backPixmap, static_cast<Pixmap>(None));

    ResizeArea(320, strip + 20);
    UpdateSkyCanvas(scene);
    ASSERT_NE(scene.backPixmap, static_cast<Pixmap>(None));
    EXPECT_EQ(scene.view.skyRect.height, 20);
    EXPECT_EQ(gRedraws, 1);
    Snapshot shot(scene.backPixmap, 320, strip + 20);
    EXPECT_EQ(shot.Pixel(160, strip + 10), Cell(kFirstRampCell));
}

// A window beyond the screen (65535 wide ended the program with BadAlloc
// from its pixmap) gets a chart the size of the screen.
TEST_F(CanvasTest, WindowLargerThanTheScreenGetsAChartTheSizeOfTheScreen)
{
    const Screen* screen = XtScreen(World().area);
    ResizeArea(65000, 64000);
    Drive();
    ASSERT_NE(scene.backPixmap, static_cast<Pixmap>(None));
    EXPECT_EQ(scene.view.skyRect.width, WidthOfScreen(screen));
    EXPECT_EQ(scene.view.skyRect.y + scene.view.skyRect.height, HeightOfScreen(screen));
    EXPECT_EQ(gRedraws, 1);
    Window root;
    int x, y;
    unsigned int width, height, border, depth;
    XGetGeometry(display(), scene.backPixmap, &root, &x, &y, &width, &height, &border, &depth);
    EXPECT_EQ(static_cast<int>(width), WidthOfScreen(screen));
    EXPECT_EQ(static_cast<int>(height), HeightOfScreen(screen));
}

TEST_F(CanvasTest, AitoffMapPaintsOutsideTheEllipseInThePlanisphereColour)
{
    scene.viewMode = kModeAll2Eqt;
    scene.view.fieldOfView = 360.0;
    // At the equinox the Sun stands at the map's centre; the centre pixel
    // is to show the bare sky.
    scene.sunFlags = 0;
    Drive();
    Snapshot shot(scene.backPixmap, 320, 240);
    const int strip = StatusLineHeight();
    EXPECT_EQ(shot.Pixel(2, strip + 2), Cell(kColorPlanisphereBack));
    EXPECT_EQ(shot.Pixel(scene.view.screenCentreX, scene.view.screenCentreY), Cell(kFirstRampCell));
    // No daylight in an equatorial map, whatever the Sun does.
    EXPECT_EQ(scene.daylightLevel, 0);
}

TEST_F(CanvasTest, ModeChangeRefreshesTheModeWidgetsFirstAndOnlyWhenDrawn)
{
    static int refreshed = 0;
    refreshed = 0;
    gCanvasHooks.refreshModeWidgets = [](Scene& s) {
        ++refreshed;
        s.viewModeChanged = 0;
    };
    scene.viewModeChanged = 1;
    Drive();
    Drive();
    EXPECT_EQ(refreshed, 1);
    // An expose between two commands (the window's size unchanged): the
    // pending mode is neither laid out nor drawn until the next redraw.
    const int drawn = gRedraws;
    scene.viewModeChanged = 1;
    UpdateSkyCanvas(scene);
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(gRedraws, drawn);
    EXPECT_EQ(scene.viewModeChanged, 1);
    Drive();
    EXPECT_EQ(refreshed, 2);
    EXPECT_EQ(gRedraws, drawn + 1);
}

TEST(ViewLimits, WideningLowersTheCentreLimitWithAFloorAndRestoringPutsAllBack)
{
    Scene scene{};
    const auto expectLimits = [&](int32_t centre, int32_t horizon) {
        EXPECT_EQ(scene.view.centreLimit, centre);
        EXPECT_DOUBLE_EQ(scene.view.centreLimitDouble, centre / 16384.0);
        EXPECT_EQ(scene.view.horizonLimit, horizon);
        EXPECT_DOUBLE_EQ(scene.view.horizonLimitDouble, horizon / 16384.0);
    };
    scene.view.centreLimit = 12000;
    scene.view.centreLimitDouble = 12000 / 16384.0;
    scene.view.horizonLimit = 0;
    scene.view.horizonLimitDouble = 0.0;
    ViewLimitsSave save{};
    WidenViewLimits(2048, -8192, scene, save);
    expectLimits(9952, -8192);
    RestoreViewLimits(scene, save);
    expectLimits(12000, 0);

    scene.view.centreLimit = -15000;
    WidenViewLimits(4096, -16384, scene, save);
    EXPECT_EQ(scene.view.centreLimit, -16344);
    EXPECT_EQ(scene.view.horizonLimit, -16384);
}

TEST(SunEventTime, ClockStaysAsSetWhereTheSunDoesNotRiseAndTheTimeRecordIsRebuilt)
{
    Scene scene{};
    ResetScene(scene);
    // Polar night: the sunrise lock has no event to move the clock to.
    const DateTime date{2024, 12, 21, 12, 0, 0.0, 9.0};
    AstroTimeFromDate(date, ObserverLocation{80.0, 139.77, 40.0}, scene.time);
    const double day = scene.time.julianDay;
    scene.time.julianDay = 0.0;
    scene.animation.sunEventLock = 1;
    scene.animation.sunEventValue = 30;
    ApplySunEventTime(scene);
    EXPECT_DOUBLE_EQ(scene.time.julianDay, day);
    EXPECT_EQ(scene.time.date.hour, 12);
    EXPECT_EQ(scene.time.date.minute, 0);
}

}  // namespace
