// The bench's files on a POSIX system: every path walked from the bench's
// directory with openat, each component opened with O_NOFOLLOW, so that a
// link inside the bench is never followed; files read only when fstatat
// and fstat call them regular, opened with O_NONBLOCK so that a FIFO can
// never hold a reader; new files made with O_CREAT|O_EXCL|O_NOFOLLOW,
// flushed, and renamed into place with renameat.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

// A refusal of what the bench holds: a registry call reports it as a
// refused access.
std::string Refused(const std::string& text)
{
    LastCode() = EACCES;
    return text;
}

const char* KindName(mode_t mode)
{
    if (S_ISLNK(mode)) return "a link";
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISSOCK(mode)) return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
    return "a regular file";
}

// The components of a path below the root; none for a path that would
// leave its folder.
bool Components(const std::string& path, std::vector<std::string>* parts)
{
    parts->clear();
    size_t at = 0;
    while (at <= path.size()) {
        size_t slash = path.find('/', at);
        if (slash == std::string::npos) slash = path.size();
        std::string part = path.substr(at, slash - at);
        if (part.empty() || part == "." || part == "..") return false;
        parts->push_back(part);
        at = slash + 1;
    }
    return !parts->empty();
}

// The reason a component could not be opened as a folder.
std::string NotFolder(int folder, const std::string& name, const std::string& walked, int code)
{
    struct stat status {};
    if ((code == ELOOP || code == ENOTDIR) && fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0)
        return Refused(walked + " is " + KindName(status.st_mode) + ", not a folder");
    return Reason(code);
}

// The owner of the bench, to whom all it holds belongs.
struct Owner {
    uid_t user = 0;
    gid_t group = 0;
};

// Opens the folder of the first count components: the root followed
// (a user may keep the bench behind a link), every component below not.
int OpenFolder(const std::string& root, const std::vector<std::string>& parts, size_t count, std::string* reason,
               Owner* owner = nullptr)
{
    int fd = open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) *reason = Reason(errno);
    struct stat status {};
    if (owner && fd >= 0 && fstat(fd, &status) == 0) *owner = Owner{status.st_uid, status.st_gid};
    std::string walked;
    for (size_t i = 0; i < count && fd >= 0; ++i) {
        walked += (i ? "/" : "") + parts[i];
        int next = openat(fd, parts[i].c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (next < 0) *reason = NotFolder(fd, parts[i], walked, errno);
        close(fd);
        fd = next;
    }
    return fd;
}

// The open folder a path lies in, and its last name there.
struct Located {
    int folder = -1;
    std::string name, parent;
    Owner owner;
    ~Located()
    {
        if (folder >= 0) close(folder);
    }
};

bool Locate(const std::string& root, const std::string& path, Located* at, std::string* reason)
{
    std::vector<std::string> parts;
    if (!Components(path, &parts)) {
        *reason = Refused("'" + path + "' is not a name inside the bench");
        return false;
    }
    at->name = parts.back();
    at->parent = path.size() > at->name.size() ? path.substr(0, path.size() - at->name.size() - 1) : "";
    at->folder = OpenFolder(root, parts, parts.size() - 1, reason, &at->owner);
    return at->folder >= 0;
}

// What root makes in a user's bench is given to the user, so that the
// bench stays theirs and their own runs can change it as before. Anyone
// else makes only what is theirs already.
void GiveToOwner(int fd, const Located& at)
{
    if (geteuid() == 0 && fchown(fd, at.owner.user, at.owner.group) != 0) {
        // Left root's: the bench's owner may still read it.
    }
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

// Reads at most limit + 1 bytes, so that a file grown past its limit shows.
bool ReadUpTo(int fd, size_t limit, std::string* bytes)
{
    bytes->clear();
    char buffer[4096];
    while (bytes->size() <= limit) {
        ssize_t moved = read(fd, buffer, sizeof buffer);
        if (moved < 0 && errno == EINTR) continue;
        if (moved < 0) return false;
        if (moved == 0) break;
        bytes->append(buffer, static_cast<size_t>(moved));
    }
    return true;
}

std::string TooLarge(unsigned long long size, size_t limit)
{
    return Refused("it holds " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) +
                   " it may");
}

