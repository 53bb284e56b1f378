// One copy at a time on a POSIX system: a lock on DIR/vellmark.lock in the
// data folder, held by a descriptor that stays open until the process ends,
// so that the system drops it at any death. The file holds the holder's
// process id, for the refusal's message.
#include "platform/one_copy.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/data_files.h"

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

}  // namespace

Outcome TakeGuard(std::string* running)
{
    std::string folder;
    if (!datafiles::DataFolder(&folder)) {
        *running = "the data folder cannot be made";
        return Outcome::failed;
    }
    if (folder.empty()) return Outcome::first;
    const std::string path = datafiles::Join(folder, "vellmark.lock");
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
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
