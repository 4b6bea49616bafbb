// Script files on a real canvas under Xvfb: a state saved, then INIT and STL
// of the file, draws the chart the state drew, byte for byte in its GSAVE
// image, and saves as the same file again. Between them the states move
// every display group off its default, and hold comets (two of one name)
// and minor planets read through the element index.
#include "tests/sky/sky_canvas_fixture.h"

#include "tests/command/script_test_support.h"

#include "command/interpreter.h"
#include "sky/catalog/small_body_lists.h"
#include "sky/catalog/user_object_files.h"

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using canvastest::PrepareScene;
using canvastest::ResizeArea;
using canvastest::World;
using scripttest::HomePath;
using scripttest::SaveScriptFile;

struct ChartState {
    const char* name;
    std::vector<const char*> comets;
    std::vector<const char*> minorPlanets;
    const char* text;
};

const ChartState kChartStates[] = {
    {"horizon at dusk", {}, {},
     "DATE 2024,3,20,18,0,0,9; LOCATE 139.767E,35.681N,9,40,Tokyo; STIME SUNSET 60MIN; PERIOD 0,0,1,0,0,0;"
     "VIEW ANGLE 100; LOOK HRZ 270 20; TRACK STAR alphaOri; MIRROR 2;"
     "SHOW CONS_LINE, CONS_NAME1, CONS_LIMIT; HIDE MILKYWAY; SHOW STARNAME, BAYER;"
     "SHOW HRZ_GRID, MERIDIAN; HIDE DIR; SHOW HRZ_GRID_NUM; GRID MODE2; MAG STARNAME 3;"
     "HIDE TWILIGHT; SHOW LANDSCAPE"},
    {"galactic map", {}, {},
     "DATE 2023,12,1,22,0,0,1; LOCATE 2.35E,48.855N,1,35,Paris; MODE ALL2_GAL; MAG STAR 5.5;"
     "SHOW NEBULA, NEBULA_NAME; HIDE GALAXY, IC; MAG NEBULAMIN 9; MAG NEBULAMAX 2; MAG NEBULALIMIT 0;"
     "SHOW GAL_GRID, GAL, ECL, EQT_GRID_2000, EQT_2000; SHOW ECL_NUM, GAL_NUM, EQT_2000_NUM, GAL_GRID_NUM;"
     "HIDE DAYLIGHT; SHOW STAR_MAG; SHOW SKYMARK, PICTUREMARK; HIDE AD; SHOW WINDOW_CENTER; HIDE STATUSBAR"},
    {"solar system", {"C/2011 L4", "311P", "C/2020 F3"}, {"1", "4"},
     "DATE 2020,7,15,21,0,0,9; LOCATE 139.767E,35.681N,9,40,Tokyo; MODE SOL2; VIEW SOL 20;"
     "SOL_OFFSET 1,2,0.5; SHOW COMET_NAME, MINORPLANET1_NAME, PLANET_NAME, SOL_GRID; HIDE EARTH_NAME;"
     "HIDE MARS_OBT, COMET2_OBT; DISK_MAG 200"},
    {"comets on the sky in local mean time", {"C/2011 L4", "311P", "C/2020 F3"}, {"1", "4"},
     "TIMESYS LMT; LOCATE 111.5W,33.25N,-7,1200,Phoenix; DATE 2020,7,15,21,30,0; MODE EQT; VIEW ANGLE 6;"
     "TRACK COMET3; HIDE IONTAIL2, COMET2; SHOW COMET3_NAME, COMET1_MAG; HIDE MINORPLANET2;"
     "SHOW EQT_GRID_DATE, EQT_GRID_DATE_NUM, EQT_DATE, EQT_DATE_NUM; DISK JUPITER; OUTLINE MOON;"
     "SHOW SUN_SPOT, JMOON_NAME, JMOON_NO, MOON_NAME; STARSIZE 2; HIDE SWMETEOR, DAYLIGHT"},
    {"ecliptic in universal time", {}, {},
     "LOCATE 0.5W,51.5N,0,10,London; TIMESYS UT; DATE 2022,1,10,3,0,0; MODE ECL; VIEW ANGLE 120;"
     "LOOK ECL 120 0; HIDE STAR; SHOW CONS_NAME2, CONS_LINE; SHOW ECL_GRID, ECL_NUM, EQT_GRID_1950, EQT_1950,"
     "EQT_GRID_1950_NUM, EQT_1950_NUM, MRD_NUM; GRID MODE3; HIDE PLANET; SHOW PLANET_MAG; HIDE SUN;"
     "HIDE NEBULA_LINE; SHOW FLAMSTEED, VARIABLE"},
    {"user objects", {}, {},
     "DATE 2024,1,10,21,0,0,9; LOCATE 139.767E,35.681N,9,40,Tokyo; MODE EQT; VIEW ANGLE 50;"
     "LOAD AD ~/objects.adf; LOAD AD \"~/more objects.adf\"; TRACK AD Giant; HIDE STAR"},
};

