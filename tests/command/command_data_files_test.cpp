// LOAD and UNLOAD of user-object files and of the click data, and INIT,
// through the interpreter against the real Scene: "~" expanded for the
// user-object files and not for the click data, names too
// long for a path refused, a refused file's message in the loader's box
// only, files loaded twice, one or all files
// unloaded, the click data kept when a new file cannot be read.
#include <gtest/gtest.h>

#include "tests/command/command_test_support.h"

#include "core/app_env.h"
#include "sky/catalog/click_data.h"
#include "sky/catalog/user_object_files.h"
#include "sky/object_type.h"
#include "sky/scene.h"
#include "sky/ui_hooks.h"
#include "tests/harness/test_files.h"

#include <sys/stat.h>
#include <string>

namespace {

class DataFileCommands : public ::testing::Test {
protected:
    Scene& scene = *gScene;

    void SetUp() override
    {
        ResetForCommands(scene);
        WriteFile(TestHome() + "/objects.adf", "M31 Andromeda\nM42 Orion\n");
        WriteFile(TestHome() + "/more.adf", "M45 Pleiades\n");
        WriteFile(TestHome() + "/bad.adf", "# first\nM31 Fine\nNOSUCH place\n");
        WriteFile(TestHome() + "/click.cdf", ":M31\n@TEXT Andromeda\n");
    }

    void TearDown() override
    {
        FreeUserObjectFiles(scene);
        FreeClickData(scene);
    }

    std::string Run(const std::string& text) { return RunCommand(scene, text); }

