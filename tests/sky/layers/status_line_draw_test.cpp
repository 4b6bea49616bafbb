// The status line drawn on Xvfb and read back: the Moon icon's phase, where
// the texts and the three icon slots stand, the hit test, hiding the line,
// and resource formats that do not fit being replaced by the defaults.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/layers/status_line.h"

#include <cstring>
#include <string>

using namespace canvastest;

namespace {

constexpr int kWide = 1200;   // room for every text and the three icon slots

Scene gStatusScene;

class StatusLineDrawing : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ExtraResources() = {
            "UVola*messageStatusDateTime2: %s/%s/%s",
            "UVola*messageStatusSite: %d %n",
            "UVola*messageStatusWidth: Field %.0f deg",
            "UVola*messageStatusDayOfWeek06: %n%s",
            std::string("UVola*messageStatusDateTime1: ") + std::string(70, 'x') + "%4d",
        };
        World();
    }

    void SetUp() override
    {
        ASSERT_NE(World().area, nullptr);
        ASSERT_EQ(World().fontsLoaded, 1);
        ResizeArea(320, 240);
        PrepareScene(scene);
        scene.statusLine = 1;
        scene.dateStyle = 0;
        scene.time.date = DateTime{2026, 12, 5, 12, 0, 0.0, 9.0};
        std::strcpy(scene.siteName, "Tokyo");
        scene.view.fieldOfView = 60.0;
        scene.moon.illuminatedFraction = 0.5;
        scene.moon.age = 7.4;
        h = StatusLineHeight();
        rect = XRectangle{0, 0, kWide, static_cast<unsigned short>(h)};
        scene.view.skyRect = XRectangle{0, static_cast<short>(h), kWide, 100};
        pixmap = XCreatePixmap(display(), XtWindow(World().area), kWide, h + 100,
                               DefaultDepthOfScreen(gAppEnv->screen));
        XSetForeground(display(), scene.gc, Cell(kColorWhite));
        XFillRectangle(display(), pixmap, scene.gc, 0, 0, kWide, h + 100);
    }
    void TearDown() override { XFreePixmap(display(), pixmap); }

    Display* display() { return gAppEnv->display; }
    unsigned long Ink() { return Cell(kColorStatusFont); }

    // The line drawn, and the pixels of a colour in its columns [x0, x1)
    // above the bottom rule.
    Snapshot Draw()
    {
        DrawStatusBar(scene, pixmap, rect);
        return Snapshot(pixmap, kWide, h);
    }
    int Count(const Snapshot& shot, int x0, int x1, unsigned long pixel) const
    {
        return shot.CountIn(x0, 0, x1 - 1, h - 2, pixel);
    }

    // Where the icon slots start: just after the texts.
    int SlotsStart()
    {
        char date[kStatusTextSize], site[kStatusTextSize], width[kStatusTextSize];
        FormatStatusDate(scene.time.date, scene.dateStyle, date, sizeof date);
        FormatStatusSite(scene.time.location, scene.time.date.zone, scene.siteName, site, sizeof site);
        FormatStatusWidth(scene.view.fieldOfView, width, sizeof width);
        return DrawStatusBarFields(scene, pixmap, rect, 7 * h / 3, date, site, width);
    }

    Scene& scene = gStatusScene;
    Pixmap pixmap = None;
    XRectangle rect{};
    int h = 0;
};

TEST_F(StatusLineDrawing, LineIsFilledAndRuledAndTheTextsStartRightOfTheMoon)
{
    ASSERT_GE(h, 13);
    const int end = SlotsStart();
    DrawStatusBar(scene, pixmap, rect);
    Snapshot shot(pixmap, kWide, h + 100);
    const int x0 = 7 * h / 3;
    EXPECT_EQ(shot.Pixel(x0 - 1, 0), Cell(kColorStatusBackground));
    EXPECT_EQ(shot.Pixel(kWide - 1, h / 2), Cell(kColorStatusBackground));
    EXPECT_EQ(shot.Pixel(kWide - 2, h - 1), BlackPixel(display(), DefaultScreen(display())));
    EXPECT_EQ(shot.Pixel(10, h), Cell(kColorWhite));   // the sky below is not touched
    EXPECT_GT(Count(shot, x0, x0 + 40, Ink()), 10);    // the date's first letters
    EXPECT_GT(Count(shot, (x0 + end) / 2, end, Ink()), 10);
    EXPECT_GT(end - x0, 200);
    EXPECT_EQ(Count(shot, end, kWide, Ink()), 0);
}

