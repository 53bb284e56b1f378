// The machine data's files on a POSIX system.
#include "platform/data_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>

namespace datafiles {

namespace {

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

void SyncFolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash ? slash : 1);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// A new file beside the path, written and flushed; its name, or empty.
std::string WriteNewBeside(const std::string& path, const std::string& bytes)
{
    static unsigned counter = 0;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".new.%u.%u", static_cast<unsigned>(getpid()), ++counter);
    std::string temporary = path + suffix;
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return "";
    bool ok = WriteAll(fd, bytes) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    if (ok) return temporary;
    unlink(temporary.c_str());
    return "";
}

}  // namespace

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

bool MakeFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

ReadResult ReadFile(const std::string& path, size_t limit, std::string* bytes)
{
    int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return errno == ENOENT ? ReadResult::missing : ReadResult::failed;
    struct stat info {};
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && static_cast<size_t>(info.st_size) <= limit;
    bytes->clear();
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

bool ReplaceFile(const std::string& path, const std::string& bytes)
{
    std::string temporary = WriteNewBeside(path, bytes);
    if (temporary.empty()) return false;
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    SyncFolderOf(path);
    return true;
}

bool CreateFileOnce(const std::string& path, const std::string& bytes, bool* existed)
{
    *existed = false;
    std::string temporary = WriteNewBeside(path, bytes);
    if (temporary.empty()) return false;
    // A hard link is made only where no name is: never over a file.
    bool linked = link(temporary.c_str(), path.c_str()) == 0;
    if (!linked && errno == EEXIST) *existed = true;
    unlink(temporary.c_str());
    if (linked) SyncFolderOf(path);
    return linked;
}

bool RemoveFile(const std::string& path)
{
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool ListFiles(const std::string& folder, std::vector<std::string>* names)
{
    names->clear();
    DIR* dir = opendir(folder.c_str());
    if (!dir) return false;
    while (dirent* entry = readdir(dir)) {
        struct stat info {};
        if (fstatat(dirfd(dir), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            names->push_back(entry->d_name);
    }
    closedir(dir);
    std::sort(names->begin(), names->end());
    return true;
}

struct AppendFile {
    int fd;
};

AppendFile* OpenAppend(const std::string& path)
{
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
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

uint32_t ProcessId()
{
    return static_cast<uint32_t>(getpid());
}

LocalTime Now()
{
    std::time_t now = std::time(nullptr);
    std::tm parts {};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

}  // namespace datafiles
