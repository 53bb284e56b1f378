// camsim reg query: a key's values with their types, and on a bench the
// lines of its file that are not values.
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"
#include "tools/camsim/camsim_commands.h"
#include "tools/camsim/camsim_output.h"

namespace {

const char* TypeName(DWORD type)
{
    static const char* const names[] = {"REG_NONE",     "REG_SZ",       "REG_EXPAND_SZ",
                                        "REG_BINARY",   "REG_DWORD",    "REG_DWORD_BIG_ENDIAN",
                                        "REG_LINK",     "REG_MULTI_SZ", "REG_RESOURCE_LIST",
                                        "REG_FULL_RESOURCE_DESCRIPTOR", "REG_RESOURCE_REQUIREMENTS_LIST",
                                        "REG_QWORD"};
    return type < sizeof names / sizeof names[0] ? names[type] : "REG_UNKNOWN";
}

std::string Text(const uint8_t* data, DWORD size)
{
    return std::string(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
}

// As reg query shows them: numbers in hex, texts as they are, the strings
// of a multi-string joined by \0, anything else as hex bytes.
std::string ValueText(DWORD type, const uint8_t* data, DWORD size)
{
    char text[24];
    if (type == REG_DWORD && size == 4) {
        std::snprintf(text, sizeof text, "0x%x", static_cast<unsigned>(data[0] | data[1] << 8 | data[2] << 16 | data[3] << 24));
        return text;
    }
    if (type == 11 && size == 8) {
        unsigned long long number = 0;
        for (int i = 7; i >= 0; --i) number = number << 8 | data[i];
        std::snprintf(text, sizeof text, "0x%llx", number);
        return text;
    }
    if (type == REG_SZ || type == REG_EXPAND_SZ) return Text(data, size);
    if (type == REG_MULTI_SZ) {
        std::string joined;
        for (DWORD at = 0; at < size && data[at];) {
            std::string one = Text(data + at, size - at);
            joined += (joined.empty() ? "" : "\\0") + one;
            at += static_cast<DWORD>(one.size()) + 1;
        }
        return joined;
    }
    std::string hex;
    for (DWORD i = 0; i < size; ++i) {
        std::snprintf(text, sizeof text, "%02X", data[i]);
        hex += text;
    }
    return hex;
}

// The value at the index, whatever its size: asked for its size first.
LONG ValueAt(HKEY key, DWORD index, std::string* name, DWORD* type, std::vector<uint8_t>* data)
{
    std::vector<char> nameBuffer(16384);
    LONG status = ERROR_MORE_DATA;
    for (int attempt = 0; attempt < 8 && status == ERROR_MORE_DATA; ++attempt) {
        DWORD nameLength = static_cast<DWORD>(nameBuffer.size()), size = 0;
        status = win::RegEnumValueA(key, index, nameBuffer.data(), &nameLength, nullptr, type, nullptr, &size);
        if (status != ERROR_SUCCESS) return status;
        data->resize(size ? size : 1);
        nameLength = static_cast<DWORD>(nameBuffer.size());
        // The value may have grown in between: then it is asked for again.
        status = win::RegEnumValueA(key, index, nameBuffer.data(), &nameLength, nullptr, type, data->data(), &size);
        data->resize(size);
    }
    *name = nameBuffer.data();
    return status;
}

}  // namespace

int QueryRegistry(const Arguments& args)
{
    if (args.size() != 2 || args[0] != "query") return BadInput("usage: reg query KEY");
    const std::string& path = args[1];
    HKEY root = nullptr;
    if (path.rfind("HKLM\\", 0) == 0) root = HKEY_LOCAL_MACHINE;
    if (path.rfind("HKCU\\", 0) == 0) root = HKEY_CURRENT_USER;
    if (!root) return BadInput("a key is written HKLM\\... or HKCU\\..., not '" + path + "'");
    HKEY key = nullptr;
    LONG opened = win::RegOpenKeyExA(root, path.c_str() + 5, 0, KEY_READ, &key);
    if (opened != ERROR_SUCCESS) {
        const sim::RegKey* found = sim::Machine().registry.FindPath(path);
        if (found && !found->damage.empty()) return Failed("the key " + path + " is damaged: " + found->damage);
        if (opened != ERROR_FILE_NOT_FOUND) return Failed("cannot open the key " + path + ": error " + std::to_string(opened));
        return BadInput("no such key: " + path);
    }
    Say("%s", path.c_str());
    LONG status = ERROR_SUCCESS;
    for (DWORD index = 0; status == ERROR_SUCCESS; ++index) {
        std::string name;
        std::vector<uint8_t> data;
        DWORD type = 0;
        status = ValueAt(key, index, &name, &type, &data);
        if (status == ERROR_SUCCESS)
            Say("    %s    %s    %s", name.empty() ? "(Default)" : name.c_str(), TypeName(type),
                ValueText(type, data.data(), static_cast<DWORD>(data.size())).c_str());
    }
    win::RegCloseKey(key);
    if (status != ERROR_NO_MORE_ITEMS) return Failed("cannot read the values of " + path + ": error " + std::to_string(status));
    if (const sim::RegKey* kept = sim::Machine().registry.FindPath(path))
        for (const auto& line : kept->keptLines) Say("    not a value, kept as it stands: %s", line.c_str());
    return 0;
}
