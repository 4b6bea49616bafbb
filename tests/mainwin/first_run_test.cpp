// A first run of the real program, with no default site yet. The notice that
// asks for one comes in a box at start and again at every INIT, from the
// menu or from a command-port client (whose reply stays empty); the box has
// the toolkit's own title. "Make it default site" adds SiteName to the
// options file at once, leaving its other lines as they were, so INIT goes
// to that site from then on, without a box.
#include "tests/mainwin/program_driver.h"

#include "core/messages.h"

namespace {

using programtest::ProgramDriver;

// As the box shows it: its line breaks are separators of the box's text.
std::string SiteNotInitText()
{
    char text[1024];
    GetMessage("messageSiteNotInit", text, sizeof text);
    std::string shown = text;
    shown.erase(std::remove(shown.begin(), shown.end(), '\n'), shown.end());
    return shown;
}

// The window-manager titles of the message boxes on the toplevel shell.
std::vector<std::string> BoxTitles()
{
    std::vector<std::string> titles;
    Widget top = gAppEnv->toplevel;
    for (Cardinal i = 0; i < top->core.num_popups; ++i) {
        Widget shell = top->core.popup_list[i];
        char* name = nullptr;
        if (!shell->core.being_destroyed && XtNameToWidget(shell, "MessageBox") != nullptr && XtIsRealized(shell) &&
            XFetchName(XtDisplay(shell), XtWindow(shell), &name) != 0) {
            titles.push_back(name);
            XFree(name);
        }
    }
    return titles;
}

TEST(FirstRun, AsksForASiteAtEachInitUntilOneIsMadeDefault)
{
    programtest::StartOptions().erase("SiteName");
    programtest::StartOptions()["UnknownKey"] = "kept as it is";
    ProgramDriver driver;
    Scene& scene = ProgramDriver::SceneOfProgram();
    const std::vector<std::string> notice = {SiteNotInitText()};
    ASSERT_TRUE(ProgramDriver::PumpUntilBoxes(notice));
    EXPECT_STREQ(scene.siteName, "Greenwich (United Kingdom)");

    EXPECT_EQ(BoxTitles(), std::vector<std::string>{"MessageBox_popup"});

    std::vector<std::string> boxes = notice;
    for (const char* request : {"DRIVE", "INIT", "INIT; DRIVE", "DRIVE; INIT"}) {
        EXPECT_EQ(driver.PortRequest(request), "") << request;
        if (std::strstr(request, "INIT") != nullptr) {
            boxes.push_back(notice[0]);
        }
        EXPECT_TRUE(ProgramDriver::PumpUntilBoxes(boxes)) << request;
    }
    driver.Choose("MenuSettingsInitialize");
    boxes.push_back(notice[0]);
    EXPECT_TRUE(ProgramDriver::PumpUntilBoxes(boxes)) << "the menu's Initialize";
    ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);

    StkExecuteText(scene, "INPUT LOCATE");
    driver.Pump();
    Widget dialog = SiteDialogWidget();
    ASSERT_NE(dialog, nullptr);
    const std::vector<std::string> sites = ProgramDriver::ListItems(ProgramDriver::Find("SiteList"));
    const auto tokyo = std::find(sites.begin(), sites.end(), "Tokyo (Japan)");
    ASSERT_NE(tokyo, sites.end());
    driver.Select(dialog, "SiteList", static_cast<int>(tokyo - sites.begin()) + 1);
    driver.SetToggle(dialog, "ToggleMakeDefault", true);
    const std::string options = programtest::UserDirectory() + "/options";
    const std::string before = ReadFile(options);
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(ReadFile(options), before + "SiteName = Tokyo (Japan)\n");

    ASSERT_EQ(driver.PortRequest("LOCATE 0.5W,51.5N,0,10,London; DRIVE"), "");
    EXPECT_EQ(driver.PortRequest("INIT"), "");
    EXPECT_STREQ(scene.siteName, "Tokyo (Japan)");
    EXPECT_NEAR(scene.time.location.longitude, 139.745, 1e-9);
    EXPECT_EQ(ProgramDriver::MessageBoxes(gAppEnv->toplevel), std::vector<std::string>{});
}

}  // namespace
