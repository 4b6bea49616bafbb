// The environment dialog under Xvfb: filled from AppEnv and the window,
// OK applying the toggles at once and the rest to the options file the
// next start reads, refused geometries leaving everything as it was, and
// the tips turned off and on again giving a new tip shell every owner's
// tips.
#include "tests/dialogs/settings_dialog_fixture.h"

#include "core/options.h"
#include "core/user_directory.h"
#include "dialogs/environment_dialog.h"
#include "sky/ui_hooks.h"

#include <X11/Shell.h>
#include <Xm/Form.h>

namespace {

using Texts = std::vector<std::string>;

// Which tip owners were called, in order: "toolbar+", "infobox-", ...
Texts& TipCalls()
{
    static Texts calls;
    return calls;
}

int toolbarRefreshes = 0;

class EnvironmentDialog : public dialogtest::SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        gTipOwners[0] = TipOwner{[] { TipCalls().push_back("toolbar+"); },
                                 [] { TipCalls().push_back("toolbar-"); }};
        gTipOwners[1] = TipOwner{[] { TipCalls().push_back("infobox+"); },
                                 [] { TipCalls().push_back("infobox-"); }};
        gUiHooks.updateToolbar = [](Scene&) { ++toolbarRefreshes; };
        if (gAppEnv->toolbar == nullptr) {
            // The toolbar stands in a shell of its own: the canvas has the
            // toplevel's one child.
            Widget shell = XtCreatePopupShell("ToolbarShell", transientShellWidgetClass,
                                              gAppEnv->toplevel, nullptr, 0);
            gAppEnv->toolbar = XtVaCreateManagedWidget("Toolbar", xmFormWidgetClass, shell, nullptr);
        }
        XtManageChild(gAppEnv->toolbar);
        gAppEnv->tipShell = nullptr;
        gAppEnv->confirmQuit = 1;
        gAppEnv->confirmInit = 0;
        std::snprintf(gAppEnv->geometryOption, sizeof gAppEnv->geometryOption, "800x600");
        std::snprintf(gAppEnv->localeOption, sizeof gAppEnv->localeOption, "%s", "");
        std::snprintf(gAppEnv->localeInUse, sizeof gAppEnv->localeInUse, "C");
        std::snprintf(gAppEnv->tzOption, sizeof gAppEnv->tzOption, "Asia/Tokyo");
        TipCalls().clear();
        toolbarRefreshes = 0;
        dialog = Show(ShowSetEnvDialog, SetEnvDialogWidget);
    }

    void TearDown() override
    {
        if (gAppEnv->tipShell != nullptr) {
            XtDestroyWidget(gAppEnv->tipShell);
            gAppEnv->tipShell = nullptr;
        }
        gTipOwners[0] = gTipOwners[1] = TipOwner{};
        gUiHooks.updateToolbar = nullptr;
        SettingsDialogTest::TearDown();
    }

    void SetGeometry(const char* width, const char* height)
    {
        driver.Type(dialog, "TextGeometryWidth", width);
        driver.Type(dialog, "TextGeometryHeight", height);
    }

    Widget dialog = nullptr;
};

TEST_F(EnvironmentDialog, FilledFromAppEnvWithTheTextsOfAGeometryAndItsLocale)
{
    // This toolbar is a form without buttons: managed, it counts as shown.
    EXPECT_TRUE(driver.IsSet(dialog, "ToggleToolbar"));
    EXPECT_FALSE(driver.IsSet(dialog, "ToggleTipHelp"));
    EXPECT_TRUE(driver.IsSet(dialog, "ToggleConfirmQuit"));
    EXPECT_FALSE(driver.IsSet(dialog, "ToggleConfirmInit"));
    EXPECT_EQ(driver.Text(dialog, "TextGeometryWidth"), "800");
    EXPECT_EQ(driver.Text(dialog, "TextGeometryHeight"), "600");
    EXPECT_EQ(driver.Text(dialog, "TextLocale"), "C");
    EXPECT_EQ(driver.Text(dialog, "TextTZ"), "Asia/Tokyo");

    // A position stays with the height, which OK then refuses.
    std::snprintf(gAppEnv->geometryOption, sizeof gAppEnv->geometryOption, "800x600+10+20");
    Show(ShowSetEnvDialog, SetEnvDialogWidget);
    EXPECT_EQ(driver.Text(dialog, "TextGeometryWidth"), "800");
    EXPECT_EQ(driver.Text(dialog, "TextGeometryHeight"), "600+10+20");
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(TakeWarnings(), Texts{"Invalid geometry value"});
    EXPECT_STREQ(gAppEnv->geometryOption, "800x600+10+20");

    // Without a geometry, and with Current, the fields show the window.
    gAppEnv->geometryOption[0] = '\0';
    Show(ShowSetEnvDialog, SetEnvDialogWidget);
    std::string width;
    std::string height;
    GetWindowGeometryText(width, height);
    EXPECT_EQ(driver.Text(dialog, "TextGeometryWidth"), width);
    EXPECT_EQ(driver.Text(dialog, "TextGeometryHeight"), height);
    SetGeometry("", "");
    driver.Press(dialog, "ButtonGeometryNow");
    EXPECT_EQ(driver.Text(dialog, "TextGeometryWidth"), width);
    EXPECT_EQ(driver.Text(dialog, "TextGeometryHeight"), height);
}

