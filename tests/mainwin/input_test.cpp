// The real program driven with real input (xdotool) in-process: the image
// of a chart reached through the menus, toolbar and step box equals the
// image reached by the same text over the command port; the accelerators
// and mnemonics; press and hold on the zoom buttons and the step box; the
// toolbar's tips; the date, time-step and site dialogs INPUT opens over the
// port, filled by keyboard, drawing what their texts draw over the port.
#include "tests/mainwin/program_driver.h"

#include "command/drive_commands.h"
#include "mainwin/toolbar.h"

#include <X11/ShellP.h>
#include <Xm/RowColumn.h>
#include <Xm/SelectioB.h>
#include <Xm/ToggleB.h>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
using programtest::ProgramDriver;

// A chart every case starts from: a fixed instant at the site of the
// options, from the horizontal view. The date names its zone: INIT brings
// the options' site back but leaves the zone a LOCATE gave.
constexpr char kStart[] = "INIT; DATE 2024,3,20,21,0,0,9; MODE HRZ; DRIVE";

// Each text run, with the time it was handed to the interpreter.
std::vector<std::pair<std::string, Clock::time_point>>& TimedTexts()
{
    static std::vector<std::pair<std::string, Clock::time_point>> texts;
    return texts;
}

void RecordTimedText(const char* text)
{
    dialogtest::RecordText(text);
    TimedTexts().emplace_back(text, Clock::now());
}

int quitRequests = 0;

int CountQuit(int)
{
    ++quitRequests;
    return 0;
}

// The first line in which two XPM images differ, with its number; empty
// when they are the same.
std::string FirstDifference(const std::string& a, const std::string& b)
{
    std::istringstream first(a);
    std::istringstream second(b);
    std::string lineA;
    std::string lineB;
    for (int number = 1;; ++number) {
        const bool moreA = static_cast<bool>(std::getline(first, lineA));
        const bool moreB = static_cast<bool>(std::getline(second, lineB));
        if (!moreA && !moreB) {
            return "";
        }
        if (moreA != moreB || lineA != lineB) {
            return "line " + std::to_string(number) + ": " + lineA.substr(0, 120) + " / " +
                   lineB.substr(0, 120);
        }
    }
}

class InputTest : public ::testing::Test {
public:
    void SetUp() override
    {
        StkSetQuitProcedure(CountQuit);
        gStkTextObserver = RecordTimedText;
        Reset();
    }

    void TearDown() override
    {
        ProgramDriver::Xdotool({"mouseup", "1"});
        Reset();
    }

    // Back to the starting chart, with nothing open and the pointer on the
    // chart.
    void Reset()
    {
        if (Scene().animation.running != 0) {
            Run("CONTINUE");
        }
        if (gAppEnv->commandDialog != nullptr) {
            XtUnmanageChild(gAppEnv->commandDialog);
        }
        XtUnmanageChild(gAppEnv->stepBox);
        programtest::CloseInputDialogs();
        Run(kStart);
        ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
        ProgramDriver::MoveTo(Scene().drawingArea);
        driver.Pump();
        driver.ForgetTexts();
        TimedTexts().clear();
    }

    static ::Scene& Scene() { return ProgramDriver::SceneOfProgram(); }

    void Run(const char* text)
    {
        StkExecuteText(Scene(), text);
        driver.Pump();
    }

    void ShowStepBox()
    {
        XtManageChild(gAppEnv->stepBox);
        ASSERT_TRUE(ProgramDriver::PumpUntil([] { return ProgramDriver::IsUp(gAppEnv->stepBox); }));
        driver.Pump();
    }

    // Opens the menus of a path by clicking each cascade in turn, and
    // clicks the last item.
    void ChooseFromMenus(const std::vector<std::pair<const char*, const char*>>& cascades,
                         const char* item)
    {
        for (const auto& [cascade, pulldown] : cascades) {
            driver.Click(ProgramDriver::Find(cascade));
            Widget menu = ProgramDriver::Find(pulldown);
            ASSERT_TRUE(ProgramDriver::PumpUntil([menu] { return ProgramDriver::IsUp(menu); }))
                << pulldown;
        }
        driver.Click(ProgramDriver::Find(item));
    }

