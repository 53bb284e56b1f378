// The machine data's files on a POSIX system: every call goes relative to
// the folder's descriptor, with O_NOFOLLOW, on regular files with one link
// owned by the user running the program (or root) and written by no one
// else.
#include "platform/data_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <csignal>
#include <cstdlib>
#include <ctime>

#include "platform/data_folder_system.h"
#include "platform/posix/data_folder_fd.h"

struct datafiles::Folder {
    int fd;
    std::string path;
    std::string relative;  // "" for the data folder, else the subfolder's name
    // The data folder's owner: what the program makes in it is theirs.
    uid_t owner;
    gid_t group;
};

namespace datafiles {

namespace {

constexpr mode_t fileMode = 0644;
constexpr mode_t folderMode = 0755;
constexpr mode_t othersWrite = S_IWGRP | S_IWOTH;

bool WriteAll(int fd, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<size_t>(n);
    }
    return true;
}

// Reads the open file to its end, at most limit bytes, and closes it;
// nothing is read when ok is false already.
ReadResult ReadWhole(int fd, bool ok, size_t limit, std::string* bytes)
{
    char buffer[4096];
    while (ok) {
        ssize_t n = read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0) break;
        bytes->append(buffer, static_cast<size_t>(n));
        if (bytes->size() > limit) ok = false;
    }
    close(fd);
    return ok ? ReadResult::read : ReadResult::failed;
}

// The facts of a file or folder; one in the data folder (data not null)
// owned by the data folder's owner is the program's as much as the folder
// is: that owner may change anything in it anyway.
Standing FactsOf(const struct stat& info, const Folder* data)
{
    Standing standing;
    const uid_t me = geteuid();
    standing.redirect = S_ISLNK(info.st_mode);
    standing.folder = S_ISDIR(info.st_mode);
    standing.regular = S_ISREG(info.st_mode);
    if (S_ISFIFO(info.st_mode)) standing.special = Special::fifo;
    if (S_ISSOCK(info.st_mode)) standing.special = Special::socket;
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) standing.special = Special::device;
    standing.links = static_cast<uint32_t>(info.st_nlink);
    standing.programsOwner = info.st_uid == me || info.st_uid == 0 || (data && info.st_uid == data->owner);
    standing.othersMayWrite = (info.st_mode & othersWrite) != 0;
    standing.canTakeOver = info.st_uid == me || me == 0;
    return standing;
}

std::string RelativeOf(const Folder* folder, const std::string& name)
{
    return folder->relative.empty() ? name : folder->relative + "/" + name;
}

// What root makes in a user's data folder is the user's, so that the
// folder stays theirs and their own runs use it as before.
void GiveToOwner(const Folder& data, int fd)
{
    if (geteuid() == 0 && fchown(fd, data.owner, data.group) != 0) {
        // Left root's: the owner's runs may still read it.
    }
}

// A subfolder of the data folder made the program's own: the data folder's
// owner's when root runs, else the user's running it; no write for others.
bool TakeOver(int fd, const struct stat& info, const Folder& data)
{
    const bool root = geteuid() == 0;
    const uid_t owner = root ? data.owner : geteuid();
    if (info.st_uid != owner && fchown(fd, owner, root ? data.group : static_cast<gid_t>(-1)) != 0) return false;
    return fchmod(fd, (info.st_mode & 07777) & ~othersWrite) == 0;
}

