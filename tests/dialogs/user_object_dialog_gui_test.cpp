// The user-object dialog under Xvfb, over a real Scene: the loaded files
// listed, files added through the Add box and deleted, OK's texts in list
// order, refused additions, and Cancel or the window manager's close
// forgetting the working list, so the next Show lists each loaded file
// once.
#include "tests/dialogs/settings_dialog_fixture.h"

#include "dialogs/kit/scrolled_list.h"
#include "dialogs/user_object_dialog.h"
#include "sky/catalog/user_object_files.h"
#include "sky/scene.h"

#include <Xm/FileSB.h>
#include <Xm/List.h>
#include <sys/stat.h>

namespace {

using Texts = std::vector<std::string>;

class UserObjectDialog : public dialogtest::SettingsDialogTest {
protected:
    void SetUp() override
    {
        SettingsDialogTest::SetUp();
        home = TestHome();
        mkdir((home + "/a").c_str(), 0755);
        mkdir((home + "/b").c_str(), 0755);
        WriteFile(home + "/a/objects.adf", "0042 4116 MARK 0 \"Andromeda\" 7\n0535 -0523 MARK 0 \"Orion\" 7\n");
        WriteFile(home + "/b/objects.adf", "0347 2407 MARK 0 \"Pleiades\" 7\n");
        WriteFile(home + "/b/more.adf", "1641 3628 MARK 0 \"Hercules\" 7\n");
        std::snprintf(gAppEnv->userObjectFilePath, kPathSize, "%s/b", home.c_str());
        StkExecuteText(scene, ("UNLOAD AD;LOAD AD \"" + home + "/a/objects.adf\"").c_str());
        StkClearError();
        driver.ForgetTexts();
    }

    Widget ShowDialog() { return Show(ShowUserObjectDialog, UserObjectDialogWidget); }

    // A file chosen in the Add box as a user chooses it.
    void Add(Widget dialog, const std::string& path)
    {
        driver.Press(dialog, "ButtonAddFile");
        Widget box = AddUserObjectDialogWidget();
        driver.Type(box, "Text", path.c_str());
        driver.Press(box, "OK");
    }

    static Texts Items(Widget dialog)
    {
        return DialogDriver::ListItems(DialogDriver::Child(dialog, "UserObjectList"));
    }

    static int Selected(Widget dialog)
    {
        return SelectedPosition(DialogDriver::Child(dialog, "UserObjectList"));
    }

