// Script files without a display: the statements the writer gives for a
// scene, the reader's statements and lines, STL's runner (SCENE MAIN,
// WINDOW, the orbit block, nesting, bad files), states saved, read back and
// saved again to the same text, and saves that fail without harming the old
// file.
#include <gtest/gtest.h>

#include "tests/command/script_test_support.h"

#include "command/command_handlers.h"
#include "command/command_table.h"
#include "command/script_reader.h"
#include "command/script_runner.h"
#include "core/keywords.h"
#include "sky/catalog/solar_body_names.h"
#include "sky/catalog/user_object_files.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <functional>
#include <random>
#include <tuple>

namespace {

using scripttest::HomePath;
using scripttest::SaveScriptFile;
using scripttest::LoadShipped;
using scripttest::SavedFile;
using scripttest::SavedStatements;
using scripttest::WriteScript;

class Scripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->toplevel = nullptr;
        gAppEnv->quiet = 1;
        ResetScene(scene);
        ASSERT_EQ(Run("DATE 2024,3,20,21,0,0,9; LOCATE 139.77E,35.68N,9,40,Tokyo"), "");
    }

    void TearDown() override
    {
        FreeCometList(scene);
        FreeMinorPlanetList(scene);
        FreeUserObjectFiles(scene);
        StkUseCommandTable(nullptr);
    }

    std::string Run(const std::string& text) { return RunOn(scene, text); }

    static std::string RunOn(Scene& target, const std::string& text)
    {
        StkExecuteText(target, text.c_str());
        return gAppEnv->errorKey;
    }

    std::string Stl(const std::string& path) { return Run("STL \"" + path + "\""); }

    Scene scene{};
};

// ---------------------------------------------------------------------------
// The writer

const std::vector<std::string> kStatementsAfterInit = {
    "INIT",
    "LOCATE 139.770E, 35.680N, 9.000000, 40, \"Tokyo\"",
    "DATE 2024,3,20,21,0,0.000000,9.000",
    "PERIOD 0,0,0,0,3,0.000000",
    "STIME NONE",
    "MODE HRZ",
    "SOL_OFFSET 0.000000,0.000000,0.000000",
    "VIEW CENTER HRZ 0.000000, 0.000000",
    "VIEW ANGLE 120.000000",
    "VIEW SOL 12.000000",
    "MAG STAR  4.5",
    "MAG STARNAME  1.4",
    "DISK_MAG 100",
    "MAG NEBULAMIN 11.0",
    "MAG NEBULAMAX  0.0",
    "DRIVE",
};

TEST_F(Scripts, SceneJustAfterInitWritesNoDisplayOption)
{
    EXPECT_EQ(SavedStatements(scene, kScriptFormScene), kStatementsAfterInit);
    std::vector<std::string> defaultForm = kStatementsAfterInit;
    std::erase_if(defaultForm, [](const std::string& s) { return s.starts_with("DATE") || s.starts_with("MAG STAR "); });
    EXPECT_EQ(SavedStatements(scene, kScriptFormDefault), defaultForm);
}

TEST_F(Scripts, FileHoldsTheControlBlockIndentedAndAnOrbitBlockOnlyWithSmallBodies)
{
    std::string expected = "BLOCK CONTROL\n\tSCENE MAIN\n";
    for (const std::string& statement : kStatementsAfterInit) {
        expected += "\t\t" + statement + "\n";
    }
    expected += "\tEND SCENE\nEND BLOCK\n";
    EXPECT_EQ(SavedFile(scene, kScriptFormScene), expected);

    LoadShipped(scene, {"1P"}, {"4"});
    const std::string file = SavedFile(scene, kScriptFormScene);
    const std::string orbit = "\nBLOCK ORBIT\n:Halley\n" + scripttest::ElementLine(true, "1P") + "\r\n:Vesta\n" +
                              scripttest::ElementLine(false, "4") + "\r\nEND BLOCK\n";
    ASSERT_GE(file.size(), orbit.size());
    EXPECT_EQ(file.substr(file.size() - orbit.size()), orbit);
    EXPECT_NE(file.find("\t\tCOMET \"Halley\"\n\t\tMINORPLANET \"Vesta\"\n\t\tLOCATE"), std::string::npos);
}

TEST_F(Scripts, DefaultFormEndsWithTheStarLimitOffset)
{
    const struct {
        int32_t offset;
        std::vector<std::string> tail;
    } rows[] = {
        {15, {"DRIVE", "INCMAG STAR 1.5", "DRIVE"}},
        {-7, {"DRIVE", "DECMAG STAR 0.7", "DRIVE"}},
        {0, {"MAG NEBULAMAX  0.0", "DRIVE"}},
    };
    for (const auto& row : rows) {
        scene.mag.starOffset = row.offset;
        const std::vector<std::string> saved = SavedStatements(scene, kScriptFormDefault);
        ASSERT_GE(saved.size(), row.tail.size());
        EXPECT_EQ(std::vector<std::string>(saved.end() - row.tail.size(), saved.end()), row.tail) << row.offset;
        // The scene form writes the limit itself.
        EXPECT_EQ(SavedStatements(scene, kScriptFormScene).back(), "DRIVE");
    }
}

