// The menu bar of the real program, in-process: every item's text, the
// dialogs each item opens, the state the pull-downs show before they open,
// Save, Save As Default, Initialize and Exit, and the texts of the View menu
// without X.
#include "tests/mainwin/program_driver.h"

#include "command/display_commands.h"
#include "command/drive_commands.h"
#include "mainwin/menu_bar.h"
#include "mainwin/menu_commands.h"

#include <Xm/PushBG.h>
#include <Xm/RowColumn.h>
#include <Xm/ToggleBG.h>

#include <cstring>
#include <vector>

namespace {

using programtest::ProgramDriver;

// What choosing an item runs; it shows no box.
struct MenuRow {
    const char* setup;   // run first, unrecorded
    const char* item;
    std::vector<std::string> texts;
};

class MenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Run("INIT; MODE HRZ; DRIVE");
        driver.ForgetTexts();
        ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
    }

    void TearDown() override
    {
        if (Scene().animation.running != 0) {
            Run("CONTINUE");
        }
        ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
        programtest::CloseInputDialogs();
    }

    static ::Scene& Scene() { return ProgramDriver::SceneOfProgram(); }

    void Run(const char* text)
    {
        StkExecuteText(Scene(), text);
        driver.Pump();
    }

    void Choose(const char* item) { driver.Choose(item); }

    // A pull-down about to open: its cascade's cascading callbacks run.
    void Open(const char* cascade)
    {
        XmAnyCallbackStruct call{XmCR_CASCADING, nullptr};
        XtCallCallbacks(ProgramDriver::Find(cascade), XmNcascadingCallback, &call);
        driver.Pump();
    }

    static bool IsSet(const char* item)
    {
        return XmToggleButtonGadgetGetState(ProgramDriver::Find(item)) != 0;
    }

    static bool IsSensitive(const char* item)
    {
        return XtIsSensitive(ProgramDriver::Find(item)) != 0;
    }

    static std::vector<std::string> Boxes()
    {
        return ProgramDriver::MessageBoxes(gAppEnv->toplevel);
    }

    ProgramDriver driver;
};

const MenuRow kMenuRows[] = {
    {"", "MenuSettingsTrace", {"TOGGLE TRACE; DRIVE"}},
    {"", "MenuViewPictureMark", {"SHOW PICTUREMARK; DRIVE"}},
    {"SHOW PICTUREMARK", "MenuViewPictureMark", {"HIDE PICTUREMARK; DRIVE"}},
    {"", "MenuViewDaylight", {"HIDE DAYLIGHT; DRIVE"}},
    {"HIDE DAYLIGHT", "MenuViewDaylight", {"SHOW DAYLIGHT; DRIVE"}},
    {"", "MenuViewStatusbar", {"HIDE STATUSBAR; DRIVE"}},
    {"HIDE STATUSBAR", "MenuViewStatusbar", {"SHOW STATUSBAR; DRIVE"}},
    {"", "MenuViewLookHrz", {"LOOK HRZ"}},
    {"", "MenuViewWidth120", {"VIEW ANGLE 120.0;DRIVE"}},
    {"", "MenuViewWidth90", {"VIEW ANGLE 90.0;DRIVE"}},
    {"", "MenuViewWidth60", {"VIEW ANGLE 60.0;DRIVE"}},
    {"", "MenuViewWidth30", {"VIEW ANGLE 30.0;DRIVE"}},
    {"", "MenuViewWidth10", {"VIEW ANGLE 10.0;DRIVE"}},
    {"MODE EQT", "MenuViewWidth30", {"VIEW ANGLE 30.0;DRIVE"}},
    {"MODE ALL1_EQT", "MenuViewWidth30", {}},
    {"", "MenuViewDirSouth", {"VIEW CENTER HRZ 0.00,0;LOOK HRZ"}},
    {"", "MenuViewDirWest", {"VIEW CENTER HRZ 90.00,0;LOOK HRZ"}},
    {"", "MenuViewDirNorth", {"VIEW CENTER HRZ 180.00,0;LOOK HRZ"}},
    {"", "MenuViewDirEast", {"VIEW CENTER HRZ 270.00,0;LOOK HRZ"}},
    {"MODE VOLA", "MenuViewDirEast", {"VIEW CENTER HRZ 270.00,0;DRIVE"}},
    {"MODE GAL", "MenuViewDirEast", {}},
    {"", "MenuViewRotateNormal", {"MIRROR 0; DRIVE"}},
    {"", "MenuViewRotate180", {"MIRROR 1; DRIVE"}},
    {"", "MenuViewRotateMirror", {"MIRROR 2; DRIVE"}},
    {"", "MenuObjectMilkyway", {"TOGGLE MILKYWAY; DRIVE"}},
    {"", "MenuObjectSkyMark", {"SHOW SKYMARK,SKYMARK_NAME", "DRIVE"}},
    {"SHOW SKYMARK", "MenuObjectSkyMark", {"SHOW SKYMARK,SKYMARK_NAME", "DRIVE"}},
    {"SHOW SKYMARK,SKYMARK_NAME", "MenuObjectSkyMark", {"HIDE SKYMARK,SKYMARK_NAME", "DRIVE"}},
    {"", "MenuCenterSun", {"LOOK SUN; BLINK SUN"}},
    {"", "MenuCenterMoon", {"LOOK MOON; BLINK MOON"}},
    {"", "MenuSettingsInitialize", {"INIT", "DRIVE"}},
};

