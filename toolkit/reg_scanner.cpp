#include "toolkit/reg_scanner.h"

#include "platform/win_api.h"
#include "toolkit/text.h"

namespace {

// Registry key names are at most 255 characters; full paths are kept a
// little longer. A longer text is refused rather than cut, which would name
// another key or value.
constexpr uint32_t maxPath = 511;
constexpr uint32_t maxName = 255;

bool TakeText(uint32_t len, const char* src, char* dst, uint32_t capacityLen)
{
    if (!src) return false;
    if (LengthA(len, src) > capacityLen) return false;
    CopyA(capacityLen, dst, len, src);
    return true;
}

}  // namespace

CRegScannerA::CRegScannerA() : baseKey(nullptr), sectionKey(nullptr), sectionLost(false), access(0) {}

CRegScannerA::~CRegScannerA()
{
    Done();
}

bool CRegScannerA::Open(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root,
                        REGSAM wanted, bool create)
{
    Done();
    if (machine && LengthA(machineLen, machine) != 0) return false;
    char keyPath[maxPath + 1];
    if (!TakeText(pathLen, path, keyPath, maxPath)) return false;
    HKEY key = nullptr;
    LONG status = create ? win::RegCreateKeyExA(root, keyPath, 0, nullptr, REG_OPTION_NON_VOLATILE, wanted, nullptr,
                                                &key, nullptr)
                         : win::RegOpenKeyExA(root, keyPath, 0, wanted, &key);
    if (status != ERROR_SUCCESS) return false;
    baseKey = key;
    access = wanted;
    return true;
}

bool CRegScannerA::Init(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root)
{
    return Open(machineLen, machine, pathLen, path, root, KEY_READ, false);
}

bool CRegScannerA::vfInit(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root)
{
    return Open(machineLen, machine, pathLen, path, root, KEY_READ | KEY_WRITE, false);
}

bool CRegScannerA::Create(uint32_t machineLen, const char* machine, uint32_t pathLen, const char* path, HKEY root)
{
    return Open(machineLen, machine, pathLen, path, root, KEY_READ | KEY_WRITE, true);
}

void CRegScannerA::CloseSection()
{
    if (sectionKey) win::RegCloseKey(sectionKey);
    sectionKey = nullptr;
    sectionLost = false;
}

bool CRegScannerA::SetSection(uint32_t nameLen, const char* name)
{
    if (!baseKey) return false;
    CloseSection();
    char section[maxName + 1];
    HKEY key = nullptr;
    if (!TakeText(nameLen, name, section, maxName) ||
        win::RegOpenKeyExA(baseKey, section, 0, access, &key) != ERROR_SUCCESS) {
        sectionLost = true;
        return false;
    }
    sectionKey = key;
    return true;
}

bool CRegScannerA::CreateSection(uint32_t nameLen, const char* name)
{
    if (!baseKey) return false;
    char section[maxName + 1];
    if (!TakeText(nameLen, name, section, maxName)) return false;
    HKEY key = nullptr;
    if (win::RegCreateKeyExA(baseKey, section, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                             nullptr) != ERROR_SUCCESS)
        return false;
    win::RegCloseKey(key);
    return true;
}

HKEY CRegScannerA::ValueKey() const
{
    if (sectionLost) return nullptr;
    return sectionKey ? sectionKey : baseKey;
}

bool CRegScannerA::GetKeyInt(uint32_t nameLen, const char* name, int32_t* value)
{
    HKEY key = ValueKey();
    char valueName[maxName + 1];
    if (!key || !value || !TakeText(nameLen, name, valueName, maxName)) return false;
    DWORD type = REG_NONE;
    uint8_t data[4];
    DWORD size = sizeof data;
    if (win::RegQueryValueExA(key, valueName, nullptr, &type, data, &size) != ERROR_SUCCESS) return false;
    if (type != REG_DWORD || size != 4) return false;
    *value = static_cast<int32_t>(static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                                  static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24);
    return true;
}

bool CRegScannerA::SetDword(uint32_t nameLen, const char* name, uint32_t bits)
{
    HKEY key = ValueKey();
    char valueName[maxName + 1];
    if (!key || !TakeText(nameLen, name, valueName, maxName)) return false;
    const uint8_t data[4] = {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                             static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
    return win::RegSetValueExA(key, valueName, 0, REG_DWORD, data, sizeof data) == ERROR_SUCCESS;
}

bool CRegScannerA::SetKeyInt(uint32_t nameLen, const char* name, int32_t value)
{
    return SetDword(nameLen, name, static_cast<uint32_t>(value));
}

bool CRegScannerA::SetKeyCard(uint32_t nameLen, const char* name, uint32_t value)
{
    return SetDword(nameLen, name, value);
}

bool CRegScannerA::DeleteKey(uint32_t nameLen, const char* name)
{
    HKEY key = ValueKey();
    char valueName[maxName + 1];
    if (!key || !TakeText(nameLen, name, valueName, maxName)) return false;
    return win::RegDeleteValueA(key, valueName) == ERROR_SUCCESS;
}

bool CRegScannerA::HasValue(uint32_t nameLen, const char* name)
{
    HKEY key = ValueKey();
    char valueName[maxName + 1];
    if (!key || !TakeText(nameLen, name, valueName, maxName)) return false;
    DWORD type = REG_NONE;
    LONG status = win::RegQueryValueExA(key, valueName, nullptr, &type, nullptr, nullptr);
    return status == ERROR_SUCCESS || status == ERROR_MORE_DATA;
}

bool CRegScannerA::Done()
{
    CloseSection();
    bool hadKey = baseKey != nullptr;
    if (baseKey) win::RegCloseKey(baseKey);
    baseKey = nullptr;
    access = 0;
    return hadKey;
}

bool CRegScannerA::vfDone()
{
    return Done();
}
