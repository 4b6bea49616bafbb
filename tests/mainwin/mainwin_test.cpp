// The program's pieces in-process: scrolling as LOOK commands, the scroll
// bars per view mode, the window-manager icon sizes, the command line and the
// start-up script statement, GSAVE's file names and XPM files, and the
// animation's steps, targets, date limit and refused arguments.
#include <gtest/gtest.h>

#include "astro/astro_time.h"
#include "astro/calendar.h"
#include "command/animation.h"
#include "command/command_table.h"
#include "command/gsave_command.h"
#include "command/interpreter.h"
#include "command/xpm_writer.h"
#include "core/app_env.h"
#include "mainwin/command_line.h"
#include "mainwin/main_window.h"
#include "mainwin/scroll_bars.h"
#include "mainwin/shell_geometry.h"
#include "mainwin/startup_script.h"
#include "sky/scene.h"
#include "tests/harness/test_files.h"
#include "tests/harness/test_toplevel.h"

#include <X11/IntrinsicP.h>
#include <X11/xpm.h>
#include <Xm/Xm.h>
#include <dirent.h>
#include <sys/resource.h>
#include <unistd.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

XtAppContext app = nullptr;

void Settle()
{
    XSync(gAppEnv->display, False);
    while (XtAppPending(app) != 0) {
        XtAppProcessEvent(app, XtIMAll);
    }
}

// Message boxes shown on the toplevel shell and not yet destroyed.
int OpenMessageBoxes()
{
    int count = 0;
    Widget top = gAppEnv->toplevel;
    for (Cardinal i = 0; i < top->core.num_popups; ++i) {
        Widget shell = top->core.popup_list[i];
        if (!shell->core.being_destroyed && XtNameToWidget(shell, "MessageBox") != nullptr) {
            ++count;
        }
    }
    return count;
}

// One turn of the event loop that always returns: a short timer wakes it
// when no event and no work procedure is left.
void Turn()
{
    XtAppAddTimeOut(app, 5, [](XtPointer, XtIntervalId*) {}, nullptr);
    XtAppProcessEvent(app, XtIMAll);
}

// Turns the event loop until the condition holds or five seconds passed;
// a loaded machine may let the wake-up timer win many turns.
template <typename Condition>
bool RunUntil(Condition done)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        Turn();
    }
    return true;
}

void CloseMessageBoxes()
{
    Widget top = gAppEnv->toplevel;
    for (Cardinal i = 0; i < top->core.num_popups; ++i) {
        Widget shell = top->core.popup_list[i];
        if (!shell->core.being_destroyed && XtNameToWidget(shell, "MessageBox") != nullptr) {
            XtDestroyWidget(shell);
        }
    }
    Settle();
}

class ProgramTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ResetAppEnv();
        OpenTestToplevel(app);
        gAppEnv->screen = XtScreen(gAppEnv->toplevel);
    }

    void SetUp() override
    {
        StkUseCommandTable(nullptr);
        ResetScene(*gScene);
        gAppEnv->quiet = 1;
        CloseMessageBoxes();
    }

    void TearDown() override
    {
        if (gScene->animation.running != 0) {
            StkExecuteText(*gScene, "CONTINUE");
        }
        StkUseCommandTable(nullptr);
    }

    static void SetDate(int year, int month, int day, int hour, int minute)
    {
        DateTime date{year, month, day, hour, minute, 0.0, 0.0};
        AstroTimeFromDate(date, gScene->time.location, gScene->time);
    }
};

// --- Scrolling -------------------------------------------------------------

struct ScrollResult {
    std::string text;
    int slider;
};

ScrollResult Scroll(const Scene& scene, int vertical, int kind, int value = 0)
{
    char text[128];
    int slider = -12345;
    ScrollCommand(scene, vertical, kind, value, text, sizeof text, slider);
    return {text, slider};
}

TEST_F(ProgramTest, HorizontalViewScrollsAroundTheAzimuthAndStopsAtTheHorizon)
{
    Scene& scene = *gScene;
    scene.viewMode = kModeHrz;
    scene.view.fieldOfView = 60.0;
    scene.view.verticalField = 45.0;   // step sqrt(60^2 + 45^2) / 15 = 5
    scene.view.hrzCentreAzimuth = 358.0;
    scene.view.hrzCentreAltitude = 0.0;

    const ScrollResult right = Scroll(scene, 0, kScrollIncrement);
    EXPECT_EQ(right.text, "LOOK HRZ   3.000,   0.000");
    EXPECT_EQ(right.slider, 1831);
    EXPECT_EQ(Scroll(scene, 0, kScrollPageDecrement).text, "LOOK HRZ 304.000,   0.000");

    // Down at the horizon keeps the altitude at 0; up raises the view.
    const ScrollResult down = Scroll(scene, 1, kScrollIncrement);
    EXPECT_EQ(down.text, "LOOK HRZ 358.000,   0.000");
    EXPECT_EQ(down.slider, 900);
    const ScrollResult up = Scroll(scene, 1, kScrollDecrement);
    EXPECT_EQ(up.text, "LOOK HRZ 358.000,   5.000");
    EXPECT_EQ(up.slider, 850);
    EXPECT_EQ(Scroll(scene, 1, kScrollDrag, 0).text, "LOOK HRZ 358.000,  90.000");
}

