// The script and image file dialogs under Xvfb, over a real Scene and
// canvas: a file chosen in the box as a user chooses it (its name typed,
// OK pressed). A saved script opened again draws the saved chart; names
// that would break a statement are refused with nothing run or stored;
// a save that cannot be written leaves the old file; the directories are
// remembered, "~" included, and kept by the options file.
#include "tests/dialogs/settings_dialog_fixture.h"

#include "core/options.h"
#include "core/user_directory.h"
#include "dialogs/file_dialogs.h"
#include "tests/harness/test_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <Xm/FileSB.h>

namespace {

using dialogtest::DialogDriver;
using Texts = std::vector<std::string>;

class FileDialogs : public dialogtest::SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        home = TestHome();
        mkdir((home + "/sky").c_str(), 0755);
        std::snprintf(gAppEnv->stlFileIoPath, kPathSize, "%s", home.c_str());
        std::snprintf(gAppEnv->saveImagePath, kPathSize, "%s", home.c_str());
        scene.scriptName[0] = '\0';
    }

    // The name typed into the box and OK pressed.
    void Choose(Widget box, const std::string& name)
    {
        driver.Type(box, "Text", name.c_str());
        driver.Press(box, "OK");
    }

    static std::string Directory(Widget box)
    {
        XmString directory = nullptr;
        XtVaGetValues(box, XmNdirectory, &directory, nullptr);
        char* text = static_cast<char*>(XmStringUnparse(directory, nullptr, XmCHARSET_TEXT,
                                                        XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL));
        std::string path = text;
        XtFree(text);
        XmStringFree(directory);
        while (path.size() > 1 && path.back() == '/') {
            path.pop_back();
        }
        return path;
    }

    std::string home;
};

TEST_F(FileDialogs, SavedScriptOpenedAgainDrawsTheSavedChart)
{
    StkExecuteText(scene, "MODE EQT;LOOK STAR alphaOri;SHOW CONS_LINE,CONS_NAME2;DRIVE");
    const std::string saved = Chart();
    Widget save = Show(ShowSaveFileDialog, SaveFileDialogWidget);
    const std::string path = home + "/sky/orion.stl";
    Choose(save, path);
    EXPECT_TRUE(driver.Texts().empty()) << "the state writer runs no command";
    EXPECT_FALSE(XtIsManaged(save));
    EXPECT_STREQ(scene.scriptName, path.c_str());
    EXPECT_STREQ(gAppEnv->stlFileIoPath, (home + "/sky").c_str());

    StartScene();
    EXPECT_FALSE(Chart() == saved);
    Widget open = Show(ShowOpenFileDialog, OpenFileDialogWidget);
    EXPECT_EQ(Directory(open), home + "/sky");
    Choose(open, path);
    EXPECT_EQ(driver.Texts()[0], "STL \"" + path + "\"");
    EXPECT_FALSE(XtIsManaged(open));
    EXPECT_STREQ(scene.scriptName, path.c_str());
    EXPECT_TRUE(Chart() == saved) << "the opened script drew another chart";
    // The image oracle: the same text typed as a command.
    ExpectSameChartAsItsTexts("DRIVE", [&] {
        Choose(Show(ShowOpenFileDialog, OpenFileDialogWidget), path);
    });
}

TEST_F(FileDialogs, ImageKeepsItsWholeNameAndItsDirectory)
{
    Widget box = Show(ShowSaveImageDialog, SaveImageDialogWidget);
    Choose(box, home + "/sky/my sky");
    EXPECT_EQ(driver.Texts(), Texts{"GSAVE \"" + home + "/sky/my sky\""});
    EXPECT_TRUE(Exists(home + "/sky/my sky.xpm"));
    EXPECT_FALSE(Exists(home + "/sky/my.xpm"));
    // The same image, but for the name the file gives its picture.
    const auto pixels = [](const std::string& xpm) { return xpm.substr(xpm.find('{')); };
    EXPECT_TRUE(pixels(ReadFile(home + "/sky/my sky.xpm")) == pixels(Chart()));
    EXPECT_STREQ(gAppEnv->saveImagePath, (home + "/sky").c_str());
    EXPECT_STREQ(gAppEnv->stlFileIoPath, home.c_str()) << "the scripts keep their own directory";
}

