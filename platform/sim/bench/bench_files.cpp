// The bench's lock, nested within a process, and the replacement of files,
// over the operating system's part in bench_files_os.h.
#include "platform/sim/bench/bench_files.h"

#include <utility>

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
};

InjectedFailure& Injected()
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
    if (!os::TakeLock(path, exclusive, &lock.handle, &reason)) {
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

Replacement::Replacement(Replacement&& other) noexcept : path(std::move(other.path)), temporary(std::move(other.temporary))
{
    other.temporary.clear();
}

Replacement::~Replacement()
{
    if (!temporary.empty()) os::RemoveFile(temporary);
}

bool Replacement::Prepare(const std::string& target, const std::string& bytes, std::string* error)
{
    path = target;
    const InjectedFailure& injected = Injected();
    if (injected.code && path.find(injected.pathPart) != std::string::npos) {
        *error = "cannot save " + path + ": " + os::InjectedReason(injected.code);
        return false;
    }
    std::string reason;
    if (os::WriteNewBeside(path, bytes, &temporary, &reason)) return true;
    *error = "cannot save " + path + ": " + reason;
    return false;
}

bool Replacement::Commit(std::string* error)
{
    std::string reason;
    if (!os::RenameOver(temporary, path, &reason)) {
        *error = "cannot save " + path + ": " + reason;
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

void InjectWriteFailure(const std::string& pathPart, int code)
{
    Injected() = InjectedFailure{pathPart, code};
}

}  // namespace sim::bench
