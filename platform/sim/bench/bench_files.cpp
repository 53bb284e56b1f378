// The bench's lock, nested within a process, and the replacement of files,
// over the operating system's part in bench_files_os.h.
#include "platform/sim/bench/bench_files.h"

#include <utility>
#include <vector>

#include "platform/sim/bench/bench_files_os.h"

namespace sim::bench {

namespace {

struct ProcessLock {
    intptr_t handle = 0;
    int depth = 0;
    bool exclusive = false;
};

ProcessLock& TheLock()
{
    static ProcessLock lock;
    return lock;
}

struct InjectedFailure {
    std::string pathPart;
    int code = 0;

    // The reason of the failure injected for the path, or none.
    bool Hits(const std::string& path, std::string* reason) const
    {
        if (!code || path.find(pathPart) == std::string::npos) return false;
        *reason = os::InjectedReason(code);
        return true;
    }
};

InjectedFailure& InjectedWrite()
{
    static InjectedFailure failure;
    return failure;
}

InjectedFailure& InjectedRename()
{
    static InjectedFailure failure;
    return failure;
}

}  // namespace

BenchLock::BenchLock(const std::string& dir, bool exclusive)
{
    ProcessLock& lock = TheLock();
    const std::string path = os::LockPath(dir);
    if (lock.depth > 0) {
        if (exclusive && !lock.exclusive) {
            error = "cannot lock " + path + ": a shared lock is held";
            return;
        }
        ++lock.depth;
        held = true;
        return;
    }
    std::string reason;
    if (!os::TakeLock(dir, exclusive, &lock.handle, &reason)) {
        error = "cannot lock " + path + ": " + reason;
        return;
    }
    lock.depth = 1;
    lock.exclusive = exclusive;
    held = true;
}

BenchLock::~BenchLock()
{
    if (!held) return;
    ProcessLock& lock = TheLock();
    if (--lock.depth > 0) return;
    os::DropLock(lock.handle);
    lock.handle = 0;
}

std::string BenchPath(const std::string& dir, const std::string& path)
{
    return dir + "/" + path;
}

Replacement::Replacement(Replacement&& other) noexcept
    : dir(std::move(other.dir)), path(std::move(other.path)), temporary(std::move(other.temporary))
{
    other.temporary.clear();
}

Replacement::~Replacement()
{
    if (!temporary.empty()) os::RemoveFile(dir, temporary);
}

bool Replacement::Prepare(const std::string& bench, const std::string& target, const std::string& bytes,
                          std::string* error)
{
    dir = bench;
    path = target;
    std::string reason;
    if (!InjectedWrite().Hits(path, &reason) && os::WriteNewBeside(dir, path, bytes, &temporary, &reason))
        return true;
    *error = "cannot save " + BenchPath(dir, path) + ": " + reason;
    return false;
}

bool Replacement::Commit(std::string* error)
{
    std::string reason;
    if (InjectedRename().Hits(path, &reason) || !os::Rename(dir, temporary, path, &reason)) {
        *error = "cannot save " + BenchPath(dir, path) + ": " + reason;
        return false;
    }
    temporary.clear();
    return true;
}

bool ReplaceWhole(const std::string& dir, const std::string& path, const std::string& bytes, std::string* error)
{
    Replacement replacement;
    return replacement.Prepare(dir, path, bytes, error) && replacement.Commit(error);
}

bool MakeFolder(const std::string& dir, const std::string& path, std::string* error)
{
    std::string reason;
    if (os::MakeFolder(dir, path, &reason)) return true;
    *error = "cannot make " + BenchPath(dir, path) + ": " + reason;
    return false;
}

void RemoveFolderAndFiles(const std::string& dir, const std::string& path)
{
    std::vector<os::Entry> entries;
    std::string reason;
    if (os::ListFolder(dir, path, &entries, &reason))
        for (const auto& entry : entries)
            if (entry.kind != os::Kind::folder) os::RemoveFile(dir, path + "/" + entry.name);
    os::RemoveFolder(dir, path);
}

void InjectWriteFailure(const std::string& pathPart, int code)
{
    InjectedWrite() = InjectedFailure{pathPart, code};
}

void InjectRenameFailure(const std::string& pathPart, int code)
{
    InjectedRename() = InjectedFailure{pathPart, code};
}

}  // namespace sim::bench
