// What the bench's files need of the operating system, below the portable
// lock nesting and replacement in bench_files.cpp: one implementation for
// POSIX systems, one for Windows.
//
// Every file of the bench is named by the bench's directory (the root,
// which may be a link a user planted) and a path below it, its components
// separated by '/'. Below the root nothing is followed: a component that
// is a link, or a file that is not a regular one, is refused with the
// reason, so that no planted link or special file leads a read or a write
// out of the bench or into a hang.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim::bench::os {

// What a name in a folder is, never followed.
enum class Kind { file, folder, link, other };
struct Entry {
    std::string name;
    Kind kind;
};

// Takes the bench's lock, waiting for it; false with the system's reason.
// Job control is held off while the lock is held, so the process is never
// stopped holding it (the stop comes when the lock goes).
bool TakeLock(const std::string& dir, bool exclusive, intptr_t* handle, std::string* reason);
void DropLock(intptr_t handle);
// The path of the file or folder the lock is taken on, for messages.
std::string LockPath(const std::string& dir);

// The bench's directory itself, which the user names: made as one folder
// in a folder that exists, with no write for anyone but its owner; once it
// exists it is never changed. RootRefusal tells why a directory may not be
// a bench (not a folder, others may write it), empty when it may.
bool MakeRoot(const std::string& dir, std::string* reason);
std::string RootRefusal(const std::string& dir);

// Reads a regular file of at most limit bytes whole. *missing tells a file
// that is not there from one that cannot be read.
bool ReadRegular(const std::string& root, const std::string& path, size_t limit, std::string* bytes,
                 std::string* reason, bool* missing = nullptr);
// The names in a folder but "." and "..", with their kinds.
bool ListFolder(const std::string& root, const std::string& path, std::vector<Entry>* entries, std::string* reason);
// Makes one folder whose parent exists; false when the name is taken.
// Whatever a process makes in the bench (a folder, a new file) belongs to
// the bench's owner, also when root makes it.
bool MakeFolder(const std::string& root, const std::string& path, std::string* reason);

// Writes the bytes to a new file beside the path, created exclusively and
// never through a link, and flushes it to disk. *temporary names the new
// file (below the root) once it exists, also when writing it failed.
bool WriteNewBeside(const std::string& root, const std::string& path, const std::string& bytes,
                    std::string* temporary, std::string* reason);
// Renames a file or folder over another name, the rename itself flushed.
bool Rename(const std::string& root, const std::string& from, const std::string& to, std::string* reason);
// Removes a file (a link itself, never what it leads to), or an empty folder.
bool RemoveFile(const std::string& root, const std::string& path);
bool RemoveFolder(const std::string& root, const std::string& path);

// The number of this process, and whether a process of that number is gone.
unsigned long ThisProcess();
bool ProcessGone(unsigned long process);

// The reason for an injected failure with the system error code; kept for
// LastWindowsError as a real failure would be.
std::string InjectedReason(int code);

}  // namespace sim::bench::os