TEST_F(Scripts, RunningAnimationIsWrittenAsRealtimeAndContinue)
{
    scene.animation.running = 1;
    scene.animation.realTimeMode = 2;
    scene.animation.synchronised = 5;
    scene.animation.interval = 7;
    const std::vector<std::string> saved = SavedStatements(scene, kScriptFormScene);
    EXPECT_EQ(std::vector<std::string>(saved.end() - 2, saved.end()),
              (std::vector<std::string>{"REALTIME 2,1,7", "CONTINUE"}));
}

TEST(ScriptFlagLines, ShowThenHideNamingOnlyBitsWithNames)
{
    const struct {
        uint8_t flags, defaults;
        int group;
        std::vector<std::string> lines;
    } rows[] = {
        {0x0D, 0x73, 0x0F, {"SHOW LANDSCAPE, METEOR", "HIDE TWILIGHT, SWMETEOR, SCMETEOR, HORIZON"}},
        {0x1F, 0x00, 0x19, {"SHOW STARNAME_J, BAYER, FLAMSTEED, STAR_MAG, VARIABLE"}},
        {0x07, 0x00, 0x1B, {"SHOW VIEW_CIRCLE, VIEW_PHOTO, IMAGE_MARK"}},
        {0x83, 0x00, 0x10, {"SHOW GAL_GRID_NUM"}},
        {0x01, 0x05, 0x1A, {"HIDE MILKYWAY"}},
        {0x00, 0x01, 0x18, {"HIDE STATUSBAR"}},
        {0x3F, 0x3F, 0x12, {}},
        {0x40, 0x00, 0x0A, {}},
    };
    for (const auto& row : rows) {
        ScriptText out;
        StkWriteFlagCommands(out, row.flags, row.defaults, row.group, ObjectKeywordTable);
        EXPECT_EQ(out.statements, row.lines) << std::hex << row.group;
    }
}

TEST_F(Scripts, BodyFlagLinesUseTheSolarObjectKeywords)
{
    LoadShipped(scene, {"1P", "2P"}, {});
    const struct {
        int32_t id;
        uint8_t flags, defaults;
        std::vector<std::string> lines;
    } rows[] = {
        {kAllCometsId, 0x22, 0xE2, {"HIDE DUSTTAIL, IONTAIL"}},
        {kCometIdBase + 1, 0xE6, 0xE2, {"SHOW COMET2_NAME"}},
        {kCometIdBase + 1, 0xA0, 0xE2, {"HIDE COMET2, DUSTTAIL2"}},
        {kSunId, 0x46, 0x02, {"SHOW SUN_NAME, SUN_SPOT"}},
        {kAllPlanetsId, 0x1E, 0x22, {"SHOW PLANET_NAME, PLANET_MAG, PLANET_DATE", "HIDE PLANET_OBT"}},
    };
    for (const auto& row : rows) {
        ScriptText out;
        StkWriteBodyFlagCommands(scene, out, row.flags, row.defaults, row.id);
        EXPECT_EQ(out.statements, row.lines) << row.id;
    }
}

TEST_F(Scripts, PlanetLinesAndTheEarth)
{
    const struct {
        const char* text;
        std::vector<std::string> lines;   // the lines between DISK_MAG's neighbours
    } rows[] = {
        // The PLANET line hides the Earth too, so nothing more is written for it.
        {"HIDE PLANET", {"HIDE PLANET"}},
        {"SHOW PLANET_NAME; HIDE EARTH_NAME", {"SHOW PLANET_NAME", "HIDE EARTH_NAME"}},
        {"SHOW EARTH_MAG", {"SHOW EARTH_MAG"}},
        {"DISK PLANET; OUTLINE SUN", {"OUTLINE SUN", "DISK PLANET"}},
        {"DISK MARS, SATURN; SHOW MARS_NAME; OUTLINE MOON",
         {"OUTLINE MOON", "SHOW MARS_NAME", "DISK MARS", "DISK SATURN"}},
    };
    for (const auto& row : rows) {
        ResetScene(scene);
        ASSERT_EQ(Run(row.text), "") << row.text;
        std::vector<std::string> saved = SavedStatements(scene, kScriptFormScene);
        const auto from = std::find(saved.begin(), saved.end(), "MAG STARNAME  1.4") + 1;
        const auto to = std::find(saved.begin(), saved.end(), "DISK_MAG 100");
        EXPECT_EQ(std::vector<std::string>(from, to), row.lines) << row.text;
    }
}

