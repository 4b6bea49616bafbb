// Pixels of a TrueColor screen worked out in the program against the
// server's own XAllocColor, at 24 and at 16 bits deep, for every colour the
// palette can hold; the palette and the sky ramp asking the server nothing
// a redraw does not need; and on an 8-bit PseudoColor screen the ramp's
// writable cells stored only when their colour changes.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/redraw_shortcuts.h"
#include "sky/true_color.h"
#include "sky/view/daylight.h"
#include "tests/harness/x_request_log.h"

#include <X11/Xproto.h>

using namespace canvastest;

namespace {

bool IsTrueColor() { return DefaultVisualIsTrueColor(gAppEnv->display); }

XColor ColorOf(unsigned red, unsigned green, unsigned blue)
{
    XColor color{};
    color.red = static_cast<unsigned short>(red);
    color.green = static_cast<unsigned short>(green);
    color.blue = static_cast<unsigned short>(blue);
    color.flags = DoRed | DoGreen | DoBlue;
    return color;
}

XColor ColorOf(const Rgb8& rgb)
{
    return ColorOf(static_cast<unsigned>(rgb.red) * 256, static_cast<unsigned>(rgb.green) * 256,
                   static_cast<unsigned>(rgb.blue) * 256);
}

Rgb8 ParseHex(const char* text)
{
    const unsigned long value = std::strtoul(text + 1, nullptr, 16);
    return Rgb8{static_cast<int32_t>(value >> 16 & 0xFF), static_cast<int32_t>(value >> 8 & 0xFF),
                static_cast<int32_t>(value & 0xFF)};
}

// Every colour the palette can be asked for, as the program asks (8-bit
// components times 256): the resource defaults and their fallbacks, every
// ramp cell at every daylight level for each colour the Sun is drawn in,
// and all 256 steps of each channel alone and of grey.
std::vector<XColor> PaletteColours()
{
    std::vector<Rgb8> rgb;
    for (int i = 0; i < kColorResourceCount; ++i) {
        rgb.push_back(ParseHex(ColorResourceTable[i].defaultValue));
        rgb.push_back(FallbackColorTable[i]);
    }
    for (int sun = kColorStar0; sun <= kColorStar9; ++sun) {
        for (int level = 0; level <= 72; ++level) {
            for (const Rgb8& cell : RampCellColors(level, FallbackColorTable[sun])) {
                rgb.push_back(cell);
            }
        }
    }
    for (int v = 0; v < 256; ++v) {
        rgb.insert(rgb.end(), {Rgb8{v, 0, 0}, Rgb8{0, v, 0}, Rgb8{0, 0, v}, Rgb8{v, v, v}});
    }
    std::vector<XColor> colours;
    for (const Rgb8& c : rgb) {
        colours.push_back(ColorOf(c));
    }
    return colours;
}

class TrueColorPixels : public ::testing::Test {
protected:
    void SetUp() override
    {
        World();
        if (!IsTrueColor()) {
            GTEST_SKIP() << "needs a TrueColor server (run under --xvfb or --depth16)";
        }
    }

    unsigned long ServerPixel(XColor color) const
    {
        Display* display = gAppEnv->display;
        EXPECT_NE(XAllocColor(display, DefaultColormap(display, DefaultScreen(display)), &color), 0);
        return color.pixel;
    }

