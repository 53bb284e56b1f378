// What the bench's files need of the operating system, below the portable
// lock nesting and replacement in bench_files.cpp: one implementation for
// POSIX systems, one for Windows.
#pragma once

#include <cstdint>
#include <string>

namespace sim::bench::os {

// The path of the bench's lock file in the directory.
std::string LockPath(const std::string& dir);
// Opens the lock file (never through a link) and takes the lock, waiting
// for it; false with the system's reason.
bool TakeLock(const std::string& path, bool exclusive, intptr_t* handle, std::string* reason);
void DropLock(intptr_t handle);

// Writes the bytes to a new file beside the path, created exclusively and
// never through a link, and flushes it to disk. *temporary names the new
// file once it exists, also when writing it failed.
bool WriteNewBeside(const std::string& path, const std::string& bytes, std::string* temporary,
                    std::string* reason);
// Renames the new file over the path, the rename itself flushed.
bool RenameOver(const std::string& temporary, const std::string& path, std::string* reason);
void RemoveFile(const std::string& path);

// The reason for an injected failure with the system error code; kept for
// LastWindowsError as a real failure would be.
std::string InjectedReason(int code);

}  // namespace sim::bench::os