    // Replaces what a text field of a dialog holds, by keyboard: a click into
    // it, the cursor to its end, the old text rubbed out, the new typed. The
    // pointer stays on the field, so the keys that follow go there too.
    void TypeInto(Widget dialog, const char* field, const std::string& text)
    {
        Widget widget = XtNameToWidget(dialog, (std::string("*") + field).c_str());
        ASSERT_NE(widget, nullptr) << field;
        driver.Click(widget);
        ProgramDriver::Xdotool({"key", "End"});
        ProgramDriver::Xdotool({"key", "--repeat", "12", "BackSpace"});
        ProgramDriver::Xdotool({"type", text});
        EXPECT_TRUE(ProgramDriver::PumpUntil(
            [=] { return dialogtest::DialogDriver::Text(dialog, field) == text; }))
            << field;
    }

    // The chart the texts just traced drew, saved, equals the chart they
    // draw when sent over the port, one request each, after a fresh start.
    void ExpectPortDrawsTheSame(const std::string& name, const char* setup)
    {
        const std::vector<std::string> texts = driver.Texts();
        const std::string byHand = ProgramDriver::Gsave("hand-" + name);
        Reset();
        Run(setup);
        for (const std::string& text : texts) {
            EXPECT_EQ(driver.PortRequest(text), "") << text;
        }
        const std::string byPort = ProgramDriver::Gsave("port-" + name);
        ASSERT_GT(byHand.size(), 1000u);
        EXPECT_EQ(FirstDifference(byHand, byPort), "") << "the two charts differ";
    }

    static Widget Toolbar(int index) { return ProgramDriver::Find(ToolbarButtonTable[index].name); }

    size_t Count(const std::string& text) const
    {
        return static_cast<size_t>(std::count(driver.Texts().begin(), driver.Texts().end(), text));
    }

    ProgramDriver driver;
};

// --- One state reached two ways --------------------------------------------

struct OracleRow {
    const char* name;
    const char* setup;                  // after kStart
    std::function<void(InputTest&)> act;
    const char* text;                   // what the action sends
};

TEST_F(InputTest, UiActionDrawsWhatItsTextDrawsOverThePort)
{
    auto clickToolbar = [](int index) {
        return [index](InputTest& test) { test.driver.Click(Toolbar(index)); };
    };
    const OracleRow rows[] = {
        {"ModeEqt", "", clickToolbar(kToolbarModeEqt), "MODE EQT;DRIVE"},
        {"ModeAll1", "", clickToolbar(kToolbarModeAll1), "MODE ALL1_EQT;DRIVE"},
        {"ModeAll2", "", clickToolbar(kToolbarModeAll2), "MODE ALL2_EQT;DRIVE"},
        {"ModeSol", "", clickToolbar(kToolbarModeSol), "MODE SOL2;DRIVE"},
        {"ModeVola", "", clickToolbar(kToolbarModeVola), "MODE VOLA;DRIVE"},
        {"ModeHrz", "MODE GAL; DRIVE", clickToolbar(kToolbarModeHrz), "MODE HRZ;DRIVE"},
        {"Consline", "", clickToolbar(kToolbarConsline), "TOGGLE CONS_LINE;DRIVE"},
        {"StepPlus1Hour", "",
         [](InputTest& test) {
             test.ShowStepBox();
             test.driver.Click(ProgramDriver::Find("ButtonPlus1Hour"));
         },
         "INCTIME  0, 0,  0, 1,  0, 0.0;DRIVE"},
        {"Width30", "",
         [](InputTest& test) {
             test.ChooseFromMenus({{"MenuView", "PulldownView"}, {"MenuViewWidth", "PulldownViewWidth"}},
                                  "MenuViewWidth30");
         },
         "VIEW ANGLE 30.0;DRIVE"},
        {"DirectionEast", "",
         [](InputTest& test) {
             test.ChooseFromMenus({{"MenuView", "PulldownView"}, {"MenuViewDir", "PulldownViewDir"}},
                                  "MenuViewDirEast");
         },
         "VIEW CENTER HRZ 270.00,0;LOOK HRZ"},
    };
    for (const OracleRow& row : rows) {
        SCOPED_TRACE(row.name);
        Reset();
        Run(row.setup);
        driver.ForgetTexts();
        row.act(*this);
        ASSERT_TRUE(driver.PumpUntilText(row.text));
        driver.Pump();
        EXPECT_EQ(driver.Texts(), std::vector<std::string>{row.text});
        ExpectPortDrawsTheSame(row.name, row.setup);
    }
}

