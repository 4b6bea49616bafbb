// User-object and sky-mark files: every kind of line read into its record,
// the persistence of colours and LINE patterns, the EPOCH frames, files
// refused with the line and the message the user sees (and the list left
// as it was), line ends, long lines, numbers that are none, long paths,
// files loaded twice, unloading, running indexes over several files, the names and
// places of user objects and sky marks, and the sample sky-mark file. The
// program's realloc is wrapped so that a test can make it fail.
#include <gtest/gtest.h>

#include "astro/coordinates.h"
#include "core/app_env.h"
#include "core/tokenizer.h"
#include "sky/catalog/name_lookup.h"
#include "sky/catalog/object_names.h"
#include "sky/catalog/target_parser.h"
#include "sky/catalog/user_object_files.h"
#include "sky/colors.h"
#include "sky/picking.h"
#include "sky/view/object_positions.h"
#include "sky/view/screen_points.h"
#include "tests/harness/test_files.h"
#include "tests/sky/catalog/catalog_ids.h"
#include "tests/sky/sky_view_fixture.h"

#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>
#include <vector>

namespace {
// When set, reallocs that grow a block fail (a first block is a malloc to
// the compiler).
bool gFailRealloc = false;
}

extern "C" void* __real_realloc(void* p, size_t n);
extern "C" void* __wrap_realloc(void* p, size_t n)
{
    return gFailRealloc && p != nullptr ? nullptr : __real_realloc(p, n);
}

namespace {

using catalogtest::NebulaId;
using catalogtest::StarId;
using skytest::MakeScene;
using skytest::ViewSetup;

// The records of a loaded file, without the end marker.
struct UserFileRecords {
    std::vector<UserObject> records;
};

class UserFiles : public ::testing::Test {
protected:
    std::unique_ptr<Scene> scene = MakeScene(ViewSetup{kModeEqt, 800, 600, 0, 100.0, 0, 84.0, -1.0});
    char message[256] = "";

    void TearDown() override
    {
        FreeUserObjectFiles(*scene);
        FreeUserObjectList(gAppEnv->skyMarks, gAppEnv->skyMarkCount);
        gFailRealloc = false;
    }

    static std::string Write(const std::string& name, const std::string& text)
    {
        const std::string path = TestHome() + "/" + name;
        WriteFile(path, text);
        return path;
    }

    int Load(const std::string& path)
    {
        gAppEnv->errorKey[0] = '\0';
        gAppEnv->errorParam[0] = '\0';
        return LoadUserObjectFile(*scene, path.c_str(), scene->userObjectFiles, scene->userObjectFileCount,
                                  message, sizeof message);
    }

    int LoadText(const std::string& text, const std::string& name = "objects.adf")
    {
        return Load(Write(name, text));
    }

