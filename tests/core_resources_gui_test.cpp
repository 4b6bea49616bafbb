// The "Init" resources on a real toplevel shell, and the start-up work that
// turns them into paths, the initial site and the current time.
#include <gtest/gtest.h>

#include "astro/time_records.h"
#include "core/app_env.h"
#include "core/app_resources.h"
#include "core/messages.h"
#include "core/user_directory.h"
#include "data/fallback_resources.h"
#include "sky/scene.h"
#include "sky/site_setup.h"

#include <X11/IntrinsicP.h>
#include <X11/Shell.h>
#include <Xm/MessageB.h>
#include <Xm/Xm.h>
#include <sys/stat.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Home()
{
    return std::getenv("UVOLA_TEST_HOME");
}

std::string SourceSiteList()
{
    return std::string(UVOLA_SOURCE_DIR) + "/data/uvola.obs";
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

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

void ProcessPendingEvents()
{
    XSync(gAppEnv->display, False);
    while (XtAppPending(App()) != 0) {
        XtAppProcessEvent(App(), XtIMAll);
    }
}

XmParseTable SeparatorsAsNewlines()
{
    static XmParseMapping mapping = [] {
        Arg args[3];
        XmString separator = XmStringSeparatorCreate();
        XtSetArg(args[0], XmNincludeStatus, XmINSERT);
        XtSetArg(args[1], XmNsubstitute, separator);
        XtSetArg(args[2], XmNpattern, const_cast<char*>("\n"));
        XmParseMapping created = XmParseMappingCreate(args, 3);
        XmStringFree(separator);
        return created;
    }();
    return &mapping;
}

// The warning boxes on the toplevel shell, with their texts.
std::vector<std::string> MessageBoxTexts()
{
    std::vector<std::string> texts;
    Widget top = gAppEnv->toplevel;
    for (Cardinal i = 0; i < top->core.num_popups; ++i) {
        Widget shell = top->core.popup_list[i];
        Widget dialog = shell->core.being_destroyed ? nullptr : XtNameToWidget(shell, "MessageBox");
        if (dialog == nullptr) {
            continue;
        }
        XmString message = nullptr;
        XtVaGetValues(dialog, XmNmessageString, &message, nullptr);
        char* text = static_cast<char*>(XmStringUnparse(message, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT,
                                                        SeparatorsAsNewlines(), 1, XmOUTPUT_ALL));
        texts.push_back(text != nullptr ? text : "");
        XtFree(text);
        XmStringFree(message);
    }
    return texts;
}

std::string SiteNotInitText()
{
    char text[1024];
    GetMessage("messageSiteNotInit", text, sizeof text);
    return text;
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
        std::remove((std::string(gAppEnv->userDirectory) + "/options").c_str());
        std::remove((std::string(gAppEnv->userDirectory) + "/uvola.obs").c_str());
        ResetScene(scene);
    }

    void TearDown() override
    {
        if (gAppEnv->toplevel != nullptr) {
            XtDestroyWidget(gAppEnv->toplevel);
            ProcessPendingEvents();
            gAppEnv->toplevel = nullptr;
        }
    }

    void Open(const std::vector<std::string>& resources)
    {
        std::vector<std::string> arguments = {"uvola"};
        for (const std::string& resource : resources) {
            arguments.push_back("-xrm");
            arguments.push_back(resource);
        }
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        int argc = static_cast<int>(arguments.size());
        Display* display = XtOpenDisplay(App(), nullptr, "uvola", "UVola", nullptr, 0, &argc, argv.data());
        ASSERT_NE(display, nullptr);
        Widget top = XtVaAppCreateShell("uvola", "UVola", applicationShellWidgetClass, display, XmNwidth, 200,
                                        XmNheight, 100, nullptr);
        XtRealizeWidget(top);
        gAppEnv->toplevel = top;
        gAppEnv->display = display;
    }

    void WriteOptions(const std::string& text)
    {
        WriteFile(std::string(gAppEnv->userDirectory) + "/options", text);
    }

    Scene scene{};
};

