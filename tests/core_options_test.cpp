// The options file: reading keys in any case, the value forms, and rewriting
// the file so that a failure at any point leaves the old file as it was.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/options.h"
#include "core/user_directory.h"

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sched.h>
#include <signal.h>
#include <unistd.h>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

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

bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

class OptionsFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetAppEnv();
        ASSERT_EQ(MakeUserDirectory(gAppEnv->userDirectory, gAppEnv->startupScriptPath), 1);
        path = std::string(gAppEnv->userDirectory) + "/options";
        temporary = path + ".$NEW$";
        std::remove(path.c_str());
        std::remove(temporary.c_str());
    }

    std::string GetString(const char* key, const char* initial = "unchanged")
    {
        char value[256];
        std::snprintf(value, sizeof value, "%s", initial);
        found = GetOptionString(key, value, sizeof value);
        return value;
    }

    std::string path;
    std::string temporary;
    int found = 0;
};

TEST_F(OptionsFile, PathIsInTheUserDirectory)
{
    char buffer[kPathSize];
    ASSERT_EQ(GetOptionsFilePath(buffer, sizeof buffer), 1);
    EXPECT_EQ(std::string(buffer), std::string(std::getenv("UVOLA_TEST_HOME")) + "/.uvola/options");
    char small[8];
    EXPECT_EQ(GetOptionsFilePath(small, sizeof small), 0);
    EXPECT_STREQ(small, "");
}

TEST_F(OptionsFile, KeysMatchInAnyCaseWithOrWithoutBlanks)
{
    WriteFile(path, "confirmquit=no\nTIPHELP   =   yes  \t\n  Toolbar = no\n");
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 1), 0);
    EXPECT_EQ(GetOptionBool("TipHelp", 0), 1);
    // The key must start the line.
    EXPECT_EQ(GetOptionBool("Toolbar", 1), 1);
}

TEST_F(OptionsFile, BooleanWordsInAnyCaseOtherValuesGiveTheDefault)
{
    WriteFile(path, "A = TRUE\nB = yes\nC = False\nD = nO\nE = maybe\nF = 1\nG =\n");
    EXPECT_EQ(GetOptionBool("A", 0), 1);
    EXPECT_EQ(GetOptionBool("B", 0), 1);
    EXPECT_EQ(GetOptionBool("C", 1), 0);
    EXPECT_EQ(GetOptionBool("D", 1), 0);
    for (int fallback : {0, 1}) {
        EXPECT_EQ(GetOptionBool("E", fallback), fallback);
        EXPECT_EQ(GetOptionBool("F", fallback), fallback);
        EXPECT_EQ(GetOptionBool("G", fallback), fallback);
        EXPECT_EQ(GetOptionBool("Missing", fallback), fallback);
    }
}

TEST_F(OptionsFile, IntegersIgnoreTrailingTextAndAreClamped)
{
    WriteFile(path, "SocketPort = 7000x\nNegative = -12\nWord = port\nHuge = 99999999999999999999\n");
    EXPECT_EQ(GetOptionInt("SocketPort", 0), 7000);
    EXPECT_EQ(GetOptionInt("Negative", 0), -12);
    EXPECT_EQ(GetOptionInt("Word", 5), 0);
    EXPECT_EQ(GetOptionInt("Huge", 0), INT_MAX);
    EXPECT_EQ(GetOptionInt("Missing", 42), 42);
}

TEST_F(OptionsFile, LongerKeyOnTheLineIsNotTheKey)
{
    WriteFile(path, "SiteNameX = a\nSiteName = Tokyo (Japan)\nSiteName = second\n");
    EXPECT_EQ(GetString("SiteName"), "Tokyo (Japan)");
    WriteFile(path, "SiteNameX = a\n");
    EXPECT_EQ(GetString("SiteName"), "unchanged");
    EXPECT_EQ(found, 0);
}

TEST_F(OptionsFile, ValueTooLongForTheFieldIsNotFoundRatherThanCut)
{
    const std::string fits(39, 'g');
    const std::string tooLong(40, 'g');
    char geometry[40];
    std::strcpy(geometry, "before");

    WriteFile(path, "Geometry = " + fits + "\n");
    ASSERT_EQ(GetOptionString("Geometry", geometry, sizeof geometry), 1);
    EXPECT_EQ(std::string(geometry), fits);

    std::strcpy(geometry, "before");
    WriteFile(path, "Geometry = " + tooLong + "\nGeometry = 80x24\n");
    EXPECT_EQ(GetOptionString("Geometry", geometry, sizeof geometry), 0);
    EXPECT_STREQ(geometry, "before");
}

TEST_F(OptionsFile, TailOfAVeryLongLineIsNotReadAsALine)
{
    WriteFile(path, "Comment = " + std::string(245, 'x') + "ConfirmQuit = no\nTipHelp = no\n");
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 1), 1);
    EXPECT_EQ(GetOptionBool("TipHelp", 1), 0);
}

