// The toolbar and the step box of the real program, in-process: the text of
// every button, the state each button shows as the Scene changes over the
// command port, the play buttons during an animation, every icon made (also
// on an 8-bit display, where this program runs a second time), and the
// state table without X.
#include "tests/mainwin/program_driver.h"

#include "dialogs/step_box.h"
#include "mainwin/toolbar.h"

#include <Xm/DrawnB.h>
#include <Xm/PushB.h>

namespace {

using programtest::ProgramDriver;

class ToolbarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (Scene().animation.running != 0) {
            Run("CONTINUE");
        }
        Run("INIT; MODE HRZ; DRIVE");
        driver.ForgetTexts();
        ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
        programtest::CloseInputDialogs();
    }

    void TearDown() override { SetUp(); }

    static ::Scene& Scene() { return ProgramDriver::SceneOfProgram(); }

    void Run(const char* text)
    {
        StkExecuteText(Scene(), text);
        driver.Pump();
    }

    static Widget Button(int index) { return ProgramDriver::Find(ToolbarButtonTable[index].name); }

    void Activate(Widget button)
    {
        XmPushButtonCallbackStruct press{};
        press.reason = XmCR_ACTIVATE;
        press.click_count = 1;
        XtCallCallbacks(button, XmNactivateCallback, &press);
        driver.Pump();
    }

    // A short press: arm and disarm, then the activate a release brings.
    void ShortPress(Widget button)
    {
        XmAnyCallbackStruct call{XmCR_ARM, nullptr};
        XtCallCallbacks(button, XmNarmCallback, &call);
        call.reason = XmCR_DISARM;
        XtCallCallbacks(button, XmNdisarmCallback, &call);
        Activate(button);
    }

    static int Shadow(int index)
    {
        unsigned char shadow = 0;
        XtVaGetValues(Button(index), XmNshadowType, &shadow, nullptr);
        return shadow == XmSHADOW_IN ? 1 : 0;
    }

    static bool Sensitive(int index) { return XtIsSensitive(Button(index)) != 0; }

    ProgramDriver driver;
};

// The text of every button, from HRZ (where the HRZ button has nothing to
// do and the zoom buttons run on release).
TEST_F(ToolbarTest, EveryButtonSendsItsText)
{
    const std::vector<std::vector<std::string>> expected = {
        {"INPUT OPENFILE"}, {"INPUT SAVEFILE"}, {}, {"MODE EQT;DRIVE"},
        {"MODE ALL1_EQT;DRIVE"}, {"MODE ALL2_EQT;DRIVE"}, {"MODE SOL2;DRIVE"},
        {"MODE VOLA;DRIVE"}, {"INPUT DATE"}, {"INPUT LOCATE"}, {"LOOK HRZ"},
        {"TOGGLE DAYLIGHT;DRIVE"}, {"ZOOM UP;DRIVE"}, {"ZOOM DOWN;DRIVE"},
        {"TOGGLE CONS_LINE;DRIVE"}, {"TOGGLE CONS_NAME2;DRIVE"}, {"TOGGLE PLANET_NAME;DRIVE"},
        {"TOGGLE NEBULA;DRIVE"}, {"TOGGLE MILKYWAY;DRIVE"}, {"TOGGLE PICTUREMARK;DRIVE"},
        {"TOGGLE HRZ_GRID;DRIVE"}, {"TOGGLE EQT_GRID_DATE;DRIVE"}, {"TOGGLE TRACE;DRIVE"},
        {"INPUT PERIOD"}, {"REVERSE ,,,,"}, {"CONTINUE"}, {"CONTINUE ,,,,"},
    };
    ASSERT_EQ(expected.size(), static_cast<size_t>(kToolbarButtonCount));
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        SCOPED_TRACE(ToolbarButtonTable[i].name);
        SetUp();
        ShortPress(Button(i));
        EXPECT_EQ(driver.Texts(), expected[i]);
    }
}