// --- The dialogs INPUT opens -------------------------------------------------

TEST_F(InputTest, InputOverThePortOpensEachDialog)
{
    for (const programtest::InputDialogRow& row : programtest::kInputDialogRows) {
        SCOPED_TRACE(row.word);
        Reset();
        EXPECT_EQ(driver.PortRequest(std::string("INPUT ") + row.word), "");
        EXPECT_TRUE(ProgramDriver::PumpUntil(
            [&row] { return row.dialog() != nullptr && ProgramDriver::IsUp(row.dialog()); }));
        EXPECT_TRUE(ProgramDriver::MessageBoxes(gAppEnv->toplevel).empty());
    }
}

// A step typed by keyboard into the dialog INPUT PERIOD opened, and Return.
TEST_F(InputTest, TimeStepTypedAndReturnSetsThePeriod)
{
    EXPECT_EQ(driver.PortRequest("INPUT PERIOD"), "");
    ASSERT_TRUE(ProgramDriver::PumpUntil(
        [] { return TimeStepDialogWidget() != nullptr && ProgramDriver::IsUp(TimeStepDialogWidget()); }));
    driver.ForgetTexts();
    TypeInto(TimeStepDialogWidget(), "EditMin", "7");
    ProgramDriver::Xdotool({"key", "Return"});
    ASSERT_TRUE(driver.PumpUntilText("PERIOD 0,0,0,0,7,0.000000"));
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"REALTIME 0", "PERIOD 0,0,0,0,7,0.000000"}));
    EXPECT_EQ(Scene().timeStep.minutes, 7);
    EXPECT_FALSE(XtIsManaged(TimeStepDialogWidget()));
}