// Opens the folder NAME in PARENT (a path at the current directory for the
// data folder, no parent) and judges it. A folder the user named is never
// made nor changed; the program's own subfolders are made when missing and
// taken over where others could write them.
Folder* OpenChecked(int parent, const Folder* data, const std::string& name, const std::string& path,
                    const std::string& relative, bool named, std::string* problem)
{
    bool made = !named && mkdirat(parent, name.c_str(), 0700) == 0;
    if (!named && !made && errno != EEXIST) {
        *problem = path + ": cannot be made: " + std::strerror(errno);
        return nullptr;
    }
    int fd = openat(parent, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || fstat(fd, &info) != 0) {
        *problem = path + (errno == ELOOP || errno == ENOTDIR ? ": a link or not a folder" : ": " + std::string(std::strerror(errno)));
        if (fd >= 0) close(fd);
        return nullptr;
    }
    Standing standing = FactsOf(info, data);
    Observe(relative, &standing);
    Folder* folder = new Folder{fd, path, relative, info.st_uid, info.st_gid};
    if (data) folder->owner = data->owner, folder->group = data->group;
    FolderUse use = named ? JudgeNamedFolder(standing) : JudgeFolder(standing);
    bool usable = use == FolderUse::use || (use == FolderUse::takeOver && TakeOver(fd, info, *folder));
    if (made) usable = usable && fchmod(fd, folderMode) == 0;
    if (made && usable) GiveToOwner(*folder, fd);
    if (!usable) {
        *problem = path + (named && use == FolderUse::refuse ? ": " + NamedFolderRefusal(standing)
                           : use == FolderUse::refuse ? ": not the program's own, and it cannot be made so"
                                                      : ": cannot be made the program's own");
        CloseSystemFolder(folder);
        return nullptr;
    }
    return folder;
}

// A new file beside the name, written and flushed; its name, or empty.
std::string WriteNewBeside(Folder* folder, const std::string& name, const std::string& bytes)
{
    static unsigned counter = 0;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".new.%u.%u", static_cast<unsigned>(getpid()), ++counter);
    std::string temporary = name + suffix;
    int fd = openat(folder->fd, temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, fileMode);
    if (fd < 0) return "";
    GiveToOwner(*folder, fd);
    // The mode is set whatever the umask: a file others may write is planted.
    bool ok = fchmod(fd, fileMode) == 0 && WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) return temporary;
    unlinkat(folder->fd, temporary.c_str(), 0);
    return "";
}

bool PlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

}  // namespace

int FolderFd(const Folder* folder)
{
    return folder->fd;
}

Standing FileStanding(const Folder* folder, const std::string& name, const struct stat& info)
{
    Standing standing = FactsOf(info, folder);
    Observe(RelativeOf(folder, name), &standing);
    return standing;
}

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

Folder* OpenSystemFolder(Folder* parent, const std::string& path, const std::string& name, bool named,
                         std::string* problem)
{
    return parent ? OpenChecked(parent->fd, parent, name, path, name, named, problem)
                  : OpenChecked(AT_FDCWD, nullptr, path, path, "", named, problem);
}

void GiveToDataOwner(const Folder* folder, int fd)
{
    GiveToOwner(*folder, fd);
}

bool FolderStillThere(const Folder* folder)
{
    struct stat info {};
    return fstat(folder->fd, &info) == 0 && info.st_nlink > 0;
}

void CloseSystemFolder(Folder* folder)
{
    close(folder->fd);
    delete folder;
}

const std::string& FolderPath(const Folder* folder)
{
    return folder->path;
}

