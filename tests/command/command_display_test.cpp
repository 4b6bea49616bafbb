// SHOW, HIDE, TOGGLE, GRID, OUTLINE, REAL, DISK, DISK_MAG, LOAD and UNLOAD
// run through the interpreter against the real Scene: every keyword of the
// object table lands on the flag byte of its group, solar-object keywords
// reach the right bodies, refused arguments carry their error keys.
#include <gtest/gtest.h>

#include "tests/command/command_test_support.h"

#include "command/display_commands.h"
#include "command/interpreter.h"
#include "core/app_env.h"
#include "core/keywords.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/font_sets.h"
#include "sky/scene.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class DisplayCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetForCommands(scene);
    }

    void TearDown() override
    {
        // The lists below belong to the test, not to the Scene.
        scene.cometCount = 0;
        scene.cometPositions = nullptr;
        scene.cometFlags = nullptr;
        scene.mplanetCount = 0;
        scene.mplanetPositions = nullptr;
        scene.mplanetFlags = nullptr;
    }

    // Two comets, then three minor planets.
    void LoadSmallBodies()
    {
        comets.assign(2, SmallBodyRecord{});
        for (SmallBodyRecord& record : comets) {
            record.kind = 'C';
        }
        minorPlanets.assign(3, SmallBodyRecord{});
        for (SmallBodyRecord& record : minorPlanets) {
            record.kind = 'M';
        }
        cometFlags.assign(2, 0);
        minorPlanetFlags.assign(3, 0);
        scene.cometCount = 2;
        scene.cometPositions = comets.data();
        scene.cometFlags = cometFlags.data();
        scene.mplanetCount = 3;
        scene.mplanetPositions = minorPlanets.data();
        scene.mplanetFlags = minorPlanetFlags.data();
    }

    std::string Run(const std::string& text) { return RunCommand(scene, text); }

    void ExpectRefused(const std::string& text, const char* key, const char* parameter)
    {
        const std::vector<uint8_t> cometsBefore = cometFlags;
        ExpectRefusedUnchanged(scene, text, key, parameter);
        EXPECT_EQ(cometsBefore, cometFlags) << text;
    }

    Scene& scene = *gScene;
    std::vector<SmallBodyRecord> comets;
    std::vector<SmallBodyRecord> minorPlanets;
    std::vector<uint8_t> cometFlags;
    std::vector<uint8_t> minorPlanetFlags;
};

// The byte each keyword group switches, written out independently of the
// handler's own table; null for the groups without a byte.
uint8_t* ExpectedByte(Scene& scene, int group)
{
    struct GroupByte {
        int group;
        uint8_t* byte;
    };
    const GroupByte table[] = {
        {0x05, &scene.jovianMoonFlags},
        {0x0A, &scene.displayFlags[0]},
        {0x19, &scene.displayFlags[1]},
        {0x0B, &scene.displayFlags[2]},
        {0x1A, &scene.displayFlags[3]},
        {0x0C, &scene.displayFlags[4]},
        {0x0D, &scene.displayFlags[5]},
        {0x0E, &scene.displayFlags[6]},
        {0x0F, &scene.displayFlags[7]},
        {0x10, &scene.displayFlags[8]},
        {0x11, &scene.displayFlags[9]},
        {0x12, &scene.displayFlags[10]},
        {0x13, &scene.displayFlags[11]},
        {0x14, &scene.displayFlags[12]},
        {0x17, &scene.displayFlags[13]},
        {0x1C, &scene.displayFlags[14]},
        {0x1D, &scene.displayFlags[15]},
        {0x16, &scene.trace},
        {0x18, &scene.statusLine},
    };
    for (const GroupByte& entry : table) {
        if (entry.group == group) {
            return entry.byte;
        }
    }
    return nullptr;
}

// ---------------------------------------------------------------- SHOW, HIDE, TOGGLE