// The date typed by keyboard and the site found by a typed search: the
// chart after OK is the chart the texts they ran draw over the port.
TEST_F(InputTest, DateAndSiteDialogsDrawWhatTheirTextsDrawOverThePort)
{
    struct Row {
        const char* name;
        const char* word;
        Widget (*dialog)();
        std::function<void(InputTest&)> act;
        std::vector<std::string> texts;
    };
    const Row rows[] = {
        {"Date", "DATE", DateDialogWidget,
         [](InputTest& test) {
             for (const auto& [field, text] : {std::pair{"EditYear", "2026"}, {"EditDay", "5"},
                                               {"EditHour", "18"}, {"EditMin", "30"}}) {
                 test.TypeInto(DateDialogWidget(), field, text);
             }
             ProgramDriver::Xdotool({"key", "Return"});
         },
         {"DATE 2026,3,5,18,30,0.000000,9.000000", "STIME NONE", "DRIVE"}},
        {"Site", "LOCATE", SiteDialogWidget,
         [](InputTest& test) {
             test.driver.Click(XtNameToWidget(SiteDialogWidget(), "*ButtonSearch"));
             Widget prompt = ProgramDriver::Find("SiteSearchDialog");
             ASSERT_TRUE(ProgramDriver::PumpUntil([prompt] { return ProgramDriver::IsUp(prompt); }));
             test.TypeInto(prompt, "Text", "london");
             ProgramDriver::Xdotool({"key", "Return"});
             ASSERT_TRUE(ProgramDriver::PumpUntil([prompt] { return !XtIsManaged(prompt); }));
             test.driver.Click(XtNameToWidget(SiteDialogWidget(), "*ButtonOK"));
         },
         {"LOCATE 0.12500W,51.50800N,0.00,0.00,\"London (United Kingdom)\";DRIVE"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        Reset();
        EXPECT_EQ(driver.PortRequest(std::string("INPUT ") + row.word), "");
        ASSERT_TRUE(ProgramDriver::PumpUntil(
            [&row] { return row.dialog() != nullptr && ProgramDriver::IsUp(row.dialog()); }));
        driver.ForgetTexts();
        row.act(*this);
        ASSERT_TRUE(driver.PumpUntilText(row.texts.back()))
            << (driver.Texts().empty() ? "nothing" : driver.Texts().back());
        driver.Pump();
        EXPECT_EQ(driver.Texts(), row.texts);
        EXPECT_FALSE(XtIsManaged(row.dialog()));
        ExpectPortDrawsTheSame(row.name, "");
    }
}

// A dialog reached by its menu mnemonics, one toggle turned by the space
// bar and the dialog's OK pressed by Return: the chart equals the one the
// same start draws from the dialog's texts sent over the command port.
struct DialogOracleRow {
    const char* name;
    std::vector<std::pair<std::string, const char*>> mnemonics;
    const char* dialog;
    const char* toggle;      // given the keyboard focus
    const char* statement;   // what the toggle adds to the texts OK sends
};

// Runs the dialog by keys; returns the texts it sent, or none when a step
// failed, and the dialog.
std::vector<std::string> RunDialogByKeys(ProgramDriver& driver, const DialogOracleRow& row,
                                         Widget& dialog)
{
    driver.Mnemonics(row.mnemonics);
    dialog = ProgramDriver::Find(row.dialog);
    if (dialog == nullptr) {
        return {};
    }
    EXPECT_TRUE(ProgramDriver::PumpUntil([dialog] { return ProgramDriver::IsUp(dialog); }));
    Widget toggle = ProgramDriver::Find(row.toggle);
    if (!ProgramDriver::PumpUntil(
            [toggle] { return XmProcessTraversal(toggle, XmTRAVERSE_CURRENT) == True; })) {
        ADD_FAILURE() << "no keyboard focus for " << row.toggle;
        return {};
    }
    const bool wasSet = XmToggleButtonGetState(toggle) != 0;
    ProgramDriver::MoveTo(toggle);
    ProgramDriver::Xdotool({"key", "space"});
    EXPECT_TRUE(ProgramDriver::PumpUntil(
        [toggle, wasSet] { return (XmToggleButtonGetState(toggle) != 0) != wasSet; }));
    ProgramDriver::Xdotool({"key", "Return"});
    EXPECT_TRUE(ProgramDriver::PumpUntil([dialog] { return !XtIsManaged(dialog); }));
    EXPECT_TRUE(ProgramDriver::PumpUntil([&driver] { return !driver.Texts().empty(); }));
    driver.Pump();
    return driver.Texts();
}

bool AnyHolds(const std::vector<std::string>& texts, const std::string& statement)
{
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return text.find(statement) != std::string::npos;
    });
}

TEST_F(InputTest, DialogByKeysDrawsWhatItsTextsDrawOverThePort)
{
    const DialogOracleRow rows[] = {
        {"Projection", {{"v", "PulldownView"}, {"p", nullptr}}, "ProjectionDialog",
         "ToggleMajorModeAll1", "MODE ALL1_EQT; DRIVE"},
        {"Grid", {{"v", "PulldownView"}, {"g", nullptr}}, "GridDialog", "ToggleEqtDateGrid",
         "SHOW EQT_GRID_DATE"},
        {"Star", {{"j", "PulldownObject"}, {"t", nullptr}}, "StarDialog", "ToggleStarName",
         "SHOW STARNAME;"},
        {"Nebula", {{"j", "PulldownObject"}, {"n", nullptr}}, "NebulaDialog", "ToggleNebula",
         "SHOW NEBULA;"},
    };
    for (const DialogOracleRow& row : rows) {
        SCOPED_TRACE(row.name);
        Reset();
        const std::string before = ProgramDriver::Gsave(std::string("before-") + row.name);
        Widget dialog = nullptr;
        const std::vector<std::string> texts = RunDialogByKeys(driver, row, dialog);
        // A dialog left up would hold the keyboard for the tests after.
        if (dialog != nullptr) {
            XtUnmanageChild(dialog);
        }
        EXPECT_TRUE(AnyHolds(texts, row.statement)) << testing::PrintToString(texts);
        const std::string byHand = ProgramDriver::Gsave(std::string("hand-") + row.name);

        Reset();
        for (const std::string& text : texts) {
            EXPECT_EQ(driver.PortRequest(text), "") << text;
        }
        const std::string byPort = ProgramDriver::Gsave(std::string("port-") + row.name);
        ASSERT_GT(byHand.size(), 1000u);
        EXPECT_EQ(FirstDifference(byHand, byPort), "") << "the two charts differ";
        EXPECT_NE(byHand, before) << "the toggle changed nothing that shows";
    }
}