TEST_F(ProgramTest, HorizontalDragLooksSouthAtTheMiddleAndClampsTheSlider)
{
    Scene& scene = *gScene;
    scene.viewMode = kModeHrz;
    EXPECT_EQ(Scroll(scene, 0, kScrollDrag, 1801).text, "LOOK HRZ   0.000,   0.000");
    EXPECT_EQ(Scroll(scene, 0, kScrollDrag, 1).text, "LOOK HRZ 180.000,   0.000");
    EXPECT_EQ(Scroll(scene, 0, kScrollDrag, 0).text, "LOOK HRZ 180.000,   0.000");
    const ScrollResult far = Scroll(scene, 0, kScrollDrag, 9999);
    EXPECT_EQ(far.text, "LOOK HRZ 179.900,   0.000");
}

TEST_F(ProgramTest, EquatorialViewScrollsInHoursAndLeftMeansLargerLongitude)
{
    Scene& scene = *gScene;
    scene.viewMode = kModeEqt;
    scene.view.fieldOfView = 60.0;
    scene.view.verticalField = 45.0;
    scene.view.centreLongitude = 90.0;
    scene.view.centreLatitude = 20.0;

    const ScrollResult drag = Scroll(scene, 0, kScrollDrag, 2701);
    EXPECT_EQ(drag.text, "LOOK EQT_DATE 6.000000, 20.000000");
    EXPECT_EQ(drag.slider, 2701);
    EXPECT_EQ(Scroll(scene, 0, kScrollDecrement).text, "LOOK EQT_DATE 6.333333, 20.000000");
    EXPECT_EQ(Scroll(scene, 0, kScrollPageIncrement).text, "LOOK EQT_DATE 2.400000, 20.000000");
    const ScrollResult up = Scroll(scene, 1, kScrollDecrement);
    EXPECT_EQ(up.text, "LOOK EQT_DATE 6.000000, 25.000000");
    EXPECT_EQ(up.slider, -250);

    scene.viewMode = kModeGal;
    EXPECT_EQ(Scroll(scene, 1, kScrollDrag, -900).text, "LOOK GAL 90.000000, 90.000000");
    scene.viewMode = kModeAll2Ecl;   // whole-sky maps step 12 and 45 degrees
    EXPECT_EQ(Scroll(scene, 0, kScrollPageDecrement).text, "LOOK ECL 135.000000, 20.000000");
    EXPECT_EQ(Scroll(scene, 1, kScrollIncrement).text, "LOOK ECL 90.000000, 8.000000");
}

TEST_F(ProgramTest, ScrollBarsFollowTheViewMode)
{
    Scene& scene = *gScene;
    CreateMainWindow(&scene);
    scene.viewMode = kModeHrz;
    scene.view.hrzCentreAzimuth = 0.0;
    scene.view.hrzCentreAltitude = 0.0;
    scene.viewModeChanged = 1;
    UpdateScrollBars(&scene);
    int minimum = -1, maximum = -1, value = -1, slider = -1;
    XtVaGetValues(scene.vScroll, XmNminimum, &minimum, XmNmaximum, &maximum, XmNvalue, &value,
                  XmNsliderSize, &slider, nullptr);
    EXPECT_EQ(scene.viewModeChanged, 0);
    EXPECT_TRUE(XtIsManaged(scene.vScroll));
    EXPECT_EQ(minimum, 0);
    EXPECT_EQ(maximum, 950);
    EXPECT_EQ(value, 900);
    EXPECT_EQ(slider, 50);
    XtVaGetValues(scene.hScroll, XmNvalue, &value, nullptr);
    EXPECT_EQ(value, 1801);

    scene.viewMode = kModeAll2Eqt;
    UpdateScrollBars(&scene);
    EXPECT_FALSE(XtIsManaged(scene.vScroll));
    EXPECT_TRUE(XtIsManaged(scene.hScroll));

    scene.viewMode = kModeEcl;
    scene.view.centreLatitude = -30.0;
    UpdateScrollBars(&scene);
    XtVaGetValues(scene.vScroll, XmNminimum, &minimum, XmNmaximum, &maximum, XmNvalue, &value,
                  nullptr);
    EXPECT_TRUE(XtIsManaged(scene.vScroll));
    EXPECT_EQ(minimum, -900);
    EXPECT_EQ(maximum, 1001);
    EXPECT_EQ(value, 300);
    XtDestroyWidget(scene.mainWindow);
    scene.mainWindow = scene.drawingArea = scene.hScroll = scene.vScroll = nullptr;
}

