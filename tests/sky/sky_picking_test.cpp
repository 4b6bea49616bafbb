// Picking on real scenes set up as a redraw sets them up: the tolerance at
// several zooms, overlapping objects cycled by repeated clicks, the Sun's
// and Moon's reach, pixels below the horizon and on the status line, stale
// picks, the quadrant, and the string-pair list.
#include <gtest/gtest.h>

#include "astro/coordinates.h"
#include "data/catalog_tables.h"
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

using skytest::EquatorialViewOn;
using skytest::MakeScene;
using skytest::StarVector;
using skytest::ViewSetup;

constexpr int32_t kSirius = 0;   // the brightest star is the first row

// Nothing of the solar system in view unless a test puts it there.
void HideSolarSystem(Scene& scene)
{
    scene.sunFlags = 0;
    scene.moonFlags = 0;
    scene.earthFlags = 0;
    for (uint8_t& flags : scene.planetFlags) {
        flags = 0;
    }
}

void PlaceBody(double unit[3], FixedVector& fixed, const double v[3])
{
    for (int i = 0; i < 3; ++i) {
        unit[i] = v[i];
        fixed[i] = static_cast<int32_t>(v[i] * 16384.0);
    }
}

ProjectedPoint ScreenOf(const Scene& scene, const double v[3])
{
    ProjectedPoint point{};
    EXPECT_EQ(ProjectPointDouble(scene, v, point), 1);
    return point;
}

// The pixel to click for a point: picking looks one pixel up and left.
int ClickX(const ProjectedPoint& p) { return p.x + 1; }
int ClickY(const ProjectedPoint& p) { return p.y + 1; }

// ---------------------------------------------------------------- tolerance

TEST(PickTolerance, IsTheChordOfThreePixels)
{
    EXPECT_EQ(PickTolerance(10.0), 85);
    EXPECT_EQ(PickTolerance(0.5), 1712);
    EXPECT_EQ(PickTolerance(1.0e5), 2);
    EXPECT_EQ(PickTolerance(8000.0), 2);     // 0.8 truncates to 0, then 2
    EXPECT_EQ(PickTolerance(0.0), 2);
    EXPECT_EQ(PickTolerance(std::nan("")), 2);
}

TEST(PickTolerance, FollowsTheZoomOfTheView)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    for (double field : {120.0, 40.0, 10.0, 2.0}) {
        SCOPED_TRACE(field);
        auto scene = EquatorialViewOn(sirius, field);
        const double ppd = scene->view.pixelsPerDegree;
        const auto expected =
            std::max<int32_t>(static_cast<int32_t>(16384.0 * std::sin(3.0 / ppd * M_PI / 180.0)), 2);
        EXPECT_EQ(PickTolerance(ppd), expected);
        // A click three pixels off the star still reaches it at every
        // zoom; one forty pixels off does not.
        HideSolarSystem(*scene);
        const ProjectedPoint p = ScreenOf(*scene, sirius);
        EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 1, ClickY(p)), 1);
        EXPECT_EQ(scene->pickedObject.type, kObjectStar);
        EXPECT_EQ(scene->pickedObject.id, kSirius);
        scene->pickedObject.type = -1;
        if (field <= 10.0) {
            EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 40, ClickY(p)), 0);
        }
    }
}

// ---------------------------------------------------------------- cycling

TEST(Picking, PlanetOverAStarCyclesPlanetStarPlanet)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 10.0);
    HideSolarSystem(*scene);
    scene->planetFlags[kMars] = kBodyShown;
    PlaceBody(scene->planets[kMars].unitVector, scene->planets[kMars].fixedVector, sirius);
    const ProjectedPoint p = ScreenOf(*scene, sirius);

    const int32_t expected[][2] = {
        {kObjectSolarBody, kMars}, {kObjectStar, kSirius}, {kObjectSolarBody, kMars}, {kObjectStar, kSirius}};
    for (const auto& pick : expected) {
        ASSERT_EQ(PickObjectAt(*scene, ClickX(p), ClickY(p)), 1);
        EXPECT_EQ(scene->pickedObject.type, pick[0]);
        EXPECT_EQ(scene->pickedObject.id, pick[1]);
    }
    // The first pick's pixel and quadrant stay while the search moves on.
    EXPECT_EQ(scene->pickedObject.pointerX, ClickX(p));
    EXPECT_EQ(scene->pickedObject.pointerY, ClickY(p));
    EXPECT_EQ(scene->pickedObject.picked, GetPickQuadrant(*scene, ClickX(p), ClickY(p)));
}

