// The bench's files on a POSIX system: flock for the lock; open with
// O_CREAT|O_EXCL|O_NOFOLLOW, fsync and rename for a replacement.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"

namespace sim::bench {

namespace {

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

namespace os {

std::string LockPath(const std::string& dir)
{
    return dir + "/bench.lock";
}

bool TakeLock(const std::string& path, bool exclusive, intptr_t* handle, std::string* reason)
{
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        *reason = Reason(errno);
        return false;
    }
    int result;
    do {
        result = flock(fd, exclusive ? LOCK_EX : LOCK_SH);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        *reason = Reason(errno);
        close(fd);
        return false;
    }
    *handle = fd;
    return true;
}

void DropLock(intptr_t handle)
{
    int fd = static_cast<int>(handle);
    flock(fd, LOCK_UN);
    close(fd);
}

bool WriteNewBeside(const std::string& path, const std::string& bytes, std::string* temporary, std::string* reason)
{
    int fd = CreateTemporary(path, temporary);
    if (fd < 0) {
        temporary->clear();
        *reason = Reason(errno);
        return false;
    }
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int code = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) *reason = Reason(code);
    return ok;
}

bool RenameOver(const std::string& temporary, const std::string& path, std::string* reason)
{
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        *reason = Reason(errno);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    int folder = open(Folder(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        fsync(folder);
        close(folder);
    }
    return true;
}

void RemoveFile(const std::string& path)
{
    unlink(path.c_str());
}

std::string InjectedReason(int code)
{
    return Reason(code);
}

}  // namespace os

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

}  // namespace sim::bench
