// Application resources without a display: the fallback list's form and
// order, file copies, the choice of the site list file, the element-file
// index trigger and the planet names.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/app_resources.h"
#include "core/messages.h"
#include "core/user_directory.h"
#include "data/fallback_resources.h"

#include <sys/stat.h>
#include <fcntl.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

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
    "CometFile",     "MPlanetFile",   "ConstDataFile", "StarNameDataFile", "SiteFile",    "DateStyle",
    "SaoFile",       "GscPath",       "GscIndexFile",  "SkyMarkFile",      "StlFileIoPath", "SaveImagePath",
    "ClickDataFile", "ClickImagePath", "SaveHistory",  "BlinkTime",        "Site",
};

std::string Home()
{
    return std::getenv("UVOLA_TEST_HOME");
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// The resource specification of a line ("*messageConfirmQuit"), or empty
// when the line is not "UVola" + specification + ": " + value.
std::string SpecificationOf(const std::string& line)
{
    if (line.compare(0, 5, "UVola") != 0 || line.size() < 6 || (line[5] != '*' && line[5] != '.')) {
        return "";
    }
    const size_t colon = line.find(':');
    if (colon == std::string::npos || line.compare(colon, 2, ": ") != 0) {
        return "";
    }
    const std::string specification = line.substr(5, colon - 5);
    if (specification.size() < 2 || specification.find_first_of(" \t") != std::string::npos) {
        return "";
    }
    return specification;
}

std::string KeyOf(const std::string& specification)
{
    return specification.substr(specification.find_last_of("*.") + 1);
}

TEST(FallbackList, EveryLineIsWellFormedAndNoResourceIsGivenTwice)
{
    std::map<std::string, int> seen;
    char** list = FallbackResourceList();
    const int count = FallbackResourceCount();
    ASSERT_GT(count, 0);
    EXPECT_EQ(list[count], nullptr);
    for (int i = 0; i < count; ++i) {
        ASSERT_NE(list[i], nullptr);
        const std::string line = list[i];
        const std::string specification = SpecificationOf(line);
        EXPECT_FALSE(specification.empty()) << "malformed line " << i << ": " << line;
        EXPECT_EQ(line.find('\n'), std::string::npos) << "raw line break in line " << i;
        const auto [entry, added] = seen.emplace(specification, i);
        EXPECT_TRUE(added) << specification << " at lines " << entry->second << " and " << i;
    }
}

TEST(FallbackList, InitResourcesComeFirst)
{
    char** list = FallbackResourceList();
    const size_t initCount = sizeof kInitNames / sizeof kInitNames[0];
    ASSERT_GE(FallbackResourceCount(), static_cast<int>(initCount));
    for (size_t i = 0; i < initCount; ++i) {
        EXPECT_EQ(KeyOf(SpecificationOf(list[i])), kInitNames[i]) << "line " << i;
    }
    EXPECT_STREQ(FindFallbackResource("BlinkTime"), "5");
    EXPECT_STREQ(FindFallbackResource("Site"), "Greenwich (United Kingdom)");
    EXPECT_EQ(FindFallbackResource("UserObjectFilePath"), nullptr);
}

TEST(FallbackList, MessageKeysEndTheListInTheirOrder)
{
    char** list = FallbackResourceList();
    const int count = FallbackResourceCount();
    const int messageCount = static_cast<int>(sizeof kMessageKeys / sizeof kMessageKeys[0]);
    ASSERT_EQ(messageCount, 175);
    ASSERT_GE(count, messageCount + 10);
    const int first = count - messageCount - 10;
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(KeyOf(SpecificationOf(list[first + i])).compare(0, 8, "stkError"), 0) << list[first + i];
    }
    for (int i = 0; i < messageCount; ++i) {
        EXPECT_EQ(KeyOf(SpecificationOf(list[first + 10 + i])), kMessageKeys[i]) << "message " << i;
    }
}

