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
    unsigned long Cell(int index) { return gAppEnv->pixels[index]; }
    unsigned long Ink() { return Cell(kColorStatusFont); }

    // Pixels of a colour in columns [x0, x1) above the bottom rule.
    int Count(const Snapshot& shot, int x0, int x1, unsigned long pixel)
    {
        int n = 0;
        for (int y = 0; y < h - 1; ++y) {
            for (int x = x0; x < x1; ++x) {
                n += shot.Pixel(x, y) == pixel;
            }
        }
        return n;
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

TEST_F(StatusLineDrawing, MoonIconShowsTheWaxingAndWaningHalves)
{
    const int r = 4 * h / 13;
    const int cx = 3 * r;
    const int cy = h / 2;
    DrawStatusBar(scene, pixmap, rect);
    {
        Snapshot shot(pixmap, kWide, h);
        EXPECT_EQ(shot.Pixel(cx + r / 2 + 1, cy), Cell(kColorStar5));     // lit on the right
        EXPECT_EQ(shot.Pixel(cx - r / 2 - 1, cy), Cell(kColorGlobeBack));
        EXPECT_EQ(shot.Pixel(cx + r + 1, cy), Cell(kColorGlobeBack));     // the ring around it
        EXPECT_GT(Count(shot, cx + 2 * r, 7 * h / 3, Ink()), 5);          // the age beside it
    }
    scene.moon.age = 22.0;
    DrawStatusBar(scene, pixmap, rect);
    Snapshot shot(pixmap, kWide, h);
    EXPECT_EQ(shot.Pixel(cx - r / 2 - 1, cy), Cell(kColorStar5));
    EXPECT_EQ(shot.Pixel(cx + r / 2 + 1, cy), Cell(kColorGlobeBack));
}

TEST_F(StatusLineDrawing, NewMoonIconIsAllDarkAndFullMoonAllLit)
{
    const int r = 4 * h / 13;
    const int cx = 3 * r;
    scene.moon.illuminatedFraction = 0.0;
    scene.moon.age = 0.1;
    DrawStatusBar(scene, pixmap, rect);
    {
        Snapshot shot(pixmap, kWide, h);
        EXPECT_EQ(Count(shot, 0, cx + r + 2, Cell(kColorStar5)), 0);
        EXPECT_GT(Count(shot, 0, cx + r + 2, Cell(kColorGlobeBack)), 3 * r * r);
    }
    scene.moon.illuminatedFraction = 1.0;
    scene.moon.age = 14.8;
    DrawStatusBar(scene, pixmap, rect);
    Snapshot shot(pixmap, kWide, h);
    EXPECT_GT(Count(shot, 0, cx + r + 2, Cell(kColorStar5)), 2 * r * r);
    EXPECT_EQ(shot.Pixel(cx - r / 2, h / 2), Cell(kColorStar5));
    EXPECT_EQ(shot.Pixel(cx + r / 2, h / 2), Cell(kColorStar5));
}

TEST_F(StatusLineDrawing, IconSlotsKeepTheirPlaces)
{
    const int x = SlotsStart();
    ASSERT_LT(x + 3 * h, kWide);
    // Only the Sun-event lock: its icon stands two slot widths right of the texts.
    scene.animation.sunEventLock = 1;
    DrawStatusBar(scene, pixmap, rect);
    {
        Snapshot shot(pixmap, kWide, h);
        EXPECT_EQ(Count(shot, x, x + 2 * h, Ink()), 0);
        EXPECT_GT(Count(shot, x + 2 * h, x + 3 * h, Ink()), h);
        EXPECT_EQ(Count(shot, x + 3 * h, kWide, Ink()), 0);
    }
    // Only tracking: the first slot.
    scene.animation.sunEventLock = 0;
    scene.centring = 2;
    DrawStatusBar(scene, pixmap, rect);
    {
        Snapshot shot(pixmap, kWide, h);
        EXPECT_GT(Count(shot, x, x + h, Ink()), h / 2);
        EXPECT_EQ(Count(shot, x + h, kWide, Ink()), 0);
    }
    // Centring once is not tracking; trace alone: the middle slot.
    scene.centring = 1;
    scene.trace = 1;
    DrawStatusBar(scene, pixmap, rect);
    Snapshot shot(pixmap, kWide, h);
    EXPECT_EQ(Count(shot, x, x + h, Ink()), 0);
    EXPECT_GT(Count(shot, x + h, x + 2 * h, Ink()), h);
    EXPECT_EQ(Count(shot, x + 2 * h, kWide, Ink()), 0);
}

TEST_F(StatusLineDrawing, HiddenLineDrawsNothingAndHitsNothing)
{
    scene.statusLine = 0;
    DrawStatusBar(scene, pixmap, rect);
    Snapshot shot(pixmap, kWide, h);
    EXPECT_EQ(Count(shot, 0, kWide, Cell(kColorWhite)), kWide * (h - 1));
    for (XPoint p : {XPoint{0, 0}, XPoint{5, 3}, XPoint{319, static_cast<short>(h - 1)}}) {
        EXPECT_EQ(PointInStatusLine(scene, p), 0);
    }
}

TEST_F(StatusLineDrawing, PointInStatusLineCoversTheDrawingAreaWidth)
{
    XRectangle line{};
    StatusLineRect(scene, line);
    EXPECT_EQ(line.x, 0);
    EXPECT_EQ(line.y, 0);
    EXPECT_EQ(line.width, 320);
    EXPECT_EQ(line.height, h);
    const short bottom = static_cast<short>(h - 1);
    EXPECT_EQ(PointInStatusLine(scene, XPoint{0, 0}), 1);
    EXPECT_EQ(PointInStatusLine(scene, XPoint{319, bottom}), 1);
    EXPECT_EQ(PointInStatusLine(scene, XPoint{320, 0}), 0);
    EXPECT_EQ(PointInStatusLine(scene, XPoint{0, static_cast<short>(h)}), 0);
    EXPECT_EQ(PointInStatusLine(scene, XPoint{-1, 0}), 0);
    EXPECT_EQ(PointInStatusLine(scene, XPoint{0, -1}), 0);
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
        int ink = 0;
        for (int x = 7 * h / 3; x < 320; ++x) {
            for (int y = 0; y < h - 1; ++y) {
                ink += shot.Pixel(x, y) == Ink();
            }
        }
        EXPECT_GT(ink, 50);   // the texts are drawn through the hook
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
