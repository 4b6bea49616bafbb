// A first run of the real program, with no default site yet. The notice that
// asks for one comes once, at start, in a box: a command-port client never
// gets it in a reply, and INIT from the menu does not bring it back. "Make it
// default site" adds SiteName to the options file at once, leaving its other
// lines as they were, so INIT goes to that site from then on.
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

TEST(FirstRun, AsksForASiteOnceAndInitGoesToTheSiteMadeDefault)
{
    programtest::StartOptions().erase("SiteName");
    programtest::StartOptions()["UnknownKey"] = "kept as it is";
    ProgramDriver driver;
    Scene& scene = ProgramDriver::SceneOfProgram();
    const std::vector<std::string> notice = {SiteNotInitText()};
    ASSERT_TRUE(ProgramDriver::PumpUntilBoxes(notice));
    EXPECT_STREQ(scene.siteName, "Greenwich (United Kingdom)");

    for (const char* request : {"DRIVE", "INIT", "INIT; DRIVE", "DRIVE; INIT"}) {
        EXPECT_EQ(driver.PortRequest(request), "") << request;
    }
    driver.Choose("MenuSettingsInitialize");
    EXPECT_EQ(ProgramDriver::MessageBoxes(gAppEnv->toplevel), notice) << "asked again";

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
    EXPECT_EQ(ProgramDriver::MessageBoxes(gAppEnv->toplevel), notice);
}

}  // namespace