// Each field is as wide as its line gives it, at the first show and after.
TEST_F(EnvironmentDialog, FieldsAreTheirOwnWidths)
{
    const std::pair<const char*, Dimension> rows[] = {
        {"TextGeometryWidth", 52}, {"TextGeometryHeight", 52}, {"TextLocale", 180}, {"TextTZ", 210}};
    for (int show = 0; show < 2; ++show) {
        Show(ShowSetEnvDialog, SetEnvDialogWidget);
        for (const auto& [field, width] : rows) {
            Dimension fieldWidth = 0;
            XtVaGetValues(dialogtest::DialogDriver::Child(dialog, field), XmNwidth, &fieldWidth, nullptr);
            EXPECT_EQ(fieldWidth, width) << field << " " << show;
        }
        driver.Press(dialog, "ButtonCancel");
    }
}

TEST_F(EnvironmentDialog, OkStoresTheSettingsAsTyped)
{
    SetGeometry("640", "480");
    driver.Type(dialog, "TextLocale", "ja_JP.eucJP");
    driver.Type(dialog, "TextTZ", "   ");
    driver.SetToggle(dialog, "ToggleConfirmQuit", false);
    driver.SetToggle(dialog, "ToggleConfirmInit", true);
    driver.Press(dialog, "ButtonOK");
    EXPECT_FALSE(XtIsManaged(dialog));
    EXPECT_TRUE(TakeWarnings().empty());
    EXPECT_TRUE(driver.Texts().empty()) << "the dialog runs no command";
    EXPECT_STREQ(gAppEnv->geometryOption, "640x480");
    EXPECT_STREQ(gAppEnv->localeOption, "ja_JP.eucJP");
    EXPECT_STREQ(gAppEnv->tzOption, "");
    EXPECT_EQ(gAppEnv->confirmQuit, 0);
    EXPECT_EQ(gAppEnv->confirmInit, 1);

    Show(ShowSetEnvDialog, SetEnvDialogWidget);
    SetGeometry("", "");
    driver.Press(dialog, "ButtonOK");
    EXPECT_STREQ(gAppEnv->geometryOption, "");
}

// Fields that are not both digits are refused, and nothing changes. Any
// size of digits is taken.
TEST_F(EnvironmentDialog, RefusedGeometriesChangeNothing)
{
    const std::pair<const char*, const char*> rows[] = {
        {"800", "600+10+20"}, {"-5", "600"}, {"8 0", "600"}, {"800", ""},
        {"", "600"},          {"x", "600"},  {"5x", "600"},  {"800", "5x"},
    };
    for (const auto& [width, height] : rows) {
        SCOPED_TRACE(std::string(width) + "x" + height);
        Show(ShowSetEnvDialog, SetEnvDialogWidget);
        SetGeometry(width, height);
        driver.SetToggle(dialog, "ToggleConfirmInit", true);
        driver.Press(dialog, "ButtonOK");
        EXPECT_EQ(TakeWarnings(), Texts{"Invalid geometry value"});
        EXPECT_TRUE(XtIsManaged(dialog));
        EXPECT_STREQ(gAppEnv->geometryOption, "800x600");
        EXPECT_EQ(gAppEnv->confirmInit, 0);
    }
    SetGeometry("0", "0");
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(TakeWarnings().empty());
    EXPECT_STREQ(gAppEnv->geometryOption, "0x0");
}