TEST(Picking, ACometOverAStarCyclesToo)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 10.0);
    HideSolarSystem(*scene);
    SmallBodyRecord comet{};
    comet.kind = 'C';
    PlaceBody(comet.unitVector, comet.fixedVector, sirius);
    uint8_t flags = kBodyShown;
    scene->cometCount = 1;
    scene->cometPositions = &comet;
    scene->cometFlags = &flags;
    const ProjectedPoint p = ScreenOf(*scene, sirius);
    const int32_t expected[][2] = {{kObjectSolarBody, kCometIdBase}, {kObjectStar, kSirius},
                                   {kObjectSolarBody, kCometIdBase}};
    for (const auto& pick : expected) {
        ASSERT_EQ(PickObjectAt(*scene, ClickX(p), ClickY(p)), 1);
        EXPECT_EQ(scene->pickedObject.type, pick[0]);
        EXPECT_EQ(scene->pickedObject.id, pick[1]);
    }
    scene->cometCount = 0;
    scene->cometPositions = nullptr;
    scene->cometFlags = nullptr;
}

TEST(Picking, APickWhoseObjectIsGoneIsDroppedNotReadPastTheList)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 10.0);
    HideSolarSystem(*scene);
    // Comet 6 was picked, then a list of none was loaded.
    scene->pickedObject.picked = 2;
    scene->pickedObject.type = kObjectSolarBody;
    scene->pickedObject.id = kCometIdBase + 5;
    std::strcpy(scene->pickedObject.text, "old text");
    const ProjectedPoint p = ScreenOf(*scene, sirius);
    ASSERT_EQ(PickObjectAt(*scene, ClickX(p), ClickY(p)), 1);
    EXPECT_EQ(scene->pickedObject.type, kObjectStar);
    EXPECT_EQ(scene->pickedObject.id, kSirius);
    EXPECT_EQ(scene->pickedObject.pointerX, ClickX(p));   // a first pick again
    EXPECT_STREQ(scene->pickedObject.text, "");
}

TEST(Picking, EmptySkyAfterAPickClearsIt)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 2.0);
    HideSolarSystem(*scene);
    const ProjectedPoint p = ScreenOf(*scene, sirius);
    ASSERT_EQ(PickObjectAt(*scene, ClickX(p), ClickY(p)), 1);
    std::strcpy(scene->pickedObject.text, "Sirius");
    EXPECT_EQ(PickObjectAt(*scene, ClickX(p) + 200, ClickY(p) + 200), 0);
    EXPECT_EQ(scene->pickedObject.picked, 0);
    EXPECT_EQ(scene->pickedObject.clickDataFlags, 0);
    EXPECT_STREQ(scene->pickedObject.text, "");
    EXPECT_EQ(scene->pickedObject.pointerX, -1);
    EXPECT_EQ(scene->pickedObject.pointerY, -1);
    EXPECT_EQ(scene->pickedObject.type, kObjectStar);   // type and id stay
    EXPECT_EQ(scene->pickedObject.id, kSirius);
}

// ---------------------------------------------------------------- reach of the Sun and Moon

