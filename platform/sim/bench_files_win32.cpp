// The bench's files on Windows (vellmark-sim.exe, camsim.exe): LockFileEx
// for the lock; CreateFileA with CREATE_NEW (which never opens what exists,
// a link included), FlushFileBuffers and MoveFileExA for a replacement.
#include <windows.h>

#include <cstring>
#include <utility>

#include "platform/sim/bench_files.h"

namespace sim::bench {

namespace {

struct ProcessLock {
    HANDLE file = INVALID_HANDLE_VALUE;
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

BenchLock::BenchLock(const std::string& dir, bool exclusive)
{
    ProcessLock& lock = TheLock();
    if (lock.depth > 0) {
        if (exclusive && !lock.exclusive) {
            error = "cannot lock " + dir + "\\bench.lock: a shared lock is held";
            return;
        }
        ++lock.depth;
        held = true;
        return;
    }
    std::string path = dir + "\\bench.lock";
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = "cannot lock " + path + ": " + Reason(GetLastError());
        return;
    }
    OVERLAPPED whole = {};
    if (!LockFileEx(file, exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0, 0, 1, 0, &whole)) {
        error = "cannot lock " + path + ": " + Reason(GetLastError());
        CloseHandle(file);
        return;
    }
    lock.file = file;
    lock.depth = 1;
    lock.exclusive = exclusive;
    held = true;
}

BenchLock::~BenchLock()
{
    if (!held) return;
    ProcessLock& lock = TheLock();
    if (--lock.depth > 0) return;
    OVERLAPPED whole = {};
    UnlockFileEx(lock.file, 0, 1, 0, &whole);
    CloseHandle(lock.file);
    lock.file = INVALID_HANDLE_VALUE;
}

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

Replacement::Replacement(Replacement&& other) noexcept : path(std::move(other.path)), temporary(std::move(other.temporary))
{
    other.temporary.clear();
}

Replacement::~Replacement()
{
    if (!temporary.empty()) DeleteFileA(temporary.c_str());
}

bool Replacement::Prepare(const std::string& target, const std::string& bytes, std::string* error)
{
    path = target;
    if (FailingCode() && path.find(FailingPart()) != std::string::npos) {
        LastCode() = ERROR_ACCESS_DENIED;
        *error = "cannot save " + path + ": " + std::strerror(FailingCode());
        return false;
    }
    HANDLE file = CreateTemporary(path, &temporary);
    if (file == INVALID_HANDLE_VALUE) {
        temporary.clear();
        *error = "cannot save " + path + ": " + Reason(GetLastError());
        return false;
    }
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    DWORD code = GetLastError();
    CloseHandle(file);
    if (!ok) *error = "cannot save " + path + ": " + Reason(code);
    return ok;
}

bool Replacement::Commit(std::string* error)
{
    if (!MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        *error = "cannot save " + path + ": " + Reason(GetLastError());
        return false;
    }
    temporary.clear();
    return true;
}

bool ReplaceWhole(const std::string& path, const std::string& bytes, std::string* error)
{
    Replacement replacement;
    return replacement.Prepare(path, bytes, error) && replacement.Commit(error);
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

void InjectWriteFailure(const std::string& pathPart, int code)
{
    FailingPart() = pathPart;
    FailingCode() = code;
}

}  // namespace sim::bench
