// Application resources without a display: the fallback list's form and
// order, file copies, the choice of the site list file, the element-file
// index trigger and the planet names.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/app_resources.h"
#include "core/user_directory.h"
#include "data/fallback_resources.h"
#include "tests/harness/test_files.h"

#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>

namespace {

// The message keys that end the list, after the ten command-language errors.
const char* const kMessageKeys[] = {
    "messageConfirmQuit", "messageConfirmSaveEnv", "messageInvalidGeometry", "messageInputValidDate",
    "messageLockTimeMinimum", "messageNoPlaceFileFound", "messageSystemOutOfMemory",
    "messageCannotCreateFile", "messageCannotOpenFile", "messageCannotWriteFile", "messageCannotDeleteFile",
    "messageSelectSiteToEdit", "messageSelectSiteToDel", "messageSiteAlreadyExist",
    "messageConfirmDeleteSite", "messageInvalidTimeStep", "messageContinueOutOfDate",
    "messageNebulaLimitMinMax", "messageNebulaLimitRange", "messageNoElementFile",
    "messageObjectAlreadySelected", "messageSunNotRise", "messageSunNotSet", "messageMustSpecSiteName",
    "messageInvalidSiteLong", "messageInvalidSiteLongDeg", "messageInvalidSiteLongMin",
    "messageInvalidSiteLati", "messageInvalidSiteLatiDeg", "messageInvalidSiteLatiMin",
    "messageInvalidSiteAlti", "messageInvalidSiteTz", "messageNoSuchANebula", "messageCenterEarthOnNonSol",
    "messageErrorInUserObjectFile", "messageNoDataInUserObjectFile", "messageSiteNotInit",
    "messageConfirmReInitAll", "messageNebulaPlanetary", "messageNebulaDiffuse", "messageNebulaOpen",
    "messageNebulaGlobular", "messageNebulaGalaxy", "messageNebulaCompound", "messageNebulaLMC",
    "messageNebulaSMC", "messageDirection00", "messageDirection01", "messageDirection02",
    "messageDirection03", "messageDirection04", "messageDirection05", "messageDirection06",
    "messageDirection07", "messageDirection08", "messageDirection09", "messageDirection10",
    "messageDirection11", "messageDirection12", "messageDirection13", "messageDirection14",
    "messageDirection15", "messageDirectionS", "messageDirectionE", "messageDirectionN", "messageDirectionW",
    "messageMonth01", "messageMonth02", "messageMonth03", "messageMonth04", "messageMonth05",
    "messageMonth06", "messageMonth07", "messageMonth08", "messageMonth09", "messageMonth10",
    "messageMonth11", "messageMonth12", "messageYearAD", "messageYearBC", "messagePlanetEarth",
    "messagePlanetSun", "messagePlanetMoon", "messagePlanetMercury", "messagePlanetVenus",
    "messagePlanetMars", "messagePlanetJupiter", "messagePlanetSaturn", "messagePlanetUranus",
    "messagePlanetNeptune", "messagePlanetPluto", "messagePlanetJsIo", "messagePlanetJsEuropa",
    "messagePlanetJsGanymede", "messagePlanetJsCallist", "messageToolOpenFile", "messageToolSaveFile",
    "messageToolModeHrz", "messageToolModeEqt", "messageToolModeAll1", "messageToolModeAll2",
    "messageToolModeSol", "messageToolModeVola", "messageToolSetDateTime", "messageToolSetTimeStep",
    "messageToolSetSite", "messageToolHorizon", "messageToolDaylight", "messageToolZoomUp",
    "messageToolZoomDown", "messageToolConstLine", "messageToolConstName", "messageToolPlanetName",
    "messageToolNebula", "messageToolMilkyway", "messageToolPicmark", "messageToolHrzGrid",
    "messageToolEqtGrid", "messageToolToggleTrace", "messageToolTogglePlayRev", "messageToolTogglePlayStop",
    "messageToolTogglePlayFwd", "messageToolObjClose", "messageToolObjBlink", "messageToolObjCenter",
    "messageToolObjTrack", "messageToolObjImage", "messageMousePosEqt2000", "messageMousePosEqtDate",
    "messageMousePosEcl", "messageMousePosHrz", "messageMousePosEqtFormat", "messageMousePosEclFormat",
    "messageMousePosHrzFormat", "messageGridEqtRaFormat1", "messageGridEqtRaFormat2",
    "messageGridEqtRaFormat3", "messageGridEqtDcFormat1", "messageGridEqtDcFormat2",
    "messageGridEqtDcFormat3", "messageGridDegFormat", "messageStatusDateTime1", "messageStatusDateTime2",
    "messageStatusDateTime3", "messageStatusSite", "messageStatusWidth", "messageStatusDayOfWeek00",
    "messageStatusDayOfWeek01", "messageStatusDayOfWeek02", "messageStatusDayOfWeek03",
    "messageStatusDayOfWeek04", "messageStatusDayOfWeek05", "messageStatusDayOfWeek06",
    "messageInfoBoxHrzInvalid", "messageInfoBoxHrz", "messageInfoBoxEqtInvalid", "messageInfoBoxEqt",
    "messageInfoBoxSolInvalid", "messageInfoBoxDelta", "messageInfoBoxRadius", "messageInfoBoxMSInvalid",
    "messageInfoBoxMag", "messageInfoBoxSize0", "messageInfoBoxSize1", "messageInfoBoxRiseSet",
    "messageMousePosComets", "messageMousePosMPlanets", "messageMousePosSun", "messageMousePosMoon",
    "messageMousePosPlanets", "messageMousePosStar", "messageMousePosNebula", "messageMousePosJoviSat",
    "messageReadingComets", "messageReadingMinorPlanets",
};

const char* const kInitNames[] = {
    "CometFile", "MPlanetFile", "ConstDataFile", "StarNameDataFile", "SiteFile", "DateStyle",
    "SaoFile", "GscPath", "GscIndexFile", "SkyMarkFile", "StlFileIoPath", "SaveImagePath",
    "ClickDataFile", "ClickImagePath", "SaveHistory", "BlinkTime", "Site",
};

// The resource name of a line "UVola" + path + ": " + value, or
// empty when the line has another form.
std::string ResourceNameOf(const std::string& line)
{
    const size_t colon = line.find(':');
    if (line.compare(0, 5, "UVola") != 0 || colon == std::string::npos || line.compare(colon, 2, ": ") != 0 ||
        line.find_first_of(" \t\n") < colon || (line[5] != '*' && line[5] != '.')) {
        return "";
    }
    const std::string path = line.substr(5, colon - 5);
    return path.substr(path.find_last_of("*.") + 1);
}

// Lines in the whole list, without its null entry.
int FallbackLineCount()
{
    int count = 0;
    while (FallbackResourceList()[count] != nullptr) {
        ++count;
    }
    return count;
}

TEST(FallbackList, EveryLineIsWellFormedAndNoResourceIsGivenTwice)
{
    char** list = FallbackResourceList();
    const int count = FallbackLineCount();
    std::map<std::string, int> seen;
    for (int i = 0; i < count; ++i) {
        const std::string line = list[i];
        EXPECT_FALSE(ResourceNameOf(line).empty()) << "line " << i << ": " << line;
        const std::string resource = line.substr(0, line.find(':'));
        const auto [first, added] = seen.emplace(resource, i);
        EXPECT_TRUE(added) << resource << " at lines " << first->second << " and " << i;
    }
}

TEST(FallbackList, InitResourcesFirstMessagesLastInTheirOrder)
{
    char** list = FallbackResourceList();
    const int count = FallbackLineCount();
    const int initCount = sizeof kInitNames / sizeof kInitNames[0];
    const int messageCount = sizeof kMessageKeys / sizeof kMessageKeys[0];
    ASSERT_EQ(messageCount, 175);
    const int errorCount = 11;
    ASSERT_GE(count, initCount + errorCount + messageCount);
    for (int i = 0; i < initCount; ++i) {
        EXPECT_EQ(ResourceNameOf(list[i]), kInitNames[i]) << "line " << i;
    }
    EXPECT_STREQ(FindFallbackResource("BlinkTime"), "5");
    EXPECT_EQ(FindFallbackResource("UserObjectFilePath"), nullptr);
    const int firstError = count - messageCount - errorCount;
    for (int i = 0; i < errorCount; ++i) {
        EXPECT_EQ(ResourceNameOf(list[firstError + i]).compare(0, 8, "stkError"), 0) << list[firstError + i];
    }
    for (int i = 0; i < messageCount; ++i) {
        EXPECT_EQ(ResourceNameOf(list[firstError + errorCount + i]), kMessageKeys[i]) << "message " << i;
    }
}

// Every text looked up by key is one of the messages above, a command
// language error, or one of the four that guard the site file, a script
// that runs away and the program without a window.
TEST(FallbackList, HoldsNoOtherMessageKeys)
{
    std::set<std::string> known(std::begin(kMessageKeys), std::end(kMessageKeys));
    for (const char* key : {"stkErrorSyntax", "stkErrorIllegalParam", "stkErrorFileNotFound", "stkErrorOutOfMemory",
                            "stkErrorCometNotFound", "stkErrorInvalidComet", "stkErrorFileWriteFailed",
                            "stkErrorCalcCometPos", "stkErrorCalcCometTail", "stkErrorCalcMpPos",
                            "stkErrorNotAvailable", "stkErrorScriptTooLong", "messageSiteFileBusy",
                            "messageSiteFileChanged"}) {
        known.insert(key);
    }
    for (char** line = FallbackResourceList(); *line != nullptr; ++line) {
        const std::string name = ResourceNameOf(*line);
        if (name.rfind("message", 0) == 0 || name.rfind("stkError", 0) == 0) {
            EXPECT_EQ(known.count(name), 1u) << *line;
        }
    }
}

TEST(PlanetNames, LoadedFromTheirMessagesAndFreed)
{
    ResetAppEnv();
    gAppEnv->toplevel = nullptr;
    LoadPlanetNames();
    const char* const names[] = {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus",
                                 "Neptune", "Pluto", "Io", "Europa", "Ganymede", "Callist"};
    for (int i = 0; i < kPlanetNameCount + kGalileanCount; ++i) {
        const char* name = i < kPlanetNameCount ? gAppEnv->planetNames[i] : gAppEnv->galileanNames[i - kPlanetNameCount];
        ASSERT_NE(name, nullptr);
        EXPECT_STREQ(name, names[i]);
    }
    FreePlanetNames();
    EXPECT_EQ(gAppEnv->planetNames[0], nullptr);
    EXPECT_EQ(gAppEnv->galileanNames[3], nullptr);
}

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
        directory = TestHome() + "/files";
        mkdir(directory.c_str(), 0755);
        privateSites = std::string(gAppEnv->userDirectory) + "/uvola.obs";
        std::remove(privateSites.c_str());
    }
    std::string directory;
    std::string privateSites;
};

