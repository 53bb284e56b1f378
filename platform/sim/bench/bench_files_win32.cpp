// The bench's files on Windows (vellmark-sim.exe, camsim.exe): LockFileEx
// on DIR\bench.lock for the lock, the file opened without FILE_SHARE_DELETE
// so that it cannot be deleted or replaced while a change holds it; each
// folder below the bench's directory checked to be a folder and no reparse
// point (a link or junction) before it is used; files read only when they
// are regular disk files; CreateFileA with CREATE_NEW (which never opens
// what exists, a link included), FlushFileBuffers and MoveFileExA for a
// replacement.
#include <windows.h>

#include <cstring>
#include <vector>

#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"

namespace sim::bench {

namespace {

DWORD& LastCode()
{
    static DWORD code = 0;
    return code;
}

// Every failure passes here, so its code is kept for LastWindowsError.
std::string Reason(DWORD code)
{
    LastCode() = code;
    char text[256] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == '.'))
        text[--length] = 0;
    if (length == 0) return "error " + std::to_string(code);
    return text;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD moved = 0;
        if (!WriteFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &moved, nullptr) ||
            moved == 0)
            return false;
        done += moved;
    }
    return true;
}

// A refusal of what the bench holds: a registry call reports it as a
// refused access.
std::string Refused(const std::string& text)
{
    LastCode() = ERROR_ACCESS_DENIED;
    return text;
}

const char* KindName(DWORD attributes)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return "a link";
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "a folder";
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
        if (part.empty() || part == "." || part == ".." || part.find_first_of("\\:") != std::string::npos)
            return false;
        parts->push_back(part);
        at = slash + 1;
    }
    return !parts->empty();
}

// A path below the root, checked folder by folder: the root followed (a
// user may keep the bench behind a link), every folder below it must be a
// folder and no reparse point.
struct Located {
    std::string native, name, parent;
};

bool Locate(const std::string& root, const std::string& path, Located* at, std::string* reason)
{
    std::vector<std::string> parts;
    if (!Components(path, &parts)) {
        *reason = Refused("'" + path + "' is not a name inside the bench");
        return false;
    }
    at->native = root;
    std::string walked;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        at->native += "\\" + parts[i];
        walked += (i ? "/" : "") + parts[i];
        DWORD attributes = GetFileAttributesA(at->native.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            *reason = Reason(GetLastError());
            return false;
        }
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            *reason = Refused(walked + " is " + KindName(attributes) + ", not a folder");
            return false;
        }
    }
    at->name = parts.back();
    at->parent = walked;
    at->native += "\\" + at->name;
    return true;
}

bool ReadUpTo(HANDLE file, size_t limit, std::string* bytes)
{
    bytes->clear();
    char buffer[4096];
    while (bytes->size() <= limit) {
        DWORD moved = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &moved, nullptr)) return false;
        if (moved == 0) break;
        bytes->append(buffer, moved);
    }
    return true;
}

std::string TooLarge(unsigned long long size, size_t limit)
{
    return Refused("it holds " + std::to_string(size) + " bytes, more than the " + std::to_string(limit) +
                   " it may");
}

// Whether an open file is a regular disk file, and its size.
bool RegularFile(HANDLE file, unsigned long long* size, std::string* reason)
{
    BY_HANDLE_FILE_INFORMATION information = {};
    if (GetFileType(file) != FILE_TYPE_DISK || !GetFileInformationByHandle(file, &information)) {
        *reason = Refused("it is a device, not a regular file");
        return false;
    }
    DWORD attributes = information.dwFileAttributes;
    if (attributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) {
        *reason = Refused(std::string("it is ") + KindName(attributes) + ", not a regular file");
        return false;
    }
    *size = (static_cast<unsigned long long>(information.nFileSizeHigh) << 32) | information.nFileSizeLow;
    return true;
}