    unsigned long MaskPixel(const XColor& color) const
    {
        Display* display = gAppEnv->display;
        const int screen = DefaultScreen(display);
        return TrueColorPixel(DefaultVisual(display, screen), DefaultDepth(display, screen), color);
    }
};

TEST_F(TrueColorPixels, EveryPaletteColourMatchesTheServersPixel)
{
    int compared = 0;
    for (const XColor& colour : PaletteColours()) {
        ASSERT_EQ(MaskPixel(colour), ServerPixel(colour))
            << "rgb " << colour.red << " " << colour.green << " " << colour.blue << " at depth "
            << DefaultDepth(gAppEnv->display, DefaultScreen(gAppEnv->display));
        ++compared;
    }
    EXPECT_GT(compared, 7000);
}

// Resources may name colours in 16 bits a channel; the server's rounding to
// the channel's bits is followed at every value.
TEST_F(TrueColorPixels, SixteenBitComponentsRoundAsTheServerRounds)
{
    for (unsigned v = 0; v <= 65535; v += 97) {
        const XColor colour = ColorOf(v, 65535 - v, (v * 7) & 0xFFFF);
        ASSERT_EQ(MaskPixel(colour), ServerPixel(colour)) << v;
    }
    for (unsigned v : {0u, 1u, 127u, 128u, 129u, 255u, 256u, 32767u, 32768u, 65279u, 65280u, 65534u, 65535u}) {
        const XColor colour = ColorOf(v, v, v);
        EXPECT_EQ(MaskPixel(colour), ServerPixel(colour)) << v;
    }
}

// The palette was made from the masks: its pixels are the server's.
TEST_F(TrueColorPixels, PaletteAndRampCellsHoldTheServersPixels)
{
    Scene scene{};
    ResetScene(scene);
    scene.sun.eclipseMagnitude = -1.0;
    for (int level : {0, 20, 36, 48, 72}) {
        scene.daylightLevel = level;
        SetSkyColors(scene);
        const auto cells = RampCellColors(level, FallbackColorTable[SunColorIndex(scene)]);
        for (int i = 0; i < kRampCellCount; ++i) {
            EXPECT_EQ(gAppEnv->pixels[kFirstRampCell + i], ServerPixel(ColorOf(cells[i])))
                << "level " << level << " cell " << i;
        }
    }
    for (int i = 0; i < kColorResourceCount; ++i) {
        EXPECT_EQ(gAppEnv->pixels[i], ServerPixel(ColorOf(ParseHex(ColorResourceTable[i].defaultValue))))
            << ColorResourceTable[i].name;
    }
}

// Start-up asks the server for one colour, the probe; a redraw's ramp asks
// for none. With the short cuts off every cell is asked for again.
TEST_F(TrueColorPixels, PaletteAsksOnceAndTheRampNever)
{
    Display* display = gAppEnv->display;
    StartXRequestLog(display);
    ASSERT_EQ(AllocColorPalette(), 1);
    EXPECT_EQ(CountXRequests(StopXRequestLog(display), X_AllocColor), 1);

    Scene scene{};
    ResetScene(scene);
    scene.sun.eclipseMagnitude = -1.0;
    StartXRequestLog(display);
    for (int level = 0; level <= 72; level += 8) {
        scene.daylightLevel = level;
        SetSkyColors(scene);
    }
    EXPECT_EQ(StopXRequestLog(display).size(), 0u);

    gRedrawShortcuts.keepColors = 0;
    StartXRequestLog(display);
    SetSkyColors(scene);
    EXPECT_EQ(CountXRequests(StopXRequestLog(display), X_AllocColor), kRampCellCount);
    gRedrawShortcuts.keepColors = 1;
}

class WritableRampCells : public ::testing::Test {
protected:
    void SetUp() override
    {
        World();
        if (!gAppEnv->writableColorCells) {
            GTEST_SKIP() << "needs a PseudoColor server (run under --depth8)";
        }
    }
};

// The cells are stored when their colour changes and only then; what they
// show follows every change.
TEST_F(WritableRampCells, StoredOnlyWhenTheirColourChanges)
{
    Display* display = gAppEnv->display;
    Scene scene{};
    ResetScene(scene);
    scene.sun.eclipseMagnitude = -1.0;
    scene.daylightLevel = 10;
    SetSkyColors(scene);
    StartXRequestLog(display);
    SetSkyColors(scene);
    EXPECT_EQ(CountXRequests(StopXRequestLog(display), X_StoreColors), 0);

    scene.daylightLevel = 60;
    StartXRequestLog(display);
    SetSkyColors(scene);
    EXPECT_EQ(CountXRequests(StopXRequestLog(display), X_StoreColors), 1);
    EXPECT_EQ(ColorOfPixel(gAppEnv->pixels[kFirstRampCell]), ZenithRamp()[48]);

    scene.daylightLevel = 10;
    SetSkyColors(scene);
    EXPECT_EQ(ColorOfPixel(gAppEnv->pixels[kFirstRampCell]), ZenithRamp()[10]);
}

}  // namespace