TEST_F(MenuTest, EveryItemSendsItsText)
{
    for (const MenuRow& row : kMenuRows) {
        SCOPED_TRACE(std::string(row.item) + " after \"" + row.setup + "\"");
        SetUp();
        Run(row.setup);
        driver.ForgetTexts();
        Choose(row.item);
        EXPECT_EQ(driver.Texts(), row.texts);
        EXPECT_TRUE(Boxes().empty());
    }
}

// Each pull-down is prepared by its own cascading callback, File and Help
// too, though they have nothing to set.
TEST_F(MenuTest, EachCascadeHasItsCascadingCallback)
{
    const std::pair<const char*, XtCallbackProc> rows[] = {
        {"MenuFile", MenuFileCascadingCallback},
        {"MenuSettings", MenuSettingsCascadingCallback},
        {"MenuView", MenuViewCascadingCallback},
        {"MenuViewRotate", MenuViewRotateCascadingCallback},
        {"MenuObject", MenuObjectCascadingCallback},
        {"MenuCenter", MenuCenterCascadingCallback},
        {"MenuOption", MenuOptionCascadingCallback},
        {"MenuHelp", MenuHelpCascadingCallback},
    };
    for (const auto& [cascade, procedure] : rows) {
        XtCallbackList list = nullptr;
        XtVaGetValues(ProgramDriver::Find(cascade), XmNcascadingCallback, &list, nullptr);
        ASSERT_NE(list, nullptr) << cascade;
        EXPECT_EQ(list[0].callback, procedure) << cascade;
        EXPECT_EQ(list[1].callback, nullptr) << cascade;
    }
}

TEST_F(MenuTest, PlayStartsAndStopsTheAnimation)
{
    Choose("MenuSettingsContinue");
    EXPECT_EQ(driver.Texts(), std::vector<std::string>{"CONTINUE"});
    EXPECT_EQ(Scene().animation.running, 1);
    Open("MenuSettings");
    EXPECT_TRUE(IsSet("MenuSettingsContinue"));
    Choose("MenuSettingsContinue");
    EXPECT_EQ(Scene().animation.running, 0);
    Open("MenuSettings");
    EXPECT_FALSE(IsSet("MenuSettingsContinue"));
}

