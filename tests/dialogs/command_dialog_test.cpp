// The command dialog and its history file: lines read whole or left out
// whole, the newest lines kept from one run to the next, a failed write
// that keeps the old file, and the dialog itself driven in-process: lines
// run and remembered once, an over-long line refused with a warning.
#include "tests/dialogs/dialog_driver.h"
#include "tests/harness/test_files.h"

#include "dialogs/command_dialog.h"
#include "dialogs/command_history.h"

#include <Xm/SelectioB.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>

namespace {

std::vector<std::string> ReadLines(const std::string& text)
{
    FILE* stream = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    std::vector<std::string> lines = ReadHistoryLines(stream);
    std::fclose(stream);
    return lines;
}

TEST(CommandHistory, LinesComeBackWholeOrNotAtAll)
{
    const std::string longest(kLongestCommandLine, 'a');
    const std::string tooLong(kLongestCommandLine + 1, 'b');
    const std::string long600 = "LOOK HRZ " + std::string(591, 'x');
    const std::string huge(2000, 'c');
    struct Row {
        std::string file;
        std::vector<std::string> lines;
    };
    const Row rows[] = {
        {"", {}},
        {"A\nB\n", {"A", "B"}},
        {"A\nB", {"A", "B"}},                              // no line end at the end
        {"\n\nA\n\n", {"", "", "A", ""}},                  // empty lines kept
        {" LOOK HRZ\t\n", {" LOOK HRZ\t"}},                // blanks kept as typed
        {long600 + "\n", {long600}},
        {longest + "\nX\n", {longest, "X"}},
        {tooLong + "\nX\n", {"X"}},                        // not split into pieces
        {huge + "\n" + huge + "\nY", {"Y"}},
        {"A" + std::string(1, '\0') + "B\nC\n", {"C"}},    // a NUL byte: left out
        {"DRIVE\r\n", {"DRIVE\r"}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ReadLines(row.file), row.lines) << row.file.substr(0, 40);
    }
}

class HistoryFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = TestHome() + "/history-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        unlink(path.c_str());
    }

    std::string path;
};

TEST_F(HistoryFileTest, KeepsTheNewestLines)
{
    std::vector<std::string> lines;
    for (int i = 1; i <= 25; ++i) {
        lines.push_back("LINE " + std::to_string(i));
    }
    ASSERT_EQ(WriteHistoryFile(path.c_str(), lines, 10), 1);
    std::string expected;
    for (int i = 16; i <= 25; ++i) {
        expected += "LINE " + std::to_string(i) + "\n";
    }
    EXPECT_EQ(ReadFile(path), expected);
    ASSERT_EQ(WriteHistoryFile(path.c_str(), {"A", "B"}, 10), 1);
    EXPECT_EQ(ReadFile(path), "A\nB\n");
    // A line that would not come back as it is stays out of the file.
    ASSERT_EQ(WriteHistoryFile(path.c_str(), {"A", "B\nC", std::string(2000, 'x'), "D"}, 10), 1);
    EXPECT_EQ(ReadFile(path), "A\nD\n");
}

TEST_F(HistoryFileTest, FailedWriteKeepsTheOldFile)
{
    WriteFile(path, "OLD\n");
    // No byte may be written, as on a full disk.
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit none = old;
    none.rlim_cur = 0;
    setrlimit(RLIMIT_FSIZE, &none);
    const int written = WriteHistoryFile(path.c_str(), {"NEW"}, 10);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(written, 0);
    EXPECT_EQ(ReadFile(path), "OLD\n");
    EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
}

TEST(CommandHistory, PathInTheUserDirectory)
{
    ResetAppEnv();
    char path[kPathSize];
    EXPECT_EQ(GetHistoryFilePath(path, sizeof path), 0) << "no user directory";
    std::snprintf(gAppEnv->userDirectory, sizeof gAppEnv->userDirectory, "/home/u/.uvola");
    ASSERT_EQ(GetHistoryFilePath(path, sizeof path), 1);
    EXPECT_STREQ(path, "/home/u/.uvola/history");
    EXPECT_EQ(GetHistoryFilePath(path, 10), 0) << "does not fit";
}

// --- The dialog ---------------------------------------------------------

using dialogtest::DialogDriver;

class CommandDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gAppEnv->toplevel = canvastest::World().top;
        directory = TestHome() + "/.uvola";
        mkdir(directory.c_str(), 0700);
        std::snprintf(gAppEnv->userDirectory, sizeof gAppEnv->userDirectory, "%s",
                      directory.c_str());
        unlink(HistoryPath().c_str());
        gAppEnv->saveHistory = 10;
        gAppEnv->quiet = 0;
        static Scene scene{};
        canvastest::PrepareScene(scene);
        scenePointer = &scene;
        driver.Pump();
    }

    void TearDown() override
    {
        DestroyDialog();
        DialogDriver::CloseMessageBoxes(gAppEnv->toplevel);
    }

    std::string HistoryPath() const { return directory + "/history"; }

    void DestroyDialog()
    {
        if (gAppEnv->commandDialog != nullptr) {
            XtDestroyWidget(XtParent(gAppEnv->commandDialog));
            gAppEnv->commandDialog = nullptr;
            driver.Pump();
        }
    }

    void Open()
    {
        ToggleCommandDialog(scenePointer);
        driver.Pump();
    }

    // A line typed and OK pressed.
    void RunLine(const std::string& line)
    {
        Widget text = XmSelectionBoxGetChild(gAppEnv->commandDialog, XmDIALOG_TEXT);
        XmTextSetString(text, const_cast<char*>(line.c_str()));
        XmSelectionBoxCallbackStruct call{};
        call.reason = XmCR_OK;
        XtCallCallbacks(gAppEnv->commandDialog, XmNokCallback, &call);
        driver.Pump();
    }

    static std::vector<std::string> History()
    {
        return DialogDriver::ListItems(XmSelectionBoxGetChild(gAppEnv->commandDialog, XmDIALOG_LIST));
    }

    static std::string Field()
    {
        char* value = XmTextGetString(XmSelectionBoxGetChild(gAppEnv->commandDialog, XmDIALOG_TEXT));
        std::string text = value;
        XtFree(value);
        return text;
    }

    DialogDriver driver;
    std::string directory;
    Scene* scenePointer = nullptr;
};