TEST_F(DisplayCommands, EveryObjectKeywordSwitchesTheBitsOfItsGroup)
{
    for (const KeywordEntry& entry : TableEntries(ObjectKeywordTable)) {
        SCOPED_TRACE(std::string("keyword ") + entry.keyword);
        ResetScene(scene);
        scene.keepCentred = 0;
        const int group = entry.value >> 8;
        uint8_t bits = static_cast<uint8_t>(entry.value & 0xff);
        if (group == 0x0F && bits == 0x08) {
            bits = 0x30;   // METEOR stands for both meteor kinds
        }
        uint8_t* byte = ExpectedByte(scene, group);
        if (byte == nullptr) {
            static Scene before;
            std::memcpy(&before, &scene, sizeof scene);
            ASSERT_EQ(Run(std::string("SHOW ") + entry.keyword), "");
            ASSERT_EQ(Run(std::string("TOGGLE ") + entry.keyword), "");
            EXPECT_EQ(std::memcmp(&before, &scene, sizeof scene), 0);
            continue;
        }
        *byte = 0;
        ASSERT_EQ(Run(std::string("SHOW ") + entry.keyword), "");
        EXPECT_EQ(*byte, bits);
        *byte = 0xff;
        ASSERT_EQ(Run(std::string("HIDE ") + entry.keyword), "");
        EXPECT_EQ(*byte, static_cast<uint8_t>(~bits));
        *byte = 0;
        ASSERT_EQ(Run(std::string("TOGGLE ") + entry.keyword), "");
        EXPECT_EQ(*byte, bits);
        ASSERT_EQ(Run(std::string("TOGGLE ") + entry.keyword), "");
        EXPECT_EQ(*byte, 0);
    }
}

TEST_F(DisplayCommands, ShowTakesSeveralKeywordsInAnyCase)
{
    scene.displayFlags[kFlagStars] = 0;
    scene.displayFlags[kFlagConstellations] = 0;
    scene.displayFlags[kFlagNebulae] = 0;
    ASSERT_EQ(Run("show star, Cons_Line, nebula"), "");
    EXPECT_EQ(scene.displayFlags[kFlagStars], 0x01);
    EXPECT_EQ(scene.displayFlags[kFlagConstellations], 0x08);
    EXPECT_EQ(scene.displayFlags[kFlagNebulae], 0x01);
}

TEST_F(DisplayCommands, AnUnknownKeywordStopsTheListWhereItStands)
{
    scene.displayFlags[kFlagStars] = 0;
    scene.displayFlags[kFlagConstellations] = 0;
    EXPECT_EQ(Run("SHOW STAR, NOSUCH, CONS_LINE"), "stkErrorIllegalParam");
    EXPECT_STREQ(gAppEnv->errorParam, "NOSUCH");
    EXPECT_EQ(scene.displayFlags[kFlagStars], 0x01);
    EXPECT_EQ(scene.displayFlags[kFlagConstellations], 0x00);
}

TEST_F(DisplayCommands, ShowHideAndToggleWithoutKeywordAreRefused)
{
    ExpectRefused("SHOW", "stkErrorIllegalParam", "");
    ExpectRefused("HIDE", "stkErrorIllegalParam", "");
    ExpectRefused("TOGGLE", "stkErrorIllegalParam", "");
    ExpectRefused("TOGGLE STARZ", "stkErrorIllegalParam", "STARZ");
}

TEST_F(DisplayCommands, KeywordsAreUpperCasedInPlaceAndReportedSo)
{
    char keyword[] = "cons_line";
    ASSERT_EQ(StkShowHideObject(scene, keyword, kFlagSet), 1);
    EXPECT_STREQ(keyword, "CONS_LINE");
    char body[] = "mars_name";
    ASSERT_EQ(StkShowHideObject(scene, body, kFlagSet), 1);
    EXPECT_STREQ(body, "MARS_NAME");
    EXPECT_EQ(scene.planetFlags[kMars] & kBodyName, kBodyName);
    ExpectRefused("show star, starz", "stkErrorIllegalParam", "STARZ");
    ExpectRefused("grid mode9", "stkErrorIllegalParam", "MODE9");
    ExpectRefused("load xyz a.adf", "stkErrorIllegalParam", "XYZ");
}