// Every other dialog there is opens from its item, sends nothing and shows
// no box; Save without a current script asks for a name in SaveFile.
TEST_F(MenuTest, EachDialogOpensFromItsItem)
{
    const std::pair<const char*, const char*> items[] = {
        {"MenuFileSave", "SaveFile"},
        {"MenuFileSaveImage", "SaveImage"},
        {"MenuSettingsSetEnv", "SetEnvDialog"},
        {"MenuViewProjection", "ProjectionDialog"},
        {"MenuViewGrid", "GridDialog"},
        {"MenuObjectSun", "SunDialog"},
        {"MenuObjectMoon", "MoonDialog"},
        {"MenuObjectPlanet", "PlanetDialog"},
        {"MenuObjectJoviSat", "JoviSatDialog"},
        {"MenuObjectStar", "StarDialog"},
        {"MenuObjectConst", "ConstDialog"},
        {"MenuObjectNebula", "NebulaDialog"},
        {"MenuObjectUserObject", "UserObjectDialog"},
    };
    Scene().scriptName[0] = '\0';
    for (const auto& [item, dialog] : items) {
        SCOPED_TRACE(item);
        Choose(item);
        Widget shown = ProgramDriver::Find(dialog);
        EXPECT_TRUE(ProgramDriver::IsUp(shown));
        EXPECT_TRUE(Boxes().empty());
        EXPECT_TRUE(driver.Texts().empty());
        XtUnmanageChild(shown);
        driver.Pump();
    }
}

// The dialogs INPUT opens open from their menu items too (the date,
// time-step and site dialogs from Settings, the script dialogs from File),
// and opening one runs nothing.
TEST_F(MenuTest, InputDialogsOpenFromTheirItems)
{
    for (const programtest::InputDialogRow& row : programtest::kInputDialogRows) {
        SCOPED_TRACE(row.menuItem);
        Choose(row.menuItem);
        ASSERT_NE(row.dialog(), nullptr);
        EXPECT_TRUE(ProgramDriver::PumpUntil([&row] { return ProgramDriver::IsUp(row.dialog()); }));
        EXPECT_TRUE(Boxes().empty());
        EXPECT_TRUE(driver.Texts().empty());
        programtest::CloseInputDialogs();
    }
}

// The dialogs for finding and showing objects: each item shows its own,
// with no box and nothing run; What's Today's item hides it again.
TEST_F(MenuTest, FindingDialogsOpenFromTheirItems)
{
    const std::string comets = gAppEnv->cometFile, minorPlanets = gAppEnv->mplanetFile;
    std::snprintf(gAppEnv->cometFile, sizeof gAppEnv->cometFile, "%s",
                  UVOLA_SOURCE_DIR "/data/comet.elm");
    std::snprintf(gAppEnv->mplanetFile, sizeof gAppEnv->mplanetFile, "%s",
                  UVOLA_SOURCE_DIR "/data/mp.elm");
    const std::pair<const char*, const char*> items[] = {
        {"MenuObjectComet", "CometDialog"},
        {"MenuObjectMPlanet", "MPlanetDialog"},
        {"MenuCenterPlanet", "CenterPlanetDialog"},
        {"MenuCenterComet", "CenterCometDialog"},
        {"MenuCenterMPlanet", "CenterMPlanetDialog"},
        {"MenuCenterJoviSat", "CenterJoviSatDialog"},
        {"MenuCenterStar", "CenterStarDialog"},
        {"MenuCenterConst", "CenterConstDialog"},
        {"MenuCenterNebula", "CenterNebulaDialog"},
        {"MenuCenterSkyMark", "CenterSkyMarkDialog"},
        {"MenuCenterUserObject", "CenterUserObjectDialog"},
        {"MenuOptionWhatsToday", "TodayDialog"},
        {"MenuHelpAbout", "AboutDialog"},
        {"MenuHelpCopyright", "CopyrightDialog"},
    };
    for (const auto& [item, dialog] : items) {
        SCOPED_TRACE(item);
        Choose(item);
        EXPECT_TRUE(Boxes().empty());
        EXPECT_TRUE(driver.Texts().empty());
        Widget shown = ProgramDriver::Find(dialog);
        ASSERT_NE(shown, nullptr);
        EXPECT_TRUE(XtIsManaged(shown));
        if (shown == gAppEnv->whatsTodayDialog) {
            Choose(item);
        } else {
            XtUnmanageChild(shown);
        }
        EXPECT_FALSE(XtIsManaged(shown));
    }
    std::snprintf(gAppEnv->cometFile, sizeof gAppEnv->cometFile, "%s", comets.c_str());
    std::snprintf(gAppEnv->mplanetFile, sizeof gAppEnv->mplanetFile, "%s", minorPlanets.c_str());
}