    std::string Path(int file) const { return scene.userObjectFiles[file].path; }
};

TEST_F(DataFileCommands, LoadAdReadsTheFileWithItsTildeExpanded)
{
    EXPECT_EQ(Run("LOAD AD ~/objects.adf"), "");
    EXPECT_EQ(Run("load ad, \"" + TestHome() + "/more.adf\""), "");
    ASSERT_EQ(scene.userObjectFileCount, 2);
    EXPECT_EQ(Path(0), TestHome() + "/objects.adf");
    EXPECT_EQ(scene.userObjectFiles[1].objects[0].name, std::string("Pleiades"));
    // The same file again changes nothing and says nothing.
    EXPECT_EQ(Run("LOAD AD ~/objects.adf"), "");
    EXPECT_EQ(scene.userObjectFileCount, 2);
}

// The loader's own box tells the user, through the port too; no error is
// left for the statement. Without a window the box's text goes to stderr.
TEST_F(DataFileCommands, ARefusedFileIsToldInTheLoadersBoxOnly)
{
    WriteFile(TestHome() + "/empty.adf", "# nothing\n");
    const std::pair<const char*, const char*> rows[] = {
        {"LOAD AD ~/bad.adf", "uvola: Syntax error at line 3\n"},
        {"LOAD AD ~/empty.adf", "uvola: No data contained in user object file.\n"},
    };
    for (int quiet : {1, 0}) {
        for (const auto& [command, told] : rows) {
            testing::internal::CaptureStderr();
            gAppEnv->quiet = quiet;
            EXPECT_EQ(Run(command), "") << command;
            EXPECT_EQ(testing::internal::GetCapturedStderr(), told) << command;
            EXPECT_EQ(scene.userObjectFileCount, 0);
        }
    }
}

TEST_F(DataFileCommands, MissingFilesAndNamesTooLongForAPathAreRefused)
{
    ExpectRefusedUnchanged(scene, "LOAD AD none.adf", "stkErrorFileNotFound", "none.adf");
    EXPECT_STREQ(gAppEnv->errorMessage, "LOAD: File not found: none.adf");
    // Short enough for a statement, too long for a path once expanded.
    const std::string longName = "~/" + std::string(kPathSize - TestHome().size(), 'n');
    ASSERT_LT(longName.size(), 236u);   // "LOAD CLICKDATA " and the name fit in 255
    ExpectRefusedUnchanged(scene, "LOAD AD " + longName, "stkErrorIllegalParam", longName.substr(0, 39).c_str());
    // The click data's name is taken as it stands: no such file.
    ExpectRefusedUnchanged(scene, "LOAD CLICKDATA " + longName, "stkErrorFileNotFound",
                           longName.substr(0, 39).c_str());
    ExpectRefusedUnchanged(scene, "UNLOAD AD " + longName, "stkErrorIllegalParam", longName.substr(0, 39).c_str());
}

// A FIFO would block the program in its open, a directory reads as nothing:
// neither is a file to read, and both are answered as missing.
TEST_F(DataFileCommands, NamesOfNoRegularFileAreAnsweredAsMissing)
{
    ASSERT_EQ(mkfifo((TestHome() + "/fifo.adf").c_str(), 0600), 0);
    ASSERT_EQ(mkdir((TestHome() + "/folder.adf").c_str(), 0700), 0);
    for (const char* name : {"~/fifo.adf", "~/folder.adf"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Run(std::string("LOAD AD ") + name), "stkErrorFileNotFound");
        EXPECT_EQ(scene.userObjectFileCount, 0);
        EXPECT_EQ(Run("LOAD CLICKDATA " + TestHome() + (name + 1)), "stkErrorFileNotFound");
        EXPECT_EQ(scene.clickData, nullptr);
    }
}

TEST_F(DataFileCommands, UnloadAdReleasesOneFileByTheNameItWasLoadedWithOrAll)
{
    ASSERT_EQ(Run("LOAD AD ~/objects.adf; LOAD AD ~/more.adf"), "");
    EXPECT_EQ(Run("UNLOAD AD objects.adf"), "");   // not the name it has
    EXPECT_EQ(scene.userObjectFileCount, 2);
    EXPECT_EQ(Run("UNLOAD AD ~/objects.adf"), "");
    ASSERT_EQ(scene.userObjectFileCount, 1);
    EXPECT_EQ(Path(0), TestHome() + "/more.adf");
    ASSERT_EQ(Run("LOAD AD ~/objects.adf"), "");
    EXPECT_EQ(Run("UNLOAD CLICKDATA"), "");
    EXPECT_EQ(scene.userObjectFileCount, 2);
    EXPECT_EQ(Run("UNLOAD AD"), "");
    EXPECT_EQ(scene.userObjectFileCount, 0);
    EXPECT_EQ(scene.userObjectFiles, nullptr);
}

int gInfoBoxButtonUpdates = 0;

void CountInfoBoxButtonUpdate(Scene&)
{
    ++gInfoBoxButtonUpdates;
}

// The information box's Image button follows the click data in use: only a
// file that was read refreshes it.
TEST_F(DataFileCommands, LoadClickDataTakesTheFileInUseOnlyWhenItWasRead)
{
    gInfoBoxButtonUpdates = 0;
    const UiHooks saved = gUiHooks;
    gUiHooks.updateInfoBoxButtons = CountInfoBoxButtonUpdate;
    // "~" is part of the name, as any other character.
    EXPECT_EQ(Run("LOAD CLICKDATA ~/click.cdf"), "stkErrorFileNotFound");
    EXPECT_STREQ(gAppEnv->errorParam, "~/click.cdf");
    EXPECT_EQ(gInfoBoxButtonUpdates, 0);
    ASSERT_EQ(Run("LOAD CLICKDATA " + TestHome() + "/click.cdf"), "");
    EXPECT_EQ(gInfoBoxButtonUpdates, 1);
    EXPECT_EQ(std::string(gAppEnv->clickDataFile), TestHome() + "/click.cdf");
    ASSERT_NE(scene.clickData, nullptr);
    const int32_t id = scene.clickData[0].id;
    char text[64];
    int image = 0;
    EXPECT_EQ(FindClickDataText(scene, kObjectNebula, id, text, sizeof text, image), 1);
    EXPECT_STREQ(text, "Andromeda");
    // A file that cannot be read leaves no click data; the name in use stays.
    EXPECT_EQ(Run("LOAD CLICKDATA " + TestHome() + "/missing.cdf"), "stkErrorFileNotFound");
    gUiHooks = saved;
    EXPECT_EQ(gInfoBoxButtonUpdates, 1);
    EXPECT_EQ(scene.clickData, nullptr);
    EXPECT_EQ(std::string(gAppEnv->clickDataFile), TestHome() + "/click.cdf");
    EXPECT_EQ(FindClickDataText(scene, kObjectNebula, id, text, sizeof text, image), 0);
}

TEST_F(DataFileCommands, InitReleasesTheUserObjectsAndKeepsTheClickData)
{
    ASSERT_EQ(Run("LOAD AD ~/objects.adf; LOAD CLICKDATA " + TestHome() + "/click.cdf; LOOK AD Orion"), "");
    EXPECT_EQ(scene.targetType & ~kRecentreTarget, kObjectUserObject);
    EXPECT_EQ(Run("INIT"), "");
    EXPECT_EQ(scene.userObjectFileCount, 0);
    EXPECT_EQ(scene.userObjectFiles, nullptr);
    EXPECT_NE(scene.clickData, nullptr);
    EXPECT_EQ(Run("LOOK AD Orion"), "stkErrorIllegalParam");
}

}  // namespace