// --- Keys ------------------------------------------------------------------

struct KeyRow {
    std::vector<std::string> keys;
    std::vector<std::string> texts;
    Widget (*dialog)() = nullptr;   // the dialog opened, or null
};

TEST_F(InputTest, AcceleratorsChooseTheirItems)
{
    const KeyRow rows[] = {
        {{"ctrl+d"}, {}, DateDialogWidget},
        {{"ctrl+p"}, {}, SiteDialogWidget},
        {{"ctrl+t"}, {"TOGGLE TRACE; DRIVE"}},
        {{"ctrl+l"}, {"CONTINUE"}},
        {{"ctrl+i"}, {"INIT", "DRIVE"}},
        {{"ctrl+a"}, {"HIDE STATUSBAR; DRIVE"}},
        {{"ctrl+h"}, {"LOOK HRZ"}},
        {{"ctrl+q"}, {"EXIT"}},
    };
    for (const KeyRow& row : rows) {
        SCOPED_TRACE(row.keys[0]);
        Reset();
        driver.Keys(row.keys);
        if (row.dialog != nullptr) {
            EXPECT_TRUE(ProgramDriver::PumpUntil(
                [&row] { return row.dialog() != nullptr && ProgramDriver::IsUp(row.dialog()); }));
        } else {
            EXPECT_TRUE(driver.PumpUntilText(row.texts.back()));
        }
        driver.Pump();
        EXPECT_EQ(driver.Texts(), row.texts);
    }
    EXPECT_EQ(quitRequests, 1);

    // Ctrl+B and Ctrl+W each show their window and hide it again.
    for (Widget* window : {&gAppEnv->stepBox, &gAppEnv->whatsTodayDialog}) {
        Reset();
        const char* key = window == &gAppEnv->stepBox ? "ctrl+b" : "ctrl+w";
        driver.Keys({key});
        EXPECT_TRUE(ProgramDriver::PumpUntil(
            [window] { return *window != nullptr && XtIsManaged(*window) != 0; }))
            << key;
        driver.Keys({key});
        EXPECT_TRUE(ProgramDriver::PumpUntil([window] { return XtIsManaged(*window) == 0; })) << key;
    }
}

TEST_F(InputTest, FileAcceleratorsOpenTheScriptDialogs)
{
    Scene().scriptName[0] = '\0';
    const std::pair<const char*, const char*> rows[] = {
        {"ctrl+o", "OpenFile"}, {"ctrl+s", "SaveFile"}};
    for (const auto& [key, dialog] : rows) {
        SCOPED_TRACE(key);
        Reset();
        driver.Keys({key});
        Widget box = ProgramDriver::Find(dialog);
        EXPECT_TRUE(ProgramDriver::PumpUntil([box] { return ProgramDriver::IsUp(box); }));
        EXPECT_TRUE(driver.Texts().empty());
        XtUnmanageChild(box);
    }
}

