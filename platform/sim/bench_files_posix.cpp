// The bench's files on a POSIX system: flock for the lock; open with
// O_CREAT|O_EXCL|O_NOFOLLOW, fsync and rename for a replacement.
#include "platform/sim/bench_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

namespace sim::bench {

namespace {

struct ProcessLock {
    int fd = -1;
    int depth = 0;
    bool exclusive = false;
};

ProcessLock& TheLock()
{
    static ProcessLock lock;
    return lock;
}

std::string& FailingPart()
{
    static std::string part;
    return part;
}

int& FailingCode()
{
    static int code = 0;
    return code;
}

int& LastCode()
{
    static int code = 0;
    return code;
}

// Every failure passes here, so its code is kept for LastWindowsError.
std::string Reason(int code)
{
    LastCode() = code;
    return std::strerror(code);
}

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t moved = write(fd, bytes.data() + done, bytes.size() - done);
        if (moved < 0 && errno == EINTR) continue;
        if (moved <= 0) return false;
        done += static_cast<size_t>(moved);
    }
    return true;
}

std::string Folder(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

// A new file beside the target, under a name that nobody else uses; a name
// that exists (a file or a link) is passed by, never opened.
int CreateTemporary(const std::string& path, std::string* temporary)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        *temporary = path + ".new." + std::to_string(getpid()) + "." + std::to_string(++counter);
        int fd = open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

BenchLock::BenchLock(const std::string& dir, bool exclusive)
{
    ProcessLock& lock = TheLock();
    if (lock.depth > 0) {
        if (exclusive && !lock.exclusive) {
            error = "cannot lock " + dir + "/bench.lock: a shared lock is held";
            return;
        }
        ++lock.depth;
        held = true;
        return;
    }
    std::string path = dir + "/bench.lock";
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot lock " + path + ": " + Reason(errno);
        return;
    }
    int result;
    do {
        result = flock(fd, exclusive ? LOCK_EX : LOCK_SH);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        error = "cannot lock " + path + ": " + Reason(errno);
        close(fd);
        return;
    }
    lock.fd = fd;
    lock.depth = 1;
    lock.exclusive = exclusive;
    held = true;
}

BenchLock::~BenchLock()
{
    if (!held) return;
    ProcessLock& lock = TheLock();
    if (--lock.depth > 0) return;
    flock(lock.fd, LOCK_UN);
    close(lock.fd);
    lock.fd = -1;
}

bool ReadWhole(const std::string& path, std::string* bytes, std::string* error)
{
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        *error = path + ": " + std::strerror(errno);
        return false;
    }
    bytes->clear();
    char buffer[4096];
    for (;;) {
        ssize_t moved = read(fd, buffer, sizeof buffer);
        if (moved < 0 && errno == EINTR) continue;
        if (moved < 0) {
            *error = path + ": " + std::strerror(errno);
            close(fd);
            return false;
        }
        if (moved == 0) break;
        bytes->append(buffer, static_cast<size_t>(moved));
    }
    close(fd);
    return true;
}

Replacement::Replacement(Replacement&& other) noexcept : path(std::move(other.path)), temporary(std::move(other.temporary))
{
    other.temporary.clear();
}

Replacement::~Replacement()
{
    if (!temporary.empty()) unlink(temporary.c_str());
}

bool Replacement::Prepare(const std::string& target, const std::string& bytes, std::string* error)
{
    path = target;
    if (FailingCode() && path.find(FailingPart()) != std::string::npos) {
        *error = "cannot save " + path + ": " + Reason(FailingCode());
        return false;
    }
    int fd = CreateTemporary(path, &temporary);
    if (fd < 0) {
        temporary.clear();
        *error = "cannot save " + path + ": " + Reason(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int code = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) *error = "cannot save " + path + ": " + Reason(code);
    return ok;
}

bool Replacement::Commit(std::string* error)
{
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        *error = "cannot save " + path + ": " + Reason(errno);
        return false;
    }
    temporary.clear();
    // The rename itself reaches the disk with the folder.
    int folder = open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

bool ReplaceWhole(const std::string& path, const std::string& bytes, std::string* error)
{
    Replacement replacement;
    return replacement.Prepare(path, bytes, error) && replacement.Commit(error);
}

bool MakeNewDirectory(const std::string& path, std::string* error)
{
    if (mkdir(path.c_str(), 0755) == 0) return true;
    *error = "cannot make " + path + ": " + Reason(errno);
    return false;
}

long LastWindowsError()
{
    switch (LastCode()) {
    case EACCES:
    case EPERM:
    case EROFS: return 5;    // ERROR_ACCESS_DENIED
    case ENOSPC:
    case EDQUOT: return 112; // ERROR_DISK_FULL
    case ENOENT: return 3;   // ERROR_PATH_NOT_FOUND
    default: return 29;      // ERROR_WRITE_FAULT
    }
}

void InjectWriteFailure(const std::string& pathPart, int code)
{
    FailingPart() = pathPart;
    FailingCode() = code;
}

}  // namespace sim::bench
