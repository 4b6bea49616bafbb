// The "Init" resources on a real toplevel shell, and the start-up work that
// turns them into paths, the initial site and the current time.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/app_resources.h"
#include "core/messages.h"
#include "core/user_directory.h"
#include "data/fallback_resources.h"
#include "sky/scene.h"
#include "sky/site_setup.h"
#include "tests/harness/test_files.h"

#include <X11/IntrinsicP.h>
#include <X11/Shell.h>
#include <Xm/MessageB.h>
#include <Xm/Xm.h>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

namespace {

const std::string kSourceSites = std::string(UVOLA_SOURCE_DIR) + "/data/uvola.obs";

XtAppContext App()
{
    static XtAppContext app = [] {
        XtToolkitInitialize();
        XtAppContext context = XtCreateApplicationContext();
        XtAppSetFallbackResources(context, FallbackResourceList());
        return context;
    }();
    return app;
}

// The texts of the message boxes on the toplevel shell, lines joined by "\n".
std::vector<std::string> MessageBoxTexts()
{
    static XmParseMapping newline = [] {
        Arg args[3];
        XtSetArg(args[0], XmNincludeStatus, XmINSERT);
        XtSetArg(args[1], XmNsubstitute, XmStringSeparatorCreate());
        XtSetArg(args[2], XmNpattern, const_cast<char*>("\n"));
        return XmParseMappingCreate(args, 3);
    }();
    std::vector<std::string> texts;
    Widget top = gAppEnv->toplevel;
    for (Cardinal i = 0; i < top->core.num_popups; ++i) {
        Widget dialog = XtNameToWidget(top->core.popup_list[i], "MessageBox");
        if (dialog == nullptr) {
            continue;
        }
        XmString message = nullptr;
        XtVaGetValues(dialog, XmNmessageString, &message, nullptr);
        char* text = static_cast<char*>(
            XmStringUnparse(message, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT, &newline, 1, XmOUTPUT_ALL));
        texts.push_back(text);
        XtFree(text);
        XmStringFree(message);
    }
    return texts;
}

// Each test opens a display of its own, so that its command-line resources
// (-xrm, as a user's resource file would give them) apply to it alone. They
// name the application ("uvola*..."), which outranks the fallback list's
// class lines ("UVola*...").
class InitResourcesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
        options = std::string(gAppEnv->userDirectory) + "/options";
        privateSites = std::string(gAppEnv->userDirectory) + "/uvola.obs";
        std::remove(options.c_str());
        std::remove(privateSites.c_str());
        ResetScene(scene);
    }
    void TearDown() override { Close(); }

    void Open(std::vector<std::string> arguments)
    {
        Close();
        std::vector<char*> argv = {const_cast<char*>("uvola")};
        for (std::string& resource : arguments) {
            argv.push_back(const_cast<char*>("-xrm"));
            argv.push_back(resource.data());
        }
        int argc = static_cast<int>(argv.size());
        argv.push_back(nullptr);
        Display* display = XtOpenDisplay(App(), nullptr, "uvola", "UVola", nullptr, 0, &argc, argv.data());
        ASSERT_NE(display, nullptr);
        gAppEnv->display = display;
        gAppEnv->toplevel = XtVaAppCreateShell("uvola", "UVola", applicationShellWidgetClass, display, XmNwidth,
                                               200, XmNheight, 100, nullptr);
        XtRealizeWidget(gAppEnv->toplevel);
    }
    void Close()
    {
        if (gAppEnv->toplevel != nullptr) {
            XtDestroyWidget(gAppEnv->toplevel);
            gAppEnv->toplevel = nullptr;
        }
    }
    void UseSourceSites() { std::snprintf(gAppEnv->siteFile, kPathSize, "%s", kSourceSites.c_str()); }

    std::string options;
    std::string privateSites;
    Scene scene{};
};

TEST_F(InitResourcesTest, DefaultsAndUserOverrides)
{
    Open({});
    InitResources init;
    ReadInitResources(gAppEnv->toplevel, init);
    const std::pair<String, const char*> texts[] = {
        {init.cometFile, "/usr/local/share/uvola/comet.elm"}, {init.mplanetFile, "/usr/local/share/uvola/mp.elm"},
        {init.constDataFile, "/usr/local/share/uvola/consname.dat"},
        {init.starNameDataFile, "/usr/local/share/uvola/starname.dat"},
        {init.siteFile, "/usr/local/share/uvola/uvola.obs"}, {init.dateStyle, "English"},
        {init.saoFile, "/usr/local/share/uvola/uvola.sao"}, {init.gscPath, "/cdrom"},
        {init.gscIndexFile, "/usr/local/share/uvola/uvola.gsc"},
        {init.skyMarkFile, "/usr/local/share/uvola/skymark.adf"}, {init.stlFileIoPath, "~"},
        {init.saveImagePath, "~"}, {init.userObjectFilePath, "/usr/local/share/uvola/adf"},
        {init.clickDataFile, "/usr/local/share/uvola/uvola.cdf"},
        {init.clickImagePath, "/usr/local/share/uvola/image/"},
    };
    for (const auto& [value, expected] : texts) {
        EXPECT_STREQ(value, expected);
    }
    EXPECT_EQ(init.saveHistory, 10);
    EXPECT_EQ(init.blinkTime, 5);
    char site[8];
    ReadSiteResource(gAppEnv->toplevel, site, sizeof site);
    EXPECT_STREQ(site, "Greenwi");

    Open({"uvola*CometFile: ~/comets.elm", "uvola*UserObjectFilePath: /srv/adf", "uvola*SaveHistory: 25"});
    ReadInitResources(gAppEnv->toplevel, init);
    EXPECT_STREQ(init.cometFile, "~/comets.elm");
    EXPECT_STREQ(init.userObjectFilePath, "/srv/adf");
    EXPECT_EQ(init.saveHistory, 25);
    EXPECT_STREQ(init.mplanetFile, "/usr/local/share/uvola/mp.elm");
}