TEST_F(Files, CopyIsExactAndAFailedOneLeavesNothingBehind)
{
    std::string data(40000, '\0');   // several blocks
    std::mt19937 random(7);
    for (char& c : data) {
        c = static_cast<char>(random());
    }
    const std::string source = directory + "/source.bin";
    const std::string target = directory + "/target.bin";
    WriteFile(source, data);
    WriteFile(target, "kept");
    ASSERT_EQ(CopyFile(source.c_str(), target.c_str()), 1);
    EXPECT_EQ(ReadFile(target), data);

    WriteFile(target, "kept");
    EXPECT_EQ(CopyFile((directory + "/missing").c_str(), target.c_str()), 0);
    EXPECT_EQ(CopyFile(directory.c_str(), target.c_str()), 0);   // opens, but reads fail
    EXPECT_EQ(CopyFile(source.c_str(), (directory + "/no/dir").c_str()), 0);
    for (SpecialFile kind : {SpecialFile::kFifo, SpecialFile::kZeroLink}) {
        MakeSpecialFile(directory + "/special", kind);
        EXPECT_TRUE(FinishesWithin(2.0, [&] {
            return CopyFile((directory + "/special").c_str(), target.c_str()) == 0;
        }));
    }
    EXPECT_EQ(ReadFile(target), "kept");
    EXPECT_EQ(Temporaries(target), std::vector<std::string>{});
}

