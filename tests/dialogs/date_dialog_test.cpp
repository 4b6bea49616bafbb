// The date dialog with real widgets under Xvfb, in the layout of one date
// style (DATE_STYLE: 0 month name, 1 year / month / day, 2 day / month /
// year; each style is a process of its own, since the layout is chosen
// when the dialog is first built). OK's three texts, the lock minutes and
// dates it refuses, the arrows' limits, the month menu, Now in the
// Scene's zone, and the lock part filled from the Scene.
#include "tests/dialogs/time_site_dialog_fixture.h"

#include "dialogs/date_dialog.h"

#include <Xm/RowColumn.h>

#include <ctime>

namespace {

using dialogtest::DialogDriver;

constexpr int kDateStyle = DATE_STYLE;

class DateDialogTest : public dialogtest::TimeSiteDialogTest {
protected:
    void SetUp() override
    {
        TimeSiteDialogTest::SetUp();
        scene.dateStyle = kDateStyle;
    }
    void ShowDialog() { Show(ShowDateDialog, DateDialogWidget); }
    Widget dialog() const { return DateDialogWidget(); }

    void SetMonth(int month)
    {
        char name[16];
        if (kDateStyle == 0) {
            std::snprintf(name, sizeof name, "Month%02d", month);
            driver.Press(dialog(), name);
        } else {
            std::snprintf(name, sizeof name, "%d", month);
            driver.Type(dialog(), "EditMonth", name);
        }
    }

    void TypeDate(const char* year, int month, const char* day, const char* hour,
                  const char* minute)
    {
        driver.Type(dialog(), "EditYear", year);
        SetMonth(month);
        driver.Type(dialog(), "EditDay", day);
        driver.Type(dialog(), "EditHour", hour);
        driver.Type(dialog(), "EditMin", minute);
    }

    void Lock(bool sunrise, bool before, const char* minutes)
    {
        driver.SetToggle(dialog(), "ToggleStime", true);
        driver.SetToggle(dialog(), sunrise ? "ToggleRise" : "ToggleSet", true);
        driver.SetToggle(dialog(), before ? "ToggleBefore" : "ToggleAfter", true);
        driver.Type(dialog(), "EditStimeMin", minutes);
    }

    // The position of a widget in its dialog.
    static XPoint Place(Widget widget)
    {
        Position x = 0;
        Position y = 0;
        XtTranslateCoords(widget, 0, 0, &x, &y);
        return XPoint{x, y};
    }
};

TEST_F(DateDialogTest, OkSendsTheDateTheLockAndDriveEachOnItsOwn)
{
    ShowDialog();
    TypeDate("2026", 12, "5", "18", "30");
    Lock(false, false, "30");
    driver.Press(dialog(), "ButtonOK");
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"DATE 2026,12,5,18,30,0.000000,9.000000",
                                                        "STIME SUNSET +30MIN", "DRIVE"}));
    EXPECT_FALSE(XtIsManaged(dialog()));
    EXPECT_EQ(scene.animation.sunEventLock, 2);
    EXPECT_EQ(scene.animation.sunEventValue, 30);
    EXPECT_EQ(scene.time.date.month, 12);
    EXPECT_STREQ(gAppEnv->errorKey, "");
}

TEST_F(DateDialogTest, LockMinutesFromZeroToNinetyPassAndOthersAreRefused)
{
    const struct {
        bool sunrise, before;
        const char* minutes;
        const char* sent;   // null: refused
    } rows[] = {
        {true, false, "0", "STIME SUNRISE +0MIN"}, {false, true, "90", "STIME SUNSET -90MIN"},
        {true, true, "45", "STIME SUNRISE -45MIN"}, {false, false, "91", nullptr},
        {false, false, "-5", nullptr},              {true, false, "", nullptr},
        // No number reads as 0; only an empty text counts as -1.
        {true, false, "x", "STIME SUNRISE +0MIN"},  {false, true, "5x", "STIME SUNSET -5MIN"},
    };
    for (const auto& row : rows) {
        ShowDialog();
        Lock(row.sunrise, row.before, row.minutes);
        driver.Press(dialog(), "ButtonOK");
        if (row.sent != nullptr) {
            ASSERT_EQ(driver.Texts().size(), 3u) << row.minutes;
            EXPECT_EQ(driver.Texts()[1], row.sent);
        } else {
            EXPECT_TRUE(driver.Texts().empty()) << row.minutes << ": not even the date";
            EXPECT_TRUE(XtIsManaged(dialog()));
            EXPECT_EQ(TakeWarnings(dialog()),
                      (std::vector<std::string>{"Minute for lock time must be between 0 and 90."}))
                << row.minutes;
        }
        driver.ForgetTexts();
    }
}