TEST_F(OptionsFile, WithoutUserDirectoryReadersGiveDefaultsAndNothingIsWritten)
{
    WriteFile(path, "ConfirmQuit = no\nSiteName = a\n");
    gAppEnv->userDirectory[0] = '\0';
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 1), 1);
    EXPECT_EQ(GetString("SiteName"), "unchanged");
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(SetOption("SiteName", "b"), 0);
    EXPECT_EQ(ReadFile(path), "ConfirmQuit = no\nSiteName = a\n");
}

TEST_F(OptionsFile, WrittenFileReadsBackAndHoldsEveryPathKey)
{
    WriteFile(path, "Unknown = kept?\nLocale = de_DE\n");
    gAppEnv->confirmQuit = 0;
    gAppEnv->confirmInit = 1;
    std::strcpy(gAppEnv->stlFileIoPath, "/home/u/scripts");
    std::strcpy(gAppEnv->saveImagePath, "/home/u");
    std::strcpy(gAppEnv->userObjectFilePath, "/usr/local/share/uvola/adf");
    std::strcpy(gAppEnv->gscDataPath, "/cdrom");
    std::strcpy(gAppEnv->siteName, "Tokyo (Japan)");
    gAppEnv->socketPort = 7000;

    ASSERT_EQ(WriteOptionsFile(), 1);
    EXPECT_EQ(ReadFile(path),
              "Toolbar = False\n"
              "TipHelp = False\n"
              "ConfirmQuit = False\n"
              "ConfirmInit = True\n"
              "StlFileIoPath = /home/u/scripts\n"
              "SaveImagePath = /home/u\n"
              "UserObjectFilePath = /usr/local/share/uvola/adf\n"
              "GscDataPath = /cdrom\n"
              "SiteName = Tokyo (Japan)\n"
              "SocketPort = 7000\n");
    EXPECT_FALSE(Exists(temporary));
    EXPECT_EQ(GetOptionBool("ConfirmQuit", 1), 0);
    EXPECT_EQ(GetOptionInt("SocketPort", 0), 7000);
    EXPECT_EQ(GetString("StlFileIoPath"), "/home/u/scripts");
    EXPECT_EQ(GetString("SiteName"), "Tokyo (Japan)");
}

TEST_F(OptionsFile, OptionalKeysAreWrittenOnlyWhenSetInTheirOrder)
{
    std::strcpy(gAppEnv->geometryOption, "800x600+0+0");
    std::strcpy(gAppEnv->localeOption, "de_DE");
    std::strcpy(gAppEnv->tzOption, "Europe/Berlin");
    ASSERT_EQ(WriteOptionsFile(), 1);
    const std::string text = ReadFile(path);
    EXPECT_EQ(text.find("SiteName"), std::string::npos);
    const size_t geometry = text.find("Geometry = 800x600+0+0\n");
    const size_t locale = text.find("Locale = de_DE\n");
    const size_t tz = text.find("TZ = Europe/Berlin\n");
    const size_t port = text.find("SocketPort = 0\n");
    ASSERT_NE(geometry, std::string::npos);
    EXPECT_LT(geometry, locale);
    EXPECT_LT(locale, tz);
    EXPECT_LT(tz, port);
}

TEST_F(OptionsFile, ValueWithALineBreakCannotAddLines)
{
    gAppEnv->socketPort = 0;
    std::strcpy(gAppEnv->stlFileIoPath, "/tmp/a\nSocketPort = 23");
    ASSERT_EQ(WriteOptionsFile(), 1);
    EXPECT_EQ(GetString("StlFileIoPath"), "/tmp/a");
    EXPECT_EQ(GetOptionInt("SocketPort", -1), 0);

    const std::string before = ReadFile(path);
    EXPECT_EQ(SetOption("SiteName", "x\nSocketPort = 23"), 0);
    EXPECT_EQ(SetOption("Site\nName", "x"), 0);
    EXPECT_EQ(ReadFile(path), before);
}

TEST_F(OptionsFile, SetOptionReplacesEveryLineBeginningWithTheKeyOnly)
{
    const std::string tail(600, 'z');
    WriteFile(path,
              "# my settings\n"
              "SiteName = Old\n"
              "SiteNameX = a\n"
              "sitename = lower\n"
              "Toolbar=True\n"
              "Long = " + tail + "\n"
              "not an option line\n");
    ASSERT_EQ(SetOption("SiteName", "Tokyo (Japan)"), 1);
    EXPECT_EQ(ReadFile(path),
              "# my settings\n"
              "SiteName = Tokyo (Japan)\n"
              "SiteName = Tokyo (Japan)\n"
              "sitename = lower\n"
              "Toolbar=True\n"
              "Long = " + tail + "\n"
              "not an option line\n");
    EXPECT_FALSE(Exists(temporary));
}