// A mode button in its own mode sends nothing; EQT's also runs from the
// ecliptic and galactic views.
TEST_F(ToolbarTest, ModeButtonsSendNothingInTheirOwnMode)
{
    const std::pair<const char*, int> modes[] = {
        {"MODE HRZ", kToolbarModeHrz},       {"MODE EQT", kToolbarModeEqt},
        {"MODE ALL1_EQT", kToolbarModeAll1}, {"MODE ALL2_EQT", kToolbarModeAll2},
        {"MODE SOL2", kToolbarModeSol},      {"MODE VOLA", kToolbarModeVola},
    };
    for (const auto& [mode, index] : modes) {
        Run(mode);
        driver.ForgetTexts();
        Activate(Button(index));
        EXPECT_TRUE(driver.Texts().empty()) << mode;
    }
    for (const char* mode : {"MODE ECL", "MODE GAL"}) {
        Run(mode);
        driver.ForgetTexts();
        Activate(Button(kToolbarModeEqt));
        EXPECT_EQ(driver.Texts(), std::vector<std::string>{"MODE EQT;DRIVE"}) << mode;
    }
}

// Every INPUT button opens its dialog: SetDate, SetStep, SetPlace, FileOpen
// and FileSave send INPUT and reach theirs through it.
TEST_F(ToolbarTest, InputButtonsOpenTheirDialogs)
{
    gAppEnv->quiet = 0;
    for (const programtest::InputDialogRow& row : programtest::kInputDialogRows) {
        SCOPED_TRACE(row.word);
        Activate(Button(row.toolbarButton));
        EXPECT_EQ(driver.Texts(), std::vector<std::string>{std::string("INPUT ") + row.word});
        ASSERT_NE(row.dialog(), nullptr);
        EXPECT_TRUE(ProgramDriver::PumpUntil([&row] { return ProgramDriver::IsUp(row.dialog()); }));
        EXPECT_TRUE(ProgramDriver::MessageBoxes(gAppEnv->toplevel).empty());
        programtest::CloseInputDialogs();
        driver.ForgetTexts();
    }
}

