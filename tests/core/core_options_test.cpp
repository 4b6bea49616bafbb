// The options file: keys in any case, the value forms, and rewrites that
// leave the old file as it was when anything goes wrong.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/options.h"
#include "core/user_directory.h"
#include "tests/harness/test_files.h"

#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        gAppEnv->socketPort = 0;
        ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
        UseDirectory(gAppEnv->userDirectory);
        std::remove(path.c_str());
        std::remove(temporary.c_str());
    }
    void UseDirectory(const std::string& directory)
    {
        std::snprintf(gAppEnv->userDirectory, kPathSize, "%s", directory.c_str());
        path = directory + "/options";
        temporary = path + ".$NEW$";
    }
    std::string Get(const char* key)
    {
        char value[40] = "unchanged";
        GetOptionString(key, value, sizeof value);
        return value;
    }
    std::string path;
    std::string temporary;
};

TEST_F(OptionsFile, KeysInAnyCaseAndTheValueForms)
{
    WriteFile(path, "confirmquit=no\n"
                    "TIPHELP   =   yes  \t\n"
                    "  Toolbar = no\n"                       // not at the line start
                    "A = TRUE\nB = False\nC = maybe\nD = 1\n"
                    "SocketPort = 7000x\nN = -12\nW = port\nHuge = 99999999999999999999\n"
                    "SiteNameX = a\nSiteName = Tokyo (Japan)\nSiteName = second\n"
                    "Comment = " + std::string(245, 'x') + "Locale = hidden\n"
                    "Geometry = " + std::string(40, 'g') + "\nGeometry = 80x24\n"
                    "TZ = " + std::string(39, 't') + "\n");
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 1), 0);
    EXPECT_EQ(GetOptionBool("TipHelp", 0), 1);
    EXPECT_EQ(GetOptionBool("Toolbar", 1), 1);
    EXPECT_EQ(GetOptionBool("A", 0), 1);
    EXPECT_EQ(GetOptionBool("B", 1), 0);
    for (int fallback : {0, 1}) {
        EXPECT_EQ(GetOptionBool("C", fallback), fallback);
        EXPECT_EQ(GetOptionBool("D", fallback), fallback);
        EXPECT_EQ(GetOptionBool("Missing", fallback), fallback);
    }
    EXPECT_EQ(GetOptionInt("SocketPort", 0), 7000);
    EXPECT_EQ(GetOptionInt("N", 0), -12);
    EXPECT_EQ(GetOptionInt("W", 5), 0);
    EXPECT_EQ(GetOptionInt("Huge", 0), INT_MAX);
    EXPECT_EQ(GetOptionInt("Missing", 42), 42);
    // A longer key is another key; the first matching line wins.
    EXPECT_EQ(Get("SiteName"), "Tokyo (Japan)");
    // The tail of a long line is no line of its own.
    EXPECT_EQ(Get("Locale"), "unchanged");
    // A value too long for the field is not found (nor cut), even when a
    // later line would fit; 39 characters fit a 40-byte field.
    EXPECT_EQ(Get("Geometry"), "unchanged");
    EXPECT_EQ(Get("TZ"), std::string(39, 't'));
}

TEST_F(OptionsFile, WithoutUserDirectoryNothingIsReadOrWritten)
{
    WriteFile(path, "ConfirmQuit = no\nSiteName = a\n");
    gAppEnv->userDirectory[0] = '\0';
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 1), 1);
    EXPECT_EQ(Get("SiteName"), "unchanged");
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(SetOption("SiteName", "b"), 0);
    EXPECT_EQ(ReadFile(path), "ConfirmQuit = no\nSiteName = a\n");
}

TEST_F(OptionsFile, WrittenFileHoldsEveryPathKeyAndReadsBack)
{
    WriteFile(path, "Unknown = lost\n");
    gAppEnv->confirmQuit = 0;
    std::strcpy(gAppEnv->stlFileIoPath, "/home/u/scripts");
    std::strcpy(gAppEnv->saveImagePath, "/home/u\nSocketPort = 23");   // cannot add a line
    std::strcpy(gAppEnv->gscDataPath, "/cdrom");
    std::strcpy(gAppEnv->siteName, "Tokyo (Japan)");
    std::strcpy(gAppEnv->tzOption, "Asia/Tokyo");
    gAppEnv->socketPort = 7000;
    ASSERT_EQ(WriteOptionsFile(), 1);
    EXPECT_EQ(ReadFile(path), "Toolbar = False\nTipHelp = False\nConfirmQuit = False\nConfirmInit = True\n"
                              "StlFileIoPath = /home/u/scripts\nSaveImagePath = /home/u\n"
                              "UserObjectFilePath = \nGscDataPath = /cdrom\n"
                              "SiteName = Tokyo (Japan)\nTZ = Asia/Tokyo\nSocketPort = 7000\n");
    EXPECT_FALSE(Exists(temporary));
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 1), 0);
    EXPECT_EQ(GetOptionInt("SocketPort", 0), 7000);
    EXPECT_EQ(Get("SiteName"), "Tokyo (Japan)");
}