TEST_F(Scripts, TrackedTargetsByReferenceOrByPlace)
{
    const struct {
        const char* text;
        const char* line;
    } rows[] = {
        {"TRACK STAR alphaOri", "TRACK STAR alphaOri"},
        {"TRACK MARS", "TRACK MARS"},
        {"TRACK M31", "TRACK NEBULA M31"},
        // Right ascension in hours in all three equatorial frames.
        {"TRACK EQT 5.5 7.4", "TRACK EQT   5.500,   7.400"},
        {"TRACK EQT_B1950 12.25 -30", "TRACK EQT_B1950  12.250, -30.000"},
        {"TRACK GAL 280.5 -32.75", "TRACK GAL 280.500, -32.750"},
        {"TRACK SCREEN 100 120", "TRACK SCREEN 100.000, 120.000"},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(Run(row.text), "") << row.text;
        const std::vector<std::string> saved = SavedStatements(scene, kScriptFormScene);
        EXPECT_NE(std::find(saved.begin(), saved.end(), row.line), saved.end()) << row.text;
    }
    ASSERT_EQ(Run("TRACK OFF"), "");
    for (const std::string& statement : SavedStatements(scene, kScriptFormScene)) {
        EXPECT_FALSE(statement.starts_with("TRACK")) << statement;
    }
}

TEST(ScriptStatementCheck, RefusesWhatWouldNotReadBackWhole)
{
    const struct {
        std::string text;
        bool accepted;
    } rows[] = {
        {std::string(255, 'x'), true},
        {std::string(256, 'x'), false},
        {"SHOW STAR; EXIT", false},
        {"LOCATE 1,2,3,4,\"a\rb\"", false},
        {"LOCATE 1,2,3,4,\"a\nb\"", false},
        {"LOCATE 1,2,3,4,\"a b, c\"", true},
    };
    for (const auto& row : rows) {
        ScriptText out;
        AddScriptStatement(out, "%s", row.text.c_str());
        EXPECT_EQ(!out.refused, row.accepted) << row.text;
        EXPECT_EQ(out.statements.size(), row.accepted ? 1u : 0u);
    }
    ScriptText quoted;
    EXPECT_STREQ(QuotedScriptText(quoted, "Mt. \"Blanc\""), "Mt. \"Blanc\"");
    EXPECT_TRUE(quoted.refused);
}

// A save that cannot write its state faithfully fails and keeps the old file.
TEST_F(Scripts, UnwritableStateFailsTheSaveAndKeepsTheOldFile)
{
    const std::string path = HomePath("refused.stl");
    const std::string old = "old script\n";
    OrbitalElements blank = scripttest::ShippedRecord(true, "1P");
    std::memset(blank.name, ' ', sizeof blank.name - 1);
    std::memset(blank.number, ' ', sizeof blank.number - 1);
    std::memset(blank.designation, ' ', sizeof blank.designation - 1);
    std::memset(blank.secondName, ' ', sizeof blank.secondName - 1);
    OrbitalElements semicolon = scripttest::ShippedRecord(true, "1P");
    std::memcpy(semicolon.name, "Hal;ley", 7);
    OrbitalElements noLineEnd = scripttest::ShippedRecord(true, "1P");
    std::memset(noLineEnd.sourceLine + kLongElementLine, 0, 3);

    const struct {
        const char* what;
        std::function<void(Scene&)> spoil;
    } rows[] = {
        {"a quote in the site name", [](Scene& s) { std::strcpy(s.siteName, "Mt. \"Blanc\""); }},
        {"a comet without a name", [&](Scene& s) { AddComet(s, blank); }},
        {"a semicolon in a comet's name", [&](Scene& s) { AddComet(s, semicolon); }},
        {"an element line without its line end", [&](Scene& s) { AddComet(s, noLineEnd); }},
    };
    for (const auto& row : rows) {
        WriteFile(path, old);
        row.spoil(scene);
        EXPECT_EQ(SaveScriptFile(scene, path.c_str(), kScriptFormScene), 0) << row.what;
        EXPECT_EQ(ReadFile(path), old) << row.what;
        EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
        FreeCometList(scene);
        std::strcpy(scene.siteName, "Tokyo");
    }
    EXPECT_EQ(SaveScriptFile(scene, path.c_str(), kScriptFormScene), 1);
    EXPECT_EQ(SaveScriptFile(scene, HomePath("no/such/dir.stl").c_str(), kScriptFormScene), 0);
}

// ---------------------------------------------------------------------------
// The reader

std::vector<std::string> ReadAll(const std::string& content)
{
    const std::string path = HomePath("read.stl");
    WriteFile(path, content);
    ScriptReader reader;
    reader.file = std::fopen(path.c_str(), "rb");
    ScriptStatement statement;
    std::vector<std::string> out;
    while (StkReadStatement(reader, statement) != 0) {
        if (statement.refused) {
            out.push_back("refused:" + std::string(statement.text).substr(0, 10));
            continue;
        }
        std::string text = statement.word;
        for (const char* arg : statement.args) {
            text += std::string("|") + (arg != nullptr ? arg : "-");
        }
        while (text.ends_with("|-")) {
            text.resize(text.size() - 2);
        }
        out.push_back(text);
    }
    std::fclose(reader.file);
    return out;
}