TEST_F(MenuTest, ViewMenuFollowsTheMode)
{
    struct Row {
        const char* mode;
        bool width, rotate, direction, horizon, daylight;
    };
    const Row rows[] = {
        {"MODE HRZ", true, true, true, true, true},
        {"MODE EQT", true, true, false, false, false},
        {"MODE GAL", true, true, false, false, false},
        {"MODE VOLA", false, false, true, false, true},
        {"MODE SOL2", false, false, false, false, false},
        {"MODE ALL1_EQT", false, false, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.mode);
        Run(row.mode);
        Open("MenuView");
        EXPECT_EQ(IsSensitive("MenuViewWidth"), row.width);
        EXPECT_EQ(IsSensitive("MenuViewRotate"), row.rotate);
        EXPECT_EQ(IsSensitive("MenuViewDir"), row.direction);
        EXPECT_EQ(IsSensitive("MenuViewLookHrz"), row.horizon);
        EXPECT_EQ(IsSensitive("MenuViewDaylight"), row.daylight);
    }
}

TEST_F(MenuTest, TogglesShowTheSceneWhenTheirMenuOpens)
{
    struct Row {
        const char* text;
        const char* cascade;
        const char* item;
        bool set;
    };
    const Row rows[] = {
        {"HIDE TRACE", "MenuSettings", "MenuSettingsTrace", false},
        {"SHOW TRACE", "MenuSettings", "MenuSettingsTrace", true},
        {"HIDE PICTUREMARK", "MenuView", "MenuViewPictureMark", false},
        {"SHOW PICTUREMARK", "MenuView", "MenuViewPictureMark", true},
        {"HIDE DAYLIGHT", "MenuView", "MenuViewDaylight", false},
        {"SHOW DAYLIGHT", "MenuView", "MenuViewDaylight", true},
        {"HIDE STATUSBAR", "MenuView", "MenuViewStatusbar", false},
        {"SHOW STATUSBAR", "MenuView", "MenuViewStatusbar", true},
        {"HIDE MILKYWAY", "MenuObject", "MenuObjectMilkyway", false},
        {"SHOW MILKYWAY", "MenuObject", "MenuObjectMilkyway", true},
        {"SHOW SKYMARK; HIDE SKYMARK_NAME", "MenuObject", "MenuObjectSkyMark", false},
        {"HIDE SKYMARK; SHOW SKYMARK_NAME", "MenuObject", "MenuObjectSkyMark", false},
        {"SHOW SKYMARK,SKYMARK_NAME", "MenuObject", "MenuObjectSkyMark", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Run(row.text);
        Open(row.cascade);
        EXPECT_EQ(IsSet(row.item), row.set);
    }
}

TEST_F(MenuTest, RotateShowsTheMirrorAsOneOfMany)
{
    const char* const items[] = {"MenuViewRotateNormal", "MenuViewRotate180",
                                 "MenuViewRotateMirror"};
    for (int mirror = 0; mirror < 3; ++mirror) {
        Run(("MIRROR " + std::to_string(mirror)).c_str());
        XmAnyCallbackStruct call{XmCR_CASCADING, nullptr};
        XtCallCallbacks(ProgramDriver::Find("MenuViewRotate"), XmNcascadingCallback, &call);
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(IsSet(items[i]), i == mirror) << mirror << " " << items[i];
        }
    }
    unsigned char indicator = 0;
    XtVaGetValues(ProgramDriver::Find("MenuViewRotate180"), XmNindicatorType, &indicator, nullptr);
    EXPECT_EQ(indicator, XmONE_OF_MANY);
}

