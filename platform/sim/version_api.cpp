// The program file's version record, served over the simulated machine. The
// block that GetFileVersionInfoA fills is a flat list of query paths and
// values, which VerQueryValueA looks up again.
#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"


namespace {

constexpr uint32_t blockMagic = 0x4D495356;  // "VSIM"

void Put32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

uint32_t Get32(const uint8_t* at)
{
    return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16 |
           static_cast<uint32_t>(at[3]) << 24;
}

std::vector<uint8_t> Serialise(const std::vector<sim::VersionValue>& record)
{
    std::vector<uint8_t> out;
    Put32(out, blockMagic);
    uint32_t total = 0;
    Put32(out, 0);
    Put32(out, static_cast<uint32_t>(record.size()));
    for (const auto& value : record) {
        Put32(out, static_cast<uint32_t>(value.path.size() + 1));
        out.insert(out.end(), value.path.begin(), value.path.end());
        out.push_back(0);
        Put32(out, static_cast<uint32_t>(value.data.size()) | (value.text ? 0x80000000u : 0));
        out.insert(out.end(), value.data.begin(), value.data.end());
    }
    total = static_cast<uint32_t>(out.size());
    std::memcpy(out.data() + 4, &total, 4);
    return out;
}

bool IsProgramFile(const char* file)
{
    return file && sim::SameName(file, sim::Machine().system.moduleFileName);
}

}  // namespace

namespace win {

DWORD GetModuleFileNameA(HMODULE /*module*/, char* name, DWORD size)
{
    const std::string& file = sim::Machine().system.moduleFileName;
    if (!name || size == 0) return 0;
    DWORD length = static_cast<DWORD>(file.size()) < size - 1 ? static_cast<DWORD>(file.size()) : size - 1;
    std::memcpy(name, file.data(), length);
    name[length] = 0;
    return length;
}

DWORD GetFileVersionInfoSizeA(const char* file, DWORD* handle)
{
    if (handle) *handle = 0;
    const auto& record = sim::Machine().system.versionRecord;
    if (!IsProgramFile(file) || record.empty()) return 0;
    return static_cast<DWORD>(Serialise(record).size());
}

BOOL GetFileVersionInfoA(const char* file, DWORD /*handle*/, DWORD size, void* block)
{
    const auto& record = sim::Machine().system.versionRecord;
    if (!IsProgramFile(file) || record.empty() || !block) return FALSE;
    std::vector<uint8_t> bytes = Serialise(record);
    if (size < bytes.size()) return FALSE;
    std::memcpy(block, bytes.data(), bytes.size());
    return TRUE;
}

BOOL VerQueryValueA(const void* block, const char* subBlock, void** buffer, UINT* length)
{
    if (!block || !subBlock || !buffer || !length) return FALSE;
    const auto* bytes = static_cast<const uint8_t*>(block);
    if (Get32(bytes) != blockMagic) return FALSE;
    uint32_t total = Get32(bytes + 4);
    uint32_t count = Get32(bytes + 8);
    uint32_t at = 12;
    for (uint32_t i = 0; i < count && at + 4 <= total; ++i) {
        uint32_t pathSize = Get32(bytes + at);
        const char* path = reinterpret_cast<const char*>(bytes + at + 4);
        at += 4 + pathSize;
        uint32_t sizeWord = Get32(bytes + at);
        uint32_t dataSize = sizeWord & 0x7FFFFFFFu;
        at += 4;
        if (sim::SameName(path, subBlock)) {
            *buffer = const_cast<uint8_t*>(bytes + at);
            *length = dataSize;  // texts: characters with the terminator; else bytes
            return TRUE;
        }
        at += dataSize;
    }
    return FALSE;
}

}  // namespace win