class ScriptRoundTrip : public ::testing::Test {
protected:
    void SetUp() override
    {
        World();
        ResizeArea(480, 360);
        WriteFile(HomePath("objects.adf"), "LINE 3, f0f0\nSTAR alphaOri\nSTAR betaOri\nEND\n"
                                           "STAR alphaOri STAR 0.5 9 Giant 4\n");
        WriteFile(HomePath("more objects.adf"), "M42 MARK 0 \"Orion Nebula\" 7\nHRZ 90 10 West\n");
        Reset();
        gAppEnv->quiet = 1;
    }

    void TearDown() override { Reset(); }

    static void Reset()
    {
        FreeCometList(scene);
        FreeMinorPlanetList(scene);
        FreeUserObjectFiles(scene);
        PrepareScene(scene);
    }

    static std::string Run(const std::string& text)
    {
        StkExecuteText(scene, text.c_str());
        XSync(gAppEnv->display, False);
        return gAppEnv->errorKey;
    }

    // The chart as GSAVE writes it; the images share their file name, which
    // GSAVE writes into the file.
    static std::string Image(const std::string& folder)
    {
        const std::string directory = HomePath(folder);
        mkdir(directory.c_str(), 0755);
        EXPECT_EQ(Run("GSAVE \"" + directory + "/sky\""), "");
        return ReadFile(directory + "/sky.xpm");
    }

    static Scene scene;
};

Scene ScriptRoundTrip::scene{};

TEST_F(ScriptRoundTrip, SavedStateRedrawsTheSameChart)
{
    const std::string path = HomePath("round-trip.stl");
    for (const ChartState& state : kChartStates) {
        SCOPED_TRACE(state.name);
        Reset();
        scripttest::LoadShipped(scene, state.comets, state.minorPlanets);
        ASSERT_EQ(Run(state.text), "") << gAppEnv->errorParam;
        ASSERT_EQ(Run("DRIVE"), "");
        const std::string before = Image(std::string(state.name) + " before");
        ASSERT_EQ(SaveScriptFile(scene, path.c_str(), kScriptFormScene), 1);
        const std::string saved = ReadFile(path);

        ASSERT_EQ(Run("INIT"), "");
        ASSERT_EQ(Run("STL \"" + path + "\""), "") << gAppEnv->errorParam;
        const std::string after = Image(std::string(state.name) + " after");
        EXPECT_GT(before.size(), 1000u);
        EXPECT_TRUE(before == after) << "the charts differ";
        ASSERT_EQ(SaveScriptFile(scene, path.c_str(), kScriptFormScene), 1);
        EXPECT_EQ(ReadFile(path), saved);
    }
}

// The STL statement reports the script's last error with its own word.
TEST_F(ScriptRoundTrip, ScriptErrorsAreReportedAsSTLErrors)
{
    const std::string path = scripttest::WriteScript("missing-comet.stl", {"COMET \"Halley\"", "DRIVE"});
    EXPECT_EQ(Run("STL \"" + path + "\""), "stkErrorCometNotFound");
    EXPECT_STREQ(gAppEnv->errorMessage, "STL: Comet or Minor Planet not found: Halley");
    const std::string spoilt = scripttest::WriteScript(
        "invalid-comet.stl", {"COMET \"Halley\""}, {":Halley", scripttest::ElementLine(true, "1P").substr(0, 100)});
    EXPECT_EQ(Run("stl " + spoilt), "stkErrorInvalidComet");
    EXPECT_STREQ(gAppEnv->errorMessage, "stl: Invalid element: Halley");
    EXPECT_EQ(Run("STL /no/such.stl"), "stkErrorFileNotFound");
    EXPECT_STREQ(gAppEnv->errorMessage, "STL: File not found: /no/such.stl");
}

}  // namespace
