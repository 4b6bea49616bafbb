// What the pointer and keys compose, without a display: the pan command,
// the keys that scroll or change the star limit, the popup's position
// lines and the kinds of objects its walk finds.
#include <gtest/gtest.h>

#include "astro/coordinates.h"
#include "data/catalog_tables.h"
#include "mainwin/scroll_bars.h"
#include "mainwin/pointer_input.h"
#include "mainwin/popup_menu.h"
#include "sky/picking.h"
#include "sky/object_type.h"
#include "sky/view/projection.h"
#include "sky/view/screen_points.h"
#include "tests/sky/sky_view_fixture.h"

#include <X11/keysym.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <utility>
#include <vector>

namespace {

using skytest::MakeScene;
using skytest::ViewSetup;

TEST(PointerLinesTest, ArrowsScrollOnlyWithoutModifiers)
{
    struct Row {
        unsigned long keysym;
        unsigned int state;
        int vertical, kind;
    };
    const Row rows[] = {
        {XK_Up, 0, 1, kScrollDecrement},       {XK_Down, 0, 1, kScrollIncrement},
        {XK_Left, 0, 0, kScrollDecrement},     {XK_Right, 0, 0, kScrollIncrement},
        {XK_Left, LockMask, -1, 0},            {XK_Up, Mod2Mask, -1, 0},
        {XK_Right, ControlMask, -1, 0},        {XK_Down, ShiftMask, -1, 0},
        {XK_a, 0, -1, 0},
    };
    for (const Row& row : rows) {
        int kind = 0;
        EXPECT_EQ(ArrowKeyScroll(row.keysym, row.state, kind), row.vertical) << row.keysym;
        if (row.vertical >= 0) {
            EXPECT_EQ(kind, row.kind);
        }
    }
    EXPECT_STREQ(ShiftKeyCommand(XK_Up, ShiftMask), "INCMAG STAR 0.1;DRIVE");
    EXPECT_STREQ(ShiftKeyCommand(XK_Down, ShiftMask | LockMask), "DECMAG STAR 0.1;DRIVE");
    EXPECT_EQ(ShiftKeyCommand(XK_Up, 0), nullptr);
    EXPECT_EQ(ShiftKeyCommand(XK_Left, ShiftMask), nullptr);
}

TEST(PointerLinesTest, PanMovesTheCentreByThePlacesUnderBothEnds)
{
    ViewSetup setup;
    setup.mode = kModeEqt;
    setup.field = 40.0;
    setup.centreLongitude = 100.0;
    setup.centreLatitude = 20.0;
    auto scene = MakeScene(setup);
    char text[96];
    ASSERT_EQ(PanCommand(*scene, 400, 300, 0, 0, text, sizeof text), 1);
    EXPECT_STREQ(text, "TRACK OFF;LOOK EQT_DATE   6.66667, 20.0000");
    // The sky pulled to the right brings the east (larger right ascension)
    // into the middle; 40 pixels along the parallel at +20 degrees are
    // 40 / cos 20 pixels' worth of right ascension.
    double longitude = 0.0;
    double latitude = 0.0;
    ASSERT_EQ(PanCommand(*scene, 400, 300, 40, 0, text, sizeof text), 1);
    ASSERT_EQ(std::sscanf(text, "TRACK OFF;LOOK EQT_DATE %lf,%lf", &longitude, &latitude), 2);
    EXPECT_NEAR((longitude * 15.0 - 100.0) * scene->view.pixelsPerDegree,
                40.0 / std::cos(20.0 * M_PI / 180.0), 1.0);
    EXPECT_NEAR(latitude, 20.0, 0.1);

    setup.mode = kModeHrz;
    setup.azimuth = 350.0;
    setup.altitude = 30.0;
    scene = MakeScene(setup);
    ASSERT_EQ(PanCommand(*scene, 400, 300, 0, 0, text, sizeof text), 1);
    EXPECT_STREQ(text, "TRACK OFF;LOOK HRZ 350.00000, 30.0000");
}

TEST(PointerLinesTest, PanFromOffTheSkyDoesNothing)
{
    ViewSetup setup;
    setup.mode = kModeAll2Eqt;   // a corner lies outside the map's ellipse
    auto scene = MakeScene(setup);
    double v[3];
    ASSERT_EQ(ScreenToSky(*scene, 1, 1, v), 0);
    char text[96] = "";
    EXPECT_EQ(PanCommand(*scene, 1, 1, 300, 200, text, sizeof text), 0);
    EXPECT_EQ(PanCommand(*scene, 400, 300, -399, -299, text, sizeof text), 0);
}

TEST(PointerLinesTest, PositionLinesRoundAsShown)
{
    struct Row {
        void (*format)(const char*, const double[2], char*);
        double longitude, latitude;
        const char* expected;
    };
    const Row rows[] = {
        {FormatEquatorialLine, 0.0, -0.2 / 60.0, "Eqt.2000  R.A.  0h00.0m Decl  00\26000'"},
        {FormatEquatorialLine, (5.0 + 59.96 / 60.0) * 15.0, 10.0,
         "Eqt.2000  R.A.  6h00.0m Decl +10\26000'"},
        {FormatEquatorialLine, 359.9999, -10.0 - 59.7 / 60.0,
         "Eqt.2000  R.A.  0h00.0m Decl -11\26000'"},
        {FormatEquatorialLine, 15.0 * 12.5, 0.6 / 60.0, "Eqt.2000  R.A. 12h30.0m Decl +00\26001'"},
        {FormatEclipticLine, 359.999, -0.2 / 60.0, "Eqt.2000  Long   0\26000'  Lati  00\26000'"},
        {FormatEclipticLine, 123.5, 5.25, "Eqt.2000  Long 123\26030'  Lati +05\26015'"},
        {FormatHorizontalLine, 359.96, 0.05, "Eqt.2000  Azm.   0.0\260   Alt.   0.0\260"},
        {FormatHorizontalLine, 180.04, -12.34, "Eqt.2000  Azm. 180.0\260   Alt. -12.3\260"},
    };
    for (const Row& row : rows) {
        char text[kPopupLabelSize];
        const double place[2] = {row.longitude, row.latitude};
        row.format("Eqt.2000", place, text);
        EXPECT_STREQ(text, row.expected);
    }
}

TEST(PointerLinesTest, SolarSystemViewsHaveNoHorizontalLine)
{
    const double v[3] = {1.0, 0.0, 0.0};
    char lines[kPopupLabelCount][kPopupLabelSize];
    ViewSetup setup;
    setup.mode = kModeEqt;
    EXPECT_EQ(ComposePopupPositionLines(*MakeScene(setup), v, lines), 4);
    EXPECT_EQ(std::strncmp(lines[3], "Horizon.  ", 10), 0) << lines[3];
    EXPECT_EQ(std::strncmp(lines[1], "Eqt.Date  ", 10), 0) << lines[1];
    EXPECT_EQ(std::strncmp(lines[2], "Ecliptic  ", 10), 0) << lines[2];
    setup.mode = kModeSol2;
    EXPECT_EQ(ComposePopupPositionLines(*MakeScene(setup), v, lines), 3);
}

// A comet put on Sirius: the walk meets both, once each, and leaves the
// picked object as it was.
TEST(PointerLinesTest, WalkGivesEachKindOnceInTheOrderFound)
{
    double v[3];
    skytest::StarVector(0, v);
    auto scene = skytest::EquatorialViewOn(v, 10.0);
    scene->sunFlags = scene->moonFlags = scene->earthFlags = 0;
    for (uint8_t& flags : scene->planetFlags) {
        flags = 0;
    }
    ProjectedPoint p{};
    ASSERT_EQ(ProjectPointDouble(*scene, v, p), 1);
    std::memset(&scene->pickedObject, 0x5a, sizeof scene->pickedObject);
    const PickedObject before = scene->pickedObject;

    int kinds[kPopupKindCount];
    EXPECT_EQ(CollectPopupObjectKinds(*scene, p.x + 1, p.y + 1, kinds), 1);
    EXPECT_EQ(kinds[0], kPopupStar);

    SmallBodyRecord comet{};
    comet.kind = 'C';
    for (int i = 0; i < 3; ++i) {
        comet.unitVector[i] = v[i];
        comet.fixedVector[i] = static_cast<int32_t>(v[i] * 16384.0);
    }
    uint8_t flags = kBodyShown;
    scene->cometCount = 1;
    scene->cometPositions = &comet;
    scene->cometFlags = &flags;
    EXPECT_EQ(CollectPopupObjectKinds(*scene, p.x + 1, p.y + 1, kinds), 2);
    EXPECT_EQ(kinds[0], kPopupComets);
    EXPECT_EQ(kinds[1], kPopupStar);
    EXPECT_EQ(std::memcmp(&before, &scene->pickedObject, sizeof before), 0);
    scene->cometCount = 0;
    scene->cometPositions = nullptr;
    scene->cometFlags = nullptr;
}

// The objects near a pixel as repeated picks meet them, once round.
std::vector<std::pair<int32_t, int32_t>> ObjectsNear(const Scene& scene, int x, int y)
{
    auto probe = std::make_unique<Scene>(scene);
    probe->pickedObject.picked = 0;
    std::vector<std::pair<int32_t, int32_t>> found;
    while (found.size() < 20 && FindNextObjectAt(*probe, x, y) != 0) {
        const std::pair<int32_t, int32_t> object{probe->pickedObject.type, probe->pickedObject.id};
        if (!found.empty() && object == found.front()) {
            break;
        }
        found.push_back(object);
        probe->pickedObject.picked = 1;
    }
    return found;
}

// On a chart so wide that several stars lie within three pixels of one
// place, the popup has one "Star" button for them.
TEST(PointerLinesTest, SeveralStarsGiveOneButton)
{
    double v[3];
    skytest::StarVector(0, v);
    auto scene = skytest::EquatorialViewOn(v, 150.0);
    scene->sunFlags = scene->moonFlags = scene->earthFlags = 0;
    for (uint8_t& flags : scene->planetFlags) {
        flags = 0;
    }
    for (int y = 100; y < 500; y += 3) {
        for (int x = 100; x < 700; x += 3) {
            const auto near = ObjectsNear(*scene, x, y);
            if (near.size() < 2 || near[0].first != kObjectStar || near[1].first != kObjectStar) {
                continue;
            }
            int kinds[kPopupKindCount];
            EXPECT_EQ(CollectPopupObjectKinds(*scene, x, y, kinds), 1);
            EXPECT_EQ(kinds[0], kPopupStar);
            return;
        }
    }
    FAIL() << "no two stars within three pixels of one place";
}

}  // namespace