// A name holding a separator or a quote, or too long for a statement, is
// refused as the command would be: nothing runs, nothing is stored, the
// dialog stays with the name.
TEST_F(FileDialogs, NamesThatWouldBreakTheStatementAreRefused)
{
    const std::string longName = home + "/" + std::string(260, 'n') + ".stl";
    const struct {
        void (*show)(Scene*);
        Widget (*widget)();
        const char* word;
        std::string name;
        std::string shown;   // the refused text the message names
    } rows[] = {
        {ShowOpenFileDialog, OpenFileDialogWidget, "STL", home + "/a;EXIT;.stl", home + "/a;EXIT;.stl"},
        {ShowOpenFileDialog, OpenFileDialogWidget, "STL", home + "/say \"hi\".stl",
         home + "/say \"hi\".stl"},
        {ShowOpenFileDialog, OpenFileDialogWidget, "STL", longName, "STL \"" + longName},
        {ShowSaveImageDialog, SaveImageDialogWidget, "GSAVE", home + "/a;EXIT", home + "/a;EXIT"},
        {ShowSaveImageDialog, SaveImageDialogWidget, "GSAVE", home + "/\"x", home + "/\"x"},
        {ShowSaveImageDialog, SaveImageDialogWidget, "GSAVE", longName, "GSAVE \"" + longName},
        {ShowSaveFileDialog, SaveFileDialogWidget, "SAVEFILE", longName, longName},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name.substr(0, 60));
        WriteFile(row.name, "BLOCK CONTROL\n\tSCENE MAIN\n\t\tEXIT\n\tEND SCENE\nEND BLOCK\n");
        Widget box = Show(row.show, row.widget);
        Choose(box, row.name);
        EXPECT_TRUE(driver.Texts().empty());
        EXPECT_TRUE(XtIsManaged(box));
        EXPECT_STREQ(scene.scriptName, "");
        EXPECT_STREQ(gAppEnv->stlFileIoPath, home.c_str());
        EXPECT_STREQ(gAppEnv->saveImagePath, home.c_str());
        EXPECT_EQ(TakeWarnings(),
                  Texts{std::string(row.word) + ": Illegal Parameter: " + row.shown.substr(0, 39)});
        XtUnmanageChild(box);
    }
    EXPECT_EQ(Temporaries(longName), std::vector<std::string>{});
}

TEST_F(FileDialogs, SaveRefusesALineBreakTheOptionsFileWouldSplit)
{
    Widget box = Show(ShowSaveFileDialog, SaveFileDialogWidget);
    // The box's own field takes a line break only when pasted whole.
    XmString name = XmStringCreateLocalized(const_cast<char*>((home + "/a\nb.stl").c_str()));
    XmFileSelectionBoxCallbackStruct chosen{};
    chosen.reason = XmCR_OK;
    chosen.value = name;
    XtCallCallbacks(box, XmNokCallback, &chosen);
    XmStringFree(name);
    EXPECT_FALSE(Exists(home + "/a\nb.stl"));
    EXPECT_STREQ(gAppEnv->stlFileIoPath, home.c_str());
    // The box shows the break as a new line, which reads back as nothing.
    EXPECT_EQ(TakeWarnings(), Texts{"SAVEFILE: Illegal Parameter: " + home + "/ab.stl"});
    EXPECT_FALSE(Exists(home + "/ab.stl"));
}

TEST_F(FileDialogs, OpenTakesOnlyARegularFileItCanRead)
{
    mkfifo((home + "/pipe.stl").c_str(), 0644);
    for (const std::string& name : {home + "/sky", home + "/sky/", home + "/missing.stl",
                                    home + "/pipe.stl"}) {
        Widget box = Show(ShowOpenFileDialog, OpenFileDialogWidget);
        Choose(box, name);
        EXPECT_TRUE(driver.Texts().empty()) << name;
        EXPECT_EQ(TakeWarnings(), Texts{"Can't open file: " + name});
        EXPECT_STREQ(scene.scriptName, "") << name;
        EXPECT_TRUE(XtIsManaged(box)) << name;
    }
}

