// The information box's lines composed without a display: the rounding of
// the place and of the rise and set times, the texts of each kind of
// object, the solar-system distances, and stale picks.
#include <gtest/gtest.h>

#include "astro/calendar.h"
#include "astro/time_records.h"
#include "core/app_env.h"
#include "mainwin/info_box_lines.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/catalog/user_object_files.h"
#include "sky/colors.h"
#include "sky/object_type.h"
#include "sky/solar_system_update.h"
#include "tests/harness/test_files.h"
#include "tests/sky/sky_view_fixture.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

using skytest::MakeScene;
using skytest::ViewSetup;

constexpr int kCharWidth = 7;

int FixedWidth(const char* text)
{
    return kCharWidth * static_cast<int>(std::strlen(text));
}

const InfoBoxFont kFont{FixedWidth, kCharWidth};

struct EqtRow {
    double ra, dec, magnitude, size;
    const char* expected;
};

TEST(InfoBoxLinesTest, PlaceMagnitudeAndSizeRound)
{
    // The minutes are those of the R.A. three seconds on, rounded to the
    // tenth.
    const EqtRow rows[] = {
        // 23h59m58s carries into the next hour and wraps to 0h.
        {(23.0 + 59.0 / 60 + 58.0 / 3600) * 15.0, 0.0, kNoValue, kNoValue,
         "R.A.  0h 0.0m  Decl + 0\260 0'"},
        // 59m55s rounds up to the whole hour: the next hour, not "60.0m".
        {(5.0 + 59.0 / 60 + 55.0 / 3600) * 15.0, 0.0, kNoValue, kNoValue,
         "R.A.  6h 0.0m  Decl + 0\260 0'"},
        {(23.0 + 59.0 / 60 + 55.0 / 3600) * 15.0, 0.0, kNoValue, kNoValue,
         "R.A.  0h 0.0m  Decl + 0\260 0'"},
        {(5.0 + 59.0 / 60 + 50.0 / 3600) * 15.0, 0.0, kNoValue, kNoValue,
         "R.A.  5h59.9m  Decl + 0\260 0'"},
        {(5.0 + 35.3 / 60) * 15.0, -(5.0 + 23.0 / 60), 4.0, 85.0,
         "R.A.  5h35.4m  Decl - 5\26023' Mag 4.0 Size 85'"},
        {101.29, -16.7161, -1.44, kNoValue, "R.A.  6h45.2m  Decl -16\26043' Mag-1.4"},
        {(6.0 + 45.14 / 60) * 15.0, 0.0, kNoValue, kNoValue, "R.A.  6h45.2m  Decl + 0\260 0'"},
        {(6.0 + 45.04 / 60) * 15.0, 0.0, kNoValue, kNoValue, "R.A.  6h45.1m  Decl + 0\260 0'"},
        {10.0, 0.5 / 60 - 1e-9, kNoValue, 9.95, "R.A.  0h40.0m  Decl + 0\260 0' Size 9.9'"},
        {10.0, 10.0, kNoValue, 10.0, "R.A.  0h40.0m  Decl +10\260 0' Size 10'"},
    };
    for (const EqtRow& row : rows) {
        InfoBoxObject object{"x", row.ra, row.dec, row.magnitude, row.size};
        char text[kInfoBoxTextSize];
        EXPECT_EQ(FormatInfoBoxEqtMag(object, 0, text, sizeof text), 1);
        EXPECT_STREQ(text, row.expected) << row.ra << " " << row.dec;
    }
}

TEST(InfoBoxLinesTest, NoPlaceAndTheEarthReadInvalid)
{
    InfoBoxObject object{"x", kNoCoordinate, 10.0, kNoValue, kNoValue};
    char text[kInfoBoxTextSize];
    EXPECT_EQ(FormatInfoBoxEqtMag(object, 0, text, sizeof text), 0);
    EXPECT_STREQ(text, "R.A. --h--.-m  Decl --\260--'");
    object.ra = 10.0;
    EXPECT_EQ(FormatInfoBoxEqtMag(object, 1, text, sizeof text), 0);
    EXPECT_STREQ(text, "--.-- --.--");
}

TEST(InfoBoxLinesTest, RiseAndSetRoundUpFromHalfAMinute)
{
    struct Row {
        int hour, minute;
        double second;
        const char* expected;
    };
    const Row rows[] = {
        {6, 59, 30.0, "07:00"}, {6, 59, 29.0, "06:59"}, {23, 59, 45.0, "24:00"},
        {0, 0, 0.0, "00:00"},   {12, 5, 31.0, "12:06"},
    };
    for (const Row& row : rows) {
        const double jd = JulianDayFromDate({2024, 3, 20, row.hour, row.minute, row.second, 9.0});
        char text[kRiseSetTextSize];
        FormatRiseSetTime(1, jd, 9.0, text);
        EXPECT_STREQ(text, row.expected);
    }
    char text[kRiseSetTextSize];
    FormatRiseSetTime(0, 2460000.0, 9.0, text);
    EXPECT_STREQ(text, "--:--");
}