TEST_F(ProgramTest, IconSizesAdmitOnlyReachableSides)
{
    const XIconSize exact48[] = {{48, 48, 48, 48, 0, 0}};
    EXPECT_EQ(IconSizeAcceptable(exact48, 1, 48), 1);
    EXPECT_EQ(IconSizeAcceptable(exact48, 1, 32), 0);
    const XIconSize stepped[] = {{16, 16, 64, 64, 16, 16}};
    EXPECT_EQ(IconSizeAcceptable(stepped, 1, 48), 1);
    const XIconSize odd[] = {{20, 20, 64, 64, 10, 10}};
    EXPECT_EQ(IconSizeAcceptable(odd, 1, 48), 0);
    EXPECT_EQ(IconSizeAcceptable(odd, 1, 32), 0);
    // Entries with a limit above 512 do not count; width and height may come
    // from different entries.
    const XIconSize huge[] = {{48, 48, 1024, 1024, 1, 1}};
    EXPECT_EQ(IconSizeAcceptable(huge, 1, 48), 0);
    const XIconSize split[] = {{32, 1, 32, 1, 0, 0}, {1, 32, 1, 32, 0, 0}};
    EXPECT_EQ(IconSizeAcceptable(split, 2, 32), 1);
}

// --- Command line and start-up script --------------------------------------

int Parse(std::vector<std::string> words)
{
    static std::vector<std::string> kept;
    kept = std::move(words);
    kept.insert(kept.begin(), "uvola");
    std::vector<char*> argv;
    for (std::string& word : kept) {
        argv.push_back(word.data());
    }
    argv.push_back(nullptr);
    gAppEnv->installColormap = 0;
    gAppEnv->runStartupScript = 1;
    return ParseCommandLine(static_cast<int>(kept.size()), argv.data());
}

std::string StartupStatement()
{
    char text[600];
    StartupScriptStatement(StartupFileName(), text, sizeof text);
    return text;
}

