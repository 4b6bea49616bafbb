// Small file helpers shared by the tests of the options file, locale,
// resources, site list and name files.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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

// What the replacement writer left of its temporaries beside target:
// names holding ".$NEW$" that begin with the target's name (as much of it as
// a temporary's name has room for).
inline std::vector<std::string> Temporaries(const std::string& target)
{
    const size_t slash = target.rfind('/');
    const std::string directory = slash == std::string::npos ? "." : target.substr(0, slash);
    const std::string base = target.substr(slash + 1);
    const std::string start = base.substr(0, 200);
    std::vector<std::string> names;
    DIR* dir = opendir(directory.c_str());
    while (dirent* entry = dir != nullptr ? readdir(dir) : nullptr) {
        const std::string name = entry->d_name;
        if (name != base && name.compare(0, start.size(), start) == 0 && name.find(".$NEW$") != std::string::npos) {
            names.push_back(name);
        }
    }
    if (dir != nullptr) {
        closedir(dir);
    }
    return names;
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

// A small tmpfs of the test's own at `path`, mounted in a mount namespace
// private to this test process, so that writes fail as on a full or a
// read-only disk: the tests run as root in CI, where file modes refuse
// nothing. The machine's mounts are never touched; the mount goes when the
// record does.
struct PrivateTmpfs {
    std::string path;
    std::string why;  // "" when mounted, else why not (the caller then skips)

    explicit PrivateTmpfs(std::string mountPoint, int kilobytes = 64) : path(std::move(mountPoint))
    {
        static bool unshared = false;
        if (!unshared) {
            if (unshare(CLONE_NEWNS) != 0 || mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
                why = "no private mount namespace: errno " + std::to_string(errno);
                return;
            }
            unshared = true;
        }
        mkdir(path.c_str(), 0700);
        const std::string options = "size=" + std::to_string(kilobytes) + "k";
        if (mount("tmpfs", path.c_str(), "tmpfs", 0, options.c_str()) != 0) {
            why = "tmpfs not mounted: errno " + std::to_string(errno);
        }
    }
    ~PrivateTmpfs()
    {
        if (why.empty()) {
            umount2(path.c_str(), MNT_DETACH);
        }
    }
    PrivateTmpfs(const PrivateTmpfs&) = delete;
    PrivateTmpfs& operator=(const PrivateTmpfs&) = delete;

    bool SetReadOnly(bool readOnly) const
    {
        const unsigned long flags = MS_REMOUNT | (readOnly ? MS_RDONLY : 0);
        return mount(nullptr, path.c_str(), nullptr, flags, nullptr) == 0;
    }

    // Writes a file until the file system has no room left.
    void Fill() const
    {
        const int fd = open((path + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const char block[512] = {};
        while (fd >= 0 && write(fd, block, sizeof block) > 0) {
        }
        if (fd >= 0) {
            close(fd);
        }
    }
};