TEST(ScriptReader, StatementsOfLines)
{
    const std::string args20 = "A 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20";
    const struct {
        std::string content;
        std::vector<std::string> statements;
    } rows[] = {
        {"SHOW STAR; SHOW CONS_LINE\n", {"SHOW|STAR", "SHOW|CONS_LINE"}},
        {"# HIDE STAR\n\n\t\tDATE 2000,,1\r\n", {"DATE|2000|-|1"}},
        {"LOCATE 1, 2, 3, 4, \"New York\"", {"LOCATE|1|2|3|4|New York"}},
        {"  ;;A;\rB\n", {"", "", "A", "", "B"}},
        {args20 + "\n", {"A|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19"}},
        {"X \" lead\", \"\", b\n", {"X|-|-|b"}},
        // Short statements on a long line each run; a long one is refused.
        {std::string(200, ' ') + "A;" + std::string(200, ' ') + "B\n", {"A", "B"}},
        {"SHOW " + std::string(251, 'S') + ";B\n", {"refused:SHOW SSSSS", "B"}},
        {"\t\tSHOW " + std::string(250, 'S') + "\n", {"SHOW|" + std::string(250, 'S')}},
        // A line too long to hold is refused whole, whatever it holds.
        {"A;" + std::string(5000, 'x') + ";B\nC\n", {"refused:A;xxxxxxxx", "C"}},
        {"#" + std::string(5000, 'x') + "\nC", {"C"}},
        {std::string("A\0B;C\n", 6), {"A", "C"}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ReadAll(row.content), row.statements) << row.content.substr(0, 40);
    }
}

// ---------------------------------------------------------------------------
// The runner

TEST_F(Scripts, OnlyTheSceneMainBlockRuns)
{
    const struct {
        std::string content;
        std::string expectedMode;
    } rows[] = {
        {"MODE EQT\n", "HRZ"},
        {"MODE ECL\nscene main\nMODE EQT\n", "EQT"},
        {"SCENE MAIN; MODE GAL; END SCENE; MODE EQT\n", "GAL"},
        {"SCENE MAIN\nMODE WINDOW GAL\nEND  SCENE\nMODE EQT\n", "HRZ"},
        {"SCENE MAIN\nMODE WINDOW\nMODE ECL\n", "ECL"},
        {"SCENE MAIN\n\tMODE ALL1_GAL\n# MODE EQT\n", "ALL1_GAL"},
    };
    for (const auto& row : rows) {
        ResetScene(scene);
        const std::string path = HomePath("block.stl");
        WriteFile(path, row.content);
        EXPECT_EQ(Stl(path), "") << row.content;
        EXPECT_STREQ(StkKeywordName(ModeKeywordTable, scene.viewMode), row.expectedMode.c_str()) << row.content;
    }
}

TEST_F(Scripts, ScriptWithoutSceneMainChangesNothing)
{
    const std::string path = HomePath("plain.stl");
    WriteFile(path, "INIT\nMODE EQT\nHIDE STAR\n");
    static Scene before;
    std::memcpy(&before, &scene, sizeof scene);
    EXPECT_EQ(Stl(path), "");
    EXPECT_EQ(std::memcmp(&before, &scene, sizeof scene), 0);
}

TEST_F(Scripts, BadFilesAreRefusedWithTheirName)
{
    const std::string fifo = HomePath("fifo.stl");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::string text;
        const char* key;
        std::string parameter;
    } rows[] = {
        {"STL", "stkErrorIllegalParam", ""},
        {"STL /no/such/file.stl", "stkErrorFileNotFound", "/no/such/file.stl"},
        {"STL " + TestHome(), "stkErrorFileNotFound", TestHome().substr(0, 39)},
        {"STL " + fifo, "stkErrorFileNotFound", fifo.substr(0, 39)},
    };
    for (const auto& row : rows) {
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Run(row.text), row.key) << row.text;
        EXPECT_EQ(gAppEnv->errorParam, row.parameter) << row.text;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2)) << row.text;
    }
    EXPECT_EQ(gAppEnv->scriptRunning, 0);
}

// STL opens the name as given, as LOAD CLICKDATA does: "~" is a directory
// named so, not the home directory.
TEST_F(Scripts, TildeIsNoHomeDirectory)
{
    WriteScript("tilde.stl", {"MODE GAL"});
    mkdir(HomePath("work").c_str(), 0700);
    mkdir(HomePath("work/~").c_str(), 0700);
    WriteScript("work/~/tilde.stl", {"MODE ECL"});
    char* const here = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(HomePath("work").c_str()), 0);
    EXPECT_EQ(Run("STL ~/tilde.stl"), "");
    EXPECT_EQ(scene.viewMode, kModeEcl);
    ASSERT_EQ(chdir(HomePath("").c_str()), 0);
    EXPECT_EQ(Run("STL ~/tilde.stl"), "stkErrorFileNotFound");
    EXPECT_STREQ(gAppEnv->errorParam, "~/tilde.stl");
    ASSERT_EQ(chdir(here), 0);
    std::free(here);
}