TEST_F(MenuTest, ObjectAndCenterItemsNeedWhatTheyShow)
{
    Open("MenuObject");
    EXPECT_FALSE(IsSensitive("MenuObjectComet")) << "no comet file in the test home";
    EXPECT_FALSE(IsSensitive("MenuObjectMPlanet"));
    EXPECT_TRUE(IsSensitive("MenuObjectJoviSat"));
    Open("MenuCenter");
    EXPECT_FALSE(IsSensitive("MenuCenterComet"));
    EXPECT_FALSE(IsSensitive("MenuCenterMPlanet"));
    EXPECT_TRUE(IsSensitive("MenuCenterJoviSat"));

    const std::string saved = gAppEnv->cometFile;
    std::snprintf(gAppEnv->cometFile, sizeof gAppEnv->cometFile, "%s",
                  UVOLA_SOURCE_DIR "/data/comet.elm");
    Open("MenuObject");
    EXPECT_TRUE(IsSensitive("MenuObjectComet"));
    std::snprintf(gAppEnv->cometFile, sizeof gAppEnv->cometFile, "%s", saved.c_str());

    for (const char* hidden : {"HIDE JUPITER", "MODE SOL2"}) {
        SetUp();
        Run(hidden);
        Open("MenuObject");
        EXPECT_FALSE(IsSensitive("MenuObjectJoviSat")) << hidden;
        Open("MenuCenter");
        EXPECT_FALSE(IsSensitive("MenuCenterJoviSat")) << hidden;
    }
}

TEST_F(MenuTest, OptionsShowTheStepBoxAndTheCommandBox)
{
    Open("MenuOption");
    EXPECT_FALSE(IsSet("MenuOptionStepBox"));
    EXPECT_FALSE(IsSet("MenuOptionCommandBox"));
    EXPECT_FALSE(IsSet("MenuOptionWhatsToday"));
    Choose("MenuOptionStepBox");
    Choose("MenuOptionCommandBox");
    EXPECT_TRUE(XtIsManaged(gAppEnv->stepBox));
    ASSERT_NE(gAppEnv->commandDialog, nullptr);
    EXPECT_TRUE(XtIsManaged(gAppEnv->commandDialog));
    Open("MenuOption");
    EXPECT_TRUE(IsSet("MenuOptionStepBox"));
    EXPECT_TRUE(IsSet("MenuOptionCommandBox"));
    Choose("MenuOptionStepBox");
    Choose("MenuOptionCommandBox");
    EXPECT_FALSE(XtIsManaged(gAppEnv->stepBox));
    EXPECT_FALSE(XtIsManaged(gAppEnv->commandDialog));
    EXPECT_TRUE(driver.Texts().empty());
}

int quitRequests = 0;

int CountQuit(int)
{
    ++quitRequests;
    return 0;
}

TEST_F(MenuTest, ExitRunsTheExitCommand)
{
    StkSetQuitProcedure(CountQuit);
    Choose("MenuFileQuit");
    EXPECT_EQ(driver.Texts(), std::vector<std::string>{"EXIT"});
    EXPECT_EQ(quitRequests, 1);
}

TEST_F(MenuTest, InitializeAsksFirstWhenConfirmInitIsOn)
{
    gAppEnv->confirmInit = 1;
    ProgramDriver::AnswerQuestionLater(false);
    Choose("MenuSettingsInitialize");
    EXPECT_TRUE(driver.Texts().empty());
    ProgramDriver::AnswerQuestionLater(true);
    Choose("MenuSettingsInitialize");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"INIT", "DRIVE"}));
    gAppEnv->confirmInit = 0;
}

TEST_F(MenuTest, SaveAsDefaultCancelledWritesNothing)
{
    ProgramDriver::AnswerQuestionLater(false);
    Choose("MenuSettingsSaveAsDefault");
    EXPECT_TRUE(Boxes().empty());
    EXPECT_NE(access(gAppEnv->startupScriptPath, F_OK), 0);
}