// The box opens with the newest line of the history file selected, its
// first opening too, so that what is typed replaces the line.
TEST_F(InputTest, CtrlSpaceTogglesTheCommandDialogAndTypingReplacesTheLastLine)
{
    if (gAppEnv->commandDialog != nullptr) {
        XtDestroyWidget(XtParent(gAppEnv->commandDialog));
        gAppEnv->commandDialog = nullptr;
    }
    WriteFile(programtest::UserDirectory() + "/history", "MODE EQT\n");
    for (int opening = 1; opening <= 2; ++opening) {
        SCOPED_TRACE(opening);
        driver.Keys({"ctrl+space"});
        ASSERT_TRUE(ProgramDriver::PumpUntil([] {
            return gAppEnv->commandDialog != nullptr && XtIsManaged(gAppEnv->commandDialog);
        }));
        ProgramDriver::MoveTo(XmSelectionBoxGetChild(gAppEnv->commandDialog, XmDIALOG_TEXT));
        ProgramDriver::Xdotool({"type", "--delay", "20", "MODE HRZ"});
        ProgramDriver::Xdotool({"key", "Return"});
        EXPECT_TRUE(driver.PumpUntilText("MODE HRZ"));
        EXPECT_EQ(driver.Texts(), std::vector<std::string>{"MODE HRZ"});
        driver.ForgetTexts();
        ProgramDriver::Xdotool({"type", "--delay", "20", "MODE EQT"});
        ProgramDriver::Xdotool({"key", "Return"});
        EXPECT_TRUE(driver.PumpUntilText("MODE EQT")) << "the line run stays selected";
        driver.ForgetTexts();
        driver.Keys({"ctrl+space"});
        EXPECT_TRUE(ProgramDriver::PumpUntil([] { return !XtIsManaged(gAppEnv->commandDialog); }));
    }
}

