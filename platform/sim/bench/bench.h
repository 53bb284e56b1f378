// The bench: the simulated machine's cameras and registry kept in a
// directory, so that separate processes (the program, camsim, a test)
// share one world, and a person can read it.
//
//   DIR                             locked by every reader and change
//   DIR/cameras/NAME/eeprom.bin     the 256 bytes of the camera's EEPROM
//   DIR/cameras/NAME/state.txt      class, plugged, permission, faults, ...
//   DIR/cameras/NAME/transfers.txt  EEPROM transfers served since creation
//   DIR/cameras/NAME/intent.txt     a change of several files under way
//   DIR/registry/HKLM/KEY/.../values.reg   one file of values per key
//   DIR/registry/HKCU/...
//
// The files are the one source of truth: a change is made under the
// bench's exclusive lock on what the files hold at that moment, and saved
// before the lock is released (bench_files.h).
#pragma once

#include <string>
#include <vector>

namespace sim {

class SimCamera;
class SimMachine;
class SimRegistry;
struct RegKey;

// --bench, else VELLMARK_BENCH, else the per-user state directory.
std::string DefaultBenchDir();

// Valid camera names: 1 to 64 letters, digits, '-', '_' and '.', not
// starting with '.'.
bool IsValidCameraName(const std::string& name);
extern const char cameraNameRule[];

namespace bench {

bool Prepare(const std::string& dir, std::string* error);

// Registry: the whole tree read; one key saved, its lines that are not
// values kept as they stand.
bool LoadRegistry(const std::string& dir, SimRegistry& registry);
bool SaveRegistryKey(const std::string& dir, bool machineHive, const std::vector<std::string>& path,
                     const RegKey& key, std::string* error);
bool SaveRegistry(const std::string& dir, const SimRegistry& registry);

// The state file's text for a camera, and a camera's state read from it;
// false with what is wrong in *damage for a text that is not a state.
std::string StateText(const SimCamera& camera);
bool ApplyStateText(const std::string& text, SimCamera& camera, std::string* damage = nullptr);

// The largest file of each kind the bench reads; a larger one is damage.
constexpr size_t eepromLimit = 4096;
constexpr size_t stateLimit = 65536;
constexpr size_t transfersLimit = 64;
constexpr size_t intentLimit = 4096;
constexpr size_t valuesLimit = size_t{16} << 20;

// The names under DIR/cameras but those starting with '.' (changes under
// way), sorted, whatever they are: one that is no folder is a damaged camera.
std::vector<std::string> CameraNames(const std::string& dir);
// Reads a camera's files as its last whole change left them; false with
// the reason it is damaged.
bool LoadCamera(const std::string& dir, const std::string& name, SimCamera& camera, std::string* damage = nullptr);

enum CameraFiles : unsigned { eepromFile = 1, stateFile = 2, transfersFile = 4, allFiles = 7 };
// Saves the named files of a camera, all or none; false with the file and
// the reason when none was saved.
bool SaveCamera(const std::string& dir, const SimCamera& camera, unsigned files, std::string* error);
// Saves a new camera: its folder made complete under another name first
// and renamed to its own; refused when the name is taken in any letter
// case (whatever the folder holds).
bool CreateCamera(const std::string& dir, const SimCamera& camera, std::string* error);
// Finishes a change of the camera that a process left half done (it died
// between its renames); under the exclusive lock, before any change.
bool FinishChange(const std::string& dir, const std::string& name, std::string* error);
// Removes what dead processes left: their new files beside the cameras'
// files and the registry's, and cameras they were making. Under the
// exclusive lock; entries of the bench's directory itself are left alone.
void SweepLeftovers(const std::string& dir);

bool ReadFileText(const std::string& path, std::string* text);

}  // namespace bench
}  // namespace sim