TEST_F(Scripts, BinaryOrHugeFilesCrashNothing)
{
    std::mt19937 random(7);
    std::string binary(1 << 20, '\0');
    for (char& c : binary) {
        c = static_cast<char>(random());
    }
    const std::string path = HomePath("binary.stl");
    WriteFile(path, binary);
    Stl(path);
    WriteFile(path, "SCENE MAIN\n" + binary);
    Stl(path);
    // Eight megabytes without a line feed, then a statement that still runs.
    WriteFile(path, "SCENE MAIN\n" + std::string(8 << 20, 'M') + "\nMODE EQT\n");
    EXPECT_EQ(Stl(path), "stkErrorIllegalParam");
    EXPECT_EQ(scene.viewMode, kModeEqt);
    EXPECT_EQ(gAppEnv->scriptRunning, 0);
}

TEST_F(Scripts, TheLastErrorOfTheScriptStays)
{
    const struct {
        std::vector<std::string> statements;
        const char* key;
        std::string parameter;
    } rows[] = {
        {{"FOO 1", "DRIVE"}, "stkErrorSyntax", "FOO"},
        {{"MODE NONSENSE", "FOO", "MODE EQT"}, "stkErrorSyntax", "FOO"},
        {{"SHOW " + std::string(300, 'X')}, "stkErrorIllegalParam", "SHOW " + std::string(34, 'X')},
        {{"COMET \"Halley\""}, "stkErrorCometNotFound", "Halley"},
        {{"COMET"}, "stkErrorIllegalParam", ""},
        {{"DRIVE"}, "", ""},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Stl(WriteScript("errors.stl", row.statements)), row.key) << row.statements[0];
        EXPECT_EQ(gAppEnv->errorParam, row.parameter);
    }
}

TEST_F(Scripts, CometsComeFromTheScriptsOrbitBlock)
{
    const std::string halley = scripttest::ElementLine(true, "1P");
    const std::string ceres = scripttest::ElementLine(false, "1");
    std::string shortLine = halley.substr(0, 150);
    std::string noNumber = halley;
    noNumber.replace(67, 10, "  x       ");
    std::string notANumber = halley;
    notANumber.replace(67, 10, "  nan     ");
    const struct {
        std::vector<std::string> statements;
        std::vector<std::string> orbit;
        const char* key;
        const char* parameter;
        int32_t comets, minorPlanets;
    } rows[] = {
        {{"COMET \"Halley\"", "MINORPLANET ceres"}, {":Halley", halley, ":Ceres", ceres}, "", "", 1, 1},
        {{"comet \"Hal\""}, {":Halley", halley}, "", "", 1, 0},
        {{"COMET \"Halley\""}, {":Hal", halley}, "stkErrorCometNotFound", "Halley", 0, 0},
        {{"COMET Encke"}, {":Halley", halley}, "stkErrorCometNotFound", "Encke", 0, 0},
        {{"COMET \"Halley\""}, {}, "stkErrorCometNotFound", "Halley", 0, 0},
        // A field without a number reads as 0.
        {{"COMET \"Halley\""}, {":Halley", noNumber}, "", "", 1, 0},
        // Element lines the element reader refuses, or of the other kind.
        {{"COMET \"Halley\""}, {":Halley", shortLine}, "stkErrorInvalidComet", "Halley", 0, 0},
        {{"COMET \"Halley\""}, {":Halley", notANumber}, "stkErrorInvalidComet", "Halley", 0, 0},
        {{"COMET \"Ceres\""}, {":Ceres", ceres}, "stkErrorInvalidComet", "Ceres", 0, 0},
        {{"MINORPLANET \"Halley\""}, {":Halley", halley}, "stkErrorInvalidComet", "Halley", 0, 0},
        // The line after a label is its element line, whatever it holds.
        {{"COMET \"Halley\""}, {":Halley"}, "stkErrorInvalidComet", "Halley", 0, 0},
    };
    for (const auto& row : rows) {
        FreeCometList(scene);
        FreeMinorPlanetList(scene);
        EXPECT_EQ(Stl(WriteScript("orbit.stl", row.statements, row.orbit)), row.key) << row.statements[0];
        EXPECT_STREQ(gAppEnv->errorParam, row.parameter) << row.statements[0];
        EXPECT_EQ(scene.cometCount, row.comets) << row.statements[0];
        EXPECT_EQ(scene.mplanetCount, row.minorPlanets) << row.statements[0];
    }
}

// Each statement takes the first entry of exactly its label not taken yet,
// so same-named comets come back in their order, and a whole label wins
// over a longer one that begins with it.
TEST_F(Scripts, SameNamedCometsComeBackInTheirOrder)
{
    const char* keys[] = {"C/2011 L4", "311P", "302P", "349P"};   // PANSTARRS, PANSTARRS, Lemmon-PANSTARRS, Lemmon
    std::vector<std::string> orbit;
    for (const char* key : keys) {
        const OrbitalElements el = scripttest::ShippedRecord(true, key);
        orbit.push_back(":" + ScriptObjectLabel(el));
        orbit.push_back(scripttest::ElementLine(true, key));
    }
    const std::string path = WriteScript(
        "same.stl", {"COMET \"PANSTARRS\"", "COMET \"Lemmon\"", "COMET \"panstarrs\"", "COMET \"Lemmon-PAN\"",
                     "COMET \"PANSTARRS\""},
        orbit);
    EXPECT_EQ(Stl(path), "");
    ASSERT_EQ(scene.cometCount, 5);
    const char* designations[] = {"C/2011 L4", "349P", "311P", "302P", "C/2011 L4"};
    for (int i = 0; i < 5; ++i) {
        OrbitalElements expected = scripttest::ShippedRecord(true, designations[i]);
        EXPECT_STREQ(scene.cometElements[i].sourceLine, expected.sourceLine) << i;
    }
}