TEST_F(DisplayCommands, MeteorSwitchesBothMeteorKindsTogether)
{
    scene.displayFlags[kFlagSkyAndGround] = 0x01;
    ASSERT_EQ(Run("TOGGLE METEOR"), "");
    EXPECT_EQ(scene.displayFlags[kFlagSkyAndGround], 0x31);
    ASSERT_EQ(Run("HIDE SCMETEOR; TOGGLE METEOR"), "");
    EXPECT_EQ(scene.displayFlags[kFlagSkyAndGround], 0x01);   // one was on: both off
    ASSERT_EQ(Run("SHOW METEOR"), "");
    EXPECT_EQ(scene.displayFlags[kFlagSkyAndGround], 0x31);
}

TEST_F(DisplayCommands, NebulaTypesAndCataloguesCarryTheNebulaBit)
{
    scene.displayFlags[kFlagNebulae] = 0;
    scene.displayFlags[kFlagNebulaTypes] = 0;
    scene.displayFlags[kFlagNebulaCatalogues] = 0;
    ASSERT_EQ(Run("SHOW GALAXY"), "");
    EXPECT_EQ(scene.displayFlags[kFlagNebulae] & 1, 1);
    ASSERT_EQ(Run("SHOW MESSIER; HIDE GALAXY"), "");
    EXPECT_EQ(scene.displayFlags[kFlagNebulae] & 1, 1) << "a catalogue is still on";
    ASSERT_EQ(Run("HIDE PLANETARY, DIFFUSE, GLOBE, OPEN, GALAXY, COMPOUND"), "");
    EXPECT_EQ(scene.displayFlags[kFlagNebulae] & 1, 1);
    ASSERT_EQ(Run("HIDE MESSIER"), "");
    EXPECT_EQ(scene.displayFlags[kFlagNebulae] & 1, 0);
    // Toggling a type on does not switch the nebulae on; toggling the last
    // off switches them off.
    ASSERT_EQ(Run("TOGGLE NGC"), "");
    EXPECT_EQ(scene.displayFlags[kFlagNebulae] & 1, 0);
    ASSERT_EQ(Run("SHOW NEBULA; TOGGLE NGC"), "");
    EXPECT_EQ(scene.displayFlags[kFlagNebulae] & 1, 0);
}

TEST_F(DisplayCommands, StatusBarMovesTheTopOfTheSky)
{
    ASSERT_EQ(Run("HIDE STATUSBAR"), "");
    EXPECT_EQ(scene.statusLine & 1, 0);
    EXPECT_EQ(scene.view.skyRect.y, 0);
    ASSERT_EQ(Run("SHOW STATUSBAR"), "");
    EXPECT_EQ(scene.statusLine & 1, 1);
    EXPECT_EQ(scene.view.skyRect.y, StatusLineHeight());
}

// ---------------------------------------------------------------- body keywords

