// The built-in star layer on a real canvas: the equatorial view pointed at
// Orion shows Betelgeuse and Rigel in their colour classes, leaves out the
// stars beyond the limit, and sizes symbols by magnitude steps; the horizon
// dimming and the magnitude labels.
#include "tests/sky/sky_canvas_fixture.h"

#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/layers/star_layer.h"
#include "sky/view/projection.h"

#include <cstdio>
#include <cstdlib>

using namespace canvastest;

namespace {

Scene gStarScene;

constexpr int kWidth = 480;
constexpr int kHeight = 360;

class StarLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_NE(World().area, nullptr);
        ResizeArea(kWidth, kHeight);
        PrepareScene(gStarScene);
        // Midnight in Tokyo in March: Orion is in the west, the sky dark.
        scene.time.date.hour = 0;
        scene.viewMode = kModeEqt;
        scene.view.centreLongitude = 83.0;
        scene.view.centreLatitude = 0.0;
        scene.view.fieldOfView = 40.0;
        scene.displayFlags[kFlagStars] = kStarFlag;
        scene.displayFlags[kFlagStarLabels] = 0;
    }

    void Drive()
    {
        scene.redrawRequested = 1;
        UpdateSkyCanvas(scene);
    }

    ProjectedPoint Place(int32_t star)
    {
        const BrightStarRecord& s = BrightStarTable[star];
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPoint(scene, FixedVector{s.x, s.y, s.z}, p), 1) << star;
        return p;
    }

    // No star of the table within `radius` pixels of the point, other than
    // `star` itself, is within the limit.
    bool Isolated(int32_t star, const ProjectedPoint& at, int radius)
    {
        int32_t last = 0;
        GetLastStarWithinLimit(scene, last);
        for (int32_t n = 0; n <= last; ++n) {
            const BrightStarRecord& s = BrightStarTable[n];
            ProjectedPoint p{};
            if (n != star && ProjectPoint(scene, FixedVector{s.x, s.y, s.z}, p) && std::abs(p.x - at.x) <= radius
                && std::abs(p.y - at.y) <= radius)
                return false;
        }
        return true;
    }

    // The picture, for a person to look at, when UVOLA_SHOT_DIR is set.
    void SaveShot(const char* name)
    {
        const char* dir = std::getenv("UVOLA_SHOT_DIR");
        if (!dir)
            return;
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        std::string path = std::string(dir) + "/" + name + ".ppm";
        FILE* file = std::fopen(path.c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fprintf(file, "P6\n%d %d\n255\n", kWidth, kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                Rgb8 c = ColorOfPixel(shot.Pixel(x, y));
                unsigned char rgb[3] = {static_cast<unsigned char>(c.red), static_cast<unsigned char>(c.green),
                                        static_cast<unsigned char>(c.blue)};
                std::fwrite(rgb, 1, 3, file);
            }
        std::fclose(file);
    }

    Scene& scene = gStarScene;
};

TEST_F(StarLayerTest, OrionsBrightStarsShowInTheirColours)
{
    scene.displayFlags[kFlagStarLabels] = kStarNameFlag | kBayerFlag | kStarMagFlag;
    Drive();
    SaveShot("orion_labels");
    scene.displayFlags[kFlagStarLabels] = 0;
    Drive();
    SaveShot("orion");
    ASSERT_EQ(scene.daylightLevel, 0);
    ASSERT_GE(scene.mag.starLimit, 30);

    int32_t betelgeuse = -1, rigel = -1;
    ASSERT_EQ(FindStarByName("alphaOri", betelgeuse), 1);
    ASSERT_EQ(FindStarByName("betaOri", rigel), 1);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    for (int32_t star : {betelgeuse, rigel}) {
        ProjectedPoint p = Place(star);
        ASSERT_GT(p.x, 0);
        ASSERT_LT(p.x, kWidth);
        unsigned long colour = gAppEnv->pixels[kColorStar0 + StarColourClass(BrightStarTable[star])];
        // Both are bright enough for the 3 x 3 block or the disc: the
        // centre and its four neighbours are the star's colour.
        EXPECT_EQ(shot.Pixel(p.x, p.y), colour) << star;
        EXPECT_EQ(shot.Pixel(p.x + 1, p.y), colour) << star;
        EXPECT_EQ(shot.Pixel(p.x - 1, p.y), colour) << star;
        EXPECT_EQ(shot.Pixel(p.x, p.y + 1), colour) << star;
        EXPECT_EQ(shot.Pixel(p.x, p.y - 1), colour) << star;
    }
    // Betelgeuse is red, Rigel blue-white.
    EXPECT_GE(StarColourClass(BrightStarTable[betelgeuse]), 7);
    EXPECT_LE(StarColourClass(BrightStarTable[rigel]), 1);
}

