// The simulated registry on the bench: one folder a key, its values in a
// values.reg file in the usual registry export notation. A line that is not
// a value (or whose value cannot be read) is no value, and is kept in the
// file as it stands when the key is saved again. Only a key whose values
// changed has its file rewritten. Names are the same in any letter case,
// as on Windows.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <sstream>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"
#include "platform/sim/sim_registry.h"

namespace sim::bench {

namespace {

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// "Name"=dword:00000001, "Name"="text", "Name"=hex:01,02, "Name"=hex(N):...
std::string ValueLine(const RegValue& value)
{
    std::string line = (value.name.empty() ? std::string("@") : Quote(value.name)) + "=";
    if (value.type == REG_DWORD && value.data.size() == 4) {
        uint32_t number;
        std::memcpy(&number, value.data.data(), 4);
        char text[16];
        std::snprintf(text, sizeof text, "dword:%08x", number);
        return line + text;
    }
    if (value.type == REG_SZ && !value.data.empty() && value.data.back() == 0 &&
        std::memchr(value.data.data(), 0, value.data.size() - 1) == nullptr)
        return line + Quote(std::string(value.data.begin(), value.data.end() - 1));
    char prefix[24];
    if (value.type == REG_BINARY)
        std::snprintf(prefix, sizeof prefix, "hex:");
    else
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    line += prefix;
    for (size_t i = 0; i < value.data.size(); ++i) {
        char byte[4];
        std::snprintf(byte, sizeof byte, i ? ",%02x" : "%02x", value.data[i]);
        line += byte;
    }
    return line;
}

bool IsHex(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// 1 to maxDigits hex digits, the whole text.
bool HexNumber(const std::string& text, size_t maxDigits, unsigned long* value)
{
    if (text.empty() || text.size() > maxDigits) return false;
    for (char c : text)
        if (!IsHex(c)) return false;
    *value = std::strtoul(text.c_str(), nullptr, 16);
    return true;
}

// A quoted text from *at on, with \" and \\ as the only escapes.
bool ParseQuoted(const std::string& line, size_t* at, std::string* text)
{
    if (*at >= line.size() || line[*at] != '"') return false;
    ++*at;
    text->clear();
    while (*at < line.size() && line[*at] != '"') {
        if (line[*at] == '\\') {
            if (*at + 1 >= line.size() || (line[*at + 1] != '"' && line[*at + 1] != '\\')) return false;
            ++*at;
        }
        *text += line[(*at)++];
    }
    if (*at >= line.size()) return false;
    ++*at;
    return true;
}

bool ParseBytes(const std::string& list, std::vector<uint8_t>* data)
{
    if (list.empty()) return true;
    std::stringstream bytes(list + ",");
    std::string byte;
    while (std::getline(bytes, byte, ',')) {
        unsigned long value = 0;
        if (!HexNumber(byte, 2, &value)) return false;
        data->push_back(static_cast<uint8_t>(value));
    }
    return list.back() != ',';
}

bool ParseData(const std::string& rest, RegValue* value)
{
    unsigned long number = 0;
    value->data.clear();
    if (rest.rfind("dword:", 0) == 0) {
        if (!HexNumber(rest.substr(6), 8, &number)) return false;
        uint32_t dword = static_cast<uint32_t>(number);
        value->type = REG_DWORD;
        value->data.resize(4);
        std::memcpy(value->data.data(), &dword, 4);
        return true;
    }
    if (!rest.empty() && rest[0] == '"') {
        size_t at = 0;
        std::string text;
        if (!ParseQuoted(rest, &at, &text) || at != rest.size()) return false;
        value->type = REG_SZ;
        value->data.assign(text.begin(), text.end());
        value->data.push_back(0);
        return true;
    }
    size_t colon = rest.find(':');
    if (colon == std::string::npos) return false;
    std::string kind = rest.substr(0, colon);
    if (kind == "hex") {
        value->type = REG_BINARY;
    } else if (kind.size() > 5 && kind.rfind("hex(", 0) == 0 && kind.back() == ')' &&
               HexNumber(kind.substr(4, kind.size() - 5), 8, &number)) {
        value->type = static_cast<DWORD>(number);
    } else {
        return false;
    }
    return ParseBytes(rest.substr(colon + 1), &value->data);
}

bool ParseValueLine(std::string line, RegValue* value)
{
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t at = 0;
    if (line.empty()) return false;
    if (line[0] == '@') {
        value->name.clear();
        at = 1;
    } else if (!ParseQuoted(line, &at, &value->name)) {
        return false;
    }
    if (at >= line.size() || line[at] != '=') return false;
    return ParseData(line.substr(at + 1), value);
}

bool IsBlank(const std::string& line)
{
    return line.find_first_not_of(" \t\r") == std::string::npos;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::stringstream stream(text);
    std::string line;
    while (std::getline(stream, line)) lines.push_back(line);
    return lines;
}

bool Has(const std::vector<os::Entry>& entries, const char* name)
{
    for (const auto& entry : entries)
        if (entry.name == name) return true;
    return false;
}

// The values of a key's file; two lines naming one value (in any letter
// case) make the key damaged, as the save would keep only one of them.
void LoadValues(const std::string& dir, const std::string& path, RegKey& key)
{
    std::string text, reason;
    bool missing = false;
    if (!os::ReadRegular(dir, path, valuesLimit, &text, &reason, &missing)) {
        if (!missing) key.damage = "values.reg cannot be read: " + reason;
        return;
    }
    std::vector<int> lineOf;
    int number = 0;
    for (const auto& line : Lines(text)) {
        ++number;
        RegValue value;
        if (!ParseValueLine(line, &value)) {
            if (!IsBlank(line)) key.keptLines.push_back(line);
            continue;
        }
        if (const RegValue* same = key.Value(value.name)) {
            key.damage = "values.reg lines " + std::to_string(lineOf[static_cast<size_t>(same - key.values.data())]) +
                         " and " + std::to_string(number) + " name one value: " + Quote(same->name) + ", " +
                         Quote(value.name);
            return;
        }
        key.SetValue(value.name, value.type, value.data.data(), value.data.size());
        lineOf.push_back(number);
    }
}

// A key's folder: its values, and a key for each folder in it. Two folders
// whose names differ only in letter case, or a link where a key's folder
// would be, are a damaged key: never merged, never written through.
void LoadKey(const std::string& dir, const std::string& folder, RegKey& key)
{
    key.values.clear();
    key.keptLines.clear();
    key.damage.clear();
    std::vector<os::Entry> entries;
    std::string reason;
    if (!os::ListFolder(dir, folder, &entries, &reason)) {
        key.damage = "its folder cannot be read: " + reason;
        return;
    }
    if (Has(entries, "values.reg")) LoadValues(dir, folder + "/values.reg", key);
    std::sort(entries.begin(), entries.end(), [](const os::Entry& a, const os::Entry& b) { return a.name < b.name; });
    for (const auto& entry : entries) {
        if (entry.kind != os::Kind::folder && entry.kind != os::Kind::link) continue;
        if (RegKey* same = key.Subkey(entry.name)) {
            same->damage = "two folders differ only in letter case: " + same->name + ", " + entry.name;
            same->subkeys.clear();
            same->values.clear();
            continue;
        }
        RegKey* sub = key.AddSubkey(entry.name);
        if (entry.kind == os::Kind::link)
            sub->damage = "its folder is a link";
        else
            LoadKey(dir, folder + "/" + entry.name, *sub);
    }
}

std::string Lower(const std::string& text)
{
    std::string lower = text;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// The file's lines in order: a value line stays as it is while its value
// is unchanged, becomes the value's new line when changed, goes when the
// value is gone; other lines stay. New values follow.
std::string MergedText(const std::string& old, const RegKey& key)
{
    std::string text;
    std::set<std::string> written;
    for (const auto& line : Lines(old)) {
        RegValue read;
        if (!ParseValueLine(line, &read)) {
            text += line + "\n";
            continue;
        }
        const RegValue* now = const_cast<RegKey&>(key).Value(read.name);
        if (!now || !written.insert(Lower(read.name)).second) continue;
        text += (now->type == read.type && now->data == read.data ? line : ValueLine(*now)) + "\n";
    }
    for (const auto& value : key.values)
        if (written.insert(Lower(value.name)).second) text += ValueLine(value) + "\n";
    return text;
}

// The key's folder, each part made when missing, none followed when a link.
bool MakeKeyFolders(const std::string& dir, const std::string& folder, std::string* error)
{
    std::string made;
    for (size_t at = 0; at <= folder.size();) {
        size_t slash = folder.find('/', at);
        if (slash == std::string::npos) slash = folder.size();
        made = folder.substr(0, slash);
        at = slash + 1;
        std::vector<os::Entry> entries;
        std::string reason;
        if (os::ListFolder(dir, made, &entries, &reason)) continue;
        if (!MakeFolder(dir, made, error)) return false;
    }
    return true;
}

bool SaveKeyFile(const std::string& dir, const std::string& folder, const RegKey& key, std::string* error)
{
    if (!key.damage.empty()) {
        *error = "the key's folder " + BenchPath(dir, folder) + " is damaged: " + key.damage;
        return false;
    }
    if (!MakeKeyFolders(dir, folder, error)) return false;
    const std::string path = folder + "/values.reg";
    std::string old, reason;
    bool missing = false;
    bool exists = os::ReadRegular(dir, path, valuesLimit, &old, &reason, &missing);
    if (!exists && !missing) {
        *error = "cannot save " + BenchPath(dir, path) + ": " + reason;
        return false;
    }
    std::string text = MergedText(old, key);
    if (exists ? text == old : text.empty()) return true;
    return ReplaceWhole(dir, path, text, error);
}

bool SaveTree(const std::string& dir, const std::string& folder, const RegKey& key, std::string* error)
{
    bool ok = SaveKeyFile(dir, folder, key, error);
    for (const auto& sub : key.subkeys) ok = SaveTree(dir, folder + "/" + sub->name, *sub, error) && ok;
    return ok;
}

}  // namespace

bool LoadRegistry(const std::string& dir, SimRegistry& registry)
{
    registry.localMachine.subkeys.clear();
    registry.currentUser.subkeys.clear();
    LoadKey(dir, "registry/HKLM", registry.localMachine);
    LoadKey(dir, "registry/HKCU", registry.currentUser);
    return true;
}

// The key's folder is found by the names the keys have in the tree read
// from the bench, whatever letter case the caller used.
bool SaveRegistryKey(const std::string& dir, bool machineHive, const std::vector<std::string>& path,
                     const RegKey& key, std::string* error)
{
    std::string folder = machineHive ? "registry/HKLM" : "registry/HKCU";
    for (const auto& part : path) folder += "/" + part;
    return SaveKeyFile(dir, folder, key, error);
}

bool SaveRegistry(const std::string& dir, const SimRegistry& registry)
{
    std::string error;
    bool machine = SaveTree(dir, "registry/HKLM", registry.localMachine, &error);
    bool user = SaveTree(dir, "registry/HKCU", registry.currentUser, &error);
    return machine && user;
}

}  // namespace sim::bench