TEST_F(DisplayCommands, BodyKeywordsReachTheirBodies)
{
    LoadSmallBodies();
    ASSERT_EQ(Run("SHOW MARS_NAME, PLANET_OBT, COMET2_DATE, IONTAIL1, SUN_SPOT"), "");
    EXPECT_EQ(scene.planetFlags[kMars] & kBodyName, kBodyName);
    EXPECT_EQ(scene.earthFlags & kBodyOrbit, kBodyOrbit);
    EXPECT_EQ(cometFlags[1], kBodyDate);
    EXPECT_EQ(cometFlags[0], kBodyIonTail);
    EXPECT_EQ(scene.sunFlags & kBodySpotOrDustTail, kBodySpotOrDustTail);

    ASSERT_EQ(Run("HIDE PLANET"), "");
    for (uint8_t flags : scene.planetFlags) {
        EXPECT_EQ(flags & kBodyShown, 0);
    }
    EXPECT_EQ(scene.earthFlags & kBodyShown, 0);
    ASSERT_EQ(Run("SHOW COMET_NAME, MINORPLANET3_MAG, DUSTTAIL"), "");
    EXPECT_EQ(cometFlags[0], kBodyIonTail | kBodyName | kBodySpotOrDustTail);
    EXPECT_EQ(cometFlags[1], kBodyDate | kBodyName | kBodySpotOrDustTail);
    EXPECT_EQ(minorPlanetFlags[2], kBodyMagnitude);
    EXPECT_EQ(minorPlanetFlags[0], 0);
    ASSERT_EQ(Run("TOGGLE MOON, MINORPLANET"), "");
    EXPECT_EQ(scene.moonFlags & kBodyShown, 0);
    EXPECT_EQ(minorPlanetFlags[1], kBodyShown);
}

TEST_F(DisplayCommands, BodyKeywordsThatNameNothingAreRefused)
{
    LoadSmallBodies();
    ExpectRefused("SHOW SUN_OBT", "stkErrorIllegalParam", "SUN_OBT");
    ExpectRefused("SHOW MOON_MAG", "stkErrorIllegalParam", "MOON_MAG");
    ExpectRefused("SHOW COMET9", "stkErrorIllegalParam", "COMET9");
    ExpectRefused("SHOW COMET3_NAME", "stkErrorIllegalParam", "COMET3_NAME");
    ExpectRefused("SHOW COMET0", "stkErrorIllegalParam", "COMET0");
    ExpectRefused("SHOW COMET-1", "stkErrorIllegalParam", "COMET-1");
    ExpectRefused("SHOW COMET99999999999999999999", "stkErrorIllegalParam",
                  "COMET99999999999999999999");
    ExpectRefused("SHOW COMET4294967297", "stkErrorIllegalParam", "COMET4294967297");
    ExpectRefused("SHOW MINORPLANET0", "stkErrorIllegalParam", "MINORPLANET0");
    ExpectRefused("SHOW MINORPLANET4", "stkErrorIllegalParam", "MINORPLANET4");
    ExpectRefused("SHOW IONTAIL3", "stkErrorIllegalParam", "IONTAIL3");
    ExpectRefused("SHOW IONTAIL0", "stkErrorIllegalParam", "IONTAIL0");
    ExpectRefused("SHOW MARS_SPOT", "stkErrorIllegalParam", "MARS_SPOT");
    ExpectRefused("SHOW MARS_FOO", "stkErrorIllegalParam", "MARS_FOO");
}

TEST_F(DisplayCommands, NumberedBodiesNeedLoadedLists)
{
    ExpectRefused("SHOW COMET1", "stkErrorIllegalParam", "COMET1");
    ExpectRefused("SHOW MINORPLANET1_NAME", "stkErrorIllegalParam", "MINORPLANET1_NAME");
    // The groups are accepted and switch nothing while nothing is loaded.
    EXPECT_EQ(Run("SHOW COMET, DUSTTAIL, MINORPLANET_OBT"), "");
}

