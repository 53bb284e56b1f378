#include "platform/sim/sim_camera.h"

#include <cstdio>
#include <cstring>

#include "platform/sim/camera_class_guids.h"

namespace sim {

namespace {

const GUID classGuids[6] = CAMERA_CLASS_GUIDS;

const GUID noGuid = {0, 0, 0, {0, 0, 0, 0, 0, 0, 0, 0}};

}  // namespace

std::string DriverServiceForProduct(uint16_t productId)
{
    switch (productId) {
    case 1027: return "orvelccdI";
    case 1028: return "orvelccdF";
    case 1029: return "brennccdI";
    case 1030: return "brennccdF";
    case 1200: return "brennccdB";
    case 1201: return "brennccdBI";
    default: return "";
    }
}

std::string DriverParametersPath(uint16_t productId)
{
    std::string service = DriverServiceForProduct(productId);
    if (service.empty()) return "";
    return "HKLM\\SYSTEM\\CurrentControlSet\\Services\\" + service + "\\Parameters";
}

const GUID& CameraClassGuid(int classRow)
{
    if (classRow < 1 || classRow > 6) return noGuid;
    return classGuids[classRow - 1];
}

std::string GuidText(const GUID& g)
{
    char text[40];
    std::snprintf(text, sizeof text, "%08x-%04x-%04x-%02x%02x-%02x%02x%02x%02x%02x%02x", static_cast<unsigned>(g.Data1), g.Data2,
                  g.Data3, g.Data4[0], g.Data4[1], g.Data4[2], g.Data4[3], g.Data4[4], g.Data4[5], g.Data4[6],
                  g.Data4[7]);
    return text;
}

SimCamera::SimCamera(std::string cameraName, int row) : name(std::move(cameraName)), classRow(row)
{
    interfacePath = "\\\\?\\usb#vid_0000&pid_0000#" + name + "#{" + GuidText(CameraClassGuid(row)) + "}";
}

uint16_t SimCamera::ProductId() const
{
    return static_cast<uint16_t>(eeprom[3] | (eeprom[4] << 8));
}

const Fault* SimCamera::FaultNow(FaultKind kind) const
{
    for (const auto& fault : faults)
        if (fault.kind == kind && fault.atTransfer == transfers) return &fault;
    return nullptr;
}

DWORD SimCamera::TakeRequest(const uint8_t* data, DWORD size)
{
    if (!plugged || size == 0) return 0;
    ++transfers;
    for (auto& fault : faults)
        if (fault.atTransfer == transfers) fault.fired = true;
    replyPending = false;
    wire.push_back(WireEvent{true, std::vector<uint8_t>(data, data + size), 0, transfers});
    if (FaultNow(FaultKind::dropRequest)) {
        wire.back().bytes.clear();
        return 0;
    }
    dropThisReply = FaultNow(FaultKind::dropReply) != nullptr;
    if (const Fault* fault = FaultNow(FaultKind::status)) {
        Answer(fault->status);
        return size;
    }
    if (data[0] == 0x12 && size >= 3) {
        CarryOutRead(data[1], data[2]);
    } else if (data[0] == 0x13) {
        CarryOutWrite(data, size);
    } else if (data[0] == 0x12) {
        Answer(statusBadCount);
    } else {
        Answer(statusUnknownCommand);
    }
    if (replaceNextReply) {
        replaceNextReply = false;
        reply = nextReply;
        dropThisReply = nextReply.empty();
    }
    return size;
}

void SimCamera::Answer(uint8_t status, const uint8_t* data, size_t size)
{
    reply.assign(1, status);
    if (data) reply.insert(reply.end(), data, data + size);
    replyPending = true;
}

void SimCamera::CarryOutRead(uint8_t address, uint8_t count)
{
    if (count < 1 || count > 63) return Answer(statusBadCount);
    if (address + count > 256) return Answer(statusBadRange);
    size_t delivered = count;
    if (FaultNow(FaultKind::shortReply)) --delivered;
    Answer(statusSuccess, eeprom + address, delivered);
    if (FaultNow(FaultKind::lastByteFlipped)) reply.back() ^= 0xFF;
}

void SimCamera::CarryOutWrite(const uint8_t* data, DWORD size)
{
    if (size < 3) return Answer(statusBadCount);
    uint8_t address = data[1];
    uint8_t count = data[2];
    if (count < 1 || count > 61 || size < 3u + count) return Answer(statusBadCount);
    if (address + count > 256) return Answer(statusBadRange);
    if (!writePermitted) return Answer(statusUnknownCommand);
    bool stuck = FaultNow(FaultKind::stuckByte) != nullptr;
    for (size_t i = 0; i < count; ++i) {
        uint8_t value = data[3 + i];
        if (stuck && eeprom[address + i] != value) {
            stuck = false;  // this one keeps its old value
            continue;
        }
        eeprom[address + i] = value;
    }
    Answer(statusSuccess);
}

DWORD SimCamera::GiveReply(uint8_t* out, DWORD asked)
{
    if (!plugged || !replyPending || asked == 0) return 0;
    replyPending = false;
    if (dropThisReply) {
        wire.push_back(WireEvent{false, {}, asked});
        return 0;
    }
    DWORD size = reply.size() < asked ? static_cast<DWORD>(reply.size()) : asked;
    std::memcpy(out, reply.data(), size);
    wire.push_back(WireEvent{false, std::vector<uint8_t>(reply.begin(), reply.begin() + size), asked});
    return size;
}

}  // namespace sim