// A new file beside the target, under a name that nobody else uses; a name
// that exists (a file or a link) is passed by, never opened.
int CreateTemporary(const Located& at, std::string* name)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        *name = at.name + ".new." + std::to_string(getpid()) + "." + std::to_string(++counter);
        int fd = openat(at.folder, name->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

namespace os {

bool MakeRoot(const std::string& dir, std::string* reason)
{
    if (mkdir(dir.c_str(), 0755) == 0) return true;
    *reason = Reason(errno);
    return false;
}

std::string RootRefusal(const std::string& dir)
{
    int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    struct stat status {};
    if (fd < 0 || fstat(fd, &status) != 0) {
        std::string reason = errno == ENOTDIR ? "it is not a folder" : Reason(errno);
        if (fd >= 0) close(fd);
        return reason;
    }
    close(fd);
    if ((status.st_mode & (S_IWGRP | S_IWOTH)) == 0) return "";
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", static_cast<unsigned>(status.st_mode & 07777));
    return Refused(std::string("others may write it (mode ") + mode +
                   "); name a folder that only its owner may write");
}

bool ReadRegular(const std::string& root, const std::string& path, size_t limit, std::string* bytes,
                 std::string* reason, bool* missing)
{
    if (missing) *missing = false;
    Located at;
    if (!Locate(root, path, &at, reason)) return false;
    struct stat status {};
    if (fstatat(at.folder, at.name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
        if (missing) *missing = errno == ENOENT;
        *reason = Reason(errno);
        return false;
    }
    if (!S_ISREG(status.st_mode)) {
        *reason = Refused(std::string("it is ") + KindName(status.st_mode) + ", not a regular file");
        return false;
    }
    if (static_cast<unsigned long long>(status.st_size) > limit) {
        *reason = TooLarge(static_cast<unsigned long long>(status.st_size), limit);
        return false;
    }
    int fd = openat(at.folder, at.name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        *reason = Reason(errno);
        return false;
    }
    // Checked again on what was opened: the name may have changed since.
    bool ok = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    if (!ok) *reason = Refused("it is " + std::string(KindName(status.st_mode)) + ", not a regular file");
    if (ok && !ReadUpTo(fd, limit, bytes)) {
        ok = false;
        *reason = Reason(errno);
    }
    close(fd);
    if (ok && bytes->size() > limit) {
        *reason = TooLarge(bytes->size(), limit);
        return false;
    }
    return ok;
}

bool ListFolder(const std::string& root, const std::string& path, std::vector<Entry>* entries, std::string* reason)
{
    std::vector<std::string> parts;
    if (!Components(path, &parts)) {
        *reason = Refused("'" + path + "' is not a name inside the bench");
        return false;
    }
    int fd = OpenFolder(root, parts, parts.size(), reason);
    DIR* folder = fd >= 0 ? fdopendir(fd) : nullptr;
    if (!folder) {
        if (fd >= 0) {
            *reason = Reason(errno);
            close(fd);
        }
        return false;
    }
    entries->clear();
    while (dirent* entry = readdir(folder)) {
        std::string name = entry->d_name;
        if (name == "." || name == "..") continue;
        struct stat status {};
        Kind kind = Kind::other;
        if (fstatat(dirfd(folder), entry->d_name, &status, AT_SYMLINK_NOFOLLOW) == 0)
            kind = S_ISREG(status.st_mode)   ? Kind::file
                   : S_ISDIR(status.st_mode) ? Kind::folder
                   : S_ISLNK(status.st_mode) ? Kind::link
                                             : Kind::other;
        entries->push_back(Entry{name, kind});
    }
    closedir(folder);
    return true;
}

bool MakeFolder(const std::string& root, const std::string& path, std::string* reason)
{
    Located at;
    if (!Locate(root, path, &at, reason)) return false;
    if (mkdirat(at.folder, at.name.c_str(), 0755) != 0) {
        *reason = Reason(errno);
        return false;
    }
    int made = openat(at.folder, at.name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (made >= 0) {
        GiveToOwner(made, at);
        close(made);
    }
    return true;
}

bool WriteNewBeside(const std::string& root, const std::string& path, const std::string& bytes,
                    std::string* temporary, std::string* reason)
{
    temporary->clear();
    Located at;
    if (!Locate(root, path, &at, reason)) return false;
    std::string name;
    int fd = CreateTemporary(at, &name);
    if (fd < 0) {
        *reason = Reason(errno);
        return false;
    }
    *temporary = at.parent.empty() ? name : at.parent + "/" + name;
    GiveToOwner(fd, at);
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    int code = errno;
    if (close(fd) != 0 && ok) {
        ok = false;
        code = errno;
    }
    if (!ok) *reason = Reason(code);
    return ok;
}

bool Rename(const std::string& root, const std::string& from, const std::string& to, std::string* reason)
{
    Located source, target;
    if (!Locate(root, from, &source, reason) || !Locate(root, to, &target, reason)) return false;
    if (renameat(source.folder, source.name.c_str(), target.folder, target.name.c_str()) != 0) {
        *reason = Reason(errno);
        return false;
    }
    // The rename itself reaches the disk with the folder.
    fsync(target.folder);
    return true;
}

bool RemoveFile(const std::string& root, const std::string& path)
{
    Located at;
    std::string reason;
    return Locate(root, path, &at, &reason) && unlinkat(at.folder, at.name.c_str(), 0) == 0;
}

bool RemoveFolder(const std::string& root, const std::string& path)
{
    Located at;
    std::string reason;
    return Locate(root, path, &at, &reason) && unlinkat(at.folder, at.name.c_str(), AT_REMOVEDIR) == 0;
}

unsigned long ThisProcess()
{
    return static_cast<unsigned long>(getpid());
}

bool ProcessGone(unsigned long process)
{
    return process > 0 && kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

std::string InjectedReason(int code)
{
    return Reason(code);
}

}  // namespace os

bool ReadWhole(const std::string& path, std::string* bytes, std::string* error)
{
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat status {};
    if (fd >= 0 && (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        close(fd);
        fd = -1;
        errno = EINVAL;
    }
    if (fd < 0) {
        *error = path + ": " + std::strerror(errno);
        return false;
    }
    bool ok = ReadUpTo(fd, static_cast<size_t>(status.st_size) + 65536, bytes);
    if (!ok) *error = path + ": " + std::strerror(errno);
    close(fd);
    return ok;
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