TEST_F(InputTest, MnemonicsOpenMenusAndChooseItems)
{
    using Keys = std::vector<std::pair<std::string, const char*>>;
    struct Row {
        Keys keys;
        std::vector<std::string> texts;
        const char* window;   // the window the keys show, or null
    };
    const Row rows[] = {
        {{{"s", "PulldownSettings"}, {"t", nullptr}}, {"TOGGLE TRACE; DRIVE"}, nullptr},
        {{{"v", "PulldownView"}, {"w", "PulldownViewWidth"}, {"3", nullptr}},
         {"VIEW ANGLE 30.0;DRIVE"}, nullptr},
        {{{"v", "PulldownView"}, {"d", "PulldownViewDir"}, {"e", nullptr}},
         {"VIEW CENTER HRZ 270.00,0;LOOK HRZ"}, nullptr},
        {{{"v", "PulldownView"}, {"r", "PulldownViewRotate"}, {"f", nullptr}},
         {"MIRROR 2; DRIVE"}, nullptr},
        {{{"j", "PulldownObject"}, {"i", nullptr}}, {"TOGGLE MILKYWAY; DRIVE"}, nullptr},
        {{{"c", "PulldownCenter"}, {"m", nullptr}}, {"LOOK MOON; BLINK MOON"}, nullptr},
        {{{"o", "PulldownOption"}, {"s", nullptr}}, {}, "StepBox"},
        {{{"h", "PulldownHelp"}, {"c", nullptr}}, {}, "CopyrightDialog"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("alt+" + row.keys[0].first + " " + row.keys[1].first);
        Reset();
        driver.Mnemonics(row.keys);
        if (!row.texts.empty()) {
            EXPECT_TRUE(driver.PumpUntilText(row.texts.back()));
        } else {
            const char* name = row.window;
            EXPECT_TRUE(ProgramDriver::PumpUntil([name] { return ProgramDriver::IsShown(name); }));
        }
        driver.Pump();
        EXPECT_EQ(driver.Texts(), row.texts);
        if (row.window != nullptr) {
            XtUnmanageChild(ProgramDriver::Find(row.window));
        }
    }
}

// --- Press and hold --------------------------------------------------------

TEST_F(InputTest, ShortClickOnZoomZoomsOnce)
{
    driver.Click(Toolbar(kToolbarZoomUp));
    ASSERT_TRUE(driver.PumpUntilText("ZOOM UP;DRIVE"));
    // Well past the first repeat's time: nothing more comes.
    ProgramDriver::PumpUntil([] { return false; }, std::chrono::milliseconds(500));
    EXPECT_EQ(driver.Texts(), std::vector<std::string>{"ZOOM UP;DRIVE"});
}

TEST_F(InputTest, HoldingZoomRepeatsFrom300MsAndReleaseAddsNothing)
{
    ProgramDriver::MoveTo(Toolbar(kToolbarZoomUp));
    const Clock::time_point before = Clock::now();
    ProgramDriver::Xdotool({"mousedown", "1"});
    ProgramDriver::PumpUntil([] { return false; }, std::chrono::seconds(1));
    ProgramDriver::Xdotool({"mouseup", "1"});
    driver.Pump();
    const size_t held = driver.Texts().size();
    ProgramDriver::PumpUntil([] { return false; }, std::chrono::milliseconds(300));

    EXPECT_EQ(driver.Texts().size(), held) << "nothing after the release";
    EXPECT_EQ(Count("ZOOM UP;DRIVE"), 0u);
    ASSERT_GE(Count("ZOOM UP 1.8; DRIVE"), 2u);
    EXPECT_EQ(Count("ZOOM UP 1.8; DRIVE"), driver.Texts().size());
    const auto& timed = TimedTexts();
    EXPECT_GE(timed.front().second - before, std::chrono::milliseconds(300));
    std::vector<double> gaps;
    for (size_t i = 1; i < timed.size(); ++i) {
        const double gap = std::chrono::duration<double, std::milli>(timed[i].second -
                                                                     timed[i - 1].second).count();
        EXPECT_GE(gap, 15.0);
        gaps.push_back(gap);
    }
    std::sort(gaps.begin(), gaps.end());
    std::printf("zoom repeats in 1 s: %zu, median gap %.1f ms\n", timed.size(),
                gaps[gaps.size() / 2]);
}

// MODE ALL1_EQT over the port while the button is held: the toolkit sends
// the insensitive button no release, and the repeat must stop by itself.
TEST_F(InputTest, ZoomMadeInsensitiveWhileHeldStopsRepeating)
{
    ProgramDriver::MoveTo(Toolbar(kToolbarZoomUp));
    ProgramDriver::Xdotool({"mousedown", "1"});
    ASSERT_TRUE(driver.PumpUntilText("ZOOM UP 1.8; DRIVE"));
    EXPECT_EQ(driver.PortRequest("MODE ALL1_EQT;DRIVE"), "");
    ASSERT_FALSE(XtIsSensitive(Toolbar(kToolbarZoomUp)));
    ProgramDriver::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    const size_t repeats = Count("ZOOM UP 1.8; DRIVE");
    ProgramDriver::PumpUntil([] { return false; }, std::chrono::milliseconds(300));
    EXPECT_EQ(Count("ZOOM UP 1.8; DRIVE"), repeats) << "still repeating while insensitive";
    ProgramDriver::Xdotool({"mouseup", "1"});
    ProgramDriver::PumpUntil([] { return false; }, std::chrono::milliseconds(200));
    EXPECT_EQ(Count("ZOOM UP 1.8; DRIVE"), repeats);
    EXPECT_EQ(Count("ZOOM UP;DRIVE"), 0u);

    // The press is over: the next click zooms again.
    Run("MODE HRZ; DRIVE");
    driver.ForgetTexts();
    driver.Click(Toolbar(kToolbarZoomDown));
    EXPECT_TRUE(driver.PumpUntilText("ZOOM DOWN;DRIVE"));
}

TEST_F(InputTest, OneDayClickMovesOneDay)
{
    ShowStepBox();
    const double day = Scene().time.julianDay;
    driver.Click(ProgramDriver::Find("ButtonPlus1Day"));
    ASSERT_TRUE(driver.PumpUntilText("INCTIME  0, 0,  1, 0,  0, 0.0;DRIVE"));
    ProgramDriver::PumpUntil([] { return false; }, std::chrono::milliseconds(400));
    EXPECT_EQ(driver.Texts().size(), 1u);
    EXPECT_NEAR(Scene().time.julianDay - day, 1.0, 1e-9);
}

// INCTIME past the last year is refused silently, so holding +1Year at the
// end of the calendar stops there without a box.
TEST_F(InputTest, HoldingOneYearStopsAtTheLastYearWithoutABox)
{
    Run("DATE 29999,6,1,12,0,0; DRIVE");
    ShowStepBox();
    ProgramDriver::MoveTo(ProgramDriver::Find("ButtonPlus1Year"));
    ProgramDriver::Xdotool({"mousedown", "1"});
    ASSERT_TRUE(ProgramDriver::PumpUntil([this] { return Scene().time.date.year == 30000; },
                                         std::chrono::seconds(20)));
    const size_t reached = driver.Texts().size();
    ASSERT_TRUE(ProgramDriver::PumpUntil([&] { return driver.Texts().size() >= reached + 3; },
                                         std::chrono::seconds(20)));
    ProgramDriver::Xdotool({"mouseup", "1"});
    driver.Pump();
    EXPECT_EQ(Scene().time.date.year, 30000);
    EXPECT_TRUE(ProgramDriver::MessageBoxes(gAppEnv->toplevel).empty());
}

// --- Tips ------------------------------------------------------------------

struct TipWatch {
    static ShellWidget Tip() { return reinterpret_cast<ShellWidget>(gAppEnv->tipShell); }
    static bool Up() { return Tip()->shell.popped_up != 0; }
};

TEST_F(InputTest, TipsShowBelowTheButtonAfterTheWaitAndAtOnceAlongTheRow)
{
    ASSERT_NE(gAppEnv->tipShell, nullptr);
    // A long wait, so that "at once" cannot be mistaken for it on a busy
    // machine.
    XtVaSetValues(gAppEnv->tipShell, XtNwaitPeriod, 3000, nullptr);
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return !TipWatch::Up(); }));
    Widget first = Toolbar(kToolbarModeEqt);
    const Clock::time_point moved = Clock::now();
    ProgramDriver::MoveTo(first);
    ASSERT_TRUE(ProgramDriver::PumpUntil(TipWatch::Up, std::chrono::seconds(20)));
    EXPECT_GE(Clock::now() - moved, std::chrono::milliseconds(3000));
    const auto [x, y] = ProgramDriver::RootPoint(first, 0, 0);
    EXPECT_EQ(TipWatch::Tip()->core.x, x + 4);
    EXPECT_EQ(TipWatch::Tip()->core.y, y + first->core.height + 4);

    Widget next = Toolbar(kToolbarModeAll1);
    const int nextX = ProgramDriver::RootPoint(next, 0, 0).first + 4;
    const Clock::time_point along = Clock::now();
    ProgramDriver::MoveTo(next);
    ASSERT_TRUE(ProgramDriver::PumpUntil(
        [nextX] { return TipWatch::Up() && TipWatch::Tip()->core.x == nextX; },
        std::chrono::seconds(20)));
    EXPECT_LT(Clock::now() - along, std::chrono::milliseconds(3000));

    // A press hides it.
    ProgramDriver::Xdotool({"click", "1"});
    EXPECT_TRUE(ProgramDriver::PumpUntil([] { return !TipWatch::Up(); }));
    XtVaSetValues(gAppEnv->tipShell, XtNwaitPeriod, 500, nullptr);
}

// The toolkit tells an insensitive button nothing of the pointer; the tip
// shell hears of it from the event loop.
TEST_F(InputTest, InsensitiveZoomStillShowsItsTip)
{
    Run("MODE ALL1_EQT; DRIVE");
    ASSERT_FALSE(XtIsSensitive(Toolbar(kToolbarZoomUp)));
    ASSERT_TRUE(ProgramDriver::PumpUntil([] { return !TipWatch::Up(); }, std::chrono::seconds(5)));
    ProgramDriver::MoveTo(Toolbar(kToolbarZoomUp));
    EXPECT_TRUE(ProgramDriver::PumpUntil(TipWatch::Up, std::chrono::seconds(20)));
    ProgramDriver::MoveTo(Scene().drawingArea);
    EXPECT_TRUE(ProgramDriver::PumpUntil([] { return !TipWatch::Up(); }));
}

}  // namespace