class ComposedBoxTest : public ::testing::Test {
protected:
    void SetUp() override { UseScene(kModeHrz); }
    void TearDown() override
    {
        FreeCometList(*scene);
        FreeSceneSmallBodies(*scene);
    }

    void UseScene(int32_t mode)
    {
        ViewSetup setup;
        setup.mode = mode;
        scene = MakeScene(setup);
        UpdateSolarSystem(*scene);
    }

    std::vector<std::string> Compose(int32_t type, int32_t id)
    {
        scene->pickedObject.picked = 1;
        scene->pickedObject.type = type;
        scene->pickedObject.id = id;
        std::vector<std::string> texts;
        if (ComposeClickDataInfo(*scene, kFont, lines) == 0) {
            return texts;
        }
        for (const InfoBoxPiece& piece : lines.pieces) {
            texts.emplace_back(piece.text);
        }
        return texts;
    }

    std::unique_ptr<Scene> scene;
    InfoBoxLines lines{};
};

TEST_F(ComposedBoxTest, SiriusNamesItsDesignationAndName)
{
    const auto texts = Compose(kObjectStar, 0);
    ASSERT_EQ(texts.size(), 4u);
    // Flamsteed number and Greek letter run together, as the catalogue's
    // designations are written.
    EXPECT_EQ(texts[0], "9alpha CMa (Canis Major) Sirius");
    EXPECT_EQ(texts[1].rfind("R.A.  6h45.2m", 0), 0u) << texts[1];
    EXPECT_NE(texts[1].find("Decl -16\26043' Mag-1."), std::string::npos) << texts[1];
    EXPECT_EQ(texts[2].rfind("Rise ", 0), 0u);
    EXPECT_EQ(texts[2].find("--:--"), std::string::npos) << texts[2];
    EXPECT_EQ(texts[3].rfind("Azm ", 0), 0u);
    for (size_t i = 0; i < lines.pieces.size(); ++i) {
        EXPECT_EQ(lines.pieces[i].line, static_cast<int>(i));
        EXPECT_EQ(lines.pieces[i].color, kColorBlack);
    }
}

// A star known by its name alone shows it after a blank, where the
// designation would have stood.
TEST_F(ComposedBoxTest, AStarWithANameAndNoDesignationLeadsWithABlank)
{
    int named = 0;
    for (int32_t star = 0; star < kBrightStarCount; ++star) {
        int32_t row = 0;
        int32_t flag = 0;
        const char* proper = GetStarProperName(star);
        if (proper == nullptr || GetStarDesignationIndex(star, row, flag) != 0) {
            continue;
        }
        ++named;
        EXPECT_EQ(Compose(kObjectStar, star)[0], std::string(" ") + proper) << star;
    }
    EXPECT_GT(named, 0);
}

TEST_F(ComposedBoxTest, NebulaeCloudsAndSatellitesNameThemselves)
{
    int32_t m42 = 0;
    ASSERT_EQ(FindNebulaByDesignation("M42", m42), 1);
    EXPECT_EQ(Compose(kObjectNebula, m42)[0].rfind("M42 (NGC1976)  ", 0), 0u);
    // The size is the catalogue's major axis: whole arcminutes from 10 up,
    // tenths below; none given, none shown.
    const std::pair<const char*, const char*> sizes[] = {
        {"M42", " Mag 4.0 Size 90'"}, {"M31", " Mag 4.4 Size 178'"}, {"M1", " Mag 8.4 Size 8.0'"},
        {"M57", " Mag 9.7 Size 1.3'"}, {"NGC7009", " Mag 8.3"},
    };
    for (const auto& [designation, tail] : sizes) {
        int32_t index = -1;
        ASSERT_EQ(FindNebulaByDesignation(designation, index), 1) << designation;
        const std::string place = Compose(kObjectNebula, index)[1];
        ASSERT_GE(place.size(), std::strlen(tail)) << place;
        EXPECT_EQ(place.substr(place.size() - std::strlen(tail)), tail) << designation;
    }
    EXPECT_EQ(Compose(kObjectMagellanicCloud, 0)[0], "LMC");
    EXPECT_EQ(Compose(kObjectMagellanicCloud, 1)[0], "SMC");
    const auto io = Compose(kObjectJovianMoon, 0);
    EXPECT_EQ(io[0], "Io (I)");
    // A satellite rises and sets with Jupiter.
    EXPECT_EQ(io[2], Compose(kObjectSolarBody, 3)[2]);
}

