// Save and Save As Default on a disk that is full: a tmpfs of a few pages
// mounted over the user directory in a private mount namespace. The save
// fails, the old script is left byte for byte, and the box names the file.
#include "tests/mainwin/program_driver.h"

#include <sched.h>
#include <sys/mount.h>

#include <cerrno>

namespace {

using programtest::ProgramDriver;

// Our own mount namespace, private, so that the mounts below are seen by
// this process only. As root a mount namespace is enough; otherwise a user
// namespace that maps our own user id gives the right to mount in it.
bool EnterPrivateMountNamespace()
{
    if (getuid() != 0) {
        const uid_t uid = getuid();
        const gid_t gid = getgid();
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            return false;
        }
        WriteFile("/proc/self/setgroups", "deny");
        WriteFile("/proc/self/uid_map", std::to_string(uid) + " " + std::to_string(uid) + " 1");
        WriteFile("/proc/self/gid_map", std::to_string(gid) + " " + std::to_string(gid) + " 1");
    } else if (unshare(CLONE_NEWNS) != 0) {
        return false;
    }
    return mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Writes until the disk refuses more.
void FillDisk(const std::string& path)
{
    FILE* file = std::fopen(path.c_str(), "w");
    const std::string block(512, 'x');
    while (file != nullptr && std::fwrite(block.data(), 1, block.size(), file) == block.size() &&
           std::fflush(file) == 0) {
    }
    if (file != nullptr) {
        std::fclose(file);
    }
}

TEST(SaveOnAFullDisk, LeavesTheOldScriptsAndNamesThem)
{
    if (!EnterPrivateMountNamespace()) {
        GTEST_SKIP() << "no private mount namespace here: " << std::strerror(errno);
    }
    const std::string directory = programtest::UserDirectory();
    mkdir(directory.c_str(), 0700);
    ASSERT_EQ(mount("tmpfs", directory.c_str(), "tmpfs", 0, "size=64k"), 0) << std::strerror(errno);
    ProgramDriver driver;

    const std::string uvolarc = gAppEnv->startupScriptPath;
    const std::string script = directory + "/sky.stl";
    const std::string old = "# the user's own settings\nMODE EQT\n";
    WriteFile(uvolarc, old);
    WriteFile(script, old);
    FillDisk(directory + "/filler");

    ProgramDriver::AnswerQuestionLater(true);
    driver.Choose("MenuSettingsSaveAsDefault");
    EXPECT_TRUE(driver.PumpUntilBoxes({"Can't create file: " + uvolarc}));
    EXPECT_EQ(ReadFile(uvolarc), old);
    ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);

    std::snprintf(gScene->scriptName, sizeof gScene->scriptName, "%s", script.c_str());
    driver.Choose("MenuFileSave");
    EXPECT_TRUE(driver.PumpUntilBoxes({"Can't create file: " + script}));
    EXPECT_EQ(ReadFile(script), old);
    ProgramDriver::CloseMessageBoxes(gAppEnv->toplevel);
    EXPECT_EQ(Temporaries(uvolarc), std::vector<std::string>{});
    EXPECT_EQ(Temporaries(script), std::vector<std::string>{});
}

}  // namespace
