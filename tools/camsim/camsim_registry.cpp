// camsim reg query: a key's values with their types, and on a bench the
// lines of its file that are not values.
#include <cstdio>
#include <cstring>

#include "platform/sim/sim_machine.h"
#include "platform/win_api.h"
#include "tools/camsim/camsim_commands.h"

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
    if (win::RegOpenKeyExA(root, path.c_str() + 5, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return BadInput("no such key: " + path);
    std::printf("%s\n", path.c_str());
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD nameLength = sizeof name;
        uint8_t data[1024];
        DWORD size = sizeof data, type = 0;
        if (win::RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        std::printf("    %s    %s    %s\n", name[0] ? name : "(Default)", TypeName(type),
                    ValueText(type, data, size).c_str());
    }
    win::RegCloseKey(key);
    if (const sim::RegKey* kept = sim::Machine().registry.FindPath(path))
        for (const auto& line : kept->keptLines) std::printf("    not a value, kept as it stands: %s\n", line.c_str());
    return 0;
}
