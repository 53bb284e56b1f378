#include "platform/sim/bench.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/sim/sim_machine.h"

namespace fs = std::filesystem;

namespace sim {

std::string DefaultBenchDir()
{
    if (const char* dir = std::getenv("VELLMARK_BENCH"); dir && *dir) return dir;
#ifdef _WIN32
    if (const char* local = std::getenv("LOCALAPPDATA"); local && *local)
        return std::string(local) + "\\Vellmark\\bench";
    return "Vellmark\\bench";
#else
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state)
        return std::string(state) + "/vellmark/bench";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.local/state/vellmark/bench";
#endif
}

bool IsValidCameraName(const std::string& name)
{
    if (name.empty() || name.size() > 64 || name[0] == '.') return false;
    for (char c : name) {
        bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                  c == '_' || c == '.';
        if (!ok) return false;
    }
    return true;
}

namespace bench {

namespace {

// Written whole under another name, then renamed over the old file, so a
// reader in another process never sees half a file.
bool WriteFileAtomically(const fs::path& path, const std::string& bytes)
{
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    fs::path temporary = path;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) return false;
    }
    fs::rename(temporary, path, ec);
    return !ec;
}

std::string Quote(const std::string& text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// One line of a values file, in the usual registry export notation:
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

bool ParseQuoted(const std::string& line, size_t* at, std::string* text)
{
    if (*at >= line.size() || line[*at] != '"') return false;
    ++*at;
    text->clear();
    while (*at < line.size() && line[*at] != '"') {
        if (line[*at] == '\\' && *at + 1 < line.size()) ++*at;
        *text += line[(*at)++];
    }
    if (*at >= line.size()) return false;
    ++*at;
    return true;
}

bool ParseValueLine(const std::string& line, RegValue* value)
{
    size_t at = 0;
    if (line.empty()) return false;
    if (line[0] == '@') {
        value->name.clear();
        at = 1;
    } else if (!ParseQuoted(line, &at, &value->name)) {
        return false;
    }
    if (at >= line.size() || line[at] != '=') return false;
    std::string rest = line.substr(at + 1);
    value->data.clear();
    if (rest.rfind("dword:", 0) == 0) {
        uint32_t number = static_cast<uint32_t>(std::strtoul(rest.c_str() + 6, nullptr, 16));
        value->type = REG_DWORD;
        value->data.resize(4);
        std::memcpy(value->data.data(), &number, 4);
        return true;
    }
    if (!rest.empty() && rest[0] == '"') {
        size_t q = 0;
        std::string text;
        if (!ParseQuoted(rest, &q, &text)) return false;
        value->type = REG_SZ;
        value->data.assign(text.begin(), text.end());
        value->data.push_back(0);
        return true;
    }
    size_t colon = rest.find(':');
    if (colon == std::string::npos || rest.rfind("hex", 0) != 0) return false;
    value->type = REG_BINARY;
    if (rest[3] == '(') value->type = static_cast<DWORD>(std::strtoul(rest.c_str() + 4, nullptr, 16));
    std::stringstream bytes(rest.substr(colon + 1));
    std::string byte;
    while (std::getline(bytes, byte, ','))
        if (!byte.empty()) value->data.push_back(static_cast<uint8_t>(std::strtoul(byte.c_str(), nullptr, 16)));
    return true;
}

void LoadKey(const fs::path& dir, RegKey& key)
{
    key.values.clear();
    std::string text;
    if (ReadFileText((dir / "values.reg").string(), &text)) {
        std::stringstream lines(text);
        std::string line;
        while (std::getline(lines, line)) {
            RegValue value;
            if (ParseValueLine(line, &value)) key.SetValue(value.name, value.type, value.data.data(), value.data.size());
        }
    }
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dir, ec)) {
        if (!entry.is_directory(ec)) continue;
        LoadKey(entry.path(), *key.AddSubkey(entry.path().filename().string()));
    }
}

bool SaveKey(const fs::path& dir, const RegKey& key)
{
    std::string text;
    for (const auto& value : key.values) text += ValueLine(value) + "\n";
    std::string old;
    bool ok = true;
    std::error_code ec;
    fs::create_directories(dir, ec);
    // A key without values is its folder alone.
    if (text.empty())
        fs::remove(dir / "values.reg", ec);
    else if (!ReadFileText((dir / "values.reg").string(), &old) || old != text)
        ok = WriteFileAtomically(dir / "values.reg", text);
    for (const auto& sub : key.subkeys) ok = SaveKey(dir / sub->name, *sub) && ok;
    return ok;
}

const char* FaultName(FaultKind kind)
{
    switch (kind) {
    case FaultKind::dropRequest: return "drop-request";
    case FaultKind::dropReply: return "drop-reply";
    case FaultKind::status: return "status";
    case FaultKind::shortReply: return "short-reply";
    case FaultKind::stuckByte: return "stuck-byte";
    case FaultKind::lastByteFlipped: return "last-byte-flipped";
    }
    return "";
}

bool FaultKindOf(const std::string& name, FaultKind* kind)
{
    const FaultKind kinds[] = {FaultKind::dropRequest, FaultKind::dropReply, FaultKind::status,
                               FaultKind::shortReply, FaultKind::stuckByte, FaultKind::lastByteFlipped};
    for (FaultKind k : kinds) {
        if (name == FaultName(k)) {
            *kind = k;
            return true;
        }
    }
    return false;
}