TEST(Picking, TheMoonReachesTwoThirdsOfItsRadius)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 20.0);   // 40 pixels per degree
    ASSERT_NEAR(scene->view.pixelsPerDegree, 40.0, 0.2);
    HideSolarSystem(*scene);
    scene->displayFlags[kFlagStars] = 0;
    scene->moonFlags = kBodyShown;
    scene->moon.semidiameter = 0.25;
    PlaceBody(scene->moon.unitVector, scene->moon.fixedVector, sirius);
    const ProjectedPoint p = ScreenOf(*scene, sirius);
    // r = 10 x 2 / 3 = 6: six pixels off hit, seven miss.
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 6, ClickY(p) - 6), 1);
    EXPECT_EQ(scene->pickedObject.id, -1);
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 7, ClickY(p)), 0);
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p), ClickY(p) - 7), 0);

    // A small Sun still reaches 6 x 2 / 3 = 4 pixels.
    scene->moonFlags = 0;
    scene->sunFlags = kBodyShown;
    scene->sun.semidiameter = 0.05;
    PlaceBody(scene->sun.unitVector, scene->sun.fixedVector, sirius);
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) - 4, ClickY(p) + 4), 1);
    EXPECT_EQ(scene->pickedObject.id, -2);
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) - 5, ClickY(p)), 0);
}

TEST(Picking, AnEnlargedPlanetReachesItsDisk)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 20.0);   // 40 pixels per degree
    HideSolarSystem(*scene);
    scene->displayFlags[kFlagStars] = 0;
    scene->planetFlags[kMars] = kBodyShown;
    scene->planets[kMars].diameter = 18.0;         // arcseconds
    PlaceBody(scene->planets[kMars].unitVector, scene->planets[kMars].fixedVector, sirius);
    const ProjectedPoint p = ScreenOf(*scene, sirius);
    // Without the disk: 2 pixels.
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 2, ClickY(p)), 1);
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 3, ClickY(p)), 0);
    // DISK with DISK_MAG 100: 18 / 3600 x 0.5 x 100 x 40 = 10, so 6.
    scene->planetFlags[kMars] |= kBodyOutline;
    scene->diskMagnitude = 100;
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 6, ClickY(p)), 1);
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p) + 7, ClickY(p)), 0);
}

// ---------------------------------------------------------------- where nothing is picked

// Pixel of a direction in an azimuthal sky view, by the equidistant
// mapping itself: the layers cull what lies below the horizon, picking
// must refuse it by itself.
bool AzimuthalPixel(const Scene& scene, const double v[3], int& x, int& y)
{
    const double* m = scene.view.matricesDouble[0];
    double f[3];
    for (int i = 0; i < 3; ++i) {
        f[i] = m[3 * i] * v[0] + m[3 * i + 1] * v[1] + m[3 * i + 2] * v[2];
    }
    const double rho = std::acos(std::fmax(-1.0, std::fmin(1.0, f[0])));
    const double k = rho > 1e-12 ? rho / std::sin(rho) : 1.0;
    x = static_cast<int>(std::lround(scene.view.screenCentreX - f[1] * k * scene.view.pixelsPerRadianX));
    y = static_cast<int>(std::lround(scene.view.screenCentreY - f[2] * k * scene.view.pixelsPerRadianY));
    return x >= 10 && x <= 790 && y >= 10 && y <= 590;
}

TEST(Picking, StarsBelowTheHorizonAreNeverPicked)
{
    ViewSetup setup;
    setup.mode = kModeHrz;
    setup.field = 60.0;
    setup.altitude = 0.0;
    auto scene = MakeScene(setup);
    scene->statusLine = 0;
    HideSolarSystem(*scene);
    const int32_t* horizon = scene->view.matrices[1].data() + 6;
    int below = 0;
    int above = 0;
    int32_t lastStar = 0;
    ASSERT_EQ(GetLastStarWithinLimit(*scene, lastStar), 1);
    for (int32_t star = 0; star <= lastStar; ++star) {
        double v[3];
        StarVector(star, v);
        int x = 0;
        int y = 0;
        if (!AzimuthalPixel(*scene, v, x, y)) {
            continue;
        }
        const BrightStarRecord& r = BrightStarTable[star];
        const int64_t up = int64_t{horizon[0]} * r.x + int64_t{horizon[1]} * r.y + int64_t{horizon[2]} * r.z;
        if (std::llabs(up) < 16384LL * 300) {
            continue;   // too near the horizon to tell
        }
        // The same pixel in a view that has no horizon finds a star.
        scene->pickedObject.picked = 0;
        scene->viewMode = kModeEqt;
        ASSERT_EQ(FindNextObjectAt(*scene, x + 1, y + 1), 1) << "star " << star;
        scene->viewMode = kModeHrz;
        const int found = FindNextObjectAt(*scene, x + 1, y + 1);
        if (up < 0) {
            ++below;
            EXPECT_EQ(found, 0) << "star " << star;
        } else {
            ++above;
            EXPECT_EQ(found, 1) << "star " << star;
        }
    }
    EXPECT_GT(below, 3);
    EXPECT_GT(above, 3);
}

