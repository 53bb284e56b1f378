// The machine data's files on Windows. Each folder is made with the
// program's protected DACL, opened once without following a reparse point
// and held open without sharing its deletion, so its path keeps naming
// that folder; its owner and DACL are checked and, where another account
// could write it, set to the program's on the open handle. Each file is
// opened as itself (never through a reparse point), and its final path,
// kind, links and owner are checked on the handle before it is believed.
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
// The API's ReplaceFile and ReadFile are macros or functions of the same
// names as ours; ours are in namespace datafiles.
#undef ReplaceFile

#include <algorithm>
#include <cstdio>

#include "platform/data_files.h"
#include "platform/data_folder_system.h"
#include "platform/win32/program_security.h"

struct datafiles::Folder {
    HANDLE handle;
    std::string path;
    std::string finalPath;
    std::string relative;
};

namespace datafiles {

namespace {

bool WriteAll(HANDLE file, const std::string& bytes)
{
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1 << 20));
        if (!::WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

std::string FinalPath(HANDLE handle)
{
    char path[MAX_PATH * 2] = {};
    DWORD length = GetFinalPathNameByHandleA(handle, path, sizeof path, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    return length == 0 || length >= sizeof path ? std::string() : std::string(path, length);
}

bool SameTextIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                                                  b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The opened file is the name in the folder, not something a link led to.
bool InFolder(const Folder* folder, HANDLE file, const std::string& name)
{
    return SameTextIgnoringCase(FinalPath(file), Join(folder->finalPath, name));
}

Standing FactsOf(HANDLE handle, bool folder)
{
    Standing standing;
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(handle, &info)) {
        standing.regular = standing.folder = false;
        return standing;
    }
    standing.redirect = (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    standing.folder = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    standing.regular = !standing.folder && !(info.dwFileAttributes & FILE_ATTRIBUTE_DEVICE) &&
                       GetFileType(handle) == FILE_TYPE_DISK;
    standing.links = info.nNumberOfLinks;
    programsecurity::Ownership ownership = programsecurity::OwnershipOf(handle, folder);
    standing.programsOwner = ownership.programsOwner;
    standing.othersMayWrite = ownership.othersMayWrite;
    return standing;
}

HANDLE OpenFolderHandle(const std::string& path)
{
    // No FILE_SHARE_DELETE: while the program holds it, the folder can be
    // neither renamed nor replaced.
    const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT;
    HANDLE handle = CreateFileA(path.c_str(), READ_CONTROL | WRITE_DAC | WRITE_OWNER | FILE_LIST_DIRECTORY |
                                                  FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                share, nullptr, OPEN_EXISTING, flags, nullptr);
    if (handle != INVALID_HANDLE_VALUE) return handle;
    // Someone else's folder may not even let the program change it: it is
    // opened to be judged, and refused when it must be changed.
    return CreateFileA(path.c_str(), READ_CONTROL | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES | SYNCHRONIZE, share,
                       nullptr, OPEN_EXISTING, flags, nullptr);
}

// A folder the user named (the bench) is opened as it stands and never
// changed; the program's own is made when missing, and taken over.
Folder* OpenChecked(const std::string& path, const std::string& relative, bool named, std::string* problem)
{
    if (!named) programsecurity::MakeProtectedFolder(path);
    HANDLE handle = OpenFolderHandle(path);
    if (handle == INVALID_HANDLE_VALUE) {
        *problem = path + ": cannot be opened (error " + std::to_string(GetLastError()) + ")";
        return nullptr;
    }
    Standing standing = FactsOf(handle, true);
    Observe(relative, &standing);
    FolderUse use = named ? JudgeNamedFolder(standing) : JudgeFolder(standing);
    bool usable = use == FolderUse::use || (use == FolderUse::takeOver && programsecurity::TakeOver(handle));
    std::string finalPath = usable ? FinalPath(handle) : std::string();
    if (!usable || finalPath.empty()) {
        *problem = path + (named && use == FolderUse::refuse ? ": " + NamedFolderRefusal(standing)
                           : use == FolderUse::refuse        ? ": a reparse point, or not a folder"
                                                             : ": cannot be made the program's own");
        CloseHandle(handle);
        return nullptr;
    }
    return new Folder{handle, path, finalPath, relative};
}

std::string RelativeOf(const Folder* folder, const std::string& name)
{
    return folder->relative.empty() ? name : folder->relative + "/" + name;
}

bool PlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string::npos;
}

// The name's file opened as itself, or INVALID_HANDLE_VALUE with *planted
// when it is not one the program made.
HANDLE OpenOwnFile(Folder* folder, const std::string& name, DWORD access, bool* planted)
{
    *planted = false;
    HANDLE file = CreateFileA(Join(folder->path, name).c_str(), access | READ_CONTROL | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return file;
    Standing standing = FactsOf(file, false);
    Observe(RelativeOf(folder, name), &standing);
    if (Planted(standing) || !InFolder(folder, file, name)) {
        *planted = true;
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

// A new file beside the name, written and flushed; its name, or empty.
std::string WriteNewBeside(Folder* folder, const std::string& name, const std::string& bytes)
{
    static unsigned counter = 0;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".new.%lu.%u", GetCurrentProcessId(), ++counter);
    std::string temporary = name + suffix;
    std::string path = Join(folder->path, temporary);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE | FILE_READ_ATTRIBUTES, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    bool ok = InFolder(folder, file, temporary) && WriteAll(file, bytes) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok) return temporary;
    DeleteFileA(path.c_str());
    return "";
}

bool IsPlainFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
}

ReadResult ReadWhole(HANDLE file, size_t limit, std::string* bytes)
{
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && static_cast<unsigned long long>(size.QuadPart) <= limit;
    bytes->assign(ok ? static_cast<size_t>(size.QuadPart) : 0, '\0');
    DWORD read = 0;
    if (ok && !bytes->empty())
        ok = ::ReadFile(file, &(*bytes)[0], static_cast<DWORD>(bytes->size()), &read, nullptr) && read == bytes->size();
    CloseHandle(file);
    return ok ? ReadResult::read : ReadResult::failed;
}

}  // namespace

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

Folder* OpenSystemFolder(Folder* /*parent*/, const std::string& path, const std::string& name, bool named,
                         std::string* problem)
{
    return OpenChecked(path, name, named, problem);
}

// Held without sharing its deletion, the folder cannot go while it is open.
bool FolderStillThere(const Folder* /*folder*/)
{
    return true;
}

void CloseSystemFolder(Folder* folder)
{
    CloseHandle(folder->handle);
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
    bool planted = false;
    HANDLE file = OpenOwnFile(folder, name, GENERIC_READ, &planted);
    if (file != INVALID_HANDLE_VALUE) return ReadWhole(file, limit, bytes);
    if (planted) return ReadResult::planted;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::missing : ReadResult::failed;
}

bool Replace(Folder* folder, const std::string& name, const std::string& bytes)
{
    if (!PlainName(name)) return false;
    std::string temporary = WriteNewBeside(folder, name, bytes);
    if (temporary.empty()) return false;
    const std::string from = Join(folder->path, temporary);
    // The move replaces the name itself, a link included, never its target.
    if (MoveFileExA(from.c_str(), Join(folder->path, name).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(from.c_str());
    return false;
}

bool CreateOnce(Folder* folder, const std::string& name, const std::string& bytes, bool* existed)
{
    *existed = false;
    if (!PlainName(name)) return false;
    std::string temporary = WriteNewBeside(folder, name, bytes);
    if (temporary.empty()) return false;
    const std::string from = Join(folder->path, temporary);
    // Without MOVEFILE_REPLACE_EXISTING the move never replaces a file.
    if (MoveFileExA(from.c_str(), Join(folder->path, name).c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    DWORD error = GetLastError();
    *existed = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    DeleteFileA(from.c_str());
    return false;
}

bool Remove(Folder* folder, const std::string& name)
{
    if (!PlainName(name)) return false;
    // DeleteFileA removes a symbolic link itself; a junction is a folder and stays.
    if (DeleteFileA(Join(folder->path, name).c_str())) return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

namespace {

// The names in the folder; with filesOnly, only those of plain files.
bool ListNames(Folder* folder, bool filesOnly, std::vector<std::string>* names)
{
    names->clear();
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(Join(folder->path, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (PlainName(found.cFileName) && (!filesOnly || IsPlainFile(found.dwFileAttributes)))
            names->push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
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

// Opened for its attributes only, as itself: a reparse point is not
// followed, and a folder opens too.
bool Look(Folder* folder, const std::string& name, Standing* standing)
{
    if (!PlainName(name)) return false;
    const std::string path = Join(folder->path, name);
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES | READ_CONTROL,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return false;
        // Something stands there that cannot even be looked at.
        *standing = Standing();
        standing->regular = false;
    } else {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        *standing = FactsOf(file, attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY));
        CloseHandle(file);
    }
    Observe(RelativeOf(folder, name), standing);
    return true;
}

struct AppendFile {
    HANDLE handle;
};

AppendFile* OpenAppend(Folder* folder, const std::string& name)
{
    bool planted = false;
    if (!PlainName(name)) return nullptr;
    HANDLE handle = OpenOwnFile(folder, name, FILE_APPEND_DATA, &planted);
    if (handle == INVALID_HANDLE_VALUE) return nullptr;
    return new AppendFile{handle};
}

bool Append(AppendFile* file, const std::string& bytes)
{
    // Handed to the system at once: a killed process loses nothing written.
    return file && WriteAll(file->handle, bytes);
}

void CloseAppend(AppendFile* file)
{
    if (!file) return;
    FlushFileBuffers(file->handle);
    CloseHandle(file->handle);
    delete file;
}

ReadResult ReadFile(const std::string& path, size_t limit, std::string* bytes)
{
    bytes->clear();
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::missing
                                                                               : ReadResult::failed;
    }
    if (!IsPlainFile(attributes)) return ReadResult::failed;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return ReadResult::failed;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return ReadResult::failed;
    }
    return ReadWhole(file, limit, bytes);
}

uint32_t ProcessId()
{
    return GetCurrentProcessId();
}

uint64_t ProcessStartTime(uint32_t processId)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (!process) process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId);
    if (!process) return 0;
    DWORD code = 0;
    FILETIME created{}, exited{}, kernel{}, user{};
    bool lives = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE &&
                 GetProcessTimes(process, &created, &exited, &kernel, &user);
    CloseHandle(process);
    uint64_t time = (uint64_t{created.dwHighDateTime} << 32) | created.dwLowDateTime;
    return lives ? (time ? time : 1) : 0;
}

UtcTime Now()
{
    SYSTEMTIME now{};
    GetSystemTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace datafiles