TEST_F(StatusLineDrawing, DegreeSignDoesNotCutTheSiteText)
{
    // The default formats carry the Latin-1 degree sign, which the C locale
    // of the tests has no character for: the sign is drawn with the Latin-1
    // font, and the text after it still shows.
    const int x0 = 7 * h / 3;
    const int withSigns = DrawStatusBarFields(scene, pixmap, rect, x0, "", "1.00\260E 2.00\260N (+0.0h)  Greenwich", "");
    const int withoutSigns = DrawStatusBarFields(scene, pixmap, rect, x0, "", "1.00E 2.00N (+0.0h)  Greenwich", "");
    EXPECT_GT(withSigns, withoutSigns);
    Snapshot shot(pixmap, kWide, h);
    EXPECT_GT(Count(shot, (x0 + withoutSigns) / 2, withoutSigns, Ink()), 20);   // "Greenwich"
}

TEST_F(StatusLineDrawing, MoonIconShowsItsPhaseAndTheAgeBesideIt)
{
    const int r = 4 * h / 13, cx = 3 * r, cy = h / 2;
    const unsigned long lit = Cell(kColorStar5), dark = Cell(kColorGlobeBack);
    // Waxing, the right half lit, and the ring around it; waning, the left.
    const Snapshot waxing = Draw();
    EXPECT_EQ(waxing.Pixel(cx + r / 2 + 1, cy), lit);
    EXPECT_EQ(waxing.Pixel(cx - r / 2 - 1, cy), dark);
    EXPECT_EQ(waxing.Pixel(cx + r + 1, cy), dark);
    EXPECT_GT(Count(waxing, cx + 2 * r, 7 * h / 3, Ink()), 5);
    scene.moon.age = 22.0;
    const Snapshot waning = Draw();
    EXPECT_EQ(waning.Pixel(cx - r / 2 - 1, cy), lit);
    EXPECT_EQ(waning.Pixel(cx + r / 2 + 1, cy), dark);
    // New, all dark; full, all lit.
    scene.moon.illuminatedFraction = 0.0;
    scene.moon.age = 0.1;
    const Snapshot fresh = Draw();
    EXPECT_EQ(Count(fresh, 0, cx + r + 2, lit), 0);
    EXPECT_GT(Count(fresh, 0, cx + r + 2, dark), 3 * r * r);
    scene.moon.illuminatedFraction = 1.0;
    scene.moon.age = 14.8;
    const Snapshot full = Draw();
    EXPECT_GT(Count(full, 0, cx + r + 2, lit), 2 * r * r);
    EXPECT_EQ(full.Pixel(cx - r / 2, cy), lit);
    EXPECT_EQ(full.Pixel(cx + r / 2, cy), lit);
}

TEST_F(StatusLineDrawing, IconSlotsKeepTheirPlaces)
{
    // The slots right of the texts: tracking, trace, the Sun-event lock.
    // Centring once is not tracking.
    const int x = SlotsStart();
    ASSERT_LT(x + 3 * h, kWide);
    for (auto [lock, centring, trace, slot] : {std::tuple{1, 0, 0, 2}, {0, 2, 0, 0}, {0, 1, 1, 1}}) {
        scene.animation.sunEventLock = lock;
        scene.centring = centring;
        scene.trace = static_cast<uint8_t>(trace);
        const Snapshot shot = Draw();
        EXPECT_EQ(Count(shot, x, x + slot * h, Ink()), 0) << slot;
        EXPECT_GT(Count(shot, x + slot * h, x + (slot + 1) * h, Ink()), slot == 0 ? h / 2 : h) << slot;
        EXPECT_EQ(Count(shot, x + (slot + 1) * h, kWide, Ink()), 0) << slot;
    }
}