// A probe that notes how many scripts are running when it is called, put
// into a copy of the command table.
std::vector<int32_t> depths;
void Probe(Scene&)
{
    depths.push_back(gAppEnv->scriptRunning);
}

std::vector<CommandEntry> TableWithProbe()
{
    std::vector<CommandEntry> table;
    for (const CommandEntry* entry = CommandTable; entry->word != nullptr; ++entry) {
        table.push_back(*entry);
    }
    table.push_back(MakeCommandEntry("PROBE", Probe, 1));
    table.push_back({nullptr, {}, 0, 0});
    depths.clear();
    return table;
}

TEST_F(Scripts, NestedScriptsKeepTheirOwnPlaceAndDepth)
{
    const std::vector<CommandEntry> table = TableWithProbe();
    StkUseCommandTable(table.data());
    const std::string inner = WriteScript("inner.stl", {"PROBE", "MODE ECL"});
    WriteScript("outer.stl", {"PROBE; STL \"" + inner + "\"; PROBE", "HIDE STAR", "PROBE"});
    EXPECT_EQ(Stl(HomePath("outer.stl")), "");
    EXPECT_EQ(depths, (std::vector<int32_t>{1, 2, 1, 1}));
    EXPECT_EQ(scene.viewMode, kModeEcl);
    EXPECT_EQ(scene.displayFlags[kFlagStars] & 1, 0);
    EXPECT_EQ(gAppEnv->scriptRunning, 0);
}

TEST_F(Scripts, ScriptThatRunsItselfStopsSixteenDeep)
{
    const std::string path = HomePath("self.stl");
    WriteScript("self.stl", {"INCTIME 0,0,1", "STL \"" + path + "\"", "MODE EQT"});
    const double day = scene.time.julianDay;
    EXPECT_EQ(Stl(path), "stkErrorIllegalParam");
    EXPECT_EQ(gAppEnv->errorParam, path.substr(0, 39));
    EXPECT_NEAR(scene.time.julianDay - day, kMaxScriptDepth, 1e-6);
    EXPECT_EQ(scene.viewMode, kModeEqt);
    EXPECT_EQ(gAppEnv->scriptRunning, 0);
}

// The work of one top-level statement is bounded, whatever its scripts do;
// the next statement starts afresh. Each row: the script's lines, the probes
// that ran, the error of the STL statement.
TEST_F(Scripts, ScriptWorkOfOneStatementIsBounded)
{
    const std::string path = HomePath("work.stl");
    const std::string self = "STL \"" + path + "\"";
    const std::string fanOut = self + "; " + self + "; " + self + "; " + self + "; " + self;
    const std::vector<std::string> flat(kMaxScriptStatements, "PROBE");
    std::vector<std::string> over = flat;
    over.push_back("PROBE");
    const struct {
        const char* name;
        std::vector<std::string> lines;
        size_t probes;
        const char* error;
    } rows[] = {
        // A probe, then three lines each running the script five times:
        // 15^16 statements unbounded; the file bound stops it, 256 files
        // with a probe each.
        {"fan-out", {"PROBE", fanOut, fanOut, fanOut}, size_t(kMaxScriptFiles), "stkErrorScriptTooLong"},
        {"just within", flat, flat.size(), ""},
        {"one over", over, flat.size(), "stkErrorScriptTooLong"},
    };
    const std::vector<CommandEntry> table = TableWithProbe();
    StkUseCommandTable(table.data());
    for (const auto& row : rows) {
        WriteScript("work.stl", row.lines);
        depths.clear();
        const auto start = std::chrono::steady_clock::now();
        EXPECT_EQ(Stl(path), row.error) << row.name;
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10)) << row.name;
        EXPECT_EQ(depths.size(), row.probes) << row.name;
        EXPECT_EQ(gAppEnv->scriptRunning, 0) << row.name;
        if (row.error[0] != '\0') {
            EXPECT_EQ(gAppEnv->errorParam, path.substr(0, 39)) << row.name;
        }
        // A statement of its own after it runs as always.
        EXPECT_EQ(Run("PROBE"), "") << row.name;
    }
}

// ---------------------------------------------------------------------------
// Saved, read back, saved again

struct SavedState {
    const char* name;
    const char* text;
    bool smallBodies;
};