TEST(FallbackList, MessageTextsDecodeToTheirDefaults)
{
    ResetAppEnv();
    gAppEnv->toplevel = nullptr;
    char text[1024];
    GetMessage("messageSiteNotInit", text, sizeof text);
    const std::string siteNotInit = text;
    EXPECT_EQ(siteNotInit.compare(0, 64, "Uvola cannot detect where you live, and you haven't set default\n"), 0);
    size_t lines = 1;
    for (char c : siteNotInit) {
        lines += c == '\n';
    }
    EXPECT_EQ(lines, 5u);
    GetMessage("messageGridDegFormat", text, sizeof text);
    EXPECT_STREQ(text, "%d\260");
    GetMessage("messageConfirmQuit", text, sizeof text);
    EXPECT_STREQ(text, "Quit Uvola");
    GetMessage("messagePlanetJsCallist", text, sizeof text);
    EXPECT_STREQ(text, "Callist");
    // A text longer than the buffer is cut, never overrun.
    char small[8];
    small[7] = 'x';
    GetMessage("messageSiteNotInit", small, 7);
    EXPECT_STREQ(small, "Uvola ");
    EXPECT_EQ(small[7], 'x');
}

TEST(PlanetNames, LoadedFromTheirMessagesAndFreed)
{
    ResetAppEnv();
    gAppEnv->toplevel = nullptr;
    LoadPlanetNames();
    const char* const planets[] = {"Mercury", "Venus", "Earth", "Mars", "Jupiter", "Saturn", "Uranus", "Neptune", "Pluto"};
    for (int i = 0; i < kPlanetNameCount; ++i) {
        ASSERT_NE(gAppEnv->planetNames[i], nullptr);
        EXPECT_STREQ(gAppEnv->planetNames[i], planets[i]);
    }
    const char* const moons[] = {"Io", "Europa", "Ganymede", "Callist"};
    for (int i = 0; i < kGalileanCount; ++i) {
        ASSERT_NE(gAppEnv->galileanNames[i], nullptr);
        EXPECT_STREQ(gAppEnv->galileanNames[i], moons[i]);
    }
    FreePlanetNames();
    for (char* name : gAppEnv->planetNames) {
        EXPECT_EQ(name, nullptr);
    }
    for (char* name : gAppEnv->galileanNames) {
        EXPECT_EQ(name, nullptr);
    }
}

TEST(DateStyle, NamesInAnyCase)
{
    EXPECT_EQ(DateStyleFromName("european"), kDateStyleEuropean);
    EXPECT_EQ(DateStyleFromName("EUROPEAN"), kDateStyleEuropean);
    EXPECT_EQ(DateStyleFromName("Japanese"), kDateStyleJapanese);
    EXPECT_EQ(DateStyleFromName("jApAnEsE"), kDateStyleJapanese);
    EXPECT_EQ(DateStyleFromName("English"), kDateStyleEnglish);
    EXPECT_EQ(DateStyleFromName("Europe"), kDateStyleEnglish);
    EXPECT_EQ(DateStyleFromName(""), kDateStyleEnglish);
    EXPECT_EQ(DateStyleFromName(nullptr), kDateStyleEnglish);
}

TEST(PathExpansion, TildeAndOverlongResults)
{
    char field[kPathSize];
    ExpandPathInto("~uvolaother/comets.elm", field);
    EXPECT_EQ(std::string(field), std::string(std::getenv("UVOLA_TEST_OTHER_HOME")) + "/comets.elm");
    ExpandPathInto("~", field);
    EXPECT_EQ(std::string(field), Home());
    ExpandPathInto(("~/" + std::string(300, 'l')).c_str(), field);
    EXPECT_STREQ(field, "");
    ExpandPathInto(nullptr, field);
    EXPECT_STREQ(field, "");
}

class Files : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
        directory = Home() + "/files";
        mkdir(directory.c_str(), 0755);
        privateSites = std::string(gAppEnv->userDirectory) + "/uvola.obs";
        std::remove(privateSites.c_str());
    }
    std::string directory;
    std::string privateSites;
};

TEST_F(Files, CopyIsByteForByteAcrossSeveralBlocks)
{
    std::string data(40000, '\0');
    std::mt19937 random(7);
    for (char& c : data) {
        c = static_cast<char>(random());
    }
    const std::string source = directory + "/source.bin";
    const std::string target = directory + "/target.bin";
    WriteFile(source, data);
    WriteFile(target, "old contents");
    ASSERT_EQ(CopyFile(source.c_str(), target.c_str()), 1);
    EXPECT_EQ(ReadFile(target), data);
    EXPECT_FALSE(Exists(target + ".$NEW$"));
}