TEST_F(EnvironmentDialog, TipsOffAndOnGiveANewShellBothOwnersTips)
{
    driver.SetToggle(dialog, "ToggleTipHelp", true);
    driver.Press(dialog, "ButtonOK");
    Widget first = gAppEnv->tipShell;
    ASSERT_NE(first, nullptr);
    EXPECT_STREQ(XtName(first), "TipHelp");
    EXPECT_EQ(TipCalls(), (Texts{"toolbar+", "infobox+"}));

    Show(ShowSetEnvDialog, SetEnvDialogWidget);
    EXPECT_TRUE(driver.IsSet(dialog, "ToggleTipHelp"));
    driver.SetToggle(dialog, "ToggleTipHelp", false);
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(gAppEnv->tipShell, nullptr);

    Show(ShowSetEnvDialog, SetEnvDialogWidget);
    driver.SetToggle(dialog, "ToggleTipHelp", true);
    driver.Press(dialog, "ButtonOK");
    EXPECT_NE(gAppEnv->tipShell, nullptr);
    EXPECT_EQ(TipCalls(),
              (Texts{"toolbar+", "infobox+", "toolbar-", "infobox-", "toolbar+", "infobox+"}));
}

TEST_F(EnvironmentDialog, HiddenToolbarShownAgainShowsTheState)
{
    driver.SetToggle(dialog, "ToggleToolbar", false);
    driver.Press(dialog, "ButtonOK");
    EXPECT_FALSE(XtIsManaged(gAppEnv->toolbar));
    EXPECT_EQ(toolbarRefreshes, 0);
    Show(ShowSetEnvDialog, SetEnvDialogWidget);
    EXPECT_FALSE(driver.IsSet(dialog, "ToggleToolbar"));
    driver.SetToggle(dialog, "ToggleToolbar", true);
    driver.Press(dialog, "ButtonOK");
    EXPECT_TRUE(XtIsManaged(gAppEnv->toolbar));
    EXPECT_EQ(toolbarRefreshes, 1);
}

// Cancel and the window manager's close leave AppEnv as it was; the next
// Show fills the dialog from it again.
TEST_F(EnvironmentDialog, CancelAndCloseDiscardTheChanges)
{
    for (bool byWindowManager : {false, true}) {
        Show(ShowSetEnvDialog, SetEnvDialogWidget);
        SetGeometry("640", "480");
        driver.SetToggle(dialog, "ToggleToolbar", false);
        if (byWindowManager) {
            EXPECT_TRUE(driver.CloseFromWindowManager(dialog));
        } else {
            driver.Press(dialog, "ButtonCancel");
        }
        EXPECT_FALSE(XtIsManaged(dialog));
        EXPECT_STREQ(gAppEnv->geometryOption, "800x600");
        EXPECT_TRUE(XtIsManaged(gAppEnv->toolbar));
        Show(ShowSetEnvDialog, SetEnvDialogWidget);
        EXPECT_EQ(driver.Text(dialog, "TextGeometryWidth"), "800");
        EXPECT_TRUE(driver.IsSet(dialog, "ToggleToolbar"));
    }
}

// A line break pasted into Locale or TZ would split the options file.
TEST_F(EnvironmentDialog, SettingsSurviveARestartWithoutLineBreaks)
{
    ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
    SetGeometry("700", "500");
    driver.Type(dialog, "TextLocale", "de_DE\n.UTF-8");
    driver.Type(dialog, "TextTZ", "Europe/\rBerlin");
    driver.SetToggle(dialog, "ToggleConfirmInit", true);
    driver.Press(dialog, "ButtonOK");
    ASSERT_EQ(WriteOptionsFile(), 1);
    char kept[64] = "";
    ASSERT_EQ(GetOptionString("Geometry", kept, sizeof kept), 1);
    EXPECT_STREQ(kept, "700x500");
    ASSERT_EQ(GetOptionString("Locale", kept, sizeof kept), 1);
    EXPECT_STREQ(kept, "de_DE.UTF-8");
    ASSERT_EQ(GetOptionString("TZ", kept, sizeof kept), 1);
    EXPECT_STREQ(kept, "Europe/Berlin");
    EXPECT_EQ(GetOptionBool("ConfirmInit", 0), 1);
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 0), 1);
}

}  // namespace