HANDLE CreateTemporary(const Located& at, std::string* name)
{
    static unsigned counter = 0;
    const std::string folder = at.native.substr(0, at.native.size() - at.name.size());
    for (int attempt = 0; attempt < 64; ++attempt) {
        *name = at.name + ".new." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(++counter);
        HANDLE file = CreateFileA((folder + *name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

namespace os {

bool MakeRoot(const std::string& dir, std::string* reason)
{
    if (CreateDirectoryA(dir.c_str(), nullptr)) return true;
    *reason = Reason(GetLastError());
    return false;
}

// Who may write the folder is judged from its DACL when the program opens
// it as its data folder (never changed there either); here only its kind.
std::string RootRefusal(const std::string& dir)
{
    DWORD attributes = GetFileAttributesA(dir.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Reason(GetLastError());
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? "" : "it is not a folder";
}

std::string LockPath(const std::string& dir)
{
    return dir + "\\bench.lock";
}

bool TakeLock(const std::string& dir, bool exclusive, intptr_t* handle, std::string* reason)
{
    HANDLE file = CreateFileA(LockPath(dir).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *reason = Reason(GetLastError());
        return false;
    }
    unsigned long long size = 0;
    OVERLAPPED whole = {};
    if (!RegularFile(file, &size, reason)) {
        CloseHandle(file);
        return false;
    }
    if (!LockFileEx(file, exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0, 0, 1, 0, &whole)) {
        *reason = Reason(GetLastError());
        CloseHandle(file);
        return false;
    }
    *handle = reinterpret_cast<intptr_t>(file);
    return true;
}

void DropLock(intptr_t handle)
{
    HANDLE file = reinterpret_cast<HANDLE>(handle);
    OVERLAPPED whole = {};
    UnlockFileEx(file, 0, 1, 0, &whole);
    CloseHandle(file);
}

bool ReadRegular(const std::string& root, const std::string& path, size_t limit, std::string* bytes,
                 std::string* reason, bool* missing)
{
    if (missing) *missing = false;
    Located at;
    if (!Locate(root, path, &at, reason)) return false;
    HANDLE file = CreateFileA(at.native.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT |
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD code = GetLastError();
        if (missing) *missing = code == ERROR_FILE_NOT_FOUND;
        *reason = Reason(code);
        return false;
    }
    unsigned long long size = 0;
    bool ok = RegularFile(file, &size, reason);
    if (ok && size > limit) {
        ok = false;
        *reason = TooLarge(size, limit);
    }
    if (ok && !ReadUpTo(file, limit, bytes)) {
        ok = false;
        *reason = Reason(GetLastError());
    }
    CloseHandle(file);
    if (ok && bytes->size() > limit) {
        *reason = TooLarge(bytes->size(), limit);
        return false;
    }
    return ok;
}

bool ListFolder(const std::string& root, const std::string& path, std::vector<Entry>* entries, std::string* reason)
{
    Located at;
    // The folder itself is checked as the folders on the way to "*".
    if (!Locate(root, path + "/*", &at, reason)) return false;
    entries->clear();
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA(at.native.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        DWORD kind = found.dwFileAttributes;
        entries->push_back(Entry{name, (kind & FILE_ATTRIBUTE_REPARSE_POINT) ? Kind::link
                                       : (kind & FILE_ATTRIBUTE_DIRECTORY)   ? Kind::folder
                                                                             : Kind::file});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return true;
}

bool MakeFolder(const std::string& root, const std::string& path, std::string* reason)
{
    Located at;
    if (!Locate(root, path, &at, reason)) return false;
    if (CreateDirectoryA(at.native.c_str(), nullptr)) return true;
    *reason = Reason(GetLastError());
    return false;
}

bool WriteNewBeside(const std::string& root, const std::string& path, const std::string& bytes,
                    std::string* temporary, std::string* reason)
{
    temporary->clear();
    Located at;
    if (!Locate(root, path, &at, reason)) return false;
    std::string name;
    HANDLE file = CreateTemporary(at, &name);
    if (file == INVALID_HANDLE_VALUE) {
        *reason = Reason(GetLastError());
        return false;
    }
    *temporary = at.parent.empty() ? name : at.parent + "/" + name;
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    DWORD code = GetLastError();
    CloseHandle(file);
    if (!ok) *reason = Reason(code);
    return ok;
}

// A folder (a camera made complete) is renamed to a name not taken; a file
// replaces its target.
bool Rename(const std::string& root, const std::string& from, const std::string& to, std::string* reason)
{
    Located source, target;
    if (!Locate(root, from, &source, reason) || !Locate(root, to, &target, reason)) return false;
    DWORD attributes = GetFileAttributesA(source.native.c_str());
    DWORD flags = MOVEFILE_WRITE_THROUGH;
    if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        flags |= MOVEFILE_REPLACE_EXISTING;
    if (MoveFileExA(source.native.c_str(), target.native.c_str(), flags)) return true;
    *reason = Reason(GetLastError());
    return false;
}

bool RemoveFile(const std::string& root, const std::string& path)
{
    Located at;
    std::string reason;
    return Locate(root, path, &at, &reason) && DeleteFileA(at.native.c_str());
}

bool RemoveFolder(const std::string& root, const std::string& path)
{
    Located at;
    std::string reason;
    return Locate(root, path, &at, &reason) && RemoveDirectoryA(at.native.c_str());
}

unsigned long ThisProcess()
{
    return GetCurrentProcessId();
}

bool ProcessGone(unsigned long process)
{
    HANDLE handle = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
    if (!handle) return GetLastError() == ERROR_INVALID_PARAMETER;
    bool ended = WaitForSingleObject(handle, 0) == WAIT_OBJECT_0;
    CloseHandle(handle);
    return ended;
}

// The code is a C library one (the tests inject those); a registry call
// reports it as a refusal.
std::string InjectedReason(int code)
{
    LastCode() = ERROR_ACCESS_DENIED;
    return std::strerror(code);
}

}  // namespace os

bool ReadWhole(const std::string& path, std::string* bytes, std::string* error)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *error = path + ": error " + std::to_string(GetLastError());
        return false;
    }
    unsigned long long size = 0;
    std::string reason;
    bool ok = RegularFile(file, &size, &reason) && ReadUpTo(file, static_cast<size_t>(size) + 65536, bytes);
    if (!ok) *error = path + ": error " + std::to_string(GetLastError());
    CloseHandle(file);
    return ok;
}

long LastWindowsError()
{
    return static_cast<long>(LastCode());
}

}  // namespace sim::bench
