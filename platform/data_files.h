// The program's data on this machine, kept between runs: the folder it lives
// in and the few file operations it needs. Every file is written whole to a
// new file beside it, flushed and renamed into place, so a reader never sees
// half of one and a killed run leaves the old one standing.
//
// The folder is %ProgramData%\Vellmark with real cameras and the bench's
// directory with simulated ones (the link picks the implementation); the
// file operations are the system's own, POSIX or Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace datafiles {

// The folder of the machine's data, made when missing. An empty path with
// true: the machine does not outlive this process (simulated cameras
// without a bench), so nothing needs keeping. False when the folder cannot
// be had or made.
bool DataFolder(std::string* path);

// The data folder's subfolders. Their names follow the folder's custom:
// "backups" and "logs" in a bench, "Backups" and "Logs" in
// %ProgramData%\Vellmark.
enum class Subfolder { backups, logs };
const char* SubfolderName(Subfolder which);

// The folder and a name in it.
std::string Join(const std::string& folder, const std::string& name);

// Makes the folder when missing; true when it is a folder afterwards.
bool MakeFolder(const std::string& path);

enum class ReadResult { read, missing, failed };
// Reads a regular file whole; failed for anything else or over the limit.
ReadResult ReadFile(const std::string& path, size_t limit, std::string* bytes);

// Replaces the file (or makes it) with the bytes, through a new file
// flushed and renamed over it.
bool ReplaceFile(const std::string& path, const std::string& bytes);
// Makes the file with the bytes only when no file of that name exists: an
// existing one is never overwritten (*existed true, false returned).
bool CreateFileOnce(const std::string& path, const std::string& bytes, bool* existed);
// Removes the file; true when it is gone afterwards.
bool RemoveFile(const std::string& path);
// The names of the regular files in the folder, sorted.
bool ListFiles(const std::string& folder, std::vector<std::string>* names);

// A file written as it goes, each piece flushed: what a killed run wrote
// stays. Null when it cannot be made.
struct AppendFile;
AppendFile* OpenAppend(const std::string& path);
bool Append(AppendFile* file, const std::string& bytes);
void CloseAppend(AppendFile* file);

// The process's id, for the names and texts of its files.
uint32_t ProcessId();

// The local date and time, for the names and texts of the files.
struct LocalTime {
    int year, month, day, hour, minute, second;
};
LocalTime Now();

}  // namespace datafiles