TEST_F(StarLayerTest, StarsBeyondTheLimitAreNotDrawn)
{
    scene.mag.requestPending = 1;         // MAG STAR 4.0
    scene.mag.requestedValue = 40;
    Drive();
    ASSERT_EQ(scene.mag.starLimit, 40);
    int32_t last = 0;
    ASSERT_EQ(GetLastStarWithinLimit(scene, last), 1);
    ASSERT_LT(last + 1, kBrightStarCount);
    const unsigned long sky = gAppEnv->pixels[scene.background];
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    int checked = 0;
    for (int32_t n = last + 1; n < kBrightStarCount && checked < 5; ++n) {
        ASSERT_GT(StarMagnitude10(BrightStarTable[n]), scene.mag.starLimit);
        const BrightStarRecord& s = BrightStarTable[n];
        ProjectedPoint p{};
        if (!ProjectPoint(scene, FixedVector{s.x, s.y, s.z}, p) || p.y < scene.view.skyRect.y + 3
            || p.x < 3 || p.x > kWidth - 3 || p.y > kHeight - 3 || !Isolated(n, p, 3))
            continue;
        EXPECT_EQ(shot.Pixel(p.x, p.y), sky) << n;
        ++checked;
    }
    EXPECT_EQ(checked, 5);

    // The last star within the limit is drawn: one pixel in the faint-star
    // colour when it is at the limit, its own colour when brighter.
    for (int32_t n = last; n >= 0; --n) {
        const BrightStarRecord& s = BrightStarTable[n];
        ProjectedPoint p{};
        if (!ProjectPoint(scene, FixedVector{s.x, s.y, s.z}, p) || p.y < scene.view.skyRect.y + 3
            || !Isolated(n, p, 3))
            continue;
        EXPECT_NE(shot.Pixel(p.x, p.y), sky) << n;
        break;
    }
}

TEST_F(StarLayerTest, SymbolSizesFollowTheMagnitudeSteps)
{
    Drive();
    scene.mag.starLimit = 45;
    scene.mag.faintStarColor = kColorDarkStar;
    const unsigned long sky = gAppEnv->pixels[scene.background];
    struct Case {
        int32_t mag10;
        int pixels;
        int size;
        int32_t colour;
    };
    const Case cases[] = {
        {45, 1, 1, kColorDarkStar}, {36, 1, 1, kColorDarkStar}, {35, 1, 2, kColorStar4}, {25, 4, 3, kColorStar4},
        {15, 5, 3, kColorStar4},    {5, 9, 3, kColorStar4},     {-5, 13, 3, kColorStar4}, {-15, 13, 3, kColorStar4},
    };
    int x = 20;
    for (const Case& c : cases) {
        XSetForeground(gAppEnv->display, scene.gc, sky);
        XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, x - 4, 100, 9, 9);
        EXPECT_EQ(DrawStar(scene, scene.backPixmap, x, 104, 0, 0, c.mag10, kColorStar4 - kColorStar0),
                  c.size) << c.mag10;
        Snapshot shot(scene.backPixmap, kWidth, kHeight);
        int lit = 0;
        for (int dy = -3; dy <= 3; ++dy)
            for (int dx = -3; dx <= 3; ++dx)
                if (shot.Pixel(x + dx, 104 + dy) != sky) {
                    ++lit;
                    EXPECT_EQ(shot.Pixel(x + dx, 104 + dy), gAppEnv->pixels[c.colour]) << c.mag10;
                }
        EXPECT_EQ(lit, c.pixels) << c.mag10;
        x += 20;
    }
}

// Lit pixels of the label area round (x, y), counted above and below the
// row of the star.
struct LabelPixels {
    int above = 0, below = 0, right = 0;
};

LabelPixels LabelsAround(const Scene& scene, int32_t star, uint8_t flags, int32_t mag10)
{
    const int x = 200, y = 150;
    const unsigned long sky = gAppEnv->pixels[scene.background];
    XSetForeground(gAppEnv->display, scene.gc, sky);
    XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, x - 60, y - 40, 200, 80);
    Scene& labelled = const_cast<Scene&>(scene);
    labelled.displayFlags[kFlagStarLabels] = flags;
    DrawStarLabels(scene, scene.backPixmap, star, x, y, 0, 0, mag10, 2, 1);
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    LabelPixels lit;
    for (int dy = -40; dy < 40; ++dy)
        for (int dx = -60; dx < 140; ++dx)
            if (shot.Pixel(x + dx, y + dy) != sky) {
                (dy < 0 ? lit.above : lit.below)++;
                lit.right += dx > 4;
            }
    return lit;
}

