// MODE, MAG, INCMAG, DECMAG, STARSIZE and STARDATA run through the
// interpreter against the real Scene: valid, boundary and refused
// arguments with their error keys, and the view centre kept on the same
// sky point across mode changes.
#include <gtest/gtest.h>

#include "tests/command/command_test_support.h"

#include "command/command_handlers.h"
#include "command/interpreter.h"
#include "command/time_commands.h"
#include "core/app_env.h"
#include "sky/scene.h"
#include "tests/harness/test_files.h"

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

namespace {

class ModeCommands : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->quiet = 1;
        ResetScene(scene);
        scene.keepCentred = 0;   // the interpreter clears it after MODE
        scene.view.skyRect = {0, 20, 800, 600};
        scene.time.location = {35.7, 139.7, 40.0};
        scene.time.date.zone = 9.0;
        DateTime date = scene.time.date;
        date.year = 2001;
        date.month = 3;
        date.day = 5;
        date.hour = 21;
        date.minute = 0;
        date.second = 0.0;
        SetSceneDateTime(scene, date);
    }

    std::string Run(const char* text) { return RunCommand(scene, text); }

    // The text must be refused with the key and parameter and leave the
    // Scene exactly as it was.
    void ExpectRefused(const char* text, const char* parameter)
    {
        ExpectRefusedUnchanged(scene, text, "stkErrorIllegalParam", parameter);
    }

    Scene& scene = *gScene;
};

// Angle between two {longitude, latitude} points, degrees.
double Separation(double lon1, double lat1, double lon2, double lat2)
{
    const double d = M_PI / 180.0;
    const double c = std::sin(lat1 * d) * std::sin(lat2 * d) +
                     std::cos(lat1 * d) * std::cos(lat2 * d) * std::cos((lon1 - lon2) * d);
    return std::acos(std::fmin(1.0, std::fmax(-1.0, c))) / d;
}

// ---------------------------------------------------------------- MODE

TEST_F(ModeCommands, ModeEqtFromHorizonLooksAtTheSameSkyPoint)
{
    // Due south (azimuth 0 counts from the south), 30 degrees up: on the
    // meridian, so the centre of date is RA = local sidereal time and
    // Dec = 30 - (90 - latitude).
    scene.viewMode = kModeHrz;
    scene.view.hrzCentreAzimuth = 0.0;
    scene.view.hrzCentreAltitude = 30.0;
    ASSERT_EQ(Run("MODE EQT"), "");
    EXPECT_EQ(scene.viewMode, kModeEqt);
    EXPECT_EQ(scene.viewModeChanged, 1);
    EXPECT_LT(Separation(scene.view.centreLongitude, scene.view.centreLatitude,
                         scene.time.localSiderealTime, 30.0 - (90.0 - 35.7)),
              0.01);
}

TEST_F(ModeCommands, ModeRoundTripsKeepTheViewCentre)
{
    const char* modes[] = {"ECL", "GAL", "ALL1_EQT", "SOL2", "ALL2_GAL", "EQT", "VOLA", "HRZ"};
    scene.viewMode = kModeHrz;
    scene.view.hrzCentreAzimuth = 123.0;
    scene.view.hrzCentreAltitude = 41.0;
    for (const char* mode : modes) {
        SCOPED_TRACE(mode);
        ASSERT_EQ(Run((std::string("MODE ") + mode).c_str()), "");
    }
    EXPECT_EQ(scene.viewMode, kModeHrz);
    // Each conversion goes through the 0.1-degree sine table.
    EXPECT_LT(Separation(scene.view.hrzCentreAzimuth, scene.view.hrzCentreAltitude, 123.0, 41.0),
              2e-3);
}