TEST_F(OptionsFile, SetOptionNeverAddsAnAbsentKey)
{
    WriteFile(path, "Toolbar = True\n");
    EXPECT_EQ(SetOption("SiteName", "Tokyo (Japan)"), 1);
    EXPECT_EQ(ReadFile(path), "Toolbar = True\n");
    std::remove(path.c_str());
    EXPECT_EQ(SetOption("SiteName", "Tokyo (Japan)"), 0);
    EXPECT_FALSE(Exists(path));
    EXPECT_FALSE(Exists(temporary));
}

// A temporary file that is really /dev/full: every write reaches the disk
// as ENOSPC at the flush.
TEST_F(OptionsFile, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    const std::string old = "SiteName = Old\nToolbar = True\n";
    WriteFile(path, old);
    ASSERT_EQ(symlink("/dev/full", temporary.c_str()), 0);
    std::strcpy(gAppEnv->siteName, "New");
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_FALSE(Exists(temporary));

    ASSERT_EQ(symlink("/dev/full", temporary.c_str()), 0);
    EXPECT_EQ(SetOption("SiteName", "New"), 0);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_FALSE(Exists(temporary));
}

TEST_F(OptionsFile, UncreatableTemporaryFileFailsCleanly)
{
    // The user directory's path runs through a regular file, so nothing can
    // be created in it (this holds for root too).
    const std::string plainFile = std::string(gAppEnv->userDirectory) + "/plain";
    WriteFile(plainFile, "x");
    std::snprintf(gAppEnv->userDirectory, kPathSize, "%s/sub", plainFile.c_str());
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(SetOption("SiteName", "New"), 0);
}

// SetOption is killed while it copies a file larger than a pipe holds: its
// temporary file is a FIFO that the test reads only a little of, so the
// child is certainly part-way through its writes when it dies.
TEST_F(OptionsFile, WriterKilledPartWayLeavesTheOldFile)
{
    std::string old = "SiteName = Old\n";
    for (int i = 0; i < 4000; ++i) {
        old += "# comment line number " + std::to_string(i) + " of the old file\n";
    }
    WriteFile(path, old);
    ASSERT_EQ(mkfifo(temporary.c_str(), 0600), 0);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        _exit(SetOption("SiteName", "New") == 1 ? 0 : 1);
    }
    const int fifo = open(temporary.c_str(), O_RDONLY);
    ASSERT_GE(fifo, 0);
    char chunk[4096];
    ASSERT_GT(read(fifo, chunk, sizeof chunk), 0);
    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    close(fifo);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the writer finished before it was killed";
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(GetString("SiteName"), "Old");
}

// Needs a private mount namespace (root with CAP_SYS_ADMIN); skipped where
// the machine does not allow it.
class OptionsOnOwnFilesystem : public OptionsFile {
protected:
    void SetUp() override
    {
        OptionsFile::SetUp();
        if (!namespaceReady) {
            namespaceReady = unshare(CLONE_NEWNS) == 0 &&
                             mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
        }
        if (!namespaceReady) {
            GTEST_SKIP() << "no private mount namespace here";
        }
        mountPoint = std::string(std::getenv("UVOLA_TEST_HOME")) + "/mnt";
        mkdir(mountPoint.c_str(), 0755);
        ASSERT_EQ(mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k"), 0);
        std::snprintf(gAppEnv->userDirectory, kPathSize, "%s", mountPoint.c_str());
        path = mountPoint + "/options";
        temporary = path + ".$NEW$";
    }
    void TearDown() override
    {
        if (!mountPoint.empty()) {
            umount(mountPoint.c_str());
        }
    }
    static bool namespaceReady;
    std::string mountPoint;
};
bool OptionsOnOwnFilesystem::namespaceReady = false;

TEST_F(OptionsOnOwnFilesystem, ReadOnlyDirectoryLeavesTheOldFile)
{
    const std::string old = "SiteName = Old\n";
    WriteFile(path, old);
    ASSERT_EQ(mount(nullptr, mountPoint.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    std::strcpy(gAppEnv->siteName, "New");
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(SetOption("SiteName", "New"), 0);
    EXPECT_EQ(ReadFile(path), old);
}

TEST_F(OptionsOnOwnFilesystem, FullFilesystemLeavesTheOldFile)
{
    const std::string old = "SiteName = Old\nSocketPort = 7000\n";
    WriteFile(path, old);
    FILE* filler = std::fopen((mountPoint + "/filler").c_str(), "w");
    ASSERT_NE(filler, nullptr);
    const std::string block(1024, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
    std::strcpy(gAppEnv->siteName, "New");
    std::strcpy(gAppEnv->stlFileIoPath, std::string(200, 'p').c_str());
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_FALSE(Exists(temporary));
    EXPECT_EQ(GetOptionInt("SocketPort", 0), 7000);
}

}  // namespace