ReadResult Read(Folder* folder, const std::string& name, size_t limit, std::string* bytes)
{
    bytes->clear();
    if (!PlainName(name)) return ReadResult::failed;
    int fd = openat(folder->fd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::missing : errno == ELOOP ? ReadResult::planted : ReadResult::failed;
    struct stat info {};
    if (fstat(fd, &info) != 0 || Planted(FileStanding(folder, name, info))) {
        close(fd);
        return ReadResult::planted;
    }
    return ReadWhole(fd, static_cast<size_t>(info.st_size) <= limit, limit, bytes);
}

bool Replace(Folder* folder, const std::string& name, const std::string& bytes)
{
    if (!PlainName(name)) return false;
    std::string temporary = WriteNewBeside(folder, name, bytes);
    if (temporary.empty()) return false;
    if (renameat(folder->fd, temporary.c_str(), folder->fd, name.c_str()) != 0) {
        unlinkat(folder->fd, temporary.c_str(), 0);
        return false;
    }
    fsync(folder->fd);
    return true;
}

bool CreateOnce(Folder* folder, const std::string& name, const std::string& bytes, bool* existed)
{
    *existed = false;
    if (!PlainName(name)) return false;
    std::string temporary = WriteNewBeside(folder, name, bytes);
    if (temporary.empty()) return false;
    // A hard link is made only where no name is: never over a file.
    bool linked = linkat(folder->fd, temporary.c_str(), folder->fd, name.c_str(), 0) == 0;
    if (!linked && errno == EEXIST) *existed = true;
    unlinkat(folder->fd, temporary.c_str(), 0);
    if (linked) fsync(folder->fd);
    return linked;
}

bool Remove(Folder* folder, const std::string& name)
{
    if (!PlainName(name)) return false;
    return unlinkat(folder->fd, name.c_str(), 0) == 0 || errno == ENOENT;
}

namespace {

// The names in the folder; with filesOnly, only those of regular files.
bool ListNames(Folder* folder, bool filesOnly, std::vector<std::string>* names)
{
    names->clear();
    int fd = openat(folder->fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = fd < 0 ? nullptr : fdopendir(fd);
    if (!dir) {
        if (fd >= 0) close(fd);
        return false;
    }
    while (dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        struct stat info {};
        if (!PlainName(name)) continue;
        if (!filesOnly ||
            (fstatat(folder->fd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode)))
            names->push_back(name);
    }
    closedir(dir);
    std::sort(names->begin(), names->end());
    return true;
}

}  // namespace

bool List(Folder* folder, std::vector<std::string>* names)
{
    return ListNames(folder, true, names);
}

bool Names(Folder* folder, std::vector<std::string>* names)
{
    return ListNames(folder, false, names);
}

bool Look(Folder* folder, const std::string& name, Standing* standing)
{
    struct stat info {};
    if (!PlainName(name) || fstatat(folder->fd, name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return false;
    *standing = FileStanding(folder, name, info);
    return true;
}

struct AppendFile {
    int fd;
};

AppendFile* OpenAppend(Folder* folder, const std::string& name)
{
    if (!PlainName(name)) return nullptr;
    int fd = openat(folder->fd, name.c_str(), O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || Planted(FileStanding(folder, name, info))) {
        close(fd);
        return nullptr;
    }
    return new AppendFile{fd};
}

bool Append(AppendFile* file, const std::string& bytes)
{
    // Handed to the system at once: a killed process loses nothing written.
    return file && WriteAll(file->fd, bytes);
}

void CloseAppend(AppendFile* file)
{
    if (!file) return;
    fsync(file->fd);
    close(file->fd);
    delete file;
}

ReadResult ReadFile(const std::string& path, size_t limit, std::string* bytes)
{
    bytes->clear();
    int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<size_t>(info.st_size) <= limit;
    return ReadWhole(fd, ok, limit, bytes);
}

uint32_t ProcessId()
{
    return static_cast<uint32_t>(getpid());
}

// The start time in clock ticks since boot, the 22nd field of
// /proc/PID/stat; where there is no /proc, 1 for any process that runs.
uint64_t ProcessStartTime(uint32_t processId)
{
    if (processId == 0) return 0;
    char path[48], text[1024] = {};
    std::snprintf(path, sizeof path, "/proc/%u/stat", processId);
    int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT && access("/proc/self/stat", F_OK) != 0 && kill(processId, 0) == 0 ? 1 : 0;
    ssize_t n = read(fd, text, sizeof text - 1);
    close(fd);
    const char* field = n > 0 ? std::strrchr(text, ')') : nullptr;
    // After the name: the state is field 3, the start time field 22.
    for (int number = 2; field && number < 22; ++number) field = std::strchr(field + 1, ' ');
    return field ? std::strtoull(field + 1, nullptr, 10) : 0;
}

UtcTime Now()
{
    std::time_t now = std::time(nullptr);
    std::tm parts {};
    gmtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace datafiles