    const UserFileRecords Records(int file = -1) const;
};

const UserFileRecords UserFiles::Records(int file) const
{
    const int index = file < 0 ? scene->userObjectFileCount - 1 : file;
    const UserObjectFile& loaded = scene->userObjectFiles[index];
    UserFileRecords out;
    for (int32_t i = 0; i < loaded.count; ++i) {
        out.records.push_back(loaded.objects[i]);
    }
    EXPECT_EQ(loaded.objects[loaded.count].kind, kUserObjectArrayEnd);
    return out;
}

struct RecordRow {
    const char* text;          // the file
    int record;                // which record to check
    uint8_t kind;
    int32_t type;
    int32_t id;                // -1: not checked
    int32_t a, b;
    const char* name;
    int32_t colour;            // ColorIndex of the name
};

TEST_F(UserFiles, EveryKindOfLineGivesItsRecord)
{
    const int32_t m31 = NebulaId("M31");
    const int32_t m42 = NebulaId("M42");
    const int32_t betelgeuse = StarId("alphaOri");
    const RecordRow rows[] = {
        {"M31 Andromeda 3\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0, "Andromeda", kColorStar6},
        // The colour number persists.
        {"M31 Andromeda 3\nM42 Orion\n", 1, kUserObjectPoint, kObjectNebula, m42, 0, 0, "Orion", kColorStar6},
        {"STAR alphaOri STAR 0.45 8 Betelgeuse\n", 0, kUserObjectStar, kObjectStar, betelgeuse, 4, 8, "Betelgeuse",
         kColorStar3},
        {"STAR alphaOri STAR -1.46\n", 0, kUserObjectStar, kObjectStar, betelgeuse, -14, 0, "", kColorStar3},
        {"STAR alphaOri STAR 1 12 Hot\n", 0, kUserObjectStar, kObjectStar, betelgeuse, 10, 9, "Hot", kColorStar3},
        {"STAR alphaOri STAR 1 -3 Cold\n", 0, kUserObjectStar, kObjectStar, betelgeuse, 10, 0, "Cold", kColorStar3},
        {"M42 NEBULA 2 Orion 8\n", 0, kUserObjectNebula, kObjectNebula, m42, 1, 0, "Orion", kColorConstLine},
        {"M42 NEBULA\n", 0, kUserObjectNebula, kObjectNebula, m42, -1, 0, "", kColorStar3},
        {"M42 MARK 0 Here\n", 0, kUserObjectMark, kObjectNebula, m42, 0, 0, "Here", kColorStar3},
        {"M42 MARK\n", 0, kUserObjectMark, kObjectNebula, m42, -1, 0, "", kColorStar3},
        {"JUPITER Giant 0\n", 0, kUserObjectPoint, kObjectSolarBody, 3, 0, 0, "Giant", kColorBlack},
        {"HRZ 180 10 North 15\n", 0, kUserObjectPoint, kFrameHrz, 0, 0, 0, "North", kColorWhite},
        // Colour numbers outside the table are white, never read past it.
        {"M31 A 99\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0, "A", kColorWhite},
        {"M31 A -1\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0, "A", kColorWhite},
        {"M31 A 99999999999\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0, "A", kColorWhite},
        // A number that is none reads as 0; the magnitude is held to +-100
        // before it is multiplied.
        {"M31 STAR nan\n", 0, kUserObjectStar, kObjectNebula, m31, 0, 0, "", kColorStar3},
        {"M31 STAR inf 3 Bright\n", 0, kUserObjectStar, kObjectNebula, m31, 0, 3, "Bright", kColorStar3},
        {"M31 STAR bright\n", 0, kUserObjectStar, kObjectNebula, m31, 0, 0, "", kColorStar3},
        {"M31 STAR 1e300\n", 0, kUserObjectStar, kObjectNebula, m31, 1000, 0, "", kColorStar3},
        {"M31 STAR -1e300\n", 0, kUserObjectStar, kObjectNebula, m31, -1000, 0, "", kColorStar3},
        {"M31 STAR 1 class\n", 0, kUserObjectStar, kObjectNebula, m31, 10, 0, "", kColorStar3},
        {"M31 NEBULA four\n", 0, kUserObjectNebula, kObjectNebula, m31, -1, 0, "", kColorStar3},
        {"M31 MARK x\n", 0, kUserObjectMark, kObjectNebula, m31, 0, 0, "", kColorStar3},
        {"M31 Andromeda blue\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0, "Andromeda", kColorBlack},
        // An absent first argument: the later ones move down.
        {"M31,,Andromeda\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0, "Andromeda", kColorStar3},
        {"M31 \"Great Spiral\" 4\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0, "Great Spiral", kColorStar9},
        {"M31 ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\n", 0, kUserObjectPoint, kObjectNebula, m31, 0, 0,
         "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123", kColorStar3},
        // LINE: the colour from the table, the pattern read as hex; both
        // persist, and before any number the constellation lines' colour.
        {"LINE\n", 0, kUserObjectLine, 0, 0, 0xffff, kColorConstLine, "", 0},
        {"LINE 2, 5555\n", 0, kUserObjectLine, 0, 0, 0x5555, kColorStar3, "", 0},
        {"LINE 2, 0xf0f0\nEND\nLINE\n", 2, kUserObjectLine, 0, 0, 0xf0f0, kColorStar3, "", 0},
        {"LINE 99\n", 0, kUserObjectLine, 0, 0, 0xffff, kColorWhite, "", 0},
        // A colour that is no number is 0; a pattern that is none keeps the
        // one before.
        {"LINE red\n", 0, kUserObjectLine, 0, 0, 0xffff, kColorBlack, "", 0},
        {"LINE 2, 5555\nLINE 3, zz\n", 1, kUserObjectLine, 0, 0, 0x5555, kColorStar6, "", 0},
        {"LINE 1\nEND\n", 1, kUserObjectLineEnd, 0, 0, 0, 0, "", 0},
        {"LINE\r\nM31 A\r\nEND\r\n", 1, kUserObjectPoint, kObjectNebula, m31, 0, 0, "A", kColorStar3},
    };
    for (const RecordRow& row : rows) {
        SCOPED_TRACE(row.text);
        ASSERT_EQ(LoadText(row.text), 1) << message;
        const UserObject r = Records().records.at(size_t(row.record));
        EXPECT_EQ(r.kind, row.kind);
        EXPECT_EQ(r.type, row.type);
        EXPECT_EQ(r.id, row.id);
        EXPECT_EQ(r.a, row.a);
        EXPECT_EQ(r.b, row.b);
        EXPECT_STREQ(r.name, row.name);
        if (row.kind > kUserObjectLineEnd) {
            EXPECT_EQ(r.colour, uint32_t(row.colour));
        }
        FreeUserObjectFiles(*scene);
    }
}

struct EpochRow {
    const char* text;
    int32_t frame;
    double longitude, latitude;
};

TEST_F(UserFiles, BareCoordinatesAreReadInTheEpochFrame)
{
    const double orionRa = (5.0 + 30.5 / 60.0) * 15.0;
    const double orionDec = -(5.0 + 23.0 / 60.0);
    const EpochRow rows[] = {
        {"0530.5 -0523 Orion\n", kFrameEqt, orionRa, orionDec},
        {"EPOCH B1950\n0530.5 -0523 Orion\n", kFrameEqtB1950, orionRa, orionDec},
        {"EPOCH DATE\n5.5 -5.4 Orion\n", kFrameEqtDate, 82.5, -5.4},
        // Any other word keeps the frame.
        {"EPOCH EQT_B1950\n5.5 -5.4 Orion\n", kFrameEqt, 82.5, -5.4},
        {"EPOCH EQT_DATE\n5.5 -5.4 Orion\n", kFrameEqt, 82.5, -5.4},
        {"EPOCH B1950\nEPOCH 1875\nEPOCH\n5.5 -5.4 Orion\n", kFrameEqtB1950, 82.5, -5.4},
        {"EPOCH B1950\nEPOCH J2000\n5.5 -5.4 Orion\n", kFrameEqt, 82.5, -5.4},
        {"epoch b1950\n5.5 -5.4 Orion\n", kFrameEqtB1950, 82.5, -5.4},
        {"EPOCH B1950\nECL 10 20 Place\n", kFrameEcl, 10.0, 20.0},
    };
    for (const EpochRow& row : rows) {
        SCOPED_TRACE(row.text);
        ASSERT_EQ(LoadText(row.text), 1) << message;
        const UserObject r = Records().records.back();
        EXPECT_EQ(r.type, row.frame);
        EXPECT_NEAR(r.longitude, row.longitude, 1e-9);
        EXPECT_NEAR(r.latitude, row.latitude, 1e-9);
        EXPECT_STREQ(r.name, r.type == kFrameEcl ? "Place" : "Orion");
        FreeUserObjectFiles(*scene);
    }
}

struct RefusalRow {
    std::string text;
    std::string message;   // the whole text, which names no file
};

TEST_F(UserFiles, RefusedFilesNameTheLineAndLeaveTheListAsItWas)
{
    ASSERT_EQ(LoadText("M31 Kept\n", "kept.adf"), 1);
    const std::string longName(200, 'x');
    const RefusalRow rows[] = {
        {"# a comment\nM31 Andromeda\nNOSUCH thing here\n", "Syntax error at line 3"},
        {"EQT nan 0 Nowhere\n", "Syntax error at line 1"},
        {"HRZ 10 1e300 Nowhere\n", "Syntax error at line 1"},
        // A data line longer than 79 characters, never read in pieces.
        {"M31 A\n\nM42 " + std::string(76, 'B') + "\n", "Syntax error at line 3"},
        {"", "No data contained in user object file."},
        {"# only comments\n\n#" + longName + "\nEPOCH B1950\n", "No data contained in user object file."},
    };
    for (const RefusalRow& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(LoadText(row.text), 0);
        EXPECT_EQ(std::string(message), row.message);
        EXPECT_STREQ(gAppEnv->errorKey, "");
        ASSERT_EQ(scene->userObjectFileCount, 1);
        EXPECT_STREQ(scene->userObjectFiles[0].objects[0].name, "Kept");
    }
}

// The peak of this process's resident memory since the last reset, in KiB.
long PeakMemoryKiB()
{
    const std::string status = ReadFile("/proc/self/status");
    const size_t at = status.find("VmHWM:");
    return at == std::string::npos ? -1 : std::atol(status.c_str() + at + 6);
}

double ProcessSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

// A user-object file whose second line is 200 MB of a hole is refused at
// that line within a second of work, without the line ever being held.
TEST_F(UserFiles, AHugeLineIsRefusedInLittleTimeAndMemory)
{
    constexpr off_t kHugeLine = off_t{200} << 20;
    const std::string path = Write("huge.adf", "M31 A\nX");
    ASSERT_EQ(truncate(path.c_str(), 7 + kHugeLine), 0);
    std::ofstream(path, std::ios::app) << "\nM42 B\n";
    WriteFile("/proc/self/clear_refs", "5");
    const long peakBefore = PeakMemoryKiB();
    const double start = ProcessSeconds();
    EXPECT_EQ(Load(path), 0);
    EXPECT_LT(ProcessSeconds() - start, 1.0);
    EXPECT_LT(PeakMemoryKiB() - peakBefore, 50 * 1024);
    EXPECT_STREQ(message, "Syntax error at line 2");
    unlink(path.c_str());
}

TEST_F(UserFiles, CommentsOfAnyLengthAndDataLinesOf79CharactersAreRead)
{
    const std::string longComment = "#" + std::string(300, 'c') + "\n";
    const std::string line79 = "M42 " + std::string(75, 'B');
    ASSERT_EQ(line79.size(), 79u);
    ASSERT_EQ(LoadText(longComment + line79 + "\r\n"), 1) << message;
    EXPECT_EQ(std::string(Records().records[0].name), std::string(30, 'B'));
}

TEST_F(UserFiles, MissingFilesLongPathsAndSecondLoadsAreRefusedWithoutABox)
{
    EXPECT_EQ(Load(TestHome() + "/none.adf"), 0);
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorFileNotFound");
    EXPECT_STREQ(message, "");

    const std::string deep = TestHome() + "/" + std::string(300 - TestHome().size() - 1, 'd');
    ASSERT_EQ(deep.size(), 300u);
    EXPECT_EQ(Load(deep), 0);
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam");

    const std::string path = Write("twice.adf", "M31 A\n");
    EXPECT_EQ(Load(path), 1);
    EXPECT_EQ(Load(path), 0);
    EXPECT_STREQ(gAppEnv->errorKey, "");
    EXPECT_STREQ(message, "");
    EXPECT_EQ(scene->userObjectFileCount, 1);
}

TEST_F(UserFiles, NoMemoryLeavesTheListAsItWas)
{
    ASSERT_EQ(LoadText("M31 Kept\n", "kept.adf"), 1);
    std::string many;
    for (int i = 0; i < 150; ++i) {
        many += "M31 Object" + std::to_string(i) + "\n";
    }
    const std::string path = Write("many.adf", many);
    // The records outgrow their first block: the user is told in a box.
    gFailRealloc = true;
    EXPECT_EQ(Load(path), 0);
    EXPECT_STREQ(message, "Insufficient memory.");
    EXPECT_EQ(scene->userObjectFileCount, 1);
    // The list itself cannot grow: a command error.
    EXPECT_EQ(LoadText("M42 Small\n", "small.adf"), 0);
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorOutOfMemory");
    EXPECT_EQ(scene->userObjectFileCount, 1);
    gFailRealloc = false;
    ASSERT_EQ(Load(path), 1) << message;
    EXPECT_EQ(Records().records.size(), 150u);
    EXPECT_STREQ(scene->userObjectFiles[0].objects[0].name, "Kept");
}

TEST_F(UserFiles, UnloadRemovesOneFileByItsExactPathOrAllOfThem)
{
    const std::string a = Write("a.adf", "M31 A\n");
    const std::string b = Write("b.adf", "M42 B\n");
    ASSERT_EQ(Load(a), 1);
    ASSERT_EQ(Load(b), 1);
    EXPECT_EQ(UnloadUserObjectFile(*scene, (a + "x").c_str()), 0);
    ASSERT_EQ(scene->userObjectFileCount, 2);
    EXPECT_EQ(UnloadUserObjectFile(*scene, a.c_str()), 0);
    ASSERT_EQ(scene->userObjectFileCount, 1);
    EXPECT_EQ(scene->userObjectFiles[0].path, b);
    EXPECT_STREQ(scene->userObjectFiles[0].objects[0].name, "B");
    ASSERT_EQ(Load(a), 1);
    FreeUserObjectFiles(*scene);
    EXPECT_EQ(scene->userObjectFileCount, 0);
    EXPECT_EQ(scene->userObjectFiles, nullptr);
}

// Two files of 5 and 7 records: running index 6 is the second record of the
// second file, for its name, its coordinates and its screen point alike.
TEST_F(UserFiles, RunningIndexesCountAcrossFilesInLoadOrder)
{
    ASSERT_EQ(LoadText("LINE\nM31 A1\nM42 A2\nEND\nM45 A3\n", "five.adf"), 1);
    ASSERT_EQ(LoadText("M1 B0\nEQT 5.6 -1.2 B1\nM42 B2\nM43 B3\nM44 B4\nM45 B5\nM46 B6\n", "seven.adf"), 1);
    ASSERT_EQ(UserObjectTotal(scene->userObjectFiles, scene->userObjectFileCount), 12);
    const UserObject* sixth = UserObjectAt(scene->userObjectFiles, scene->userObjectFileCount, 6);
    ASSERT_NE(sixth, nullptr);
    EXPECT_STREQ(sixth->name, "B1");
    EXPECT_EQ(UserObjectAt(scene->userObjectFiles, scene->userObjectFileCount, 12), nullptr);
    EXPECT_EQ(UserObjectAt(scene->userObjectFiles, scene->userObjectFileCount, -1), nullptr);

    int32_t index = -1;
    EXPECT_EQ(FindUserObjectByName(*scene, "b1", index), 1);
    EXPECT_EQ(index, 6);
    char text[kObjectCommandTextSize];
    ASSERT_EQ(FormatObjectCommandText(*scene, kObjectUserObject, 6, text), 1);
    EXPECT_STREQ(text, "AD \"B1\"");
    EXPECT_EQ(FormatObjectCommandText(*scene, kObjectUserObject, 12, text), 0);
    EXPECT_EQ(FormatObjectCommandText(*scene, kObjectUserObject, 0, text), 0);   // LINE: no name

    double pair[2] = {0.0, 0.0};
    EXPECT_EQ(GetTargetCoordinates(*scene, kObjectUserObject, 6, 0.0, 0.0, pair), kFrameEqt);
    EXPECT_NEAR(pair[0], 84.0, 1e-9);
    EXPECT_NEAR(pair[1], -1.2, 1e-9);
    EXPECT_EQ(GetTargetCoordinates(*scene, kObjectUserObject, 12, 0.0, 0.0, pair), 0);

    ProjectedPoint viaIndex{};
    ProjectedPoint direct{};
    ASSERT_EQ(GetTargetScreenPoint(*scene, kObjectUserObject, 6, 0.0, 0.0, viaIndex), 1);
    ASSERT_EQ(GetObjectScreenPoint(*scene, kFrameEqt, 0, 84.0, -1.2, direct), 1);
    EXPECT_EQ(viaIndex.x, direct.x);
    EXPECT_EQ(viaIndex.y, direct.y);
    EXPECT_EQ(GetObjectScreenPoint(*scene, kObjectUserObject, 6, 0.0, 0.0, direct), 0);
    EXPECT_EQ(ObjectExists(*scene, kObjectUserObject, 11), 1);
    EXPECT_EQ(ObjectExists(*scene, kObjectUserObject, 12), 0);
}

TEST_F(UserFiles, TargetsNameUserObjectsAndSkyMarks)
{
    ASSERT_EQ(LoadText("M31 Andromeda\nM42 \"Orion Nebula\"\n"), 1);
    ASSERT_EQ(LoadUserObjectFile(*scene, Write("marks.adf", "M45 Pleiades\n").c_str(), gAppEnv->skyMarks,
                                 gAppEnv->skyMarkCount, message, sizeof message),
              1);
    struct Row {
        const char* keyword;
        const char* text2;
        int32_t type, id, textsUsed;
    };
    const Row rows[] = {
        {"AD", "andromeda", kObjectUserObject, 0, 2},
        {"AD", "Orion Nebula", kObjectUserObject, 1, 2},
        {"SKYMARK", "PLEIADES", kObjectSkyMark, 0, 2},
        // A bare name is tried as a user object and then as a sky mark.
        {"Orion Nebula", nullptr, kObjectUserObject, 1, 1},
        {"Pleiades", nullptr, kObjectSkyMark, 0, 1},
    };
    // The parser upper-cases what it looks up: it reads copies.
    ObjectRef target{};
    int32_t textsUsed = 0;
    auto parse = [&](const char* keyword, const char* text2, bool fallback) {
        std::string first(keyword), second(text2 != nullptr ? text2 : "");
        char* name = text2 != nullptr ? second.data() : nullptr;
        return fallback ? ParseTargetWithFallback(*scene, first.data(), name, nullptr, target, textsUsed)
                        : ParseTarget(*scene, first.data(), name, nullptr, target, textsUsed);
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.keyword);
        ASSERT_EQ(parse(row.keyword, row.text2, true), 1);
        EXPECT_EQ(target.type, row.type);
        EXPECT_EQ(target.id, row.id);
        EXPECT_EQ(textsUsed, row.textsUsed);
    }
    EXPECT_EQ(parse("AD", "Pleiades", false), 0);
    EXPECT_EQ(parse("SKYMARK", "Andromeda", false), 0);
    double pair[2];
    EXPECT_EQ(GetTargetCoordinates(*scene, kObjectSkyMark, 0, 0.0, 0.0, pair), kFrameEqt);
    // A sky mark is a place to look at, not a screen point (BLINK SKYMARK
    // shows nothing); the user objects are resolved to their records'.
    ProjectedPoint point{};
    EXPECT_EQ(GetTargetScreenPoint(*scene, kObjectSkyMark, 0, 0.0, 0.0, point), 0);
    EXPECT_EQ(ObjectExists(*scene, kObjectSkyMark, 1), 0);
}

// Reads "AD "name"" back as a command would: the tokenizer, then the target.
int32_t ReadBack(Scene& scene, const char* text)
{
    char line[kObjectCommandTextSize];
    std::strcpy(line, text);
    TokenizerState state;
    char* keyword = StkNextToken(state, line, 0);
    char* name = StkNextToken(state, nullptr, 1);
    ObjectRef target{};
    int32_t textsUsed = 0;
    return ParseTarget(scene, keyword, name, nullptr, target, textsUsed) != 0 && target.type == kObjectUserObject
               ? target.id
               : -1;
}

// The sample sky-mark file loads as a user-object file too, every line of
// it, and each of its names leads back to its record.
TEST_F(UserFiles, EveryNameOfTheSampleSkyMarksRoundTripsThroughItsReference)
{
    ASSERT_EQ(Load(UVOLA_SOURCE_DIR "/data/skymark.adf"), 1) << message << gAppEnv->errorKey;
    const UserFileRecords loaded = Records();
    int named = 0;
    for (size_t i = 0; i < loaded.records.size(); ++i) {
        if (loaded.records[i].name[0] == '\0') {
            continue;
        }
        ++named;
        char text[kObjectCommandTextSize];
        ASSERT_EQ(FormatObjectCommandText(*scene, kObjectUserObject, int32_t(i), text), 1);
        EXPECT_EQ(ReadBack(*scene, text), int32_t(i)) << text;
    }
    EXPECT_GE(named, 15);
}

TEST_F(UserFiles, TheSampleSkyMarksDrawTheirAsterismsThroughNamedStars)
{
    ASSERT_EQ(LoadUserObjectFile(*scene, UVOLA_SOURCE_DIR "/data/skymark.adf", gAppEnv->skyMarks,
                                 gAppEnv->skyMarkCount, message, sizeof message),
              1);
    int lines = 0;
    int vertices = 0;
    for (const UserObject* r = gAppEnv->skyMarks[0].objects; r->kind != kUserObjectArrayEnd; ++r) {
        lines += r->kind == kUserObjectLine;
        vertices += r->kind == kUserObjectPoint && r->type == kObjectStar;
    }
    EXPECT_EQ(lines, 6);
    EXPECT_EQ(vertices, 4 + 7 + 5 + 8 + 4);
    int32_t index = -1;
    ASSERT_EQ(FindSkyMarkByName(gAppEnv->skyMarks, gAppEnv->skyMarkCount, "Summer Triangle", index), 1);
    double pair[2];
    ASSERT_EQ(GetTargetCoordinates(*scene, kObjectSkyMark, index, 0.0, 0.0, pair), kFrameEqt);
    EXPECT_NEAR(pair[0], (19.0 + 43.0 / 60.0) * 15.0, 1e-9);
    EXPECT_NEAR(pair[1], 31.0, 1e-9);
}

// A named point is picked within two pixels of where it is drawn; records
// without a name, LINE and END, and points given in pixels never are.
TEST_F(UserFiles, PickingFindsANamedUserObjectWithinTwoPixels)
{
    ASSERT_EQ(LoadText("LINE\nEQT 5.6 -1.2 Target\nEND\nEQT 5.75 -1.2\nSCREEN 100 100 Pixel\n"), 1);
    scene->displayFlags[kFlagStars] = 0;
    ProjectedPoint target{};
    ASSERT_EQ(GetTargetScreenPoint(*scene, kObjectUserObject, 1, 0.0, 0.0, target), 1);
    struct Row {
        int dx, dy, hit;
    };
    const Row rows[] = {{0, 0, 1}, {2, 2, 1}, {-2, -2, 1}, {2, -2, 1}, {-2, 1, 1},
                        {3, 0, 0}, {0, -3, 0}, {-3, 2, 0}, {3, 3, 0}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.dx) + "," + std::to_string(row.dy));
        scene->pickedObject = PickedObject{};
        // The pointer's pixel is one right and below the point it picks.
        EXPECT_EQ(FindNextObjectAt(*scene, target.x + 1 + row.dx, target.y + 1 + row.dy), row.hit);
        if (row.hit != 0) {
            EXPECT_EQ(scene->pickedObject.type, kObjectUserObject);
            EXPECT_EQ(scene->pickedObject.id, 1);
        }
    }
    ProjectedPoint unnamed{};
    ASSERT_EQ(GetTargetScreenPoint(*scene, kObjectUserObject, 3, 0.0, 0.0, unnamed), 1);
    EXPECT_EQ(FindNextObjectAt(*scene, unnamed.x + 1, unnamed.y + 1), 0);
    EXPECT_EQ(FindNextObjectAt(*scene, 101, 101), 0);
    scene->displayFlags[kFlagUserObjects] = 0;
    EXPECT_EQ(FindNextObjectAt(*scene, target.x + 1, target.y + 1), 0);
}

}  // namespace