TEST_F(DisplayCommands, SolarObjectKeywordsReadBackToTheSameBodyAndBit)
{
    LoadSmallBodies();
    std::vector<int32_t> ids{-3, -2, -1, 100, 101, 102, 10000, 10001, 20000, 20001, 20002};
    for (int32_t planet = 0; planet < kPlanetCount; ++planet) {
        ids.push_back(planet);
    }
    int written = 0;
    for (int32_t id : ids) {
        for (int32_t bit = 1; bit <= 128; bit <<= 1) {
            const char* keyword = StkSolarObjectKeyword(scene, id, bit);
            if (keyword == nullptr) {
                continue;
            }
            ++written;
            SCOPED_TRACE(keyword);
            int32_t readId = 0;
            int32_t readBit = 0;
            ASSERT_EQ(StkParseSolarObjectKeyword(scene, keyword, readId, readBit), 1);
            EXPECT_EQ(readId, id);
            EXPECT_EQ(readBit, bit);
        }
    }
    // Earth and planets 5 each, Sun 4 (spot, no magnitude or orbit), Moon
    // 3, PLANET and MINORPLANET 5, COMET 7 with its tails, two comets 7,
    // three minor planets 5.
    EXPECT_EQ(written, 9 * 5 + 4 + 3 + 5 + 5 + 7 + 2 * 7 + 3 * 5);
    EXPECT_STREQ(StkSolarObjectKeyword(scene, 10001, 16), "COMET2_DATE");
    EXPECT_STREQ(StkSolarObjectKeyword(scene, 10000, 128), "IONTAIL1");
    EXPECT_STREQ(StkSolarObjectKeyword(scene, 101, 64), "DUSTTAIL");
    EXPECT_STREQ(StkSolarObjectKeyword(scene, -2, 64), "SUN_SPOT");
    EXPECT_STREQ(StkSolarObjectKeyword(scene, 100, 32), "PLANET_OBT");
    EXPECT_EQ(StkSolarObjectKeyword(scene, 10002, 2), nullptr);
    EXPECT_EQ(StkSolarObjectKeyword(scene, 8, 2), nullptr);
    EXPECT_EQ(StkSolarObjectKeyword(scene, 3, 64), nullptr);
    EXPECT_EQ(StkSolarObjectKeyword(scene, -1, 8), nullptr);
}

// ---------------------------------------------------------------- GRID

TEST_F(DisplayCommands, GridSetsTheStyleBitsOnly)
{
    scene.displayFlags[kFlagGridNumbers] = 0xA8;
    ASSERT_EQ(Run("GRID MODE3"), "");
    EXPECT_EQ(scene.displayFlags[kFlagGridNumbers], 0xAB);
    ASSERT_EQ(Run("grid mode1"), "");
    EXPECT_EQ(scene.displayFlags[kFlagGridNumbers], 0xA9);
    ASSERT_EQ(Run("GRID NORMAL"), "");
    EXPECT_EQ(scene.displayFlags[kFlagGridNumbers], 0xA8);
    ExpectRefused("GRID MODE4", "stkErrorIllegalParam", "MODE4");
    ExpectRefused("GRID", "stkErrorIllegalParam", "");
}

// ---------------------------------------------------------------- OUTLINE, REAL, DISK

TEST_F(DisplayCommands, OutlineIsForTheSunAndTheMoon)
{
    ASSERT_EQ(Run("OUTLINE SUN, moon"), "");
    EXPECT_EQ(scene.sunFlags & kBodyOutline, kBodyOutline);
    EXPECT_EQ(scene.moonFlags & kBodyOutline, kBodyOutline);
    ExpectRefused("OUTLINE MARS", "stkErrorIllegalParam", "MARS");
    ExpectRefused("OUTLINE PLUTOX", "stkErrorIllegalParam", "PLUTOX");
    ExpectRefused("OUTLINE", "stkErrorIllegalParam", "");
}

