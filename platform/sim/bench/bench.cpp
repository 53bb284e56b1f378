#include "platform/sim/bench/bench.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "platform/sim/bench/bench_files.h"
#include "platform/sim/sim_camera.h"
#include "platform/sim/sim_registry.h"

namespace fs = std::filesystem;

namespace sim {

const char cameraNameRule[] = "1 to 64 letters, digits, '-', '_' or '.', not starting with '.'";

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

std::string CameraFile(const std::string& dir, const std::string& name, const char* file)
{
    return dir + "/cameras/" + name + "/" + file;
}

bool ReadTransfers(const std::string& text, uint32_t* transfers)
{
    std::string digits = text;
    if (!digits.empty() && digits.back() == '\n') digits.pop_back();
    if (digits.empty() || digits.size() > 10) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    unsigned long long value = std::strtoull(digits.c_str(), nullptr, 10);
    *transfers = static_cast<uint32_t>(value);
    return value <= 0xFFFFFFFFull;
}

}  // namespace

bool ReadFileText(const std::string& path, std::string* text)
{
    std::string error;
    return ReadWhole(path, text, &error);
}

bool Prepare(const std::string& dir, std::string* error)
{
    std::error_code ec;
    if (dir.empty()) {
        *error = "the bench directory is an empty name";
        return false;
    }
    fs::create_directories(fs::path(dir) / "cameras", ec);
    if (!ec) fs::create_directories(fs::path(dir) / "registry" / "HKLM", ec);
    if (!ec) fs::create_directories(fs::path(dir) / "registry" / "HKCU", ec);
    if (ec) {
        *error = "cannot use the bench directory " + dir + ": " + ec.message();
        return false;
    }
    return true;
}

std::vector<std::string> CameraNames(const std::string& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(fs::path(dir) / "cameras", ec))
        if (entry.is_directory(ec)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool LoadCamera(const std::string& dir, const std::string& name, SimCamera& camera, std::string* damage)
{
    std::string eeprom, state, transfers, error, reason;
    uint32_t count = 0;
    if (!ReadWhole(CameraFile(dir, name, "eeprom.bin"), &eeprom, &error))
        reason = "eeprom.bin cannot be read: " + error.substr(error.rfind(": ") + 2);
    else if (eeprom.size() != sizeof camera.eeprom)
        reason = "eeprom.bin holds " + std::to_string(eeprom.size()) + " bytes, not 256";
    else if (!ReadWhole(CameraFile(dir, name, "state.txt"), &state, &error))
        reason = "state.txt cannot be read: " + error.substr(error.rfind(": ") + 2);
    else if (!ApplyStateText(state, camera, &reason))
        ;
    else if (ReadWhole(CameraFile(dir, name, "transfers.txt"), &transfers, &error) && !ReadTransfers(transfers, &count))
        reason = "transfers.txt does not hold a count";
    if (!reason.empty()) {
        if (damage) *damage = reason;
        return false;
    }
    std::memcpy(camera.eeprom, eeprom.data(), sizeof camera.eeprom);
    camera.transfers = count;
    return true;
}

bool SaveCamera(const std::string& dir, const SimCamera& camera, unsigned files, std::string* error)
{
    // Every file is prepared before any is renamed into place: a change
    // that cannot be saved whole leaves the files as they were.
    const struct {
        unsigned file;
        const char* name;
        std::string bytes;
    } parts[] = {
        {transfersFile, "transfers.txt", std::to_string(camera.transfers) + "\n"},
        {eepromFile, "eeprom.bin", std::string(reinterpret_cast<const char*>(camera.eeprom), sizeof camera.eeprom)},
        {stateFile, "state.txt", StateText(camera)},
    };
    std::vector<Replacement> prepared;
    for (const auto& part : parts) {
        if (!(files & part.file)) continue;
        prepared.emplace_back();
        if (!prepared.back().Prepare(CameraFile(dir, camera.name, part.name), part.bytes, error)) return false;
    }
    for (auto& replacement : prepared)
        if (!replacement.Commit(error)) return false;
    return true;
}

bool MakeCameraFolder(const std::string& dir, const std::string& name, std::string* error)
{
    for (const auto& taken : CameraNames(dir)) {
        if (SameName(taken, name)) {
            *error = "a camera named '" + taken + "' exists already";
            return false;
        }
    }
    return MakeNewDirectory(dir + "/cameras/" + name, error);
}

}  // namespace bench
}  // namespace sim
