// A simulated camera and the part of its kernel driver that serves the
// EEPROM: the command and data pipes, the status codes, and the write
// permission that the driver takes from the registry when the camera is
// plugged in. Faults can be injected at a chosen transfer for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace sim {

enum : uint8_t {
    statusSuccess = 0x80,
    statusBadRange = 0x81,
    statusBadCount = 0x82,
    statusUnknownCommand = 0x83,
};

enum class FaultKind {
    dropRequest,  // the request write moves zero bytes; nothing is done
    dropReply,    // the request is carried out, the reply read moves zero bytes
    status,       // the reply carries the given status instead, nothing is done
    shortReply,   // a successful read reply lacks its last data byte
    stuckByte,    // the first byte a write would change keeps its old value
    lastByteFlipped,  // a successful read reply has its last data byte inverted
    hold,         // on a bench: the request waits until the fault is cleared or the camera unplugged
};

struct Fault {
    FaultKind kind;
    uint32_t atTransfer;  // 1-based number of the request since creation
    uint8_t status = 0;
    bool fired = false;  // its transfer has come
};

// One half of a transfer as seen on the wire.
struct WireEvent {
    bool request;                // true: written to the command pipe
    std::vector<uint8_t> bytes;  // what was written, or what the reply gave
    uint32_t asked = 0;          // for a reply: the size the reader asked for
    uint32_t transfer = 0;       // for a request: its number since creation
};

// The driver's service for a product id (none: empty), and the registry
// key below which the driver looks for its write permission.
std::string DriverServiceForProduct(uint16_t productId);
std::string DriverParametersPath(uint16_t productId);

// The six interface classes a camera can be published in, rows 1 to 6.
const GUID& CameraClassGuid(int classRow);
std::string GuidText(const GUID& guid);

class SimCamera {
public:
    SimCamera(std::string name, int classRow);

    std::string name;
    int classRow;
    uint8_t eeprom[256] = {};
    std::string interfacePath;

    bool plugged = false;
    bool writePermitted = false;
    uint32_t generation = 0;  // grows at every plug-in; stale handles fail
    uint32_t transfers = 0;   // requests received since creation
    uint32_t order = 0;       // place in the interface lists, by creation
    // On a bench: why the camera's files cannot be read (empty: they can).
    // A damaged camera is absent from the lists and nothing rewrites it.
    std::string damage;
    // What the registered windows were last told: present, and at which
    // plug-in.
    bool notifiedPlugged = false;
    uint32_t notifiedGeneration = 0;

    // Faults.
    bool interfaceBusy = false;             // another program holds it
    bool pipeUnopenable[3] = {false, false, false};
    bool enumerationError = false;          // its list entry reports an error
    std::vector<Fault> faults;
    // For fuzzing: the next reply is exactly these bytes (none: nothing
    // arrives), whatever the request was; the request is still carried out.
    bool replaceNextReply = false;
    std::vector<uint8_t> nextReply;

    // Every request and reply, for tests that check bytes on the wire.
    std::vector<WireEvent> wire;

    uint16_t ProductId() const;

    // Driver side of the pipes; both return the number of bytes moved.
    DWORD TakeRequest(const uint8_t* data, DWORD size);
    DWORD GiveReply(uint8_t* out, DWORD asked);
    // A request whose change could not be kept: no reply follows.
    void ForgetReply() { replyPending = false; }

private:
    const Fault* FaultNow(FaultKind kind) const;
    void Answer(uint8_t status, const uint8_t* data = nullptr, size_t size = 0);
    void CarryOutRead(uint8_t address, uint8_t count);
    void CarryOutWrite(const uint8_t* data, DWORD size);

    std::vector<uint8_t> reply;
    bool replyPending = false;
    bool dropThisReply = false;
};

}  // namespace sim
