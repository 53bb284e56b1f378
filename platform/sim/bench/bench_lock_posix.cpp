// The bench's lock on a POSIX system: flock on the bench directory itself.
// A lock on a file in it could be taken away by deleting or replacing the
// file while a change holds it, and a second change would then run at
// once; the directory cannot go while it holds the bench. After the lock
// is taken, the directory's name must still lead to the directory locked,
// else (the bench was removed and made again meanwhile) it is taken again.
//
// Job control (SIGTSTP, SIGTTIN, SIGTTOU) is blocked while the lock is
// held: a stop asked for meanwhile comes when the lock is dropped, so that
// a stopped program never keeps the bench from every other one.
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sim/bench/bench_files_os.h"

namespace sim::bench::os {

namespace {

sigset_t& MaskBefore()
{
    static sigset_t mask;
    return mask;
}

void HoldOffStops()
{
    sigset_t stops;
    sigemptyset(&stops);
    sigaddset(&stops, SIGTSTP);
    sigaddset(&stops, SIGTTIN);
    sigaddset(&stops, SIGTTOU);
    sigprocmask(SIG_BLOCK, &stops, &MaskBefore());
}

void AllowStops()
{
    sigprocmask(SIG_SETMASK, &MaskBefore(), nullptr);
}

// The directory opened and locked; -1 with the reason.
int LockOnce(const std::string& dir, bool exclusive, std::string* reason)
{
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    int result = fd < 0 ? -1 : 0;
    if (fd >= 0) {
        do {
            result = flock(fd, exclusive ? LOCK_EX : LOCK_SH);
        } while (result != 0 && errno == EINTR);
    }
    if (result == 0) return fd;
    *reason = std::strerror(errno);
    if (fd >= 0) close(fd);
    return -1;
}

bool StillNamed(const std::string& dir, int fd)
{
    struct stat held {}, named {};
    return fstat(fd, &held) == 0 && stat(dir.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
           held.st_ino == named.st_ino;
}

}  // namespace

std::string LockPath(const std::string& dir)
{
    return dir;
}

bool TakeLock(const std::string& dir, bool exclusive, intptr_t* handle, std::string* reason)
{
    HoldOffStops();
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = LockOnce(dir, exclusive, reason);
        if (fd < 0) break;
        if (StillNamed(dir, fd)) {
            *handle = fd;
            return true;
        }
        close(fd);
        *reason = "the bench directory keeps being replaced";
    }
    AllowStops();
    return false;
}

void DropLock(intptr_t handle)
{
    int fd = static_cast<int>(handle);
    flock(fd, LOCK_UN);
    close(fd);
    AllowStops();
}

}  // namespace sim::bench::os