    using DialogDriver = dialogtest::DialogDriver;
    std::string home;
};

// The Add box opens in the directory it was made in, on the user-object
// files: a folder remembered later is for the options file, not for the
// box, and no folder is made for either. (First in the file: the first Add
// of the run makes the box.)
TEST_F(UserObjectDialog, AddBoxKeepsTheDirectoryItWasMadeInAndMakesNoFolder)
{
    const bool makesTheBox = AddUserObjectDialogWidget() == nullptr;
    const std::string made = home + "/a";
    const std::string missing = home + "/new/adf";
    std::snprintf(gAppEnv->userObjectFilePath, kPathSize, "%s", made.c_str());
    Widget dialog = ShowDialog();
    driver.Press(dialog, "ButtonAddFile");
    Widget box = AddUserObjectDialogWidget();
    const std::string mask = DialogDriver::StringResource(box, XmNdirMask);
    if (makesTheBox) {
        EXPECT_EQ(mask, made + "/*.adf");
    }
    XtUnmanageChild(box);
    for (const std::string& later : {missing, home + "/b"}) {
        std::snprintf(gAppEnv->userObjectFilePath, kPathSize, "%s", later.c_str());
        driver.Press(dialog, "ButtonAddFile");
        EXPECT_TRUE(XtIsManaged(box));
        EXPECT_EQ(DialogDriver::StringResource(box, XmNdirMask), mask) << later;
        driver.Press(box, "Cancel");
        EXPECT_FALSE(XtIsManaged(box));
    }
    struct stat status {};
    EXPECT_NE(stat((home + "/new").c_str(), &status), 0);
    driver.Press(dialog, "ButtonCancel");
}

TEST_F(UserObjectDialog, OkUnloadsAndLoadsTheListInOrder)
{
    Widget dialog = ShowDialog();
    EXPECT_EQ(Items(dialog), Texts{"objects.adf"});
    EXPECT_EQ(Selected(dialog), 1);
    EXPECT_TRUE(Sensitive(dialog, "ButtonDelFile"));
    // Two files of one name in two folders are both listed.
    Add(dialog, home + "/b/objects.adf");
    Add(dialog, home + "/b/more.adf");
    EXPECT_EQ(Items(dialog), (Texts{"objects.adf", "objects.adf", "more.adf"}));
    EXPECT_EQ(Selected(dialog), 3);
    EXPECT_STREQ(gAppEnv->userObjectFilePath, (home + "/b").c_str());
    driver.Press(dialog, "ButtonOK");
    EXPECT_FALSE(XtIsManaged(dialog));
    EXPECT_EQ(driver.Texts(), (Texts{"UNLOAD AD", "LOAD AD \"" + home + "/a/objects.adf\"",
                                     "LOAD AD \"" + home + "/b/objects.adf\"",
                                     "LOAD AD \"" + home + "/b/more.adf\"", "DRIVE"}));
    ASSERT_EQ(scene.userObjectFileCount, 3);
    EXPECT_EQ(std::string(scene.userObjectFiles[2].path), home + "/b/more.adf");
}

// Each Add shows the whole list with the new file selected, and neither a
// long name nor a short one changes the dialog's width.
TEST_F(UserObjectDialog, ThreeAddsShowEveryFileAndKeepTheWidth)
{
    const std::string longName = home + "/b/a_user_object_file_with_a_rather_long_name.adf";
    WriteFile(longName, "0347 2407 MARK 0 \"Pleiades\" 7\n");
    Widget dialog = ShowDialog();
    Widget list = DialogDriver::Child(dialog, "UserObjectList");
    const Dimension width = XtParent(dialog)->core.width;
    const std::string added[] = {home + "/b/more.adf", longName, home + "/b/objects.adf"};
    int count = 1;
    for (const std::string& path : added) {
        SCOPED_TRACE(path);
        Add(dialog, path);
        ++count;
        EXPECT_EQ(static_cast<int>(Items(dialog).size()), count);
        EXPECT_EQ(Selected(dialog), count);
        for (int position = 1; position <= count; ++position) {
            Position x, y;
            Dimension w, h;
            EXPECT_TRUE(XmListPosToBounds(list, position, &x, &y, &w, &h)) << position;
        }
        EXPECT_EQ(XtParent(dialog)->core.width, width);
    }
    driver.Press(dialog, "ButtonCancel");
}

TEST_F(UserObjectDialog, DeleteSelectsTheNextEntryAndAnEmptyListUnloadsAll)
{
    Widget dialog = ShowDialog();
    Add(dialog, home + "/b/more.adf");
    driver.Select(dialog, "UserObjectList", 1);
    driver.Press(dialog, "ButtonDelFile");
    EXPECT_EQ(Items(dialog), Texts{"more.adf"});
    EXPECT_EQ(Selected(dialog), 1);
    driver.Press(dialog, "ButtonDelFile");
    EXPECT_TRUE(Items(dialog).empty());
    EXPECT_FALSE(Sensitive(dialog, "ButtonDelFile"));
    driver.Press(dialog, "ButtonOK");
    EXPECT_EQ(driver.Texts(), (Texts{"UNLOAD AD", "DRIVE"}));
    EXPECT_EQ(scene.userObjectFileCount, 0);
}

TEST_F(UserObjectDialog, ListedUnreadableAndUnnameableFilesAreRefused)
{
    Widget dialog = ShowDialog();
    const std::string quoted = home + "/b/a\"b.adf";
    WriteFile(quoted, "0347 2407 MARK 0 \"Pleiades\" 7\n");
    const struct {
        std::string path;
        std::string warning;
    } rows[] = {
        {home + "/a/objects.adf", "Already selected: " + home + "/a/objects.adf"},
        {home + "/b/missing.adf", "Can't open file: " + home + "/b/missing.adf"},
        {home + "/b", "Can't open file: " + home + "/b"},
        {quoted, "LOAD: Illegal Parameter: " + quoted},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        Add(dialog, row.path);
        EXPECT_EQ(TakeWarnings(), Texts{row.warning});
        EXPECT_TRUE(XtIsManaged(AddUserObjectDialogWidget()));
        EXPECT_EQ(Items(dialog), Texts{"objects.adf"});
    }
    XtUnmanageChild(AddUserObjectDialogWidget());
    EXPECT_TRUE(driver.Texts().empty());
}

// A closed dialog forgets what it was given: the next Show lists each
// loaded file once and OK then loads nothing twice.
TEST_F(UserObjectDialog, CancelAndCloseForgetTheWorkingList)
{
    for (bool byWindowManager : {false, true}) {
        Widget dialog = ShowDialog();
        Add(dialog, home + "/b/more.adf");
        if (byWindowManager) {
            EXPECT_TRUE(driver.CloseFromWindowManager(dialog));
        } else {
            driver.Press(dialog, "ButtonCancel");
        }
        EXPECT_TRUE(driver.Texts().empty());
        EXPECT_EQ(scene.userObjectFileCount, 1);
        dialog = ShowDialog();
        EXPECT_EQ(Items(dialog), Texts{"objects.adf"});
        driver.Press(dialog, "ButtonCancel");
    }
}

TEST_F(UserObjectDialog, UserObjectsDrawWhatTheirTextsDraw)
{
    ExpectSameChartAsItsTexts("MODE EQT;LOOK STAR alphaOri;SHOW AD;DRIVE", [this] {
        Widget dialog = ShowDialog();
        Add(dialog, home + "/b/objects.adf");
        driver.Press(dialog, "ButtonOK");
    });
}

}  // namespace