TEST_F(ToolbarTest, StepButtonsSendTheirTexts)
{
    const char* const steps[] = {"1Min", "5Min",  "10Min", "30Min", "1Hour",
                                 "3Hour", "1Day", "10Day", "1Mon",  "1Year"};
    const char* const amounts[] = {" 0, 0,  0, 0,  1, 0.0", " 0, 0,  0, 0,  5, 0.0",
                                   " 0, 0,  0, 0, 10, 0.0", " 0, 0,  0, 0, 30, 0.0",
                                   " 0, 0,  0, 1,  0, 0.0", " 0, 0,  0, 3,  0, 0.0",
                                   " 0, 0,  1, 0,  0, 0.0", " 0, 0, 10, 0,  0, 0.0",
                                   " 0, 1,  0, 0,  0, 0.0", " 1, 0,  0, 0,  0, 0.0"};
    for (int row = 0; row < 10; ++row) {
        for (const char* sign : {"Minus", "Plus"}) {
            const std::string button = std::string("Button") + sign + steps[row];
            const std::string word = std::strcmp(sign, "Minus") == 0 ? "DECTIME " : "INCTIME ";
            driver.ForgetTexts();
            ShortPress(ProgramDriver::Find(button.c_str()));
            EXPECT_EQ(driver.Texts(),
                      std::vector<std::string>{word + amounts[row] + ";DRIVE"}) << button;
        }
    }
    Widget label = ProgramDriver::Find("Label10Day");
    XmString text = nullptr;
    XtVaGetValues(label, XmNlabelString, &text, nullptr);
    char* plain = static_cast<char*>(XmStringUnparse(text, nullptr, XmCHARSET_TEXT,
                                                     XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
    EXPECT_STREQ(plain, "10Days");
    XtFree(plain);
    XmStringFree(text);
    EXPECT_FALSE(XtIsManaged(gAppEnv->stepBox)) << "the box starts hidden";
}

// The shadows and sensitivity follow the Scene as other programs change it
// over the command port.
TEST_F(ToolbarTest, ButtonsFollowCommandsOverThePort)
{
    struct Row {
        const char* text;
        int index;
        int shadowIn;    // -1: not checked
        int sensitive;   // -1: not checked
    };
    const Row rows[] = {
        {"MODE EQT; DRIVE", kToolbarModeEqt, 1, 1},
        {"MODE EQT; DRIVE", kToolbarModeHrz, 0, 1},
        {"MODE EQT; DRIVE", kToolbarLookHrz, -1, 0},
        {"MODE EQT; DRIVE", kToolbarDaylight, -1, 0},
        {"MODE EQT; DRIVE", kToolbarZoomUp, -1, 1},
        {"MODE ALL1_EQT; DRIVE", kToolbarModeAll1, 1, 1},
        {"MODE ALL1_EQT; DRIVE", kToolbarZoomUp, -1, 0},
        {"MODE ALL1_EQT; DRIVE", kToolbarZoomDown, -1, 0},
        {"MODE ALL1_EQT; DRIVE", kToolbarLookHrz, -1, 0},
        {"MODE ALL2_EQT; DRIVE", kToolbarModeAll2, 1, 1},
        {"MODE SOL2; DRIVE", kToolbarModeSol, 1, 1},
        {"MODE SOL2; DRIVE", kToolbarZoomDown, -1, 1},
        {"MODE SOL1; DRIVE", kToolbarModeSol, 0, 1},
        {"MODE VOLA; DRIVE", kToolbarModeVola, 1, 1},
        {"MODE VOLA; DRIVE", kToolbarDaylight, 1, 1},
        {"MODE HRZ; DRIVE", kToolbarLookHrz, -1, 1},
        {"TRACK SUN", kToolbarLookHrz, -1, 0},
        {"TRACK OFF", kToolbarLookHrz, -1, 1},
        {"SHOW CONS_LINE", kToolbarConsline, 1, 1},
        {"HIDE CONS_LINE", kToolbarConsline, 0, 1},
        {"TOGGLE CONS_NAME2", kToolbarConsname, 1, 1},
        {"HIDE NEBULA", kToolbarNebula, 0, 1},
        {"SHOW GALAXY", kToolbarNebula, 1, 1},
        {"HIDE MILKYWAY", kToolbarMilkyway, 0, 1},
        {"SHOW PICTUREMARK", kToolbarPicMark, 1, 1},
        {"SHOW HRZ_GRID", kToolbarGridHrz, 1, 1},
        {"SHOW EQT_GRID_DATE", kToolbarGridEqt, 1, 1},
        {"SHOW TRACE", kToolbarTrace, 1, 1},
        {"HIDE DAYLIGHT", kToolbarDaylight, 0, 1},
        {"SHOW PLANET_NAME", kToolbarPlanetname, 1, 1},
        {"HIDE MARS_NAME", kToolbarPlanetname, 0, 1},
        {"SHOW MARS_NAME", kToolbarPlanetname, 1, 1},
        {"HIDE EARTH_NAME", kToolbarPlanetname, 0, 1},
        {"INIT", kToolbarPlanetname, 0, 1},
        {"INIT", kToolbarConsline, 0, 1},
        {"INIT", kToolbarTrace, 0, 1},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " / " + ToolbarButtonTable[row.index].name);
        EXPECT_EQ(driver.PortRequest(row.text), "");
        if (row.shadowIn >= 0) {
            EXPECT_EQ(Shadow(row.index), row.shadowIn);
        }
        if (row.sensitive >= 0) {
            EXPECT_EQ(Sensitive(row.index), row.sensitive != 0);
        }
    }
}

TEST_F(ToolbarTest, OnlyStopIsLeftToPressDuringAnAnimation)
{
    for (const auto& [text, reverse] : {std::pair{"CONTINUE", false}, std::pair{"REVERSE", true}}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(driver.PortRequest(text), "");
        EXPECT_FALSE(Sensitive(kToolbarReverse));
        EXPECT_TRUE(Sensitive(kToolbarStopPlay));
        EXPECT_FALSE(Sensitive(kToolbarContinue));
        EXPECT_EQ(Shadow(kToolbarReverse), reverse ? 1 : 0);
        EXPECT_EQ(Shadow(kToolbarContinue), reverse ? 0 : 1);
        Activate(Button(kToolbarStopPlay));
        EXPECT_EQ(Scene().animation.running, 0);
        EXPECT_TRUE(Sensitive(kToolbarReverse));
        EXPECT_FALSE(Sensitive(kToolbarStopPlay));
        EXPECT_TRUE(Sensitive(kToolbarContinue));
        EXPECT_EQ(Shadow(kToolbarReverse), 0);
        EXPECT_EQ(Shadow(kToolbarContinue), 0);
    }
}

// CONTINUE or REVERSE with a first argument that is no date and no clock
// word is reported; whether a run was going or not, none goes afterwards,
// and the toolbar shows so.
TEST_F(ToolbarTest, IllegalFirstArgumentLeavesTheAnimationStopped)
{
    for (const char* running : {"", "CONTINUE"}) {
        for (const auto& [text, reply] :
             {std::pair{"CONTINUE X", "CONTINUE: Illegal Parameter: X\n"},
              std::pair{"REVERSE Y", "REVERSE: Illegal Parameter: Y\n"},
              std::pair{"CONTINUE 2001,1,1,99999999999", "CONTINUE: Illegal Parameter: 99999999999\n"}}) {
            SCOPED_TRACE(std::string(running) + " / " + text);
            EXPECT_EQ(driver.PortRequest(running), "");
            EXPECT_EQ(Scene().animation.running, running[0] != '\0' ? 1 : 0);
            EXPECT_EQ(driver.PortRequest(text), reply);
            EXPECT_EQ(Scene().animation.running, 0);
            EXPECT_EQ(Scene().animation.workProc, 0u);
            EXPECT_TRUE(Sensitive(kToolbarReverse));
            EXPECT_FALSE(Sensitive(kToolbarStopPlay));
            EXPECT_TRUE(Sensitive(kToolbarContinue));
            EXPECT_EQ(Shadow(kToolbarReverse), 0);
            EXPECT_EQ(Shadow(kToolbarContinue), 0);
        }
    }
}

// A hidden toolbar is left alone; shown again, UpdateToolbar brings it up
// to date.
TEST_F(ToolbarTest, HiddenToolbarIsRefreshedWhenShownAgain)
{
    XtUnmanageChild(gAppEnv->toolbar);
    Run("SHOW CONS_LINE");
    EXPECT_EQ(Shadow(kToolbarConsline), 0);
    XtManageChild(gAppEnv->toolbar);
    UpdateToolbar(&Scene());
    EXPECT_EQ(Shadow(kToolbarConsline), 1);
}

// Every button and arrow shows a picture, on any display.
TEST_F(ToolbarTest, EveryIconIsMade)
{
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        Pixmap normal = XmUNSPECIFIED_PIXMAP;
        Pixmap insensitive = XmUNSPECIFIED_PIXMAP;
        XtVaGetValues(Button(i), XmNlabelPixmap, &normal, XmNlabelInsensitivePixmap, &insensitive,
                      nullptr);
        EXPECT_NE(normal, XmUNSPECIFIED_PIXMAP) << ToolbarButtonTable[i].name;
        const bool greys = i == kToolbarLookHrz || i == kToolbarDaylight || i == kToolbarZoomUp ||
                           i == kToolbarZoomDown || i >= kToolbarReverse;
        EXPECT_EQ(insensitive != XmUNSPECIFIED_PIXMAP, greys) << ToolbarButtonTable[i].name;
    }
    for (const char* arrow : {"ButtonMinus1Min", "ButtonPlus1Year"}) {
        Pixmap pixmap = XmUNSPECIFIED_PIXMAP;
        XtVaGetValues(ProgramDriver::Find(arrow), XmNlabelPixmap, &pixmap, nullptr);
        EXPECT_NE(pixmap, XmUNSPECIFIED_PIXMAP) << arrow;
    }
}