TEST_F(InitResourcesTest, DefaultsFromTheFallbackListAndTheCompiledDefaults)
{
    Open({});
    InitResources resources;
    ReadInitResources(gAppEnv->toplevel, resources);
    EXPECT_STREQ(resources.cometFile, "/usr/local/share/uvola/comet.elm");
    EXPECT_STREQ(resources.mplanetFile, "/usr/local/share/uvola/mp.elm");
    EXPECT_STREQ(resources.constDataFile, "/usr/local/share/uvola/consname.dat");
    EXPECT_STREQ(resources.starNameDataFile, "/usr/local/share/uvola/starname.dat");
    EXPECT_STREQ(resources.siteFile, "/usr/local/share/uvola/uvola.obs");
    EXPECT_STREQ(resources.dateStyle, "English");
    EXPECT_STREQ(resources.saoFile, "/usr/local/share/uvola/uvola.sao");
    EXPECT_STREQ(resources.gscPath, "/cdrom");
    EXPECT_STREQ(resources.gscIndexFile, "/usr/local/share/uvola/uvola.gsc");
    EXPECT_STREQ(resources.skyMarkFile, "/usr/local/share/uvola/skymark.adf");
    EXPECT_STREQ(resources.stlFileIoPath, "~");
    EXPECT_STREQ(resources.saveImagePath, "~");
    EXPECT_STREQ(resources.userObjectFilePath, "/usr/local/share/uvola/adf");
    EXPECT_STREQ(resources.clickDataFile, "/usr/local/share/uvola/uvola.cdf");
    EXPECT_STREQ(resources.clickImagePath, "/usr/local/share/uvola/image/");
    EXPECT_EQ(resources.saveHistory, 10);
    EXPECT_EQ(resources.blinkTime, 5);
    char site[128];
    ReadSiteResource(gAppEnv->toplevel, site, sizeof site);
    EXPECT_STREQ(site, "Greenwich (United Kingdom)");
}

TEST_F(InitResourcesTest, UserResourcesOverrideTheDefaults)
{
    Open({"uvola*CometFile: ~/comets.elm", "uvola*UserObjectFilePath: /srv/adf", "uvola*DateStyle: european",
          "uvola*SaveHistory: 25", "uvola*BlinkTime: 0", "uvola*Site: London (United Kingdom)"});
    InitResources resources;
    ReadInitResources(gAppEnv->toplevel, resources);
    EXPECT_STREQ(resources.cometFile, "~/comets.elm");
    EXPECT_STREQ(resources.userObjectFilePath, "/srv/adf");
    EXPECT_STREQ(resources.dateStyle, "european");
    EXPECT_EQ(resources.saveHistory, 25);
    EXPECT_EQ(resources.blinkTime, 0);
    EXPECT_STREQ(resources.mplanetFile, "/usr/local/share/uvola/mp.elm");
    char site[8];
    ReadSiteResource(gAppEnv->toplevel, site, sizeof site);
    EXPECT_STREQ(site, "London ");
}

TEST_F(InitResourcesTest, SiteNameOptionSetsTheSiteWithoutABox)
{
    Open({"uvola*Site: London (United Kingdom)"});
    std::snprintf(gAppEnv->siteFile, kPathSize, "%s", SourceSiteList().c_str());
    WriteOptions("SiteName = Tokyo (Japan)\n");
    InitSite(scene);
    ProcessPendingEvents();
    EXPECT_STREQ(scene.siteName, "Tokyo (Japan)");
    EXPECT_STREQ(gAppEnv->siteName, "Tokyo (Japan)");
    EXPECT_DOUBLE_EQ(scene.time.location.latitude, 35.654);
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 139.745);
    EXPECT_DOUBLE_EQ(gAppEnv->initialSiteZone, 9.0);
    EXPECT_TRUE(MessageBoxTexts().empty());
}