TEST_F(ProgramTest, CommandLineTakesWholeWordsAndAScriptOnlyLast)
{
    const std::string script = TestHome() + "/start.stl";
    WriteFile(script, "");
    EXPECT_EQ(Parse({"-i", "--lang=C", "-l=C"}), 1);
    EXPECT_EQ(gAppEnv->installColormap, 1);
    EXPECT_EQ(Parse({"--install-colormap"}), 1);
    EXPECT_EQ(gAppEnv->installColormap, 1);

    testing::internal::CaptureStderr();
    EXPECT_EQ(Parse({"-ix"}), 0);
    EXPECT_EQ(Parse({script, "-q"}), 0);
    EXPECT_EQ(Parse({"--lang"}), 0);
    const std::string usage = testing::internal::GetCapturedStderr();
    EXPECT_EQ(usage.find("Usage: uvola [toolkit options] [-i] [--install-colormap]\n"), 0u);
    EXPECT_NE(usage.find("       uvola --version\n"), std::string::npos);

    testing::internal::CaptureStdout();
    EXPECT_EQ(Parse({"-q", "-V"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), std::string("Uvola Version ") +
                                                          kUvolaVersion + "\n");

    testing::internal::CaptureStderr();
    EXPECT_EQ(Parse({"/no/such/script.stl"}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "uvola: can't open file /no/such/script.stl\n");
}

TEST_F(ProgramTest, CleanStartSkipsUvolarcButNotANamedScript)
{
    const std::string uvolarc = TestHome() + "/uvolarc";
    WriteFile(uvolarc, "DRIVE\n");
    std::snprintf(gAppEnv->startupScriptPath, kPathSize, "%s", uvolarc.c_str());
    const std::string script = TestHome() + "/start.stl";
    WriteFile(script, "");

    ASSERT_EQ(Parse({}), 1);
    EXPECT_EQ(StartupStatement(), "STL \"" + uvolarc + "\"");
    ASSERT_EQ(Parse({"-q"}), 1);
    EXPECT_EQ(StartupStatement(), "");
    ASSERT_EQ(Parse({"--clean-start", script}), 1);
    EXPECT_EQ(StartupStatement(), "STL \"" + script + "\"");
    gAppEnv->startupScriptPath[0] = '\0';
}

// A script that is no file (a FIFO would hold STL in its open before any
// window appears) is named as one that cannot be opened; a uvolarc that is
// none is not run.
TEST_F(ProgramTest, ScriptThatIsNoFileIsRefusedLikeAMissingOne)
{
    const std::string fifo = TestHome() + "/fifo.stl";
    MakeSpecialFile(fifo, SpecialFile::kFifo);
    testing::internal::CaptureStderr();
    EXPECT_EQ(Parse({fifo}), 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "uvola: can't open file " + fifo + "\n");

    std::snprintf(gAppEnv->startupScriptPath, kPathSize, "%s", fifo.c_str());
    ASSERT_EQ(Parse({}), 1);
    EXPECT_EQ(StartupStatement(), "");
    gAppEnv->startupScriptPath[0] = '\0';
}

// What STL and EXIT received while the start-up script ran.
std::vector<std::string> seenStatements;

void RecordStl(Scene&, char* a1)
{
    seenStatements.push_back(std::string("STL ") + (a1 != nullptr ? a1 : "(none)"));
}

void RecordExit(Scene&)
{
    seenStatements.push_back("EXIT");
}

TEST_F(ProgramTest, ScriptNameWithBlanksAndSemicolonReachesStlWhole)
{
    const std::string script = TestHome() + "/my sky, v2;EXIT.stl";
    WriteFile(script, "");
    CommandEntry table[3] = {};
    table[0] = {"STL", {}, 1, 0};
    table[0].handler.take1 = RecordStl;
    table[1] = {"EXIT", {}, 0, 0};
    table[1].handler.take0 = RecordExit;
    StkUseCommandTable(table);
    seenStatements.clear();

    ASSERT_EQ(Parse({script}), 1);
    RunStartupScript();
    ASSERT_EQ(seenStatements.size(), 1u);
    EXPECT_EQ(seenStatements[0], "STL " + script);

    // A quote in the name could end the argument early: refused at once.
    const std::string quoted = TestHome() + "/a\"b.stl";
    WriteFile(quoted, "");
    testing::internal::CaptureStderr();
    EXPECT_EQ(Parse({quoted}), 0);
    testing::internal::GetCapturedStderr();
}

// --- Geometry option ---------------------------------------------------------

TEST_F(ProgramTest, GeometryIsHeldToTheScreenAndKeepsItsPosition)
{
    const struct {
        const char* option;
        const char* shell;
    } rows[] = {
        {"65535x65535", "1280x1024"}, {"23300x23300+10-20", "1280x1024+10-20"}, {"800x600-0+0", "800x600-0+0"},
        {"2000x100", "1280x100"},     {"x5000", "x1024"},                      {"+40+50", "+40+50"},
        {"nonsense", "nonsense"},     {"", ""},
    };
    for (const auto& row : rows) {
        char shell[64];
        ASSERT_EQ(ClampGeometryToScreen(row.option, 1280, 1024, shell, sizeof shell), 1) << row.option;
        EXPECT_STREQ(shell, row.shell) << row.option;
    }
    char small[4];
    EXPECT_EQ(ClampGeometryToScreen("800x600", 1280, 1024, small, sizeof small), 0);
}

// --- GSAVE -----------------------------------------------------------------

std::string GsaveName(const char* name)
{
    char out[64];
    return GsaveFileName(name, out, sizeof out) != 0 ? std::string(out) : std::string("(none)");
}

TEST_F(ProgramTest, GsaveNamesEndInXpm)
{
    EXPECT_EQ(GsaveName("sky"), "sky.xpm");
    EXPECT_EQ(GsaveName("sky.XPM"), "sky.XPM");
    EXPECT_EQ(GsaveName("sky.png"), "sky.png.xpm");
    EXPECT_EQ(GsaveName("a.b/sky"), "a.b/sky.xpm");
    EXPECT_EQ(GsaveName("sky.xpmx"), "sky.xpmx.xpm");
    EXPECT_EQ(GsaveName(std::string(70, 'a').c_str()), "(none)");

    char name[32];
    XpmArrayName("/tmp/my-sky.xpm", name, sizeof name);
    EXPECT_STREQ(name, "my_sky_xpm");
    XpmArrayName("/tmp/1.xpm", name, sizeof name);
    EXPECT_STREQ(name, "image");
}

TEST_F(ProgramTest, GsaveBeforeTheFirstRedrawFailsWithoutAFile)
{
    const std::string path = TestHome() + "/early";
    gScene->backPixmap = None;
    StkExecuteText(*gScene, ("GSAVE " + path).c_str());
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorFileWriteFailed");
    // No file is named: the parameter is empty.
    EXPECT_STREQ(gAppEnv->errorParam, "");
    EXPECT_STREQ(gAppEnv->errorMessage, "GSAVE: Failed to create file: ");
    EXPECT_FALSE(Exists(path + ".xpm"));
    StkExecuteText(*gScene, "GSAVE");
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam");
}

// A pixmap with three colour bands, read back as a server image.
struct BandImage {
    Pixmap pixmap = None;
    XImage* image = nullptr;
    unsigned long pixels[3] = {};
    BandImage(int width, int height)
    {
        Display* display = gAppEnv->display;
        const int screen = DefaultScreen(display);
        pixmap = XCreatePixmap(display, RootWindow(display, screen), width, height,
                               DefaultDepth(display, screen));
        GC gc = XCreateGC(display, pixmap, 0, nullptr);
        const char* names[] = {"#102030", "#ffcc00", "#0000ff"};
        for (int band = 0; band < 3; ++band) {
            XColor color;
            XParseColor(display, DefaultColormap(display, screen), names[band], &color);
            XAllocColor(display, DefaultColormap(display, screen), &color);
            pixels[band] = color.pixel;
            XSetForeground(display, gc, color.pixel);
            XFillRectangle(display, pixmap, gc, band * width / 3, 0, width, height);
        }
        XFreeGC(display, gc);
        image = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
    }
    ~BandImage()
    {
        XDestroyImage(image);
        XFreePixmap(gAppEnv->display, pixmap);
    }
};

std::vector<std::string> FilesIn(const std::string& directory)
{
    std::vector<std::string> names;
    DIR* dir = opendir(directory.c_str());
    while (dirent* entry = readdir(dir)) {
        if (entry->d_name[0] != '.') {
            names.push_back(entry->d_name);
        }
    }
    closedir(dir);
    return names;
}

// "~name" of a user nobody has names no file; it is never the rest of the
// path from the root directory.
TEST_F(ProgramTest, GsaveUnderTheHomeOfAnUnknownUserFailsWithoutAFile)
{
    BandImage bands(30, 10);
    gScene->backPixmap = bands.pixmap;
    gScene->view.skyRect = XRectangle{0, 0, 30, 10};
    StkExecuteText(*gScene, "GSAVE ~uvola-nobody-at-all/uvola-tilde-test");
    gScene->backPixmap = None;
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorFileWriteFailed");
    EXPECT_STREQ(gAppEnv->errorParam, "");
    EXPECT_FALSE(Exists("/uvola-tilde-test.xpm"));
}

TEST_F(ProgramTest, XpmFileReadsBackPixelForPixel)
{
    const int width = 90;
    const int height = 7;
    BandImage bands(width, height);
    const std::string path = TestHome() + "/bands.xpm";
    ASSERT_EQ(WriteXpmFile(gAppEnv->display, bands.image, None, path.c_str()), 1);

    const std::string text = ReadFile(path);
    EXPECT_EQ(text.find("/* XPM */\nstatic char * bands_xpm[] = {\n\"90 7 3 1\",\n"), 0u);
    EXPECT_EQ(text.substr(text.size() - 4), "\"};\n");
    EXPECT_NE(text.find("c #FFFFCCCC0000"), std::string::npos);

    XImage* back = nullptr;
    ASSERT_EQ(XpmReadFileToImage(gAppEnv->display, path.c_str(), &back, nullptr, nullptr),
              XpmSuccess);
    ASSERT_EQ(back->width, width);
    ASSERT_EQ(back->height, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            ASSERT_EQ(XGetPixel(back, x, y), bands.pixels[x * 3 / width]) << x << "," << y;
        }
    }
    XDestroyImage(back);
}

TEST_F(ProgramTest, FailedXpmWriteLeavesTheOldFileAndNoTemporary)
{
    const std::string directory = TestHome() + "/images";
    mkdir(directory.c_str(), 0755);
    const std::string path = directory + "/sky.xpm";
    WriteFile(path, "old picture");
    BandImage bands(600, 400);

    // A file size limit makes the write fail part way.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &small);
    const int written = WriteXpmFile(gAppEnv->display, bands.image, None, path.c_str());
    setrlimit(RLIMIT_FSIZE, &old);

    EXPECT_EQ(written, 0);
    EXPECT_EQ(ReadFile(path), "old picture");
    EXPECT_EQ(FilesIn(directory), std::vector<std::string>{"sky.xpm"});

    // A directory in the way of the name is not replaced.
    const std::string blocked = directory + "/taken";
    mkdir(blocked.c_str(), 0755);
    EXPECT_EQ(WriteXpmFile(gAppEnv->display, bands.image, None, blocked.c_str()), 0);
    EXPECT_EQ(FilesIn(directory).size(), 2u);
    EXPECT_EQ(WriteXpmFile(gAppEnv->display, bands.image, None, "/no/such/dir/x.xpm"), 0);
}

// Read a band of rows per request, the image is the same as in one read,
// whatever the band size.
TEST_F(ProgramTest, PixmapReadInBandsIsTheImageOfOneRead)
{
    const int width = 90;
    const int height = 37;
    BandImage bands(width, height);
    const unsigned int depth = static_cast<unsigned int>(DefaultDepth(gAppEnv->display, DefaultScreen(gAppEnv->display)));
    for (size_t bandBytes : {size_t{1}, size_t{width * 4 * 5}, size_t{1} << 30}) {
        XImage* read = StkReadPixmapImage(gAppEnv->display, bands.pixmap, width, height, depth, bandBytes);
        ASSERT_NE(read, nullptr) << bandBytes;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                ASSERT_EQ(XGetPixel(read, x, y), XGetPixel(bands.image, x, y)) << bandBytes << ": " << x << "," << y;
            }
        }
        XDestroyImage(read);
    }
}