TEST_F(CommandDialogTest, TogglesAndRunsLinesRememberingEachOnce)
{
    Open();
    ASSERT_NE(gAppEnv->commandDialog, nullptr);
    EXPECT_TRUE(XtIsManaged(gAppEnv->commandDialog));
    RunLine("MODE EQT");
    RunLine("MODE EQT");
    EXPECT_EQ(History(), std::vector<std::string>{"MODE EQT"});
    RunLine("MODE HRZ");
    RunLine("MODE EQT");
    EXPECT_EQ(History(), (std::vector<std::string>{"MODE EQT", "MODE HRZ", "MODE EQT"}));
    RunLine(" MODE EQT");
    EXPECT_EQ(History().size(), 4u) << "blanks count: the line differs";
    EXPECT_EQ(driver.Texts(), (std::vector<std::string>{"MODE EQT", "MODE EQT", "MODE HRZ",
                                                        "MODE EQT", " MODE EQT"}));
    EXPECT_EQ(scenePointer->viewMode, kModeEqt);
    EXPECT_EQ(Field(), " MODE EQT") << "the line stays for running again";

    driver.ForgetTexts();
    RunLine("   ");
    RunLine(" \t\r\v");
    RunLine("");
    EXPECT_TRUE(driver.Texts().empty());
    EXPECT_EQ(History().size(), 4u);

    Open();
    EXPECT_FALSE(XtIsManaged(gAppEnv->commandDialog));
    Open();
    EXPECT_TRUE(XtIsManaged(gAppEnv->commandDialog));
    EXPECT_EQ(Field(), " MODE EQT") << "shown with the newest line selected";
}

TEST_F(CommandDialogTest, LongLinesRunWholeOrAreRefused)
{
    Open();
    const std::string long600 = "MODE HRZ;" + std::string(591, ' ');
    RunLine(long600);
    EXPECT_EQ(History(), std::vector<std::string>{long600});
    EXPECT_EQ(driver.Texts(), std::vector<std::string>{long600});

    driver.ForgetTexts();
    const std::string huge = "MODE EQT;" + std::string(1991, 'x');
    RunLine(huge);
    EXPECT_TRUE(driver.Texts().empty()) << "nothing of it runs";
    EXPECT_EQ(History().size(), 1u);
    EXPECT_EQ(DialogDriver::MessageBoxes(gAppEnv->toplevel),
              std::vector<std::string>{"MODE: Illegal Parameter: " + huge.substr(0, 39)});
    EXPECT_EQ(scenePointer->viewMode, kModeHrz);

    ASSERT_EQ(SaveCommandHistory(), 1);
    DestroyDialog();
    Open();
    EXPECT_EQ(History(), std::vector<std::string>{long600}) << "read back whole";
}

TEST_F(CommandDialogTest, NewestLinesAreThereAtTheNextRun)
{
    Open();
    for (int i = 1; i <= 25; ++i) {
        RunLine("MAG " + std::to_string(i % 7));
        RunLine("DRIVE" + std::string(static_cast<size_t>(i), ' '));
    }
    ASSERT_EQ(History().size(), 50u);
    const std::vector<std::string> all = History();
    ASSERT_EQ(SaveCommandHistory(), 1);

    DestroyDialog();
    Open();
    EXPECT_EQ(History(), std::vector<std::string>(all.end() - 10, all.end()));
    EXPECT_EQ(Field(), all.back());

    gAppEnv->saveHistory = 0;
    EXPECT_EQ(SaveCommandHistory(), 0);
    EXPECT_FALSE(Exists(HistoryPath())) << "SaveHistory 0 removes the file";
}

TEST_F(CommandDialogTest, NothingIsReadOrWrittenWithoutAUserDirectoryOrADialog)
{
    WriteFile(HistoryPath(), "KEPT\n");
    EXPECT_EQ(SaveCommandHistory(), 0) << "no dialog this run";
    EXPECT_EQ(ReadFile(HistoryPath()), "KEPT\n");
    EXPECT_EQ(LoadCommandHistory(), -1);

    gAppEnv->userDirectory[0] = '\0';
    Open();
    EXPECT_TRUE(History().empty());
    RunLine("DRIVE");
    EXPECT_EQ(SaveCommandHistory(), 0);
    EXPECT_EQ(ReadFile(HistoryPath()), "KEPT\n");
}

TEST_F(CommandDialogTest, AHistoryThatIsNoFileIsNotRead)
{
    ASSERT_EQ(mkfifo(HistoryPath().c_str(), 0600), 0);
    Open();   // would hang on a FIFO
    EXPECT_TRUE(History().empty());
    unlink(HistoryPath().c_str());
}

}  // namespace
