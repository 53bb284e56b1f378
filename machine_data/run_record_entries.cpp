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

bool puttingBack = false;
int closeStep = 0;
std::string closeHow;
CloseCause closeCause = nullptr;

// What the camera's status byte says.
const char* StatusMeaning(int status)
{
    switch (status) {
    case 0x80: return "done";
    case 0x81: return "bad range";
    case 0x82: return "bad count";
    case 0x83: return "refused or unknown";
    default: return "not a status the camera gives";
    }
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
    char text[96];
    if (status < 0)
        std::snprintf(text, sizeof text, "%s %u %u: no reply", write ? "write" : "read", address, count);
    else
        std::snprintf(text, sizeof text, "%s %u %u: status 0x%02x (%s)", write ? "write" : "read", address, count,
                      static_cast<unsigned>(status), StatusMeaning(status));
    const std::string line = (puttingBack ? "put back: " : "") + std::string(text);
    Note(lastError ? line + ", failed: " + lastError : line, write || puttingBack);
}

void PuttingBack(bool on)
{
    puttingBack = on;
}

void CameraScanned(int step, const std::string& description)
{
    Note("camera at step " + std::to_string(step) + ": " + description);
}

void ModeChosen(const char* chooserText)
{
    Note(std::string("mode chosen at step 4: \"") + chooserText + "\"");
}

bool Granted(const char* keyPath, bool granted)
{
    Note("grant AllowEEPROMWrite under " + KeyText(keyPath) + ": " + DoneText(granted), true);
    return granted;
}

bool Revoked(const char* keyPath, bool revoked)
{
    Note("revoke AllowEEPROMWrite under " + KeyText(keyPath) + ": " + DoneText(revoked), true);
    return revoked;
}

void PermissionStays()
{
    Note("permission stays: removed at the next start", true);
}

void PutBack(const char* block, uint8_t address, uint32_t count, const char* end)
{
    Note(std::string("put back ") + block + " " + std::to_string(address) + " " + std::to_string(count) + ": " + end,
         true);
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

void CloseAsked(int step, const char* how)
{
    if (!closeHow.empty()) return;
    closeStep = step;
    closeHow = how;
}

void SetCloseCause(CloseCause cause)
{
    closeCause = cause;
    closeStep = 0;
    closeHow.clear();
}

// The step the user saw when the close was asked for (the window may have
// built the next one since), and what asked for it.
void WindowClosed(int step)
{
    const char* cause = closeCause ? closeCause() : nullptr;
    std::string how = cause ? cause : !closeHow.empty() ? closeHow : "the window's close";
    const int seen = cause || closeHow.empty() ? step : closeStep;
    Note("end: the window closed at step " + std::to_string(seen) + " as the user saw it, by " + how, true);
    closeStep = 0;
    closeHow.clear();
}

}  // namespace runrecord
