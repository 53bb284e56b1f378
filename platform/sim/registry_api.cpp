// The registry functions of the platform seam over the simulated registry.
#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"

namespace win {

using sim::Machine;

static bool WantsWrite(REGSAM access)
{
    return (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)) != 0;
}

// A key name that would leave its folder on a bench.
static bool FolderSafe(const std::string& path)
{
    for (const auto& part : sim::SplitKeyPath(path))
        if (part == "." || part == ".." || part.find('/') != std::string::npos) return false;
    return true;
}

// A key whose folder on the bench cannot be taken as a key (two folders of
// one name in different letter case, a link, a file naming a value twice).
constexpr LONG registryCorrupt = 1015;  // ERROR_REGISTRY_CORRUPT

// Whether a key on the way from a key down a path, the key itself included,
// is damaged: nothing is read or made through it.
static bool DamagedOnPath(const sim::RegKey* key, const std::string& path)
{
    if (!key->damage.empty()) return true;
    for (const auto& part : sim::SplitKeyPath(path)) {
        key = key->Subkey(part);
        if (!key) return false;
        if (!key->damage.empty()) return true;
    }
    return false;
}

// Every call reads the registry under the bench's lock (exclusive for a
// change), so it works on what the files hold, and a change is saved before
// the lock goes.
struct RegistryHold {
    explicit RegistryHold(bool exclusive) : hold(Machine().HoldBench(exclusive))
    {
        if (Held()) Machine().RefreshFromBench();
    }
    bool Held() const { return !hold || hold->Held(); }
    std::unique_ptr<sim::bench::BenchLock> hold;
};

// A change that could not be saved fails with the system's reason.
static LONG Saved(const sim::SimRegistry::KeyName& name)
{
    return Machine().SaveRegistryKey(name) ? ERROR_SUCCESS : static_cast<LONG>(sim::bench::LastWindowsError());
}

static LONG OpenOrCreate(HKEY parent, const char* subKey, REGSAM access, HKEY* result, bool create, DWORD* disposition)
{
    if (!result) return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    RegistryHold hold(create);
    if (!hold.Held()) return ERROR_LOCK_VIOLATION;
    sim::SimRegistry& registry = Machine().registry;
    sim::RegKey* base = nullptr;
    sim::SimRegistry::KeyName name;
    REGSAM parentAccess = 0;
    if (!registry.Resolve(parent, &base, &name, &parentAccess)) return ERROR_INVALID_HANDLE;
    if (name.machineHive && WantsWrite(access) && !registry.machineWritable) return ERROR_ACCESS_DENIED;
    std::string path = subKey ? subKey : "";
    if (DamagedOnPath(base, path)) return registryCorrupt;
    sim::RegKey* key = sim::SimRegistry::Find(base, path);
    bool created = false;
    if (!key && create) {
        // Making a subkey needs that right on the parent, as on Windows.
        if (!(parentAccess & KEY_CREATE_SUB_KEY)) return ERROR_ACCESS_DENIED;
        if (!Machine().BenchDir().empty() && !FolderSafe(path)) return ERROR_INVALID_NAME;
        key = sim::SimRegistry::FindOrCreate(base, path, &created);
    }
    if (!key) return ERROR_FILE_NOT_FOUND;
    for (const auto& part : sim::SplitKeyPath(path)) name.path.push_back(part);
    if (created)
        if (LONG status = Saved(name)) return status;
    if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = registry.OpenHandle(name, access);
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD /*options*/, REGSAM access, HKEY* result)
{
    return OpenOrCreate(key, subKey, access, result, false, nullptr);
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD /*reserved*/, char* /*keyClass*/, DWORD /*options*/,
                     REGSAM access, void* /*security*/, HKEY* result, DWORD* disposition)
{
    return OpenOrCreate(key, subKey, access, result, true, disposition);
}