// A field with no number reads as 0: an empty day is no date, an empty or
// unreadable hour is hour 0.
TEST_F(DateDialogTest, DatesThatDoNotExistAreRefusedAtOk)
{
    const struct {
        const char* year;
        int month;
        const char* day;
        const char* hour;
        const char* sent;   // null: refused
    } rows[] = {{"2026", 11, "31", "0", nullptr}, {"2027", 2, "29", "0", nullptr},
                {"1582", 10, "10", "0", nullptr}, {"2026", 1, "", "0", nullptr},
                {"2026", 1, "1", "x", "DATE 2026,1,1,0,0,0.000000,9.000000"},
                {"2026", 1, "1", "", "DATE 2026,1,1,0,0,0.000000,9.000000"}};
    for (const auto& row : rows) {
        ShowDialog();
        TypeDate(row.year, row.month, row.day, row.hour, "0");
        driver.Press(dialog(), "ButtonOK");
        if (row.sent != nullptr) {
            ASSERT_EQ(driver.Texts().size(), 3u) << row.hour;
            EXPECT_EQ(driver.Texts()[0], row.sent);
            driver.ForgetTexts();
            continue;
        }
        EXPECT_TRUE(driver.Texts().empty()) << row.year << "-" << row.month << "-" << row.day;
        EXPECT_EQ(TakeWarnings(dialog()), (std::vector<std::string>{"Input valid date."}));
    }
    ShowDialog();
    TypeDate("2028", 2, "29", "0", "0");
    driver.Press(dialog(), "ButtonOK");
    ASSERT_FALSE(driver.Texts().empty());
    EXPECT_EQ(driver.Texts()[0], "DATE 2028,2,29,0,0,0.000000,9.000000");
}

TEST_F(DateDialogTest, ArrowsStopAtTheFieldsLimitsWithoutCarrying)
{
    ShowDialog();
    ExpectArrowSteps(dialog(), {
        {"Day", "31", "Up", "31"},     {"Day", "x", "Up", "1"},       {"Day", "1", "Down", "1"},
        {"Year", "-999", "Down", "-999"}, {"Year", "9999", "Up", "9999"}, {"Hour", "23", "Up", "23"},
        {"Min", "59", "Up", "59"},     {"Min", "0", "Down", "0"},     {"Hour", "7", "Down", "6"},
    });
    if (kDateStyle != 0) {
        driver.Type(dialog(), "EditMonth", "12");
        driver.Press(dialog(), "ArrowMonthUp");
        EXPECT_EQ(DialogDriver::Text(dialog(), "EditMonth"), "12");
    }
    EXPECT_TRUE(driver.Texts().empty());
}

TEST_F(DateDialogTest, TheMonthChosenIsTheMonthSent)
{
    for (int month : {3, 12, 1}) {
        ShowDialog();
        TypeDate("2026", month, "1", "0", "0");
        driver.Press(dialog(), "ButtonOK");
        ASSERT_FALSE(driver.Texts().empty());
        EXPECT_EQ(driver.Texts()[0],
                  "DATE 2026," + std::to_string(month) + ",1,0,0,0.000000,9.000000");
        driver.ForgetTexts();
    }
    if (kDateStyle == 0) {
        // Show sets the menu to the Scene's month.
        ShowDialog();
        Widget history = nullptr;
        XtVaGetValues(DialogDriver::Child(dialog(), "MonthMenu"), XmNmenuHistory, &history,
                      nullptr);
        EXPECT_STREQ(XtName(history), "Month01");
        EXPECT_EQ(XtNameToWidget(dialog(), "*EditMonth"), nullptr);
    }
}

TEST_F(DateDialogTest, RowsStandInTheStylesOrderInTwoLines)
{
    ShowDialog();
    std::vector<const char*> order;
    switch (kDateStyle) {
    case 1: order = {"Year", "Month", "Day", "Hour", "Min"}; break;
    case 2: order = {"Day", "Month", "Year", "Hour", "Min"}; break;
    default: order = {"Day", "Year", "Hour", "Min"}; break;
    }
    for (size_t row = 0; row < order.size(); ++row) {
        const std::string form = "DateForm" + std::to_string(row);
        Widget rowForm = DialogDriver::Child(dialog(), form.c_str());
        EXPECT_NE(XtNameToWidget(rowForm, (std::string("Edit") + order[row]).c_str()), nullptr)
            << form;
    }
    // The first line from left to right; the last two rows below the last
    // two places of the first line.
    std::vector<Widget> places;
    if (kDateStyle == 0) {
        places.push_back(DialogDriver::Child(dialog(), "FormMonth"));
    }
    for (size_t row = 0; row < order.size(); ++row) {
        places.push_back(DialogDriver::Child(dialog(), ("DateForm" + std::to_string(row)).c_str()));
    }
    ASSERT_EQ(places.size(), 5u);
    EXPECT_LT(Place(places[0]).x, Place(places[1]).x);
    EXPECT_LT(Place(places[1]).x, Place(places[2]).x);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Place(places[static_cast<size_t>(i)]).y, Place(places[0]).y);
    }
    for (int below = 3; below < 5; ++below) {
        const XPoint lower = Place(places[static_cast<size_t>(below)]);
        const XPoint upper = Place(places[static_cast<size_t>(below - 2)]);
        EXPECT_EQ(lower.x, upper.x) << below;
        EXPECT_GT(lower.y, upper.y) << below;
    }
}