const SavedState kStates[] = {
    {"planets hidden", "HIDE PLANET", false},
    {"planet names but the Earth's", "SHOW PLANET_NAME; HIDE EARTH_NAME", false},
    {"single planets", "DISK MARS; SHOW MARS_NAME, JUPITER_MAG, URANUS_OBT; HIDE SATURN", false},
    {"disks and outlines", "DISK PLANET; OUTLINE SUN, MOON; SHOW SUN_SPOT, MOON_NAME; DISK_MAG 250", false},
    {"local mean time elsewhere", "TIMESYS LMT; LOCATE 10.5W,40.25N,1,100,Elsewhere; DATE 2001,2,3,4,5,6.5", false},
    {"universal time", "LOCATE 2.35E,48.855N,1,35,Paris; TIMESYS UT; DATE 1999,8,11,10,30,0", false},
    {"sunset lock", "STIME SUNSET -30MIN; PERIOD 0,0,1,2,0,30.5", false},
    {"altitude lock", "STIME SUNRISE 5DEG", false},
    {"equatorial tracking", "MODE EQT; VIEW ANGLE 40; TRACK EQT 5.5 7.4", false},
    {"solar system", "MODE SOL2; SOL_OFFSET 1,2,0.5; VIEW SOL 20", false},
    {"stars", "MIRROR 2; STARDATA SAO; MAG STAR 7.2; MAG STARNAME 3.5; STARSIZE 2", false},
    {"nebulae", "MAG NEBULAMIN 9; MAG NEBULAMAX 2; MAG NEBULALIMIT 0; SHOW NEBULA; HIDE GALAXY, IC; SHOW NEBULA_NAME",
     false},
    {"layers",
     "HIDE STATUSBAR; SHOW CONS_LINE, CONS_NAME1; HIDE MILKYWAY; GRID MODE2; SHOW HRZ_GRID_NUM, MRD_NUM; HIDE DIR; "
     "SHOW SKYMARK, PICTUREMARK; HIDE AD_NAME; SHOW JMOON_NAME; HIDE DAYLIGHT, METEOR; SHOW LANDSCAPE",
     false},
    {"small bodies", "HIDE COMET2; SHOW COMET_NAME; HIDE IONTAIL3; SHOW MINORPLANET1_NAME; TRACK COMET3", true},
    {"small bodies hidden", "HIDE COMET, MINORPLANET", true},
    {"user objects", "LOAD AD ~/objects.adf; LOAD AD \"~/more objects.adf\"; HIDE AD_NAME; TRACK AD Pleiades", false},
};

// Everything a script sets, compared field by field.
void ExpectSameState(const Scene& a, const Scene& b)
{
    const DateTime& da = a.time.date;
    const DateTime& db = b.time.date;
    EXPECT_EQ(std::tie(da.year, da.month, da.day, da.hour, da.minute, da.second, da.zone),
              std::tie(db.year, db.month, db.day, db.hour, db.minute, db.second, db.zone));
    EXPECT_EQ(a.time.location.longitude, b.time.location.longitude);
    EXPECT_STREQ(a.siteName, b.siteName);
    EXPECT_EQ(a.siteZone, b.siteZone);
    EXPECT_EQ(a.timeSystem, b.timeSystem);
    const DateInterval& sa = a.timeStep;
    const DateInterval& sb = b.timeStep;
    EXPECT_EQ(std::tie(sa.years, sa.months, sa.days, sa.hours, sa.minutes, sa.seconds),
              std::tie(sb.years, sb.months, sb.days, sb.hours, sb.minutes, sb.seconds));
    EXPECT_EQ(a.animation.sunEventLock, b.animation.sunEventLock);
    if (a.animation.sunEventLock != 0) {
        EXPECT_EQ(a.animation.sunEventValue, b.animation.sunEventValue);
    }
    EXPECT_EQ(a.viewMode, b.viewMode);
    EXPECT_EQ(a.mirror, b.mirror);
    EXPECT_EQ(a.view.fieldOfView, b.view.fieldOfView);
    EXPECT_EQ(a.view.solarViewWidth, b.view.solarViewWidth);
    EXPECT_EQ(a.view.starSize, b.view.starSize);
    EXPECT_EQ(std::memcmp(a.solarOrigin, b.solarOrigin, sizeof a.solarOrigin), 0);
    EXPECT_EQ(a.centring == 2, b.centring == 2);
    EXPECT_EQ(std::memcmp(a.displayFlags, b.displayFlags, sizeof a.displayFlags), 0);
    EXPECT_EQ(a.statusLine, b.statusLine);
    EXPECT_EQ(a.sunFlags, b.sunFlags);
    EXPECT_EQ(a.moonFlags, b.moonFlags);
    EXPECT_EQ(a.earthFlags, b.earthFlags);
    EXPECT_EQ(std::memcmp(a.planetFlags, b.planetFlags, sizeof a.planetFlags), 0);
    EXPECT_EQ(a.jovianMoonFlags, b.jovianMoonFlags);
    EXPECT_EQ(a.diskMagnitude, b.diskMagnitude);
    EXPECT_EQ(a.mag.starLabelLimit, b.mag.starLabelLimit);
    EXPECT_EQ(a.mag.nebulaFaint, b.mag.nebulaFaint);
    EXPECT_EQ(a.mag.nebulaBright, b.mag.nebulaBright);
    EXPECT_EQ(a.mag.nebulaBoundsInUse, b.mag.nebulaBoundsInUse);
    ASSERT_EQ(a.userObjectFileCount, b.userObjectFileCount);
    for (int32_t i = 0; i < a.userObjectFileCount; ++i) {
        EXPECT_STREQ(a.userObjectFiles[i].path, b.userObjectFiles[i].path);
        EXPECT_EQ(a.userObjectFiles[i].count, b.userObjectFiles[i].count);
    }
    ASSERT_EQ(a.cometCount, b.cometCount);
    ASSERT_EQ(a.mplanetCount, b.mplanetCount);
    for (int32_t i = 0; i < a.cometCount; ++i) {
        EXPECT_EQ(a.cometFlags[i], b.cometFlags[i]) << "comet " << i;
        EXPECT_STREQ(a.cometElements[i].sourceLine, b.cometElements[i].sourceLine) << "comet " << i;
    }
    for (int32_t i = 0; i < a.mplanetCount; ++i) {
        EXPECT_EQ(a.mplanetFlags[i], b.mplanetFlags[i]) << "minor planet " << i;
        EXPECT_STREQ(a.mplanetElements[i].sourceLine, b.mplanetElements[i].sourceLine) << "minor planet " << i;
    }
}