// A picture kept private stays private when GSAVE writes it again.
TEST_F(ProgramTest, GsaveKeepsTheModeOfTheFileItReplaces)
{
    BandImage bands(40, 20);
    gScene->backPixmap = bands.pixmap;
    gScene->view.skyRect = XRectangle{0, 0, 40, 20};
    const std::string path = TestHome() + "/private.xpm";
    for (mode_t mode : {0600u, 0640u}) {
        WriteFile(path, "old");
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        StkExecuteText(*gScene, ("GSAVE " + path).c_str());
        EXPECT_STREQ(gAppEnv->errorKey, "");
        struct stat info;
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
        EXPECT_NE(ReadFile(path), "old");
    }
    gScene->backPixmap = None;
}

// The longest name a GSAVE statement carries, in the current directory: the
// writer's temporary must not push it over the file system's limit.
TEST_F(ProgramTest, GsaveSavesTheLongestNameAStatementCarries)
{
    BandImage bands(40, 20);
    gScene->backPixmap = bands.pixmap;
    gScene->view.skyRect = XRectangle{0, 0, 40, 20};
    char* previous = getcwd(nullptr, 0);
    ASSERT_EQ(chdir(TestHome().c_str()), 0);
    const std::string name(kMaxStatementLength - std::strlen("GSAVE "), 'g');
    StkExecuteText(*gScene, ("GSAVE " + name).c_str());
    EXPECT_STREQ(gAppEnv->errorKey, "");
    EXPECT_TRUE(Exists(name + ".xpm"));
    EXPECT_EQ(chdir(previous), 0);
    std::free(previous);
    gScene->backPixmap = None;
}

