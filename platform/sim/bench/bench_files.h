// The bench's files as transactions see them: one lock for the whole bench,
// files read whole, and files replaced whole so that a reader never sees
// half of one and a link planted beside a file is never followed.
#pragma once

#include <string>

namespace sim::bench {

// Holds the bench's lock (the file DIR/bench.lock) while it lives: shared
// for readers, exclusive for a change. The locks of one process nest: a
// lock taken while the process holds one is the one it holds, so a change
// may read through code that takes a shared lock. A shared lock cannot
// become exclusive inside; the outermost lock of a change is exclusive.
class BenchLock {
public:
    BenchLock(const std::string& dir, bool exclusive);
    ~BenchLock();
    BenchLock(const BenchLock&) = delete;
    BenchLock& operator=(const BenchLock&) = delete;

    bool Held() const { return held; }
    // The file and the system's reason when the lock could not be taken.
    const std::string& Error() const { return error; }

private:
    bool held = false;
    std::string error;
};

// Reads a whole file by its full path, for looking at a bench from outside
// its transactions (tests, tools); false with the system's reason.
bool ReadWhole(const std::string& path, std::string* bytes, std::string* error);

// The full path of a file of the bench, for messages.
std::string BenchPath(const std::string& dir, const std::string& path);

// A file's new content, prepared beside it in a new file (created
// exclusively, never through a link, flushed to disk) and renamed over it
// on Commit; dropped again when neither committed nor kept. Paths are below
// the bench's directory, as in bench_files_os.h.
class Replacement {
public:
    Replacement() = default;
    ~Replacement();
    Replacement(const Replacement&) = delete;
    Replacement& operator=(const Replacement&) = delete;
    Replacement(Replacement&& other) noexcept;

    bool Prepare(const std::string& dir, const std::string& path, const std::string& bytes, std::string* error);
    bool Commit(std::string* error);
    // The new file stays where it is, uncommitted: a record names it.
    void Keep() { temporary.clear(); }
    const std::string& Temporary() const { return temporary; }
    const std::string& Path() const { return path; }

private:
    std::string dir, path, temporary;
};

// Replaces a file: the bytes go to a new file created exclusively beside it
// (never through a link), are flushed to disk and renamed over the file.
// False with the file's name and the system's reason in *error.
bool ReplaceWhole(const std::string& dir, const std::string& path, const std::string& bytes, std::string* error);

// The Windows error code of the last failed save or lock (as a registry
// call returns it).
long LastWindowsError();

// Makes a folder that must not exist yet, its parent walked from the
// bench's directory without following links.
bool MakeFolder(const std::string& dir, const std::string& path, std::string* error);

// Removes a folder with the files (and links) in it; a folder inside
// keeps it.
void RemoveFolderAndFiles(const std::string& dir, const std::string& path);

// For tests: every replacement of a file whose path contains the text
// fails with the system error code given (0: none), when the new file is
// written, or when it is renamed into place.
void InjectWriteFailure(const std::string& pathPart, int code);
void InjectRenameFailure(const std::string& pathPart, int code);

}  // namespace sim::bench