TEST(Picking, ThePixelsOfTheStatusLinePickNothing)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 10.0);
    HideSolarSystem(*scene);
    const ProjectedPoint p = ScreenOf(*scene, sirius);
    // Let the strip above the sky reach below the star's row.
    scene->view.skyRect.y = static_cast<short>(p.y + 5);
    scene->statusLine = 1;
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p), ClickY(p)), 0);
    scene->statusLine = 0;
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p), ClickY(p)), 1);
}

TEST(Picking, HiddenStarsAreNeverPicked)
{
    double sirius[3];
    StarVector(kSirius, sirius);
    auto scene = EquatorialViewOn(sirius, 10.0);
    HideSolarSystem(*scene);
    scene->displayFlags[kFlagStars] = 0;
    const ProjectedPoint p = ScreenOf(*scene, sirius);
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p), ClickY(p)), 0);
}

int32_t MessierIndex(int32_t number)
{
    for (int32_t i = 0; i < NebulaCatalogCounts[kMessier]; ++i) {
        if ((NebulaAttributeTable[kMessier][i].word[1] & kNebulaNumberMask) == uint32_t(number)) {
            return i;
        }
    }
    return -1;
}

TEST(Picking, TheAndromedaGalaxyIsPickedWithoutTheNebulaLayerWhenStarsGoFaint)
{
    const int32_t m31 = MessierIndex(31);
    ASSERT_GE(m31, 0);
    const FixedVector& f = NebulaPositionTable[m31];
    double v[3] = {f[0] / 16384.0, f[1] / 16384.0, f[2] / 16384.0};
    const double n = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    for (double& c : v) {
        c /= n;
    }
    auto scene = EquatorialViewOn(v, 10.0);
    HideSolarSystem(*scene);
    scene->displayFlags[kFlagStars] = 0;
    scene->displayFlags[kFlagNebulae] = 0;
    ProjectedPoint p{};
    ASSERT_EQ(ProjectPoint(*scene, f, p), 1);
    scene->mag.starLimit = 45;
    ASSERT_EQ(FindNextObjectAt(*scene, ClickX(p), ClickY(p)), 1);
    EXPECT_EQ(scene->pickedObject.type, kObjectNebula);
    EXPECT_EQ(scene->pickedObject.id, m31);
    scene->mag.starLimit = 39;
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p), ClickY(p)), 0);
    // With the layer on it is a nebula like any other.
    scene->displayFlags[kFlagNebulae] = 1;
    EXPECT_EQ(FindNextObjectAt(*scene, ClickX(p), ClickY(p)), 1);
    EXPECT_EQ(scene->pickedObject.id, m31);
}

// ---------------------------------------------------------------- quadrant

TEST(Picking, QuadrantsCountTheCentreLinesAsRightAndBelow)
{
    ViewSetup setup;
    setup.top = 20;
    auto scene = MakeScene(setup);   // sky 800 x 600 from row 20: centre (400, 320)
    EXPECT_EQ(GetPickQuadrant(*scene, 399, 319), 1);
    EXPECT_EQ(GetPickQuadrant(*scene, 400, 319), 2);
    EXPECT_EQ(GetPickQuadrant(*scene, 399, 320), 3);
    EXPECT_EQ(GetPickQuadrant(*scene, 400, 320), 4);
}

// ---------------------------------------------------------------- text list

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
