// The time-step dialog with real widgets under Xvfb: what OK sends for a
// step and for real time, the refusal of an empty step on the dialog, the
// arrows' limits, the sensitivity that follows Real Time, and the radio box
// filled from the REALTIME mode.
#include "tests/dialogs/time_site_dialog_fixture.h"

#include "dialogs/time_step_dialog.h"

namespace {

using dialogtest::DialogDriver;

const char* const kRowWords[] = {"Year", "Month", "Day", "Hour", "Min"};

class TimeStepDialogTest : public dialogtest::TimeSiteDialogTest {
protected:
    void SetUp() override
    {
        TimeSiteDialogTest::SetUp();
        scene.timeStep = DateInterval{0, 0, 0, 0, 3, 0.0};
    }
    void ShowDialog() { Show(ShowTimeStepDialog, TimeStepDialogWidget); }
    Widget dialog() const { return TimeStepDialogWidget(); }

    void TypeStep(const std::vector<const char*>& texts)
    {
        for (size_t i = 0; i < texts.size(); ++i) {
            driver.Type(dialog(), (std::string("Edit") + kRowWords[i]).c_str(), texts[i]);
        }
    }
};

TEST_F(TimeStepDialogTest, ThreeMinutesTurnsRealTimeOffAndSetsThePeriodWithoutDrive)
{
    ShowDialog();
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditMin"), "3");
    EXPECT_FALSE(DialogDriver::IsSet(dialog(), "ToggleRealTime"));
    driver.Press(dialog(), "ButtonOK");
    EXPECT_EQ(driver.Texts(),
              (std::vector<std::string>{"REALTIME 0", "PERIOD 0,0,0,0,3,0.000000"}));
    EXPECT_FALSE(XtIsManaged(dialog()));
    EXPECT_EQ(scene.timeStep.minutes, 3);
    EXPECT_EQ(scene.animation.realTimeMode, 0);
}

TEST_F(TimeStepDialogTest, TypedStepsGoToPeriodAsTyped)
{
    const struct {
        std::vector<const char*> typed;
        const char* period;
    } rows[] = {
        {{"1", "2", "3", "4", "5"}, "PERIOD 1,2,3,4,5,0.000000"},
        {{"0", "0", "0", "0", "-1"}, "PERIOD 0,0,0,0,-1,0.000000"},
        {{"0", "0", "0", "0", "120"}, "PERIOD 0,0,0,0,120,0.000000"},
        {{" 7 ", "0", "0", "0", "0"}, "PERIOD 7,0,0,0,0,0.000000"},
        // A row with no number reads as 0, a number with text after it as the number.
        {{"0", "0", "x", "0", "1"}, "PERIOD 0,0,0,0,1,0.000000"},
        {{"", "5x", "0", "0", "0"}, "PERIOD 0,5,0,0,0,0.000000"},
    };
    for (const auto& row : rows) {
        ShowDialog();
        TypeStep(row.typed);
        driver.Press(dialog(), "ButtonOK");
        EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"REALTIME 0", row.period}));
        driver.ForgetTexts();
    }
    EXPECT_EQ(scene.timeStep.months, 5);
}

TEST_F(TimeStepDialogTest, AnEmptyStepIsRefusedOnTheDialogAndNothingRuns)
{
    const std::vector<const char*> refused[] = {
        {"0", "0", "0", "0", "0"}, {"0", "", "0", "0", "0"}, {"0", "0", "x", "", "0"}};
    for (const auto& typed : refused) {
        ShowDialog();
        TypeStep(typed);
        driver.Press(dialog(), "ButtonOK");
        EXPECT_TRUE(driver.Texts().empty());
        EXPECT_TRUE(XtIsManaged(dialog()));
        EXPECT_EQ(TakeWarnings(dialog()), (std::vector<std::string>{"Input valid time-step."}));
    }
    EXPECT_EQ(scene.timeStep.minutes, 3);
}

TEST_F(TimeStepDialogTest, ArrowsStopAtTheirLimits)
{
    ShowDialog();
    ExpectArrowSteps(dialog(), {
        {"Min", "99", "Up", "99"},     {"Min", "0", "Down", "0"},   {"Min", "98", "Up", "99"},
        {"Hour", "x", "Up", "1"},      {"Day", "-5", "Down", "0"},  {"Year", "9999", "Up", "9999"},
        {"Year", "9998", "Up", "9999"}, {"Month", "150", "Down", "99"},
    });
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(TimeStepDialogTest, WithRealTimeOnTheStepRowsAreNeitherSensitiveNorRead)
{
    ShowDialog();
    TypeStep({"0", "0", "0", "0", "0"});
    for (const bool realTime : {true, false, true}) {
        driver.SetToggle(dialog(), "ToggleRealTime", realTime);
        for (const char* word : kRowWords) {
            for (const std::string& name :
                 {std::string("Label") + word, std::string("Edit") + word,
                  std::string("Arrow") + word + "Up", std::string("Arrow") + word + "Down"}) {
                EXPECT_EQ(XtIsSensitive(DialogDriver::Child(dialog(), name.c_str())) != 0,
                          !realTime)
                    << name;
            }
        }
        for (const char* name : {"RealTimeRadioBox", "ToggleRTSysTime", "ToggleRTSetting"}) {
            EXPECT_EQ(XtIsSensitive(DialogDriver::Child(dialog(), name)) != 0, realTime) << name;
        }
    }
    driver.SetToggle(dialog(), "ToggleRTSetting", true);
    driver.Press(dialog(), "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"REALTIME 2,1,5"}));
    EXPECT_EQ(scene.timeStep.minutes, 3) << "the step stays as it was";
    EXPECT_EQ(scene.animation.realTimeMode, 2);
}

// The radio box shows the REALTIME mode whether or not a run is going, so
// OK gives back what was set.
TEST_F(TimeStepDialogTest, TheClockChoiceComesFromTheRealTimeMode)
{
    const struct {
        const char* command;
        bool realTime;
        bool systemClock;
        const char* sent;
    } rows[] = {
        {"REALTIME 2", true, false, "REALTIME 2,1,5"},
        {"REALTIME 1", true, true, "REALTIME 1,1,5"},
    };
    for (const auto& row : rows) {
        StkExecuteText(scene, row.command);
        ASSERT_EQ(scene.animation.clockMode, 0) << "no run is going";
        ShowDialog();
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleRealTime"), row.realTime);
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleRTSysTime"), row.systemClock);
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleRTSetting"), !row.systemClock);
        driver.Press(dialog(), "ButtonOK");
        EXPECT_EQ(driver.Texts(), (std::vector<std::string>{row.sent}));
        driver.ForgetTexts();
    }
}

TEST_F(TimeStepDialogTest, CancelAndTheWindowManagerDiscardWhatWasTyped)
{
    ShowDialog();
    TypeStep({"5"});
    driver.Press(dialog(), "ButtonCancel");
    EXPECT_FALSE(XtIsManaged(dialog()));
    ShowDialog();
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditYear"), "0");
    TypeStep({"6"});
    ASSERT_TRUE(driver.CloseFromWindowManager(dialog()));
    ShowDialog();
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditYear"), "0");
    EXPECT_TRUE(driver.Texts().empty());
}

}  // namespace