TEST_F(StatusLineDrawing, HiddenLineDrawsNothingAndHitsNothing)
{
    scene.statusLine = 0;
    EXPECT_EQ(Count(Draw(), 0, kWide, Cell(kColorWhite)), kWide * (h - 1));
    for (XPoint p : {XPoint{0, 0}, XPoint{5, 3}, XPoint{319, static_cast<short>(h - 1)}}) {
        EXPECT_EQ(PointInStatusLine(scene, p), 0);
    }
}

TEST_F(StatusLineDrawing, PointInStatusLineCoversTheDrawingAreaWidth)
{
    XRectangle line{};
    StatusLineRect(scene, line);
    EXPECT_EQ((std::array{line.x, line.y}), (std::array<short, 2>{0, 0}));
    EXPECT_EQ((std::array{int{line.width}, int{line.height}}), (std::array{320, h}));
    for (auto [x, y, in] : {std::tuple{0, 0, 1}, {319, h - 1, 1}, {320, 0, 0}, {0, h, 0}, {-1, 0, 0}, {0, -1, 0}})
        EXPECT_EQ(PointInStatusLine(scene, XPoint{static_cast<short>(x), static_cast<short>(y)}), in) << x << "," << y;
}

TEST_F(StatusLineDrawing, HidingTheLineMovesTheSkyUp)
{
    gCanvasHooks.drawStatusBar = DrawStatusBar;
    scene.view.skyRect = XRectangle{0, 0, 0, 0};
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    EXPECT_EQ(scene.view.skyRect.y, h);
    {
        Snapshot shot(scene.backPixmap, 320, 240);
        EXPECT_EQ(shot.Pixel(7 * h / 3 - 1, 1), Cell(kColorStatusBackground));
        EXPECT_EQ(shot.Pixel(5, h), Cell(kFirstRampCell));
        EXPECT_GT(Count(shot, 7 * h / 3, 320, Ink()), 50);   // the texts are drawn through the hook
    }
    scene.statusLine = 0;
    scene.redrawRequested = 1;
    UpdateSkyCanvas(scene);
    EXPECT_EQ(scene.view.skyRect.y, 0);
    EXPECT_EQ(scene.view.skyRect.height, 240);
    Snapshot shot(scene.backPixmap, 320, 240);
    EXPECT_EQ(shot.Pixel(7 * h / 3 - 1, 1), Cell(kFirstRampCell));
    EXPECT_EQ(shot.Pixel(160, 1), Cell(kFirstRampCell));
}

TEST_F(StatusLineDrawing, FormatsThatDoNotFitTheirValuesAreReplacedByTheDefaults)
{
    const DateTime saturday{2026, 12, 5, 12, 0, 0.0, 9.0};
    char text[kStatusTextSize];
    // "%s/%s/%s" would read integers as strings; the weekday name "%n%s"
    // is only a text.
    FormatStatusDate(saturday, 2, text, sizeof text);
    EXPECT_EQ(std::string(text), " 5/12/2026(%n%s) 12:00  ");
    // A format cut at its 63 bytes keeps no conversion.
    FormatStatusDate(saturday, 1, text, sizeof text);
    EXPECT_EQ(std::string(text), std::string(63, 'x') + "  ");
    FormatStatusSite(ObserverLocation{35.68, 139.77, 0.0}, 9.0, "Tokyo", text, sizeof text);
    EXPECT_EQ(std::string(text), "139.77\260E 35.68\260N (+9.0h)  Tokyo");
    // A format that fits is used.
    FormatStatusWidth(60.0, text, sizeof text);
    EXPECT_EQ(std::string(text), "Field 60 deg");
}

}  // namespace
