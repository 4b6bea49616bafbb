// The built-in star layer on a real canvas: the equatorial view pointed at
// Orion shows Betelgeuse and Rigel in their colour classes, leaves out the
// stars beyond the limit, and sizes symbols by magnitude steps; the horizon
// dimming and the magnitude labels.
#include "tests/sky/sky_canvas_fixture.h"

#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/layers/star_layer.h"
#include "tests/sky/catalog/catalog_ids.h"

using namespace canvastest;

namespace {

class StarLayerTest : public ChartTest {
protected:
    void SetUp() override
    {
        // Midnight in Tokyo in March: Orion is in the west, the sky dark.
        OpenChart(480, 360, kModeEqt, 83.0, 0.0, 40.0);
        scene.displayFlags[kFlagStars] = kStarFlag;
    }

    void RequestLimit(int32_t mag10)
    {
        scene.mag.requestPending = 1;   // MAG STAR
        scene.mag.requestedValue = mag10;
        Drive();
        ASSERT_EQ(scene.mag.starLimit, mag10);
    }

    // Where a star of the table lies on the chart, clear of its edges and
    // with no other star within the limit three pixels near it.
    bool StandsAlone(int32_t star, ProjectedPoint& p)
    {
        const auto place = [&](int32_t n, ProjectedPoint& q) {
            const BrightStarRecord& s = BrightStarTable[n];
            return ProjectPoint(scene, FixedVector{s.x, s.y, s.z}, q) != 0;
        };
        if (!place(star, p) || !InsideSky(p.x, p.y, 3))
            return false;
        int32_t last = 0;
        GetLastStarWithinLimit(scene, last);
        for (int32_t n = 0; n <= last; ++n) {
            ProjectedPoint q{};
            if (n != star && place(n, q) && std::abs(q.x - p.x) <= 3 && std::abs(q.y - p.y) <= 3)
                return false;
        }
        return true;
    }

    unsigned long Sky() const { return Cell(scene.background); }

