// The options file: keys in any case, the value forms, and rewrites that
// leave the old file as it was when anything goes wrong.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/options.h"
#include "core/user_directory.h"
#include "tests/harness/test_files.h"

#include <fcntl.h>
#include <sys/stat.h>
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
        RememberStartingOptions();
    }
    void UseDirectory(const std::string& directory)
    {
        std::snprintf(gAppEnv->userDirectory, kPathSize, "%s", directory.c_str());
        path = directory + "/options";
    }
    std::string Get(const char* key)
    {
        char value[40] = "unchanged";
        GetOptionString(key, value, sizeof value);
        return value;
    }
    std::string path;
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
                    "TZ = " + std::string(39, 't') + "\n" + "Q = " + std::string(38, 'q') + "\n" +
                    "R = " + std::string(38, 'r') + " \n" + "S = " + std::string(39, 's'));
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
    // later line would fit. The rest of the line after "= " counts whole,
    // its trailing blanks and line feed too: 39 characters fit a 40-byte
    // field only on the file's last line.
    EXPECT_EQ(Get("Geometry"), "unchanged");
    EXPECT_EQ(Get("TZ"), "unchanged");
    EXPECT_EQ(Get("Q"), std::string(38, 'q'));
    EXPECT_EQ(Get("R"), "unchanged");
    EXPECT_EQ(Get("S"), std::string(39, 's'));
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
    EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
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
    EXPECT_EQ(Temporaries(path), std::vector<std::string>{});

    const std::string before = ReadFile(path);
    EXPECT_EQ(SetOption("SiteName", "x\nSocketPort = 23"), 0);
    EXPECT_EQ(ReadFile(path), before);
    std::remove(path.c_str());
    EXPECT_EQ(SetOption("SiteName", "x"), 0);
    EXPECT_FALSE(Exists(path));
}