TEST_F(Scripts, SavedStatesReadBackAsTheyWere)
{
    static Scene original;
    // STARDATA SAO answers unless its file is there.
    std::snprintf(gAppEnv->saoFile, kPathSize, "%s", UVOLA_SOURCE_DIR "/data/uvola.sao");
    WriteFile(HomePath("objects.adf"), "LINE 2\nM31 Andromeda\nM33\nEND\n");
    WriteFile(HomePath("more objects.adf"), "M42 Orion\nM45 Pleiades 4\n");
    for (const SavedState& state : kStates) {
        SCOPED_TRACE(state.name);
        ResetScene(original);
        ASSERT_EQ(RunOn(original, "DATE 2020,7,15,21,0,0,9; LOCATE 139.77E,35.68N,9,40,Tokyo"), "");
        if (state.smallBodies) {
            LoadShipped(original, {"C/2011 L4", "311P", "C/2020 F3"}, {"1", "4"});
        }
        ASSERT_EQ(RunOn(original, state.text), "");
        const std::string file = SavedFile(original, kScriptFormScene);
        ASSERT_EQ(Run("INIT; MODE ALL1_ECL; SHOW BAYER"), "");
        ASSERT_EQ(Stl(HomePath("saved-state.stl")), "") << gAppEnv->errorParam;
        ExpectSameState(original, scene);
        EXPECT_EQ(SavedFile(scene, kScriptFormScene), file);
        FreeCometList(original);
        FreeMinorPlanetList(original);
        FreeUserObjectFiles(original);
    }
}

// ---------------------------------------------------------------------------
// Saves that fail

std::string LargeState(Scene& scene)
{
    std::vector<const char*> rocks(500, "4");
    LoadShipped(scene, {}, rocks);
    return SavedFile(scene, kScriptFormScene);
}

TEST_F(Scripts, WriteToAFullDeviceIsReported)
{
    FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    EXPECT_EQ(StkSaveScript(scene, full, kScriptFormScene), 0);
    std::fclose(full);
    FILE* null = std::fopen("/dev/null", "w");
    EXPECT_EQ(StkSaveScript(scene, null, kScriptFormScene), 1);
    std::fclose(null);
    EXPECT_EQ(StkSaveScript(scene, nullptr, kScriptFormScene), 0);
}

// The writer dies part way (a file size limit kills it with SIGXFSZ).
TEST_F(Scripts, WriterKilledPartWayLeavesTheOldFile)
{
    const std::string path = HomePath("killed.stl");
    const std::string old = SavedFile(scene, kScriptFormScene);
    ASSERT_GT(LargeState(scene).size(), 65536u);
    WriteFile(path, old);
    ASSERT_TRUE(KilledByFileSizeLimit([&] { return SaveScriptFile(scene, path.c_str(), kScriptFormScene); }))
        << "the writer finished before it was killed";
    EXPECT_EQ(ReadFile(path), old);
}

// A full file system of the test's own, in a private mount namespace;
// skipped where the machine does not allow one.
TEST_F(Scripts, SaveOntoAFullFileSystemLeavesTheOldFile)
{
    const PrivateTmpfs disk(TestHome() + "/full");
    if (!disk.why.empty()) {
        GTEST_SKIP() << disk.why;
    }
    const std::string path = disk.path + "/state.stl";
    const std::string old = SavedFile(scene, kScriptFormScene);
    WriteFile(path, old);
    disk.Fill();
    LargeState(scene);
    EXPECT_EQ(SaveScriptFile(scene, path.c_str(), kScriptFormScene), 0);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
}

}  // namespace