TEST_F(ModeCommands, ModeFromEqtToEclConvertsInPlace)
{
    // The vernal equinox of date is at ecliptic longitude 0 (360) too.
    scene.viewMode = kModeEqt;
    scene.view.centreLongitude = 0.0;
    scene.view.centreLatitude = 0.0;
    ASSERT_EQ(Run("mode ecl"), "");
    EXPECT_EQ(scene.viewMode, kModeEcl);
    EXPECT_LT(Separation(scene.view.centreLongitude, scene.view.centreLatitude, 0.0, 0.0), 3e-4);
    // RA 90, Dec 0 of date lies at latitude -obliquity below the ecliptic.
    scene.view.centreLongitude = 90.0;
    scene.view.centreLatitude = 0.0;
    scene.viewMode = kModeEqt;
    ASSERT_EQ(Run("MODE ECL"), "");
    EXPECT_NEAR(scene.view.centreLatitude, -scene.time.obliquity, 3e-4);
}

TEST_F(ModeCommands, ModeHrzFromCentreBelowHorizonGivesAltitudeZero)
{
    // The south celestial pole never rises at latitude 35.7 north.
    scene.viewMode = kModeEqt;
    scene.view.centreLongitude = 10.0;
    scene.view.centreLatitude = -89.0;
    ASSERT_EQ(Run("MODE HRZ"), "");
    EXPECT_EQ(scene.view.hrzCentreAltitude, 0.0);
    // Below the southern horizon: azimuth near 0 (or 360).
    EXPECT_LT(std::fabs(std::remainder(scene.view.hrzCentreAzimuth, 360.0)), 1.5);
}

TEST_F(ModeCommands, ModeUnknownKeywordIsRefusedAndChangesNothing)
{
    ExpectRefused("MODE NONSENSE", "NONSENSE");
    // The keyword is reported as it was looked up, upper-cased; the command
    // word as typed.
    ExpectRefused("mode nonsense", "NONSENSE");
    EXPECT_STREQ(gAppEnv->errorMessage, "mode: Illegal Parameter: NONSENSE");
    ExpectRefused("MODE", "");
    ExpectRefused("MODE EQT_DATE", "EQT_DATE");
}

TEST_F(ModeCommands, ModeClampsTheHorizontalFieldUnlessAScriptRuns)
{
    scene.viewMode = kModeEqt;
    scene.view.fieldOfView = 170.0;   // 127.5 degrees high in an 800 x 600 sky
    gAppEnv->scriptRunning = 1;
    ASSERT_EQ(Run("MODE HRZ"), "");
    EXPECT_EQ(scene.view.fieldOfView, 170.0);
    ASSERT_EQ(Run("MODE EQT"), "");
    gAppEnv->scriptRunning = 0;
    ASSERT_EQ(Run("MODE HRZ"), "");
    EXPECT_NEAR(scene.view.fieldOfView * 600.0 / 800.0, 110.0, 1e-9);
}

TEST_F(ModeCommands, ModeDropsATrackedBodyTheNewViewCannotShow)
{
    scene.centring = 2;
    scene.targetType = 51;
    scene.targetId = -1;   // the Moon
    ASSERT_EQ(Run("MODE EQT"), "");
    EXPECT_EQ(scene.centring, 2);
    ASSERT_EQ(Run("MODE SOL1"), "");
    EXPECT_EQ(scene.centring, 0);

    scene.centring = 2;
    scene.targetId = -3;   // the Earth
    ASSERT_EQ(Run("MODE SOL2"), "");
    EXPECT_EQ(scene.centring, 2);
    ASSERT_EQ(Run("MODE GAL"), "");
    EXPECT_EQ(scene.centring, 0);

    scene.centring = 2;
    scene.targetType = 50;   // star -3 does not exist, but is no body either
    ASSERT_EQ(Run("MODE HRZ"), "");
    EXPECT_EQ(scene.centring, 2);
}

// ---------------------------------------------------------------- MAG

TEST_F(ModeCommands, MagStarRequestsTruncatedTenths)
{
    ASSERT_EQ(Run("MAG STAR 4.55"), "");
    EXPECT_EQ(scene.mag.requestPending, 1);
    EXPECT_EQ(scene.mag.requestedValue, 45);
    ASSERT_EQ(Run("MAG star -1.25"), "");
    EXPECT_EQ(scene.mag.requestedValue, -12);
}

