// The EEPROM block protocol: one request written to the command pipe, one
// reply read from the data pipe, a status byte first.
#include "app/orvel_config.h"
#include "platform/win_api.h"
#include "toolkit/memory.h"
#include "toolkit/text.h"

namespace {

constexpr uint8_t readCommand = 0x12;
constexpr uint8_t writeCommand = 0x13;
constexpr uint8_t statusSuccess = 0x80;
constexpr uint32_t blockBufferSize = 64;
constexpr uint32_t maxReadCount = blockBufferSize - 1;   // the reply carries the status first
constexpr uint32_t maxWriteCount = blockBufferSize - 3;  // the request carries three header bytes

const char* StatusDescription(uint8_t status)
{
    switch (status) {
    case 0x81: return "Invalid index";
    case 0x82: return "Invalid parameter";
    case 0x83: return "Unknown instruction";
    default: return "Unknown return code";
    }
}

}  // namespace

void COrvelConfig::FormatInstructionError(uint8_t status, uint32_t maxLen, char* text)
{
    CopyA(maxLen, text, 0, "Instruction failed: ");
    AppendA(maxLen, text, 0, StatusDescription(status));
}

// Zero bytes moved means the camera is gone: the connection is ended, and
// the text set before, since the close leaves it alone.
bool COrvelConfig::TransportFailure()
{
    CopyA(maxLastError, lastError, 0, "Camera not connected");
    CloseCamera();
    return false;
}

// Nothing is sent without an open command pipe, nor a block that does not
// fit the 64-byte request and reply buffers.
bool COrvelConfig::ReadyToSend(uint32_t count, uint32_t maxCount)
{
    if (commandPipe == INVALID_HANDLE_VALUE) {
        CopyA(maxLastError, lastError, 0, "Device not initialised");
        return false;
    }
    if (count < 1 || count > maxCount) {
        CopyA(maxLastError, lastError, 0, "Invalid block size");
        return false;
    }
    return true;
}

bool COrvelConfig::ReadEepromBlock(uint8_t address, uint32_t count, void* destination)
{
    if (!ReadyToSend(count, maxReadCount)) return false;
    const uint8_t request[3] = {readCommand, address, static_cast<uint8_t>(count)};
    DWORD moved = 0;
    win::WriteFile(commandPipe, request, sizeof request, &moved, nullptr);
    if (moved == 0) return TransportFailure();

    uint8_t reply[blockBufferSize];
    moved = 0;
    win::ReadFile(dataPipe, reply, blockBufferSize, &moved, nullptr);
    if (moved == 0) return TransportFailure();
    replyStatus = reply[0];
    if (reply[0] != statusSuccess) {
        FormatInstructionError(reply[0], maxLastError, lastError);
        return false;
    }
    // A success that lacks data bytes would hand on bytes nobody sent.
    if (moved < 1 + count) {
        CopyA(maxLastError, lastError, 0, "Instruction failed: Incomplete reply");
        return false;
    }
    Move(reply + 1, destination, count);
    return true;
}

bool COrvelConfig::WriteEepromBlock(uint8_t address, uint32_t count, const void* source)
{
    if (!ReadyToSend(count, maxWriteCount)) return false;
    uint8_t request[blockBufferSize];
    request[0] = writeCommand;
    request[1] = address;
    request[2] = static_cast<uint8_t>(count);
    Move(source, request + 3, count);
    DWORD moved = 0;
    win::WriteFile(commandPipe, request, 3 + count, &moved, nullptr);
    if (moved == 0) return TransportFailure();

    uint8_t status = 0;
    moved = 0;
    win::ReadFile(dataPipe, &status, 1, &moved, nullptr);
    if (moved == 0) return TransportFailure();
    replyStatus = status;
    if (status != statusSuccess) {
        FormatInstructionError(status, maxLastError, lastError);
        return false;
    }
    return true;
}