// Now gives the present instant in the zone OK sends, the Scene's, which
// after a LOCATE into +9 is not the zone the program started in.
TEST_F(DateDialogTest, NowIsThePresentInTheScenesZone)
{
    StkExecuteText(scene, "DATE 2020,1,1,0,0,0,0");
    StkExecuteText(scene, "LOCATE 139.77E,35.68N,9,40,\"Tokyo\"");
    ASSERT_EQ(scene.time.date.zone, 9.0);
    ShowDialog();
    Lock(true, true, "20");
    const time_t before = std::time(nullptr);
    driver.Press(dialog(), "ButtonNow");
    const time_t after = std::time(nullptr);
    EXPECT_TRUE(DialogDriver::IsSet(dialog(), "ToggleStime")) << "Now leaves the lock alone";
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditStimeMin"), "20");
    driver.Press(dialog(), "ButtonOK");
    ASSERT_EQ(driver.Texts().size(), 3u);
    int year, month, day, hour, minute;
    double second, zone;
    ASSERT_EQ(std::sscanf(driver.Texts()[0].c_str(), "DATE %d,%d,%d,%d,%d,%lf,%lf", &year,
                          &month, &day, &hour, &minute, &second, &zone),
              7);
    EXPECT_EQ(zone, 9.0);
    std::tm shown{};
    shown.tm_year = year - 1900;
    shown.tm_mon = month - 1;
    shown.tm_mday = day;
    shown.tm_hour = hour;
    shown.tm_min = minute;
    const time_t shownUt = timegm(&shown) - 9 * 3600;
    EXPECT_GE(shownUt, before - 60);
    EXPECT_LE(shownUt, after);
    EXPECT_EQ(driver.Texts()[1], "STIME SUNRISE -20MIN");
}

TEST_F(DateDialogTest, TheLockPartShowsTheScenesLock)
{
    const struct {
        const char* command;
        bool locked, rise, before;
        const char* minutes;
        const char* sent;
    } rows[] = {
        {"STIME SUNRISE -30MIN", true, true, true, "30", "STIME SUNRISE -30MIN"},
        {"STIME SUNSET +15MIN", true, false, false, "15", "STIME SUNSET +15MIN"},
        {"STIME SUNRISE -6DEG", false, false, true, "6", "STIME NONE"},
        {"STIME NONE", false, false, false, "0", "STIME NONE"},
    };
    const char* const controls[] = {"EditStimeMin", "LabelStimeMin", "ToggleBefore",
                                    "ToggleAfter",  "ToggleRise",    "ToggleSet"};
    for (const auto& row : rows) {
        StkExecuteText(scene, row.command);
        ShowDialog();
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleStime"), row.locked) << row.command;
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleRise"), row.rise) << row.command;
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleSet"), !row.rise) << row.command;
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleBefore"), row.before) << row.command;
        EXPECT_EQ(DialogDriver::IsSet(dialog(), "ToggleAfter"), !row.before) << row.command;
        EXPECT_EQ(DialogDriver::Text(dialog(), "EditStimeMin"), row.minutes) << row.command;
        for (const char* control : controls) {
            EXPECT_EQ(XtIsSensitive(DialogDriver::Child(dialog(), control)) != 0, row.locked)
                << row.command << " " << control;
        }
        driver.Press(dialog(), "ButtonOK");
        ASSERT_EQ(driver.Texts().size(), 3u);
        EXPECT_EQ(driver.Texts()[1], row.sent);
        driver.ForgetTexts();
    }
    // The toggle alone makes the controls sensitive.
    ShowDialog();
    driver.SetToggle(dialog(), "ToggleStime", true);
    for (const char* control : controls) {
        EXPECT_TRUE(XtIsSensitive(DialogDriver::Child(dialog(), control))) << control;
    }
}

TEST_F(DateDialogTest, ShowFillsTheScenesDateAndCancelForgetsWhatWasTyped)
{
    StkExecuteText(scene, "DATE 2031,7,4,5,6,42");
    ShowDialog();
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditYear"), "2031");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditDay"), "4");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditHour"), "5");
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditMin"), "6");
    driver.Type(dialog(), "EditYear", "1999");
    driver.Press(dialog(), "ButtonCancel");
    EXPECT_FALSE(XtIsManaged(dialog()));
    ShowDialog();
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditYear"), "2031");
    driver.Type(dialog(), "EditYear", "1999");
    ASSERT_TRUE(driver.CloseFromWindowManager(dialog()));
    EXPECT_FALSE(XtIsManaged(dialog()));
    EXPECT_TRUE(driver.Texts().empty());
    ShowDialog();
    EXPECT_EQ(DialogDriver::Text(dialog(), "EditYear"), "2031");
    // The seconds are not shown and OK sends 0.
    driver.Press(dialog(), "ButtonOK");
    ASSERT_FALSE(driver.Texts().empty());
    EXPECT_EQ(driver.Texts()[0], "DATE 2031,7,4,5,6,0.000000,9.000000");
}

}  // namespace
