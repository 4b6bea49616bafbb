// A small tmpfs in a mount namespace of this test process's own, to make
// writes fail as a full or read-only disk makes them fail. The tests run as
// root in CI, where file modes refuse nothing, so a real file system has to
// say no. Mounts made here are private: nothing outside the process sees
// them, and they go with it.
#pragma once

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace tmpfstest {

// Mounts a tmpfs of the given size on dir (created when missing).
// Returned: "" done, else why not (no permission for a mount namespace)
inline std::string MountPrivateTmpfs(const std::string& dir, int kilobytes)
{
    static bool unshared = false;
    if (!unshared) {
        if (unshare(CLONE_NEWNS) != 0 ||
            mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
            return std::string("no private mount namespace: errno ") + std::to_string(errno);
        }
        unshared = true;
    }
    mkdir(dir.c_str(), 0700);
    const std::string options = "size=" + std::to_string(kilobytes) + "k";
    if (mount("tmpfs", dir.c_str(), "tmpfs", 0, options.c_str()) != 0) {
        return std::string("tmpfs not mounted: errno ") + std::to_string(errno);
    }
    return "";
}

inline bool RemountReadOnly(const std::string& dir)
{
    return mount(nullptr, dir.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

inline void Unmount(const std::string& dir)
{
    umount2(dir.c_str(), MNT_DETACH);
}

// Writes a file in dir until the file system has no room left.
inline void FillFileSystem(const std::string& dir)
{
    const int fd = open((dir + "/filler").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const char block[512] = {};
    while (fd >= 0 && write(fd, block, sizeof block) > 0) {
    }
    if (fd >= 0) {
        close(fd);
    }
}

}  // namespace tmpfstest