TEST_F(ComposedBoxTest, MoonAndSunAddTheirNotes)
{
    const auto moon = Compose(kObjectSolarBody, -1);
    EXPECT_NE(moon[0].find(" Age:"), std::string::npos) << moon[0];
    EXPECT_NE(moon[0].find(" k:"), std::string::npos) << moon[0];
    // The total eclipse of 2024 April 8 seen from Dallas at 18:42 UT.
    AstroTimeFromDate({2024, 4, 8, 13, 42, 0.0, -5.0}, {32.78, -96.80, 140.0}, scene->time);
    scene->siteZone = -5.0;
    UpdateSolarSystem(*scene);
    const auto sun = Compose(kObjectSolarBody, -2);
    EXPECT_NE(sun[0].find(" EMAG:"), std::string::npos) << sun[0];
    EXPECT_EQ(sun[1].find("Mag"), std::string::npos);
}

TEST_F(ComposedBoxTest, TheEarthHasNoPlace)
{
    const auto earth = Compose(kObjectSolarBody, -3);
    EXPECT_EQ(earth[1], "--.-- --.--");
    EXPECT_EQ(lines.pieces[1].color, kColorGrayText);
    EXPECT_EQ(earth[2], "Rise --:--  Set --:--");
    // The grey line 4 is drawn with the GC's core font, not the font set.
    EXPECT_EQ(earth[3], "Azm ---.--\260  Alt ---.--\260");
    EXPECT_TRUE(lines.pieces[3].coreFont);
    EXPECT_FALSE(lines.pieces[1].coreFont);
}

TEST_F(ComposedBoxTest, SolarSystemViewsShowDistances)
{
    UseScene(kModeSol2);
    const auto jupiter = Compose(kObjectSolarBody, 3);
    ASSERT_EQ(lines.pieces.size(), 5u);
    EXPECT_EQ(jupiter[3].rfind("Delta ", 0), 0u);
    EXPECT_EQ(jupiter[4].rfind("r ", 0), 0u);
    EXPECT_EQ(lines.pieces[4].line, 3);
    EXPECT_EQ(lines.pieces[4].x, FixedWidth(jupiter[3].c_str()) + 2 * kCharWidth);
    EXPECT_FALSE(lines.pieces[3].coreFont || lines.pieces[4].coreFont);
    EXPECT_EQ(Compose(kObjectStar, 0)[3], "Delta  -.---AU  r  -.---AU");
    EXPECT_EQ(lines.pieces[3].color, kColorGrayText);
    EXPECT_TRUE(lines.pieces[3].coreFont);
}

TEST_F(ComposedBoxTest, CometBeyondAHundredAuIsGrey)
{
    UseScene(kModeSol2);
    OrbitalElements elements{};
    elements.kind = 'C';
    std::snprintf(elements.designation, sizeof elements.designation, "C/2099 A1");
    std::snprintf(elements.name, sizeof elements.name, "Far   ");
    elements.perihelionDistance = 150.0;
    elements.eccentricity = 0.5;
    elements.perihelionTime = 2460000.0;
    elements.equinoxYear = 2000.0;
    ASSERT_EQ(AddComet(*scene, elements), 1);
    SmallBodyRecord& record = scene->cometPositions[0];
    record.raReference = 30.0;
    record.decReference = 10.0;
    record.helioDistance = 150.0;
    record.distance = 149.5;
    record.magnitude = 215;
    const auto comet = Compose(kObjectSolarBody, kCometIdBase);
    EXPECT_EQ(comet[0], "C/2099 A1 Far");
    EXPECT_NE(comet[1].find("Mag21.5"), std::string::npos) << comet[1];
    EXPECT_EQ(comet[3], "Delta  -.---AU  r  -.---AU");
    EXPECT_EQ(lines.pieces[3].color, kColorGrayText);
    record.helioDistance = 5.0;
    EXPECT_EQ(Compose(kObjectSolarBody, kCometIdBase)[3].rfind("Delta 149.500AU", 0), 0u);
}