    // Lit pixels of the label area round a star drawn at (200, 150):
    // above its row, below it, and right of the symbol.
    struct LabelPixels {
        int above = 0, below = 0, right = 0;
    };
    LabelPixels LabelsAround(int32_t star, uint8_t flags, int32_t mag10)
    {
        const int x = 200, y = 150;
        XSetForeground(gAppEnv->display, scene.gc, Sky());
        XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, x - 60, y - 40, 200, 80);
        scene.displayFlags[kFlagStarLabels] = flags;
        RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
        DrawStarLabels(scene, redraw, star, x, y, mag10, 2, 1);
        const Snapshot shot = Shot();
        LabelPixels lit;
        for (int dy = -40; dy < 40; ++dy)
            for (int dx = -60; dx < 140; ++dx)
                if (shot.Pixel(x + dx, y + dy) != Sky()) {
                    (dy < 0 ? lit.above : lit.below)++;
                    lit.right += dx > 4;
                }
        return lit;
    }
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
    ASSERT_NE(betelgeuse = catalogtest::StarId("alphaOri"), -1);
    ASSERT_NE(rigel = catalogtest::StarId("betaOri"), -1);
    // Betelgeuse is red, Rigel blue-white.
    EXPECT_GE(StarColourClass(BrightStarTable[betelgeuse]), 7);
    EXPECT_LE(StarColourClass(BrightStarTable[rigel]), 1);
    const Snapshot shot = Shot();
    for (int32_t star : {betelgeuse, rigel}) {
        const BrightStarRecord& s = BrightStarTable[star];
        const ProjectedPoint p = Place(FixedVector{s.x, s.y, s.z});
        ASSERT_TRUE(InsideSky(p.x, p.y)) << star;
        // Both are bright enough for the 3 x 3 block or the disc: the
        // centre and its four neighbours are the star's colour.
        const unsigned long colour = Cell(kColorStar0 + StarColourClass(s));
        for (auto [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            EXPECT_EQ(shot.Pixel(p.x + dx, p.y + dy), colour) << star << " " << dx << "," << dy;
    }
}

TEST_F(StarLayerTest, StarsBeyondTheLimitAreNotDrawn)
{
    RequestLimit(40);   // MAG STAR 4.0
    int32_t last = 0;
    ASSERT_EQ(GetLastStarWithinLimit(scene, last), 1);
    ASSERT_LT(last + 1, kBrightStarCount);
    const Snapshot shot = Shot();
    int checked = 0;
    for (int32_t n = last + 1; n < kBrightStarCount && checked < 5; ++n) {
        ASSERT_GT(StarMagnitude10(BrightStarTable[n]), scene.mag.starLimit);
        ProjectedPoint p{};
        if (StandsAlone(n, p)) {
            EXPECT_EQ(shot.Pixel(p.x, p.y), Sky()) << n;
            ++checked;
        }
    }
    EXPECT_EQ(checked, 5);
    // The last star within the limit is drawn: one pixel in the faint-star
    // colour when it is at the limit, its own colour when brighter.
    for (int32_t n = last; n >= 0; --n) {
        ProjectedPoint p{};
        if (StandsAlone(n, p)) {
            EXPECT_NE(shot.Pixel(p.x, p.y), Sky()) << n;
            break;
        }
    }
}

// Rows of magnitude against the limit 4.5, drawn at every STARSIZE: the
// catalogue stars' symbols grow by the setting's scale (each pixel a square
// of that side), up to the largest; the planets' and comets' DrawStar keeps
// the plain size whatever the setting.
TEST_F(StarLayerTest, SymbolSizesFollowTheMagnitudeStepsAndStarsize)
{
    Drive();
    scene.mag.starLimit = 45;
    scene.mag.faintStarColor = kColorDarkStar;
    const struct {
        int32_t mag10;
        int pixels, size;
        int32_t colour;
    } cases[] = {
        {45, 1, 1, kColorDarkStar}, {36, 1, 1, kColorDarkStar}, {35, 1, 2, kColorStar4}, {25, 4, 3, kColorStar4},
        {15, 5, 3, kColorStar4},    {5, 9, 3, kColorStar4},     {-5, 13, 3, kColorStar4}, {-15, 13, 3, kColorStar4},
    };
    const struct {
        int32_t starsize;   // STARSIZE n
        int scale;
    } sizes[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 4}, {100, 4}};
    constexpr int kBox = 12;   // half the side of the cleared square; the largest symbol reaches 10
    const int32_t colourClass = kColorStar4 - kColorStar0;
    for (const auto& size : sizes) {
        scene.view.starSize = size.starsize * 10;
        EXPECT_EQ(StarSymbolScale(scene.view.starSize), size.scale) << size.starsize;
        for (const auto& c : cases) {
            for (bool catalogue : {true, false}) {
                const int scale = catalogue ? size.scale : 1;
                const int x = 100, y = 100;
                XSetForeground(gAppEnv->display, scene.gc, Sky());
                XFillRectangle(gAppEnv->display, scene.backPixmap, scene.gc, x - kBox, y - kBox, 2 * kBox + 1,
                               2 * kBox + 1);
                RedrawRecord redraw = StartRedraw(scene, scene.backPixmap);
                const int drawn = catalogue ? DrawCatalogueStar(scene, redraw, x, y, c.mag10, colourClass)
                                            : DrawStar(scene, scene.backPixmap, x, y, c.mag10, colourClass);
                const Snapshot shot = Shot();
                const int lit = (2 * kBox + 1) * (2 * kBox + 1) -
                                shot.CountIn(x - kBox, y - kBox, x + kBox, y + kBox, Sky());
                SCOPED_TRACE(testing::Message() << "STARSIZE " << size.starsize << ", mag10 " << c.mag10
                                                << (catalogue ? ", catalogue" : ", DrawStar"));
                EXPECT_EQ(drawn, c.size * scale);
                EXPECT_EQ(lit, c.pixels * scale * scale);
                EXPECT_EQ(shot.CountIn(x - kBox, y - kBox, x + kBox, y + kBox, Cell(c.colour)), lit);
                // The star's own pixel stays at the heart of the symbol.
                EXPECT_EQ(shot.Pixel(x, y), Cell(c.colour));
            }
        }
    }
}

TEST_F(StarLayerTest, LabelsFollowTheDesignationAndTheLimits)
{
    Drive();
    int32_t betelgeuse = -1;
    ASSERT_NE(betelgeuse = catalogtest::StarId("Betelgeuse"), -1);
    const int32_t mag = StarMagnitude10(BrightStarTable[betelgeuse]);
    // Name and letter: the letter on a line above, the name below.
    const LabelPixels both = LabelsAround(betelgeuse, kStarNameFlag | kBayerFlag, mag);
    EXPECT_GT(both.above, 10);
    EXPECT_GT(both.below, 10);
    EXPECT_GT(both.right, 20);
    // The magnitude alone hangs under the star, centred on it.
    const LabelPixels magnitude = LabelsAround(betelgeuse, kStarMagFlag, mag);
    EXPECT_EQ(magnitude.above, 0);
    EXPECT_GT(magnitude.below, 5);
    // Fainter than the label limit: nothing at all.
    const LabelPixels faint =
        LabelsAround(betelgeuse, kStarNameFlag | kBayerFlag | kStarMagFlag, scene.mag.starLabelLimit + 1);
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
    const LabelPixels named = LabelsAround(undesignated, kStarNameFlag | kStarMagFlag, bright);
    const LabelPixels plain = LabelsAround(undesignated, kStarMagFlag, bright);
    EXPECT_GT(plain.below, 5);
    EXPECT_EQ(named.above, plain.above);
    EXPECT_EQ(named.below, plain.below);
}

TEST_F(StarLayerTest, HorizonViewDropsStarsDimmedBelowTheLimit)
{
    scene.viewMode = kModeHrz;
    scene.view.hrzCentreAzimuth = 90.0;   // west, where Orion sets
    scene.view.hrzCentreAltitude = 20.0;
    scene.view.fieldOfView = 80.0;
    RequestLimit(45);
    SaveShot("horizon_west");
    const Snapshot shot = Shot();
    int32_t last = 0;
    ASSERT_EQ(GetLastStarWithinLimit(scene, last), 1);
    int dropped = 0, kept = 0, lowKept = 0;
    for (int32_t n = 0; n <= last; ++n) {
        ProjectedPoint p{};
        if (!StandsAlone(n, p))
            continue;
        int32_t mag10 = StarMagnitude10(BrightStarTable[n]), colourClass = StarColourClass(BrightStarTable[n]);
        ApplyHorizonExtinction(p.altitude, mag10, colourClass);
        if (p.altitude <= kExtinctionAltitude && mag10 > scene.mag.starLimit) {
            EXPECT_EQ(shot.Pixel(p.x, p.y), Sky()) << n;
            ++dropped;
        } else if (scene.mag.starLimit - mag10 >= 10) {
            // Drawn a magnitude or more brighter than the limit: in its own
            // colour class, reddened when low.
            EXPECT_EQ(shot.Pixel(p.x, p.y), Cell(kColorStar0 + colourClass)) << n;
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
    // 2.0 fainter and 6 classes redder at the horizon, never past the
    // reddest; just below 5.4 degrees 0.1 fainter and one class redder.
    const struct {
        int32_t altitude, mag, colour, dimmed, reddened;
    } cases[] = {{0, 44, 2, 64, 8}, {0, 44, 8, 64, 9}, {1536, 44, 2, 44, 2}, {kExtinctionAltitude, 44, 2, 45, 3}};
    for (const auto& c : cases) {
        int32_t mag = c.mag, colour = c.colour;
        ApplyHorizonExtinction(c.altitude, mag, colour);
        EXPECT_EQ(mag, c.dimmed) << c.altitude << " " << c.colour;
        EXPECT_EQ(colour, c.reddened) << c.altitude << " " << c.colour;
    }
}

TEST(StarLabels, MagnitudeTextsHaveTwoDigitsAndTheirSign)
{
    char text[8];
    for (auto [mag10, expected] : {std::pair{-5, "-05"}, {-10, "-10"}, {0, "00"}, {64, "64"}, {14, "14"}, {3, "03"},
                                   {-15, "-15"}, {-1, "-01"}}) {
        FormatStarMagnitudeLabel(mag10, text, sizeof text);
        EXPECT_STREQ(text, expected);
    }
}

}  // namespace