// A key the file does not have yet is added at its end, after a last line
// that had no line end of its own; a second update replaces it.
TEST_F(OptionsFile, SetOptionAddsAnAbsentKeyAtTheEnd)
{
    const struct {
        std::string file;
        std::string after;
    } rows[] = {
        {"", "SiteName = Tokyo (Japan)\n"},
        {"# mine\nToolbar = True\n", "# mine\nToolbar = True\nSiteName = Tokyo (Japan)\n"},
        {"Last = no line end", "Last = no line end\nSiteName = Tokyo (Japan)\n"},
        {"SiteNam = short\n", "SiteNam = short\nSiteName = Tokyo (Japan)\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        WriteFile(path, row.file);
        ASSERT_EQ(SetOption("SiteName", "Tokyo (Japan)"), 1);
        EXPECT_EQ(ReadFile(path), row.after);
        ASSERT_EQ(SetOption("SiteName", "Ayr (UK)"), 1);
        EXPECT_EQ(ReadFile(path).find("Tokyo"), std::string::npos);
        EXPECT_EQ(Get("SiteName"), "Ayr (UK)");
        EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
    }
}

// Making a site the default sets AppEnv and that one line of the file at
// once, whether the file had the key or not, with a value too long to be
// read or none; the rest of the file waits for the quit.
TEST_F(OptionsFile, DefaultSiteIsWrittenAtOnceAsOneLine)
{
    const std::string tooLong = "SiteName = " + std::string(100, 's') + "\n";
    const struct {
        std::string file;
        std::string after;
    } rows[] = {
        {"ConfirmQuit = no\nFuture = x\n", "ConfirmQuit = no\nFuture = x\nSiteName = Tokyo (Japan)\n"},
        {"ConfirmQuit = no\n" + tooLong + "Future = x\n",
         "ConfirmQuit = no\nSiteName = Tokyo (Japan)\nFuture = x\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        WriteFile(path, row.file);
        gAppEnv->siteName[0] = '\0';
        RememberStartingOptions();
        ASSERT_EQ(SaveDefaultSite("Tokyo (Japan)"), 1);
        EXPECT_STREQ(gAppEnv->siteName, "Tokyo (Japan)");
        EXPECT_EQ(ReadFile(path), row.after);
        ASSERT_EQ(WriteOptionsFile(), 1);
        EXPECT_EQ(Get("SiteName"), "Tokyo (Japan)");
    }
}

// At quit a value too long to be read keeps its line only while the
// program has left its key alone; a key changed during the run is written
// with its new value, even when its line is still the old one.
TEST_F(OptionsFile, KeysChangedDuringTheRunReplaceTheirUnreadLines)
{
    const std::string longSite = "SiteName = " + std::string(100, 's') + "\n";
    const std::string longPath = "SaveImagePath = /" + std::string(300, 'p') + "\n";
    WriteFile(path, longSite + longPath);
    std::strcpy(gAppEnv->saveImagePath, "/home/u");   // what start-up took instead
    RememberStartingOptions();
    std::strcpy(gAppEnv->siteName, "Tokyo (Japan)");
    ASSERT_EQ(WriteOptionsFile(), 1);
    std::string file = ReadFile(path);
    EXPECT_NE(file.find("\nSiteName = Tokyo (Japan)\n"), std::string::npos) << file;
    EXPECT_NE(file.find("\n" + longPath), std::string::npos) << file;

    std::strcpy(gAppEnv->saveImagePath, "/home/u/pictures");
    WriteFile(path, longSite + longPath);
    ASSERT_EQ(WriteOptionsFile(), 1);
    file = ReadFile(path);
    EXPECT_NE(file.find("\nSaveImagePath = /home/u/pictures\n"), std::string::npos) << file;
    EXPECT_EQ(file.find(std::string(100, 's')), std::string::npos) << file;
}

// Links planted under names a temporary has (or had, in older versions)
// never make the writer write through them, nor does it remove them: the
// options file becomes a file of its own.
TEST_F(OptionsFile, LinksAtTemporaryNamesAreNeverFollowed)
{
    const std::string victim = TestHome() + "/victim";
    const std::string links[] = {path + ".$NEW$", path + ".$NEW$AAAAAA"};
    for (const auto& write : {+[] { return WriteOptionsFile(); }, +[] { return SetOption("SiteName", "New"); }}) {
        WriteFile(path, "SiteName = Old\n");
        WriteFile(victim, "precious\n");
        for (const std::string& link : links) {
            ASSERT_EQ(symlink("../victim", link.c_str()), 0);
        }
        std::strcpy(gAppEnv->siteName, "New");
        EXPECT_EQ(write(), 1);
        EXPECT_EQ(ReadFile(victim), "precious\n");
        struct stat info;
        ASSERT_EQ(lstat(path.c_str(), &info), 0);
        EXPECT_TRUE(S_ISREG(info.st_mode));
        EXPECT_NE(ReadFile(path).find("SiteName = New\n"), std::string::npos);
        for (const std::string& link : links) {
            EXPECT_TRUE(Exists(link)) << link;
            unlink(link.c_str());
        }
    }
    // A directory path through a regular file: nothing can be created there.
    UseDirectory(path + "/sub");
    EXPECT_EQ(WriteOptionsFile(), 0);
}

TEST_F(OptionsFile, RewriteKeepsTheFilesModeAndANewFileTakesTheUmasks)
{
    const mode_t mask = umask(027);
    ASSERT_EQ(WriteOptionsFile(), 1);
    struct stat info;
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    for (mode_t mode : {0600u, 0644u, 0400u}) {
        ASSERT_EQ(chmod(path.c_str(), mode), 0);
        ASSERT_EQ(WriteOptionsFile(), 1) << std::oct << mode;
        ASSERT_EQ(SetOption("Toolbar", "True"), 1) << std::oct << mode;
        ASSERT_EQ(stat(path.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode) << std::oct << mode;
    }
    umask(mask);
}

// The writer dies part way (a file size limit kills it with SIGXFSZ): the
// old file stays, at most one temporary is left, and the next write
// clears it and succeeds.
TEST_F(OptionsFile, WriterKilledPartWayLeavesTheOldFileAndOneTemporary)
{
    std::string old = "SiteName = Old\n";
    for (int i = 0; i < 4000; ++i) {
        old += "# comment line " + std::to_string(i) + " of the old options file\n";
    }
    for (int run = 0; run < 2; ++run) {
        WriteFile(path, old);
        ASSERT_TRUE(KilledByFileSizeLimit([] { return SetOption("SiteName", "New"); }))
            << "the writer finished before it was killed";
        EXPECT_EQ(ReadFile(path), old);
        EXPECT_EQ(Temporaries(path).size(), 1u);
    }
    ASSERT_EQ(SetOption("SiteName", "New"), 1);
    EXPECT_EQ(ReadFile(path).substr(0, 15), "SiteName = New\n");
    EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
}

// A FIFO would block the reader in its open, /dev/zero would feed it
// forever: both count as a missing file, at once.
TEST_F(OptionsFile, SpecialFileReadsAsMissing)
{
    for (SpecialFile kind : {SpecialFile::kFifo, SpecialFile::kZeroLink}) {
        ASSERT_TRUE(MakeSpecialFile(path, kind));
        EXPECT_TRUE(FinishesWithin(2.0, [] {
            return GetOptionBool("ConfirmQuit", 7) == 7 && GetOptionInt("SocketPort", 5) == 5 &&
                   SetOption("SiteName", "x") == 0;
        })) << static_cast<int>(kind);
        EXPECT_TRUE(FinishesWithin(2.0, [&] {
            return WriteOptionsFile() == 1 && ReadFile(path).find("SocketPort = 0\n") != std::string::npos;
        })) << static_cast<int>(kind);
    }
}

// A NUL byte is a character of its line: it neither ends the line nor joins
// it to the next.
TEST_F(OptionsFile, NulByteHidesNoLine)
{
    WriteFile(path, std::string("TipHelp = NO\0\nSocketPort = 7000\nSiteName = a\0b\nTZ = x\n", 54));
    EXPECT_EQ(GetOptionInt("SocketPort", 0), 7000);
    EXPECT_EQ(Get("TZ"), "x");
    EXPECT_EQ(GetOptionBool("TipHelp", 1), 0);
}

// Lines of keys this version does not know, comments, and values too long
// for their fields outlive the rewrite at quit, as they stood.
TEST_F(OptionsFile, UnknownLinesAndRefusedValuesSurviveTheRewrite)
{
    const std::string longPath = "SaveImagePath = /" + std::string(300, 'p') + "\n";
    const std::string longGeometry = "Geometry = " + std::string(45, '9') + "\n";
    WriteFile(path, "# my settings\nFutureKey = from a newer version\n" + longPath + longGeometry +
                        "confirmquit = yes\nSiteNameX = a\n\nLast = no line end");
    std::strcpy(gAppEnv->saveImagePath, "/home/u");   // what start-up took instead
    std::strcpy(gAppEnv->gscDataPath, "/cdrom");
    std::strcpy(gAppEnv->tzOption, "UTC");
    RememberStartingOptions();
    ASSERT_EQ(WriteOptionsFile(), 1);
    EXPECT_EQ(ReadFile(path), "Toolbar = False\nTipHelp = False\nConfirmQuit = True\nConfirmInit = True\n"
                              "StlFileIoPath = \n" + longPath + "UserObjectFilePath = \nGscDataPath = /cdrom\n" +
                              longGeometry + "TZ = UTC\nSocketPort = 0\n"
                              "# my settings\nFutureKey = from a newer version\nSiteNameX = a\n\n"
                              "Last = no line end\n");
    // Written again, nothing moves.
    const std::string once = ReadFile(path);
    ASSERT_EQ(WriteOptionsFile(), 1);
    EXPECT_EQ(ReadFile(path), once);
}

// A read-only and a full file system of the test's own, in a private mount
// namespace; skipped where the machine does not allow one.
TEST_F(OptionsFile, ReadOnlyOrFullFileSystemLeavesTheOldFile)
{
    const PrivateTmpfs disk(TestHome() + "/mnt");
    if (!disk.why.empty()) {
        GTEST_SKIP() << disk.why;
    }
    UseDirectory(disk.path);
    const std::string old = "SiteName = Old\n";
    WriteFile(path, old);
    std::strcpy(gAppEnv->siteName, "New");

    ASSERT_TRUE(disk.SetReadOnly(true));
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(SetOption("SiteName", "New"), 0);
    EXPECT_EQ(ReadFile(path), old);

    ASSERT_TRUE(disk.SetReadOnly(false));
    disk.Fill();
    EXPECT_EQ(WriteOptionsFile(), 0);
    EXPECT_EQ(ReadFile(path), old);
    EXPECT_EQ(Temporaries(path), std::vector<std::string>{});
}

}  // namespace