TEST_F(ProgramTest, GsaveWritesTheWindowsRowsAndTheSameStateGivesTheSameFile)
{
    BandImage bands(120, 40);
    gScene->backPixmap = bands.pixmap;
    gScene->view.skyRect = XRectangle{0, 16, 120, 24};   // under a status line 16 rows high
    const std::string first = TestHome() + "/one/sky";
    const std::string second = TestHome() + "/two/sky.xpm";
    mkdir((TestHome() + "/one").c_str(), 0755);
    mkdir((TestHome() + "/two").c_str(), 0755);
    StkExecuteText(*gScene, ("GSAVE " + first).c_str());
    EXPECT_STREQ(gAppEnv->errorKey, "");
    StkExecuteText(*gScene, ("GSAVE " + second + ", XPM").c_str());
    EXPECT_STREQ(gAppEnv->errorKey, "");
    // With the status line hidden the window is the sky alone; the
    // pixmap's spare rows below it are left out.
    gScene->view.skyRect = XRectangle{0, 0, 120, 24};
    const std::string third = TestHome() + "/one/hidden";
    StkExecuteText(*gScene, ("GSAVE " + third).c_str());
    EXPECT_STREQ(gAppEnv->errorKey, "");
    gScene->backPixmap = None;
    const std::string text = ReadFile(first + ".xpm");
    EXPECT_NE(text.find("\"120 40 3 1\""), std::string::npos);
    EXPECT_EQ(text, ReadFile(second));
    EXPECT_NE(ReadFile(third + ".xpm").find("\"120 24 "), std::string::npos);
}

// --- Animation ---------------------------------------------------------------

AnimationStep StepUntilEnd(Scene& scene, int& steps)
{
    steps = 0;
    AnimationStep step = kStepGoOn;
    while (step == kStepGoOn && steps < 10000) {
        step = StkAdvanceAnimation(scene);
        ++steps;
    }
    return step;
}

