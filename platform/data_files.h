// The program's data on this machine, kept between runs: its folder and the
// few file operations it needs.
//
// The program runs as an administrator, so anything in the folder may have
// been planted by someone else and any name may be swapped for a link
// between a check and a use. Hence: each folder is opened once for the
// process, checked and, where another account could write it, made the
// program's own before anything in it is read; every operation goes
// relative to that opened folder and never follows a link; only regular
// files with one link that the program owns are read or written; a file
// that fails these rules is reported as planted. Every file is written
// whole to a new file beside it, flushed and renamed into place.
//
// The folder is %ProgramData%\Vellmark with real cameras and the bench's
// directory with simulated ones (the link picks the implementation); the
// file operations are the system's own, POSIX or Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/data_standing.h"

namespace datafiles {

// The path of the machine's data folder, made when missing. An empty path
// with true: the machine does not outlive this process (simulated cameras
// without a bench), so nothing needs keeping. False when it cannot be had.
bool DataFolder(std::string* path);
// True where the data folder is one the user names (the bench): it is used
// as it stands or refused, never made, nor its owner or mode changed; only
// the subfolders the program makes in it are the program's own. False for
// %ProgramData%\Vellmark, the program's own by name.
bool DataFolderNamedByUser();

// The data folder itself and its subfolders. The subfolders' names follow
// the folder's custom: "backups" and "logs" in a bench, "Backups" and
// "Logs" in %ProgramData%\Vellmark.
enum class Place { data, backups, logs };
const char* PlaceName(Place place);

// The folder and a name in it.
std::string Join(const std::string& folder, const std::string& name);

// A folder opened once for the process and kept open.
struct Folder;

// From now on, for the whole process, the folders are only looked at: each
// is opened as the user's named folder is (used as it stands or refused,
// never made, nor its owner or mode changed), so a run that only reads
// changes nothing of the machine's data.
void LookOnly();

// The folder of the place, made when missing (for the program alone),
// checked, and made the program's own where it was not. True with a null
// *folder for a machine that keeps nothing; false with *problem when the
// folder cannot be used (a link, a reparse point, someone else's that
// cannot be taken over, not a folder). Opened once: later calls give the
// same folder while the machine's data folder stays the same.
bool OpenFolder(Place place, Folder** folder, std::string* problem);
// Closes the folders opened; the next OpenFolder opens and checks anew.
void CloseFolders();
// The folder's path, for texts.
const std::string& FolderPath(const Folder* folder);

enum class ReadResult { read, missing, failed, planted };
// Reads a file of the folder whole: planted for a file that the program did
// not make (see data_standing.h), failed for one over the limit or unreadable.
ReadResult Read(Folder* folder, const std::string& name, size_t limit, std::string* bytes);
// Replaces the name's file (or makes it) with the bytes, through a new
// file flushed and renamed over it: never written through.
bool Replace(Folder* folder, const std::string& name, const std::string& bytes);
// Makes the file with the bytes only when nothing of that name exists: an
// existing one is never overwritten (*existed true, false returned).
bool CreateOnce(Folder* folder, const std::string& name, const std::string& bytes, bool* existed);
// Removes the name, never what a link points to; true when it is gone.
bool Remove(Folder* folder, const std::string& name);
// The names of the files in the folder (links and folders left out), sorted.
bool List(Folder* folder, std::vector<std::string>* names);
// Every name in the folder, whatever stands there (links, FIFOs, sockets
// and folders too), sorted.
bool Names(Folder* folder, std::vector<std::string>* names);
// The facts of what stands at the name, looked at without opening it and
// without following a link: nothing there gives false. A FIFO looked at so
// never blocks the program.
bool Look(Folder* folder, const std::string& name, Standing* standing);

// A file of the folder written as it goes, each piece handed to the system
// at once: what a killed run wrote stays. Only a file the program made is
// opened. Null when it cannot be.
struct AppendFile;
AppendFile* OpenAppend(Folder* folder, const std::string& name);
bool Append(AppendFile* file, const std::string& bytes);
void CloseAppend(AppendFile* file);

// Reads a file the user names (not the machine's data), whole, following
// nothing unusual: for tools that take a path.
ReadResult ReadFile(const std::string& path, size_t limit, std::string* bytes);

// The process's id, and the time a process started as the system counts it
// (0 when no such process runs): together they name a run, even after the
// system reuses the id.
uint32_t ProcessId();
uint64_t ProcessStartTime(uint32_t processId);

// The date and time, in UTC, for the names and texts of the files.
struct UtcTime {
    int year, month, day, hour, minute, second;
};
UtcTime Now();

}  // namespace datafiles