TEST_F(ModeCommands, MagStarWithoutValueReturnsToTheAutomaticLimit)
{
    scene.mag.starOffset = 12;
    scene.mag.requestPending = 0;
    ASSERT_EQ(Run("MAG STAR"), "");
    EXPECT_EQ(scene.mag.starOffset, 0);
    EXPECT_EQ(scene.mag.requestPending, 0);
}

TEST_F(ModeCommands, MagOtherKindsAndTheirDefaults)
{
    ASSERT_EQ(Run("MAG STARNAME 3.0; MAG NEBULAMIN 9.9; MAG NEBULAMAX 2"), "");
    EXPECT_EQ(scene.mag.starLabelLimit, 30);
    EXPECT_EQ(scene.mag.nebulaFaint, 99);
    EXPECT_EQ(scene.mag.nebulaBright, 20);
    ASSERT_EQ(Run("MAG STARNAME; MAG NEBULAMIN; MAG NEBULAMAX"), "");
    EXPECT_EQ(scene.mag.starLabelLimit, 14);
    EXPECT_EQ(scene.mag.nebulaFaint, 110);
    EXPECT_EQ(scene.mag.nebulaBright, 0);
}

TEST_F(ModeCommands, MagNebulaLimitIsOnOnlyForOne)
{
    for (const auto& [command, inUse] : {std::pair{"MAG NEBULALIMIT 0", 0}, std::pair{"MAG NEBULALIMIT 1", 1},
                                         std::pair{"MAG NEBULALIMIT 2", 0}, std::pair{"MAG NEBULALIMIT", 1}}) {
        ASSERT_EQ(Run(command), "") << command;
        EXPECT_EQ(scene.mag.nebulaBoundsInUse, inUse) << command;
    }
    ExpectRefused("MAG NEBULALIMIT 99999999999", "99999999999");
    ASSERT_EQ(Run("MAG NEBULALIMIT 1; MAG NEBULALIMIT on"), "");   // no number: 0
    EXPECT_EQ(scene.mag.nebulaBoundsInUse, 0);
}

TEST_F(ModeCommands, MagRefusesUnknownKindsAndBadNumbers)
{
    ExpectRefused("MAG PLANET 3", "PLANET");
    ExpectRefused("MAG", "");
    ExpectRefused("MAG STAR nan", "nan");
    ExpectRefused("MAG STAR inf", "inf");
    ExpectRefused("MAG STAR 1e300", "1e300");
    ExpectRefused("MAG STARNAME -100000000.1", "-100000000.1");   // beyond 1e9 tenths
    ASSERT_EQ(Run("MAG STARNAME -100.5; MAG NEBULAMIN 100"), "");
    EXPECT_EQ(scene.mag.starLabelLimit, -1005);
    EXPECT_EQ(scene.mag.nebulaFaint, 1000);
    ASSERT_EQ(Run("MAG NEBULAMIN bright"), "");
    EXPECT_EQ(scene.mag.nebulaFaint, 0);
}

// Each kind's handler, called on its own, does what MAG with its keyword
// does; the rows above reach each through MAG.
TEST_F(ModeCommands, MagKindHandlersAreWhatMagRuns)
{
    struct Row {
        void (*handler)(Scene&, const char*);
        const char* kind;
        const char* value;
    };
    const MagnitudeLimits kSevens{7, 7, 7, 7, 7, 7, 7, 7, 7, 7};
    for (const Row& row : {Row{StkMagStar, "STAR", "4.55"}, Row{StkMagStar, "STAR", nullptr},
                           Row{StkMagStarname, "STARNAME", "3"}, Row{StkMagStarname, "STARNAME", nullptr},
                           Row{StkMagNebulamin, "NEBULAMIN", "9.9"}, Row{StkMagNebulamin, "NEBULAMIN", nullptr},
                           Row{StkMagNebulamax, "NEBULAMAX", "2"}, Row{StkMagNebulamax, "NEBULAMAX", nullptr},
                           Row{StkMagNebulalimit, "NEBULALIMIT", "0"}, Row{StkMagNebulalimit, "NEBULALIMIT", nullptr}}) {
        const std::string text = std::string("MAG ") + row.kind + (row.value ? std::string(" ") + row.value : "");
        scene.mag = kSevens;
        ASSERT_EQ(Run(text.c_str()), "") << text;
        const MagnitudeLimits byMag = scene.mag;
        scene.mag = kSevens;
        row.handler(scene, row.value);
        EXPECT_EQ(std::memcmp(&scene.mag, &byMag, sizeof byMag), 0) << text;
        EXPECT_NE(std::memcmp(&scene.mag, &kSevens, sizeof byMag), 0) << text;   // it did something
    }
}