TEST_F(Files, FailedCopyLeavesNothingBehind)
{
    const std::string target = directory + "/copy.obs";
    std::remove(target.c_str());
    EXPECT_EQ(CopyFile((directory + "/missing").c_str(), target.c_str()), 0);
    EXPECT_FALSE(Exists(target));

    // A directory opens but cannot be read: the read error must be noticed.
    EXPECT_EQ(CopyFile(directory.c_str(), target.c_str()), 0);
    EXPECT_FALSE(Exists(target));
    EXPECT_FALSE(Exists(target + ".$NEW$"));

    WriteFile(target, "kept");
    EXPECT_EQ(CopyFile(directory.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadFile(target), "kept");

    // Writes that fail (a full device) are noticed too.
    const std::string source = directory + "/small";
    WriteFile(source, "abc");
    ASSERT_EQ(symlink("/dev/full", (target + ".$NEW$").c_str()), 0);
    EXPECT_EQ(CopyFile(source.c_str(), target.c_str()), 0);
    EXPECT_EQ(ReadFile(target), "kept");
    EXPECT_FALSE(Exists(target + ".$NEW$"));

    EXPECT_EQ(CopyFile(source.c_str(), (directory + "/no/such/dir").c_str()), 0);
}

TEST_F(Files, SiteFileIsCopiedOnceIntoTheUserDirectory)
{
    const std::string system = directory + "/system.obs";
    WriteFile(system, "system list\n");
    char chosen[kPathSize];
    ResolveSiteFile(chosen, system.c_str());
    EXPECT_EQ(std::string(chosen), privateSites);
    EXPECT_EQ(ReadFile(privateSites), "system list\n");

    // The user's own edits are kept at the next start.
    WriteFile(privateSites, "my list\n");
    WriteFile(system, "newer system list\n");
    ResolveSiteFile(chosen, system.c_str());
    EXPECT_EQ(std::string(chosen), privateSites);
    EXPECT_EQ(ReadFile(privateSites), "my list\n");
}

TEST_F(Files, SiteFileWithoutACopy)
{
    char chosen[kPathSize];
    // No user directory: the system file itself, "~" expanded.
    const std::string userDirectory = gAppEnv->userDirectory;
    gAppEnv->userDirectory[0] = '\0';
    ResolveSiteFile(chosen, "~/files/system.obs");
    EXPECT_EQ(std::string(chosen), Home() + "/files/system.obs");

    // A system file that cannot be read is not copied; its path is kept for
    // the site dialog to report.
    std::snprintf(gAppEnv->userDirectory, kPathSize, "%s", userDirectory.c_str());
    ResolveSiteFile(chosen, "~/files/none.obs");
    EXPECT_EQ(std::string(chosen), Home() + "/files/none.obs");
    EXPECT_FALSE(Exists(privateSites));
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
    const std::string minorPlanets = directory + "/mp.elm";
    WriteFile(comets, "c");
    WriteFile(minorPlanets, "m");
    const std::string cometIndex = Home() + "/.uvola/comet.v2.dbm";
    const std::string minorPlanetIndex = Home() + "/.uvola/mp.dbm";
    char index[kPathSize];

    ::testing::internal::CaptureStdout();
    EXPECT_EQ(EnsureIndexFile(index, (directory + "/missing.elm").c_str()), 0);
    EXPECT_EQ(std::string(index), Home() + "/.uvola/missing.dbm");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

    ::testing::internal::CaptureStdout();
    EXPECT_EQ(EnsureIndexFile(index, comets.c_str()), 1);
    EXPECT_EQ(std::string(index), cometIndex);
    EXPECT_EQ(EnsureIndexFile(index, minorPlanets.c_str()), 1);
    EXPECT_EQ(std::string(index), minorPlanetIndex);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "uvola: Creating index file.  This may take a while.\n");

    // An index as new as its element file is kept; an older one is rebuilt,
    // without a second announcement.
    WriteFile(cometIndex, "i");
    SetModificationTime(comets, 1000000000);
    SetModificationTime(cometIndex, 1000000000);
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(EnsureIndexFile(index, comets.c_str()), 0);
    SetModificationTime(cometIndex, 999999999);
    EXPECT_EQ(EnsureIndexFile(index, comets.c_str()), 1);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");

    // Without an extension the whole base name is used.
    EnsureIndexFile(index, "/nowhere/elements");
    EXPECT_EQ(std::string(index), Home() + "/.uvola/elements.dbm");
}

}  // namespace
