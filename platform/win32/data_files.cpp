// The machine data's files on Windows.
#include <windows.h>
// The API's ReplaceFile is a macro; datafiles::ReplaceFile is ours.
#undef ReplaceFile

#include <algorithm>
#include <cstdio>

#include "platform/data_files.h"

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

// A new file beside the path, written and flushed; its name, or empty.
std::string WriteNewBeside(const std::string& path, const std::string& bytes)
{
    static unsigned counter = 0;
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".new.%lu.%u", GetCurrentProcessId(), ++counter);
    std::string temporary = path + suffix;
    HANDLE file = CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok) return temporary;
    DeleteFileA(temporary.c_str());
    return "";
}

bool IsPlainFile(DWORD attributes)
{
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
}

}  // namespace

std::string Join(const std::string& folder, const std::string& name)
{
    if (folder.empty() || folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

bool MakeFolder(const std::string& path)
{
    CreateDirectoryA(path.c_str(), nullptr);
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

ReadResult ReadFile(const std::string& path, size_t limit, std::string* bytes)
{
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
    LARGE_INTEGER size{};
    bool ok = GetFileType(file) == FILE_TYPE_DISK && GetFileSizeEx(file, &size) &&
              static_cast<unsigned long long>(size.QuadPart) <= limit;
    bytes->assign(ok ? static_cast<size_t>(size.QuadPart) : 0, '\0');
    DWORD read = 0;
    if (ok && !bytes->empty())
        ok = ::ReadFile(file, &(*bytes)[0], static_cast<DWORD>(bytes->size()), &read, nullptr) && read == bytes->size();
    CloseHandle(file);
    return ok ? ReadResult::read : ReadResult::failed;
}

bool ReplaceFile(const std::string& path, const std::string& bytes)
{
    std::string temporary = WriteNewBeside(path, bytes);
    if (temporary.empty()) return false;
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(temporary.c_str());
    return false;
}

bool CreateFileOnce(const std::string& path, const std::string& bytes, bool* existed)
{
    *existed = false;
    std::string temporary = WriteNewBeside(path, bytes);
    if (temporary.empty()) return false;
    // Without MOVEFILE_REPLACE_EXISTING the move never replaces a file.
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_WRITE_THROUGH)) return true;
    DWORD error = GetLastError();
    *existed = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
    DeleteFileA(temporary.c_str());
    return false;
}

bool RemoveFile(const std::string& path)
{
    if (DeleteFileA(path.c_str())) return true;
    DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool ListFiles(const std::string& folder, std::vector<std::string>* names)
{
    names->clear();
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA(Join(folder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    do {
        if (IsPlainFile(found.dwFileAttributes)) names->push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names->begin(), names->end());
    return true;
}

struct AppendFile {
    HANDLE handle;
};

AppendFile* OpenAppend(const std::string& path)
{
    HANDLE handle = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
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

uint32_t ProcessId()
{
    return GetCurrentProcessId();
}

LocalTime Now()
{
    SYSTEMTIME now {};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

}  // namespace datafiles