// ---------------------------------------------------------------- INCMAG, DECMAG

TEST_F(ModeCommands, IncmagStarStopsAtTheCatalogueCap)
{
    scene.mag.starLimit = 45;
    ASSERT_EQ(Run("INCMAG STAR 3"), "");
    EXPECT_EQ(scene.mag.requestedValue, 65);
    ASSERT_EQ(Run("INCMAG STAR 0.5"), "");
    EXPECT_EQ(scene.mag.requestedValue, 50);
    ASSERT_EQ(Run("STARDATA GSC; INCMAG STAR 3"), "");
    EXPECT_EQ(scene.mag.requestedValue, 75);
}

TEST_F(ModeCommands, DecmagStarStopsAtMinusTwo)
{
    scene.mag.starLimit = 45;
    ASSERT_EQ(Run("DECMAG STAR 10"), "");
    EXPECT_EQ(scene.mag.requestPending, 1);
    EXPECT_EQ(scene.mag.requestedValue, -20);
    ASSERT_EQ(Run("DECMAG STAR 1.5"), "");
    EXPECT_EQ(scene.mag.requestedValue, 30);
}

TEST_F(ModeCommands, DecmagStarnameStartsFromTheStarLimit)
{
    scene.mag.starLimit = 30;
    scene.mag.starLabelLimit = 50;
    ASSERT_EQ(Run("DECMAG STARNAME 0.5"), "");
    EXPECT_EQ(scene.mag.starLabelLimit, 25);
    scene.mag.starLabelLimit = 20;
    ASSERT_EQ(Run("DECMAG STARNAME 0.5"), "");
    EXPECT_EQ(scene.mag.starLabelLimit, 15);
}

TEST_F(ModeCommands, IncmagAndDecmagOfNamesAndNebulaeHaveNoBound)
{
    ASSERT_EQ(Run("INCMAG STARNAME 10; INCMAG NEBULAMIN 1; DECMAG NEBULAMAX 3"), "");
    EXPECT_EQ(scene.mag.starLabelLimit, 114);
    EXPECT_EQ(scene.mag.nebulaFaint, 120);
    EXPECT_EQ(scene.mag.nebulaBright, -30);
    ASSERT_EQ(Run("DECMAG NEBULAMIN 2"), "");
    EXPECT_EQ(scene.mag.nebulaFaint, 100);
}

// The steps add up without a bound of their own, until the sum would
// leave 1e9 tenths: that step is refused.
TEST_F(ModeCommands, RepeatedIncmagNeverOverflows)
{
    for (int i = 0; i < 200; ++i) {
        ASSERT_EQ(Run("INCMAG NEBULAMIN 99"), "");
    }
    EXPECT_EQ(scene.mag.nebulaFaint, 110 + 200 * 990);
    ASSERT_EQ(Run("MAG NEBULAMIN 99999990"), "");
    ExpectRefused("INCMAG NEBULAMIN 99", "99");
    EXPECT_EQ(scene.mag.nebulaFaint, 999999900);
    ASSERT_EQ(Run("MAG NEBULAMAX -99999990"), "");
    ExpectRefused("DECMAG NEBULAMAX 99", "99");
}

TEST_F(ModeCommands, IncmagAndDecmagRefuseWhatTheyCannotStep)
{
    ExpectRefused("INCMAG NEBULALIMIT 1", "NEBULALIMIT");
    ExpectRefused("DECMAG MOON 1", "MOON");
    ExpectRefused("INCMAG STAR", "");
    ExpectRefused("DECMAG", "");
    ExpectRefused("INCMAG STAR nan", "nan");
    ExpectRefused("DECMAG STARNAME -inf", "-inf");
    ExpectRefused("DECMAG NEBULAMAX 1e9", "1e9");
}

