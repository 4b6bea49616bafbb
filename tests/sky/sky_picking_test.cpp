// Picking on real scenes set up as a redraw sets them up: the tolerance at
// several zooms, overlapping objects cycled by repeated clicks, the Sun's
// and Moon's reach, pixels below the horizon and on the status line, stale
// picks, the quadrant, and the string-pair list.
#include <gtest/gtest.h>

#include "data/catalog_tables.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/picking.h"
#include "sky/scene.h"
#include "sky/text_list.h"
#include "sky/view/projection.h"
#include "sky/view/screen_points.h"
#include "tests/sky/sky_view_fixture.h"

#include <cmath>
#include <cstring>

namespace {

using skytest::MakeScene;

constexpr int32_t kSirius = 0;   // the brightest star is the first row

void UnitVector(const FixedVector& f, double v[3])
{
    for (int i = 0; i < 3; ++i)
        v[i] = f[i] / 16384.0;
    skytest::Normalise(v);
}

void PlaceBody(double unit[3], FixedVector& fixed, const double v[3])
{
    for (int i = 0; i < 3; ++i) {
        unit[i] = v[i];
        fixed[i] = static_cast<int32_t>(v[i] * 16384.0);
    }
}

// An equatorial view centred on a J2000 direction with nothing of the
// solar system in view unless a test puts it there, and the pixel to click
// for the direction: picking looks one pixel up and left.
struct PickView {
    std::unique_ptr<Scene> scene;
    double v[3];
    int x = 0, y = 0;

    PickView(const FixedVector& direction, double field)
    {
        UnitVector(direction, v);
        scene = skytest::EquatorialViewOn(v, field);
        scene->sunFlags = scene->moonFlags = scene->earthFlags = 0;
        for (uint8_t& flags : scene->planetFlags)
            flags = 0;
        ProjectedPoint p{};
        EXPECT_EQ(ProjectPointDouble(*scene, v, p), 1);
        x = p.x + 1;
        y = p.y + 1;
    }