// Line 5 is the click-data file's text for the object, as it stands
// however long, and only when the object's entry has one.
TEST_F(ComposedBoxTest, TheFifthLineIsTheClickDataText)
{
    const std::string path = TestHome() + "/box.cdf";
    const std::string longText(300, 'x');
    std::string greek;
    for (int i = 0; i < 200; ++i) {
        greek += "\u03b1";
    }
    WriteFile(path, ":STAR alphaCMa\n@TEXT \"The brightest star of the night sky, 8.6 light "
                    "years away.\"\n:M42\n@IMAGE m42.jpg\n:M31\n@TEXT \"" + longText + "\"\n"
                    ":M45\n@TEXT \"" + greek + "\"\n");
    std::snprintf(gAppEnv->clickDataFile, kPathSize, "%s", path.c_str());
    char message[256];
    ASSERT_EQ(LoadClickData(*scene, path.c_str(), message, sizeof message), 1);
    const auto sirius = Compose(kObjectStar, 0);
    ASSERT_EQ(sirius.size(), 5u);
    EXPECT_EQ(sirius[4], "The brightest star of the night sky, 8.6 light years away.");
    EXPECT_EQ(lines.pieces[4].line, 4);
    EXPECT_EQ(lines.pieces[4].color, kColorBlack);
    EXPECT_EQ(lines.pieces[4].x, 0);
    int32_t m42 = -1;
    ASSERT_EQ(FindNebulaByDesignation("M42", m42), 1);
    EXPECT_EQ(Compose(kObjectNebula, m42).size(), 4u);   // a picture, no text
    int32_t m31 = -1;
    ASSERT_EQ(FindNebulaByDesignation("M31", m31), 1);
    const auto andromeda = Compose(kObjectNebula, m31);
    ASSERT_EQ(andromeda.size(), 5u);
    EXPECT_EQ(andromeda[4], longText.substr(0, kInfoBoxTextSize - 1));
    // Cut where the piece ends, at a whole character of the locale.
    ASSERT_NE(setlocale(LC_CTYPE, "C.UTF-8"), nullptr);
    int32_t m45 = -1;
    ASSERT_EQ(FindNebulaByDesignation("M45", m45), 1);
    const auto pleiades = Compose(kObjectNebula, m45);
    setlocale(LC_CTYPE, "C");
    ASSERT_EQ(pleiades.size(), 5u);
    EXPECT_EQ(pleiades[4], greek.substr(0, 2 * ((kInfoBoxTextSize - 1) / 2)));
    FreeClickData(*scene);
    EXPECT_EQ(Compose(kObjectStar, 0).size(), 4u);
}

// A user object is found by its running index across the loaded files and
// shows its own name, its place turned to J2000, and what its kind adds.
TEST_F(ComposedBoxTest, UserObjectsNameThemselvesByKind)
{
    const std::string first = TestHome() + "/first.adf";
    const std::string second = TestHome() + "/second.adf";
    WriteFile(first, "EQT 6 10 STAR 2.5 3 Lamp\nLINE 3\nEQT 6 11\nEND\n");
    WriteFile(second, "EQT 6 -10 NEBULA 2 Cloud\nEQT 6.5 0 MARK 1 Flag\nEQT 7 20 Spot\n"
                      "EPOCH B1950\n0530.5 -0523 Old\n");
    char message[256];
    for (const std::string& path : {first, second}) {
        ASSERT_EQ(LoadUserObjectFile(*scene, path.c_str(), scene->userObjectFiles,
                                     scene->userObjectFileCount, message, sizeof message),
                  1)
            << message;
    }
    struct Row {
        int32_t index;
        const char* name;
        const char* place;
    };
    const Row rows[] = {
        {0, "Lamp", "R.A.  6h 0.0m  Decl +10\260 0' Mag 2.5"},
        {1, "", "R.A. --h--.-m  Decl --\260--'"},   // LINE: no object
        {3, "", "R.A. --h--.-m  Decl --\260--'"},   // END
        {4, "Cloud Diffuse Nebula", "R.A.  6h 0.0m  Decl -10\260 0'"},
        {5, "Flag", "R.A.  6h30.0m  Decl + 0\260 0'"},
        // 7h and its three seconds come out a hair over the twentieth of
        // a minute in doubles, so the tenth rounds up.
        {6, "Spot", "R.A.  7h 0.1m  Decl +20\260 0'"},
        // Orion's belt given for B1950 reads at its J2000 place.
        {7, "Old", "R.A.  5h33.0m  Decl - 5\26021'"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.index);
        const auto texts = Compose(kObjectUserObject, row.index);
        ASSERT_EQ(texts.size(), 4u);
        EXPECT_EQ(texts[0], row.name);
        EXPECT_EQ(texts[1], row.place);
        EXPECT_EQ(texts[2].find("--:--") == std::string::npos, row.name[0] != '\0') << texts[2];
    }
    EXPECT_TRUE(Compose(kObjectUserObject, 8).empty());
    FreeUserObjectFiles(*scene);
    EXPECT_TRUE(Compose(kObjectUserObject, 0).empty());
}

TEST_F(ComposedBoxTest, StalePicksComposeNothing)
{
    EXPECT_TRUE(Compose(kObjectSolarBody, kCometIdBase + 3).empty());
    EXPECT_TRUE(Compose(kObjectStar, 99999).empty());
    EXPECT_TRUE(Compose(kObjectMagellanicCloud, 2).empty());
    scene->pickedObject.picked = 0;
    EXPECT_EQ(ComposeClickDataInfo(*scene, kFont, lines), 0);
}

}  // namespace