// ---------------------------------------------------------------- STARSIZE, STARDATA

TEST_F(ModeCommands, StarsizeStoresTenTimesTheInteger)
{
    for (const auto& [size, stored] : {std::pair{"3", 30}, std::pair{"0", 0}, std::pair{"100", 1000}}) {
        ASSERT_EQ(Run(("STARSIZE " + std::string(size)).c_str()), "") << size;
        EXPECT_EQ(scene.view.starSize, stored) << size;
    }
    ExpectRefused("STARSIZE", "");
    for (const char* size : {"214748365", "-214748365", "4294967306"}) {
        ExpectRefused(("STARSIZE " + std::string(size)).c_str(), size);
    }
    for (const auto& [size, stored] : {std::pair{"101", 1010}, std::pair{"-1", -10}, std::pair{"big", 0},
                                       std::pair{"214748364", 2147483640}}) {
        ASSERT_EQ(Run(("STARSIZE " + std::string(size)).c_str()), "") << size;
        EXPECT_EQ(scene.view.starSize, stored) << size;
    }
}

// Each row: the statement, the star files in place, and the answer. The
// choice and its cap are stored whether the files are there or not, so
// that a saved script replays as it was saved; a missing or unreadable file
// is named in the answer.
TEST_F(ModeCommands, StardataChoosesTheCatalogueAndNamesAMissingFile)
{
    const std::string sao = UVOLA_SOURCE_DIR "/data/uvola.sao";
    const std::string index = UVOLA_SOURCE_DIR "/data/uvola.gsc";
    const std::string root = TestHome() + "/gsc";
    mkdir(root.c_str(), 0755);
    mkdir((root + "/TABLES").c_str(), 0755);
    WriteFile(root + "/TABLES/REGIONS.TBL", "");
    const std::string cut = TestHome() + "/cut.sao";
    WriteFile(cut, ReadFile(sao).substr(0, 4096));
    const std::string missing = TestHome() + "/nowhere/uvola.sao";
    const struct {
        const char* text;
        std::string saoFile, indexFile, gscRoot;
        uint8_t bits;
        int32_t cap;
        std::string error;   // the file named, "" for none
    } rows[] = {
        {"STARDATA sao", sao, index, root, 32, 95, ""},
        {"STARDATA SAO", missing, index, root, 32, 95, missing},
        {"STARDATA SAO", cut, index, root, 32, 95, cut},
        {"STARDATA SAO", TestHome(), index, root, 32, 95, TestHome()},
        {"STARDATA GSC", sao, index, root, 64, 170, ""},
        {"STARDATA GSC", sao, missing, root, 64, 170, missing},
        {"STARDATA GSC", sao, index, TestHome() + "/nocd", 64, 170, TestHome() + "/nocd"},
        {"STARDATA STD", missing, missing, "", 0, 65, ""},
        {"STARDATA", missing, missing, "", 0, 65, ""},
    };
    const uint8_t others = scene.displayFlags[kFlagStars] & ~(32 | 64);
    for (const auto& row : rows) {
        std::snprintf(gAppEnv->saoFile, kPathSize, "%s", row.saoFile.c_str());
        std::snprintf(gAppEnv->gscIndexFile, kPathSize, "%s", row.indexFile.c_str());
        std::snprintf(gAppEnv->gscDataPath, kPathSize, "%s", row.gscRoot.c_str());
        std::free(gAppEnv->gscRegionIndex);
        gAppEnv->gscRegionIndex = nullptr;
        EXPECT_EQ(Run(row.text), row.error.empty() ? "" : "stkErrorFileNotFound") << row.text << " " << row.error;
        EXPECT_EQ(gAppEnv->errorParam, row.error.substr(0, 39)) << row.text;
        EXPECT_EQ(scene.displayFlags[kFlagStars], others | row.bits) << row.text;
        EXPECT_EQ(scene.mag.starCap, row.cap) << row.text;
    }
    std::free(gAppEnv->gscRegionIndex);
    gAppEnv->gscRegionIndex = nullptr;
}

}  // namespace