    // What a click dx, dy pixels off the direction finds: the type and id
    // picked, or nothing (-1, -1) when it finds nothing.
    std::pair<int32_t, int32_t> Find(int dx, int dy)
    {
        scene->pickedObject.picked = 0;
        if (!FindNextObjectAt(*scene, x + dx, y + dy))
            return {-1, -1};
        return {scene->pickedObject.type, scene->pickedObject.id};
    }
    std::pair<int32_t, int32_t> Pick()
    {
        EXPECT_EQ(PickObjectAt(*scene, x, y), 1);
        return {scene->pickedObject.type, scene->pickedObject.id};
    }
};

const FixedVector kSiriusVector{BrightStarTable[kSirius].x, BrightStarTable[kSirius].y, BrightStarTable[kSirius].z};
const std::pair<int32_t, int32_t> kNothing{-1, -1}, kSiriusPicked{kObjectStar, kSirius};

TEST(PickTolerance, IsTheChordOfThreePixels)
{
    // 0.03 pixels a degree: 100 degrees, held at a right angle; 8000: 0.8
    // truncates to 0, then 2.
    for (auto [pixelsPerDegree, tolerance] : {std::pair{10.0, 85}, {0.5, 1712}, {0.03, 16384}, {1.0e5, 2},
                                              {8000.0, 2}, {0.0, 2}, {std::nan(""), 2}})
        EXPECT_EQ(PickTolerance(pixelsPerDegree), tolerance) << pixelsPerDegree;
}

TEST(PickTolerance, FollowsTheZoomOfTheView)
{
    for (double field : {120.0, 40.0, 10.0, 2.0}) {
        PickView view(kSiriusVector, field);
        // A click three pixels off the star still reaches it at every zoom;
        // one forty pixels off does not.
        EXPECT_EQ(view.Find(1, 0), kSiriusPicked) << field;
        EXPECT_TRUE(field > 10.0 || view.Find(40, 0) == kNothing) << field;
    }
}

TEST(Picking, ABodyOverAStarCyclesBodyStarBody)
{
    PickView view(kSiriusVector, 10.0);
    Scene& scene = *view.scene;
    scene.planetFlags[kMars] = kBodyShown;
    PlaceBody(scene.planets[kMars].unitVector, scene.planets[kMars].fixedVector, view.v);
    const std::pair<int32_t, int32_t> mars{kObjectSolarBody, kMars};
    for (auto expected : {mars, kSiriusPicked, mars, kSiriusPicked})
        EXPECT_EQ(view.Pick(), expected);
    // The first pick's pixel and quadrant stay while the search moves on.
    EXPECT_EQ(scene.pickedObject.pointerX, view.x);
    EXPECT_EQ(scene.pickedObject.pointerY, view.y);
    EXPECT_EQ(scene.pickedObject.picked, GetPickQuadrant(scene, view.x, view.y));

    // A comet cycles too.
    scene.planetFlags[kMars] = 0;
    SmallBodyRecord comet{};
    comet.kind = 'C';
    PlaceBody(comet.unitVector, comet.fixedVector, view.v);
    uint8_t flags = kBodyShown;
    scene.cometCount = 1;
    scene.cometPositions = &comet;
    scene.cometFlags = &flags;
    scene.pickedObject.picked = 0;
    const std::pair<int32_t, int32_t> halley{kObjectSolarBody, kCometIdBase};
    for (auto expected : {halley, kSiriusPicked, halley})
        EXPECT_EQ(view.Pick(), expected);
    scene.cometCount = 0;
    scene.cometPositions = nullptr;
    scene.cometFlags = nullptr;
}

TEST(Picking, APickWhoseObjectIsGoneIsDroppedNotReadPastTheList)
{
    PickView view(kSiriusVector, 10.0);
    PickedObject& picked = view.scene->pickedObject;
    // Comet 6 was picked, then a list of none was loaded.
    picked.picked = 2;
    picked.type = kObjectSolarBody;
    picked.id = kCometIdBase + 5;
    std::strcpy(picked.text, "old text");
    EXPECT_EQ(view.Pick(), kSiriusPicked);
    EXPECT_EQ(picked.pointerX, view.x);   // a first pick again
    EXPECT_STREQ(picked.text, "");
}

TEST(Picking, EmptySkyAfterAPickClearsIt)
{
    PickView view(kSiriusVector, 2.0);
    PickedObject& picked = view.scene->pickedObject;
    view.Pick();
    std::strcpy(picked.text, "Sirius");
    EXPECT_EQ(PickObjectAt(*view.scene, view.x + 200, view.y + 200), 0);
    EXPECT_EQ(picked.picked, 0);
    EXPECT_EQ(picked.clickDataFlags, 0);
    EXPECT_STREQ(picked.text, "");
    EXPECT_EQ(picked.pointerX, -1);
    EXPECT_EQ(picked.pointerY, -1);
    EXPECT_EQ(picked.type, kObjectStar);   // type and id stay
    EXPECT_EQ(picked.id, kSirius);
}

TEST(Picking, TheMoonSunAndAnEnlargedPlanetReachTwoThirdsOfTheirRadius)
{
    PickView view(kSiriusVector, 20.0);   // 40 pixels per degree
    Scene& scene = *view.scene;
    ASSERT_NEAR(scene.view.pixelsPerDegree, 40.0, 0.2);
    scene.displayFlags[kFlagStars] = 0;
    // The Moon: r = 10 x 2 / 3 = 6, six pixels off hit, seven miss.
    scene.moonFlags = kBodyShown;
    scene.moon.semidiameter = 0.25;
    PlaceBody(scene.moon.unitVector, scene.moon.fixedVector, view.v);
    const std::pair<int32_t, int32_t> moon{kObjectSolarBody, -1}, sun{kObjectSolarBody, -2}, mars{kObjectSolarBody, kMars};
    EXPECT_EQ(view.Find(6, -6), moon);
    EXPECT_EQ(view.Find(7, 0), kNothing);
    EXPECT_EQ(view.Find(0, -7), kNothing);
    // A small Sun still reaches 6 x 2 / 3 = 4 pixels.
    scene.moonFlags = 0;
    scene.sunFlags = kBodyShown;
    scene.sun.semidiameter = 0.05;
    PlaceBody(scene.sun.unitVector, scene.sun.fixedVector, view.v);
    EXPECT_EQ(view.Find(-4, 4), sun);
    EXPECT_EQ(view.Find(-5, 0), kNothing);
    // Mars as a point reaches 2 pixels; as a DISK with DISK_MAG 100,
    // 18 / 3600 x 0.5 x 100 x 40 = 10, so 6.
    scene.sunFlags = 0;
    scene.planetFlags[kMars] = kBodyShown;
    scene.planets[kMars].diameter = 18.0;   // arcseconds
    PlaceBody(scene.planets[kMars].unitVector, scene.planets[kMars].fixedVector, view.v);
    EXPECT_EQ(view.Find(2, 0), mars);
    EXPECT_EQ(view.Find(3, 0), kNothing);
    scene.planetFlags[kMars] |= kBodyOutline;
    scene.diskMagnitude = 100;
    EXPECT_EQ(view.Find(6, 0), mars);
    EXPECT_EQ(view.Find(7, 0), kNothing);
}

// Pixel of a direction in an azimuthal sky view, by the equidistant
// mapping itself: the layers cull what lies below the horizon, picking
// must refuse it by itself.
bool AzimuthalPixel(const Scene& scene, const double v[3], int& x, int& y)
{
    const double* m = scene.view.matricesDouble[0];
    double f[3];
    for (int i = 0; i < 3; ++i)
        f[i] = m[3 * i] * v[0] + m[3 * i + 1] * v[1] + m[3 * i + 2] * v[2];
    const double rho = std::acos(std::fmax(-1.0, std::fmin(1.0, f[0])));
    const double k = rho > 1e-12 ? rho / std::sin(rho) : 1.0;
    x = static_cast<int>(std::lround(scene.view.screenCentreX - f[1] * k * scene.view.pixelsPerRadianX));
    y = static_cast<int>(std::lround(scene.view.screenCentreY - f[2] * k * scene.view.pixelsPerRadianY));
    return x >= 10 && x <= 790 && y >= 10 && y <= 590;
}

TEST(Picking, StarsBelowTheHorizonAreNeverPicked)
{
    auto scene = MakeScene({.mode = kModeHrz, .field = 60.0, .altitude = 0.0});
    scene->statusLine = 0;
    scene->sunFlags = scene->moonFlags = 0;
    for (uint8_t& flags : scene->planetFlags)
        flags = 0;
    const int32_t* horizon = scene->view.matrices[1].data() + 6;
    int below = 0, above = 0;
    int32_t lastStar = 0;
    ASSERT_EQ(GetLastStarWithinLimit(*scene, lastStar), 1);
    for (int32_t star = 0; star <= lastStar; ++star) {
        const BrightStarRecord& r = BrightStarTable[star];
        double v[3];
        UnitVector(FixedVector{r.x, r.y, r.z}, v);
        int x = 0, y = 0;
        const int64_t up = int64_t{horizon[0]} * r.x + int64_t{horizon[1]} * r.y + int64_t{horizon[2]} * r.z;
        if (!AzimuthalPixel(*scene, v, x, y) || std::llabs(up) < 16384LL * 300)
            continue;   // off the chart, or too near the horizon to tell
        // The same pixel in a view that has no horizon finds a star.
        scene->pickedObject.picked = 0;
        scene->viewMode = kModeEqt;
        ASSERT_EQ(FindNextObjectAt(*scene, x + 1, y + 1), 1) << "star " << star;
        scene->viewMode = kModeHrz;
        EXPECT_EQ(FindNextObjectAt(*scene, x + 1, y + 1), up < 0 ? 0 : 1) << "star " << star;
        ++(up < 0 ? below : above);
    }
    EXPECT_GT(below, 3);
    EXPECT_GT(above, 3);
}

TEST(Picking, TheStatusLineAndHiddenStarsPickNothing)
{
    PickView view(kSiriusVector, 10.0);
    Scene& scene = *view.scene;
    // Let the strip above the sky reach below the star's row.
    scene.view.skyRect.y = static_cast<short>(view.y + 4);
    scene.statusLine = 1;
    EXPECT_EQ(view.Find(0, 0), kNothing);
    scene.statusLine = 0;
    EXPECT_EQ(view.Find(0, 0), kSiriusPicked);
    scene.displayFlags[kFlagStars] = 0;
    EXPECT_EQ(view.Find(0, 0), kNothing);
}

TEST(Picking, TheAndromedaGalaxyIsPickedWithoutTheNebulaLayerWhenStarsGoFaint)
{
    int32_t m31 = -1;
    ASSERT_EQ(FindNebulaByDesignation("M31", m31), 1);
    PickView view(NebulaPositionTable[m31], 10.0);
    Scene& scene = *view.scene;
    scene.displayFlags[kFlagStars] = 0;
    scene.displayFlags[kFlagNebulae] = 0;
    // Picked from the Q14 place the layers draw it at.
    ProjectedPoint p{};
    ASSERT_EQ(ProjectPoint(scene, NebulaPositionTable[m31], p), 1);
    view.x = p.x + 1;
    view.y = p.y + 1;
    const std::pair<int32_t, int32_t> andromeda{kObjectNebula, m31};
    scene.mag.starLimit = 40;
    EXPECT_EQ(view.Find(0, 0), andromeda);
    scene.mag.starLimit = 39;
    EXPECT_EQ(view.Find(0, 0), kNothing);
    // With the layer on it is a nebula like any other.
    scene.displayFlags[kFlagNebulae] = 1;
    EXPECT_EQ(view.Find(0, 0), andromeda);
}

TEST(Picking, QuadrantsCountTheCentreLinesAsRightAndBelow)
{
    auto scene = MakeScene({.top = 20});   // sky 800 x 600 from row 20: centre (400, 320)
    for (auto [x, y, quadrant] : {std::tuple{399, 319, 1}, {400, 319, 2}, {399, 320, 3}, {400, 320, 4}})
        EXPECT_EQ(GetPickQuadrant(*scene, x, y), quadrant) << x << "," << y;
}

TEST(TextList, KeepsPrivateCopiesAndAbsentTexts)
{
    TextList* list = NewTextList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count, 0);
    char file[] = "m31.jpg";
    ASSERT_EQ(AddTextListItem(list, file, "Andromeda"), 1);
    ASSERT_EQ(AddTextListItem(list, "m42.jpg", nullptr), 1);
    ASSERT_EQ(AddTextListItem(list, nullptr, nullptr), 1);
    std::strcpy(file, "xxx.jpg");
    EXPECT_EQ(list->count, 3);
    EXPECT_EQ(*list->items[0].first, "m31.jpg");
    EXPECT_EQ(*list->items[0].second, "Andromeda");
    EXPECT_FALSE(list->items[1].second.has_value());
    EXPECT_FALSE(list->items[2].first.has_value());
    EXPECT_EQ(AddTextListItem(nullptr, "a", "b"), 0);
    FreeTextList(list);
    FreeTextList(nullptr);
}

}  // namespace