TEST_F(InitResourcesTest, SiteResourceIsUsedButTheUserIsStillAsked)
{
    Open({"uvola*Site: St Johns (Canada)"});
    std::snprintf(gAppEnv->siteFile, kPathSize, "%s", SourceSiteList().c_str());
    WriteOptions("SiteName = Nowhere (Atlantis)\n");
    InitSite(scene);
    EXPECT_STREQ(scene.siteName, "St Johns (Canada)");
    EXPECT_STREQ(gAppEnv->siteName, "") << "only the options file's site becomes the default";
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, -52.717);
    EXPECT_DOUBLE_EQ(gAppEnv->initialSiteZone, -3.5);
    const std::vector<std::string> boxes = MessageBoxTexts();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], SiteNotInitText());
    EXPECT_NE(boxes[0].find("haven't set default\nlocation yet."), std::string::npos);
}

TEST_F(InitResourcesTest, BuiltInGreenwichWhenNoSiteIsKnown)
{
    for (const char* resource : {"uvola*Site: Nowhere (Atlantis)", "uvola*Site:"}) {
        Open({resource});
        std::snprintf(gAppEnv->siteFile, kPathSize, "%s", SourceSiteList().c_str());
        scene.time.location = {1.0, 2.0, 3.0};
        gAppEnv->initialSiteZone = 5.0;
        InitSite(scene);
        EXPECT_STREQ(scene.siteName, "Greenwich (United Kingdom)") << resource;
        EXPECT_DOUBLE_EQ(scene.time.location.latitude, 51.477);
        EXPECT_DOUBLE_EQ(scene.time.location.longitude, 0.0);
        EXPECT_DOUBLE_EQ(scene.time.location.height, 50.0);
        EXPECT_DOUBLE_EQ(gAppEnv->initialSiteZone, 0.0);
        EXPECT_EQ(MessageBoxTexts().size(), 1u) << resource;
        TearDown();
    }
    // No site file at all.
    Open({"uvola*Site: Tokyo (Japan)"});
    std::snprintf(gAppEnv->siteFile, kPathSize, "%s/none.obs", Home().c_str());
    WriteOptions("SiteName = Tokyo (Japan)\n");
    InitSite(scene);
    EXPECT_STREQ(scene.siteName, "Greenwich (United Kingdom)");
    EXPECT_EQ(MessageBoxTexts().size(), 1u);
}

double JulianDayNow()
{
    return 2440587.5 + static_cast<double>(std::time(nullptr)) / 86400.0;
}