TEST_F(MenuTest, SaveWritesTheCurrentScriptThatStlReadsBack)
{
    const std::string path = TestHome() + "/saved.stl";
    std::snprintf(Scene().scriptName, sizeof Scene().scriptName, "%s", path.c_str());
    Run("MODE ALL2_EQT; SHOW CONS_LINE; DRIVE");
    Choose("MenuFileSave");
    EXPECT_TRUE(Boxes().empty());
    ASSERT_TRUE(Exists(path));
    Run("MODE HRZ; HIDE CONS_LINE; DRIVE");
    Run(("STL " + path).c_str());
    EXPECT_EQ(Scene().viewMode, kModeAll2Eqt);
    EXPECT_EQ(StkDisplayOptionShown(Scene(), "CONS_LINE"), 1);
    Scene().scriptName[0] = '\0';
}

// Save As Default writes uvolarc and keeps the site as SiteName; Initialize
// then brings its scene back.
TEST_F(MenuTest, SaveAsDefaultIsWhatInitializeComesBackTo)
{
    const std::string uvolarc = gAppEnv->startupScriptPath;
    Run("LOCATE 0.0E,51.477N,0,50,\"Greenwich (United Kingdom)\"; MODE EQT; SHOW CONS_LINE; DRIVE");
    ProgramDriver::AnswerQuestionLater(true);
    Choose("MenuSettingsSaveAsDefault");
    EXPECT_TRUE(Boxes().empty());
    ASSERT_TRUE(Exists(uvolarc));
    EXPECT_STREQ(gAppEnv->siteName, "Greenwich (United Kingdom)");
    const std::string options = ReadFile(programtest::UserDirectory() + "/options");
    EXPECT_NE(options.find("SiteName = Greenwich (United Kingdom)\n"), std::string::npos);

    Run("MODE HRZ; HIDE CONS_LINE; DRIVE");
    driver.ForgetTexts();
    Choose("MenuSettingsInitialize");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"INIT", "DRIVE"}));
    EXPECT_EQ(Scene().viewMode, kModeEqt);
    EXPECT_EQ(StkDisplayOptionShown(Scene(), "CONS_LINE"), 1);
    EXPECT_EQ(Boxes(), std::vector<std::string>{});
    unlink(uvolarc.c_str());
}

TEST_F(MenuTest, SaveOfAScriptThatCannotBeWrittenSaysSo)
{
    const std::string path = TestHome() + "/no-such-directory/sky.stl";
    std::snprintf(Scene().scriptName, sizeof Scene().scriptName, "%s", path.c_str());
    Choose("MenuFileSave");
    EXPECT_EQ(Boxes(), std::vector<std::string>{"Can't create file: " + path});
    Scene().scriptName[0] = '\0';
}

// The texts of the View menu, without X.
TEST(MenuCommands, WidthAndDirectionOnlyWhereTheyApply)
{
    Scene scene{};
    ResetScene(scene);
    struct Row {
        int32_t mode;
        std::string width30, east;
    };
    const Row rows[] = {
        {kModeHrz, "VIEW ANGLE 30.0;DRIVE", "VIEW CENTER HRZ 270.00,0;LOOK HRZ"},
        {kModeEqt, "VIEW ANGLE 30.0;DRIVE", ""},
        {kModeGal, "VIEW ANGLE 30.0;DRIVE", ""},
        {kModeVola, "", "VIEW CENTER HRZ 270.00,0;DRIVE"},
        {kModeSol1, "", ""},
        {kModeAll2Gal, "", ""},
    };
    for (const Row& row : rows) {
        scene.viewMode = row.mode;
        EXPECT_EQ(ViewAngleCommand(scene, 30.0), row.width30) << std::hex << row.mode;
        EXPECT_EQ(ViewDirectionCommand(scene, 270.0), row.east) << std::hex << row.mode;
    }
    scene.viewMode = kModeHrz;
    EXPECT_EQ(ViewDirectionCommand(scene, 12.345), "VIEW CENTER HRZ 12.35,0;LOOK HRZ");
    EXPECT_EQ(ViewAngleCommand(scene, 0.05), "VIEW ANGLE 0.1;DRIVE");
}

}  // namespace
