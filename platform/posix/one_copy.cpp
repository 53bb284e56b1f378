// One copy at a time on a POSIX system: a lock on DIR/vellmark.lock in the
// data folder, held by a descriptor that stays open until the process ends,
// so that the system drops it at any death. The file holds the holder's
// process id, for the refusal's message.
#include "platform/one_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/data_files.h"
#include "platform/posix/data_folder_fd.h"

namespace onecopy {

namespace {

std::string RunningProcess(int fd)
{
    char text[32] = {};
    ssize_t n = pread(fd, text, sizeof text - 1, 0);
    if (n <= 0) return "a process";
    text[n] = 0;
    text[std::strcspn(text, "\n")] = 0;
    for (const char* c = text; *c; ++c)
        if (*c < '0' || *c > '9') return "a process";
    return std::string("process ") + text;
}

const char lockName[] = "vellmark.lock";

// The lock file, opened in the data folder without following a link. A
// file of that name that the program did not make (a link, a hard link to
// a file elsewhere, someone else's) is removed by name and made anew, so
// nothing outside the folder is opened, locked or truncated.
int OpenLockFile(datafiles::Folder* folder)
{
    const int at = datafiles::FolderFd(folder);
    for (int attempt = 0; attempt < 4; ++attempt) {
        int fd = openat(at, lockName, O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0 && errno == ENOENT) {
            fd = openat(at, lockName, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
            if (fd < 0 && errno == EEXIST) continue;
            if (fd >= 0) datafiles::GiveToDataOwner(folder, fd);
            if (fd >= 0 && fchmod(fd, 0644) != 0) {
                close(fd);
                return -1;
            }
            return fd;
        }
        struct stat info {};
        if (fd >= 0 && fstat(fd, &info) == 0 && !datafiles::Planted(datafiles::FileStanding(folder, lockName, info)))
            return fd;
        if (fd >= 0) close(fd);
        else if (errno != ELOOP) return -1;
        if (unlinkat(at, lockName, 0) != 0 && errno != ENOENT) return -1;
    }
    errno = EAGAIN;
    return -1;
}

}  // namespace

Outcome TakeGuard(std::string* running)
{
    datafiles::Folder* folder = nullptr;
    std::string problem;
    if (!datafiles::OpenFolder(datafiles::Place::data, &folder, &problem)) {
        *running = "the data folder cannot be used: " + problem;
        return Outcome::failed;
    }
    if (!folder) return Outcome::first;
    const std::string path = datafiles::Join(datafiles::FolderPath(folder), lockName);
    int fd = OpenLockFile(folder);
    if (fd < 0) {
        *running = path + ": " + std::strerror(errno);
        return Outcome::failed;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        bool held = errno == EWOULDBLOCK;
        *running = held ? RunningProcess(fd) : path + ": " + std::strerror(errno);
        close(fd);
        return held ? Outcome::another : Outcome::failed;
    }
    char text[32];
    int length = std::snprintf(text, sizeof text, "%u\n", datafiles::ProcessId());
    if (ftruncate(fd, 0) != 0 || pwrite(fd, text, static_cast<size_t>(length), 0) != length) {
        // The guard holds all the same; only the message of a refused copy suffers.
    }
    // The descriptor stays open, and the lock with it, until the process ends.
    return Outcome::first;
}

}  // namespace onecopy
