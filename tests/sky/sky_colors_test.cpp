// The palette, the daylight level and the sky ramps. The program runs on a
// 24-bit TrueColor server and again on an 8-bit PseudoColor one, where the
// ramp cells are writable and a daylight change recolours a drawn chart.
#include "tests/sky/sky_canvas_fixture.h"

#include "sky/draw_sky.h"
#include "sky/layers/grid_layer.h"
#include "sky/view/daylight.h"

#include <cstdlib>

using namespace canvastest;

namespace {

Scene gColorScene;

bool IsPseudoColor()
{
    Display* display = gAppEnv->display;
    return DefaultVisual(display, DefaultScreen(display))->c_class == PseudoColor;
}

// Every resource default is a "#RRGGBB" text.
Rgb8 ParseHex(const char* text)
{
    const unsigned long value = std::strtoul(text + 1, nullptr, 16);
    return Rgb8{static_cast<int32_t>(value >> 16 & 0xFF), static_cast<int32_t>(value >> 8 & 0xFF),
                static_cast<int32_t>(value & 0xFF)};
}

int MaxChannelStep(const Rgb8& a, const Rgb8& b)
{
    return std::max({std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

template <size_t N>
int MaxStep(const std::array<Rgb8, N>& ramp)
{
    int step = 0;
    for (size_t i = 1; i < N; ++i) {
        step = std::max(step, MaxChannelStep(ramp[i - 1], ramp[i]));
    }
    return step;
}

class PaletteTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ExtraResources() = {
            "UVola*ColorStar3: #123456",
            "UVola*ColorSaturnRingA: no such colour",
            "UVola*ColorGlobeBack: red",
        };
        World();
    }
};

TEST_F(PaletteTest, EveryColourResourceFillsItsOwnCell)
{
    ASSERT_NE(gAppEnv->display, nullptr);
    EXPECT_EQ(gAppEnv->writableColorCells, IsPseudoColor() ? 1 : 0);
    for (int i = 0; i < kColorResourceCount; ++i) {
        Rgb8 want = ParseHex(ColorResourceTable[i].defaultValue);
        if (i == kColorStar3) {
            want = Rgb8{0x12, 0x34, 0x56};
        } else if (i == kColorSaturnRingA) {
            want = FallbackColorTable[kColorSaturnRingA];   // not a colour: the built-in triple
        } else if (i == kColorGlobeBack) {
            want = Rgb8{255, 0, 0};
        }
        EXPECT_EQ(ColorOfPixel(gAppEnv->pixels[i]), want) << ColorResourceTable[i].name;
    }
}

TEST_F(PaletteTest, ResourceNamesAreTheProgramsOwnAndTheFallbackTriplesMatchBarTheRings)
{
    EXPECT_STREQ(ColorResourceTable[kColorCometDustTail].name, "ColorCometDulstTail");
    EXPECT_STREQ(ColorResourceTable[kColorNebulaNameFont].name, "ColorNabulaNameFont");
    EXPECT_STREQ(ColorResourceTable[kColorPlanisphereBack].name, "ColorPlanisphereBack");
    EXPECT_STREQ(ColorResourceTable[kColorStatusBackground].name, "ColorStatusBackground");
    EXPECT_STREQ(ColorResourceTable[kColorPictureMark].name, "ColorPictureMark");
    for (int i = 0; i < kColorResourceCount; ++i) {
        const bool ring = i == kColorSaturnRingA || i == kColorSaturnRingB;
        EXPECT_EQ(FallbackColorTable[i] == ParseHex(ColorResourceTable[i].defaultValue), !ring)
            << ColorResourceTable[i].name;
    }
    EXPECT_EQ(FallbackColorTable[kColorSaturnRingB], ParseHex(ColorResourceTable[kColorSaturnRingA].defaultValue));
}

TEST_F(PaletteTest, WritableCellsAreRecolouredWithoutRedrawing)
{
    if (!IsPseudoColor()) {
        GTEST_SKIP() << "needs a PseudoColor server (run under --depth8)";
    }
    ResizeArea(200, 150);
    PrepareScene(gColorScene);
    gColorScene.time.date.hour = 0;   // midnight: night sky
    gColorScene.displayFlags[kFlagSkyAndGround] &= ~kHorizonFlag;   // sky down to the bottom edge
    gColorScene.redrawRequested = 1;
    UpdateSkyCanvas(gColorScene);
    const Pixmap pixmap = gColorScene.backPixmap;
    unsigned long skyPixel = 0;
    {
        Snapshot shot(pixmap, 200, 150);
        skyPixel = shot.Pixel(100, 100);
    }
    EXPECT_EQ(skyPixel, gAppEnv->pixels[kFirstRampCell]);
    EXPECT_EQ(ColorOfPixel(skyPixel), ZenithRamp()[0]);

    // Daylight changes; the cells alone take the new colours.
    gColorScene.sun.altitude = 40.0;
    ComputeDaylightLevel(gColorScene);
    SetSkyColors(gColorScene);
    Snapshot shot(pixmap, 200, 150);
    EXPECT_EQ(shot.Pixel(100, 100), skyPixel);
    EXPECT_EQ(ColorOfPixel(skyPixel), ZenithRamp()[kZenithRampLevels - 1]);
}

TEST_F(PaletteTest, ReadOnlyVisualAllocatesTheRampAnew)
{
    if (IsPseudoColor()) {
        GTEST_SKIP() << "needs a TrueColor server";
    }
    Scene scene{};
    ResetScene(scene);
    scene.sun.eclipseMagnitude = -1.0;
    scene.daylightLevel = 0;
    SetSkyColors(scene);
    const unsigned long night = gAppEnv->pixels[kFirstRampCell];
    scene.daylightLevel = 48;
    SetSkyColors(scene);
    EXPECT_NE(gAppEnv->pixels[kFirstRampCell], night);
    EXPECT_EQ(ColorOfPixel(gAppEnv->pixels[kFirstRampCell]), ZenithRamp()[48]);
    EXPECT_EQ(ColorOfPixel(gAppEnv->pixels[kFirstRampCell + 4]), HorizonRamp()[48]);
}

TEST(SkyRamps, PassThroughTheFixedColoursAndStepSmoothly)
{
    EXPECT_EQ(ZenithRamp()[0], (Rgb8{0, 0, 16}));
    EXPECT_EQ(ZenithRamp()[48], (Rgb8{80, 128, 240}));
    EXPECT_EQ(MiddleRamp()[72], (Rgb8{80, 144, 240}));
    EXPECT_EQ(HorizonRamp()[36], (Rgb8{229, 89, 48}));
    EXPECT_EQ(HorizonRamp()[72], (Rgb8{80, 160, 240}));
    // No channel jumps between neighbouring levels.
    EXPECT_LE(MaxStep(ZenithRamp()), 12);
    EXPECT_LE(MaxStep(MiddleRamp()), 12);
    EXPECT_LE(MaxStep(HorizonRamp()), 20);
    // The sunset glow is the reddest the horizon gets.
    for (const Rgb8& c : HorizonRamp()) {
        EXPECT_LE(c.red, 229);
    }
    // Night is darker than day in every part of the sky.
    for (int level = 1; level <= 24; ++level) {
        EXPECT_GE(ZenithRamp()[level].blue, ZenithRamp()[level - 1].blue) << level;
    }
}

TEST(SkyRamps, CellsFollowTheirRule)
{
    const Rgb8 sun{239, 239, 239};
    const auto cells = RampCellColors(60, sun);
    const Rgb8 z = ZenithRamp()[48];   // the zenith stops at its last level
    const Rgb8 m = MiddleRamp()[60];
    const Rgb8 h = HorizonRamp()[60];
    EXPECT_EQ(cells[0], z);
    EXPECT_EQ(cells[1], (Rgb8{(z.red + m.red) / 2, (z.green + m.green) / 2, (z.blue + m.blue) / 2}));
    EXPECT_EQ(cells[2], m);
    EXPECT_EQ(cells[3], (Rgb8{(m.red + h.red) / 2, (m.green + h.green) / 2, (m.blue + h.blue) / 2}));
    EXPECT_EQ(cells[4], h);
    // Toward the Sun in fifths, truncated: 80 + 159 x 3 / 5 = 175.4.
    EXPECT_EQ(cells[7].red, 175);
    EXPECT_EQ(cells[8], (Rgb8{80 + 159 * 4 / 5, 128 + 111 * 4 / 5, 240 - 1 * 4 / 5}));
    EXPECT_EQ(RampCellColors(200, sun)[2], MiddleRamp()[72]);
    EXPECT_EQ(RampCellColors(-5, sun)[0], ZenithRamp()[0]);
}

TEST(DaylightLevel, FollowsTheSunFromNightToFullDayAndDarkensInAnEclipse)
{
    // Truncated toward zero; an eclipse darkens the day but not the dusk.
    for (auto [altitude, eclipse, level] :
         {std::tuple{-18.0, -1.0, 0}, {-40.0, -1.0, 0}, {0.0, -1.0, 36}, {0.4, -1.0, 36}, {-0.6, -1.0, 35},
          {18.0, -1.0, 72}, {75.0, -1.0, 72}, {30.0, 1.02, 26}, {-10.0, 1.02, 16}, {30.0, 0.6, 70}})
        EXPECT_EQ(DaylightLevelFor(altitude, eclipse), level) << altitude << " " << eclipse;
    for (auto [magnitude, reduction] :
         {std::pair{1.02, 46}, {0.997, 34}, {0.992, 28}, {0.97, 16}, {0.5, 1}, {0.49, 0}})
        EXPECT_EQ(EclipseReduction(magnitude), reduction) << magnitude;
}

TEST(DaylightLevel, OnlyHorizontalViewsWithDaylightOnHaveIt)
{
    Scene scene{};
    ResetScene(scene);
    scene.sun.altitude = 30.0;
    scene.sun.eclipseMagnitude = -1.0;
    for (auto [mode, daylight, level] : {std::tuple{kModeHrz, 1, 72}, {kModeVola, 1, 72}, {kModeEqt, 1, 0},
                                         {kModeHrz, 0, 0}}) {
        scene.viewMode = mode;
        scene.displayFlags[kFlagSkyAndGround] = static_cast<uint8_t>(daylight ? 0x73 : 0x72);
        ComputeDaylightLevel(scene);
        EXPECT_EQ(scene.daylightLevel, level) << std::hex << mode << " " << daylight;
    }
}

TEST(SunColour, ReddensNearTheHorizonInTheHorizontalViewOnly)
{
    Scene scene{};
    ResetScene(scene);
    for (auto [mode, altitude, colour] : {std::tuple{kModeHrz, 30.0, kColorStar3}, {kModeHrz, 14.0, kColorStar4},
                                          {kModeHrz, 6.0, kColorStar7}, {kModeHrz, -3.0, kColorStar9},
                                          {kModeEcl, -3.0, kColorStar3}}) {
        scene.viewMode = mode;
        scene.sun.altitude = altitude;
        EXPECT_EQ(SunColorIndex(scene), colour) << std::hex << mode << std::dec << " " << altitude;
    }
}

}  // namespace
