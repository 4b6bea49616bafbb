// What's Today and the About and Copyright windows on a private X server:
// the toggle shows and hides the table, a shown table follows a date set
// by a command after the redraw (through the canvas's after-redraw hook, as
// in the program) and a hidden one is left alone; the labels carry the
// texts of dialogs/today_dialog_fields.h; the About box shows the version -V prints;
// every window comes back after the window manager closed it.
#include "tests/dialogs/finding_gui_support.h"

#include "core/version.h"
#include "dialogs/about_dialogs.h"
#include "dialogs/today_dialog.h"
#include "dialogs/today_dialog_fields.h"
#include "sky/canvas.h"

#include <Xm/Label.h>
#include <Xm/Text.h>

#include <string>

namespace {

using dialogtest::DialogDriver;
using findingtest::FindingGuiTest;

std::string LabelOf(Widget dialog, const char* name)
{
    return findingtest::LabelText(DialogDriver::Child(dialog, name));
}

void RefreshAfterRedraw(Scene& scene)
{
    RefreshTodayDialog(&scene);
}

class TodayAndAbout : public FindingGuiTest {
protected:
    void SetUp() override
    {
        FindingGuiTest::SetUp();
        gCanvasHooks.afterRedraw = RefreshAfterRedraw;
    }
    Widget Today() const { return gAppEnv->whatsTodayDialog; }
};

TEST_F(TodayAndAbout, ToggleShowsTheTableAndTheRedrawKeepsItCurrent)
{
    StkExecuteText(scene, "LOCATE 139.77E,35.68N,9,40,\"Tokyo\"; DATE 2024,3,20,12,0,0");
    ToggleTodayDialog(&scene);
    ASSERT_NE(Today(), nullptr);
    EXPECT_TRUE(XtIsManaged(Today()));
    TodayTexts texts = ComputeTodayTexts(scene);
    EXPECT_EQ(LabelOf(Today(), "LabelDateX"), texts.date);
    EXPECT_EQ(LabelOf(Today(), "LabelJDX"), "2460389.5");
    EXPECT_EQ(LabelOf(Today(), "LabelObsX"), "139.77E 35.68N");
    EXPECT_EQ(LabelOf(Today(), "LabelSRX"), texts.sun.rise);
    EXPECT_EQ(LabelOf(Today(), "LabelTwEX"), texts.dusk);
    EXPECT_EQ(LabelOf(Today(), "LabelMAgeX"), texts.moonAge);
    EXPECT_EQ(LabelOf(Today(), "LabelSaturnMeri"), texts.planets[4].transit);
    EXPECT_EQ(LabelOf(Today(), "LabelMercuryName"), "Mercury");
    EXPECT_EQ(LabelOf(Today(), "LabelRisePlanet"), " Rise");
    EXPECT_EQ(LabelOf(Today(), "LabelCometMp1Name"), std::string(12, ' '));
    EXPECT_EQ(LabelOf(Today(), "LabelCometMp8Set"), "--:--");

    // A date typed as a command shows after its redraw, and only then.
    StkExecuteText(scene, "DATE 2024,6,21,12,0,0");
    EXPECT_EQ(LabelOf(Today(), "LabelJDX"), "2460389.5");
    StkExecuteText(scene, "DRIVE");
    EXPECT_EQ(LabelOf(Today(), "LabelJDX"), "2460482.5");
    EXPECT_EQ(LabelOf(Today(), "LabelSRX"), ComputeTodayTexts(scene).sun.rise);

    // Hidden, it is left as it was.
    ToggleTodayDialog(&scene);
    EXPECT_FALSE(XtIsManaged(Today()));
    StkExecuteText(scene, "DATE 2025,1,1,12,0,0; DRIVE");
    EXPECT_EQ(LabelOf(Today(), "LabelJDX"), "2460482.5");
    // The third toggle shows it freshly computed.
    ToggleTodayDialog(&scene);
    EXPECT_EQ(LabelOf(Today(), "LabelJDX"), "2460676.5");
    EXPECT_TRUE(driver.CloseFromWindowManager(Today()));
    ToggleTodayDialog(&scene);
    EXPECT_TRUE(XtIsManaged(Today()));
    driver.Press(Today(), "ButtonClose");
    EXPECT_FALSE(XtIsManaged(Today()));
}

TEST_F(TodayAndAbout, AboutShowsTheVersionAndCopyrightTheCredits)
{
    ShowAboutDialog(&scene);
    Widget about = DialogDriver::Child(gAppEnv->toplevel, "AboutDialog");
    ASSERT_NE(about, nullptr);
    EXPECT_TRUE(XtIsManaged(about));
    EXPECT_EQ(LabelOf(about, "LabelName"), "Uvola");
    EXPECT_EQ(LabelOf(about, "LabelVersion"), std::string("Version ") + kUvolaVersion);
    EXPECT_NE(LabelOf(about, "LabelCopyright").find("the Uvola developers"), std::string::npos);
    EXPECT_NE(LabelOf(about, "LabelURL").find("README"), std::string::npos);
    driver.Press(about, "ButtonOK");
    EXPECT_FALSE(XtIsManaged(about));
    ShowAboutDialog(&scene);
    EXPECT_TRUE(driver.CloseFromWindowManager(about));
    ShowAboutDialog(&scene);
    EXPECT_TRUE(XtIsManaged(about)) << "back after the window manager closed it";
    driver.Press(about, "ButtonOK");

    ShowCopyrightDialog(&scene);
    Widget copyright = DialogDriver::Child(gAppEnv->toplevel, "CopyrightDialog");
    const std::string notice = DialogDriver::Text(copyright, "CopyrightText");
    EXPECT_EQ(notice.rfind(std::string("Uvola Version ") + kUvolaVersion + "\n", 0), 0u);
    for (const char* credit : {"the Uvola developers", "Olaf Frohn",
                               "OpenNGC by Mattia Verga, https://github.com/mattiaverga/OpenNGC, CC BY-SA 4.0",
                               "Tycho-2", "Sonia Keys", "NASA/JPL Small-Body Database", "tzdata"}) {
        EXPECT_NE(notice.find(credit), std::string::npos) << credit;
    }
    EXPECT_FALSE(XmTextGetEditable(DialogDriver::Child(copyright, "CopyrightText")));
    EXPECT_TRUE(driver.CloseFromWindowManager(copyright));
    ShowCopyrightDialog(&scene);
    EXPECT_TRUE(XtIsManaged(copyright));
    driver.Press(copyright, "ButtonOK");
    EXPECT_FALSE(XtIsManaged(copyright));
}

}  // namespace