// Each setting of the initial site that finds no default site tells the
// user in a box of its own, also when the "Site" resource names a site.
TEST_F(InitResourcesTest, InitialSiteFromOptionResourceOrBuiltIn)
{
    char notSetText[1024];
    GetMessage("messageSiteNotInit", notSetText, sizeof notSetText);

    // The options file's site: nothing to tell.
    Open({"uvola*Site: St Johns (Canada)", "uvola*SiteFile: " + kSourceSites});
    UseSourceSites();
    WriteFile(options, "SiteName = Tokyo (Japan)\n");
    InitSite(scene);
    EXPECT_STREQ(scene.siteName, "Tokyo (Japan)");
    EXPECT_STREQ(gAppEnv->siteName, "Tokyo (Japan)");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 139.745);
    EXPECT_DOUBLE_EQ(gAppEnv->initialSiteZone, 9.0);
    EXPECT_TRUE(MessageBoxTexts().empty());

    // The Site resource: used, and the user is told to set a default site,
    // as often as the site is set.
    WriteFile(options, "SiteName = Nowhere (Atlantis)\n");
    gAppEnv->siteName[0] = '\0';
    InitSite(scene);
    EXPECT_STREQ(scene.siteName, "St Johns (Canada)");
    EXPECT_STREQ(gAppEnv->siteName, "");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, -52.717);
    EXPECT_DOUBLE_EQ(gAppEnv->initialSiteZone, -3.5);
    LoadAppResources(scene);
    EXPECT_STREQ(scene.siteName, "St Johns (Canada)");
    EXPECT_EQ(MessageBoxTexts(), std::vector<std::string>(2, notSetText));
    EXPECT_EQ(std::string(notSetText).find("Uvola cannot detect where you live, and you haven't set default\nlocation yet."),
              0u);

    // Nothing known, or no site file: Greenwich, and a box.
    for (const char* resource : {"uvola*Site: Nowhere (Atlantis)", "uvola*Site:", ""}) {
        Open({resource});
        UseSourceSites();
        if (resource[0] == '\0') {
            std::snprintf(gAppEnv->siteFile, kPathSize, "%s/none.obs", TestHome().c_str());
        }
        gAppEnv->initialSiteZone = 5.0;
        InitSite(scene);
        EXPECT_STREQ(scene.siteName, "Greenwich (United Kingdom)") << resource;
        EXPECT_DOUBLE_EQ(scene.time.location.latitude, 51.477);
        EXPECT_DOUBLE_EQ(scene.time.location.longitude, 0.0);
        EXPECT_DOUBLE_EQ(scene.time.location.height, 50.0);
        EXPECT_DOUBLE_EQ(gAppEnv->initialSiteZone, 0.0);
        EXPECT_EQ(MessageBoxTexts(), std::vector<std::string>{notSetText});
    }
}

// A default site whose record lies off the Earth is no site at all.
TEST_F(InitResourcesTest, DefaultSiteOutOfRangeIsUnknown)
{
    Open({});
    const std::string sites = TestHome() + "/bad.obs";
    WriteFile(sites, "Bad                                      999.999E 99.999N 9999 +99.99 \n");
    std::snprintf(gAppEnv->siteFile, kPathSize, "%s", sites.c_str());
    WriteFile(options, "SiteName = Bad\n");
    InitSite(scene);
    EXPECT_STREQ(scene.siteName, "Greenwich (United Kingdom)");
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, 51.477);
    EXPECT_DOUBLE_EQ(gAppEnv->initialSiteZone, 0.0);
}

double JulianDayNow()
{
    return 2440587.5 + static_cast<double>(std::time(nullptr)) / 86400.0;
}