// A translated text that would read a number where the program passes the
// name is not used; the program's own stands in.
TEST_F(FileDialogs, OpenWarningKeepsItsOwnFormatAgainstABadResource)
{
    XrmDatabase database = XtScreenDatabase(XtScreen(gAppEnv->toplevel));
    XrmPutLineResource(&database, "UVola*messageCannotOpenFile: %d bytes in %s");
    Widget box = Show(ShowOpenFileDialog, OpenFileDialogWidget);
    Choose(box, home + "/missing.stl");
    EXPECT_EQ(TakeWarnings(), Texts{"Can't open file: " + home + "/missing.stl"});
    XrmPutLineResource(&database, "UVola*messageCannotOpenFile: Datei %s fehlt");
    Choose(box, home + "/missing.stl");
    EXPECT_EQ(TakeWarnings(), Texts{"Datei " + home + "/missing.stl fehlt"});
    XrmPutLineResource(&database, "UVola*messageCannotOpenFile: Can't open file: %s");
}

// Written where the disk is full or read-only, the old script stays byte
// for byte, the user is told, and nothing is recorded.
TEST_F(FileDialogs, FailedSaveLeavesTheOldScriptAndWarns)
{
    const PrivateTmpfs disk(home + "/disk");
    if (!disk.why.empty()) {
        GTEST_SKIP() << disk.why;
    }
    const std::string path = disk.path + "/night.stl";
    const std::string old = "BLOCK CONTROL\n\tSCENE MAIN\n\t\tMODE GAL\n\tEND SCENE\nEND BLOCK\n";
    WriteFile(path, old);
    disk.Fill();
    for (const bool readOnly : {false, true}) {
        if (readOnly) {
            ASSERT_TRUE(disk.SetReadOnly(true));
        }
        Widget box = Show(ShowSaveFileDialog, SaveFileDialogWidget);
        Choose(box, path);
        EXPECT_EQ(ReadFile(path), old) << readOnly;
        EXPECT_EQ(TakeWarnings(), Texts{"Can't create file: " + path}) << readOnly;
        EXPECT_TRUE(XtIsManaged(box));
        EXPECT_STREQ(scene.scriptName, "");
        EXPECT_STREQ(gAppEnv->stlFileIoPath, home.c_str());
    }
}

TEST_F(FileDialogs, RememberedDirectoriesComeBackAfterARestart)
{
    ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
    Choose(Show(ShowSaveImageDialog, SaveImageDialogWidget), home + "/sky/a.xpm");
    Choose(Show(ShowSaveFileDialog, SaveFileDialogWidget), home + "/b.stl");
    ASSERT_EQ(WriteOptionsFile(), 1);
    char kept[kPathSize] = "";
    ASSERT_EQ(GetOptionString("SaveImagePath", kept, sizeof kept), 1);
    EXPECT_EQ(std::string(kept), home + "/sky");
    ASSERT_EQ(GetOptionString("StlFileIoPath", kept, sizeof kept), 1);
    EXPECT_EQ(std::string(kept), home);
    // An options file written by hand may begin a directory with "~".
    std::snprintf(gAppEnv->stlFileIoPath, kPathSize, "~/sky");
    EXPECT_EQ(Directory(Show(ShowOpenFileDialog, OpenFileDialogWidget)), home + "/sky");
}

TEST_F(FileDialogs, CancelAndWindowManagerCloseChangeNothing)
{
    const struct {
        void (*show)(Scene*);
        Widget (*widget)();
    } rows[] = {{ShowOpenFileDialog, OpenFileDialogWidget},
                {ShowSaveFileDialog, SaveFileDialogWidget},
                {ShowSaveImageDialog, SaveImageDialogWidget}};
    for (const auto& row : rows) {
        Widget box = Show(row.show, row.widget);
        driver.Type(box, "Text", (home + "/x.stl").c_str());
        driver.Press(box, "Cancel");
        EXPECT_FALSE(XtIsManaged(box));
        box = Show(row.show, row.widget);
        ASSERT_TRUE(driver.CloseFromWindowManager(box));
    }
    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_STREQ(scene.scriptName, "");
    EXPECT_FALSE(Exists(home + "/x.stl"));
}

}  // namespace