LONG RegCloseKey(HKEY key)
{
    return Machine().registry.CloseHandle(key) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

static LONG ResolveFor(HKEY handle, REGSAM needed, sim::RegKey** key, sim::SimRegistry::KeyName* keyName = nullptr)
{
    sim::SimRegistry::KeyName name;
    REGSAM access = 0;
    if (!Machine().registry.Resolve(handle, key, &name, &access)) return ERROR_INVALID_HANDLE;
    if (keyName) *keyName = name;
    if (!(*key)->damage.empty()) return registryCorrupt;
    if ((access & needed) != needed) return ERROR_ACCESS_DENIED;
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY handle, const char* name, DWORD* /*reserved*/, DWORD* type, BYTE* data, DWORD* size)
{
    RegistryHold hold(false);
    if (!hold.Held()) return ERROR_LOCK_VIOLATION;
    sim::RegKey* key = nullptr;
    if (LONG status = ResolveFor(handle, KEY_QUERY_VALUE, &key)) return status;
    sim::RegValue* value = key->Value(name ? name : "");
    if (!value) return ERROR_FILE_NOT_FOUND;
    if (type) *type = value->type;
    DWORD needed = static_cast<DWORD>(value->data.size());
    if (!size) return data ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
    DWORD room = *size;
    *size = needed;
    if (!data) return ERROR_SUCCESS;
    if (room < needed) return ERROR_MORE_DATA;
    if (needed) std::memcpy(data, value->data.data(), needed);
    return ERROR_SUCCESS;
}

// HKLM\SYSTEM\...\NAME: the hive, the key's path and the value's name.
static std::string WrittenValueName(const sim::SimRegistry::KeyName& key, const char* name)
{
    std::string text = key.machineHive ? "HKLM" : "HKCU";
    for (const auto& part : key.path) text += "\\" + part;
    return text + "\\" + (name ? name : "");
}

LONG RegSetValueExA(HKEY handle, const char* name, DWORD /*reserved*/, DWORD type, const BYTE* data, DWORD size)
{
    RegistryHold hold(true);
    if (!hold.Held()) return ERROR_LOCK_VIOLATION;
    sim::RegKey* key = nullptr;
    sim::SimRegistry::KeyName keyName;
    if (LONG status = ResolveFor(handle, KEY_SET_VALUE, &key, &keyName)) return status;
    if (!data && size) return ERROR_INVALID_PARAMETER;
    if (Machine().registry.valueWritesFail) return ERROR_ACCESS_DENIED;
    key->SetValue(name ? name : "", type, data, size);
    const LONG status = Saved(keyName);
    if (status == ERROR_SUCCESS) Machine().registry.writtenValues.push_back(WrittenValueName(keyName, name));
    return status;
}

LONG RegDeleteValueA(HKEY handle, const char* name)
{
    RegistryHold hold(true);
    if (!hold.Held()) return ERROR_LOCK_VIOLATION;
    sim::RegKey* key = nullptr;
    sim::SimRegistry::KeyName keyName;
    if (LONG status = ResolveFor(handle, KEY_SET_VALUE, &key, &keyName)) return status;
    if (Machine().registry.valueDeletesToFail > 0) {
        --Machine().registry.valueDeletesToFail;
        return ERROR_ACCESS_DENIED;
    }
    if (!key->DeleteValue(name ? name : "")) return ERROR_FILE_NOT_FOUND;
    return Saved(keyName);
}

LONG RegEnumValueA(HKEY handle, DWORD index, char* name, DWORD* nameLength, DWORD* /*reserved*/, DWORD* type,
                   BYTE* data, DWORD* dataSize)
{
    RegistryHold hold(false);
    if (!hold.Held()) return ERROR_LOCK_VIOLATION;
    sim::RegKey* key = nullptr;
    if (LONG status = ResolveFor(handle, KEY_QUERY_VALUE, &key)) return status;
    if (index >= key->values.size()) return ERROR_NO_MORE_ITEMS;
    const sim::RegValue& value = key->values[index];
    if (!name || !nameLength || *nameLength <= value.name.size()) return ERROR_MORE_DATA;
    std::memcpy(name, value.name.c_str(), value.name.size() + 1);
    *nameLength = static_cast<DWORD>(value.name.size());
    if (type) *type = value.type;
    if (dataSize) {
        DWORD room = *dataSize;
        *dataSize = static_cast<DWORD>(value.data.size());
        if (data && room < value.data.size()) return ERROR_MORE_DATA;
        if (data && !value.data.empty()) std::memcpy(data, value.data.data(), value.data.size());
    }
    return ERROR_SUCCESS;
}

}  // namespace win
