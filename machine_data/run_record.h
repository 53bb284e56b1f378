// The record of this run, for technical support: one text file a run in
// the data folder's logs subfolder, run-YYYYMMDD-HHMMSS-PID.txt in UTC, each line
// handed to the system as it is written, so that a killed run leaves its
// record up to the kill. A line repeated at once is written once, and how
// often it came again after it. At most the 20 newest records are kept,
// each at most 64 KiB: past that, lines after the run's start are dropped,
// oldest first and those that matter last, a line telling how many stands
// where they were, and the file is written anew. Nothing of it is shown in
// the window.
#pragma once

#include <cstdint>
#include <string>

namespace runrecord {

constexpr int maxRecords = 20;
constexpr size_t maxRecordSize = 64 * 1024;

// Starts the run's record with its heading lines, after removing the
// oldest records beyond the newest 19. False when it cannot be made; the
// run goes on without one.
bool Open(const std::string& heading);
// A line with the time before it. One that matters (a write, a put-back,
// a revoke, the end) is dropped only when the others cannot make room.
void Note(const std::string& line, bool matters = false);
// The run's last line with the date and time, then afterLast as it is
// (the exit code of the console program), and the file closed.
void Close(const std::string& lastLine, const std::string& afterLast = "");

// The entries of a run, each one line (run_record_entries.cpp). The ones
// that take a result give it back, so a call can stand where it is used.
bool AdministratorProbe(bool administrator);
void CameraOpened(uint32_t familyFlags, const char* devicePath);
void CameraLinkFailure(const char* operation, const char* lastError);
// status: the reply's status byte, or -1 when no reply came; lastError
// for a failed transfer, else null.
void Transfer(bool write, uint8_t address, uint32_t count, int status, const char* lastError);
bool Granted(const char* keyPath, bool granted);
bool Revoked(const char* keyPath, bool revoked);
// A permission that could not be removed and stays until the next start.
void PermissionStays();
// A block of a failed update brought back as it was read before it: how
// it ended, "unchanged" (found as it was, nothing written), "done" or
// "failed".
void PutBack(const char* block, uint8_t address, uint32_t count, const char* end);
// The note of an unfinished update saved, found or taken off.
bool UpdateNote(const char* what, uint16_t productId, uint32_t cameraId, bool done);
void Box(const char* title, const char* line1, const char* line2);
void StepReached(int step);
// The transfers between these are a failed update's put-back.
void PuttingBack(bool on);
// The camera a scan found, in words: class, product id, type, camera ID,
// sensor row and mode, or why it cannot be configured.
void CameraScanned(int step, const std::string& description);
// The mode written at step 4, by its chooser text.
void ModeChosen(const char* chooserText);
// The program itself asks the window to close (Finish, a refused grant):
// the step then shown and how; the first asking counts.
void CloseAsked(int step, const char* how);
// What a front end knows of why the window closes (a signal, the end of
// its input), or null: asked when the window closes.
using CloseCause = const char* (*)();
void SetCloseCause(CloseCause cause);
void WindowClosed(int step);

}  // namespace runrecord
