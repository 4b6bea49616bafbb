// Small file helpers shared by the tests of the options file, locale,
// resources, site list and name files.
#pragma once

#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

inline std::string TestHome()
{
    return std::getenv("UVOLA_TEST_HOME");
}

inline std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
}

inline bool Exists(const std::string& path)
{
    struct stat info;
    return lstat(path.c_str(), &info) == 0;
}

// Runs body in a child process and waits at most `seconds` for it: a reader
// that blocks (on a FIFO) or never ends (on /dev/zero) must not hang the
// test program, only fail it. The child is killed when the time is up.
// Returned: true when body returned true in time
template <typename Body>
bool FinishesWithin(double seconds, Body body)
{
    const pid_t child = fork();
    if (child == 0) {
        _exit(body() ? 0 : 1);
    }
    if (child < 0) {
        return false;
    }
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (waitpid(child, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            return false;
        }
        usleep(2000);
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs write in a child process whose files may grow to 16 KiB only, so
// that the kernel kills it (SIGXFSZ) part way through a larger file, as a
// kill or a crash would.
// Returned: true when the child died of SIGXFSZ
template <typename Write>
bool KilledByFileSizeLimit(Write write)
{
    const pid_t child = fork();
    if (child == 0) {
        const rlimit small = {16384, 16384};
        setrlimit(RLIMIT_FSIZE, &small);
        _exit(write());
    }
    if (child < 0) {
        return false;
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ;
}

// A FIFO nobody writes to, and a link to /dev/zero, at path: what a user
// may leave under a data file's name.
enum class SpecialFile { kFifo, kZeroLink };

inline bool MakeSpecialFile(const std::string& path, SpecialFile kind)
{
    unlink(path.c_str());
    return kind == SpecialFile::kFifo ? mkfifo(path.c_str(), 0600) == 0
                                      : symlink("/dev/zero", path.c_str()) == 0;
}

// A small file system of the test's own at TestHome()/name, mounted in a
// private mount namespace so that the machine's mounts are never touched.
// Returned: its path; empty where the machine allows no private mount
//           namespace (the caller then skips)
inline std::string MountPrivateTmpfs(const char* name)
{
    if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return "";
    }
    const std::string mountPoint = TestHome() + "/" + name;
    mkdir(mountPoint.c_str(), 0755);
    return mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=64k") == 0 ? mountPoint : "";
}

// Fills the file system of directory up to its last byte.
inline void FillFileSystem(const std::string& directory)
{
    FILE* filler = std::fopen((directory + "/filler").c_str(), "w");
    const std::string block(1024, 'f');
    while (std::fwrite(block.data(), 1, block.size(), filler) == block.size() && std::fflush(filler) == 0) {
    }
    std::fclose(filler);
}