// The copy's writes fail on a full file system: the old target stays.
TEST_F(Files, CopyOntoAFullFileSystemLeavesTheOldTarget)
{
    const std::string source = directory + "/source.bin";
    WriteFile(source, std::string(40000, 's'));
    const PrivateTmpfs disk(TestHome() + "/full");
    if (!disk.why.empty()) {
        GTEST_SKIP() << disk.why;
    }
    const std::string target = disk.path + "/target.bin";
    WriteFile(target, "kept");
    disk.Fill();
    EXPECT_EQ(CopyFile(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadFile(target), "kept");
    EXPECT_EQ(Temporaries(target), std::vector<std::string>{});
}

TEST_F(Files, SiteFileIsCopiedOnceIntoTheUserDirectory)
{
    char chosen[kPathSize];
    ResolveSiteFile(chosen, "~/files/none.obs");
    EXPECT_EQ(std::string(chosen), TestHome() + "/files/none.obs");
    EXPECT_FALSE(Exists(privateSites));

    WriteFile(directory + "/system.obs", "system list\n");
    ResolveSiteFile(chosen, "~/files/system.obs");
    EXPECT_EQ(std::string(chosen), privateSites);
    EXPECT_EQ(ReadFile(privateSites), "system list\n");
    // The user's own edits survive the next start.
    WriteFile(privateSites, "my list\n");
    ResolveSiteFile(chosen, "~/files/system.obs");
    EXPECT_EQ(ReadFile(privateSites), "my list\n");

    gAppEnv->userDirectory[0] = '\0';
    ResolveSiteFile(chosen, "~/files/system.obs");
    EXPECT_EQ(std::string(chosen), directory + "/system.obs");
}

void SetModificationTime(const std::string& path, time_t seconds)
{
    const struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

// One test, because the line is printed once per process.
TEST_F(Files, StaleIndexIsAnnouncedOncePerRun)
{
    const std::string comets = directory + "/comet.v2.elm";
    const std::string cometIndex = TestHome() + "/.uvola/comet.v2.dbm";
    WriteFile(comets, "c");
    WriteFile(directory + "/mp", "m");
    char index[kPathSize];

    ::testing::internal::CaptureStdout();
    EXPECT_EQ(EnsureIndexFile(index, (directory + "/missing.elm").c_str()), 0);
    EXPECT_EQ(std::string(index), TestHome() + "/.uvola/missing.dbm");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

    ::testing::internal::CaptureStdout();
    EXPECT_EQ(EnsureIndexFile(index, comets.c_str()), 1);
    EXPECT_EQ(std::string(index), cometIndex);
    EXPECT_EQ(EnsureIndexFile(index, (directory + "/mp").c_str()), 1);
    EXPECT_EQ(std::string(index), TestHome() + "/.uvola/mp.dbm");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "uvola: Creating index file.  This may take a while.\n");

    // An index as new as its element file is kept; an older one is due.
    WriteFile(cometIndex, "i");
    SetModificationTime(comets, 1000000000);
    SetModificationTime(cometIndex, 1000000000);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(EnsureIndexFile(index, comets.c_str()), 0);
    SetModificationTime(cometIndex, 999999999);
    EXPECT_EQ(EnsureIndexFile(index, comets.c_str()), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
}

}  // namespace
