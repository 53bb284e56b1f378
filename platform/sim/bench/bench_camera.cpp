// A camera's three files: read as its last whole change left them, saved
// all or none (bench_intent.h), and a new camera made complete under a
// hidden name before it appears under its own.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/sim/bench/bench.h"
#include "platform/sim/bench/bench_files.h"
#include "platform/sim/bench/bench_files_os.h"
#include "platform/sim/bench/bench_intent.h"
#include "platform/sim/sim_camera.h"
#include "platform/sim/sim_registry.h"

namespace sim::bench {

namespace {

std::string Folder(const std::string& name)
{
    return "cameras/" + name;
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

// What a camera's folder holds, its record of a change taken into account.
struct CameraFolder {
    std::string dir, folder;
    std::vector<os::Entry> entries;
    Intent intent;

    bool Read(const char* file, size_t limit, std::string* bytes, std::string* damage, bool* missing = nullptr) const
    {
        std::string reason;
        if (os::ReadRegular(dir, folder + "/" + intent.Current(file, entries), limit, bytes, &reason, missing))
            return true;
        *damage = std::string(file) + " cannot be read: " + reason;
        return false;
    }
};

bool OpenCameraFolder(const std::string& dir, const std::string& name, CameraFolder* camera, std::string* damage)
{
    camera->dir = dir;
    camera->folder = Folder(name);
    std::string reason;
    if (!os::ListFolder(dir, camera->folder, &camera->entries, &reason)) {
        *damage = "its folder cannot be read: " + reason;
        return false;
    }
    return ReadIntent(dir, camera->folder, camera->entries, &camera->intent, damage);
}

bool ReadCameraFiles(const CameraFolder& files, SimCamera& camera, std::string* reason)
{
    std::string eeprom, state, transfers;
    bool missing = false;
    uint32_t count = 0;
    if (!files.Read("eeprom.bin", eepromLimit, &eeprom, reason)) return false;
    if (eeprom.size() != sizeof camera.eeprom) {
        *reason = "eeprom.bin holds " + std::to_string(eeprom.size()) + " bytes, not 256";
        return false;
    }
    if (!files.Read("state.txt", stateLimit, &state, reason) || !ApplyStateText(state, camera, reason)) return false;
    // A bench made before transfers were counted has no count: none so far.
    std::string unread;
    if (!files.Read("transfers.txt", transfersLimit, &transfers, &unread, &missing)) {
        if (!missing) {
            *reason = unread;
            return false;
        }
    } else if (!ReadTransfers(transfers, &count)) {
        *reason = "transfers.txt does not hold a count";
        return false;
    }
    std::memcpy(camera.eeprom, eeprom.data(), sizeof camera.eeprom);
    camera.transfers = count;
    return true;
}

// The new files of the chosen files of a camera, written in a folder.
bool PrepareFiles(const std::string& dir, const std::string& folder, const SimCamera& camera, unsigned files,
                  std::vector<Replacement>* prepared, std::string* error)
{
    const struct {
        unsigned file;
        const char* name;
        std::string bytes;
    } parts[] = {
        {transfersFile, "transfers.txt", std::to_string(camera.transfers) + "\n"},
        {eepromFile, "eeprom.bin", std::string(reinterpret_cast<const char*>(camera.eeprom), sizeof camera.eeprom)},
        {stateFile, "state.txt", StateText(camera)},
    };
    for (const auto& part : parts) {
        if (!(files & part.file)) continue;
        prepared->emplace_back();
        if (!prepared->back().Prepare(dir, folder + "/" + part.name, part.bytes, error)) return false;
    }
    return true;
}

}  // namespace

bool LoadCamera(const std::string& dir, const std::string& name, SimCamera& camera, std::string* damage)
{
    CameraFolder files;
    std::string reason;
    if (OpenCameraFolder(dir, name, &files, &reason) && ReadCameraFiles(files, camera, &reason)) return true;
    if (damage) *damage = reason;
    return false;
}

bool SaveCamera(const std::string& dir, const SimCamera& camera, unsigned files, std::string* error)
{
    // Every file is prepared before any is renamed into place: a change
    // that cannot be prepared whole leaves the files as they were.
    std::vector<Replacement> prepared;
    if (!PrepareFiles(dir, Folder(camera.name), camera, files, &prepared, error)) return false;
    return prepared.empty() || CommitTogether(dir, Folder(camera.name), prepared, error);
}

bool CreateCamera(const std::string& dir, const SimCamera& camera, std::string* error)
{
    for (const auto& taken : CameraNames(dir)) {
        if (SameName(taken, camera.name)) {
            *error = "a camera named '" + taken + "' exists already";
            return false;
        }
    }
    static unsigned counter = 0;
    const std::string made = "cameras/." + camera.name + ".new." + std::to_string(os::ThisProcess()) + "." +
                             std::to_string(++counter);
    std::string reason;
    if (!os::MakeFolder(dir, made, &reason)) {
        *error = "cannot make " + BenchPath(dir, Folder(camera.name)) + ": " + reason;
        return false;
    }
    std::vector<Replacement> prepared;
    bool ok = PrepareFiles(dir, made, camera, allFiles, &prepared, error);
    for (auto& file : prepared) ok = ok && file.Commit(error);
    if (ok && !os::Rename(dir, made, Folder(camera.name), &reason)) {
        *error = "cannot make " + BenchPath(dir, Folder(camera.name)) + ": " + reason;
        ok = false;
    }
    prepared.clear();
    if (!ok) RemoveFolderAndFiles(dir, made);
    return ok;
}

bool FinishChange(const std::string& dir, const std::string& name, std::string* error)
{
    return FinishIntent(dir, Folder(name), error);
}

}  // namespace sim::bench