TEST_F(InitResourcesTest, LoadAppResourcesFillsPathsSiteAndTime)
{
    const std::string share = TestHome() + "/share";
    mkdir(share.c_str(), 0755);
    for (const char* file : {"starname.dat", "starname.dat.de", "consname.dat", "skymark.adf.de", "uvola.cdf.de"}) {
        WriteFile(share + "/" + file, "x");
    }
    std::strcpy(gAppEnv->languageCode, "de");
    WriteFile(options, "SiteName = Tokyo (Japan)\nGscDataPath = ~/cd\nSaveImagePath = ~/pictures\n");
    Open({"uvola*SiteFile: " + kSourceSites, "uvola*CometFile: ~/share/comet.elm",
          "uvola*MPlanetFile: ~uvolaother/mp.elm", "uvola*StarNameDataFile: ~/share/starname.dat",
          "uvola*ConstDataFile: ~/share/consname.dat", "uvola*SkyMarkFile: ~/share/skymark.adf",
          "uvola*ClickDataFile: ~/share/uvola.cdf", "uvola*ClickImagePath: ~/img/", "uvola*GscPath: ~/gsc",
          "uvola*DateStyle: european", "uvola*BlinkTime: 0"});
    // The clock is read in the process's zone and labelled with the site's.
    setenv("TZ", "UTC", 1);
    tzset();
    const double before = JulianDayNow() - 9.0 / 24.0;
    LoadAppResources(scene);
    const double after = JulianDayNow() - 9.0 / 24.0;

    const AppEnv& env = *gAppEnv;
    const std::string home = TestHome();
    EXPECT_EQ(env.cometFile, home + "/share/comet.elm");
    EXPECT_EQ(env.cometIndexFile, home + "/.uvola/comet.dbm");
    EXPECT_EQ(env.mplanetFile, std::string(std::getenv("UVOLA_TEST_OTHER_HOME")) + "/mp.elm");
    EXPECT_EQ(env.mplanetIndexFile, home + "/.uvola/mp.dbm");
    EXPECT_EQ(env.starNameDataFile, share + "/starname.dat.de");
    EXPECT_EQ(env.constDataFile, share + "/consname.dat");
    EXPECT_EQ(env.skyMarkFile, share + "/skymark.adf.de");
    EXPECT_EQ(env.clickDataFile, share + "/uvola.cdf.de");
    EXPECT_EQ(env.clickImagePath, home + "/img/");
    EXPECT_STREQ(env.saoFile, "/usr/local/share/uvola/uvola.sao");
    EXPECT_STREQ(env.gscDataPath, "~/cd");   // options are taken as written
    EXPECT_STREQ(env.saveImagePath, "~/pictures");
    EXPECT_EQ(env.stlFileIoPath, home);
    EXPECT_STREQ(env.userObjectFilePath, "/usr/local/share/uvola/adf");
    EXPECT_EQ(env.saveHistory, 10);
    EXPECT_EQ(env.blinkTime, 10);
    EXPECT_EQ(scene.dateStyle, 2);
    EXPECT_EQ(env.siteFile, privateSites);
    EXPECT_EQ(ReadFile(privateSites), ReadFile(kSourceSites));
    EXPECT_STREQ(scene.siteName, "Tokyo (Japan)");
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 139.745);
    EXPECT_DOUBLE_EQ(scene.time.date.second, 0.0);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 9.0);
    EXPECT_DOUBLE_EQ(scene.siteZone, 9.0);
    EXPECT_GE(scene.time.julianDay, before - 61.0 / 86400.0);
    EXPECT_LE(scene.time.julianDay, after + 1.0 / 86400.0);
    EXPECT_DOUBLE_EQ(scene.lastSolarUpdate, kNeverJulianDay);

    // At the next start the user's own list is kept and used.
    const std::string mine = "My garden                                 10.000E 50.000N  120 +01.00 \n";
    WriteFile(privateSites, mine);
    WriteFile(options, "SiteName = My garden\n");
    Open({"uvola*SiteFile: " + kSourceSites, "uvola*BlinkTime: 3", "uvola*DateStyle: JAPANESE"});
    LoadAppResources(scene);
    EXPECT_EQ(ReadFile(privateSites), mine);
    EXPECT_STREQ(scene.siteName, "My garden");
    EXPECT_DOUBLE_EQ(scene.time.location.height, 120.0);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 1.0);
    EXPECT_EQ(gAppEnv->blinkTime, 3);
    EXPECT_EQ(scene.dateStyle, 1);
}

// BLINK holds the program while it flashes, so only 1 to 20 flashes are
// taken; anything else is the default 10.
TEST_F(InitResourcesTest, BlinkTimeOutsideOneToTwentyGivesTen)
{
    WriteFile(options, "SiteName = Tokyo (Japan)\n");
    const std::pair<const char*, int> rows[] = {
        {"1", 1}, {"20", 20}, {"21", 10}, {"100", 10}, {"2147483647", 10}, {"0", 10}, {"-2147483648", 10},
    };
    for (const auto& [resource, flashes] : rows) {
        Open({"uvola*SiteFile: " + kSourceSites, std::string("uvola*BlinkTime: ") + resource});
        LoadAppResources(scene);
        EXPECT_EQ(gAppEnv->blinkTime, flashes) << resource;
    }
}

}  // namespace