TEST_F(OptionsFile, SetOptionReplacesLinesBeginningWithTheKeyOnly)
{
    const std::string longLine = "Long = " + std::string(600, 'z') + "\n";
    WriteFile(path, "# mine\nSiteName = Old\nSiteNameX = a\nsitename = lower\n" + longLine + "no option\n");
    ASSERT_EQ(SetOption("SiteName", "Tokyo (Japan)"), 1);
    EXPECT_EQ(ReadFile(path), "# mine\nSiteName = Tokyo (Japan)\nSiteName = Tokyo (Japan)\nsitename = lower\n" +
                                  longLine + "no option\n");
    EXPECT_FALSE(Exists(temporary));

    const std::string before = ReadFile(path);
    EXPECT_EQ(SetOption("Toolbar", "True"), 1) << "an absent key is not added";
    EXPECT_EQ(SetOption("SiteName", "x\nSocketPort = 23"), 0);
    EXPECT_EQ(ReadFile(path), before);
    std::remove(path.c_str());
    EXPECT_EQ(SetOption("SiteName", "x"), 0);
    EXPECT_FALSE(Exists(path));
}

TEST_F(OptionsFile, FailedWritesLeaveTheOldFile)
{
    // The temporary file is /dev/full: the writes fail at the flush.
    const std::string old = "SiteName = Old\nToolbar = True\n";
    WriteFile(path, old);
    std::strcpy(gAppEnv->siteName, "New");
    ASSERT_EQ(symlink("/dev/full", temporary.c_str()), 0);
    EXPECT_EQ(WriteOptionsFile(), 0);
    ASSERT_EQ(symlink("/dev/full", temporary.c_str()), 0);
    EXPECT_EQ(SetOption("SiteName", "New"), 0);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_FALSE(Exists(temporary));
    // A directory path through a regular file: nothing can be created there.
    UseDirectory(path + "/sub");
    EXPECT_EQ(WriteOptionsFile(), 0);
}

// The writer dies while copying a file larger than a pipe holds: its
// temporary file is a FIFO of which the test reads only a little.
TEST_F(OptionsFile, WriterKilledPartWayLeavesTheOldFile)
{
    std::string old = "SiteName = Old\n";
    for (int i = 0; i < 4000; ++i) {
        old += "# comment line " + std::to_string(i) + " of the old options file\n";
    }
    WriteFile(path, old);
    ASSERT_EQ(mkfifo(temporary.c_str(), 0600), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(SetOption("SiteName", "New"));
    }
    const int fifo = open(temporary.c_str(), O_RDONLY);
    char chunk[4096];
    ASSERT_GT(read(fifo, chunk, sizeof chunk), 0);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(fifo);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer finished before it was killed";
    EXPECT_EQ(ReadFile(path), old);
}

// A read-only and a full file system of the test's own, in a private mount
// namespace; skipped where the machine does not allow one.
TEST_F(OptionsFile, ReadOnlyOrFullFileSystemLeavesTheOldFile)
{
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        GTEST_SKIP() << "no private mount namespace here";
    }
    const std::string mountPoint = TestHome() + "/mnt";
    mkdir(mountPoint.c_str(), 0755);
    ASSERT_EQ(mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k"), 0);
    UseDirectory(mountPoint);
    const std::string old = "SiteName = Old\n";
    WriteFile(path, old);
    std::strcpy(gAppEnv->siteName, "New");

    ASSERT_EQ(mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(SetOption("SiteName", "New"), 0);
    EXPECT_EQ(ReadFile(path), old);

    ASSERT_EQ(mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT, nullptr), 0);
    FILE* filler = std::fopen((mountPoint + "/filler").c_str(), "w");
    const std::string block(1024, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_FALSE(Exists(temporary));
    umount(mountPoint.c_str());
}

}  // namespace