TEST_F(StarLayerTest, LabelsFollowTheDesignationAndTheLimits)
{
    Drive();
    int32_t betelgeuse = -1;
    ASSERT_EQ(FindStarByName("Betelgeuse", betelgeuse), 1);
    const int32_t mag = StarMagnitude10(BrightStarTable[betelgeuse]);

    // Name and letter: the letter on a line above, the name below.
    LabelPixels both = LabelsAround(scene, betelgeuse, kStarNameFlag | kBayerFlag, mag);
    EXPECT_GT(both.above, 10);
    EXPECT_GT(both.below, 10);
    EXPECT_GT(both.right, 20);
    // The magnitude alone hangs under the star, centred on it.
    LabelPixels magnitude = LabelsAround(scene, betelgeuse, kStarMagFlag, mag);
    EXPECT_EQ(magnitude.above, 0);
    EXPECT_GT(magnitude.below, 5);
    // Fainter than the label limit: nothing at all.
    LabelPixels faint = LabelsAround(scene, betelgeuse, kStarNameFlag | kBayerFlag | kStarMagFlag,
                                     scene.mag.starLabelLimit + 1);
    EXPECT_EQ(faint.above + faint.below, 0);

    // A named star without a designation gets its magnitude label only.
    int32_t undesignated = -1;
    for (const StarNameRecord& name : StarNameTable) {
        int32_t row, flag;
        if (!GetStarDesignationIndex(name.star, row, flag)) {
            undesignated = name.star;
            break;
        }
    }
    ASSERT_GE(undesignated, 0);
    const int32_t bright = scene.mag.starLabelLimit;
    LabelPixels named = LabelsAround(scene, undesignated, kStarNameFlag | kStarMagFlag, bright);
    LabelPixels plain = LabelsAround(scene, undesignated, kStarMagFlag, bright);
    EXPECT_GT(plain.below, 5);
    EXPECT_EQ(named.above, plain.above);
    EXPECT_EQ(named.below, plain.below);
    scene.displayFlags[kFlagStarLabels] = 0;
}

TEST_F(StarLayerTest, HorizonViewDropsStarsDimmedBelowTheLimit)
{
    scene.viewMode = kModeHrz;
    scene.view.hrzCentreAzimuth = 90.0;    // west, where Orion sets
    scene.view.hrzCentreAltitude = 20.0;
    scene.view.fieldOfView = 80.0;
    scene.mag.requestPending = 1;
    scene.mag.requestedValue = 45;
    Drive();
    SaveShot("horizon_west");
    ASSERT_EQ(scene.mag.starLimit, 45);
    const unsigned long sky = gAppEnv->pixels[scene.background];
    Snapshot shot(scene.backPixmap, kWidth, kHeight);
    int32_t last = 0;
    ASSERT_EQ(GetLastStarWithinLimit(scene, last), 1);
    int dropped = 0, kept = 0, lowKept = 0;
    for (int32_t n = 0; n <= last; ++n) {
        const BrightStarRecord& s = BrightStarTable[n];
        ProjectedPoint p{};
        if (!ProjectPoint(scene, FixedVector{s.x, s.y, s.z}, p) || p.x < 3 || p.x > kWidth - 3
            || p.y < scene.view.skyRect.y + 3 || p.y > kHeight - 3 || !Isolated(n, p, 3))
            continue;
        int32_t mag10 = StarMagnitude10(s), colourClass = StarColourClass(s);
        ApplyHorizonExtinction(p.altitude, mag10, colourClass);
        if (p.altitude <= kExtinctionAltitude && mag10 > scene.mag.starLimit) {
            EXPECT_EQ(shot.Pixel(p.x, p.y), sky) << n;
            ++dropped;
        } else if (scene.mag.starLimit - mag10 >= 10) {
            // Drawn a magnitude or more brighter than the limit: in its own
            // colour class, reddened when low.
            EXPECT_EQ(shot.Pixel(p.x, p.y), gAppEnv->pixels[kColorStar0 + colourClass]) << n;
            ++kept;
            lowKept += p.altitude <= kExtinctionAltitude;
        }
    }
    EXPECT_GT(dropped, 3);
    EXPECT_GT(kept, 10);
    EXPECT_GE(lowKept, 1);
}

TEST(StarExtinction, HorizonDimsAndReddensOnlyLowStars)
{
    int32_t mag = 44, colour = 2;
    ApplyHorizonExtinction(0, mag, colour);
    EXPECT_EQ(mag, 64);                   // 2.0 fainter at the horizon
    EXPECT_EQ(colour, 8);                 // 6 classes redder
    mag = 44, colour = 8;
    ApplyHorizonExtinction(0, mag, colour);
    EXPECT_EQ(colour, 9);                 // never past the reddest
    mag = 44, colour = 2;
    ApplyHorizonExtinction(1536, mag, colour);
    EXPECT_EQ(mag, 44);
    EXPECT_EQ(colour, 2);
    ApplyHorizonExtinction(kExtinctionAltitude, mag, colour);
    EXPECT_EQ(mag, 45);                   // just below 5.4 degrees: 0.1 fainter
    EXPECT_EQ(colour, 3);                 // and one class redder
}

TEST(StarLabels, MagnitudeTextsHaveTwoDigitsAndTheirSign)
{
    char text[8];
    const std::pair<int32_t, const char*> cases[] = {
        {-5, "-05"}, {-10, "-10"}, {0, "00"}, {64, "64"}, {14, "14"}, {3, "03"}, {-15, "-15"}, {-1, "-01"},
    };
    for (const auto& [mag10, expected] : cases) {
        FormatStarMagnitudeLabel(mag10, text, sizeof text);
        EXPECT_STREQ(text, expected);
    }
}

}  // namespace