TEST_F(DisplayCommands, RealClearsTheOutlineOfSunMoonAndPlanets)
{
    scene.sunFlags |= kBodyOutline;
    scene.moonFlags |= kBodyOutline;
    for (uint8_t& flags : scene.planetFlags) {
        flags |= kBodyOutline;
    }
    ASSERT_EQ(Run("REAL SUN, MARS"), "");
    EXPECT_EQ(scene.sunFlags & kBodyOutline, 0);
    EXPECT_EQ(scene.moonFlags & kBodyOutline, kBodyOutline);
    EXPECT_EQ(scene.planetFlags[kMars] & kBodyOutline, 0);
    EXPECT_EQ(scene.planetFlags[kJupiter] & kBodyOutline, kBodyOutline);
    ASSERT_EQ(Run("REAL PLANET"), "");
    for (uint8_t flags : scene.planetFlags) {
        EXPECT_EQ(flags & kBodyOutline, 0);
    }
    ExpectRefused("REAL EARTH", "stkErrorIllegalParam", "EARTH");
    ExpectRefused("REAL MARS_NAME", "stkErrorIllegalParam", "MARS_NAME");
    ExpectRefused("REAL", "stkErrorIllegalParam", "");
    // The Moon before the refused Earth is done, the Sun after it is not.
    scene.sunFlags |= kBodyOutline;
    EXPECT_EQ(Run("REAL MOON, EARTH, SUN"), "stkErrorIllegalParam");
    EXPECT_EQ(scene.moonFlags & kBodyOutline, 0);
    EXPECT_EQ(scene.sunFlags & kBodyOutline, kBodyOutline);
}

TEST_F(DisplayCommands, DiskEnlargesPlanetsAndForcesTheirRecomputation)
{
    for (PlanetRecord& planet : scene.planets) {
        planet.julianDay = 2451545.0;
    }
    ASSERT_EQ(Run("DISK MARS"), "");
    EXPECT_EQ(scene.planetFlags[kMars] & kBodyOutline, kBodyOutline);
    EXPECT_EQ(scene.planets[kMars].julianDay, kNeverJulianDay);
    EXPECT_EQ(scene.planets[kJupiter].julianDay, 2451545.0);
    ASSERT_EQ(Run("DISK PLANET"), "");
    for (int planet = 0; planet < kPlanetCount; ++planet) {
        EXPECT_EQ(scene.planetFlags[planet] & kBodyOutline, kBodyOutline);
        EXPECT_EQ(scene.planets[planet].julianDay, kNeverJulianDay);
    }
    ExpectRefused("DISK SUN", "stkErrorIllegalParam", "SUN");
    ExpectRefused("DISK MOON", "stkErrorIllegalParam", "MOON");
    ExpectRefused("DISK EARTH", "stkErrorIllegalParam", "EARTH");
    ExpectRefused("DISK", "stkErrorIllegalParam", "");
}

TEST_F(DisplayCommands, DiskMagAcceptsOneToFiveHundred)
{
    ASSERT_EQ(Run("DISK_MAG 500"), "");
    EXPECT_EQ(scene.diskMagnitude, 500);
    ASSERT_EQ(Run("DISK_MAG 1"), "");
    EXPECT_EQ(scene.diskMagnitude, 1);
    ExpectRefused("DISK_MAG 0", "stkErrorIllegalParam", "0");
    ExpectRefused("DISK_MAG 501", "stkErrorIllegalParam", "501");
    ExpectRefused("DISK_MAG", "stkErrorIllegalParam", "");
    ExpectRefused("DISK_MAG nan", "stkErrorIllegalParam", "nan");
    ExpectRefused("DISK_MAG 99999999999999999999", "stkErrorIllegalParam", "99999999999999999999");
}

// ---------------------------------------------------------------- LOAD, UNLOAD

// The files themselves: tests/command/command_data_files_test.cpp.
TEST_F(DisplayCommands, LoadAndUnloadCheckTheirArguments)
{
    ExpectRefused("LOAD", "stkErrorIllegalParam", "");
    ExpectRefused("LOAD PICTURES x.adf", "stkErrorIllegalParam", "PICTURES");
    ExpectRefused("LOAD AD", "stkErrorIllegalParam", "AD");
    ExpectRefused("LOAD CLICKDATA", "stkErrorIllegalParam", "");
    ExpectRefused("UNLOAD", "stkErrorIllegalParam", "");
    ExpectRefused("UNLOAD STARS", "stkErrorIllegalParam", "STARS");
    EXPECT_EQ(Run("UNLOAD AD"), "");
    EXPECT_EQ(Run("UNLOAD CLICKDATA"), "");
    EXPECT_EQ(scene.userObjectFileCount, 0);
}

}  // namespace
