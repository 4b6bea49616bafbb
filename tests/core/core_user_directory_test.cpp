// Home directory, "~" expansion and the per-user directory, against the
// private user database the test environment provides.
#include <gtest/gtest.h>

#include "core/app_env.h"
#include "core/user_directory.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {
std::string TestHome()
{
    const char* home = std::getenv("UVOLA_TEST_HOME");
    return home ? home : "";
}

std::string Expand(const char* path)
{
    char out[kPathSize];
    const char* result = ExpandTilde(path, out, sizeof out);
    return result ? std::string(result) : std::string("<null>");
}
}  // namespace

TEST(HomeDirectory, ComesFromUserDatabaseNotHomeVariable)
{
    char home[kPathSize];
    ASSERT_EQ(GetHomeDirectory(home, sizeof home, nullptr), 1);
    EXPECT_EQ(std::string(home), TestHome());
    EXPECT_NE(std::string(home), std::getenv("HOME"));
}

TEST(HomeDirectory, UnknownUserGivesEmptyPathAndFailure)
{
    char home[kPathSize] = "garbage";
    EXPECT_EQ(GetHomeDirectory(home, sizeof home, "no-such-user-here"), 0);
    EXPECT_STREQ(home, "");
}

TEST(ExpandTilde, ExpandsEveryForm)
{
    const std::string other = std::getenv("UVOLA_TEST_OTHER_HOME");
    EXPECT_EQ(Expand("~"), TestHome());
    EXPECT_EQ(Expand("~/a"), TestHome() + "/a");
    EXPECT_EQ(Expand("~uvolaother/a"), other + "/a");
    EXPECT_EQ(Expand("~uvolaother"), other);
    EXPECT_EQ(Expand("/x/~/a"), "/x/~/a");
    EXPECT_EQ(Expand("a~"), "a~");
    EXPECT_EQ(Expand(""), "");
    // A user nobody has names no file: never the rest alone from the root.
    EXPECT_EQ(Expand("~nobody-at-all/x"), "<null>");
    EXPECT_EQ(Expand("~nobody-at-all"), "<null>");
}

TEST(ExpandTilde, RefusesResultThatDoesNotFit)
{
    char small[8] = "garbage";
    EXPECT_EQ(ExpandTilde("/tmp/abcdefgh", small, sizeof small), nullptr);
    EXPECT_STREQ(small, "");
    std::string longPath(kPathSize, 'x');
    char out[kPathSize];
    EXPECT_EQ(ExpandTilde(("~/" + longPath).c_str(), out, sizeof out), nullptr);
    // Exactly fitting is fine.
    std::string fits(kPathSize - 1, 'y');
    EXPECT_NE(ExpandTilde(fits.c_str(), out, sizeof out), nullptr);
    EXPECT_EQ(std::string(out), fits);
}

TEST(ExpandTilde, OverlongUserNameMatchesNobody)
{
    std::string path = "~" + std::string(400, 'u') + "/z";
    char out[kPathSize] = "garbage";
    EXPECT_EQ(ExpandTilde(path.c_str(), out, sizeof out), nullptr);
    EXPECT_STREQ(out, "");
}

TEST(UserDirectory, IsCreatedOnceAndNamesTheStartupScript)
{
    char directory[kPathSize];
    char script[kPathSize];
    ASSERT_EQ(MakeUserDirectory(directory, script), 1);
    EXPECT_EQ(std::string(directory), TestHome() + "/.uvola");
    EXPECT_EQ(std::string(script), TestHome() + "/.uvola/uvolarc");
    struct stat info {};
    ASSERT_EQ(stat(directory, &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0755u);
    // An existing directory is success too.
    EXPECT_EQ(MakeUserDirectory(directory, script), 1);
}

TEST(UserDirectory, ExistingPlainFileCountsAsSuccess)
{
    std::string path = TestHome() + "/.uvola";
    rmdir(path.c_str());
    unlink(path.c_str());
    FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    char directory[kPathSize];
    char script[kPathSize];
    EXPECT_EQ(MakeUserDirectory(directory, script), 1);
    unlink(path.c_str());
}

TEST(AppEnv, ResetStoresTheStartDefaults)
{
    gAppEnv->blinkTime = 3;
    gAppEnv->quiet = 1;
    gAppEnv->skyMarkCount = 9;
    std::snprintf(gAppEnv->siteName, sizeof gAppEnv->siteName, "Somewhere");
    ResetAppEnv();
    EXPECT_EQ(gAppEnv->blinkTime, 10);
    EXPECT_EQ(gAppEnv->quiet, 0);
    EXPECT_EQ(gAppEnv->skyMarkCount, 0);
    EXPECT_EQ(gAppEnv->skyMarks, nullptr);
    EXPECT_STREQ(gAppEnv->siteName, "");
    EXPECT_EQ(gAppEnv->lineWidth, 0);
    EXPECT_EQ(gAppEnv->stepBox, nullptr);
}
