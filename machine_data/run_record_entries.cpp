// The lines of a run's record, one for each thing support may ask about.
#include <cstdio>

#include "machine_data/camera_backup_text.h"
#include "machine_data/run_record.h"

namespace runrecord {

namespace {

const char* DoneText(bool done)
{
    return done ? "done" : "failed";
}

std::string KeyText(const char* keyPath)
{
    return keyPath ? std::string("HKLM\\") + keyPath : std::string("(no driver key for the product id)");
}

}  // namespace

bool AdministratorProbe(bool administrator)
{
    Note(std::string("administrator probe: ") + (administrator ? "administrator" : "not an administrator"));
    return administrator;
}

void CameraOpened(uint32_t familyFlags, const char* devicePath)
{
    Note("camera opened: class " + std::to_string(camerabackup::ClassRowOf(familyFlags)) + ", path " + devicePath);
}

void CameraLinkFailure(const char* operation, const char* lastError)
{
    Note(std::string(operation) + " failed: " + lastError);
}

void Transfer(bool write, uint8_t address, uint32_t count, int status, const char* lastError)
{
    char text[64];
    if (status < 0)
        std::snprintf(text, sizeof text, "%s %u %u: no reply", write ? "write" : "read", address, count);
    else
        std::snprintf(text, sizeof text, "%s %u %u: status 0x%02x", write ? "write" : "read", address, count,
                      static_cast<unsigned>(status));
    Note(lastError ? std::string(text) + ", failed: " + lastError : std::string(text));
}

bool Granted(const char* keyPath, bool granted)
{
    Note("grant AllowEEPROMWrite under " + KeyText(keyPath) + ": " + DoneText(granted));
    return granted;
}

bool Revoked(const char* keyPath, bool revoked)
{
    Note("revoke AllowEEPROMWrite under " + KeyText(keyPath) + ": " + DoneText(revoked));
    return revoked;
}

void PermissionStays()
{
    Note("permission stays: removed at the next start");
}

bool PutBack(const char* block, uint8_t address, uint32_t count, bool done)
{
    Note(std::string("put back ") + block + " " + std::to_string(address) + " " + std::to_string(count) + ": " +
         DoneText(done));
    return done;
}

bool UpdateNote(const char* what, uint16_t productId, uint32_t cameraId, bool done)
{
    Note(std::string("update note ") + what + " " + std::to_string(productId) + " " + std::to_string(cameraId) +
         ": " + DoneText(done));
    return done;
}

void Box(const char* title, const char* line1, const char* line2)
{
    Note(std::string("box: \"") + title + "\" / \"" + line1 + "\" / \"" + line2 + "\"");
}

void StepReached(int step)
{
    Note("step " + std::to_string(step));
}

void WindowClosed(int step)
{
    Note("end: the window closed at step " + std::to_string(step), true);
}

}  // namespace runrecord
