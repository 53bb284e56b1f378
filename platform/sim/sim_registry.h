// The simulated registry: two hives (the current user's and the machine's),
// keys with case-insensitive names, typed values, and a table of open key
// handles so tests can tell whether anything was left open.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/win_types.h"

namespace sim {

struct RegValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;
};

struct RegKey {
    std::string name;
    std::vector<std::unique_ptr<RegKey>> subkeys;
    std::vector<RegValue> values;
    // Lines of the key's file on a bench that are not values, as they stand.
    std::vector<std::string> keptLines;
    // On a bench: why the key's folder cannot be taken as a key (empty: it
    // can). A damaged key is neither read nor written.
    std::string damage;

    RegKey* Subkey(const std::string& keyName) const;
    RegKey* AddSubkey(const std::string& keyName);
    RegValue* Value(const std::string& valueName);
    void SetValue(const std::string& valueName, DWORD type, const uint8_t* data, size_t size);
    bool DeleteValue(const std::string& valueName);
};

class SimRegistry {
public:
    SimRegistry();

    // A predefined root (HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE), or null.
    RegKey* Root(HKEY predefined);
    // Looks up a path of backslash-separated key names below a key.
    static RegKey* Find(RegKey* from, const std::string& path);
    static RegKey* FindOrCreate(RegKey* from, const std::string& path, bool* created);

    // Paths written as "HKLM\..." or "HKCU\..." (also the long root names).
    RegKey* FindPath(const std::string& fullPath);
    RegKey* CreatePath(const std::string& fullPath);
    void SetDword(const std::string& fullPath, const std::string& name, uint32_t value);
    const RegValue* GetValue(const std::string& fullPath, const std::string& name);

    // Open key handles. A handle names its key by path, so it stays good
    // when the tree is read again from a bench.
    struct KeyName {
        bool machineHive = false;
        std::vector<std::string> path;
    };
    HKEY OpenHandle(const KeyName& name, REGSAM access);
    // The key a handle (or a predefined root) names, with its name and the
    // access it was opened with; false for a handle that is not open.
    bool Resolve(HKEY handle, RegKey** key, KeyName* name, REGSAM* access);
    bool CloseHandle(HKEY handle);
    size_t OpenHandleCount() const { return handles.size(); }

    // When false, keys of the machine hive open only for reading, as for a
    // program without administrator rights.
    bool machineWritable = true;
    // A fault for tests: every value write fails although the key is open.
    bool valueWritesFail = false;
    // A fault for tests: this many value deletions to come fail although
    // the key is open; the ones after them work again.
    int valueDeletesToFail = 0;
    // Every value the seam was asked to write and did, as HKLM\KEY\NAME or
    // HKCU\KEY\NAME, in order: the writes a later deletion hides.
    std::vector<std::string> writtenValues;

    RegKey currentUser;
    RegKey localMachine;

private:
    struct OpenKey {
        KeyName name;
        REGSAM access;
    };
    std::map<uintptr_t, OpenKey> handles;
    uintptr_t nextHandle = 0x2000;
};

bool SameName(const std::string& a, const std::string& b);
std::vector<std::string> SplitKeyPath(const std::string& path);

}  // namespace sim