TEST_F(ProgramTest, ContinueToATargetStopsExactlyOnIt)
{
    Scene& scene = *gScene;
    SetDate(2000, 12, 29, 10, 17);
    scene.timeStep = DateInterval{0, 0, 1, 0, 0, 0.0};
    StkExecuteText(scene, "CONTINUE 2001,1,1,0,0");
    ASSERT_STREQ(gAppEnv->errorKey, "");
    ASSERT_EQ(scene.animation.running, 1);
    EXPECT_EQ(scene.animationDirection, 0);
    EXPECT_EQ(scene.animation.stopMode, 1);

    int steps = 0;
    EXPECT_EQ(StepUntilEnd(scene, steps), kStepReachedTarget);
    EXPECT_EQ(steps, 3);   // Dec 30, Dec 31, then the step that passes Jan 1
    const DateTime& date = scene.time.date;
    EXPECT_EQ(date.year, 2001);
    EXPECT_EQ(date.month, 1);
    EXPECT_EQ(date.day, 1);
    EXPECT_EQ(date.hour, 0);
    EXPECT_EQ(date.minute, 0);
    EXPECT_NEAR(date.second, 0.0, 1e-3);
    EXPECT_NEAR(scene.time.julianDay, JulianDayFromCalendar(2001, 1, 1.0), 1e-8);
}

TEST_F(ProgramTest, ReverseToATargetStopsExactlyOnItAndOmittedFieldsComeFromTheDate)
{
    Scene& scene = *gScene;
    SetDate(2000, 1, 3, 5, 30);
    scene.timeStep = DateInterval{0, 0, 0, 7, 0, 0.0};
    StkExecuteText(scene, "REVERSE 1999,12,31");   // hour and minute of the date: 05:30
    ASSERT_EQ(scene.animation.running, 1);
    EXPECT_EQ(scene.animationDirection, 1);
    int steps = 0;
    EXPECT_EQ(StepUntilEnd(scene, steps), kStepReachedTarget);
    EXPECT_EQ(steps, 11);   // 72 hours back in 7-hour steps: the 11th passes it
    EXPECT_EQ(scene.time.date.year, 1999);
    EXPECT_EQ(scene.time.date.day, 31);
    EXPECT_EQ(scene.time.date.hour, 5);
    EXPECT_EQ(scene.time.date.minute, 30);
}

TEST_F(ProgramTest, StepPastYear30000IsRefusedAndTheDateKept)
{
    Scene& scene = *gScene;
    SetDate(30000, 12, 31, 12, 0);
    scene.timeStep = DateInterval{0, 0, 1, 0, 0, 0.0};
    StkExecuteText(scene, "CONTINUE");
    EXPECT_EQ(StkAdvanceAnimation(scene), kStepOutOfRange);
    EXPECT_EQ(scene.time.date.year, 30000);
    EXPECT_EQ(scene.time.date.day, 31);
}

// A target date is not checked (month 13 counts on into the next year);
// what CONTINUE cannot read is a first argument that begins with no digit or
// sign, and numbers beyond int32.
TEST_F(ProgramTest, BadAnimationArgumentsAreRefusedAndStartNoRun)
{
    Scene& scene = *gScene;
    const char* bad[] = {"CONTINUE X", "REVERSE Y", "CONTINUE 2001,1,1,0,0,99999999999",
                         "CONTINUE REALTIME1,2001,1,99999999999"};
    for (const char* command : bad) {
        const AnimationState before = scene.animation;
        StkExecuteText(scene, command);
        EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam") << command;
        EXPECT_EQ(scene.animation.running, 0) << command;
        EXPECT_EQ(scene.animation.workProc, 0u) << command;
        EXPECT_EQ(scene.animation.stopMode, before.stopMode) << command;
    }
    StkExecuteText(scene, "CONTINUE X");
    EXPECT_STREQ(gAppEnv->errorMessage, "CONTINUE: Illegal Parameter: X");
    EXPECT_EQ(scene.animationDirection, 0);

    for (const char* accepted : {"REVERSE 2001,13,1", "CONTINUE 2001,2,30", "CONTINUE 2001,1,1,0,0,61"}) {
        StkExecuteText(scene, accepted);
        EXPECT_STREQ(gAppEnv->errorKey, "") << accepted;
        EXPECT_EQ(scene.animation.running, 1) << accepted;
        StkExecuteText(scene, "CONTINUE");
    }

    StkExecuteText(scene, "REALTIME 1,2,x");
    EXPECT_STREQ(gAppEnv->errorKey, "");
    EXPECT_EQ(scene.animation.realTimeMode, 1);
    EXPECT_EQ(scene.animation.synchronised, 0);
    EXPECT_EQ(scene.animation.interval, 0);
    StkExecuteText(scene, "REALTIME 1,1,99999999999");
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam");
    EXPECT_EQ(scene.animation.synchronised, 0);
}

TEST_F(ProgramTest, ContinueWhileRunningStopsWhateverItsArguments)
{
    Scene& scene = *gScene;
    for (const char* stop : {"CONTINUE 2030,1,1", "REVERSE X"}) {
        StkExecuteText(scene, "REVERSE");
        ASSERT_EQ(scene.animation.running, 1);
        ASSERT_NE(scene.animation.workProc, 0u);
        StkExecuteText(scene, stop);
        EXPECT_EQ(scene.animation.running, 0) << stop;
        EXPECT_EQ(scene.animation.workProc, 0u) << stop;
    }
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorIllegalParam");   // X is still no date
}