fs::path CameraDir(const std::string& dir, const std::string& name)
{
    return fs::path(dir) / "cameras" / name;
}

}  // namespace

bool ReadFileText(const std::string& path, std::string* text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::stringstream buffer;
    buffer << in.rdbuf();
    *text = buffer.str();
    return true;
}

bool Prepare(const std::string& dir, std::string* error)
{
    std::error_code ec;
    fs::create_directories(fs::path(dir) / "cameras", ec);
    if (!ec) fs::create_directories(fs::path(dir) / "registry" / "HKLM", ec);
    if (!ec) fs::create_directories(fs::path(dir) / "registry" / "HKCU", ec);
    if (ec) {
        *error = "cannot use the bench directory " + dir + ": " + ec.message();
        return false;
    }
    return true;
}

bool LoadRegistry(const std::string& dir, SimRegistry& registry)
{
    registry.localMachine.subkeys.clear();
    registry.currentUser.subkeys.clear();
    LoadKey(fs::path(dir) / "registry" / "HKLM", registry.localMachine);
    LoadKey(fs::path(dir) / "registry" / "HKCU", registry.currentUser);
    return true;
}

bool SaveRegistry(const std::string& dir, const SimRegistry& registry)
{
    bool machine = SaveKey(fs::path(dir) / "registry" / "HKLM", registry.localMachine);
    bool user = SaveKey(fs::path(dir) / "registry" / "HKCU", registry.currentUser);
    return machine && user;
}

std::string StateText(const SimCamera& camera)
{
    std::string text;
    text += "class " + std::to_string(camera.classRow) + "\n";
    text += std::string("plugged ") + (camera.plugged ? "yes" : "no") + "\n";
    text += std::string("permitted ") + (camera.writePermitted ? "yes" : "no") + "\n";
    text += "order " + std::to_string(camera.order) + "\n";
    text += "path " + camera.interfacePath + "\n";
    text += std::string("busy ") + (camera.interfaceBusy ? "yes" : "no") + "\n";
    for (const auto& fault : camera.faults) {
        text += std::string("fault ") + FaultName(fault.kind) + " " + std::to_string(fault.atTransfer);
        if (fault.kind == FaultKind::status) {
            char status[8];
            std::snprintf(status, sizeof status, " 0x%02x", fault.status);
            text += status;
        }
        text += "\n";
    }
    return text;
}

bool ApplyStateText(const std::string& text, SimCamera& camera)
{
    std::stringstream lines(text);
    std::string line;
    camera.faults.clear();
    while (std::getline(lines, line)) {
        std::stringstream words(line);
        std::string key, value;
        words >> key;
        if (key == "path") {
            camera.interfacePath = line.size() > 5 ? line.substr(5) : "";
            continue;
        }
        words >> value;
        if (key == "class") camera.classRow = std::atoi(value.c_str());
        else if (key == "plugged") camera.plugged = value == "yes";
        else if (key == "permitted") camera.writePermitted = value == "yes";
        else if (key == "order") camera.order = static_cast<uint32_t>(std::strtoul(value.c_str(), nullptr, 10));
        else if (key == "busy") camera.interfaceBusy = value == "yes";
        else if (key == "fault") {
            Fault fault{FaultKind::status, 0, 0};
            std::string at, status;
            words >> at >> status;
            if (!FaultKindOf(value, &fault.kind)) continue;
            fault.atTransfer = static_cast<uint32_t>(std::strtoul(at.c_str(), nullptr, 10));
            fault.status = static_cast<uint8_t>(std::strtoul(status.c_str(), nullptr, 16));
            camera.faults.push_back(fault);
        }
    }
    return camera.classRow >= 1 && camera.classRow <= 6;
}

bool SaveCamera(const std::string& dir, const SimCamera& camera)
{
    fs::path folder = CameraDir(dir, camera.name);
    std::string eeprom(reinterpret_cast<const char*>(camera.eeprom), sizeof camera.eeprom);
    bool ok = WriteFileAtomically(folder / "eeprom.bin", eeprom);
    ok = WriteFileAtomically(folder / "state.txt", StateText(camera)) && ok;
    return SaveTransfers(dir, camera) && ok;
}

bool SaveTransfers(const std::string& dir, const SimCamera& camera)
{
    return WriteFileAtomically(CameraDir(dir, camera.name) / "transfers.txt",
                               std::to_string(camera.transfers) + "\n");
}

bool LoadCamera(const std::string& dir, const std::string& name, SimCamera& camera)
{
    fs::path folder = CameraDir(dir, name);
    std::string eeprom, state, transfers;
    if (!ReadFileText((folder / "eeprom.bin").string(), &eeprom) || eeprom.size() != sizeof camera.eeprom)
        return false;
    if (!ReadFileText((folder / "state.txt").string(), &state) || !ApplyStateText(state, camera)) return false;
    std::memcpy(camera.eeprom, eeprom.data(), sizeof camera.eeprom);
    if (ReadFileText((folder / "transfers.txt").string(), &transfers))
        camera.transfers = static_cast<uint32_t>(std::strtoul(transfers.c_str(), nullptr, 10));
    return true;
}

}  // namespace bench
}  // namespace sim