TEST_F(InitResourcesTest, LoadAppResourcesFillsPathsSiteAndTime)
{
    const std::string share = Home() + "/share";
    mkdir(share.c_str(), 0755);
    WriteFile(share + "/starname.dat", "en");
    WriteFile(share + "/starname.dat.de", "de");
    WriteFile(share + "/consname.dat", "en");
    WriteFile(share + "/skymark.adf", "en");
    WriteFile(share + "/skymark.adf.de", "de");
    WriteFile(share + "/uvola.cdf.de", "de");
    std::snprintf(gAppEnv->languageCode, sizeof gAppEnv->languageCode, "de");
    WriteOptions("SiteName = Tokyo (Japan)\nGscDataPath = ~/cd\nSaveImagePath = ~/pictures\n");
    Open({"uvola*SiteFile: " + SourceSiteList(), "uvola*CometFile: ~/share/comet.elm", "uvola*MPlanetFile: ~uvolaother/mp.elm",
          "uvola*StarNameDataFile: ~/share/starname.dat", "uvola*ConstDataFile: ~/share/consname.dat",
          "uvola*SkyMarkFile: ~/share/skymark.adf", "uvola*ClickDataFile: ~/share/uvola.cdf", "uvola*ClickImagePath: ~/img/",
          "uvola*GscPath: ~/gsc", "uvola*DateStyle: european", "uvola*BlinkTime: 0", "uvola*SaveHistory: 25"});

    // The clock is read in the process's zone and labelled with the site's.
    setenv("TZ", "UTC", 1);
    tzset();
    const double before = JulianDayNow() - 9.0 / 24.0;
    LoadAppResources(scene);
    const double after = JulianDayNow() - 9.0 / 24.0;
    ProcessPendingEvents();

    const AppEnv& env = *gAppEnv;
    EXPECT_EQ(std::string(env.cometFile), Home() + "/share/comet.elm");
    EXPECT_EQ(std::string(env.cometIndexFile), Home() + "/.uvola/comet.dbm");
    EXPECT_EQ(std::string(env.mplanetFile), std::string(std::getenv("UVOLA_TEST_OTHER_HOME")) + "/mp.elm");
    EXPECT_EQ(std::string(env.mplanetIndexFile), Home() + "/.uvola/mp.dbm");
    EXPECT_EQ(std::string(env.starNameDataFile), share + "/starname.dat.de");
    EXPECT_EQ(std::string(env.constDataFile), share + "/consname.dat");
    EXPECT_EQ(std::string(env.skyMarkFile), share + "/skymark.adf.de");
    EXPECT_EQ(std::string(env.clickDataFile), share + "/uvola.cdf.de");
    EXPECT_EQ(std::string(env.clickImagePath), Home() + "/img/");
    EXPECT_STREQ(env.saoFile, "/usr/local/share/uvola/uvola.sao");
    EXPECT_STREQ(env.gscIndexFile, "/usr/local/share/uvola/uvola.gsc");
    // Paths from the options file are taken as written; resources expanded.
    EXPECT_STREQ(env.gscDataPath, "~/cd");
    EXPECT_STREQ(env.saveImagePath, "~/pictures");
    EXPECT_EQ(std::string(env.stlFileIoPath), Home());
    EXPECT_STREQ(env.userObjectFilePath, "/usr/local/share/uvola/adf");
    EXPECT_EQ(env.saveHistory, 25);
    EXPECT_EQ(env.blinkTime, 10);
    EXPECT_EQ(scene.dateStyle, 2);

    // The private copy of the site list is made and used.
    EXPECT_EQ(std::string(env.siteFile), Home() + "/.uvola/uvola.obs");
    EXPECT_EQ(ReadFile(env.siteFile), ReadFile(SourceSiteList()));
    EXPECT_STREQ(scene.siteName, "Tokyo (Japan)");
    EXPECT_TRUE(MessageBoxTexts().empty());

    // Now, to the whole minute.
    EXPECT_DOUBLE_EQ(scene.time.date.second, 0.0);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 9.0);
    EXPECT_DOUBLE_EQ(scene.siteZone, 9.0);
    EXPECT_DOUBLE_EQ(scene.time.location.longitude, 139.745);
    EXPECT_GE(scene.time.julianDay, before - 61.0 / 86400.0);
    EXPECT_LE(scene.time.julianDay, after + 1.0 / 86400.0);
    EXPECT_DOUBLE_EQ(scene.lastSolarUpdate, kNeverJulianDay);
}

TEST_F(InitResourcesTest, LoadAppResourcesKeepsAnExistingPrivateSiteList)
{
    const std::string privateSites = std::string(gAppEnv->userDirectory) + "/uvola.obs";
    const std::string mine = "My garden                                 10.000E 50.000N  120 +01.00 \n";
    WriteFile(privateSites, mine);
    WriteOptions("SiteName = My garden\n");
    Open({"uvola*SiteFile: " + SourceSiteList(), "uvola*BlinkTime: 3", "uvola*DateStyle: JAPANESE"});
    LoadAppResources(scene);
    EXPECT_EQ(std::string(gAppEnv->siteFile), privateSites);
    EXPECT_EQ(ReadFile(privateSites), mine);
    EXPECT_STREQ(scene.siteName, "My garden");
    EXPECT_DOUBLE_EQ(scene.time.location.height, 120.0);
    EXPECT_DOUBLE_EQ(scene.time.date.zone, 1.0);
    EXPECT_EQ(gAppEnv->blinkTime, 3);
    EXPECT_EQ(scene.dateStyle, 1);
}

}  // namespace
