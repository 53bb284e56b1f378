#include "platform/sim/sim_registry.h"

#include <cctype>
#include <cstring>

namespace sim {

bool SameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::vector<std::string> SplitKeyPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty()) parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) parts.push_back(part);
    return parts;
}

RegKey* RegKey::Subkey(const std::string& keyName) const
{
    for (const auto& sub : subkeys)
        if (SameName(sub->name, keyName)) return sub.get();
    return nullptr;
}

RegKey* RegKey::AddSubkey(const std::string& keyName)
{
    if (RegKey* existing = Subkey(keyName)) return existing;
    subkeys.push_back(std::make_unique<RegKey>());
    subkeys.back()->name = keyName;
    return subkeys.back().get();
}

RegValue* RegKey::Value(const std::string& valueName)
{
    for (auto& value : values)
        if (SameName(value.name, valueName)) return &value;
    return nullptr;
}

void RegKey::SetValue(const std::string& valueName, DWORD type, const uint8_t* data, size_t size)
{
    RegValue* value = Value(valueName);
    if (!value) {
        values.push_back(RegValue{valueName, REG_NONE, {}});
        value = &values.back();
    }
    value->type = type;
    value->data.assign(data, data + size);
}

bool RegKey::DeleteValue(const std::string& valueName)
{
    for (auto it = values.begin(); it != values.end(); ++it) {
        if (SameName(it->name, valueName)) {
            values.erase(it);
            return true;
        }
    }
    return false;
}

SimRegistry::SimRegistry()
{
    currentUser.name = "HKEY_CURRENT_USER";
    localMachine.name = "HKEY_LOCAL_MACHINE";
}

RegKey* SimRegistry::Root(HKEY predefined)
{
    if (predefined == HKEY_CURRENT_USER) return &currentUser;
    if (predefined == HKEY_LOCAL_MACHINE) return &localMachine;
    return nullptr;
}

RegKey* SimRegistry::Find(RegKey* from, const std::string& path)
{
    RegKey* key = from;
    for (const auto& part : SplitKeyPath(path)) {
        if (!key) return nullptr;
        key = key->Subkey(part);
    }
    return key;
}

RegKey* SimRegistry::FindOrCreate(RegKey* from, const std::string& path, bool* created)
{
    RegKey* key = from;
    bool made = false;
    for (const auto& part : SplitKeyPath(path)) {
        RegKey* next = key->Subkey(part);
        if (!next) {
            next = key->AddSubkey(part);
            made = true;
        }
        key = next;
    }
    if (created) *created = made;
    return key;
}

static RegKey* RootOfPath(SimRegistry& registry, const std::string& fullPath, std::string* rest)
{
    size_t slash = fullPath.find('\\');
    std::string root = fullPath.substr(0, slash);
    *rest = slash == std::string::npos ? std::string() : fullPath.substr(slash + 1);
    if (SameName(root, "HKLM") || SameName(root, "HKEY_LOCAL_MACHINE")) return &registry.localMachine;
    if (SameName(root, "HKCU") || SameName(root, "HKEY_CURRENT_USER")) return &registry.currentUser;
    return nullptr;
}

RegKey* SimRegistry::FindPath(const std::string& fullPath)
{
    std::string rest;
    RegKey* root = RootOfPath(*this, fullPath, &rest);
    return root ? Find(root, rest) : nullptr;
}

RegKey* SimRegistry::CreatePath(const std::string& fullPath)
{
    std::string rest;
    RegKey* root = RootOfPath(*this, fullPath, &rest);
    return root ? FindOrCreate(root, rest, nullptr) : nullptr;
}

void SimRegistry::SetDword(const std::string& fullPath, const std::string& name, uint32_t value)
{
    RegKey* key = CreatePath(fullPath);
    if (!key) return;
    uint8_t bytes[4];
    std::memcpy(bytes, &value, 4);
    key->SetValue(name, REG_DWORD, bytes, 4);
}

const RegValue* SimRegistry::GetValue(const std::string& fullPath, const std::string& name)
{
    RegKey* key = FindPath(fullPath);
    return key ? key->Value(name) : nullptr;
}

HKEY SimRegistry::OpenHandle(const KeyName& name, REGSAM access)
{
    nextHandle += 4;
    handles[nextHandle] = OpenKey{name, access};
    return reinterpret_cast<HKEY>(nextHandle);
}

bool SimRegistry::Resolve(HKEY handle, RegKey** key, KeyName* name, REGSAM* access)
{
    if (RegKey* root = Root(handle)) {
        *key = root;
        name->machineHive = root == &localMachine;
        name->path.clear();
        *access = KEY_READ | KEY_WRITE;
        return true;
    }
    auto it = handles.find(reinterpret_cast<uintptr_t>(handle));
    if (it == handles.end()) return false;
    *name = it->second.name;
    *access = it->second.access;
    // A key that is gone since (the tree was read again) leaves the handle
    // naming nothing.
    RegKey* found = name->machineHive ? &localMachine : &currentUser;
    for (const auto& part : name->path) {
        found = found ? found->Subkey(part) : nullptr;
    }
    *key = found;
    return found != nullptr;
}

bool SimRegistry::CloseHandle(HKEY handle)
{
    if (Root(handle)) return true;
    return handles.erase(reinterpret_cast<uintptr_t>(handle)) == 1;
}

}  // namespace sim
