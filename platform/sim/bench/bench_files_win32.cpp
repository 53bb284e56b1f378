// The bench's files on Windows (vellmark-sim.exe, camsim.exe): LockFileEx
// for the lock; CreateFileA with CREATE_NEW (which never opens what exists,
// a link included), FlushFileBuffers and MoveFileExA for a replacement.
#include <windows.h>

#include <cstring>

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

HANDLE CreateTemporary(const std::string& path, std::string* temporary)
{
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 64; ++attempt) {
        *temporary = path + ".new." + std::to_string(GetCurrentProcessId()) + "." + std::to_string(++counter);
        HANDLE file = CreateFileA(temporary->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
        if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) return file;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

}  // namespace

namespace os {

std::string LockPath(const std::string& dir)
{
    return dir + "\\bench.lock";
}

bool TakeLock(const std::string& path, bool exclusive, intptr_t* handle, std::string* reason)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        *reason = Reason(GetLastError());
        return false;
    }
    OVERLAPPED whole = {};
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

bool WriteNewBeside(const std::string& path, const std::string& bytes, std::string* temporary, std::string* reason)
{
    HANDLE file = CreateTemporary(path, temporary);
    if (file == INVALID_HANDLE_VALUE) {
        temporary->clear();
        *reason = Reason(GetLastError());
        return false;
    }
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    DWORD code = GetLastError();
    CloseHandle(file);
    if (!ok) *reason = Reason(code);
    return ok;
}

bool RenameOver(const std::string& temporary, const std::string& path, std::string* reason)
{
    if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    *reason = Reason(GetLastError());
    return false;
}

void RemoveFile(const std::string& path)
{
    DeleteFileA(path.c_str());
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
    bytes->clear();
    char buffer[4096];
    for (;;) {
        DWORD moved = 0;
        if (!ReadFile(file, buffer, sizeof buffer, &moved, nullptr)) {
            *error = path + ": error " + std::to_string(GetLastError());
            CloseHandle(file);
            return false;
        }
        if (moved == 0) break;
        bytes->append(buffer, moved);
    }
    CloseHandle(file);
    return true;
}

bool MakeNewDirectory(const std::string& path, std::string* error)
{
    if (CreateDirectoryA(path.c_str(), nullptr)) return true;
    *error = "cannot make " + path + ": " + Reason(GetLastError());
    return false;
}

long LastWindowsError()
{
    return static_cast<long>(LastCode());
}

}  // namespace sim::bench