TEST_F(ProgramTest, WorkProcedureRunsToTheTargetAndRemovesItself)
{
    Scene& scene = *gScene;
    SetDate(2024, 3, 1, 0, 0);
    scene.timeStep = DateInterval{0, 0, 0, 1, 0, 0.0};
    StkExecuteText(scene, "CONTINUE 2024,3,2,0,0");
    EXPECT_TRUE(RunUntil([&] { return scene.animation.running == 0; }));
    EXPECT_EQ(scene.time.date.day, 2);
    EXPECT_EQ(scene.time.date.hour, 0);
    // Removed: further turns leave the date alone.
    Settle();
    EXPECT_EQ(scene.time.date.day, 2);
}

TEST_F(ProgramTest, RunLeavingTheDateRangeStopsWithOneMessage)
{
    Scene& scene = *gScene;
    gAppEnv->quiet = 0;
    SetDate(29999, 6, 1, 0, 0);
    scene.timeStep = DateInterval{0, 3, 0, 0, 0, 0.0};
    StkExecuteText(scene, "CONTINUE");
    EXPECT_TRUE(RunUntil([&] { return scene.animation.running == 0; }));
    for (int turn = 0; turn < 20; ++turn) {
        Turn();
    }
    EXPECT_EQ(scene.time.date.year, 30000);
    EXPECT_EQ(scene.time.date.month, 12);
    EXPECT_EQ(OpenMessageBoxes(), 1);
}

// A run the command port started shows its box too: the request that
// started it was answered long before.
TEST_F(ProgramTest, RunStartedQuietlyLeavingTheDateRangeShowsItsBox)
{
    Scene& scene = *gScene;
    SetDate(30000, 12, 1, 0, 0);
    scene.timeStep = DateInterval{1, 0, 0, 0, 0, 0.0};
    StkExecuteText(scene, "CONTINUE");
    gAppEnv->quiet = 0;   // the request is over when the run stops
    EXPECT_TRUE(RunUntil([&] { return scene.animation.running == 0; }));
    for (int turn = 0; turn < 20; ++turn) {
        Turn();
    }
    EXPECT_EQ(OpenMessageBoxes(), 1);
}

// INIT without a default site tells the user how to set one in a box, each
// time, also for a command-port request.
TEST_F(ProgramTest, InitWithoutADefaultSiteShowsItsBoxEachTime)
{
    gAppEnv->startingUp = 0;
    int expected = 0;
    for (int quiet : {1, 0, 1}) {
        gAppEnv->quiet = quiet;
        StkExecuteText(*gScene, "INIT");
        EXPECT_STREQ(gAppEnv->errorKey, "");
        Settle();
        EXPECT_EQ(OpenMessageBoxes(), ++expected) << quiet;
    }
    gAppEnv->quiet = 0;
    EXPECT_STREQ(gScene->siteName, "Greenwich (United Kingdom)");
}

TEST_F(ProgramTest, RealTimeRunFollowsTheClockAndRealtimeRestartsARun)
{
    Scene& scene = *gScene;
    SetDate(1990, 1, 1, 0, 0);
    StkExecuteText(scene, "REALTIME 1,0,5");
    EXPECT_EQ(scene.animation.realTimeMode, 1);
    EXPECT_EQ(scene.animation.synchronised, 0);
    StkExecuteText(scene, "CONTINUE");
    ASSERT_EQ(scene.animation.running, 1);
    EXPECT_NE(scene.animation.workProc, 0u);   // not synchronised: a work procedure
    EXPECT_TRUE(RunUntil([&] { return scene.time.date.year != 1990; }));
    EXPECT_NEAR(scene.time.julianDay, CurrentJulianDay(), 2.0 / 86400.0);

    // REALTIME during the run restarts it with the new settings.
    StkExecuteText(scene, "REALTIME 2,1,60");
    EXPECT_EQ(scene.animation.running, 1);
    EXPECT_EQ(scene.animation.clockMode, 2);
    EXPECT_NE(scene.animation.timer, 0u);
    EXPECT_EQ(scene.animation.workProc, 0u);
}

TEST_F(ProgramTest, InputNamesItsDialogsAndRefusesOtherWords)
{
    StkExecuteText(*gScene, "INPUT date");
    EXPECT_STREQ(gAppEnv->errorKey, "stkErrorNotAvailable");
    StkExecuteText(*gScene, "INPUT FOO");
    EXPECT_STREQ(gAppEnv->errorMessage, "INPUT: Illegal Parameter: FOO");
    StkExecuteText(*gScene, "INPUT");
    EXPECT_STREQ(gAppEnv->errorMessage, "INPUT: Illegal Parameter: ");
}

}  // namespace