// The state table without X: what no widget call should get wrong.
TEST(ToolbarState, TableRows)
{
    Scene scene{};
    ResetScene(scene);
    struct Row {
        int32_t mode;
        int centring, running, direction;
        int index;
        ToolbarButtonState state;
    };
    const Row rows[] = {
        {kModeHrz, 0, 0, 0, kToolbarFileOpen, {1, -1}},
        {kModeHrz, 0, 0, 0, kToolbarSetDate, {-1, -1}},
        {kModeHrz, 0, 0, 0, kToolbarSetStep, {-1, -1}},
        {kModeHrz, 0, 0, 0, kToolbarModeHrz, {1, 1}},
        {kModeEcl, 0, 0, 0, kToolbarModeEqt, {1, 0}},
        {kModeSol2, 0, 0, 0, kToolbarModeSol, {1, 1}},
        {kModeSol3, 0, 0, 0, kToolbarModeSol, {1, 0}},
        {kModeHrz, 2, 0, 0, kToolbarLookHrz, {0, -1}},
        {kModeHrz, 1, 0, 0, kToolbarLookHrz, {1, -1}},
        {kModeVola, 0, 0, 0, kToolbarLookHrz, {0, -1}},
        {kModeVola, 0, 0, 0, kToolbarDaylight, {1, 1}},
        {kModeGal, 0, 0, 0, kToolbarDaylight, {0, 1}},
        {kModeSol1, 0, 0, 0, kToolbarZoomUp, {1, -1}},
        {kModeAll2Gal, 0, 0, 0, kToolbarZoomDown, {0, -1}},
        {kModeVola, 0, 0, 0, kToolbarZoomDown, {0, -1}},
        {kModeHrz, 0, 0, 0, kToolbarMilkyway, {1, 1}},
        {kModeHrz, 0, 0, 0, kToolbarConsline, {1, 0}},
        {kModeHrz, 0, 1, 1, kToolbarReverse, {0, 1}},
        {kModeHrz, 0, 1, 1, kToolbarContinue, {0, 0}},
        {kModeHrz, 0, 1, 0, kToolbarContinue, {0, 1}},
        {kModeHrz, 0, 1, 0, kToolbarStopPlay, {1, -1}},
        {kModeHrz, 0, 0, 0, kToolbarStopPlay, {0, -1}},
        {kModeHrz, 0, 0, 1, kToolbarReverse, {1, 0}},
    };
    for (const Row& row : rows) {
        scene.viewMode = row.mode;
        scene.centring = row.centring;
        scene.animation.running = row.running;
        scene.animationDirection = row.direction;
        const ToolbarButtonState state = ToolbarButtonStateOf(scene, row.index);
        EXPECT_EQ(state.sensitive, row.state.sensitive) << ToolbarButtonTable[row.index].name;
        EXPECT_EQ(state.shadowIn, row.state.shadowIn) << ToolbarButtonTable[row.index].name;
    }
    scene.viewMode = kModeAll1Eqt;
    EXPECT_EQ(ToolbarCommandOf(scene, kToolbarModeAll1), nullptr);
    EXPECT_STREQ(ToolbarCommandOf(scene, kToolbarModeAll2), "MODE ALL2_EQT;DRIVE");
    EXPECT_EQ(ToolbarCommandOf(scene, kToolbarZoomUp), nullptr);
    EXPECT_EQ(ToolbarCommandOf(scene, kToolbarButtonCount), nullptr);
}

}  // namespace
